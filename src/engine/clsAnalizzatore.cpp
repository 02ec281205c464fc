#include "clsAnalizzatore.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "Numeri.h"
#include "Testo.h"
#include "clsCampo.h"
#include "clsChiamata.h"
#include "clsCondizione.h"
#include "clsDriver.h"
#include "clsTrasformazione.h"

namespace tarno {

namespace {

const std::string kVuota;

bool Bianco(char c) { return c == ' ' || c == '\t'; }
bool Cifra(char c) { return c >= '0' && c <= '9'; }

std::string_view SenzaBianchi(std::string_view s) {
    size_t a = 0, b = s.size();
    while (a < b && Bianco(s[a])) ++a;
    while (b > a && Bianco(s[b - 1])) --b;
    return s.substr(a, b - a);
}

bool TuttoBianco(std::string_view s) {
    for (char c : s)
        if (!Bianco(c)) return false;
    return true;
}

// The text at a 1-based position and length; shorter (or empty) where the line ends.
std::string_view Taglio(std::string_view riga, int inizio, int lunghezza) {
    const size_t a = static_cast<size_t>(inizio - 1);
    if (a >= riga.size() || lunghezza <= 0) return {};
    return riga.substr(a, std::min(static_cast<size_t>(lunghezza), riga.size() - a));
}

// The shortest decimal text of a number.
std::string Numero(double v) {
    if (v == 0) return "0";
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}

std::string Virgolette(std::string_view s) { return "\"" + std::string(s) + "\""; }

// An operand that is a number, with "," read as the decimal point.
std::optional<double> Operando(std::string s) {
    std::replace(s.begin(), s.end(), ',', '.');
    const auto v = ValoreNumerico(s);
    return v && std::isfinite(*v) ? v : std::nullopt;
}

// A whole number from 1 to iMax, or nullopt.
std::optional<int> Intero(std::string_view s, int iMax) {
    const auto v = ValoreNumerico(s);
    if (!v || *v < 1 || *v > iMax || *v != std::floor(*v)) return std::nullopt;
    return static_cast<int>(*v);
}

double Calcola(int32_t op, double v, double k) {
    switch (op) {
        case clsTrasformazione::MOLTIPLICA:
            return v * k;
        case clsTrasformazione::DIVIDI:
            return v / k;
        case clsTrasformazione::SOMMA:
            return v + k;
        default:
            return v - k;
    }
}

// A number as a PBX writes it in an area: blanks around it, an optional sign, digits with at
// most one decimal separator ("." or ",").
struct NumeroScritto {
    double dValore = 0;
    int iDecimali = 0;
    char cSeparatore = '.';
};

std::optional<NumeroScritto> LeggiNumeroScritto(std::string_view s) {
    s = SenzaBianchi(s);
    NumeroScritto n;
    size_t i = 0;
    const bool negativo = !s.empty() && s[0] == '-';
    if (!s.empty() && (s[0] == '-' || s[0] == '+')) ++i;
    bool cifre = false, separatore = false;
    for (; i < s.size(); ++i) {
        if (Cifra(s[i])) {
            n.dValore = n.dValore * 10 + (s[i] - '0');
            n.iDecimali += separatore;
            cifre = true;
        } else if ((s[i] == '.' || s[i] == ',') && !separatore) {
            separatore = true;
            n.cSeparatore = s[i];
        } else {
            return std::nullopt;
        }
    }
    if (!cifre) return std::nullopt;
    n.dValore /= std::pow(10.0, n.iDecimali);
    if (negativo) n.dValore = -n.dValore;
    return n;
}

// The number written with that many decimals, rounded half away from zero; "" when it has too
// many digits to write.
std::string ScriviNumero(double v, int iDecimali, char cSeparatore) {
    const double r = std::round(v * std::pow(10.0, iDecimali));
    if (!std::isfinite(r) || std::fabs(r) > 1e15) return {};
    std::string t = std::to_string(static_cast<long long>(std::fabs(r)));
    const size_t d = static_cast<size_t>(iDecimali);
    if (d > 0) {
        if (t.size() <= d) t.insert(0, d + 1 - t.size(), '0');
        t.insert(t.size() - d, 1, cSeparatore);
    }
    return r < 0 ? "-" + t : t;
}

// The text of an area of n characters is written on the left when it began at the area's first
// character and ended before its last one, otherwise on the right.
bool ASinistra(std::string_view area, size_t n) {
    return !area.empty() && !Bianco(area.front()) && (area.size() < n || Bianco(area.back()));
}

// Writes t into the n characters from a, which keep their width (the line grows with blanks
// when short); a text that is empty where a number was expected, or wider than the area, fills
// it with '#'.
void ScriviArea(std::string& s, size_t a, size_t n, std::string_view t, bool bSinistra,
                bool bNumero = false) {
    if (s.size() < a + n) s.resize(a + n, ' ');
    if (t.size() > n || (bNumero && t.empty())) {
        std::fill_n(s.begin() + static_cast<long>(a), n, '#');
        return;
    }
    std::fill_n(s.begin() + static_cast<long>(a), n, ' ');
    std::copy(t.begin(), t.end(),
              s.begin() + static_cast<long>(a + (bSinistra ? 0 : n - t.size())));
}

// A time of day in an area shifted back by iScarto seconds: the area's digits are read as
// hours, minutes and seconds (groups split by any other character, or packed as hhmm or
// hhmmss) and written again in the same layout. False when the area holds no such time.
bool SpostaOra(std::string& testo, int64_t iScarto) {
    struct Gruppo {
        size_t a, n;
    };
    Gruppo g[3];
    size_t ng = 0;
    for (size_t p = 0; p < testo.size();) {
        if (!Cifra(testo[p])) {
            ++p;
            continue;
        }
        size_t q = p;
        while (q < testo.size() && Cifra(testo[q])) ++q;
        if (ng == 3) return false;
        g[ng++] = {p, q - p};
        p = q;
    }
    if (ng == 1 && (g[0].n == 4 || g[0].n == 6)) {
        const size_t a = g[0].a, n = g[0].n;
        ng = n / 2;
        for (size_t i = 0; i < ng; ++i) g[i] = {a + 2 * i, 2};
    }
    if (ng < 2) return false;
    int64_t v[3] = {0, 0, 0};
    const int64_t massimo[3] = {23, 59, 59};
    for (size_t i = 0; i < ng; ++i) {
        if (g[i].n > 2) return false;
        for (size_t k = 0; k < g[i].n; ++k) v[i] = v[i] * 10 + (testo[g[i].a + k] - '0');
        if (v[i] > massimo[i]) return false;
    }
    int64_t t = v[0] * 3600 + v[1] * 60 + v[2] - iScarto;
    t = ((t % 86400) + 86400) % 86400;
    v[0] = t / 3600;
    v[1] = t / 60 % 60;
    v[2] = t % 60;
    for (size_t i = ng; i-- > 0;) {
        std::string c = std::to_string(v[i]);
        if (c.size() < g[i].n) c.insert(0, g[i].n - c.size(), '0');
        testo.replace(g[i].a, g[i].n, c);
    }
    return true;
}

// "+01:00", "-05:30" or "+0530", "+1", "-5" (hours): the offset from UTC in seconds.
std::optional<int64_t> ScartoUTC(std::string_view s) {
    s = SenzaBianchi(s);
    int segno = 1;
    if (!s.empty() && (s[0] == '+' || s[0] == '-')) {
        segno = s[0] == '-' ? -1 : 1;
        s.remove_prefix(1);
    }
    std::string_view ore = s, minuti;
    if (const size_t p = s.find(':'); p != std::string_view::npos) {
        ore = s.substr(0, p);
        minuti = s.substr(p + 1);
    } else if (s.size() == 4) {
        ore = s.substr(0, 2);
        minuti = s.substr(2);
    }
    auto numero = [](std::string_view t, size_t larghezza) -> std::optional<int64_t> {
        if (t.empty() || t.size() > larghezza) return std::nullopt;
        int64_t v = 0;
        for (char c : t) {
            if (!Cifra(c)) return std::nullopt;
            v = v * 10 + (c - '0');
        }
        return v;
    };
    const auto h = numero(ore, 2);
    const auto m = minuti.empty() && s.find(':') == std::string_view::npos
                       ? std::optional<int64_t>(0)
                       : numero(minuti, 2);
    if (!h || !m || *h > 14 || *m > 59) return std::nullopt;
    return segno * (*h * 3600 + *m * 60);
}

std::string TestoScarto(int64_t iScarto) {
    const int64_t a = iScarto < 0 ? -iScarto : iScarto;
    char buf[16];
    std::snprintf(buf, sizeof buf, "%c%02d:%02d", iScarto < 0 ? '-' : '+',
                  static_cast<int>(a / 3600), static_cast<int>(a / 60 % 60));
    return buf;
}

// The offset from UTC of this computer's zone now.
int64_t ScartoLocale() {
    const std::time_t adesso = std::time(nullptr);
    std::tm locale{};
    localtime_r(&adesso, &locale);
    return locale.tm_gmtoff;
}

constexpr const char* kNomiControllo[32] = {"NUL", "SOH", "STX", "ETX", "EOT", "ENQ", "ACK", "BEL",
                                            "BS",  "HT",  "LF",  "VT",  "FF",  "CR",  "SO",  "SI",
                                            "DLE", "DC1", "DC2", "DC3", "DC4", "NAK", "SYN", "ETB",
                                            "CAN", "EM",  "SUB", "ESC", "FS",  "GS",  "RS",  "US"};

// A character as a prescanning value names it: "<ETX>" (any case), its decimal code, or the
// character itself.
std::optional<char> CarattereDaTesto(std::string_view s) {
    s = SenzaBianchi(s);
    if (s.size() == 1 && !Cifra(s[0])) return s[0];
    if (s.size() > 2 && s.front() == '<' && s.back() == '>') {
        const std::string nome = Maiuscolo(s.substr(1, s.size() - 2));
        for (int i = 0; i < 32; ++i)
            if (nome == kNomiControllo[i]) return static_cast<char>(i);
        if (nome == "DEL") return '\x7F';
        return std::nullopt;
    }
    const auto v = ValoreNumerico(s);
    if (!s.empty() && v && *v >= 0 && *v <= 255 && *v == std::floor(*v))
        return static_cast<char>(static_cast<unsigned char>(*v));
    return std::nullopt;
}

bool Controllo(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u < 0x20 || u == 0x7F;
}

bool Si(std::string_view s) {
    const std::string v = Maiuscolo(SenzaBianchi(s));
    return v == "S" || v == "SI" || v == "S\xCC" || v == "1" || v == "TRUE";
}

// --- compiled driver ------------------------------------------------------------------------

struct Cond {
    std::string sNome;
    int32_t iOp = 0;
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
    int iInizio = 1, iLunghezza = 0, iRiga = 1;
    bool bOpzionale = false;
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
};

struct RigaFinestra {
    uint64_t iNumero = 0;
    uint8_t iPezzo = 0;  // 1, 2 for the pieces of a cut line
    std::string sTesto;
    std::string sLetta;  // as read, when transformations of level INIZIALE exist
};

Genere GenereDi(const std::string& nome) {
    if (nome == "dData") return Genere::Data;
    if (nome == "dOraInizio" || nome == "dOraFine" || nome == "dOra") return Genere::Ora;
    if (nome == "dDurata" || nome == "dRisposta") return Genere::Durata;
    if (nome == "lScatti") return Genere::Scatti;
    return Genere::Testo;
}

std::string DescriviCondizione(const Cond& c) {
    std::string s = c.sNome + " (" + clsCondizione::ParolaChiave(c.iOp) + " " +
                    std::to_string(c.iInizio) + "," + std::to_string(c.iLunghezza) + "," +
                    std::to_string(c.iRiga);
    if (c.iOp == clsCondizione::UGUALE_A || c.iOp == clsCondizione::DIVERSO_DA)
        s += " " + Virgolette(c.sValore);
    if (c.iFormato != 0) {
        s += " formato " + std::to_string(c.iFormato);
        if (c.pFormato) s += " " + Virgolette(c.pFormato->Testo());
    }
    return s + ")";
}

std::string DescriviCatena(const Catena& cat) {
    std::string s;
    for (size_t i = 0; i < cat.size(); ++i) {
        if (i) s += cat[i - 1].bOr ? " Or " : " And ";
        s += DescriviCondizione(cat[i]);
    }
    return s;
}

}  // namespace

struct clsAnalizzatore::Impl {
    Impl(const clsDriver& driver, const MappaFormati& mappa, IEsitiAnalisi& esiti);

