#pragma once
// Shared pieces of the window tests: a suite folder with its configuration and catalogue, and
// scripted prompts.

#include <gtest/gtest.h>

#include <QFile>
#include <QSqlDatabase>
#include <QApplication>
#include <QSettings>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <memory>

#include "Globali.h"
#include "ServiziUIScriptati.h"
#include "frmDriver.h"

namespace tarno::test {

// A temporary suite: Tarnosuite.ini beside the "program", an SQLite catalogue built from the
// demo SQL, and a working folder.
class Suite {
  public:
    Suite() { QDir(mCartella.path()).mkpath(QStringLiteral("lavoro/Driver")); }
    QString Cartella() const { return mCartella.path(); }
    QString Percorso(const QString& nome) const { return mCartella.filePath(nome); }

    void ScriviIni(const QString& testo) {
        QFile f(Percorso(QStringLiteral("Tarnosuite.ini")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(testo.toUtf8());
    }
    // The demo catalogue, plus any further statements.
    void CreaCatalogo(const QStringList& altre = {}) {
        const QString nomeConn = QStringLiteral("suite-test");
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), nomeConn);
            db.setDatabaseName(Percorso(QStringLiteral("catalogo.db")));
            ASSERT_TRUE(db.open());
            QFile f(QStringLiteral(TARNO_CATALOGO_SQL));
            ASSERT_TRUE(f.open(QIODevice::ReadOnly));
            QString testo;
            for (const QString& riga : QString::fromUtf8(f.readAll()).split('\n'))
                if (!riga.trimmed().startsWith(QStringLiteral("--"))) testo += riga + '\n';
            QStringList istruzioni = testo.split(';');
            istruzioni << altre;
            for (const QString& s : istruzioni)
                if (!s.trimmed().isEmpty()) {
                    ASSERT_TRUE(QSqlQuery(db).exec(s)) << s.toStdString();
                }
            db.close();
        }
        QSqlDatabase::removeDatabase(nomeConn);
    }
    // A complete Access-kind suite.
    void Demo(const QStringList& altre = {}) {
        CreaCatalogo(altre);
        ScriviIni(
            QStringLiteral("[Configurazione]\r\nVersioneDB=Access\r\nDatabase=%1\r\nWorkDir=%2\r\n")
                .arg(Percorso(QStringLiteral("catalogo.db")), Percorso(QStringLiteral("lavoro"))));
    }

  private:
    QTemporaryDir mCartella;
};

// Installs scripted prompts for the length of a test.
class ConServiziScriptati : public ::testing::Test {
  protected:
    void SetUp() override {
        ImpostaServiziUI(&mUI);
        gbAvviato = false;
    }
    void TearDown() override {
        ImpostaServiziUI(nullptr);
        gbAvviato = false;
    }
    // A main window started on the suite as the program starts it, shown and active; the
    // prompts of the start-up are forgotten. Use with ASSERT_NO_FATAL_FAILURE.
    void AvviaFinestra(const Suite& suite, std::unique_ptr<frmDriver>& rF) {
        rF.reset();
        rF = std::make_unique<frmDriver>(suite.Cartella());
        rF->Form_Load();
        ASSERT_TRUE(rF->Avviabile()) << Testi().join('|').toStdString();
        gbAvviato = true;
        rF->resize(1000, 800);
        rF->show();
        QApplication::setActiveWindow(rF.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(rF.get()));
        mUI.Reimposta();
    }
    // The per-user settings (recent-file lists) of the test in a folder of its own.
    static void ImpostazioniIn(const QTemporaryDir& cartella) {
        ASSERT_TRUE(cartella.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, cartella.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, cartella.path());
    }
    QStringList Testi() const {
        QStringList r;
        for (const auto& m : mUI.mMessaggi) r << m.testo;
        return r;
    }
    ServiziUIScriptati mUI;
};

}  // namespace tarno::test
