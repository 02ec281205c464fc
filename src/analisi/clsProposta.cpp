#include "analisi/clsProposta.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <map>
#include <optional>
#include <set>

#include "analisi/CifreImpaccate.h"
#include "analisi/ColonneMinori.h"
#include "analisi/FormatiComuni.h"
#include "analisi/PezziRecord.h"
#include "analisi/RigheInBlocchi.h"
#include "analisi/clsLetturaCampione.h"
#include "engine/CampiSeparati.h"
#include "engine/FormatoDataOra.h"
#include "model/CallFieldName.h"
#include "model/Testo.h"

// How a printout is read without a driver, in this order:
// 1. the framing: records closed by a control character instead of a line end, control
//    characters in the lines;
// 2. the values the catalogue's formats read (and a few common ones the catalogue may lack),
//    found on every token of every line, grouped into columns by where they start or end;
// 3. the call lines: those that hold the time column found on most lines; the other lines are
//    headings, titles and date lines;
// 4. on the call lines: the date (or a date line above them), the times of day and the
//    durations, then the column whose short codes tell incoming from outgoing and a transfer
//    mark, then the other columns (number, extension, trunk, units, account code) split where
//    every call line is blank.
// Every step leaves its evidence; nothing here knows a PBX by name.

namespace tarno {

namespace {

using Ambito = VoceProposta::Ambito;

struct Formato {
    int16_t iCodice = 0;  // the catalogue's; 0 for one it lacks
    std::string sTesto;
    clsFormatoDataOra f;
    bool bData = false;
    bool bOre = false;          // has hours
    bool bSecondi = false;      // has seconds
    bool bMeridiano = false;    // a 12-hour clock
    bool bLetterale = false;    // holds a character that is not a format letter (":", "/")
    bool bSolo = false;         // one run alone ("ss"): any number of digits
    bool bImpaccato = false;    // read only inside runs of digits or alone on a line ("mmgg")
    size_t iMin = 0, iMax = 0;  // lengths of a value it can read
};

// The current month (1-12) of the system's calendar.
int MeseOggi() {
    const std::time_t t = std::time(nullptr);
    std::tm tm{};
    gmtime_r(&t, &tm);
    return tm.tm_mon + 1;
}

bool Cifra(char c) { return c >= '0' && c <= '9'; }

// "00H02M13" as "00:02:13": digits ended by H and M (either case), and S or nothing at the
// end; "" for any other text.
std::string SenzaLettere(std::string_view v) {
    std::string t;
    size_t gruppi = 0;
    for (size_t i = 0; i < v.size();) {
        size_t j = i;
        while (j < v.size() && Cifra(v[j])) ++j;
        if (j == i || j - i > 2) return {};
        t.append(v.substr(i, j - i));
        ++gruppi;
        if (j == v.size()) break;
        const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(v[j])));
        if (c == 'S' && j + 1 == v.size()) break;
        if ((c != 'H' && c != 'M') || j + 1 == v.size()) return {};
        t.push_back(':');
        i = j + 1;
    }
    return gruppi >= 2 && t.find(':') != std::string::npos ? t : std::string();
}

// Signs a telephone does not dial among a number's digits: spaces, dashes, brackets, points, or
// a word ("RG 612-804-4082", "CLI Num: 0555..."). A lone letter between digits (a pause) and
// * # + are dialled.
bool Decorato(std::string_view v) {
    for (size_t i = 0; i < v.size(); ++i) {
        const char c = v[i];
        if (Cifra(c) || c == '*' || c == '#' || c == '+') continue;
        const bool lettera = std::isalpha(static_cast<unsigned char>(c)) != 0;
        if (!lettera) return true;
        const bool dopo =
            i + 1 < v.size() && std::isalpha(static_cast<unsigned char>(v[i + 1])) != 0;
        const bool prima = i > 0 && std::isalpha(static_cast<unsigned char>(v[i - 1])) != 0;
        if (dopo || prima) return true;
    }
    return false;
}
// The most digits of a value in one run of digits and the signs printed among a number's
// digits (0555 123-456: 10; "pn01" <5300>: 4).
size_t CifreInFila(std::string_view v) {
    size_t massimo = 0, corsa = 0;
    for (char c : v) {
        if (Cifra(c))
            ++corsa;
        else if (c != ' ' && c != '-' && c != '.' && c != '(' && c != ')' && c != '/')
            corsa = 0;
        massimo = std::max(massimo, corsa);
    }
    return massimo;
}
bool Lettera(char c) {
    const auto u = static_cast<unsigned char>(c);
    return std::isalpha(u) || u >= 0xC0;
}
bool Alnum(char c) { return Cifra(c) || Lettera(c); }

std::string Maiusc(std::string_view s) { return Maiuscolo(s); }
std::string Num(long long n) { return std::to_string(n); }

// The lengths of text a format can read: a run of two or more letters takes that many
// digits, a single letter one or two (hours, minutes and seconds up to two as well), AM/PM two.
void Lunghezze(Formato& f) {
    const std::string& t = f.sTesto;
    size_t lo = 0, hi = 0;
    for (size_t i = 0; i < t.size();) {
        const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(t[i])));
        if (UgualeNoCase(t.substr(i, 5), "AM/PM")) {
            lo += 2, hi += 2, i += 5;
            continue;
        }
        if (UgualeNoCase(t.substr(i, 3), "A/P")) {
            lo += 1, hi += 1, i += 3;
            continue;
        }
        if (c == 'g' || c == 'm' || c == 'a' || c == 'h' || c == 's') {
            size_t n = 0;
            while (i + n < t.size() && std::tolower(static_cast<unsigned char>(t[i + n])) == c) ++n;
            if (n == 1) {
                lo += 1, hi += 2;
            } else {
                lo += n, hi += n;
            }
            i += n;
            continue;
        }
        ++lo, ++hi, ++i;
    }
    if (t.size() == 2 && t == "ss") lo = 1, hi = 6;
    f.iMin = lo;
    f.iMax = hi;
}

Formato FaiFormato(int16_t codice, const std::string& testo) {
    Formato f;
    f.iCodice = codice;
    f.sTesto = testo;
    f.f = clsFormatoDataOra(testo);
    f.bData = f.f.EData();
    const std::string m = Maiusc(testo);
    f.bOre = m.find('H') != std::string::npos;
    f.bSecondi = m.find('S') != std::string::npos;
    f.bMeridiano = m.find("A/P") != std::string::npos || m.find("AM/PM") != std::string::npos;
    for (char c : m)
        if (!Lettera(c)) f.bLetterale = true;
    f.bSolo = m == "SS";
    Lunghezze(f);
    return f;
}

struct Pezzo {
    int a = 0, b = 0;  // [a, b) on the line, from 0
};

// A value a format read on a line.
struct Valore {
    size_t iRiga = 0;  // index of the line
    int a = 0, b = 0;
    ValoreDataOra v;
    bool bIncollato = false;  // digits touch it on a side
};

// Values of one format sharing where they start or end: one column of the printout.
struct Colonna {
    size_t iFormato = 0;
    std::vector<Valore> vValori;  // one per line at most, in line order
    int a = 0, b = 0;             // the window holding every value
    bool bDestra = false;         // the values end together
    bool bLettere = false;        // hours and minutes ended by letters (00H02M13)
    bool bImpaccata = false;      // split out of runs of digits by what the runs show
    size_t Righe() const { return vValori.size(); }
    int Incollati() const {
        int n = 0;
        for (const auto& v : vValori) n += v.bIncollato;
        return n;
    }
    const Valore* Su(size_t riga) const {
        auto it = std::lower_bound(vValori.begin(), vValori.end(), riga,
                                   [](const Valore& v, size_t r) { return v.iRiga < r; });
        return it != vValori.end() && it->iRiga == riga ? &*it : nullptr;
    }
};

// A column of text between blanks on every call line.
struct Segmento {
    int a = 0, b = 0;
    size_t iPieni = 0;   // call lines where it holds text
    size_t iCifre = 0;   // of them, text of digits (with * # + - and a prefix)
    size_t iIntere = 0;  // of them, digits only
    size_t iLunghezzaMax = 0;
    double dLunghezzaMedia = 0;
    std::set<std::string> distinti;
    bool bSinistra = true;  // the values start together
    std::string sIntestazione;
    std::string sRuolo;
    bool bValuta = false;      // a cost printed with its decimals
    bool bDecorato = false;    // digits printed among other signs on some lines
    std::string sSegnoInCoda;  // of them, only one sign after the digits (a mark: 0114416...?)
    std::string sEtichetta;    // letters before the digits of every value (DN2001): a label
    bool bCorto = false;       // cut to the length of most values: the others run on into a code
    bool bEsatto = false;      // a part of a value: read at its own columns, never widened
};

// The one sign a telephone does not dial that some values print after their digits and no
// value prints elsewhere (a mark for a number too long to print, 011441615550123?); "" when
// the values hold other signs.
std::string SegnoInCoda(const std::set<std::string>& valori) {
    std::string segno;
    for (const auto& v : valori) {
        if (v.empty()) continue;
        const char c = v.back();
        const bool marca = !Alnum(c) && c != '*' && c != '#' && c != '+';
        const std::string resto = marca ? v.substr(0, v.size() - 1) : v;
        if (Decorato(resto)) return {};
        if (!marca) continue;
        if (!segno.empty() && segno.front() != c) return {};
        segno = std::string(1, c);
    }
    return segno;
}

class Proponitore {
  public:
    Proponitore(std::string_view sByte, const MappaFormati& formati)
        : msByte(sByte), mFormatiCatalogo(formati) {}

    Proposta Esegui();

  private:
    void Inquadra();
    void LeggiRighe();
    void TrovaFormati();
    void TrovaValori();
    void Spaziati(size_t r, size_t f, std::map<std::tuple<size_t, int, int>, Colonna>& perInizio,
                  std::map<std::tuple<size_t, int, int>, Colonna>& perFine) const;
    void TrovaColonne();
    void Impaccate();
    void ImpaccateRestanti();
    void DividiIncollati();
    bool ScegliRigheChiamata();
    // Separated fields under a heading with no time of day on most records: the records are the
    // calls, told by a field that holds the same text on every one.
    bool RecordSenzaOra(const Colonna* migliore);
    int miCostanteA = -1, miCostanteB = -1;
    std::string msCostante;
    void EventiDiSeguito();
    void ScegliDate();
    void ScegliTempi();
    void DurataFraDueOre();
    void ScegliDirezione();
    void TrasferiteDallaForma();
    void Messaggi();
    bool SegnoSuNonRisposte(int a, const std::string& segno,
                            const std::map<int, std::map<std::string, size_t>>& perColonna);
    void CampiDellAltroTipo(bool bVersoEntranti);
    bool EntrantiDaGiunzione(const std::map<int, std::map<std::string, size_t>>& colonne);
    void Identificativi(std::vector<Segmento>& segmenti, const std::vector<size_t>& righe);
    std::optional<std::pair<int, std::map<std::string, char>>> DirezioneDaCifra(
        const std::map<int, std::map<std::string, size_t>>& colonne);
    bool EntrantiDallaForma(const std::map<int, std::map<std::string, size_t>>& colonne);
    bool EntrantiSenzaAddebito();
    bool EntrantiDalloSquillo(const std::map<int, std::map<std::string, size_t>>& colonne);
    void RecordDiServizio();
    std::string PrimiTesti(const std::set<size_t>& righe, int a, int b) const;
    void ScegliSegmenti();
    void RuoliDelTipoMaggiore(size_t iEntranti, size_t iUscenti);
    void AltreRighe();
    std::string SenzaSeconda(const std::string& segno, bool bEntranti) const;
    void DurataInSecondi();
    void SecondiIncollati();
    void DurataInDecimi();
    void DurateDaIntestazione();
    void MeridianoFacoltativo();
    bool EntrantiDaScambio();
    void RuoliDaScambio();
    void TrasferiteDaCoppie();
    void SeguitoNelRecordDopo();
    void CommessaInFondo();
    void TrasferimentoIncollato();
    void RispostaConAsterischi();
    // The format that reads a count of seconds alone (the catalogue's first); past the end of
    // mvFormati when there is none.
    size_t FormatoSecondi() const;
    // A column read as hours and minutes (00:24), read instead as minutes and seconds by
    // another format on the same values; nothing when no format does.
    std::optional<Colonna> MinutiESecondi(const Colonna& c) const;
    // Columns a to b of the call lines as a column of that format, a value per line with text.
    Colonna Conteggi(int a, int b, size_t iFormato) const;
    std::vector<Segmento> Segmenti(const std::vector<size_t>& righe);
    void DurataInTreCampi();
    void ZeroSuUnTipo();
    void NumeroOParola();
    void PortaComeDerivato(Segmento& g, const std::vector<size_t>& righe);
    void ScattiDelCosto(std::vector<Segmento>& segmenti, const std::vector<size_t>& righe);
    std::set<std::pair<int, int>> mScattiCosto, mPorte,
        mScattiZero;  // pulses told so, by their columns
    std::set<int> TagliIncollati(const std::vector<size_t>& righe,
                                 const std::vector<size_t>& pieni) const;
    // An extension printed with a letter for the kind of party (E201) whose digits another
    // column prints bare (201) on every line: the bare one is the extension.
    bool NudoAltrove(const Segmento& g, const std::vector<Segmento>& segmenti,
                     const std::vector<size_t>& righe) const;
    // The share of the lines with text in the column that hold a trunk (T and digits), when the
    // others hold a party with digits too; 0 otherwise.
    double QuotaGiunzioni(const Segmento& g, const std::vector<size_t>& righe) const;
    void LineaDelCanale(std::vector<Segmento>& segmenti, const std::vector<size_t>& righe);
    void InternoAssente(bool bEntranti);
    void ScattiSenzaNome(bool bEntranti);
    // A count with no heading, zero-padded to one width on every call, that grows with the
    // duration: the pulses.
    bool ScattiDallaDurata(const Segmento& g, const std::vector<size_t>& righe) const;
    void Componi();

    std::string Intestazione(int a, int b) const;
    // The words naming columns [a, b): the heading's, or a separated field's name with its
    // camel case parted (callingPartyNumber: CALLING PARTY NUMBER).
    std::string Parole(int a, int b) const;
    std::string Testo(size_t riga, int a, int b) const;
    int16_t Codice(size_t iFormato);
    void Voce(Ambito ambito, std::string titolo, std::string testo, bool incerto = false,
              bool entranti = false, std::string campo = {}, int a = 0, int b = 0) {
        VoceProposta v;
        v.ambito = ambito;
        v.sTitolo = std::move(titolo);
        v.sTesto = std::move(testo);
        v.bIncerto = incerto;
        v.bEntranti = entranti;
        v.sCampo = std::move(campo);
        if (b > a) {
            v.iRiga = 1;
            v.iInizio = static_cast<int16_t>(a + 1);
            v.iLunghezza = static_cast<int16_t>(b - a);
            int16_t nel = 0;
            if (mbSeparati) InCampo(a, b, v.iInizio, v.iLunghezza, nel);
            if (miLarghezzaRiga) {
                v.iRiga = static_cast<int16_t>(1 + a / miLarghezzaRiga);
                v.iInizio = static_cast<int16_t>(a % miLarghezzaRiga + 1);
            }
        }
        mP.vVoci.push_back(std::move(v));
    }
    std::string PrimiValori(const Colonna& c, size_t n = 3) const;

    std::string_view msByte;
    const MappaFormati& mFormatiCatalogo;
    Proposta mP;
    std::vector<clsPrescanning> mvPrescanning;
    std::vector<std::string> mvRighe;  // as the engine reads them
    std::vector<uint64_t> mvNumeri;    // their numbers in the printout
    std::vector<Formato> mvFormati;
    std::vector<Colonna> mvCandidate;             // every column found
    std::vector<bool> mvChiamata;                 // line index -> a call line
    std::vector<size_t> mvChiamate;               // the call lines
    std::vector<size_t> mvIntestazioni;           // lines of words above the calls
    std::vector<std::pair<int, int>> mvOccupate;  // windows taken by a field
    std::map<size_t, int16_t> mCodiciNuovi;
    size_t miSaltiPagina = 0;
    // A printout of separated fields is read as columns: each field of a record is laid at
    // columns of its own (field k from miColonna[k], miLarghezza[k] wide), and the columns
    // found are given back as field numbers.
    bool mbSeparati = false;
    char mcSeparatore = 0;
    std::vector<int> mvColonna, mvLarghezza;
    std::vector<std::string> mvNomi;  // the heading's names, when there is one
    size_t miIntestazione = 0;        // heading lines
    bool ProvaSeparati();
    // Records whose pieces are not their fields one to one: the field holding separators
    // without quotes (read from the start before it, from the end after it; -1 none), the
    // fields every record holds, and what was found, for the evidence.
    int miVariabile = -1;
    bool mbPari = false;  // another field would fit as well
    size_t miComuni = 0;
    std::string msPezzi;
    size_t CampiDeiRecord(const std::vector<std::vector<std::string>>& pezzi, size_t comuni,
                          const std::function<bool(std::string_view)>& dataOra);
    // Fields separated by one blank: the count of words on most lines, when the words stand at
    // other columns from line to line; 0 otherwise.
    size_t ParoleSeparate(size_t iEsame, size_t& rRighe) const;
    // Where columns [a, b) stand, as the technician reads it: "colonne 5-9" or "campo 3 (start)".
    std::string Dove(int a, int b) const;
    // Columns to a field: its number (from 1), the first character taken inside it (0: the
    // first) and how many (0: to its end).
    void InCampo(int a, int b, int16_t& rInizio, int16_t& rLunghezza, int16_t& rNel) const;
    void PosizioniInCampi();
    // Calls on several lines, each opened by a line of one shape: the lines of a call are laid
    // side by side on one line, miLarghezzaRiga columns each, and every position found there
    // comes back as a line of the call and a column on it.
    int miLarghezzaRiga = 0;  // 0: a call starts on the line that holds its time
    int miRigheBlocco = 0;
    std::string msApre;
    int miApreA = -1;
    bool InBlocchi();
    // Calls always on the same number of lines (blank lines counted), with no opener mark.
    bool mbRigheVuoteInChiamata = false;
    // Columns where a letter of a direction code is glued before the number on every call.
    std::set<int> mCodiciIncollati;
    void CodiciIncollati(std::map<int, std::map<std::string, size_t>>& perColonna);
    bool InCiclo();
    void CodiciSuAltreRighe();
    std::vector<std::pair<int, std::string>> mvDirAltre;  // incoming codes on other lines
    void PosizioniInBlocchi();
    // A kind printed on two lines: its second line's mark, where it stands, and the kind.
    std::string msSeconda;
    int miSecondaA = -1;
    bool mbSecondaEntranti = false;

    // What was chosen.
    std::optional<Colonna> mOra;       // the time found on most lines
    std::optional<Colonna> mData;      // on the call lines
    std::optional<Colonna> mDataRiga;  // on a line of its own
    struct Tempo {
        Colonna c;
        std::string sCampo;
        // Minutes and tenths (2.3): the point taken out, the words (NOANS) blanked, the
        // tenths turned into seconds.
        bool bDecimi = false;
        std::set<std::string> parole;
    };
    std::vector<Tempo> mvTempi;
    // Direction: the column, and each value's kind ('E', 'U', 'e' incoming transferred,
    // 'u' outgoing transferred, 'T' transferred of either kind, '?' unknown).
    int miDirA = -1, miDirB = -1;
    // Without codes: the column only incoming calls print text in.
    int miFormaA = -1, miFormaB = -1;
    std::string msFormaValore;  // the text the incoming calls hold there ("": any)
    int miSquilloA = -1;        // where a ringing time in minutes and tenths starts
    // A transfer code split by the lines' shape: incoming where text stands at the column.
    std::string msTrasfForma;
    int miTrasfFormaA = -1;
    std::map<std::string, char> mDirValori;
    int miTrasfA = -1, miTrasfB = -1;
    std::string msTrasf;
    std::vector<char> mvTipo;                         // per call line: 'E' or 'U'
    std::map<bool, std::vector<Segmento>> mSegmenti;  // by kind: incoming true
    std::set<std::pair<int, int>> mContatori;
    std::set<std::pair<int, bool>> mIdentificativi;  // said: column, incoming
    std::set<std::pair<int, int>> mCommesse;         // account codes told by their place alone
    // A count glued before the direction code: the units, on both kinds.
    int miScattiA = -1, miScattiB = -1;
    // A column every call prints in and the records of the system leave blank.
    int miServizioA = -1;
    // Replacements on a time's columns before it is read, by its columns: the blank of a
    // 12-hour clock's missing mark becomes the other letter, the stars of a count never
    // reached become blanks.
    std::map<std::pair<int, int>, std::vector<std::pair<std::string, std::string>>> mRimpiazzi;
    // Where a party of fixed width ends on the incoming lines that glue the caller's number to
    // it: their columns are cut there.
    int miTaglioEntranti = -1;
    // The two party columns that swap: the first on the outgoing lines holds the extension,
    // on the incoming the trunk; -1 when none.
    int miScambioA = -1, miScambioB = -1;
    // Record-type codes printed only on the records of one call printed twice (a transfer),
    // at this column.
    int miCoppiaA = -1;
    std::set<std::string> mCodiciCoppia;
    std::vector<std::pair<size_t, size_t>> mvCoppie;
    std::vector<PezzoCifre> mvPezziImpaccati;  // the fields split out of runs of digits
    std::set<int> mConfini;  // columns where a field begins inside digits printed glued
    // Codes of records that are events of a call already printed, and where they stand.
    std::set<std::string> mEventi;
    int miEventiA = -1;
};

std::string Proponitore::Testo(size_t riga, int a, int b) const {
    const std::string& s = mvRighe[riga];
    if (a >= static_cast<int>(s.size())) return {};
    return s.substr(static_cast<size_t>(a),
                    static_cast<size_t>(std::min<int>(b, static_cast<int>(s.size())) - a));
}

std::string Proponitore::PrimiValori(const Colonna& c, size_t n) const {
    std::string s;
    for (size_t i = 0; i < c.vValori.size() && i < n; ++i) {
        if (i) s += ", ";
        const Valore& v = c.vValori[i];
        s += std::string(TogliSpazi(Testo(v.iRiga, v.a, v.b)));
    }
    return s;
}

int16_t Proponitore::Codice(size_t iFormato) {
    const Formato& f = mvFormati[iFormato];
    if (f.iCodice) return f.iCodice;
    if (auto it = mCodiciNuovi.find(iFormato); it != mCodiciNuovi.end()) return it->second;
    int16_t ultimo = 0;
    for (const auto& [codice, testo] : mFormatiCatalogo) ultimo = std::max(ultimo, codice);
    for (const auto& n : mP.vFormatiNuovi) ultimo = std::max(ultimo, n.iCodice);
    const auto codice = static_cast<int16_t>(ultimo + 1);
    mP.vFormatiNuovi.push_back({codice, f.sTesto, f.bData});
    mCodiciNuovi[iFormato] = codice;
    Voce(Ambito::Formato, f.sTesto,
         "il catalogo non ha un formato che legga questi valori: \"" + f.sTesto +
             "\" \xE8 proposto come nuovo formato " + (f.bData ? "di data" : "di ora") +
             " con il codice " + Num(codice));
    return codice;
}

// 1. Framing.
void Proponitore::Inquadra() {
    std::array<size_t, 256> conta{};
    for (char c : msByte) ++conta[static_cast<unsigned char>(c)];
    const size_t fini = conta['\n'] + conta['\r'];
    // Records closed by a control character and no line ends.
    if (fini * 200 < msByte.size()) {
        int migliore = -1;
        for (int c : {3, 4, 23, 30, 0x1F}) {
            if (conta[static_cast<size_t>(c)] >= 2 &&
                (migliore < 0 ||
                 conta[static_cast<size_t>(c)] > conta[static_cast<size_t>(migliore)]))
                migliore = c;
        }
        if (migliore >= 0) {
            const std::string nome = TestoVisibile(std::string(1, static_cast<char>(migliore)));
            mvPrescanning.push_back({"SeparatoreRecord", nome});
            Voce(Ambito::Stampa, "Record senza fine riga",
                 Num(static_cast<long long>(msByte.size())) + " byte con " +
                     Num(static_cast<long long>(fini)) + " fine riga e " +
                     Num(static_cast<long long>(conta[static_cast<size_t>(migliore)])) +
                     " caratteri " + nome + ": ogni " + nome +
                     " chiude un record (SeparatoreRecord)");
        }
    }
    size_t controlli = 0;
    for (int c = 0; c < 32; ++c)
        if (c != '\t' && c != '\n' && c != '\r' && c != '\f')
            controlli += conta[static_cast<size_t>(c)];
    // A form feed before text stays as the line's first character and moves its columns.
    for (size_t i = msByte.find('\f'); i != std::string_view::npos; i = msByte.find('\f', i + 1))
        if (i + 1 < msByte.size() && msByte[i + 1] != '\r' && msByte[i + 1] != '\n' &&
            msByte[i + 1] != '\f')
            ++controlli;
    controlli += conta[127];
    if (controlli > 0) {
        mvPrescanning.push_back({"TogliControlli", "S"});
        std::string nomi;
        for (int c = 0; c < 32; ++c) {
            if (c == '\t' || c == '\n' || c == '\r' || !conta[static_cast<size_t>(c)]) continue;
            if (!nomi.empty()) nomi += " ";
            nomi += TestoVisibile(std::string(1, static_cast<char>(c)));
        }
        Voce(Ambito::Stampa, "Caratteri di controllo",
             Num(static_cast<long long>(controlli)) + " caratteri di controllo nelle righe (" +
                 nomi +
                 "): sono tolti da ogni riga (TogliControlli), le posizioni contano il resto");
    }
}

clsDriver DriverBase(const std::vector<clsPrescanning>& prescanning) {
    clsDriver d;
    d.mbIngnoraRigheVuote = true;
    if (!prescanning.empty()) {
        d.mbConPrescanning = true;
        d.mcolPrescanning.emplace();
        for (const auto& p : prescanning) d.mcolPrescanning->Add(p, p.sEntry);
    }
    return d;
}

void Proponitore::LeggiRighe() {
    const clsDriver d = DriverBase(mvPrescanning);
    const clsLetturaCampione lettura(d, mFormatiCatalogo, msByte);
    for (const auto& r : lettura.Righe()) {
        if (r.iPezzo > 1) continue;
        // A form feed left at a line's start is a page break, not a character of the line.
        std::string s = r.sTesto;
        if (!s.empty() && s.front() == '\f') ++miSaltiPagina;
        while (!s.empty() && s.front() == '\f') s.erase(0, 1);
        while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.pop_back();
        if (s.empty()) continue;
        mvRighe.push_back(std::move(s));
        mvNumeri.push_back(r.iNumero);
        if (mvRighe.size() >= 2000) break;  // enough to learn the columns from
    }
}

// 2. Values.
void Proponitore::TrovaFormati() {
    std::set<std::string> visti;
    for (const auto& [codice, testo] : mFormatiCatalogo) {
        mvFormati.push_back(FaiFormato(codice, testo));
        visti.insert(Maiusc(testo));
    }
    // Common ones the catalogue lacks are proposed as new formats when they read a column.
    for (const char* t : FormatiComuni())
        if (!visti.count(Maiusc(t))) mvFormati.push_back(FaiFormato(0, t));
    // Dates of three parts printed with blanks between them (03 16 26): each date of fixed
    // length with one separator is tried with blanks in its place.
    const size_t formati = mvFormati.size();
    for (size_t f = 0; f < formati; ++f) {
        const Formato& fm = mvFormati[f];
        if (!fm.bData || fm.f.ETempo() || fm.iMin != fm.iMax || fm.sTesto.size() != fm.iMin)
            continue;
        std::string spaziato = fm.sTesto;
        std::set<char> separatori;
        for (char& c : spaziato)
            if (!Lettera(c)) separatori.insert(c), c = ' ';
        if (separatori.size() != 1 || *separatori.begin() == ' ' ||
            std::count(spaziato.begin(), spaziato.end(), ' ') != 2 ||
            !visti.insert(Maiusc(spaziato)).second)
            continue;
        mvFormati.push_back(FaiFormato(0, spaziato));
    }
    // Month and day without a year, glued to the time (1222080114) or alone on a line (1207):
    // four digits anywhere else are too often a number.
    for (const char* t : {"mmgg", "ggmm"})
        if (!visti.count(Maiusc(t))) {
            mvFormati.push_back(FaiFormato(0, t));
            mvFormati.back().bImpaccato = true;
        }
}

// A value whose parts are separated by blanks (03 16 26): found where its digits and blanks
// stand, a whole value only (no run of digits one blank before or after it: 8 11 32145677 is
// no date), never glued to other digits.
void Proponitore::Spaziati(size_t r, size_t f,
                           std::map<std::tuple<size_t, int, int>, Colonna>& perInizio,
                           std::map<std::tuple<size_t, int, int>, Colonna>& perFine) const {
    const std::string& s = mvRighe[r];
    const Formato& fm = mvFormati[f];
    const std::string& schema = fm.sTesto;
    const size_t L = schema.size();
    const CodiciMesi mesi{};
    // Digits alone from x to the next blank.
    const auto cifre = [&](size_t x, int passo) {
        size_t n = 0;
        for (auto i = static_cast<long>(x); i >= 0 && i < static_cast<long>(s.size()); i += passo) {
            const char c = s[static_cast<size_t>(i)];
            if (c == ' ' || c == '\t') break;
            if (!Cifra(c)) return false;
            ++n;
        }
        return n > 0;
    };
    for (size_t i = 0; i + L <= s.size(); ++i) {
        bool va = true;
        for (size_t j = 0; j < L && va; ++j)
            va = Lettera(schema[j]) ? Cifra(s[i + j]) : s[i + j] == schema[j];
        if (!va) continue;
        if ((i > 0 && s[i - 1] != ' ') || (i + L < s.size() && s[i + L] != ' ')) continue;
        if ((i >= 2 && cifre(i - 2, -1)) || (i + L + 1 < s.size() && cifre(i + L + 1, 1))) continue;
        const auto v = fm.f.Leggi(std::string_view(s.data() + i, L), mesi);
        if (!v) continue;
        const Valore val{r, static_cast<int>(i), static_cast<int>(i + L), *v};
        for (auto* m : {&perInizio, &perFine}) {
            auto& col = (*m)[{f, m == &perInizio ? val.a : val.b, 0}];
            col.iFormato = f;
            col.bDestra = m == &perFine;
            if (col.vValori.empty() || col.vValori.back().iRiga != r) col.vValori.push_back(val);
        }
    }
}

