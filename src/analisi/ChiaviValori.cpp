#include "analisi/ChiaviValori.h"

#include <algorithm>
#include <cstring>

namespace tarno::proposta {

namespace {

bool Alfa(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool AlfaNum(char c) { return Alfa(c) || (c >= '0' && c <= '9') || c == '_'; }

}  // namespace

std::string Etichetta(const std::string& sPezzo) {
    if (sPezzo.empty() || !Alfa(sPezzo[0])) return {};
    size_t i = 1;
    while (i < sPezzo.size() && AlfaNum(sPezzo[i])) ++i;
    if (i < 2 || i >= sPezzo.size()) return {};
    return sPezzo.substr(0, i + 1);
}

bool ComeIRecordSotto(const std::vector<std::vector<std::string>>& vPezzi, size_t iRiga,
                      size_t iFino) {
    if (iRiga >= vPezzi.size()) return false;
    iFino = std::min(iFino, vPezzi.size());
    const auto& riga = vPezzi[iRiga];
    size_t uguali = 0;
    for (size_t k = 0; k < riga.size(); ++k) {
        const std::string e = Etichetta(riga[k]);
        if (e.empty()) continue;
        size_t sotto = 0, stessa = 0;
        for (size_t r = iRiga + 1; r < iFino; ++r) {
            if (vPezzi[r].size() <= k) continue;
            ++sotto;
            stessa += vPezzi[r][k].compare(0, e.size(), e) == 0;
        }
        uguali += sotto > 0 && stessa * 5 >= sotto * 4;
    }
    return uguali >= 2 && uguali * 2 >= riga.size();
}

bool RigaDiCifre(const std::vector<std::string>& vPezzi) {
    size_t scritti = 0, cifre = 0;
    for (const auto& p : vPezzi) {
        const size_t a = p.find_first_not_of(" \t"), b = p.find_last_not_of(" \t");
        if (a == std::string::npos) continue;
        ++scritti;
        // Digits, or digits among the signs of a number or a moment (185.310, 10.0.0.1:5060,
        // 1796662811-214): no name of a heading.
        const auto da = p.begin() + static_cast<long>(a),
                   fino = p.begin() + static_cast<long>(b) + 1;
        cifre += std::any_of(da, fino, [](char c) { return c >= '0' && c <= '9'; }) &&
                 std::all_of(da, fino, [](char c) {
                     return (c >= '0' && c <= '9') || std::strchr(".:,-/+", c) != nullptr;
                 });
    }
    return cifre >= 2 && cifre * 3 >= scritti;
}

std::vector<std::string> ChiaviDeiCampi(const std::vector<std::vector<std::string>>& vRecord,
                                        size_t iDa, size_t iCampi) {
    std::vector<std::string> chiavi(iCampi);
    for (size_t k = 0; k < iCampi; ++k) {
        std::string chiave;
        bool tutti = false;
        for (size_t r = iDa; r < vRecord.size(); ++r) {
            if (vRecord[r].empty()) continue;
            if (k >= vRecord[r].size()) {
                tutti = false;
                break;
            }
            const std::string e = Etichetta(vRecord[r][k]);
            if (e.empty() || e.back() != '=' || (!chiave.empty() && e != chiave)) {
                tutti = false;
                break;
            }
            chiave = e;
            tutti = true;
        }
        if (tutti) chiavi[k] = chiave;
    }
    return chiavi;
}

bool Identificativo(const std::vector<std::string>& vValori) {
    if (vValori.empty()) return false;
    for (const auto& v : vValori) {
        if (v.size() < 8 || v.find_first_of(" \t") != std::string::npos) return false;
        const bool lettera = std::any_of(v.begin(), v.end(), Alfa);
        const bool cifra =
            std::any_of(v.begin(), v.end(), [](char c) { return c >= '0' && c <= '9'; });
        if (!lettera || !cifra) return false;
    }
    return true;
}

std::set<std::string> CodiciRipetuti(
    const std::vector<std::pair<std::string, std::string>>& vRecord) {
    std::set<std::string> visti, primi, dopo, codici;
    for (const auto& [id, codice] : vRecord)
        (!id.empty() && !visti.insert(id).second ? dopo : primi).insert(codice);
    for (const auto& c : dopo)
        if (!primi.count(c)) codici.insert(c);
    return codici;
}

}  // namespace tarno::proposta
