#include "analisi/PropostaInterna.h"

// A duration printed as a bare count of seconds, with no heading to name it and no end time to
// check it against.

namespace tarno::proposta {

namespace {

// Where the digits of a value begin when it is a short word of letters, a blank and digits,
// alike on every line (E 0125, S 0000): the word is a mark of its own, the digits the count;
// 0 when the values are digits alone, npos when they are neither.
size_t DopoLaParola(const std::set<std::string>& valori) {
    std::optional<size_t> dopo;
    for (const auto& v : valori) {
        const size_t spazio = v.find(' ');
        const size_t da = spazio == std::string::npos ? 0 : v.find_first_not_of(' ', spazio);
        if (da == std::string::npos ||
            !std::all_of(v.begin() + static_cast<long>(da), v.end(), Cifra))
            return std::string::npos;
        const std::string w = v.substr(0, spazio == std::string::npos ? 0 : spazio);
        if (w.size() > 3 || !std::all_of(w.begin(), w.end(), Lettera) || (dopo && *dopo != da))
            return std::string::npos;
        dopo = da;
    }
    return dopo.value_or(std::string::npos);
}

}  // namespace

// The values at [a, g.b) all of 4 or 6 digits (zero-padded), each with its last two pairs
// under 60, read as mmss or hhmmss: their length, else 0.
size_t Proponitore::AllaSessagesimale(const std::vector<long long>& valori, const Segmento& g,
                                      int a) const {
    size_t lunghezza = 0;
    for (size_t r : mvChiamate) {
        const std::string v(TogliSpazi(Testo(r, a, g.b)));
        if (v.empty()) continue;
        if ((v.size() != 4 && v.size() != 6) || (lunghezza && v.size() != lunghezza)) return 0;
        lunghezza = v.size();
    }
    if (!lunghezza) return 0;
    return std::all_of(valori.begin(), valori.end(),
                       [](long long x) { return x < 0 || (x % 100 < 60 && x / 100 % 100 < 60); })
               ? lunghezza
               : 0;
}

// Where no rule found a duration, a column of whole numbers under no heading naming another
// field, on nearly every call, that varies as call lengths do: no counter, most values above
// zero different, the longest a minute or more and at least ten times the shortest above zero,
// none past six digits (a telephone number, an instant). Read as seconds, or as mmss / hhmmss
// when every value reads so. Where one such column is a hundred (or ten) times another on
// every call, the smaller counts seconds and the other hundredths (tenths). Of several left,
// the widest spread.
void Proponitore::SecondiSenzaNome() {
    for (const auto& t : mvTempi)
        if (t.sCampo == "dDurata") return;
    const size_t n = mvChiamate.size();
    const size_t ss = FormatoSecondi();
    if (n < 3 || ss == mvFormati.size()) return;
    struct Candidato {
        int a, b;
        std::vector<long long> v;  // per call line, -1 where blank
        double dAmpiezza;
        std::string sIntestazione;
        size_t iFormato;  // seconds, or the mmss / hhmmss the values are written in
    };
    const auto formato = [&](const char* testo) {
        for (size_t f = 0; f < mvFormati.size(); ++f)
            if (mvFormati[f].sTesto == testo) return f;
        return mvFormati.size();
    };
    std::vector<Candidato> candidati;
    for (const Segmento& g : Segmenti(mvChiamate)) {
        if (g.iPieni * 10 < n * 9 || NumeraIRecord(g) || NomeDiAltroCampo(g.sIntestazione))
            continue;
        const size_t dopo = DopoLaParola(g.distinti);
        if (dopo == std::string::npos) continue;
        int a = g.a;
        if (dopo) {
            // The digits' own columns: where they start on every line.
            std::set<int> inizi;
            for (size_t r : mvChiamate) {
                const std::string s = Testo(r, g.a, g.b);
                const size_t x = s.find_first_not_of(' ');
                if (x == std::string::npos) continue;
                const size_t sp = s.find(' ', x);
                if (sp != std::string::npos)
                    inizi.insert(g.a + static_cast<int>(s.find_first_not_of(' ', sp)));
            }
            if (inizi.size() != 1) continue;
            a = *inizi.begin();
        }
        if (std::any_of(mvOccupate.begin(), mvOccupate.end(),
                        [&](const auto& w) { return Sovrapposti(a, g.b, w.first, w.second); }))
            continue;
        Candidato c{a, g.b, {}, 0, g.sIntestazione, ss};
        long long minimo = 0, massimo = 0;
        std::set<long long> diversi;  // above zero: the calls never answered count 0
        size_t sopraZero = 0;
        bool va = true;
        for (size_t r : mvChiamate) {
            const std::string v(TogliSpazi(Testo(r, a, g.b)));
            if (v.empty()) {
                c.v.push_back(-1);
                continue;
            }
            va &= v.size() <= 6 && std::all_of(v.begin(), v.end(), Cifra);
            if (!va) break;
            const long long x = std::stoll(v);
            c.v.push_back(x);
            if (x > 0) {
                minimo = minimo ? std::min(minimo, x) : x;
                diversi.insert(x);
                ++sopraZero;
            }
            massimo = std::max(massimo, x);
        }
        // Digits of one length that all read as minutes and seconds (0324) or hours, minutes
        // and seconds (000324) are that, when the catalogue has the format.
        if (const size_t l = va ? AllaSessagesimale(c.v, g, a) : 0) {
            c.iFormato = formato(l == 4 ? "mmss" : "hhmmss");
            if (c.iFormato == mvFormati.size()) continue;
            minimo = massimo = 0;
            diversi.clear();
            for (long long& x : c.v) {
                if (x < 0) continue;
                x = x / 100 / 100 * 3600 + x / 100 % 100 * 60 + x % 100;
                if (x > 0) {
                    minimo = minimo ? std::min(minimo, x) : x;
                    diversi.insert(x);
                }
                massimo = std::max(massimo, x);
            }
        }
        if (!va || massimo < 60 || minimo == 0 || massimo < minimo * 10 || sopraZero < 3 ||
            diversi.size() * 10 < sopraZero * 7)
            continue;
        c.dAmpiezza = static_cast<double>(massimo) / static_cast<double>(minimo);
        candidati.push_back(std::move(c));
    }
    // A count a hundred or ten times another on every call is the same length in finer units.
    const auto multiplo = [&](const Candidato& fine, const Candidato& grossa, long long k) {
        for (size_t i = 0; i < n; ++i)
            if ((fine.v[i] < 0) != (grossa.v[i] < 0) ||
                (fine.v[i] >= 0 &&
                 (fine.v[i] < grossa.v[i] * k || fine.v[i] >= (grossa.v[i] + 1) * k)))
                return false;
        return true;
    };
    std::set<size_t> fini;
    for (size_t i = 0; i < candidati.size(); ++i)
        for (size_t j = 0; j < candidati.size(); ++j)
            if (i != j && (multiplo(candidati[i], candidati[j], 100) ||
                           multiplo(candidati[i], candidati[j], 10)))
                fini.insert(i);
    const Candidato* scelto = nullptr;
    for (size_t i = 0; i < candidati.size(); ++i)
        if (!fini.count(i) && (!scelto || candidati[i].dAmpiezza > scelto->dAmpiezza))
            scelto = &candidati[i];
    if (!scelto) return;
    const Colonna c = Conteggi(scelto->a, scelto->b, scelto->iFormato);
    mvTempi.push_back({c, "dDurata", false, {}});
    mvOccupate.emplace_back(c.a, c.b);
    for (size_t i : fini) mvOccupate.emplace_back(candidati[i].a, candidati[i].b);
    std::set<size_t> righe;
    for (size_t r : mvChiamate)
        if (righe.size() < 3) righe.insert(r);
    Voce(Ambito::Campo, "Durata",
         Dove(c.a, c.b) + ": numeri interi" +
             (TogliSpazi(scelto->sIntestazione).empty()
                  ? std::string(" senza intestazione")
                  : " sotto \"" + std::string(TogliSpazi(scelto->sIntestazione)) + "\"") +
             " (" + PrimiTesti(righe, c.a, c.b) +
             "), diversi da una chiamata all'altra come le durate, da pochi secondi a minuti "
             "o ore: sono letti come " +
             (scelto->iFormato == ss ? std::string("secondi di durata")
                                     : "durata in \"" + mvFormati[scelto->iFormato].sTesto + "\"") +
             (fini.empty() ? std::string()
                           : "; la colonna cento (o dieci) volte pi\xF9 grande conta la stessa "
                             "durata in centesimi (o decimi), non \xE8 un campo") +
             "; se non \xE8 la durata, togliere il campo",
         true, false, "dDurata", c.a, c.b);
}

}  // namespace tarno::proposta