void Proponitore::TrovaValori() {
    // Formats are tried one text at a time: whole tokens first, then the token after a prefix
    // that is not a digit (S=226, *10:31AM, <I>...), and only for a token nothing read, its
    // start and end at each fixed length (14.12.2608:02:41 holds a date and a time).
    std::map<std::tuple<size_t, int, int>, Colonna> perInizio, perFine;
    const CodiciMesi mesi{};
    for (size_t r = 0; r < mvRighe.size(); ++r) {
        const std::string& s = mvRighe[r];
        std::vector<Pezzo> pezzi;
        for (int i = 0, n = static_cast<int>(s.size()); i < n;) {
            if (s[static_cast<size_t>(i)] == ' ' || s[static_cast<size_t>(i)] == '\t') {
                ++i;
                continue;
            }
            int j = i;
            while (j < n && s[static_cast<size_t>(j)] != ' ' && s[static_cast<size_t>(j)] != '\t')
                ++j;
            pezzi.push_back({i, j});
            i = j;
        }
        // Two tokens one blank apart may be one value: "12:00 PM" is not common, "01/05 08:02A"
        // is two; only the 12-hour clocks with a blank ("8:47 AM") are joined.
        for (const Pezzo& p : pezzi) {
            std::vector<Pezzo> prove{p};
            int k = p.a;
            int primaCifra = -1;
            for (int i = p.a; i < p.b; ++i)
                if (Cifra(s[static_cast<size_t>(i)])) {
                    primaCifra = i;
                    break;
                }
            if (primaCifra < 0) continue;
            for (int i = p.a; i < primaCifra; ++i)
                if (!Alnum(s[static_cast<size_t>(i)])) k = i + 1;
            if (k > p.a && k < p.b) prove.push_back({k, p.b});
            // A count alone ("ss") only after a name that ends in = or : (S=226).
            const bool conNome = k > p.a && (s[static_cast<size_t>(k - 1)] == '=' ||
                                             s[static_cast<size_t>(k - 1)] == ':');
            auto prova = [&](Pezzo q, bool intero) {
                const std::string_view t(s.data() + q.a, static_cast<size_t>(q.b - q.a));
                if (!Cifra(t.front())) return;
                for (size_t f = 0; f < mvFormati.size(); ++f) {
                    const Formato& fm = mvFormati[f];
                    if (t.size() < fm.iMin || t.size() > fm.iMax) continue;
                    if (fm.bSolo && !(conNome && q.a == k)) continue;
                    if (fm.bImpaccato && !(intero && pezzi.size() == 1 && q.a == p.a)) continue;
                    // Inside a longer token only formats with separators are looked for: a
                    // run of digits holds a date or a time anywhere.
                    if (!intero && (fm.iMin != fm.iMax || !fm.bLetterale)) continue;
                    auto v = fm.f.Leggi(t, mesi);
                    if (!v) continue;
                    if (fm.bOre && !fm.bMeridiano && v->iOre > 23 && fm.sTesto.size() <= 5)
                        continue;
                    Valore val{r, q.a, q.b, *v};
                    for (auto* m : {&perInizio, &perFine}) {
                        auto& col = (*m)[{f, m == &perInizio ? q.a : q.b, 0}];
                        col.iFormato = f;
                        col.bDestra = m == &perFine;
                        if (col.vValori.empty() || col.vValori.back().iRiga != r)
                            col.vValori.push_back(val);
                    }
                }
            };
            for (const Pezzo& q : prove) prova(q, true);
            // Hours, minutes and seconds ended by letters (00H02M13, 2h05m13s): read as if the
            // letters were colons; the driver replaces them before the field is read.
            if (const std::string normale =
                    SenzaLettere(std::string_view(s.data() + p.a, static_cast<size_t>(p.b - p.a)));
                !normale.empty() && !mbSeparati)
                for (size_t f = 0; f < mvFormati.size(); ++f) {
                    const Formato& fm = mvFormati[f];
                    if (fm.bData || !fm.bOre || fm.bMeridiano || normale.size() < fm.iMin ||
                        normale.size() > fm.iMax || fm.sTesto.find(':') == std::string::npos)
                        continue;
                    const auto v = fm.f.Leggi(normale, mesi);
                    if (!v) continue;
                    const Valore val{r, p.a, p.b, *v};
                    for (auto* m : {&perInizio, &perFine}) {
                        auto& col = (*m)[{f, m == &perInizio ? val.a : val.b, 1}];
                        col.iFormato = f;
                        col.bDestra = m == &perFine;
                        col.bLettere = true;
                        if (col.vValori.empty() || col.vValori.back().iRiga != r)
                            col.vValori.push_back(val);
                    }
                }
            // A long run of digits may open with a time of fixed length (0814002579: 08:14,
            // then what follows); the column then tells whether it is one.
            const std::string_view tutto(s.data() + p.a, static_cast<size_t>(p.b - p.a));
            if (mbSeparati || tutto.size() <= 6 ||
                !std::all_of(tutto.begin(), tutto.begin() + 7, Cifra))
                continue;
            for (size_t f = 0; f < mvFormati.size(); ++f) {
                const Formato& fm = mvFormati[f];
                if (!fm.bOre || fm.bData || fm.bLetterale || fm.iMin != fm.iMax || fm.iMin < 4 ||
                    fm.iMin >= tutto.size())
                    continue;
                const auto v = fm.f.Leggi(tutto.substr(0, fm.iMin), mesi);
                if (!v || v->iOre > 23) continue;
                const Valore val{r, p.a, p.a + static_cast<int>(fm.iMin), *v, true};
                for (auto* m : {&perInizio, &perFine}) {
                    auto& col = (*m)[{f, m == &perInizio ? val.a : val.b, 0}];
                    col.iFormato = f;
                    col.bDestra = m == &perFine;
                    if (col.vValori.empty() || col.vValori.back().iRiga != r)
                        col.vValori.push_back(val);
                }
            }
        }
        // Values glued to others (14.12.2608:02:41, 1000004200:00:42...): a format of fixed
        // length with separators is looked for wherever its separators stand among digits.
        // Separated fields have their boundaries already.
        for (size_t f = 0; f < mvFormati.size() && !mbSeparati; ++f) {
            const Formato& fm = mvFormati[f];
            if (fm.iMin != fm.iMax || !fm.bLetterale || fm.bMeridiano) continue;
            const size_t L = fm.iMin;
            const std::string& schema = fm.sTesto;
            if (schema.size() != L) continue;
            if (schema.find(' ') != std::string::npos) {
                Spaziati(r, f, perInizio, perFine);
                continue;
            }
            for (size_t i = 0; i + L <= s.size(); ++i) {
                bool va = true;
                for (size_t j = 0; j < L && va; ++j) {
                    const char c = s[i + j];
                    va = Lettera(schema[j]) ? Cifra(c) : c == schema[j];
                }
                if (!va) continue;
                // Whole values only: not a piece of a longer value of the same shape
                // (08:02 of 08:02:41, 12/08/20 of 12/08/2026).
                auto separa = [&](char c) {
                    return schema.find(c) != std::string::npos && !Lettera(c);
                };
                const bool prima =
                    i > 0 && (separa(s[i - 1]) || (Cifra(s[i - 1]) && i > 1 && separa(s[i - 2])));
                const bool dopo = i + L < s.size() &&
                                  (separa(s[i + L]) || (Cifra(s[i + L]) && i + L + 1 < s.size() &&
                                                        separa(s[i + L + 1])));
                if (prima || dopo) continue;
                const bool incollato =
                    (i > 0 && Cifra(s[i - 1])) || (i + L < s.size() && Cifra(s[i + L]));
                const std::string_view t(s.data() + i, L);
                auto v = fm.f.Leggi(t, mesi);
                if (!v) continue;
                if (fm.bOre && v->iOre > 23 && schema.size() <= 5) continue;
                Valore val{r, static_cast<int>(i), static_cast<int>(i + L), *v, incollato};
                for (auto* m : {&perInizio, &perFine}) {
                    auto& col = (*m)[{f, m == &perInizio ? val.a : val.b, 0}];
                    col.iFormato = f;
                    col.bDestra = m == &perFine;
                    if (col.vValori.empty() || col.vValori.back().iRiga != r)
                        col.vValori.push_back(val);
                }
            }
        }
    }
    for (auto* m : {&perInizio, &perFine})
        for (auto& [k, c] : *m) {
            if (c.vValori.size() < 2) continue;
            // Digits read inside longer digits must change from call to call as times do
            // (122208 on every line is a date and an hour, not a time).
            if (c.Incollati() == static_cast<int>(c.Righe()) && !mvFormati[c.iFormato].bLetterale) {
                std::set<long long> diversi;
                for (const auto& v : c.vValori) diversi.insert(v.v.TotaleSecondi());
                if (diversi.size() * 10 < c.Righe() * 6) continue;
            }
            // Pairs of digits between blanks are as likely a trunk, an extension and a code:
            // a date stays or moves forward by less than a month from one call to the next
            // (on four steps in five at least).
            if (mvFormati[c.iFormato].sTesto.find(' ') != std::string::npos) {
                const auto giorni = [](const ValoreDataOra& v) {
                    return std::max(v.iAnno, 0) * 372 + std::max(v.iMese, 0) * 31 +
                           std::max(v.iGiorno, 0);
                };
                size_t avanti = 0;
                for (size_t i = 1; i < c.vValori.size(); ++i) {
                    const int passo = giorni(c.vValori[i].v) - giorni(c.vValori[i - 1].v);
                    avanti += passo >= 0 && passo < 31;
                }
                if (avanti * 5 < (c.vValori.size() - 1) * 4) continue;
            }
            c.a = c.vValori.front().a;
            c.b = c.vValori.front().b;
            for (const auto& v : c.vValori) {
                c.a = std::min(c.a, v.a);
                c.b = std::max(c.b, v.b);
            }
            mvCandidate.push_back(std::move(c));
        }
}

// Fields glued into runs of digits that stand at the same columns (a date and a time twice, a
// time and what follows it): split where the runs end on some lines and where the formats read
// valid values that change as dates and times do. The fields of the likeliest reading stand for
// whatever else was read inside those runs.
void Proponitore::Impaccate() {
    if (mbSeparati) return;
    std::vector<std::string> testi;
    for (const auto& f : mvFormati) testi.push_back(f.sTesto);
    auto descrivi = [&](const PezzoCifre& p) {
        return (p.bDecimi
                    ? std::string("durata in ore, minuti e decimi di minuto")
                    : (p.bDurata ? "durata " : "") + ("\"" + mvFormati[p.iFormato].sTesto + "\"")) +
               " in " + Dove(p.a, p.b);
    };
    auto valore = [](const PezzoCifre& p) {
        const ValoreDataOra& v = p.vValori.front().second;
        return p.bData ? v.TestoData() : p.bDurata ? Num(v.TotaleSecondi()) + " s" : v.TestoOra();
    };
    for (const CorsaCifre& corsa : DividiCifre(mvRighe, testi)) {
        // Runs that hold no reading hold no time either (a number dialled that opens with
        // digits a time format reads).
        const std::set<size_t> righe(corsa.vRighe.begin(), corsa.vRighe.end());
        std::erase_if(mvCandidate, [&](const Colonna& c) {
            const Formato& f = mvFormati[c.iFormato];
            if (f.bLetterale || c.a < corsa.a || c.b > corsa.b) return false;
            if (corsa.vLetture.empty() && f.bData) return false;
            size_t dentro = 0;
            for (const auto& v : c.vValori) dentro += righe.count(v.iRiga);
            return dentro * 2 >= c.Righe();
        });
        if (corsa.vLetture.empty()) continue;
        const LetturaCifre& scelta = corsa.vLetture.front();
        std::string campi;
        bool data = false;
        for (const PezzoCifre& p : scelta.vPezzi) {
            campi += (campi.empty() ? "" : ", ") + descrivi(p) + " (" + valore(p) + ")";
            mvPezziImpaccati.push_back(p);
            // The call's date is the first one (of the start); the others stay apart.
            if (p.bDecimi || (p.bData && data)) continue;
            data |= p.bData;
            Colonna c;
            c.iFormato = p.iFormato;
            c.a = p.a;
            c.b = p.b;
            c.bImpaccata = true;
            for (const auto& [r, v] : p.vValori) c.vValori.push_back(Valore{r, p.a, p.b, v, false});
            mvCandidate.push_back(std::move(c));
        }
        const bool pari = corsa.vLetture.size() > 1 && corsa.vLetture[1].iPunti == scelta.iPunti;
        Voce(Ambito::Righe, "Cifre senza separatori",
             Dove(corsa.a, corsa.b) + ": cifre attaccate su " +
                 Num(static_cast<long long>(corsa.vRighe.size())) + " righe, divise in " + campi +
                 ": ogni valore \xE8 valido e le ore cambiano da una riga all'altra" +
                 (pari ? "; pi\xF9 divisioni vanno bene: scelta la prima" : ""),
             pari);
        if (corsa.vLetture.size() < 2) continue;
        for (const LetturaCifre& l : corsa.vLetture) {
            VoceProposta::Alternativa alt;
            alt.bScelta = &l == &scelta;
            for (const PezzoCifre& p : l.vPezzi) {
                alt.sLettura += (alt.sLettura.empty() ? "" : ", ") + descrivi(p);
                alt.vValori.push_back(valore(p));
            }
            mP.vVoci.back().vAlternative.push_back(std::move(alt));
        }
    }
}

// The fields split out of runs of digits that no field took (the date of the end beside the
// date of the start) are no field: the other columns are looked for around them.
void Proponitore::ImpaccateRestanti() {
    for (const PezzoCifre& p : mvPezziImpaccati) {
        bool preso = false;
        for (const auto& [a, b] : mvOccupate) preso |= a < p.b && p.a < b;
        if (preso) continue;
        mvOccupate.emplace_back(p.a, p.b);
        if (p.bDecimi) {
            std::string esempi;
            for (size_t i = 0; i < p.vValori.size() && i < 3; ++i)
                esempi += (i ? ", " : "") + Testo(p.vValori[i].first, p.a, p.b) + " = " +
                          Num(p.vValori[i].second.TotaleSecondi()) + " s";
            Voce(Ambito::Campo, "Durata",
                 Dove(p.a, p.b) + ": una durata in ore, minuti e decimi di minuto (" + esempi +
                     "): il driver converte i decimi solo in minuti e decimi senza le ore, "
                     "quindi la durata non \xE8 proposta; le sue cifre restano fuori dagli "
                     "altri campi",
                 true, false, "dDurata", p.a, p.b);
            continue;
        }
        Voce(Ambito::Campo, "Cifre senza separatori",
             Dove(p.a, p.b) + ": \"" + mvFormati[p.iFormato].sTesto + "\" vi legge " +
                 (p.bData     ? "una seconda data"
                  : p.bDurata ? "una durata"
                              : "un'altra ora") +
                 " nelle cifre attaccate: non \xE8 un campo della chiamata");
    }
}

// Fields glued to the next where other lines print them apart (an access code before the
// number dialled, 34007 alone where others print 101 and 0555123456): the columns where a field
// begins, read on the call lines with the fields taken so far as blanks.
void Proponitore::DividiIncollati() {
    if (mbSeparati) return;
    std::vector<std::string> righe(mvRighe.size());
    for (size_t r : mvChiamate) {
        righe[r] = mvRighe[r];
        for (const auto& [a, b] : mvOccupate)
            for (int x = a; x < b && x < static_cast<int>(righe[r].size()); ++x)
                righe[r][static_cast<size_t>(x)] = ' ';
    }
    for (int x : ConfiniNelleCifre(righe, mvChiamate)) {
        mConfini.insert(x);
        size_t incollati = 0;
        for (size_t r : mvChiamate)
            incollati += x > 0 && static_cast<size_t>(x) < righe[r].size() &&
                         Cifra(righe[r][static_cast<size_t>(x) - 1]) &&
                         Cifra(righe[r][static_cast<size_t>(x)]);
        Voce(Ambito::Righe, "Cifre senza separatori",
             "colonna " + Num(x + 1) +
                 ": su alcune righe un campo comincia qui dopo un bianco, su " +
                 Num(static_cast<long long>(incollati)) +
                 " \xE8 attaccato a un codice di pochi valori che lo precede: i campi sono "
                 "divisi qui",
             true);
    }
}

// How strict a format is: fixed lengths and more parts read first, the catalogue before the
// formats it lacks.
int Rigore(const Formato& f) {
    int r = static_cast<int>(f.sTesto.size()) * 2;
    if (f.iMin == f.iMax) r += 10;
    if (f.iCodice) r += 1;
    return r;
}

bool HaParola(const std::string& intestazione, std::initializer_list<const char*> parole) {
    for (const char* p : parole) {
        const std::string w = p;
        for (size_t i = intestazione.find(w); i != std::string::npos;
             i = intestazione.find(w, i + 1)) {
            const bool inizio = i == 0 || !Lettera(intestazione[i - 1]);
            // A word of two letters is an abbreviation only alone: CO is not COST, CH not
            // CHARGES.
            const bool intera = w.size() > 2 || i + w.size() >= intestazione.size() ||
                                !Lettera(intestazione[i + w.size()]);
            if (inizio && intera) return true;
        }
    }
    return false;
}

bool Sovrapposti(int a, int b, int c, int d) { return a < d && c < b; }

// A heading word that names a trunk.
bool NomeDiLinea(const std::string& intestazione) {
    return HaParola(intestazione, {"CO", "TRK", "TRUNK", "LINE", "LINEA", "TK", "LN", "CH", "C.O.",
                                   "GIUNZ", "EXCH", "JUNC", "ROUTE"});
}

// Values that name themselves a trunk: such a word, a blank and digits on every line
// ("Line 03", "TRUNK 12").
bool ValoriDiLinea(const std::set<std::string>& valori) {
    return !valori.empty() && std::all_of(valori.begin(), valori.end(), [](const std::string& v) {
        const size_t spazio = v.find(' ');
        if (spazio == std::string::npos || spazio == 0 || spazio + 1 >= v.size()) return false;
        const std::string parola = Maiusc(v.substr(0, spazio));
        return NomeDiLinea(parola) && parola.size() > 1 &&
               std::all_of(v.begin() + static_cast<long>(spazio) + 1, v.end(), Cifra);
    });
}

// 3. Call lines.
bool Proponitore::ScegliRigheChiamata() {
    // Lines of words (more letters than anything else): the headings that name the columns.
    mvChiamata.assign(mvRighe.size(), false);
    for (size_t r = 0; r < mvRighe.size() && mvIntestazioni.size() < 200; ++r) {
        size_t lettere = 0, pieni = 0, parole = 0;
        bool spazio = true;
        for (char c : mvRighe[r]) {
            if (c == ' ' || c == '\t') {
                spazio = true;
                continue;
            }
            parole += spazio;
            spazio = false;
            ++pieni;
            lettere += Lettera(c);
        }
        if (parole >= 3 && lettere * 2 >= pieni) mvIntestazioni.push_back(r);
    }
    // The time column on most lines; a time of day rather than a duration where both fit.
    const Colonna* migliore = nullptr;
    size_t massimo = 0;
    for (const auto& c : mvCandidate)
        if (!mvFormati[c.iFormato].bData) massimo = std::max(massimo, c.Righe());
    auto punteggio = [&](const Colonna& c) {
        const Formato& f = mvFormati[c.iFormato];
        size_t piccoli = 0;
        for (const auto& v : c.vValori) piccoli += v.v.TotaleSecondi() < 3600;
        const bool durata = !f.bOre || piccoli * 10 > c.Righe() * 6;
        const std::string sopra = Intestazione(c.a, c.b);
        const int nome = HaParola(sopra, {"TIME", "ORA", "START", "STT", "END", "FINE"})  ? 1
                         : HaParola(sopra, {"DUR", "ELAPS", "RING", "EXCH", "NO", "NUM"}) ? -1
                                                                                          : 0;
        // Lines within a twentieth of the most count alike.
        return std::make_tuple(c.Righe() * 20 / std::max<size_t>(massimo, 1), nome, !durata,
                               f.bLetterale, f.bMeridiano, c.Righe(), Rigore(f));
    };
    for (const auto& c : mvCandidate) {
        const Formato& f = mvFormati[c.iFormato];
        if (f.bData || !f.bOre) continue;
        // Past 23 hours a value is no time of day (555001 is no 55:50:01).
        if (!f.bMeridiano && std::any_of(c.vValori.begin(), c.vValori.end(),
                                         [](const Valore& v) { return v.v.iOre > 23; }))
            continue;
        if (!migliore || punteggio(c) > punteggio(*migliore)) migliore = &c;
    }
    if (RecordSenzaOra(migliore)) return true;
    if (!migliore || migliore->Righe() < 2) {
        mvChiamata.assign(mvRighe.size(), false);
        mP.bNessunaChiamata = true;
        Voce(Ambito::Righe, "Righe di chiamata",
             "nessuna colonna di ore su pi\xF9 di una riga: la stampa non sembra un elenco di "
             "chiamate a colonne fisse; nessuna chiamata proposta");
        return false;
    }
    mOra = *migliore;
    for (const auto& v : mOra->vValori) {
        mvChiamata[v.iRiga] = true;
        mvChiamate.push_back(v.iRiga);
    }
    // The headings are lines of words that are no calls, at most three lines above a call.
    std::vector<size_t> intestazioni;
    for (size_t r : mvIntestazioni) {
        bool sopra = false;
        for (size_t k = r + 1; k < mvRighe.size() && k <= r + 3 && !sopra; ++k)
            sopra = mvChiamata[k];
        if (!mvChiamata[r] && sopra) intestazioni.push_back(r);
    }
    mvIntestazioni = std::move(intestazioni);
    const size_t altre = mvRighe.size() - mvChiamate.size();
    Voce(Ambito::Righe, "Righe di chiamata",
         Num(static_cast<long long>(mvChiamate.size())) + " righe su " +
             Num(static_cast<long long>(mvRighe.size())) + " hanno un'ora in " +
             Dove(mOra->a, mOra->b) + " (\"" + mvFormati[mOra->iFormato].sTesto +
             "\": " + PrimiValori(*mOra) + "): sono le righe di chiamata" +
             (altre ? "; le altre " + Num(static_cast<long long>(altre)) +
                          " (intestazioni, titoli, righe di data o di servizio) non sono chiamate"
                    : std::string()));
    return true;
}

// A call printed as a record per event (answered, rung, transferred...), the same identifier
// on each: a code that stands only on the records repeating the identifier of the record before
// marks an event of a call already counted, no call of its own. Its records are left out of the
// calls (DIVERSO_DA); what they add to the call (more time, a transfer) is not joined.
void Proponitore::EventiDiSeguito() {
    const size_t n = mvChiamate.size();
    if (n < 4) return;
    const std::vector<Segmento> segmenti = Segmenti(mvChiamate);
    const auto valori = [&](const Segmento& g) {
        std::vector<std::string> v;
        for (size_t r : mvChiamate) v.emplace_back(TogliSpazi(Testo(r, g.a, g.b)));
        return v;
    };
    // Identifiers: digits (four or more) on every call line, each value on one run of lines.
    std::vector<const Segmento*> identificativi, codici;
    for (const auto& g : segmenti) {
        if (g.iPieni != n) continue;
        const std::vector<std::string> v = valori(g);
        if (g.iIntere == n && g.iLunghezzaMax >= 4) {
            std::set<std::string> chiusi;
            size_t ripetuti = 0;
            bool una = true;
            for (size_t i = 0; i < n && una; ++i) {
                if (i > 0 && v[i] == v[i - 1]) {
                    ++ripetuti;
                    continue;
                }
                una = chiusi.insert(v[i]).second;
            }
            // Not a date (the same on the records of a day), nor a value on few runs.
            const bool data =
                std::any_of(mvCandidate.begin(), mvCandidate.end(), [&](const Colonna& c) {
                    return mvFormati[c.iFormato].bData && c.Righe() * 2 >= n &&
                           Sovrapposti(c.a, c.b, g.a, g.b);
                });
            if (una && !data && ripetuti >= 2 && chiusi.size() >= 2 && chiusi.size() * 4 >= n)
                identificativi.push_back(&g);
        }
        // Codes: a few short words.
        if (g.dLunghezzaMedia <= 3 && g.distinti.size() >= 2 && g.distinti.size() <= 10 &&
            std::all_of(g.distinti.begin(), g.distinti.end(), [](const std::string& t) {
                return std::all_of(t.begin(), t.end(), Lettera);
            }))
            codici.push_back(&g);
    }
    const Segmento* sceltoId = nullptr;
    const Segmento* sceltoCodice = nullptr;
    std::set<std::string> eventi;
    size_t righe = 0, crescita = 0;
    for (const Segmento* id : identificativi)
        for (const Segmento* c : codici) {
            const auto vi = valori(*id), vc = valori(*c);
            std::vector<std::pair<std::string, std::string>> record;
            for (size_t i = 0; i < n; ++i) record.emplace_back(vi[i], vc[i]);
            const std::set<std::string> e = CodiciDiSeguito(record);
            const auto k = static_cast<size_t>(std::count_if(
                vc.begin(), vc.end(), [&](const std::string& t) { return e.count(t) > 0; }));
            // Between equals, the identifier that grows from call to call (not a number
            // called twice in a row).
            size_t sale = 0;
            for (size_t i = 1; i < n; ++i)
                sale += vi[i].size() > vi[i - 1].size() ||
                        (vi[i].size() == vi[i - 1].size() && vi[i] > vi[i - 1]);
            if (k > 0 && std::make_pair(k, sale) > std::make_pair(righe, crescita))
                righe = k, crescita = sale, eventi = e, sceltoId = id, sceltoCodice = c;
        }
    if (!sceltoId) return;
    std::string elenco;
    for (const auto& t : eventi) elenco += (elenco.empty() ? "\"" : ", \"") + t + "\"";
    std::vector<size_t> chiamate;
    std::set<size_t> tolte;
    for (size_t r : mvChiamate) {
        if (eventi.count(std::string(TogliSpazi(Testo(r, sceltoCodice->a, sceltoCodice->b))))) {
            mvChiamata[r] = false;
            tolte.insert(r);
        } else {
            chiamate.push_back(r);
        }
    }
    mvChiamate = std::move(chiamate);
    mEventi = std::move(eventi);
    // The identifier names the call, it is no field of it.
    mvOccupate.emplace_back(sceltoId->a, sceltoId->b);
    miEventiA = sceltoCodice->a;
    Voce(Ambito::Righe, "Eventi di una chiamata",
         Dove(sceltoCodice->a, sceltoCodice->b) + ": " + elenco +
             " stanno solo su record che "
             "ripetono l'identificativo del record prima (" +
             Dove(sceltoId->a, sceltoId->b) + ": " + PrimiTesti(tolte, sceltoId->a, sceltoId->b) +
             "): sono " + Num(static_cast<long long>(tolte.size())) +
             " eventi di una chiamata gi\xE0 contata, non chiamate (DIVERSO_DA); la chiamata "
             "resta quella del primo record, senza il tempo e i trasferimenti degli eventi",
         true);
}

bool Proponitore::RecordSenzaOra(const Colonna* migliore) {
    if (!mbSeparati || miIntestazione == 0) return false;
    std::vector<size_t> record;
    for (size_t r = miIntestazione; r < mvRighe.size(); ++r)
        if (mvRighe[r] != "?") record.push_back(r);
    if (record.size() < 2 || (migliore && migliore->Righe() * 10 >= record.size() * 8))
        return false;
    // A field with the same text on every record (the record's kind).
    for (size_t k = 0; k < mvColonna.size() && k < miComuni; ++k) {
        const int a = mvColonna[k], b = a + mvLarghezza[k];
        const std::string v(TogliSpazi(Testo(record.front(), a, b)));
        if (v.empty() || !std::all_of(record.begin(), record.end(),
                                      [&](size_t r) { return TogliSpazi(Testo(r, a, b)) == v; }))
            continue;
        miCostanteA = a, miCostanteB = b, msCostante = v;
        break;
    }
    if (miCostanteA < 0) return false;
    mvChiamata.assign(mvRighe.size(), false);
    for (size_t r : record) mvChiamata[r] = true;
    mvChiamate = record;
    std::vector<size_t> intestazioni;
    for (size_t r : mvIntestazioni)
        if (r < miIntestazione) intestazioni.push_back(r);
    mvIntestazioni = std::move(intestazioni);
    Voce(Ambito::Righe, "Righe di chiamata",
         "nessuna ora del giorno che un formato legga su quasi tutti i " +
             Num(static_cast<long long>(record.size())) +
             " record dopo l'intestazione (date e ore scritte in un modo che i formati non "
             "leggono): le righe di chiamata sono i record, riconosciuti da " +
             Dove(miCostanteA, miCostanteB) + " che vale \"" + msCostante +
             "\" su tutti; le chiamate non avranno data n\xE9 ora",
         true);
    return true;
}

// The same column, seen on the call lines only.
Colonna SuRighe(const Colonna& c, const std::vector<bool>& righe, bool dentro) {
    Colonna k = c;
    k.vValori.clear();
    for (const auto& v : c.vValori)
        if (righe[v.iRiga] == dentro) k.vValori.push_back(v);
    if (!k.vValori.empty()) {
        k.a = k.vValori.front().a;
        k.b = k.vValori.front().b;
        for (const auto& v : k.vValori) {
            k.a = std::min(k.a, v.a);
            k.b = std::max(k.b, v.b);
        }
    }
    return k;
}

std::string Proponitore::Parole(int a, int b) const {
    if (!mbSeparati || mvNomi.empty()) return Intestazione(a, b);
    int16_t campo = 0, lunghezza = 0, nel = 0;
    InCampo(a, b, campo, lunghezza, nel);
    if (campo < 1 || static_cast<size_t>(campo) > mvNomi.size()) return {};
    std::string nome = mvNomi[static_cast<size_t>(campo - 1)];
    for (size_t k = nome.size(); k-- > 1;)
        if (std::islower(static_cast<unsigned char>(nome[k - 1])) &&
            std::isupper(static_cast<unsigned char>(nome[k])))
            nome.insert(k, 1, ' ');
    return Maiusc(nome);
}

std::string Proponitore::Intestazione(int a, int b) const {
    // Separated fields are named by the heading's first line (a second one may give types).
    if (mbSeparati && !mvNomi.empty()) return Parole(a, b);
    std::string s;
    for (size_t r : mvIntestazioni) {
        const std::string& t = mvRighe[r];
        // The words that overlap the columns.
        for (int i = 0, n = static_cast<int>(t.size()); i < n;) {
            if (t[static_cast<size_t>(i)] == ' ') {
                ++i;
                continue;
            }
            int j = i;
            while (j < n && t[static_cast<size_t>(j)] != ' ') ++j;
            if (Sovrapposti(i, j, a, b)) {
                const std::string w =
                    Maiusc(t.substr(static_cast<size_t>(i), static_cast<size_t>(j - i)));
                if ((" " + s + " ").find(" " + w + " ") == std::string::npos) {
                    if (!s.empty()) s += ' ';
                    s += w;
                }
            }
            i = j;
        }
    }
    return s;
}

// 4. Dates.
void Proponitore::ScegliDate() {
    const auto oggi = AnnoCorrente();
    struct Scelta {
        Colonna c;
        std::tuple<size_t, int, int, int, int> punti;
    };
    std::vector<Scelta> sulleChiamate, altrove;
    for (const auto& c : mvCandidate) {
        const Formato& f = mvFormati[c.iFormato];
        if (!f.bData || f.f.ETempo()) continue;
        for (bool chiamate : {true, false}) {
            Colonna k = SuRighe(c, mvChiamata, chiamate);
            if (k.vValori.empty()) continue;
            // The day varies more than the month within a printout; a year in the future
            // or a reading far from today is unlikely.
            std::set<int> giorni, mesi;
            int futuro = 0;
            for (const auto& v : k.vValori) {
                giorni.insert(v.v.iGiorno);
                mesi.insert(v.v.iMese);
                int anno = v.v.iAnno;
                if (anno >= 0 && anno < 100) anno = AnnoDaDueCifre(anno, oggi);
                if (anno > oggi) ++futuro;
            }
            const int ordine = giorni.size() >= mesi.size() ? 1 : 0;
            // The reading nearest today, for printouts of one day.
            int distanza = 0;
            {
                const auto& v = k.vValori.back().v;
                int anno = v.iAnno < 0     ? oggi
                           : v.iAnno < 100 ? AnnoDaDueCifre(v.iAnno, oggi)
                                           : v.iAnno;
                distanza = std::abs((oggi * 12 + MeseOggi()) - (anno * 12 + v.iMese));
            }
            Scelta s{k, {k.Righe(), -futuro - k.Incollati(), ordine, -distanza, Rigore(f)}};
            (chiamate ? sulleChiamate : altrove).push_back(std::move(s));
        }
    }
    auto ordina = [](std::vector<Scelta>& v) {
        std::stable_sort(v.begin(), v.end(),
                         [](const Scelta& x, const Scelta& y) { return x.punti > y.punti; });
    };
    ordina(sulleChiamate);
    ordina(altrove);
    auto alternative = [&](const std::vector<Scelta>& v, VoceProposta& voce) {
        const Scelta& scelta = v.front();
        std::vector<const Scelta*> letti;
        for (const auto& s : v) {
            if (!Sovrapposti(s.c.a, s.c.b, scelta.c.a, scelta.c.b) ||
                std::get<0>(s.punti) != std::get<0>(scelta.punti))
                continue;
            VoceProposta::Alternativa alt;
            alt.sLettura = "\"" + mvFormati[s.c.iFormato].sTesto + "\"";
            alt.bScelta = &s == &scelta;
            for (size_t i = 0; i < s.c.vValori.size() && i < 3; ++i)
                alt.vValori.push_back(s.c.vValori[i].v.TestoData());
            bool uguale = false;
            for (const auto& g : voce.vAlternative)
                uguale |= g.vValori == alt.vValori && g.sLettura == alt.sLettura;
            // A format that reads every value as one listed before (g/m/aa beside gg/mm/aa
            // on zero-padded dates) is the same reading.
            for (const auto* t : letti)
                uguale |=
                    std::equal(t->c.vValori.begin(), t->c.vValori.end(), s.c.vValori.begin(),
                               s.c.vValori.end(), [](const auto& x, const auto& y) {
                                   return x.iRiga == y.iRiga && x.v.TestoData() == y.v.TestoData();
                               });
            if (!uguale) voce.vAlternative.push_back(std::move(alt));
            letti.push_back(&s);
        }
        if (voce.vAlternative.size() > 1) {
            voce.bIncerto = true;
            voce.sTesto +=
                "; pi\xF9 letture vanno bene: scelta quella in cui il giorno cambia pi\xF9 "
                "del mese e nessuna data \xE8 nel futuro";
        }
    };
    const size_t n = mvChiamate.size();
    if (!sulleChiamate.empty() && std::get<0>(sulleChiamate.front().punti) * 2 >= n) {
        mData = sulleChiamate.front().c;
        const Formato& f = mvFormati[mData->iFormato];
        Voce(Ambito::Campo, "Data",
             Dove(mData->a, mData->b) + ": \"" + f.sTesto + "\" legge " +
                 Num(static_cast<long long>(mData->Righe())) + " righe di chiamata su " +
                 Num(static_cast<long long>(n)) + " (" + PrimiValori(*mData) + " \xBB " +
                 mData->vValori.front().v.TestoData() + ")",
             false, false, "dData", mData->a, mData->b);
        alternative(sulleChiamate, mP.vVoci.back());
        mvOccupate.emplace_back(mData->a, mData->b);
        return;
    }
    if (!altrove.empty()) {
        // A date printed above the calls (a page heading or a date record).
        mDataRiga = altrove.front().c;
        if (mDataRiga->Righe() >= 1) {
            const Formato& f = mvFormati[mDataRiga->iFormato];
            Voce(Ambito::Righe, "Data su riga isolata",
                 "le righe di chiamata non hanno una data; \"" + f.sTesto + "\" in " +
                     Dove(mDataRiga->a, mDataRiga->b) + " la legge su " +
                     Num(static_cast<long long>(mDataRiga->Righe())) +
                     " righe che non sono chiamate (" + PrimiValori(*mDataRiga) +
                     "): \xE8 la data delle chiamate che le seguono");
            alternative(altrove, mP.vVoci.back());
            return;
        }
        mDataRiga.reset();
    }
    Voce(Ambito::Campo, "Data", "nessuna data nella stampa: le chiamate non avranno data", true,
         false, "dData");
}