    // --- the driver, compiled ---
    IEsitiAnalisi& esiti;
    std::map<int16_t, clsFormatoDataOra> formati;
    CodiciMesi mesi;
    std::vector<NotaImpostazione> note;
    std::vector<Trasf> trasformazioni;
    std::vector<const Trasf*> iniziali;
    Tipo tipi[2];
    Catena dataIsolata;
    const Cond* pCondData = nullptr;
    int iRigheData = 1;
    bool bIgnoraVuote = false;
    int32_t iTroncaDopo = 0;
    size_t iOffset = 0;  // characters of prefix at the start of every line
    uint64_t iRigheIntestazione = 0;
    std::string sSaltaRigheCon, sFineStampa;
    bool bTogliControlli = false;
    std::array<bool, 256> fineRiga{};  // the characters that end a line in Dati
    char cSeparatore = '\n';           // SeparatoreRecord; LF when there is none
    size_t iLarghezza = 0;             // the last column the driver reads
    size_t iSogliaLunga = 0;           // a line longer than this is warned about

    // --- the bytes not yet a line (Dati) ---
    std::string sParziale;
    size_t iParziale = 0;  // its length, beyond what is kept
    bool bDopoCR = false;  // the last byte was a CR that ended a line
    std::string sPulita;   // a line without its control characters

    // --- the reading ---
    std::vector<RigaFinestra> finestra;  // ring buffer
    size_t iTesta = 0, iConta = 0;
    bool bDopoFine = false, bFinito = false;
    bool bHaData = false;
    RigaDataLetta data;  // the current date line
    std::string sErroreData;
    // Under the current date line: the time of day the last call ended (or began, when its
    // end is not known), and the midnights passed since the line.
    std::optional<double> oraPrecedente;
    int giorniDopo = 0;
    ChiamataLetta chiamata;
    ConteggiAnalisi cont;

    void Nota(NotaImpostazione::Stato s, std::string t) { note.push_back({s, std::move(t)}); }
    const clsFormatoDataOra* Formato(int16_t codice) const {
        auto it = formati.find(codice);
        return it == formati.end() ? nullptr : &it->second;
    }
    Catena Compila(const std::optional<ColCondizioni>& col, const std::string& sDove);
    void CompilaTrasformazioni(const clsDriver& driver);
    void CompilaTipo(Tipo& t, const clsChiamata* pc, bool bEntrante);
    void CompilaDataIsolata(const clsDriver& driver);
    void CompilaPrescanning(const clsDriver& driver);
    void CompilaLarghezza();

    // --- bytes to lines ---
    void Dati(std::string_view b);
    void Accumula(const char* a, const char* b) {
        const size_t n = static_cast<size_t>(b - a);
        // One character more than a line keeps, so that it is still seen as too long.
        if (sParziale.size() <= MAX_CARATTERI_RIGA)
            sParziale.append(a, std::min(n, MAX_CARATTERI_RIGA + 1 - sParziale.size()));
        iParziale += n;
    }
    void FineRiga(const char* a, const char* b) {
        if (iParziale == 0) {
            Riga(std::string_view(a, static_cast<size_t>(b - a)));
            return;
        }
        Accumula(a, b);
        Riga(sParziale);
        sParziale.clear();
        iParziale = 0;
    }

