// Window texts from the string table (tags and menu tools), tag numbers and centring, on real
// widgets.

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTest>
#include <QToolBar>
#include <QVBoxLayout>
#include <limits>

#include "Risorse.h"

using tarno::CaricaTestiMenu;
using tarno::CaricaTestiRisorse;
using tarno::CentraForm;
using tarno::IdRisorsaDaTag;

namespace {

template <class W>
W* Controllo(QWidget* genitore, const char* nome, const QString& sDidascalia, const char* tag) {
    auto* w = new W(sDidascalia, genitore);
    w->setObjectName(QString::fromLatin1(nome));
    if (tag) w->setProperty("tag", QString::fromLatin1(tag));
    if (genitore && genitore->layout()) genitore->layout()->addWidget(w);
    return w;
}

QAction* Strumento(QWidget* genitore, const char* nome, const QString& sDidascalia,
                   const QVariant& id) {
    auto* a = new QAction(sDidascalia, genitore);
    a->setObjectName(QString::fromLatin1(nome));
    if (id.isValid()) a->setProperty("toolId", id);
    return a;
}

}  // namespace

TEST(IdRisorsaDaTag, NumeroPrimaDelPuntoEVirgola) {
    EXPECT_EQ(IdRisorsaDaTag(QStringLiteral("603;")), 603);
    EXPECT_EQ(IdRisorsaDaTag(QStringLiteral("51;altro;testo")), 51);
    EXPECT_EQ(IdRisorsaDaTag(QStringLiteral(" 1702 ;")), 1702);
    EXPECT_EQ(IdRisorsaDaTag(QStringLiteral("2147483647;")), 2147483647);
}

TEST(IdRisorsaDaTag, NessunaStringa) {
    EXPECT_EQ(IdRisorsaDaTag(QStringLiteral("abc;")), 0);
    EXPECT_EQ(IdRisorsaDaTag(QStringLiteral("12")), 0);  // no semicolon
    EXPECT_EQ(IdRisorsaDaTag(QString()), 0);
    EXPECT_EQ(IdRisorsaDaTag(QStringLiteral(";603")), 0);
    EXPECT_EQ(IdRisorsaDaTag(QStringLiteral("6 03;")), 0);
    EXPECT_EQ(IdRisorsaDaTag(QStringLiteral("603x;")), 0);
    EXPECT_EQ(IdRisorsaDaTag(QStringLiteral("٣;")), 0);           // a non-ASCII digit
    EXPECT_EQ(IdRisorsaDaTag(QStringLiteral("2147483648;")), 0);  // does not fit 32 bits
    EXPECT_EQ(IdRisorsaDaTag(QStringLiteral("99999999999999999999999;")), 0);
}

class CaricaTestiRisorseTest : public ::testing::Test {
  protected:
    void SetUp() override {
        finestra.setProperty("tag", QStringLiteral("1601;"));
        finestra.setWindowTitle(QStringLiteral("design"));
        new QVBoxLayout(&finestra);
    }
    QWidget finestra;
};

TEST_F(CaricaTestiRisorseTest, DidascalieDaiTag) {
    auto* lbl = Controllo<QLabel>(&finestra, "Label9", QStringLiteral("x"), "601;");
    auto* btn = Controllo<QPushButton>(&finestra, "cmdCondizioni", QStringLiteral("x"), "1703;");
    auto* grp = Controllo<QGroupBox>(&finestra, "Frame1", QStringLiteral("x"), "614;");
    new QVBoxLayout(grp);
    auto* chk = Controllo<QCheckBox>(grp, "chkCampoEnt", QStringLiteral("x"), "621;");
    auto* tab = new QTabWidget(&finestra);
    tab->setProperty("tag", QStringLiteral("603;"));
    for (int i = 0; i < 5; ++i) tab->addTab(new QWidget, QStringLiteral("t%1").arg(i));
    auto* act = Strumento(&finestra, "azione", QStringLiteral("x"), QVariant());
    act->setProperty("tag", QStringLiteral("1005;"));

    CaricaTestiRisorse(&finestra);

    EXPECT_EQ(finestra.windowTitle(), QStringLiteral("Dettagli"));
    EXPECT_EQ(lbl->text(), QStringLiteral("Posiz.:"));
    EXPECT_EQ(btn->text(), QStringLiteral("&Condizioni"));
    EXPECT_EQ(grp->title(), QStringLiteral("Campi"));
    EXPECT_EQ(chk->text(), QStringLiteral("Data"));  // nested inside the group box
    const QStringList attese{"Generale", "Identificazione", "Trasformazioni", "Entranti",
                             "Uscenti"};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(tab->tabText(i), attese.at(i));
    EXPECT_EQ(act->text(), QStringLiteral("&Nuovo..."));
}

