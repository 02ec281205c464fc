// The main window: start-up outcomes, the command dispatcher, the keyboard, the layout and the
// sample view.

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextEdit>

#include "SupportoGui.h"
#include "frmDriver.h"
#include "frmSeleziona.h"
#include "ui_frmDriver.h"

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

TEST_F(FinestraTest, MissingConfigurationEndsWithOneWarning) {
    auto f = Avvia(QStringLiteral("/MEricsson/NMD110"));
    EXPECT_FALSE(f->Avviabile());
    ASSERT_EQ(mUI.mMessaggi.size(), 1u);
    EXPECT_EQ(mUI.mMessaggi[0].testo, QStringLiteral("File Tarnosuite.ini non trovato"));
    EXPECT_EQ(mUI.mMessaggi[0].titolo, QStringLiteral("Attenzione"));
    EXPECT_EQ(mUI.mMessaggi[0].icona, IconaUI::Esclamazione);
    EXPECT_TRUE(mAperti.isEmpty());  // the command line is never looked at
    EXPECT_EQ(mUI.miCursore, 0);     // the hourglass is gone
}

TEST_F(FinestraTest, AccessWithoutDatabaseEndsWithItsWarning) {
    mSuite.ScriviIni(QStringLiteral("[Configurazione]\r\nVersioneDB=ACCESS\r\nWorkDir=/tmp\r\n"));
    auto f = Avvia();
    EXPECT_FALSE(f->Avviabile());
    EXPECT_EQ(Testi(), QStringList{QStringLiteral(
                           "Non \u00E8 stato impostato nessun database da aprire nel file "
                           "Tarnosuite.ini")});
    EXPECT_EQ(mUI.miCursore, 0);
}

TEST_F(FinestraTest, AnOtherKindFailsToConnectAndSaysWhy) {
    mSuite.ScriviIni(QStringLiteral("[Configurazione]\r\nVersioneDB=Oracle\r\n"));
    auto f = Avvia();
    EXPECT_FALSE(f->Avviabile());
    ASSERT_EQ(mUI.mMessaggi.size(), 1u);
    EXPECT_FALSE(mUI.mMessaggi[0].testo.isEmpty());
    EXPECT_EQ(mUI.mMessaggi[0].titolo, QStringLiteral("Attenzione"));
    EXPECT_TRUE(f->msDSNName.empty());
    EXPECT_TRUE(f->msDatabaseFile.empty());
    EXPECT_EQ(mUI.miCursore, 0);
}

TEST_F(FinestraTest, ACatalogueWithoutTablesEndsStartUp) {
    mSuite.CreaCatalogo({QStringLiteral("DROP TABLE FormatiOra")});
    mSuite.ScriviIni(QStringLiteral("[Configurazione]\r\nVersioneDB=Access\r\nDatabase=%1\r\n")
                         .arg(mSuite.Percorso(QStringLiteral("catalogo.db"))));
    auto f = Avvia();
    EXPECT_FALSE(f->Avviabile());
    ASSERT_EQ(mUI.mMessaggi.size(), 1u);
    EXPECT_TRUE(mUI.mMessaggi[0].testo.contains(QStringLiteral("FormatiOra"), Qt::CaseInsensitive))
        << mUI.mMessaggi[0].testo.toStdString();
}

TEST_F(FinestraTest, DemoSuiteStartsWithBrandsFormatsAndACleanDocument) {
    mSuite.Demo();
    auto f = Avvia();
    ASSERT_TRUE(f->Avviabile()) << Testi().join('|').toStdString();
    EXPECT_TRUE(mUI.mMessaggi.empty());
    auto* ui = f->ui();
    ASSERT_EQ(ui->cboMarca->count(), 9);
    EXPECT_EQ(ui->cboMarca->itemText(0), QStringLiteral("Alcatel"));
    EXPECT_EQ(ui->cboMarca->currentText(), QString());
    EXPECT_EQ(f->mrgxFormatiData.Righe(), 9);
    EXPECT_EQ(f->mrgxFormatiOra.Cella(2, 0), "hh:mm:ss");
    EXPECT_EQ(f->mrgxFormatiNessuno.Cella(0, 0), "Nessuno");
    EXPECT_EQ(f->mrgxEntranti.Righe(), 14);
    EXPECT_EQ(f->mrgxUscenti.Righe(), 13);
    EXPECT_FALSE(f->mbChanged);
    EXPECT_FALSE(ui->mnuSalva->isEnabled());
    EXPECT_TRUE(ui->tabDriver->isEnabled());
    EXPECT_EQ(ui->tabDriver->currentIndex(), 0);
    EXPECT_EQ(f->msCartellaDialogo, mSuite.Percorso(QStringLiteral("lavoro/Driver")));
    EXPECT_EQ(mUI.miCursore, 0);
    EXPECT_GE(mUI.miMaxCursore, 1);  // the hourglass showed while it loaded
}

