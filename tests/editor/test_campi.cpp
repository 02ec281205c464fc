// The "Entranti" and "Uscenti" pages on a window started on the demo suite: marking fields on
// the sample text, the time-field rule, the input rules, the copy between the pages, the value
// lists, the isolated-date switch and the layout of boxes, header and grid.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QTextEdit>

#include "SupportoGui.h"
#include "PaginaCampi.h"
#include "clsGriglia.h"
#include "frmDriver.h"
#include "ui_frmDriver.h"

using namespace tarno;
using namespace tarno::test;

namespace {

// Three lines of a printout; the third one starts at offset 25.
const QString kCampione = QStringLiteral(
    "INIZIO STAMPA\n"
    "CHIAMATA 2\n"
    "01/02/24 10:15 10:17 00:02:30 201 12 0123456789\n");
constexpr int kTerzaRiga = 25;

using Riga = std::vector<std::string>;

class CampiTest : public ConServiziScriptati {
  protected:
    void SetUp() override {
        ConServiziScriptati::SetUp();
        mSuite.Demo();
        ASSERT_NO_FATAL_FAILURE(AvviaFinestra(mSuite, mF));        Rtf()->setPlainText(kCampione);
        mUI.Reimposta();
    }
    void TearDown() override {
        mF.reset();
        ConServiziScriptati::TearDown();
    }

    QTextEdit* Rtf() { return mF->ui()->rtfTesto; }
    PaginaCampi& Pagina(bool entranti) {
        mF->ui()->tabDriver->setCurrentIndex(entranti ? 3 : 4);
        QApplication::processEvents();
        return entranti ? *mF->mpPagEntranti : *mF->mpPagUscenti;
    }
    clsGriglia& G(bool entranti = true) { return *Pagina(entranti).mpGriglia; }
    TabellaValori& T(bool entranti = true) { return entranti ? mF->mrgxEntranti : mF->mrgxUscenti; }
    Riga RigaDi(int r, bool entranti = true) {
        Riga v;
        for (int c = 0; c < PaginaCampi::NUM_COLONNE; ++c) v.push_back(T(entranti).Cella(r, c));
        return v;
    }
    void ScriviRiga(int r, const Riga& v, bool entranti = true) {
        for (int c = 0; c < PaginaCampi::NUM_COLONNE; ++c) T(entranti).Cella(r, c) = v[c];
    }

    void Seleziona(int inizio, int lunghezza) {
        QTextCursor c = Rtf()->textCursor();
        c.setPosition(inizio);
        c.setPosition(inizio + lunghezza, QTextCursor::KeepAnchor);
        Rtf()->setTextCursor(c);
    }
    QColor ColoreCarattere(int posizione) {
        QTextCursor c(Rtf()->document());
        c.setPosition(posizione + 1);  // the format of the character before the cursor
        return c.charFormat().foreground().color();
    }
    // A mouse click on a field's box, on its caption.
    void ClicCasella(bool entranti, int r) {
        QCheckBox* chk = Pagina(entranti).chkCampo(r);
        ASSERT_NE(chk, nullptr);
        QTest::mouseClick(chk, Qt::LeftButton, Qt::NoModifier, QPoint(12, chk->height() / 2));
    }
    void Marca(bool entranti, int r, int inizio, int lunghezza) {
        Seleziona(inizio, lunghezza);
        ClicCasella(entranti, r);
    }

