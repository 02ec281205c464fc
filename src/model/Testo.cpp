#include "model/Testo.h"

#include <array>
#include <cmath>
#include <cstdint>

#include "model/Numeri.h"

namespace tarno {

namespace {

// Unicode code points of the bytes 0x80 to 0x9F.
constexpr std::array<char32_t, 32> kAlti = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AccodaUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

std::optional<char> CodificaCp1252(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
    for (size_t i = 0; i < kAlti.size(); ++i)
        if (kAlti[i] == cp) return static_cast<char>(0x80 + i);
    return std::nullopt;
}

bool Spazio(char c) { return c == ' '; }
bool Bianco(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

}  // namespace

char MaiuscolaCP1252(char c) {
    const auto u = static_cast<unsigned char>(c);
    if (u >= 'a' && u <= 'z') return static_cast<char>(u - 0x20);
    if (u >= 0xE0 && u <= 0xFE && u != 0xF7) return static_cast<char>(u - 0x20);
    switch (u) {
        case 0x9A:
            return '\x8A';
        case 0x9C:
            return '\x8C';
        case 0x9E:
            return '\x8E';
        case 0xFF:
            return '\x9F';
        default:
            return c;
    }
}

std::string Maiuscolo(std::string_view s) {
    std::string r(s);
    for (char& c : r) c = MaiuscolaCP1252(c);
    return r;
}

bool UgualeNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (MaiuscolaCP1252(a[i]) != MaiuscolaCP1252(b[i])) return false;
    return true;
}

std::string ChiaveNoCase(std::string_view s) { return Maiuscolo(s); }

std::string_view TogliSpazi(std::string_view s) {
    while (!s.empty() && Spazio(s.front())) s.remove_prefix(1);
    while (!s.empty() && Spazio(s.back())) s.remove_suffix(1);
    return s;
}

std::string_view TogliBianchi(std::string_view s) {
    while (!s.empty() && Bianco(s.front())) s.remove_prefix(1);
    while (!s.empty() && Bianco(s.back())) s.remove_suffix(1);
    return s;
}

std::string TraVirgolette(std::string_view s, size_t da, size_t a) {
    if (a < da + 3 || a > s.size()) return {};
    return std::string(s.substr(da + 2, a - da - 3));
}

std::string CifreFinali(std::string_view s) {
    size_t i = s.size();
    while (i > 0 && s[i - 1] >= '0' && s[i - 1] <= '9') --i;
    return std::string(s.substr(i));
}

std::string Cp1252InUtf8(std::string_view s) {
    std::string out;
    out.reserve(s.size() + s.size() / 8);
    for (char c : s) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x80)
            out += c;
        else if (u < 0xA0)
            AccodaUtf8(out, kAlti[u - 0x80]);
        else
            AccodaUtf8(out, u);
    }
    return out;
}

std::optional<std::string> Utf8InCp1252(std::string_view s, std::string* rsErrore) {
    std::string out;
    out.reserve(s.size());
    size_t i = 0;
    auto errore = [&](const std::string& e) -> std::optional<std::string> {
        if (rsErrore) *rsErrore = e;
        return std::nullopt;
    };
    while (i < s.size()) {
        const auto u = static_cast<unsigned char>(s[i]);
        char32_t cp = 0;
        size_t n = 0;
        if (u < 0x80) {
            cp = u;
            n = 1;
        } else if ((u & 0xE0) == 0xC0) {
            cp = u & 0x1F;
            n = 2;
        } else if ((u & 0xF0) == 0xE0) {
            cp = u & 0x0F;
            n = 3;
        } else if ((u & 0xF8) == 0xF0) {
            cp = u & 0x07;
            n = 4;
        } else {
            return errore("testo UTF-8 non valido alla posizione " + std::to_string(i + 1));
        }
        if (i + n > s.size())
            return errore("testo UTF-8 troncato alla posizione " + std::to_string(i + 1));
        for (size_t k = 1; k < n; ++k) {
            const auto c = static_cast<unsigned char>(s[i + k]);
            if ((c & 0xC0) != 0x80)
                return errore("testo UTF-8 non valido alla posizione " + std::to_string(i + 1));
            cp = (cp << 6) | (c & 0x3F);
        }
        const auto cp1252 = CodificaCp1252(cp);
        if (!cp1252) {
            return errore("il carattere \"" + std::string(s.substr(i, n)) +
                          "\" non \xC3\xA8 rappresentabile in Windows-1252");
        }
        out += *cp1252;
        i += n;
    }
    return out;
}

std::string NomeFileInCp1252(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size();) {
        const auto u = static_cast<unsigned char>(s[i]);
        size_t n = u < 0x80             ? 1
                   : (u & 0xE0) == 0xC0 ? 2
                   : (u & 0xF0) == 0xE0 ? 3
                   : (u & 0xF8) == 0xF0 ? 4
                                        : 0;
        if (i + n > s.size()) n = 0;
        for (size_t k = 1; k < n; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) n = 0;
        // One "?" for a whole character Windows-1252 lacks, one for each stray byte.
        const auto c = n ? Utf8InCp1252(s.substr(i, n)) : std::nullopt;
        out += c ? *c : std::string("?");
        i += n ? n : 1;
    }
    return out;
}

const char* NomeControllo(char c) {
    static constexpr const char* kNomi[32] = {
        "NUL", "SOH", "STX", "ETX", "EOT", "ENQ", "ACK", "BEL", "BS",  "HT",  "LF",
        "VT",  "FF",  "CR",  "SO",  "SI",  "DLE", "DC1", "DC2", "DC3", "DC4", "NAK",
        "SYN", "ETB", "CAN", "EM",  "SUB", "ESC", "FS",  "GS",  "RS",  "US"};
    const auto u = static_cast<unsigned char>(c);
    return u < 32 ? kNomi[u] : u == 0x7F ? "DEL" : nullptr;
}

std::optional<char> CarattereDaTesto(std::string_view s) {
    s = TogliSpazi(s);
    if (s.size() == 1 && !(s[0] >= '0' && s[0] <= '9')) return s[0];
    if (s.size() > 2 && s.front() == '<' && s.back() == '>') {
        const std::string nome = Maiuscolo(s.substr(1, s.size() - 2));
        if (nome == "TAB") return '\t';
        for (int i = 0; i < 128; i = i == 31 ? 127 : i + 1)
            if (nome == NomeControllo(static_cast<char>(i))) return static_cast<char>(i);
        return std::nullopt;
    }
    const auto v = ValoreNumerico(s);
    if (!s.empty() && v && *v >= 0 && *v <= 255 && *v == std::floor(*v))
        return static_cast<char>(static_cast<unsigned char>(*v));
    return std::nullopt;
}

std::string CarattereInTesto(char c) {
    if (c == '\t') return "<TAB>";
    if (c == ' ') return "32";
    if (const char* nome = NomeControllo(c)) return "<" + std::string(nome) + ">";
    return std::string(1, c);
}

}  // namespace tarno
