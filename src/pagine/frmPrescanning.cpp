#include "pagine/frmPrescanning.h"

#include <QListWidget>
#include <QShowEvent>
#include <array>

#include "engine/clsImpostazioniMotore.h"
#include "grid/clsGriglia.h"
#include "kit/Risorse.h"
#include "kit/ServiziUI.h"
#include "kit/TestoQt.h"
#include "model/Testo.h"
#include "model/clsDriver.h"
#include "ui_frmPrescanning.h"

namespace tarno {

namespace {
constexpr int kColParametro = 0;
constexpr int kColValore = 1;

// What each entry the engine knows does, in the engine's order, and the value a new row gets.
struct VoceNota {
    int iStringa;
    const char* sPredefinito;
    const char* sValore;
};
constexpr std::array<VoceNota, VOCI_PRESCANNING.size()> kVociNote{{
    {32412, "salta le prime N righe della stampa (l'intestazione)", ""},
    {32413, "salta ogni riga che contiene il testo dato", ""},
    {32414,
     "la prima riga che contiene il testo dato chiude la stampa: essa e le seguenti "
     "sono saltate",
     ""},
    {32415,
     "un carattere (il suo nome come <ETX> o il suo codice come 3) chiude le righe come "
     "un fine riga",
     ""},
    {32416,
     "S: toglie da ogni riga i caratteri di controllo (tranne il tabulatore), il resto "
     "va a sinistra",
     "S"},
}};

int IndiceVoce(const std::string& sVoce) {
    for (size_t i = 0; i < VOCI_PRESCANNING.size(); ++i)
        if (UgualeNoCase(TogliSpazi(sVoce), VOCI_PRESCANNING[i])) return static_cast<int>(i);
    return -1;
}
}  // namespace

frmPrescanning::frmPrescanning(std::unique_ptr<clsDriver>& roDriver, QWidget* parent)
    : clsDialogo(parent), mpUi(std::make_unique<Ui::frmPrescanning>()), moDriver(roDriver) {
    mpUi->setupUi(this);
    connect(mpUi->cmOK, &QPushButton::clicked, this, &frmPrescanning::cmOK_Click);
    connect(mpUi->cmdAnnulla, &QPushButton::clicked, this, &frmPrescanning::cmdAnnulla_Click);
    connect(mpUi->grdPrescanning, &clsGriglia::TestoRifiutato, this,
            [this](const QString& sMessaggio) { Avviso(this, sMessaggio); });
    connect(mpUi->cmdAggiungiVoce, &QPushButton::clicked, this,
            &frmPrescanning::cmdAggiungiVoce_Click);
    connect(mpUi->lstVociNote, &QListWidget::itemActivated, this,
            &frmPrescanning::cmdAggiungiVoce_Click);
    connect(mpUi->grdPrescanning, &clsGriglia::RigaCorrenteCambiata, this,
            &frmPrescanning::DescriviVoceCorrente);
    connect(mpUi->grdPrescanning, &clsGriglia::CellaCambiata, this,
            &frmPrescanning::DescriviVoceCorrente);
    for (size_t i = 0; i < kVociNote.size(); ++i) {
        const QString nome = QString::fromLatin1(VOCI_PRESCANNING[i]);
        auto* voce =
            new QListWidgetItem(nome + QStringLiteral(": ") +
                                    TestoRisorsa(kVociNote[i].iStringa, kVociNote[i].sPredefinito),
                                mpUi->lstVociNote);
        voce->setData(Qt::UserRole, static_cast<int>(i));
    }
    mpUi->lstVociNote->setCurrentRow(0);
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
    DescriviVoceCorrente();
}

void frmPrescanning::DescriviVoceCorrente() {
    const int r = mpUi->grdPrescanning->RigaCorrente();
    QString testo;
    if (r >= 0 && r < mrgxPrescanning.Righe() &&
        !TogliSpazi(mrgxPrescanning.Cella(r, kColParametro)).empty()) {
        const std::string& voce = mrgxPrescanning.Cella(r, kColParametro);
        const int i = IndiceVoce(voce);
        testo = i >= 0 ? TestoRisorsa(kVociNote[static_cast<size_t>(i)].iStringa,
                                      kVociNote[static_cast<size_t>(i)].sPredefinito)
                       : TestoRisorsa(32417,
                                      "voce che il motore non conosce: resta nel driver, il "
                                      "motore la segnala e non la applica");
        testo = DaCp1252(voce) + QStringLiteral(": ") + testo;
    }
    mpUi->lblDescrizioneVoce->setText(testo);
}

void frmPrescanning::cmdAggiungiVoce_Click() {
    const QListWidgetItem* scelta = mpUi->lstVociNote->currentItem();
    if (!scelta) return;
    auto* grd = mpUi->grdPrescanning;
    QString errore;
    if (!grd->ConfermaModifica(&errore)) {
        if (!errore.isEmpty()) Avviso(this, errore);
        return;
    }
    const auto i = static_cast<size_t>(scelta->data(Qt::UserRole).toInt());
    int r = 0;
    while (r < mrgxPrescanning.Righe() &&
           IndiceVoce(mrgxPrescanning.Cella(r, kColParametro)) != static_cast<int>(i))
        ++r;
    if (r == mrgxPrescanning.Righe()) {
        mrgxPrescanning.InserisciRiga(r);
        mrgxPrescanning.Cella(r, kColParametro) = VOCI_PRESCANNING[i];
        mrgxPrescanning.Cella(r, kColValore) = kVociNote[i].sValore;
        grd->RiAssocia();
    }
    grd->ImpostaCellaCorrente(r, kColValore);
    grd->setFocus();
    DescriviVoceCorrente();
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
