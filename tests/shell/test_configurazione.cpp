#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "Configurazione.h"

namespace fs = std::filesystem;
using namespace tarno;

namespace {

class ConfigurazioneTest : public ::testing::Test {
  protected:
    void SetUp() override {
        mCartella = fs::temp_directory_path() /
                    ("tarno-cfg-" + std::to_string(::getpid()) + "-" +
                     ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(mCartella);
        mFile = (mCartella / NOME_FILE_INI).string();
    }
    void TearDown() override { fs::remove_all(mCartella); }
    void Scrivi(const std::string& testo) { std::ofstream(mFile, std::ios::binary) << testo; }

    fs::path mCartella;
    std::string mFile;
};

TEST_F(ConfigurazioneTest, MissingFileEndsStartUp) {
    Configurazione cfg;
    EXPECT_EQ(LeggiConfigurazione(mFile, cfg), EsitoConfigurazione::FileMancante);
    EXPECT_EQ(cfg.msFileIni, mFile);
    EXPECT_TRUE(cfg.msDatabaseFile.empty());
    EXPECT_TRUE(cfg.msDSNName.empty());
}

TEST_F(ConfigurazioneTest, AccessKindIgnoresCaseAndReadsOnlyItsKeys) {
    Scrivi(
        "[Configurazione]\r\nVersioneDB=access\r\nDatabase=/srv/tarno/catalogo.db\r\n"
        "DSNTarno=ignorato\r\nLoginID=utente\r\nWorkDir=/srv/tarno\r\n");
    Configurazione cfg;
    ASSERT_EQ(LeggiConfigurazione(mFile, cfg), EsitoConfigurazione::Completa);
    EXPECT_EQ(cfg.miVersioneDBTarno, DB_ACCESS);
    EXPECT_EQ(cfg.msDatabaseFile, "/srv/tarno/catalogo.db");
    EXPECT_EQ(cfg.msDSNName, "");
    EXPECT_EQ(cfg.msLoginID_SQLServer, "");
    EXPECT_EQ(cfg.msWorkDir, "/srv/tarno");
    EXPECT_EQ(StringaConnessione(cfg),
              "Driver=Microsoft Access Driver (*.mdb);DBQ=/srv/tarno/catalogo.db");
}

TEST_F(ConfigurazioneTest, AccessWithoutDatabaseIsIncomplete) {
    Scrivi("[Configurazione]\r\nVersioneDB=ACCESS\r\nWorkDir=/srv\r\n");
    Configurazione cfg;
    EXPECT_EQ(LeggiConfigurazione(mFile, cfg), EsitoConfigurazione::DatabaseMancante);
    EXPECT_TRUE(cfg.msDatabaseFile.empty());
    EXPECT_TRUE(cfg.msDSNName.empty());
}

TEST_F(ConfigurazioneTest, SqlServerConnectionStringCarriesCredentialsOnlyWithALogin) {
    Scrivi("[Configurazione]\r\nVersioneDB=SqlServer\r\nDSNTarno=tarno\r\nWorkDir=/w\r\n");
    Configurazione cfg;
    ASSERT_EQ(LeggiConfigurazione(mFile, cfg), EsitoConfigurazione::Completa);
    EXPECT_EQ(cfg.miVersioneDBTarno, DB_SQLSERVER);
    EXPECT_EQ(StringaConnessione(cfg), "DSN=tarno;");

    Scrivi(
        "[Configurazione]\r\nVersioneDB=SQLSERVER\r\nDSNTarno=tarno\r\nLoginID=sa\r\n"
        "PwdID= segreta \r\n");
    ASSERT_EQ(LeggiConfigurazione(mFile, cfg), EsitoConfigurazione::Completa);
    EXPECT_EQ(StringaConnessione(cfg), "DSN=tarno;UID=sa;PWD=segreta;");
}

TEST_F(ConfigurazioneTest, AnyOtherKindGivesAnEmptyDataSourceName) {
    Scrivi("[Configurazione]\r\nVersioneDB=Oracle\r\nDSNTarno=tarno\r\n");
    Configurazione cfg;
    ASSERT_EQ(LeggiConfigurazione(mFile, cfg), EsitoConfigurazione::Completa);
    EXPECT_EQ(cfg.miVersioneDBTarno, DB_ALTRO);
    EXPECT_EQ(StringaConnessione(cfg), "DSN=;");

    Scrivi("[Altro]\r\nVersioneDB=ACCESS\r\n");
    ASSERT_EQ(LeggiConfigurazione(mFile, cfg), EsitoConfigurazione::Completa);
    EXPECT_EQ(cfg.miVersioneDBTarno, DB_ALTRO);
}

TEST(RigaComando, SplitsBrandAndModelWithoutTrimming) {
    std::string marca, modello;
    ASSERT_TRUE(DividiRigaComando("/MEricsson/NMD110", marca, modello));
    EXPECT_EQ(marca, "Ericsson");
    EXPECT_EQ(modello, "MD110");
    ASSERT_TRUE(DividiRigaComando("/MTie /N Onix ", marca, modello));
    EXPECT_EQ(marca, "Tie ");
    EXPECT_EQ(modello, " Onix ");
    ASSERT_TRUE(DividiRigaComando("/MSolo marca", marca, modello));
    EXPECT_EQ(marca, "Solo marca");
    EXPECT_EQ(modello, "");
    EXPECT_FALSE(DividiRigaComando("/NMD110", marca, modello));
    EXPECT_FALSE(DividiRigaComando("", marca, modello));
}

TEST(SostituisciCarattere, DoublesEverySingleQuote) {
    EXPECT_EQ(SostituisciCarattere("D'Angelo's", "'", "''"), "D''Angelo''s");
    EXPECT_EQ(SostituisciCarattere("''", "'", "''"), "''''");
    EXPECT_EQ(SostituisciCarattere("senza", "'", "''"), "senza");
    EXPECT_EQ(SostituisciCarattere("", "'", "''"), "");
}

}  // namespace