    // --- per line ---
    void Riga(std::string_view s);
    void Aggiungi(uint64_t n, std::string_view s, uint8_t iPezzo);
    void Elabora(bool bFine);
    void Svuota();
    const std::string* RigaDellaFinestra(int r) const {
        if (r < 1 || static_cast<size_t>(r) > iConta) return nullptr;
        return &finestra[(iTesta + static_cast<size_t>(r) - 1) % finestra.size()].sTesto;
    }
    RigaFinestra& Voce(size_t k) { return finestra[(iTesta + k) % finestra.size()]; }
    void Togli(size_t n) {
        iTesta = (iTesta + n) % finestra.size();
        iConta -= n;
    }
    bool Prova(const Cond& c, const std::string& riga) const;
    // Why the conditions do not hold on the window: the condition that made them false.
    template <class F>
    std::string Causa(const Catena& cat, F riga, bool bParziale) const;
    std::string Perche(bool bFine) const;
    template <class F>
    bool Valuta(const Catena& cat, F riga, bool bParziale) const;
    void Applica(const Trasf& t, std::string& s) const;
    void ApplicaAllaChiamata(const Tipo& t);
    void Chiamata(const Tipo& t, bool bTrasferita);
    void Incompleta(const Tipo& t, bool bTrasferita);
    // The day of a call under a date line, from its start and end and the call before's;
    // moves the date read (rData) and says why.
    void GiornoDellaChiamata(std::optional<double> dInizio, std::optional<double> dFine,
                             CampoLetto& rData);
    // The reused record of a call, emptied and set for a call of kind t.
    ChiamataLetta& NuovaChiamata(const Tipo& t, bool bTrasferita, bool bIncompleta);
    // The seconds of a time of day or a duration read, for working out a missing one.
    std::optional<double> Interpreta(const Campo& f, std::string_view taglio, CampoLetto& cl,
                                     bool bConverti) const;
};

// --- compiling -------------------------------------------------------------------------------

clsAnalizzatore::Impl::Impl(const clsDriver& driver, const MappaFormati& mappa,
                            IEsitiAnalisi& rEsiti)
    : esiti(rEsiti) {
    for (const auto& [codice, testo] : mappa) formati.emplace(codice, clsFormatoDataOra(testo));
    for (int i = 0; i < 12; ++i) mesi[static_cast<size_t>(i)] = driver.Mesi(i);
    for (char c : {'\n', '\r', '\f'}) fineRiga[static_cast<unsigned char>(c)] = true;

    CompilaPrescanning(driver);
    bIgnoraVuote = driver.mbIngnoraRigheVuote;
    Nota(NotaImpostazione::Applicata, bIgnoraVuote
                                          ? "Ignora righe vuote: le righe vuote sono saltate"
                                          : "Righe vuote: lette come le altre righe");
    {
        const std::string off(SenzaBianchi(driver.mlOffset));
        const auto v = ValoreNumerico(off);
        if (v && *v >= 1 && *v <= MAX_CARATTERI_RIGA && *v == std::floor(*v)) {
            iOffset = static_cast<size_t>(*v);
            Nota(NotaImpostazione::Applicata,
                 "Offset " + off + ": i primi " + off +
                     " caratteri di ogni riga sono un prefisso e sono tolti; ogni posizione "
                     "del driver conta dal carattere " +
                     std::to_string(iOffset + 1) + " della riga stampata");
        } else if (!off.empty() && !(v && *v == 0)) {
            Nota(NotaImpostazione::NonApplicata, "Offset " + off +
                                                     ": serve un numero intero da 0 a " +
                                                     std::to_string(MAX_CARATTERI_RIGA));
        }
    }
    iTroncaDopo = driver.mlTroncaUltimaRigaDopoCaratteri;
    if (iTroncaDopo > 0)
        Nota(NotaImpostazione::Applicata,
             "Manda ultima riga accapo al carattere " + std::to_string(iTroncaDopo) +
                 ": una riga pi\xF9 lunga prosegue su una riga nuova dal carattere " +
                 std::to_string(iTroncaDopo + 1));
    else if (iTroncaDopo < 0)
        Nota(NotaImpostazione::NonApplicata, "Manda ultima riga accapo al carattere " +
                                                 std::to_string(iTroncaDopo) + ": valore negativo");
    CompilaTrasformazioni(driver);
    CompilaDataIsolata(driver);
    if (!mesi[0].empty()) {
        std::string s = "Mesi in lettere:";
        for (const auto& m : mesi) s += " " + Virgolette(m);
        Nota(NotaImpostazione::Applicata, s);
    }
    CompilaTipo(tipi[0], driver.moEntranti.get(), true);
    CompilaTipo(tipi[1], driver.moUscenti.get(), false);
    CompilaLarghezza();

    int finestraMax = std::max(1, iRigheData);
    for (const auto& t : tipi)
        if (t.bAttivo) finestraMax = std::max(finestraMax, t.iRighe);
    finestra.resize(static_cast<size_t>(finestraMax));
    chiamata.vCampi.reserve(16);
}

Catena clsAnalizzatore::Impl::Compila(const std::optional<ColCondizioni>& col,
                                      const std::string& sDove) {
    Catena cat;
    if (!col) return cat;
    for (const auto& voce : *col) {
        const clsCondizione& c = voce.valore;
        Cond k;
        k.sNome = c.msNome.empty() ? "Condizione" : c.msNome;
        k.iOp = c.menOperatore;
        k.iInizio = std::max<int>(1, c.miInizio);
        k.iLunghezza = std::max<int>(0, c.miLunghezza);
        k.iRiga = std::max<int>(1, c.miRiga);
        k.iFormato = c.miFormato;
        k.sValore = c.msValore;
        k.pFormato = Formato(c.miFormato);
        k.bOr = UgualeNoCase(SenzaBianchi(c.msCongiunzione), "Or");
        const bool conFormato = k.iOp == clsCondizione::DATA_VALIDA ||
                                k.iOp == clsCondizione::TEMPO_VALIDO ||
                                k.iOp == clsCondizione::DATA_ISOLATA;
        if (conFormato && !k.pFormato)
            Nota(NotaImpostazione::Avviso,
                 sDove + ": " + k.sNome + " usa il formato " + std::to_string(k.iFormato) +
                     ", che il catalogo non ha: la condizione non vale mai");
        if (k.iOp == clsCondizione::NESSUNO)
            Nota(NotaImpostazione::Avviso,
                 sDove + ": " + k.sNome + " senza operatore: la condizione non vale mai");
        if (k.iLunghezza == 0 && k.iOp != clsCondizione::NESSUNO)
            Nota(NotaImpostazione::Avviso, sDove + ": " + k.sNome + " con lunghezza 0");
        else if ((k.iOp == clsCondizione::UGUALE_A || k.iOp == clsCondizione::DIVERSO_DA) &&
                 k.sValore.size() > static_cast<size_t>(k.iLunghezza))
            Nota(NotaImpostazione::Avviso,
                 sDove + ": " + k.sNome + " confronta " + std::to_string(k.iLunghezza) +
                     " caratteri con " + Virgolette(k.sValore) + ", che ne ha " +
                     std::to_string(k.sValore.size()) + ": la condizione " +
                     (k.iOp == clsCondizione::UGUALE_A ? "non vale mai" : "vale sempre"));
        cat.push_back(std::move(k));
    }
    return cat;
}

void clsAnalizzatore::Impl::CompilaPrescanning(const clsDriver& driver) {
    if (!driver.mbConPrescanning || !driver.mcolPrescanning) return;
    for (const auto& voce : *driver.mcolPrescanning) {
        const clsPrescanning& p = voce.valore;
        const std::string testo = "Prescanning " + p.sEntry + "=" + p.sValue;
        if (UgualeNoCase(p.sEntry, "RigheIntestazione")) {
            const auto v = ValoreNumerico(p.sValue);
            if (v && *v >= 0 && *v == std::floor(*v) && *v < 1e15) {
                iRigheIntestazione = static_cast<uint64_t>(*v);
                Nota(NotaImpostazione::Applicata, testo + ": le prime " +
                                                      std::to_string(iRigheIntestazione) +
                                                      " righe del campione sono saltate");
            } else {
                Nota(NotaImpostazione::NonApplicata,
                     testo + ": serve un numero intero non negativo");
            }
        } else if (UgualeNoCase(p.sEntry, "SaltaRigheCon")) {
            if (p.sValue.empty()) {
                Nota(NotaImpostazione::NonApplicata, testo + ": testo vuoto");
            } else {
                sSaltaRigheCon = p.sValue;
                Nota(NotaImpostazione::Applicata,
                     testo + ": le righe che contengono " + Virgolette(p.sValue) + " sono saltate");
            }
        } else if (UgualeNoCase(p.sEntry, "FineStampa")) {
            if (p.sValue.empty()) {
                Nota(NotaImpostazione::NonApplicata, testo + ": testo vuoto");
            } else {
                sFineStampa = p.sValue;
                Nota(NotaImpostazione::Applicata,
                     testo + ": la prima riga che contiene " + Virgolette(p.sValue) +
                         " chiude la stampa; essa e le seguenti sono saltate");
            }
        } else if (UgualeNoCase(p.sEntry, "SeparatoreRecord")) {
            const auto c = CarattereDaTesto(p.sValue);
            if (!c || *c == ' ') {
                Nota(NotaImpostazione::NonApplicata,
                     testo + ": serve un carattere, il suo nome (<ETX>) o il suo codice (3)");
            } else {
                fineRiga[static_cast<unsigned char>(*c)] = true;
                cSeparatore = *c;
                Nota(NotaImpostazione::Applicata,
                     testo + ": il carattere " + TestoVisibile(std::string(1, *c)) + " (codice " +
                         std::to_string(static_cast<unsigned char>(*c)) +
                         ") chiude una riga come un fine riga, ed \xE8 tolto");
            }
        } else if (UgualeNoCase(p.sEntry, "TogliControlli")) {
            bTogliControlli = Si(p.sValue);
            Nota(NotaImpostazione::Applicata,
                 testo + (bTogliControlli
                              ? ": i caratteri di controllo (codici 0-31 e 127, tranne il "
                                "tabulatore) sono tolti da ogni riga e il resto va a sinistra"
                              : ": i caratteri di controllo restano nelle righe"));
        } else {
            Nota(NotaImpostazione::NonApplicata, testo + ": parametro che il motore non conosce");
        }
    }
}

void clsAnalizzatore::Impl::CompilaLarghezza() {
    size_t colonne = 0;
    auto fino = [&colonne](int inizio, int lunghezza) {
        colonne = std::max(colonne, static_cast<size_t>(inizio + std::max(lunghezza, 0) - 1));
    };
    auto catena = [&fino](const Catena& cat) {
        for (const auto& c : cat) fino(c.iInizio, c.iLunghezza);
    };
    catena(dataIsolata);
    for (const auto& t : trasformazioni) {
        catena(t.condizioni);
        fino(t.iInizio, std::max<int>(t.iLunghezza, static_cast<int>(t.sValore.size())));
    }
    for (const auto& t : tipi) {
        catena(t.base);
        catena(t.trasferita);
        for (const auto& f : t.campi) fino(f.iInizio, f.iLunghezza);
    }
    // A cut line holds its first piece and then the columns again.
    iLarghezza = colonne + static_cast<size_t>(std::max(iTroncaDopo, 0));
    iSogliaLunga = std::max<size_t>(256, 2 * iLarghezza);
}

void clsAnalizzatore::Impl::CompilaTrasformazioni(const clsDriver& driver) {
    if (!driver.mcolTrasf) return;
    trasformazioni.reserve(static_cast<size_t>(driver.mcolTrasf->Count()));
    for (int i = 1; i <= driver.mcolTrasf->Count(); ++i) {
        const clsTrasformazione& t = driver.mcolTrasf->Item(i);
        const auto& chiave = driver.mcolTrasf->Chiave(i);
        Trasf k;
        k.sNome = "Azione_" + (chiave ? *chiave : std::to_string(i - 1));
        k.iTipo = t.menTipo;
        k.iOp = t.menOperazione;
        k.iInizio = std::max<int>(1, t.miInizio);
        k.iLunghezza = std::max<int>(0, t.miLunghezza);
        k.iRiga = std::max<int>(0, t.miRiga);
        k.sSorgente = t.msSorgente;
        k.sValore = t.msValore;
        k.condizioni = Compila(t.mcolCondizioni, "Trasformazione " + k.sNome);

        std::string desc = std::string("Trasformazione ") + k.sNome + " (" +
                           clsTrasformazione::ParolaTipo(k.iTipo) + " " +
                           clsTrasformazione::ParolaOperazione(k.iOp) + " " +
                           std::to_string(t.miInizio) + "," + std::to_string(t.miLunghezza) + "," +
                           std::to_string(t.miRiga) + " sorgente " + Virgolette(k.sSorgente) +
                           " valore " + Virgolette(k.sValore);
        if (!k.condizioni.empty()) desc += " se " + DescriviCatena(k.condizioni);
        desc += ")";

        std::string motivo, come;
        switch (k.iOp) {
            case clsTrasformazione::OP_NESSUNA:
                motivo = "operazione non indicata";
                break;
            case clsTrasformazione::SOSTITUISCI:
                if (k.sSorgente.empty()) motivo = "sorgente vuota";
                break;
            case clsTrasformazione::ELIMINA:
                break;
            case clsTrasformazione::INSERISCI:
                if (k.sValore.empty()) motivo = "valore da inserire vuoto";
                break;
            case clsTrasformazione::IGNORA: {
                const std::string_view src = k.sSorgente;
                if (src.size() == 1) {
                    k.cCarattere = src[0];
                } else {
                    const auto v = ValoreNumerico(src);
                    if (src.empty() || !v || *v < 0 || *v > 255 || *v != std::floor(*v))
                        motivo = "la sorgente deve essere un carattere o il suo codice";
                    else
                        k.cCarattere = static_cast<char>(static_cast<unsigned char>(*v));
                }
                [[fallthrough]];
            }
            case clsTrasformazione::ALLINEA: {
                const std::string v = Maiuscolo(SenzaBianchi(k.sValore));
                if (v == "DX")
                    k.bDestra = true;
                else if (v != "SX" && motivo.empty())
                    motivo = "il valore deve essere DX o SX";
                break;
            }
            case clsTrasformazione::MOLTIPLICA:
            case clsTrasformazione::DIVIDI:
            case clsTrasformazione::SOMMA:
            case clsTrasformazione::SOTTRAI: {
                const auto v = Operando(k.sValore);
                if (!v)
                    motivo = "il valore deve essere un numero";
                else if (*v == 0 && k.iOp == clsTrasformazione::DIVIDI)
                    motivo = "divisione per 0";
                else
                    k.dOperando = *v;
                break;
            }
            case clsTrasformazione::SPOSTA:
            case clsTrasformazione::COPIA:
                if (const auto c = Intero(k.sValore, static_cast<int>(MAX_CARATTERI_RIGA)))
                    k.iColonna = *c;
                else
                    motivo = "il valore deve essere la colonna di arrivo (un numero da 1)";
                break;
            case clsTrasformazione::ESPANDI:
                if (SenzaBianchi(k.sValore).empty())
                    k.iColonna = 8;
                else if (const auto c = Intero(k.sValore, 100))
                    k.iColonna = *c;
                else
                    motivo = "il valore deve essere il passo delle tabulazioni (da 1 a 100)";
                if (motivo.empty())
                    come = "; tabulazioni ogni " + std::to_string(k.iColonna) + " colonne";
                break;
            case clsTrasformazione::UTC:
                if (SenzaBianchi(k.sValore).empty()) {
                    k.iScarto = ScartoLocale();
                    come = "; ora locale del computer della verifica, ora UTC" +
                           TestoScarto(k.iScarto);
                } else if (const auto v = ScartoUTC(k.sValore)) {
                    k.iScarto = *v;
                    come = "; ora locale UTC" + TestoScarto(k.iScarto);
                } else {
                    motivo = "il valore deve essere lo scarto dall'UTC (es. +01:00) o vuoto";
                }
                break;
            case clsTrasformazione::ESTRAI_NUMERO:
                break;
            default:
                motivo = std::string("il motore non conosce l'operazione ") +
                         clsTrasformazione::ParolaOperazione(k.iOp);
                break;
        }
        if (motivo.empty()) {
            if (k.iTipo == clsTrasformazione::TIPO_NESSUNO)
                motivo = "livello (chiamate) non indicato";
            else if (k.iTipo == clsTrasformazione::CAMPO)
                motivo = "livello CAMPO fra le trasformazioni generali";
            else if (k.iOp != clsTrasformazione::INSERISCI && k.iLunghezza == 0)
                motivo = "lunghezza non indicata";
        }
        if (!motivo.empty()) {
            Nota(NotaImpostazione::NonApplicata, desc + ": " + motivo);
            continue;
        }
        std::string dove;
        if (k.iTipo == clsTrasformazione::INIZIALE)
            dove = "su ogni riga letta, prima del riconoscimento";
        else
            dove = std::string("sulle righe delle chiamate ") +
                   (k.iTipo == clsTrasformazione::ENTRANTI ? "entranti" : "uscenti") +
                   " riconosciute";
        Nota(NotaImpostazione::Applicata, desc + ", " + dove + come);
        trasformazioni.push_back(std::move(k));
    }
    for (const auto& t : trasformazioni)
        if (t.iTipo == clsTrasformazione::INIZIALE) iniziali.push_back(&t);
}

void clsAnalizzatore::Impl::CompilaDataIsolata(const clsDriver& driver) {
    if (!driver.mcolDataIsolata || driver.mcolDataIsolata->Vuota()) return;
    dataIsolata = Compila(driver.mcolDataIsolata, "Data su riga isolata");
    for (const auto& c : dataIsolata) {
        if (c.iOp == clsCondizione::DATA_ISOLATA && !pCondData) pCondData = &c;
        iRigheData = std::max(iRigheData, c.iRiga);
    }
    if (!pCondData || iRigheData > MAX_RIGHE_CHIAMATA) {
        Nota(NotaImpostazione::NonApplicata,
             "Data su riga isolata (" + DescriviCatena(dataIsolata) + "): " +
                 (pCondData ? "riga oltre il massimo di " + std::to_string(MAX_RIGHE_CHIAMATA)
                            : std::string("nessuna condizione \"Data isolata\"")));
        dataIsolata.clear();
        pCondData = nullptr;
        iRigheData = 1;
        return;
    }
    Nota(NotaImpostazione::Applicata,
         "Data su riga isolata: " + DescriviCatena(dataIsolata) +
             "; la data vale per le chiamate che seguono, al posto del campo dData, e passa al "
             "giorno dopo quando la fine di una chiamata viene oltre un'ora prima di quella "
             "della chiamata precedente, o l'inizio oltre sei ore prima se la fine non si sa "
             "(mezzanotte passata)");
}

void clsAnalizzatore::Impl::CompilaTipo(Tipo& t, const clsChiamata* pc, bool bEntrante) {
    t.bEntrante = bEntrante;
    const std::string nome = bEntrante ? "entranti" : "uscenti";
    const std::string Nome = bEntrante ? "Chiamate entranti" : "Chiamate uscenti";
    if (!pc || pc->miNumRighe <= 0) {
        Nota(NotaImpostazione::Applicata, Nome + ": non definite (0 righe)");
        return;
    }
    t.iRighe = pc->miNumRighe;
    if (t.iRighe > MAX_RIGHE_CHIAMATA) {
        Nota(NotaImpostazione::NonApplicata,
             Nome + ": " + std::to_string(t.iRighe) + " righe, oltre il massimo di " +
                 std::to_string(MAX_RIGHE_CHIAMATA) + ": non riconosciute");
        t.iRighe = 0;
        return;
    }
    t.base = Compila(pc->mcolCondizioni, Nome);
    t.trasferita = Compila(pc->mcolCondTrasferita, Nome + " trasferite");
    t.bAttivo = !t.base.empty() || !t.trasferita.empty();
    std::string s = Nome + ": " + std::to_string(t.iRighe) + (t.iRighe == 1 ? " riga" : " righe");
    s += t.base.empty() ? "; nessuna condizione" : "; condizioni " + DescriviCatena(t.base);
    if (!t.trasferita.empty()) s += "; trasferite: " + DescriviCatena(t.trasferita);
    Nota(t.bAttivo ? NotaImpostazione::Applicata : NotaImpostazione::Avviso,
         s + (t.bAttivo ? "" : ": non possono essere riconosciute"));

    if (pc->mcolCampi) {
        for (const auto& voce : *pc->mcolCampi) {
            const clsCampo& c = voce.valore;
            Campo f;
            f.sNome = c.msNome;
            f.genere = GenereDi(c.msNome);
            f.iInizio = std::max<int>(1, c.miInizio);
            f.iLunghezza = std::max<int>(0, c.miLunghezza);
            f.iRiga = std::max<int>(1, c.miRiga);
            f.bOpzionale = c.mbOpzionale;
            f.iFormato = c.miFormato;
            f.pFormato = Formato(c.miFormato);
            const std::string dove = "Campo " + f.sNome + " (" + nome + ")";
            if (f.genere == Genere::Data && pCondData) {
                Nota(NotaImpostazione::NonApplicata,
                     dove + ": non letto dalla chiamata, la data viene dalla riga isolata");
                t.campi.push_back(std::move(f));
                continue;
            }
            if (f.iRiga > t.iRighe) {
                Nota(NotaImpostazione::Avviso, dove + ": riga " + std::to_string(f.iRiga) +
                                                   " oltre le " + std::to_string(t.iRighe) +
                                                   " righe della chiamata: resta vuoto");
            }
            if (c.miFormato != 0 && !f.pFormato)
                Nota(NotaImpostazione::Avviso, dove + ": il formato " +
                                                   std::to_string(c.miFormato) +
                                                   " non \xE8 nel catalogo");
            else if (c.miFormato == 0 && (f.genere == Genere::Data || f.genere == Genere::Ora))
                Nota(NotaImpostazione::Avviso, dove + ": senza formato, non pu\xF2 essere letto");
            if ((c.menEccezione == clsCampo::DURATA_TRASF ||
                 c.menEccezione == clsCampo::SCATTI_TRASF) &&
                c.moTrasf) {
                // Applied to the value read, when its conditions hold on the call's lines.
                const clsTrasformazione& tr = *c.moTrasf;
                const int32_t op = tr.menOperazione;
                const auto v = Operando(tr.msValore);
                f.condConversione = Compila(tr.mcolCondizioni, dove);
                std::string desc = dove + ": trasformazione " +
                                   clsTrasformazione::ParolaOperazione(op) + " valore " +
                                   Virgolette(tr.msValore);
                if (!f.condConversione.empty()) desc += " se " + DescriviCatena(f.condConversione);
                if ((op == clsTrasformazione::DIVIDI || op == clsTrasformazione::MOLTIPLICA ||
                     op == clsTrasformazione::SOMMA || op == clsTrasformazione::SOTTRAI) &&
                    v && !(*v == 0 && op == clsTrasformazione::DIVIDI)) {
                    f.iConversione = op;
                    f.dOperando = *v;
                    Nota(NotaImpostazione::Applicata, desc + ", sul valore letto");
                } else {
                    Nota(NotaImpostazione::NonApplicata,
                         desc +
                             ": su un campo servono MOLTIPLICA, DIVIDI, SOMMA o SOTTRAI per "
                             "un numero (diverso da 0 per DIVIDI)");
                }
            }
            if (f.sNome == "dOraInizio" || f.sNome == "dOra")
                f.iTempo = INIZIO;
            else if (f.sNome == "dOraFine")
                f.iTempo = FINE;
            else if (f.sNome == "dDurata")
                f.iTempo = DURATA;
            t.campi.push_back(std::move(f));
        }
    }
    bool presenti[3] = {};
    for (const auto& f : t.campi)
        if (f.iTempo >= 0) presenti[f.iTempo] = true;
    if (presenti[INIZIO] + presenti[FINE] + presenti[DURATA] == 2) {
        t.iDaRicavare = !presenti[INIZIO] ? INIZIO : !presenti[FINE] ? FINE : DURATA;
        static const char* const kRicavati[] = {"dOraInizio = dOraFine - dDurata",
                                                "dOraFine = dOraInizio + dDurata",
                                                "dDurata = dOraFine - dOraInizio"};
        Nota(NotaImpostazione::Applicata,
             "Chiamate " + nome + ": " + kRicavati[t.iDaRicavare] + ", anche oltre la mezzanotte");
    }
    for (const auto& tr : trasformazioni) {
        if (tr.iTipo != (bEntrante ? clsTrasformazione::ENTRANTI : clsTrasformazione::USCENTI))
            continue;
        if (tr.iRiga > t.iRighe)
            Nota(NotaImpostazione::Avviso, "Trasformazione " + tr.sNome + ": riga " +
                                               std::to_string(tr.iRiga) + " oltre le " +
                                               std::to_string(t.iRighe) + " righe della chiamata");
        t.trasformazioni.push_back(&tr);
    }
}

// --- reading ---------------------------------------------------------------------------------

namespace {

// One condition on a line: the operator, where it looks and what it compares with.
bool ProvaSuRiga(int32_t iOp, int iInizio, int iLunghezza, const std::string& sValore,
                 const clsFormatoDataOra* pFormato, const CodiciMesi& mesi, std::string_view riga) {
    switch (iOp) {
        case clsCondizione::UGUALE_A:
        case clsCondizione::DIVERSO_DA: {
            // The text, with blanks where the line is short, against the value padded with
            // blanks to the length.
            bool uguale = sValore.size() <= static_cast<size_t>(iLunghezza);
            const size_t a = static_cast<size_t>(iInizio - 1);
            for (size_t i = 0; uguale && i < static_cast<size_t>(iLunghezza); ++i) {
                const char t = a + i < riga.size() ? riga[a + i] : ' ';
                const char v = i < sValore.size() ? sValore[i] : ' ';
                uguale = t == v;
            }
            return (iOp == clsCondizione::UGUALE_A) == uguale;
        }
        case clsCondizione::SOLO_NUMERI: {
            const std::string_view t = SenzaBianchi(Taglio(riga, iInizio, iLunghezza));
            if (t.empty()) return false;
            for (char ch : t)
                if (!Cifra(ch)) return false;
            return true;
        }
        case clsCondizione::DATA_VALIDA:
        case clsCondizione::TEMPO_VALIDO:
        case clsCondizione::DATA_ISOLATA: {
            if (!pFormato) return false;
            const std::string_view t = Taglio(riga, iInizio, iLunghezza);
            const auto v = pFormato->Leggi(t, mesi);
            if (!v) return false;
            if (iOp == clsCondizione::TEMPO_VALIDO) return v->HaTempo();
            // A date on its own line is found by its conditions alone: what else the line
            // holds (a label, a page header) does not matter.
            return v->HaData();
        }
        default:
            return false;
    }
}

}  // namespace

bool clsAnalizzatore::Impl::Prova(const Cond& c, const std::string& riga) const {
    return ProvaSuRiga(c.iOp, c.iInizio, c.iLunghezza, c.sValore, c.pFormato, mesi, riga);
}

bool CondizioneVale(const clsCondizione& c, std::string_view sRiga, const MappaFormati& formati,
                    const CodiciMesi& mesi) {
    std::optional<clsFormatoDataOra> formato;
    if (const auto f = formati.find(c.miFormato); f != formati.end()) formato.emplace(f->second);
    return ProvaSuRiga(c.menOperatore, std::max<int>(1, c.miInizio),
                       std::max<int>(0, c.miLunghezza), c.msValore, formato ? &*formato : nullptr,
                       mesi, sRiga);
}

std::vector<std::string_view> RigheCampione(std::string_view s) {
    std::vector<std::string_view> righe;
    size_t inizio = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '\r' || c == '\n') {
            righe.push_back(s.substr(inizio, i - inizio));
            if (c == '\r' && i + 1 < s.size() && s[i + 1] == '\n') ++i;
            inizio = i + 1;
        } else if (c == '\f' && i > inizio) {
            righe.push_back(s.substr(inizio, i - inizio));
            inizio = i;
        }
    }
    if (inizio < s.size()) righe.push_back(s.substr(inizio));
    return righe;
}

