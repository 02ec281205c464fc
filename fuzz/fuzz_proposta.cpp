// A driver proposed from a printout of arbitrary bytes. Nothing may crash or hang, every
// proposal says why it found what it found, and the driver it gives reads the printout.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "analisi/clsLetturaCampione.h"
#include "analisi/clsProposta.h"

using namespace tarno;

namespace {

const MappaFormati kFormati = {
    {1, "gg/mm/aa"}, {2, "gg/mm/aaaa"}, {5, "mm/gg/aa"}, {6, "ggmmaa"},  {13, "hh:mm"},
    {14, "hh:mm:ss"}, {15, "hhmm"},      {16, "mm:ss"},   {21, "ss"},    {23, "h:mmAM/PM"}};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view byte(reinterpret_cast<const char*>(data), size);
    const Proposta p = ProponiDriver(byte, kFormati);
    if (p.vVoci.empty()) std::abort();
    MappaFormati formati = kFormati;
    for (const auto& n : p.vFormatiNuovi) {
        if (formati.count(n.iCodice)) std::abort();  // a new format never takes a used code
        formati[n.iCodice] = n.sTesto;
    }
    const clsLetturaCampione lettura(p.driver, formati, byte);
    if (p.bNessunaChiamata && lettura.Conteggi().Chiamate() != 0) std::abort();
    return 0;
}
