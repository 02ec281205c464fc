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

// The direction told by a code, no ringing time yet: a time with its marks (00'06, 0:12)
// read on half the incoming calls at least and on no outgoing one, every value under ten
// minutes, in columns where the outgoing calls print another field (the number) or nothing:
// only incoming calls ring before an answer, it is their ringing time.
void Proponitore::SquilloDelleEntranti() {
    if (std::any_of(mvTempi.begin(), mvTempi.end(),
                    [](const Tempo& t) { return t.sCampo == "dRisposta"; }))
        return;
    size_t entranti = 0;
    for (size_t r : mvChiamate) entranti += mvTipo[r] == 'E';
    if (entranti < 2) return;
    const auto preso = [&](int a, int b) {
        if (mData && Sovrapposti(a, b, mData->a, mData->b)) return true;
        return std::any_of(mvTempi.begin(), mvTempi.end(),
                           [&](const Tempo& t) { return Sovrapposti(a, b, t.c.a, t.c.b); });
    };
    const Colonna* scelta = nullptr;
    size_t migliori = 0;
    for (const Colonna& c : mvCandidate) {
        const Formato& f = mvFormati[c.iFormato];
        if (f.bData || !f.bSecondi || !f.bLetterale || f.bMeridiano || c.bImpaccata ||
            preso(c.a, c.b))
            continue;
        size_t suEntranti = 0;
        bool va = true;
        for (const Valore& v : c.vValori) {
            if (!mvChiamata[v.iRiga]) continue;
            va &= mvTipo[v.iRiga] == 'E' && v.v.TotaleSecondi() < 600;
            suEntranti += mvTipo[v.iRiga] == 'E';
        }
        if (!va || suEntranti * 2 < entranti || suEntranti < 2) continue;
        // Where the incoming calls already read a field other than the number there, no.
        const auto& segmenti = mSegmenti[true];
        if (std::any_of(segmenti.begin(), segmenti.end(), [&](const Segmento& g) {
                return Sovrapposti(g.a, g.b, c.a, c.b) && !g.sRuolo.empty() && g.sRuolo != "-" &&
                       g.sRuolo != "sNumero";
            }))
            continue;
        if (suEntranti > migliori) {
            scelta = &c;
            migliori = suEntranti;
        }
    }
    if (!scelta) return;
    Colonna c = *scelta;
    for (Segmento& g : mSegmenti[true])
        if (Sovrapposti(g.a, g.b, c.a, c.b)) g.sRuolo = "-";
    mvTempi.push_back({c, "dRisposta", false, {}});
    std::set<size_t> righe;
    for (const Valore& v : c.vValori) righe.insert(v.iRiga);
    Voce(Ambito::Campo, "Durata squillo",
         Dove(c.a, c.b) + ": \"" + mvFormati[c.iFormato].sTesto + "\" legge " +
             Num(static_cast<long long>(migliori)) + " chiamate entranti su " +
             Num(static_cast<long long>(entranti)) + " e nessuna uscente (" +
             PrimiTesti(righe, c.a, c.b) +
             "), tempi brevi: solo le entranti squillano prima della risposta, \xE8 il tempo di "
             "squillo",
         true, true, "dRisposta", c.a, c.b);
}

}  // namespace tarno::proposta
