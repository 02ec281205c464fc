// The main window: how start-up ends for each configuration of the suite, the command line, the
// keyboard shortcuts, the Edit tools (clipboard and find), the text boxes that refuse what a
// driver file cannot hold, the window disabled while the engine runs, and its texts in Italian
// and in English.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QAbstractItemView>
#include <QClipboard>
#include <QComboBox>
#include <QDockWidget>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QUrl>

#include "SupportoGui.h"
#include "kit/clsStringhe.h"
#include "pagine/frmAbout.h"
#include "pagine/frmImpostazioniGenerali.h"
#include "pagine/frmOldDriver.h"

using namespace tarno;
using namespace tarno::test;

namespace {

class FinestraTest : public ConServiziScriptati {
  protected:
    // Starts the window on the suite the way the program's entry does.
    std::unique_ptr<frmDriver> Avvia(const QString& riga = QString()) {
        auto f = std::make_unique<frmDriver>(mSuite.Cartella());
        f->mfnApriDriver = [this](const QString& p) { mAperti << p; };
        mbAvviabile = f->Form_Load(riga);
        if (mbAvviabile) gbAvviato = true;
        return f;
    }
    Suite mSuite;
    bool mbAvviabile = false;  // what the last start-up said
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
        EXPECT_FALSE(f->Form_Load(QStringLiteral("/MEricsson/NMD110")));
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
        EXPECT_TRUE(f.Form_Load());
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
        ASSERT_TRUE(mbAvviabile) << Testi().join('|').toStdString();
        EXPECT_EQ(mAperti.join('|'), atteso) << riga;
        EXPECT_EQ(f->ui()->cboMarca->count(), 10);  // the brands of the catalogue
    }
    EXPECT_TRUE(mUI.mMessaggi.empty()) << Testi().join('|').toStdString();
}

class FinestraDemoTest : public FinestraDemo {};

TEST_F(FinestraDemoTest, ShortcutsRunTheirCommands) {
    const std::pair<QKeySequence, const char*> casi[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_N), "mnuNuovo"},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N), "mnuNuovoDalCampione"},
        {QKeySequence(Qt::CTRL | Qt::Key_O), "mnuApri"},
        {QKeySequence(Qt::CTRL | Qt::Key_S), "mnuSalva"},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), "mnuSalvaCome"},
        {QKeySequence(Qt::CTRL | Qt::Key_L), "mnuLeggiDati"},
        {QKeySequence(Qt::CTRL | Qt::Key_T), "mnuTrasforma"},
        {QKeySequence(Qt::Key_F5), "mnuVerifica"},
        {QKeySequence(Qt::Key_F1), "mnuInformazioni"},
        {QKeySequence(Qt::CTRL | Qt::Key_Q), "mnuEsci"},
        {QKeySequence(Qt::CTRL | Qt::Key_F), "mnuTrova"},
        {QKeySequence(Qt::Key_F3), "mnuTrovaSucc"},
    };
    // Every tool of the tool bar has its command.
    for (QAction* a : U()->toolStandard->actions())
        EXPECT_TRUE(a->isSeparator() || mF->mfnComandi.count(a->objectName()))
            << a->objectName().toStdString();
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

TEST_F(FinestraDemoTest, FindSelectsTheNextHitInTheSampleViewAndGoesRoundAtTheEnd) {
    QTextEdit* rtf = U()->rtfTesto;
    rtf->setPlainText(QStringLiteral("ORA 10:15\nORA 10:17\nfine\n"));
    const auto cerca = [&](const char* tasto, const char* risposta) {
        if (risposta) mUI.mTesti.push_back(QString::fromUtf8(risposta));
        QAction* a = Strumento(tasto);
        a->trigger();
        return std::pair(rtf->textCursor().selectionStart(), rtf->textCursor().selectedText());
    };
    using Esito = std::pair<int, QString>;
    EXPECT_EQ(cerca("mnuTrova", "ora 10"), Esito(0, "ORA 10"));  // letter case aside
    EXPECT_EQ(cerca("mnuTrovaSucc", nullptr), Esito(10, "ORA 10"));
    EXPECT_TRUE(mF->statusBar()->currentMessage().isEmpty());
    EXPECT_EQ(cerca("mnuTrovaSucc", nullptr), Esito(0, "ORA 10"));  // round from the top
    EXPECT_FALSE(mF->statusBar()->currentMessage().isEmpty());
    EXPECT_EQ(cerca("mnuTrova", ""), Esito(0, "ORA 10"));  // cancelled: nothing moves
    EXPECT_TRUE(Testi().isEmpty());
    EXPECT_EQ(cerca("mnuTrova", "assente"), Esito(0, "ORA 10"));
    EXPECT_EQ(Testi(), QStringList{"Testo non trovato: \"assente\""});
    EXPECT_EQ(U()->lblX->text() + "," + U()->lblY->text(), "1,6");
    EXPECT_EQ(mUI.mDomande.size(), 3);

    // The clipboard tools act on the focused control: the sample view only copies.
    QClipboard* appunti = QApplication::clipboard();
    rtf->setFocus();
    EXPECT_FALSE(Strumento("mnuTaglia")->isEnabled() || Strumento("mnuIncolla")->isEnabled());
    Strumento("mnuCopia")->trigger();
    EXPECT_EQ(appunti->text(), "ORA 10");
    mF->Documento().SegnaSalvato();
    U()->txtAutore->setFocus();
    Strumento("mnuIncolla")->trigger();
    EXPECT_EQ(U()->txtAutore->text(), "ORA 10");
    EXPECT_TRUE(mF->Documento().NonSalvato());
    U()->txtAutore->selectAll();
    Strumento("mnuTaglia")->trigger();
    EXPECT_EQ(U()->txtAutore->text() + "|" + appunti->text(), "|ORA 10");
}

