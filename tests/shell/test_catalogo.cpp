// The catalogue on a real SQLite file and on a real PostgreSQL server reached through ODBC;
// every case runs on both.

#include <gtest/gtest.h>

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <cstdlib>
#include <filesystem>

#include "clsCatalogo.h"

namespace fs = std::filesystem;
using namespace tarno;

namespace {

enum class Motore { SQLite, PostgreSQL };

std::string Env(const char* nome) {
    const char* v = std::getenv(nome);
    return v ? v : "";
}

// The statements of the demo catalogue's SQL, one by one.
QStringList IstruzioniCatalogo() {
    QFile f(QStringLiteral(TARNO_CATALOGO_SQL));
    if (!f.open(QIODevice::ReadOnly)) return {};
    QString testo;
    for (const QString& riga : QString::fromUtf8(f.readAll()).split('\n'))
        if (!riga.trimmed().startsWith(QStringLiteral("--"))) testo += riga + '\n';
    QStringList istruzioni;
    for (const QString& s : testo.split(';'))
        if (!s.trimmed().isEmpty()) istruzioni << s.trimmed();
    return istruzioni;
}

class CatalogoTest : public ::testing::TestWithParam<Motore> {
  protected:
    void SetUp() override {
        mCartella = fs::temp_directory_path() / ("tarno-cat-" + std::to_string(::getpid()));
        fs::create_directories(mCartella);
        if (GetParam() == Motore::SQLite) {
            mCfg.miVersioneDBTarno = DB_ACCESS;
            mCfg.msDatabaseFile = (mCartella / "catalogo.db").string();
            fs::remove(mCfg.msDatabaseFile);
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "amm");
            db.setDatabaseName(QString::fromStdString(mCfg.msDatabaseFile));
            ASSERT_TRUE(db.open());
        } else {
            if (Env("TARNO_TEST_PG_DSN").empty()) {
                if (!Env("CI").empty()) FAIL() << "TARNO_TEST_PG_DSN is not set";
                GTEST_SKIP() << "no PostgreSQL data source (run the tests through test.sh)";
            }
            mCfg.miVersioneDBTarno = DB_SQLSERVER;
            mCfg.msDSNName = Env("TARNO_TEST_PG_DSN");
            mCfg.msLoginID_SQLServer = Env("TARNO_TEST_PG_UID");
            mCfg.msPWD_SQLServer = Env("TARNO_TEST_PG_PWD");
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), "amm");
            db.setDatabaseName(QString::fromStdString(StringaConnessione(mCfg).substr(4)));
            ASSERT_TRUE(db.open()) << db.lastError().text().toStdString();
            for (const char* t : {"Pabx", "FormatiData", "FormatiOra"})
                QSqlQuery(db).exec(QStringLiteral("DROP TABLE IF EXISTS %1").arg(t));
        }
        for (const QString& s : IstruzioniCatalogo()) Amm(s);
        ASSERT_TRUE(mCatalogo.Apri(mCfg)) << mCatalogo.UltimoErrore();
    }
    void TearDown() override {
        mCatalogo.Chiudi();
        if (QSqlDatabase::contains("amm")) {
            QSqlDatabase::database("amm").close();
            QSqlDatabase::removeDatabase("amm");
        }
        fs::remove_all(mCartella);
    }
    // A statement on the administration connection, beside the catalogue's own.
    void Amm(const QString& s) {
        QSqlQuery q(QSqlDatabase::database("amm"));
        ASSERT_TRUE(q.exec(s)) << s.toStdString() << ": " << q.lastError().text().toStdString();
    }
    int Conta(const QString& dove) {
        QSqlQuery q(QSqlDatabase::database("amm"));
        q.exec("SELECT COUNT(*) FROM Pabx WHERE " + dove);
        return q.next() ? q.value(0).toInt() : -1;
    }

    fs::path mCartella;
    Configurazione mCfg;
    clsCatalogo mCatalogo;
};

TEST_P(CatalogoTest, BrandsAndModelsComeSortedAndDistinct) {
    std::vector<std::string> marche;
    ASSERT_TRUE(mCatalogo.ElencoMarche(marche));
    EXPECT_EQ(mCatalogo.UltimaIstruzione(), "SELECT DISTINCT sMarca FROM Pabx ORDER BY sMarca ASC");
    const std::vector<std::string> attese = {"Alcatel", "Ericsson", "Mitel",   "NEC", "Panasonic",
                                             "Samsung", "Selta",    "Siemens", "Tie"};
    EXPECT_EQ(marche, attese);

    std::vector<std::string> modelli;
    ASSERT_TRUE(mCatalogo.ElencoModelli("Ericsson", modelli));
    EXPECT_EQ(mCatalogo.UltimaIstruzione(),
              "SELECT DISTINCT sModello FROM Pabx WHERE sMarca='Ericsson' ORDER BY sModello ASC");
    EXPECT_EQ(modelli, (std::vector<std::string>{"BP250", "MD110"}));

    ASSERT_TRUE(mCatalogo.ElencoModelli("Sconosciuta", modelli));
    EXPECT_TRUE(modelli.empty());
}

