// Undo and redo of the edits of the document: the Edit menu's entries over the document's
// history, the unsaved mark in the title and the Save entry, and the general page following a
// state put back.

#include <QAction>
#include <QComboBox>
#include <QKeySequence>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTabWidget>
#include <QUndoStack>

#include "documento/DocumentoDriver.h"
#include "finestra/frmDriver.h"
#include "kit/Risorse.h"
#include "ui_frmDriver.h"

namespace tarno {

void frmDriver::PreparaStoria() {
    // A step shows the page it was made on when it is undone or redone.
    mpDoc->mfnLuogo = [this] { return mpUi->tabDriver->currentIndex(); };
    connect(mpDoc, &DocumentoDriver::PassoApplicato, this,
            [this](int iPagina) { mpUi->tabDriver->setCurrentIndex(iPagina); });
    connect(mpDoc, &DocumentoDriver::StatoSalvataggioCambiato, this,
            &frmDriver::AggiornaStatoModifiche);
    connect(mpDoc->Storia(), &QUndoStack::indexChanged, this, &frmDriver::AggiornaStatoModifiche);
    connect(mpDoc, &DocumentoDriver::Cambiato, this, [this] {
        AggiornaStatoModifiche();
        PianificaAnteprima();
        // The counts of a verification belong to the driver as it was verified.
        if (!msEsitoVerifica.isEmpty() && statusBar()->currentMessage() == msEsitoVerifica)
            statusBar()->clearMessage();
        msEsitoVerifica.clear();
    });
    connect(mpDoc, &DocumentoDriver::Ripristinato, this, &frmDriver::MostraTestiGenerali);

    QAction* annulla = mpUi->mnuAnnulla;
    QAction* ripristina = mpUi->mnuRipristina;
    annulla->setText(TestoRisorsa(30800, "&Annulla"));
    annulla->setToolTip(TestoRisorsa(30801, "Annulla l'ultima modifica"));
    ripristina->setText(TestoRisorsa(30802, "&Ripristina"));
    ripristina->setToolTip(TestoRisorsa(30803, "Ripristina la modifica annullata"));
    annulla->setShortcuts(QKeySequence::Undo);
    ripristina->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    for (QAction* a : {annulla, ripristina})
        connect(a, &QAction::triggered, this, [this, a] { MainMenu_ToolClick(a); });
    // A cell being edited is committed first, so that the step undone is that edit.
    mfnComandi[QStringLiteral("mnuAnnulla")] = [this](QAction*) {
        if (AggiornaGriglie()) mpDoc->Annulla();
    };
    mfnComandi[QStringLiteral("mnuRipristina")] = [this](QAction*) {
        if (AggiornaGriglie()) mpDoc->Ripristina();
    };
    mpDoc->SegnaSalvato();
    AggiornaTitolo();  // with the place of the mark of unsaved changes
    AggiornaStatoModifiche();
}

void frmDriver::AggiornaStatoModifiche() {
    const bool nonSalvato = mpDoc->NonSalvato();
    mpUi->mnuSalva->setEnabled(nonSalvato);
    setWindowModified(nonSalvato);
    mpUi->mnuAnnulla->setEnabled(mpDoc->PuoAnnullare());
    mpUi->mnuRipristina->setEnabled(mpDoc->PuoRipristinare());
}

void frmDriver::MostraTestiGenerali() {
    // Filling the boxes changes the document's texts on the way (the brand's models replace
    // the model): what to show is taken first.
    std::array<QString, DocumentoDriver::NUM_TESTI> v;
    for (int i = 0; i < DocumentoDriver::NUM_TESTI; ++i)
        v[i] = mpDoc->TestoGenerale(DocumentoDriver::Testo(i));
    mbRiempimento = true;
    const auto testo = [](QLineEdit* t, const QString& s) {
        if (t->text() != s) t->setText(s);
    };
    testo(mpUi->txtAutore, v[DocumentoDriver::AUTORE]);
    testo(mpUi->txtData, v[DocumentoDriver::DATA]);
    testo(mpUi->txtVersione, v[DocumentoDriver::VERSIONE]);
    if (mpUi->txtNote->toPlainText() != v[DocumentoDriver::NOTE])
        mpUi->txtNote->setPlainText(v[DocumentoDriver::NOTE]);
    // An empty box has no entry of its list chosen either.
    const auto combo = [](QComboBox* c, const QString& t) {
        if (t.isEmpty()) c->setCurrentIndex(-1);
        if (c->currentText() != t) c->setEditText(t);
    };
    if (mpUi->cboMarca->currentText() != v[DocumentoDriver::MARCA] ||
        v[DocumentoDriver::MARCA].isEmpty()) {
        combo(mpUi->cboMarca, v[DocumentoDriver::MARCA]);
        CercaModello();  // the models of that brand
        mbRiempimento = true;
    }
    combo(mpUi->cboModello, v[DocumentoDriver::MODELLO]);
    mbRiempimento = false;
}

}  // namespace tarno
