#pragma once
// A writer for the model tests that writes through ScriviChiaveINI but refuses chosen keys, so
// that each write failure and its message can be provoked on its own.

#include <functional>
#include <string>
#include <vector>

#include "clsScritturaINI.h"

namespace tarno::prova {

class ScrittoreGuasto : public IScrittoreINI {
  public:
    using Filtro = std::function<bool(const std::string& sSezione, const std::string& sChiave)>;
    ScrittoreGuasto(std::string sFileName, Filtro rifiuta)
        : mVero(std::move(sFileName)), mRifiuta(std::move(rifiuta)) {}

    int16_t ScriviChiave(const std::string& sSezione, const std::string& sChiave,
                         const std::string& sValore) override {
        mvChiavi.push_back(sSezione + "/" + sChiave);
        if (mRifiuta(sSezione, sChiave)) return 0;
        return mVero.ScriviChiave(sSezione, sChiave, sValore);
    }

    // "section/key" of every write asked for, in order.
    std::vector<std::string> mvChiavi;

  private:
    ScrittoreChiavePerChiave mVero;
    Filtro mRifiuta;
};

}  // namespace tarno::prova
