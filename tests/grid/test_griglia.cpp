// The grid component: its table model under QAbstractItemModelTester and its input rules, and
// the widget driven by keys and clicks (offscreen) over value tables held by the test.

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <memory>

#include "grid/clsGriglia.h"

using namespace tarno;

namespace {

clsListaValori Allineamento(bool combo = false) {
    clsListaValori l;
    for (auto [v, t] : {std::pair{"0", ""}, std::pair{"2", "Sinistra"}, std::pair{"1", "Destra"}})
        l.Aggiungi(v, t);
    l.ImpostaLimita(true);
    l.ImpostaCombo(combo);
    return l;
}

// What QAbstractItemModelTester finds (it warns under the category qt.modeltest).
QStringList gAvvisi;
void Raccogli(QtMsgType t, const QMessageLogContext& c, const QString& s) {
    if (t != QtDebugMsg && c.category && QByteArray(c.category) == "qt.modeltest") gAvvisi << s;
}

TEST(ModelloGriglia, ResistsTheModelTesterThroughEveryChangeOfShape) {
    gAvvisi.clear();
    const QtMessageHandler prima = qInstallMessageHandler(Raccogli);
    TabellaValori rgx(3, 2);
    clsModelloGriglia m;
    QAbstractItemModelTester tester(&m, QAbstractItemModelTester::FailureReportingMode::Warning);
    m.Associa(&rgx);
    for (const char* t : {"Uno", "Due", "Tre"}) m.AggiungiColonna(t);
    m.ImpostaRigaInserimento(true);
    EXPECT_TRUE(m.setData(m.index(3, 1), "nuovo"));  // the entry row appends a row
    EXPECT_EQ(m.rowCount(), 5);
    EXPECT_TRUE(m.InserisciRiga(0) && m.EliminaRiga(0));
    EXPECT_FALSE(m.EliminaRiga(4));  // the entry row is no table row
    rgx.Dimensiona(1, 2);
    m.Aggiorna();  // a changed shape rebinds
    EXPECT_EQ(m.rowCount(), 2);
    // Shrunk behind the model's back: nothing read or written out of range until a rebind.
    rgx.Dimensiona(1, 1);
    EXPECT_EQ(m.data(m.index(0, 1)).toString(), QString());
    EXPECT_FALSE(m.setData(m.index(0, 1), "x"));
    m.RiAssocia();
    m.Associa(nullptr);
    qInstallMessageHandler(prima);
    EXPECT_TRUE(gAvvisi.isEmpty()) << gAvvisi.join('\n').toStdString();
}

TEST(ModelloGriglia, EachColumnTakesWhatItsRulesAllowAndRefusesTheRestWithAMessage) {
    TabellaValori formati(3, 2);  // as the catalogue fills them: row 0 empty, then text and code
    formati.Cella(1, 0) = "gg/mm/aa", formati.Cella(1, 1) = "101";
    formati.Cella(2, 0) = "aaaa-mm-gg", formati.Cella(2, 1) = "102";
    clsDropDown drp;
    drp.Associa(&formati, 0, 1);
    clsListaValori righe, libera = Allineamento();
    righe.AggiungiIntervallo(1, 10);
    righe.ImpostaLimita(true);
    libera.ImpostaLimita(false);
    TabellaValori rgx(1, 6);
    clsModelloGriglia m;
    m.Associa(&rgx);
    for (const char* t : {"Allin.", "Riga", "Valore", "Formato", "Libera", "Opzione"})
        m.AggiungiColonna(t);
    m.Colonna(0)->moLista = Allineamento();
    m.Colonna(1)->moLista = righe;
    m.Colonna(3)->mpDropDown = &drp;
    m.Colonna(4)->moLista = libera;
    m.Colonna(5)->mbSolaLettura = true;
    QSignalSpy rifiuti(&m, &clsModelloGriglia::TestoRifiutato);
    // column, UTF-8 text, the stored Windows-1252 value (nullptr: refused), the message
    const std::tuple<int, const char*, const char*, const char*> casi[] = {
        {0, "destra", "1", ""},  // letter case ignored
        {0, "", "0", ""},        // the empty text is the item ""
        {0, "Centro", nullptr, "Valore non ammesso nella colonna \"Allin.\": \"Centro\"."},
        {1, "10", "10", ""},
        {1, "", "", ""},  // a range always takes empty
        {1, "11", nullptr,
         "Valore non ammesso nella colonna \"Riga\": \"11\". Valori ammessi: da 1 a 10, oppure "
         "la cella vuota."},
        {1, "0", nullptr, "Valore non ammesso nella colonna \"Riga\": \"0\"."},
        {2, "perché € ·", "perch\xE9 \x80 \xB7", ""},
        {2, "5 Ω", nullptr, "Sono ammessi solo i caratteri della codifica Windows-1252"},
        {3, "GG/MM/AA", "101", ""},   // the text of a drop-down entry
        {4, "Centro", "Centro", ""},  // an unrestricting list stores other text as typed
        {5, "x", nullptr, nullptr},   // read-only
    };
    for (const auto& [c, testo, valore, messaggio] : casi) {
        SCOPED_TRACE(testo);
        const std::string prima = rgx.Cella(0, c);
        const int n = rifiuti.count();
        EXPECT_EQ(m.setData(m.index(0, c), QString::fromUtf8(testo)), valore != nullptr);
        EXPECT_EQ(rgx.Cella(0, c), valore ? valore : prima);
        if (valore || !messaggio) continue;
        ASSERT_EQ(rifiuti.count(), n + 1);
        EXPECT_TRUE(rifiuti.last().at(0).toString().contains(QString::fromUtf8(messaggio)))
            << rifiuti.last().at(0).toString().toStdString();
    }
    // Stored values are shown as their texts.
    rgx.Cella(0, 0) = "2", rgx.Cella(0, 2) = "citt\xE0 \xB7", rgx.Cella(0, 3) = "102";
    EXPECT_EQ(m.data(m.index(0, 0)).toString() + "|" + m.data(m.index(0, 2)).toString() + "|" +
                  m.data(m.index(0, 3)).toString(),
              QStringLiteral("Sinistra|città ·|aaaa-mm-gg"));
}

class Griglia : public ::testing::Test {
  protected:
    void SetUp() override {
        mG.resize(520, 300);
        mG.show();
        QApplication::setActiveWindow(&mG);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&mG));
        mG.setFocus();
    }
    // The open cell editor, or nullptr.
    QWidget* Editor() {
        for (auto* w : mG.viewport()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (w->isVisible() && w->objectName().endsWith("CellaGriglia")) return w;
        return nullptr;
    }
    QComboBox* Combo() { return qobject_cast<QComboBox*>(Editor()); }
    // Key by key into the editor (or the grid, where the first key opens it).
    void Digita(const QString& s) {
        for (QChar ch : s)
            QTest::sendKeyEvent(
                QTest::Click, Editor() ? Editor() : &mG,
                ch.unicode() < 0x80 ? Qt::Key(ch.toUpper().unicode()) : Qt::Key_unknown,
                QString(ch), Qt::NoModifier);
    }
    void Tasto(Qt::Key k, Qt::KeyboardModifiers m = {}) {
        QTest::keyClick(Editor() ? Editor() : &mG, k, m);
    }
    void Clic(QWidget* w, QPoint p) { QTest::mouseClick(w, Qt::LeftButton, {}, p); }
    clsGriglia mG;
};

