#pragma once
// The reading of a sample printout with a driver: the engine reads it once (its lines as it
// reads them, with where each character came from in the printout's bytes; the calls; the
// lines no call took) and the questions that the editor asks about the sample are answered
// from that reading, as many times as asked.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/clsAnalizzatore.h"
#include "model/clsCondizione.h"

namespace tarno {

class clsCondizione;
class clsDriver;

// A line (or piece of a cut line) as the engine reads it, kept with its origins.
struct RigaCampione {
    uint64_t iNumero = 0;  // line of the printout, from 1
    uint8_t iPezzo = 0;    // 1, 2 for the pieces of a cut line, 0 for a whole line
    std::string sTesto;    // as the engine tests and cuts it
    uint64_t iByte = 0;    // see RigaMotore
    size_t iSalto = 0;
    std::vector<uint32_t> vTolti;
    size_t iLetta = 0;  // characters of the line as read (before INIZIALE)
    // The byte offset in the printout of character i (from 0) of the line.
    uint64_t Origine(size_t i) const;
};

// A call, or a line no call took, in the order of the printout.
struct VoceCampione {
    bool bChiamata = true;
    ChiamataLetta chiamata;  // a call: its fields trimmed to those in use
    uint64_t iRiga = 0;      // a line no call took: its number, text as read and why
    std::string sTesto, sPerche;
};

class clsLetturaCampione {
  public:
    // Reads the sample (Windows-1252 bytes) with the driver; formati: the catalogue's formats.
    clsLetturaCampione(const clsDriver& driver, const MappaFormati& formati,
                       std::string_view sByte);

    const std::vector<RigaCampione>& Righe() const { return mvRighe; }
    const std::vector<VoceCampione>& Voci() const { return mvVoci; }
    const ConteggiAnalisi& Conteggi() const { return mConteggi; }
    // The driver's month codes, as the engine reads names of months with them.
    const CodiciMesi& Mesi() const { return mMesi; }
    // The engine's warnings on the driver's settings (a format code of the other kind or one
    // the catalogue lacks, ...), as its log gives them after "AVVISO".
    const std::vector<std::string>& Avvisi() const { return mvAvvisi; }
    // 'E' for a line of the printout (from 1) in an incoming call, 'U' in an outgoing one, 0
    // otherwise.
    char TipoRiga(uint64_t iNumero) const {
        return iNumero >= 1 && iNumero <= mvTipoRiga.size() ? mvTipoRiga[iNumero - 1] : 0;
    }

    // What stands at a position and length (from 1) on every line the engine reads: each
    // distinct text once, with the lines it is on and how many of them lie in incoming and in
    // outgoing calls, the most frequent first. Lines that end before the position do not count;
    // a text is cut shorter where its line ends.
    // Beside each text: the first line it is on (as read), the line of the call (from 1) it
    // stands on in the first call that holds it (0 when no call does), and whether the calls
    // holding it have a ringing time, units or a number.
    struct TestoColonna {
        std::string sTesto;
        size_t iRighe = 0, iEntranti = 0, iUscenti = 0;
        std::string sEsempio;
        int iRigaChiamata = 0;
        bool bSquillo = false, bScatti = false, bNumero = false;
    };
    std::vector<TestoColonna> Colonna(int iPosizione, int iLunghezza) const;
    // The same for a position of a driver of separated fields: field iCampo (from the end when
    // negative), iLunghezza characters (0: all) from character iNelCampo (0: 1). Lines
    // without the field do not count.
    std::vector<TestoColonna> ColonnaCampo(int iCampo, int iNelCampo, int iLunghezza) const;
    // How the driver cuts a line into fields; nullptr for fixed columns.
    const Separazione* Separa() const { return mSeparazione ? &*mSeparazione : nullptr; }

    // The conditions of a call kind from the texts of a column marked for it: one "uguale a"
    // per text at iPosizione, iLunghezza on line iRiga of the call, joined by Or, then the
    // conditions of pPrima (the kind's until now) that test another place, joined by And.
    static ColCondizioni CondizioniDaValori(const std::vector<std::string>& vValori, int iPosizione,
                                            int iLunghezza, int iRiga, const ColCondizioni* pPrima);

    // On how many of the lines the engine reads the condition holds (its line number is not
    // looked at), and how many lines there are.
    std::pair<size_t, size_t> RigheConCondizione(const clsCondizione& c) const;
    // On how many complete calls the condition holds on the call's line of the condition's
    // row, and how many complete calls have that line.
    std::pair<size_t, size_t> ChiamateConCondizione(const clsCondizione& c) const;
    // The codes of the formats (code, text) that read the field, as the engine cuts it out, on
    // every complete call of its kind as a date (bData) or a time; none without such a call.
    std::vector<int16_t> FormatiCheLeggono(
        bool bEntranti, const std::string& sCampo, bool bData,
        const std::vector<std::pair<int16_t, std::string>>& formati) const;
    // The field as the engine cuts it out on every complete call of its kind, in the order of
    // the printout; none without such a call.
    std::vector<std::string> TagliDelCampo(bool bEntranti, const std::string& sCampo) const;

    // The prescanning entries that would let the engine read the sample (sByte: the bytes it
    // was read from) better, each with how many lines or characters call for it: a
    // SeparatoreRecord when lines run far longer than the driver reads and a control character
    // that could close them recurs, then TogliControlli when the lines carry control characters.
    struct VoceProposta {
        std::string sVoce, sValore;
        uint64_t iQuanti = 0;
    };
    std::vector<VoceProposta> PrescanningProposto(std::string_view sByte) const;

    // Which line (from 1) of a call of that kind the line iRiga of Righe() is; 0 when no call
    // of that kind holds it.
    int RigaNellaChiamata(bool bEntranti, size_t iRiga) const;

    // The line (index in Righe) and character (from 0) that came from a byte of the printout;
    // nullopt for a byte no line read (a line end, a dropped character, a skipped line).
    std::optional<std::pair<size_t, size_t>> DalByte(uint64_t iByte) const;

  private:
    // Each distinct text that taglio gives on a line, as Colonna counts them.
    template <typename Taglio>
    std::vector<TestoColonna> Testi(const Taglio& taglio) const;

    std::vector<RigaCampione> mvRighe;
    std::vector<VoceCampione> mvVoci;
    std::vector<char> mvTipoRiga;
    ConteggiAnalisi mConteggi;
    std::vector<std::string> mvAvvisi;
    MappaFormati mFormati;
    CodiciMesi mMesi;
    std::optional<Separazione> mSeparazione;  // a driver of separated fields
};

}  // namespace tarno
