// Undo and redo of the document's edits through the Edit menu and its keys: a grid cell, a
// field marked on the sample, a dialog's confirmed result and typing in a text box, with the
// dirty flag and the title following the history, a save as its clean point, and New ending it.

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTabWidget>

#include "AiutiPagine.h"
#include "pagine/PaginaCampi.h"
#include "pagine/PaginaTrasformazioni.h"
#include "pagine/frmPrescanning.h"
#include "ui_frmPrescanning.h"

using namespace tarno;
using namespace tarno::test;

namespace {

class AnnullaTest : public FinestraDemo {
  protected:
    QAction* Annulla() const { return Strumento("mnuAnnulla"); }
    QAction* Ripristina() const { return Strumento("mnuRipristina"); }
};

TEST_F(AnnullaTest, EditsAreUndoneAndRedoneAndTheDirtyFlagFollowsTheHistory) {
    const QString panasonic = Driver(QStringLiteral("PanasonicTDA.drv"));
    mF->FileApri(panasonic);
    const QString pulito = QStringLiteral("Tarno Driver - ") + panasonic;
    ASSERT_EQ(TitoloMostrato(*mF), pulito);
    EXPECT_FALSE(Annulla()->isEnabled() || Ripristina()->isEnabled());
    PaginaCampi& usc = *PagUscenti();
    const auto cella = [&](int r, int c) { return mF->Documento().mrgxUscenti.Cella(r, c); };
    struct Modifica {
        const char* nome;
        std::function<void()> fai;
        std::function<std::string()> valore;
    };
    const Modifica modifiche[] = {
        {"cell",
         [&] {
             U()->tabDriver->setCurrentIndex(4);
             QApplication::setActiveWindow(mF.get());  // the dialog took the focus away
             ASSERT_TRUE(QTest::qWaitForWindowActive(mF.get()));
             Immetti(*usc.mpGriglia, Campi::RIGA_DERIVATO, Campi::COL_LUNG, QStringLiteral("2"));
         },
         [&] { return cella(Campi::RIGA_DERIVATO, Campi::COL_LUNG); }},
        {"marking",
         [&] {
             U()->rtfTesto->setPlainText(QString(80, QLatin1Char('x')));
             Seleziona(U()->rtfTesto, 76, 79);
             usc.chkCampo(Campi::RIGA_SCATTI)->click();
         },
         [&] {
             return cella(Campi::RIGA_SCATTI, Campi::COL_POSIZ) +
                    cella(Campi::RIGA_SCATTI, Campi::COL_LUNG);
         }},
        {"dialog",
         [&] {
             U()->tabDriver->setCurrentIndex(2);
             PagTrasf()->grdTrasf->ImpostaCellaCorrente(Trasf::PRESCANNING, 1);
             auto visto = AlModale<frmPrescanning>([](frmPrescanning& d) {
                 Immetti(*d.ui()->grdPrescanning, 0, 0, QStringLiteral("Filtro"));
                 Immetti(*d.ui()->grdPrescanning, 0, 1, QStringLiteral("1"));
                 d.ui()->cmOK->click();
             });
             PagTrasf()->cmdImpTrasfGrd->click();
             EXPECT_TRUE(*visto);
         },
         [&] {
             const auto& p = mF->Documento().moDriver->mcolPrescanning;
             return std::to_string(p ? p->Count() : 0) +
                    mF->Documento().mrgxTrasf.Cella(Trasf::PRESCANNING, 1);
         }},
        {"typing",
         [&] {
             U()->tabDriver->setCurrentIndex(0);
             QTest::keyClicks(U()->txtAutore, QStringLiteral("abc"));
         },
         [&] { return U()->txtAutore->text().toStdString(); }},
        {"separated fields",
         [&] {
             U()->chkCampiSeparati->click();
             U()->cboSeparatore->setFocus();
             QTest::keyClick(U()->cboSeparatore, Qt::Key_Backspace);
             QTest::keyClicks(U()->cboSeparatore, QStringLiteral("<TAB>"));
         },
         [&] {
             const clsDriver& d = *mF->Documento().moDriver;
             return std::to_string(d.mbCampiSeparati) + d.msSeparatoreCampi +
                    U()->cboSeparatore->currentText().toStdString() +
                    std::to_string(U()->cboVirgolette->isEnabled());
         }},
    };
    const int n = std::size(modifiche);
    const int pagine[] = {4, 4, 2, 0, 0};  // where each edit is made, shown when it is undone
    std::vector<std::string> prima, dopo;
    for (const Modifica& m : modifiche) {
        prima.push_back(m.valore());
        m.fai();
        QApplication::processEvents();  // the step is taken once the action is over
        dopo.push_back(m.valore());
        ASSERT_NE(prima.back(), dopo.back()) << m.nome;
        EXPECT_TRUE(mF->Documento().NonSalvato() && Annulla()->isEnabled()) << m.nome;
        EXPECT_EQ(TitoloMostrato(*mF), pulito + "*") << m.nome;
    }
    ASSERT_TRUE(Testi().isEmpty()) << Testi().join('|').toStdString();
    // The first n edits applied, the others not.
    const auto stato = [&](int applicate) {
        std::string r;
        for (int j = 0; j < n; ++j) r += (j < applicate ? dopo[j] : prima[j]) + "|";
        return r;
    };
    const auto valori = [&] {
        std::string r;
        for (const Modifica& m : modifiche) r += m.valore() + "|";
        return r;
    };
    // Back to the opened driver one edit at a time (Ctrl+Z on a grid without an open editor),
    // then forward again.
    U()->tabDriver->setCurrentIndex(4);
    QApplication::setActiveWindow(mF.get());  // the dialog took the focus away
    ASSERT_TRUE(QTest::qWaitForWindowActive(mF.get()));
    for (int i = n - 1; i >= 0; --i) {
        usc.mpGriglia->setFocus();
        QTest::keyClick(usc.mpGriglia, Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(valori(), stato(i)) << modifiche[i].nome;
        EXPECT_EQ(mF->Documento().NonSalvato(), i > 0) << modifiche[i].nome;
        EXPECT_EQ(U()->tabDriver->currentIndex(), pagine[i]) << modifiche[i].nome;
    }
    EXPECT_EQ(TitoloMostrato(*mF), pulito);
    EXPECT_FALSE(Annulla()->isEnabled() || U()->mnuSalva->isEnabled());
    for (int i = 1; i <= n; ++i) {
        Ripristina()->trigger();
        EXPECT_EQ(valori(), stato(i)) << modifiche[i - 1].nome;
        EXPECT_TRUE(mF->Documento().NonSalvato() && U()->mnuSalva->isEnabled());
    }
    EXPECT_FALSE(Ripristina()->isEnabled());

    // A save is the clean point: undoing from there makes the document dirty, redoing clean.
    ASSERT_TRUE(mF->FileSalva(false)) << Testi().join('|').toStdString();
    EXPECT_FALSE(mF->Documento().NonSalvato());
    Annulla()->trigger();
    EXPECT_EQ(valori(), stato(n - 1));
    EXPECT_EQ(TitoloMostrato(*mF), pulito + "*");
    Ripristina()->trigger();
    EXPECT_FALSE(mF->Documento().NonSalvato());
    EXPECT_EQ(TitoloMostrato(*mF), pulito);

    // Ctrl+Z in a text box undoes its own typing; New ends the history.
    QTest::keyClicks(U()->txtVersione, QStringLiteral("9"));
    QApplication::processEvents();
    U()->txtVersione->setFocus();
    QTest::keyClick(U()->txtVersione, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(U()->txtVersione->text().toStdString(), mF->Documento().moDriver->msVersione);
    QApplication::processEvents();
    EXPECT_FALSE(mF->Documento().NonSalvato());  // typed and taken back: no step is left
    mUI.mRisposte = {RispostaUI::No};
    mF->FileNuovo();
    EXPECT_FALSE(Annulla()->isEnabled() || Ripristina()->isEnabled() ||
                 mF->Documento().NonSalvato());
    EXPECT_EQ(TitoloMostrato(*mF), QStringLiteral("Tarno Driver"));

    // A refused character (one a driver file cannot hold, a letter in a number column) changes
    // nothing and marks nothing.
    QTest::sendKeyEvent(QTest::Click, U()->txtAutore, Qt::Key_unknown, QStringLiteral("\u03A9"),
                        Qt::NoModifier);
    U()->tabDriver->setCurrentIndex(4);
    usc.mpGriglia->setFocus();
    usc.mpGriglia->ImpostaCellaCorrente(Campi::RIGA_DERIVATO, Campi::COL_LUNG);
    Digita(*usc.mpGriglia, QStringLiteral("x"));
    Tasto(*usc.mpGriglia, Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_TRUE(U()->txtAutore->text().isEmpty());
    EXPECT_FALSE(Annulla()->isEnabled() || mF->Documento().NonSalvato());
}

}  // namespace
