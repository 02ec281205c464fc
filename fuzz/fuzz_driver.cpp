// Loading and saving a driver file of arbitrary bytes.
//
// The input is written to a file and loaded; the document is saved to another file, which is
// loaded again. Nothing may crash or hang. When the saved driver is small, the document is
// also saved key by key through ScriviChiaveINI, and both saves must give the same file and
// the same messages.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "ScrittoreRiferimento.h"
#include "Supporto.h"
#include "VerificaFuzz.h"
#include "model/Messaggi.h"
#include "model/clsDriver.h"

using namespace tarno;
using namespace tarno::prova;

namespace {

// The key-by-key save rewrites the whole file for every key; keep it to small drivers.
constexpr size_t MAX_RIGHE_CONFRONTO = 200;

size_t ContaRighe(const std::string& s) {
    size_t n = 0;
    for (char c : s) n += c == '\n';
    return n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static CartellaTemp cartella;
    const std::string ingresso = cartella.File("ingresso.drv");
    ScriviFile(ingresso, std::string(reinterpret_cast<const char*>(data), size));
    for (const char* nome :
         {"uscita.drv", "uscita.drv.bak", "chiave-per-chiave.drv", "chiave-per-chiave.drv.bak"}) {
        std::error_code ec;
        fs::remove(cartella.File(nome), ec);
    }

    MessaggiRaccolti caricamento;
    clsDriver driver;
    FUZZ_VERIFICA(driver.LoadDriver(ingresso, caricamento) == 1, "LoadDriver did not return 1");

    const clsDriver copia(driver);
    const std::string uscita = cartella.File("uscita.drv");
    MessaggiRaccolti salvataggio;
    driver.SaveDriver(uscita, salvataggio);

    MessaggiRaccolti ricaricamento;
    clsDriver riletto;
    riletto.LoadDriver(uscita, ricaricamento);

    const std::string salvato = LeggiTutto(uscita);
    if (ContaRighe(salvato) <= MAX_RIGHE_CONFRONTO) {
        clsDriver lento(copia);
        const std::string kpk = cartella.File("chiave-per-chiave.drv");
        MessaggiRaccolti salvataggioLento;
        SalvaChiavePerChiave(lento, kpk, salvataggioLento);
        FUZZ_VERIFICA(LeggiTutto(kpk) == salvato, "the two saves leave different files");
        FUZZ_VERIFICA(salvataggioLento.mvTesti == salvataggio.mvTesti,
                      "the two saves show different messages");
    }
    return 0;
}
