#include "model/clsINISezione.h"

#include "model/Testo.h"

namespace tarno {

void clsINISezione::InserisciChiave(const std::string& sEntry, const std::string& sValue) {
    auto [it, nuova] = mmIndice.emplace(sEntry, mvChiavi.size());
    if (nuova)
        mvChiavi.push_back(clsINIChiave{sEntry, sValue});
    else
        mvChiavi[it->second].msValue = sValue;
}

void clsINISezione::SvuotaSezione() {
    mvChiavi.clear();
    mmIndice.clear();
}

void clsINISezione::RimuoviChiave(const std::string& sEntry) {
    auto it = mmIndice.find(sEntry);
    if (it != mmIndice.end()) Elimina(it->second);
}

void clsINISezione::Elimina(size_t i) {
    mvChiavi.erase(mvChiavi.begin() + static_cast<long>(i));
    mmIndice.clear();
    for (size_t k = 0; k < mvChiavi.size(); ++k) mmIndice.emplace(mvChiavi[k].msEntry, k);
}

void clsINISezione::ScriviSezione(std::string& rsTesto) const {
    rsTesto += '[';
    rsTesto += msNomeSezione;
    rsTesto += "]\r\n";
    for (const auto& c : mvChiavi) {
        rsTesto += c.msEntry;
        rsTesto += '=';
        rsTesto += c.msValue;
        rsTesto += "\r\n";
    }
    rsTesto += "\r\n";
}

void clsINISezione::RileggiChiave(const std::string& sEntry) {
    auto it = mmIndice.find(sEntry);
    if (it == mmIndice.end()) return;
    const size_t p = it->second;
    const std::string nome(TogliSpazi(mvChiavi[p].msEntry));
    const std::string valore(TogliSpazi(mvChiavi[p].msValue));
    if (nome.empty() || valore.empty()) {
        Elimina(p);
        return;
    }
    if (nome == mvChiavi[p].msEntry) {
        mvChiavi[p].msValue = valore;
        return;
    }
    auto altra = mmIndice.find(nome);
    if (altra == mmIndice.end()) {
        mmIndice.erase(it);
        mvChiavi[p] = clsINIChiave{nome, valore};
        mmIndice.emplace(nome, p);
        return;
    }
    // Two lines now carry the same name: the first keeps its place and the later value.
    const size_t q = altra->second;
    if (q < p) {
        mvChiavi[q].msValue = valore;
        Elimina(p);
    } else {
        mvChiavi[p] = clsINIChiave{nome, mvChiavi[q].msValue};
        Elimina(q);
    }
}

}  // namespace tarno
