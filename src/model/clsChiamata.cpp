#include "model/clsChiamata.h"

#include "model/CallFieldName.h"
#include "model/Messaggi.h"
#include "model/Numeri.h"
#include "model/clsProfiloINI.h"
#include "model/clsScritturaINI.h"

namespace tarno {

int16_t clsChiamata::Leggi(const clsProfiloINI& profilo, IMessaggi& msg) {
    if (menTipo == TIPO_NESSUNO) return -2;
    int16_t risultato = 1;
    Delete();
    const std::string sezione = NomeSezione();
    const bool entrante = (menTipo == ENTRANTI);

    const std::string righe = profilo.Leggi(sezione, "Numero_Righe");
    if (!righe.empty()) {
        const auto valore = ValoreNumerico(righe);
        const auto n = valore ? Arrotonda16(*valore) : std::nullopt;
        if (n)
            miNumRighe = *n;
        else
            risultato = -1;
    }
    auto leggiElenco = [&](const char* chiave, std::optional<ColCondizioni>& col) {
        const std::string elenco = profilo.Leggi(sezione, chiave);
        if (elenco.empty()) return;
        col.emplace();
        if (LeggiElencoCondizioni(profilo, elenco, DIM_BUFFER_PROFILO, *col) != 1) risultato = -1;
    };
    leggiElenco("Condizioni", mcolCondizioni);
    leggiElenco("Trasferita", mcolCondTrasferita);

    mcolCampi.emplace();
    for (int32_t n = 0;; ++n) {
        clsCampo campo;
        const int16_t r = campo.Leggi(profilo, sezione, n);
        if (r == 0) break;
        if (r == 1) {
            const int16_t indice = IndiceCampo(campo.msNome, entrante);
            if (indice < 0) {
                risultato = -1;
                msg.Mostra("Il nome del campo " + std::to_string(n) + " non \xE8 un nome valido");
            } else {
                // A name already present: the later field is dropped without a message.
                mcolCampi->Add(std::move(campo), std::to_string(indice));
            }
        } else {
            risultato = r;
            msg.Mostra("Errore nella sintassi del campo " + std::to_string(n));
        }
    }
    return risultato;
}

int16_t clsChiamata::Salva(IScrittoreINI& ini, int32_t& ricCond, int32_t& ricTrasf,
                           IMessaggi& msg) {
    if (menTipo == TIPO_NESSUNO) return -2;
    const std::string sezione = NomeSezione();
    if (ini.ScriviChiave(sezione, "Numero_Righe", std::to_string(miNumRighe)) != 1)
        msg.Mostra("Errore durante la scrittura del numero di righe " + sezione);
    if (mcolCondizioni && !mcolCondizioni->Vuota()) {
        const std::string elenco = SalvaElencoCondizioni(ini, *mcolCondizioni, ricCond, msg);
        if (ini.ScriviChiave(sezione, "Condizioni", elenco) != 1)
            msg.Mostra("Errore durante la scrittura dell'elenco delle condizioni");
    }
    if (mcolCondTrasferita && !mcolCondTrasferita->Vuota()) {
        const std::string elenco = SalvaElencoCondizioni(ini, *mcolCondTrasferita, ricCond, msg);
        if (ini.ScriviChiave(sezione, "Trasferita", elenco) != 1)
            msg.Mostra("Errore durante la scrittura dell'elenco delle condizioni di trasferita");
    }
    if (mcolCampi) {
        for (int i = 1; i <= mcolCampi->Count(); ++i) {
            if (mcolCampi->Item(i).Salva(ini, sezione, i - 1, ricCond, ricTrasf, msg) != 1)
                msg.Mostra("Errore nella sintassi del campo " + std::to_string(i));
        }
    }
    return 1;
}

}  // namespace tarno