    // The open cell editor of a grid, or nullptr.
    QWidget* Editor(clsGriglia& g) {
        for (auto* w : g.viewport()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (w->isVisible() &&
                (w->objectName() == "txtCellaGriglia" || w->objectName() == "cboCellaGriglia"))
                return w;
        return nullptr;
    }
    QWidget* Destinazione(clsGriglia& g) {
        QWidget* e = Editor(g);
        if (!e) return &g;
        if (auto* combo = qobject_cast<QComboBox*>(e); combo && combo->lineEdit())
            return combo->lineEdit();
        return e;
    }
    void Digita(clsGriglia& g, const QString& s) {
        for (QChar ch : s) {
            const auto u = ch.toUpper().unicode();
            const Qt::Key k =
                u < 0x80 && ch.isLetterOrNumber() ? static_cast<Qt::Key>(u) : Qt::Key_unknown;
            QTest::sendKeyEvent(QTest::Click, Destinazione(g), k, QString(ch), Qt::NoModifier);
        }
    }
    void Tasto(clsGriglia& g, Qt::Key k) { QTest::keyClick(Destinazione(g), k); }
    // Types a text into a cell and presses Enter.
    void Immetti(clsGriglia& g, int r, int c, const QString& s) {
        g.setFocus();
        g.ImpostaCellaCorrente(r, c);
        Digita(g, s);
        Tasto(g, Qt::Key_Return);
    }
    QString Mostrato(clsGriglia& g, int r, int c) {
        return g.model()->index(r, c).data(Qt::DisplayRole).toString();
    }

    Suite mSuite;
    std::unique_ptr<frmDriver> mF;
};

// ---- marking

TEST_F(CampiTest, MarkingASelectionOnTheThirdLineFillsTheRowAndColoursTheText) {
    PaginaCampi& p = Pagina(true);
    EXPECT_FALSE(mF->mbChanged);

    // "10:15": column 10 of the third line, 5 characters, marked as the start time.
    Marca(true, PaginaCampi::RIGA_ORA_INIZIO, kTerzaRiga + 9, 5);
    // The first time format follows the 8 date formats (rows 1 to 8 of the list) and "Nessuno".
    EXPECT_EQ(RigaDi(1), (Riga{"1", "10", "5", "", "10", "False"}));
    EXPECT_EQ(G().RigaCorrente(), 1);
    EXPECT_EQ(G().ColonnaCorrente(), PaginaCampi::COL_FORMATO);
    EXPECT_TRUE(G().hasFocus());
    EXPECT_FALSE(p.chkCampo(1)->isChecked());
    EXPECT_TRUE(mF->mbChanged);
    EXPECT_TRUE(mF->ui()->mnuSalva->isEnabled());
    EXPECT_EQ(mUI.miCursore, 0);
    EXPECT_GE(mUI.miMaxCursore, 1);
    for (int k = 0; k < 5; ++k) EXPECT_EQ(ColoreCarattere(kTerzaRiga + 9 + k), QColor(255, 128, 0));
    EXPECT_EQ(ColoreCarattere(kTerzaRiga + 8), QColor(Qt::black));
    EXPECT_EQ(ColoreCarattere(kTerzaRiga + 14), QColor(Qt::black));

    // The date: first date format, current column Formato.
    Marca(true, PaginaCampi::RIGA_DATA, kTerzaRiga, 8);
    EXPECT_EQ(RigaDi(0), (Riga{"1", "1", "8", "", "1", "False"}));
    EXPECT_EQ(Mostrato(G(), 0, PaginaCampi::COL_FORMATO), QStringLiteral("gg/mm/aa"));
    EXPECT_EQ(ColoreCarattere(kTerzaRiga), QColor(255, 0, 0));

    // Any other field: left alignment, current column Allin.
    Marca(true, PaginaCampi::RIGA_DERIVATO, kTerzaRiga + 30, 3);
    EXPECT_EQ(RigaDi(5), (Riga{"1", "31", "3", "2", "", "False"}));
    EXPECT_EQ(Mostrato(G(), 5, PaginaCampi::COL_ALLIN), QStringLiteral("Sinistra"));
    EXPECT_EQ(Mostrato(G(), 5, PaginaCampi::COL_OPZ), QStringLiteral("No"));
    EXPECT_EQ(G().RigaCorrente(), 5);
    EXPECT_EQ(G().ColonnaCorrente(), PaginaCampi::COL_ALLIN);
    EXPECT_EQ(ColoreCarattere(kTerzaRiga + 30), QColor(0, 255, 255));

    // On the first line the column is the offset + 1; on the outgoing page Campo 1 is row 9.
    Marca(false, 9, 7, 6);
    EXPECT_EQ(RigaDi(9, false), (Riga{"1", "8", "6", "2", "", "False"}));
    EXPECT_EQ(ColoreCarattere(7), QColor(128, 128, 128));
    EXPECT_TRUE(mUI.mMessaggi.empty());
}

TEST_F(CampiTest, DurataSquilloTakesTheFirstFormatAndTheFormatColumn) {
    Marca(true, PaginaCampi::RIGA_DURATA_SQUILLO, kTerzaRiga + 33, 2);
    EXPECT_EQ(RigaDi(9), (Riga{"1", "34", "2", "", "1", "False"}));
    EXPECT_EQ(G().RigaCorrente(), 9);
    EXPECT_EQ(G().ColonnaCorrente(), PaginaCampi::COL_FORMATO);
    EXPECT_EQ(ColoreCarattere(kTerzaRiga + 33), QColor(128, 0, 128));
}

TEST_F(CampiTest, AClickWithoutSelectionOnlyUnchecksTheBox) {
    Seleziona(kTerzaRiga + 4, 0);
    const TabellaValori prima = T();
    ClicCasella(true, 6);
    EXPECT_FALSE(Pagina(true).chkCampo(6)->isChecked());
    EXPECT_EQ(T(), prima);
    EXPECT_FALSE(mF->mbChanged);
    EXPECT_EQ(mUI.miMaxCursore, 0);
    EXPECT_EQ(ColoreCarattere(kTerzaRiga + 4), QColor(Qt::black));
}

TEST_F(CampiTest, TheKeyboardReachesAndClicksTheBoxes) {
    PaginaCampi& p = Pagina(true);
    Seleziona(kTerzaRiga + 37, 10);
    p.chkCampo(0)->setFocus();
    for (int r = 1; r <= 8; ++r) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), p.chkCampo(8));
    QTest::keyClick(p.chkCampo(8), Qt::Key_Space);
    EXPECT_EQ(RigaDi(8), (Riga{"1", "38", "10", "2", "", "False"}));
    EXPECT_FALSE(p.chkCampo(8)->isChecked());
    // The marking hands the focus to the grid, which Tab leaves for the copy button.
    EXPECT_EQ(QApplication::focusWidget(), p.mpGriglia);
    p.chkCampo(p.Righe() - 1)->setFocus();
    QTest::keyClick(p.chkCampo(p.Righe() - 1), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), p.mpGriglia);
}

