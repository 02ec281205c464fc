#include "grid/clsListaValori.h"

#include "model/Testo.h"

namespace tarno {

void clsListaValori::Aggiungi(const std::string& sValore, const QString& sTesto) {
    if (CercaValore(sValore)) return;
    mvVoci.push_back(Voce{sValore, sTesto});
}

void clsListaValori::AggiungiValore(const std::string& sValore) {
    Aggiungi(sValore, QString::fromStdString(Cp1252InUtf8(sValore)));
}

void clsListaValori::AggiungiIntervallo(int viDa, int viA) {
    for (int i = viDa; i <= viA; ++i) {
        const std::string s = std::to_string(i);
        Aggiungi(s, QString::fromStdString(s));
    }
}

void clsListaValori::Svuota() { mvVoci.clear(); }

const clsListaValori::Voce* clsListaValori::CercaValore(const std::string& sValore) const {
    for (const auto& v : mvVoci)
        if (v.msValore == sValore) return &v;
    return nullptr;
}

const clsListaValori::Voce* clsListaValori::CercaTesto(const QString& vsTesto) const {
    for (const auto& v : mvVoci)
        if (v.msTesto.compare(vsTesto, Qt::CaseInsensitive) == 0) return &v;
    return nullptr;
}

}  // namespace tarno
