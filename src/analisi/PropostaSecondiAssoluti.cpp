#include "analisi/PropostaInterna.h"

// Start and end written as a count of seconds since 1 January 1970 (1264061525): no format of
// the catalogue reads a moment so, and the values are no number, no extension and no record's
// identifier. The proposal says so and leaves the field out.

namespace tarno::proposta {

namespace {

// Ten digits from 1000000000 to 1999999999: September 2001 to May 2033.
bool SecondiAssoluti(std::string_view t) {
    return t.size() == 10 && t.front() == '1' &&
           std::all_of(t.begin(), t.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

void Proponitore::TempiInSecondiAssoluti() {
    if (mvChiamate.size() < 2) return;
    for (const auto& g : Segmenti(mvChiamate)) {
        // Every call fills it, under a heading that names a moment.
        if (g.iPieni != mvChiamate.size() || g.iIntere != g.iPieni ||
            !HaParola(g.sIntestazione,
                      {"TIME", "START", "END", "BEGIN", "STOP", "ORA", "INIZIO", "FINE", "STT"}))
            continue;
        std::vector<long long> v;
        for (size_t r : mvChiamate) {
            const std::string t(TogliSpazi(Testo(r, g.a, g.b)));
            if (!SecondiAssoluti(t)) break;
            v.push_back(std::stoll(std::string(t)));
        }
        // The calls of one printout: within a year of each other.
        if (v.size() != mvChiamate.size() ||
            *std::max_element(v.begin(), v.end()) - *std::min_element(v.begin(), v.end()) >
                366LL * 86400)
            continue;
        mvOccupate.emplace_back(g.a, g.b);
        Voce(Ambito::Campo, "Secondi dal 1970",
             Dove(g.a, g.b) + ": numeri di 10 cifre sotto \"" + g.sIntestazione + "\" (" +
                 PrimiTesti(std::set<size_t>(mvChiamate.begin(), mvChiamate.end()), g.a, g.b) +
                 "): un istante scritto come secondi dal 1\xB0 gennaio 1970 (UTC), che nessun "
                 "formato di data o di ora legge: il campo non \xE8 letto e le chiamate non "
                 "avranno la data e l'ora che vi sono scritte",
             true);
    }
}

}  // namespace tarno::proposta
