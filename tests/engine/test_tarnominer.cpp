// tarnominer run for real through its command line, from a temporary suite whose folder name has
// accents and a blank: the program copied there beside a Tarnosuite.ini and an SQLite catalogue
// built from the demo SQL. The log lands beside the program; errors go to stderr (UTF-8) and,
// after the header, into the log (Windows-1252).

#include <gtest/gtest.h>

#include "AiutiEngine.h"

namespace {

using namespace tarno::prova;

const std::string kDemo = TARNO_DEMO_DIR;

class Miner : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_directories(mTemp.Percorso() / "dati demo");
        fs::copy_file(TARNOMINER, msProgramma);
        const std::string db = mTemp.File("catalogo.db");
        // The demo SQL in one transaction (a commit per statement costs a sync each).
        const auto sql = "BEGIN;\n" + LeggiTutto(kDemo + "/catalogo.sql") + "\nCOMMIT;\n";
        ASSERT_EQ(Esegui({TARNO_SQLITE3, "-bail", db}, sql).iCodice, 0);
        ScriviFile(mTemp.File("Tarnosuite.ini"),
                   Crlf("[Configurazione]\nVersioneDB=Access\nDatabase=" + db + "\n"));
        for (const std::string nome : {"PanasonicTDA", "SiemensHiPath"}) {
            fs::copy_file(TARNO_DEMO_PROVA "/Driver/" + nome + ".drv", Driver(nome));
            fs::copy_file(TARNO_DEMO_PROVA "/Dati/" + nome + ".txt", Dati(nome));
        }
    }
    std::string Driver(const std::string& n) const { return mTemp.File("dati demo/" + n + ".drv"); }
    std::string Dati(const std::string& n) const { return mTemp.File("dati demo/" + n + " è.txt"); }
    std::vector<std::string> Log() const {
        return RigheLog(LeggiTutto(mTemp.File("VerificaDrv.log")));
    }
    Esito Miner_(std::vector<std::string> args) {
        args.insert(args.begin(), msProgramma);
        return Esegui(args);
    }

    CartellaTemp mTemp;
    std::string msProgramma = mTemp.File("tarnominer");
};

TEST_F(Miner, LaVerificaScriveIlLogAccantoAlProgramma) {
    ScriviFile(mTemp.File("VerificaDrv.log"), "vecchio log");
    const std::vector<std::pair<std::string, std::vector<std::string>>> casi = {
        {"PanasonicTDA", {"/i3 /D" + Driver("PanasonicTDA") + " /F" + Dati("PanasonicTDA")}},
        {"SiemensHiPath", {"/i3", "/D" + Driver("SiemensHiPath"), "/F" + Dati("SiemensHiPath")}}};
    for (const auto& [nome, args] : casi) {
        SCOPED_TRACE(nome);
        const Esito e = Miner_(args);
        EXPECT_EQ(e.iCodice, 0);
        EXPECT_EQ(e.sErr, "");
        // The log beside the program names the files; the catalogue's formats read every date
        // and time (the log itself is the engine library's, tested on its own).
        const auto log = Log();
        ASSERT_GT(log.size(), 17u);
        EXPECT_EQ(log[1], "Driver:                           " + W(Driver(nome)));
        EXPECT_EQ(log[2], "Dati:                             " + W(Dati(nome)));
        EXPECT_EQ(log[16], "Valori non validi:                              0");
        EXPECT_EQ(log.back(), "FINE DELLA VERIFICA");
    }
    // Only the log is added to the suite's folder.
    EXPECT_EQ(NomiIn(mTemp.Percorso()),
              (std::vector<std::string>{"Tarnosuite.ini", "VerificaDrv.log", "catalogo.db",
                                        "dati demo", "tarnominer"}));
}

TEST_F(Miner, ErroriSuStderrENelLog) {
    struct Caso {
        std::vector<std::string> args;
        int iCodice;
        std::string sErr;  // on stderr (UTF-8) and in the log (Windows-1252)
    };
    const std::string manca = Driver("Nessuno"), dati = Dati("PanasonicTDA");
    const std::vector<Caso> casi = {
        {{}, 2, "riga di comando vuota"},
        {{"/i3", "/D" + Driver("PanasonicTDA")}, 2, "manca il file dei dati (/F<percorso>)"},
        {{"/i9 /Dx /Fy"}, 2, "modalità /i9 non gestita (solo /i3, verifica del driver)"},
        {{"/i3", "/D" + manca, "/F" + dati}, 1, "file del driver non trovato: " + manca},
        {{"/i3", "/D" + Driver("PanasonicTDA"), "/F" + Dati("Nessuno")},
         1,
         "file dei dati non trovato: " + Dati("Nessuno")},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.sErr);
        fs::remove(mTemp.File("VerificaDrv.log"));
        const Esito e = Miner_(c.args);
        EXPECT_EQ(e.iCodice, c.iCodice);
        EXPECT_EQ(e.sErr.substr(0, e.sErr.find('\n') + 1), "tarnominer: " + c.sErr + "\n");
        // A bad command line is followed by the usage.
        EXPECT_EQ(e.sErr.find("\nuso: tarnominer /i3 /D") != std::string::npos, c.iCodice == 2);
        const auto log = Log();
        ASSERT_EQ(log.size(), 9u);
        EXPECT_EQ(log[4], std::string("Versione:").append(25, ' ') + TARNO_VERSIONE);
        EXPECT_EQ(log[6],
                  "ERRORE: " + W((c.iCodice == 2 ? "riga di comando non valida: " : "") + c.sErr));
        EXPECT_EQ(log[8], "VERIFICA NON ESEGUITA");
    }
}

TEST_F(Miner, SenzaCatalogoLeDateNonSiLeggonoMaLaVerificaSiFa) {
    fs::remove(mTemp.File("Tarnosuite.ini"));
    const Esito e = Miner_({"/i3", "/D" + Driver("PanasonicTDA"), "/F" + Dati("PanasonicTDA")});
    const std::string avviso = "configurazione " + mTemp.File("Tarnosuite.ini") +
                               " non trovata: date e ore non possono essere lette";
    EXPECT_EQ(e.iCodice, 0);
    EXPECT_EQ(e.sErr, "tarnominer: avviso: " + avviso + "\n");
    const std::string log = LeggiTutto(mTemp.File("VerificaDrv.log"));
    EXPECT_NE(log.find("\r\nMESSAGGI\r\nAVVISO: " + W(avviso) + "\r\n"), std::string::npos) << log;
    EXPECT_NE(log.find("formato 1 non presente nel catalogo"), std::string::npos);
}

}  // namespace
