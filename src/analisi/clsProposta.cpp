#include "analisi/clsProposta.h"

namespace tarno {

Proposta ProponiDriver(std::string_view /*sByte*/, const MappaFormati& /*formati*/) {
    Proposta p;
    p.bNessunaChiamata = true;
    VoceProposta v;
    v.ambito = VoceProposta::Ambito::Righe;
    v.sTitolo = "Righe della stampa";
    v.sTesto = "nessuna riga di chiamata trovata";
    p.vVoci.push_back(v);
    return p;
}

}  // namespace tarno
