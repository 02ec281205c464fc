#pragma once
// The driver compiled for the engine: its conditions with their formats, its transformations,
// the call kinds with their fields, the date on its own line and the prescanning entries, each
// checked once, with a note for every setting saying what the engine does with it. The parts
// of the reading (the line reader, the window of a call, the reading of fields) read it.

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "engine/CampiSeparati.h"
#include "engine/FormatoDataOra.h"
#include "engine/clsAnalizzatore.h"
#include "model/clsDriver.h"

namespace tarno {

namespace motore {

// Every position below is either columns of the line (iCampo 0: iInizio, iLunghezza) or, in a
// driver of separated fields, field iCampo (from the end when negative) and the iLunghezza
// characters (0: all) from its character iInizio.
struct Cond {
    std::string sNome;
    int32_t iOp = 0;
    int iCampo = 0;
    int iInizio = 1, iLunghezza = 0, iRiga = 1;
    int16_t iFormato = 0;
    std::string sValore;
    const clsFormatoDataOra* pFormato = nullptr;
    bool bOr = false;  // joined to the next one by "Or"
};
using Catena = std::vector<Cond>;

struct Trasf {
    std::string sNome;
    int32_t iTipo = 0, iOp = 0;
    int iCampo = 0;
    int iInizio = 1, iLunghezza = 0, iRiga = 0;
    std::string sSorgente, sValore;
    char cCarattere = 0;
    bool bDestra = false;
    double dOperando = 0;  // MOLTIPLICA, DIVIDI, SOMMA, SOTTRAI
    int iColonna = 0;      // SPOSTA, COPIA: where the text goes; ESPANDI: the tab width
    int64_t iScarto = 0;   // UTC: seconds of local time ahead of UTC
    Catena condizioni;
};

enum class Genere { Data, Ora, Durata, Scatti, Testo };

struct Campo {
    std::string sNome;
    Genere genere = Genere::Testo;
    int iCampo = 0;
    int iInizio = 1, iLunghezza = 0, iRiga = 1;
    bool bOpzionale = false;
    bool bSoloCifre = false;  // a text keeps its digits and a leading '+'
    int16_t iFormato = 0;
    const clsFormatoDataOra* pFormato = nullptr;
    int iTempo = -1;  // START, FINE or DURATA for the fields that work out one another
    // The field's own transformation: operation (0 when none), operand and conditions.
    int32_t iConversione = 0;
    double dOperando = 1;
    Catena condConversione;
};

// Of start, end and duration, two give the third.
enum { INIZIO, FINE, DURATA };

struct Tipo {
    bool bEntrante = true;
    bool bAttivo = false;
    int iRighe = 0;
    Catena base, trasferita;
    std::vector<Campo> campi;
    std::vector<const Trasf*> trasformazioni;
    int iDaRicavare = -1;  // the one of start, end and duration the driver lacks
    // Separated fields: for each of its lines, the fields a record must have for the
    // conditions and fields read on it, and the condition or field that reads the farthest.
    struct Richiesta {
        int iCampi = 0;
        int iCampo = 0;
        std::string sChi;
    };
    std::vector<Richiesta> campiRichiesti;
};

}  // namespace motore

class clsImpostazioniMotore {
  public:
    clsImpostazioniMotore(const clsDriver& driver, const MappaFormati& formati);
    clsImpostazioniMotore(const clsImpostazioniMotore&) = delete;
    clsImpostazioniMotore& operator=(const clsImpostazioniMotore&) = delete;

    // The driver's settings with what the engine does with each, in driver order.
    const std::vector<NotaImpostazione>& Note() const { return mvNote; }

    // Whether one condition holds on a line (nullptr: a line the window lacks).
    bool Prova(const motore::Cond& c, const RigaFinestra* riga) const;
    // The conditions left to right, each joined to the result so far by the conjunction of the
    // one before it. riga(r) gives the line r (a RigaFinestra*, nullptr when there is none). In a
    // partial check (the sample has ended) the conditions on missing lines are left out, and at
    // least one must be left.
    template <class F>
    bool Valuta(const motore::Catena& cat, F riga, bool bParziale) const;