// The conditions left to right, each joined to the result so far by the conjunction of the
// one before it. riga(r) gives the line r of the window (nullptr when there is none). In a
// partial check (the sample has ended) the conditions on missing lines are left out, and at
// least one must be left.
template <class F>
bool clsAnalizzatore::Impl::Valuta(const Catena& cat, F riga, bool bParziale) const {
    bool r = false, primo = true, conOr = false;
    for (const auto& c : cat) {
        const std::string* t = riga(c.iRiga);
        if (!t && bParziale) continue;
        if (primo) {
            r = Prova(c, t ? *t : kVuota);
        } else if (conOr) {
            if (!r) r = Prova(c, t ? *t : kVuota);
        } else if (r) {
            r = Prova(c, t ? *t : kVuota);
        }
        primo = false;
        conOr = c.bOr;
    }
    return !primo && r;
}

// The same walk as Valuta, keeping the condition whose result last made the whole false.
template <class F>
std::string clsAnalizzatore::Impl::Causa(const Catena& cat, F riga, bool bParziale) const {
    bool r = false, primo = true, conOr = false;
    const Cond* causa = nullptr;
    for (const auto& c : cat) {
        const std::string* t = riga(c.iRiga);
        if (!t && bParziale) continue;
        const bool prova = primo || (conOr ? !r : r);
        if (prova) {
            r = Prova(c, t ? *t : kVuota);
            if (!r) causa = &c;
        }
        primo = false;
        conOr = c.bOr;
    }
    if (primo) return "nessuna delle sue righe nel campione";
    if (r || !causa) return "le condizioni valgono";
    const Cond& c = *causa;
    std::string s = c.sNome + " (riga " + std::to_string(c.iRiga) + ", posizione " +
                    std::to_string(c.iInizio) + ", lunghezza " + std::to_string(c.iLunghezza) +
                    ") trova ";
    const std::string* t = riga(c.iRiga);
    if (!t)
        s += "la fine del campione";
    else
        s += Virgolette(Taglio(*t, c.iInizio, c.iLunghezza));
    s += ", vuole ";
    switch (c.iOp) {
        case clsCondizione::UGUALE_A:
        case clsCondizione::DIVERSO_DA:
            s += std::string(clsCondizione::ParolaChiave(c.iOp)) + " " + Virgolette(c.sValore);
            if (c.sValore.size() > static_cast<size_t>(c.iLunghezza))
                s += " (pi\xF9 lungo della lunghezza)";
            break;
        case clsCondizione::SOLO_NUMERI:
            s += "SOLO_NUMERI (solo cifre)";
            break;
        case clsCondizione::DATA_VALIDA:
        case clsCondizione::TEMPO_VALIDO:
        case clsCondizione::DATA_ISOLATA:
            s += clsCondizione::ParolaChiave(c.iOp);
            if (!c.pFormato) {
                s += " col formato " + std::to_string(c.iFormato) + ", che il catalogo non ha";
            } else {
                s += " col formato " + Virgolette(c.pFormato->Testo());
                std::string errore;
                if (t) c.pFormato->Leggi(Taglio(*t, c.iInizio, c.iLunghezza), mesi, &errore);
                if (!errore.empty()) s += ": " + errore;
            }
            break;
        default:
            s += "un operatore";
            break;
    }
    return s;
}

