// The grid widget driven as the user drives it: keys and mouse clicks through QTest on a real
// clsGriglia (offscreen), bound to value tables held by the test as the main window holds its.

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <memory>

#include "clsGriglia.h"

using tarno::clsDropDown;
using tarno::clsGriglia;
using tarno::clsListaValori;
using tarno::clsModelloGriglia;
using tarno::TabellaValori;

namespace {

class Griglia : public ::testing::Test {
  protected:
    void SetUp() override {
        mpGriglia = std::make_unique<clsGriglia>();
        mpGriglia->setObjectName("grdProva");
        mpGriglia->resize(520, 300);
        mpGriglia->show();
        mpGriglia->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(mpGriglia.get()));
        mpGriglia->setFocus();
    }
    void TearDown() override {
        mpGriglia.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    clsGriglia& G() { return *mpGriglia; }

    // The open cell editor, or nullptr.
    QWidget* Editor() {
        for (auto* w : G().viewport()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (w->isVisible() &&
                (w->objectName() == "txtCellaGriglia" || w->objectName() == "cboCellaGriglia"))
                return w;
        return nullptr;
    }
    QLineEdit* EditorTesto() { return qobject_cast<QLineEdit*>(Editor()); }
    QComboBox* EditorCombo() { return qobject_cast<QComboBox*>(Editor()); }

    // Where the keyboard input goes: the open editor (its line edit when it is an editable
    // combo), otherwise the grid.
    QWidget* Destinazione() {
        QWidget* e = Editor();
        if (!e) return &G();
        if (auto* combo = qobject_cast<QComboBox*>(e); combo && combo->lineEdit())
            return combo->lineEdit();
        return e;
    }

    void Digita(const QString& s) {
        for (QChar ch : s) {
            const auto u = ch.toUpper().unicode();
            const Qt::Key k = u < 0x80 && ch.isLetterOrNumber() ? static_cast<Qt::Key>(u)
                              : ch == ' '                       ? Qt::Key_Space
                                                                : Qt::Key_unknown;
            QTest::sendKeyEvent(QTest::Click, Destinazione(), k, QString(ch), Qt::NoModifier);
        }
    }
    void Tasto(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
        QTest::keyClick(Destinazione(), k, m);
    }
    void Clic(int r, int c) {
        const QRect rett = G().visualRect(G().model()->index(r, c));
        QTest::mouseClick(G().viewport(), Qt::LeftButton, Qt::NoModifier, rett.center());
    }
    QString Mostrato(int r, int c) {
        return G().model()->index(r, c).data(Qt::DisplayRole).toString();
    }

    std::unique_ptr<clsGriglia> mpGriglia;
};

clsListaValori ListaAllineamento() {
    clsListaValori lista;
    lista.Aggiungi("0", "");
    lista.Aggiungi("2", "Sinistra");
    lista.Aggiungi("1", "Destra");
    lista.ImpostaLimita(true);
    return lista;
}

}  // namespace

TEST_F(Griglia, ValueListShowsTextsAndStoresValues) {
    TabellaValori rgx(2, 2);
    rgx.Cella(0, 1) = "2";
    G().AggiungiColonna("Riga");
    G().AggiungiColonna("Allin.");
    G().ImpostaListaValori(1, ListaAllineamento());
    G().Associa(&rgx);
    EXPECT_EQ(G().model()->headerData(1, Qt::Horizontal).toString(), "Allin.");
    EXPECT_EQ(Mostrato(0, 1), "Sinistra");

    QSignalSpy cambi(&G(), &clsGriglia::CellaCambiata);
    G().ImpostaCellaCorrente(0, 1);
    Digita("Destra");
    ASSERT_NE(EditorTesto(), nullptr);
    EXPECT_EQ(EditorTesto()->text(), "Destra");  // the first key replaced the old text
    Tasto(Qt::Key_Return);
    EXPECT_EQ(Editor(), nullptr);
    EXPECT_EQ(rgx.Cella(0, 1), "1");
    EXPECT_EQ(Mostrato(0, 1), "Destra");
    ASSERT_EQ(cambi.count(), 1);
    EXPECT_EQ(cambi.at(0).at(0).toInt(), 0);
    EXPECT_EQ(cambi.at(0).at(1).toInt(), 1);
}

TEST_F(Griglia, InputOutsideARestrictingListIsRefusedAndTheEditorStaysOpen) {
    TabellaValori rgx(1, 1);
    rgx.Cella(0, 0) = "2";
    G().AggiungiColonna("Allin.");
    G().ImpostaListaValori(0, ListaAllineamento());
    G().Associa(&rgx);
    QSignalSpy rifiuti(&G(), &clsGriglia::TestoRifiutato);
    QSignalSpy cambi(&G(), &clsGriglia::CellaCambiata);

    G().ImpostaCellaCorrente(0, 0);
    Digita("Centro");
    Tasto(Qt::Key_Return);
    ASSERT_EQ(rifiuti.count(), 1);
    EXPECT_TRUE(rifiuti.at(0).at(0).toString().contains("Centro"));
    ASSERT_NE(EditorTesto(), nullptr);
    EXPECT_EQ(EditorTesto()->text(), "Centro");
    EXPECT_EQ(rgx.Cella(0, 0), "2");

    Tasto(Qt::Key_Tab);  // Tab does not let it through either
    EXPECT_EQ(rifiuti.count(), 2);
    EXPECT_NE(Editor(), nullptr);

    Tasto(Qt::Key_Escape);
    EXPECT_EQ(Editor(), nullptr);
    EXPECT_EQ(rgx.Cella(0, 0), "2");
    EXPECT_EQ(cambi.count(), 0);
}

TEST_F(Griglia, CharacterThatWindows1252CannotHoldIsRefused) {
    TabellaValori rgx(1, 1);
    G().AggiungiColonna("Valore");
    G().Associa(&rgx);
    QSignalSpy rifiuti(&G(), &clsGriglia::TestoRifiutato);

    G().ImpostaCellaCorrente(0, 0);
    Digita(QString::fromUtf8("prezzo € è"));
    Tasto(Qt::Key_Return);
    EXPECT_EQ(rgx.Cella(0, 0), "prezzo \x80 \xE8");
    EXPECT_EQ(rifiuti.count(), 0);

    Digita(QString::fromUtf8("5 Ω"));
    Tasto(Qt::Key_Return);
    ASSERT_EQ(rifiuti.count(), 1);
    const QString messaggio = rifiuti.at(0).at(0).toString();
    EXPECT_TRUE(messaggio.contains(QString::fromUtf8("Ω"))) << messaggio.toStdString();
    EXPECT_TRUE(messaggio.contains("Windows-1252")) << messaggio.toStdString();
    EXPECT_NE(Editor(), nullptr);
    EXPECT_EQ(rgx.Cella(0, 0), "prezzo \x80 \xE8");

    // Leaving the cell by a click refuses it as well, and the old value stays.
    TabellaValori altra(2, 1);
    G().Associa(&altra);
    G().ImpostaCellaCorrente(0, 0);
    Digita(QString::fromUtf8("Ω"));
    Clic(1, 0);
    EXPECT_EQ(rifiuti.count(), 2);
    EXPECT_EQ(altra.Cella(0, 0), "");
    EXPECT_EQ(G().RigaCorrente(), 1);
}

TEST_F(Griglia, ComboListKeepsTheCodeAndShowsTheText) {
    TabellaValori rgx(1, 1);
    rgx.Cella(0, 0) = "2";
    auto lista = ListaAllineamento();
    lista.ImpostaCombo(true);
    G().AggiungiColonna("Allin.");
    G().ImpostaListaValori(0, lista);
    G().Associa(&rgx);

    G().ImpostaCellaCorrente(0, 0);
    Tasto(Qt::Key_F2);
    QComboBox* combo = EditorCombo();
    ASSERT_NE(combo, nullptr);
    EXPECT_FALSE(combo->isEditable());
    ASSERT_EQ(combo->count(), 3);
    EXPECT_EQ(combo->itemText(2), "Destra");
    EXPECT_EQ(combo->itemData(2).toString(), "1");
    EXPECT_EQ(combo->currentText(), "Sinistra");
    Tasto(Qt::Key_Down);
    EXPECT_EQ(combo->currentText(), "Destra");
    Tasto(Qt::Key_Return);
    EXPECT_EQ(rgx.Cella(0, 0), "1");
    EXPECT_EQ(Mostrato(0, 0), "Destra");

    // Typing picks the entry by its text.
    Digita("s");
    ASSERT_NE(EditorCombo(), nullptr);
    EXPECT_EQ(EditorCombo()->currentText(), "Sinistra");
    Tasto(Qt::Key_Return);
    EXPECT_EQ(rgx.Cella(0, 0), "2");

    // A double click opens the list at once; choosing in it and Enter store the code.
    const QPoint centro = G().visualRect(G().model()->index(0, 0)).center();
    QTest::mouseClick(G().viewport(), Qt::LeftButton, Qt::NoModifier, centro);
    QTest::mouseDClick(G().viewport(), Qt::LeftButton, Qt::NoModifier, centro);
    QTest::mouseRelease(G().viewport(), Qt::LeftButton, Qt::NoModifier, centro);
    ASSERT_NE(EditorCombo(), nullptr);
    EXPECT_TRUE(EditorCombo()->view()->isVisible());
    EditorCombo()->hidePopup();
    EditorCombo()->setCurrentIndex(0);
    Tasto(Qt::Key_Return);
    EXPECT_EQ(rgx.Cella(0, 0), "0");
}

TEST_F(Griglia, DropDownOffersTheRowsOfAnotherTable) {
    // Format lists as the catalogue fills them: row 0 empty, then text and code.
    TabellaValori data(3, 2), ora(2, 2), nessuno(1, 1);
    data.Cella(1, 0) = "gg/mm/aa";
    data.Cella(1, 1) = "101";
    data.Cella(2, 0) = "aaaa-mm-gg";
    data.Cella(2, 1) = "102";
    ora.Cella(1, 0) = "hh:mm";
    ora.Cella(1, 1) = "201";
    nessuno.Cella(0, 0) = "Nessuno";
    clsDropDown drpData, drpOra, drpNessuno;
    drpData.setObjectName("drpFormatiData");
    drpData.Associa(&data, 0, 1);
    drpOra.setObjectName("drpFormatiOra");
    drpOra.Associa(&ora, 0, 1);
    drpNessuno.setObjectName("drpFormatiNessuno");
    drpNessuno.Associa(&nessuno, 0);  // no value column: the text goes through the list

    clsListaValori formati;
    formati.Aggiungi("0", "");
    formati.Aggiungi("101", "gg/mm/aa");
    formati.Aggiungi("102", "aaaa-mm-gg");
    formati.Aggiungi("3", "Nessuno");
    formati.Aggiungi("201", "hh:mm");
    formati.ImpostaLimita(true);

    TabellaValori rgx(3, 1);
    G().AggiungiColonna("Formato");
    G().ImpostaListaValori(0, formati);
    G().ImpostaDropDown(0, &drpData);
    G().Associa(&rgx);

    // The handler chooses the drop-down by row, as the field grids do.
    std::vector<int> aperture;
    QObject::connect(&G(), &clsGriglia::DropDownApertura, [&](int c) {
        aperture.push_back(c);
        const int r = G().RigaCorrente();
        G().ImpostaDropDown(c, r == 0 ? &drpData : r == 1 ? &drpOra : &drpNessuno);
    });

    G().ImpostaCellaCorrente(0, 0);
    Tasto(Qt::Key_F2);
    ASSERT_EQ(aperture, std::vector<int>{0});
    QComboBox* combo = EditorCombo();
    ASSERT_NE(combo, nullptr);
    ASSERT_EQ(combo->count(), 3);
    EXPECT_EQ(combo->itemText(1), "gg/mm/aa");
    EXPECT_EQ(combo->itemText(2), "aaaa-mm-gg");
    combo->setCurrentIndex(2);
    Tasto(Qt::Key_Return);
    EXPECT_EQ(rgx.Cella(0, 0), "102");
    EXPECT_EQ(Mostrato(0, 0), "aaaa-mm-gg");

    G().ImpostaCellaCorrente(1, 0);
    Tasto(Qt::Key_F2);
    ASSERT_NE(EditorCombo(), nullptr);
    ASSERT_EQ(EditorCombo()->count(), 2);
    EXPECT_EQ(EditorCombo()->itemText(1), "hh:mm");
    EditorCombo()->setCurrentIndex(1);
    Tasto(Qt::Key_Return);
    EXPECT_EQ(rgx.Cella(1, 0), "201");

    G().ImpostaCellaCorrente(2, 0);
    Tasto(Qt::Key_F2);
    ASSERT_NE(EditorCombo(), nullptr);
    ASSERT_EQ(EditorCombo()->count(), 1);
    EditorCombo()->setCurrentIndex(0);
    Tasto(Qt::Key_Return);
    EXPECT_EQ(rgx.Cella(2, 0), "3");
    EXPECT_EQ(Mostrato(2, 0), "Nessuno");
    EXPECT_EQ(aperture.size(), 3u);

    // A handler that removes the drop-down leaves a plain text cell.
    QObject::disconnect(&G(), &clsGriglia::DropDownApertura, nullptr, nullptr);
    QObject::connect(&G(), &clsGriglia::DropDownApertura,
                     [&](int c) { G().ImpostaDropDown(c, nullptr); });
    G().ImpostaCellaCorrente(0, 0);
    Tasto(Qt::Key_F2);
    EXPECT_NE(EditorTesto(), nullptr);
    Tasto(Qt::Key_Escape);
}

TEST_F(Griglia, EntryRowAppendsRows) {
    TabellaValori rgx(0, 2);
    G().AggiungiColonna("Parametro");
    G().AggiungiColonna("Valore");
    G().ImpostaRigaInserimento(true);
    G().Associa(&rgx);
    EXPECT_EQ(G().model()->rowCount(), 1);
    QSignalSpy aggiunte(&G(), &clsGriglia::RigaAggiunta);
    QSignalSpy cambi(&G(), &clsGriglia::CellaCambiata);

    // Confirming nothing on the entry row adds nothing.
    G().ImpostaCellaCorrente(0, 0);
    Tasto(Qt::Key_F2);
    Tasto(Qt::Key_Return);
    EXPECT_EQ(rgx.Righe(), 0);

    Digita("Filtro");
    Tasto(Qt::Key_Tab);  // commits and moves to the value column of the new row
    EXPECT_EQ(rgx.Righe(), 1);
    EXPECT_EQ(rgx.Cella(0, 0), "Filtro");
    EXPECT_EQ(G().model()->rowCount(), 2);
    EXPECT_EQ(G().RigaCorrente(), 0);
    EXPECT_EQ(G().ColonnaCorrente(), 1);
    Digita("1");
    Tasto(Qt::Key_Return);
    EXPECT_EQ(rgx.Cella(0, 1), "1");
    ASSERT_EQ(aggiunte.count(), 1);
    EXPECT_EQ(aggiunte.at(0).at(0).toInt(), 0);
    EXPECT_EQ(cambi.count(), 2);

    // Down to the new entry row, a value in its second column appends row 1.
    Tasto(Qt::Key_Down);
    EXPECT_EQ(G().RigaCorrente(), 1);
    Digita("x");
    Tasto(Qt::Key_Return);
    ASSERT_EQ(rgx.Righe(), 2);
    EXPECT_EQ(rgx.Cella(1, 0), "");
    EXPECT_EQ(rgx.Cella(1, 1), "x");
    EXPECT_EQ(G().model()->headerData(2, Qt::Vertical).toString(), "*");
}

TEST_F(Griglia, RowsAreDeletedOnlyWhenAllowed) {
    TabellaValori rgx(3, 1);
    rgx.Cella(0, 0) = "a";
    rgx.Cella(1, 0) = "b";
    rgx.Cella(2, 0) = "c";
    G().AggiungiColonna("Parametro");
    G().ImpostaSelettoriRiga(true);
    G().Associa(&rgx);
    QSignalSpy eliminate(&G(), &clsGriglia::RigaEliminata);

    // Not allowed: Ctrl+Delete does nothing, Delete empties the cell.
    G().ImpostaCellaCorrente(1, 0);
    Tasto(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(rgx.Righe(), 3);
    Tasto(Qt::Key_Delete);
    EXPECT_EQ(rgx.Righe(), 3);
    EXPECT_EQ(rgx.Cella(1, 0), "");

    G().ImpostaEliminazioneRighe(true);
    Tasto(Qt::Key_Delete, Qt::ControlModifier);
    ASSERT_EQ(rgx.Righe(), 2);
    EXPECT_EQ(rgx.Cella(1, 0), "c");
    ASSERT_EQ(eliminate.count(), 1);
    EXPECT_EQ(eliminate.at(0).at(0).toInt(), 1);

    // A click on the row header selects the row; Delete then deletes it.
    auto* selettori = G().verticalHeader();
    const int y = selettori->sectionViewportPosition(0) + selettori->sectionSize(0) / 2;
    QTest::mouseClick(selettori->viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(selettori->width() / 2, y));
    EXPECT_EQ(G().RigaCorrente(), 0);
    Tasto(Qt::Key_Delete);
    ASSERT_EQ(rgx.Righe(), 1);
    EXPECT_EQ(rgx.Cella(0, 0), "c");

    EXPECT_TRUE(G().EliminaRiga(0));
    EXPECT_EQ(rgx.Righe(), 0);
    EXPECT_FALSE(G().EliminaRiga(0));
    EXPECT_EQ(eliminate.count(), 3);
}

TEST_F(Griglia, CommitOfThePendingEdit) {
    TabellaValori rgx(2, 2);
    G().AggiungiColonna("Riga");
    G().AggiungiColonna("Posiz.");
    clsListaValori righe;
    righe.AggiungiIntervallo(1, 10);
    righe.ImpostaLimita(true);
    G().ImpostaListaValori(0, righe);
    G().Associa(&rgx);

    QString errore;
    EXPECT_TRUE(G().ConfermaModifica(&errore));  // nothing being edited
    EXPECT_TRUE(errore.isEmpty());

    G().ImpostaCellaCorrente(0, 1);
    Digita("42");
    EXPECT_TRUE(G().InModifica());
    EXPECT_EQ(rgx.Cella(0, 1), "");
    EXPECT_TRUE(G().ConfermaModifica(&errore));
    EXPECT_FALSE(G().InModifica());
    EXPECT_EQ(rgx.Cella(0, 1), "42");

    G().ImpostaCellaCorrente(1, 0);
    Digita("11");
    EXPECT_FALSE(G().ConfermaModifica(&errore));
    EXPECT_TRUE(errore.contains("Riga")) << errore.toStdString();
    EXPECT_TRUE(G().InModifica());
    EXPECT_EQ(rgx.Cella(1, 0), "");
    Tasto(Qt::Key_Backspace);
    EXPECT_TRUE(G().ConfermaModifica(&errore));
    EXPECT_EQ(rgx.Cella(1, 0), "1");

    Digita("7");
    G().AnnullaModifica();
    EXPECT_FALSE(G().InModifica());
    EXPECT_EQ(rgx.Cella(1, 0), "1");
}

TEST_F(Griglia, RebindAfterResizeAndRefreshAfterProgramWrites) {
    TabellaValori rgx(3, 2);
    G().AggiungiColonna("A");
    G().AggiungiColonna("B");
    G().Associa(&rgx);
    G().ImpostaCellaCorrente(2, 1);

    rgx.Cella(0, 0) = "scritto";
    G().Aggiorna();
    EXPECT_EQ(Mostrato(0, 0), "scritto");

    QSignalSpy righe(&G(), &clsGriglia::RigaCorrenteCambiata);
    rgx.Dimensiona(5, 2);
    G().RiAssocia();
    EXPECT_EQ(G().model()->rowCount(), 5);
    EXPECT_EQ(Mostrato(0, 0), "");
    EXPECT_EQ(G().RigaCorrente(), 2);  // the current cell survives a rebind
    EXPECT_EQ(G().ColonnaCorrente(), 1);
    EXPECT_EQ(righe.count(), 0);

    rgx.Dimensiona(1, 2);
    G().RiAssocia();
    EXPECT_EQ(G().RigaCorrente(), 0);
    ASSERT_EQ(righe.count(), 1);
    EXPECT_EQ(righe.at(0).at(0).toInt(), 0);
    EXPECT_EQ(righe.at(0).at(1).toInt(), 2);

    G().ImpostaCellaCorrente(0, 0);
    Digita("nuovo");
    Tasto(Qt::Key_Return);
    EXPECT_EQ(rgx.Cella(0, 0), "nuovo");

    // Another table altogether.
    TabellaValori altra(4, 2);
    altra.Cella(3, 1) = "q";
    G().Associa(&altra);
    EXPECT_EQ(G().Tabella(), &altra);
    EXPECT_EQ(Mostrato(3, 1), "q");
}

TEST_F(Griglia, CurrentCellSignalsFollowMouseAndKeysAndComeAfterTheCommit) {
    TabellaValori rgx(3, 3);
    for (int c = 0; c < 3; ++c) G().AggiungiColonna(QString("C%1").arg(c));
    G().Associa(&rgx);
    QSignalSpy righe(&G(), &clsGriglia::RigaCorrenteCambiata);
    QSignalSpy colonne(&G(), &clsGriglia::ColonnaCorrenteCambiata);

    G().ImpostaCellaCorrente(0, 0);
    righe.clear();
    colonne.clear();
    Clic(2, 1);
    EXPECT_EQ(G().RigaCorrente(), 2);
    ASSERT_EQ(righe.count(), 1);
    EXPECT_EQ(righe.at(0).at(0).toInt(), 2);
    EXPECT_EQ(righe.at(0).at(1).toInt(), 0);
    ASSERT_EQ(colonne.count(), 1);
    EXPECT_EQ(colonne.at(0).at(0).toInt(), 1);

    Clic(2, 2);  // same row: only the column changes
    EXPECT_EQ(righe.count(), 1);
    EXPECT_EQ(colonne.count(), 2);

    // A click into another row while editing: the edit is in the table when the row changes.
    std::string vistoAlCambio;
    QObject::connect(&G(), &clsGriglia::RigaCorrenteCambiata,
                     [&](int, int) { vistoAlCambio = rgx.Cella(2, 2); });
    Digita("99");
    Clic(0, 2);
    EXPECT_EQ(vistoAlCambio, "99");
    EXPECT_EQ(G().RigaCorrente(), 0);

    Tasto(Qt::Key_Down);
    EXPECT_EQ(G().RigaCorrente(), 1);
    G().ImpostaColonnaCorrente(0);
    EXPECT_EQ(G().ColonnaCorrente(), 0);
    EXPECT_EQ(G().RigaCorrente(), 1);
    G().ImpostaRigaCorrente(2);
    EXPECT_EQ(G().RigaCorrente(), 2);
    EXPECT_EQ(G().ColonnaCorrente(), 0);
}

TEST_F(Griglia, KeyHandlerMayDiscardKeysBeforeTheyReachTheCell) {
    TabellaValori rgx(2, 1);
    rgx.Cella(0, 0) = "fisso";
    G().AggiungiColonna("Valore");
    G().Associa(&rgx);
    std::vector<QString> testi;
    QObject::connect(&G(), &clsGriglia::TastoPremuto, [&](QKeyEvent* e, bool* pbScarta) {
        testi.push_back(e->text());
        // Row 0 is locked; elsewhere the letter x never gets in, nor does Delete.
        if (G().RigaCorrente() == 0 || e->text() == "x" || e->key() == Qt::Key_Delete)
            *pbScarta = true;
    });

    G().ImpostaCellaCorrente(0, 0);
    Digita("ab");
    Tasto(Qt::Key_Delete);
    EXPECT_EQ(Editor(), nullptr);
    EXPECT_EQ(rgx.Cella(0, 0), "fisso");

    G().ImpostaCellaCorrente(1, 0);
    testi.clear();
    Digita("1x2");
    Tasto(Qt::Key_Return);
    EXPECT_EQ(rgx.Cella(1, 0), "12");
    // Each key is reported once, the one that opened the editor too.
    EXPECT_EQ(testi, (std::vector<QString>{"1", "x", "2", "\r"}));
}

TEST_F(Griglia, CellButtonReportsItsCell) {
    TabellaValori rgx(2, 3);
    G().AggiungiColonna("Riga");
    G().AggiungiColonna("Posiz.");
    G().AggiungiColonna("Lung.");
    G().ImpostaPulsante(1, true);
    G().ImpostaPulsante(2, true);
    G().ImpostaRigaInserimento(true);
    G().Associa(&rgx);
    QSignalSpy pulsanti(&G(), &clsGriglia::PulsantePremuto);

    EXPECT_TRUE(G().RettangoloPulsante(0, 0).isEmpty());
    EXPECT_TRUE(G().RettangoloPulsante(2, 1).isEmpty());  // none on the entry row
    const QRect rett = G().RettangoloPulsante(1, 2);
    ASSERT_FALSE(rett.isEmpty());
    QTest::mouseClick(G().viewport(), Qt::LeftButton, Qt::NoModifier, rett.center());
    ASSERT_EQ(pulsanti.count(), 1);
    EXPECT_EQ(pulsanti.at(0).at(0).toInt(), 1);
    EXPECT_EQ(pulsanti.at(0).at(1).toInt(), 2);
    EXPECT_EQ(G().RigaCorrente(), 1);
    EXPECT_EQ(G().ColonnaCorrente(), 2);
    EXPECT_EQ(Editor(), nullptr);

    // The rest of the cell edits as usual; the button first commits the edit.
    G().ImpostaCellaCorrente(0, 1);
    Digita("12");
    QTest::mouseClick(G().viewport(), Qt::LeftButton, Qt::NoModifier,
                      G().RettangoloPulsante(0, 1).center());
    EXPECT_EQ(rgx.Cella(0, 1), "12");
    ASSERT_EQ(pulsanti.count(), 2);
    EXPECT_EQ(pulsanti.at(1).at(0).toInt(), 0);

    Tasto(Qt::Key_F4);
    EXPECT_EQ(pulsanti.count(), 3);
    G().ImpostaCellaCorrente(0, 0);
    Tasto(Qt::Key_F4);
    EXPECT_EQ(pulsanti.count(), 3);
}

TEST_F(Griglia, ColumnsAndRowsTakeTheirSettings) {
    TabellaValori rgx(6, 2);
    G().AggiungiColonna("Opzione");
    G().AggiungiColonna("N\xC2\xB0 Righe");
    G().ImpostaSolaLettura(0, true);
    G().ImpostaLarghezzaFrazione(0, 0.5);
    G().ImpostaLarghezza(1, 77);
    G().ImpostaAltezzaRiga(clsGriglia::PixelDaTwip(300));
    G().Associa(&rgx);
    EXPECT_EQ(G().AltezzaRiga(), 20);
    EXPECT_EQ(G().rowHeight(3), 20);
    EXPECT_EQ(G().columnWidth(1), 77);
    EXPECT_NEAR(G().columnWidth(0), G().viewport()->width() / 2, 1);
    G().resize(720, 300);
    QCoreApplication::processEvents();
    EXPECT_NEAR(G().columnWidth(0), G().viewport()->width() / 2, 1);

    // A read-only column opens no editor.
    G().ImpostaCellaCorrente(0, 0);
    Digita("a");
    Tasto(Qt::Key_F2);
    EXPECT_EQ(Editor(), nullptr);
    EXPECT_EQ(rgx.Cella(0, 0), "");

    G().ImpostaVisibile(1, false);
    EXPECT_TRUE(G().isColumnHidden(1));
    G().RiAssocia();
    EXPECT_TRUE(G().isColumnHidden(1));  // settings outlive a rebind
    EXPECT_EQ(G().columnWidth(0), static_cast<int>(std::lround(G().viewport()->width() * 0.5)));

    EXPECT_FALSE(G().ImpostaTitolo(2, "nessuna"));  // not a defined column
    G().EliminaColonne();
    EXPECT_EQ(G().Colonne(), 2);  // without definitions the table's columns show
    EXPECT_EQ(G().AggiungiColonna("Sola"), 0);
    EXPECT_EQ(G().Colonne(), 1);
    EXPECT_TRUE(G().ImpostaTitolo(0, "Altra"));
    EXPECT_EQ(G().model()->headerData(0, Qt::Horizontal).toString(), "Altra");
    EXPECT_FALSE(G().isColumnHidden(0));
}

TEST_F(Griglia, KeyboardEditingStartsWithF2AndTabMovesOn) {
    TabellaValori rgx(2, 2);
    rgx.Cella(0, 0) = "vecchio";
    G().AggiungiColonna("A");
    G().AggiungiColonna("B");
    G().Associa(&rgx);

    G().ImpostaCellaCorrente(0, 0);
    Tasto(Qt::Key_F2);
    ASSERT_NE(EditorTesto(), nullptr);
    EXPECT_EQ(EditorTesto()->text(), "vecchio");
    Tasto(Qt::Key_End);
    Digita("!");
    Tasto(Qt::Key_Tab);
    EXPECT_EQ(rgx.Cella(0, 0), "vecchio!");
    EXPECT_EQ(G().ColonnaCorrente(), 1);
    Digita("b");
    Tasto(Qt::Key_Tab);  // past the last column into the next row
    EXPECT_EQ(rgx.Cella(0, 1), "b");
    EXPECT_EQ(G().RigaCorrente(), 1);
    EXPECT_EQ(G().ColonnaCorrente(), 0);
    Tasto(Qt::Key_Escape);
    Tasto(Qt::Key_Backtab);
    EXPECT_EQ(G().RigaCorrente(), 0);
    EXPECT_EQ(G().ColonnaCorrente(), 1);
}

TEST_F(Griglia, TabIntoAComboCellOpensItsEditorButNotItsList) {
    TabellaValori rgx(1, 2);
    auto lista = ListaAllineamento();
    lista.ImpostaCombo(true);
    G().AggiungiColonna("A");
    G().AggiungiColonna("Allin.");
    G().ImpostaListaValori(1, lista);
    G().Associa(&rgx);

    G().ImpostaCellaCorrente(0, 0);
    Digita("x");
    Tasto(Qt::Key_Tab);
    EXPECT_EQ(rgx.Cella(0, 0), "x");
    EXPECT_EQ(G().ColonnaCorrente(), 1);
    QApplication::processEvents();
    ASSERT_NE(EditorCombo(), nullptr);
    EXPECT_FALSE(EditorCombo()->view()->isVisible());
    Tasto(Qt::Key_Down);
    Tasto(Qt::Key_Return);
    EXPECT_FALSE(rgx.Cella(0, 1).empty());
}
