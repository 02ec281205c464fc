// tarnodrv: the driver model from the command line.
//
//   tarnodrv ini-get FILE SECTION [KEY]        the profile lookup (500-character buffer)
//   tarnodrv ini-set FILE SECTION KEY VALUE    ScriviChiaveINI once
//   tarnodrv dump FILE                         LoadDriver, the document as JSON
//   tarnodrv resave IN OUT                     LoadDriver IN, SaveDriver OUT
//   tarnodrv convert-legacy LEGACY... OUT --program CODE [--config INI]
//                                              a legacy driver converted and saved; with several
//                                              legacy files OUT is a folder
//   tarnodrv verify DRIVER SAMPLE [--config INI] [--json]
//                                              the import engine's reading of SAMPLE: the
//                                              counts, or with --json every result
//   tarnodrv proponi PRINTOUT [-o DRIVER] [--json] [--config INI]
//                                              a driver proposed from PRINTOUT alone: the
//                                              evidence and its reading of PRINTOUT, or with
//                                              --json all of it; -o saves the driver
//   tarnodrv --version                         the version of the build
//
// Files hold Windows-1252 text; arguments, JSON and messages are UTF-8. The model's messages
// go to stderr, one a line.

#include <algorithm>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "Proponi.h"
#include "TarnoVersione.h"
#include "engine/VerificaDriver.h"
#include "engine/clsEsitiJson.h"
#include "legacy/modOldDriver.h"
#include "model/DriverJson.h"
#include "model/File.h"
#include "model/Messaggi.h"
#include "model/Numeri.h"
#include "model/Testo.h"
#include "model/clsDriver.h"
#include "model/clsFileINI.h"
#include "model/clsProfiloINI.h"
#ifdef TARNO_CON_CATALOGO
#include <QCoreApplication>
#include <QFile>

#include "catalogo/Configurazione.h"
#include "catalogo/Suite.h"
#include "catalogo/clsCatalogo.h"
#endif

namespace {

using namespace tarno;

constexpr const char* kUso =
    "uso:\n"
    "  tarnodrv ini-get FILE SEZIONE [CHIAVE]\n"
    "  tarnodrv ini-set FILE SEZIONE CHIAVE VALORE\n"
    "  tarnodrv dump FILE\n"
    "  tarnodrv resave ORIGINE DESTINAZIONE\n"
    "  tarnodrv convert-legacy LEGACY... DESTINAZIONE --program CODICE [--config INI]\n"
    "      (con piu' file legacy DESTINAZIONE e' una cartella esistente)\n"
    "  tarnodrv verify DRIVER DATI [--config INI] [--json]\n"
    "  tarnodrv proponi DATI [-o DRIVER] [--json] [--config INI]\n"
    "  tarnodrv --version\n";

// Prints each message on its own line of stderr; a line break inside one shows as "\n".
class MessaggiSuStderr : public IMessaggi {
  public:
    void Mostra(const std::string& sTesto, const std::string&, Icona) override {
        std::string riga;
        for (size_t i = 0; i < sTesto.size(); ++i) {
            if (sTesto[i] == '\r' || sTesto[i] == '\n') {
                // CR LF, CR alone and LF alone each break the line once.
                riga += "\\n";
                if (sTesto[i] == '\r' && i + 1 < sTesto.size() && sTesto[i + 1] == '\n') ++i;
            } else {
                riga += sTesto[i];
            }
        }
        std::cerr << Cp1252InUtf8(riga) << '\n';
    }
};

int Uso() {
    std::cerr << kUso;
    return 2;
}

// An argument in the files' encoding; texts Windows-1252 cannot hold stop with a usage error.
bool Argomento(const char* sArg, std::string& rsOut) {
    std::string errore;
    auto v = Utf8InCp1252(sArg, &errore);
    if (!v) {
        std::cerr << "tarnodrv: argomento \"" << sArg << "\" non valido: " << errore << '\n';
        return false;
    }
    rsOut = std::move(*v);
    return true;
}

void Stampa(const std::string& sTesto) {
    const std::string utf8 = Cp1252InUtf8(sTesto);
    std::fwrite(utf8.data(), 1, utf8.size(), stdout);
}

}  // namespace

