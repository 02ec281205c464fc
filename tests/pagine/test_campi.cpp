// The "Entranti" and "Uscenti" pages: marking fields on the sample text, the time-field and
// isolated-date rules, pasting under the rules of typing, and the copy between the pages.

#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QVersionNumber>

#include "AiutiPagine.h"
#include "pagine/PaginaCampi.h"
#include "pagine/PaginaTrasformazioni.h"
#include "pagine/frmAbout.h"

using namespace tarno;
using namespace tarno::test;

namespace {

using P = PaginaCampi;
using namespace tarno::Campi;
using Riga = std::vector<std::string>;
// Three lines of a printout; the third one starts at offset 25.
const QString kCampione =
    QStringLiteral("INIZIO STAMPA\nCHIAMATA 2\n01/02/24 10:15 10:17 00:02:30 201 12 0123456789\n");
constexpr int kTerza = 25;
const Riga kVuota(6, "");

class PagineCampiTest : public FinestraDemo {
  protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(FinestraDemo::SetUp());
        mF->ui()->rtfTesto->setPlainText(kCampione);
    }
    P& Pagina(bool ent) {
        mF->ui()->tabDriver->setCurrentIndex(ent ? 3 : 4);
        QApplication::processEvents();
        return ent ? *PagEntranti() : *PagUscenti();
    }
    TabellaValori& T(bool ent = true) {
        return ent ? mF->Documento().mrgxEntranti : mF->Documento().mrgxUscenti;
    }
    Riga RigaDi(int r, bool ent = true) {
        Riga v;
        for (int c = 0; c <= COL_OPZ; ++c) v.push_back(T(ent).Cella(r, c));
        return v;
    }
    void ScriviRiga(int r, const Riga& v, bool ent = true) {
        for (size_t c = 0; c < v.size(); ++c) T(ent).Cella(r, int(c)) = v[c];
    }
    void Marca(bool ent, int r, int da, int lung) {
        Seleziona(mF->ui()->rtfTesto, da, da + lung);
        Pagina(ent).chkCampo(r)->click();
    }
};

TEST_F(PagineCampiTest, SelectedTextMarksTheFieldWhoseBoxIsClickedOrSpaced) {
    // page, Space (or a click), row, selection start and length; the row and current column.
    const std::tuple<bool, bool, int, int, int, Riga, int> casi[] = {
        // The start time takes the first time format, after 11 date formats and "Nessuno".
        {true, false, RIGA_ORA_INIZIO, kTerza + 9, 5, {"1", "10", "5", "", "13", "False"}, 4},
        {true, true, RIGA_DATA, kTerza, 8, {"1", "1", "8", "", "1", "False"}, 4},
        {true, false, RIGA_DERIVATO, kTerza + 30, 3, {"1", "31", "3", "2", "", "False"}, 3},
        {true, true, RIGA_DURATA_SQUILLO, kTerza + 33, 2, {"1", "34", "2", "", "1", "False"}, 4},
        // On the first line the column is the offset + 1; outgoing Campo 1 is row 9.
        {false, true, 9, 7, 6, {"1", "8", "6", "2", "", "False"}, 3},
        {true, false, 6, kTerza + 4, 0, kVuota, -1},  // no selection: nothing
    };
    for (const auto& [ent, spazio, riga, da, lung, attesa, colonna] : casi) {
        SCOPED_TRACE(riga);
        mF->Documento().SegnaSalvato();
        P& p = Pagina(ent);
        Seleziona(mF->ui()->rtfTesto, da, da + lung);
        QCheckBox* chk = p.chkCampo(riga);
        chk->setFocus();
        if (spazio)
            QTest::keyClick(chk, Qt::Key_Space);
        else
            QTest::mouseClick(chk, Qt::LeftButton, {}, QPoint(12, chk->height() / 2));
        EXPECT_EQ(RigaDi(riga, ent), attesa);
        EXPECT_FALSE(chk->isChecked());
        EXPECT_EQ(mF->Documento().NonSalvato(), colonna >= 0);
        if (colonna < 0) continue;
        EXPECT_EQ(std::pair(p.mpGriglia->RigaCorrente(), p.mpGriglia->ColonnaCorrente()),
                  std::pair(riga, colonna));
        EXPECT_TRUE(p.mpGriglia->hasFocus());
    }
}