// 5. Times of day and durations.
void Proponitore::ScegliTempi() {
    const size_t n = mvChiamate.size();
    struct Cand {
        Colonna c;
        bool bOra = false;
        std::string sIntest;
        double dMedia = 0;
    };
    std::vector<Cand> scelti;
    std::vector<Colonna> tutte;
    for (const auto& c : mvCandidate) {
        const Formato& f = mvFormati[c.iFormato];
        if (f.bData) continue;
        Colonna k = SuRighe(c, mvChiamata, true);
        // On 40% of the calls at least, or a sixth when a heading names it.
        if (k.Righe() * 6 < n || k.Righe() < 2) continue;
        tutte.push_back(std::move(k));
    }
    // Per window, the format that reads most, the strictest of those; the time of day found on
    // most lines keeps the format that made it one (h:mm, not m:ss).
    const auto propria = [&](const Colonna& c) {
        return mOra && c.a == mOra->a && c.b == mOra->b && c.iFormato == mOra->iFormato;
    };
    std::stable_sort(tutte.begin(), tutte.end(), [&](const Colonna& x, const Colonna& y) {
        const auto px = std::make_tuple(x.Righe(), -x.Incollati(), x.b - x.a, propria(x),
                                        Rigore(mvFormati[x.iFormato]));
        const auto py = std::make_tuple(y.Righe(), -y.Incollati(), y.b - y.a, propria(y),
                                        Rigore(mvFormati[y.iFormato]));
        return px > py;
    });
    for (const auto& c : tutte) {
        bool libero = true;
        for (const auto& [a, b] : mvOccupate) libero &= !Sovrapposti(a, b, c.a, c.b);
        for (const auto& s : scelti) libero &= !Sovrapposti(s.c.a, s.c.b, c.a, c.b);
        if (!libero) continue;
        const Formato& f = mvFormati[c.iFormato];
        Cand k;
        k.c = c;
        k.sIntest = Intestazione(c.a, c.b);
        // Digits alone are as likely a number: a heading must say it is a time. A heading
        // that names something else says it is not.
        const bool nomeTempo =
            HaParola(k.sIntest, {"TIME", "ORA", "DUR", "ELAPS", "START", "END", "RING", "STT",
                                 "TEMPO", "FINE", "INIZIO", "SQUILL", "CONV", "TALK", "HOLD"});
        const bool principale = mOra && c.a == mOra->a && c.b == mOra->b;
        // A field of its own is a clear boundary: digits alone may be a time there.
        if (!principale && !nomeTempo && !c.bImpaccata &&
            (!k.sIntest.empty() || (!f.bLetterale && !f.bSolo && !mbSeparati)))
            continue;
        if (!principale && !nomeTempo && c.Righe() * 5 < n * 2) continue;
        // Digits alone must read (nearly) every value printed there: 1002 among 34650881188
        // and 0555123456 is an extension, not a time.
        if (!principale && !f.bLetterale) {
            size_t pieni = 0;
            for (size_t r : mvChiamate) pieni += !TogliSpazi(Testo(r, c.a, c.b)).empty();
            if (c.Righe() * 10 < pieni * 8) continue;
        }
        // Digits alone that hardly change from call to call (5301 on most lines) are a number.
        if (!principale && !nomeTempo && !f.bLetterale && !c.bImpaccata) {
            std::set<long long> diversi;
            for (const auto& v : c.vValori) diversi.insert(v.v.TotaleSecondi());
            if (diversi.size() * 2 < c.Righe()) continue;
        }
        size_t piccoli = 0;
        double somma = 0;
        for (const auto& v : c.vValori) {
            piccoli += v.v.TotaleSecondi() < 3600;
            somma += static_cast<double>(v.v.TotaleSecondi());
        }
        k.dMedia = somma / static_cast<double>(c.Righe());
        if (f.bMeridiano)
            k.bOra = true;
        else if (HaParola(k.sIntest, {"DUR", "ELAPS", "RING", "SQUILL", "CONV", "TALK", "DURATA",
                                      "ANS", "TEMPO", "HOLD"}))
            k.bOra = false;
        else if (HaParola(k.sIntest, {"TIME", "ORA", "START", "STT", "END", "FINE", "INIZIO",
                                      "STOP", "BEGIN", "HOUR"}))
            k.bOra = true;
        else
            k.bOra = f.bOre && piccoli * 10 <= c.Righe() * 6;
        scelti.push_back(std::move(k));
    }
    // Two pairs of digits as a duration (00:24) are minutes and seconds under a heading that
    // names a ringing time, or beside another duration printed to the second: a printout that
    // counts one duration in seconds does not count a shorter one in minutes.
    const bool conSecondi = std::any_of(scelti.begin(), scelti.end(), [&](const Cand& k) {
        return !k.bOra && mvFormati[k.c.iFormato].bSecondi && mvFormati[k.c.iFormato].bOre;
    });
    for (auto& k : scelti) {
        const bool squillo = HaParola(k.sIntest, {"RING", "SQUILL", "WAIT", "ATTESA"});
        if (k.bOra || (!conSecondi && !squillo)) continue;
        const std::optional<Colonna> m = MinutiESecondi(k.c);
        if (!m) continue;
        Voce(Ambito::Campo, "Minuti e secondi",
             Dove(k.c.a, k.c.b) + ": \"" + mvFormati[k.c.iFormato].sTesto + "\" e \"" +
                 mvFormati[m->iFormato].sTesto + "\" leggono gli stessi valori (" +
                 PrimiValori(k.c) + "); " +
                 (squillo ? "sotto \"" + k.sIntest + "\", un tempo di squillo"
                          : std::string("un'altra durata \xE8 stampata al secondo")) +
                 ": minuti e secondi",
             true, false, {}, k.c.a, k.c.b);
        VoceProposta& v = mP.vVoci.back();
        for (const Colonna* c : {static_cast<const Colonna*>(&k.c), &*m}) {
            VoceProposta::Alternativa alt;
            alt.sLettura = "\"" + mvFormati[c->iFormato].sTesto + "\"";
            alt.bScelta = c == &*m;
            for (size_t i = 0; i < c->vValori.size() && i < 3; ++i)
                alt.vValori.push_back(Num(c->vValori[i].v.TotaleSecondi()) + " s");
            v.vAlternative.push_back(std::move(alt));
        }
        k.c = *m;
        double somma = 0;
        for (const auto& x : k.c.vValori) somma += static_cast<double>(x.v.TotaleSecondi());
        k.dMedia = somma / static_cast<double>(std::max<size_t>(k.c.Righe(), 1));
    }
    std::vector<Cand*> ore, durate;
    for (auto& s : scelti) (s.bOra ? ore : durate).push_back(&s);
    std::sort(ore.begin(), ore.end(), [](Cand* x, Cand* y) { return x->c.a < y->c.a; });
    if (ore.size() > 2) {
        // Start, answer, end...: the start is the earliest, the end the latest.
        auto media = [](const Cand* c) {
            double m = 0;
            for (const auto& v : c->c.vValori) m += static_cast<double>(v.v.TotaleSecondi());
            return m / static_cast<double>(std::max<size_t>(c->c.Righe(), 1));
        };
        // Compared on the calls both print (an answer time is blank on unanswered calls): a
        // time earlier than another on most of them comes before it.
        std::map<const Cand*, int> prima;
        for (Cand* x : ore)
            for (Cand* y : ore) {
                if (x == y) continue;
                int meno = 0, piu = 0;
                for (const auto& v : x->c.vValori)
                    if (const Valore* w = y->c.Su(v.iRiga)) {
                        meno += v.v.TotaleSecondi() < w->v.TotaleSecondi();
                        piu += v.v.TotaleSecondi() > w->v.TotaleSecondi();
                    }
                prima[x] += meno > piu;
            }
        std::sort(ore.begin(), ore.end(), [&](Cand* x, Cand* y) {
            return prima[x] != prima[y] ? prima[x] > prima[y] : media(x) < media(y);
        });
        // The times between (the answer) are no field.
        for (size_t i = 1; i + 1 < ore.size(); ++i)
            mvOccupate.emplace_back(ore[i]->c.a, ore[i]->c.b);
        ore = {ore.front(), ore.back()};
        std::sort(ore.begin(), ore.end(), [](Cand* x, Cand* y) { return x->c.a < y->c.a; });
    }
    // Durations: the talk time is the longer one on average; a ringing time is short and
    // named so.
    std::sort(durate.begin(), durate.end(), [](Cand* x, Cand* y) {
        const bool rx = HaParola(x->sIntest, {"RING", "SQUILL", "ANS"});
        const bool ry = HaParola(y->sIntest, {"RING", "SQUILL", "ANS"});
        if (rx != ry) return ry;
        // The time talked (billed) before a duration that counts the ringing too.
        const bool px = HaParola(x->sIntest, {"BILL", "TALK", "CONV", "ADDEB"});
        const bool py = HaParola(y->sIntest, {"BILL", "TALK", "CONV", "ADDEB"});
        if (px != py) return px;
        return x->dMedia > y->dMedia;
    });
    if (durate.size() > 2) durate.resize(2);
    auto aggiungi = [&](Cand& k, const std::string& campo, const std::string& titolo,
                        std::string perche, bool incerto) {
        const Formato& f = mvFormati[k.c.iFormato];
        mvTempi.push_back({k.c, campo, false, {}});
        mvOccupate.emplace_back(k.c.a, k.c.b);
        Voce(Ambito::Campo, titolo,
             Dove(k.c.a, k.c.b) + ": \"" + f.sTesto + "\" legge " +
                 Num(static_cast<long long>(k.c.Righe())) + " righe di chiamata su " +
                 Num(static_cast<long long>(n)) + " (" + PrimiValori(k.c) + ")" +
                 (k.sIntest.empty() ? std::string() : ", sotto \"" + k.sIntest + "\"") +
                 (k.c.bLettere ? "; le lettere fra ore, minuti e secondi diventano \":\" "
                                 "(SOSTITUISCI) prima della lettura"
                               : "") +
                 "; " + perche,
             incerto, false, campo, k.c.a, k.c.b);
    };
    Cand* durata = durate.empty() ? nullptr : durate.front();
    // Without a duration field, a duration no format reads (hours, minutes and tenths glued to
    // the time) still tells the order of the calls.
    Cand decimi;
    for (const PezzoCifre& p : mvPezziImpaccati)
        if (p.bDecimi && !durata) {
            decimi.c.a = p.a;
            decimi.c.b = p.b;
            for (const auto& [r, v] : p.vValori)
                if (mvChiamata[r]) decimi.c.vValori.push_back(Valore{r, p.a, p.b, v, false});
        }
    Cand* ordine = durata ? durata : decimi.c.vValori.empty() ? nullptr : &decimi;
    if (ore.size() == 2) {
        size_t prima = 0;
        for (const auto& v : ore[0]->c.vValori)
            if (const Valore* w = ore[1]->c.Su(v.iRiga))
                prima += v.v.TotaleSecondi() <= w->v.TotaleSecondi();
        const bool ordine = prima * 2 >= ore[0]->c.Righe();
        aggiungi(ordine ? *ore[0] : *ore[1], "dOraInizio", "Ora inizio",
                 "due ore su ogni chiamata: la prima viene prima, \xE8 l'inizio", false);
        aggiungi(ordine ? *ore[1] : *ore[0], "dOraFine", "Ora fine",
                 "la seconda delle due ore \xE8 la fine", false);
    } else if (ore.size() == 1) {
        Cand& o = *ore[0];
        bool fine = false;
        bool incerto = true;
        std::string perche;
        if (HaParola(o.sIntest, {"END", "FINE", "STOP"})) {
            fine = true, incerto = false;
            perche = "l'intestazione la dice fine";
        } else if (HaParola(o.sIntest, {"START", "STT", "INIZIO", "BEGIN"})) {
            incerto = false;
            perche = "l'intestazione la dice inizio";
        } else if (ordine) {
            // Printed when they end, calls come in the order of their end: a start time
            // plus the duration keeps that order, an end time already has it.
            size_t salitaOra = 0, salitaFine = 0, coppie = 0;
            long long ora0 = -1, fine0 = -1, caloOra = 0, caloFine = 0;
            size_t riga0 = 0;
            for (const auto& v : o.c.vValori) {
                const Valore* d = ordine->c.Su(v.iRiga);
                if (!d) continue;
                // A date line between two calls starts another day.
                if (mDataRiga && ora0 >= 0)
                    for (size_t r = riga0 + 1; r < v.iRiga; ++r)
                        if (mDataRiga->Su(r)) ora0 = fine0 = -1;
                riga0 = v.iRiga;
                const long long t = v.v.TotaleSecondi(), e = t + d->v.TotaleSecondi();
                if (ora0 >= 0) {
                    ++coppie;
                    salitaOra += t >= ora0;
                    salitaFine += e >= fine0;
                    caloOra = std::max(caloOra, ora0 - t);
                    caloFine = std::max(caloFine, fine0 - e);
                }
                ora0 = t, fine0 = e;
            }
            // Only an order kept on every call against one broken at least twice, or once by
            // more than the clock's step (a time without seconds is a minute late at most),
            // tells; a break of many hours is a day going by.
            const long long passo = mvFormati[o.c.iFormato].bSecondi ? 1 : 60;
            const auto rotto = [&](size_t salite, long long calo) {
                return salite + 2 <= coppie ||
                       (salite + 1 == coppie && calo > passo && calo < 12 * 3600);
            };
            if (coppie && salitaFine == coppie && rotto(salitaOra, caloOra)) {
                perche = "con la durata aggiunta le chiamate sono in ordine (" +
                         Num(static_cast<long long>(salitaFine)) + " volte su " +
                         Num(static_cast<long long>(coppie)) + ", l'ora da sola " +
                         Num(static_cast<long long>(salitaOra)) + "): \xE8 l'inizio";
                incerto = false;
            } else if (coppie && salitaOra == coppie && rotto(salitaFine, caloFine)) {
                fine = true, incerto = false;
                perche = "le ore sono in ordine (" + Num(static_cast<long long>(salitaOra)) +
                         " volte su " + Num(static_cast<long long>(coppie)) +
                         ") e con la durata aggiunta no (" +
                         Num(static_cast<long long>(salitaFine)) +
                         "): le chiamate sono stampate quando finiscono, \xE8 la fine";
            } else {
                perche =
                    "un'ora sola, e l'ordine delle chiamate non dice se \xE8 l'inizio o "
                    "la fine: proposto l'inizio, il caso pi\xF9 comune";
            }
        } else {
            perche = "un'ora sola e nessuna durata: proposto l'inizio";
        }
        aggiungi(o, fine ? "dOraFine" : "dOraInizio", fine ? "Ora fine" : "Ora inizio", perche,
                 incerto);
        VoceProposta& v = mP.vVoci.back();
        VoceProposta::Alternativa a1, a2;
        a1.sLettura = "ora di inizio";
        a2.sLettura = "ora di fine";
        a1.bScelta = !fine;
        a2.bScelta = fine;
        for (size_t i = 0; i < o.c.vValori.size() && i < 3; ++i) {
            a1.vValori.push_back(o.c.vValori[i].v.TestoOra());
            a2.vValori.push_back(o.c.vValori[i].v.TestoOra());
        }
        if (incerto) v.vAlternative = {a1, a2};
    }
    if (durata)
        aggiungi(*durata, "dDurata", "Durata",
                 "valori brevi (in media " + Num(static_cast<long long>(durata->dMedia)) +
                     " s): \xE8 la durata",
                 false);
    if (durate.size() > 1)
        aggiungi(*durate[1], "dRisposta", "Durata squillo",
                 "una seconda durata, pi\xF9 breve o detta squillo: \xE8 il tempo di risposta "
                 "(solo sulle entranti)",
                 false);
}

// A duration printed as a count of seconds tells itself by the times: it is the end less the
// start (the call), or a little less (the time talked, after the ringing).
size_t Proponitore::FormatoSecondi() const {
    size_t ss = mvFormati.size();
    for (size_t f = 0; f < mvFormati.size(); ++f)
        if (mvFormati[f].bSolo && (ss == mvFormati.size() || mvFormati[f].iCodice)) ss = f;
    return ss;
}

std::optional<Colonna> Proponitore::MinutiESecondi(const Colonna& c) const {
    const Formato& f = mvFormati[c.iFormato];
    // Packed digits (0001) are as likely a counter: only values with a separator.
    if (f.bData || !f.bOre || f.bSecondi || f.bMeridiano || !f.bLetterale) return std::nullopt;
    for (const auto& k : mvCandidate) {
        const Formato& g = mvFormati[k.iFormato];
        if (g.bData || g.bOre || !g.bSecondi || g.sTesto.size() != f.sTesto.size()) continue;
        Colonna m = SuRighe(k, mvChiamata, true);
        if (m.a != c.a || m.b != c.b || m.Righe() != c.Righe()) continue;
        return m;
    }
    return std::nullopt;
}

Colonna Proponitore::Conteggi(int a, int b, size_t iFormato) const {
    Colonna c;
    c.iFormato = iFormato;
    c.a = a;
    c.b = b;
    for (size_t r : mvChiamate)
        if (!TogliSpazi(Testo(r, a, b)).empty()) {
            Valore v;
            v.iRiga = r;
            v.a = a;
            v.b = b;
            c.vValori.push_back(v);
        }
    return c;
}

void Proponitore::DurataInSecondi() {
    const Tempo* inizio = nullptr;
    const Tempo* fine = nullptr;
    for (const auto& t : mvTempi) {
        if (t.sCampo == "dDurata") return;
        if (t.sCampo == "dOraInizio") inizio = &t;
        if (t.sCampo == "dOraFine") fine = &t;
    }
    if (!inizio || !fine) return;
    const size_t ss = FormatoSecondi();
    if (ss == mvFormati.size()) return;
    const std::vector<Segmento> segmenti = Segmenti(mvChiamate);
    const Segmento* scelto = nullptr;
    size_t migliore = 0;
    bool parlato = false;
    std::vector<std::pair<int, int>> altre;  // other counts of the call's seconds
    for (const auto& g : segmenti) {
        if (g.iIntere < g.iPieni || g.iPieni * 10 < mvChiamate.size() * 8) continue;
        size_t uguali = 0, minori = 0;
        for (size_t r : mvChiamate) {
            const Valore* a = inizio->c.Su(r);
            const Valore* b = fine->c.Su(r);
            const std::string v(TogliSpazi(Testo(r, g.a, g.b)));
            if (!a || !b || v.empty() || v.size() > 9) continue;
            long long tra = b->v.TotaleSecondi() - a->v.TotaleSecondi();
            if (tra < 0) tra += 86400;
            const long long d = std::stoll(v);
            uguali += std::llabs(d - tra) <= 1;
            minori += d <= tra + 1;
        }
        if (minori * 10 < mvChiamate.size() * 9 || minori == 0) continue;
        altre.emplace_back(g.a, g.b);
        // The time talked (less than the call on some lines) before the whole call.
        const bool meno = uguali < minori;
        if (!scelto || (meno && !parlato) || (meno == parlato && minori > migliore)) {
            scelto = &g;
            migliore = minori;
            parlato = meno;
        }
    }
    if (!scelto) return;
    const Colonna c = Conteggi(scelto->a, scelto->b, ss);
    mvTempi.push_back({c, "dDurata", false, {}});
    // The other counts of seconds (the whole call beside the time talked) are no field.
    for (const auto& w : altre) mvOccupate.push_back(w);
    Voce(Ambito::Campo, "Durata",
         Dove(c.a, c.b) + ": un numero di secondi" +
             (parlato ? " pari o inferiore alla fine meno l'inizio ("
                      : " pari alla fine meno l'inizio (") +
             Num(static_cast<long long>(migliore)) + " chiamate su " +
             Num(static_cast<long long>(mvChiamate.size())) + "): \xE8 la durata" +
             (parlato ? " parlata, senza lo squillo" : ""),
         false, false, "dDurata", c.a, c.b);
}

// What a code says of a call's kind: E incoming, U outgoing, e / u transferred of that kind,
// T transferred, ? unknown.
char TipoDiCodice(const std::string& valore) {
    const std::string v = Maiusc(TogliSpazi(valore));
    static const std::set<std::string> entranti = {
        "I", "IN", "INC", "INCOMING", "E", "ENT", "ENTR", "ENTRANTE", "DID", "DDI", "R", "RIN",
        "IC", "ICO", "INB", "INBOUND", "TI", "ARR", "A", "ANS", "CLI", "CID", "FI", "IF",
        // Calls lost before an answer, printed without a duration: incoming, and no message.
        "ABN", "ABD", "ABND", "LOST", "MISSED", "UNANS"};
    static const std::set<std::string> uscenti = {
        "O",   "OUT", "OG",   "OUTGOING", "U",  "USC", "USCENTE", "D",   "DIAL", "LOC", "TLD",
        "TLC", "LD",  "OUTB", "OUTBOUND", "OC", "OGC", "EXT",     "INT", "ICM",  "FO",  "OF"};
    static const std::set<std::string> trasf = {"T",        "TR", "TRS", "TRF", "XFER",
                                                "TRANSFER", "*",  "X",   "TRN"};
    if (v.empty()) return '?';
    if (v.front() == '<' && v.find('I') != std::string::npos) return 'E';
    if (entranti.count(v)) return 'E';
    if (uscenti.count(v) || v == "INTL") return 'U';  // international, not incoming
    if (trasf.count(v)) return 'T';
    if (v == "IT" || v == "TI" || v == "IXF") return 'e';
    if (v == "OT" || v == "TO" || v == "OXF") return 'u';
    // A direction code and a transfer code written together (OTR, ITR, INXFER): transferred
    // calls of that direction.
    for (const char* p : {"TRS", "TRF", "TR", "XFER", "XF"}) {
        const std::string t = p;
        if (v.size() <= t.size() || v.size() > t.size() + 3) continue;
        std::string resto;
        if (v.compare(v.size() - t.size(), t.size(), t) == 0)
            resto = v.substr(0, v.size() - t.size());
        else if (v.compare(0, t.size(), t) == 0)
            resto = v.substr(t.size());
        if (entranti.count(resto)) return 'e';
        if (uscenti.count(resto)) return 'u';
    }
    // Short codes that spell their kind (PIN, IVIN, POT, IVOT).
    if (v.size() <= 5 && v.find("TRS") != std::string::npos) return 'T';
    if (v.size() <= 5 && (v.find("IN") != std::string::npos)) return 'E';
    if (v.size() <= 5 && (v.find("OT") != std::string::npos || v.find("OUT") != std::string::npos))
        return 'U';
    // Names of where a call comes from (an IP PBX's context): a trunk or an inbound route is
    // incoming, the internal extensions or an outbound route outgoing.
    for (const char* p : {"TRUNK", "INBOUND", "INCOMING", "PSTN", "DID"})
        if (v.find(p) != std::string::npos) return 'E';
    for (const char* p : {"INTERNAL", "OUTBOUND", "OUTGOING"})
        if (v.find(p) != std::string::npos) return 'U';
    return '?';
}

// Minutes and seconds beside two times of day: a column that reads as hours and minutes
// (03:35) and as minutes and seconds, and as minutes and seconds is the later time less the
// earlier on nearly every call (up to a minute less: the ringing), is the duration; its
// readings with hours are dropped before the times are chosen.
void Proponitore::DurataFraDueOre() {
    const size_t n = mvChiamate.size();
    std::vector<Colonna> ore, minuti;
    for (const auto& c : mvCandidate) {
        const Formato& f = mvFormati[c.iFormato];
        if (f.bData || !f.bSecondi || !f.bLetterale) continue;
        Colonna k = SuRighe(c, mvChiamata, true);
        if (k.Righe() * 2 < n || k.Righe() < 2) continue;
        (f.bOre ? ore : minuti).push_back(std::move(k));
    }
    std::set<std::pair<int, int>> durate;
    for (const auto& m : minuti) {
        for (const auto& x : ore)
            for (const auto& y : ore) {
                if (Sovrapposti(x.a, x.b, y.a, y.b) || Sovrapposti(x.a, x.b, m.a, m.b) ||
                    Sovrapposti(y.a, y.b, m.a, m.b) || durate.count({m.a, m.b}))
                    continue;
                size_t pari = 0, uguali = 0;
                for (const auto& v : m.vValori) {
                    const Valore* p = x.Su(v.iRiga);
                    const Valore* q = y.Su(v.iRiga);
                    if (!p || !q) continue;
                    ++pari;
                    const long long d =
                        (q->v.TotaleSecondi() - p->v.TotaleSecondi() + 86400) % 86400;
                    const long long s = v.v.TotaleSecondi();
                    uguali += s <= d && d - s <= 60;
                }
                if (pari < 2 || uguali * 10 < pari * 9) continue;
                durate.insert({m.a, m.b});
                Voce(Ambito::Campo, "Durata",
                     Dove(m.a, m.b) + " (" + PrimiValori(m) + "), letto come minuti e secondi (\"" +
                         mvFormati[m.iFormato].sTesto + "\"), \xE8 l'ora in " + Dove(y.a, y.b) +
                         " meno quella in " + Dove(x.a, x.b) + " su " +
                         Num(static_cast<long long>(uguali)) + " chiamate su " +
                         Num(static_cast<long long>(pari)) +
                         ": \xE8 una durata, non un'ora del giorno");
            }
    }
    std::erase_if(mvCandidate, [&](const Colonna& c) {
        const Formato& f = mvFormati[c.iFormato];
        if (f.bData || !f.bOre) return false;
        for (const auto& [a, b] : durate)
            if (Sovrapposti(a, b, c.a, c.b)) return true;
        return false;
    });
}

// A column of one digit printed on every call, two values, that splits the calls by where
// they print their number (a run of seven digits or more): the calls of one value at one
// column, those of the other at another. The calls whose number column holds a word on some
// of them (a caller withheld: "Unavailable") are the incoming ones; without a word, the later
// column is taken for the caller's, as uncertain. The code is the direction.
std::optional<std::pair<int, std::map<std::string, char>>> Proponitore::DirezioneDaCifra(
    const std::map<int, std::map<std::string, size_t>>& colonne) {
    const size_t n = mvChiamate.size();
    // Where the number of a line starts: -1 without one.
    const auto numero = [&](size_t r) {
        const std::string& s = mvRighe[r];
        for (size_t i = 0, j = 0; i < s.size(); i = j + 1) {
            j = i;
            while (j < s.size() && Cifra(s[j])) ++j;
            if (j - i >= 7 && (i == 0 || s[i - 1] == ' ')) return static_cast<int>(i);
        }
        return -1;
    };
    for (const auto& [col, valori] : colonne) {
        if (valori.size() != 2 || n < 4) continue;
        size_t pieni = 0;
        for (const auto& [t, k] : valori) pieni += t.size() == 1 && Cifra(t[0]) ? k : 0;
        if (pieni != n) continue;
        // Per value, the columns its numbers start at.
        std::map<char, std::map<int, size_t>> inizi;
        for (size_t r : mvChiamate)
            if (const int x = numero(r); x > col) ++inizi[mvRighe[r][static_cast<size_t>(col)]][x];
        if (inizi.size() != 2) continue;
        std::map<char, int> dove;
        bool netto = true;
        for (const auto& [c, m] : inizi) {
            netto &= m.size() == 1;
            dove[c] = m.begin()->first;
        }
        const char a = dove.begin()->first, b = std::next(dove.begin())->first;
        if (!netto || dove[a] == dove[b]) continue;
        // A word where the other calls of the value print their number.
        const auto parola = [&](char c) {
            return std::any_of(mvChiamate.begin(), mvChiamate.end(), [&](size_t r) {
                if (mvRighe[r][static_cast<size_t>(col)] != c) return false;
                const std::string t(TogliSpazi(Testo(r, dove[c], dove[c] + 7)));
                return !t.empty() && std::all_of(t.begin(), t.end(), Lettera);
            });
        };
        const bool pa = parola(a), pb = parola(b);
        char entrante = dove[a] > dove[b] ? a : b;
        if (pa != pb) entrante = pa ? a : b;
        const char uscente = entrante == a ? b : a;
        std::map<std::string, char> tipi{{std::string(1, entrante), 'E'},
                                         {std::string(1, uscente), 'U'}};
        Voce(Ambito::Tipo, "Entranti e uscenti",
             Dove(col, col + 1) + ": una cifra su ogni chiamata, \"" + std::string(1, a) +
                 "\" o \"" + std::string(1, b) + "\"; le chiamate \"" + std::string(1, a) +
                 "\" stampano il numero da " + Dove(dove[a], dove[a] + 1) + ", le \"" +
                 std::string(1, b) + "\" da " + Dove(dove[b], dove[b] + 1) + ": \"" +
                 std::string(1, entrante) + "\" " +
                 (pa != pb ? "entranti, perch\xE9 dove stampano il numero alcune hanno una "
                             "parola (il chiamante non disponibile)"
                           : "entranti, perch\xE9 il loro numero sta pi\xF9 a destra (il "
                             "chiamante dopo il numero composto): non \xE8 certo") +
                 ", \"" + std::string(1, uscente) + "\" uscenti",
             true);
        return std::make_pair(col, std::move(tipi));
    }
    return std::nullopt;
}

// A record's identifier: digits on every call of the kind, a different value on each, six
// digits or more, or five growing from call to call (five calls at least), is no party nor
// trunk (an extension of fewer digits may grow in a printout sorted by extension): an
// extension or a trunk comes back on several calls. Left out of the fields (the number, taken
// before, is not concerned).
void Proponitore::Identificativi(std::vector<Segmento>& segmenti,
                                 const std::vector<size_t>& righe) {
    const size_t n = righe.size();
    for (Segmento& g : segmenti) {
        if (!g.sRuolo.empty() || n < 3 || g.iPieni != n || g.iIntere != n || g.distinti.size() != n)
            continue;
        bool cresce = n >= 5;
        long long prima = -1;
        for (size_t r : righe) {
            const std::string v(TogliSpazi(Testo(r, g.a, g.b)));
            const long long k = v.size() <= 18 ? std::stoll(v) : 0;
            cresce &= k > prima;
            prima = k;
        }
        if (g.iLunghezzaMax < (cresce ? 5u : 6u)) continue;
        g.sRuolo = "-";
        // Said once, on the lines of each kind (the columns are looked at more than once).
        if (mvTipo.size() != mvRighe.size()) continue;
        const bool entranti = mvTipo[righe.front()] == 'E';
        if (!mIdentificativi.insert({g.a, entranti}).second) continue;
        Voce(Ambito::Campo, "Identificativo",
             Dove(g.a, g.b) + ": cifre su ogni chiamata " + (entranti ? "entrante" : "uscente") +
                 ", un valore diverso su ciascuna (" + *g.distinti.begin() + ", ...)" +
                 (cresce ? ", che cresce da una chiamata all'altra"
                         : ", di " + Num(static_cast<long long>(g.iLunghezzaMax)) + " cifre") +
                 ": identifica il record, non \xE8 un interno n\xE9 una linea (che tornano su "
                 "pi\xF9 chiamate)",
             false, entranti);
    }
}

// A letter glued before the number (O5550142) where other calls print the letter alone or
// glued too: at a column where every word is one letter, alone or followed by digits only, the
// letters are codes of both kinds (incoming and outgoing) and some of the digits glued are a
// number (seven or more), the letter is the code and the number starts after it.
void Proponitore::CodiciIncollati(std::map<int, std::map<std::string, size_t>>& perColonna) {
    for (auto& [col, valori] : perColonna) {
        std::map<std::string, size_t> lettere;
        bool tutte = true, numero = false;
        for (const auto& [t, k] : valori) {
            tutte &= Lettera(t[0]) && std::all_of(t.begin() + 1, t.end(), Cifra);
            numero |= t.size() >= 8;
            if (tutte) lettere[t.substr(0, 1)] += k;
        }
        if (!tutte || !numero || lettere.size() < 2) continue;
        std::set<char> tipi;
        for (const auto& [l, k] : lettere) tipi.insert(TipoDiCodice(l));
        if (!tipi.count('E') || !tipi.count('U') || tipi.count('?')) continue;
        std::string elenco;
        for (const auto& [l, k] : lettere) elenco += (elenco.empty() ? "\"" : ", \"") + l + "\"";
        Voce(Ambito::Tipo, "Codice incollato al numero",
             Dove(col, col + 1) + ": una lettera (" + elenco +
                 "), sola o incollata prima delle cifre del numero (" +
                 std::max_element(
                     valori.begin(), valori.end(),
                     [](const auto& x, const auto& y) { return x.first.size() < y.first.size(); })
                     ->first +
                 "): la lettera \xE8 il codice del tipo, il numero comincia dopo");
        valori = std::move(lettere);
        mCodiciIncollati.insert(col);
    }
}

