// Saving and loading drivers of about 1,000 and 10,000 keys.
//
// The document is built in memory with many general transformations (each with its own
// conditions), both call-record types with every field, a date on its own line, month names
// and a long prescanning table. Saving writes it into a temporary folder; loading reads the
// file that saving produced. After the runs the program prints how the 10,000-key figures
// compare with the 1,000-key ones (the save should stay under 0.2 s and the ratio at most 15).
// The key-by-key save, whose cost grows with the square of the size, is measured at 1,000
// keys only.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "ScrittoreRiferimento.h"
#include "Supporto.h"
#include "model/CallFieldName.h"
#include "model/Messaggi.h"
#include "model/clsDriver.h"

namespace {

using namespace tarno;
namespace fs = std::filesystem;

// One folder for the whole run, removed at exit.
tarno::prova::CartellaTemp& Cartella() {
    static tarno::prova::CartellaTemp cartella;
    return cartella;
}

clsCondizione Condizione(int i, const char* sCongiunzione) {
    clsCondizione c;
    c.menOperatore = 1 + i % 5;
    c.miInizio = static_cast<int16_t>(1 + i % 80);
    c.miLunghezza = static_cast<int16_t>(1 + i % 12);
    c.miRiga = static_cast<int16_t>(i % 3);
    c.miFormato = static_cast<int16_t>(c.menOperatore >= 4 ? 1 + i % 9 : 0);
    c.msValore = c.menOperatore <= 2 ? "V" + std::to_string(i) + " \xE8\"x\"" : "";
    c.msCongiunzione = sCongiunzione;
    return c;
}

ColCondizioni Condizioni(int& riProssima, int iQuante) {
    ColCondizioni col;
    for (int k = 0; k < iQuante; ++k)
        col.Add(Condizione(riProssima++, k + 1 < iQuante ? (k % 2 ? "Or" : "And") : ""));
    return col;
}

clsTrasformazione Trasformazione(int i, int32_t enTipo, int& riCond, int iCondizioni) {
    clsTrasformazione t;
    t.menTipo = enTipo;
    t.menOperazione = 1 + i % 14;
    t.miInizio = static_cast<int16_t>(1 + i % 120);
    t.miLunghezza = static_cast<int16_t>(1 + i % 20);
    t.miRiga = static_cast<int16_t>(i % 4);
    t.msSorgente = "S" + std::to_string(i);
    t.msValore = i % 3 ? "DX" : "valore \xB0 " + std::to_string(i);
    if (iCondizioni > 0) t.mcolCondizioni = Condizioni(riCond, iCondizioni);
    return t;
}

std::unique_ptr<clsChiamata> Chiamata(int32_t enTipo, int& riCond, int& riTrasf) {
    auto c = std::make_unique<clsChiamata>();
    c->menTipo = enTipo;
    c->miNumRighe = 2;
    c->mcolCondizioni = Condizioni(riCond, 12);
    c->mcolCondTrasferita = Condizioni(riCond, 6);
    c->mcolCampi.emplace();
    const bool entranti = enTipo == clsChiamata::ENTRANTI;
    const int numero = entranti ? NUM_CAMPI_ENTRANTI : NUM_CAMPI_USCENTI;
    for (int k = 0; k < numero; ++k) {
        clsCampo f;
        f.msNome = NomeCampo(k, entranti);
        f.miInizio = static_cast<int16_t>(1 + 7 * k);
        f.miLunghezza = 6;
        f.miRiga = static_cast<int16_t>(1 + k % 2);
        f.menAllineamento = k % 3;
        f.mbOpzionale = k % 2 == 1;
        f.miFormato = static_cast<int16_t>(k % 4);
        if (f.msNome == "dData") f.menEccezione = clsCampo::DATA;
        if (f.msNome == "dDurata" || f.msNome == "lScatti") {
            f.menEccezione =
                f.msNome == "dDurata" ? clsCampo::DURATA_TRASF : clsCampo::SCATTI_TRASF;
            f.moTrasf = std::make_unique<clsTrasformazione>(
                Trasformazione(riTrasf++, clsTrasformazione::CAMPO, riCond, 2));
        }
        c->mcolCampi->Add(std::move(f), std::to_string(k));
    }
    return c;
}

// A driver of roughly iChiavi keys: a fifth of them prescanning pairs, most of the rest
// general transformations with three conditions each.
std::unique_ptr<clsDriver> CreaDriver(int iChiavi) {
    auto d = std::make_unique<clsDriver>();
    d->msAutore = "Banco di prova";
    d->msData = "01/02/2024";
    d->msVersione = "1.0";
    d->msMarca = "Marca \xB7 prova";
    d->msModello = "Modello";
    d->msNote = "Driver generato per misurare salvataggio e caricamento";
    d->mlOffset = "3";
    d->mbIngnoraRigheVuote = true;
    d->mlTroncaUltimaRigaDopoCaratteri = 132;

    int cond = 0;
    int trasf = 0;
    const int prescanning = iChiavi / 5;
    const int fisse = 100;  // header, call-record types, date options (about)
    const int trasformazioni = std::max(1, (iChiavi - prescanning - fisse) / 4);
    d->mcolTrasf.emplace();
    for (int i = 0; i < trasformazioni; ++i) {
        const int32_t tipo = 1 + i % 3;
        d->mcolTrasf->Add(Trasformazione(trasf, tipo, cond, 3), std::to_string(trasf));
        ++trasf;
    }
    d->moEntranti = Chiamata(clsChiamata::ENTRANTI, cond, trasf);
    d->moUscenti = Chiamata(clsChiamata::USCENTI, cond, trasf);
    d->mcolDataIsolata = Condizioni(cond, 3);

    static const char* const mesi[12] = {"GEN", "FEB", "MAR", "APR", "MAG", "GIU",
                                         "LUG", "AGO", "SET", "OTT", "NOV", "DIC"};
    for (int i = 0; i < 12; ++i) d->Mesi(i, mesi[i]);

    d->mcolPrescanning.emplace();
    d->mbConPrescanning = true;
    for (int i = 0; i < prescanning; ++i)
        d->mcolPrescanning->Add(
            clsPrescanning{"Parametro" + std::to_string(i), "valore " + std::to_string(i * 7)});
    return d;
}

// Key lines of a saved file.
int64_t ContaChiavi(const std::string& sFile) {
    std::FILE* f = std::fopen(sFile.c_str(), "rb");
    if (!f) return 0;
    int64_t chiavi = 0;
    bool inizioRiga = true;
    bool uguale = false;
    for (int c; (c = std::fgetc(f)) != EOF;) {
        if (c == '\n') {
            chiavi += uguale ? 1 : 0;
            inizioRiga = true;
            uguale = false;
            continue;
        }
        if (inizioRiga && c == '[') uguale = false;
        if (c == '=') uguale = true;
        inizioRiga = false;
    }
    std::fclose(f);
    return chiavi;
}

void BM_SaveDriver(benchmark::State& state) {
    const auto driver = CreaDriver(static_cast<int>(state.range(0)));
    const std::string file = Cartella().File("save-" + std::to_string(state.range(0)) + ".drv");
    MessaggiRaccolti msg;
    for (auto _ : state) driver->SaveDriver(file, msg);
    if (!msg.mvTesti.empty()) state.SkipWithError(("message: " + msg.mvTesti.front()).c_str());
    state.counters["keys"] = static_cast<double>(ContaChiavi(file));
    state.counters["bytes"] = static_cast<double>(fs::file_size(file));
}

void BM_LoadDriver(benchmark::State& state) {
    const std::string file = Cartella().File("load-" + std::to_string(state.range(0)) + ".drv");
    {
        MessaggiMuti muti;
        CreaDriver(static_cast<int>(state.range(0)))->SaveDriver(file, muti);
    }
    MessaggiRaccolti msg;
    clsDriver driver;
    for (auto _ : state) {
        driver.LoadDriver(file, msg);
        benchmark::DoNotOptimize(driver.mcolTrasf);
    }
    if (!msg.mvTesti.empty()) state.SkipWithError(("message: " + msg.mvTesti.front()).c_str());
    state.counters["keys"] = static_cast<double>(ContaChiavi(file));
}

void BM_SaveDriverChiavePerChiave(benchmark::State& state) {
    const auto driver = CreaDriver(static_cast<int>(state.range(0)));
    const std::string file = Cartella().File("kpk-" + std::to_string(state.range(0)) + ".drv");
    MessaggiRaccolti msg;
    for (auto _ : state) tarno::prova::SalvaChiavePerChiave(*driver, file, msg);
    if (!msg.mvTesti.empty()) state.SkipWithError(("message: " + msg.mvTesti.front()).c_str());
    state.counters["keys"] = static_cast<double>(ContaChiavi(file));
}

BENCHMARK(BM_SaveDriver)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadDriver)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveDriverChiavePerChiave)->Arg(1000)->Unit(benchmark::kMillisecond);