TEST_F(Griglia, ARefusedTextIsToldOnceAndKeepsTheEditorOpenUntilEscape) {
    TabellaValori rgx(2, 1);
    rgx.Cella(0, 0) = "1";
    mG.AggiungiColonna("Allin.");
    mG.ImpostaListaValori(0, Allineamento());
    mG.Associa(&rgx);
    // Each refusal told as a message box tells it: a modal window takes the focus a while.
    QStringList detti;
    QObject::connect(&mG, &clsGriglia::TestoRifiutato, [&](const QString& m) {
        detti << m;
        QDialog box(&mG);
        QMetaObject::invokeMethod(&box, &QDialog::accept, Qt::QueuedConnection);
        box.exec();
        QApplication::setActiveWindow(&mG);  // as the window manager does after it
    });
    QSignalSpy cambi(&mG, &clsGriglia::CellaCambiata);
    const auto clic = [&](int r) {
        Clic(mG.viewport(), mG.visualRect(mG.model()->index(r, 0)).center());
    };
    mG.ImpostaCellaCorrente(0, 0);
    Digita("Centro");
    for (Qt::Key k : {Qt::Key_Return, Qt::Key_Tab}) {  // neither lets it through
        Tasto(k);
        ASSERT_NE(qobject_cast<QLineEdit*>(Editor()), nullptr);
        EXPECT_EQ(qobject_cast<QLineEdit*>(Editor())->text(), "Centro");
        EXPECT_EQ(QApplication::focusWidget(), Editor());
    }
    EXPECT_EQ(detti.size(), 2);
    EXPECT_EQ(detti.value(0),
              "Valore non ammesso nella colonna \"Allin.\": \"Centro\". Valori "
              "ammessi: Sinistra, Destra, oppure la cella vuota.");
    clic(1);  // told already: the cell keeps its value, silently
    Digita("Centro");
    Tasto(Qt::Key_Escape);
    EXPECT_EQ(Editor(), nullptr);
    Digita("Centro");
    clic(0);  // a click away refuses it too, and moves on
    EXPECT_EQ(std::tuple(detti.size(), cambi.count(), mG.RigaCorrente(), rgx.Cella(0, 0)),
              std::tuple(3, 0, 0, std::string("1")));
}

