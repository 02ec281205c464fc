#pragma once
// The import engine's reading of a printout with a driver, one line at a time.
//
// The sample arrives as bytes (Dati) or as lines (Riga). Four parts do the work: the driver
// compiled once, with a note on every setting (clsImpostazioniMotore); the line reader, which
// turns the bytes into the lines the engine reads, with where each character came from
// (clsLettoreRighe: line ends, form feeds, SeparatoreRecord, TogliControlli, prescanning,
// Offset, "Ignora righe vuote", "Caratteri_ultima_riga", the transformations of level INIZIALE);
// the window of lines as long as the longest call, at whose head the engine looks, in this
// order, for a date on its own line, an incoming call (transferred conditions first, then the
// plain ones) and an outgoing call (clsFinestraChiamate); and the reading of a call's fields
// (clsLetturaCampi). A line where nothing starts belongs to no call. What the sample ends in the
// middle of is reported as an incomplete call when the conditions on the lines it has hold.
//
// Memory stays bounded: the window holds at most the lines of the longest call, each line at
// most MAX_CARATTERI_RIGA characters.

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/FormatoDataOra.h"
#include "engine/RigaMotore.h"

namespace tarno {

class clsDriver;
class clsCampo;
class clsCondizione;
class clsTrasformazione;

// The format texts of the catalogue by code (dates and times together).
using MappaFormati = std::map<int16_t, std::string>;

inline constexpr size_t MAX_CARATTERI_RIGA = 65536;
inline constexpr int MAX_RIGHE_CHIAMATA = 100;

// One field of a call as cut out and as read.
struct CampoLetto {
    std::string sNome;
    uint64_t iRiga = 0;         // line of the sample it was cut from (0 when none)
    std::string sTaglio;        // the text as cut out
    std::string sInterpretato;  // the value as read; "" when it failed
    std::string sErrore;        // why it failed; "" when it did not
    bool bVuoto = false;        // an optional field left blank
    bool bDerivato = false;     // not printed: worked out from the other fields
    std::string sNota;          // how a value read was then adjusted ("" when it was not)
    uint8_t iPezzo = 0;         // piece of a line cut by "Manda ultima riga accapo" (1, 2), or 0
};

struct ChiamataLetta {
    bool bEntrante = true;
    bool bTrasferita = false;
    bool bIncompleta = false;  // the sample ended before its last line
    int iRigheAttese = 0;
    std::vector<uint64_t> vRighe;     // its lines in the sample
    std::vector<uint8_t> vPezzi;      // for each, the piece of a cut line (1, 2) or 0
    std::vector<std::string> vTesti;  // their text (incomplete calls only)
    std::vector<CampoLetto> vCampi;   // complete calls only
    size_t iCampi = 0;                // fields in use in vCampi (the vector is reused)
    size_t iErrori = 0;               // fields that failed
};

struct RigaDataLetta {
    uint64_t iRiga = 0;
    uint8_t iPezzo = 0;  // piece of a cut line (1, 2) or 0
    std::string sTaglio;
    std::string sData;
};

enum class MotivoRiga {
    NonRiconosciuta,  // no call starts there and it lies in none
    Vuota,            // empty, skipped by "Ignora righe vuote"
    Intestazione,     // prescanning RigheIntestazione
    Saltata,          // prescanning SaltaRigheCon
    FineStampa,       // prescanning FineStampa: the line itself
    DopoFine,         // after the end of the printout
};

// Where the results go, in the order of the sample.
class IEsitiAnalisi {
  public:
    virtual ~IEsitiAnalisi() = default;
    virtual void Chiamata(const ChiamataLetta& c) = 0;
    virtual void RigaData(const RigaDataLetta& d) = 0;
    // sTesto is the line as read; sTrasformata the line after the transformations of level
    // INIZIALE when they changed it, "" otherwise; sPerche why no call took it ("" when the
    // reason says it all).
    virtual void RigaSenzaChiamata(uint64_t iRiga, std::string_view sTesto, MotivoRiga motivo,
                                   std::string_view sTrasformata, std::string_view sPerche) = 0;
    // A piece (1, 2) of a line cut by "Manda ultima riga accapo" that no call took; by default
    // told as the line itself.
    virtual void PezzoSenzaChiamata(uint64_t iRiga, int /*iPezzo*/, std::string_view sTesto,
                                    std::string_view sTrasformata, std::string_view sPerche) {
        RigaSenzaChiamata(iRiga, sTesto, MotivoRiga::NonRiconosciuta, sTrasformata, sPerche);
    }
    // Each line (or piece of a cut line) that enters the reading, as the engine tests and cuts
    // it (r.sTesto: without the driver's prefix, after the transformations of level INIZIALE),
    // with where its characters came from in the printout.
    virtual void RigaLetta(const RigaMotore& /*r*/) {}
    // Something about a line worth telling though it is read all the same (a line far longer
    // than the driver reads, ...), before what becomes of the line.
    virtual void AvvisoRiga(uint64_t /*iRiga*/, std::string_view /*sAvviso*/) {}
};

// What the engine makes of one setting of the driver.
struct NotaImpostazione {
    enum Stato { Applicata, NonApplicata, Avviso };
    Stato stato;
    std::string sTesto;
};

struct ConteggiAnalisi {
    uint64_t iRighe = 0;  // lines of the sample
    uint64_t iEntranti = 0, iUscenti = 0, iEntrantiTrasferite = 0, iUscentiTrasferite = 0;
    uint64_t iIncomplete = 0;
    uint64_t iRigheData = 0;
    uint64_t iNonRiconosciute = 0;
    uint64_t iVuote = 0;
    uint64_t iPrescanning = 0;  // header, skipped, end line and after it
    uint64_t iValoriNonValidi = 0;
    uint64_t iRigheTroncate = 0;  // longer than MAX_CARATTERI_RIGA
    uint64_t iRigheLunghe = 0;    // far longer than the driver reads (warned about)
    uint64_t Chiamate() const {
        return iEntranti + iUscenti + iEntrantiTrasferite + iUscentiTrasferite;
    }
};

// s with every control character (codes 0-31 and 127) written by its name: "<STX>", "<FF>".
std::string TestoVisibile(std::string_view s);
// True when s holds no control character (TestoVisibile would give it back unchanged).
inline bool SenzaControlli(std::string_view s) {
    // Without an early exit, so that the compiler can test many characters at once.
    bool controllo = false;
    for (char c : s) {
        const auto u = static_cast<unsigned char>(c);
        controllo |= (u < 0x20) | (u == 0x7F);
    }
    return !controllo;
}

// How a driver of separated fields cuts a line: its separator and quote (0 when none).
struct Separazione {
    char cSeparatore = ',';
    char cVirgolette = '"';
};
// The cut of a driver (nullopt: fixed columns, or a separator the engine cannot use).
std::optional<Separazione> SeparazioneDi(const clsDriver& driver);

// Whether one condition holds on a line, tested as the engine tests it when it identifies a
// call (the condition's line number is not looked at); formati gives the formats of the date
// and time operators, mesi the driver's month codes, pSeparazione the cut of a driver of
// separated fields (nullptr: columns).
bool CondizioneVale(const clsCondizione& c, std::string_view sRiga, const MappaFormati& formati,
                    const CodiciMesi& mesi, const Separazione* pSeparazione = nullptr);

class clsAnalizzatore {
  public:
    clsAnalizzatore(const clsDriver& driver, const MappaFormati& formati, IEsitiAnalisi& esiti);
    ~clsAnalizzatore();
    clsAnalizzatore(const clsAnalizzatore&) = delete;
    clsAnalizzatore& operator=(const clsAnalizzatore&) = delete;

    // The driver's settings with what the engine does with each, in driver order.
    const std::vector<NotaImpostazione>& Impostazioni() const;

    // The next bytes of the sample, cut anywhere: the engine finds the line ends itself.
    void Dati(std::string_view sBlocco);
    // The next line of the sample, without its line end (not to be mixed with Dati).
    void Riga(std::string_view sTesto);
    // The sample has ended: the last line without its end is read and what is left in the
    // window is settled.
    void Fine();

    const ConteggiAnalisi& Conteggi() const;

  private:
    struct Impl;
    std::unique_ptr<Impl> mp;
};

}  // namespace tarno