// The console output, plus the real time per iteration of every benchmark by name (the
// median when repetitions are asked for).
class Raccoglitore : public benchmark::ConsoleReporter {
  public:
    explicit Raccoglitore(OutputOptions opzioni) : ConsoleReporter(opzioni) {}
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const auto& r : runs) {
            if (r.error_occurred || r.iterations <= 0) continue;
            const double secondi = r.real_accumulated_time / static_cast<double>(r.iterations);
            const std::string nome = r.run_name.str();
            if (r.run_type == Run::RT_Iteration) {
                if (!mmMediana.count(nome)) mmSecondi[nome] = secondi;
            } else if (r.aggregate_name == "median") {
                mmSecondi[nome] = r.GetAdjustedRealTime() * Secondi(r.time_unit);
                mmMediana[nome] = true;
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> mmSecondi;

  private:
    static double Secondi(benchmark::TimeUnit unita) {
        switch (unita) {
            case benchmark::kNanosecond:
                return 1e-9;
            case benchmark::kMicrosecond:
                return 1e-6;
            case benchmark::kMillisecond:
                return 1e-3;
            default:
                return 1.0;
        }
    }
    std::map<std::string, bool> mmMediana;
};

void Confronta(const Raccoglitore& r, const std::string& sNome, double dLimite) {
    const auto piccolo = r.mmSecondi.find(sNome + "/1000");
    const auto grande = r.mmSecondi.find(sNome + "/10000");
    if (piccolo == r.mmSecondi.end() || grande == r.mmSecondi.end()) return;
    std::printf("%-16s t(10000) = %8.4f s%s   t(10000)/t(1000) = %5.2f (target <= 15)\n",
                sNome.substr(3).c_str(), grande->second,
                dLimite > 0 ? (grande->second < dLimite ? " (target < 0.2 s: met)"
                                                        : " (target < 0.2 s: MISSED)")
                            : "",
                grande->second / piccolo->second);
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    // Colours only on a terminal.
    Raccoglitore reporter(::isatty(STDOUT_FILENO) ? benchmark::ConsoleReporter::OO_Defaults
                                                  : benchmark::ConsoleReporter::OO_Tabular);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    Confronta(reporter, "BM_SaveDriver", 0.2);
    Confronta(reporter, "BM_LoadDriver", 0);
    benchmark::Shutdown();
    return 0;
}
