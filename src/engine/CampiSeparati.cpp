#include "engine/CampiSeparati.h"

#include <algorithm>

#include "model/Testo.h"

namespace tarno {

namespace {

// Whether s is UTF-8 with at least one character beyond ASCII.
bool InUtf8(std::string_view s) {
    bool oltre = false;
    for (size_t i = 0; i < s.size();) {
        const auto u = static_cast<unsigned char>(s[i]);
        const size_t n = u < 0x80             ? 1
                         : (u & 0xE0) == 0xC0 ? 2
                         : (u & 0xF0) == 0xE0 ? 3
                         : (u & 0xF8) == 0xF0 ? 4
                                              : 0;
        if (n == 0 || i + n > s.size() || (n == 2 && u < 0xC2)) return false;
        for (size_t k = 1; k < n; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        oltre |= n > 1;
        i += n;
    }
    return oltre;
}

}  // namespace

void DividiCampi(std::string_view s, char cSeparatore, char cVirgolette, CampiRiga& r) {
    r.iCampi = 0;
    size_t i = 0;
    while (true) {
        if (r.iCampi == r.vCampi.size()) r.vCampi.emplace_back();
        std::string& campo = r.vCampi[r.iCampi++];
        campo.clear();
        bool alto = false;
        if (cVirgolette != 0 && i < s.size() && s[i] == cVirgolette) {
            for (++i; i < s.size(); ++i) {
                if (s[i] == cVirgolette) {
                    if (i + 1 < s.size() && s[i + 1] == cVirgolette) {
                        campo += cVirgolette;
                        ++i;
                        continue;
                    }
                    ++i;
                    break;
                }
                alto |= static_cast<unsigned char>(s[i]) >= 0x80;
                campo += s[i];
            }
        }
        const size_t fine = std::min(s.find(cSeparatore, i), s.size());
        for (size_t k = i; k < fine; ++k) alto |= static_cast<unsigned char>(s[k]) >= 0x80;
        campo.append(s.substr(i, fine - i));
        if (alto && InUtf8(campo)) campo = NomeFileInCp1252(campo);
        if (fine == s.size()) return;
        i = fine + 1;
    }
}

std::vector<std::pair<size_t, size_t>> TrattiCampi(std::string_view s, char cSeparatore,
                                                   char cVirgolette) {
    std::vector<std::pair<size_t, size_t>> v;
    size_t i = 0;
    while (true) {
        const size_t inizio = i;
        if (cVirgolette != 0 && i < s.size() && s[i] == cVirgolette) {
            // Up to the closing quote: a doubled quote is no closing one.
            for (++i; i < s.size(); ++i) {
                if (s[i] != cVirgolette) continue;
                if (i + 1 < s.size() && s[i + 1] == cVirgolette) {
                    ++i;
                    continue;
                }
                ++i;
                break;
            }
        }
        const size_t fine = std::min(s.find(cSeparatore, i), s.size());
        v.emplace_back(inizio, fine);
        if (fine == s.size()) return v;
        i = fine + 1;
    }
}

namespace {

// The text of a field (or of the start of one) written as the characters s of a line.
size_t CaratteriCampo(std::string_view s, char cSeparatore, char cVirgolette) {
    CampiRiga r;
    DividiCampi(s, cSeparatore, cVirgolette, r);
    return r.vCampi[0].size();
}

}  // namespace

std::optional<PosizioneCampo> CampoDelTratto(std::string_view s, char cSeparatore, char cVirgolette,
                                             size_t iDa, size_t iA) {
    if (iDa > s.size()) return std::nullopt;
    const auto tratti = TrattiCampi(s, cSeparatore, cVirgolette);
    size_t k = 0;
    while (k + 1 < tratti.size() && tratti[k + 1].first <= iDa) ++k;
    PosizioneCampo p{static_cast<int>(k + 1), 0, 0};
    const auto [inizio, fine] = tratti[k];
    if (iA <= iDa || iA > fine) return p;
    const std::string_view campo = s.substr(inizio, fine - inizio);
    const size_t prima = CaratteriCampo(campo.substr(0, iDa - inizio), cSeparatore, cVirgolette);
    const size_t fino = CaratteriCampo(campo.substr(0, iA - inizio), cSeparatore, cVirgolette);
    if (fino <= prima || (prima == 0 && fino == CaratteriCampo(campo, cSeparatore, cVirgolette)))
        return p;
    p.iNelCampo = static_cast<int>(prima + 1);
    p.iLunghezza = static_cast<int>(fino - prima);
    return p;
}

std::optional<std::pair<size_t, size_t>> TrattoDelCampo(std::string_view s, char cSeparatore,
                                                        char cVirgolette, int iCampo, int iNelCampo,
                                                        int iLunghezza) {
    const auto tratti = TrattiCampi(s, cSeparatore, cVirgolette);
    const long k = iCampo > 0 ? iCampo - 1 : static_cast<long>(tratti.size()) + iCampo;
    if (iCampo == 0 || k < 0 || static_cast<size_t>(k) >= tratti.size()) return std::nullopt;
    const size_t inizio = tratti[static_cast<size_t>(k)].first;
    const size_t fine = tratti[static_cast<size_t>(k)].second;
    if (iNelCampo <= 1 && iLunghezza <= 0) return std::pair(inizio, fine);
    // The first character whose text reaches n characters of the field's.
    const std::string_view campo = s.substr(inizio, fine - inizio);
    const auto dove = [&](size_t n) {
        size_t i = 0;
        while (i < campo.size() && CaratteriCampo(campo.substr(0, i), cSeparatore, cVirgolette) < n)
            ++i;
        return inizio + i;
    };
    const size_t primo = static_cast<size_t>(std::max(iNelCampo, 1) - 1);
    const size_t testo = CaratteriCampo(campo, cSeparatore, cVirgolette);
    if (primo >= testo) return std::nullopt;
    // From the first character after the field's first primo characters (and its quote).
    const bool virgolette = cVirgolette != 0 && !campo.empty() && campo[0] == cVirgolette;
    const size_t da = primo == 0 ? inizio + (virgolette ? 1 : 0) : dove(primo);
    const size_t a =
        iLunghezza <= 0 ? fine : dove(std::min(testo, primo + static_cast<size_t>(iLunghezza)));
    return std::pair(std::max(da, inizio), std::min(std::max(a, da + 1), fine));
}

}  // namespace tarno
