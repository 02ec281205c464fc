#include "model/CallFieldName.h"

namespace tarno {

namespace {

constexpr CallFieldName kNomi[NUM_NOMI_CAMPI] = {
    {"dData", 0, 0, "Data"},        {"dOraInizio", 1, 1, "Ora inizio"},
    {"dOraFine", 2, 2, "Ora fine"}, {"dDurata", 3, 3, "Durata"},
    {"lScatti", 4, 4, "Scatti"},    {"sDerivato", 5, 5, "Derivato"},
    {"sLinea", 6, 6, "Linea"},      {"sCommessa", 7, 7, "Commessa"},
    {"sNumero", 8, 8, "Numero"},    {"dRisposta", 9, -1, "Durata squillo"},
    {"sCampo1", 10, 9, "Campo 1"},  {"sCampo2", 11, 10, "Campo 2"},
    {"sCampo3", 12, 11, "Campo 3"}, {"sCampo4", 13, 12, "Campo 4"},
};

}  // namespace

const CallFieldName* NomiCampi() { return kNomi; }

int16_t IndiceCampo(std::string_view sNome, bool bEntrante) {
    if (sNome == "dOra") return 1;
    for (const auto& n : kNomi)
        if (sNome == n.sNome) return bEntrante ? n.iEntrante : n.iUscente;
    return -1;
}

std::string NomeCampo(int iIndice, bool bEntrante) {
    for (const auto& n : kNomi)
        if ((bEntrante ? n.iEntrante : n.iUscente) == iIndice && iIndice >= 0) return n.sNome;
    return {};
}

}  // namespace tarno