TEST_F(PagineCampiTest, AFieldIsMarkedWithTheKeyboardAlone) {
    // Keys go where the focus is, as the user's do.
    const auto premi = [](Qt::Key k, Qt::KeyboardModifiers m = {}, int volte = 1) {
        for (int i = 0; i < volte; ++i) QTest::keyClick(QApplication::focusWidget(), k, m);
    };
    const auto fuoco = [] { return QApplication::focusWidget()->objectName(); };
    QTextEdit* rtf = mF->ui()->rtfTesto;
    P& p = *PagEntranti();
    mF->ui()->txtAutore->setFocus();
    // Shift+F6 reaches the sample view (F6 the preview first); Shift+arrows select the date of
    // the third line.
    premi(Qt::Key_F6, Qt::ShiftModifier);
    ASSERT_EQ(QApplication::focusWidget(), rtf);
    premi(Qt::Key_Down, {}, 2);
    premi(Qt::Key_Right, Qt::ShiftModifier, 8);
    // Tab to the tab bar, arrows to "Entranti", Tab to the first box, Space places the date.
    premi(Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), mF->ui()->tabDriver->tabBar());
    premi(Qt::Key_Right, {}, 3);
    EXPECT_EQ(mF->ui()->tabDriver->currentIndex(), 3);
    premi(Qt::Key_Tab);
    ASSERT_EQ(fuoco(), "chkCampoEnt_0");
    premi(Qt::Key_Space);
    EXPECT_EQ(RigaDi(RIGA_DATA), Riga({"1", "1", "8", "", "1", "False"}));
    // Shift+F6 there and F6 back; Ctrl+M on the grid's row places the start time.
    premi(Qt::Key_F6, Qt::ShiftModifier);
    ASSERT_EQ(QApplication::focusWidget(), rtf);
    premi(Qt::Key_Home);
    premi(Qt::Key_Right, {}, 9);
    premi(Qt::Key_Right, Qt::ShiftModifier, 5);
    premi(Qt::Key_F6);
    ASSERT_EQ(QApplication::focusWidget(), p.mpGriglia);
    premi(Qt::Key_Down);
    premi(Qt::Key_M, Qt::ControlModifier);
    EXPECT_EQ(RigaDi(RIGA_ORA_INIZIO), Riga({"1", "10", "5", "", "13", "False"}));
    // Tab leaves the grid at its last cell, Shift+Tab at its first.
    p.mpGriglia->ImpostaCellaCorrente(p.Righe() - 1, COL_CIFRE);
    premi(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), p.mpCmdCopia);
    premi(Qt::Key_Tab, Qt::ShiftModifier);
    p.mpGriglia->ImpostaCellaCorrente(0, COL_RIGA);
    premi(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(fuoco(), QStringLiteral("chkCampoEnt_%1").arg(p.Righe() - 1));
    // Shift+arrows select both rows, one Delete empties them: one change.
    QSignalSpy cambi(p.mpGriglia, &clsGriglia::CelleCambiate);
    mF->Documento().SegnaSalvato();
    p.mpGriglia->setFocus();
    p.mpGriglia->ImpostaCellaCorrente(0, COL_RIGA);
    premi(Qt::Key_Right, Qt::ShiftModifier, COL_OPZ);
    premi(Qt::Key_Down, Qt::ShiftModifier);
    premi(Qt::Key_Delete);
    for (int r : {RIGA_DATA, RIGA_ORA_INIZIO})
        EXPECT_EQ(RigaDi(r), Riga({"", "", "", "0", "0", ""})) << r;
    EXPECT_EQ(std::pair(int(cambi.count()), mF->Documento().NonSalvato()), std::pair(1, true));
    EXPECT_TRUE(Testi().isEmpty()) << Testi().join('|').toStdString();
}

