#pragma once
// The run-time error of the legacy reader and of the conversion programs.

#include <cstdint>
#include <stdexcept>
#include <string>

namespace tarno {

// A run-time error of the legacy reader or of a conversion program: a number from the list
// in modOldDriver.h and an Italian description (Windows-1252).
class ErroreConversione : public std::runtime_error {
  public:
    ErroreConversione(int32_t lNumero, const std::string& sDescrizione)
        : std::runtime_error(sDescrizione), mlNumero(lNumero) {}
    int32_t mlNumero;
};

}  // namespace tarno
