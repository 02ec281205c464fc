#include "engine/CampiSeparati.h"

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

}  // namespace tarno
