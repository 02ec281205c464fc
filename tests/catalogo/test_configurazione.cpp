// Tarnosuite.ini as start-up reads it, the connection string made from it, and where the
// programs find it.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QFile>

#include "Supporto.h"
#include "catalogo/Configurazione.h"
#include "catalogo/Suite.h"

using namespace tarno;
namespace fs = std::filesystem;

namespace {

TEST(Configurazione, EachKindReadsItsOwnKeys) {
    struct Caso {
        const char* ini;  // nullptr: no file
        EsitoConfigurazione esito;
        int16_t tipo;
        const char* connessione;
    };
    const Caso casi[] = {
        {nullptr, EsitoConfigurazione::FileMancante, DB_ALTRO, "DSN=;"},
        // The kind ignores letter case; an Access suite ignores the server keys.
        {"VersioneDB=access\r\nDatabase=/srv/c.db\r\nDSNTarno=x\r\nLoginID=u\r\n",
         EsitoConfigurazione::Completa, DB_ACCESS,
         "Driver=Microsoft Access Driver (*.mdb);DBQ=/srv/c.db"},
        {"VersioneDB=ACCESS\r\nWorkDir=/srv\r\n", EsitoConfigurazione::DatabaseMancante, DB_ACCESS,
         "Driver=Microsoft Access Driver (*.mdb);DBQ="},
        // Credentials only with a login; the password loses its blanks.
        {"VersioneDB=SqlServer\r\nDSNTarno=tarno\r\nPwdID=p\r\n", EsitoConfigurazione::Completa,
         DB_SQLSERVER, "DSN=tarno;"},
        {"VersioneDB=SQLSERVER\r\nDSNTarno=tarno\r\nLoginID=sa\r\nPwdID= segreta \r\n",
         EsitoConfigurazione::Completa, DB_SQLSERVER, "DSN=tarno;UID=sa;PWD=segreta;"},
        // Any other kind, or the keys outside their section: no data source.
        {"VersioneDB=Oracle\r\nDSNTarno=tarno\r\n", EsitoConfigurazione::Completa, DB_ALTRO,
         "DSN=;"},
        {"[Altro]\r\nVersioneDB=ACCESS\r\n", EsitoConfigurazione::Completa, DB_ALTRO, "DSN=;"},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.ini ? c.ini : "no file");
        prova::CartellaTemp cartella;
        const std::string file = cartella.File(NOME_FILE_INI);
        const std::string ini = c.ini ? c.ini : "";
        if (c.ini) prova::ScriviFile(file, ini[0] == '[' ? ini : "[Configurazione]\r\n" + ini);
        Configurazione cfg;
        EXPECT_EQ(LeggiConfigurazione(file, cfg), c.esito);
        EXPECT_EQ(cfg.miVersioneDBTarno, c.tipo);
        EXPECT_EQ(StringaConnessione(cfg), c.connessione);
    }
}

