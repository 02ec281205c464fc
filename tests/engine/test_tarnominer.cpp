// tarnominer run for real through its command line, from a temporary suite: the program copied
// into a folder with blanks in its name, beside a Tarnosuite.ini and an SQLite catalogue built
// from the demo SQL. The log lands beside the program.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "../model/Aiuti.h"
#include "AiutiEngine.h"

namespace {

using namespace tarno::prova;

const std::string kDemo = TARNO_DEMO_DIR;
const std::string kAttesi = TARNO_ATTESI_DIR;

struct Esito {
    int iCodice = -1;
    std::string sErr;
};

// Runs a program with its arguments; stdin from sIngresso when given.
Esito Esegui(const std::vector<std::string>& args, const fs::path& cartellaTemp,
             const std::string& sIngresso = "") {
    const std::string err = (cartellaTemp / "stderr.txt").string();
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int fe = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int fo = ::open("/dev/null", O_WRONLY);
        const int fi = ::open(sIngresso.empty() ? "/dev/null" : sIngresso.c_str(), O_RDONLY);
        if (fe < 0 || fo < 0 || fi < 0) ::_exit(126);
        ::dup2(fi, 0);
        ::dup2(fo, 1);
        ::dup2(fe, 2);
        std::vector<char*> argv;
        for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    Esito e;
    int stato = 0;
    if (pid > 0 && ::waitpid(pid, &stato, 0) == pid && WIFEXITED(stato))
        e.iCodice = WEXITSTATUS(stato);
    e.sErr = LeggiTesto(err);
    fs::remove(err);
    return e;
}

class Miner : public ::testing::Test {
  protected:
    void SetUp() override {
        mSuite = mTemp.Percorso() / "suite tarno";
        fs::create_directories(mSuite / "dati demo");
        msProgramma = (mSuite / "tarnominer").string();
        fs::copy_file(TARNOMINER, msProgramma);
        fs::permissions(msProgramma, fs::perms::owner_all, fs::perm_options::add);
        // The demo SQL in one transaction (a commit per statement costs a sync each).
        const std::string db = (mSuite / "catalogo.db").string();
        const std::string sql = mTemp.File("catalogo.sql");
        ScriviFile(sql, "BEGIN;\n" + LeggiTesto(kDemo + "/catalogo.sql") + "\nCOMMIT;\n");
        ASSERT_EQ(Esegui({TARNO_SQLITE3, "-bail", db}, mTemp.Percorso(), sql).iCodice, 0);
        ScriviFile((mSuite / "Tarnosuite.ini").string(),
                   "[Configurazione]\r\nVersioneDB=Access\r\nDatabase=" + db +
                       "\r\nWorkDir=" + mSuite.string() + "\r\n");
        for (const char* nome : {"PanasonicTDA", "SiemensHiPath"}) {
            fs::copy_file(kDemo + "/Driver/" + nome + ".drv", Driver(nome));
            fs::copy_file(kDemo + "/Dati/" + nome + ".txt", Dati(nome));
        }
    }
    std::string Driver(const std::string& nome) const {
        return (mSuite / "dati demo" / (nome + " driver.drv")).string();
    }
    std::string Dati(const std::string& nome) const {
        return (mSuite / "dati demo" / (nome + " stampa.txt")).string();
    }
    std::string Log() const { return (mSuite / "VerificaDrv.log").string(); }
    Esito Miner_(const std::vector<std::string>& args) {
        std::vector<std::string> tutti{msProgramma};
        tutti.insert(tutti.end(), args.begin(), args.end());
        return Esegui(tutti, mTemp.Percorso());
    }

