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
    // Each piece's kind once, and whether it is a date or a time when asked (-1: not yet).
    std::vector<std::vector<int>> forma(vRecord.size()), data(vRecord.size());
    for (size_t i = 0; i < vRecord.size(); ++i) {
        for (const auto& p : vRecord[i]) forma[i].push_back(Forma(p));
        data[i].assign(vRecord[i].size(), -1);
    }
    const auto eData = [&](size_t i, size_t k) {
        if (data[i][k] < 0) data[i][k] = bDataOra(vRecord[i][k]) ? 1 : 0;
        return data[i][k] == 1;
    };
    int scelto = -1;
    std::pair<size_t, size_t> migliore{0, 0};
    for (size_t v = 0; v < iCampi; ++v) {
        bool va = true;
        size_t punti = 0;
        std::vector<std::map<int, size_t>> forme(iCampi), lunghezze(iCampi);
        for (size_t i = 0; i < vRecord.size() && va; ++i) {
            const auto& r = vRecord[i];
            if (r.size() < iCampi) continue;
            const size_t dopo = iCampi - v - 1;
            // The pieces it would join: never a date or a time.
            for (size_t k = v; k + dopo < r.size() && va; ++k) va = !eData(i, k);
            for (size_t k = 0; k < iCampi; ++k) {
                if (k == v) continue;
                const size_t pezzo = k < v ? k : r.size() - (iCampi - k);
                ++forme[k][forma[i][pezzo]];
                ++lunghezze[k][static_cast<int>(r[pezzo].size())];
                punti += k < vNomeDataOra.size() && vNomeDataOra[k] && eData(i, pezzo);
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

std::vector<ParolaDiRiga> ParoleDiRiga(std::string_view s) {
    std::vector<ParolaDiRiga> v;
    const auto bianco = [](char c) { return c == ' ' || c == '\t'; };
    for (size_t i = 0; i < s.size();) {
        if (bianco(s[i])) {
            ++i;
            continue;
        }
        size_t j = i;
        while (j < s.size() && !bianco(s[j])) ++j;
        v.push_back({i, s.substr(i, j - i)});
        i = j;
    }
    return v;
}

}  // namespace tarno
