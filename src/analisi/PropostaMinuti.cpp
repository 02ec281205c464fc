#include "analisi/PropostaInterna.h"

// A duration of minutes and seconds whose minutes run past two digits (125:40): no format
// reads more than two digits of minutes, so the whole value is read as hours and minutes
// ("h:mm", hours of any length) and the driver divides it by 60.

namespace tarno::proposta {

namespace {

// Every value ends at the same column (a field of its own, left-aligned: 000:10, 127:05).
bool FineComune(const Colonna& c) {
    return std::all_of(c.vValori.begin(), c.vValori.end(),
                       [&](const Valore& v) { return v.b == c.vValori.front().b; });
}

}  // namespace

void Proponitore::MinutiOltreCento() {
    size_t hmm = mvFormati.size();
    for (size_t f = 0; f < mvFormati.size(); ++f)
        if (Maiusc(mvFormati[f].sTesto) == "H:MM") {
            hmm = f;
            break;
        }
    if (hmm == mvFormati.size()) return;
    for (Tempo& t : mvTempi) {
        if (t.sCampo != "dDurata" && t.sCampo != "dRisposta") continue;
        const Formato& f = mvFormati[t.c.iFormato];
        const std::string m = Maiusc(f.sTesto);
        if (f.bData || f.bOre || !f.bSecondi || m.find('M') == std::string::npos ||
            !(t.c.bDestra || FineComune(t.c)) || t.bDecimi || t.c.bLettere || t.c.bImpaccata ||
            t.c.a <= 0)
            continue;
        // Digits glued before the column on some calls: more minutes than the format reads.
        int a = t.c.a;
        size_t oltre = 0;
        std::string esempio;
        for (size_t r : mvChiamate) {
            const std::string& s = mvRighe[r];
            if (s.size() <= static_cast<size_t>(t.c.a)) continue;
            int x = t.c.a;
            while (x > 0 && Cifra(s[static_cast<size_t>(x - 1)])) --x;
            if (x == t.c.a || (x > 0 && s[static_cast<size_t>(x - 1)] != ' ')) continue;
            ++oltre;
            a = std::min(a, x);
            if (esempio.empty()) esempio = std::string(TogliSpazi(Testo(r, x, t.c.b)));
        }
        if (!oltre) continue;
        bool libero = true;
        for (const auto& [x, y] : mvOccupate)
            if (!(x == t.c.a && y == t.c.b)) libero &= !Sovrapposti(a, t.c.a, x, y);
        if (!libero) continue;
        for (auto& [x, y] : mvOccupate)
            if (x == t.c.a && y == t.c.b) x = a;
        Voce(Ambito::Campo, t.sCampo == "dDurata" ? "Durata" : "Squillo",
             Dove(a, t.c.b) + ": minuti e secondi, con pi\xF9 di due cifre di minuti su " +
                 Num(static_cast<long long>(oltre)) + " chiamate (" + esempio + "): letti come \"" +
                 mvFormati[hmm].sTesto + "\" (ore di ogni lunghezza) e divisi per 60",
             false, false, t.sCampo, a, t.c.b);
        t.c.a = a;
        t.c.iFormato = hmm;
        t.bSessantesimi = true;
    }
}

}  // namespace tarno::proposta
