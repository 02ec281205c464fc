#pragma once
// The reference against which the buffered writer (clsScritturaINI) and the driver save are
// checked: every key through ScriviChiaveINI, the whole file read and rewritten for each key.
// Slow (its cost grows with the square of the file), so it lives with the tests, the fuzz
// targets and the benchmarks, not in the product.

#include <string>
#include <utility>

#include "model/clsDriver.h"
#include "model/clsFileINI.h"
#include "model/clsScritturaINI.h"

namespace tarno::prova {

class ScrittoreChiavePerChiave : public IScrittoreINI {
  public:
    explicit ScrittoreChiavePerChiave(std::string sFileName) : msFileName(std::move(sFileName)) {}
    int16_t ScriviChiave(const std::string& sSezione, const std::string& sChiave,
                         const std::string& sValore) override {
        return ScriviChiaveINI(sSezione, sChiave, sValore, msFileName);
    }

  private:
    std::string msFileName;
};

// SaveDriver as it would be with the reference writer: the same ".bak" step, then every key
// written on its own.
inline void SalvaChiavePerChiave(clsDriver& driver, const std::string& sFileName, IMessaggi& msg) {
    driver.msFileName = sFileName;
    driver.CreaBackup(sFileName);
    ScrittoreChiavePerChiave ini(sFileName);
    driver.Scrivi(ini, msg);
}

}  // namespace tarno::prova