TEST_F(FinestraDemoTest, OneAboutBoxAtATimeAndANewDocumentHasNoFileToVerify) {
    Strumento("mnuInformazioni")->trigger();
    Strumento("mnuInformazioni")->trigger();
    EXPECT_EQ(mF->findChildren<frmAbout*>().size(), 1);
    // New forgets the file of the document it replaces: the engine must not verify it.
    mF->FileApri(Driver(QStringLiteral("PanasonicTDA.drv")));
    mF->FileNuovo();
    EXPECT_TRUE(mF->Documento().moDriver->msFileName.empty());
    mUI.Reimposta();
    Strumento("mnuVerifica")->trigger();  // Save As is offered (not taken here)
    EXPECT_EQ(Testi(), QStringList{QStringLiteral("Si deve salvare almeno una volta il driver\n"
                                                  "Salvarlo ora con un nome, per verificarlo?")});
    EXPECT_TRUE(mUI.mDialoghiFile.isEmpty());
}

TEST_F(FinestraDemoTest, PickingABrandLeavesNoModelForTheTypedOneToBeAppendedTo) {
    U()->cboMarca->setCurrentIndex(U()->cboMarca->findText(QStringLiteral("Panasonic")));
    ASSERT_GT(U()->cboModello->count(), 0);
    EXPECT_EQ(U()->cboModello->currentText(), QString());
    U()->cboModello->setFocus();
    QTest::keyClicks(U()->cboModello, QStringLiteral("KX-NS700"));
    EXPECT_EQ(U()->cboModello->currentText(), QStringLiteral("KX-NS700"));
    // An open driver's own model stays shown.
    mUI.mRisposte = {RispostaUI::No};
    mF->FileApri(Driver(QStringLiteral("PanasonicTDA.drv")));
    EXPECT_EQ(U()->cboModello->currentText(), QStringLiteral("KX-TDA200"));
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
    // An engine that notes its arguments and ends only when the test has looked at the window:
    // it waits for a line on a named pipe, which the test writes from inside the wait.
    const QString motore = mSuite.Percorso(QStringLiteral("tarnominer"));
    const std::string via = mSuite.Percorso(QStringLiteral("via")).toStdString();
    ASSERT_EQ(::mkfifo(via.c_str(), 0600), 0);
    prova::ScriviFile(motore.toStdString(),
                      "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$(dirname \"$0\")/argomenti\"\n"
                      "read riga < \"$(dirname \"$0\")/via\"\n");
    QFile::setPermissions(motore, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    mF->FileApri(Driver(QStringLiteral("PanasonicTDA.drv")));
    mF->LeggiDati(Driver(QStringLiteral("PanasonicTDA.txt")));
    int abilitata = -1;
    // The first turn of the event loop that waits for the engine.
    QTimer::singleShot(0, [&] {
        abilitata = mF->isEnabled() ? 1 : 0;
        if (abilitata) return;  // no engine is running: nothing waits for the line
        const int fd = ::open(via.c_str(), O_WRONLY);  // the engine opens it to read
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::write(fd, "\n", 1), 1);
        ::close(fd);
    });
    Strumento("mnuVerifica")->trigger();
    EXPECT_EQ(abilitata, 0);
    EXPECT_TRUE(mF->isEnabled());
    EXPECT_EQ(Byte(mSuite.Percorso(QStringLiteral("argomenti"))),
              "/i3\n/D" + Driver(QStringLiteral("PanasonicTDA.drv")).toStdString() + "\n/F" +
                  Driver(QStringLiteral("PanasonicTDA.txt")).toStdString() + "\n");
    EXPECT_TRUE(mUI.mMessaggi.empty()) << Testi().join('|').toStdString();
    // No log: the status bar says so rather than give counts.
    EXPECT_EQ(mF->statusBar()->currentMessage(),
              QStringLiteral("Verifica: il motore non ha scritto il log ") + mF->FileLogVerifica());
}

