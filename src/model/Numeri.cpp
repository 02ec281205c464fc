#include "model/Numeri.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace tarno {

namespace {

bool Bianco(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
bool Cifra(char c) { return c >= '0' && c <= '9'; }

double Converti(const std::string& testo) {
    double v = 0;
    const char* inizio = testo.data();
    if (!testo.empty() && testo[0] == '+') ++inizio;
    const auto [ptr, ec] = std::from_chars(inizio, testo.data() + testo.size(), v);
    if (ec == std::errc::result_out_of_range) {
        return (testo[0] == '-') ? -HUGE_VAL : HUGE_VAL;
    }
    if (ec != std::errc()) return 0;
    return v;
}

template <class T>
std::optional<T> ArrotondaIn(double v) {
    if (!std::isfinite(v)) return std::nullopt;
    const double r = std::nearbyint(v);
    if (r < static_cast<double>(std::numeric_limits<T>::min()) ||
        r > static_cast<double>(std::numeric_limits<T>::max()))
        return std::nullopt;
    return static_cast<T>(r);
}

}  // namespace

double ValoreIniziale(std::string_view s) {
    std::string pulito;
    bool iniziato = false, punto = false, cifre = false;
    for (char c : s) {
        if (Bianco(c)) continue;
        if (!iniziato && (c == '-' || c == '+')) {
            pulito += c;
            iniziato = true;
            continue;
        }
        iniziato = true;
        if (Cifra(c)) {
            pulito += c;
            cifre = true;
        } else if (c == '.' && !punto) {
            pulito += c;
            punto = true;
        } else {
            break;
        }
    }
    return cifre ? Converti(pulito) : 0;
}

std::optional<double> ValoreNumerico(std::string_view s) {
    while (!s.empty() && Bianco(s.front())) s.remove_prefix(1);
    while (!s.empty() && Bianco(s.back())) s.remove_suffix(1);
    size_t i = 0;
    std::string pulito;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) pulito += s[i++];
    bool cifre = false;
    while (i < s.size() && Cifra(s[i])) {
        pulito += s[i++];
        cifre = true;
    }
    if (i < s.size() && s[i] == '.') {
        ++i;
        std::string decimali;
        while (i < s.size() && Cifra(s[i])) decimali += s[i++];
        if (!decimali.empty()) {
            if (!cifre) pulito += '0';
            pulito += '.' + decimali;
            cifre = true;
        }
    }
    if (!cifre) return std::nullopt;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        size_t j = i + 1;
        std::string esponente = "e";
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) esponente += s[j++];
        if (j >= s.size() || !Cifra(s[j])) return std::nullopt;
        while (j < s.size() && Cifra(s[j])) esponente += s[j++];
        pulito += esponente;
        i = j;
    }
    if (i != s.size()) return std::nullopt;
    return Converti(pulito);
}

std::optional<int16_t> Arrotonda16(double v) { return ArrotondaIn<int16_t>(v); }
std::optional<int32_t> Arrotonda32(double v) { return ArrotondaIn<int32_t>(v); }

std::optional<int16_t> LeggiIntero16(std::string_view s) { return Arrotonda16(ValoreIniziale(s)); }

std::string TestoPosizione(int16_t iInizio, int16_t iLunghezza, int16_t iRiga, int16_t iNelCampo) {
    std::string s = std::to_string(iInizio) + "," + std::to_string(iLunghezza) + ",";
    if (iRiga != 0) s += std::to_string(iRiga);
    if (iNelCampo != 0) s += "," + std::to_string(iNelCampo);
    return s;
}

bool LeggiRigaPosizione(std::string_view s, int16_t& riRiga, int16_t& riNelCampo) {
    const size_t virgola = s.find(',');
    const auto riga = LeggiIntero16(s.substr(0, virgola));
    const auto nelCampo = virgola == std::string_view::npos ? std::optional<int16_t>(0)
                                                            : LeggiIntero16(s.substr(virgola + 1));
    if (!riga || !nelCampo) return false;
    riRiga = *riga;
    riNelCampo = *nelCampo;
    return true;
}

}  // namespace tarno
