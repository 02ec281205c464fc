#pragma once
// Shared pieces of the window tests: a suite folder with its configuration and catalogue, and
// scripted prompts.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <memory>

#include "ServiziUIScriptati.h"
#include "Supporto.h"
#include "documento/DocumentoDriver.h"
#include "finestra/frmDriver.h"
#include "kit/Globali.h"
#include "pagine/PaginaCampi.h"
#include "pagine/PaginaIdentificazione.h"
#include "pagine/PaginaTrasformazioni.h"
#include "ui_frmDriver.h"

// Failure messages show texts as texts.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace tarno::test {

// The title as the window shows it: "[*]" becomes "*" while the document has unsaved changes.
inline QString TitoloMostrato(const QWidget& w) {
    return QString(w.windowTitle()).replace(QStringLiteral("[*]"), w.isWindowModified() ? "*" : "");
}

// A temporary suite: Tarnosuite.ini beside the "program", an SQLite catalogue built from the
// demo SQL, and a working folder. Its folder's name has accents and a blank, as Italian users'
// folders do.
class Suite {
  public:
    Suite() { QDir(Cartella()).mkpath(QStringLiteral("lavoro/Driver")); }
    QString Cartella() const {
        return mCartella.filePath(QStringLiteral("Citt\u00E0 \u00E8 societ\u00E0"));
    }
    QString Percorso(const QString& nome) const { return QDir(Cartella()).filePath(nome); }

    void ScriviIni(const QString& testo) {
        QFile f(Percorso(QStringLiteral("Tarnosuite.ini")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(testo.toLatin1());  // Windows-1252, as every profile file
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
        ASSERT_TRUE(rF->Form_Load()) << Testi().join('|').toStdString();
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

// A window started on the demo suite, whose working folder holds the demo drivers (the legacy
// one too) and the demo printout; the recent lists live in a folder of the test's own.
class FinestraDemo : public ConServiziScriptati {
  protected:
    void SetUp() override {
        ConServiziScriptati::SetUp();
        ImpostazioniIn(mImpostazioni);
        mSuite.Demo();
        for (const char* n : {"Driver/PanasonicTDA.drv", "Driver/SiemensHiPath.drv",
                              "Driver/legacy/onix64.drv", "Dati/PanasonicTDA.txt"})
            ASSERT_TRUE(QFile::copy(Demo(n), Driver(QFileInfo(QString::fromLatin1(n)).fileName())));
        ASSERT_NO_FATAL_FAILURE(AvviaFinestra(mSuite, mF));
    }
    void TearDown() override {
        mF.reset();
        ConServiziScriptati::TearDown();
    }
    // A file of the demo fixtures (the legacy driver is the shipped one), and one of the
    // suite's driver folder.
    static QString Demo(const char* n) {
        if (QString::fromLatin1(n).startsWith(QLatin1String("Driver/legacy/")))
            return QFileInfo(QStringLiteral(TARNO_CATALOGO_SQL)).absolutePath() + '/' + n;
        return QStringLiteral(TARNO_DEMO_PROVA "/") + QString::fromLatin1(n);
    }
    QString Driver(const QString& n) const { return mSuite.Percorso("lavoro/Driver/" + n); }
    static std::string Byte(const QString& p) { return prova::LeggiTutto(p.toStdString()); }
    Ui::frmDriver* U() const { return mF->ui(); }
    QAction* Strumento(const char* n) const {
        return mF->findChild<QAction*>(QString::fromLatin1(n));
    }
    // The sample services the window gives the pages.
    ServiziCampione& Servizi() const { return *mF; }
    // The pages of the window, by their names.
    PaginaIdentificazione* PagIdent() const {
        return mF->findChild<PaginaIdentificazione*>(QStringLiteral("pagIdentificazione"));
    }
    PaginaTrasformazioni* PagTrasf() const {
        return mF->findChild<PaginaTrasformazioni*>(QStringLiteral("pagTrasformazioni"));
    }
    PaginaCampi* PagEntranti() const {
        return mF->findChild<PaginaCampi*>(QStringLiteral("pagEntranti"));
    }
    PaginaCampi* PagUscenti() const {
        return mF->findChild<PaginaCampi*>(QStringLiteral("pagUscenti"));
    }
    // A change the user makes on the general page.
    void Modifica() { QTest::keyClicks(U()->txtAutore, QStringLiteral("x")); }

    QTemporaryDir mImpostazioni;
    Suite mSuite;
    std::unique_ptr<frmDriver> mF;
};

}  // namespace tarno::test
