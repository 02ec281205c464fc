// tarnominer: the suite's import engine, as the editor starts it to verify a driver.
//
//   tarnominer /i3 /D<driver file> /F<sample file>
//   tarnominer --version
//
// The switches arrive as separate arguments or as one string. The engine reads the driver,
// takes the date and time formats from the catalogue named by the suite's Tarnosuite.ini (found
// as the editor finds it: beside the executable, then the per-user suite, then the system-wide
// file), reads the sample and writes VerificaDrv.log beside the executable when the suite is
// there, in the per-user suite's folder otherwise. Messages go
// to stderr in UTF-8. Exit codes: 0 verification done; 1 the driver, the sample or the log could
// not be read or written (the log says why when it can be written); 2 bad command line.

#include <QCoreApplication>
#include <QFile>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "TarnoVersione.h"
#include "catalogo/Configurazione.h"
#include "catalogo/Suite.h"
#include "catalogo/clsCatalogo.h"
#include "engine/RigaComando.h"
#include "engine/VerificaDriver.h"
#include "model/Testo.h"

namespace {

using namespace tarno;

void Errore(const std::string& sTesto) {
    std::fprintf(stderr, "tarnominer: %s\n", Cp1252InUtf8(sTesto).c_str());
}

// A path (UTF-8 bytes) in a Windows-1252 message.
std::string Percorso(const std::string& s) { return NomeFileInCp1252(s); }

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> argomenti(argv + 1, argv + argc);
    if (argomenti == std::vector<std::string>{"--version"}) {
        std::printf("tarnominer %s\n", TARNO_VERSIONE);
        return 0;
    }
    QCoreApplication app(argc, argv);
    const SuiteTrovata suite =
        TrovaSuite(LuoghiDelProgramma(QCoreApplication::applicationDirPath()), false);
    const std::string log =
        QFile::encodeName(suite.sCartellaLog).toStdString() + "/" + NOME_LOG_VERIFICA;

    ParametriMiner par;
    std::string errore;
    auto esiste = [](const std::string& s) {
        std::error_code ec;
        return std::filesystem::is_regular_file(s, ec);
    };
    if (!LeggiRigaComando(argomenti, par, errore, esiste)) {
        Errore(errore);
        std::fputs(UsoMiner(), stderr);
        if (!ScriviLogErrore(log, par.sDriver, par.sCampione,
                             "riga di comando non valida: " + errore))
            Errore("impossibile scrivere il log " + Percorso(log));
        return 2;
    }

    RichiestaVerifica richiesta;
    richiesta.sDriver = par.sDriver;
    richiesta.sCampione = par.sCampione;
    richiesta.sLog = log;
    const std::string avviso =
        FormatiDelCatalogo(QFile::encodeName(suite.sFileIni).toStdString(), richiesta.formati);
    if (!avviso.empty()) {
        richiesta.sAvvisoFormati = "AVVISO: " + avviso;
        Errore("avviso: " + avviso);
    }
    const EsitoVerifica esito = VerificaDriver(richiesta);
    if (!esito.bRiuscita) {
        Errore(esito.sErrore);
        return 1;
    }
    return 0;
}
