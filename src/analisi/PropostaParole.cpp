#include "analisi/PropostaInterna.h"

// Lines in the shape of a call whose duration is words: events of the system's features.

namespace tarno::proposta {

// Lines with the time of the calls that print words where every other call prints its duration
// (or a cost in its place: digits in any case), and no digit after them (DND ON, GROUP OUT): a
// feature switched by an extension, no call. A third of the call lines at most, and only when a
// column holds text on every call and on none of them (the trunk a call takes): the calls ask
// for text there.
void Proponitore::ParoleAlPostoDellaDurata() {
    const size_t n = mvChiamate.size();
    const auto d = std::find_if(mvTempi.begin(), mvTempi.end(),
                                [](const Tempo& t) { return t.sCampo == "dDurata"; });
    if (mbSeparati || miServizioA >= 0 || n < 4 || d == mvTempi.end()) return;
    const int a = d->c.a, b = d->c.b;
    std::set<size_t> parole;
    size_t larghezza = 0;
    for (size_t r : mvChiamate) {
        const std::string& s = mvRighe[r];
        larghezza = std::max(larghezza, s.size());
        const std::string v(TogliSpazi(Testo(r, a, b)));
        if (std::any_of(v.begin(), v.end(), Cifra)) continue;
        // Words from the duration's column to the line's end, not a digit among them.
        const std::string coda = s.size() > static_cast<size_t>(a) ? s.substr(a) : std::string();
        if (v.empty() || !Lettera(v.front()) || std::any_of(coda.begin(), coda.end(), Cifra))
            return;
        parole.insert(r);
    }
    if (parole.empty() || parole.size() * 3 > n) return;
    const auto pieno = [&](size_t r, size_t x) {
        return x < mvRighe[r].size() && mvRighe[r][x] != ' ' && mvRighe[r][x] != '\t';
    };
    for (size_t x = 0; x < larghezza && miServizioA < 0; ++x)
        if (std::all_of(mvChiamate.begin(), mvChiamate.end(),
                        [&](size_t r) { return pieno(r, x) != (parole.count(r) > 0); }))
            miServizioA = static_cast<int>(x);
    if (miServizioA < 0) return;
    std::set<std::string> testi;
    for (size_t r : parole) testi.insert(std::string(TogliSpazi(mvRighe[r].substr(a))));
    std::string esempi;
    for (const auto& t : testi) esempi += (esempi.empty() ? "" : ", ") + t;
    TogliDalleChiamate(parole);
    Voce(Ambito::Righe, "Righe di servizio",
         Num(static_cast<long long>(parole.size())) +
             " righe con l'ora hanno parole dove le altre chiamate hanno la durata (" + esempi +
             ") e nessuna cifra dopo: sono eventi dei servizi dell'interno, non chiamate; le "
             "chiamate chiedono testo in " +
             Dove(miServizioA, miServizioA + 1) + ", vuota su quelle righe (DIVERSO_DA \"\")",
         true);
}

}  // namespace tarno::proposta