TEST_F(CampiTest, ASelectionBeyondTheColumnLimitsIsRefusedWithAMessage) {
    Rtf()->setPlainText(QString(2100, QLatin1Char('x')));
    Marca(true, 6, 2050, 4);
    EXPECT_EQ(RigaDi(6), Riga(6, ""));
    ASSERT_EQ(mUI.mMessaggi.size(), 1u);
    EXPECT_EQ(mUI.mMessaggi[0].titolo, QStringLiteral("Attenzione"));
    EXPECT_FALSE(mF->mbChanged);
    EXPECT_EQ(ColoreCarattere(2050), QColor(Qt::black));
}

// ---- time-field rule

TEST_F(CampiTest, TwoTimeFieldsDisableTheThirdBoxAndClearingOneEnablesItAgain) {
    PaginaCampi& p = Pagina(true);
    T().Cella(PaginaCampi::RIGA_DURATA, PaginaCampi::COL_OPZ) = PaginaCampi::OPZ_SI;
    Marca(true, PaginaCampi::RIGA_ORA_INIZIO, kTerzaRiga + 9, 5);
    for (int r = 1; r <= 3; ++r) EXPECT_TRUE(p.chkCampo(r)->isEnabled());
    // Opz. of a time field that is not defined is cleared.
    EXPECT_EQ(T().Cella(PaginaCampi::RIGA_DURATA, PaginaCampi::COL_OPZ), "");

    Marca(true, PaginaCampi::RIGA_ORA_FINE, kTerzaRiga + 15, 5);
    EXPECT_TRUE(p.chkCampo(1)->isEnabled());
    EXPECT_TRUE(p.chkCampo(2)->isEnabled());
    EXPECT_FALSE(p.chkCampo(3)->isEnabled());

    // Line, position and length of Ora fine emptied: its Formato still defines it.
    clsGriglia& g = G();
    g.setFocus();
    for (int c = PaginaCampi::COL_RIGA; c <= PaginaCampi::COL_LUNG; ++c) {
        g.ImpostaCellaCorrente(PaginaCampi::RIGA_ORA_FINE, c);
        Tasto(g, Qt::Key_Delete);
    }
    EXPECT_EQ(RigaDi(2), (Riga{"", "", "", "", "10", "False"}));
    EXPECT_FALSE(p.chkCampo(3)->isEnabled());
    // Delete on Formato leaves 0 (no format), which does not count.
    g.ImpostaCellaCorrente(PaginaCampi::RIGA_ORA_FINE, PaginaCampi::COL_FORMATO);
    Tasto(g, Qt::Key_Delete);
    EXPECT_EQ(RigaDi(2), (Riga{"", "", "", "", "0", ""}));
    for (int r = 1; r <= 3; ++r) EXPECT_TRUE(p.chkCampo(r)->isEnabled());

    // An alignment other than none counts.
    T().Cella(2, PaginaCampi::COL_ALLIN) = PaginaCampi::ALLIN_DESTRA;
    p.ControllaCampiOra();
    EXPECT_FALSE(p.chkCampo(3)->isEnabled());
    // The other page has its own rule.
    for (int r = 1; r <= 3; ++r) EXPECT_TRUE(Pagina(false).chkCampo(r)->isEnabled());
}

