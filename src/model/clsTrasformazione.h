#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "model/clsCondizione.h"

namespace tarno {

class IMessaggi;

// One editing action of the import engine on the printed text or on one field.
class clsTrasformazione {
  public:
    enum Tipo : int32_t { TIPO_NESSUNO = 0, INIZIALE = 1, ENTRANTI = 2, USCENTI = 3, CAMPO = 4 };
    enum Operazione : int32_t {
        OP_NESSUNA = 0,
        SOSTITUISCI = 1,
        MOLTIPLICA = 2,
        DIVIDI = 3,
        SOMMA = 4,
        SOTTRAI = 5,
        INSERISCI = 6,
        ELIMINA = 7,
        ALLINEA = 8,
        ESTRAI_NUMERO = 9,
        IGNORA = 10,
        SPOSTA = 11,
        COPIA = 12,
        ESPANDI = 13,
        UTC = 14,
    };

    std::string msNome;
    int32_t menTipo = TIPO_NESSUNO;
    int32_t menOperazione = OP_NESSUNA;
    int16_t miInizio = 0;
    int16_t miLunghezza = 0;
    int16_t miRiga = 0;
    int16_t miNelCampo = 0;  // as in clsCampo
    std::string msSorgente;
    std::string msValore;
    std::optional<ColCondizioni> mcolCondizioni;  // absent when the value has no condition part

    // 0 when "Azione_" + number is missing or empty; otherwise 1 (levels 0 to 3), 2 (CAMPO)
    // or -1 (syntax error).
    int16_t Leggi(const clsProfiloINI& profilo, const std::string& viNumero);
    // Saves its conditions from ricCond on, then itself as "Azione_" + number; 1 or -3.
    int16_t Salva(IScrittoreINI& ini, int32_t viNumero, int32_t& ricCond, IMessaggi& msg);
    void SvuotaCondizioni() {
        if (mcolCondizioni) mcolCondizioni->Clear();
    }
    int16_t Interpreta(const std::string& sValore, const clsProfiloINI& profilo);

    static const char* ParolaTipo(int32_t enTipo);
    static const char* ParolaOperazione(int32_t enOperazione);
};

inline constexpr const char* SEZ_TRASFORMAZIONI = "Trasformazioni";
inline constexpr size_t LARGHEZZA_CONDIZIONI_TRASF = 450;

}  // namespace tarno