// 6. Incoming and outgoing.
void Proponitore::ScegliDirezione() {
    const size_t n = mvChiamate.size();
    // Columns where short codes start, the same on every call line where they stand.
    std::map<int, std::map<std::string, size_t>> perColonna;
    for (size_t r : mvChiamate) {
        const std::string& s = mvRighe[r];
        for (int i = 0, m = static_cast<int>(s.size()); i < m;) {
            // A tab parts codes as a blank does.
            if (s[static_cast<size_t>(i)] == ' ' || s[static_cast<size_t>(i)] == '\t') {
                ++i;
                continue;
            }
            int j = i;
            while (j < m && s[static_cast<size_t>(j)] != ' ' && s[static_cast<size_t>(j)] != '\t')
                ++j;
            if (j - i <= 16 || s[static_cast<size_t>(i)] == '<') {
                std::string t = s.substr(static_cast<size_t>(i), static_cast<size_t>(j - i));
                // "< incoming >": the text up to the closing bracket.
                if (t.front() == '<') {
                    const size_t chiusa = s.find('>', static_cast<size_t>(i));
                    if (chiusa != std::string::npos && chiusa < static_cast<size_t>(i) + 24) {
                        const std::string dentro =
                            s.substr(static_cast<size_t>(i), chiusa - static_cast<size_t>(i) + 1);
                        t = dentro;
                        // A bare "<I>" before a number is a prefix: it is the code.
                    }
                }
                ++perColonna[i][t];
            }
            i = j;
        }
    }
    CodiciIncollati(perColonna);
    struct Cand {
        int a = 0, b = 0;
        std::map<std::string, char> valori;
        size_t noti = 0, entranti = 0, uscenti = 0, trasf = 0, pieni = 0;
    };
    std::optional<Cand> migliore, trasferimento;
    for (auto& [col, valori] : perColonna) {
        bool libero = true;
        for (const auto& [a, b] : mvOccupate) libero &= !(col >= a && col < b);
        if (!libero) continue;
        Cand c;
        c.a = col;
        size_t pieni = 0;
        for (auto& [t, k] : valori) pieni += k;
        c.pieni = pieni;
        for (auto& [t, k] : valori) {
            std::string codice = t;
            // A prefix code glued to a number (<I>0555...).
            if (codice.front() == '<') codice = codice.substr(0, codice.find('>') + 1);
            const char tipo = TipoDiCodice(codice);
            c.valori[t] = tipo;
            c.b = std::max(c.b, col + static_cast<int>(codice.size()));
            if (tipo == '?') continue;
            c.noti += k;
            if (tipo == 'E' || tipo == 'e') c.entranti += k;
            if (tipo == 'U' || tipo == 'u') c.uscenti += k;
            if (tipo == 'T' || tipo == 'e' || tipo == 'u') c.trasf += k;
        }
        // A column of many values is a column of numbers, unless codes stand in it too.
        if (valori.size() > 14 && c.entranti * 10 < n) continue;
        // A transfer mark: one code on some lines, blank on the others.
        if (c.trasf == c.noti && c.noti > 0 && pieni < n && valori.size() <= 2) {
            if (!trasferimento || c.trasf > trasferimento->trasf) trasferimento = c;
            continue;
        }
        if (c.entranti == 0) continue;
        // A trunk is incoming as the calling party, outgoing as the called one: codes under a
        // name of the calling side tell the direction first, those of the called side last.
        const auto lato = [&](const Cand& x) {
            const std::string nome = Parole(x.a, x.b);
            return HaParola(nome, {"CALLED", "DEST", "DST", "TERMINAT"})          ? 0
                   : HaParola(nome, {"ORIG", "CALLING", "SRC", "SOURCE", "FROM"}) ? 2
                                                                                  : 1;
        };
        const auto punti = [&](const Cand& x) {
            return std::make_tuple(
                lato(x), x.entranti > 0 && (x.uscenti > 0 || x.pieni > x.entranti), x.noti);
        };
        if (!migliore || punti(c) > punti(*migliore)) migliore = c;
    }
    mvTipo.assign(mvRighe.size(), 'U');
    if (EntrantiDaGiunzione(perColonna)) return;
    if (!migliore)
        if (auto d = DirezioneDaCifra(perColonna)) {
            migliore.emplace();
            migliore->a = d->first;
            migliore->b = d->first + 1;
            migliore->valori = d->second;
            migliore->pieni = migliore->noti = n;
        }
    if (!migliore && EntrantiSenzaAddebito()) return;
    if (!migliore && EntrantiDaScambio()) return;
    if (!migliore && EntrantiDallaForma(perColonna)) return;
    if (!migliore && EntrantiDalloSquillo(perColonna)) return;
    if (!migliore) {
        Voce(Ambito::Tipo, "Entranti e uscenti",
             "nessuna colonna di codici distingue le chiamate entranti dalle uscenti: tutte "
             "proposte uscenti, il caso pi\xF9 comune di una stampa di addebiti; se la stampa le "
             "distingue, indicare la colonna",
             true);
        return;
    }
    miDirA = migliore->a;
    miDirB = migliore->b;
    mDirValori = migliore->valori;
    Messaggi();
    // Unknown codes are outgoing unless the printout says otherwise.
    std::string elenco;
    size_t altri = 0;
    for (const auto& [t, k] : mDirValori) {
        if (k == '?' && mDirValori.size() > 6) {
            ++altri;
            continue;
        }
        if (!elenco.empty()) elenco += ", ";
        const char* nome = k == 'E'   ? "entranti"
                           : k == 'e' ? "entranti trasferite"
                           : k == 'u' ? "uscenti trasferite"
                           : k == 'T' ? "trasferite (proposte entranti)"
                           : k == 'U' ? "uscenti"
                           : k == 'X' ? "messaggi, non chiamate"
                                      : "uscenti (codice sconosciuto)";
        elenco += "\"" + std::string(TogliSpazi(t)) + "\" " + nome;
    }
    if (altri) elenco += ", e " + Num(static_cast<long long>(altri)) + " altri valori: uscenti";
    bool incerto = false;
    for (const auto& [t, k] : mDirValori) incerto |= k == '?' || k == 'T';
    const size_t vuote = n - migliore->pieni;
    Voce(Ambito::Tipo, "Entranti e uscenti",
         Dove(miDirA, miDirB) + ": " + Num(static_cast<long long>(mDirValori.size())) +
             " codici: " + elenco +
             (vuote ? "; " + Num(static_cast<long long>(vuote)) + " righe senza codice: uscenti"
                    : std::string()),
         incerto);
    if (trasferimento) {
        std::string segno;
        for (const auto& [t, k] : trasferimento->valori)
            if (k != '?') segno = t;
        if (SegnoSuNonRisposte(trasferimento->a, segno, perColonna)) trasferimento.reset();
    }
    if (trasferimento) {
        miTrasfA = trasferimento->a;
        miTrasfB = trasferimento->b;
        for (const auto& [t, k] : trasferimento->valori)
            if (k != '?') msTrasf = t;
        Voce(Ambito::Tipo, "Trasferite",
             Dove(miTrasfA, miTrasfB) + ": \"" + msTrasf + "\" su " +
                 Num(static_cast<long long>(trasferimento->trasf)) +
                 " chiamate e vuota sulle altre: segna le trasferite");
    }
    for (size_t r : mvChiamate) {
        const std::string s = mvRighe[r];
        for (const auto& [t, k] : mDirValori) {
            if (s.size() > static_cast<size_t>(miDirA) &&
                s.compare(static_cast<size_t>(miDirA), t.size(), t) == 0 &&
                (k == 'E' || k == 'e' || k == 'T'))
                mvTipo[r] = 'E';
        }
    }
    TrasferiteDallaForma();
}

// A transfer mark on a call nobody answered is no transfer mark: an unanswered call cannot be
// passed on. A call is unanswered where a column of digits on the other calls (the party that
// took it) prints stars instead. The mark then says something else of the call (who hung up
// first, a long call...) and no call is proposed transferred by it.
bool Proponitore::SegnoSuNonRisposte(
    int a, const std::string& segno,
    const std::map<int, std::map<std::string, size_t>>& perColonna) {
    const auto stelle = [](const std::string& t) {
        return t.size() >= 2 && t.find_first_not_of('*') == std::string::npos;
    };
    for (const auto& [col, valori] : perColonna) {
        if (col == a) continue;
        size_t cifre = 0, asterischi = 0, largo = 0;
        bool altro = false;
        for (const auto& [t, k] : valori) {
            largo = std::max(largo, t.size());
            if (std::all_of(t.begin(), t.end(), Cifra))
                cifre += k;
            else if (stelle(t))
                asterischi += k;
            else
                altro = true;
        }
        if (altro || !asterischi || cifre * 2 < mvChiamate.size()) continue;
        std::vector<size_t> segnate;
        size_t senza = 0;
        for (size_t r : mvChiamate) {
            const std::string& s = mvRighe[r];
            if (s.size() <= static_cast<size_t>(a) ||
                s.compare(static_cast<size_t>(a), segno.size(), segno) != 0)
                continue;
            segnate.push_back(r);
            const size_t fine = s.find(' ', static_cast<size_t>(col));
            if (s.size() > static_cast<size_t>(col) &&
                stelle(s.substr(static_cast<size_t>(col), fine - static_cast<size_t>(col))))
                ++senza;
        }
        if (!senza) continue;
        Voce(Ambito::Tipo, "Non un trasferimento",
             Dove(a, a + static_cast<int>(segno.size())) + ": \"" + segno + "\" su " +
                 Num(static_cast<long long>(segnate.size())) + " chiamate, di cui " +
                 Num(static_cast<long long>(senza)) + " senza risposta (asterischi in " +
                 Dove(col, col + static_cast<int>(largo)) +
                 ", dove le altre chiamate hanno cifre): una chiamata a cui nessuno ha risposto "
                 "non si trasferisce, il segno dice altro e nessuna chiamata \xE8 proposta "
                 "trasferita",
             true);
        return true;
    }
    return false;
}

// A code nothing tells the kind of, on lines that print no duration at all (neither talked nor
// ringing) where every line of a known code prints one: a message of the exchange printed in
// the shape of a call (a buffer full, a restart), no call. Its lines leave the calls and the
// calls' conditions exclude the code.
void Proponitore::Messaggi() {
    std::vector<std::pair<int, int>> durate;
    for (const auto& t : mvTempi)
        if (t.sCampo == "dDurata" || t.sCampo == "dRisposta") durate.emplace_back(t.c.a, t.c.b);
    if (durate.empty()) return;
    const auto conDurata = [&](size_t r) {
        return std::any_of(durate.begin(), durate.end(), [&](const std::pair<int, int>& d) {
            return !TogliSpazi(Testo(r, d.first, d.second)).empty();
        });
    };
    const auto codice = [&](size_t r) -> const std::string* {
        for (const auto& [t, k] : mDirValori)
            if (mvRighe[r].size() >= static_cast<size_t>(miDirA) + t.size() &&
                mvRighe[r].compare(static_cast<size_t>(miDirA), t.size(), t) == 0)
                return &t;
        return nullptr;
    };
    std::map<std::string, std::vector<size_t>> sconosciuti;
    for (size_t r : mvChiamate) {
        const std::string* t = codice(r);
        if (!t) continue;
        if (mDirValori[*t] != '?')
            if (!conDurata(r)) return;
        if (mDirValori[*t] == '?') sconosciuti[*t].push_back(r);
    }
    // A message names no party: no number of seven digits or more (a lost call may print its
    // caller's).
    const auto conNumero = [&](size_t r) {
        size_t corsa = 0;
        for (char c : mvRighe[r])
            if ((corsa = Cifra(c) ? corsa + 1 : 0) >= 7) return true;
        return false;
    };
    for (const auto& [t, righe] : sconosciuti) {
        if (righe.size() * 4 > mvChiamate.size() ||
            std::any_of(righe.begin(), righe.end(), conDurata) ||
            std::any_of(righe.begin(), righe.end(), conNumero))
            continue;
        mDirValori[t] = 'X';
        for (size_t r : righe) {
            mvChiamata[r] = false;
            mvChiamate.erase(std::find(mvChiamate.begin(), mvChiamate.end(), r));
        }
        Voce(Ambito::Righe, "Messaggi",
             Dove(miDirA, miDirB) + ": \"" + std::string(TogliSpazi(t)) + "\" su " +
                 Num(static_cast<long long>(righe.size())) +
                 (righe.size() == 1 ? " riga" : " righe") +
                 " senza alcuna durata n\xE9 squillo, che ogni riga di un codice noto ha: \xE8 "
                 "un messaggio della centrale, non una chiamata (le condizioni lo escludono)",
             true);
    }
}

// Calls on several lines whose lines vary: the code that tells the kind may stand on another
// line of the call, at the same column (an event line printed later on some calls). Incoming
// codes found there, on calls with no known code where the codes stand, are one more choice
// of the incoming conditions.
void Proponitore::CodiciSuAltreRighe() {
    if (miDirA < 0 || miLarghezzaRiga <= 0) return;
    const int w = miLarghezzaRiga, colonna = miDirA % w;
    for (int riga = 0; riga < miRigheBlocco; ++riga) {
        const int a = riga * w + colonna;
        if (a == miDirA) continue;
        std::map<std::string, std::vector<size_t>> codici;
        bool contrario = false;
        for (size_t r : mvChiamate) {
            const std::string& s = mvRighe[r];
            if (static_cast<int>(s.size()) <= a || s[static_cast<size_t>(a)] == ' ' ||
                (a % w > 0 && s[static_cast<size_t>(a - 1)] != ' '))
                continue;
            const size_t fine = s.find(' ', static_cast<size_t>(a));
            const std::string t = s.substr(static_cast<size_t>(a), fine - static_cast<size_t>(a));
            if (TipoDiCodice(t) != 'E') continue;
            const std::string qui(TogliSpazi(Testo(r, miDirA, miDirB)));
            const auto noto = mDirValori.find(qui);
            contrario |= noto != mDirValori.end() && noto->second != '?';
            codici[t].push_back(r);
        }
        if (contrario || codici.empty()) continue;
        for (const auto& [t, righe] : codici) {
            mvDirAltre.emplace_back(a, t);
            for (size_t r : righe) mvTipo[r] = 'E';
            Voce(Ambito::Tipo, "Entranti su un'altra riga",
                 Dove(a, a + static_cast<int>(t.size())) + ": \"" + t + "\" su " +
                     Num(static_cast<long long>(righe.size())) +
                     " chiamate che non hanno un codice in " + Dove(miDirA, miDirB) +
                     ": entranti anche queste",
                 true, true);
        }
    }
    // Calls still without a known code: a word opening one of their lines that some incoming
    // calls print there too, and no call with a code of another kind, makes them incoming.
    auto codice = [&](size_t r) {
        const auto noto = mDirValori.find(std::string(TogliSpazi(Testo(r, miDirA, miDirB))));
        return noto == mDirValori.end() ? '?' : noto->second;
    };
    std::map<std::pair<int, std::string>, std::array<std::vector<size_t>, 3>> parole;
    for (size_t r : mvChiamate) {
        const int chi = mvTipo[r] == 'E' ? 0 : codice(r) == '?' ? 2 : 1;
        for (int riga = 0; riga < miRigheBlocco; ++riga) {
            const std::string t = Testo(r, riga * w, (riga + 1) * w);
            const size_t i = t.find_first_not_of(' ');
            if (i == std::string::npos) continue;
            size_t j = i;
            while (j < t.size() && Lettera(t[j])) ++j;
            if (j - i < 3 || (j < t.size() && t[j] != ' ')) continue;
            parole[{riga * w + static_cast<int>(i), t.substr(i, j - i)}][chi].push_back(r);
        }
    }
    for (const auto& [dove, chi] : parole) {
        const bool restano =
            std::any_of(chi[2].begin(), chi[2].end(), [&](size_t r) { return mvTipo[r] != 'E'; });
        if (chi[0].size() < 2 || !chi[1].empty() || !restano) continue;
        const auto& [a, t] = dove;
        mvDirAltre.emplace_back(a, t);
        for (size_t r : chi[2]) mvTipo[r] = 'E';
        Voce(Ambito::Tipo, "Entranti dalla forma",
             Dove(a, a + static_cast<int>(t.size())) + ": \"" + t + "\" apre una riga di " +
                 Num(static_cast<long long>(chi[0].size())) + " entranti e di " +
                 Num(static_cast<long long>(chi[2].size())) +
                 " chiamate senza codice, di nessuna uscente: entranti anche queste",
             true, true);
    }
}

// A transfer code that does not say the direction (T): each of its lines goes with the kind
// whose lines it looks like (where text stands and where blanks), when a column tells them
// apart (the caller's number printed only on the incoming lines).
void Proponitore::TrasferiteDallaForma() {
    std::string codice;
    for (const auto& [t, k] : mDirValori)
        if (k == 'T') {
            if (!codice.empty()) return;
            codice = t;
        }
    if (codice.empty()) return;
    const auto ha = [&](size_t r, const std::string& t) {
        const std::string& s = mvRighe[r];
        return s.size() > static_cast<size_t>(miDirA) &&
               s.compare(static_cast<size_t>(miDirA), t.size(), t) == 0;
    };
    std::vector<size_t> trasf, entr, usc;
    for (size_t r : mvChiamate) {
        if (ha(r, codice)) {
            trasf.push_back(r);
            continue;
        }
        (mvTipo[r] == 'E' ? entr : usc).push_back(r);
    }
    if (trasf.size() < 2 || entr.empty() || usc.empty()) return;
    size_t larghezza = 0;
    for (size_t r : mvChiamate) larghezza = std::max(larghezza, mvRighe[r].size());
    const auto pieno = [&](size_t r, size_t x) {
        return x < mvRighe[r].size() && mvRighe[r][x] != ' ' && mvRighe[r][x] != '\t';
    };
    const auto frequenze = [&](const std::vector<size_t>& righe) {
        std::vector<double> f(larghezza, 0);
        for (size_t r : righe)
            for (size_t x = 0; x < larghezza; ++x) f[x] += pieno(r, x);
        for (double& v : f) v /= static_cast<double>(righe.size());
        return f;
    };
    const auto fE = frequenze(entr), fU = frequenze(usc);
    std::vector<size_t> comeE, comeU;
    for (size_t r : trasf) {
        double dE = 0, dU = 0;
        for (size_t x = 0; x < larghezza; ++x) {
            dE += std::abs(pieno(r, x) - fE[x]);
            dU += std::abs(pieno(r, x) - fU[x]);
        }
        (dE <= dU ? comeE : comeU).push_back(r);
    }
    if (comeU.empty()) return;
    // The column: text on every transferred line like the incoming ones, blank on the others,
    // where the incoming lines print most and the outgoing least.
    int colonna = -1;
    double migliore = 0;
    for (size_t x = 0; x < larghezza; ++x) {
        if (!std::all_of(comeE.begin(), comeE.end(), [&](size_t r) { return pieno(r, x); }) ||
            std::any_of(comeU.begin(), comeU.end(), [&](size_t r) { return pieno(r, x); }))
            continue;
        if (fE[x] - fU[x] > migliore) migliore = fE[x] - fU[x], colonna = static_cast<int>(x);
    }
    if (colonna < 0 || migliore < 0.5) return;
    miTrasfFormaA = colonna;
    msTrasfForma = codice;
    for (size_t r : comeU) mvTipo[r] = 'U';
    Voce(Ambito::Tipo, "Trasferite",
         "\"" + std::string(TogliSpazi(codice)) +
             "\" non dice la direzione: " + Num(static_cast<long long>(comeE.size())) +
             " righe somigliano alle entranti (testo in " + Dove(colonna, colonna + 1) +
             ", come le entranti) e " + Num(static_cast<long long>(comeU.size())) +
             " alle uscenti: trasferite entranti e uscenti",
         true);
}

// A count of the call's seconds printed glued before its duration (1000004200:00:42: extension
// 100, 00042 s, 00:00:42) is the same value again: its digits are no part of the field before.
void Proponitore::SecondiIncollati() {
    const Tempo* durata = nullptr;
    for (const auto& t : mvTempi)
        if (t.sCampo == "dDurata") durata = &t;
    if (!durata || mbSeparati ||
        durata->c.Incollati() * 10 < static_cast<int>(durata->c.Righe()) * 8)
        return;
    const int a = durata->c.a;
    for (int k = 6; k >= 3; --k) {
        if (a < k) continue;
        size_t uguali = 0;
        for (const auto& v : durata->c.vValori) {
            const std::string& s = mvRighe[v.iRiga];
            if (v.a != a || s.size() < static_cast<size_t>(a)) continue;
            const std::string cifre = s.substr(static_cast<size_t>(a - k), static_cast<size_t>(k));
            if (!std::all_of(cifre.begin(), cifre.end(), Cifra)) continue;
            uguali += std::stoll(cifre) == v.v.TotaleSecondi();
        }
        // The widest count that holds on every call (a wider one takes a digit of the field
        // before, which only the calls where that digit is 0 leave unseen).
        if (uguali < durata->c.Righe() || uguali < 3) continue;
        mvOccupate.emplace_back(a - k, a);
        Voce(Ambito::Campo, "Secondi della durata",
             Dove(a - k, a) + ": " + Num(static_cast<long long>(k)) +
                 " cifre attaccate alla durata valgono i suoi secondi su " +
                 Num(static_cast<long long>(uguali)) + " chiamate su " +
                 Num(static_cast<long long>(durata->c.Righe())) +
                 ": la stessa durata ripetuta, non \xE8 un campo");
        return;
    }
}

// Without a duration, a column of minutes and tenths (2.3, 61.5; a word such as NOANS on the
// calls not answered) on most call lines is the duration.
void Proponitore::DurataInDecimi() {
    for (const auto& t : mvTempi)
        if (t.sCampo == "dDurata") return;
    if (mbSeparati) return;
    const size_t ss = FormatoSecondi();
    if (ss == mvFormati.size()) return;
    const size_t n = mvChiamate.size();
    // Minutes and tenths on average, words left out.
    const auto media = [](const std::set<std::string>& valori) {
        double somma = 0;
        size_t k = 0;
        for (const auto& v : valori)
            if (!v.empty() && Cifra(v.front())) somma += std::strtod(v.c_str(), nullptr), ++k;
        return k ? somma / static_cast<double>(k) : 0.0;
    };
    double durata = -1;
    for (const Segmento& g : Segmenti(mvChiamate)) {
        size_t decimi = 0, parole = 0;
        std::set<std::string> testi;
        bool adatta = !g.distinti.empty();
        for (const auto& v : g.distinti) {
            const size_t punto = v.find('.');
            const bool numero =
                punto != std::string::npos && punto >= 1 && punto <= 3 && v.size() == punto + 2 &&
                std::all_of(v.begin(), v.end(), [](char c) { return Cifra(c) || c == '.'; });
            const bool parola = std::all_of(v.begin(), v.end(), Lettera);
            if (!numero && !parola) {
                adatta = false;
                break;
            }
            if (parola) testi.insert(v);
        }
        if (!adatta) continue;
        Tempo t;
        t.c = Conteggi(g.a, g.b, ss);
        for (const auto& v : t.c.vValori)
            (testi.count(std::string(TogliSpazi(Testo(v.iRiga, g.a, g.b)))) ? parole : decimi) += 1;
        if (durata >= 0) {
            // A second column of minutes and tenths, shorter and without words: the ringing
            // time, read the same way.
            if (decimi < 2 || parole > 0 || media(g.distinti) > durata) continue;
            t.sCampo = "dRisposta";
            t.bDecimi = true;
            mvOccupate.emplace_back(g.a, g.b);
            miSquilloA = g.a;
            Voce(Ambito::Campo, "Durata squillo",
                 Dove(g.a, g.b) + ": minuti e decimi anche qui, pi\xF9 brevi della durata, su " +
                     Num(static_cast<long long>(decimi)) + " chiamate su " +
                     Num(static_cast<long long>(n)) +
                     ": \xE8 il tempo di risposta, letto come la durata (solo sulle entranti)",
                 true, true, "dRisposta", g.a, g.b);
            mvTempi.push_back(std::move(t));
            return;
        }
        if (decimi < 2 || (decimi + parole) * 10 < n * 6 || parole * 2 > decimi) continue;
        t.sCampo = "dDurata";
        t.bDecimi = true;
        t.parole = std::move(testi);
        mvOccupate.emplace_back(g.a, g.b);
        std::string esempi;
        for (const auto& v : g.distinti) {
            if (esempi.size() > 20) break;
            esempi += (esempi.empty() ? "" : ", ") + v;
        }
        Voce(Ambito::Campo, "Durata",
             Dove(g.a, g.b) + ": minuti e decimi (" + esempi + ") su " +
                 Num(static_cast<long long>(decimi)) + " chiamate su " +
                 Num(static_cast<long long>(n)) +
                 ": \xE8 la durata, letta senza il punto e moltiplicata per 6 (un decimo di "
                 "minuto sono 6 secondi)" +
                 (t.parole.empty()
                      ? std::string()
                      : "; le parole (" + *t.parole.begin() + ") sono una durata vuota"),
             true, false, "dDurata", g.a, g.b);
        durata = media(g.distinti);
        mvTempi.push_back(std::move(t));
    }
}

// Counts of seconds under a heading that names a duration (Talk Duration(s), billsec) or a
// ringing time: the time talked before the whole call's, the ringing time apart.
void Proponitore::DurateDaIntestazione() {
    const size_t ss = FormatoSecondi();
    if (ss == mvFormati.size()) return;
    bool durata = false, squillo = false;
    for (const auto& t : mvTempi) {
        durata |= t.sCampo == "dDurata";
        squillo |= t.sCampo == "dRisposta";
    }
    const Segmento* scelte[2] = {nullptr, nullptr};  // duration, ringing time
    int punti = 0;
    const std::vector<Segmento> segmenti = Segmenti(mvChiamate);
    for (const auto& g : segmenti) {
        // A heading naming an identifier (Conversation ID) names no time.
        if (g.iPieni == 0 || g.iIntere < g.iPieni || g.iLunghezzaMax > 7 ||
            g.sIntestazione.empty() || HaParola(g.sIntestazione, {"ID"}))
            continue;
        if (HaParola(g.sIntestazione, {"RING", "SQUILL", "WAIT", "ATTESA"})) {
            if (!scelte[1]) scelte[1] = &g;
            continue;
        }
        if (!HaParola(g.sIntestazione,
                      {"DUR", "TALK", "BILL", "CONV", "ELAPS", "DURATA", "SECOND", "SEC"}))
            continue;
        // The time talked (billed) before the whole call's.
        const int p = HaParola(g.sIntestazione, {"TALK", "BILL", "CONV", "ADDEB"}) ? 2 : 1;
        if (p > punti) punti = p, scelte[0] = &g;
    }
    const char* campi[2] = {"dDurata", "dRisposta"};
    const char* titoli[2] = {"Durata", "Durata squillo"};
    for (int k = 0; k < 2; ++k) {
        const Segmento* g = scelte[k];
        if (!g || (k == 0 ? durata : squillo)) continue;
        Tempo t;
        t.sCampo = campi[k];
        t.c = Conteggi(g->a, g->b, ss);
        mvOccupate.emplace_back(g->a, g->b);
        Voce(Ambito::Campo, titoli[k],
             Dove(g->a, g->b) + ": un numero di secondi sotto \"" + g->sIntestazione + "\"", false,
             false, campi[k], g->a, g->b);
        mvTempi.push_back(std::move(t));
    }
    // The other counts of seconds under such headings (the whole call beside the time talked)
    // are no field.
    for (const auto& g : segmenti)
        if (g.iPieni && g.iIntere == g.iPieni && !g.sIntestazione.empty() &&
            HaParola(g.sIntestazione, {"DUR", "TALK", "BILL", "CONV", "ELAPS", "DURATA"}))
            mvOccupate.emplace_back(g.a, g.b);
}

// Without codes, the shape of the lines may tell: the calls that print no number (seven digits
// or more) and are the only ones holding text in some column (a ringing time, say) are taken
// for incoming calls; the others dialled a number.
bool Proponitore::EntrantiDallaForma(const std::map<int, std::map<std::string, size_t>>& colonne) {
    const size_t n = mvChiamate.size();
    if (n < 4) return false;
    std::set<size_t> senzaNumero;
    for (size_t r : mvChiamate) {
        const std::string& s = mvRighe[r];
        size_t corsa = 0, massima = 0;
        for (size_t x = 0; x < s.size(); ++x) {
            // Digits of fields taken (a time and a duration glued) or split apart are no number.
            bool presa = false;
            for (const auto& [a, b] : mvOccupate)
                presa |= static_cast<int>(x) >= a && static_cast<int>(x) < b;
            corsa = !Cifra(s[x]) || presa ? 0 : mConfini.count(static_cast<int>(x)) ? 1 : corsa + 1;
            massima = std::max(massima, corsa);
        }
        if (massima < 7) senzaNumero.insert(r);
    }
    if (senzaNumero.size() < 2 || senzaNumero.size() + 2 > n) return false;
    // All the calls without a number; failing that, three in four of them (an internal call
    // prints neither a number nor what the incoming ones do).
    for (const bool tutte : {true, false})
        for (const auto& [col, valori] : colonne) {
            bool libero = true;
            for (const auto& [a, b] : mvOccupate) libero &= !(col >= a && col < b);
            // A ringing time is a field and still tells the kind.
            if (!libero && col != miSquilloA) continue;
            std::set<size_t> piene;
            int fine = col;
            for (size_t r : mvChiamate) {
                const std::string& s = mvRighe[r];
                const auto c = static_cast<size_t>(col);
                if (s.size() <= c || s[c] == ' ' || (c > 0 && s[c - 1] != ' ')) continue;
                piene.insert(r);
                fine = std::max(fine, static_cast<int>(std::min(s.find(' ', c), s.size())));
            }
            if (tutte ? piene != senzaNumero
                      : piene.size() < 2 || piene.size() * 4 < senzaNumero.size() * 3 ||
                            !std::includes(senzaNumero.begin(), senzaNumero.end(), piene.begin(),
                                           piene.end()))
                continue;
            miFormaA = col;
            miFormaB = fine;
            for (size_t r : piene) mvTipo[r] = 'E';
            Voce(Ambito::Tipo, "Entranti e uscenti",
                 "nessuna colonna di codici; " + Num(static_cast<long long>(piene.size())) +
                     " chiamate non hanno un numero e sono le sole con un testo in " +
                     Dove(miFormaA, miFormaB) + " (" + PrimiTesti(piene, col, fine) +
                     "): proposte entranti, le altre uscenti" +
                     (tutte ? std::string()
                            : "; le altre " +
                                  Num(static_cast<long long>(senzaNumero.size() - piene.size())) +
                                  " senza numero non hanno quel testo: uscenti (interne)"),
                 true);
            return true;
        }
    return false;
}

// A ringing time printed on some calls only, and a column of one-sign codes on every call whose
// codes split the calls just as the ringing time does (no code on a call with it and on one
// without): the calls that print a ringing time are incoming, the others outgoing.
bool Proponitore::EntrantiDalloSquillo(
    const std::map<int, std::map<std::string, size_t>>& colonne) {
    const size_t n = mvChiamate.size();
    const auto squillo = std::find_if(mvTempi.begin(), mvTempi.end(),
                                      [](const Tempo& t) { return t.sCampo == "dRisposta"; });
    if (n < 4 || squillo == mvTempi.end()) return false;
    const int a = squillo->c.a, b = squillo->c.b;
    std::set<size_t> suonate;
    for (size_t r : mvChiamate)
        if (!TogliSpazi(Testo(r, a, b)).empty()) suonate.insert(r);
    if (suonate.size() < 2 || suonate.size() + 2 > n) return false;
    for (const auto& [col, valori] : colonne) {
        if (col >= a && col < b) continue;
        size_t pieni = 0;
        for (const auto& [t, k] : valori) pieni += t.size() == 1 ? k : 0;
        if (pieni != n || valori.size() < 2) continue;
        std::map<char, int> lato;  // 1 with a ringing time, 2 without, 3 both
        for (size_t r : mvChiamate) {
            const std::string& riga = mvRighe[r];
            const char c =
                static_cast<size_t>(col) < riga.size() ? riga[static_cast<size_t>(col)] : ' ';
            lato[c] |= suonate.count(r) ? 1 : 2;
        }
        if (lato.count(' ')) continue;
        if (std::any_of(lato.begin(), lato.end(), [](const auto& l) { return l.second == 3; }))
            continue;
        std::string con, senza;
        for (const auto& [c, l] : lato) {
            std::string& elenco = l == 1 ? con : senza;
            elenco += elenco.empty() ? std::string(1, c) : std::string(", ") + c;
        }
        miFormaA = a;
        miFormaB = b;
        for (size_t r : suonate) mvTipo[r] = 'E';
        Voce(Ambito::Tipo, "Entranti e uscenti",
             Dove(a, b) + ": un tempo di squillo su " +
                 Num(static_cast<long long>(suonate.size())) + " chiamate su " +
                 Num(static_cast<long long>(n)) + ", e in " + Dove(col, col + 1) +
                 " codici diversi sulle une (" + con + ") e sulle altre (" + senza +
                 "): le chiamate con lo squillo proposte entranti, le altre uscenti",
             true);
        return true;
    }
    return false;
}

// A trunk as the calling party: the first column holding a party on (nearly) every call line
// that holds a trunk (T and its digits: T162, T000002) on some and an extension on the others;
// the calls from a trunk are incoming.
bool Proponitore::EntrantiDaGiunzione(const std::map<int, std::map<std::string, size_t>>& colonne) {
    const size_t n = mvChiamate.size();
    if (n < 4) return false;
    const auto giunzione = [](const std::string& t) {
        return t.size() >= 2 && (t[0] == 'T' || t[0] == 't') && Cifra(t[1]);
    };
    for (const auto& [col, valori] : colonne) {
        bool libero = true;
        for (const auto& [a, b] : mvOccupate) libero &= !(col >= a && col < b);
        if (!libero) continue;
        size_t pieni = 0, giunzioni = 0, parti = 0;
        for (const auto& [t, k] : valori) {
            pieni += k;
            if (giunzione(t))
                giunzioni += k;
            else if (std::count_if(t.begin(), t.end(), Cifra) >= 2)
                parti += k;
        }
        if (pieni * 10 < n * 8 || giunzioni + parti != pieni) continue;
        if (giunzioni < 2 || parti < 2) continue;
        std::set<size_t> daGiunzione;
        for (size_t r : mvChiamate) {
            const std::string& s = mvRighe[r];
            const auto c = static_cast<size_t>(col);
            if (s.size() > c + 1 && giunzione(s.substr(c, 2))) daGiunzione.insert(r);
        }
        miFormaA = col;
        miFormaB = col + 1;
        msFormaValore = "T";
        for (size_t r : daGiunzione) mvTipo[r] = 'E';
        Voce(Ambito::Tipo, "Entranti e uscenti",
             Dove(col, col + 1) + ": il primo interlocutore \xE8 una linea esterna (" +
                 PrimiTesti(daGiunzione, col, col + 8) + ") su " +
                 Num(static_cast<long long>(daGiunzione.size())) + " chiamate e un interno (" +
                 Num(static_cast<long long>(parti)) +
                 ") sulle altre: chiamate da una linea esterna entranti, le altre uscenti",
             true);
        return true;
    }
    return false;
}