// ---- input rules

TEST_F(CampiTest, ARowWithADisabledBoxTakesNoInput) {
    PaginaCampi& p = Pagina(true);
    ScriviRiga(1, {"1", "10", "5", "", "10", "False"});
    ScriviRiga(2, {"1", "16", "5", "", "10", "False"});
    ScriviRiga(3, {"", "", "", "0", "0", ""});
    p.ControllaCampiOra();
    ASSERT_FALSE(p.chkCampo(3)->isEnabled());
    const Riga prima = RigaDi(3);

    clsGriglia& g = G();
    g.setFocus();
    g.ImpostaCellaCorrente(3, PaginaCampi::COL_RIGA);
    Digita(g, QStringLiteral("2"));
    EXPECT_EQ(Editor(g), nullptr);
    g.ImpostaCellaCorrente(3, PaginaCampi::COL_FORMATO);
    Tasto(g, Qt::Key_Delete);
    EXPECT_EQ(RigaDi(3), prima);
    // An editor opened with F2 offers no list and takes no characters.
    g.ImpostaCellaCorrente(3, PaginaCampi::COL_ALLIN);
    Tasto(g, Qt::Key_F2);
    ASSERT_NE(qobject_cast<QLineEdit*>(Editor(g)), nullptr);
    Digita(g, QStringLiteral("Destra"));
    Tasto(g, Qt::Key_Backspace);
    EXPECT_EQ(qobject_cast<QLineEdit*>(Editor(g))->text(), QString());
    Tasto(g, Qt::Key_Escape);
    EXPECT_EQ(RigaDi(3), prima);
    EXPECT_FALSE(mF->mbChanged);

    // The rows whose box is enabled take input.
    Immetti(g, 4, PaginaCampi::COL_RIGA, QStringLiteral("2"));
    EXPECT_EQ(T().Cella(4, PaginaCampi::COL_RIGA), "2");
    EXPECT_TRUE(mF->mbChanged);
}

TEST_F(CampiTest, OpzIsClosedToTheFieldsThatCannotBeOptional) {
    clsGriglia& g = G();
    g.setFocus();
    for (int r : {1, 2, 3, 5}) {
        g.ImpostaCellaCorrente(r, PaginaCampi::COL_OPZ);
        Digita(g, QStringLiteral("S"));
        EXPECT_EQ(Editor(g), nullptr) << r;
        Tasto(g, Qt::Key_F2);
        EXPECT_NE(qobject_cast<QLineEdit*>(Editor(g)), nullptr) << r;  // no list either
        Tasto(g, Qt::Key_Escape);
        EXPECT_EQ(T().Cella(r, PaginaCampi::COL_OPZ), "") << r;
    }
    // Elsewhere the list offers empty, "Sì" and "No"; typing picks by the text.
    g.ImpostaCellaCorrente(6, PaginaCampi::COL_OPZ);
    Digita(g, QStringLiteral("S"));
    auto* combo = qobject_cast<QComboBox*>(Editor(g));
    ASSERT_NE(combo, nullptr);
    ASSERT_EQ(combo->count(), 3);
    EXPECT_EQ(combo->itemText(1), QStringLiteral("S\u00EC"));
    Tasto(g, Qt::Key_Return);
    EXPECT_EQ(T().Cella(6, PaginaCampi::COL_OPZ), "True");
    EXPECT_EQ(Mostrato(g, 6, PaginaCampi::COL_OPZ), QStringLiteral("S\u00EC"));
    EXPECT_TRUE(mF->mbChanged);
}

