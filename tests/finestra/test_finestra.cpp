// The main window: how start-up ends for each configuration of the suite, the command line, the
// keyboard shortcuts, the text boxes that refuse what a driver file cannot hold, and the window
// disabled while the engine runs.

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>

#include "SupportoGui.h"
#include "frmAbout.h"

using namespace tarno;
using namespace tarno::test;

namespace {

class FinestraTest : public ConServiziScriptati {
  protected:
    // Starts the window on the suite the way the program's entry does.
    std::unique_ptr<frmDriver> Avvia(const QString& riga = QString()) {
        auto f = std::make_unique<frmDriver>(mSuite.Cartella());
        f->mfnApriDriver = [this](const QString& p) { mAperti << p; };
        f->Form_Load(riga);
        if (f->Avviabile()) gbAvviato = true;
        return f;
    }
    Suite mSuite;
    QStringList mAperti;
};

TEST_F(FinestraTest, StartUpEndsWithOneWarningForEachBrokenConfiguration) {
    struct Caso {
        const char* nome;
        std::function<void(Suite&)> prepara;
        QString messaggio;  // "" = any text that names sParte
        QString parte;
    };
    const QString ini = QStringLiteral("[Configurazione]\r\nVersioneDB=%1\r\nDatabase=%2\r\n");
    const std::vector<Caso> casi = {
        {"no Tarnosuite.ini", [](Suite&) {}, QStringLiteral("File Tarnosuite.ini non trovato"), {}},
        {"Access without a database",
         [](Suite& s) { s.ScriviIni(QStringLiteral("[Configurazione]\r\nVersioneDB=ACCESS\r\n")); },
         QStringLiteral("Non \u00E8 stato impostato nessun database da aprire nel file "
                        "Tarnosuite.ini"),
         {}},
        {"an unknown kind has no data source",
         [&](Suite& s) { s.ScriviIni(ini.arg(QStringLiteral("Oracle"), QString())); },
         {},
         {}},
        {"a catalogue file that is not there",
         [&](Suite& s) { s.ScriviIni(ini.arg("Access", s.Percorso("manca.db"))); },
         {},
         {}},
        {"a catalogue without a format table",
         [&](Suite& s) {
             s.CreaCatalogo({QStringLiteral("DROP TABLE FormatiOra")});
             s.ScriviIni(ini.arg("Access", s.Percorso("catalogo.db")));
         },
         {},
         QStringLiteral("FormatiOra")},
        {"a catalogue that cannot look up the command line's driver",
         [](Suite& s) {
             s.Demo({QStringLiteral("ALTER TABLE Pabx RENAME COLUMN sNomeDriver TO sFile")});
         },
         {},
         QStringLiteral("sNomeDriver")},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.nome);
        Suite suite;
        ASSERT_NO_FATAL_FAILURE(c.prepara(suite));
        mUI.Reimposta();
        auto f = std::make_unique<frmDriver>(suite.Cartella());
        f->mfnApriDriver = [this](const QString& p) { mAperti << p; };
        f->Form_Load(QStringLiteral("/MEricsson/NMD110"));
        EXPECT_FALSE(f->Avviabile());
        ASSERT_EQ(mUI.mMessaggi.size(), 1u) << Testi().join('|').toStdString();
        const auto& m = mUI.mMessaggi[0];
        if (!c.messaggio.isEmpty()) {
            EXPECT_EQ(m.testo, c.messaggio);
        }
        EXPECT_FALSE(m.testo.isEmpty());
        EXPECT_TRUE(m.testo.contains(c.parte, Qt::CaseInsensitive)) << m.testo.toStdString();
        EXPECT_EQ(m.titolo, QStringLiteral("Attenzione"));
        EXPECT_TRUE(mAperti.isEmpty());  // no driver is opened
        EXPECT_EQ(mUI.miCursore, 0);     // the hourglass is gone
    }
}