// A code glued after a count (units 1 and kind 2 printed as "12"): the code whose calls are
// never charged is the incoming one, the count the units of every call.
bool Proponitore::EntrantiSenzaAddebito() {
    std::vector<std::string_view> righe;
    for (size_t r : mvChiamate) righe.emplace_back(mvRighe[r]);
    const auto c = TrovaCodiceDopoConteggio(righe, mvOccupate);
    if (!c) return false;
    miDirA = c->iColonna;
    miDirB = c->iColonna + 1;
    mDirValori[std::string(1, c->cSenzaAddebito)] = 'E';
    for (char k : c->sAltri) mDirValori[std::string(1, k)] = 'U';
    std::set<size_t> entranti, tutte(mvChiamate.begin(), mvChiamate.end());
    for (size_t r : mvChiamate)
        if (mvRighe[r][static_cast<size_t>(miDirA)] == c->cSenzaAddebito) {
            mvTipo[r] = 'E';
            entranti.insert(r);
        }
    miScattiA = c->iConteggio;
    miScattiB = c->iColonna;
    // Room for longer counts than the sample's, over the blanks before it.
    const auto vuota = [&](int x) {
        for (const auto& [a, b] : mvOccupate)
            if (x >= a && x < b) return false;
        return std::all_of(mvChiamate.begin(), mvChiamate.end(), [&](size_t r) {
            return mvRighe[r].size() <= static_cast<size_t>(x) ||
                   mvRighe[r][static_cast<size_t>(x)] == ' ';
        });
    };
    const int primo = miScattiA;
    while (miScattiA > 0 && primo - miScattiA < 4 && vuota(miScattiA - 1) && vuota(miScattiA - 2))
        --miScattiA;
    mvOccupate.emplace_back(miScattiA, miDirB);
    std::string altri;
    for (char k : c->sAltri) altri += std::string(altri.empty() ? "\"" : ", \"") + k + "\"";
    Voce(Ambito::Tipo, "Entranti e uscenti",
         Dove(miDirA, miDirB) + ": una cifra attaccata dopo un conteggio su ogni chiamata (" +
             PrimiTesti(tutte, miScattiA, miDirB) + "), con " +
             Num(static_cast<long long>(c->sAltri.size() + 1)) + " valori: \"" +
             std::string(1, c->cSenzaAddebito) + "\" su " +
             Num(static_cast<long long>(c->iSenzaAddebito)) +
             " chiamate, tutte con conteggio zero, e " + altri + " su " +
             Num(static_cast<long long>(c->iAltre)) + ", con un conteggio sopra zero su " +
             Num(static_cast<long long>(c->iAddebitate)) +
             ": le chiamate mai addebitate sono le entranti, le altre uscenti",
         true);
    Voce(Ambito::Campo, "Scatti",
         Dove(miScattiA, miScattiB) + ": il conteggio prima del codice (" +
             PrimiTesti(tutte, miScattiA, miScattiB) +
             "), zero su ogni entrante: sono gli scatti, su entranti e uscenti",
         false, false, "lScatti", miScattiA, miScattiB);
    return true;
}

// Lines with the time of the calls that are blank in most columns every other call line prints
// in (no party, no duration): records of the system (a restart, a clock set), no calls. A few at
// most, and only when a column holds text on every call and on none of them.
void Proponitore::RecordDiServizio() {
    const size_t n = mvChiamate.size();
    if (mbSeparati || n < 8) return;
    size_t larghezza = 0;
    for (size_t r : mvChiamate) larghezza = std::max(larghezza, mvRighe[r].size());
    const auto pieno = [&](size_t r, size_t x) {
        return x < mvRighe[r].size() && mvRighe[r][x] != ' ' && mvRighe[r][x] != '\t';
    };
    std::vector<size_t>
        colonne;  // columns with text on nine call lines in ten, date and time aside
    for (size_t x = 0; x < larghezza; ++x) {
        const int i = static_cast<int>(x);
        if ((i >= mOra->a && i < mOra->b) || (mData && i >= mData->a && i < mData->b)) continue;
        const auto k = std::count_if(mvChiamate.begin(), mvChiamate.end(),
                                     [&](size_t r) { return pieno(r, x); });
        if (static_cast<size_t>(k) * 10 >= n * 9) colonne.push_back(x);
    }
    if (colonne.size() < 4) return;
    std::set<size_t> servizio;
    for (size_t r : mvChiamate) {
        const auto vuote =
            std::count_if(colonne.begin(), colonne.end(), [&](size_t x) { return !pieno(r, x); });
        if (static_cast<size_t>(vuote) * 2 >= colonne.size()) servizio.insert(r);
    }
    if (servizio.empty() || servizio.size() * 10 > n) return;
    for (size_t x : colonne) {
        if (!std::all_of(mvChiamate.begin(), mvChiamate.end(),
                         [&](size_t r) { return pieno(r, x) != (servizio.count(r) > 0); }))
            continue;
        miServizioA = static_cast<int>(x);
        break;
    }
    if (miServizioA < 0) return;
    const std::string esempi = PrimiTesti(servizio, 0, static_cast<int>(larghezza));
    for (size_t r : servizio) mvChiamata[r] = false;
    mvChiamate.erase(std::remove_if(mvChiamate.begin(), mvChiamate.end(),
                                    [&](size_t r) { return servizio.count(r) > 0; }),
                     mvChiamate.end());
    Voce(Ambito::Righe, "Righe di servizio",
         Num(static_cast<long long>(servizio.size())) +
             " righe con l'ora sono vuote in quasi tutte le colonne dove le altre chiamate "
             "hanno testo (" +
             esempi + "): sono record del sistema, non chiamate; le chiamate chiedono testo in " +
             Dove(miServizioA, miServizioA + 1) + " (DIVERSO_DA \"\")");
}

std::string Proponitore::PrimiTesti(const std::set<size_t>& righe, int a, int b) const {
    std::string t;
    size_t k = 0;
    for (size_t r : righe) {
        if (k++ == 3) break;
        if (!t.empty()) t += ", ";
        t += std::string(TogliSpazi(Testo(r, a, b)));
    }
    return t;
}

bool Proponitore::NudoAltrove(const Segmento& g, const std::vector<Segmento>& segmenti,
                              const std::vector<size_t>& righe) const {
    for (const auto& h : segmenti) {
        if (&h == &g || h.iPieni != g.iPieni || h.iIntere != h.iPieni || h.iPieni < 2) continue;
        bool uguali = true;
        for (size_t r : righe) {
            const std::string v(TogliSpazi(Testo(r, g.a, g.b)));
            if (v.empty()) continue;
            const size_t l = v.find_first_of("0123456789");
            uguali = l != std::string::npos && v.substr(l) == TogliSpazi(Testo(r, h.a, h.b));
            if (!uguali) break;
        }
        if (uguali) return true;
    }
    return false;
}

double Proponitore::QuotaGiunzioni(const Segmento& g, const std::vector<size_t>& righe) const {
    size_t giunzioni = 0, pieni = 0;
    for (size_t r : righe) {
        const std::string v(TogliSpazi(Testo(r, g.a, g.b)));
        if (v.empty()) continue;
        ++pieni;
        if (v.size() >= 2 && (v[0] == 'T' || v[0] == 't') && Cifra(v[1]))
            ++giunzioni;
        else if (v.size() > 8 || std::none_of(v.begin(), v.end(), Cifra))
            return 0;
    }
    return pieni ? static_cast<double>(giunzioni) / static_cast<double>(pieni) : 0;
}

// 7. The other columns, split where every call line is blank.
// A column of whole numbers where a few calls print one mark of letters instead (NA, ND): the
// column without the mark, and the mark in rSegno; the column as it is and "" otherwise. The
// mark stands on fewer calls than the numbers, and the numbers are at least two.
Segmento SenzaSegnoDiAssenza(const Segmento& g, std::string& rSegno) {
    rSegno.clear();
    std::string segno;
    for (const auto& v : g.distinti) {
        if (std::all_of(v.begin(), v.end(), Cifra)) continue;
        if (!segno.empty() || v.size() > 3 || !std::all_of(v.begin(), v.end(), Lettera)) return g;
        segno = v;
    }
    const size_t numeri = g.distinti.size() - (segno.empty() ? 0 : 1);
    const size_t volte = g.iPieni - g.iIntere;
    if (segno.empty() || numeri < 2 || volte * 2 >= g.iPieni) return g;
    Segmento h = g;
    h.distinti.erase(segno);
    h.iPieni = g.iIntere;
    h.iCifre = std::min(h.iCifre, h.iPieni);
    rSegno = segno;
    return h;
}

std::vector<Segmento> Proponitore::Segmenti(const std::vector<size_t>& righe) {
    std::vector<Segmento> mvSegmenti;
    int larghezza = 0;
    for (size_t r : righe) larghezza = std::max(larghezza, static_cast<int>(mvRighe[r].size()));
    std::vector<size_t> pieni(static_cast<size_t>(larghezza) + 1, 0);
    auto occupata = [&](int x) {
        for (const auto& [a, b] : mvOccupate)
            if (x >= a && x < b) return true;
        if (x >= miTrasfA && x < miTrasfB) return true;
        // A direction letter glued before the number.
        if (x == miDirA && mCodiciIncollati.count(x)) return true;
        return false;
    };
    for (size_t r : righe) {
        const std::string& s = mvRighe[r];
        for (int x = 0; x < static_cast<int>(s.size()); ++x)
            if (s[static_cast<size_t>(x)] != ' ' && s[static_cast<size_t>(x)] != '\t' &&
                !occupata(x))
                ++pieni[static_cast<size_t>(x)];
    }
    // Separated fields: each field is a column of its own, blanks inside it and all, unless a
    // value taken from it already stands there.
    if (mbSeparati)
        for (size_t k = 0; k < mvColonna.size(); ++k) {
            const int a = mvColonna[k], b = a + mvLarghezza[k];
            bool presa = false, piena = false;
            for (int x = a; x < b && x < larghezza; ++x) {
                presa |= occupata(x);
                piena |= pieni[static_cast<size_t>(x)] > 0;
            }
            for (int x = a; x < b && x < larghezza; ++x)
                pieni[static_cast<size_t>(x)] = presa || !piena ? 0 : 1;
        }
    // The direction code glued to a number ("<I>0555...") belongs to the number's column.
    std::set<int> tagli = TagliIncollati(righe, pieni);
    if (miTaglioEntranti >= 0 && !righe.empty() && mvTipo[righe.front()] == 'E')
        tagli.insert(miTaglioEntranti);
    for (int x = 0; x <= larghezza;) {
        if (!pieni[static_cast<size_t>(x)]) {
            ++x;
            continue;
        }
        int y = x;
        while (y < larghezza && pieni[static_cast<size_t>(y)] &&
               !(y > x && (tagli.count(y) || mConfini.count(y))))
            ++y;
        Segmento g;
        g.a = x;
        g.b = y;
        size_t lunghezze = 0;
        int inizio = -1, fine = -1;
        bool stessoInizio = true, stessaFine = true;
        for (size_t r : righe) {
            const std::string t = Testo(r, x, y);
            const std::string_view v = TogliSpazi(t);
            if (v.empty()) continue;
            ++g.iPieni;
            const int i0 = x + static_cast<int>(t.find_first_not_of(' '));
            const int i1 = x + static_cast<int>(t.find_last_not_of(' ')) + 1;
            if (inizio < 0) inizio = i0, fine = i1;
            stessoInizio &= i0 == inizio;
            stessaFine &= i1 == fine;
            size_t cifre = 0;
            for (char c : v) cifre += Cifra(c) || c == '*' || c == '#' || c == '+' || c == '-';
            // A date or a time is no number.
            if (cifre * 10 >= v.size() * 7 && v.find(':') == std::string_view::npos) ++g.iCifre;
            if (v.find_first_not_of("0123456789") == std::string_view::npos) ++g.iIntere;
            // Six digits or more among spaces, dashes, brackets or words: a number to keep the
            // digits of. What a telephone dials (*, #, a pause letter between digits) stays.
            if (std::count_if(v.begin(), v.end(), Cifra) >= 6 && v.find(':') == v.rfind(':') &&
                v.front() != '<' && Decorato(v))
                g.bDecorato = true;
            g.iLunghezzaMax = std::max(g.iLunghezzaMax, v.size());
            lunghezze += v.size();
            g.distinti.insert(std::string(v));
        }
        g.bSinistra = stessoInizio || !stessaFine;
        g.dLunghezzaMedia =
            g.iPieni ? static_cast<double>(lunghezze) / static_cast<double>(g.iPieni) : 0;
        g.sIntestazione = Intestazione(x, y);
        if (g.bDecorato) g.sSegnoInCoda = SegnoInCoda(g.distinti);
        mvSegmenti.push_back(std::move(g));
        x = std::max(y, x + 1);
    }
    // A word and a number one blank apart on the same lines are one value ("Trunk 001").
    for (size_t i = 0; i + 1 < mvSegmenti.size();) {
        Segmento& g = mvSegmenti[i];
        const Segmento& h = mvSegmenti[i + 1];
        // The direction codes (IN 1001) are never part of the value after them.
        bool parola = h.a == g.b + 1 && g.iPieni == h.iPieni && !g.distinti.empty() &&
                      !mbSeparati && !(miDirA >= 0 && g.a <= miDirA && miDirA < g.b);
        // A word, or a trunk's name (T010 011: the route and its member); a trunk's name is
        // a value of its own, never the number after a word (A T105).
        for (const auto& v : h.distinti)
            parola &= !(v.size() >= 2 && v[0] == 'T' && std::all_of(v.begin() + 1, v.end(), Cifra));
        for (const auto& v : g.distinti) {
            const bool giunzione =
                v.size() >= 2 && v[0] == 'T' && std::all_of(v.begin() + 1, v.end(), Cifra);
            for (char c : v) parola &= Lettera(c) || giunzione;
            // A trunk's member is digits, never stars (T163 ***: a time to answer).
            parola &= !giunzione || h.iIntere == h.iPieni;
        }
        if (!parola || h.iCifre * 10 < h.iPieni * 7) {
            ++i;
            continue;
        }
        g.b = h.b;
        g.iCifre = h.iCifre;
        g.iLunghezzaMax = g.iLunghezzaMax + 1 + h.iLunghezzaMax;
        g.dLunghezzaMedia += 1 + h.dLunghezzaMedia;
        g.distinti.clear();
        for (size_t r : righe) {
            const std::string v(TogliSpazi(Testo(r, g.a, g.b)));
            if (v.empty()) continue;
            g.distinti.insert(v);
            // A word before a number's digits (A 15555550142) is no part of the number.
            if (std::count_if(v.begin(), v.end(), Cifra) >= 6 && Decorato(v)) g.bDecorato = true;
        }
        g.sIntestazione = Intestazione(g.a, g.b);
        mvSegmenti.erase(mvSegmenti.begin() + static_cast<long>(i) + 1);
    }
    const size_t n = righe.size();
    auto prendi = [&](const std::string& ruolo, auto&& criterio) -> Segmento* {
        Segmento* scelto = nullptr;
        double migliore = 0;
        for (auto& g : mvSegmenti) {
            if (!g.sRuolo.empty() || g.iPieni == 0) continue;
            const double p = criterio(g);
            if (p > migliore) migliore = p, scelto = &g;
        }
        if (scelto) scelto->sRuolo = ruolo;
        return scelto;
    };
    auto digitale = [](const Segmento& g) { return g.iCifre * 10 >= g.iPieni * 7; };
    // The direction column itself is no field.
    for (auto& g : mvSegmenti)
        if (miDirA >= 0 && g.a <= miDirA && g.b >= miDirB && g.b - g.a <= miDirB - miDirA + 1 &&
            g.dLunghezzaMedia <= 6)
            g.sRuolo = "-";
    // A record counter (each call line one more than the one before) is no field.
    for (auto& g : mvSegmenti) {
        if (!g.sRuolo.empty() || g.iPieni < 3) continue;
        long long prima = -1;
        size_t passi = 0, uno = 0;
        for (size_t r : mvChiamate) {
            const std::string v(TogliSpazi(Testo(r, g.a, g.b)));
            if (v.empty() || v.size() > 9 ||
                v.find_first_not_of("0123456789") != std::string::npos) {
                prima = -1;
                continue;
            }
            const long long k = std::stoll(v);
            if (prima >= 0) {
                ++passi;
                uno += k == prima + 1;
            }
            prima = k;
        }
        if (passi >= 2 && uno * 10 >= passi * 8) {
            g.sRuolo = "-";
            if (!mContatori.insert({g.a, g.b}).second) continue;
            Voce(Ambito::Righe, "Contatore",
                 Dove(g.a, g.b) + ": un numero che cresce di uno da una chiamata all'altra (" +
                     Num(static_cast<long long>(uno)) + " volte su " +
                     Num(static_cast<long long>(passi)) + "): numera i record, non \xE8 un campo");
        }
    }
    const auto giunzioni = [](const Segmento& g) {
        return !g.distinti.empty() &&
               std::all_of(g.distinti.begin(), g.distinti.end(), [](const std::string& v) {
                   return v.size() >= 2 && (v[0] == 'T' || v[0] == 't') && Cifra(v[1]);
               });
    };
    // Values that grow on every call (1798531201.2591, a record's time stamp or identifier)
    // are no telephone number.
    const auto crescenti = [&](const Segmento& g) {
        double prima = -1;
        size_t passi = 0;
        bool punto = false;
        for (size_t r : righe) {
            const std::string v(TogliSpazi(Testo(r, g.a, g.b)));
            if (v.empty()) continue;
            punto |= v.find('.') != std::string::npos;
            if (v.size() < 9 || !Cifra(v.front())) return false;
            const double k = std::strtod(v.c_str(), nullptr);
            if (prima >= 0 && k <= prima) return false;
            prima = k;
            ++passi;
        }
        // Numbers dialled grow by chance on a few calls: five at least, or three of a time
        // stamp with its fraction (1798531201.2591).
        return passi >= (punto ? 3u : 5u);
    };
    prendi("sNumero", [&](const Segmento& g) {
        // Trunks named T and their number (T000001) are no number dialled, nor a channel's name
        // (SIP/5301-00000001, a technology before a slash).
        const bool canali =
            std::any_of(g.distinti.begin(), g.distinti.end(), [](const std::string& v) {
                const size_t barra = v.find('/');
                return barra != std::string::npos && barra > 0 &&
                       std::any_of(v.begin(), v.begin() + static_cast<long>(barra), Lettera);
            });
        // An identifier of seconds and a sequence (1386105012.6) neither.
        const bool marche =
            std::any_of(g.distinti.begin(), g.distinti.end(), [](const std::string& v) {
                const size_t punto = v.find('.');
                return punto != std::string::npos && punto >= 9 && punto + 1 < v.size() &&
                       v.find('.', punto + 1) == std::string::npos &&
                       std::all_of(v.begin(), v.end(), [](char c) { return Cifra(c) || c == '.'; });
            });
        // Digits glued to the same text with letters on every line (0!KA0100010012101: a
        // record's kind and its codes; an identifier); not after a name of the value (CLI:, S=,
        // CLI 0555...).
        std::set<std::string> teste;
        for (const auto& v : g.distinti) {
            size_t fine = v.size();
            while (fine > 0 && Cifra(v[fine - 1])) --fine;
            teste.insert(v.substr(0, fine));
        }
        const std::string testa = teste.size() == 1 ? *teste.begin() : std::string();
        const bool tipo = std::count_if(testa.begin(), testa.end(), Lettera) >= 2 &&
                          testa.back() != ':' && testa.back() != '=' && testa.back() != ' ' &&
                          g.distinti.size() >= 2;
        // Nor one of groups of hexadecimal digits (a1b2c3d4-0000-4000-8000-000000003001).
        const bool esadecimali =
            std::any_of(g.distinti.begin(), g.distinti.end(), [](const std::string& v) {
                return std::count(v.begin(), v.end(), '-') >= 2 &&
                       std::any_of(v.begin(), v.end(), Lettera) &&
                       std::all_of(v.begin(), v.end(), [](char c) {
                           return std::isxdigit(static_cast<unsigned char>(c)) || c == '-';
                       });
            });
        if (giunzioni(g) || crescenti(g) || canali || marche || tipo || esadecimali) return 0.0;
        // Long on average, or internal numbers beside long ones (5301, 0555123456).
        double p =
            (g.dLunghezzaMedia >= 6 || g.iLunghezzaMax >= 8) && digitale(g) ? g.dLunghezzaMedia : 0;
        // A heading that names a number counts where numbers stand (a third of the texts with
        // six digits or more), and not when it names a trunk (DESTINATION TRUNK).
        const auto lunghi = std::count_if(g.distinti.begin(), g.distinti.end(),
                                          [](const std::string& v) { return CifreInFila(v) >= 6; });
        if (lunghi * 3 >= static_cast<long>(g.distinti.size()) && lunghi > 0 &&
            HaParola(g.sIntestazione, {"NUMBER", "DIAL", "CALLED", "NUMERO", "CLI", "DIGIT",
                                       "PHONE", "TEL", "DESTIN"}) &&
            !HaParola(g.sIntestazione, {"TRUNK", "TRK", "LINE", "LINEA", "ROUTE"}))
            p += 10;
        return p;
    });
    // A short left-aligned column of one length on four values in five, glued to more digits on
    // the others (34001, and 3400577120 where a code follows): that length, 0 otherwise.
    const auto corta = [&](const Segmento& g) -> size_t {
        if (mbSeparati || !g.bSinistra || g.iIntere < g.iPieni || g.iLunghezzaMax <= 6) return 0;
        std::map<size_t, size_t> lunghezze;
        for (size_t r : righe)
            if (const auto v = TogliSpazi(Testo(r, g.a, g.b)); !v.empty()) ++lunghezze[v.size()];
        const auto [k, quante] =
            *std::max_element(lunghezze.begin(), lunghezze.end(),
                              [](const auto& x, const auto& y) { return x.second < y.second; });
        const bool oltre = std::all_of(lunghezze.begin(), lunghezze.end(), [&](const auto& l) {
            return l.first == k || l.first > k + 1;
        });
        return k >= 2 && k <= 6 && quante >= 3 && quante * 5 >= g.iPieni * 4 && oltre ? k : 0;
    };
    Identificativi(mvSegmenti, righe);
    for (auto& g : mvSegmenti)
        if (g.sRuolo.empty() && mScattiZero.count({g.a, g.b})) g.sRuolo = "lScatti";
    ScattiDelCosto(mvSegmenti, righe);
    Segmento* derivato = prendi("sDerivato", [&](const Segmento& g0) {
        // Whole numbers with a mark of letters in their place on a few calls (NA): the mark
        // stands for no value, and the column is judged on its numbers.
        std::string segno;
        const Segmento g = SenzaSegnoDiAssenza(g0, segno);
        // A heading naming an extension counts only where digits stand (not over codes such
        // as EXT or IN under "userfield"), not over zeros alone (no extension is 0) nor over
        // numbers longer than an extension.
        const bool cifre =
            std::any_of(g.distinti.begin(), g.distinti.end(),
                        [](const auto& v) { return std::any_of(v.begin(), v.end(), Cifra); }) &&
            !std::all_of(g.distinti.begin(), g.distinti.end(), [](const auto& v) {
                return v.find_first_not_of('0') == std::string::npos;
            });
        if (cifre && g.iLunghezzaMax <= 8 &&
            HaParola(g.sIntestazione, {"EXT", "STN", "ST.", "STATION", "DN", "INTERNO", "DERIV",
                                       "USER", "PORT", "EXTN", "INT"}))
            return 100.0;
        // A column its heading names as something else (Disconnect Code, Status, Line) is none.
        if (HaParola(g.sIntestazione, {"CODE", "CAUSE", "STATUS", "RESPONSE", "DISCONNECT",
                                       "RESULT", "AMOUNT", "COST", "DUR", "TIME", "DATE", "ID"}) ||
            NomeDiLinea(g.sIntestazione))
            return 0.0;
        // Digits, or digits after a letter or two that name the kind of party (E201, DN2001;
        // not T, a trunk).
        const bool nominati =
            !g.distinti.empty() &&
            std::all_of(g.distinti.begin(), g.distinti.end(), [](const auto& v) {
                size_t l = 0;
                while (l < v.size() && Lettera(v[l])) ++l;
                const size_t c = v.size() - l;
                return l >= 1 && l <= 2 && c >= 2 && c <= 6 && v[0] != 'T' && v[0] != 't' &&
                       std::all_of(v.begin() + static_cast<long>(l), v.end(), Cifra);
            });
        if (nominati && g.iPieni * 2 >= n && !NudoAltrove(g, mvSegmenti, righe))
            return 3.0 + static_cast<double>(g.distinti.size()) +
                   static_cast<double>(g.iPieni) / static_cast<double>(n);
        if (g.iIntere < g.iPieni || (g.iLunghezzaMax > 6 && !corta(g)) || g.iLunghezzaMax < 2)
            return 0.0;
        // Extensions seldom start with 0 (a trunk's member 003, a tenant 00 do).
        const bool zeri = std::all_of(g.distinti.begin(), g.distinti.end(),
                                      [](const std::string& v) { return v.front() == '0'; });
        return (static_cast<double>(g.distinti.size()) +
                static_cast<double>(g.iPieni) / static_cast<double>(n)) *
               (zeri ? 0.3 : 1.0);
    });
    if (derivato)
        if (const size_t k = corta(*derivato)) {
            derivato->b = derivato->a + static_cast<int>(k);
            derivato->iLunghezzaMax = k;
            derivato->bCorto = true;
            derivato->distinti.clear();
            for (size_t r : righe)
                if (const auto v = TogliSpazi(Testo(r, derivato->a, derivato->b)); !v.empty())
                    derivato->distinti.insert(std::string(v));
        }
    if (derivato) derivato->sEtichetta = EtichettaCostante(derivato->distinti);
    const bool variano = std::any_of(mvSegmenti.begin(), mvSegmenti.end(), [&](const Segmento& g) {
        return g.sRuolo.empty() && g.iPieni * 2 >= n && g.iIntere == g.iPieni &&
               g.distinti.size() > 1 && g.iLunghezzaMax <= 8;
    });
    Segmento* linea = prendi("sLinea", [&](const Segmento& g) {
        if (NomeDiLinea(g.sIntestazione) || ValoriDiLinea(g.distinti)) return 100.0;
        // Trunks named T and their number (T010, T9001).
        if (giunzioni(g)) return 50.0;
        // Mostly trunks, and other parties on the rest (E205 on an internal call).
        if (const double q = QuotaGiunzioni(g, righe); q * 3 >= 2) return 40.0 * q;
        // A device named a trunk (SIPTrunk_PSTN) on most calls of the kind, not a channel.
        size_t tronchi = 0;
        for (size_t r : righe) {
            const std::string v = Maiusc(TogliSpazi(Testo(r, g.a, g.b)));
            tronchi += v.find("TRUNK") != std::string::npos && v.find('/') == std::string::npos;
        }
        if (tronchi * 3 >= g.iPieni * 2 && tronchi >= 2) return 30.0;
        // A column its heading names as something else is no trunk.
        if (g.iLunghezzaMax > 8 || g.iPieni * 2 < n ||
            HaParola(g.sIntestazione,
                     {"COST", "CHARGE", "IMPORT", "AMOUNT", "TARIF", "ADDEB", "UNIT", "SCATTI",
                      "PULSE", "METER", "ACC", "CODE", "DUR", "TIME", "DATE", "ORA", "DATA"}))
            return 0.0;
        // A trunk is printed on every call: a column blank on some rather not. One value on every
        // call (a node, a tenant) says less than whole numbers that vary.
        const double uno = g.distinti.size() == 1 && g.iPieni >= 3 && variano ? 4.0 : 0.0;
        return digitale(g) ? (g.iPieni < n ? 5.0 : 10.0) - uno -
                                 static_cast<double>(g.distinti.size()) / 100.0
                           : 1.0;
    });
    if (!derivato && linea) PortaComeDerivato(*linea, righe);
    prendi("lScatti", [&](const Segmento& g) {
        return HaParola(g.sIntestazione,
                        {"UNIT", "SCATTI", "PULSE", "METER", "IMPULS", "FEE", "CALLFEE"}) &&
                       digitale(g)
                   ? 1.0
                   : 0.0;
    });
    // A cost (0.35, $11.20): the pulses field, read as a currency.
    if (Segmento* g = prendi("lScatti", [&](const Segmento& g) {
            size_t valuta = 0;
            for (const auto& v : g.distinti) {
                const size_t punto = v.find_first_of(".,");
                const size_t inizio = !v.empty() && v.front() == '$' ? 1 : 0;
                bool va = punto != std::string::npos && punto > inizio && v.size() - punto == 3;
                for (size_t i = inizio; i < v.size() && va; ++i) va = i == punto || Cifra(v[i]);
                valuta += va;
            }
            const bool nome = HaParola(
                g.sIntestazione, {"COST", "CHARGE", "IMPORT", "AMOUNT", "TARIF", "ADDEB", "COSTO"});
            if (valuta != g.distinti.size()) return 0.0;
            // A heading that names the cost decides; one that names something else rules out.
            return nome ? 2.0 : g.sIntestazione.empty() && g.distinti.size() >= 2 ? 1.0 : 0.0;
        }))
        g->bValuta = true;
    prendi("lScatti", [&](const Segmento& g) { return ScattiDallaDurata(g, righe) ? 1.0 : 0.0; });
    prendi("sCommessa", [&](const Segmento& g) {
        // An account before an authorisation code or a PIN.
        if (HaParola(g.sIntestazione, {"ACC", "ACCOUNT", "COMMESSA", "ACCT", "PROJ"})) return 10.0;
        if (HaParola(g.sIntestazione, {"CODE", "AUTH", "PIN"})) return 8.0;
        return 0.0;
    });
    // Without a heading: digits alone at the end of the line, on some calls and blank on the
    // others (a code keyed in only when the user must), left over by the other fields.
    const Segmento* commessa = prendi("sCommessa", [&](const Segmento& g) {
        if (mbSeparati || !g.sIntestazione.empty() || g.iIntere < g.iPieni || g.iPieni >= n ||
            g.iLunghezzaMax < 4 || crescenti(g))
            return 0.0;
        for (const auto& k : mvSegmenti)
            if (k.a > g.a && k.iPieni > 0) return 0.0;
        return 1.0;
    });
    if (commessa && mCommesse.insert({commessa->a, commessa->b}).second)
        Voce(Ambito::Campo, "Commessa",
             Dove(commessa->a, commessa->b) + ": solo cifre in fondo alla riga, su " +
                 Num(static_cast<long long>(commessa->iPieni)) + " chiamate su " +
                 Num(static_cast<long long>(n)) +
                 " e vuote sulle altre, senza intestazione: proposte come codice di commessa, "
                 "che si batte solo quando serve",
             true, false, "sCommessa", commessa->a, commessa->b);
    return mvSegmenti;
}

// Separated fields: three fields in a row of one or two digits on every call, the last two
// zero-padded and under 60, the first zero on most calls (calls mostly under an hour), are the
// hours, minutes and seconds of the duration. A field of the driver reads one field: the three
// cannot be joined into one value, so no duration is proposed, and the three are no other field.
void Proponitore::DurataInTreCampi() {
    if (!mbSeparati || mvChiamate.size() < 3) return;
    for (const auto& t : mvTempi)
        if (t.sCampo == "dDurata") return;
    const auto campo = [&](size_t r, size_t k) {
        return std::string(TogliSpazi(Testo(r, mvColonna[k], mvColonna[k] + mvLarghezza[k])));
    };
    for (size_t k = 0; k + 2 < mvColonna.size(); ++k) {
        bool va = true;
        size_t ore0 = 0, secondi = 0;
        std::set<std::string> terne;
        for (size_t r : mvChiamate) {
            std::string v[3];
            for (size_t i = 0; i < 3 && va; ++i) {
                v[i] = campo(r, k + i);
                va = !v[i].empty() && v[i].size() <= 2 && (i == 0 || v[i].size() == 2) &&
                     std::all_of(v[i].begin(), v[i].end(), Cifra) &&
                     (i == 0 || std::stoi(v[i]) < 60);
            }
            if (!va) break;
            ore0 += std::stoi(v[0]) == 0;
            secondi += std::stoi(v[2]) > 0;
            terne.insert(v[0] + ":" + v[1] + ":" + v[2]);
        }
        if (!va || ore0 * 2 < mvChiamate.size() || secondi == 0 || terne.size() < 2) continue;
        const int a = mvColonna[k], b = mvColonna[k + 2] + mvLarghezza[k + 2];
        for (size_t i = 0; i < 3; ++i)
            mvOccupate.emplace_back(mvColonna[k + i], mvColonna[k + i] + mvLarghezza[k + i]);
        std::string esempi;
        for (const auto& t : terne) {
            if (esempi.size() > 20) break;
            esempi += (esempi.empty() ? "" : ", ") + t;
        }
        Voce(Ambito::Campo, "Durata in tre campi",
             "campi " + Num(static_cast<long long>(k + 1)) + ", " +
                 Num(static_cast<long long>(k + 2)) + " e " + Num(static_cast<long long>(k + 3)) +
                 ": ore, minuti e secondi (" + esempi + "; ore a zero su " +
                 Num(static_cast<long long>(ore0)) + " chiamate su " +
                 Num(static_cast<long long>(mvChiamate.size())) +
                 "): la durata \xE8 divisa in tre campi e un campo del driver ne legge uno "
                 "solo; nessuna durata proposta, e i tre campi non sono altri campi",
             true, false, std::string(), a, b);
        return;
    }
}

