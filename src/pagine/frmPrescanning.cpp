#include "pagine/frmPrescanning.h"

#include <QShowEvent>

#include "grid/clsGriglia.h"
#include "kit/Risorse.h"
#include "kit/ServiziUI.h"
#include "model/Testo.h"
#include "model/clsDriver.h"
#include "ui_frmPrescanning.h"

namespace tarno {

namespace {
constexpr int kColParametro = 0;
constexpr int kColValore = 1;
}  // namespace

frmPrescanning::frmPrescanning(std::unique_ptr<clsDriver>& roDriver, QWidget* parent)
    : clsDialogo(parent), mpUi(std::make_unique<Ui::frmPrescanning>()), moDriver(roDriver) {
    mpUi->setupUi(this);
    connect(mpUi->cmOK, &QPushButton::clicked, this, &frmPrescanning::cmOK_Click);
    connect(mpUi->cmdAnnulla, &QPushButton::clicked, this, &frmPrescanning::cmdAnnulla_Click);
    connect(mpUi->grdPrescanning, &clsGriglia::TestoRifiutato, this,
            [this](const QString& sMessaggio) { Avviso(this, sMessaggio); });
}

frmPrescanning::~frmPrescanning() {
    // Closing the window must not commit (and perhaps refuse) a half-typed cell.
    mpUi->grdPrescanning->AnnullaModifica();
    mpUi->grdPrescanning->disconnect(this);
}

void frmPrescanning::InitGrdPrescanning() {
    auto* grd = mpUi->grdPrescanning;
    grd->Associa(nullptr);
    grd->EliminaColonne();
    grd->AggiungiColonna(TestoRisorsa(20815));
    grd->AggiungiColonna(TestoRisorsa(20816));
    grd->ImpostaLarghezzaFrazione(kColParametro, 0.43);
    grd->ImpostaLarghezzaFrazione(kColValore, 0.4);
    grd->ImpostaSelettoriRiga(true);
    grd->ImpostaRigaInserimento(true);
    grd->ImpostaEliminazioneRighe(true);
}

void frmPrescanning::Carica() {
    CentraForm(this);
    CaricaTestiRisorse(this);
    mbCancel = true;
    InitGrdPrescanning();
    if (!moDriver) moDriver = std::make_unique<clsDriver>();
    if (!moDriver->mcolPrescanning) moDriver->mcolPrescanning.emplace();
    const auto& voci = *moDriver->mcolPrescanning;
    mrgxPrescanning.Dimensiona(voci.Count(), 2);
    for (int i = 1; i <= voci.Count(); ++i) {
        mrgxPrescanning.Cella(i - 1, kColParametro) = voci.Item(i).sEntry;
        mrgxPrescanning.Cella(i - 1, kColValore) = voci.Item(i).sValue;
    }
    auto* grd = mpUi->grdPrescanning;
    grd->Associa(&mrgxPrescanning);
    grd->ImpostaCellaCorrente(0, kColParametro);
    grd->setFocus();
}

void frmPrescanning::cmOK_Click() {
    auto* grd = mpUi->grdPrescanning;
    QString errore;
    if (!grd->ConfermaModifica(&errore)) {
        if (!errore.isEmpty()) Avviso(this, errore);
        grd->setFocus();
        return;
    }
    if (!moDriver) moDriver = std::make_unique<clsDriver>();
    auto& voci = moDriver->mcolPrescanning ? *moDriver->mcolPrescanning
                                           : moDriver->mcolPrescanning.emplace();
    voci.Clear();
    for (int r = 0; r < mrgxPrescanning.Righe(); ++r) {
        const std::string& parametro = mrgxPrescanning.Cella(r, kColParametro);
        const std::string& valore = mrgxPrescanning.Cella(r, kColValore);
        if (TogliSpazi(parametro).empty() && TogliSpazi(valore).empty()) continue;
        voci.Add(clsPrescanning{parametro, valore});
    }
    mbCancel = false;
    accept();
}

void frmPrescanning::cmdAnnulla_Click() { reject(); }

void frmPrescanning::reject() {
    mpUi->grdPrescanning->AnnullaModifica();
    mbCancel = true;
    QDialog::reject();
}

}  // namespace tarno