TEST_F(PagineCampiTest, AtMostTwoOfStartEndAndDurationMayBeDefined) {
    P& p = Pagina(true);
    // Start and end marked: the duration's box goes off and its Opz. is cleared.
    ScriviRiga(RIGA_DURATA, {"", "", "", "", "", "True"});
    Marca(true, RIGA_ORA_INIZIO, kTerza + 9, 5);
    Marca(true, RIGA_ORA_FINE, kTerza + 15, 5);
    EXPECT_FALSE(p.chkCampo(RIGA_DURATA)->isEnabled());
    EXPECT_EQ(RigaDi(RIGA_DURATA), kVuota);
    // The marked text stands on its box's colour in the box's text colour, readable as the box.
    QTextCursor marcato(mF->ui()->rtfTesto->document());
    marcato.setPosition(kTerza + 16);
    const QPalette box = p.chkCampo(RIGA_ORA_FINE)->palette();
    EXPECT_EQ(std::pair(marcato.charFormat().background().color(),
                        marcato.charFormat().foreground().color()),
              std::pair(box.color(QPalette::Window), box.color(QPalette::WindowText)));

    const Riga piena{"1", "10", "5", "", "13", "False"};
    // Ora fine and Durata; whether the boxes of start, end and duration are enabled.
    const std::tuple<const char*, Riga, Riga, std::vector<bool>> casi[] = {
        {"start and end", piena, kVuota, {true, true, false}},
        {"start and duration", kVuota, piena, {true, false, true}},
        {"end by its format alone", {"", "", "", "", "13", ""}, kVuota, {true, true, false}},
        {"format 0 is none", {"", "", "", "", "0", ""}, kVuota, {true, true, true}},
        {"an alignment counts", {"", "", "", "1", "", ""}, kVuota, {true, true, false}},
        {"start alone", kVuota, kVuota, {true, true, true}},
    };
    for (const auto& [nome, fine, durata, abilitate] : casi) {
        SCOPED_TRACE(nome);
        ScriviRiga(RIGA_ORA_INIZIO, piena);
        ScriviRiga(RIGA_ORA_FINE, fine);
        ScriviRiga(RIGA_DURATA, durata);
        p.ControllaCampiOra();
        for (int i = 0; i < 3; ++i) EXPECT_EQ(p.chkCampo(1 + i)->isEnabled(), abilitate[i]) << i;
    }
}

