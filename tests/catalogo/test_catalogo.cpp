// The catalogue on a real SQLite file and on a real PostgreSQL server reached through ODBC
// (test.sh starts one); every case runs on both.

#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <map>
#include <tuple>

#include "Supporto.h"
#include "catalogo/clsCatalogo.h"

using namespace tarno;

namespace {

enum class Motore { SQLite, PostgreSQL };

// The PostgreSQL data source that test.sh exports; its name is "" when there is none.
Configurazione ConfigurazionePg() {
    const auto env = [](const char* n) { return qEnvironmentVariable(n).toStdString(); };
    Configurazione cfg;
    cfg.miVersioneDBTarno = DB_SQLSERVER;
    cfg.msDSNName = env("TARNO_TEST_PG_DSN");
    cfg.msLoginID_SQLServer = env("TARNO_TEST_PG_UID");
    cfg.msPWD_SQLServer = env("TARNO_TEST_PG_PWD");
    return cfg;
}

// A connection of its own beside the catalogue's.
QSqlDatabase Amministrazione(const Configurazione& cfg, const QString& nome) {
    const bool sqlite = cfg.miVersioneDBTarno == DB_ACCESS;
    QSqlDatabase db = QSqlDatabase::addDatabase(sqlite ? "QSQLITE" : "QODBC", nome);
    db.setDatabaseName(sqlite ? QString::fromLatin1(cfg.msDatabaseFile)
                              : QString::fromStdString(StringaConnessione(cfg).substr(4)));
    return db;
}

class CatalogoTest : public ::testing::TestWithParam<Motore> {
  protected:
    void SetUp() override {
        if (GetParam() == Motore::SQLite) {
            mCfg.miVersioneDBTarno = DB_ACCESS;
            mCfg.msDatabaseFile = prova::W(mCartella.File("catalogo.db"));  // as the INI has it
        } else {
            mCfg = ConfigurazionePg();
            TARNO_SALTA_SE(mCfg.msDSNName.empty(), "no TARNO_TEST_PG_DSN: run through test.sh");
        }
        QSqlDatabase db = Amministrazione(mCfg, "amm");
        ASSERT_TRUE(db.open()) << db.lastError().text().toStdString();
        for (const char* t : {"Pabx", "FormatiData", "FormatiOra"})
            QSqlQuery(db).exec(QStringLiteral("DROP TABLE IF EXISTS %1").arg(t));
        QFile f(QStringLiteral(TARNO_CATALOGO_SQL));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QString sql = QString::fromUtf8(f.readAll()).remove(QRegularExpression("--[^\n]*"));
        for (const QString& s : sql.split(';'))
            if (!s.trimmed().isEmpty()) Amm(s);
        ASSERT_TRUE(mCatalogo.Apri(mCfg)) << mCatalogo.UltimoErrore();
    }
    void TearDown() override {
        mCatalogo.Chiudi();
        QSqlDatabase::removeDatabase("amm");
    }
    void Amm(const QString& s) {
        QSqlQuery q(QSqlDatabase::database("amm"));
        ASSERT_TRUE(q.exec(s)) << s.toStdString() << ": " << q.lastError().text().toStdString();
    }
    int Conta(const QString& dove) {
        QSqlQuery q(QSqlDatabase::database("amm"));
        q.exec("SELECT COUNT(*) FROM Pabx WHERE " + dove);
        return q.next() ? q.value(0).toInt() : -1;
    }
    std::vector<std::string> Modelli(const std::string& marca) {
        std::vector<std::string> v{"resto"};
        EXPECT_TRUE(mCatalogo.ElencoModelli(marca, v)) << mCatalogo.UltimoErrore();
        return v;
    }

