#include "analisi/PropostaInterna.h"

// The kind of a call told by its ringing time, when no column of codes tells it.

namespace tarno::proposta {

bool Proponitore::InizioDiSquillo(int iColonna) const {
    if (iColonna == miSquilloA) return true;
    return std::any_of(mvTempi.begin(), mvTempi.end(), [&](const Tempo& t) {
        return t.sCampo == "dRisposta" && t.c.a == iColonna;
    });
}

// A ringing time read on some calls only, where every other call prints the number it dialled
// (seven digits or more starting in the same columns) or nothing: the two kinds share the
// columns, the incoming calls are those whose text there reads as a time. A time printed with
// a mark (00:00:09) only: digits alone would read the numbers too.
bool Proponitore::EntrantiDalloSquilloLetto() {
    const size_t n = mvChiamate.size();
    const auto t = std::find_if(mvTempi.begin(), mvTempi.end(),
                                [](const Tempo& x) { return x.sCampo == "dRisposta"; });
    if (n < 4 || t == mvTempi.end() || t->bDecimi || t->bSessantesimi || t->c.bLettere)
        return false;
    const int a = t->c.a, b = t->c.b;
    std::set<size_t> suonate, numeri;
    for (size_t r : mvChiamate) {
        const std::string v(TogliSpazi(Testo(r, a, b)));
        if (t->c.Su(r)) {
            if (std::all_of(v.begin(), v.end(), Cifra)) return false;
            suonate.insert(r);
            continue;
        }
        if (v.empty()) continue;
        // The number starts in the window and may run past it.
        const std::string& s = mvRighe[r];
        size_t x = static_cast<size_t>(a);
        while (x < static_cast<size_t>(b) && s[x] == ' ') ++x;
        size_t y = x;
        while (y < s.size() && Cifra(s[y])) ++y;
        if (y - x < 7) return false;
        numeri.insert(r);
    }
    if (suonate.size() < 2 || numeri.size() < 2 || suonate.size() + 2 > n) return false;
    miSoloSquilloA = a;
    miSoloSquilloB = b;
    miSoloSquilloFormato = t->c.iFormato;
    for (size_t r : suonate) mvTipo[r] = 'E';
    Voce(Ambito::Tipo, "Entranti e uscenti",
         "nessuna colonna di codici; " + Dove(a, b) + ": \"" + mvFormati[t->c.iFormato].sTesto +
             "\" legge un tempo di squillo su " + Num(static_cast<long long>(suonate.size())) +
             " chiamate (" + PrimiTesti(suonate, a, b) + "), dove " +
             Num(static_cast<long long>(numeri.size())) + " altre stampano il numero (" +
             PrimiTesti(numeri, a, static_cast<int>(mvRighe[*numeri.begin()].size())) +
             "): le chiamate con lo squillo proposte entranti (l'ora si legge in quelle "
             "colonne), le altre uscenti, il loro numero comincia l\xEC",
         true);
    return true;
}

// Of two sets of calls that print the number in different columns, the one whose calls alone
// read a ringing time: a call rings before it is answered only when it comes in. True when the
// first set rang, false when the second did, nothing when the time is on both or on too few.
std::optional<bool> Proponitore::PrimeSuonate(const std::set<size_t>& prime,
                                              const std::set<size_t>& dopo) const {
    const auto t = std::find_if(mvTempi.begin(), mvTempi.end(),
                                [](const Tempo& x) { return x.sCampo == "dRisposta"; });
    if (t == mvTempi.end()) return std::nullopt;
    size_t su1 = 0, su2 = 0;
    for (const Valore& v : t->c.vValori) {
        su1 += prime.count(v.iRiga);
        su2 += dopo.count(v.iRiga);
    }
    if ((su1 == 0) == (su2 == 0) || su1 + su2 < 2) return std::nullopt;
    return su1 > 0;
}

}  // namespace tarno::proposta