TEST_P(CatalogoTest, ABrandWithAQuoteIsSavedAndFoundAgain) {
    ASSERT_TRUE(mCatalogo.AggiornaPabx("D'Angelo", "Centrale 'X'", "/srv/Driver/DAngelo.drv"))
        << mCatalogo.UltimoErrore();
    std::vector<std::string> marche;
    ASSERT_TRUE(mCatalogo.ElencoMarche(marche));
    EXPECT_EQ(std::count(marche.begin(), marche.end(), "D'Angelo"), 1);

    std::vector<std::string> modelli;
    ASSERT_TRUE(mCatalogo.ElencoModelli("D'Angelo", modelli)) << mCatalogo.UltimoErrore();
    EXPECT_EQ(mCatalogo.UltimaIstruzione(),
              "SELECT DISTINCT sModello FROM Pabx WHERE sMarca='D''Angelo' ORDER BY sModello ASC");
    EXPECT_EQ(modelli, std::vector<std::string>{"Centrale 'X'"});

    std::optional<std::string> nome;
    ASSERT_TRUE(mCatalogo.CercaNomeDriver("D'Angelo", "Centrale 'X'", nome));
    EXPECT_EQ(
        mCatalogo.UltimaIstruzione(),
        "SELECT sNomeDriver FROM Pabx WHERE sMarca='D''Angelo' AND sModello='Centrale ''X'''");
    ASSERT_TRUE(nome);
    EXPECT_EQ(*nome, "DAngelo.drv");
}

TEST_P(CatalogoTest, SavingAgainPointsTheFirstRowToTheNewFileOnly) {
    Amm("INSERT INTO Pabx (sMarca, sModello, sNomeDriver) VALUES ('Tie', 'Onix', 'Altro.drv')");
    ASSERT_TRUE(mCatalogo.AggiornaPabx("Tie", "Onix", "/home/tecnico/Driver/Nuovo.drv"));
    EXPECT_EQ(Conta("sMarca='Tie' AND sModello='Onix'"), 2);
    EXPECT_EQ(Conta("sNomeDriver='Nuovo.drv'"), 1);
    EXPECT_EQ(Conta("sNomeDriver='Altro.drv'"), 1);
    EXPECT_EQ(Conta("sNomeDriver='TieOnix.drv'"), 0);

    ASSERT_TRUE(mCatalogo.AggiornaPabx("Nuova", "Centrale", "SenzaCartella.drv"));
    EXPECT_EQ(Conta("sMarca='Nuova' AND sNomeDriver='SenzaCartella.drv'"), 1);
    std::vector<std::string> marche;
    ASSERT_TRUE(mCatalogo.ElencoMarche(marche));
    EXPECT_EQ(std::count(marche.begin(), marche.end(), "Nuova"), 1);
}

TEST_P(CatalogoTest, AccentedTextsTravelAsWindows1252) {
    const std::string marca = "Societ\xE0 \xABNord\xBB";  // "Società «Nord»"
    ASSERT_TRUE(mCatalogo.AggiornaPabx(marca, "M\xE9", "a.drv")) << mCatalogo.UltimoErrore();
    std::vector<std::string> modelli;
    ASSERT_TRUE(mCatalogo.ElencoModelli(marca, modelli));
    EXPECT_EQ(modelli, std::vector<std::string>{"M\xE9"});
}

TEST_P(CatalogoTest, FormatTablesHaveAnEmptyFirstRow) {
    TabellaValori data;
    ASSERT_TRUE(mCatalogo.CaricaFormati(true, data)) << mCatalogo.UltimoErrore();
    EXPECT_EQ(mCatalogo.UltimaIstruzione(), "SELECT * FROM FormatiData ORDER BY sCodice ASC");
    ASSERT_EQ(data.Righe(), 9);
    ASSERT_EQ(data.Colonne(), 2);
    EXPECT_EQ(data.Cella(0, 0), "");
    EXPECT_EQ(data.Cella(0, 1), "");
    EXPECT_EQ(data.Cella(1, 0), "gg/mm/aa");
    EXPECT_EQ(data.Cella(1, 1), "1");
    EXPECT_EQ(data.Cella(8, 0), "gg/mm");

    Amm("DELETE FROM FormatiOra WHERE sCodice > '12'");
    TabellaValori ora;
    ASSERT_TRUE(mCatalogo.CaricaFormati(false, ora));
    ASSERT_EQ(ora.Righe(), 4);
    EXPECT_EQ(ora.Cella(3, 0), "hhmm");
    EXPECT_EQ(ora.Cella(3, 1), "12");

    Amm("DELETE FROM FormatiData");
    ASSERT_TRUE(mCatalogo.CaricaFormati(true, data));
    EXPECT_EQ(data, clsCatalogo::FormatiNessuno());
    ASSERT_EQ(data.Righe(), 1);
    ASSERT_EQ(data.Colonne(), 1);
    EXPECT_EQ(data.Cella(0, 0), "Nessuno");
}