    CartellaTemp mTemp;
    fs::path mSuite;
    std::string msProgramma;
};

TEST_F(Miner, LaRigaDiComandoComeUnaSolaStringa) {
    for (const char* nome : {"SiemensHiPath", "PanasonicTDA"}) {
        SCOPED_TRACE(nome);
        const Esito e = Miner_({"/i3 /D" + Driver(nome) + " /F" + Dati(nome)});
        EXPECT_EQ(e.iCodice, 0);
        EXPECT_EQ(e.sErr, "");
        ConfrontaLog(Log(), kAttesi + "/" + std::string(nome) + ".log", Driver(nome), Dati(nome));
    }
}

TEST_F(Miner, LaRigaDiComandoComeArgomentiSeparati) {
    ScriviFile(Log(), "vecchio log");
    const Esito e = Miner_({"/i3", "/D" + Driver("SiemensHiPath"), "/F" + Dati("SiemensHiPath")});
    EXPECT_EQ(e.iCodice, 0);
    EXPECT_EQ(e.sErr, "");
    ConfrontaLog(Log(), kAttesi + "/SiemensHiPath.log", Driver("SiemensHiPath"),
                 Dati("SiemensHiPath"));
    // Only the log is added to the suite's folder.
    EXPECT_EQ(NomiIn(mSuite), (std::vector<std::string>{"Tarnosuite.ini", "VerificaDrv.log",
                                                        "catalogo.db", "dati demo", "tarnominer"}));
}

TEST_F(Miner, RigaDiComandoNonValida) {
    Esito e = Miner_({});
    EXPECT_EQ(e.iCodice, 2);
    EXPECT_EQ(e.sErr.rfind("tarnominer: riga di comando vuota\nuso: tarnominer /i3 /D", 0), 0u)
        << e.sErr;
    auto righe = RigheLog(LeggiTesto(Log()));
    ASSERT_EQ(righe.size(), 8u);
    EXPECT_EQ(righe[5], "ERRORE: riga di comando non valida: riga di comando vuota");

    e = Miner_({"/i3", "/D" + Driver("PanasonicTDA")});
    EXPECT_EQ(e.iCodice, 2);
    EXPECT_NE(e.sErr.find("manca il file dei dati (/F<percorso>)"), std::string::npos) << e.sErr;
    // Messages are UTF-8 on stderr.
    e = Miner_({"/i9 /Dx /Fy"});
    EXPECT_EQ(e.iCodice, 2);
    EXPECT_NE(e.sErr.find("modalità /i9 non gestita"), std::string::npos) << e.sErr;
}

TEST_F(Miner, FileMancanti) {
    Esito e = Miner_({"/i3", "/D" + Driver("Nessuno"), "/F" + Dati("PanasonicTDA")});
    EXPECT_EQ(e.iCodice, 1);
    EXPECT_EQ(e.sErr, "tarnominer: file del driver non trovato: " + Driver("Nessuno") + "\n");
    auto righe = RigheLog(LeggiTesto(Log()));
    ASSERT_EQ(righe.size(), 8u);
    EXPECT_EQ(righe[5], "ERRORE: file del driver non trovato: " + Driver("Nessuno"));

    e = Miner_({"/i3", "/D" + Driver("PanasonicTDA"), "/F" + Dati("Nessuno")});
    EXPECT_EQ(e.iCodice, 1);
    EXPECT_EQ(e.sErr, "tarnominer: file dei dati non trovato: " + Dati("Nessuno") + "\n");
}

TEST_F(Miner, SenzaCatalogoLeDateNonSiLeggonoMaLaVerificaSiFa) {
    fs::remove(mSuite / "Tarnosuite.ini");
    const Esito e = Miner_({"/i3", "/D" + Driver("PanasonicTDA"), "/F" + Dati("PanasonicTDA")});
    EXPECT_EQ(e.iCodice, 0);
    EXPECT_NE(e.sErr.find("avviso: configurazione"), std::string::npos) << e.sErr;
    const std::string log = LeggiTesto(Log());
    EXPECT_NE(
        log.find("\r\nMESSAGGI\r\nAVVISO: configurazione " + (mSuite / "Tarnosuite.ini").string() +
                 " non trovata: date e ore non possono essere lette\r\n"),
        std::string::npos);
    EXPECT_NE(log.find("formato 1 non presente nel catalogo"), std::string::npos);
}

}  // namespace