TEST_F(PagineCampiTest, PastingObeysTheRulesOfTyping) {
    P& p = Pagina(true);
    clsGriglia& g = *p.mpGriglia;
    Marca(true, RIGA_ORA_INIZIO, kTerza + 9, 5);
    Marca(true, RIGA_ORA_FINE, kTerza + 15, 5);
    // Row, column, how it is pasted (Ctrl+V, Shift+Insert, the editor's menu), what; whether the
    // cell takes it. Durata's box is disabled; only a text field keeps only its digits.
    const std::tuple<int, int, int, const char*, bool> casi[] = {
        {RIGA_DURATA, COL_POSIZ, 0, "12", false},        {RIGA_DURATA, COL_LUNG, 1, "3", false},
        {RIGA_DURATA, COL_RIGA, 2, "1", false},          {RIGA_SCATTI, COL_POSIZ, 0, "12", true},
        {RIGA_SCATTI, COL_CIFRE, 2, "S\xC3\xAC", false},
    };
    for (const auto& [r, c, modo, testo, preso] : casi) {
        SCOPED_TRACE(std::to_string(r) + "," + std::to_string(c));
        const std::string prima = T().Cella(r, c);
        QApplication::clipboard()->setText(QString::fromUtf8(testo));
        g.setFocus();
        g.ImpostaCellaCorrente(r, c);
        Tasto(g, Qt::Key_F2);
        auto* e = qobject_cast<QLineEdit*>(EditorCella(g));
        ASSERT_NE(e, nullptr);
        e->selectAll();
        if (modo == 0)  // with the control character the keyboard gives it
            QTest::sendKeyEvent(QTest::Click, e, Qt::Key_V, QString(QChar(0x16)),
                                Qt::ControlModifier);
        if (modo == 1) Tasto(g, Qt::Key_Insert, Qt::ShiftModifier);
        if (modo == 2) e->paste();  // what the menu's "Paste" does
        Tasto(g, Qt::Key_Return);
        EXPECT_EQ(T().Cella(r, c), preso ? std::string(testo) : prima);
    }
    EXPECT_FALSE(p.chkCampo(RIGA_DURATA)->isEnabled());
    // The refused cell says why.
    EXPECT_TRUE(g.toolTip().contains(QStringLiteral("testo"))) << g.toolTip().toStdString();
    EXPECT_TRUE(Testi().isEmpty()) << Testi().join('|').toStdString();
}

TEST_F(PagineCampiTest, TheDateOnALineOfItsOwnTakesTheDateRowFromItsCondition) {
    clsCondizione c;
    c.menOperatore = clsCondizione::DATA_ISOLATA, c.miRiga = 1, c.miInizio = 3, c.miLunghezza = 8;
    c.miFormato = 2;
    // "Sì"/"No" chosen on the Trasformazioni page, a date-line condition; row 0 of both pages.
    const std::tuple<const char*, bool, Riga> casi[] = {
        {"S\xEC", true, {"1", "3", "8", "", "2", ""}},
        {"No", true, kVuota},
        {"S\xEC", false, kVuota}};
    for (const auto& [presente, condizione, data] : casi) {
        SCOPED_TRACE(std::string(presente) + (condizione ? " with condition" : ""));
        mF->Documento().moDriver = std::make_unique<clsDriver>();
        if (condizione) mF->Documento().moDriver->mcolDataIsolata.emplace().Add(c, "0");
        for (bool ent : {true, false}) ScriviRiga(0, kVuota, ent);
        ASSERT_TRUE(
            Scegli(*PagTrasf()->grdTrasf, Trasf::DATA_ISOLATA, 1, QString::fromLatin1(presente)));
        const bool isolata = presente[0] == 'S';
        for (bool ent : {true, false}) {
            P& p = Pagina(ent);
            EXPECT_EQ(RigaDi(0, ent), data);
            EXPECT_EQ(p.chkCampo(RIGA_DATA)->isEnabled(), !isolata);
            // The lists of Allin., Formato and Opz. go while the date stands alone.
            EXPECT_EQ(p.mpGriglia->Colonna(COL_ALLIN)->moLista.Combo(), !isolata);
            EXPECT_EQ(p.mpGriglia->Colonna(COL_FORMATO)->mpDropDown,
                      isolata ? nullptr : mF->drpFormatiData);
        }
    }
}

