#pragma once
// tarnodrv proponi: a driver proposed from a printout, shown as text for a technician or as
// JSON for scripts, with a reading of the printout by the proposed driver.

#include <nlohmann/json.hpp>
#include <string>

#include "analisi/clsLetturaCampione.h"
#include "analisi/clsProposta.h"

namespace tarno {

// The catalogue's formats with the proposal's new ones, as the proposed driver refers to them.
MappaFormati FormatiConNuovi(const MappaFormati& catalogo, const Proposta& proposta);

// The evidence grouped by what it is about (uncertain items marked, the readings that fit
// side by side), the new formats, then a short reading: the counts, the lines no call took and
// the values that failed (the first of each). Windows-1252.
std::string PropostaInTesto(const Proposta& proposta, const clsLetturaCampione& lettura);

// {"driver", "nessunaChiamata", "voci", "formatiNuovi", "lettura"}: the driver as tarnodrv dump
// gives it, every item of the evidence, the new formats, and the reading (the counts, the calls
// as tarnodrv verify --json gives them, the lines no call took, the engine's warnings).
nlohmann::ordered_json PropostaInJson(const Proposta& proposta, const clsLetturaCampione& lettura);

// The reminder that the catalogue must get the new formats, on one line without its end ("" when
// there is none).
std::string FormatiDaAggiungere(const Proposta& proposta);

}  // namespace tarno