// Converts legacy drivers: each is checked, read (formats looked up in the catalogue of the
// configuration, if any), adjusted by the conversion program and saved. One line per file on
// stdout; 0 when every file was converted, 1 otherwise (a file that could not be read, or whose
// conversion program stopped with an error, is not written).
int ConvertiLegacy(int argc, char** argv) {
    std::vector<std::string> file;
    std::string config;
    std::optional<int32_t> programma;
    for (int i = 2; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--program" && i + 1 < argc) {
            const auto v = ValoreNumerico(argv[++i]);
            const auto n = v ? Arrotonda32(*v) : std::nullopt;
            if (!n) return Uso();
            programma = *n;
        } else if (a == "--config" && i + 1 < argc) {
            config = argv[++i];
        } else if (a.rfind("--", 0) == 0) {
            return Uso();
        } else {
            file.push_back(a);
        }
    }
    if (!programma || file.size() < 2) return Uso();
    namespace fs = std::filesystem;
    const std::string destinazione = file.back();
    file.pop_back();
    std::error_code ec;
    const bool cartella = fs::is_directory(destinazione, ec);
    if (file.size() > 1 && !cartella) {
        std::cerr << "tarnodrv: con piu' file legacy la destinazione deve essere una cartella\n";
        return 2;
    }
    MessaggiSuStderr messaggi;
    CercaFormato cerca;
#ifdef TARNO_CON_CATALOGO
    std::unique_ptr<QCoreApplication> app;
    clsCatalogo catalogo;
    if (!config.empty()) {
        app = std::make_unique<QCoreApplication>(argc, argv);
        Configurazione cfg;
        if (LeggiConfigurazione(config, cfg) != EsitoConfigurazione::Completa ||
            !catalogo.Apri(cfg)) {
            std::cerr << "tarnodrv: catalogo di " << config << " non disponibile: "
                      << Cp1252InUtf8(catalogo.UltimoErrore().empty() ? "configurazione incompleta"
                                                                      : catalogo.UltimoErrore())
                      << '\n';
            return 1;
        }
        cerca = catalogo.FunzioneCercaFormato();
    }
#else
    if (!config.empty()) {
        std::cerr << "tarnodrv: questa versione non legge il catalogo (--config)\n";
        return 1;
    }
#endif
    int esito = 0;
    for (const auto& legacy : file) {
        const std::string uscita =
            cartella ? (fs::path(destinazione) / fs::path(legacy).stem()).string() + ".drv"
                     : destinazione;
        if (!ControllaVecchioDriver(legacy, messaggi)) {
            // A file that cannot be read is not called a driver of the wrong kind.
            const bool leggibile = fs::is_regular_file(legacy, ec) &&
                                   std::ifstream(legacy, std::ios::binary).is_open();
            std::cout << legacy
                      << (leggibile ? ": non e' un driver legacy" : ": file non leggibile")
                      << ", non convertito\n";
            esito = 1;
            continue;
        }
        clsDriver driver;
        if (!LeggiVecchioDriver(legacy, driver, messaggi, cerca)) {
            std::cout << legacy << ": lettura non riuscita, non convertito\n";
            esito = 1;
            continue;
        }
        if (!ApplicaTrasformazione(driver, *programma, messaggi, cerca)) {
            // Half a conversion is no driver: nothing is written.
            std::cout << legacy
                      << ": il programma di trasformazione si e' interrotto, non "
                         "convertito\n";
            esito = 1;
            continue;
        }
        MessaggiRaccolti salvataggio;
        driver.SaveDriver(uscita, salvataggio);
        salvataggio.InoltraA(messaggi);
        if (!EsisteFile(uscita) || !salvataggio.mvTesti.empty()) {
            std::cout << legacy << ": salvataggio in " << uscita << " non riuscito\n";
            esito = 1;
        } else {
            std::cout << legacy << " -> " << uscita << ": convertito\n";
        }
    }
    return esito;
}

// The engine's results, the driver's messages aside, are not wanted: only the counts are shown.
class SoloMessaggi : public IAnalisiCampione {
  public:
    bool Inizio(const std::vector<std::string>& vMessaggi,
                const std::vector<NotaImpostazione>&) override {
        MessaggiSuStderr uscita;
        for (const auto& m : vMessaggi) uscita.Mostra(m, TITOLO_ATTENZIONE, Icona::Esclamazione);
        return true;
    }
    void Chiamata(const ChiamataLetta&) override {}
    void RigaData(const RigaDataLetta&) override {}
    void RigaSenzaChiamata(uint64_t, std::string_view, MotivoRiga, std::string_view,
                           std::string_view) override {}
};