TEST_F(CaricaTestiRisorseTest, TagSenzaStringaLasciaLaDidascaliaDiProgetto) {
    auto* nonNumerico = Controllo<QLabel>(&finestra, "a", QStringLiteral("design a"), "abc;");
    auto* senzaPunto = Controllo<QLabel>(&finestra, "b", QStringLiteral("design b"), "12");
    auto* mancante = Controllo<QLabel>(&finestra, "c", QStringLiteral("design c"), "99999;");
    auto* vuoto = Controllo<QPushButton>(&finestra, "d", QStringLiteral("design d"), "");
    auto* senzaTag = Controllo<QPushButton>(&finestra, "e", QStringLiteral("design e"), nullptr);
    // A control without a caption is skipped and the walk goes on.
    auto* txt = new QLineEdit(QStringLiteral("testo"), &finestra);
    txt->setProperty("tag", QStringLiteral("601;"));
    auto* dopo = Controllo<QLabel>(&finestra, "f", QStringLiteral("x"), "602;");
    finestra.setProperty("tag", QStringLiteral("12"));

    CaricaTestiRisorse(&finestra);

    EXPECT_EQ(finestra.windowTitle(), QStringLiteral("design"));
    EXPECT_EQ(nonNumerico->text(), QStringLiteral("design a"));
    EXPECT_EQ(senzaPunto->text(), QStringLiteral("design b"));
    EXPECT_EQ(mancante->text(), QStringLiteral("design c"));
    EXPECT_EQ(vuoto->text(), QStringLiteral("design d"));
    EXPECT_EQ(senzaTag->text(), QStringLiteral("design e"));
    EXPECT_EQ(txt->text(), QStringLiteral("testo"));
    EXPECT_EQ(dopo->text(), QStringLiteral("Lung.:"));
}

TEST_F(CaricaTestiRisorseTest, SchedeInPiuOInMenoDelleParti) {
    auto* poche = new QTabWidget(&finestra);
    poche->setProperty("tag", QStringLiteral("603;"));
    poche->addTab(new QWidget, QStringLiteral("a"));
    poche->addTab(new QWidget, QStringLiteral("b"));
    auto* troppe = new QTabWidget(&finestra);
    troppe->setProperty("tag", QStringLiteral("621;"));  // a single part
    troppe->addTab(new QWidget, QStringLiteral("a"));
    troppe->addTab(new QWidget, QStringLiteral("b"));

    CaricaTestiRisorse(&finestra);

    EXPECT_EQ(poche->tabText(0), QStringLiteral("Generale"));
    EXPECT_EQ(poche->tabText(1), QStringLiteral("Identificazione"));
    EXPECT_EQ(troppe->tabText(0), QStringLiteral("Data"));
    EXPECT_EQ(troppe->tabText(1), QStringLiteral("b"));
}

TEST_F(CaricaTestiRisorseTest, UnaFinestraFigliaHaITestiSuoi) {
    auto* dialogo = new QDialog(&finestra);
    dialogo->setProperty("tag", QStringLiteral("501;"));
    dialogo->setWindowTitle(QStringLiteral("dialogo"));
    auto* lbl = new QLabel(QStringLiteral("design"), dialogo);
    lbl->setProperty("tag", QStringLiteral("502;"));

    CaricaTestiRisorse(&finestra);
    EXPECT_EQ(dialogo->windowTitle(), QStringLiteral("dialogo"));
    EXPECT_EQ(lbl->text(), QStringLiteral("design"));

    CaricaTestiRisorse(dialogo);
    EXPECT_EQ(dialogo->windowTitle(), QStringLiteral("Informazioni su Tarno Driver"));
    EXPECT_EQ(lbl->text(), QStringLiteral("Versione"));
}

TEST_F(CaricaTestiRisorseTest, FinestraNullaNonFaNulla) {
    CaricaTestiRisorse(nullptr);
    CaricaTestiMenu(nullptr, 1000, 1300);
    CentraForm(nullptr);
}

class CaricaTestiMenuTest : public ::testing::Test {
  protected:
    void SetUp() override {
        auto* menuFile = finestra.menuBar()->addMenu(QStringLiteral("&File"));
        menuFile->setObjectName(QStringLiteral("mnupopFile"));
        mnuNuovo = Strumento(&finestra, "mnuNuovo", QStringLiteral("n"), 5);
        mnuApri = Strumento(&finestra, "mnuApri", QStringLiteral("a"), QStringLiteral("6"));
        mnuTrasforma = Strumento(&finestra, "mnuTrasforma", QStringLiteral("Trasforma"), 58);
        mnuSalvaCome = Strumento(&finestra, "mnuSalvaCome", QStringLiteral("sc"), 8);
        mnuSalvaCome->setToolTip(QStringLiteral("tip di progetto"));
        // Parented to the menu, as a designer file does it.
        mnuEsci = Strumento(menuFile, "mnuEsci", QStringLiteral("e"), 10);
        senzaId = Strumento(&finestra, "senzaId", QStringLiteral("libero"), QVariant());
        idErrato = Strumento(&finestra, "idErrato", QStringLiteral("errato"), QStringLiteral("x5"));
        menuFile->addActions(
            {mnuNuovo, mnuApri, mnuTrasforma, mnuSalvaCome, mnuEsci, senzaId, idErrato});
        auto* toolStandard = finestra.addToolBar(QStringLiteral("toolStandard"));
        toolStandard->addActions({mnuNuovo, mnuTrasforma});
        // A tool that only the tool bar holds, parented elsewhere.
        mnuVerifica = Strumento(nullptr, "mnuVerifica", QStringLiteral("v"), 15);
        mnuVerifica->setParent(&altro);
        toolStandard->addAction(mnuVerifica);
    }