std::string clsAnalizzatore::Impl::Perche(bool bFine) const {
    auto riga = [this](int r) { return RigaDellaFinestra(r); };
    std::string s;
    auto aggiungi = [&s](std::string_view chi, const std::string& causa) {
        if (!s.empty()) s += "; ";
        s += chi;
        s += ": ";
        s += causa;
    };
    if (pCondData) aggiungi("data isolata", Causa(dataIsolata, riga, false));
    for (const Tipo& t : tipi) {
        if (!t.bAttivo) continue;
        const bool parziale = iConta < static_cast<size_t>(t.iRighe);
        if (parziale && !bFine) continue;
        const char* nome = t.bEntrante ? "entranti" : "uscenti";
        if (!t.trasferita.empty())
            aggiungi(std::string(nome) + " trasferite", Causa(t.trasferita, riga, parziale));
        if (!t.base.empty()) aggiungi(nome, Causa(t.base, riga, parziale));
    }
    return s;
}

void clsAnalizzatore::Impl::Applica(const Trasf& t, std::string& s) const {
    const size_t a = static_cast<size_t>(t.iInizio - 1);
    const size_t fineArea = a + static_cast<size_t>(t.iLunghezza);
    switch (t.iOp) {
        case clsTrasformazione::INSERISCI:
            if (a > s.size()) s.resize(a, ' ');
            s.insert(a, t.sValore);
            if (s.size() > MAX_CARATTERI_RIGA) s.resize(MAX_CARATTERI_RIGA);
            return;
        case clsTrasformazione::ALLINEA: {
            // Nothing to align in an area that is blank or past the end of the line.
            const std::string testo(SenzaBianchi(Taglio(s, t.iInizio, t.iLunghezza)));
            if (testo.empty()) return;
            if (s.size() < fineArea) s.resize(fineArea, ' ');
            const size_t spazi = static_cast<size_t>(t.iLunghezza) - testo.size();
            std::string nuovo =
                t.bDestra ? std::string(spazi, ' ') + testo : testo + std::string(spazi, ' ');
            s.replace(a, static_cast<size_t>(t.iLunghezza), nuovo);
            return;
        }
        default:
            break;
    }
    if (a >= s.size()) return;
    const size_t fine = std::min(fineArea, s.size());
    const size_t n0 = static_cast<size_t>(t.iLunghezza);
    switch (t.iOp) {
        case clsTrasformazione::SOSTITUISCI: {
            if (t.sSorgente.size() == 1 && t.sValore.size() == 1) {
                std::replace(s.begin() + static_cast<long>(a), s.begin() + static_cast<long>(fine),
                             t.sSorgente[0], t.sValore[0]);
                return;
            }
            const std::string_view area = std::string_view(s).substr(a, fine - a);
            if (area.find(t.sSorgente) == std::string_view::npos) return;
            std::string nuovo;
            for (size_t p = 0; p < area.size();) {
                if (area.compare(p, t.sSorgente.size(), t.sSorgente) == 0) {
                    nuovo += t.sValore;
                    p += t.sSorgente.size();
                } else {
                    nuovo += area[p++];
                }
            }
            // The area keeps its width: the rest of the line never moves.
            nuovo.resize(area.size(), ' ');
            s.replace(a, area.size(), nuovo);
            return;
        }
        case clsTrasformazione::ELIMINA: {
            if (t.sSorgente.empty()) {
                std::fill(s.begin() + static_cast<long>(a), s.begin() + static_cast<long>(fine),
                          ' ');
                return;
            }
            for (size_t p = s.find(t.sSorgente, a);
                 p != std::string::npos && p + t.sSorgente.size() <= fine;
                 p = s.find(t.sSorgente, p + t.sSorgente.size()))
                std::fill(s.begin() + static_cast<long>(p),
                          s.begin() + static_cast<long>(p + t.sSorgente.size()), ' ');
            return;
        }
        case clsTrasformazione::MOLTIPLICA:
        case clsTrasformazione::DIVIDI:
        case clsTrasformazione::SOMMA:
        case clsTrasformazione::SOTTRAI: {
            // The number keeps its decimals and its side of the area; other text stays.
            const std::string_view area = std::string_view(s).substr(a, fine - a);
            const auto n = LeggiNumeroScritto(area);
            if (!n) return;
            const bool sx = ASinistra(area, n0);
            ScriviArea(
                s, a, n0,
                ScriviNumero(Calcola(t.iOp, n->dValore, t.dOperando), n->iDecimali, n->cSeparatore),
                sx, true);
            return;
        }
        case clsTrasformazione::ESTRAI_NUMERO: {
            // The first number in the area (a "-" just before it, decimals after a "." or ","
            // between digits) is all that stays of it; no number leaves it blank.
            const std::string_view area = std::string_view(s).substr(a, fine - a);
            size_t p = 0;
            while (p < area.size() && !Cifra(area[p])) ++p;
            size_t q = p;
            while (q < area.size() && Cifra(area[q])) ++q;
            if (q + 1 < area.size() && (area[q] == '.' || area[q] == ',') && Cifra(area[q + 1]))
                for (q += 2; q < area.size() && Cifra(area[q]);) ++q;
            if (p > 0 && p < area.size() && area[p - 1] == '-') --p;
            const std::string numero(area.substr(p, q - p));
            ScriviArea(s, a, n0, numero, ASinistra(area, n0));
            return;
        }
        case clsTrasformazione::SPOSTA:
        case clsTrasformazione::COPIA: {
            // The area's text goes over the line from the column of the value; SPOSTA leaves
            // blanks where it was.
            const std::string testo = s.substr(a, fine - a);
            if (t.iOp == clsTrasformazione::SPOSTA)
                std::fill(s.begin() + static_cast<long>(a), s.begin() + static_cast<long>(fine),
                          ' ');
            const size_t c = static_cast<size_t>(t.iColonna - 1);
            const size_t k = std::min(testo.size(), MAX_CARATTERI_RIGA - c);
            if (s.size() < c + k) s.resize(c + k, ' ');
            s.replace(c, k, testo, 0, k);
            return;
        }
        case clsTrasformazione::ESPANDI: {
            // Each tab becomes the blanks up to the next tab stop, counted from the start of
            // the line; the rest of the line moves right.
            if (std::string_view(s).substr(a, fine - a).find('\t') == std::string_view::npos)
                return;
            const size_t passo = static_cast<size_t>(t.iColonna);
            std::string nuovo;
            for (size_t p = a; p < fine; ++p) {
                if (s[p] == '\t')
                    nuovo.append(passo - (a + nuovo.size()) % passo, ' ');
                else
                    nuovo += s[p];
            }
            s.replace(a, fine - a, nuovo);
            if (s.size() > MAX_CARATTERI_RIGA) s.resize(MAX_CARATTERI_RIGA);
            return;
        }
        case clsTrasformazione::UTC: {
            const std::string_view area = std::string_view(s).substr(a, fine - a);
            std::string testo(area);
            if (!SpostaOra(testo, t.iScarto)) return;
            const bool sx = ASinistra(area, n0);
            ScriviArea(s, a, n0, SenzaBianchi(testo), sx);
            return;
        }
        case clsTrasformazione::IGNORA:
            if (t.bDestra) {
                for (size_t p = fine; p > a && s[p - 1] == t.cCarattere; --p) s[p - 1] = ' ';
            } else {
                for (size_t p = a; p < fine && s[p] == t.cCarattere; ++p) s[p] = ' ';
            }
            return;
        default:
            return;
    }
}

