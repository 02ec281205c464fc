#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "model/Collezione.h"

namespace tarno {

class clsProfiloINI;
class IScrittoreINI;

// One identification test on the text at a line, position and length of a call's lines.
class clsCondizione {
  public:
    enum Operatore : int32_t {
        NESSUNO = 0,
        UGUALE_A = 1,
        DIVERSO_DA = 2,
        SOLO_NUMERI = 3,
        DATA_VALIDA = 4,
        TEMPO_VALIDO = 5,
        DATA_ISOLATA = 6,
    };

    std::string msNome;
    int32_t menOperatore = NESSUNO;
    int16_t miInizio = 0;
    int16_t miLunghezza = 0;
    int16_t miRiga = 0;
    int16_t miNelCampo = 0;  // as in clsCampo
    int16_t miFormato = 0;
    std::string msValore;
    std::string msCongiunzione;

    clsCondizione Clone() const { return *this; }

    // 0 when "Condizione_" + number is missing or empty, otherwise the result of Interpreta.
    int16_t Leggi(const clsProfiloINI& profilo, const std::string& viNumero);
    // Writes the condition as "Condizione_" + number; 1, or -3 when it cannot be written.
    int16_t Salva(IScrittoreINI& ini, int32_t viNumero);
    // Fills the members from one value; 1 or -1.
    int16_t Interpreta(const std::string& sValore);

    // The value as it is written.
    std::string Valore() const;

    static const char* ParolaChiave(int32_t enOperatore);  // "" for none
};

using ColCondizioni = Collezione<clsCondizione>;

inline constexpr const char* SEZ_CONDIZIONI = "Condizioni";

// Reads a condition list (names "Condizione_" + number, each followed by its conjunction)
// into rcol; iLarghezza is the width of the reading buffer it is padded to. 1, or -1 when a
// condition cannot be read, is named twice, or the list ends after a conjunction.
int16_t LeggiElencoCondizioni(const clsProfiloINI& profilo, const std::string& sElenco,
                              size_t iLarghezza, ColCondizioni& rcol);

// Saves the conditions of a list with numbers from ricCond on, reporting each failure with
// "Errore durante la scrittura della condizione " + its number; returns the list text.
class IMessaggi;
std::string SalvaElencoCondizioni(IScrittoreINI& ini, ColCondizioni& col, int32_t& ricCond,
                                  IMessaggi& msg, int16_t* riMaxRiga = nullptr,
                                  const std::string& sSuffisso = "");

}  // namespace tarno
