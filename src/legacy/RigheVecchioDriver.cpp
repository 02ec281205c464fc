#include "legacy/RigheVecchioDriver.h"

#include "legacy/modOldDriver.h"
#include "model/Numeri.h"
#include "model/Testo.h"

namespace tarno {

namespace {

std::string DescrizioneRiga(int iRiga) { return " (riga " + std::to_string(iRiga) + ")"; }

// The last character of the line that is not a blank; "" for a blank line.
std::string UltimoNonBianco(std::string_view sRiga) {
    while (!sRiga.empty() && sRiga.back() == ' ') sRiga.remove_suffix(1);
    return sRiga.empty() ? std::string() : std::string(1, sRiga.back());
}

// The text between the first "{" and the first "}" after it; false when there is no such
// pair. rsResto takes what follows the "}".
bool Gruppo(std::string_view sRiga, std::string_view& rsGruppo, std::string_view& rsResto) {
    const size_t a = sRiga.find('{');
    if (a == std::string_view::npos) return false;
    const size_t b = sRiga.find('}', a + 1);
    if (b == std::string_view::npos) return false;
    rsGruppo = sRiga.substr(a + 1, b - a - 1);
    rsResto = sRiga.substr(b + 1);
    return true;
}

}  // namespace

std::vector<std::string> DividiRighe(std::string_view sTesto) {
    std::vector<std::string> righe;
    size_t inizio = 0;
    size_t i = 0;
    while (i < sTesto.size()) {
        const char c = sTesto[i];
        if (c == '\r' || c == '\n') {
            righe.emplace_back(sTesto.substr(inizio, i - inizio));
            if (c == '\r' && i + 1 < sTesto.size() && sTesto[i + 1] == '\n') ++i;
            inizio = ++i;
        } else {
            ++i;
        }
    }
    if (inizio < sTesto.size()) righe.emplace_back(sTesto.substr(inizio));
    return righe;
}

int16_t NumeroRiga(std::string_view sTesto, int iRiga) {
    const double v = ValoreIniziale(sTesto);
    const auto n = Arrotonda16(v);
    if (!n)
        throw ErroreConversione(ERR_OVERFLOW,
                                "Numero fuori dall'intervallo consentito" + DescrizioneRiga(iRiga));
    return *n;
}

std::string_view DopoEcommerciale(std::string_view sRiga, int k) {
    size_t p = std::string_view::npos;
    size_t da = 0;
    for (int j = 0; j < k; ++j) {
        p = sRiga.find('&', da);
        if (p == std::string_view::npos) return {};
        da = p + 1;
    }
    return sRiga.substr(da);
}

std::string ValoreEtichetta(std::string_view sRiga) {
    const size_t dp = sRiga.find(':');
    const size_t p = dp == std::string_view::npos ? 0 : dp + 1;
    const size_t l = TogliSpazi(sRiga).size();
    if (l <= p + 1) return {};
    const size_t n = l - p - 1;
    return std::string(sRiga.substr(sRiga.size() - n));
}

RigaGraffe LeggiRigaGraffe(std::string_view sRiga, int iRiga) {
    RigaGraffe r;
    std::string_view gruppo, resto;
    if (!Gruppo(sRiga, gruppo, resto) || gruppo.empty()) return r;
    r.bPresente = true;
    r.sFormato = std::string(gruppo);
    std::string_view riga = resto;
    if (Gruppo(riga, gruppo, resto)) {
        r.iLunghezza = NumeroRiga(gruppo, iRiga);
        riga = resto;
        if (Gruppo(riga, gruppo, resto)) r.iPosizione = NumeroRiga(gruppo, iRiga);
    }
    return r;
}

RigaFlag LeggiRigaFlag(std::string_view sRiga, bool bSoloS, int iRiga) {
    RigaFlag r;
    if (sRiga.empty()) return r;
    if (sRiga[0] == 'S')
        r.bOpzionale = false;
    else if (sRiga[0] == 'F' && !bSoloS)
        r.bOpzionale = true;
    else
        return r;
    r.bPresente = true;
    r.iPosizione = NumeroRiga(DopoEcommerciale(sRiga, 2), iRiga);
    r.iLunghezza = NumeroRiga(DopoEcommerciale(sRiga, 3), iRiga);
    r.bDestra = UltimoNonBianco(sRiga) == "D";
    return r;
}

RigaIdentificazione LeggiRigaIdentificazione(std::string_view sRiga, int iRiga) {
    RigaIdentificazione r;
    if (sRiga.empty() || sRiga[0] != 'S') return r;
    r.bPresente = true;
    r.iPosizione = NumeroRiga(DopoEcommerciale(sRiga, 1), iRiga);
    r.iLunghezza = NumeroRiga(DopoEcommerciale(sRiga, 2), iRiga);
    r.sValore = UltimoNonBianco(sRiga);
    return r;
}

RigaTrasferita LeggiRigaTrasferita(std::string_view sRiga, int iRiga) {
    RigaTrasferita r;
    if (sRiga.empty() || sRiga[0] != 'S') return r;
    r.bPresente = true;
    r.n1 = NumeroRiga(DopoEcommerciale(sRiga, 1), iRiga);
    r.n2 = NumeroRiga(DopoEcommerciale(sRiga, 2), iRiga);
    const int16_t n3 = NumeroRiga(DopoEcommerciale(sRiga, 3), iRiga);
    if (n3 < 0 || n3 > 255)
        throw ErroreConversione(ERR_ARGOMENTO, "Codice di carattere " + std::to_string(n3) +
                                                   " fuori dall'intervallo 0-255" +
                                                   DescrizioneRiga(iRiga));
    r.sValore = std::string(1, static_cast<char>(static_cast<unsigned char>(n3)));
    return r;
}

RigaOffset LeggiRigaOffset(std::string_view sRiga, int iRiga) {
    RigaOffset r;
    if (sRiga.empty() || sRiga[0] != 'S') return r;
    r.bPresente = true;
    const int16_t n = NumeroRiga(DopoEcommerciale(sRiga, 1), iRiga);
    if (sRiga.find('-') == std::string_view::npos) {
        r.sOffset = std::to_string(n);
        return r;
    }
    const int32_t negato = -static_cast<int32_t>(n);
    if (negato > INT16_MAX)
        throw ErroreConversione(ERR_OVERFLOW,
                                "Numero fuori dall'intervallo consentito" + DescrizioneRiga(iRiga));
    r.sOffset = (negato >= 0 ? " " : "") + std::to_string(negato);
    return r;
}

}  // namespace tarno