void clsAnalizzatore::Impl::Dati(std::string_view b) {
    const char* p = b.data();
    const char* const e = p + b.size();
    while (p < e) {
        if (bDopoCR) {
            bDopoCR = false;
            if (*p == '\n') {
                ++p;
                continue;
            }
        }
        // Most lines end in LF or CR LF with no other line end inside: found with memchr.
        if (const auto* lf = static_cast<const char*>(std::memchr(p, '\n', size_t(e - p)))) {
            const char* fine = lf > p && lf[-1] == '\r' ? lf - 1 : lf;
            bool altro = false;
            for (const char* c = p; c < fine; ++c)
                altro |= (*c == '\r') | (*c == '\f') | (*c == cSeparatore);
            if (!altro) {
                FineRiga(p, fine);
                p = lf + 1;
                continue;
            }
        }
        const char* q = p;
        while (q < e && !fineRiga[static_cast<unsigned char>(*q)]) ++q;
        if (q == e) {
            Accumula(p, e);
            return;
        }
        if (*q == '\f') {
            // The line before it ends, when it has text; the form feed begins the next one.
            if (q > p || iParziale > 0) FineRiga(p, q);
            Accumula(q, q + 1);
        } else {
            FineRiga(p, q);
            bDopoCR = *q == '\r';
        }
        p = q + 1;
    }
}

