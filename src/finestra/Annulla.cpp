// Undo and redo of the edits of the document. Every edit already reaches Cambiato(true); once
// the event loop is done with the user's action, the document as the views hold it is compared
// with the state the history last recorded, and a difference becomes one step. A step keeps
// the two states and puts either back into the views. Keys typed into one text box in a row
// make a single step.

#include <QAction>
#include <QKeySequence>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTimer>
#include <QUndoStack>

#include "DriverJson.h"
#include "PaginaCampi.h"
#include "PaginaIdentificazione.h"
#include "PaginaTrasformazioni.h"
#include "Risorse.h"
#include "clsGriglia.h"
#include "frmDriver.h"
#include "ui_frmDriver.h"

namespace tarno {

namespace {

constexpr int ID_DIGITAZIONE = 1;
// The oldest steps go beyond this many.
constexpr int LIMITE_PASSI = 200;

class PassoModifica : public QUndoCommand {
  public:
    PassoModifica(frmDriver& finestra, frmDriver::StatoDocumento prima,
                  frmDriver::StatoDocumento dopo, QObject* pFonte)
        : mFinestra(finestra),
          mPrima(std::move(prima)),
          mDopo(std::move(dopo)),
          mpFonte(pFonte),
          miPagina(finestra.ui()->tabDriver->currentIndex()) {}

    // Both show the page the edit was made on.
    void undo() override {
        mFinestra.RipristinaDocumento(mPrima);
        mFinestra.ui()->tabDriver->setCurrentIndex(miPagina);
    }
    void redo() override {
        // Pushing the step finds the views already in the state after it.
        if (mbFatto) {
            mFinestra.RipristinaDocumento(mDopo);
            mFinestra.ui()->tabDriver->setCurrentIndex(miPagina);
        }
        mbFatto = true;
    }
    int id() const override { return mpFonte ? ID_DIGITAZIONE : -1; }
    bool mergeWith(const QUndoCommand* altro) override {
        const auto* p = static_cast<const PassoModifica*>(altro);
        if (p->mpFonte != mpFonte) return false;
        mDopo = p->mDopo;
        // Typing that went back to where it started leaves no step.
        setObsolete(mPrima == mDopo);
        return true;
    }

  private:
    frmDriver& mFinestra;
    frmDriver::StatoDocumento mPrima, mDopo;
    QObject* mpFonte;
    int miPagina;
    bool mbFatto = false;
};

}  // namespace

bool frmDriver::StatoDocumento::operator==(const StatoDocumento& altro) const {
    return vTesti == altro.vTesti && rgxIdent == altro.rgxIdent && rgxTrasf == altro.rgxTrasf &&
           rgxEntranti == altro.rgxEntranti && rgxUscenti == altro.rgxUscenti &&
           iFrazioneDurata == altro.iFrazioneDurata && iUnitaDurata == altro.iUnitaDurata &&
           lConversioneDurata == altro.lConversioneDurata &&
           lDividereScatti == altro.lDividereScatti && sDriver == altro.sDriver;
}

void frmDriver::PreparaStoria() {
    mpStoria = new QUndoStack(this);
    mpStoria->setUndoLimit(LIMITE_PASSI);
    mpTimerStoria = new QTimer(this);
    mpTimerStoria->setSingleShot(true);
    mpTimerStoria->setInterval(0);
    connect(mpTimerStoria, &QTimer::timeout, this, &frmDriver::RegistraModifiche);
    connect(mpStoria, &QUndoStack::indexChanged, this, [this] {
        mbChanged = !mpStoria->isClean();
        AggiornaStatoModifiche();
    });

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
        if (!AggiornaGriglie()) return;
        RegistraModifiche();
        mpStoria->undo();
    };
    mfnComandi[QStringLiteral("mnuRipristina")] = [this](QAction*) {
        if (!AggiornaGriglie()) return;
        RegistraModifiche();
        mpStoria->redo();
    };
    mStatoRegistrato = FotografaDocumento();
    AggiornaTitolo();  // with the place of the mark of unsaved changes
    AggiornaStatoModifiche();
}

void frmDriver::CambiatoDa(QObject* pFonte) {
    if (mbRipristino) return;
    // Changes from different places within one action make a step of their own.
    mpFonteTesto = mpTimerStoria->isActive() && mpFonteTesto != pFonte ? nullptr : pFonte;
    mbChanged = true;
    mpTimerStoria->start();
    AggiornaStatoModifiche();
    PianificaAnteprima();
}

