// Tarnosuite.ini as start-up reads it, and the connection string made from it.

#include <gtest/gtest.h>

#include "Configurazione.h"
#include "Supporto.h"

using namespace tarno;

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

}  // namespace