// The places in order, the log's folder with each, and the per-user suite made from the
// installed demo: readable by its owner only, keeping what an earlier suite left.
TEST(Configurazione, SuiteCercataNeiLuoghiInOrdine) {
    enum Presenti { PROGRAMMA = 1, UTENTE = 2, SISTEMA = 4, DEMO = 8, LAVORO_FILE = 16 };
    const std::string prog = "prog/Tarnosuite.ini", utente = "utente/TarnoDriver/Tarnosuite.ini",
                      sistema = "sistema/Tarnosuite.ini";
    struct Caso {
        int presenti;
        bool bCrea;
        OrigineSuite origine;
        std::string ini, log;  // relative to the root
    };
    const Caso casi[] = {
        {PROGRAMMA | UTENTE | SISTEMA | DEMO, true, OrigineSuite::Programma, prog, "prog"},
        {UTENTE | SISTEMA | DEMO, true, OrigineSuite::Utente, utente, "utente/TarnoDriver"},
        {SISTEMA | DEMO, true, OrigineSuite::Sistema, sistema, "utente/TarnoDriver"},
        {DEMO, true, OrigineSuite::Creata, utente, "utente/TarnoDriver"},
        {DEMO, false, OrigineSuite::Nessuna, prog, "prog"},
        {0, true, OrigineSuite::Nessuna, prog, "prog"},
        // WorkDir cannot be made (a file is in the way): nothing passes for a suite.
        {DEMO | LAVORO_FILE, true, OrigineSuite::Nessuna, prog, "prog"},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.presenti * 2 + c.bCrea);
        prova::CartellaTemp t;
        const auto q = [&](const std::string& s) { return QFile::decodeName(t.File(s).c_str()); };
        fs::create_directories(t.File("prog"));
        const std::pair<int, std::string> file[] = {
            {PROGRAMMA, prog},
            {UTENTE, utente},
            {SISTEMA, sistema},
            {DEMO, "inst/catalogo.db"},
            {DEMO, "inst/demo/Driver/a.drv"},
            {DEMO, "inst/demo/Driver/legacy/v.drv"},
            // A driver of an earlier suite where WorkDir will be, or a file in its place.
            {LAVORO_FILE, "doc/lavoro"},
            {0, "doc/lavoro/Driver/a.drv"}};
        for (const auto& [bit, nome] : file) {
            if (bit ? !(c.presenti & bit) : (c.presenti & LAVORO_FILE)) continue;
            fs::create_directories(fs::path(t.File(nome)).parent_path());
            prova::ScriviFile(t.File(nome), bit == DEMO ? "demo"
                                            : bit       ? "[Configurazione]"
                                                        : "mio");
        }
        const LuoghiSuite luoghi{q("prog"), q("utente/TarnoDriver"), q(sistema),
                                 q("inst"), q("doc/lavoro"),         {}};
        const SuiteTrovata s = TrovaSuite(luoghi, c.bCrea);
        EXPECT_EQ(s.origine, c.origine);
        EXPECT_EQ(s.sFileIni, q(c.ini));
        EXPECT_EQ(s.sCartellaLog, q(c.log));
        EXPECT_EQ(s.sNonCreato.isEmpty(), !(c.presenti & LAVORO_FILE));
        if (c.origine != OrigineSuite::Creata) {
            EXPECT_EQ(fs::exists(t.File(utente)), (c.presenti & UTENTE) != 0);
            continue;
        }
        // The paths in the file's encoding (the folder's name has accents).
        EXPECT_EQ(prova::LeggiTutto(t.File(utente)),
                  "[Configurazione]\r\nVersioneDB=Access\r\nDatabase=" +
                      prova::W(t.File("utente/TarnoDriver/catalogo.db")) +
                      "\r\nWorkDir=" + prova::W(t.File("doc/lavoro")) + "\r\n");
        struct stat st {};
        ASSERT_EQ(::stat(t.File(utente).c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0600u);
        EXPECT_EQ(prova::LeggiTutto(t.File("utente/TarnoDriver/catalogo.db")), "demo");
        EXPECT_EQ(prova::LeggiTutto(t.File("doc/lavoro/Driver/legacy/v.drv")), "demo");
        EXPECT_EQ(prova::LeggiTutto(t.File("doc/lavoro/Driver/a.drv")), "mio");
        // Found from then on, by the engine too.
        EXPECT_EQ(TrovaSuite(luoghi, false).origine, OrigineSuite::Utente);
    }
    // Documents named in another alphabet, which the file cannot hold: WorkDir is the fallback
    // folder; and with no fallback the suite is not made, the documents folder named.
    for (const bool riserva : {true, false}) {
        prova::CartellaTemp t;
        const auto q = [&](const std::string& s) { return QFile::decodeName(t.File(s).c_str()); };
        fs::create_directories(t.File("inst"));
        prova::ScriviFile(t.File("inst/catalogo.db"), "demo");
        const QString documenti = q("Документы/TarnoDriver");
        const LuoghiSuite luoghi{q("prog"), q("utente/TarnoDriver"),
                                 {},        q("inst"),
                                 documenti, riserva ? q("casa/TarnoDriver") : QString()};
        const SuiteTrovata s = TrovaSuite(luoghi, true);
        EXPECT_EQ(s.origine, riserva ? OrigineSuite::Creata : OrigineSuite::Nessuna);
        EXPECT_EQ(s.sNonCreato, riserva ? QString() : documenti);
        if (riserva) {
            EXPECT_NE(prova::LeggiTutto(t.File(utente))
                          .find("\r\nWorkDir=" + prova::W(t.File("casa/TarnoDriver")) + "\r\n"),
                      std::string::npos);
        }
    }
}

TEST(Configurazione, PasswordLeggibileDaTutti) {
    struct Caso {
        const char* chiavi;
        mode_t modo;
        bool bAvviso;
    };
    const Caso casi[] = {
        {"PwdID=segreta\r\n", 0644, true},      {"PwdID=segreta\r\n", 0640, false},
        {"PwdID=segreta\r\n", 0600, false},     {"PwdID=\r\nLoginID=sa\r\n", 0644, false},
        {"VersioneDB=Access\r\n", 0604, false},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.chiavi);
        prova::CartellaTemp t;
        const std::string file = t.File("Tarnosuite.ini");
        prova::ScriviFile(file, std::string("[Configurazione]\r\n") + c.chiavi);
        ::chmod(file.c_str(), c.modo);
        EXPECT_EQ(PasswordLeggibileDaTutti(QFile::decodeName(file.c_str())), c.bAvviso);
    }
}

}  // namespace