void clsAnalizzatore::Impl::Riga(std::string_view s) {
    const uint64_t n = ++cont.iRighe;
    if (bTogliControlli && !SenzaControlli(s)) {
        sPulita.clear();
        for (char c : s)
            if (!Controllo(c) || c == '\t') sPulita.push_back(c);
        s = sPulita;
    }
    if (bDopoFine) {
        ++cont.iPrescanning;
        esiti.RigaSenzaChiamata(n, s, MotivoRiga::DopoFine, {}, {});
        return;
    }
    if (n <= iRigheIntestazione) {
        ++cont.iPrescanning;
        esiti.RigaSenzaChiamata(n, s, MotivoRiga::Intestazione, {}, {});
        return;
    }
    if (!sFineStampa.empty() && s.find(sFineStampa) != std::string_view::npos) {
        Svuota();
        bDopoFine = true;
        ++cont.iPrescanning;
        esiti.RigaSenzaChiamata(n, s, MotivoRiga::FineStampa, {}, {});
        return;
    }
    if (!sSaltaRigheCon.empty() && s.find(sSaltaRigheCon) != std::string_view::npos) {
        ++cont.iPrescanning;
        esiti.RigaSenzaChiamata(n, s, MotivoRiga::Saltata, {}, {});
        return;
    }
    s.remove_prefix(std::min(s.size(), iOffset));
    if (bIgnoraVuote && TuttoBianco(s)) {
        ++cont.iVuote;
        esiti.RigaSenzaChiamata(n, s, MotivoRiga::Vuota, {}, {});
        return;
    }
    if (s.size() > iSogliaLunga) {
        ++cont.iRigheLunghe;
        const bool troppo = s.size() > MAX_CARATTERI_RIGA;
        esiti.AvvisoRiga(
            n, "riga di " + std::string(troppo ? "oltre " : "") +
                   std::to_string(troppo ? MAX_CARATTERI_RIGA : s.size()) +
                   " caratteri, molti di pi\xF9 dei " + std::to_string(iLarghezza) +
                   " che il driver legge: forse la stampa chiude le righe con un altro carattere "
                   "(SeparatoreRecord nel prescanning)");
    }
    if (s.size() > MAX_CARATTERI_RIGA) {
        ++cont.iRigheTroncate;
        s = s.substr(0, MAX_CARATTERI_RIGA);
    }
    if (iTroncaDopo > 0 && s.size() > static_cast<size_t>(iTroncaDopo)) {
        Aggiungi(n, s.substr(0, static_cast<size_t>(iTroncaDopo)), 1);
        Aggiungi(n, s.substr(static_cast<size_t>(iTroncaDopo)), 2);
    } else {
        Aggiungi(n, s, 0);
    }
}

void clsAnalizzatore::Impl::Aggiungi(uint64_t n, std::string_view s, uint8_t iPezzo) {
    RigaFinestra& r = Voce(iConta);
    ++iConta;
    r.iNumero = n;
    r.iPezzo = iPezzo;
    r.sTesto.assign(s);
    if (!iniziali.empty()) r.sLetta.assign(s);
    for (const Trasf* t : iniziali) {
        // Every row of the conditions is the line itself.
        if (!t->condizioni.empty() && !Valuta(
                                          t->condizioni, [&](int) { return &r.sTesto; }, false))
            continue;
        Applica(*t, r.sTesto);
    }
    esiti.RigaLetta(n, iPezzo, r.sTesto);
    if (iConta == finestra.size()) Elabora(false);
}

void clsAnalizzatore::Impl::Svuota() {
    while (iConta > 0) Elabora(true);
}

void clsAnalizzatore::Impl::Elabora(bool bFine) {
    auto riga = [this](int r) { return RigaDellaFinestra(r); };
    if (pCondData && Valuta(dataIsolata, riga, false)) {
        const std::string* t = RigaDellaFinestra(pCondData->iRiga);
        const std::string_view taglio =
            t ? Taglio(*t, pCondData->iInizio, pCondData->iLunghezza) : std::string_view{};
        data.iRiga = t ? Voce(static_cast<size_t>(pCondData->iRiga - 1)).iNumero : 0;
        data.iPezzo = t ? Voce(static_cast<size_t>(pCondData->iRiga - 1)).iPezzo : 0;
        data.sTaglio.assign(taglio);
        std::string errore;
        const auto v =
            pCondData->pFormato ? pCondData->pFormato->Leggi(taglio, mesi, &errore) : std::nullopt;
        bHaData = v && v->HaData();
        data.sData = bHaData ? v->TestoData() : std::string();
        sErroreData = bHaData ? std::string() : (errore.empty() ? "data non leggibile" : errore);
        ++cont.iRigheData;
        oraPrecedente.reset();
        giorniDopo = 0;
        esiti.RigaData(data);
        Togli(std::min(iConta, static_cast<size_t>(iRigheData)));
        return;
    }
    for (const Tipo& t : tipi) {
        if (!t.bAttivo) continue;
        const bool intera = iConta >= static_cast<size_t>(t.iRighe);
        if (!intera && !bFine) continue;
        const bool parziale = !intera;
        if (!t.trasferita.empty() && Valuta(t.trasferita, riga, parziale)) {
            parziale ? Incompleta(t, true) : Chiamata(t, true);
            return;
        }
        if (!t.base.empty() && Valuta(t.base, riga, parziale)) {
            parziale ? Incompleta(t, false) : Chiamata(t, false);
            return;
        }
    }
    ++cont.iNonRiconosciute;
    const RigaFinestra& r = Voce(0);
    const std::string perche = Perche(bFine);
    const bool trasformata = !iniziali.empty() && r.sLetta != r.sTesto;
    const std::string_view letta = trasformata ? r.sLetta : r.sTesto;
    const std::string_view dopo = trasformata ? std::string_view(r.sTesto) : std::string_view();
    if (r.iPezzo)
        esiti.PezzoSenzaChiamata(r.iNumero, r.iPezzo, letta, dopo, perche);
    else
        esiti.RigaSenzaChiamata(r.iNumero, letta, MotivoRiga::NonRiconosciuta, dopo, perche);
    Togli(1);
}

void clsAnalizzatore::Impl::ApplicaAllaChiamata(const Tipo& t) {
    auto riga = [this](int r) { return RigaDellaFinestra(r); };
    for (const Trasf* tr : t.trasformazioni) {
        if (!tr->condizioni.empty() && !Valuta(tr->condizioni, riga, false)) continue;
        if (tr->iRiga == 0) {
            for (int r = 0; r < t.iRighe; ++r) Applica(*tr, Voce(static_cast<size_t>(r)).sTesto);
        } else if (tr->iRiga <= t.iRighe) {
            Applica(*tr, Voce(static_cast<size_t>(tr->iRiga - 1)).sTesto);
        }
    }
}

void clsAnalizzatore::Impl::Chiamata(const Tipo& t, bool bTrasferita) {
    ApplicaAllaChiamata(t);
    ChiamataLetta& c = NuovaChiamata(t, bTrasferita, false);
    for (int r = 0; r < t.iRighe; ++r) {
        c.vRighe.push_back(Voce(static_cast<size_t>(r)).iNumero);
        c.vPezzi.push_back(Voce(static_cast<size_t>(r)).iPezzo);
    }
    auto prossimo = [&c]() -> CampoLetto& {
        if (c.iCampi == c.vCampi.size()) c.vCampi.emplace_back();
        CampoLetto& cl = c.vCampi[c.iCampi++];
        cl.sInterpretato.clear();
        cl.sErrore.clear();
        cl.bVuoto = false;
        cl.bDerivato = false;
        cl.iPezzo = 0;
        cl.sNota.clear();
        return cl;
    };
    auto riga = [this](int r) { return RigaDellaFinestra(r); };
    std::optional<double> tempi[3];  // start, end and duration in seconds, when read
    if (pCondData) {
        CampoLetto& cl = prossimo();
        cl.sNome = "dData";
        cl.iRiga = data.iRiga;
        cl.iPezzo = data.iPezzo;
        cl.sTaglio = data.sTaglio;
        if (bHaData)
            cl.sInterpretato = data.sData;
        else
            cl.sErrore = data.iRiga ? "riga di data non valida: " + sErroreData
                                    : "nessuna riga di data prima della chiamata";
    }
    for (const Campo& f : t.campi) {
        if (f.genere == Genere::Data && pCondData) continue;
        CampoLetto& cl = prossimo();
        cl.sNome = f.sNome;
        std::string_view taglio;
        if (f.iRiga <= t.iRighe) {
            const RigaFinestra& r = Voce(static_cast<size_t>(f.iRiga - 1));
            cl.iRiga = r.iNumero;
            cl.iPezzo = r.iPezzo;
            taglio = Taglio(r.sTesto, f.iInizio, f.iLunghezza);
        } else {
            cl.iRiga = 0;
        }
        cl.sTaglio.assign(taglio);
        const bool converti =
            f.iConversione && (f.condConversione.empty() || Valuta(f.condConversione, riga, false));
        const auto secondi = Interpreta(f, taglio, cl, converti);
        if (f.iTempo >= 0) tempi[f.iTempo] = secondi;
    }
    const int k = t.iDaRicavare;
    if (k >= 0 && tempi[(k + 1) % 3] && tempi[(k + 2) % 3]) {
        const double inizio = tempi[INIZIO].value_or(0), fine = tempi[FINE].value_or(0),
                     durata = tempi[DURATA].value_or(0);
        CampoLetto& cl = prossimo();
        static const char* const kNomi[] = {"dOraInizio", "dOraFine", "dDurata"};
        cl.sNome = kNomi[k];
        cl.iRiga = 0;
        cl.sTaglio.clear();
        cl.bDerivato = true;
        if (k == DURATA) {
            const double d = fine - inizio;
            cl.sInterpretato = Numero(d < 0 ? d + 86400 : d) + " s";
        } else {
            const long long ora = std::llround(k == INIZIO ? fine - durata : inizio + durata);
            ValoreDataOra v;
            const long long sec = (ora % 86400 + 86400) % 86400;
            v.iOre = sec / 3600;
            v.iMinuti = sec / 60 % 60;
            v.iSecondi = sec % 60;
            cl.sInterpretato = v.TestoOra();
        }
    }
    if (pCondData && bHaData) {
        std::optional<double> inizio = tempi[INIZIO], fine = tempi[FINE];
        if (!inizio && fine && tempi[DURATA]) inizio = *fine - *tempi[DURATA];
        if (!fine && inizio && tempi[DURATA]) fine = *inizio + *tempi[DURATA];
        if (inizio || fine) GiornoDellaChiamata(inizio, fine, c.vCampi.front());
    }
    for (size_t i = 0; i < c.iCampi; ++i)
        if (!c.vCampi[i].sErrore.empty()) ++c.iErrori;
    cont.iValoriNonValidi += c.iErrori;
    if (t.bEntrante)
        ++(bTrasferita ? cont.iEntrantiTrasferite : cont.iEntranti);
    else
        ++(bTrasferita ? cont.iUscentiTrasferite : cont.iUscenti);
    esiti.Chiamata(c);
    Togli(static_cast<size_t>(t.iRighe));
}

