// The format settings dialogs (month codes, duration, pulse divisor) and the prescanning
// dialog, driven through their real widgets with keys and clicks; prompts are scripted.

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <array>
#include <memory>

#include "SupportoGui.h"
#include "clsDriver.h"
#include "clsGriglia.h"
#include "frmImpostazioniData.h"
#include "frmImpostazioniDurata.h"
#include "frmImpostazioniScatti.h"
#include "frmPrescanning.h"
#include "ui_frmImpostazioniData.h"
#include "ui_frmImpostazioniDurata.h"
#include "ui_frmImpostazioniScatti.h"
#include "ui_frmPrescanning.h"

using namespace tarno;
using namespace tarno::test;

namespace {

const QString kCodiciDiversi =
    QStringLiteral("Le lunghezze dei codici dei mesi devono essere tutti uguali");
const QString kCodiciVuoti = QStringLiteral("Inserire i codici dei mesi");
const QString kSelezionare = QStringLiteral("Selezionare un'elemento in entrambe le liste");
const QString kIntero = QStringLiteral("Inserire un numero intero");

const std::array<std::string, 12> kTreLettere = {"GEN", "FEB", "MAR", "APR", "MAG", "GIU",
                                                 "LUG", "AGO", "SET", "OTT", "NOV", "DIC"};

class Impostazioni : public ConServiziScriptati {
  protected:
    // Shows a dialog as exec() would (its load runs) and waits until it can take keys.
    static void Mostra(QDialog& dlg) {
        dlg.show();
        dlg.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));
    }

    // The open cell editor of a grid, or nullptr.
    static QWidget* Editor(clsGriglia* grd) {
        for (auto* w : grd->viewport()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (w->isVisible() && w->objectName() == QStringLiteral("txtCellaGriglia")) return w;
        return nullptr;
    }
    // Where keys go: the focused widget of the active window.
    static QWidget* Fuoco() { return QApplication::focusWidget(); }

    // Types text into a grid cell as the user does: the first key opens the editor.
    static void Scrivi(clsGriglia* grd, int r, int c, const QString& testo) {
        grd->setFocus();
        grd->ImpostaCellaCorrente(r, c);
        for (QChar ch : testo) {
            const auto u = ch.toUpper().unicode();
            const Qt::Key k = u < 0x80 && ch.isLetterOrNumber() ? static_cast<Qt::Key>(u)
                              : ch == ' '                       ? Qt::Key_Space
                                                                : Qt::Key_unknown;
            QWidget* dest = Editor(grd) ? Editor(grd) : grd;
            QTest::sendKeyEvent(QTest::Click, dest, k, QString(ch), Qt::NoModifier);
        }
    }
    static void Conferma(clsGriglia* grd) { QTest::keyClick(Editor(grd), Qt::Key_Return); }

    QStringList Messaggi() const { return Testi(); }
};

// ---------------------------------------------------------------- month codes

class Mesi : public Impostazioni {
  protected:
    void SetUp() override {
        Impostazioni::SetUp();
        for (int i = 0; i < 12; ++i) mDlg.Mesi(i, kTreLettere[static_cast<size_t>(i)]);
    }
    clsGriglia* Grd() { return mDlg.ui()->grdMesi; }
    std::string Codice(int r) { return Grd()->Tabella()->Cella(r, 1); }
    frmImpostazioniData mDlg;
};