    prova::CartellaTemp mCartella;
    Configurazione mCfg;
    clsCatalogo mCatalogo;
};

TEST_P(CatalogoTest, SavedDriversAreFoundUnderTheirBrandAndModelWithQuotesAndAccents) {
    const std::tuple<std::string, std::string, std::string, std::string> casi[] = {
        {"D'Angelo", "Centrale 'X'", "/srv/Driver/DAngelo.drv", "DAngelo.drv"},
        {"Societ\xE0 \xABNord\xBB", "M\xE9", "a.drv", "a.drv"},  // Windows-1252 texts
    };
    for (const auto& [marca, modello, file, nome] : casi) {
        ASSERT_TRUE(mCatalogo.AggiornaPabx(marca, modello, file)) << mCatalogo.UltimoErrore();
        std::optional<std::string> trovato;
        ASSERT_TRUE(mCatalogo.CercaNomeDriver(marca, modello, trovato));
        EXPECT_EQ(trovato.value_or("<none>"), nome);
    }
    // A brand and model three times (twice the same row, once spelt otherwise): brand and
    // model match without regard to case, the first row comes first by file name, and a save
    // changes that row only; a save under a name already there changes nothing.
    Amm("INSERT INTO Pabx (sMarca, sModello, sNomeDriver) VALUES ('Tie', 'Onix', 'TieOnix.drv')");
    Amm("INSERT INTO Pabx (sMarca, sModello, sNomeDriver) VALUES ('tie', 'ONIX', 'Zeta.drv')");
    const auto primo = [&] {
        std::optional<std::string> n;
        EXPECT_TRUE(mCatalogo.CercaNomeDriver("TIE", "onix", n)) << mCatalogo.UltimoErrore();
        return n.value_or("<none>");
    };
    EXPECT_EQ(primo(), "TieOnix.drv");
    for (const char* file : {"/home/tecnico/Driver/Nuovo.drv", "Nuovo.drv", "Zeta.drv"}) {
        ASSERT_TRUE(mCatalogo.AggiornaPabx("tie", "onix", file)) << mCatalogo.UltimoErrore();
        EXPECT_EQ(Conta("sNomeDriver='Nuovo.drv'"), 1);
        EXPECT_EQ(Conta("sNomeDriver='TieOnix.drv'"), 1);
        EXPECT_EQ(Conta("UPPER(sMarca)='TIE'"), 3);
        EXPECT_EQ(primo(), "Nuovo.drv");
    }
    EXPECT_EQ(Modelli("SIEMENS"), std::vector<std::string>{"HiPath 3550"});
    std::vector<std::string> marche;
    ASSERT_TRUE(mCatalogo.ElencoMarche(marche));
    EXPECT_EQ(marche, (std::vector<std::string>{"Alcatel", "D'Angelo", "Ericsson", "Mitel", "NEC",
                                                "Panasonic", "Samsung", "Selta", "Siemens",
                                                "Societ\xE0 \xABNord\xBB", "Tie"}));
    EXPECT_EQ(Modelli("Ericsson"), (std::vector<std::string>{"BP250", "MD110"}));
    EXPECT_EQ(Modelli("D'Angelo"), std::vector<std::string>{"Centrale 'X'"});
    EXPECT_EQ(Modelli("Societ\xE0 \xABNord\xBB"), std::vector<std::string>{"M\xE9"});
}

TEST_P(CatalogoTest, FormatTablesStartWithAnEmptyRowAndCodesAreFoundByText) {
    TabellaValori data;
    ASSERT_TRUE(mCatalogo.CaricaFormati(true, data)) << mCatalogo.UltimoErrore();
    ASSERT_EQ(data.Righe(), 12);
    EXPECT_EQ(data.Cella(0, 0) + "|" + data.Cella(0, 1), "|");
    EXPECT_EQ(data.Cella(1, 0) + "|" + data.Cella(1, 1), "gg/mm/aa|1");

    EXPECT_EQ(mCatalogo.CodiceFormato("gg/mm/aaaa", true), 2);
    EXPECT_EQ(mCatalogo.CodiceFormato("hh:mm:ss", false), 14);
    EXPECT_EQ(mCatalogo.CodiceFormato("it's", true), 0);  // the statement fails: no code
    EXPECT_EQ(mCatalogo.CodiceFormato("gg/mm/aa", true), 1);
    EXPECT_EQ(mCatalogo.CodiceFormato("hh:mm", false), 13);
    EXPECT_EQ(mCatalogo.FunzioneCercaFormato()("mm:ss", false), 16);

    Amm("DELETE FROM FormatiData");
    ASSERT_TRUE(mCatalogo.CaricaFormati(true, data));
    EXPECT_EQ(data, clsCatalogo::FormatiNessuno());
}

TEST_P(CatalogoTest, ANewFormatTakesTheCodeAfterTheLastOfBothTablesAndIsAddedOnce) {
    // Dates and times are one series of codes (the demo's last is the time format 24); a gap
    // stays, and a text with a quote goes in as it is.
    Amm("INSERT INTO FormatiData (sCodice, sFormato) VALUES ('30', 'gg-mm')");
    const std::tuple<bool, std::string, int16_t> casi[] = {{false, "hh:mm'ss", 31},
                                                           {true, "aammgg", 32},
                                                           {false, "hh:mm'ss", 31},
                                                           {true, "gg-mm", 30}};
    for (const auto& [data, testo, atteso] : casi) {
        int16_t codice = -1;
        ASSERT_TRUE(mCatalogo.AggiungiFormato(data, testo, codice)) << mCatalogo.UltimoErrore();
        EXPECT_EQ(codice, atteso) << testo;
    }
    TabellaValori ora;
    ASSERT_TRUE(mCatalogo.CaricaFormati(false, ora));
    std::map<int16_t, std::string> formati;
    FormatiDaTabella(ora, formati);
    EXPECT_EQ(formati[31], "hh:mm'ss");
    EXPECT_EQ(formati[24], "m:ss");
    EXPECT_EQ(formati.size(), 13u);

    Amm("DROP TABLE FormatiOra");
    int16_t codice = -1;
    EXPECT_FALSE(mCatalogo.AggiungiFormato(true, "mmgg", codice));
    EXPECT_EQ(codice, 0);
    EXPECT_EQ(mCatalogo.TipoUltimoErrore(), ErroreCatalogo::Database);
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
    EXPECT_EQ(mCatalogo.TipoUltimoErrore(), ErroreCatalogo::Database);
    mCatalogo.Chiudi();
    EXPECT_FALSE(mCatalogo.ElencoMarche(marche));
    EXPECT_EQ(mCatalogo.TipoUltimoErrore(), ErroreCatalogo::NonAperto);
    EXPECT_EQ(mCatalogo.UltimoErrore(), "Il database non \xE8 aperto");
}

INSTANTIATE_TEST_SUITE_P(Motori, CatalogoTest,
                         ::testing::Values(Motore::SQLite, Motore::PostgreSQL), [](const auto& i) {
                             return i.param == Motore::SQLite ? "SQLite" : "PostgreSQL";
                         });

TEST(CatalogoApertura, AMissingFileOrDataSourceIsRefusedAndNothingIsCreated) {
    prova::CartellaTemp cartella;
    Configurazione sqlite, vuota;
    sqlite.miVersioneDBTarno = DB_ACCESS;
    sqlite.msDatabaseFile = cartella.File("non esiste.db");
    for (const Configurazione& cfg : {sqlite, vuota}) {
        clsCatalogo c;
        EXPECT_FALSE(c.Apri(cfg));
        EXPECT_FALSE(c.UltimoErrore().empty());
    }
    EXPECT_TRUE(prova::NomiIn(cartella.Percorso()).empty());
}

TEST(CatalogoApertura, AServerThatGoesAwayOrAWrongPasswordGiveAnError) {
    Configurazione cfg = ConfigurazionePg();
    TARNO_SALTA_SE(cfg.msDSNName.empty(), "no TARNO_TEST_PG_DSN: run through test.sh");
    clsCatalogo c;
    ASSERT_TRUE(c.Apri(cfg)) << c.UltimoErrore();
    {  // Another session ends this one, as a server restart would.
        QSqlDatabase amm = Amministrazione(cfg, "killer");
        ASSERT_TRUE(amm.open() && QSqlQuery(amm).exec("SELECT pg_terminate_backend(pid) FROM "
                                                      "pg_stat_activity WHERE pid <> "
                                                      "pg_backend_pid() AND datname = "
                                                      "current_database()"));
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