TEST_F(Griglia, ListsAndDropDownsStoreTheCodeAndTabNeverPopsAList) {
    TabellaValori rgx(2, 3), data(2, 2), ora(3, 2);
    data.Cella(1, 0) = "gg/mm/aa", data.Cella(1, 1) = "101";
    ora.Cella(1, 0) = "hh:mm:ss", ora.Cella(1, 1) = "202";
    ora.Cella(2, 0) = "hh:mm", ora.Cella(2, 1) = "201";
    clsDropDown drpData, drpOra;
    drpData.Associa(&data, 0, 1);
    drpOra.Associa(&ora, 0, 1);
    for (const char* t : {"A", "Allin.", "Formato"}) mG.AggiungiColonna(t);
    mG.ImpostaListaValori(1, Allineamento(true));
    mG.ImpostaDropDown(2, &drpData);
    clsListaValori codici;  // as the field grids limit their formats to the catalogue's
    for (auto [v, t] :
         {std::pair{"0", ""}, {"101", "gg/mm/aa"}, {"202", "hh:mm:ss"}, {"201", "hh:mm"}})
        codici.Aggiungi(v, t);
    codici.ImpostaLimita(true);
    mG.ImpostaListaValori(2, codici);
    mG.Associa(&rgx);
    // The owner chooses the drop-down by row, as the field grids do.
    QObject::connect(&mG, &clsGriglia::DropDownApertura,
                     [&](int c) { mG.ImpostaDropDown(c, mG.RigaCorrente() ? &drpOra : &drpData); });
    mG.ImpostaCellaCorrente(0, 0);
    Digita("x");
    Tasto(Qt::Key_Tab);  // into the combo cell: its editor opens, its list does not
    QApplication::processEvents();
    ASSERT_NE(Combo(), nullptr);
    EXPECT_FALSE(Combo()->view()->isVisible() || Combo()->isEditable());
    Tasto(Qt::Key_Down);
    Tasto(Qt::Key_Return);
    EXPECT_EQ(rgx.Cella(0, 0) + rgx.Cella(0, 1), "x2");
    for (int r : {0, 1}) {
        mG.ImpostaCellaCorrente(r, 2);
        Tasto(Qt::Key_F2);
        ASSERT_TRUE(Combo() && Combo()->count() == 2 + r);
        Combo()->setCurrentIndex(1);
        Tasto(Qt::Key_Return);
    }
    EXPECT_EQ(rgx.Cella(0, 2) + rgx.Cella(1, 2), "101202");
    // A typed format is taken as typed, never as a longer entry that starts the same; a text no
    // entry has is refused with the entries.
    QStringList detti;
    QObject::connect(&mG, &clsGriglia::TestoRifiutato, [&](const QString& m) { detti << m; });
    for (const char* testo : {"hh:mm", "hh"}) {
        mG.ImpostaCellaCorrente(1, 2);
        Tasto(Qt::Key_F2);
        ASSERT_TRUE(Combo() && Combo()->isEditable());
        Combo()->lineEdit()->clear();
        Digita(testo);
        Tasto(Qt::Key_Return);
        if (Editor()) Tasto(Qt::Key_Escape);
    }
    EXPECT_EQ(rgx.Cella(1, 2), "201");
    ASSERT_EQ(detti.size(), 1);
    EXPECT_TRUE(detti[0].contains("\"hh\". Valori ammessi: gg/mm/aa, hh:mm:ss, hh:mm"))
        << detti[0].toStdString();
}

