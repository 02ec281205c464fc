#include "analisi/RigheInBlocchi.h"

#include <algorithm>
#include <map>
#include <utility>

namespace tarno {

namespace {

constexpr size_t kMinimoChiamate = 3;
constexpr size_t kMassimoRighe = 8;

bool Cifra(char c) { return c >= '0' && c <= '9'; }
bool Maiuscola(char c) { return c >= 'A' && c <= 'Z'; }
bool Lettera(char c) {
    return Maiuscola(c) || (c >= 'a' && c <= 'z') || static_cast<unsigned char>(c) >= 0xC0;
}

// The mark a line opens with, and where; empty when it opens with none.
std::pair<std::string, int> Segno(const std::string& s) {
    const size_t i = s.find_first_not_of(' ');
    if (i == std::string::npos) return {};
    size_t j = i;
    if (Maiuscola(s[i])) {
        while (j < s.size() && Maiuscola(s[j])) ++j;
        // A word of capitals alone before a blank and more text.
        if (j - i < 2 || j - i > 8 || j >= s.size() || s[j] != ' ') return {};
    } else if (!Cifra(s[i]) && !Lettera(s[i]) && s[i] != '\t') {
        while (j < s.size() && s[j] == s[i]) ++j;
    } else {
        return {};
    }
    // Data must follow, a digit at least: a rule of dashes or a line of column titles opens
    // nothing.
    if (std::none_of(s.begin() + static_cast<std::ptrdiff_t>(j), s.end(), Cifra)) return {};
    return {s.substr(i, j - i), static_cast<int>(i)};
}

}  // namespace

size_t Blocchi::Minimo() const {
    return vRighe.empty() ? 0 : *std::min_element(vRighe.begin(), vRighe.end());
}

size_t Blocchi::Massimo() const {
    return vRighe.empty() ? 0 : *std::max_element(vRighe.begin(), vRighe.end());
}

std::optional<Blocchi> TrovaBlocchi(const std::vector<std::string>& vRighe) {
    std::map<std::pair<std::string, int>, std::vector<size_t>> perSegno;
    for (size_t r = 0; r < vRighe.size(); ++r)
        if (auto s = Segno(vRighe[r]); !s.first.empty()) perSegno[s].push_back(r);
    std::optional<Blocchi> migliore;
    for (auto& [segno, righe] : perSegno) {
        const std::vector<size_t>& inizi = righe;  // a reference a lambda below can capture
        if (inizi.size() < kMinimoChiamate) continue;
        // The same text on every opener is a title repeated, not a call's first line.
        if (std::all_of(inizi.begin(), inizi.end(),
                        [&](size_t r) { return vRighe[r] == vRighe[inizi.front()]; }))
            continue;
        Blocchi b;
        b.sApre = segno.first;
        b.iColonna = segno.second;
        b.vInizi = inizi;
        bool va = true;
        for (size_t k = 0; k + 1 < inizi.size() && va; ++k) {
            const size_t n = inizi[k + 1] - inizi[k];
            va = n >= 2 && n <= kMassimoRighe;
            b.vRighe.push_back(n);
        }
        if (!va) continue;
        // The last call: up to the end, no longer than the longest of the others.
        const size_t resto = vRighe.size() - inizi.back();
        b.vRighe.push_back(std::min(resto, b.Massimo()));
        if (b.vRighe.back() < 2) continue;
        if (!migliore || b.vInizi.size() > migliore->vInizi.size()) migliore = std::move(b);
    }
    return migliore;
}

}  // namespace tarno