TEST_F(FinestraTest, CommandLineOpensTheCataloguedDriver) {
    mSuite.Demo(
        {QStringLiteral("INSERT INTO Pabx (sMarca, sModello, sNomeDriver) VALUES ('D''Angelo', 'X "
                        "1', 'dang.drv')")});
    {
        auto f = Avvia(QStringLiteral("/MEricsson/NMD110"));
        EXPECT_EQ(mAperti,
                  QStringList{mSuite.Percorso(QStringLiteral("lavoro/Driver/EricssonMD110.drv"))});
    }
    mAperti.clear();
    { auto f = Avvia(QStringLiteral("/MD'Angelo/NX 1")); }
    EXPECT_EQ(mAperti, QStringList{mSuite.Percorso(QStringLiteral("lavoro/Driver/dang.drv"))});
    mAperti.clear();
    { auto f = Avvia(QStringLiteral("/MEricsson /NMD110")); }  // the blank is part of the brand
    { auto f = Avvia(QStringLiteral("/MEricsson")); }
    EXPECT_TRUE(mAperti.isEmpty());
    EXPECT_TRUE(mUI.mMessaggi.empty());
}

TEST_F(FinestraTest, ChoosingABrandFillsItsModelsAndMarksTheDocumentChanged) {
    mSuite.Demo();
    auto f = Avvia();
    auto* ui = f->ui();
    ui->cboMarca->setCurrentIndex(ui->cboMarca->findText(QStringLiteral("Ericsson")));
    ASSERT_EQ(ui->cboModello->count(), 2);
    EXPECT_EQ(ui->cboModello->currentText(), QStringLiteral("BP250"));
    EXPECT_TRUE(f->mbChanged);
    EXPECT_TRUE(ui->mnuSalva->isEnabled());

    f->Cambiato(false);
    QTest::keyClicks(ui->txtAutore, QStringLiteral("Rossi"));
    EXPECT_TRUE(f->mbChanged);

    ui->cboMarca->setEditText(QStringLiteral("Sconosciuta"));
    EXPECT_EQ(ui->cboModello->count(), 0);
}

TEST_F(FinestraTest, TextBoxesRefuseWhatADriverFileCannotHold) {
    mSuite.Demo();
    auto f = Avvia();
    auto* ui = f->ui();
    QTest::keyClicks(ui->txtAutore, QStringLiteral("Ros"));
    ui->txtAutore->insert(QStringLiteral("\u0142"));     // Polish l with stroke
    ui->txtAutore->insert(QStringLiteral("si \u00e8"));  // accented e: fine
    EXPECT_EQ(ui->txtAutore->text(), QStringLiteral("Rossi \u00e8"));
    QApplication::processEvents();
    ASSERT_EQ(Testi().size(), 1);
    EXPECT_TRUE(Testi()[0].contains(QStringLiteral("\u0142"))) << Testi()[0].toStdString();
    EXPECT_EQ(mUI.mMessaggi[0].titolo, QStringLiteral("Attenzione"));

    // Notes and the editable brand list refuse a pasted text as a whole, and keep theirs.
    ui->txtNote->setPlainText(QStringLiteral("Prima riga"));
    ui->txtNote->moveCursor(QTextCursor::End);
    ui->txtNote->insertPlainText(QStringLiteral(" \u4e2d\u6587"));
    EXPECT_EQ(ui->txtNote->toPlainText(), QStringLiteral("Prima riga"));
    ui->cboMarca->setEditText(QStringLiteral("Marca"));
    ui->cboMarca->lineEdit()->insert(QStringLiteral("\u2603"));
    EXPECT_EQ(ui->cboMarca->currentText(), QStringLiteral("Marca"));
    QApplication::processEvents();
    EXPECT_EQ(Testi().size(), 3);
}