TEST_P(CatalogoTest, FormatCodesAreLookedUpByTheirText) {
    EXPECT_EQ(mCatalogo.CodiceFormato("gg/mm/aaaa", true), 2);
    EXPECT_EQ(mCatalogo.UltimaIstruzione(),
              "SELECT sCodice FROM FormatiData WHERE sFormato='gg/mm/aaaa'");
    EXPECT_EQ(mCatalogo.CodiceFormato("hh:mm:ss", false), 11);
    EXPECT_EQ(mCatalogo.CodiceFormato("gg/mm/aaaa", false), 0);
    EXPECT_EQ(mCatalogo.CodiceFormato("sconosciuto", true), 0);
    // Quotes are not doubled here: the statement fails and the code is 0, without a message.
    EXPECT_EQ(mCatalogo.CodiceFormato("it's", true), 0);
    EXPECT_EQ(mCatalogo.UltimoErrore(), "");
    // Legacy format texts are cleaned first.
    EXPECT_EQ(mCatalogo.CodiceFormato("gg/mm/aa", true), 1);
    EXPECT_EQ(mCatalogo.CodiceFormato("hh:mm", false), 10);
    EXPECT_EQ(mCatalogo.FunzioneCercaFormato()("mm:ss", false), 13);
}

TEST_P(CatalogoTest, DatabaseErrorsComeBackAsMessages) {
    Amm("DROP TABLE Pabx");
    std::vector<std::string> marche{"resto"};
    EXPECT_FALSE(mCatalogo.ElencoMarche(marche));
    EXPECT_TRUE(marche.empty());
    EXPECT_FALSE(mCatalogo.UltimoErrore().empty());
    EXPECT_FALSE(mCatalogo.AggiornaPabx("A", "B", "c.drv"));
    std::optional<std::string> nome;
    EXPECT_FALSE(mCatalogo.CercaNomeDriver("A", "B", nome));
    EXPECT_FALSE(nome);

    mCatalogo.Chiudi();
    EXPECT_FALSE(mCatalogo.ElencoMarche(marche));
    EXPECT_FALSE(mCatalogo.UltimoErrore().empty());
    EXPECT_EQ(mCatalogo.CodiceFormato("gg/mm/aa", true), 0);
}

INSTANTIATE_TEST_SUITE_P(Motori, CatalogoTest,
                         ::testing::Values(Motore::SQLite, Motore::PostgreSQL),
                         [](const auto& info) {
                             return info.param == Motore::SQLite ? "SQLite" : "PostgreSQL";
                         });

TEST(CatalogoApertura, MissingSqliteFileIsRefusedNotCreated) {
    const auto file = fs::temp_directory_path() / "tarno-non-esiste.db";
    fs::remove(file);
    Configurazione cfg;
    cfg.miVersioneDBTarno = DB_ACCESS;
    cfg.msDatabaseFile = file.string();
    clsCatalogo c;
    EXPECT_FALSE(c.Apri(cfg));
    EXPECT_FALSE(c.UltimoErrore().empty());
    EXPECT_FALSE(fs::exists(file));
    EXPECT_FALSE(c.Aperto());
}

TEST(CatalogoApertura, AnEmptyDataSourceNameFails) {
    Configurazione cfg;
    cfg.miVersioneDBTarno = DB_ALTRO;
    clsCatalogo c;
    EXPECT_FALSE(c.Apri(cfg));
    EXPECT_FALSE(c.UltimoErrore().empty());
}

TEST(CatalogoApertura, AServerThatGoesAwayGivesAnError) {
    if (Env("TARNO_TEST_PG_DSN").empty()) GTEST_SKIP() << "no PostgreSQL data source";
    Configurazione cfg;
    cfg.miVersioneDBTarno = DB_SQLSERVER;
    cfg.msDSNName = Env("TARNO_TEST_PG_DSN");
    cfg.msLoginID_SQLServer = Env("TARNO_TEST_PG_UID");
    cfg.msPWD_SQLServer = Env("TARNO_TEST_PG_PWD");
    clsCatalogo c;
    ASSERT_TRUE(c.Apri(cfg)) << c.UltimoErrore();
    {
        // Another session ends this one, as a server restart would.
        QSqlDatabase amm = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), "killer");
        amm.setDatabaseName(QString::fromStdString(StringaConnessione(cfg).substr(4)));
        ASSERT_TRUE(amm.open());
        QSqlQuery q(amm);
        ASSERT_TRUE(
            q.exec("SELECT pg_terminate_backend(pid) FROM pg_stat_activity WHERE "
                   "pid <> pg_backend_pid() AND datname = current_database()"));
        amm.close();
    }
    QSqlDatabase::removeDatabase("killer");
    std::vector<std::string> marche;
    EXPECT_FALSE(c.ElencoMarche(marche));
    EXPECT_FALSE(c.UltimoErrore().empty());

    cfg.msPWD_SQLServer = "sbagliata";
    clsCatalogo d;
    EXPECT_FALSE(d.Apri(cfg));
    EXPECT_FALSE(d.UltimoErrore().empty());
}

}  // namespace