// A configuration holding a password that every user may read is named in a warning at
// start-up, which then goes on; readable by its owner (or a group) it is not.
TEST_F(FinestraTest, StartUpWarnsOfAPasswordEveryoneCanRead) {
    mSuite.Demo();
    const QString ini = mSuite.Percorso(QStringLiteral("Tarnosuite.ini"));
    QFile file(ini);
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write("PwdID=segreta\r\n");
    file.close();
    for (const auto permessi : {QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                    QFileDevice::ReadGroup | QFileDevice::ReadOther,
                                QFileDevice::ReadOwner | QFileDevice::ReadGroup}) {
        const bool bTutti = permessi & QFileDevice::ReadOther;
        SCOPED_TRACE(bTutti);
        ASSERT_TRUE(QFile::setPermissions(ini, permessi));
        mUI.Reimposta();
        frmDriver f(mSuite.Cartella());
        f.Form_Load();
        EXPECT_TRUE(f.Avviabile());
        ASSERT_EQ(mUI.mMessaggi.size(), bTutti ? 1u : 0u) << Testi().join('|').toStdString();
        if (bTutti) {
            EXPECT_TRUE(mUI.mMessaggi[0].testo.startsWith(QStringLiteral("Il file ") + ini +
                                                          QStringLiteral(" contiene la password")));
        }
    }
}

TEST_F(FinestraTest, TheCommandLineOpensTheCataloguedDriverOfItsBrandAndModel) {
    mSuite.Demo(
        {QStringLiteral("INSERT INTO Pabx (sMarca, sModello, sNomeDriver) VALUES "
                        "('D''Angelo', 'X 1', 'dang.drv')")});
    const std::pair<const char*, QString> casi[] = {
        {"/MEricsson/NMD110", mSuite.Percorso(QStringLiteral("lavoro/Driver/EricssonMD110.drv"))},
        {"/MD'Angelo/NX 1", mSuite.Percorso(QStringLiteral("lavoro/Driver/dang.drv"))},
        {"/MEricsson /NMD110", QString()},  // the blank is part of the brand
        {"/MEricsson", QString()},
    };
    for (const auto& [riga, atteso] : casi) {
        mAperti.clear();
        auto f = Avvia(QString::fromUtf8(riga));
        ASSERT_TRUE(f->Avviabile()) << Testi().join('|').toStdString();
        EXPECT_EQ(mAperti.join('|'), atteso) << riga;
        EXPECT_EQ(f->ui()->cboMarca->count(), 10);  // the brands of the catalogue
    }
    EXPECT_TRUE(mUI.mMessaggi.empty()) << Testi().join('|').toStdString();
}

class FinestraDemoTest : public FinestraDemo {};

TEST_F(FinestraDemoTest, ShortcutsRunTheirCommands) {
    const std::pair<QKeySequence, const char*> casi[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_N), "mnuNuovo"},
        {QKeySequence(Qt::CTRL | Qt::Key_O), "mnuApri"},
        {QKeySequence(Qt::CTRL | Qt::Key_S), "mnuSalva"},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), "mnuSalvaCome"},
        {QKeySequence(Qt::CTRL | Qt::Key_L), "mnuLeggiDati"},
        {QKeySequence(Qt::CTRL | Qt::Key_T), "mnuTrasforma"},
        {QKeySequence(Qt::Key_F5), "mnuVerifica"},
        {QKeySequence(Qt::Key_F1), "mnuInformazioni"},
        {QKeySequence(Qt::CTRL | Qt::Key_Q), "mnuEsci"},
    };
    QStringList eseguiti;
    for (const auto& [tasti, nome] : casi)
        mF->mfnComandi[QString::fromLatin1(nome)] = [&](QAction* a) {
            eseguiti << a->objectName();
        };
    // Ctrl+S saves even a clean document: only the File menu's Save follows the changes.
    for (const auto& [tasti, nome] : casi) {
        eseguiti.clear();
        U()->txtAutore->setFocus();
        QTest::keyClick(U()->txtAutore, tasti[0].key(), tasti[0].keyboardModifiers());
        EXPECT_EQ(eseguiti, QStringList{QString::fromLatin1(nome)})
            << tasti.toString().toStdString();
    }
}