TEST_F(FinestraTest, DispatcherWaitsForStartUpAndAnswersToolsWithoutACommand) {
    mSuite.Demo();
    auto f = Avvia();
    gbAvviato = false;
    f->ui()->mnuTrova->trigger();
    EXPECT_TRUE(mUI.mMessaggi.empty());
    gbAvviato = true;
    f->ui()->mnuTrova->trigger();
    EXPECT_EQ(Testi(), QStringList{QStringLiteral("Funzione non implementata")});

    int chiamate = 0;
    f->mfnComandi[QStringLiteral("mnuNuovo")] = [&](QAction*) { ++chiamate; };
    f->mfnComandi[QStringLiteral("Recenti")] = [&](QAction* a) {
        EXPECT_EQ(a->objectName(), QStringLiteral("mnuRecenti2s"));
        chiamate += 10;
    };
    f->ui()->mnuNuovo->trigger();
    f->ui()->mnuRecenti2s->trigger();
    EXPECT_EQ(chiamate, 11);
}

TEST_F(FinestraTest, MenuToolsCarryTheirNamesCaptionsAndTips) {
    mSuite.Demo();
    auto f = Avvia();
    auto* ui = f->ui();
    EXPECT_EQ(ui->mnuNuovo->text(), QStringLiteral("&Nuovo..."));
    EXPECT_EQ(ui->mnuNuovo->toolTip(), QStringLiteral("Nuovo"));
    EXPECT_EQ(ui->mnuSalvaCome->text(), QStringLiteral("Salva &con nome..."));
    EXPECT_EQ(ui->mnuTrasforma->text(), QStringLiteral("Trasforma"));
    EXPECT_EQ(ui->mnuInformazioni->text(), QStringLiteral("&Informazioni su..."));
    for (QAction* a : {ui->mnuRecenti1f, ui->mnuRecenti4s}) EXPECT_FALSE(a->isVisible());
    QStringList schede;
    for (int i = 0; i < ui->tabDriver->count(); ++i) schede << ui->tabDriver->tabText(i);
    EXPECT_EQ(schede.join('|'),
              QStringLiteral("Generale|Identificazione|Trasformazioni|Entranti|Uscenti"));
    EXPECT_EQ(ui->Label9->text(), QStringLiteral("Posiz.:"));
    EXPECT_EQ(ui->Label11->text(), QStringLiteral("Lung.:"));
}

TEST_F(FinestraTest, CtrlTabCyclesThePagesFromInsideThem) {
    mSuite.Demo();
    auto f = Avvia();
    f->show();
    QApplication::setActiveWindow(f.get());
    auto* ui = f->ui();
    ui->txtAutore->setFocus();
    QTest::keyClick(ui->txtAutore, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(ui->tabDriver->currentIndex(), 1);
    ui->tabDriver->setCurrentIndex(4);
    auto* uscenti = f->findChild<QWidget*>(QStringLiteral("grdUscenti"));
    uscenti->setFocus();
    QTest::keyClick(uscenti, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(ui->tabDriver->currentIndex(), 0);
    QTest::keyClick(ui->tabDriver, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(ui->tabDriver->currentIndex(), 4);

    ui->rtfTesto->setFocus();
    QTest::keyClick(ui->rtfTesto, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(ui->tabDriver->currentIndex(), 4);
}

TEST_F(FinestraTest, ChangingTabFocusesThePageMainControl) {
    mSuite.Demo();
    auto f = Avvia();
    f->show();
    QApplication::setActiveWindow(f.get());
    auto* ui = f->ui();
    ui->tabDriver->setCurrentIndex(3);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return f->findChild<QWidget*>(QStringLiteral("grdEntranti"))->hasFocus(); }, 1000));
    ui->tabDriver->setCurrentIndex(0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return ui->txtAutore->hasFocus(); }, 1000));
}