// A count left over on both kinds, printed on every call, zero on every call of one kind and
// above zero on some of the other: only outgoing calls are charged, so zero on every incoming
// call makes it the pulses; only incoming calls ring before an answer, so zero on every
// outgoing call makes it the ringing time in seconds. Two values above zero at least: a mark
// of 0 and 1 is no count.
void Proponitore::ZeroSuUnTipo() {
    std::vector<size_t> tipi[2];  // [1] incoming
    for (size_t r : mvChiamate) tipi[mvTipo[r] == 'E'].push_back(r);
    if (tipi[0].size() < 2 || tipi[1].size() < 2) return;
    const std::vector<Segmento> segmenti[2] = {Segmenti(tipi[0]), Segmenti(tipi[1])};
    bool scatti = false, squillo = FormatoSecondi() == mvFormati.size();
    for (const auto& t : mvTempi) squillo |= t.sCampo == "dRisposta";
    for (const auto& k : segmenti)
        for (const auto& g : k) scatti |= g.sRuolo == "lScatti";
    for (const Segmento& g : segmenti[1]) {
        if (g.sRuolo == "-" || (scatti && squillo)) continue;
        if (std::none_of(segmenti[0].begin(), segmenti[0].end(), [&](const Segmento& k) {
                return k.sRuolo != "-" && k.a == g.a && k.b == g.b;
            }))
            continue;
        size_t pieni[2] = {0, 0};  // above zero; [1] incoming
        std::set<int> valori;      // above zero
        bool va = true;
        for (size_t r : mvChiamate) {
            const std::string v(TogliSpazi(Testo(r, g.a, g.b)));
            va &= !v.empty() && v.size() <= 5 && std::all_of(v.begin(), v.end(), Cifra);
            if (!va) break;
            pieni[mvTipo[r] == 'E'] += std::stoi(v) > 0;
            if (std::stoi(v) > 0) valori.insert(std::stoi(v));
        }
        if (!va || (pieni[0] == 0) == (pieni[1] == 0) || valori.size() < 2) continue;
        const bool risposta = pieni[0] == 0;
        if (risposta ? squillo : scatti) continue;
        std::set<size_t> righe;
        for (size_t r : tipi[risposta])
            if (std::stoi(std::string(TogliSpazi(Testo(r, g.a, g.b)))) > 0) righe.insert(r);
        if (risposta) {
            mvTempi.push_back({Conteggi(g.a, g.b, FormatoSecondi()), "dRisposta", false, {}});
            mvOccupate.emplace_back(g.a, g.b);
            squillo = true;
        } else {
            mScattiZero.insert({g.a, g.b});
            scatti = true;
        }
        Voce(Ambito::Campo, risposta ? "Durata squillo" : "Scatti",
             Dove(g.a, g.b) + ": numeri interi su ogni chiamata, zero su tutte le " +
                 (risposta ? "uscenti" : "entranti") + " e sopra zero su " +
                 Num(static_cast<long long>(pieni[risposta])) +
                 (risposta ? " entranti (" : " uscenti (") + PrimiTesti(righe, g.a, g.b) + ")" +
                 (risposta ? ": solo le entranti squillano prima della risposta, \xE8 il tempo "
                             "di risposta in secondi"
                           : ": solo le uscenti si pagano, sono gli scatti"),
             true, risposta, risposta ? "dRisposta" : "lScatti", g.a, g.b);
    }
}

// The number's column of one kind holding, on the other kind, numbers (six digits or more)
// on some calls and one word on the others (no number to print): the number there too, its
// digits alone, so the word reads as blank and the field is optional.
void Proponitore::NumeroOParola() {
    for (const bool verso : {true, false}) {
        auto& da = mSegmenti[!verso];
        auto& a = mSegmenti[verso];
        const auto numero = std::find_if(da.begin(), da.end(),
                                         [](const Segmento& g) { return g.sRuolo == "sNumero"; });
        if (numero == da.end() || std::any_of(a.begin(), a.end(), [](const Segmento& g) {
                return g.sRuolo == "sNumero";
            }))
            continue;
        for (Segmento& g : a) {
            if (!g.sRuolo.empty() || !Sovrapposti(g.a, g.b, numero->a, numero->b)) continue;
            std::set<std::string> parole;
            size_t numeri = 0;
            bool altro = false;
            for (const auto& v : g.distinti) {
                if (v.size() >= 6 && std::all_of(v.begin(), v.end(), Cifra))
                    ++numeri;
                else if (std::all_of(v.begin(), v.end(), Lettera))
                    parole.insert(v);
                else
                    altro = true;
            }
            if (altro || numeri < 2 || parole.size() != 1) continue;
            g.sRuolo = "sNumero";
            g.bDecorato = true;
            Voce(Ambito::Campo, "Numero o parola",
                 Dove(g.a, g.b) + ": il numero sulle " + (verso ? "uscenti" : "entranti") +
                     "; sulle " + (verso ? "entranti" : "uscenti") + " numeri (" +
                     Num(static_cast<long long>(numeri)) + ") e \"" + *parole.begin() +
                     "\" dove non c'\xE8 un numero: il numero, di sole cifre, vuoto dove sta "
                     "la parola",
                 true, verso, "sNumero", g.a, g.b);
            break;
        }
    }
}

// Every call names the extension it is charged to; a trunk may be left out. Without any other
// extension, the short column of whole numbers (one or two digits, on every call, under no
// heading naming a trunk) taken for the trunk is the extension (a port of the exchange).
void Proponitore::PortaComeDerivato(Segmento& g, const std::vector<size_t>& righe) {
    if (g.iPieni != righe.size() || g.iIntere != g.iPieni || g.iLunghezzaMax > 2 ||
        g.distinti.size() < 2 || !g.sIntestazione.empty())
        return;
    g.sRuolo = "sDerivato";
    if (!mPorte.insert({g.a, g.b}).second) return;
    const bool entranti = righe.front() < mvTipo.size() && mvTipo[righe.front()] == 'E';
    Voce(Ambito::Campo, "Derivato",
         Dove(g.a, g.b) + ": numeri di una o due cifre su ogni chiamata (" +
             PrimiTesti({righe.begin(), righe.end()}, g.a, g.b) +
             ") e nessun'altra colonna da derivato: ogni chiamata nomina il derivato che la "
             "paga, la linea pu\xF2 mancare; proposti come derivato (la porta), altrimenti la "
             "linea",
         true, entranti, "sDerivato", g.a, g.b);
}

// A count of whole numbers beside a cost with decimals that is the count times one price on
// most calls (0.12 for each unit): the count is the pulses and the cost their price, no field
// of its own (the pulses are priced by the rates).
void Proponitore::ScattiDelCosto(std::vector<Segmento>& segmenti,
                                 const std::vector<size_t>& righe) {
    const auto centesimi = [](std::string_view v) -> long long {
        const size_t p = v.find_first_of(".,");
        if (p == std::string_view::npos || p == 0 || v.size() - p != 3) return -1;
        long long c = 0;
        for (size_t i = 0; i < v.size(); ++i) {
            if (i == p) continue;
            if (!Cifra(v[i]) || c > 1000000000) return -1;
            c = c * 10 + (v[i] - '0');
        }
        return c;
    };
    for (Segmento& u : segmenti) {
        if (!u.sRuolo.empty() || u.iPieni != righe.size() || u.iIntere != u.iPieni ||
            u.iLunghezzaMax > 5 || u.distinti.size() < 2)
            continue;
        for (Segmento& c : segmenti) {
            if (&c == &u || !c.sRuolo.empty() || c.iPieni != righe.size()) continue;
            std::map<long long, size_t> prezzi;  // in hundredths of a cent, by call
            size_t contate = 0;
            bool va = true;
            for (size_t r : righe) {
                const std::string t(TogliSpazi(Testo(r, u.a, u.b)));
                va = !t.empty() && t.size() <= 5 && std::all_of(t.begin(), t.end(), Cifra);
                if (!va) break;
                const long long k = std::stoll(t);
                const long long x = centesimi(TogliSpazi(Testo(r, c.a, c.b)));
                va &= x >= 0 && (k > 0 || x == 0);
                if (!va) break;
                if (k == 0) continue;
                ++contate;
                ++prezzi[x * 100 / k];
            }
            if (!va || contate < 3) continue;
            const auto prezzo =
                std::max_element(prezzi.begin(), prezzi.end(),
                                 [](const auto& x, const auto& y) { return x.second < y.second; });
            if (prezzo->first == 0 || prezzo->second * 4 < contate * 3) continue;
            u.sRuolo = "lScatti";
            c.sRuolo = "-";
            if (!mScattiCosto.insert({u.a, u.b}).second) return;
            const bool entranti = righe.front() < mvTipo.size() && mvTipo[righe.front()] == 'E';
            char prezzoTesto[32];
            std::snprintf(prezzoTesto, sizeof prezzoTesto, "%.4g",
                          static_cast<double>(prezzo->first) / 10000.0);
            Voce(Ambito::Campo, "Scatti e costo",
                 Dove(u.a, u.b) + ": numeri interi (" +
                     PrimiTesti({righe.begin(), righe.end()}, u.a, u.b) + ") e " + Dove(c.a, c.b) +
                     " un costo (" + PrimiTesti({righe.begin(), righe.end()}, c.a, c.b) +
                     ") che vale " + prezzoTesto + " per ognuno su " +
                     Num(static_cast<long long>(prezzo->second)) + " chiamate su " +
                     Num(static_cast<long long>(contate)) +
                     ": i primi sono gli scatti, il costo \xE8 il loro prezzo e non un campo",
                 false, entranti, "lScatti", u.a, u.b);
            return;
        }
    }
}

void Proponitore::ScegliSegmenti() {
    std::vector<size_t> entranti, uscenti;
    for (size_t r : mvChiamate) (mvTipo[r] == 'E' ? entranti : uscenti).push_back(r);
    // Each kind on its own lines: incoming and outgoing records may print their number (or
    // everything) in other columns.
    if (!entranti.empty()) mSegmenti[true] = Segmenti(entranti);
    if (!uscenti.empty()) mSegmenti[false] = Segmenti(uscenti);
    InternoAssente(true);
    InternoAssente(false);
    ScattiSenzaNome(true);
    ScattiSenzaNome(false);
    if (!entranti.empty()) LineaDelCanale(mSegmenti[true], entranti);
    if (!uscenti.empty()) LineaDelCanale(mSegmenti[false], uscenti);
    if (!entranti.empty() && !uscenti.empty()) {
        CampiDellAltroTipo(true);
        CampiDellAltroTipo(false);
        RuoliDelTipoMaggiore(entranti.size(), uscenti.size());
    }
}

// The kinds print the extension and the trunk at the same columns: where the kind of fewer
// calls took them at other columns (an extension column holding a word on one call, such as
// the operator, lost to a trunk column of digits), the columns of the kind of more calls are
// taken on it too, when they hold values of the same sort there (digits, letters) on three
// calls in four.
void Proponitore::RuoliDelTipoMaggiore(size_t iEntranti, size_t iUscenti) {
    if (iEntranti == iUscenti) return;
    const bool grande = iEntranti > iUscenti;
    // Letters as printed (T9001 is no E201), a run of digits as one sign, and how many digits.
    const auto forma = [](const std::string& v) {
        std::string f;
        for (char c : v)
            if (!Cifra(c) || f.empty() || f.back() != '9') f += Cifra(c) ? '9' : c;
        return f;
    };
    const auto cifre = [](const std::string& v) {
        return static_cast<size_t>(std::count_if(v.begin(), v.end(), Cifra));
    };
    std::vector<Segmento>& da = mSegmenti[grande];
    std::vector<Segmento>& verso = mSegmenti[!grande];
    for (const char* ruolo : {"sDerivato", "sLinea"}) {
        const auto g = std::find_if(da.begin(), da.end(),
                                    [&](const Segmento& x) { return x.sRuolo == ruolo; });
        if (g == da.end()) continue;
        std::set<std::string> forme;
        size_t minime = 99, massime = 0;
        for (const auto& v : g->distinti) {
            forme.insert(forma(v));
            minime = std::min(minime, cifre(v));
            massime = std::max(massime, cifre(v));
        }
        for (Segmento& k : verso) {
            if (k.sRuolo == ruolo || !Sovrapposti(g->a, g->b, k.a, k.b)) continue;
            if (!k.sRuolo.empty() && k.sRuolo != "sDerivato" && k.sRuolo != "sLinea") break;
            size_t simili = 0, righe = 0;
            for (size_t r : mvChiamate) {
                if ((mvTipo[r] == 'E') == grande) continue;
                const std::string v(TogliSpazi(Testo(r, k.a, k.b)));
                if (v.empty()) continue;
                ++righe;
                simili +=
                    forme.count(forma(v)) && cifre(v) + 1 >= minime && cifre(v) <= massime + 1;
            }
            if (righe < 2 || simili * 4 < righe * 3) continue;
            for (Segmento& x : verso)
                if (x.sRuolo == ruolo) x.sRuolo.clear();
            k.sRuolo = ruolo;
            Voce(Ambito::Campo, "Come sull'altro tipo",
                 Dove(k.a, k.b) + ": sulle " + (grande ? "entranti" : "uscenti") +
                     ", pi\xF9 "
                     "numerose, \xE8 il campo " +
                     (std::string(ruolo) == "sDerivato" ? "interno" : "linea") + " e sulle " +
                     (grande ? "uscenti" : "entranti") + " ha valori dello stesso genere (" +
                     Num(static_cast<long long>(simili)) + " su " +
                     Num(static_cast<long long>(righe)) +
                     "): i due tipi stampano i campi alle stesse colonne",
                 true, !grande, ruolo, k.a, k.b);
            break;
        }
    }
}

bool Proponitore::ScattiDallaDurata(const Segmento& g, const std::vector<size_t>& righe) const {
    if (!g.sIntestazione.empty() || g.iPieni != righe.size() || g.iIntere != g.iPieni ||
        g.distinti.size() < 3 || righe.size() < 4)
        return false;
    const size_t larghezza = g.distinti.begin()->size();
    size_t zeri = 0;
    for (const auto& v : g.distinti) {
        if (v.size() != larghezza) return false;
        zeri += v.size() > 1 && v.front() == '0';
    }
    if (larghezza < 3 || larghezza > 9 || zeri * 2 < g.distinti.size()) return false;
    const auto durata = std::find_if(mvTempi.begin(), mvTempi.end(),
                                     [](const Tempo& t) { return t.sCampo == "dDurata"; });
    if (durata == mvTempi.end()) return false;
    std::vector<std::pair<int64_t, long long>> coppie;  // seconds, count
    // The first calls are enough to tell (the pairs grow with their square).
    for (size_t r : righe)
        if (const Valore* v = durata->c.Su(r); v && coppie.size() < 200)
            coppie.emplace_back(v->v.TotaleSecondi(),
                                std::stoll(std::string(TogliSpazi(Testo(r, g.a, g.b)))));
    if (coppie.size() < 4) return false;
    // Pairs of calls ordered alike by the duration and by the count, and ordered otherwise.
    size_t concordi = 0, discordi = 0;
    for (size_t i = 0; i < coppie.size(); ++i)
        for (size_t j = i + 1; j < coppie.size(); ++j) {
            const auto d = coppie[i].first - coppie[j].first;
            const auto k = coppie[i].second - coppie[j].second;
            if (d == 0 || k == 0) continue;
            ((d > 0) == (k > 0) ? concordi : discordi)++;
        }
    return concordi >= 6 && discordi * 10 <= concordi;
}

// The evidence for pulses told by the duration alone.
void Proponitore::ScattiSenzaNome(bool bEntranti) {
    for (const Segmento& g : mSegmenti[bEntranti])
        if (g.sRuolo == "lScatti" && !g.bValuta && g.sIntestazione.empty())
            Voce(Ambito::Campo, "Scatti",
                 Dove(g.a, g.b) + ": numeri senza intestazione, tutti di " +
                     Num(static_cast<long long>(g.iLunghezzaMax)) +
                     " cifre con gli zeri davanti (" + *g.distinti.begin() + ", " +
                     *g.distinti.rbegin() +
                     "), su ogni chiamata, che crescono con la durata: proposti come scatti",
                 true, bEntranti, "lScatti", g.a, g.b);
}

// The evidence for an extension column that prints a mark of letters instead on a few calls.
void Proponitore::InternoAssente(bool bEntranti) {
    for (const Segmento& g : mSegmenti[bEntranti]) {
        std::string segno;
        if (g.sRuolo != "sDerivato" || g.bCorto) continue;
        SenzaSegnoDiAssenza(g, segno);
        if (!segno.empty())
            Voce(Ambito::Campo, "Interno assente",
                 Dove(g.a, g.b) + ": numeri interi, e \"" + segno + "\" al loro posto su " +
                     Num(static_cast<long long>(g.iPieni - g.iIntere)) +
                     " chiamate: un segno che l'interno manca (chiamata senza risposta?), non un "
                     "valore; la colonna \xE8 proposta come interno",
                 true, bEntranti, "sDerivato", g.a, g.b);
    }
}

// A field found on one kind's lines and not on the other's (an extension, a trunk, a cost, an
// account code: incoming and outgoing records print them alike) is the same field on the
// other kind where its column there holds values of the same shape on three lines in four
// (digits and letters alike, of the lengths the first kind prints): a cost of 0.00 on every
// incoming call, or an extension column where one record prints a longer number, tells too
// little on its own.
void Proponitore::CampiDellAltroTipo(bool bVersoEntranti) {
    const auto forma = [](const std::string& v) {
        std::string f = v;
        for (char& c : f) c = Cifra(c) ? '9' : Lettera(c) ? 'A' : c;
        return f;
    };
    std::vector<Segmento>& da = mSegmenti[!bVersoEntranti];
    std::vector<Segmento>& verso = mSegmenti[bVersoEntranti];
    for (const Segmento& g : da) {
        if (g.sRuolo != "sDerivato" && g.sRuolo != "sLinea" && g.sRuolo != "lScatti" &&
            g.sRuolo != "sCommessa")
            continue;
        if (std::any_of(verso.begin(), verso.end(),
                        [&](const Segmento& k) { return k.sRuolo == g.sRuolo; }))
            continue;
        std::set<std::string> forme;
        for (const auto& v : g.distinti) forme.insert(forma(v));
        for (Segmento& k : verso) {
            if (!k.sRuolo.empty() || k.iPieni < 2 || !Sovrapposti(g.a, g.b, k.a, k.b)) continue;
            size_t simili = 0, righe = 0;
            for (size_t r : mvChiamate) {
                if ((mvTipo[r] == 'E') != bVersoEntranti) continue;
                const std::string v(TogliSpazi(Testo(r, k.a, k.b)));
                if (v.empty()) continue;
                ++righe;
                simili += forme.count(forma(v));
            }
            if (simili * 4 < righe * 3) continue;
            k.sRuolo = g.sRuolo;
            k.bValuta = g.bValuta;
            std::string nome = g.sRuolo;
            for (int i = 0; i < NUM_NOMI_CAMPI; ++i)
                if (g.sRuolo == NomiCampi()[i].sNome) nome = NomiCampi()[i].sDidascalia;
            Voce(Ambito::Campo, "Come sull'altro tipo",
                 Dove(k.a, k.b) + ": sulle " + (bVersoEntranti ? "uscenti" : "entranti") +
                     " \xE8 il campo " + nome + " e sulle " +
                     (bVersoEntranti ? "entranti" : "uscenti") + " ha valori della stessa forma (" +
                     Num(static_cast<long long>(simili)) + " su " +
                     Num(static_cast<long long>(righe)) + "): lo stesso campo",
                 true, bVersoEntranti, g.sRuolo, k.a, k.b);
            break;
        }
    }
}

// A channel's name (technology / party - sequence: SIP/voiptrunk-00000a20) that names the same
// party by a word on most calls of a kind, an extension's digits on the others (an internal
// call), names the trunk: that word is the line, unless a column named so or of T and digits
// is one already.
void Proponitore::LineaDelCanale(std::vector<Segmento>& segmenti,
                                 const std::vector<size_t>& righe) {
    for (const auto& g : segmenti)
        if (g.sRuolo == "sLinea" &&
            (HaParola(g.sIntestazione, {"TRUNK", "TRK", "LINE", "LINEA", "ROUTE", "CO", "EXCH"}) ||
             QuotaGiunzioni(g, righe) * 3 >= 2))
            return;
    for (auto& g : segmenti) {
        if (!g.sRuolo.empty() || g.iPieni * 10 < righe.size() * 8) continue;
        std::map<std::string, size_t> nomi;
        size_t inizio = 0, canali = 0;
        bool stessoInizio = true;
        for (size_t r : righe) {
            const std::string t = Testo(r, g.a, g.b);
            const size_t barra = t.find('/');
            const size_t trattino = barra == std::string::npos ? barra : t.find('-', barra);
            if (trattino == std::string::npos || barra == 0 || trattino == barra + 1 ||
                !std::all_of(t.begin(), t.begin() + static_cast<long>(barra), Lettera))
                continue;
            ++canali;
            if (canali == 1) inizio = barra + 1;
            stessoInizio &= inizio == barra + 1;
            ++nomi[t.substr(barra + 1, trattino - barra - 1)];
        }
        if (canali < g.iPieni || !stessoInizio || nomi.empty()) continue;
        const auto piu =
            std::max_element(nomi.begin(), nomi.end(),
                             [](const auto& x, const auto& y) { return x.second < y.second; });
        const std::string& nome = piu->first;
        const bool altriInterni = std::all_of(nomi.begin(), nomi.end(), [&](const auto& v) {
            return v.first == nome || std::all_of(v.first.begin(), v.first.end(), Cifra);
        });
        if (piu->second * 3 < canali * 2 || !altriInterni ||
            std::none_of(nome.begin(), nome.end(), Lettera))
            continue;
        for (auto& k : segmenti)
            if (k.sRuolo == "sLinea") k.sRuolo.clear();
        Segmento linea = g;
        linea.a = g.a + static_cast<int>(inizio);
        linea.b = linea.a + static_cast<int>(nome.size());
        linea.sRuolo = "sLinea";
        linea.bEsatto = true;
        linea.distinti = {nome};
        linea.iPieni = piu->second;
        Voce(Ambito::Campo, "Linea",
             Dove(g.a, g.b) + ": il nome di un canale (" +
                 std::string(TogliSpazi(Testo(righe.front(), g.a, g.b))) + ") nomina \"" + nome +
                 "\" su " + Num(static_cast<long long>(piu->second)) + " chiamate su " +
                 Num(static_cast<long long>(righe.size())) +
                 (piu->second < canali ? " e un interno sulle altre" : "") +
                 ": \xE8 la linea, letta nei suoi caratteri",
             true, mvTipo[righe.front()] == 'E', "sLinea", linea.a, linea.b);
        segmenti.push_back(std::move(linea));
        return;
    }
}

clsCondizione Cond(int32_t op, int a, int b, const std::string& valore, int16_t formato) {
    clsCondizione c;
    c.menOperatore = op;
    c.miRiga = 1;
    c.miInizio = static_cast<int16_t>(a + 1);
    c.miLunghezza = static_cast<int16_t>(b - a);
    c.msValore = valore;
    c.miFormato = formato;
    return c;
}

// Names ended by ':' or '=' that open values of a field before digits (FAC:01, ACC=12).
std::set<std::string> Etichette(const std::set<std::string>& valori) {
    std::set<std::string> e;
    for (const auto& v : valori) {
        const size_t p = v.find_first_of(":=");
        if (p == std::string::npos || p < 2 || p + 1 >= v.size() || !Cifra(v[p + 1]) ||
            !std::all_of(v.begin(), v.begin() + static_cast<long>(p), Lettera))
            continue;
        e.insert(v.substr(0, p + 1));
    }
    return e;
}

// A chain: the first codes joined by Or, then the rest joined by And.
// A replacement on a call kind's line 1, at the given columns (from 1), before its fields are
// read.
void Sostituisci(clsDriver& d, bool bEntrante, int16_t iInizio, int16_t iLunghezza,
                 const std::string& sDa, const std::string& sA = {}) {
    if (!d.mcolTrasf) d.mcolTrasf.emplace();
    clsTrasformazione t;
    t.menTipo = bEntrante ? clsTrasformazione::ENTRANTI : clsTrasformazione::USCENTI;
    t.menOperazione = clsTrasformazione::SOSTITUISCI;
    t.miRiga = 1;
    t.miInizio = iInizio;
    t.miLunghezza = iLunghezza;
    t.msSorgente = sDa;
    t.msValore = sA;
    d.mcolTrasf->Add(std::move(t));
}

// The field's value read is converted (multiplied, divided) as the duration and cost settings
// write it.
void Converti(clsCampo& c, int32_t iEccezione, int32_t iOperazione, std::string sSorgente,
              std::string sValore) {
    c.menEccezione = iEccezione;
    c.moTrasf = std::make_unique<clsTrasformazione>();
    c.moTrasf->menTipo = clsTrasformazione::CAMPO;
    c.moTrasf->menOperazione = iOperazione;
    c.moTrasf->miInizio = c.miInizio;
    c.moTrasf->miLunghezza = c.miLunghezza;
    c.moTrasf->msSorgente = std::move(sSorgente);
    c.moTrasf->msValore = std::move(sValore);
}

// With prima, its conditions joined by And come first and are one more choice of the Or: the
// engine joins from left to right, so "T And X Or I And base" reads ((T and X) or I) and base.
ColCondizioni Catena(const std::vector<clsCondizione>& oppure, const std::vector<clsCondizione>& e,
                     const std::vector<clsCondizione>& prima = {}) {
    ColCondizioni col;
    std::vector<clsCondizione> tutte;
    for (size_t i = 0; i < prima.size(); ++i) {
        clsCondizione c = prima[i];
        c.msCongiunzione = i + 1 == prima.size() && !oppure.empty() ? "Or" : "And";
        tutte.push_back(std::move(c));
    }
    for (size_t i = 0; i < oppure.size(); ++i) {
        clsCondizione c = oppure[i];
        c.msCongiunzione = i + 1 < oppure.size() ? "Or" : "And";
        tutte.push_back(std::move(c));
    }
    for (const auto& c : e) {
        clsCondizione k = c;
        k.msCongiunzione = "And";
        tutte.push_back(std::move(k));
    }
    if (!tutte.empty()) tutte.back().msCongiunzione.clear();
    for (auto& c : tutte) col.Add(std::move(c));
    return col;
}

void Proponitore::Componi() {
    clsDriver& d = mP.driver;
    d.mbIngnoraRigheVuote = true;
    if (!mvPrescanning.empty()) {
        d.mbConPrescanning = true;
        d.mcolPrescanning.emplace();
        for (const auto& p : mvPrescanning) d.mcolPrescanning->Add(p, p.sEntry);
    }
    d.msNote = "Proposto dal campione";
    // A blank line of a call counts among its lines.
    if (mbRigheVuoteInChiamata) d.mbIngnoraRigheVuote = false;
    if (mP.bNessunaChiamata) return;
    // What every call line holds.
    std::vector<clsCondizione> base;
    if (mOra)
        base.push_back(
            Cond(clsCondizione::TEMPO_VALIDO, mOra->a, mOra->b, "", Codice(mOra->iFormato)));
    else
        base.push_back(Cond(clsCondizione::UGUALE_A, miCostanteA, miCostanteB, msCostante, 0));
    if (miLarghezzaRiga && !msApre.empty())
        base.push_back(Cond(clsCondizione::UGUALE_A, miApreA,
                            miApreA + static_cast<int>(msApre.size()), msApre, 0));
    if (mData && mData->Righe() == mvChiamate.size())
        base.push_back(
            Cond(clsCondizione::DATA_VALIDA, mData->a, mData->b, "", Codice(mData->iFormato)));
    if (miServizioA >= 0)
        base.push_back(Cond(clsCondizione::DIVERSO_DA, miServizioA, miServizioA + 1, "", 0));
    if (mDataRiga) {
        d.mcolDataIsolata.emplace();
        clsCondizione c = Cond(clsCondizione::DATA_ISOLATA, mDataRiga->a, mDataRiga->b, "",
                               Codice(mDataRiga->iFormato));
        d.mcolDataIsolata->Add(std::move(c));
    }
    for (const auto& t : mEventi)
        base.push_back(Cond(clsCondizione::DIVERSO_DA, miEventiA,
                            miEventiA + static_cast<int>(t.size()), t, 0));
    std::vector<clsCondizione> entranti, uscenti, entrTrasf, uscTrasf, coppia;
    for (const auto& [t, k] : mDirValori) {
        clsCondizione c = Cond(clsCondizione::UGUALE_A, miDirA, miDirA + static_cast<int>(t.size()),
                               std::string(t), 0);
        if (k == 'T' && t == msTrasfForma) {
            // Split by the lines' shape: incoming where the column holds text, else outgoing.
            coppia = {c, Cond(clsCondizione::DIVERSO_DA, miTrasfFormaA, miTrasfFormaA + 1, "", 0)};
            uscTrasf.push_back(c);
        } else if (k == 'X') {
            c.menOperatore = clsCondizione::DIVERSO_DA;
            base.push_back(c);
        } else if (k == 'E')
            entranti.push_back(c);
        else if (k == 'e' || k == 'T')
            entrTrasf.push_back(c);
        else if (k == 'u')
            uscTrasf.push_back(c);
        else
            uscenti.push_back(c);
    }
    for (const auto& [a, t] : mvDirAltre)
        entranti.push_back(Cond(clsCondizione::UGUALE_A, a, a + static_cast<int>(t.size()), t, 0));
    if (miFormaA >= 0)
        entranti.push_back(
            Cond(msFormaValore.empty() ? clsCondizione::DIVERSO_DA : clsCondizione::UGUALE_A,
                 miFormaA, miFormaB, msFormaValore, 0));
    const bool conEntranti = !entranti.empty() || !entrTrasf.empty() || !coppia.empty();
    auto chiamata = [&](bool bEntrante) {
        auto c = std::make_unique<clsChiamata>();
        c->menTipo = bEntrante ? clsChiamata::ENTRANTI : clsChiamata::USCENTI;
        c->miNumRighe = 1;
        return c;
    };
    if (conEntranti) {
        d.moEntranti = chiamata(true);
        std::vector<clsCondizione> tutte = entranti;
        tutte.insert(tutte.end(), entrTrasf.begin(), entrTrasf.end());
        d.moEntranti->mcolCondizioni = Catena(tutte, base, coppia);
        if (!entrTrasf.empty() || !coppia.empty()) {
            d.moEntranti->mcolCondTrasferita = Catena(entrTrasf, base, coppia);
        } else if (!msTrasf.empty() && !entranti.empty()) {
            auto e = base;
            e.push_back(Cond(clsCondizione::UGUALE_A, miTrasfA,
                             miTrasfA + static_cast<int>(msTrasf.size()), msTrasf, 0));
            d.moEntranti->mcolCondTrasferita = Catena(entranti, e);
        }
    }
    d.moUscenti = chiamata(false);
    // Incoming calls are tried first: the outgoing ones are the other call lines.
    d.moUscenti->mcolCondizioni = Catena({}, base);
    if (!uscTrasf.empty()) {
        d.moUscenti->mcolCondTrasferita = Catena(uscTrasf, base);
    } else if (!msTrasf.empty()) {
        auto e = base;
        e.push_back(Cond(clsCondizione::UGUALE_A, miTrasfA,
                         miTrasfA + static_cast<int>(msTrasf.size()), msTrasf, 0));
        d.moUscenti->mcolCondTrasferita = Catena({}, e);
    }
    if (!mCodiciCoppia.empty() && msTrasf.empty() && entrTrasf.empty() && coppia.empty()) {
        std::vector<clsCondizione> codici;
        for (const auto& t : mCodiciCoppia)
            codici.push_back(Cond(clsCondizione::UGUALE_A, miCoppiaA,
                                  miCoppiaA + static_cast<int>(t.size()), t, 0));
        if (d.moEntranti && entranti.size() == 1) {
            auto e = entranti;
            e.insert(e.end(), base.begin(), base.end());
            d.moEntranti->mcolCondTrasferita = Catena(codici, e);
        }
        d.moUscenti->mcolCondTrasferita = Catena(codici, base);
    }
    // A kind printed on two lines: its second line is told by its mark.
    if (!msSeconda.empty()) {
        auto& k = mbSecondaEntranti ? d.moEntranti : d.moUscenti;
        if (k) {
            k->miNumRighe = 2;
            clsCondizione c = Cond(clsCondizione::UGUALE_A, miSecondaA,
                                   miSecondaA + static_cast<int>(msSeconda.size()), msSeconda, 0);
            c.miRiga = 2;
            for (auto* col : {&k->mcolCondizioni, &k->mcolCondTrasferita}) {
                if (!*col || (*col)->Vuota()) continue;
                (*col)->Item((*col)->Count()).msCongiunzione = "And";
                (*col)->Add(c);
            }
        }
    }
    // The fields of each kind.
    for (bool bEntrante : {true, false}) {
        auto& chiamataK = bEntrante ? d.moEntranti : d.moUscenti;
        if (!chiamataK) continue;
        chiamataK->mcolCampi.emplace();
        size_t righeTipo = 0;
        for (size_t r : mvChiamate) righeTipo += (mvTipo[r] == 'E') == bEntrante;
        auto presenti = [&](int a, int b) {
            size_t k = 0;
            for (size_t r : mvChiamate)
                if ((mvTipo[r] == 'E') == bEntrante && !TogliSpazi(Testo(r, a, b)).empty()) ++k;
            return k;
        };
        auto campo = [&](const std::string& nome, int a, int b, int16_t formato, int32_t all) {
            const int16_t indice = IndiceCampo(nome, bEntrante);
            if (indice < 0) return;
            const size_t k = presenti(a, b);
            if (k == 0 && righeTipo > 0) return;
            clsCampo c;
            c.msNome = nome;
            c.miRiga = 1;
            c.miInizio = static_cast<int16_t>(a + 1);
            c.miLunghezza = static_cast<int16_t>(b - a);
            c.miFormato = formato;
            c.menAllineamento = all;
            c.mbOpzionale = k < righeTipo;
            if (nome == "dData") c.menEccezione = clsCampo::DATA;
            chiamataK->mcolCampi->Add(std::move(c), std::to_string(indice));
        };
        if (mData)
            campo("dData", mData->a, mData->b, Codice(mData->iFormato), clsCampo::ALL_NESSUNO);
        for (const auto& t : mvTempi) {
            campo(t.sCampo, t.c.a, t.c.b, Codice(t.c.iFormato), clsCampo::ALL_NESSUNO);
            if (const auto m = mRimpiazzi.find({t.c.a, t.c.b});
                m != mRimpiazzi.end() && IndiceCampo(t.sCampo, bEntrante) >= 0)
                for (const auto& [da, a] : m->second) {
                    const int x = da == " " ? t.c.b - 1 : t.c.a;
                    Sostituisci(d, bEntrante, static_cast<int16_t>(x + 1),
                                static_cast<int16_t>(t.c.b - x), da, a);
                    if (a.empty())
                        if (clsCampo* c = chiamataK->mcolCampi->Trova(
                                std::to_string(IndiceCampo(t.sCampo, bEntrante))))
                            c->mbOpzionale = true;
                }
            if (t.bDecimi) {
                clsCampo* c =
                    chiamataK->mcolCampi->Trova(std::to_string(IndiceCampo(t.sCampo, bEntrante)));
                if (!c) continue;
                c->mbOpzionale = true;
                // The duration in tenths of a minute: one tenth is 6 seconds (the fraction
                // 1/10 of the minute, as the duration settings write it).
                Converti(*c, clsCampo::DURATA_TRASF, clsTrasformazione::MOLTIPLICA, "8,1", "6");
                Sostituisci(d, bEntrante, c->miInizio, c->miLunghezza, ".");
                for (const auto& parola : t.parole)
                    Sostituisci(d, bEntrante, c->miInizio, c->miLunghezza, parola);
                continue;
            }
            if (!t.c.bLettere) continue;
            // The letters between hours, minutes and seconds become colons, a last S goes.
            for (const auto& [da, a] :
                 {std::pair("H", ":"), std::pair("h", ":"), std::pair("M", ":"),
                  std::pair("m", ":"), std::pair("S", ""), std::pair("s", "")}) {
                bool usato = false;
                for (const auto& v : t.c.vValori)
                    usato |= Testo(v.iRiga, v.a, v.b).find(da) != std::string::npos;
                if (usato)
                    Sostituisci(d, bEntrante, static_cast<int16_t>(t.c.a + 1),
                                static_cast<int16_t>(t.c.b - t.c.a), da, a);
            }
        }
        if (miScattiA >= 0) campo("lScatti", miScattiA, miScattiB, 0, clsCampo::DX);
        const auto& segmenti = mSegmenti[bEntrante];
        for (const Segmento& g : segmenti) {
            if (g.sRuolo.empty() || g.sRuolo == "-") continue;
            // Room for longer values than the sample shows, up to the next column.
            int a = g.a, b = g.b;
            int destra = b + 4, sinistra = 0;
            auto limita = [&](int x, int y) {
                if (x >= g.b) destra = std::min(destra, x - 1);
                if (y <= g.a) sinistra = std::max(sinistra, y + 1);
            };
            for (const auto& k : segmenti)
                if (&k != &g) limita(k.a, k.b);
            for (const auto& [x, y] : mvOccupate) limita(x, y);
            if (miDirA >= 0) limita(miDirA, miDirB);
            if (miTrasfA >= 0) limita(miTrasfA, miTrasfB);
            if (g.bEsatto)
                ;
            else if (g.bSinistra && !g.bCorto)
                b = std::max(b, destra);
            else
                a = std::min(a, sinistra);
            // A label before every extension (DN2001): the field starts after it where it
            // stands at the same columns on every line, else keeps the digits alone.
            bool etichettaFissa = !g.sEtichetta.empty() && a == g.a;
            for (size_t r : mvChiamate)
                if (etichettaFissa && (mvTipo[r] == 'E') == bEntrante &&
                    !TogliSpazi(Testo(r, g.a, g.b)).empty())
                    etichettaFissa =
                        Testo(r, g.a, g.a + static_cast<int>(g.sEtichetta.size())) == g.sEtichetta;
            if (etichettaFissa) a += static_cast<int>(g.sEtichetta.size());
            campo(g.sRuolo, a, b, 0, g.bSinistra ? clsCampo::SX : clsCampo::DX);
            if (!g.sEtichetta.empty() && !etichettaFissa)
                if (clsCampo* c = chiamataK->mcolCampi->Trova(
                        std::to_string(IndiceCampo(g.sRuolo, bEntrante))))
                    c->mbSoloCifre = true;
            // A label opening some values (FAC:01) is taken out before the field is read.
            if (g.sRuolo != "sNumero")
                if (const clsCampo* c = chiamataK->mcolCampi->Trova(
                        std::to_string(IndiceCampo(g.sRuolo, bEntrante))))
                    for (const auto& etichetta : Etichette(g.distinti))
                        Sostituisci(d, bEntrante, c->miInizio, c->miLunghezza, etichetta);
            if (g.sRuolo == "sNumero" && !g.sSegnoInCoda.empty()) {
                // A mark after the digits: taken out, what is dialled (* #) stays.
                if (const clsCampo* c = chiamataK->mcolCampi->Trova(
                        std::to_string(IndiceCampo(g.sRuolo, bEntrante))))
                    Sostituisci(d, bEntrante, c->miInizio, c->miLunghezza, g.sSegnoInCoda);
            } else if (g.sRuolo == "sNumero" && g.bDecorato) {
                // Digits among other signs (RG 612-804-4082, CLI Num: 0555...): the digits alone.
                if (clsCampo* c = chiamataK->mcolCampi->Trova(
                        std::to_string(IndiceCampo(g.sRuolo, bEntrante)))) {
                    c->mbSoloCifre = true;
                    c->mbOpzionale = true;
                }
            }
            if (g.bValuta) {
                // A cost: its point and currency sign taken out, the pulses divided by 100.
                clsCampo* c =
                    chiamataK->mcolCampi->Trova(std::to_string(IndiceCampo(g.sRuolo, bEntrante)));
                if (!c) continue;
                Converti(*c, clsCampo::SCATTI_TRASF, clsTrasformazione::DIVIDI, "", "100");
                for (const char* segno : {".", ",", "$"}) {
                    bool usato = false;
                    for (const auto& v : g.distinti) usato |= v.find(segno) != std::string::npos;
                    if (usato) Sostituisci(d, bEntrante, c->miInizio, c->miLunghezza, segno);
                }
            }
        }
    }
    // An incoming mark printed in the number's place ("<I>0555...", "<incoming>") is taken
    // out of the number.
    for (const auto& [t, k] : mDirValori) {
        if (k != 'E' || t.empty() || t.front() != '<' || !d.moEntranti) continue;
        const clsCampo* numero =
            d.moEntranti->mcolCampi->Trova(std::to_string(IndiceCampo("sNumero", true)));
        if (!numero || numero->miInizio > miDirA + 1 ||
            numero->miInizio + numero->miLunghezza <= miDirA + 1)
            continue;
        clsTrasformazione tr;
        tr.menTipo = clsTrasformazione::ENTRANTI;
        tr.menOperazione = clsTrasformazione::ELIMINA;
        tr.miRiga = 1;
        tr.miInizio = static_cast<int16_t>(miDirA + 1);
        tr.miLunghezza = static_cast<int16_t>(t.size());
        tr.msSorgente = t;
        if (!d.mcolTrasf) d.mcolTrasf.emplace();
        d.mcolTrasf->Add(std::move(tr));
        if (auto* c = d.moEntranti->mcolCampi->Trova(std::to_string(IndiceCampo("sNumero", true))))
            c->mbOpzionale = true;
        Voce(Ambito::Tipo, "Segno delle entranti",
             "\"" + t +
                 "\" sta dove le uscenti hanno il numero: \xE8 tolto dal numero delle "
                 "entranti (ELIMINA), che resta facoltativo",
             false, true, "sNumero", miDirA, miDirA + static_cast<int>(t.size()));
    }
    if (mbSeparati) PosizioniInCampi();
    for (const auto& [bEntrante, segmenti] : mSegmenti) {
        size_t righe = 0;
        for (size_t r : mvChiamate) righe += (mvTipo[r] == 'E') == bEntrante;
        for (const auto& g : segmenti) {
            // A part of a value has its own evidence.
            if (g.sRuolo.empty() || g.sRuolo == "-" || g.bEsatto) continue;
            std::string esempi;
            size_t k = 0;
            for (const auto& v : g.distinti) {
                if (k++ == 3) break;
                if (!esempi.empty()) esempi += ", ";
                esempi += v;
            }
            const char* titolo = "Campo";
            for (int i = 0; i < NUM_NOMI_CAMPI; ++i)
                if (g.sRuolo == NomiCampi()[i].sNome) titolo = NomiCampi()[i].sDidascalia;
            Voce(Ambito::Campo, titolo,
                 Dove(g.a, g.b) + ": " + Num(static_cast<long long>(g.iPieni)) + " valori su " +
                     Num(static_cast<long long>(righe)) +
                     (bEntrante ? " entranti (" : " uscenti (") + esempi + ")" +
                     (g.sIntestazione.empty() ? std::string()
                                              : ", sotto \"" + g.sIntestazione + "\"") +
                     (g.bValuta ? "; un costo con i decimali: letto in valuta (diviso per 100)"
                                : "") +
                     (g.sEtichetta.empty()
                          ? ""
                          : "; \"" + g.sEtichetta +
                                "\" davanti a ogni valore \xE8 un'etichetta, non parte del "
                                "numero: il campo tiene le cifre dopo") +
                     (g.bCorto ? "; quasi tutti i valori hanno questa lunghezza, sugli altri "
                                 "seguono altre cifre attaccate: il campo si ferma qui"
                               : "") +
                     (g.sRuolo == "sNumero" && !g.sSegnoInCoda.empty()
                          ? "; \"" + g.sSegnoInCoda +
                                "\" dopo le cifre su alcune righe: un segno, non una cifra "
                                "composta, tolto dal numero (SOSTITUISCI)"
                      : g.sRuolo == "sNumero" && g.bDecorato
                          ? "; cifre fra altri segni su alcune righe: il numero tiene solo le "
                            "cifre (Solo cifre)"
                          : "") +
                     (g.iPieni < righe ? "; vuoto su alcune chiamate: facoltativo" : "") +
                     (g.sRuolo != "sNumero" && !Etichette(g.distinti).empty()
                          ? "; \"" + *Etichette(g.distinti).begin() +
                                "\" davanti ad alcuni valori \xE8 un nome, tolto (SOSTITUISCI)"
                          : std::string()),
                 false, bEntrante, g.sRuolo, g.a, g.b);
        }
    }
}