TEST_F(Mesi, ShowsMonthNamesAndTheCallersCodes) {
    Mostra(mDlg);
    EXPECT_EQ(mDlg.windowTitle(), QStringLiteral("Impostazioni"));
    auto* m = Grd()->model();
    EXPECT_EQ(m->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Mesi"));
    EXPECT_EQ(m->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Identificazione"));
    ASSERT_EQ(m->rowCount(), 12);
    EXPECT_EQ(m->index(0, 0).data().toString(), QStringLiteral("Gennaio"));
    EXPECT_EQ(m->index(11, 0).data().toString(), QStringLiteral("Dicembre"));
    EXPECT_EQ(m->index(4, 1).data().toString(), QStringLiteral("MAG"));
    // The names are not editable; the user starts on January's code.
    EXPECT_FALSE(m->flags(m->index(0, 0)) & Qt::ItemIsEditable);
    EXPECT_EQ(Grd()->RigaCorrente(), 0);
    EXPECT_EQ(Grd()->ColonnaCorrente(), 1);
    EXPECT_EQ(Fuoco(), Grd());
}

TEST_F(Mesi, CodesOfOneLengthAreTakenOnOk) {
    for (int i = 0; i < 12; ++i) mDlg.Mesi(i, "");
    Mostra(mDlg);
    const QStringList nuovi = {"JA", "FE", "MR", "AP", "MY", "JN",
                               "JL", "AU", "SE", "OC", "NO", "DE"};
    for (int i = 0; i < 11; ++i) {
        Scrivi(Grd(), i, 1, nuovi[i]);
        Conferma(Grd());
    }
    // The last one is still being typed when OK is pressed: it is committed first.
    Scrivi(Grd(), 11, 1, nuovi[11]);
    ASSERT_NE(Editor(Grd()), nullptr);
    mDlg.ui()->cmOK->click();
    EXPECT_TRUE(Messaggi().isEmpty()) << Messaggi().join('|').toStdString();
    EXPECT_FALSE(mDlg.mbCancel);
    EXPECT_EQ(mDlg.result(), QDialog::Accepted);
    EXPECT_FALSE(mDlg.isVisible());
    for (int i = 0; i < 12; ++i) EXPECT_EQ(mDlg.Mesi(i), nuovi[i].toStdString()) << i;
}

TEST_F(Mesi, CodesOfUnequalLengthAreRefused) {
    Mostra(mDlg);
    Scrivi(Grd(), 6, 1, QStringLiteral("LU"));
    Conferma(Grd());
    mDlg.ui()->cmOK->click();
    ASSERT_EQ(Messaggi(), QStringList{kCodiciDiversi});
    EXPECT_EQ(mUI.mMessaggi[0].titolo, QStringLiteral("Attenzione"));
    EXPECT_EQ(mUI.mMessaggi[0].icona, IconaUI::Esclamazione);
    // The dialog stays open on the offending code; nothing is taken.
    EXPECT_TRUE(mDlg.isVisible());
    EXPECT_TRUE(mDlg.mbCancel);
    EXPECT_EQ(Grd()->RigaCorrente(), 6);
    EXPECT_EQ(mDlg.Mesi(6), "LUG");

    // A longer January against shorter months is refused as well.
    Scrivi(Grd(), 6, 1, QStringLiteral("LUG"));
    Conferma(Grd());
    Scrivi(Grd(), 0, 1, QStringLiteral("GENN"));
    Conferma(Grd());
    mDlg.ui()->cmOK->click();
    EXPECT_EQ(Messaggi(), (QStringList{kCodiciDiversi, kCodiciDiversi}));
    EXPECT_EQ(Grd()->RigaCorrente(), 1);
    EXPECT_TRUE(mDlg.isVisible());
}

TEST_F(Mesi, TwelveEmptyCodesAskForCodes) {
    for (int i = 0; i < 12; ++i) mDlg.Mesi(i, "");
    Mostra(mDlg);
    mDlg.ui()->cmOK->click();
    EXPECT_EQ(Messaggi(), QStringList{kCodiciVuoti});
    EXPECT_TRUE(mDlg.isVisible());
    EXPECT_TRUE(mDlg.mbCancel);
}

TEST_F(Mesi, TextOutsideWindows1252IsRefusedInTheGrid) {
    Mostra(mDlg);
    Grd()->ImpostaCellaCorrente(2, 1);
    QTest::keyClick(Grd(), Qt::Key_F2);
    auto* editor = qobject_cast<QLineEdit*>(Editor(Grd()));
    ASSERT_NE(editor, nullptr);
    editor->setText(QStringLiteral("M\u0101R"));
    QTest::keyClick(editor, Qt::Key_Return);
    ASSERT_EQ(Messaggi().size(), 1);
    EXPECT_EQ(Codice(2), "MAR");
    EXPECT_TRUE(mDlg.isVisible());
}

TEST_F(Mesi, CancellingLeavesTheCodesAsTheyWere) {
    Mostra(mDlg);
    Scrivi(Grd(), 0, 1, QStringLiteral("XXX"));
    Conferma(Grd());
    Scrivi(Grd(), 1, 1, QStringLiteral("YYY"));
    Conferma(Grd());
    mDlg.ui()->cmdAnnulla->click();
    EXPECT_TRUE(mDlg.mbCancel);
    EXPECT_EQ(mDlg.result(), QDialog::Rejected);
    for (int i = 0; i < 12; ++i) EXPECT_EQ(mDlg.Mesi(i), kTreLettere[static_cast<size_t>(i)]);
    // Shown again, it starts from the codes it was given, not from the cancelled edits.
    Mostra(mDlg);
    EXPECT_EQ(Codice(0), "GEN");
    EXPECT_TRUE(Messaggi().isEmpty());
}

TEST_F(Mesi, EnterConfirmsAndEscapeCancelsFromTheKeyboard) {
    Mostra(mDlg);
    // Enter while typing commits the cell; Enter again presses OK.
    Scrivi(Grd(), 2, 1, QStringLiteral("MRZ"));
    QTest::keyClick(Fuoco(), Qt::Key_Return);
    EXPECT_TRUE(mDlg.isVisible());
    QTest::keyClick(Fuoco(), Qt::Key_Return);
    EXPECT_FALSE(mDlg.isVisible());
    EXPECT_FALSE(mDlg.mbCancel);
    EXPECT_EQ(mDlg.Mesi(2), "MRZ");

    // Escape while typing drops the edit; Escape again cancels the dialog.
    Mostra(mDlg);
    Scrivi(Grd(), 3, 1, QStringLiteral("ABC"));
    QTest::keyClick(Fuoco(), Qt::Key_Escape);
    EXPECT_TRUE(mDlg.isVisible());
    EXPECT_EQ(Codice(3), "APR");
    QTest::keyClick(Fuoco(), Qt::Key_Escape);
    EXPECT_FALSE(mDlg.isVisible());
    EXPECT_TRUE(mDlg.mbCancel);
    EXPECT_EQ(mDlg.Mesi(3), "APR");
}

TEST_F(Mesi, MonthIndexesOutsideTheYearThrow) {
    EXPECT_THROW(mDlg.Mesi(12), std::out_of_range);
    EXPECT_THROW(mDlg.Mesi(-1, "X"), std::out_of_range);
}

// A caller's round trip through exec(), as the transformation page does it.
TEST_F(Mesi, ModalExecHandsTheCodesBack) {
    clsDriver driver;
    for (int i = 0; i < 12; ++i) driver.Mesi(i, kTreLettere[static_cast<size_t>(i)]);
    bool eseguito = false;
    QTimer::singleShot(0, [&] {
        auto* dlg = qobject_cast<frmImpostazioniData*>(qApp->activeModalWidget());
        ASSERT_NE(dlg, nullptr);
        dlg->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dlg));
        auto* grd = dlg->ui()->grdMesi;
        for (int i = 0; i < 12; ++i) {
            Scrivi(grd, i, 1, QStringLiteral("M%1").arg(i % 10));
            Conferma(grd);
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        eseguito = true;
    });
    frmImpostazioniData dlg;
    for (int i = 0; i < 12; ++i) dlg.Mesi(i, driver.Mesi(i));
    EXPECT_EQ(dlg.exec(), QDialog::Accepted);
    ASSERT_TRUE(eseguito);
    ASSERT_FALSE(dlg.mbCancel);
    for (int i = 0; i < 12; ++i) driver.Mesi(i, dlg.Mesi(i));
    EXPECT_EQ(driver.Mesi(0), "M0");
    EXPECT_EQ(driver.Mesi(11), "M1");
}

// ---------------------------------------------------------------- duration

class Durata : public Impostazioni {
  protected:
    // Chooses the entries by their texts, as the user sees them, and presses OK.
    void Scegli(const QString& frazione, const QString& unita) {
        auto* ui = mDlg.ui();
        const int f = ui->cboFrazioni->findText(frazione);
        const int u = ui->cboUnita->findText(unita);
        ASSERT_GE(f, 0) << frazione.toStdString();
        ASSERT_GE(u, 0) << unita.toStdString();
        ui->cboFrazioni->setCurrentIndex(f);
        ui->cboUnita->setCurrentIndex(u);
    }
    frmImpostazioniDurata mDlg;
};

TEST_F(Durata, FactorsOfTheFractionsAndUnits) {
    struct Caso {
        const char* frazione;
        const char* unita;
        int16_t iFrazione;
        int16_t iUnita;
        int32_t fattore;
    };
    const Caso casi[] = {
        {"1/10", "Secondo", 8, 0, 10}, {"1/2", "Minuto", 0, 1, 30},
        {"1/8", "Minuto", 6, 1, 8},  // 7.5: the half goes to the even neighbour
        {"1/3", "Ora", 1, 2, 1200},    {"1/7", "Giorno", 5, 3, 12343},
        {"1/16", "Minuto", 14, 1, 4},  // 3.75
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(std::string(c.frazione) + " " + c.unita);
        Mostra(mDlg);
        Scegli(QString::fromUtf8(c.frazione), QString::fromUtf8(c.unita));
        mDlg.ui()->cmOK->click();
        EXPECT_FALSE(mDlg.isVisible());
        EXPECT_FALSE(mDlg.mbCancel);
        EXPECT_EQ(mDlg.miFrazioneDurata, c.iFrazione);
        EXPECT_EQ(mDlg.miUnitaDurata, c.iUnita);
        EXPECT_EQ(mDlg.mlConversioneDurata, c.fattore);
        EXPECT_EQ(frmImpostazioniDurata::FattoreDurata(c.iFrazione, c.iUnita), c.fattore);
    }
    EXPECT_TRUE(Messaggi().isEmpty());
}

TEST_F(Durata, ListsHoldFifteenFractionsAndFourUnitsWithTheStoredOnesSelected) {
    mDlg.miFrazioneDurata = 3;
    mDlg.miUnitaDurata = 2;
    Mostra(mDlg);
    auto* ui = mDlg.ui();
    ASSERT_EQ(ui->cboFrazioni->count(), 15);
    EXPECT_EQ(ui->cboFrazioni->itemText(0), QStringLiteral("1/2"));
    EXPECT_EQ(ui->cboFrazioni->itemText(14), QStringLiteral("1/16"));
    ASSERT_EQ(ui->cboUnita->count(), 4);
    EXPECT_EQ(ui->cboUnita->itemText(0), QStringLiteral("Secondo"));
    EXPECT_EQ(ui->cboUnita->itemText(3), QStringLiteral("Giorno"));
    EXPECT_EQ(ui->cboFrazioni->currentText(), QStringLiteral("1/5"));
    EXPECT_EQ(ui->cboUnita->currentText(), QStringLiteral("Ora"));
    EXPECT_EQ(ui->Label1->text(), QStringLiteral("&Durata in"));
    EXPECT_EQ(ui->Label2->text(), QStringLiteral("&di"));
    EXPECT_EQ(mDlg.windowTitle(), QStringLiteral("Impostazioni"));
}

TEST_F(Durata, BothListsNeedASelection) {
    // Unset (-1) and out-of-range indexes leave the lists without a selection.
    mDlg.miFrazioneDurata = 40;
    mDlg.mlConversioneDurata = 77;
    Mostra(mDlg);
    EXPECT_EQ(mDlg.ui()->cboFrazioni->currentIndex(), -1);
    EXPECT_EQ(mDlg.ui()->cboUnita->currentIndex(), -1);
    mDlg.ui()->cmOK->click();
    mDlg.ui()->cboUnita->setCurrentIndex(1);
    mDlg.ui()->cmOK->click();
    EXPECT_EQ(Messaggi(), (QStringList{kSelezionare, kSelezionare}));
    EXPECT_TRUE(mDlg.isVisible());
    EXPECT_TRUE(mDlg.mbCancel);
    EXPECT_EQ(Fuoco(), mDlg.ui()->cboFrazioni);
    EXPECT_EQ(mDlg.mlConversioneDurata, 77);
    EXPECT_EQ(mDlg.miUnitaDurata, -1);
}

TEST_F(Durata, KeyboardChoosesConfirmsAndCancels) {
    mDlg.miFrazioneDurata = 0;
    mDlg.miUnitaDurata = 0;
    mDlg.mlConversioneDurata = 2;
    Mostra(mDlg);
    // Focus starts on the unit list; Tab goes on to the fraction list.
    EXPECT_EQ(Fuoco(), mDlg.ui()->cboUnita);
    QTest::keyClick(Fuoco(), Qt::Key_Down);  // Minuto
    QTest::keyClick(Fuoco(), Qt::Key_Tab);
    EXPECT_EQ(Fuoco(), mDlg.ui()->cboFrazioni);
    QTest::keyClick(Fuoco(), Qt::Key_Down);  // 1/3
    QTest::keyClick(Fuoco(), Qt::Key_Escape);
    EXPECT_FALSE(mDlg.isVisible());
    EXPECT_TRUE(mDlg.mbCancel);
    EXPECT_EQ(mDlg.miFrazioneDurata, 0);
    EXPECT_EQ(mDlg.miUnitaDurata, 0);
    EXPECT_EQ(mDlg.mlConversioneDurata, 2);

    Mostra(mDlg);
    EXPECT_EQ(mDlg.ui()->cboUnita->currentIndex(), 0);  // the cancelled choice is gone
    QTest::keyClick(Fuoco(), Qt::Key_Down);
    QTest::keyClick(Fuoco(), Qt::Key_Tab);
    QTest::keyClick(Fuoco(), Qt::Key_Down);
    QTest::keyClick(Fuoco(), Qt::Key_Return);
    EXPECT_FALSE(mDlg.isVisible());
    EXPECT_FALSE(mDlg.mbCancel);
    EXPECT_EQ(mDlg.miUnitaDurata, 1);
    EXPECT_EQ(mDlg.miFrazioneDurata, 1);
    EXPECT_EQ(mDlg.mlConversioneDurata, 20);
}

// ---------------------------------------------------------------- pulse divisor

class Scatti : public Impostazioni {
  protected:
    QLineEdit* Txt() { return mDlg.ui()->txtDividere; }
    frmImpostazioniScatti mDlg;
};

TEST_F(Scatti, ShowsTheStoredDivisorAndTakesAWholeNumber) {
    mDlg.mlDividereScatti = 7;
    Mostra(mDlg);
    EXPECT_EQ(Txt()->text(), QStringLiteral("7"));
    EXPECT_EQ(Fuoco(), Txt());
    EXPECT_EQ(
        mDlg.ui()->Label1->text(),
        QStringLiteral("&Per ottenere il numero di scatti dal costo in valuta dividere per:"));
    // The stored text is selected: typing replaces it.
    QTest::keyClicks(Txt(), QStringLiteral("100"));
    QTest::keyClick(Txt(), Qt::Key_Return);
    EXPECT_FALSE(mDlg.isVisible());
    EXPECT_FALSE(mDlg.mbCancel);
    EXPECT_EQ(mDlg.mlDividereScatti, 100);
    EXPECT_TRUE(Messaggi().isEmpty());
}

TEST_F(Scatti, OnlyWholeNumbersPass) {
    mDlg.mlDividereScatti = 5;
    Mostra(mDlg);
    const QStringList rifiutati = {QStringLiteral("1,5"),
                                   QStringLiteral("1.5"),
                                   QStringLiteral("100."),
                                   QStringLiteral("cento"),
                                   QString(),
                                   QStringLiteral("  "),
                                   QStringLiteral("12a"),
                                   QStringLiteral("99999999999"),
                                   QStringLiteral("\u0661\u0662")};
    for (const QString& t : rifiutati) {
        Txt()->setText(t);
        mDlg.ui()->cmOK->click();
        EXPECT_TRUE(mDlg.isVisible()) << t.toStdString();
    }
    EXPECT_EQ(Messaggi(), QStringList(QList<QString>(rifiutati.size(), kIntero)));
    EXPECT_EQ(mDlg.mlDividereScatti, 5);
    EXPECT_TRUE(mDlg.mbCancel);
    EXPECT_EQ(Fuoco(), Txt());

    Txt()->setText(QStringLiteral(" 250 "));
    mDlg.ui()->cmOK->click();
    EXPECT_FALSE(mDlg.isVisible());
    EXPECT_EQ(mDlg.mlDividereScatti, 250);
    EXPECT_EQ(frmImpostazioniScatti::LeggiDivisore(QStringLiteral("1e3")), 1000);
    EXPECT_EQ(frmImpostazioniScatti::LeggiDivisore(QStringLiteral("2147483647")), 2147483647);
    EXPECT_EQ(frmImpostazioniScatti::LeggiDivisore(QStringLiteral("2147483648")), std::nullopt);
}

TEST_F(Scatti, CancellingLeavesTheDivisor) {
    mDlg.mlDividereScatti = 12;
    Mostra(mDlg);
    QTest::keyClicks(Txt(), QStringLiteral("40"));
    mDlg.ui()->cmdAnnulla->click();
    EXPECT_TRUE(mDlg.mbCancel);
    EXPECT_EQ(mDlg.mlDividereScatti, 12);

    Mostra(mDlg);
    EXPECT_EQ(Txt()->text(), QStringLiteral("12"));
    QTest::keyClicks(Txt(), QStringLiteral("40"));
    QTest::keyClick(Txt(), Qt::Key_Escape);
    EXPECT_FALSE(mDlg.isVisible());
    EXPECT_TRUE(mDlg.mbCancel);
    EXPECT_EQ(mDlg.mlDividereScatti, 12);
}

// ---------------------------------------------------------------- prescanning

class Prescanning : public Impostazioni {
  protected:
    void SetUp() override {
        Impostazioni::SetUp();
        moDriver = std::make_unique<clsDriver>();
        moDriver->mcolPrescanning.emplace();
        moDriver->mcolPrescanning->Add(clsPrescanning{"Filtro", "1"});
        moDriver->mcolPrescanning->Add(clsPrescanning{"Salta", "ABC"});
        moDriver->mcolPrescanning->Add(clsPrescanning{"Fine", "\xB7Z"});
        moDriver->mbConPrescanning = true;
        mpDlg = std::make_unique<frmPrescanning>(moDriver);
    }
    void TearDown() override {
        mpDlg.reset();
        Impostazioni::TearDown();
    }
    clsGriglia* Grd() { return mpDlg->ui()->grdPrescanning; }
    std::vector<std::pair<std::string, std::string>> Voci() {
        std::vector<std::pair<std::string, std::string>> v;
        for (const auto& voce : *moDriver->mcolPrescanning)
            v.emplace_back(voce.valore.sEntry, voce.valore.sValue);
        return v;
    }
    using Coppie = std::vector<std::pair<std::string, std::string>>;

    std::unique_ptr<clsDriver> moDriver;
    std::unique_ptr<frmPrescanning> mpDlg;
};

TEST_F(Prescanning, ShowsTheEntriesInOrderWithAnEntryRow) {
    Mostra(*mpDlg);
    EXPECT_EQ(mpDlg->windowTitle(), QStringLiteral("Prescanning"));
    auto* m = Grd()->model();
    EXPECT_EQ(m->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Parametro"));
    EXPECT_EQ(m->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Valore"));
    EXPECT_EQ(m->rowCount(), 4);  // three entries and the entry row
    EXPECT_EQ(m->index(1, 0).data().toString(), QStringLiteral("Salta"));
    EXPECT_EQ(m->index(2, 1).data().toString(), QStringLiteral("\u00B7Z"));
    EXPECT_EQ(Fuoco(), Grd());
}

TEST_F(Prescanning, AddDeleteAndEditBecomeTheNewTableOnOk) {
    Mostra(*mpDlg);
    // Edit: the value of "Salta".
    Scrivi(Grd(), 1, 1, QStringLiteral("XYZ"));
    Conferma(Grd());
    // Delete: "Filtro", by Ctrl+Delete on its row.
    Grd()->ImpostaCellaCorrente(0, 0);
    QTest::keyClick(Grd(), Qt::Key_Delete, Qt::ControlModifier);
    ASSERT_EQ(mpDlg->mrgxPrescanning.Righe(), 2);
    // Add: two rows through the entry row, the second with a parameter only.
    Scrivi(Grd(), 2, 0, QStringLiteral("Nuovo"));
    QTest::keyClick(Editor(Grd()), Qt::Key_Tab);
    Scrivi(Grd(), 2, 1, QStringLiteral("42"));
    Conferma(Grd());
    Scrivi(Grd(), 3, 0, QStringLiteral("Solo"));
    Conferma(Grd());
    // Nothing reaches the driver before OK.
    EXPECT_EQ(moDriver->mcolPrescanning->Count(), 3);
    mpDlg->ui()->cmOK->click();
    EXPECT_FALSE(mpDlg->mbCancel);
    EXPECT_EQ(mpDlg->result(), QDialog::Accepted);
    EXPECT_EQ(Voci(), (Coppie{{"Salta", "XYZ"}, {"Fine", "\xB7Z"}, {"Nuovo", "42"}, {"Solo", ""}}));
    // The entries are appended without keys; the switch stays the caller's.
    EXPECT_FALSE(moDriver->mcolPrescanning->Chiave(1).has_value());
    EXPECT_TRUE(moDriver->mbConPrescanning);
    EXPECT_TRUE(Messaggi().isEmpty());
}

TEST_F(Prescanning, RowsOfBlanksAreDroppedAndTextIsKeptAsTyped) {
    Mostra(*mpDlg);
    Scrivi(Grd(), 0, 0, QStringLiteral("   "));
    Conferma(Grd());
    Scrivi(Grd(), 0, 1, QStringLiteral(" "));
    Conferma(Grd());
    Scrivi(Grd(), 1, 1, QStringLiteral(" A B "));
    Conferma(Grd());
    QTest::keyClick(Fuoco(), Qt::Key_Return);  // OK from the keyboard
    EXPECT_FALSE(mpDlg->isVisible());
    EXPECT_FALSE(mpDlg->mbCancel);
    EXPECT_EQ(Voci(), (Coppie{{"Salta", " A B "}, {"Fine", "\xB7Z"}}));
}

TEST_F(Prescanning, DeletingEveryRowEmptiesTheTable) {
    Mostra(*mpDlg);
    for (int i = 0; i < 3; ++i) {
        Grd()->ImpostaCellaCorrente(0, 0);
        QTest::keyClick(Grd(), Qt::Key_Delete, Qt::ControlModifier);
    }
    EXPECT_EQ(mpDlg->mrgxPrescanning.Righe(), 0);
    // Ctrl+Delete on the entry row deletes nothing.
    QTest::keyClick(Grd(), Qt::Key_Delete, Qt::ControlModifier);
    mpDlg->ui()->cmOK->click();
    EXPECT_EQ(moDriver->mcolPrescanning->Count(), 0);
}

TEST_F(Prescanning, CancellingLeavesTheEntries) {
    const Coppie prima = Voci();
    Mostra(*mpDlg);
    Grd()->ImpostaCellaCorrente(0, 0);
    QTest::keyClick(Grd(), Qt::Key_Delete, Qt::ControlModifier);
    Scrivi(Grd(), 0, 1, QStringLiteral("QQ"));
    Conferma(Grd());
    mpDlg->ui()->cmdAnnulla->click();
    EXPECT_TRUE(mpDlg->mbCancel);
    EXPECT_EQ(Voci(), prima);

    // Escape while typing drops the edit, a second Escape cancels.
    Mostra(*mpDlg);
    EXPECT_EQ(mpDlg->mrgxPrescanning.Righe(), 3);
    Scrivi(Grd(), 3, 0, QStringLiteral("Altro"));
    QTest::keyClick(Fuoco(), Qt::Key_Escape);
    QTest::keyClick(Fuoco(), Qt::Key_Escape);
    EXPECT_FALSE(mpDlg->isVisible());
    EXPECT_TRUE(mpDlg->mbCancel);
    EXPECT_EQ(Voci(), prima);
}

TEST_F(Prescanning, WithoutADriverOneIsMadeAndRowsCanBeAdded) {
    std::unique_ptr<clsDriver> nessuno;
    bool eseguito = false;
    QTimer::singleShot(0, [&] {
        auto* dlg = qobject_cast<frmPrescanning*>(qApp->activeModalWidget());
        ASSERT_NE(dlg, nullptr);
        dlg->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dlg));
        auto* grd = dlg->ui()->grdPrescanning;
        EXPECT_EQ(grd->model()->rowCount(), 1);  // only the entry row
        Scrivi(grd, 0, 0, QStringLiteral("Primo"));
        QTest::keyClick(Editor(grd), Qt::Key_Tab);
        Scrivi(grd, 0, 1, QStringLiteral("1"));
        Conferma(grd);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        eseguito = true;
    });
    frmPrescanning dlg(nessuno);
    EXPECT_EQ(dlg.exec(), QDialog::Accepted);
    ASSERT_TRUE(eseguito);
    ASSERT_TRUE(nessuno);
    ASSERT_TRUE(nessuno->mcolPrescanning.has_value());
    ASSERT_EQ(nessuno->mcolPrescanning->Count(), 1);
    EXPECT_EQ(nessuno->mcolPrescanning->Item(1).sEntry, "Primo");
    EXPECT_EQ(nessuno->mcolPrescanning->Item(1).sValue, "1");
}

// ---------------------------------------------------------------- pictures

// With TARNO_SCREENSHOTS naming a folder, each dialog is saved there as a PNG with data in it.
TEST_F(Impostazioni, ScreenshotsOfTheDialogs) {
    const QString cartella = qEnvironmentVariable("TARNO_SCREENSHOTS");
    if (cartella.isEmpty()) GTEST_SKIP() << "TARNO_SCREENSHOTS not set";
    QDir().mkpath(cartella);

    frmImpostazioniData mesi;
    for (int i = 0; i < 12; ++i) mesi.Mesi(i, kTreLettere[static_cast<size_t>(i)]);
    Mostra(mesi);
    EXPECT_TRUE(mesi.grab().save(cartella + "/frmImpostazioniData.png"));

    frmImpostazioniDurata durata;
    durata.miFrazioneDurata = 8;
    durata.miUnitaDurata = 0;
    Mostra(durata);
    EXPECT_TRUE(durata.grab().save(cartella + "/frmImpostazioniDurata.png"));

    frmImpostazioniScatti scatti;
    scatti.mlDividereScatti = 100;
    Mostra(scatti);
    EXPECT_TRUE(scatti.grab().save(cartella + "/frmImpostazioniScatti.png"));

    auto driver = std::make_unique<clsDriver>();
    driver->mcolPrescanning.emplace();
    driver->mcolPrescanning->Add(clsPrescanning{"Filtro", "1"});
    driver->mcolPrescanning->Add(clsPrescanning{"SaltaRighe", "-----"});
    frmPrescanning prescanning(driver);
    Mostra(prescanning);
    EXPECT_TRUE(prescanning.grab().save(cartella + "/frmPrescanning.png"));
}

}  // namespace