TEST_F(Griglia, TheEntryRowAppendsAndRowsGoOnlyWhenAllowed) {
    TabellaValori rgx(0, 1);
    mG.AggiungiColonna("Parametro");
    mG.ImpostaRigaInserimento(true);
    mG.ImpostaSelettoriRiga(true);
    mG.Associa(&rgx);
    mG.ImpostaCellaCorrente(0, 0);
    // The entry row's editor opened and confirmed without typing adds no row.
    Tasto(Qt::Key_F2);
    ASSERT_TRUE(Editor());
    Tasto(Qt::Key_Return);
    EXPECT_EQ(rgx.Righe(), 0);
    for (const char* v : {"a", "b", "c"}) {
        Digita(v);
        Tasto(Qt::Key_Return);
        Tasto(Qt::Key_Down);
    }
    mG.ImpostaCellaCorrente(1, 0);
    Tasto(Qt::Key_Delete, Qt::ControlModifier);  // not allowed: nothing
    Tasto(Qt::Key_Delete);                       // empties the cell
    EXPECT_EQ(std::pair(rgx.Righe(), rgx.Cella(1, 0)), std::pair(3, std::string()));
    mG.ImpostaEliminazioneRighe(true);
    Tasto(Qt::Key_Delete, Qt::ControlModifier);
    auto* h = mG.verticalHeader();  // a click on a row header selects the row, Delete deletes it
    Clic(h->viewport(), QPoint(h->width() / 2, h->sectionViewportPosition(0) + 5));
    Tasto(Qt::Key_Delete);
    EXPECT_EQ(std::pair(rgx.Righe(), rgx.Cella(0, 0)), std::pair(1, std::string("c")));
}