void frmDriver::RegistraModifiche() {
    mpTimerStoria->stop();
    StatoDocumento ora = FotografaDocumento();
    // An edit that changed nothing is no step; the flag stays as the edit set it.
    if (ora == mStatoRegistrato) {
        AggiornaStatoModifiche();
        return;
    }
    auto* passo = new PassoModifica(*this, std::move(mStatoRegistrato), ora, mpFonteTesto);
    mStatoRegistrato = std::move(ora);
    mpFonteTesto = nullptr;
    mpStoria->push(passo);
}

void frmDriver::AggiornaStatoModifiche() {
    mpUi->mnuSalva->setEnabled(mbChanged);
    setWindowModified(mbChanged);
    mpUi->mnuAnnulla->setEnabled(mpStoria->canUndo() || mpTimerStoria->isActive());
    mpUi->mnuRipristina->setEnabled(mpStoria->canRedo());
}

frmDriver::StatoDocumento frmDriver::FotografaDocumento() const {
    StatoDocumento s;
    s.vTesti = {mpUi->txtAutore->text(),       mpUi->txtData->text(),
                mpUi->txtVersione->text(),     mpUi->txtNote->toPlainText(),
                mpUi->cboMarca->currentText(), mpUi->cboModello->currentText()};
    s.rgxIdent = mrgxIdent;
    s.rgxTrasf = mrgxTrasf;
    s.rgxEntranti = mrgxEntranti;
    s.rgxUscenti = mrgxUscenti;
    s.iFrazioneDurata = miFrazioneDurata;
    s.iUnitaDurata = miUnitaDurata;
    s.lConversioneDurata = mlConversioneDurata;
    s.lDividereScatti = mlDividereScatti;
    // No driver yet and an empty one are the same document.
    auto driver = moDriver ? std::make_shared<clsDriver>(*moDriver) : std::make_shared<clsDriver>();
    driver->msFileName.clear();
    s.sDriver = DriverInJson(*driver).dump();
    s.oDriver = std::move(driver);
    return s;
}

void frmDriver::RipristinaDocumento(const StatoDocumento& s) {
    mpTimerStoria->stop();
    mbRipristino = true;
    // An edit left open in a grid belongs to the state being left.
    for (clsGriglia* g : {mpPagIdent->grdIdent, mpPagTrasf->grdTrasf, mpPagEntranti->mpGriglia,
                          mpPagUscenti->mpGriglia})
        g->AnnullaModifica();

    mrgxIdent = s.rgxIdent;
    mrgxTrasf = s.rgxTrasf;
    mrgxEntranti = s.rgxEntranti;
    mrgxUscenti = s.rgxUscenti;
    miFrazioneDurata = s.iFrazioneDurata;
    miUnitaDurata = s.iUnitaDurata;
    mlConversioneDurata = s.lConversioneDurata;
    mlDividereScatti = s.lDividereScatti;
    if (!moDriver) moDriver = std::make_unique<clsDriver>();
    const std::string file = moDriver->msFileName;
    *moDriver = *s.oDriver;
    moDriver->msFileName = file;

    mbRiempimento = true;
    const auto testo = [](QLineEdit* t, const QString& v) {
        if (t->text() != v) t->setText(v);
    };
    testo(mpUi->txtAutore, s.vTesti.value(0));
    testo(mpUi->txtData, s.vTesti.value(1));
    testo(mpUi->txtVersione, s.vTesti.value(2));
    if (mpUi->txtNote->toPlainText() != s.vTesti.value(3))
        mpUi->txtNote->setPlainText(s.vTesti.value(3));
    if (mpUi->cboMarca->currentText() != s.vTesti.value(4)) {
        mpUi->cboMarca->setEditText(s.vTesti.value(4));
        CercaModello();  // the models of that brand
        mbRiempimento = true;
    }
    if (mpUi->cboModello->currentText() != s.vTesti.value(5))
        mpUi->cboModello->setEditText(s.vTesti.value(5));
    mbRiempimento = false;

    mpPagIdent->grdIdent->RiAssocia();
    mpPagTrasf->grdTrasf->RiAssocia();
    const bool isolata = mpPagTrasf->Presente(PaginaTrasformazioni::DATA_ISOLATA);
    for (PaginaCampi* p : {mpPagEntranti, mpPagUscenti}) {
        p->mpGriglia->RiAssocia();
        p->ImpostaDataIsolata(isolata);
        p->ControllaCampiOra();
    }
    mbRipristino = false;
    mStatoRegistrato = FotografaDocumento();
    mpFonteTesto = nullptr;
    PianificaAnteprima();
}

}  // namespace tarno
