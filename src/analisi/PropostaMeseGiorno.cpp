#include "analisi/PropostaInterna.h"

// A date of a month in letters and a day, no year (a system log's clock: "Dec  9 08:14:03"):
// three letters naming a month, a blank, and the day right-aligned in two places ("Dec  9",
// "Dec 10") or printed as it comes ("Dec 9").

namespace tarno::proposta {

namespace {

// Three letters, a blank, and a day of one or two digits padded to two places by a blank or not
// padded, at column i of s, ended by a blank or the line's end: the width (6 or 5), or 0.
int MeseGiornoA(const std::string& s, size_t i) {
    if (i + 5 > s.size() || (i > 0 && s[i - 1] != ' ')) return 0;
    if (!Lettera(s[i]) || !Lettera(s[i + 1]) || !Lettera(s[i + 2]) || s[i + 3] != ' ') return 0;
    if (i + 3 < s.size() && Lettera(s[i + 3])) return 0;
    const auto fine = [&](size_t j) { return j == s.size() || s[j] == ' '; };
    if (s[i + 4] == ' ' && i + 5 < s.size() && Cifra(s[i + 5]) && fine(i + 6)) return 6;
    if (Cifra(s[i + 4]) && i + 5 < s.size() && Cifra(s[i + 5]) && fine(i + 6)) return 6;
    if (Cifra(s[i + 4]) && fine(i + 5)) return 5;
    return 0;
}

// A blank and a year of four digits from 1900 to 2099 at column i of s, ended by a blank or
// the line's end.
bool AnnoDopo(const std::string& s, size_t i) {
    if (i + 5 > s.size() || s[i] != ' ' || (i + 5 < s.size() && s[i + 5] != ' ')) return false;
    return (s.compare(i + 1, 2, "19") == 0 || s.compare(i + 1, 2, "20") == 0) && Cifra(s[i + 3]) &&
           Cifra(s[i + 4]);
}

}  // namespace

void Proponitore::MeseEGiorno() {
    if (mvRighe.size() < 2) return;
    const std::vector<std::array<const char*, 12>> vLingue = NomiDeiMesi();
    // The column where most lines print such a date.
    std::map<size_t, std::vector<size_t>> perColonna;
    for (size_t r = 0; r < mvRighe.size(); ++r)
        for (size_t i = 0; i + 5 <= mvRighe[r].size(); ++i)
            if (MeseGiornoA(mvRighe[r], i)) perColonna[i].push_back(r);
    size_t a = 0;
    const std::vector<size_t>* righe = nullptr;
    for (const auto& [x, v] : perColonna)
        if (!righe || v.size() > righe->size()) a = x, righe = &v;
    if (!righe || righe->size() < 2 || righe->size() * 2 < mvRighe.size()) return;
    // The letters name months of one language on nine lines in ten.
    const std::array<const char*, 12>* lingua = nullptr;
    size_t migliori = 0;
    for (const auto& nomi : vLingue) {
        size_t k = 0;
        for (size_t r : *righe)
            for (const char* m : nomi) k += Maiusc(mvRighe[r].substr(a, 3)) == m;
        if (k > migliori) migliori = k, lingua = &nomi;
    }
    if (!lingua || migliori * 10 < righe->size() * 9) return;
    // A month table already filled by other dates of another language: not a date.
    CodiciMesi mesi{};
    for (size_t i = 0; i < 12; ++i) mesi[i] = (*lingua)[i];
    if (!mMesi[0].empty() && mMesi != mesi) return;
    // The day padded by a blank is read with a zero in its place: the lines are changed as
    // they are read, before any call is told.
    bool bianco = false, corto = false;
    for (size_t r : *righe) {
        const int w = MeseGiornoA(mvRighe[r], a);
        bianco |= w == 6 && mvRighe[r][a + 4] == ' ';
        corto |= w == 5;
    }
    // The blank is replaced on the line as read, before any field is split or any line
    // joined: only where the date stands at the same column of every line.
    if (bianco && (corto || miLarghezzaRiga ||
                   (mbSeparati && mvColonna.size() > 1 && static_cast<int>(a) >= mvColonna[1])))
        return;
    // A year after the day on every such line (Dec 07 2026) is part of the date, no time.
    const bool anno = std::all_of(righe->begin(), righe->end(), [&](size_t r) {
        return AnnoDopo(mvRighe[r], a + static_cast<size_t>(MeseGiornoA(mvRighe[r], a)));
    });
    const std::string testo = std::string(corto ? "mmm g" : "mmm gg") + (anno ? " aaaa" : "");
    size_t f = 0;
    while (f < mvFormati.size() && !UgualeNoCase(mvFormati[f].sTesto, testo)) ++f;
    if (f == mvFormati.size()) mvFormati.push_back(FaiFormato(0, testo));
    mMesi = mesi;
    Colonna c;
    c.iFormato = f;
    c.a = static_cast<int>(a);
    c.b = c.a;
    for (size_t r : *righe) {
        const int w = MeseGiornoA(mvRighe[r], a) + (anno ? 5 : 0);
        std::string t = mvRighe[r].substr(a, static_cast<size_t>(w));
        if (bianco && t[4] == ' ') t[4] = '0';
        const auto v = mvFormati[f].f.Leggi(t, mMesi);
        if (!v) continue;
        c.vValori.push_back({r, c.a, c.a + w, *v});
        c.b = std::max(c.b, c.a + w);
    }
    if (c.vValori.size() < 2) return;
    // The same dates with their year at other columns (the answer, the end) are dates too: no
    // year there is read as a time.
    for (const auto& [colonna, v] : perColonna) {
        const auto x = colonna;  // a lambda of the older compilers cannot capture a binding
        if (anno && x != a && std::all_of(v.begin(), v.end(), [&](size_t r) {
                return AnnoDopo(mvRighe[r], x + static_cast<size_t>(MeseGiornoA(mvRighe[r], x)));
            }))
            mvOccupate.emplace_back(static_cast<int>(x), static_cast<int>(x) + c.b - c.a);
    }
    if (bianco) miGiornoConBianco = c.a;
    PrefissoDelRegistro(c);
    std::string esempi;
    for (size_t i = 0; i < c.vValori.size() && i < 3; ++i)
        esempi += (i ? ", " : "") + Testo(c.vValori[i].iRiga, c.a, c.b);
    Voce(Ambito::Stampa, "Mese e giorno",
         Num(static_cast<long long>(c.vValori.size())) + " righe hanno in " + Dove(c.a, c.b) +
             (anno ? " un mese in lettere, un giorno e l'anno ("
                   : " un mese in lettere e un giorno senza anno (") +
             esempi +
             "): la tabella dei mesi del driver \xE8 riempita con i nomi di tre lettere (" +
             mMesi[0] + " ... " + mMesi[11] + ")" +
             (bianco ? "; il giorno di una cifra ha un bianco davanti, sostituito da uno zero "
                       "sulle righe lette (SOSTITUISCI) perch\xE9 \"" +
                           testo + "\" lo legga"
                     : std::string()));
    mvCandidate.push_back(std::move(c));
}

// After such a date, a system log prints its clock, the host and the program's tag ended by a
// colon (`08:14:03 sipgw sipd[2317]:`): where the host starts and the tag ends at the same
// columns on nine date lines in ten, host and tag are no field of the call.
void Proponitore::PrefissoDelRegistro(const Colonna& c) {
    std::map<std::pair<int, int>, size_t> finestre;
    for (const auto& v : c.vValori) {
        const std::string& s = mvRighe[v.iRiga];
        size_t i = static_cast<size_t>(c.b) + 1;
        // hh:mm:ss, a blank, the host, a blank, the tag ended by a colon.
        if (i + 9 > s.size() || s[i + 2] != ':' || s[i + 5] != ':' || s[i + 8] != ' ') continue;
        const size_t host = i + 9;
        const size_t fineHost = s.find(' ', host);
        if (fineHost == std::string::npos || fineHost == host) continue;
        const size_t fineTag = s.find(' ', fineHost + 1);
        const size_t fine = fineTag == std::string::npos ? s.size() : fineTag;
        if (fine <= fineHost + 2 || s[fine - 1] != ':') continue;
        ++finestre[{static_cast<int>(host), static_cast<int>(fine)}];
    }
    for (const auto& [w, k] : finestre)
        if (k * 10 >= c.vValori.size() * 9) {
            mvOccupate.push_back(w);
            Voce(Ambito::Stampa, "Prefisso del registro",
                 Dove(w.first, w.second) +
                     ": dopo data e ora, il nome dell'host e del programma "
                     "che scrive (" +
                     Testo(c.vValori.front().iRiga, w.first, w.second) +
                     "): non sono campi della chiamata");
        }
}

// The blank before a day of one digit becomes a zero on every line as it is read, so the date
// reads and the conditions on it hold; written at the line's own columns, as the engine reads
// a transformation of every line before it splits the fields.
void Proponitore::GiornoConBianco(clsDriver& d) const {
    if (!d.mcolTrasf) d.mcolTrasf.emplace();
    clsTrasformazione t;
    t.menTipo = clsTrasformazione::INIZIALE;
    t.menOperazione = clsTrasformazione::SOSTITUISCI;
    t.miRiga = 1;
    // Separated fields: the date is in the first field, after what was left out of it.
    const int prima = mbSeparati && !mvTolto.empty() ? mvTolto[0] : 0;
    t.miInizio = static_cast<int16_t>(miGiornoConBianco + prima + 4);
    t.miLunghezza = 2;
    t.msSorgente = "  ";
    t.msValore = " 0";
    d.mcolTrasf->Add(std::move(t));
}

}  // namespace tarno::proposta