TEST_F(CampiTest, TheFormatDropDownFollowsTheRow) {
    clsGriglia& g = G();
    g.setFocus();
    const auto scelte = [&](int r) {
        g.ImpostaCellaCorrente(r, PaginaCampi::COL_FORMATO);
        Tasto(g, Qt::Key_F2);
        QStringList testi;
        if (auto* combo = qobject_cast<QComboBox*>(Editor(g)))
            for (int i = 0; i < combo->count(); ++i) testi << combo->itemText(i);
        Tasto(g, Qt::Key_Escape);
        return testi;
    };
    EXPECT_EQ(scelte(0).size(), 9);
    EXPECT_EQ(scelte(0).value(1), QStringLiteral("gg/mm/aa"));
    for (int r : {1, 2, 3, 9}) EXPECT_EQ(scelte(r).value(2), QStringLiteral("hh:mm:ss")) << r;
    for (int r : {4, 5, 8, 10, 13}) EXPECT_EQ(scelte(r), QStringList{QStringLiteral("Nessuno")});
    // On the outgoing page row 9 is Campo 1.
    clsGriglia& u = G(false);
    u.setFocus();
    u.ImpostaCellaCorrente(9, PaginaCampi::COL_FORMATO);
    Tasto(u, Qt::Key_F2);
    auto* combo = qobject_cast<QComboBox*>(Editor(u));
    ASSERT_NE(combo, nullptr);
    ASSERT_EQ(combo->count(), 1);
    // "Nessuno" is stored as the number of rows of the date list.
    combo->setCurrentIndex(0);
    Tasto(u, Qt::Key_Return);
    EXPECT_EQ(T(false).Cella(9, PaginaCampi::COL_FORMATO), "9");
    EXPECT_EQ(Mostrato(u, 9, PaginaCampi::COL_FORMATO), QStringLiteral("Nessuno"));

    // Choosing a time format stores its code.
    Pagina(true);
    g.setFocus();
    g.ImpostaCellaCorrente(2, PaginaCampi::COL_FORMATO);
    Tasto(g, Qt::Key_F2);
    combo = qobject_cast<QComboBox*>(Editor(g));
    ASSERT_NE(combo, nullptr);
    combo->setCurrentIndex(2);
    Tasto(g, Qt::Key_Return);
    EXPECT_EQ(T().Cella(2, PaginaCampi::COL_FORMATO), "11");
    EXPECT_EQ(Mostrato(g, 2, PaginaCampi::COL_FORMATO), QStringLiteral("hh:mm:ss"));
}

// ---- value lists

TEST_F(CampiTest, ValuesOutsideAColumnsListAreRefused) {
    clsGriglia& g = G();
    Immetti(g, 6, PaginaCampi::COL_RIGA, QStringLiteral("11"));
    ASSERT_EQ(mUI.mMessaggi.size(), 1u);
    EXPECT_EQ(mUI.mMessaggi[0].testo,
              QStringLiteral("Valore non ammesso nella colonna \"Riga\": \"11\"."));
    EXPECT_EQ(mUI.mMessaggi[0].titolo, QStringLiteral("Attenzione"));
    EXPECT_NE(Editor(g), nullptr);  // the editor stays open with the refused text
    Tasto(g, Qt::Key_Escape);
    EXPECT_EQ(T().Cella(6, PaginaCampi::COL_RIGA), "");

    Immetti(g, 6, PaginaCampi::COL_POSIZ, QStringLiteral("2001"));
    ASSERT_EQ(mUI.mMessaggi.size(), 2u);
    EXPECT_TRUE(mUI.mMessaggi[1].testo.contains(QStringLiteral("\"Posiz.\"")));
    Tasto(g, Qt::Key_Escape);
    EXPECT_EQ(T().Cella(6, PaginaCampi::COL_POSIZ), "");
    EXPECT_FALSE(mF->mbChanged);

    Immetti(g, 6, PaginaCampi::COL_RIGA, QStringLiteral("10"));
    Immetti(g, 6, PaginaCampi::COL_POSIZ, QStringLiteral("2000"));
    Immetti(g, 6, PaginaCampi::COL_LUNG, QStringLiteral("501"));
    ASSERT_EQ(mUI.mMessaggi.size(), 3u);
    Tasto(g, Qt::Key_Escape);
    Immetti(g, 6, PaginaCampi::COL_LUNG, QStringLiteral("500"));
    Immetti(g, 6, PaginaCampi::COL_ALLIN, QStringLiteral("Destra"));
    EXPECT_EQ(RigaDi(6), (Riga{"10", "2000", "500", "1", "", ""}));
    EXPECT_EQ(mUI.mMessaggi.size(), 3u);
    EXPECT_TRUE(mF->mbChanged);
}

