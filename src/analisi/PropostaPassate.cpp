#include "analisi/PropostaInterna.h"

// Calls passed on to another extension, told by the extension they went to.

namespace tarno::proposta {

// The calls print text in every column where all the other calls of their kind print it: an
// internal call, with no trunk, does not.
bool Proponitore::StampanoComeLeAltre(const std::set<size_t>& righe, bool bEntranti) const {
    const size_t larghezza = LarghezzaChiamate();
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

// A word that says a call was transferred, in English or in a Romance language (TRANSFERRED,
// BLIND_TRANSFER, XFER, TRASFERITA, TRANSFERIDA): letters and joiners only, no digits.
namespace {

bool ParolaDiTrasferimento(const std::string& valore) {
    const std::string v = Maiusc(TogliSpazi(valore));
    if (v.size() < 3) return false;
    for (char c : v)
        if (!Lettera(c) && c != '_' && c != '-' && c != ' ') return false;
    for (const char* p : {"TRANSF", "TRASF", "XFER"})
        if (v.find(p) != std::string::npos) return true;
    return false;
}

}  // namespace

// A column of words beside the direction's (a status, a disposition) that says of some calls,
// not all, that they were transferred: those calls are transferred, of either kind. Only where
// nothing else marks a transfer; where several such words are printed the commonest is taken.
void Proponitore::TrasferimentoInParola() {
    if (miTrasfA >= 0 || !msTrasf.empty() || !mCodiciCoppia.empty() || !msTrasfForma.empty() ||
        miDirA < 0)
        return;
    for (const auto& [t, k] : mDirValori)
        if (k == 'e' || k == 'u' || k == 'T') return;
    std::set<std::pair<int, int>> colonne;
    for (const bool entranti : {true, false})
        for (const Segmento& g : mSegmenti[entranti])
            if ((g.sRuolo.empty() || g.sRuolo == "-") && !Sovrapposti(g.a, g.b, miDirA, miDirB))
                colonne.insert({g.a, g.b});
    for (const auto& [a, b] : colonne) {
        std::map<std::string, std::set<size_t>> segnate;
        for (size_t r : mvChiamate)
            if (const std::string v(TogliSpazi(Testo(r, a, b))); ParolaDiTrasferimento(v))
                segnate[v].insert(r);
        size_t tutte = 0;
        const std::pair<const std::string, std::set<size_t>>* scelta = nullptr;
        for (const auto& w : segnate) {
            tutte += w.second.size();
            if (!scelta || w.second.size() > scelta->second.size()) scelta = &w;
        }
        if (!scelta || tutte == mvChiamate.size()) continue;
        // The word is read where the column starts: its first letter must stand there.
        const size_t r0 = *scelta->second.begin();
        if (Testo(r0, a, a + static_cast<int>(scelta->first.size())) != scelta->first) continue;
        msTrasf = scelta->first;
        miTrasfA = a;
        miTrasfB = a + static_cast<int>(msTrasf.size());
        std::string altre;
        for (const auto& [w, righe] : segnate)
            if (w != msTrasf) altre += std::string(altre.empty() ? "" : ", ") + "\"" + w + "\"";
        Voce(Ambito::Tipo, "Trasferite",
             Dove(a, b) + ": \"" + msTrasf + "\" su " +
                 Num(static_cast<long long>(scelta->second.size())) +
                 (scelta->second.size() == 1 ? " chiamata su " : " chiamate su ") +
                 Num(static_cast<long long>(mvChiamate.size())) +
                 ", altre parole sulle altre: la parola dice che la chiamata \xE8 stata "
                 "trasferita, e le chiamate che la stampano sono proposte trasferite" +
                 (altre.empty() ? std::string()
                                : "; anche " + altre +
                                      " la dicono, ma una sola parola fa "
                                      "la condizione: aggiungere le altre a mano"),
             !altre.empty());
        return;
    }
}

}  // namespace tarno::proposta
