#include "analisi/ColonneMinori.h"

#include <algorithm>
#include <cctype>
#include <map>

namespace tarno {

namespace {

bool Cifra(char c) { return c >= '0' && c <= '9'; }

bool Presa(int x, const std::vector<std::pair<int, int>>& vPrese) {
    return std::any_of(vPrese.begin(), vPrese.end(),
                       [x](const auto& w) { return x >= w.first && x < w.second; });
}

// The count that ends just before column x on the line: its first column, or -1 when the
// digits before x are not a count of their own (a blank before them, six digits at most).
int InizioConteggio(std::string_view s, int x) {
    int k = x;
    while (k > 0 && Cifra(s[static_cast<size_t>(k - 1)])) --k;
    if (x - k < 1 || x - k > 6 || (k > 0 && s[static_cast<size_t>(k - 1)] != ' ')) return -1;
    return k;
}

}  // namespace

std::optional<CodiceDopoConteggio> TrovaCodiceDopoConteggio(
    const std::vector<std::string_view>& vRighe, const std::vector<std::pair<int, int>>& vPrese) {
    if (vRighe.size() < 4) return std::nullopt;
    size_t larghezza = 0;
    for (const auto s : vRighe) larghezza = std::max(larghezza, s.size());
    for (int x = 1; x < static_cast<int>(larghezza); ++x) {
        if (Presa(x, vPrese) || Presa(x - 1, vPrese)) continue;
        std::map<char, size_t> codici;
        std::map<char, size_t> addebitate;
        size_t chiusi = 0;  // lines where the code ends the text (a blank or the end after it)
        int inizio = x;
        bool va = true;
        for (const auto s : vRighe) {
            const auto i = static_cast<size_t>(x);
            const int k = s.size() > i && Cifra(s[i]) ? InizioConteggio(s, x) : -1;
            if (k < 0) {
                va = false;
                break;
            }
            inizio = std::min(inizio, k);
            chiusi += s.size() <= i + 1 || s[i + 1] == ' ';
            ++codici[s[i]];
            const std::string_view conteggio =
                s.substr(static_cast<size_t>(k), static_cast<size_t>(x - k));
            addebitate[s[i]] += conteggio.find_first_not_of('0') != std::string_view::npos;
        }
        // The code closes the text on most lines: digits after it on all are one value
        // (0201 beside 109), not a count and a code.
        if (!va || codici.size() < 2 || codici.size() > 3 || chiusi * 2 < vRighe.size()) continue;
        CodiceDopoConteggio c;
        c.iColonna = x;
        c.iConteggio = inizio;
        size_t senza = 0;
        for (const auto& [codice, righe] : codici) {
            if (righe < 2) va = false;
            if (addebitate[codice] == 0) {
                ++senza;
                c.cSenzaAddebito = codice;
                c.iSenzaAddebito = righe;
            } else {
                c.sAltri += codice;
                c.iAltre += righe;
                c.iAddebitate += addebitate[codice];
            }
        }
        // One code never charged, the others charged on most of their lines.
        if (va && senza == 1 && c.iAddebitate * 2 >= c.iAltre) return c;
    }
    return std::nullopt;
}

std::string EtichettaCostante(const std::set<std::string>& valori) {
    if (valori.size() < 2) return {};
    std::string etichetta;
    for (const auto& v : valori) {
        size_t l = 0;
        while (l < v.size() && std::isalpha(static_cast<unsigned char>(v[l]))) ++l;
        if (l == 0 || l > 3 || v.size() - l < 2 ||
            !std::all_of(v.begin() + static_cast<long>(l), v.end(), Cifra))
            return {};
        if (etichetta.empty()) etichetta = v.substr(0, l);
        if (v.compare(0, l, etichetta) != 0 || l != etichetta.size()) return {};
    }
    return etichetta;
}

std::string StessaEtichetta(const std::string& etichetta, const std::set<std::string>& valori) {
    if (etichetta.empty() || valori.empty()) return {};
    for (const auto& v : valori)
        if (v.size() < etichetta.size() + 2 || v.compare(0, etichetta.size(), etichetta) != 0 ||
            !std::all_of(v.begin() + static_cast<long>(etichetta.size()), v.end(), Cifra))
            return {};
    return etichetta;
}

std::set<std::string> SenzaNomiRari(const std::set<std::string>& valori) {
    std::set<std::string> resto;
    for (const auto& v : valori)
        if (std::any_of(v.begin(), v.end(), Cifra) && v.find(' ') == std::string::npos)
            resto.insert(v);
    return resto.size() * 5 >= valori.size() * 4 ? resto : valori;
}

char LetteraInCoda(const std::set<std::string>& valori) {
    char l = 0;
    for (const auto& v : valori) {
        if (v.size() < 2 || !std::isalpha(static_cast<unsigned char>(v.back())) ||
            (l && v.back() != l) || !std::all_of(v.begin(), v.end() - 1, Cifra))
            return 0;
        l = v.back();
    }
    return l;
}

}  // namespace tarno