TEST_F(FinestraDemoTest, ADroppedDriverOpensAfterTheSavePromptAndADroppedPrintoutIsRead) {
    // Drags a local file over a control and drops it there; true when the window took it.
    const auto lascia = [](QWidget* w, const QString& file) {
        QMimeData dati;
        dati.setUrls({QUrl::fromLocalFile(file)});
        const QPointF p = w->rect().center();
        QDragEnterEvent entra(p.toPoint(), Qt::CopyAction, &dati, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(w, &entra);
        QDropEvent lascia(p, Qt::CopyAction, &dati, Qt::LeftButton, Qt::NoModifier);
        if (entra.isAccepted()) QApplication::sendEvent(w, &lascia);
        QApplication::processEvents();
        return entra.isAccepted() && lascia.isAccepted();
    };
    const QString siemens = Driver(QStringLiteral("SiemensHiPath.drv"));
    const QString campione = Driver(QStringLiteral("PanasonicTDA.txt"));
    EXPECT_TRUE(lascia(U()->rtfTesto->viewport(), campione));
    EXPECT_EQ(mF->FileDati(), campione);
    EXPECT_TRUE(U()->rtfTesto->toPlainText().startsWith(QStringLiteral("Panasonic KX-TDA200")));
    // A changed document: Cancel keeps it, No opens the dropped driver.
    Modifica();
    mUI.mRisposte = {RispostaUI::Annulla};
    EXPECT_TRUE(lascia(U()->tabDriver, siemens));
    EXPECT_TRUE(mF->FileDriver().isEmpty());
    EXPECT_TRUE(mF->Documento().NonSalvato());
    mUI.mRisposte = {RispostaUI::No};
    EXPECT_TRUE(lascia(U()->txtAutore, siemens));
    EXPECT_EQ(mF->FileDriver(), siemens);
    EXPECT_EQ(U()->cboMarca->currentText(), QStringLiteral("Siemens"));
    EXPECT_EQ(Testi(), QStringList(2, QStringLiteral("Sono state effettuate delle modifiche, si "
                                                     "desidera salvarle?")));
    // A folder is no file to open.
    EXPECT_FALSE(lascia(U()->tabDriver, mSuite.Cartella()));
    EXPECT_EQ(mF->FileDriver(), siemens);
}

TEST_F(FinestraDemoTest, TheSplitterAndTheSizeAreRememberedAndTheWindowFitsItsScreen) {
    // The first start, nothing remembered, uses most of the screen: the sample view shows
    // thirteen lines (a heading and ten calls), the pages scroll in the rest, the preview takes a
    // third of the width.
    {
        frmDriver f(mSuite.Cartella());
        f.Form_Load();
        QApplication::processEvents();
        const QRect area = f.screen()->availableGeometry();
        const QRect esterno = f.frameGeometry();
        EXPECT_TRUE(area.contains(esterno)) << esterno.width() << "x" << esterno.height();
        EXPECT_GE(esterno.width(), area.width() * 8 / 10);
        EXPECT_GE(esterno.height(), area.height() * 8 / 10);
        QTextEdit* vista = f.ui()->rtfTesto;
        EXPECT_GE(vista->viewport()->height(), 13 * vista->fontMetrics().lineSpacing());
        EXPECT_LT(f.ui()->tabDriver->height(), f.ui()->tabDriver->sizeHint().height());
        const int anteprima = f.findChild<QDockWidget*>(QStringLiteral("dockAnteprima"))->width();
        EXPECT_NEAR(anteprima, f.width() / 3, f.width() / 20);
    }
    const QRect schermo = mF->screen()->availableGeometry();
    mF->resize(schermo.width() - 100, schermo.height() - 100);
    QSplitter* divisore = U()->splDriver;
    QApplication::processEvents();
    const int totale = divisore->sizes().value(0) + divisore->sizes().value(1);
    divisore->setSizes({totale / 3, totale - totale / 3});
    const QList<int> divise = divisore->sizes();
    const QSize dimensione = mF->size();
    ASSERT_TRUE(mF->close());
    const auto riapri = [&] {
        mF = std::make_unique<frmDriver>(mSuite.Cartella());
        mF->Form_Load();
        QApplication::processEvents();
    };
    // The next session: the same division, and a window too large for the screen it opens on
    // is made to fit it.
    for (const QSize& prima : {QSize(), schermo.size() * 2}) {
        if (!prima.isEmpty()) {
            mF->resize(prima);
            ASSERT_TRUE(mF->close());
        }
        riapri();
        if (prima.isEmpty()) {
            EXPECT_EQ(mF->size(), dimensione);
            EXPECT_EQ(U()->splDriver->sizes(), divise);
        } else {
            EXPECT_TRUE(schermo.contains(mF->frameGeometry()))
                << mF->frameGeometry().width() << "x" << mF->frameGeometry().height();
        }
    }
    // The preview shown or hidden is the user's choice: closing the window keeps it.
    const auto riquadro = [&] {
        return mF->findChild<QDockWidget*>(QStringLiteral("dockAnteprima"));
    };
    EXPECT_TRUE(riquadro()->isVisible());
    for (bool mostrata : {false, true}) {
        Strumento("mnuAnteprima")->trigger();
        ASSERT_TRUE(mF->close());
        riapri();
        EXPECT_EQ(riquadro()->isVisible(), mostrata);
        ASSERT_TRUE(mF->close());
        riapri();
        EXPECT_EQ(riquadro()->isVisible(), mostrata);
    }
}

// Tab goes round one loop: the sample view, the tab bar, the controls of the page shown, and
// back to the sample view; Shift+Tab goes the same loop the other way.
TEST_F(FinestraDemoTest, TabGoesRoundTheSampleViewTheTabBarAndThePageInOneLoop) {
    for (int pagina : {frmDriver::PAGINA_GENERALE, frmDriver::PAGINA_TRASFORMAZIONI}) {
        SCOPED_TRACE(pagina);
        U()->tabDriver->setCurrentIndex(pagina);
        QWidget* pag = U()->tabDriver->currentWidget();
        std::vector<QWidget*> giri[2];
        for (bool indietro : {false, true}) {
            U()->rtfTesto->setFocus();
            for (int i = 0; i < 60; ++i) {
                QWidget* fuoco = QApplication::focusWidget();
                ASSERT_NE(fuoco, nullptr);
                giri[indietro].push_back(fuoco);
                if (i > 0 && fuoco == U()->rtfTesto) break;
                QTest::keyClick(fuoco, Qt::Key_Tab, indietro ? Qt::ShiftModifier : Qt::NoModifier);
            }
        }
        for (auto& giro : giri) {
            ASSERT_GE(giro.size(), 4u);
            EXPECT_EQ(giro.back(), U()->rtfTesto) << "no way back to the sample view";
            for (size_t i = 1; i + 1 < giro.size(); ++i)
                EXPECT_TRUE(giro[i] == U()->tabDriver->tabBar() || pag->isAncestorOf(giro[i]))
                    << giro[i]->objectName().toStdString();
        }
        // Forward: the tab bar first, then the page; backward: the page first, the tab bar last.
        EXPECT_EQ(giri[0][1], U()->tabDriver->tabBar());
        EXPECT_EQ(giri[1][giri[1].size() - 2], U()->tabDriver->tabBar());
    }
}

// A user's first start (no driver opened yet) shows the demo driver with its printout, and
// Leggi dati starts in the printouts' folder.
TEST_F(FinestraDemoTest, TheFirstStartOpensTheDemoDriverWithItsPrintout) {
    const QString dati = mSuite.Percorso(QStringLiteral("lavoro/Dati"));
    ASSERT_TRUE(QDir().mkpath(dati));
    ASSERT_TRUE(QFile::copy(Demo("Dati/PanasonicTDA.txt"), dati + "/PanasonicTDA.txt"));
    for (bool primo : {true, false}) {
        SCOPED_TRACE(primo);
        mF = std::make_unique<frmDriver>(mSuite.Cartella());
        ASSERT_TRUE(mF->Form_Load());
        EXPECT_EQ(mF->FileDriver(), primo ? Driver(QStringLiteral("PanasonicTDA.drv")) : QString());
        EXPECT_EQ(mF->FileDati(), primo ? dati + "/PanasonicTDA.txt" : QString());
        EXPECT_FALSE(mF->Documento().NonSalvato());
        EXPECT_TRUE(mUI.mMessaggi.empty()) << Testi().join('|').toStdString();
        mUI.Reimposta();
        mF->LeggiDati();
        EXPECT_EQ(mUI.mCartelle, QStringList{dati});
        ASSERT_TRUE(mF->close());
    }
}

TEST_F(FinestraDemoTest, ClosingReleasesTheDocumentAndTheCatalogue) {
    EXPECT_TRUE(mF->Catalogo().Aperto());
    EXPECT_TRUE(mF->close());
    EXPECT_FALSE(mF->Documento().moDriver);
    EXPECT_FALSE(mF->Catalogo().Aperto());
}

// The same window in English: the table is read once, in the language of its first use, so the
// English run is a process of its own, this test program started again on this test.
class FinestraLingue : public FinestraDemo {
  protected:
    static bool Inglese() { return LinguaInterfaccia() == QLatin1String("en"); }
};

TEST_F(FinestraLingue, CaptionsToolTipsDialogsAndMessagesSpeakTheInterfaceLanguage) {
    if (!Inglese()) {
        QProcess inglese;
        inglese.setProcessChannelMode(QProcess::MergedChannels);
        inglese.start(QCoreApplication::applicationFilePath(),
                      {QStringLiteral("--gtest_filter=FinestraLingue.*"),
                       QStringLiteral("--lingua"), QStringLiteral("en")});
        ASSERT_TRUE(inglese.waitForFinished(60000));
        const QByteArray uscita = inglese.readAll();
        EXPECT_EQ(inglese.exitCode(), 0) << uscita.toStdString();
        EXPECT_TRUE(uscita.contains("[  PASSED  ] 1 test")) << uscita.toStdString();
    }
    frmImpostazioniGenerali generali(mF.get());
    frmOldDriver vecchio(mF.get());
    mF->FileApri(Driver(QStringLiteral("PanasonicTDA.drv")));
    mF->LeggiDati(Driver(QStringLiteral("PanasonicTDA.txt")));
    mF->AggiornaAnteprima();
    const QString colonnaAnteprima =
        mF->findChild<QAbstractItemView*>(QStringLiteral("tblAnteprima"))
            ->model()
            ->headerData(4, Qt::Horizontal)
            .toString();
    mF->FileNuovo();
    mUI.Reimposta();
    Strumento("mnuVerifica")->trigger();  // a new document has no file to verify
    ASSERT_EQ(mUI.mMessaggi.size(), 1u);
    const struct {
        QString visto;
        const char* it;
        const char* en;
    } casi[] = {
        {U()->mnupopFile->title(), "&File", "&File"},
        {U()->mnupopModifica->title(), "&Modifica", "&Edit"},
        {U()->mnupopAiuto->title(), "&?", "&Help"},
        {U()->mnupopDatiRecenti->title(), "Dati &recenti", "&Recent samples"},
        {Strumento("mnuTrasforma")->text(), "Trasforma", "Transform"},
        {Strumento("mnuTrasforma")->toolTip(), "Trasforma", "Transform"},
        {Strumento("mnuVerifica")->toolTip(), "Verifica dati", "Verify on sample"},
        {Strumento("mnuTaglia")->toolTip(), "Taglia", "Cut"},
        {Strumento("mnuNuovo")->toolTip(), "Nuovo", "New"},
        {U()->tabDriver->tabText(4), "Uscenti", "Outgoing"},
        {colonnaAnteprima, "Ora inizio", "Start time"},
        {U()->Frame1->title(), "Centralino", "PBX"},
        {U()->lblNote->text(), "N&ote:", "N&otes:"},
        {generali.findChild<QPushButton*>(QStringLiteral("cmdAnnulla"))->text(), "&Annulla",
         "&Cancel"},
        {generali.findChild<QPushButton*>(QStringLiteral("cmdCondizioni"))->text(), "&Condizioni",
         "C&onditions"},
        {vecchio.windowTitle(), "Attenzione", "Warning"},
        {mUI.mMessaggi[0].titolo, "Attenzione", "Warning"},
        {mUI.mMessaggi[0].testo,
         "Si deve salvare almeno una volta il driver\nSalvarlo ora con un nome, per verificarlo?",
         "The driver must be saved at least once first\nSave it now under a name, to verify it?"},
    };
    for (const auto& c : casi)
        EXPECT_EQ(c.visto, QString::fromUtf8(Inglese() ? c.en : c.it)) << c.it;
}

}  // namespace
