// The import engine reading a printout of arbitrary bytes with a driver of arbitrary bytes.
//
// The input is a driver file, two NUL bytes and a printout; without the two NUL bytes it is
// the driver and the printout both. The driver is loaded and the printout is read line by line
// with the demo catalogue's formats. Nothing may crash or hang, every line must be accounted
// for, and a call may not take more lines than its kind has.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "Supporto.h"
#include "VerificaFuzz.h"
#include "engine/clsAnalizzatore.h"
#include "model/Messaggi.h"
#include "model/clsDriver.h"

using namespace tarno;

namespace {

const MappaFormati kFormati = {
    {1, "gg/mm/aa"}, {2, "gg/mm/aaaa"},  {3, "aa/mm/gg"}, {4, "gg.mm.aa"}, {5, "mm/gg/aa"},
    {6, "ggmmaa"},   {7, "gg mmm aaaa"}, {8, "gg/mm"},    {10, "hh:mm"},   {11, "hh:mm:ss"},
    {12, "hhmm"},    {13, "mm:ss"},      {14, "hh.mm"},   {15, "hhmmss"},  {16, "h:mm:ss"},
    {17, "mmss"},    {18, "ss"}};

class Conta : public IEsitiAnalisi {
  public:
    void Chiamata(const ChiamataLetta& c) override {
        righe += c.vRighe.size();
        if (!c.bIncompleta && c.vRighe.size() != static_cast<size_t>(c.iRigheAttese))
            __builtin_trap();
        if (c.bIncompleta && c.vRighe.size() >= static_cast<size_t>(c.iRigheAttese))
            __builtin_trap();
    }
    void RigaData(const RigaDataLetta&) override { ++date; }
    void RigaSenzaChiamata(uint64_t, std::string_view, MotivoRiga, std::string_view,
                           std::string_view) override {
        ++righe;
    }
    uint64_t righe = 0, date = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static tarno::prova::CartellaTemp cartella;
    const std::string_view ingresso(reinterpret_cast<const char*>(data), size);
    const size_t sep = ingresso.find(std::string_view("\0\0", 2));
    const std::string_view testoDriver = ingresso.substr(0, sep);
    const std::string_view stampa =
        sep == std::string_view::npos ? ingresso : ingresso.substr(sep + 2);

    const std::string file = cartella.File("driver.drv");
    tarno::prova::ScriviFile(file, testoDriver);
    MessaggiMuti muti;
    clsDriver driver;
    driver.LoadDriver(file, muti);

    Conta conta;
    clsAnalizzatore analisi(driver, kFormati, conta);
    uint64_t righe = 0;
    for (size_t p = 0; p <= stampa.size();) {
        size_t a = stampa.find('\n', p);
        if (a == std::string_view::npos) {
            if (p < stampa.size()) {
                analisi.Riga(stampa.substr(p));
                ++righe;
            }
            break;
        }
        analisi.Riga(stampa.substr(p, a - p));
        ++righe;
        p = a + 1;
    }
    analisi.Fine();
    const ConteggiAnalisi& c = analisi.Conteggi();
    FUZZ_VERIFICA(c.iRighe == righe, "the engine did not count every line");
    FUZZ_VERIFICA(c.iRigheData == conta.date, "date lines miscounted");
    // A line broken by "Caratteri_ultima_riga" counts twice among the call lines.
    if (driver.mlTroncaUltimaRigaDopoCaratteri <= 0)
        FUZZ_VERIFICA(conta.righe + c.iRigheData <= righe, "more lines reported than read");
    return 0;
}
