#include "analisi/PropostaInterna.h"

// Money printed beside the call's other fields: a charge is no trunk nor extension.

namespace tarno::proposta {

namespace {

// An amount: digits, a point or a comma, two digits (0.90  14,35); the digits before the
// mark, as many as the amount needs.
bool Ammontare(const std::string& t) {
    const size_t k = t.size();
    return k >= 4 && (t[k - 3] == '.' || t[k - 3] == ',') && Cifra(t[k - 1]) && Cifra(t[k - 2]) &&
           std::all_of(t.begin(), t.end() - 3, Cifra);
}

}  // namespace

bool Proponitore::ColonnaDiImporti(int a, int b) const {
    size_t quanti = 0;
    bool zero = false;
    std::set<size_t> larghezze;
    for (size_t r : mvChiamate) {
        const std::string& s = mvRighe[r];
        // The word over the window, whole: an amount right-justified runs past it.
        size_t x = static_cast<size_t>(std::max(a, 0));
        while (x < s.size() && x < static_cast<size_t>(b) && s[x] == ' ') ++x;
        if (x >= s.size() || x >= static_cast<size_t>(b)) continue;
        size_t i = x, j = x;
        while (i > 0 && s[i - 1] != ' ') --i;
        while (j < s.size() && s[j] != ' ') ++j;
        const std::string t = s.substr(i, j - i);
        if (!Ammontare(t)) return false;
        ++quanti;
        zero |= t.find_first_not_of("0.,") == std::string::npos;
        larghezze.insert(t.size());
    }
    return quanti >= 3 && (zero || larghezze.size() > 1);
}

bool LetteraCostante(const std::set<std::string>& valori) {
    if (valori.size() < 2 || valori.begin()->empty()) return false;
    const char lettera = valori.begin()->front();
    return Lettera(lettera) && std::all_of(valori.begin(), valori.end(), [&](const std::string& v) {
               return v.size() >= 3 && v.size() <= 5 && v.front() == lettera &&
                      std::all_of(v.begin() + 1, v.end(), Cifra);
           });
}

}  // namespace tarno::proposta
