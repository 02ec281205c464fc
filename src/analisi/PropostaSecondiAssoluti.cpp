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

// Under no heading naming a moment: a column of long counts (ten digits or more, none led by a
// zero, all of one width), a different value on every call that fills it (0 where nothing
// happened: a call never answered), growing from record to record on most of them and all
// opening with the same digits: a moment counted in fixed units from an origin (seconds or
// milliseconds since 1970, hundreds of nanoseconds since 1601). No format reads it and no
// telephone number grows so; the proposal says so and leaves it out.
void Proponitore::IstantiSenzaNome() {
    const size_t n = mvChiamate.size();
    if (n < 3) return;
    for (const auto& g : Segmenti(mvChiamate)) {
        if (g.iIntere != g.iPieni || g.iPieni * 10 < n * 9 || Occupata(g.a)) continue;
        std::vector<std::string> valori;
        for (size_t r : mvChiamate)
            if (const std::string t(TogliSpazi(Testo(r, g.a, g.b))); !t.empty() && t != "0")
                valori.push_back(t);
        if (valori.size() < 3 || valori.front().size() < 10 || valori.front()[0] == '0') continue;
        const size_t larghezza = valori.front().size();
        const size_t comuni = larghezza >= 13 ? larghezza - 12 : 1;
        bool va = true;
        size_t crescono = 0;
        for (size_t i = 0; i < valori.size() && va; ++i) {
            va = valori[i].size() == larghezza &&
                 valori[i].compare(0, comuni, valori.front(), 0, comuni) == 0;
            if (i) crescono += valori[i] > valori[i - 1];
        }
        const std::set<std::string> diversi(valori.begin(), valori.end());
        if (!va || diversi.size() != valori.size() || crescono * 3 < (valori.size() - 1) * 2)
            continue;
        mvOccupate.emplace_back(g.a, g.b);
        Voce(Ambito::Campo, "Istante in unit\xE0 fisse",
             Dove(g.a, g.b) + ": numeri di " + Num(static_cast<long long>(larghezza)) +
                 " cifre, diversi su ogni chiamata e per lo pi\xF9 crescenti da un record "
                 "all'altro (" +
                 PrimiTesti(std::set<size_t>(mvChiamate.begin(), mvChiamate.end()), g.a, g.b) +
                 "): un istante contato da un'origine (secondi o millesimi dal 1970, centinaia "
                 "di nanosecondi dal 1601), che nessun formato di data o di ora legge; non \xE8 "
                 "un numero di telefono: il campo non \xE8 letto",
             true);
    }
}

}  // namespace tarno::proposta
