#include "analisi/PropostaInterna.h"

// The calling and the called party under headings that say which is which (source and
// destination, caller and called, from and to): an extension calling is an outgoing call, a
// number calling an incoming one, whatever the called party is (an extension, or the number
// the caller dialled to reach the system).

namespace tarno::proposta {

namespace {

// The digits of the value that starts at column x of the line (after a "+" of an international
// number), or "" where the value holds anything else.
std::string SoloCifreDa(const std::string& s, int x) {
    auto c = static_cast<size_t>(x);
    if (c >= s.size() || (c > 0 && s[c - 1] != ' ')) return {};
    if (s[c] == '+') ++c;
    size_t j = c;
    while (j < s.size() && Cifra(s[j])) ++j;
    if (j < s.size() && s[j] != ' ') return {};
    return s.substr(c, j - c);
}

bool NonParte(const std::string& nome) {
    return HaParola(nome, {"PORT", "IP", "ADDR", "HOST", "ID", "COUNT", "DURATION", "TIME"});
}

}  // namespace

bool Proponitore::EntrantiDalChiamante() {
    const size_t n = mvChiamate.size();
    if (n < 4) return false;
    // The first column named for the calling side, and the first named for the called side.
    std::set<int> colonne;
    for (size_t r : mvChiamate)
        for (size_t x = 0; x < mvRighe[r].size(); ++x)
            if ((Cifra(mvRighe[r][x]) || mvRighe[r][x] == '+') &&
                (x == 0 || mvRighe[r][x - 1] == ' '))
                colonne.insert(static_cast<int>(x));
    int chi = -1, chiamato = -1;
    for (int x : colonne) {
        const bool occupata = Occupata(x);
        const std::string nome = Intestazione(x, x + 1);
        if (occupata || nome.empty() || NonParte(nome)) continue;
        size_t cifre = 0;
        for (size_t r : mvChiamate) cifre += !SoloCifreDa(mvRighe[r], x).empty();
        if (cifre * 10 < n * 9) continue;
        if (chi < 0 && HaParola(nome, {"SRC", "SOURCE", "CALLER", "CALLING", "FROM", "ANI", "CLI"}))
            chi = x;
        else if (chiamato < 0 && HaParola(nome, {"DST", "DEST", "CALLED", "CALLEE", "TO", "DIALED",
                                                 "DIALLED", "DNIS"}))
            chiamato = x;
    }
    if (chi < 0 || chiamato < 0) return false;
    // Every caller an extension of one width (two to six digits) or a number of seven or more.
    size_t corta = 0;
    std::vector<size_t> daNumero;
    for (size_t r : mvChiamate) {
        const std::string a = SoloCifreDa(mvRighe[r], chi);
        if (a.size() >= 7) {
            daNumero.push_back(r);
            continue;
        }
        if (a.size() < 2 || (corta && a.size() != corta)) return false;
        corta = a.size();
    }
    const size_t entranti = daNumero.size();
    if (entranti < 2 || n - entranti < 2 || corta + 3 > 7) return false;
    SegnaEntranti(daNumero, chi + static_cast<int>(corta), "", miPartiA, miPartiB);
    // The printed party may go on after its digits (221@10.0.1.11): a digit there, not any sign.
    mbFormaCifra = true;
    miChiamanteA = chi;
    miChiamatoA = chiamato;
    const std::set<size_t> primi(daNumero.begin(), daNumero.end());
    Voce(Ambito::Tipo, "Entranti e uscenti",
         Dove(chi, chi + 1) + " nomina chi chiama e " + Dove(chiamato, chiamato + 1) +
             " chi \xE8 chiamato: chiama un interno di " + Num(static_cast<long long>(corta)) +
             " cifre su " + Num(static_cast<long long>(n - entranti)) +
             " chiamate, uscenti, e un numero di sette cifre o pi\xF9 sulle altre " +
             Num(static_cast<long long>(entranti)) + " (" + PrimiTesti(primi, chi, chi + 11) +
             "), entranti (cifre in " + Dove(miFormaA, miFormaB) +
             ", SOLO_NUMERI); le uscenti leggono l'interno da chi chiama e il numero dal chiamato, "
             "le "
             "entranti il numero da chi chiama",
         true);
    return true;
}

void Proponitore::RuoliDalChiamante() {
    if (miChiamanteA < 0) return;
    for (auto& [bEntrante, segmenti] : mSegmenti) {
        Segmento* pChi = nullptr;
        Segmento* pChiamato = nullptr;
        for (auto& g : segmenti) {
            if (g.a == miChiamanteA) pChi = &g;
            if (g.a == miChiamatoA) pChiamato = &g;
        }
        if (!pChi) continue;
        if (bEntrante) {
            // The called party is who the call is for: the extension, or the number dialled to
            // reach it when the printout maps it to the extension elsewhere.
            for (auto& g : segmenti)
                if (g.sRuolo == "sNumero" || (pChiamato && g.sRuolo == "sDerivato"))
                    g.sRuolo.clear();
            pChi->sRuolo = "sNumero";
            if (pChiamato) pChiamato->sRuolo = "sDerivato";
            continue;
        }
        if (!pChiamato) continue;
        for (auto& g : segmenti)
            if (g.sRuolo == "sDerivato" || g.sRuolo == "sNumero") g.sRuolo.clear();
        pChi->sRuolo = "sDerivato";
        pChiamato->sRuolo = "sNumero";
    }
}

}  // namespace tarno::proposta
