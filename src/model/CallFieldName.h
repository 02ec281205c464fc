#pragma once
// The call-record field names, with their index for each direction: incoming 0 to 13,
// outgoing 0 to 12 ("dRisposta" exists only for incoming calls).

#include <cstdint>
#include <string>
#include <string_view>

namespace tarno {

struct CallFieldName {
    const char* sNome;
    int16_t iEntrante;  // -1 when the field does not exist in that direction
    int16_t iUscente;
    const char* sDidascalia;
};

inline constexpr int16_t NUM_CAMPI_ENTRANTI = 14;
inline constexpr int16_t NUM_CAMPI_USCENTI = 13;

// The fourteen names in incoming order.
const CallFieldName* NomiCampi();
inline constexpr int NUM_NOMI_CAMPI = 14;

// Index of a field name in a direction, -1 when it is not a name of that direction; "dOra"
// is another name of index 1. Names are compared exactly.
int16_t IndiceCampo(std::string_view sNome, bool bEntrante);
// Name of an index in a direction, "" outside the direction's range.
std::string NomeCampo(int iIndice, bool bEntrante);

}  // namespace tarno