// ---- copy between the pages

TEST_F(CampiTest, CopyOutgoingMapsTheFreeFieldsAndKeepsWhatTheSourceLeavesEmpty) {
    ScriviRiga(0, {"1", "1", "8", "", "1", "False"}, false);
    ScriviRiga(9, {"2", "5", "3", "2", "", ""}, false);  // outgoing Campo 1
    ScriviRiga(12, {"", "40", "", "", "", ""}, false);   // outgoing Campo 4
    ScriviRiga(9, {"1", "50", "4", "", "1", "False"});   // incoming Durata squillo
    ScriviRiga(10, {"1", "9", "9", "1", "0", "True"});   // incoming Campo 1
    ScriviRiga(13, {"3", "1", "2", "1", "", "True"});    // incoming Campo 4
    const TabellaValori uscenti = T(false);

    Pagina(true).mpCmdCopia->click();
    EXPECT_EQ(Pagina(true).mpCmdCopia->objectName(), QStringLiteral("cmdCopyOutgoing"));
    EXPECT_EQ(RigaDi(0), (Riga{"1", "1", "8", "", "1", "False"}));
    EXPECT_EQ(RigaDi(9), (Riga{"1", "50", "4", "", "1", "False"}));
    EXPECT_EQ(RigaDi(10), (Riga{"2", "5", "3", "2", "0", "True"}));
    EXPECT_EQ(RigaDi(13), (Riga{"3", "40", "2", "1", "", "True"}));
    EXPECT_EQ(RigaDi(12), Riga(6, ""));
    EXPECT_EQ(T(false), uscenti);
    EXPECT_EQ(Mostrato(G(), 10, PaginaCampi::COL_ALLIN), QStringLiteral("Sinistra"));
    EXPECT_TRUE(mF->mbChanged);
}

TEST_F(CampiTest, CopyIncomingNeverTakesDurataSquillo) {
    ScriviRiga(5, {"1", "20", "3", "2", "", "False"});
    ScriviRiga(9, {"1", "50", "4", "", "1", "False"});  // Durata squillo
    ScriviRiga(10, {"2", "5", "3", "2", "", ""});       // Campo 1
    ScriviRiga(13, {"1", "60", "7", "1", "", "True"});  // Campo 4
    ScriviRiga(8, {"1", "30", "20", "", "", ""}, false);
    const TabellaValori entranti = T();

    PaginaCampi& u = Pagina(false);
    EXPECT_EQ(u.mpCmdCopia->objectName(), QStringLiteral("cmdCopyFromIncoming"));
    u.mpCmdCopia->click();
    EXPECT_EQ(RigaDi(5, false), (Riga{"1", "20", "3", "2", "", "False"}));
    EXPECT_EQ(RigaDi(8, false), (Riga{"1", "30", "20", "", "", ""}));
    EXPECT_EQ(RigaDi(9, false), (Riga{"2", "5", "3", "2", "", ""}));
    EXPECT_EQ(RigaDi(12, false), (Riga{"1", "60", "7", "1", "", "True"}));
    for (int r : {10, 11}) EXPECT_EQ(RigaDi(r, false), Riga(6, "")) << r;
    for (int r = 0; r < T(false).Righe(); ++r)
        EXPECT_NE(T(false).Cella(r, PaginaCampi::COL_POSIZ), "50") << r;
    EXPECT_EQ(T(), entranti);
}

TEST_F(CampiTest, CopyFromAnEmptyPageChangesNothing) {
    ScriviRiga(4, {"1", "40", "5", "1", "", "True"}, false);
    const TabellaValori uscenti = T(false);
    Pagina(false).cmdCopyFromIncoming_Click();
    EXPECT_EQ(T(false), uscenti);
    // Each handler belongs to its page only.
    Pagina(false).cmdCopyOutgoing_Click();
    EXPECT_EQ(T(false), uscenti);
}

