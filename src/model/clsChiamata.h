#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "model/Collezione.h"
#include "model/clsCampo.h"
#include "model/clsCondizione.h"

namespace tarno {

// One kind of call record: incoming ("Entranti") or outgoing ("Uscenti").
class clsChiamata {
  public:
    enum Tipo : int32_t { TIPO_NESSUNO = 0, ENTRANTI = 1, USCENTI = 2 };

    int16_t miNumRighe = 0;
    std::optional<ColCondizioni> mcolCondizioni;
    std::optional<ColCondizioni> mcolCondTrasferita;
    std::optional<Collezione<clsCampo>> mcolCampi;  // keyed by the field's index as text
    int32_t menTipo = TIPO_NESSUNO;

    void Delete() {
        mcolCondizioni.reset();
        mcolCondTrasferita.reset();
        mcolCampi.reset();
    }
    // 1, -1 when one or more entries had syntax errors, -2 when menTipo is 0.
    int16_t Leggi(const clsProfiloINI& profilo, IMessaggi& msg);
    // -2 when menTipo is 0, otherwise 1; write problems are shown as messages.
    int16_t Salva(IScrittoreINI& ini, int32_t& ricCond, int32_t& ricTrasf, IMessaggi& msg);

    std::string NomeSezione() const { return menTipo == ENTRANTI ? "Entranti" : "Uscenti"; }
};

}  // namespace tarno