// The catalogue's date and time formats, from the configuration given or the suite's
// Tarnosuite.ini, found as tarnominer finds it; a warning on stderr (and returned) when there is
// no usable catalogue.
std::string FormatiDelComando(int& argc, char** argv, const std::optional<std::string>& config,
                              MappaFormati& rFormati) {
    std::string avviso;
#ifdef TARNO_CON_CATALOGO
    QCoreApplication app(argc, argv);
    const std::string ini =
        config ? *config
               : QFile::encodeName(
                     TrovaSuite(LuoghiDelProgramma(QCoreApplication::applicationDirPath()), false)
                         .sFileIni)
                     .toStdString();
    avviso = FormatiDelCatalogo(ini, rFormati);
#else
    (void)argc, (void)argv, (void)config, (void)rFormati;
    avviso = "questa versione non legge il catalogo: date e ore non possono essere lette";
#endif
    if (!avviso.empty()) std::cerr << "tarnodrv: avviso: " << Cp1252InUtf8(avviso) << '\n';
    return avviso;
}

// Reads a sample with a driver as tarnominer does, the formats from the catalogue of the
// configuration given or of the suite's Tarnosuite.ini, found as tarnominer finds it. Without
// --json the counts, with it every result as JSON on stdout (also when the run failed). 0 done, 1
// the driver or the sample could not be read, 2 usage.
int Verifica(int argc, char** argv) {
    std::vector<std::string> file;
    std::optional<std::string> config;
    bool json = false;
    for (int i = 2; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--config" && i + 1 < argc && !config) {
            config = argv[++i];
        } else if (a == "--json" && !json) {
            json = true;
        } else if (a.rfind("--", 0) == 0) {
            return Uso();
        } else {
            file.push_back(a);
        }
    }
    if (file.size() != 2) return Uso();
    MappaFormati formati;
    const std::string avviso = FormatiDelComando(argc, argv, config, formati);
    EsitoAnalisi esito;
    if (json) {
        const auto documento = AnalisiInJson(file[0], file[1], formati, avviso, esito);
        std::cout << documento.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace)
                  << '\n';
        // The driver's messages are in the document; stderr has the warning and the error.
    } else {
        SoloMessaggi messaggi;
        esito = AnalizzaCampione(file[0], file[1], formati, messaggi);
        if (esito.stato != EsitoAnalisi::NonAvviata)
            for (const VoceConteggio& v : VociConteggi()) {
                std::string etichetta = v.sEtichetta;
                etichetta.resize(std::max<size_t>(etichetta.size(), 34), ' ');
                std::cout << etichetta << v.valore(esito.conteggi) << '\n';
            }
    }
    if (esito.stato == EsitoAnalisi::Riuscita) return 0;
    std::cerr << "tarnodrv: " << Cp1252InUtf8(esito.sErrore) << '\n';
    return 1;
}