// A printout of separated fields: a separator that cuts most lines into the same number of
// fields (three or more). The heading lines are the first lines without a value of a date or
// time format; the first of them names the fields.
bool Proponitore::ProvaSeparati() {
    const size_t esame = std::min<size_t>(mvRighe.size(), 300);
    if (esame < 2) return false;
    struct Prova {
        char c = 0;
        size_t iCampi = 0, iRighe = 0;
    };
    Prova migliore;
    CampiRiga campi;
    for (char c : {',', ';', '\t', '|'}) {
        std::map<size_t, size_t> conta;
        for (size_t r = 0; r < esame; ++r) {
            if (mvRighe[r].find(c) == std::string::npos) continue;
            DividiCampi(mvRighe[r], c, '"', campi);
            ++conta[campi.iCampi];
        }
        for (const auto& [n, k] : conta)
            if (n >= 3 && (k > migliore.iRighe || (k == migliore.iRighe && n > migliore.iCampi)))
                migliore = {c, n, k};
    }
    if (!migliore.c || migliore.iRighe * 10 < esame * 6) {
        size_t righe = 0;
        if (const size_t n = ParoleSeparate(esame, righe)) migliore = {' ', n, righe};
    }
    if (!migliore.c || migliore.iRighe * 10 < esame * 6) return false;
    mbSeparati = true;
    mcSeparatore = migliore.c;
    // The heading: the first lines of words, none of which a format reads as a date or time.
    const CodiciMesi mesi{};
    // A value a format reads, or (separati) one with the format's separators, not bare digits.
    auto valore = [&](std::string_view v, bool separati) {
        v = TogliSpazi(v);
        if (v.empty() || !Cifra(v.front())) return false;
        for (const auto& f : mvFormati)
            if (!f.bSolo && (f.bLetterale || !separati) && f.f.Leggi(v, mesi)) return true;
        if (v.find(' ') != std::string_view::npos) {
            const std::string_view p = v.substr(0, v.find(' '));
            for (const auto& f : mvFormati)
                if (!f.bSolo && (f.bLetterale || !separati) && f.f.Leggi(p, mesi)) return true;
        }
        return false;
    };
    auto haValore = [&](const std::vector<std::string>& campiRiga) {
        return std::any_of(campiRiga.begin(), campiRiga.end(),
                           [&](const std::string& t) { return valore(t, false); });
    };
    const auto dataOra = [&](std::string_view v) { return valore(v, true); };
    std::vector<std::vector<std::string>> pezzi(mvRighe.size());
    for (size_t r = 0; r < mvRighe.size(); ++r) {
        DividiCampi(mvRighe[r], mcSeparatore, '"', campi);
        pezzi[r].assign(campi.vCampi.begin(),
                        campi.vCampi.begin() + static_cast<long>(campi.iCampi));
        for (auto& t : pezzi[r])
            for (char& ch : t)
                if (ch == '\t') ch = ' ';
    }
    while (miIntestazione < pezzi.size() && miIntestazione < 5 &&
           pezzi[miIntestazione].size() >= 3 && !haValore(pezzi[miIntestazione]))
        ++miIntestazione;
    const size_t n = CampiDeiRecord(pezzi, migliore.iCampi, dataOra);
    std::vector<std::vector<std::string>> righe(mvRighe.size());
    mvLarghezza.assign(n, 1);
    for (size_t r = 0; r < mvRighe.size(); ++r) {
        const size_t k = pezzi[r].size();
        // A record of another length is no call of this layout, unless a field holds
        // separators or its last empty fields were dropped.
        if (k != n && !(k > n && miVariabile >= 0) && !(k < n && k >= miComuni && k >= 3)) continue;
        righe[r] = CampiDaPezzi(pezzi[r], n, miVariabile, mcSeparatore);
        for (size_t c = 0; c < n; ++c)
            mvLarghezza[c] = std::max(mvLarghezza[c], static_cast<int>(righe[r][c].size()));
    }
    mvColonna.assign(n, 0);
    for (size_t k = 1; k < n; ++k) mvColonna[k] = mvColonna[k - 1] + mvLarghezza[k - 1] + 1;
    // Fields some records lack are never read: those records would not be recognised.
    for (size_t k = miComuni; k < n; ++k)
        mvOccupate.emplace_back(mvColonna[k], mvColonna[k] + mvLarghezza[k]);
    if (miIntestazione > 0) mvNomi = righe[0];
    std::vector<std::string> nuove(mvRighe.size());
    for (size_t r = 0; r < mvRighe.size(); ++r) {
        if (righe[r].empty()) {
            nuove[r] = "?";  // a record of another length: no call of this layout
            continue;
        }
        std::string& t = nuove[r];
        for (size_t k = 0; k < n; ++k) {
            t.resize(static_cast<size_t>(mvColonna[k]), ' ');
            t += righe[r][k];
        }
        while (!t.empty() && t.back() == ' ') t.pop_back();
        if (t.empty()) t = "?";
    }
    mvRighe = std::move(nuove);
    const char* nome = mcSeparatore == ','    ? "la virgola"
                       : mcSeparatore == ';'  ? "il punto e virgola"
                       : mcSeparatore == '\t' ? "il tabulatore"
                       : mcSeparatore == ' ' ? "uno spazio solo, fra valori di larghezza variabile,"
                                             : "la barra verticale";
    Voce(Ambito::Stampa, "Campi separati",
         std::string(nome) + " divide " + Num(static_cast<long long>(migliore.iRighe)) +
             " righe su " + Num(static_cast<long long>(esame)) + " in " +
             Num(static_cast<long long>(migliore.iCampi)) +
             " campi: la stampa \xE8 a campi separati, letti per numero" +
             (miIntestazione ? "; " + Num(static_cast<long long>(miIntestazione)) +
                                   (miIntestazione == 1 ? " riga" : " righe") +
                                   " di intestazione, che il motore salta, e i campi hanno i nomi "
                                   "della prima"
                             : std::string("; nessuna intestazione")));
    if (!msPezzi.empty()) Voce(Ambito::Stampa, "Campi e pezzi dei record", msPezzi, mbPari);
    return true;
}

// How many fields a record has when the pieces of the records are not all their fields: with
// the tab between fields, a heading that names more fields than most records have pieces says
// that their last empty fields were dropped with the blanks at the line's end; records with
// more pieces than the heading names (or than most records have) hold a field with separators
// and no quotes, read as one: the fields before it by number, those after it from the end.
size_t Proponitore::CampiDeiRecord(const std::vector<std::vector<std::string>>& pezzi,
                                   size_t comuni,
                                   const std::function<bool(std::string_view)>& dataOra) {
    size_t n = comuni;
    miComuni = comuni;
    const size_t nomi = miIntestazione ? pezzi[0].size() : 0;
    if (nomi > n && mcSeparatore == '\t') {
        msPezzi = "l'intestazione nomina " + Num(static_cast<long long>(nomi)) +
                  " campi e la maggior parte dei record ne ha " + Num(static_cast<long long>(n)) +
                  ": gli ultimi campi vuoti hanno perso i tabulatori con gli spazi a fine riga; i "
                  "campi dal " +
                  Num(static_cast<long long>(n + 1)) +
                  " in poi, che alcuni record non hanno, non sono letti";
        return nomi;
    }
    if (nomi >= 3 && nomi < n) n = nomi;
    miComuni = n;
    // The records after the heading, enough of them to tell the fields apart.
    const std::vector<std::vector<std::string>> record(
        pezzi.begin() + static_cast<long>(miIntestazione),
        pezzi.begin() + static_cast<long>(std::min(pezzi.size(), miIntestazione + 300)));
    std::vector<bool> nomiDataOra(n, false);
    for (size_t k = 0; k < n && nomi == n; ++k)
        nomiDataOra[k] =
            HaParola(Maiusc(pezzi[0][k]), {"DATE", "TIME", "START", "END", "ANSWER", "BEGIN",
                                           "STOP", "DATA", "ORA", "INIZIO", "FINE"});
    bool& pari = mbPari;
    miVariabile = CampoVariabile(record, n, dataOra, nomiDataOra, pari);
    if (miVariabile < 0) return n;
    size_t piu = 0, massimo = 0;
    for (const auto& r : record) {
        piu += r.size() > n;
        massimo = std::max(massimo, r.size());
    }
    const std::string nome =
        nomi == n ? " (" + pezzi[0][static_cast<size_t>(miVariabile)] + ")" : std::string();
    msPezzi = Num(static_cast<long long>(piu)) + " record hanno pi\xF9 pezzi (fino a " +
              Num(static_cast<long long>(massimo)) + ") dei " + Num(static_cast<long long>(n)) +
              (nomi == n ? " campi che l'intestazione nomina" : " campi della maggior parte") +
              ": il campo " + Num(miVariabile + 1) + nome +
              " contiene separatori senza virgolette e i suoi pezzi sono uniti; i campi prima "
              "sono letti per numero, quelli dopo contati dalla fine del record (numero "
              "negativo), cos\xEC leggono le stesse colonne su ogni record" +
              (pari ? "; anche un campo precedente andrebbe bene: scelto l'ultimo che lascia "
                      "date e ore nei loro campi"
                    : "");
    return n;
}

// Words split by a single blank (none before the first, none after the last, never two blanks
// together) are fields when most lines hold the same number of them (three or more) and a word
// of that number starts at other columns on other lines: values of varying width, so no column
// layout reads them. Words at the same columns on every line are left to the columns.
size_t Proponitore::ParoleSeparate(size_t iEsame, size_t& rRighe) const {
    std::map<size_t, size_t> conta;
    std::map<size_t, std::vector<size_t>> inizi;  // by count: the columns of the first line
    std::set<size_t> spostate;                    // counts whose words move
    for (size_t r = 0; r < iEsame; ++r) {
        const std::string& t = mvRighe[r];
        if (t.empty() || t.front() == ' ' || t.back() == ' ' || t.find("  ") != std::string::npos ||
            t.find('\t') != std::string::npos)
            continue;
        std::vector<size_t> col{0};
        for (size_t i = 0; i < t.size(); ++i)
            if (t[i] == ' ') col.push_back(i + 1);
        const size_t n = col.size();
        ++conta[n];
        const auto [it, nuovo] = inizi.emplace(n, col);
        if (!nuovo && it->second != col) spostate.insert(n);
    }
    size_t migliore = 0;
    rRighe = 0;
    for (const auto& [n, k] : conta)
        if (n >= 3 && spostate.count(n) && k > rRighe) {
            migliore = n;
            rRighe = k;
        }
    return migliore;
}

void Proponitore::InCampo(int a, int b, int16_t& rInizio, int16_t& rLunghezza,
                          int16_t& rNel) const {
    size_t k = 0;
    while (k + 1 < mvColonna.size() && mvColonna[k + 1] <= a) ++k;
    const int nel = a - mvColonna[k];
    const int fine = mvColonna[k] + mvLarghezza[k];
    rInizio = static_cast<int16_t>(k + 1);
    rNel = static_cast<int16_t>(nel > 0 ? nel + 1 : 0);
    rLunghezza = static_cast<int16_t>(b >= fine ? 0 : b - a);
}

std::string Proponitore::Dove(int a, int b) const {
    if (miLarghezzaRiga && !mbSeparati) {
        const int riga = a / miLarghezzaRiga, da = riga * miLarghezzaRiga;
        return "riga " + Num(riga + 1) + ", colonne " + Num(a - da + 1) + "-" +
               Num(std::min(b, da + miLarghezzaRiga) - da);
    }
    if (!mbSeparati) return "colonne " + Num(a + 1) + "-" + Num(b);
    int16_t campo = 0, lunghezza = 0, nel = 0;
    InCampo(a, b, campo, lunghezza, nel);
    std::string s = "campo " + Num(campo);
    if (static_cast<size_t>(campo) <= mvNomi.size() &&
        !TogliSpazi(mvNomi[static_cast<size_t>(campo - 1)]).empty())
        s += " (" + std::string(TogliSpazi(mvNomi[static_cast<size_t>(campo - 1)])) + ")";
    if (nel || lunghezza)
        s += ", caratteri " + Num(nel ? nel : 1) +
             (lunghezza ? "-" + Num((nel ? nel : 1) + lunghezza - 1) : "");
    return s;
}

// Every position of the driver, proposed on the fields laid out as columns, becomes a field
// number.
void Proponitore::PosizioniInCampi() {
    clsDriver& d = mP.driver;
    d.mbCampiSeparati = true;
    d.msSeparatoreCampi = CarattereInTesto(mcSeparatore);
    d.miRigheIntestazione = static_cast<int32_t>(miIntestazione);
    auto sposta = [this](auto& x) {
        if (x.miInizio <= 0) return;
        const int a = x.miInizio - 1, b = a + x.miLunghezza;
        InCampo(a, b, x.miInizio, x.miLunghezza, x.miNelCampo);
        // After a field holding separators, fields count from the record's end.
        if (miVariabile >= 0 && x.miInizio > miVariabile + 1)
            x.miInizio = static_cast<int16_t>(x.miInizio - static_cast<int>(mvColonna.size()) - 1);
    };
    auto tutte = [&](auto& col) {
        if (col)
            for (auto& v : *col) sposta(v.valore);
    };
    tutte(d.mcolDataIsolata);
    if (d.mcolTrasf)
        for (auto& v : *d.mcolTrasf) sposta(v.valore);
    for (auto* k : {&d.moEntranti, &d.moUscenti}) {
        if (!*k) continue;
        tutte((*k)->mcolCondizioni);
        tutte((*k)->mcolCondTrasferita);
        if ((*k)->mcolCampi)
            for (auto& v : *(*k)->mcolCampi) {
                sposta(v.valore);
                if (v.valore.moTrasf) {
                    v.valore.moTrasf->miInizio = v.valore.miInizio;
                    v.valore.moTrasf->miLunghezza = v.valore.miLunghezza;
                }
            }
    }
}

// Calls on several lines, each opened by a line of one shape (a mark at one column): unless
// the time found on most lines stands once in every call and on its opener (calls of one line,
// with lines after them), the lines of each call are laid side by side on one line and the
// values are looked for again. A call kind has a fixed number of lines: where the calls have
// more or fewer, the fewest are read and the lines after them are left out.
bool Proponitore::InBlocchi() {
    const auto b = TrovaBlocchi(mvRighe);
    if (!b) return false;
    const Colonna* ora = nullptr;
    for (const auto& c : mvCandidate)
        if (!mvFormati[c.iFormato].bData && mvFormati[c.iFormato].bOre &&
            (!ora || c.Righe() > ora->Righe()))
            ora = &c;
    // Every call starts with its opener: no time stands before the first one.
    if (!ora || ora->vValori.front().iRiga < b->vInizi.front()) return false;
    for (size_t k = 0; k < b->vInizi.size(); ++k) {
        // The time on an opener: calls of one line, some followed by lines of their own or
        // by calls of another kind.
        if (ora->Su(b->vInizi[k])) return false;
        size_t dentro = 0;
        for (size_t r = b->vInizi[k]; r < b->vInizi[k] + b->vRighe[k]; ++r) dentro += !!ora->Su(r);
        if (dentro == 0) return false;  // a call without the time: no calls of this shape
    }
    // Groups of lines that each hold the time, of varying count, under a line that opens each
    // group (a date, a title, with column titles of no digit): calls of one line.
    if (b->Minimo() != b->Massimo()) {
        bool ognuna = true;
        for (size_t k = 0; k < b->vInizi.size() && ognuna; ++k)
            for (size_t r = b->vInizi[k] + 1; r < b->vInizi[k] + b->vRighe[k]; ++r)
                ognuna &= ora->Su(r) != nullptr ||
                          std::none_of(mvRighe[r].begin(), mvRighe[r].end(), Cifra);
        if (ognuna) return false;
    }
    const size_t n = b->Minimo();
    size_t larga = 0;
    for (size_t inizio : b->vInizi)
        for (size_t r = inizio; r < inizio + n; ++r) larga = std::max(larga, mvRighe[r].size());
    miLarghezzaRiga = static_cast<int>(larga) + 4;
    miRigheBlocco = static_cast<int>(n);
    msApre = b->sApre;
    miApreA = b->iColonna;
    // Each length of call, with the lines where the first calls of it start.
    std::map<size_t, std::vector<std::string>> perRighe;
    for (size_t k = 0; k < b->vInizi.size(); ++k) {
        auto& v = perRighe[b->vRighe[k]];
        if (v.size() < 3)
            v.push_back("riga " + Num(static_cast<long long>(mvNumeri[b->vInizi[k]])));
    }
    std::vector<std::string> righe;
    std::vector<uint64_t> numeri;
    for (size_t r = 0, k = 0; r < mvRighe.size(); ++r) {
        if (k < b->vInizi.size() && b->vInizi[k] == r) {
            std::string unita;
            for (size_t i = 0; i < n; ++i) {
                unita.resize(i * static_cast<size_t>(miLarghezzaRiga), ' ');
                unita += mvRighe[r + i];
            }
            righe.push_back(std::move(unita));
            numeri.push_back(mvNumeri[r]);
            // The lines after the fewest are no call and no heading: left out.
            r += b->vRighe[k] - 1;
            ++k;
            continue;
        }
        righe.push_back(mvRighe[r]);
        numeri.push_back(mvNumeri[r]);
    }
    mvRighe = std::move(righe);
    mvNumeri = std::move(numeri);
    mvCandidate.clear();
    mvOccupate.emplace_back(miApreA, miApreA + static_cast<int>(msApre.size()));
    const std::string apre = "\"" + msApre + "\" in colonna " + Num(miApreA + 1) + " apre " +
                             Num(static_cast<long long>(b->vInizi.size())) + " chiamate";
    if (b->Minimo() == b->Massimo()) {
        Voce(Ambito::Righe, "Chiamate su pi\xF9 righe",
             apre + ", ognuna di " + Num(static_cast<long long>(n)) +
                 " righe: una chiamata \xE8 la riga che lo porta e le righe che la seguono fino "
                 "alla prossima; i campi sono cercati su tutte le sue righe");
        return true;
    }
    VoceProposta v;
    v.ambito = Ambito::Righe;
    v.sTitolo = "Chiamate su pi\xF9 righe";
    v.bIncerto = true;
    v.sTesto = apre + " di " + Num(static_cast<long long>(b->Minimo())) + "-" +
               Num(static_cast<long long>(b->Massimo())) +
               " righe: una chiamata \xE8 la riga che lo porta e le righe che la seguono fino "
               "alla prossima; un tipo di chiamata ha per\xF2 un numero fisso di righe: sono "
               "proposte " +
               Num(static_cast<long long>(n)) +
               ", le chiamate pi\xF9 corte, perch\xE9 una chiamata non prenda la riga che apre "
               "la seguente; le righe oltre restano non riconosciute e ci\xF2 che vi sta non "
               "\xE8 letto";
    for (const auto& [righe, primi] : perRighe) {
        VoceProposta::Alternativa a;
        a.sLettura = Num(static_cast<long long>(righe)) + " righe";
        a.vValori = primi;
        a.bScelta = righe == n;
        v.vAlternative.push_back(std::move(a));
    }
    mP.vVoci.push_back(std::move(v));
    return true;
}

// Calls always printed on the same number of lines, with no mark opening them: the lines
// holding the time found on most lines stand a fixed number of lines apart in the printout
// (2 to 8, blank lines counted), every other line of a call starts at the same column with the
// same kind of sign as that line of the other calls, or is blank, and text that is not the same
// on every call stands on one of them at least (a rule or a blank line after each call is no
// line of it). The calls are laid side by side as above, and the driver keeps blank lines: a
// line printed empty (no account code entered) still counts among the call's lines.
bool Proponitore::InCiclo() {
    const Colonna* ora = nullptr;
    for (const auto& c : mvCandidate)
        if (!mvFormati[c.iFormato].bData && mvFormati[c.iFormato].bOre &&
            (!ora || c.Righe() > ora->Righe()))
            ora = &c;
    if (!ora || ora->Righe() < 3) return false;
    std::vector<size_t> inizi;
    for (const auto& v : ora->vValori) inizi.push_back(v.iRiga);
    const uint64_t passo = mvNumeri[inizi[1]] - mvNumeri[inizi[0]];
    if (passo < 2 || passo > 8) return false;
    for (size_t k = 0; k + 1 < inizi.size(); ++k)
        if (mvNumeri[inizi[k + 1]] - mvNumeri[inizi[k]] != passo) return false;
    // Each line of a call by its place in the call: where it starts, what sign opens it, the
    // texts seen there.
    std::vector<std::set<std::string>> testi(passo);
    std::vector<std::optional<std::pair<size_t, int>>> forma(passo);
    auto classe = [](char c) { return Cifra(c) ? 0 : Lettera(c) ? 1 : 2; };
    std::vector<size_t> fine;  // past the last line index of each call
    for (size_t inizio : inizi) {
        size_t r = inizio + 1;
        while (r < mvRighe.size() && mvNumeri[r] < mvNumeri[inizio] + passo) {
            const size_t i = mvNumeri[r] - mvNumeri[inizio];
            const std::string& t = mvRighe[r];
            const size_t primo = t.find_first_not_of(' ');
            const std::pair<size_t, int> f{primo, classe(t[primo])};
            if (forma[i] && *forma[i] != f) return false;
            forma[i] = f;
            testi[i].insert(t);
            ++r;
        }
        fine.push_back(r);
    }
    bool varia = false;
    for (size_t i = 1; i < passo; ++i) varia |= testi[i].size() > 1;
    if (!varia) return false;
    const size_t n = passo;
    size_t larga = 0;
    for (size_t k = 0; k < inizi.size(); ++k)
        for (size_t r = inizi[k]; r < fine[k]; ++r) larga = std::max(larga, mvRighe[r].size());
    miLarghezzaRiga = static_cast<int>(larga) + 4;
    miRigheBlocco = static_cast<int>(n);
    mbRigheVuoteInChiamata = true;
    std::vector<std::string> righe;
    std::vector<uint64_t> numeri;
    for (size_t r = 0, k = 0; r < mvRighe.size(); ++r) {
        if (k < inizi.size() && inizi[k] == r) {
            std::string unita;
            for (; r < fine[k]; ++r) {
                unita.resize(
                    (mvNumeri[r] - mvNumeri[inizi[k]]) * static_cast<size_t>(miLarghezzaRiga), ' ');
                unita += mvRighe[r];
            }
            righe.push_back(std::move(unita));
            numeri.push_back(mvNumeri[inizi[k]]);
            --r;
            ++k;
            continue;
        }
        righe.push_back(mvRighe[r]);
        numeri.push_back(mvNumeri[r]);
    }
    const std::string dove = Dove(ora->a, ora->b);
    mvRighe = std::move(righe);
    mvNumeri = std::move(numeri);
    mvCandidate.clear();
    Voce(Ambito::Righe, "Chiamate su pi\xF9 righe",
         "l'ora di " + dove + " sta su " + Num(static_cast<long long>(inizi.size())) +
             " righe, sempre " + Num(static_cast<long long>(n)) +
             " righe una dall'altra (righe vuote comprese), e ogni altra riga di una chiamata "
             "comincia alla stessa colonna con lo stesso segno (cifra, lettera) che nelle altre "
             "chiamate, o \xE8 vuota: una chiamata \xE8 di " +
             Num(static_cast<long long>(n)) +
             " righe, la prima quella dell'ora; le righe vuote contano fra le righe della "
             "chiamata (non sono ignorate) e i campi sono cercati su tutte le sue righe");
    return true;
}

// Every position found on the lines laid side by side goes back to its line of the call.
void Proponitore::PosizioniInBlocchi() {
    clsDriver& d = mP.driver;
    const int w = miLarghezzaRiga;
    auto sposta = [w](auto& x) {
        if (x.miInizio <= 0) return;
        const int a = x.miInizio - 1, riga = a / w;
        const int b = std::min(a + std::max<int>(x.miLunghezza, 1), (riga + 1) * w);
        x.miRiga = static_cast<int16_t>(riga + 1);
        x.miInizio = static_cast<int16_t>(a - riga * w + 1);
        if (x.miLunghezza > 0) x.miLunghezza = static_cast<int16_t>(b - a);
    };
    auto tutte = [&](auto& col) {
        if (col)
            for (auto& v : *col) sposta(v.valore);
    };
    tutte(d.mcolDataIsolata);
    if (d.mcolTrasf)
        for (auto& v : *d.mcolTrasf) sposta(v.valore);
    for (auto* k : {&d.moEntranti, &d.moUscenti}) {
        if (!*k) continue;
        (*k)->miNumRighe = static_cast<int16_t>(miRigheBlocco);
        tutte((*k)->mcolCondizioni);
        tutte((*k)->mcolCondTrasferita);
        if ((*k)->mcolCampi)
            for (auto& v : *(*k)->mcolCampi) {
                sposta(v.valore);
                if (v.valore.moTrasf) {
                    v.valore.moTrasf->miRiga = v.valore.miRiga;
                    v.valore.moTrasf->miInizio = v.valore.miInizio;
                    v.valore.moTrasf->miLunghezza = v.valore.miLunghezza;
                }
            }
    }
}