TEST_F(FinestraDemoTest, OneAboutBoxAtATimeAndANewDocumentHasNoFileToVerify) {
    Strumento("mnuInformazioni")->trigger();
    Strumento("mnuInformazioni")->trigger();
    EXPECT_EQ(mF->findChildren<frmAbout*>().size(), 1);
    // New forgets the file of the document it replaces: the engine must not verify it.
    mF->FileApri(Driver(QStringLiteral("PanasonicTDA.drv")));
    mF->FileNuovo();
    EXPECT_TRUE(mF->moDriver->msFileName.empty());
    mUI.Reimposta();
    Strumento("mnuVerifica")->trigger();
    EXPECT_EQ(Testi(), QStringList{QStringLiteral("Si deve salvare almeno una volta il driver")});
}

TEST_F(FinestraDemoTest, TextBoxesRefuseWhatADriverFileCannotHold) {
    QLineEdit* marca = U()->cboMarca->lineEdit();
    QLineEdit* modello = U()->cboModello->lineEdit();
    const std::vector<std::pair<QWidget*, std::function<QString()>>> caselle = {
        {U()->txtAutore, [&] { return U()->txtAutore->text(); }},
        {U()->txtData, [&] { return U()->txtData->text(); }},
        {U()->txtVersione, [&] { return U()->txtVersione->text(); }},
        {U()->txtNote, [&] { return U()->txtNote->toPlainText(); }},
        {marca, [&] { return marca->text(); }},
        {modello, [&] { return modello->text(); }},
    };
    for (const auto& [casella, testo] : caselle) {
        SCOPED_TRACE(casella->objectName().toStdString());
        mUI.Reimposta();
        casella->setFocus();
        // Windows-1252 holds an accented a, not a Polish l.
        for (QChar c : QStringLiteral("Citt\u00E0\u0142"))
            QTest::sendKeyEvent(QTest::Click, casella, Qt::Key_unknown, QString(c), {});
        QApplication::processEvents();
        EXPECT_EQ(testo(), QStringLiteral("Citt\u00E0"));
        ASSERT_EQ(mUI.mMessaggi.size(), 1u) << Testi().join('|').toStdString();
        EXPECT_TRUE(mUI.mMessaggi[0].testo.contains(QStringLiteral("\u0142")));
        EXPECT_EQ(mUI.mMessaggi[0].titolo, QStringLiteral("Attenzione"));
    }
}

TEST_F(FinestraDemoTest, TheWindowIsDisabledWhileTheEngineRunsAndGetsItsArguments) {
    // An engine that notes its arguments and takes its time.
    const QString motore = mSuite.Percorso(QStringLiteral("tarnominer"));
    prova::ScriviFile(motore.toStdString(),
                      "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$(dirname \"$0\")/argomenti\"\n"
                      "sleep 0.4\n");
    QFile::setPermissions(motore, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    mF->FileApri(Driver(QStringLiteral("PanasonicTDA.drv")));
    mF->LeggiDati(Driver(QStringLiteral("PanasonicTDA.txt")));
    int abilitata = -1;
    QTimer::singleShot(150, [&] { abilitata = mF->isEnabled() ? 1 : 0; });
    Strumento("mnuVerifica")->trigger();
    EXPECT_EQ(abilitata, 0);
    EXPECT_TRUE(mF->isEnabled());
    EXPECT_EQ(Byte(mSuite.Percorso(QStringLiteral("argomenti"))),
              "/i3\n/D" + Driver(QStringLiteral("PanasonicTDA.drv")).toStdString() + "\n/F" +
                  Driver(QStringLiteral("PanasonicTDA.txt")).toStdString() + "\n");
    EXPECT_TRUE(mUI.mMessaggi.empty()) << Testi().join('|').toStdString();
}

TEST_F(FinestraDemoTest, ClosingReleasesTheDocumentAndTheCatalogue) {
    EXPECT_TRUE(mF->mconDatabase.Aperto());
    EXPECT_TRUE(mF->close());
    EXPECT_FALSE(mF->moDriver);
    EXPECT_FALSE(mF->mconDatabase.Aperto());
}

}  // namespace
