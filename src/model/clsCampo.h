#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "model/clsTrasformazione.h"

namespace tarno {

// Where one field of a call record lies, how it is aligned and read, and its special handling.
class clsCampo {
  public:
    enum Allineamento : int32_t { ALL_NESSUNO = 0, DX = 1, SX = 2 };
    enum Eccezione : int32_t { ECC_NESSUNA = 0, DATA = 1, DURATA_TRASF = 2, SCATTI_TRASF = 3 };

    clsCampo() = default;
    clsCampo(const clsCampo& altro);
    clsCampo& operator=(const clsCampo& altro);
    clsCampo(clsCampo&&) = default;
    clsCampo& operator=(clsCampo&&) = default;

    std::string msNome;
    int16_t miInizio = 0;
    int16_t miLunghezza = 0;
    int16_t miRiga = 0;
    // In a driver of separated fields miInizio is the field's number (from the end when
    // negative), miLunghezza the characters taken (0: all) from character miNelCampo (0: 1).
    int16_t miNelCampo = 0;
    int32_t menAllineamento = ALL_NESSUNO;
    bool mbOpzionale = false;
    int16_t miFormato = 0;
    int32_t menEccezione = ECC_NESSUNA;
    std::unique_ptr<clsTrasformazione> moTrasf;  // level CAMPO, for exceptions 2 and 3
    // Only the digits of the value (and a leading '+') are kept: "CIFRE" after every other
    // part of the field's value, written only when set.
    bool mbSoloCifre = false;

    // Saves the field as "Campo_" + number (its transformation first, numbered from ricTrasf);
    // 1, or -3 when the key cannot be written.
    int16_t Salva(IScrittoreINI& ini, const std::string& sSezione, int32_t iNumero,
                  int32_t& ricCond, int32_t& ricTrasf, IMessaggi& msg);
    // 0 when the key is missing or empty, otherwise the result of Interpreta.
    int16_t Leggi(const clsProfiloINI& profilo, const std::string& sSezione, int32_t iNumero);
    void LiberaTrasf() { moTrasf.reset(); }
    int16_t Interpreta(const std::string& sValore, const clsProfiloINI& profilo);
};

}  // namespace tarno
