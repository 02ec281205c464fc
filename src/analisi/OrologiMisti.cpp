#include "analisi/OrologiMisti.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <string_view>
#include <utility>

#include "analisi/PezziRecord.h"

namespace tarno {

namespace {

bool Cifra(char c) { return c >= '0' && c <= '9'; }

bool Segno(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u < 128 && std::ispunct(u);
}

// The marks of a word shaped h:mm;ss or hh:mm;ss (first the mark before the minutes, then the
// one before the seconds) and whether the hour has one digit; nothing for another word.
struct Forma {
    char cOre = 0, cSecondi = 0;
    bool bOraCorta = false;
};

bool LeggiForma(std::string_view w, Forma& f) {
    const size_t ore = w.size() == 8 ? 2 : w.size() == 7 ? 1 : 0;
    if (!ore) return false;
    for (size_t i = 0; i < w.size(); ++i) {
        const bool segno = i == ore || i == ore + 3;
        if (segno ? !Segno(w[i]) : !Cifra(w[i])) return false;
    }
    f.cOre = w[ore];
    f.cSecondi = w[ore + 3];
    f.bOraCorta = ore == 1;
    return (f.cOre == ':' || f.cOre == '.') && f.cSecondi != f.cOre;
}

}  // namespace

std::vector<std::string> FormatiOrologiMisti(const std::vector<std::string>& vRighe) {
    std::vector<std::pair<char, char>> ordine;
    std::map<std::pair<char, char>, std::pair<int, bool>> visti;  // count, a short hour seen
    for (const std::string& s : vRighe)
        for (const ParolaDiRiga& p : ParoleDiRiga(s)) {
            Forma f;
            if (LeggiForma(p.sTesto, f)) {
                const std::pair<char, char> k{f.cOre, f.cSecondi};
                if (!visti.count(k)) ordine.push_back(k);
                auto& [n, corta] = visti[k];
                ++n;
                corta |= f.bOraCorta;
            }
        }
    std::vector<std::string> formati;
    for (const auto& k : ordine) {
        const auto& [n, corta] = visti[k];
        if (n < 2) continue;
        const std::string secondi = std::string(1, k.second) + "ss";
        formati.push_back((corta ? "h" : "hh") + std::string(1, k.first) + "mm" + secondi);
        formati.push_back("mm" + secondi);
    }
    return formati;
}

}  // namespace tarno
