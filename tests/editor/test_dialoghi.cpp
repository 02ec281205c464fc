// The selection dialog and the About box.

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

#include "SupportoGui.h"
#include "frmAbout.h"
#include "frmSeleziona.h"
#include "ui_frmAbout.h"
#include "ui_frmSeleziona.h"

using namespace tarno;
using namespace tarno::test;

namespace {

class SelezionaTest : public ConServiziScriptati {
  protected:
    void SetUp() override {
        ConServiziScriptati::SetUp();
        mCampione.setPlainText(QStringLiteral("riga uno\nriga due\n0123456789ABCDEF"));
        mDialogo.ImpostaTesto(&mCampione);
    }
    void Seleziona(int da, int a) {
        QTextCursor c = mDialogo.ui()->rtfTesto->textCursor();
        c.setPosition(da);
        c.setPosition(a, QTextCursor::KeepAnchor);
        mDialogo.ui()->rtfTesto->setTextCursor(c);
    }
    QTextDocument mCampione;
    frmSeleziona mDialogo;
};

TEST_F(SelezionaTest, NothingChosenGivesZeros) {
    mDialogo.miInizio = 7;
    mDialogo.ui()->cmOK->click();
    EXPECT_EQ(mDialogo.miInizio, 0);
    EXPECT_EQ(mDialogo.miLunghezza, 0);
    EXPECT_TRUE(mDialogo.msSelText.isEmpty());
    EXPECT_EQ(mDialogo.result(), QDialog::Accepted);
}

TEST_F(SelezionaTest, SelectionAtTheStartOfTheThirdLine) {
    Seleziona(18, 22);
    mDialogo.ui()->cmOK->click();
    EXPECT_EQ(mDialogo.miInizio, 1);
    EXPECT_EQ(mDialogo.miLunghezza, 4);
    EXPECT_EQ(mDialogo.msSelText, QStringLiteral("0123"));
    EXPECT_EQ(mUI.miCursore, 0);
}

TEST_F(SelezionaTest, EnterConfirmsShiftEnterDoesNot) {
    mDialogo.show();
    Seleziona(23, 26);
    QTest::keyClick(mDialogo.ui()->rtfTesto, Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(mDialogo.miInizio, 0);
    EXPECT_TRUE(mDialogo.isVisible());
    QTest::keyRelease(mDialogo.ui()->rtfTesto, Qt::Key_Shift);
    EXPECT_EQ(mDialogo.ui()->lblX->text(), QStringLiteral("6"));
    EXPECT_EQ(mDialogo.ui()->lblY->text(), QStringLiteral("3"));
    QTest::keyClick(mDialogo.ui()->rtfTesto, Qt::Key_Return);
    EXPECT_EQ(mDialogo.miInizio, 6);
    EXPECT_EQ(mDialogo.miLunghezza, 3);
    EXPECT_EQ(mDialogo.msSelText, QStringLiteral("567"));
    EXPECT_FALSE(mDialogo.isVisible());
}

TEST_F(SelezionaTest, LayoutFollowsTheWindowSize) {
    mDialogo.show();
    mDialogo.resize(800, 500);
    QApplication::processEvents();
    auto* ui = mDialogo.ui();
    EXPECT_EQ(ui->rtfTesto->width(), 780);
    EXPECT_EQ(ui->cmOK->y(), 500 - ui->cmOK->height() - 20);
    EXPECT_EQ(ui->rtfTesto->height(), 500 - ui->rtfTesto->y() - ui->cmOK->height() - 30);
    EXPECT_EQ(ui->Label9->text(), QStringLiteral("Posiz.:"));
}

TEST(FiltroQt, TurnsDescriptionPatternPairsIntoQtFilters) {
    EXPECT_EQ(FiltroQt(QStringLiteral("File di testo (*.txt)|*.txt|Tutti file (*.*)|*.*")),
              QStringLiteral("File di testo (*.txt);;Tutti file (*)"));
    EXPECT_EQ(FiltroQt(QStringLiteral("Driver (*.drv)|*.drv|Tutti file (*.*)|*.*")),
              QStringLiteral("Driver (*.drv);;Tutti file (*)"));
    EXPECT_EQ(FiltroQt(QStringLiteral("Testi|*.txt;*.log")), QStringLiteral("Testi (*.txt *.log)"));
    EXPECT_EQ(FiltroQt(QString()), QString());
}

TEST(About, ShowsTheProgramVersionFollowedByABlank) {
    auto* about = new frmAbout();
    EXPECT_EQ(about->ui()->lblVersione->text(), QStringLiteral("Versione 5.0.4 "));
    EXPECT_EQ(about->windowTitle(), QStringLiteral("Informazioni su Tarno Driver"));
    EXPECT_FALSE(about->ui()->lblAvviso->text().isEmpty());
    EXPECT_FALSE(about->isModal());
    about->show();
    QPointer<frmAbout> guardia(about);
    about->ui()->cmdChiudi->click();
    EXPECT_TRUE(QTest::qWaitFor([&] { return guardia.isNull(); }, 1000));
}

}  // namespace