TEST_F(PagineCampiTest, CopyTakesTheOtherPagesFieldsButNeverTheRingingTime) {
    ScriviRiga(9, {"2", "5", "3", "2", "", ""}, false);  // outgoing Campo 1
    ScriviRiga(12, {"", "40", "", "", "", ""}, false);   // outgoing Campo 4
    ScriviRiga(9, {"1", "50", "4", "", "1", "False"});   // incoming Durata squillo
    ScriviRiga(13, {"3", "1", "2", "1", "", "True"});    // incoming Campo 4
    const TabellaValori uscenti = T(false), prima = T();
    // Over fields the page holds the copy asks first: No leaves the page as it was.
    mUI.Reimposta();
    Pagina(true).mpCmdCopia->click();
    ASSERT_EQ(mUI.mMessaggi.size(), 1u);
    EXPECT_EQ(mUI.mMessaggi[0].pulsanti, PulsantiUI::SiNo);
    EXPECT_EQ(T(), prima);
    mUI.mRisposte = {RispostaUI::Si, RispostaUI::Si};
    Pagina(true).mpCmdCopia->click();
    EXPECT_EQ(RigaDi(9), (Riga{"1", "50", "4", "", "1", "False"}));
    EXPECT_EQ(RigaDi(10), (Riga{"2", "5", "3", "2", "", ""}));
    EXPECT_EQ(RigaDi(13), (Riga{"3", "40", "2", "1", "", "True"}));  // empty cells keep theirs
    EXPECT_EQ(T(false), uscenti);
    EXPECT_TRUE(mF->Documento().NonSalvato());

    ScriviRiga(5, {"1", "20", "3", "2", "", "False"});
    const TabellaValori entranti = T();
    Pagina(false).mpCmdCopia->click();
    EXPECT_EQ(RigaDi(5, false), (Riga{"1", "20", "3", "2", "", "False"}));
    EXPECT_EQ(RigaDi(9, false), (Riga{"2", "5", "3", "2", "", ""}));
    EXPECT_EQ(RigaDi(12, false), (Riga{"3", "40", "2", "1", "", "True"}));
    for (int r = 0; r < T(false).Righe(); ++r) EXPECT_NE(T(false).Cella(r, COL_POSIZ), "50");
    EXPECT_EQ(T(), entranti);
}

