#include "grid/clsDropDown.h"

#include "model/Testo.h"

namespace tarno {

clsDropDown::clsDropDown(QObject* pGenitore) : QObject(pGenitore) {}

void clsDropDown::Associa(const TabellaValori* prgx, int viColonnaTesto, int viColonnaValore) {
    mpTabella = prgx;
    miColonnaTesto = viColonnaTesto;
    miColonnaValore = viColonnaValore;
}

std::vector<clsDropDown::Voce> clsDropDown::Voci() const {
    std::vector<Voce> voci;
    if (!mpTabella) return voci;
    const int colonne = mpTabella->Colonne();
    const bool conTesto = miColonnaTesto >= 0 && miColonnaTesto < colonne;
    const bool conValore = miColonnaValore >= 0 && miColonnaValore < colonne;
    for (int r = 0; r < mpTabella->Righe(); ++r) {
        Voce v;
        if (conTesto)
            v.msTesto = QString::fromStdString(Cp1252InUtf8(mpTabella->Cella(r, miColonnaTesto)));
        if (conValore) v.moValore = mpTabella->Cella(r, miColonnaValore);
        voci.push_back(std::move(v));
    }
    return voci;
}

std::optional<QString> clsDropDown::TestoDi(const std::string& vsValore) const {
    if (!mpTabella || miColonnaValore < 0 || miColonnaValore >= mpTabella->Colonne() ||
        miColonnaTesto < 0 || miColonnaTesto >= mpTabella->Colonne())
        return std::nullopt;
    for (int r = 0; r < mpTabella->Righe(); ++r)
        if (mpTabella->Cella(r, miColonnaValore) == vsValore)
            return QString::fromStdString(Cp1252InUtf8(mpTabella->Cella(r, miColonnaTesto)));
    return std::nullopt;
}

}  // namespace tarno
