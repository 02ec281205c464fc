#include "model/clsFileINI.h"

#include <optional>

#include "model/File.h"
#include "model/Testo.h"

namespace tarno {

RigaINI AnalizzaRigaINI(std::string_view sRiga) {
    RigaINI r;
    if (sRiga.size() >= 2 && sRiga.front() == '[' && sRiga.back() == ']') {
        r.sSezione = std::string(sRiga.substr(1, sRiga.size() - 2));
    } else if (const size_t uguale = sRiga.find('='); uguale != std::string_view::npos) {
        r.sChiave = std::string(TogliSpazi(sRiga.substr(0, uguale)));
        r.sValore = std::string(TogliSpazi(sRiga.substr(uguale + 1)));
    }
    return r;
}

clsFileINI clsFileINI::Analizza(std::string_view sTesto) {
    clsFileINI f;
    clsINISezione scartata;  // a repeated section: its keys are collected and lost
    clsINISezione* corrente = nullptr;
    size_t i = 0;
    while (i < sTesto.size()) {
        size_t fine = i;
        while (fine < sTesto.size() && sTesto[fine] != '\r') ++fine;
        const std::string_view riga = sTesto.substr(i, fine - i);
        i = fine;
        if (i < sTesto.size()) {  // CR, or CR LF
            ++i;
            if (i < sTesto.size() && sTesto[i] == '\n') ++i;
        }
        RigaINI parti = AnalizzaRigaINI(riga);
        if (!parti.sSezione.empty()) {
            const int pos = f.Entra(clsINISezione(parti.sSezione));
            if (pos >= 0) {
                corrente = &f.mvSezioni[static_cast<size_t>(pos)];
            } else {
                scartata = clsINISezione(parti.sSezione);
                corrente = &scartata;
            }
        } else if (!parti.sChiave.empty() && !parti.sValore.empty() && corrente) {
            corrente->InserisciChiave(parti.sChiave, parti.sValore);
        }
    }
    return f;
}

int clsFileINI::Entra(clsINISezione sezione) {
    auto [it, nuova] = mmIndice.emplace(ChiaveNoCase(sezione.msNomeSezione), mvSezioni.size());
    if (!nuova) return -1;
    mvSezioni.push_back(std::move(sezione));
    return static_cast<int>(mvSezioni.size() - 1);
}

int clsFileINI::Inserisci(const std::string& sSezione, const std::string& sChiave,
                          const std::string& sValore) {
    if (sSezione.empty() || sChiave.empty() || sValore.empty()) return -1;
    // A section is looked for by its exact name and created when missing; the key then goes to
    // the section filed under that name without regard to case.
    auto it = mmIndice.find(ChiaveNoCase(sSezione));
    size_t pos;
    if (it == mmIndice.end()) {
        pos = static_cast<size_t>(Entra(clsINISezione(sSezione)));
    } else {
        pos = it->second;
    }
    mvSezioni[pos].InserisciChiave(sChiave, sValore);
    return static_cast<int>(pos);
}

std::string clsFileINI::Testo() const {
    std::string s;
    for (const auto& sez : mvSezioni) sez.ScriviSezione(s);
    return s;
}

int16_t ScriviChiaveINI(const std::string& sSezione, const std::string& sChiave,
                        const std::string& sValore, const std::string& sFileName) {
    if (sFileName.empty()) return 1;
    std::optional<std::string> testo;
    if (EsisteFile(sFileName)) {
        testo = LeggiFile(sFileName);
        if (!testo) return 0;  // never replace what could not be read
    }
    clsFileINI f = clsFileINI::Analizza(testo ? *testo : std::string());
    f.Inserisci(sSezione, sChiave, sValore);
    return ScriviFileSicuro(sFileName, f.Testo()) ? 1 : 0;
}

}  // namespace tarno