    QMainWindow finestra;
    QObject altro;
    QAction *mnuNuovo, *mnuApri, *mnuTrasforma, *mnuSalvaCome, *mnuEsci, *senzaId, *idErrato,
        *mnuVerifica;
};

TEST_F(CaricaTestiMenuTest, DidascalieESuggerimentiDagliId) {
    CaricaTestiMenu(&finestra, 1000, 1300);

    EXPECT_EQ(mnuNuovo->text(), QStringLiteral("&Nuovo..."));
    EXPECT_EQ(mnuNuovo->toolTip(), QStringLiteral("Nuovo"));
    EXPECT_EQ(mnuApri->text(), QStringLiteral("&Apri..."));
    EXPECT_EQ(mnuApri->toolTip(), QStringLiteral("Apri"));
    EXPECT_EQ(mnuEsci->text(), QStringLiteral("&Esci"));
    EXPECT_EQ(mnuVerifica->text(), QStringLiteral("&Verifica dati"));
    // No string 1058 and no tip 1308: those texts stay as designed.
    EXPECT_EQ(mnuTrasforma->text(), QStringLiteral("Trasforma"));
    EXPECT_EQ(mnuSalvaCome->text(), QStringLiteral("Salva &con nome..."));
    EXPECT_EQ(mnuSalvaCome->toolTip(), QStringLiteral("tip di progetto"));
    EXPECT_EQ(senzaId->text(), QStringLiteral("libero"));
    EXPECT_EQ(idErrato->text(), QStringLiteral("errato"));
}

TEST_F(CaricaTestiMenuTest, LeBasiScelgonoLeStringhe) {
    // 596 + 5 = 601 and 597 + 5 = 602.
    CaricaTestiMenu(&finestra, 596, 597);
    EXPECT_EQ(mnuNuovo->text(), QStringLiteral("Posiz.:"));
    EXPECT_EQ(mnuNuovo->toolTip(), QStringLiteral("Lung.:"));
    // Sums beyond 32 bits name no string and change nothing.
    CaricaTestiMenu(&finestra, std::numeric_limits<int32_t>::max(),
                    std::numeric_limits<int32_t>::min());
    EXPECT_EQ(mnuNuovo->text(), QStringLiteral("Posiz.:"));
    EXPECT_EQ(mnuNuovo->toolTip(), QStringLiteral("Lung.:"));
}

TEST_F(CaricaTestiMenuTest, IlMenuMostraIlTestoCaricato) {
    CaricaTestiMenu(&finestra, 1000, 1300);
    finestra.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&finestra));
    auto* menuFile = finestra.findChild<QMenu*>(QStringLiteral("mnupopFile"));
    ASSERT_NE(menuFile, nullptr);
    QStringList testi;
    for (QAction* a : menuFile->actions()) testi << a->text();
    EXPECT_EQ(testi.first(), QStringLiteral("&Nuovo..."));
    EXPECT_TRUE(testi.contains(QStringLiteral("&Esci")));
}

TEST(CentraForm, FinestraAlCentroDelloSchermo) {
    QWidget finestra;
    finestra.resize(300, 200);
    finestra.move(0, 0);
    QScreen* schermo = finestra.screen();
    ASSERT_NE(schermo, nullptr);
    const QRect area = schermo->geometry();

    CentraForm(&finestra);
    QRect esterno = finestra.frameGeometry();
    EXPECT_EQ(esterno.x(), area.x() + (area.width() - esterno.width()) / 2);
    EXPECT_EQ(esterno.y(), area.y() + (area.height() - esterno.height()) / 2);

    // Shown, resized and centred again; a child widget centres its window.
    finestra.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&finestra));
    finestra.resize(120, 80);
    auto* figlio = new QLabel(QStringLiteral("x"), &finestra);
    CentraForm(figlio);
    esterno = finestra.frameGeometry();
    EXPECT_EQ(esterno.x(), area.x() + (area.width() - esterno.width()) / 2);
    EXPECT_EQ(esterno.y(), area.y() + (area.height() - esterno.height()) / 2);
    EXPECT_EQ(figlio->pos(), QPoint(0, 0));
}

TEST(CentraForm, FinestraPiuGrandeDelloSchermo) {
    QWidget finestra;
    const QRect area = finestra.screen()->geometry();
    finestra.resize(area.width() + 200, area.height() + 100);
    CentraForm(&finestra);
    EXPECT_EQ(finestra.frameGeometry().topLeft(), area.topLeft() - QPoint(100, 50));
}