void clsAnalizzatore::Impl::GiornoDellaChiamata(std::optional<double> dInizio,
                                                std::optional<double> dFine, CampoLetto& rData) {
    constexpr double kGiorno = 86400;
    const auto ora = [kGiorno](double t) {
        return std::fmod(std::fmod(t, kGiorno) + kGiorno, kGiorno);
    };
    // Calls are printed as they end: an end more than an hour before the one of the call
    // before means that midnight has passed. A start may come before the last end by as long
    // as its call lasted: where only the start is known, it takes six hours back.
    const double adesso = ora(dFine ? *dFine : *dInizio);
    const double tolleranza = dFine ? 3600 : 6 * 3600;
    if (oraPrecedente && adesso < *oraPrecedente - tolleranza) ++giorniDopo;
    oraPrecedente = adesso;
    // A call that ends after midnight began the day before its end.
    const int giorno = giorniDopo - (dFine && dInizio && ora(*dInizio) > adesso ? 1 : 0);
    if (giorno == 0) return;
    // Only a whole date moves (a date line without year or day stays as read).
    int a = 0;
    unsigned m = 0, g = 0;
    if (std::sscanf(rData.sInterpretato.c_str(), "%4d-%2u-%2u", &a, &m, &g) != 3) return;
    namespace c = std::chrono;
    const c::year_month_day data{c::sys_days{c::year{a} / c::month{m} / c::day{g}} +
                                 c::days{giorno}};
    char testo[16];
    std::snprintf(testo, sizeof testo, "%04d-%02u-%02u", static_cast<int>(data.year()),
                  static_cast<unsigned>(data.month()), static_cast<unsigned>(data.day()));
    rData.sInterpretato = testo;
    const int n = std::abs(giorno);
    rData.sNota = "riga di data " + std::string(giorno > 0 ? "+ " : "- ") + std::to_string(n) +
                  (n == 1 ? " giorno" : " giorni") +
                  (giorno > 0 ? ": mezzanotte passata, le ore delle chiamate sono tornate indietro "
                                "dopo la riga di data"
                              : ": la chiamata finisce dopo la mezzanotte, \xE8 iniziata il giorno "
                                "prima");
}

ChiamataLetta& clsAnalizzatore::Impl::NuovaChiamata(const Tipo& t, bool bTrasferita,
                                                    bool bIncompleta) {
    ChiamataLetta& c = chiamata;
    c.bEntrante = t.bEntrante;
    c.bTrasferita = bTrasferita;
    c.bIncompleta = bIncompleta;
    c.iRigheAttese = t.iRighe;
    c.vRighe.clear();
    c.vPezzi.clear();
    c.vTesti.clear();
    c.iCampi = 0;
    c.iErrori = 0;
    return c;
}

void clsAnalizzatore::Impl::Incompleta(const Tipo& t, bool bTrasferita) {
    ChiamataLetta& c = NuovaChiamata(t, bTrasferita, true);
    for (size_t r = 0; r < iConta; ++r) {
        c.vRighe.push_back(Voce(r).iNumero);
        c.vPezzi.push_back(Voce(r).iPezzo);
        c.vTesti.push_back(Voce(r).sTesto);
    }
    ++cont.iIncomplete;
    esiti.Chiamata(c);
    Togli(iConta);
}

std::optional<double> clsAnalizzatore::Impl::Interpreta(const Campo& f, std::string_view taglio,
                                                        CampoLetto& cl, bool bConverti) const {
    const std::string_view v = SenzaBianchi(taglio);
    if (v.empty()) {
        if (f.bOpzionale)
            cl.bVuoto = true;
        else
            cl.sErrore = "campo obbligatorio vuoto";
        return std::nullopt;
    }
    auto conFormato = [&](bool bData) -> std::optional<ValoreDataOra> {
        if (!f.pFormato) {
            cl.sErrore = f.iFormato == 0 ? "formato non indicato"
                                         : "formato " + std::to_string(f.iFormato) +
                                               " non presente nel catalogo";
            return std::nullopt;
        }
        auto r = f.pFormato->Leggi(v, mesi, &cl.sErrore);
        if (r && (bData ? !r->HaData() : !r->HaTempo())) {
            cl.sErrore = "il formato " + Virgolette(f.pFormato->Testo()) + " non \xE8 " +
                         (bData ? "una data" : "un'ora o una durata");
            return std::nullopt;
        }
        return r;
    };
    switch (f.genere) {
        case Genere::Testo:
            cl.sInterpretato.assign(v);
            return std::nullopt;
        case Genere::Data:
            if (auto r = conFormato(true)) cl.sInterpretato = r->TestoData();
            return std::nullopt;
        case Genere::Ora:
            if (auto r = conFormato(false)) {
                if (r->iOre > 23) {
                    cl.sErrore = "ora " + std::to_string(r->iOre) + " non valida";
                } else {
                    cl.sInterpretato = r->TestoOra();
                    return static_cast<double>(r->TotaleSecondi());
                }
            }
            return std::nullopt;
        case Genere::Durata:
        case Genere::Scatti: {
            double valore = 0;
            if (f.genere == Genere::Durata && f.pFormato) {
                const auto r = conFormato(false);
                if (!r) return std::nullopt;
                valore = static_cast<double>(r->TotaleSecondi());
            } else if (f.iFormato != 0 && !f.pFormato) {
                conFormato(false);
                return std::nullopt;
            } else {
                for (char ch : v)
                    if (!Cifra(ch)) {
                        cl.sErrore = Virgolette(v) + " non \xE8 un numero";
                        return std::nullopt;
                    }
                const auto n = ValoreNumerico(v);
                valore = n ? *n : 0;
            }
            if (bConverti) valore = Calcola(f.iConversione, valore, f.dOperando);
            cl.sInterpretato = Numero(valore);
            if (f.genere == Genere::Durata) cl.sInterpretato += " s";
            return valore;
        }
    }
    return std::nullopt;
}

// --- the public face -------------------------------------------------------------------------

std::string TestoVisibile(std::string_view s) {
    std::string r;
    r.reserve(s.size());
    for (char c : s) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20) {
            r += '<';
            r += kNomiControllo[u];
            r += '>';
        } else if (u == 0x7F) {
            r += "<DEL>";
        } else {
            r += c;
        }
    }
    return r;
}

clsAnalizzatore::clsAnalizzatore(const clsDriver& driver, const MappaFormati& formati,
                                 IEsitiAnalisi& esiti)
    : mp(std::make_unique<Impl>(driver, formati, esiti)) {}

clsAnalizzatore::~clsAnalizzatore() = default;

const std::vector<NotaImpostazione>& clsAnalizzatore::Impostazioni() const { return mp->note; }

void clsAnalizzatore::Dati(std::string_view sBlocco) {
    if (!mp->bFinito) mp->Dati(sBlocco);
}

void clsAnalizzatore::Riga(std::string_view sTesto) {
    if (!mp->bFinito) mp->Riga(sTesto);
}

void clsAnalizzatore::Fine() {
    if (mp->bFinito) return;
    // The last line without its end; a form feed alone at the very end starts no line.
    if (mp->iParziale > 0 && mp->sParziale != "\f") mp->Riga(mp->sParziale);
    mp->sParziale.clear();
    mp->iParziale = 0;
    mp->Svuota();
    mp->bFinito = true;
}

const ConteggiAnalisi& clsAnalizzatore::Conteggi() const { return mp->cont; }

}  // namespace tarno
