#include "analisi/PropostaInterna.h"

// Calls passed on to another extension, told by the extension they went to.

namespace tarno::proposta {

// The calls print text in every column where all the other calls of their kind print it: an
// internal call, with no trunk, does not.
bool Proponitore::StampanoComeLeAltre(const std::set<size_t>& righe, bool bEntranti) const {
    size_t larghezza = 0;
    for (size_t r : mvChiamate) larghezza = std::max(larghezza, mvRighe[r].size());
    const auto pieno = [&](size_t r, size_t x) {
        return x < mvRighe[r].size() && mvRighe[r][x] != ' ' && mvRighe[r][x] != '\t';
    };
    for (size_t x = 0; x < larghezza; ++x) {
        bool altre = false, tutte = true;
        for (size_t r : mvChiamate)
            if ((mvTipo[r] == 'E') == bEntranti && !righe.count(r)) {
                altre = true;
                tutte &= pieno(r, x);
            }
        if (altre && tutte &&
            !std::all_of(righe.begin(), righe.end(), [&](size_t r) { return pieno(r, x); }))
            return false;
    }
    return true;
}

// A column after the extension's, no field, holding digits on a third of the calls at most and
// blank on the others, where every value is an extension some call prints as its own and none
// is the call's own: the extension the call was passed to. Those calls are transferred (the
// column not blank); only where nothing else marks a transfer.
void Proponitore::PassateAdAltroInterno() {
    const size_t n = mvChiamate.size();
    if (n < 4 || miTrasfA >= 0 || !mCodiciCoppia.empty() || !msTrasfForma.empty()) return;
    for (const auto& [t, k] : mDirValori)
        if (k == 'e' || k == 'u' || k == 'T') return;
    // Each call's own extension, and every extension printed.
    std::map<size_t, std::string> proprio;
    std::set<std::string> interni;
    int fineInterno = -1;
    for (const bool entranti : {true, false})
        for (const Segmento& g : mSegmenti[entranti]) {
            if (g.sRuolo != "sDerivato") continue;
            fineInterno = std::max(fineInterno, g.b);
            for (size_t r : mvChiamate)
                if ((mvTipo[r] == 'E') == entranti)
                    if (const std::string v(TogliSpazi(Testo(r, g.a, g.b))); !v.empty())
                        interni.insert(proprio[r] = v);
        }
    if (interni.size() < 2) return;
    for (const bool entranti : {true, false})
        for (const Segmento& g : mSegmenti[entranti]) {
            if ((!g.sRuolo.empty() && g.sRuolo != "-") || g.a < fineInterno || g.iPieni == 0 ||
                g.iIntere != g.iPieni)
                continue;
            std::set<size_t> passate;
            bool va = true;
            for (size_t r : mvChiamate) {
                const std::string v(TogliSpazi(Testo(r, g.a, g.b)));
                if (v.empty()) continue;
                va &= (mvTipo[r] == 'E') == entranti && interni.count(v) && proprio[r] != v;
                passate.insert(r);
            }
            if (!va || passate.size() * 3 > n || !StampanoComeLeAltre(passate, entranti)) continue;
            miPassateA = g.a;
            miPassateB = g.b;
            mbPassateEntranti = entranti;
            Voce(Ambito::Tipo, "Trasferite",
                 Dove(g.a, g.b) + ": un interno (" + PrimiTesti(passate, g.a, g.b) + ") su " +
                     Num(static_cast<long long>(passate.size())) + " chiamate su " +
                     Num(static_cast<long long>(n)) +
                     ", vuota sulle altre; ogni valore \xE8 un interno che altre chiamate "
                     "stampano come proprio, mai quello della chiamata: l'interno a cui la "
                     "chiamata \xE8 passata, e le chiamate che lo stampano sono proposte "
                     "trasferite (la colonna non vuota)",
                 true);
            return;
        }
}

}  // namespace tarno::proposta