// ---- isolated date

TEST_F(CampiTest, IsolatedDateDisablesTheDataBoxAndTakesTheListsAway) {
    for (bool entranti : {true, false}) {
        PaginaCampi& p = Pagina(entranti);
        clsGriglia& g = *p.mpGriglia;
        p.ImpostaDataIsolata(true);
        EXPECT_FALSE(p.chkCampo(0)->isEnabled());
        EXPECT_FALSE(g.Colonna(PaginaCampi::COL_ALLIN)->moLista.Combo());
        EXPECT_EQ(g.Colonna(PaginaCampi::COL_FORMATO)->mpDropDown, nullptr);
        EXPECT_FALSE(g.Colonna(PaginaCampi::COL_OPZ)->moLista.Combo());
        // The stored values are still shown as their texts.
        T(entranti).Cella(0, PaginaCampi::COL_FORMATO) = "2";
        g.Aggiorna();
        EXPECT_EQ(Mostrato(g, 0, PaginaCampi::COL_FORMATO), QStringLiteral("gg/mm/aaaa"));
        g.setFocus();
        g.ImpostaCellaCorrente(0, PaginaCampi::COL_RIGA);
        Digita(g, QStringLiteral("1"));
        EXPECT_EQ(Editor(g), nullptr);

        p.ImpostaDataIsolata(false);
        EXPECT_TRUE(p.chkCampo(0)->isEnabled());
        EXPECT_TRUE(g.Colonna(PaginaCampi::COL_ALLIN)->moLista.Combo());
        EXPECT_EQ(g.Colonna(PaginaCampi::COL_FORMATO)->mpDropDown, mF->drpFormatiData);
        EXPECT_TRUE(g.Colonna(PaginaCampi::COL_OPZ)->moLista.Combo());
    }
}

// ---- layout

TEST_F(CampiTest, BoxesCarryTheirCaptionsAndColoursAndLineUpWithTheRows) {
    struct Atteso {
        int r;
        const char* testo;
        QColor sfondo;
        QColor scritta;
    };
    const Atteso entranti[] = {
        {0, "Data", QColor(255, 0, 0), Qt::black},
        {2, "Ora fine", QColor(255, 255, 0), Qt::black},
        {4, "Scatti", QColor(0, 128, 0), Qt::black},
        {6, "Linea", QColor(0, 0, 255), Qt::white},
        {7, "Commessa", QColor(0, 0, 128), Qt::white},
        {8, "Numero", QColor(255, 0, 255), Qt::black},
        {9, "Durata squillo", QColor(128, 0, 128), Qt::white},
        {13, "Campo 4", QColor(128, 128, 128), Qt::black},
    };
    PaginaCampi& p = Pagina(true);
    ASSERT_EQ(p.Righe(), 14);
    for (const auto& a : entranti) {
        QCheckBox* chk = p.chkCampo(a.r);
        EXPECT_EQ(chk->objectName(), QStringLiteral("chkCampoEnt_%1").arg(a.r));
        EXPECT_EQ(chk->text(), QString::fromUtf8(a.testo));
        EXPECT_EQ(chk->palette().color(QPalette::Window), a.sfondo) << a.testo;
        EXPECT_EQ(chk->palette().color(QPalette::WindowText), a.scritta) << a.testo;
    }
    PaginaCampi& u = Pagina(false);
    ASSERT_EQ(u.Righe(), 13);
    EXPECT_EQ(u.chkCampo(9)->text(), QStringLiteral("Campo 1"));
    EXPECT_EQ(u.chkCampo(9)->objectName(), QStringLiteral("chkCampoUsc_9"));
    EXPECT_EQ(u.chkCampo(8)->palette().color(QPalette::Window), QColor(255, 0, 255));

    for (PaginaCampi* pagina : {&p, &u}) {
        pagina->mpViewPort->verticalScrollBar()->setValue(0);
        clsGriglia& g = *pagina->mpGriglia;
        QWidget* contenuto = pagina->mpViewPort->widget();
        QStringList titoli;
        for (int c = 0; c < g.Colonne(); ++c)
            titoli << g.model()->headerData(c, Qt::Horizontal).toString();
        EXPECT_EQ(titoli.join('|'), QStringLiteral("Riga|Posiz.|Lung.|Allin.|Formato|Opz."));
        QStringList intestazioni;
        for (QPushButton* b : pagina->mvIntestazioni) intestazioni << b->text();
        EXPECT_EQ(intestazioni.join('|'),
                  QStringLiteral("Campi|Riga|Posiz.|Lung.|Allineam.|Formato|Opz."));
        // Each column lies under its header button.
        for (int c = 0; c < g.Colonne(); ++c) {
            const QRect cella = g.visualRect(g.model()->index(0, c));
            const QPoint sinistra = g.viewport()->mapTo(contenuto, cella.topLeft());
            QPushButton* b = pagina->mvIntestazioni[static_cast<size_t>(c) + 1];
            EXPECT_EQ(sinistra.x(), b->mapTo(contenuto, QPoint(0, 0)).x()) << c;
            EXPECT_EQ(g.columnWidth(c), b->width()) << c;
        }
        // Each box stands beside its row, below the header.
        for (int r = 0; r < pagina->Righe(); ++r) {
            const QRect cella = g.visualRect(g.model()->index(r, 0));
            const QPoint alto = g.viewport()->mapTo(contenuto, cella.topLeft());
            EXPECT_EQ(pagina->chkCampo(r)->y(), alto.y()) << r;
            EXPECT_EQ(pagina->chkCampo(r)->height(), g.rowHeight(r)) << r;
            EXPECT_EQ(g.rowHeight(r), 20);
        }
        EXPECT_GE(pagina->chkCampo(0)->y(), pagina->mvIntestazioni[0]->height());
    }
}

