#include "analisi/PezziRecord.h"

#include <algorithm>
#include <map>

namespace tarno {

namespace {

// What a field holds, as far as telling columns apart goes.
int Forma(std::string_view v) {
    while (!v.empty() && v.front() == ' ') v.remove_prefix(1);
    while (!v.empty() && v.back() == ' ') v.remove_suffix(1);
    if (v.empty()) return 0;
    bool lettere = false, segni = false;
    for (char c : v) {
        if (c >= '0' && c <= '9') continue;
        const auto u = static_cast<unsigned char>(c);
        if ((u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || u >= 0xC0)
            lettere = true;
        else
            segni = true;
    }
    return lettere ? 3 : segni ? 2 : 1;
}

}  // namespace

std::vector<std::string> CampiDaPezzi(const std::vector<std::string>& vPezzi, size_t iCampi,
                                      int iVariabile, char cSeparatore) {
    std::vector<std::string> campi(iCampi);
    const size_t n = vPezzi.size();
    if (iVariabile < 0 || n <= iCampi) {
        for (size_t k = 0; k < iCampi && k < n; ++k) campi[k] = vPezzi[k];
        return campi;
    }
    const auto v = static_cast<size_t>(iVariabile);
    const size_t dopo = iCampi - v - 1;  // fields after the variable one
    for (size_t k = 0; k < v; ++k) campi[k] = vPezzi[k];
    for (size_t k = v; k < n - dopo; ++k) {
        if (k > v) campi[v] += cSeparatore;
        campi[v] += vPezzi[k];
    }
    for (size_t k = 0; k < dopo; ++k) campi[v + 1 + k] = vPezzi[n - dopo + k];
    return campi;
}

int CampoVariabile(const std::vector<std::vector<std::string>>& vRecord, size_t iCampi,
                   const std::function<bool(std::string_view)>& bDataOra,
                   const std::vector<bool>& vNomeDataOra, bool& rPari) {
    rPari = false;
    if (iCampi == 0 || std::none_of(vRecord.begin(), vRecord.end(),
                                    [&](const auto& r) { return r.size() > iCampi; }))
        return -1;
    int scelto = -1;
    std::pair<size_t, size_t> migliore{0, 0};
    for (size_t v = 0; v < iCampi; ++v) {
        bool va = true;
        size_t punti = 0;
        std::vector<std::map<int, size_t>> forme(iCampi), lunghezze(iCampi);
        for (const auto& r : vRecord) {
            if (r.size() < iCampi) continue;
            // The pieces it would join: never a date or a time.
            for (size_t k = v; k + (iCampi - v - 1) < r.size() && va; ++k) va = !bDataOra(r[k]);
            const auto campi = CampiDaPezzi(r, iCampi, static_cast<int>(v), ',');
            for (size_t k = 0; k < iCampi; ++k) {
                if (k == v) continue;
                ++forme[k][Forma(campi[k])];
                ++lunghezze[k][static_cast<int>(campi[k].size())];
                punti += k < vNomeDataOra.size() && vNomeDataOra[k] && bDataOra(campi[k]);
            }
        }
        if (!va) continue;
        // Alike: the same kind of text, then (between equals) the same length.
        const auto piu = [](const std::vector<std::map<int, size_t>>& conti) {
            size_t somma = 0;
            for (const auto& f : conti) {
                size_t massimo = 0;
                for (const auto& [chiave, quante] : f) massimo = std::max(massimo, quante);
                somma += massimo;
            }
            return somma;
        };
        const std::pair<size_t, size_t> p{punti + piu(forme), piu(lunghezze)};
        if (scelto < 0 || p > migliore) {
            scelto = static_cast<int>(v);
            migliore = p;
            rPari = false;
        } else if (p == migliore) {
            scelto = static_cast<int>(v);
            rPari = true;
        }
    }
    return scelto;
}

std::set<std::string> CodiciDiSeguito(
    const std::vector<std::pair<std::string, std::string>>& vRecord) {
    std::set<std::string> primi, seguito;
    for (size_t i = 0; i < vRecord.size(); ++i) {
        const bool segue =
            i > 0 && !vRecord[i].first.empty() && vRecord[i].first == vRecord[i - 1].first;
        (segue ? seguito : primi).insert(vRecord[i].second);
    }
    std::set<std::string> eventi;
    if (primi.empty()) return eventi;
    for (const auto& c : seguito)
        if (!primi.count(c)) eventi.insert(c);
    return eventi;
}

}  // namespace tarno
