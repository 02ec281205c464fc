#include "model/clsProfiloINI.h"

#include "model/File.h"
#include "model/Testo.h"

namespace tarno {

clsProfiloINI clsProfiloINI::DaTesto(std::string_view sTesto) {
    clsProfiloINI p;
    Sezione* corrente = nullptr;
    Sezione scartata;  // keys above the first header belong to no section
    size_t i = 0;
    while (i < sTesto.size()) {
        size_t fine = i;
        while (fine < sTesto.size() && sTesto[fine] != '\r' && sTesto[fine] != '\n') ++fine;
        const std::string_view riga = TogliBianchi(sTesto.substr(i, fine - i));
        i = fine;
        if (i < sTesto.size()) {
            if (sTesto[i] == '\r' && i + 1 < sTesto.size() && sTesto[i + 1] == '\n') ++i;
            ++i;
        }
        if (riga.empty()) continue;
        if (riga.front() == '[') {
            const size_t chiusa = riga.rfind(']');
            if (chiusa != std::string_view::npos && chiusa > 0) {
                const auto nome = ChiaveNoCase(TogliBianchi(riga.substr(1, chiusa - 1)));
                p.mvSezioni.emplace_back();
                p.mmIndice.emplace(nome, p.mvSezioni.size() - 1);  // the first one stays
                corrente = &p.mvSezioni.back();
                continue;
            }
        }
        const size_t uguale = riga.find('=');
        if (uguale == std::string_view::npos) continue;  // not a key line
        Sezione* dest = corrente ? corrente : &scartata;
        Chiave c{std::string(TogliBianchi(riga.substr(0, uguale))),
                 std::string(TogliBianchi(riga.substr(uguale + 1)))};
        dest->mIndice.emplace(ChiaveNoCase(c.sNome), dest->vChiavi.size());
        dest->vChiavi.push_back(std::move(c));
    }
    // Pointers into mvSezioni were only used while it grew by emplace_back at the end; they
    // are not kept.
    return p;
}

clsProfiloINI clsProfiloINI::DaFile(const std::string& sFileName) {
    const auto testo = LeggiFile(sFileName);
    return testo ? DaTesto(*testo) : clsProfiloINI();
}

const clsProfiloINI::Sezione* clsProfiloINI::TrovaSezione(std::string_view sSezione) const {
    auto it = mmIndice.find(ChiaveNoCase(TogliBianchi(sSezione)));
    return it == mmIndice.end() ? nullptr : &mvSezioni[it->second];
}

std::string clsProfiloINI::Leggi(std::string_view sSezione, std::string_view sChiave,
                                 size_t iDimBuffer) const {
    const Sezione* s = TrovaSezione(sSezione);
    if (!s || iDimBuffer == 0) return {};
    auto it = s->mIndice.find(ChiaveNoCase(TogliBianchi(sChiave)));
    if (it == s->mIndice.end()) return {};
    std::string_view v = s->vChiavi[it->second].sValore;
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        v = v.substr(1, v.size() - 2);
    return std::string(v.substr(0, iDimBuffer - 1));
}

std::string clsProfiloINI::ElencoChiavi(std::string_view sSezione, size_t iDimBuffer) const {
    std::string r;
    const Sezione* s = TrovaSezione(sSezione);
    if (!s) return r;
    size_t resta = iDimBuffer;
    for (const auto& c : s->vChiavi) {
        if (resta <= 2) break;
        if (c.sNome.empty() || c.sNome.front() == ';') continue;
        const size_t n = std::min(c.sNome.size(), resta - 2);
        r.append(c.sNome, 0, n);
        r += '\0';
        resta -= n + 1;
        if (resta < 2) break;
    }
    if (resta <= 1 && !r.empty()) r.pop_back();
    return r;
}

std::string LeggiChiaveINI(const std::string& sFileName, std::string_view sSezione,
                           std::string_view sChiave) {
    return clsProfiloINI::DaFile(sFileName).Leggi(sSezione, sChiave);
}

}  // namespace tarno
