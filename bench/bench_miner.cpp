// The import engine on a long printout: 1,000,000 call lines for the demo driver PanasonicTDA
// (about 66 MB), written once into a temporary file.
//
// - BM_VerificaLibreria: the engine library reads the printout and writes the whole log; the
//   figure is the printout's MB per second (target: at least 50 MB/s in a Release build).
// - BM_VerificaProgramma: the tarnominer program itself, started with the editor's command line
//   from a temporary suite; besides the speed it reports the program's peak resident memory
//   (counter RSS_max_MB, from the child's rusage; target: under 50 MB whatever the size).
// - BM_VerificaSeparata: the same for 1,000,000 records of separated fields (30 fields cut by
//   commas, the case separati-avaya-ip-office of the engine's tests), against BM_VerificaLibreria:
//   the cost of cutting every line into fields.
// - BM_AwkColonne: the baseline, taglia_colonne.awk (about twenty lines that only cut the
//   driver's columns, with no checks and no log) run by the system's awk on the same printout;
//   the engine must stay ahead of it.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "FormatiDemo.h"
#include "Supporto.h"
#include "engine/VerificaDriver.h"

namespace {

using namespace tarno;
namespace fs = std::filesystem;

constexpr long kChiamate = 1'000'000;

// One folder for the whole run, removed at exit.
tarno::prova::CartellaTemp& Cartella() {
    static tarno::prova::CartellaTemp cartella;
    return cartella;
}

// The printout: the demo's three header lines, then calls in the demo's layout, incoming and
// outgoing mixed, an empty line now and then.
const std::string& Stampa() {
    static const std::string percorso = [] {
        const std::string p = Cartella().File("stampa grande.txt");
        std::ofstream out(p, std::ios::binary);
        out << "Panasonic KX-TDA200  -  SMDR\r\n"
               "Data     Ora    Int Li Numero                    Squi Durata   Commessa\r\n"
               "--------------------------------------------------------------------------\r\n";
        std::mt19937 rng(42);
        char riga[128];
        for (long i = 0; i < kChiamate; ++i) {
            const unsigned g = 1 + i / 40000 % 28, h = 8 + rng() % 10, m = rng() % 60;
            const unsigned derivato = 201 + rng() % 12, linea = 1 + rng() % 8;
            const unsigned dm = rng() % 30, ds = rng() % 60;
            int n;
            if (rng() % 3 == 0) {
                n = std::snprintf(riga, sizeof riga,
                                  "%02u/12/26 %02u:%02u  %03u %02u <I>02%07u              %04u "
                                  "00'%02u'%02u\r\n",
                                  g, h, m, derivato, linea, static_cast<unsigned>(rng() % 10000000),
                                  static_cast<unsigned>(rng() % 40), dm, ds);
            } else if (rng() % 4 == 0) {
                n = std::snprintf(riga, sizeof riga,
                                  "%02u/12/26 %02u:%02u  %03u %02u 0%09u                     "
                                  "00'%02u'%02u COMM%03u\r\n",
                                  g, h, m, derivato, linea,
                                  static_cast<unsigned>(rng() % 1000000000), dm, ds,
                                  static_cast<unsigned>(rng() % 1000));
            } else {
                n = std::snprintf(riga, sizeof riga,
                                  "%02u/12/26 %02u:%02u  %03u %02u 0%09u                     "
                                  "00'%02u'%02u\r\n",
                                  g, h, m, derivato, linea,
                                  static_cast<unsigned>(rng() % 1000000000), dm, ds);
            }
            out.write(riga, n);
            if (i % 13 == 12) out << "\r\n";
        }
        return p;
    }();
    return percorso;
}

// The driver of the layout the lines above are written in (the tests' Panasonic demo).
const std::string kDriver = TARNO_DEMO_PROVA "/Driver/PanasonicTDA.drv";

// The library's verification of a printout with a driver, its log written anew each time.
void Verifica(benchmark::State& state, const std::string& sDriver, const std::string& stampa,
              const std::string& sLog) {
    const auto dimensione = static_cast<int64_t>(fs::file_size(stampa));
    RichiestaVerifica r;
    r.sDriver = sDriver;
    r.sCampione = stampa;
    r.sLog = sLog;
    r.formati = FormatiDemo();
    uint64_t chiamate = 0;
    for (auto _ : state) {
        // The previous run's log (about 300 MB) is removed outside the measure.
        state.PauseTiming();
        std::error_code ec;
        fs::remove(r.sLog, ec);
        state.ResumeTiming();
        const EsitoVerifica e = VerificaDriver(r);
        if (!e.bRiuscita) {
            state.SkipWithError(e.sErrore.c_str());
            return;
        }
        chiamate = e.conteggi.Chiamate();
    }
    state.SetBytesProcessed(state.iterations() * dimensione);
    state.counters["MB/s"] = benchmark::Counter(static_cast<double>(dimensione) / 1e6,
                                                benchmark::Counter::kIsIterationInvariantRate);
    state.counters["chiamate"] = static_cast<double>(chiamate);
    state.counters["log_MB"] = static_cast<double>(fs::file_size(r.sLog)) / 1e6;
}

void BM_VerificaLibreria(benchmark::State& state) {
    Verifica(state, kDriver, Stampa(), Cartella().File(NOME_LOG_VERIFICA));
}
BENCHMARK(BM_VerificaLibreria)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

// A printout of separated fields: records of the IP PBX layout of the engine's test case,
// incoming and outgoing mixed.
const std::string& StampaSeparata() {
    static const std::string percorso = [] {
        const std::string p = Cartella().File("stampa separata.txt");
        std::ofstream out(p, std::ios::binary);
        std::mt19937 rng(42);
        char riga[256];
        for (long i = 0; i < kChiamate; ++i) {
            const unsigned g = 1 + i / 40000 % 28, h = 8 + rng() % 10, m = rng() % 60,
                           sec = rng() % 60, dm = rng() % 30, ds = rng() % 60, squillo = rng() % 30,
                           derivato = 201 + rng() % 12;
            const auto numero = static_cast<unsigned>(rng() % 1000000000);
            const bool entrante = rng() % 3 == 0;
            const int n = std::snprintf(
                riga, sizeof riga,
                "2026/12/%02u %02u:%02u:%02u,00:%02u:%02u,%u,%s%u,%c,%s%u,%s%u,,0,%lu,0,%c%u,Nome "
                "Cognome,%c%u,Line 1.1,0,0,,,,,,,,,,,,,\r\n",
                g, h, m, sec, dm, ds, squillo, entrante ? "0" : "", entrante ? numero : derivato,
                entrante ? 'I' : 'O', entrante ? "" : "0", entrante ? 5550100 : numero,
                entrante ? "" : "0", entrante ? 5550100 : numero, 1000000 + i, entrante ? 'T' : 'E',
                entrante ? 9001 : derivato, entrante ? 'E' : 'T', entrante ? derivato : 9001);
            out.write(riga, n);
        }
        return p;
    }();
    return percorso;
}

void BM_VerificaSeparata(benchmark::State& state) {
    Verifica(state, TARNO_CASI_ENGINE "/separati-avaya-ip-office/driver.drv", StampaSeparata(),
             Cartella().File("separata.log"));
}
BENCHMARK(BM_VerificaSeparata)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

// Runs a program on the printout with its standard output into a file, timing it and keeping
// its peak resident memory; false when it cannot be run or fails.
bool Esegui(benchmark::State& state, const std::vector<std::string>& argomenti,
            const std::string& uscita, long& rssMax) {
    const auto inizio = std::chrono::steady_clock::now();
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int out = ::open(uscita.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int nulla = ::open("/dev/null", O_WRONLY);
        ::dup2(out, 1);
        ::dup2(nulla, 2);
        std::vector<char*> argv;
        for (const auto& a : argomenti) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execvp(argv[0], argv.data());
        ::_exit(127);
    }
    int stato = 0;
    struct rusage uso {};
    if (pid < 0 || ::wait4(pid, &stato, 0, &uso) != pid || !WIFEXITED(stato) ||
        WEXITSTATUS(stato) != 0)
        return false;
    state.SetIterationTime(
        std::chrono::duration<double>(std::chrono::steady_clock::now() - inizio).count());
    rssMax = std::max(rssMax, uso.ru_maxrss);  // kilobytes
    return true;
}

void BM_AwkColonne(benchmark::State& state) {
    const std::string& stampa = Stampa();
    const auto dimensione = static_cast<int64_t>(fs::file_size(stampa));
    long rssMax = 0;
    for (auto _ : state) {
        if (!Esegui(state, {"awk", "-f", TARNO_BENCH_DIR "/taglia_colonne.awk", stampa},
                    Cartella().File("colonne.txt"), rssMax)) {
            state.SkipWithError("awk non riuscito");
            return;
        }
    }
    state.SetBytesProcessed(state.iterations() * dimensione);
    state.counters["MB/s"] = benchmark::Counter(static_cast<double>(dimensione) / 1e6,
                                                benchmark::Counter::kIsIterationInvariantRate);
    state.counters["RSS_max_MB"] = static_cast<double>(rssMax) / 1024.0;
}
BENCHMARK(BM_AwkColonne)->Unit(benchmark::kMillisecond)->Iterations(3)->UseManualTime();

#ifdef TARNOMINER
void BM_VerificaProgramma(benchmark::State& state) {
    const std::string& stampa = Stampa();
    const auto dimensione = static_cast<int64_t>(fs::file_size(stampa));
    // A suite of its own: the program beside a Tarnosuite.ini that names the build's catalogue.
    const std::string programma = Cartella().File("tarnominer");
    std::error_code ec;
    if (!fs::exists(programma, ec)) {
        fs::copy_file(TARNOMINER, programma);
        std::ofstream ini(Cartella().File("Tarnosuite.ini"), std::ios::binary);
        ini << "[Configurazione]\r\nVersioneDB=Access\r\nDatabase=" << TARNO_CATALOGO_DB << "\r\n";
    }
    const std::string riga = "/i3 /D" + kDriver + " /F" + stampa;
    long rssMax = 0;
    for (auto _ : state) {
        fs::remove(Cartella().File(NOME_LOG_VERIFICA), ec);
        if (!Esegui(state, {programma, riga}, "/dev/null", rssMax)) {
            state.SkipWithError("tarnominer non riuscito");
            return;
        }
    }
    state.SetBytesProcessed(state.iterations() * dimensione);
    state.counters["MB/s"] = benchmark::Counter(static_cast<double>(dimensione) / 1e6,
                                                benchmark::Counter::kIsIterationInvariantRate);
    state.counters["RSS_max_MB"] = static_cast<double>(rssMax) / 1024.0;
}
BENCHMARK(BM_VerificaProgramma)->Unit(benchmark::kMillisecond)->Iterations(3)->UseManualTime();
#endif

}  // namespace
BENCHMARK_MAIN();
