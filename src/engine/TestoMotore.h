#pragma once
// Small text helpers that the parts of the engine share: blanks, digits, the text at a position,
// control characters by name. Internal to the engine library.

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>

namespace tarno::motore {

inline bool Bianco(char c) { return c == ' ' || c == '\t'; }
inline bool Cifra(char c) { return c >= '0' && c <= '9'; }

inline std::string_view SenzaBianchi(std::string_view s) {
    size_t a = 0, b = s.size();
    while (a < b && Bianco(s[a])) ++a;
    while (b > a && Bianco(s[b - 1])) --b;
    return s.substr(a, b - a);
}

inline bool TuttoBianco(std::string_view s) {
    for (char c : s)
        if (!Bianco(c)) return false;
    return true;
}

// The text at a 1-based position and length; shorter (or empty) where the line ends.
inline std::string_view Taglio(std::string_view riga, int inizio, int lunghezza) {
    const size_t a = static_cast<size_t>(inizio - 1);
    if (a >= riga.size() || lunghezza <= 0) return {};
    return riga.substr(a, std::min(static_cast<size_t>(lunghezza), riga.size() - a));
}

inline std::string Virgolette(std::string_view s) { return "\"" + std::string(s) + "\""; }

inline bool Controllo(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u < 0x20 || u == 0x7F;
}

}  // namespace tarno::motore