// Proposes a driver for a printout with the catalogue's formats (found as verify finds them) and
// reads the printout with it (the new formats the proposal asks for included). Without --json the
// evidence and the reading as text, with it one JSON document; -o saves the driver (an existing
// file is kept as .bak). 0 done (also when no call line was found: the evidence says so), 1 the
// printout cannot be read or is empty, or the driver could not be saved, 2 usage.
int Proponi(int argc, char** argv) {
    std::optional<std::string> config, uscita, stampa;
    bool json = false;
    for (int i = 2; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--config" && i + 1 < argc && !config) {
            config = argv[++i];
        } else if (a == "-o" && i + 1 < argc && !uscita) {
            uscita = argv[++i];
        } else if (a == "--json" && !json) {
            json = true;
        } else if (a.rfind("-", 0) == 0 || stampa) {
            return Uso();
        } else {
            stampa = a;
        }
    }
    if (!stampa) return Uso();
    namespace fs = std::filesystem;
    std::error_code ec;
    std::optional<std::string> byte;
    const char* errore = nullptr;
    if (!fs::exists(*stampa, ec))
        errore = "file dei dati non trovato: ";
    else if (!fs::is_regular_file(*stampa, ec))
        errore = "file dei dati non \xE8 un file: ";
    else if (!(byte = LeggiFile(*stampa)))
        errore = "file dei dati non leggibile: ";
    else if (byte->empty())
        errore = "file dei dati vuoto, niente da proporre: ";
    if (errore) {
        std::cerr << "tarnodrv: " << Cp1252InUtf8(errore) << *stampa << '\n';
        return 1;
    }
    if (uscita && !PuoScrivere(*uscita)) {
        std::cerr << "tarnodrv: " << Cp1252InUtf8("il driver non pu\xF2 essere scritto in ")
                  << *uscita << '\n';
        return 1;
    }
    MappaFormati formati;
    FormatiDelComando(argc, argv, config, formati);
    Proposta proposta;
    try {
        proposta = ProponiDriver(*byte, formati);
    } catch (const std::exception& e) {
        std::cerr << "tarnodrv: " << Cp1252InUtf8("la proposta non \xE8 riuscita: ") << e.what()
                  << ": " << *stampa << '\n';
        return 1;
    }
    const clsLetturaCampione lettura(proposta.driver, FormatiConNuovi(formati, proposta), *byte);
    if (json)
        std::cout << PropostaInJson(proposta, lettura)
                         .dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace)
                  << '\n';
    else
        Stampa(PropostaInTesto(proposta, lettura));
    if (!uscita) return 0;
    MessaggiRaccolti salvataggio;
    clsDriver driver = proposta.driver;
    const bool salvato = driver.SaveDriver(*uscita, salvataggio) && EsisteFile(*uscita);
    MessaggiSuStderr messaggi;
    salvataggio.InoltraA(messaggi);
    if (!salvato) {
        std::cerr << "tarnodrv: driver non salvato in " << *uscita << '\n';
        return 1;
    }
    std::ostream& nota = json ? std::cerr : std::cout;
    nota << (json ? "tarnodrv: " : "\n") << "driver salvato in " << *uscita << '\n';
    if (const std::string formatiNuovi = FormatiDaAggiungere(proposta); !formatiNuovi.empty())
        nota << (json ? "tarnodrv: " : "") << Cp1252InUtf8(formatiNuovi) << '\n';
    return 0;
}

int main(int argc, char** argv) {
    const std::vector<std::string> arg(argv + 1, argv + argc);
    if (!arg.empty() && arg[0] == "convert-legacy") return ConvertiLegacy(argc, argv);
    if (!arg.empty() && arg[0] == "verify") return Verifica(argc, argv);
    if (!arg.empty() && arg[0] == "proponi") return Proponi(argc, argv);
    if (arg.empty()) return Uso();
    if (arg.size() == 1 && arg[0] == "--version") {
        std::cout << "tarnodrv " << TARNO_VERSIONE << '\n';
        return 0;
    }
    const std::string& comando = arg[0];
    // File names stay as the system gives them (the first argument, and both of resave);
    // the other texts go into the files, in their encoding.
    const size_t nFile = comando == "resave" ? 2 : 1;
    std::vector<std::string> p(arg.size() - 1);
    for (size_t i = 1; i < arg.size(); ++i) {
        if (i <= nFile)
            p[i - 1] = arg[i];
        else if (!Argomento(argv[i + 1], p[i - 1]))
            return Uso();
    }
    auto file = [&](size_t i) { return arg[i + 1]; };

    if (comando == "ini-get" && (p.size() == 2 || p.size() == 3)) {
        const auto profilo = clsProfiloINI::DaFile(file(0));
        Stampa(p.size() == 3 ? profilo.Leggi(p[1], p[2]) : profilo.ElencoChiavi(p[1]));
        return 0;
    }
    if (comando == "ini-set" && p.size() == 4) {
        return ScriviChiaveINI(p[1], p[2], p[3], file(0)) == 1 ? 0 : 1;
    }
    MessaggiSuStderr messaggi;
    if (comando == "dump" && p.size() == 1) {
        clsDriver driver;
        driver.LoadDriver(file(0), messaggi);
        std::cout << DriverInJson(driver).dump(2) << '\n';
        return 0;
    }
    if (comando == "resave" && p.size() == 2) {
        clsDriver driver;
        driver.LoadDriver(file(0), messaggi);
        return driver.SaveDriver(file(1), messaggi) ? 0 : 1;
    }
    return Uso();
}
