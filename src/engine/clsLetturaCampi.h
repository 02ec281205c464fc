#pragma once
// The reading of a call's fields: each cut out of its line at its position and length and
// interpreted by its kind (date, time of day, duration, pulses, text) with its format and its
// own transformation; of start, end and duration, two read give the third.

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "engine/CampiSeparati.h"
#include "engine/clsAnalizzatore.h"

namespace tarno {

class clsImpostazioniMotore;
namespace motore {
struct Campo;
struct Tipo;
}  // namespace motore

// The date on its own line that the calls after it take, as last read.
struct DataCorrente {
    RigaDataLetta data;
    bool bValida = false;
    std::string sErrore;  // why it is not valid
};

class clsLetturaCampi {
  public:
    explicit clsLetturaCampi(const clsImpostazioniMotore& imp) : mImp(imp) {}

    // The times of day a call began and ended, in seconds, where read or worked out.
    struct Tempi {
        std::optional<double> inizio, fine;
    };
    // Fills the fields of c, a complete call of kind t on the lines righe; pData is the date
    // line the call takes its date from (nullptr when the driver reads the date from the call).
    Tempi Leggi(const motore::Tipo& t, std::span<const RigaFinestra* const> righe,
                const DataCorrente* pData, ChiamataLetta& c) const;

  private:
    // The seconds of a time of day or a duration read, for working out a missing one.
    std::optional<double> Interpreta(const motore::Campo& f, std::string_view taglio,
                                     CampoLetto& cl, bool bConverti) const;

    const clsImpostazioniMotore& mImp;
};

}  // namespace tarno