TEST_F(FinestraTest, LayoutKeepsTheTabHeightAndGivesTheRestToTheSample) {
    mSuite.Demo();
    auto f = Avvia();
    f->show();
    auto* ui = f->ui();
    f->resize(1000, 800);
    QApplication::processEvents();
    const int altezzaSchede = ui->tabDriver->height();
    const int altezzaTesto = ui->rtfTesto->height();
    f->resize(1000, 900);
    QApplication::processEvents();
    EXPECT_EQ(ui->tabDriver->height(), altezzaSchede);
    EXPECT_EQ(ui->rtfTesto->height(), altezzaTesto + 100);
    EXPECT_LT(ui->rtfTesto->geometry().bottom(), ui->lblX->y());
    EXPECT_LT(ui->lblX->geometry().bottom(), ui->tabDriver->y());
    f->showMinimized();
    QApplication::processEvents();
    f->showNormal();
    QApplication::processEvents();
    EXPECT_EQ(ui->tabDriver->height(), altezzaSchede);
    f->resize(100, 100);  // never smaller than the minimum
    EXPECT_GE(f->height(), f->minimumHeight());
    EXPECT_GT(ui->rtfTesto->height(), 0);
}

TEST(ColonnaSelezione, CountsFromTheLastLineEnd) {
    const QString t = QStringLiteral("abc\ndefgh\n0123456789ABCDEF");
    EXPECT_EQ(frmSeleziona::ColonnaSelezione(t, 0), 1);
    EXPECT_EQ(frmSeleziona::ColonnaSelezione(t, 2), 3);
    EXPECT_EQ(frmSeleziona::ColonnaSelezione(t, 4), 1);   // first character of line 2
    EXPECT_EQ(frmSeleziona::ColonnaSelezione(t, 10), 1);  // first character of line 3
    EXPECT_EQ(frmSeleziona::ColonnaSelezione(t, 21), 12);
}

TEST_F(FinestraTest, SampleViewShowsColumnAndLengthAndClearsMarkingOnEscape) {
    mSuite.Demo();
    auto f = Avvia();
    f->show();
    auto* rtf = f->ui()->rtfTesto;
    rtf->setPlainText(QStringLiteral("abc\ndefgh\n0123456789ABCDEF"));
    QTextCursor c = rtf->textCursor();
    c.setPosition(0);
    rtf->setTextCursor(c);
    QTest::keyRelease(rtf, Qt::Key_Home);
    EXPECT_EQ(f->ui()->lblX->text(), QStringLiteral("1"));
    EXPECT_EQ(f->ui()->lblY->text(), QStringLiteral("0"));

    c.setPosition(21);
    c.setPosition(26, QTextCursor::KeepAnchor);
    rtf->setTextCursor(c);
    QTest::keyRelease(rtf, Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(f->ui()->lblX->text(), QStringLiteral("12"));
    EXPECT_EQ(f->ui()->lblY->text(), QStringLiteral("5"));

    QTextCharFormat rosso;
    rosso.setForeground(Qt::red);
    c.mergeCharFormat(rosso);
    QTest::keyClick(rtf, Qt::Key_Escape, Qt::ShiftModifier);
    EXPECT_EQ(rtf->textCursor().charFormat().foreground().color(), QColor(Qt::red));
    QTest::keyClick(rtf, Qt::Key_Escape);
    EXPECT_EQ(rtf->textCursor().charFormat().foreground().color(), QColor(Qt::black));

    rtf->setTextColor(Qt::red);
    rtf->clear();
    EXPECT_EQ(rtf->textColor(), QColor(Qt::black));
}

TEST_F(FinestraTest, ClosingReleasesTheDocumentAndTheCatalogue) {
    mSuite.Demo();
    auto f = Avvia();
    f->moDriver = std::make_unique<clsDriver>();
    bool chiesto = false;
    f->mfnPuoChiudere = [&] {
        chiesto = true;
        return false;
    };
    f->show();
    EXPECT_FALSE(f->close());
    EXPECT_TRUE(chiesto);
    EXPECT_TRUE(f->mconDatabase.Aperto());
    f->mfnPuoChiudere = nullptr;
    EXPECT_TRUE(f->close());
    EXPECT_FALSE(f->moDriver);
    EXPECT_FALSE(f->mconDatabase.Aperto());
}

}  // namespace