TEST_F(PagineCampiTest, MarkingOnASampleOfTwoLineCalls) {
    mF->FileApri(Driver(QStringLiteral("SiemensHiPath.drv")));
    mF->LeggiDati(Demo("Dati/SiemensHiPath.txt"));
    QTextEdit* rtf = mF->ui()->rtfTesto;
    // "IN  09:11:00 ..." and "TRF 021657788", the two lines of the first incoming call.
    const int in = rtf->document()->findBlockByNumber(4).position();
    const int trf = rtf->document()->findBlockByNumber(5).position();
    const auto selezione = [&] {
        const QTextCursor c = rtf->textCursor();
        return std::pair(c.selectionStart(), c.selectionEnd());
    };
    // A drag that starts inside the selection selects anew (the text is not dragged).
    Seleziona(rtf, in + 4, in + 12);
    const auto punto = [&](int pos) {
        QTextCursor c(rtf->document());
        c.setPosition(pos);
        return rtf->cursorRect(c).center();
    };
    QTest::mousePress(rtf->viewport(), Qt::LeftButton, {}, punto(in + 6));
    QMouseEvent muovi(QEvent::MouseMove, punto(in + 10),
                      rtf->viewport()->mapToGlobal(punto(in + 10)), Qt::NoButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(rtf->viewport(), &muovi);
    QTest::mouseRelease(rtf->viewport(), Qt::LeftButton, {}, punto(in + 10));
    EXPECT_EQ(selezione(), std::pair(in + 6, in + 10));
    // Going from page to page leaves the selection as it is.
    Seleziona(rtf, in + 4, in + 12);
    Pagina(false);
    Pagina(true);
    EXPECT_EQ(selezione(), std::pair(in + 4, in + 12));

    // The start time on the call's first line gets the format that reads it, marked anew
    // too; the number on its second line gets Riga 2.
    Marca(true, RIGA_ORA_INIZIO, in + 4, 8);
    EXPECT_EQ(RigaDi(RIGA_ORA_INIZIO), (Riga{"1", "5", "8", "0", "14", "False"}));
    T().Cella(RIGA_ORA_INIZIO, COL_FORMATO) = "16";
    Marca(true, RIGA_ORA_INIZIO, in + 4, 8);
    EXPECT_EQ(T().Cella(RIGA_ORA_INIZIO, COL_FORMATO), "14");
    Marca(true, 8, trf + 4, 9);
    EXPECT_EQ(RigaDi(8), (Riga{"2", "5", "9", "2", "", "False"}));

    // The copy buttons say which way they copy.
    EXPECT_TRUE(PagEntranti()->mpCmdCopia->toolTip().endsWith(QStringLiteral("pagina Uscenti")));
    EXPECT_TRUE(PagUscenti()->mpCmdCopia->toolTip().endsWith(QStringLiteral("pagina Entranti")));
    EXPECT_EQ(PagUscenti()->mpCmdCopia->statusTip(), PagUscenti()->mpCmdCopia->toolTip());
}

// A time field no catalogue format reads on its calls is offered, with one question, the common
// format that reads it: on a yes the catalogue gains it and the cell takes its code (marked
// again, the field takes it with no question); on a no the cell keeps the catalogue's first
// time format.
TEST_F(PagineCampiTest, MarkingOffersAFormatTheCatalogueLacks) {
    // The printout's durations (00:03'12) and ringing times (0'05) kept as printed.
    std::string drv = Byte(QStringLiteral(TARNO_CASI_DIR "/demo-panasonic-tda/driver.drv"));
    const std::string sep(1, '\xB7');
    const size_t azione = drv.find(sep + "47,13,1" + sep);
    ASSERT_NE(azione, std::string::npos);
    drv.replace(azione, 9, sep + "1,1,1" + sep);
    const QString file = Driver(QStringLiteral("apici.drv"));
    prova::ScriviFile(file.toStdString(), drv);
    mF->FileApri(file);
    mF->LeggiDati(QStringLiteral(TARNO_CASI_DIR "/demo-panasonic-tda/stampa.txt"));
    const auto codice = [&](const char* formato) {
        const TabellaValori& f = mF->mrgxFormatiOra;
        for (int r = 1; r < f.Righe(); ++r)
            if (f.Cella(r, 0) == formato) return f.Cella(r, 1);
        return std::string("assente");
    };
    const std::string primo = mF->mrgxFormatiOra.Cella(1, 1);
    // The first incoming call's line.
    const int riga = mF->ui()->rtfTesto->document()->findBlockByNumber(2).position();
    const struct {
        int r, colonna, lunghezza;
        std::vector<RispostaUI> risposte;  // one per question
        const char* formato;
    } casi[] = {
        {RIGA_DURATA, 52, 8, {RispostaUI::No}, nullptr},
        {RIGA_DURATA, 52, 8, {RispostaUI::Si}, "hh:mm'ss"},
        {RIGA_DURATA_SQUILLO, 47, 4, {RispostaUI::Si}, "m'ss"},
        {RIGA_DURATA_SQUILLO, 47, 4, {}, "m'ss"},  // now in the catalogue: no question
    };
    for (const auto& c : casi) {
        mUI.Reimposta();
        mUI.mRisposte.assign(c.risposte.begin(), c.risposte.end());
        Marca(true, c.r, riga + c.colonna - 1, c.lunghezza);
        EXPECT_EQ(mUI.mMessaggi.size(), c.risposte.size()) << Testi().join('|').toStdString();
        EXPECT_EQ(T().Cella(c.r, COL_FORMATO), c.formato ? codice(c.formato) : primo) << c.r;
    }
}

TEST(About, TheProgramsOfThisInstallationShowTheirVersion) {
    frmAbout a;
    const QString v = QVersionNumber::fromString(QApplication::applicationVersion()).toString();
    QStringList testi;
    for (const char* n : {"lblVer1", "lblVer2", "lblVer3"})
        testi << a.findChild<QLabel*>(QString::fromLatin1(n))->text();
    EXPECT_EQ(testi, QStringList({"Tarno Driver " + v, "Tarno Miner " + v,
                                  QStringLiteral("Tarno Report: non installato")}));
}

}  // namespace
