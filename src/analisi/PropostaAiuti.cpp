#include "analisi/PropostaInterna.h"

// The small helpers the proposer's steps share.

namespace tarno::proposta {

int MeseOggi() {
    const std::time_t t = std::time(nullptr);
    std::tm tm{};
    gmtime_r(&t, &tm);
    return tm.tm_mon + 1;
}

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
    // Minutes and seconds without hours (3m05, 003m25s) are no hours and minutes: left to the
    // duration of minutes ended by letters.
    const bool ore = std::any_of(v.begin(), v.end(), [](char c) { return c == 'H' || c == 'h'; });
    return gruppi >= 2 && ore && t.find(':') != std::string::npos ? t : std::string();
}

bool Decorato(std::string_view v) {
    for (size_t i = 0; i < v.size(); ++i) {
        const char c = v[i];
        if (Cifra(c) || c == '*' || c == '#' || c == '+') continue;
        const bool lettera = std::isalpha(static_cast<unsigned char>(c)) != 0;
        if (!lettera) return true;
        const bool dopo =
            i + 1 < v.size() && std::isalpha(static_cast<unsigned char>(v[i + 1])) != 0;
        const bool prima = i > 0 && std::isalpha(static_cast<unsigned char>(v[i - 1])) != 0;
        // A letter after the last digit is a mark (02079460018A: answered), not a pause.
        if (dopo || prima || i + 1 == v.size()) return true;
    }
    return false;
}

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

int Rigore(const Formato& f) {
    int r = static_cast<int>(f.sTesto.size()) * 2;
    if (f.iMin == f.iMax) r += 10;
    if (f.iCodice) r += 1;
    return r;
}

namespace {

// Heading words of other languages, each with the word of the vocabulary it means: a heading
// printed in German or French names its fields as the English or Italian one does. They match
// whole words only (RUF is the ringing, RUFNUMMER the number).
struct Sinonimo {
    const char* sParola;
    const char* sSignifica;
};
constexpr Sinonimo kSinonimi[] = {
    {"DATUM", "DATE"},     {"UHRZEIT", "TIME"},      {"ZEIT", "TIME"},
    {"UHR", "TIME"},       {"HEURE", "TIME"},        {"DAUER", "DUR"},
    {"DUREE", "DUR"},      {"DUR\xC9\x45", "DUR"},   {"RUF", "RING"},
    {"RUFZEIT", "RING"},   {"SONNERIE", "RING"},     {"RUFNUMMER", "NUMBER"},
    {"NUMMER", "NUMBER"},  {"ZIELNUMMER", "NUMBER"}, {"NUM\xC9RO", "NUMERO"},
    {"BETRAG", "CHARGE"},  {"GEB\xDCHR", "CHARGE"},  {"GEBUEHR", "CHARGE"},
    {"EINHEITEN", "UNIT"}, {"MONTANT", "CHARGE"},    {"TAXE", "CHARGE"},
    {"LEITUNG", "LINE"},   {"LT", "LINE"},           {"LIGNE", "LINE"},
    {"TEILNEHMER", "EXT"}, {"TLN", "EXT"},           {"NEBENSTELLE", "EXT"},
    {"NST", "EXT"},        {"POSTE", "EXT"},
};

// Words a name of lower-case letters glues at its end (callbacknumber): parted from the word
// before them, as the camel case of callbackNumber is.
constexpr const char* kFinaliComposti[] = {"NUMBER", "NUMMER"};

bool Parola(const std::string& intestazione, const std::string& w, bool intera) {
    for (size_t i = intestazione.find(w); i != std::string::npos; i = intestazione.find(w, i + 1)) {
        const bool inizio = i == 0 || !Lettera(intestazione[i - 1]);
        const bool fine =
            i + w.size() >= intestazione.size() || !Lettera(intestazione[i + w.size()]);
        if (inizio && (fine || !intera)) return true;
    }
    return false;
}

}  // namespace

std::string ComposteDivise(const std::string& nome) {
    std::string r;
    for (size_t i = 0; i < nome.size();) {
        size_t j = i;
        while (j < nome.size() && Lettera(nome[j])) ++j;
        std::string w = nome.substr(i, j - i);
        // A word of the table of synonyms (RUFNUMMER) keeps its meaning whole.
        const bool nota = std::any_of(std::begin(kSinonimi), std::end(kSinonimi),
                                      [&](const Sinonimo& s) { return Maiusc(w) == s.sParola; });
        for (const char* f : kFinaliComposti) {
            const size_t l = std::string_view(f).size();
            if (nota || w.size() < l + 3 || Maiusc(w.substr(w.size() - l)) != f) continue;
            w.insert(w.size() - l, 1, ' ');
            break;
        }
        r += w;
        if (j == i) r += nome[j++];
        i = j;
    }
    return r;
}

bool HaParola(const std::string& intestazione, std::initializer_list<const char*> parole) {
    for (const char* p : parole)
        for (const Sinonimo& s : kSinonimi)
            if (std::string_view(s.sSignifica) == p && Parola(intestazione, s.sParola, true))
                return true;
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

bool NomeDiAltroCampo(const std::string& intestazione) {
    return NomeDiLinea(intestazione) ||
           HaParola(intestazione, {"NUMBER", "NUMERO", "DIAL", "CALLED", "CALLING", "EXT", "DATE",
                                   "DATA", "CHARGE", "COST", "COSTO", "UNIT", "SCATTI", "CODE",
                                   "CODICE", "ACCOUNT", "ID", "SEQ", "TYPE", "TIPO",
                                   // The answer time lies between start and end: no field.
                                   "ANSWER", "RISPOSTA"});
}

bool NomeDiLinea(const std::string& intestazione) {
    return HaParola(intestazione, {"CO", "TRK", "TRUNK", "LINE", "LINEA", "TK", "LN", "CH", "C.O.",
                                   "GIUNZ", "EXCH", "JUNC", "ROUTE"});
}

bool ValoriDiLinea(const std::set<std::string>& valori) {
    return !valori.empty() && std::all_of(valori.begin(), valori.end(), [](const std::string& v) {
        const size_t spazio = v.find(' ');
        if (spazio == std::string::npos || spazio == 0 || spazio + 1 >= v.size()) return false;
        const std::string parola = Maiusc(v.substr(0, spazio));
        return NomeDiLinea(parola) && parola.size() > 1 &&
               std::all_of(v.begin() + static_cast<long>(spazio) + 1, v.end(), Cifra);
    });
}

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
    // A word ended by a colon names what follows (a log's level, INFO:): no code.
    if (v.size() > 2 && v.back() == ':') return '?';
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

void Sostituisci(clsDriver& d, bool bEntrante, int16_t iInizio, int16_t iLunghezza,
                 const std::string& sDa, const std::string& sA) {
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

ColCondizioni Catena(const std::vector<clsCondizione>& oppure, const std::vector<clsCondizione>& e,
                     const std::vector<clsCondizione>& prima) {
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

std::set<int> Proponitore::IniziDiCifre() const {
    std::set<int> colonne;
    for (size_t r : mvChiamate)
        for (size_t x = 0; x < mvRighe[r].size(); ++x)
            if (Cifra(mvRighe[r][x]) && (x == 0 || mvRighe[r][x - 1] == ' '))
                colonne.insert(static_cast<int>(x));
    return colonne;
}

}  // namespace tarno::proposta