TEST_F(Griglia, BlocksAreCopiedPastedAndClearedAsInASpreadsheetUnderTheRulesOfTyping) {
    TabellaValori rgx(4, 3);
    const char* iniziali[4][3] = {
        {"a", "2", "r0"}, {"b", "1", "r1"}, {"c", "", "r2"}, {"d", "", "r3"}};
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 3; ++c) rgx.Cella(r, c) = iniziali[r][c];
    for (const char* t : {"A", "Allin.", "R"}) mG.AggiungiColonna(t);
    mG.ImpostaListaValori(1, Allineamento());
    mG.ImpostaSolaLettura(2, true);
    mG.Associa(&rgx);
    // The owner takes no input on row 3, as the field grids on a disabled field's row.
    QObject::connect(&mG, &clsGriglia::TastoPremuto, [&](QKeyEvent* e, bool* scarta) {
        if (mG.RigaCorrente() == 3 && (!e->text().isEmpty() || e->key() == Qt::Key_Delete))
            *scarta = true;
    });
    QStringList detti;
    QObject::connect(&mG, &clsGriglia::TestoRifiutato, [&](const QString& m) { detti << m; });
    QSignalSpy azioni(&mG, &clsGriglia::CelleCambiate);
    const auto tabella = [&] {
        std::string t;
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 3; ++c) t += rgx.Cella(r, c) + (c < 2 ? "," : ";");
        return t;
    };
    QClipboard* appunti = QApplication::clipboard();
    // Shift+arrows select a block; it is copied as lines of TAB-separated texts.
    mG.ImpostaCellaCorrente(0, 0);
    Tasto(Qt::Key_Right, Qt::ShiftModifier);
    Tasto(Qt::Key_Down, Qt::ShiftModifier);
    Tasto(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(appunti->text(), "a\tSinistra\nb\tDestra");
    // Pasted at row 2: row 3 refuses it as its owner refuses typing.
    mG.ImpostaCellaCorrente(2, 0);
    Tasto(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(tabella(), "a,2,r0;b,1,r1;a,2,r2;d,,r3;");
    // A text the column refuses is told once; the rest of the block goes in.
    appunti->setText("x\tCentro\r\ny\tCentro\r\n");
    mG.ImpostaCellaCorrente(0, 0);
    EXPECT_TRUE(mG.Incolla());
    EXPECT_EQ(tabella(), "x,2,r0;y,1,r1;a,2,r2;d,,r3;");
    EXPECT_EQ(detti.size(), 1);
    // One value fills every selected cell.
    appunti->setText("Destra");
    mG.ImpostaCellaCorrente(0, 1);
    Tasto(Qt::Key_Down, Qt::ShiftModifier);
    Tasto(Qt::Key_Down, Qt::ShiftModifier);
    Tasto(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(tabella(), "x,1,r0;y,1,r1;a,1,r2;d,,r3;");
    // Delete empties the selected cells but the read-only ones and those of row 3 (an emptied
    // list cell stores the list's value for the empty text).
    mG.ImpostaCellaCorrente(1, 0);
    for (int i = 0; i < 2; ++i) Tasto(Qt::Key_Right, Qt::ShiftModifier);
    for (int i = 0; i < 2; ++i) Tasto(Qt::Key_Down, Qt::ShiftModifier);
    Tasto(Qt::Key_Delete);
    EXPECT_EQ(tabella(), "x,1,r0;,0,r1;,0,r2;d,,r3;");
    // Shift+Space selects the row, Ctrl+X cuts it; Ctrl+Delete empties the current row.
    mG.ImpostaCellaCorrente(0, 1);
    Tasto(Qt::Key_Space, Qt::ShiftModifier);
    Tasto(Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(appunti->text(), "x\tDestra\tr0");
    rgx.Cella(1, 0) = "z", rgx.Cella(2, 0) = "w";
    mG.ImpostaCellaCorrente(1, 1);
    Tasto(Qt::Key_Delete, Qt::ControlModifier);
    mG.ImpostaCellaCorrente(2, 1);  // and so does the context menu's "Svuota riga"
    std::unique_ptr<QMenu> menu(mG.MenuCella());
    menu->findChild<QAction*>("mnuGrigliaSvuotaRiga")->trigger();
    EXPECT_EQ(tabella(), ",0,r0;,0,r1;,0,r2;d,,r3;");
    // Every action that changed cells was one change; the current cell stays where it was.
    EXPECT_EQ(azioni.count(), 7);
    EXPECT_EQ(std::pair(mG.RigaCorrente(), mG.ColonnaCorrente()), std::pair(2, 1));
}

TEST_F(Griglia, TheCellButtonCommitsTheEditAndReportsItsCell) {
    TabellaValori rgx(2, 2);
    mG.AggiungiColonna("Riga");
    mG.AggiungiColonna("Posiz.");
    mG.ImpostaPulsante(1, true);
    mG.Associa(&rgx);
    QSignalSpy pulsanti(&mG, &clsGriglia::PulsantePremuto);
    mG.ImpostaCellaCorrente(1, 1);
    Digita("12");
    Clic(mG.viewport(), mG.RettangoloPulsante(1, 1).center());
    EXPECT_EQ(rgx.Cella(1, 1), "12");
    Tasto(Qt::Key_F4);
    ASSERT_EQ(pulsanti.count(), 2);
    EXPECT_EQ(std::pair(pulsanti.at(0).at(0).toInt(), pulsanti.at(0).at(1).toInt()),
              std::pair(1, 1));
}

// Widths set in twips or as a fraction never cut a caption; a width of 0 still hides a column.
TEST_F(Griglia, AColumnIsNeverNarrowerThanItsCaptionOrItsListAndTheOthersMakeRoom) {
    const QString titoli[] = {
        "Operatore confronto", "And/Or", "Presente", "Nascosta", "Op", "Valore"};
    for (const QString& t : titoli) mG.AggiungiColonna(t);
    mG.ImpostaLarghezza(0, 40);
    mG.ImpostaLarghezza(1, 10);
    mG.ImpostaLarghezzaFrazione(2, 0.01);
    mG.ImpostaLarghezza(3, 0);
    clsListaValori lista;
    lista.Aggiungi("I", QStringLiteral("Ignora carattere"));
    mG.ImpostaListaValori(4, lista);
    mG.ImpostaLarghezzaFrazione(4, 0.05);
    mG.ImpostaLarghezzaFrazione(5, 0.6);
    const QFontMetrics fm = mG.horizontalHeader()->fontMetrics();
    for (int c = 0; c < 3; ++c)
        EXPECT_GT(mG.columnWidth(c), fm.horizontalAdvance(titoli[c])) << titoli[c].toStdString();
    EXPECT_EQ(mG.columnWidth(3), 0);
    EXPECT_GT(mG.columnWidth(4), mG.fontMetrics().horizontalAdvance("Ignora carattere"));
    // The wide free-text column gave up what the others needed: no scrolling sideways.
    int totale = 0;
    for (int c = 0; c < 6; ++c) totale += mG.columnWidth(c);
    EXPECT_LE(totale, mG.viewport()->width() + 1);
}

}  // namespace