TEST_F(CampiTest, TheViewPortScrollsByWholeRowsAndKeepsTheHeaderOnTop) {
    PaginaCampi& p = Pagina(true);
    p.mpViewPort->setMaximumHeight(150);
    QApplication::processEvents();
    QScrollBar* barra = p.mpViewPort->verticalScrollBar();
    ASSERT_GT(barra->maximum(), 0);
    EXPECT_EQ(barra->maximum() % 20, 0);
    barra->setValue(47);
    EXPECT_EQ(barra->value(), 40);
    EXPECT_EQ(p.mvIntestazioni[0]->mapTo(p.mpViewPort->viewport(), QPoint(0, 0)).y(), 0);
    // Row 2 starts right under the header.
    const QPoint riga2 = p.chkCampo(2)->mapTo(p.mpViewPort->viewport(), QPoint(0, 0));
    EXPECT_LE(std::abs(riga2.y() - p.mvIntestazioni[0]->height()), 1);

    // Moving to the last row brings it into view whole.
    p.mpGriglia->setFocus();
    p.mpGriglia->ImpostaCellaCorrente(13, 0);
    const QPoint fondo =
        p.chkCampo(13)->mapTo(p.mpViewPort->viewport(), QPoint(0, p.chkCampo(13)->height()));
    EXPECT_LE(fondo.y(), p.mpViewPort->viewport()->height());
    EXPECT_EQ(barra->value() % 20, 0);
    p.mpGriglia->ImpostaCellaCorrente(0, 0);
    EXPECT_EQ(barra->value(), 0);

    // A screenshot of the page with some fields, when asked for.
    const QByteArray cartella = qgetenv("TARNO_SCREENSHOTS");
    if (!cartella.isEmpty()) {
        p.mpViewPort->setMaximumHeight(QWIDGETSIZE_MAX);
        Marca(true, 0, kTerzaRiga, 8);
        Marca(true, 1, kTerzaRiga + 9, 5);
        Marca(true, 3, kTerzaRiga + 21, 8);
        Marca(true, 5, kTerzaRiga + 30, 3);
        Marca(true, 6, kTerzaRiga + 34, 2);
        Marca(true, 8, kTerzaRiga + 37, 10);
        QApplication::processEvents();
        QDir().mkpath(QString::fromLocal8Bit(cartella));
        mF->grab().save(QString::fromLocal8Bit(cartella) + "/entranti.png");
        Pagina(false).mpCmdCopia->click();
        Marca(false, 9, 0, 6);
        QApplication::processEvents();
        mF->grab().save(QString::fromLocal8Bit(cartella) + "/uscenti.png");
    }
}

}  // namespace
