#include "pagine/frmImpostazioniData.h"

#include <QHeaderView>
#include <QShowEvent>
#include <stdexcept>

#include "grid/clsGriglia.h"
#include "kit/Risorse.h"
#include "kit/ServiziUI.h"
#include "kit/TestoQt.h"
#include "ui_frmImpostazioniData.h"

namespace tarno {

namespace {
constexpr int kMesi = 12;
constexpr int kColNome = 0;
constexpr int kColCodice = 1;
}  // namespace

frmImpostazioniData::frmImpostazioniData(QWidget* parent)
    : clsDialogo(parent), mpUi(std::make_unique<Ui::frmImpostazioniData>()) {
    mpUi->setupUi(this);
    connect(mpUi->cmOK, &QPushButton::clicked, this, &frmImpostazioniData::cmOK_Click);
    connect(mpUi->cmdAnnulla, &QPushButton::clicked, this, &frmImpostazioniData::cmdAnnulla_Click);
    connect(mpUi->grdMesi, &clsGriglia::TestoRifiutato, this,
            [this](const QString& sMessaggio) { Avviso(this, sMessaggio); });
    InitGrdMesi();
}

frmImpostazioniData::~frmImpostazioniData() {
    // Closing the window must not commit (and perhaps refuse) a half-typed cell.
    mpUi->grdMesi->AnnullaModifica();
    mpUi->grdMesi->disconnect(this);
}

const std::string& frmImpostazioniData::Mesi(int iIndex) const {
    if (iIndex < 0 || iIndex >= kMesi) throw std::out_of_range("indice del mese fuori dai limiti");
    return mvMesi[static_cast<size_t>(iIndex)];
}

void frmImpostazioniData::Mesi(int iIndex, const std::string& sCodice) {
    if (iIndex < 0 || iIndex >= kMesi) throw std::out_of_range("indice del mese fuori dai limiti");
    mvMesi[static_cast<size_t>(iIndex)] = sCodice;
}

void frmImpostazioniData::InitGrdMesi() {
    auto* grd = mpUi->grdMesi;
    grd->Associa(nullptr);
    grd->EliminaColonne();
    mrgxMesi.Dimensiona(kMesi, 2);
    for (int i = 0; i < kMesi; ++i) {
        // "Gennaio" (11803) to "Dicembre" (11814).
        mrgxMesi.Cella(i, kColNome) = InCp1252(TestoRisorsa(11803 + i)).value_or(std::string());
    }
    grd->AggiungiColonna(TestoRisorsa(11801));
    grd->AggiungiColonna(TestoRisorsa(11802));
    grd->ImpostaLarghezzaFrazione(kColNome, 0.38);
    grd->ImpostaLarghezzaFrazione(kColCodice, 0.6);
    grd->ImpostaSolaLettura(kColNome, true);
    // All twelve months in view without scrolling.
    grd->ImpostaAltezzaRiga(20);
    grd->setMinimumHeight(12 * 20 + grd->horizontalHeader()->sizeHint().height() + 4);
    grd->Associa(&mrgxMesi);
}

void frmImpostazioniData::Carica() {
    CentraForm(this);
    CaricaTestiRisorse(this);
    mbCancel = true;
    auto* grd = mpUi->grdMesi;
    grd->AnnullaModifica();
    for (int i = 0; i < kMesi; ++i) mrgxMesi.Cella(i, kColCodice) = mvMesi[static_cast<size_t>(i)];
    grd->Aggiorna();
    grd->ImpostaCellaCorrente(0, kColCodice);
    grd->setFocus();
}

void frmImpostazioniData::cmOK_Click() {
    auto* grd = mpUi->grdMesi;
    QString errore;
    if (!grd->ConfermaModifica(&errore)) {
        if (!errore.isEmpty()) Avviso(this, errore);
        grd->setFocus();
        return;
    }
    // Every code as long as January's, and that length above 0.
    const size_t lunghezza = mrgxMesi.Cella(0, kColCodice).size();
    for (int i = 1; i < kMesi; ++i) {
        if (mrgxMesi.Cella(i, kColCodice).size() != lunghezza) {
            Avviso(this, TestoRisorsa(11816));
            grd->ImpostaCellaCorrente(i, kColCodice);
            grd->setFocus();
            return;
        }
    }
    if (lunghezza == 0) {
        Avviso(this, TestoRisorsa(11815));
        grd->ImpostaCellaCorrente(0, kColCodice);
        grd->setFocus();
        return;
    }
    for (int i = 0; i < kMesi; ++i) mvMesi[static_cast<size_t>(i)] = mrgxMesi.Cella(i, kColCodice);
    mbCancel = false;
    accept();
}

void frmImpostazioniData::cmdAnnulla_Click() { reject(); }

void frmImpostazioniData::reject() {
    mpUi->grdMesi->AnnullaModifica();
    mbCancel = true;
    QDialog::reject();
}

}  // namespace tarno