// The lines that are no calls, by kind, and a kind whose calls always take a second line.
void Proponitore::AltreRighe() {
    size_t parole = 0, trattini = 0, date = 0, seguito = 0, altre = 0;
    std::map<std::string, std::pair<size_t, size_t>> dopo;  // mark: lines after a call, in all
    auto segno = [](const std::string& t) {
        const size_t i = t.find_first_not_of(' ');
        if (i == std::string::npos) return std::string();
        if (!Alnum(t[i])) return std::string(1, t[i]);
        size_t j = i;
        while (j < t.size() && Lettera(t[j])) ++j;
        return j > i && j - i <= 6 && (j == t.size() || t[j] == ' ') ? t.substr(i, j - i)
                                                                     : std::string();
    };
    for (size_t r = 0; r < mvRighe.size(); ++r) {
        if (mvChiamata[r]) continue;
        const std::string& t = mvRighe[r];
        const bool dopoChiamata = r > 0 && mvChiamata[r - 1];
        if (const std::string k = segno(t); !k.empty()) {
            auto& [d, tutte] = dopo[k];
            d += dopoChiamata;
            ++tutte;
        }
        if (t.find_first_not_of("-=_* ") == std::string::npos)
            ++trattini;
        else if (mDataRiga && mDataRiga->Su(r))
            ++date;
        else if (std::find(mvIntestazioni.begin(), mvIntestazioni.end(), r) != mvIntestazioni.end())
            ++parole;
        else if (dopoChiamata)
            ++seguito;
        else
            ++altre;
    }
    std::string testo;
    auto aggiungi = [&testo](size_t n, const char* cosa) {
        if (!n) return;
        if (!testo.empty()) testo += ", ";
        testo += Num(static_cast<long long>(n)) + " " + cosa;
    };
    aggiungi(parole, "intestazioni di colonna");
    aggiungi(trattini, "righe di trattini");
    aggiungi(date, "righe di data");
    aggiungi(seguito, "righe che seguono una chiamata");
    aggiungi(altre, "altre righe (titoli, totali, messaggi)");
    aggiungi(miSaltiPagina, "salti pagina");
    if (!testo.empty())
        Voce(Ambito::Righe, "Altre righe",
             testo + ": non sono chiamate, il motore le segnala come righe non riconosciute");
    // A mark that stands only on the line after a call, after every call of one kind and of
    // no other: that kind is printed on two lines.
    for (const auto& [k, conti] : dopo) {
        if (miLarghezzaRiga) break;  // the lines of a call are read together already
        if (conti.first < 2 || conti.first != conti.second) continue;
        size_t entranti = 0, uscenti = 0, eSeguite = 0, uSeguite = 0;
        int colonna = -1;
        for (size_t r : mvChiamate) {
            const bool e = mvTipo[r] == 'E';
            (e ? entranti : uscenti) += 1;
            if (r + 1 < mvRighe.size() && !mvChiamata[r + 1] && segno(mvRighe[r + 1]) == k) {
                (e ? eSeguite : uSeguite) += 1;
                colonna = static_cast<int>(mvRighe[r + 1].find(k));
            }
        }
        const bool soloE = eSeguite == entranti && entranti > 0 && uSeguite == 0;
        const bool soloU = uSeguite == uscenti && uscenti > 0 && eSeguite == 0;
        if (soloE || soloU) {
            msSeconda = k;
            miSecondaA = colonna;
            mbSecondaEntranti = soloE;
            Voce(Ambito::Righe, "Chiamate su due righe",
                 "\"" + k + "\" apre la riga che segue ognuna delle " +
                     Num(static_cast<long long>(soloE ? entranti : uscenti)) + " chiamate " +
                     (soloE ? "entranti" : "uscenti") + " e nessun'altra: sono su due righe",
                 false, soloE);
            return;
        }
        const bool tipoE = uSeguite == 0 && eSeguite > 0;
        Voce(Ambito::Righe, "Righe dopo le chiamate",
             "\"" + k + "\" apre la riga che segue " + Num(static_cast<long long>(eSeguite)) +
                 " entranti su " + Num(static_cast<long long>(entranti)) + " e " +
                 Num(static_cast<long long>(uSeguite)) + " uscenti su " +
                 Num(static_cast<long long>(uscenti)) +
                 ": non tutte le chiamate di un tipo la hanno, e un tipo ha un numero di righe "
                 "fisso; restano righe a s\xE9" +
                 (tipoE || eSeguite == 0 ? SenzaSeconda(k, tipoE) : std::string()),
             true);
    }
}

// The calls of a kind that lack the line after them, when a column tells them apart from the
// others of their kind (a record letter: B beside N): what a technician needs to choose between
// two lines for the kind, losing those calls, and one line, losing what the second line holds.
std::string Proponitore::SenzaSeconda(const std::string& segno, bool bEntranti) const {
    std::vector<size_t> con, senza;
    for (size_t r : mvChiamate) {
        if ((mvTipo[r] == 'E') != bEntranti) continue;
        const bool segue = r + 1 < mvRighe.size() && !mvChiamata[r + 1] &&
                           TogliSpazi(mvRighe[r + 1]).rfind(segno, 0) == 0;
        (segue ? con : senza).push_back(r);
    }
    if (con.empty() || senza.empty()) return {};
    const auto a = [&](size_t r, size_t x) { return x < mvRighe[r].size() ? mvRighe[r][x] : ' '; };
    // A code of one character standing alone (a record letter), not a digit of a longer value.
    const auto solo = [&](size_t r, size_t x) {
        return (x == 0 || a(r, x - 1) == ' ') && a(r, x + 1) == ' ';
    };
    for (size_t x = 0; x < mvRighe[con.front()].size(); ++x) {
        const char c = a(con.front(), x), d = a(senza.front(), x);
        if (c == d || c == ' ' || d == ' ') continue;
        if (!std::all_of(mvChiamate.begin(), mvChiamate.end(),
                         [&](size_t r) { return (mvTipo[r] == 'E') != bEntranti || solo(r, x); }))
            continue;
        if (std::all_of(con.begin(), con.end(), [&](size_t r) { return a(r, x) == c; }) &&
            std::all_of(senza.begin(), senza.end(), [&](size_t r) { return a(r, x) == d; }))
            return std::string(senza.size() == 1
                                   ? "; l'unica senza ha \""
                                   : "; le " + Num(static_cast<long long>(senza.size())) +
                                         " senza hanno \"") +
                   d + "\" in colonna " + Num(static_cast<long long>(x + 1)) + ", le altre \"" + c +
                   "\": con due righe per il tipo non sarebbero lette come " +
                   (bEntranti ? "entranti" : "uscenti") +
                   ", con una il testo della seconda riga resta fuori";
    }
    return {};
}

// A 12-hour clock may print its mark only for one half of the day (01:12p in the afternoon,
// 09:40 and a blank in the morning): a time column followed, on some call lines, by one and the
// same meridian letter glued to it and by a blank on the others, with every hour from 1 to 12.
// The time is then read with its mark, the blanks standing for the other letter.
void Proponitore::MeridianoFacoltativo() {
    const size_t candidate = mvCandidate.size();
    std::set<std::tuple<size_t, int, int>> viste;
    std::vector<size_t> conMeridiano;
    for (size_t i = 0; i < candidate; ++i)
        if (mvFormati[mvCandidate[i].iFormato].bMeridiano) conMeridiano.push_back(i);
    for (size_t i = 0; i < candidate; ++i) {
        const Formato& f = mvFormati[mvCandidate[i].iFormato];
        if (f.bData || !f.bOre || f.bMeridiano || !f.bLetterale) continue;
        Colonna c = SuRighe(mvCandidate[i], mvChiamata, true);
        if (c.vValori.empty() || !viste.insert({c.iFormato, c.a, c.b}).second) continue;
        // Times that only the format with the mark reads (3:05p, where h:mm reads 8:05) join
        // the column, already read as 24 hours.
        std::set<size_t> righe, conSegno;
        for (const auto& v : c.vValori) righe.insert(v.iRiga);
        for (size_t k : conMeridiano) {
            const Colonna& m = mvCandidate[k];
            if (!UgualeNoCase(mvFormati[m.iFormato].sTesto, f.sTesto + "A/P")) continue;
            for (const auto& v : m.vValori)
                if (mvChiamata[v.iRiga] && v.b == c.b + 1 && righe.insert(v.iRiga).second) {
                    Valore w = v;
                    w.b = c.b;
                    c.vValori.push_back(w);
                    conSegno.insert(v.iRiga);
                }
        }
        std::sort(c.vValori.begin(), c.vValori.end(),
                  [](const Valore& x, const Valore& y) { return x.iRiga < y.iRiga; });
        for (const auto& v : c.vValori) c.a = std::min(c.a, v.a);
        if (c.Righe() * 10 < mvChiamate.size() * 8) continue;
        std::set<char> lettere;
        size_t segnate = 0;
        bool va = true;
        for (const auto& v : c.vValori) {
            const std::string& s = mvRighe[v.iRiga];
            const auto x = static_cast<size_t>(v.b);
            // The mark stands alone after the time; a blank mark must be there to be filled.
            const char m = x < s.size() ? s[x] : '\0';
            const char dopo = x + 1 < s.size() ? s[x + 1] : ' ';
            const bool ore = conSegno.count(v.iRiga) || (v.v.iOre >= 1 && v.v.iOre <= 12);
            va = v.b == c.b && ore && dopo == ' ' &&
                 (m == ' ' || std::string_view("aApP").find(m) != std::string_view::npos);
            if (!va) break;
            if (m != ' ') lettere.insert(m), ++segnate;
        }
        // One reading per mark: the first format that found it.
        bool letto = false;
        for (const auto& [colonne, rimpiazzi] : mRimpiazzi) letto |= colonne.second == c.b + 1;
        if (!va || lettere.size() != 1 || segnate == 0 || segnate == c.Righe() || letto) continue;
        const char segno = *lettere.begin();
        const bool sera = segno == 'p' || segno == 'P';
        std::string altra(1, sera ? 'a' : 'p');
        if (std::isupper(static_cast<unsigned char>(segno))) altra = Maiusc(altra);
        // The same format with its mark, proposed as a new one when the catalogue lacks it.
        const std::string testo = f.sTesto + "A/P";
        size_t k = 0;
        while (k < mvFormati.size() && !UgualeNoCase(mvFormati[k].sTesto, testo)) ++k;
        if (k == mvFormati.size()) mvFormati.push_back(FaiFormato(0, testo));
        const std::string prima = PrimiValori(c);
        c.iFormato = k;
        ++c.b;
        for (auto& v : c.vValori) {
            const char m = mvRighe[v.iRiga][static_cast<size_t>(v.b)];
            v.b = c.b;
            if (!conSegno.count(v.iRiga)) v.v.iOre = v.v.iOre % 12 + ((m == ' ') != sera ? 12 : 0);
        }
        mRimpiazzi[{c.a, c.b}].emplace_back(" ", altra);
        Voce(Ambito::Campo, "Ora di 12 ore",
             Dove(c.b - 1, c.b) + ": \"" + std::string(1, segno) + "\" attaccato all'ora su " +
                 Num(static_cast<long long>(segnate)) + " righe di chiamata, vuoto sulle altre " +
                 Num(static_cast<long long>(c.Righe() - segnate)) + ", e le ore vanno da 1 a 12 (" +
                 prima + "): un orologio di 12 ore che segna solo " +
                 (sera ? "il pomeriggio" : "il mattino") + "; il vuoto diventa \"" + altra +
                 "\" (SOSTITUISCI) e l'ora si legge con \"" + testo + "\"",
             false, false, {}, c.b - 1, c.b);
        mvCandidate.push_back(std::move(c));
    }
}

// A value of fixed width (digits, or a letter and digits: 2241, T162) that some call lines
// follow with other signs glued to it (T162*003, 2241T2215, T105C2201) and others with a blank
// is a field of its own: what is glued after it (a mark, a third party, a time to answer)
// starts another. Signs that stand inside numbers (- . , : / brackets) glue nothing.
std::set<int> Proponitore::TagliIncollati(const std::vector<size_t>& righe,
                                          const std::vector<size_t>& pieni) const {
    std::set<int> tagli;
    const int larghezza = static_cast<int>(pieni.size()) - 1;
    for (int x = 0; x < larghezza;) {
        if (!pieni[static_cast<size_t>(x)]) {
            ++x;
            continue;
        }
        int y = x;
        while (y < larghezza && pieni[static_cast<size_t>(y)]) ++y;
        int inizio = -1, testa = -1;
        size_t incollati = 0, soli = 0;
        bool va = true;
        for (size_t r : righe) {
            const std::string t = Testo(r, x, y);
            const size_t i = t.find_first_not_of(' ');
            if (i == std::string::npos) continue;
            size_t j = i + (t[i] == 'T' ? 1 : 0);
            const size_t cifre = j;
            while (j < t.size() && Cifra(t[j])) ++j;
            if (j - cifre < 2 || (inizio >= 0 && (static_cast<int>(i) != inizio ||
                                                  static_cast<int>(j - i) != testa))) {
                va = false;
                break;
            }
            inizio = static_cast<int>(i), testa = static_cast<int>(j - i);
            if (j == t.size() || t[j] == ' ')
                ++soli;
            else if (std::string_view("-.,:/()").find(t[j]) == std::string_view::npos &&
                     !Cifra(t[j]))
                ++incollati;
            else
                va = false;
        }
        if (va && incollati > 0 && soli > 0) tagli.insert(x + inizio + testa);
        x = y;
    }
    return tagli;
}

// A transfer mark glued between two numbers (2241T2215: the extension, the mark, the third
// party): a column that holds a letter between digits on some call lines and a blank (or the
// line's end) on all the others; a transfer's letter (T, X) there marks the transferred calls.
void Proponitore::TrasferimentoIncollato() {
    if (!msTrasf.empty()) return;
    std::map<int, std::map<char, size_t>> lettere;
    for (size_t r : mvChiamate) {
        const std::string& s = mvRighe[r];
        for (size_t x = 1; x + 1 < s.size(); ++x)
            if (Lettera(s[x]) && Cifra(s[x - 1]) && Cifra(s[x + 1]))
                ++lettere[static_cast<int>(x)][s[x]];
    }
    for (const auto& [x, valori] : lettere) {
        bool libero = true;
        for (const auto& [a, b] : mvOccupate) libero &= !(x >= a && x < b);
        size_t segnate = 0;
        for (const auto& [c, k] : valori) segnate += k;
        size_t vuote = 0;
        for (size_t r : mvChiamate) vuote += Testo(r, x, x + 1).find_first_not_of(' ') != 0;
        if (!libero || segnate + vuote != mvChiamate.size() || vuote == 0) continue;
        std::string altre;
        for (const auto& [c, k] : valori) {
            if (TipoDiCodice(std::string(1, c)) == 'T' && msTrasf.empty()) {
                msTrasf = std::string(1, c);
                continue;
            }
            altre += std::string(altre.empty() ? "" : ", ") + "\"" + std::string(1, c) + "\"";
        }
        if (msTrasf.empty()) continue;
        miTrasfA = x;
        miTrasfB = x + 1;
        std::set<size_t> marcate;
        for (size_t r : mvChiamate)
            if (Testo(r, x, x + 1) == msTrasf) marcate.insert(r);
        Voce(Ambito::Tipo, "Trasferite",
             Dove(x, x + 1) + ": \"" + msTrasf + "\" fra due numeri (" +
                 PrimiTesti(marcate, std::max(0, x - 4), x + 5) + ") su " +
                 Num(static_cast<long long>(marcate.size())) +
                 (marcate.size() == 1 ? " chiamata" : " chiamate") + ", vuota sulle altre" +
                 (altre.empty() ? std::string() : " (e " + altre + ", altri segni)") +
                 ": segna le trasferite; il numero dopo \xE8 il terzo interlocutore",
             true);
        return;
    }
}

// On the incoming calls, a count of a few digits printed with zeros in front (012) and as stars
// where it never happened (***), each no more than the call's duration, is the time to answer:
// the stars become blanks and the field is optional.
void Proponitore::RispostaConAsterischi() {
    const size_t ss = FormatoSecondi();
    if (ss == mvFormati.size() || !mSegmenti.count(true)) return;
    const Tempo* durata = nullptr;
    for (const auto& t : mvTempi) {
        if (t.sCampo == "dRisposta") return;
        if (t.sCampo == "dDurata" && !t.bDecimi) durata = &t;
    }
    for (Segmento& g : mSegmenti[true]) {
        if (!g.sRuolo.empty()) continue;
        int larghezza = -1;
        size_t stelle = 0, cifre = 0;
        bool va = true;
        for (size_t r : mvChiamate) {
            if (mvTipo[r] != 'E') continue;
            const std::string t = Testo(r, g.a, g.b);
            const size_t fine = t.find_last_not_of(' ');
            if (fine == std::string::npos) continue;
            const char c = Cifra(t[fine]) ? '0' : t[fine];
            size_t i = fine + 1;
            while (i > 0 && (c == '0' ? Cifra(t[i - 1]) : t[i - 1] == '*')) --i;
            const int w = static_cast<int>(fine + 1 - i);
            const int b = g.a + static_cast<int>(fine) + 1;
            if ((c != '0' && c != '*') || w < 2 || w > 4 || (larghezza >= 0 && w != larghezza) ||
                b != g.b) {
                va = false;
                break;
            }
            larghezza = w;
            if (c == '*') {
                ++stelle;
                continue;
            }
            ++cifre;
            const Valore* d = durata ? durata->c.Su(r) : nullptr;
            if (d && std::stoll(t.substr(i, static_cast<size_t>(w))) > d->v.TotaleSecondi())
                va = false;
        }
        if (!va || stelle == 0 || cifre == 0) continue;
        const Colonna c = Conteggi(g.b - larghezza, g.b, ss);
        std::set<size_t> entranti;
        for (const auto& v : c.vValori)
            if (mvTipo[v.iRiga] == 'E') entranti.insert(v.iRiga);
        mvTempi.push_back({c, "dRisposta", false, {}});
        mRimpiazzi[{c.a, c.b}].emplace_back("*", "");
        g.sRuolo = "-";
        Voce(Ambito::Campo, "Durata squillo",
             Dove(c.a, c.b) + ": sulle entranti un conteggio di " + Num(larghezza) + " cifre (" +
                 PrimiTesti(entranti, c.a, c.b) + "), mai oltre la durata, e \"" +
                 std::string(static_cast<size_t>(larghezza), '*') + "\" su " +
                 Num(static_cast<long long>(stelle)) + (stelle == 1 ? " chiamata" : " chiamate") +
                 ": \xE8 il tempo di risposta in secondi; gli asterischi (mai risposto) diventano "
                 "vuoti (SOSTITUISCI) e il campo \xE8 facoltativo",
             true, true, "dRisposta", c.a, c.b);
        return;
    }
}

// Incoming and outgoing records may swap their parties: the extension first and the trunk at
// a later column on some calls, the trunk first (the caller's number often glued to it) and the
// extension at that later column on the others. Two columns hold digits on every call line: the
// later one a short value (the extension) on some lines and a longer one (the trunk) on the
// others; where it is long the first holds a short value, where it is short the first begins
// with a long one; and an extension printed in one column is printed in the other too. The
// calls whose first party is the trunk are incoming, told by the column after the short value
// (blank on the outgoing lines).
bool Proponitore::EntrantiDaScambio() {
    const size_t n = mvChiamate.size();
    if (n < 4) return false;
    // The digits that open the value starting at column x (after a blank), or "".
    const auto cifre = [&](size_t r, int x) -> std::string {
        const std::string& s = mvRighe[r];
        const auto c = static_cast<size_t>(x);
        if (c >= s.size() || (c > 0 && s[c - 1] != ' ')) return {};
        size_t j = c;
        while (j < s.size() && Cifra(s[j])) ++j;
        return s.substr(c, j - c);
    };
    std::set<int> colonne;
    for (size_t r : mvChiamate)
        for (size_t x = 0; x < mvRighe[r].size(); ++x)
            if (Cifra(mvRighe[r][x]) && (x == 0 || mvRighe[r][x - 1] == ' '))
                colonne.insert(static_cast<int>(x));
    const auto libera = [&](int x) {
        for (const auto& [a, b] : mvOccupate)
            if (x >= a && x < b) return false;
        return true;
    };
    // The later column takes two widths exactly, each on two lines at least.
    std::map<int, std::pair<size_t, size_t>> dopo;
    for (int y : colonne) {
        std::map<size_t, size_t> larghezze;
        for (size_t r : mvChiamate) {
            ++larghezze[cifre(r, y).size()];
            if (larghezze.size() > 2) break;
        }
        if (libera(y) && larghezze.size() == 2 && larghezze.begin()->first >= 2 &&
            larghezze.begin()->second >= 2 && larghezze.rbegin()->second >= 2)
            dopo[y] = {larghezze.begin()->first, larghezze.rbegin()->first};
    }
    for (int x : colonne) {
        if (!libera(x)) continue;
        for (const auto& [y, coppia] : dopo) {
            if (y <= x + 4) continue;
            const auto [corta, lunga] = coppia;
            std::set<std::string> interniPrima, interniDopo;
            std::set<size_t> entranti;
            bool va = true;
            for (size_t r : mvChiamate) {
                const std::string a = cifre(r, x), b = cifre(r, y);
                if (b.size() == lunga) {
                    va = a.size() == corta;
                    interniPrima.insert(a);
                } else {
                    va = a.size() >= lunga;
                    interniDopo.insert(b);
                    entranti.insert(r);
                }
                if (!va) break;
            }
            bool comune = false;
            for (const auto& v : interniPrima) comune |= interniDopo.count(v) > 0;
            if (!va || !comune) continue;
            for (size_t r : entranti) mvTipo[r] = 'E';
            miFormaA = x + static_cast<int>(corta);
            miFormaB = miFormaA + 1;
            msFormaValore.clear();
            miTaglioEntranti = x + static_cast<int>(lunga);
            miScambioA = x;
            miScambioB = y;
            Voce(Ambito::Tipo, "Entranti e uscenti",
                 Dove(y, y + static_cast<int>(lunga)) + ": un interno di " + Num(corta) +
                     " cifre su " + Num(static_cast<long long>(entranti.size())) +
                     " chiamate e un valore di " + Num(lunga) + " cifre (" +
                     PrimiTesti(entranti, x, x + static_cast<int>(lunga)) + ") in " +
                     Dove(x, x + static_cast<int>(lunga)) +
                     "; sulle altre lo scambio inverso, e gli stessi interni (" +
                     *interniPrima.begin() +
                     "...) stanno nell'una e nell'altra colonna: sulle prime il primo "
                     "interlocutore \xE8 la linea, sono entranti (testo in " +
                     Dove(miFormaA, miFormaB) +
                     "), le altre uscenti; il numero attaccato "
                     "alla linea \xE8 tagliato dopo " +
                     Num(lunga) + " cifre",
                 true);
            return true;
        }
    }
    return false;
}

// With the parties swapped, each kind's extension and trunk are where the swap put them,
// whatever their values look like.
void Proponitore::RuoliDaScambio() {
    if (miScambioA < 0) return;
    for (auto& [bEntrante, segmenti] : mSegmenti) {
        const int interno = bEntrante ? miScambioB : miScambioA;
        const int linea = bEntrante ? miScambioA : miScambioB;
        Segmento* pInterno = nullptr;
        Segmento* pLinea = nullptr;
        for (auto& g : segmenti) {
            if (g.a == interno) pInterno = &g;
            if (g.a == linea) pLinea = &g;
        }
        if (!pInterno || !pLinea) continue;
        for (auto& g : segmenti)
            if (g.sRuolo == "sDerivato" || g.sRuolo == "sLinea") g.sRuolo.clear();
        pInterno->sRuolo = "sDerivato";
        pLinea->sRuolo = "sLinea";
    }
}

// One call printed as two records (answered, then transferred to another party): two call
// lines of one kind with the same trunk and the same number, no further apart in time than
// their durations and a minute. A column of record-type codes whose codes on those lines stand
// on no other call line marks the transferred records.
void Proponitore::TrasferiteDaCoppie() {
    if (!msTrasf.empty() || miTrasfA >= 0) return;
    const Tempo* ora = nullptr;
    const Tempo* durata = nullptr;
    for (const auto& t : mvTempi) {
        if ((t.sCampo == "dOraInizio" || t.sCampo == "dOraFine") && !ora) ora = &t;
        if (t.sCampo == "dDurata" && !t.bDecimi) durata = &t;
    }
    if (!ora || !durata) return;
    std::set<size_t> coppie;
    for (const auto& [bEntrante, segmenti] : mSegmenti) {
        const Segmento* linea = nullptr;
        const Segmento* numero = nullptr;
        for (const auto& g : segmenti) {
            if (g.sRuolo == "sLinea") linea = &g;
            if (g.sRuolo == "sNumero") numero = &g;
        }
        if (!linea) continue;
        std::map<std::string, std::vector<size_t>> perChiave;
        for (size_t r : mvChiamate) {
            if ((mvTipo[r] == 'E') != bEntrante) continue;
            const std::string l(TogliSpazi(Testo(r, linea->a, linea->b)));
            if (l.empty()) continue;
            perChiave[l + "|" +
                      (numero ? std::string(TogliSpazi(Testo(r, numero->a, numero->b))) : "")]
                .push_back(r);
        }
        for (const auto& [chiave, righe] : perChiave)
            for (size_t i = 0; i + 1 < righe.size(); ++i) {
                const Valore* t1 = ora->c.Su(righe[i]);
                const Valore* t2 = ora->c.Su(righe[i + 1]);
                const Valore* d1 = durata->c.Su(righe[i]);
                const Valore* d2 = durata->c.Su(righe[i + 1]);
                if (!t1 || !t2 || !d1 || !d2) continue;
                const long long tra = std::llabs(t2->v.TotaleSecondi() - t1->v.TotaleSecondi());
                if (tra <= d1->v.TotaleSecondi() + d2->v.TotaleSecondi() + 60) {
                    coppie.insert({righe[i], righe[i + 1]});
                    mvCoppie.emplace_back(righe[i], righe[i + 1]);
                }
            }
    }
    if (coppie.empty()) return;
    // The column of codes: letters alone at the start of a token on every call line.
    const auto codice = [&](size_t r, size_t x) -> std::string {
        const std::string& s = mvRighe[r];
        if (x >= s.size() || (x > 0 && s[x - 1] != ' ')) return {};
        size_t j = x;
        while (j < s.size() && Lettera(s[j])) ++j;
        return j - x <= 2 && (j == s.size() || s[j] == ' ') ? s.substr(x, j - x) : std::string();
    };
    const size_t larghezza = mvRighe[mvChiamate.front()].size();
    for (size_t x = 0; x < larghezza; ++x) {
        std::set<std::string> suCoppie, altrove;
        bool va = true;
        for (size_t r : mvChiamate) {
            const std::string c = codice(r, x);
            if (c.empty()) {
                va = false;
                break;
            }
            (coppie.count(r) ? suCoppie : altrove).insert(c);
        }
        if (!va) continue;
        bool comuni = false;
        for (const auto& c : suCoppie) comuni |= altrove.count(c) > 0;
        if (comuni || altrove.empty()) continue;
        miCoppiaA = static_cast<int>(x);
        mCodiciCoppia = suCoppie;
        std::string elenco;
        for (const auto& c : suCoppie) elenco += (elenco.empty() ? "\"" : ", \"") + c + "\"";
        Voce(Ambito::Tipo, "Trasferite",
             Num(static_cast<long long>(coppie.size())) +
                 " righe di chiamata a coppie con la stessa linea e lo stesso numero, vicine nel "
                 "tempo: una chiamata stampata in due record (risposta, poi trasferita); in " +
                 Dove(miCoppiaA, miCoppiaA + 1) + " hanno " + elenco +
                 ", che nessun'altra chiamata ha: segnano le trasferite",
             true);
        return;
    }
}

// One call printed as two records where no code tells them: a one-digit flag, the same digit
// on every other record and another one exactly on the first record of each pair, says that
// the call goes on in a further record (passed to another party). It marks the first record
// transferred; the later record looks like any other call on its own, and the engine reads
// record by record: it stays untold.
void Proponitore::SeguitoNelRecordDopo() {
    if (mvCoppie.empty() || !mCodiciCoppia.empty() || !msTrasf.empty() || miTrasfA >= 0) return;
    std::set<size_t> prime, seconde;
    for (const auto& [r1, r2] : mvCoppie) {
        prime.insert(std::min(r1, r2));
        seconde.insert(std::max(r1, r2));
    }
    for (size_t r : prime)
        if (seconde.count(r)) return;
    const auto cifra = [&](size_t r, size_t x) -> char {
        const std::string& s = mvRighe[r];
        if (x >= s.size() || !Cifra(s[x]) || (x > 0 && s[x - 1] != ' ') ||
            (x + 1 < s.size() && s[x + 1] != ' '))
            return 0;
        return s[x];
    };
    size_t larghezza = 0;
    for (size_t r : mvChiamate) larghezza = std::max(larghezza, mvRighe[r].size());
    for (size_t x = 0; x < larghezza; ++x) {
        std::set<char> suPrime, altrove;
        bool va = true;
        for (size_t r : mvChiamate) {
            const char c = cifra(r, x);
            if (!c) {
                va = false;
                break;
            }
            (prime.count(r) ? suPrime : altrove).insert(c);
        }
        if (!va || suPrime.size() != 1 || altrove.size() != 1 || suPrime == altrove) continue;
        miCoppiaA = static_cast<int>(x);
        mCodiciCoppia = {std::string(1, *suPrime.begin())};
        Voce(Ambito::Tipo, "Trasferite",
             Num(static_cast<long long>(mvCoppie.size())) +
                 " chiamate stampate in due record (la stessa linea e lo stesso numero, vicini "
                 "nel tempo); in " +
                 Dove(miCoppiaA, miCoppiaA + 1) + " il primo record ha \"" +
                 std::string(1, *suPrime.begin()) + "\", ogni altro \"" +
                 std::string(1, *altrove.begin()) +
                 "\": la chiamata prosegue nel record dopo, passata a un altro interlocutore; il "
                 "primo record \xE8 proposto trasferito, il secondo non si distingue dalle altre "
                 "chiamate (il motore legge un record alla volta)",
             true);
        return;
    }
}

// The last column of a kind's lines, digits on a few of its calls only and blank on the
// others, after every field found: what the caller keyed in on some calls, an account code.
void Proponitore::CommessaInFondo() {
    for (auto& [bEntrante, segmenti] : mSegmenti) {
        size_t righe = 0;
        for (size_t r : mvChiamate) righe += (mvTipo[r] == 'E') == bEntrante;
        // The number right after a glued transfer mark is the third party: a free field.
        for (auto& g : segmenti)
            if (miTrasfB >= 0 && g.a == miTrasfB && g.sRuolo.empty() && g.iIntere == g.iPieni) {
                g.sRuolo = "sCampo1";
                Voce(Ambito::Campo, "Terzo interlocutore",
                     Dove(g.a, g.b) + ": il numero attaccato al segno in " +
                         Dove(miTrasfA, miTrasfB) + " (" + *g.distinti.begin() +
                         "): il terzo interlocutore, nel campo libero 1",
                     false, bEntrante, "sCampo1", g.a, g.b);
            }
        if (righe < 4 || segmenti.empty()) continue;
        bool commessa = false;
        for (const auto& g : segmenti) commessa |= g.sRuolo == "sCommessa";
        Segmento& g =
            *std::max_element(segmenti.begin(), segmenti.end(),
                              [](const Segmento& x, const Segmento& y) { return x.a < y.a; });
        if (commessa || !g.sRuolo.empty() || g.iPieni == 0 || g.iPieni * 2 >= righe ||
            g.iIntere < g.iPieni || g.iLunghezzaMax < 4 || g.iLunghezzaMax > 12)
            continue;
        g.sRuolo = "sCommessa";
        std::string esempi;
        for (const auto& v : g.distinti) esempi += (esempi.empty() ? "" : ", ") + v;
        Voce(Ambito::Campo, "Commessa",
             Dove(g.a, g.b) + ": l'ultima colonna, cifre su " +
                 Num(static_cast<long long>(g.iPieni)) +
                 (bEntrante ? " entranti su " : " uscenti su ") +
                 Num(static_cast<long long>(righe)) + " (" + esempi +
                 ") e vuota sulle altre, dopo ogni altro campo: un codice battuto su alcune "
                 "chiamate, proposto come commessa",
             true, bEntrante, "sCommessa", g.a, g.b);
    }
}

Proposta Proponitore::Esegui() {
    Inquadra();
    LeggiRighe();
    TrovaFormati();
    ProvaSeparati();
    TrovaValori();
    if (!mbSeparati && (InBlocchi() || InCiclo())) TrovaValori();
    Impaccate();
    if (ScegliRigheChiamata()) {
        EventiDiSeguito();
        ScegliDate();
        MeridianoFacoltativo();
        DurataFraDueOre();
        ScegliTempi();
        ImpaccateRestanti();
        DividiIncollati();
        DurataInSecondi();
        SecondiIncollati();
        DurataInDecimi();
        DurateDaIntestazione();
        DurataInTreCampi();
        RecordDiServizio();
        ScegliDirezione();
        CodiciSuAltreRighe();
        TrasferimentoIncollato();
        ZeroSuUnTipo();
        ScegliSegmenti();
        NumeroOParola();
        RispostaConAsterischi();
        RuoliDaScambio();
        TrasferiteDaCoppie();
        SeguitoNelRecordDopo();
        CommessaInFondo();
        AltreRighe();
    }
    Componi();
    if (miLarghezzaRiga) PosizioniInBlocchi();
    return std::move(mP);
}

}  // namespace

Proposta ProponiDriver(std::string_view sByte, const MappaFormati& formati) {
    return Proponitore(sByte, formati).Esegui();
}

}  // namespace tarno