    // --- what the reading reads (filled once by the constructor) ---
    CodiciMesi mesi;
    std::vector<motore::Trasf> trasformazioni;
    std::vector<const motore::Trasf*> iniziali;  // the transformations of level INIZIALE
    motore::Tipo tipi[2];                        // incoming, outgoing
    motore::Catena dataIsolata;
    const motore::Cond* pCondData = nullptr;  // the DATA_ISOLATA condition, where the date is
    int iRigheData = 1;
    bool bIgnoraVuote = false;
    int32_t iTroncaDopo = 0;
    size_t iOffset = 0;  // characters of prefix at the start of every line
    uint64_t iRigheIntestazione = 0;
    std::string sSaltaRigheCon, sFineStampa;
    bool bTogliControlli = false;
    std::array<bool, 256> fineRiga{};  // the characters that end a line in the printout's bytes
    char cSeparatore = '\n';           // SeparatoreRecord; LF when there is none
    size_t iLarghezza = 0;             // the last column the driver reads
    size_t iSogliaLunga = 0;           // a line longer than this is warned about
    int iFinestra = 1;                 // lines of the longest call (or date)
    // Separated fields: the separator and the quote (0 when none); bSeparati false for fixed
    // columns.
    bool bSeparati = false;
    char cSeparatoreCampi = ',';
    char cVirgolette = '"';

    // Separated fields: the first line r of the window (from 1) that lacks a field the kind
    // t reads, with its requirement; nullptr when every line it has holds them.
    template <class F>
    const motore::Tipo::Richiesta* CampoMancante(const motore::Tipo& t, F riga, int& rRiga) const {
        for (size_t k = 0; k < t.campiRichiesti.size(); ++k) {
            const RigaFinestra* r = riga(static_cast<int>(k) + 1);
            if (r && r->campi.iCampi < static_cast<size_t>(t.campiRichiesti[k].iCampi)) {
                rRiga = static_cast<int>(k) + 1;
                return &t.campiRichiesti[k];
            }
        }
        return nullptr;
    }

  private:
    void Nota(NotaImpostazione::Stato s, std::string t) { mvNote.push_back({s, std::move(t)}); }
    const clsFormatoDataOra* Formato(int16_t codice) const {
        auto it = mFormati.find(codice);
        return it == mFormati.end() ? nullptr : &it->second;
    }
    // bColonne: positions by columns even in a driver of separated fields (the conditions
    // of the transformations of level INIZIALE, read before the line is cut into fields).
    motore::Catena Compila(const std::optional<ColCondizioni>& col, const std::string& sDove,
                           bool bColonne = false);
    void CompilaSeparazione(const clsDriver& driver);
    void Richiedi(motore::Tipo& t, int iRiga, int iCampo, const std::string& sChi);
    void CompilaTrasformazioni(const clsDriver& driver);
    void CompilaTipo(motore::Tipo& t, const clsChiamata* pc, bool bEntrante);
    void CompilaDataIsolata(const clsDriver& driver);
    void CompilaPrescanning(const clsDriver& driver);
    void CompilaLarghezza();

    std::map<int16_t, clsFormatoDataOra> mFormati;
    std::vector<NotaImpostazione> mvNote;
};

template <class F>
bool clsImpostazioniMotore::Valuta(const motore::Catena& cat, F riga, bool bParziale) const {
    bool r = false, primo = true, conOr = false;
    for (const auto& c : cat) {
        const RigaFinestra* t = riga(c.iRiga);
        if (!t && bParziale) continue;
        if (primo) {
            r = Prova(c, t);
        } else if (conOr) {
            if (!r) r = Prova(c, t);
        } else if (r) {
            r = Prova(c, t);
        }
        primo = false;
        conOr = c.bOr;
    }
    return !primo && r;
}

// The prescanning entries the engine applies (any other is reported and left alone), in the
// order an editor offers them.
inline constexpr std::array<const char*, 5> VOCI_PRESCANNING = {
    "RigheIntestazione", "SaltaRigheCon", "FineStampa", "SeparatoreRecord", "TogliControlli"};

// A condition as the log describes it, and a chain of them.
namespace motore {
std::string DescriviCatena(const Catena& cat);
}

}  // namespace tarno
