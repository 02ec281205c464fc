#include "pagine/PaginaTrasformazioni.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

#include "documento/DocumentoDriver.h"
#include "grid/clsGriglia.h"
#include "kit/Globali.h"
#include "kit/Risorse.h"
#include "kit/ServiziUI.h"
#include "kit/TestoQt.h"
#include "model/Numeri.h"
#include "pagine/ContestoPagine.h"
#include "pagine/frmIdentificazione.h"
#include "pagine/frmImpostazioniData.h"
#include "pagine/frmImpostazioniDurata.h"
#include "pagine/frmImpostazioniGenerali.h"
#include "pagine/frmImpostazioniScatti.h"
#include "pagine/frmPrescanning.h"

namespace tarno {

using namespace Trasf;

PaginaTrasformazioni::PaginaTrasformazioni(DocumentoDriver& doc, ContestoPagine& contesto,
                                           QWidget* parent)
    : QWidget(parent), mDoc(doc), mContesto(contesto) {
    setObjectName(QStringLiteral("pagTrasformazioni"));
    auto* layout = new QVBoxLayout(this);
    grdTrasf = new clsGriglia(this);
    grdTrasf->setObjectName(QStringLiteral("grdTrasf"));
    layout->addWidget(grdTrasf);
    auto* pulsanti = new QHBoxLayout();
    cmdImpTrasfGrd = new QPushButton(TestoRisorsa(30014, "&Impostazioni..."), this);
    cmdImpTrasfGrd->setObjectName(QStringLiteral("cmdImpTrasfGrd"));
    cmdImpTrafGenerali = new QPushButton(TestoRisorsa(30015, "&Avanzate..."), this);
    cmdImpTrafGenerali->setObjectName(QStringLiteral("cmdImpTrafGenerali"));
    pulsanti->addWidget(cmdImpTrasfGrd);
    pulsanti->addWidget(cmdImpTrafGenerali);
    pulsanti->addStretch();
    layout->addLayout(pulsanti);
    layout->addStretch();
    setTabOrder(grdTrasf, cmdImpTrasfGrd);
    setTabOrder(cmdImpTrasfGrd, cmdImpTrafGenerali);

    connect(cmdImpTrasfGrd, &QPushButton::clicked, this,
            &PaginaTrasformazioni::cmdImpTrasfGrd_Click);
    connect(cmdImpTrafGenerali, &QPushButton::clicked, this,
            &PaginaTrasformazioni::cmdImpTrafGenerali_Click);
    connect(grdTrasf, &clsGriglia::RigaCorrenteCambiata, this,
            [this](int riga, int) { grdTrasf_RowColChange(riga); });
    connect(grdTrasf, &clsGriglia::CellaCambiata, this, &PaginaTrasformazioni::grdTrasf_Change);
    connect(grdTrasf, &clsGriglia::CelleCambiate, this, [this] { mDoc.Modificato(); });
    // A state put back: an edit left open belongs to the state being left.
    connect(&mDoc, &DocumentoDriver::PrimaDelRipristino, grdTrasf, &clsGriglia::AnnullaModifica);
    connect(&mDoc, &DocumentoDriver::Ripristinato, grdTrasf, &clsGriglia::RiAssocia);
    connect(grdTrasf, &clsGriglia::TestoRifiutato, this,
            [this](const QString& m) { Avviso(this, m); });
}

void PaginaTrasformazioni::Inizializza() {
    TabellaValori& t = mDoc.mrgxTrasf;
    t.Dimensiona(6, 2);
    const int opzioni[] = {10622, 10623, 10624, 10625, 10626, 20814};
    const char* predefiniti[] = {"Data su riga isolata",
                                 "Data contenente mesi espressi in lettere",
                                 "Durata non espressa in secondi",
                                 "Costo in valuta invece del numero di scatti",
                                 "Ignora righe vuote",
                                 "Prescanning"};
    for (int r = 0; r < 6; ++r) {
        t.Cella(r, 0) = InCp1252(TestoRisorsa(opzioni[r], predefiniti[r])).value_or("");
        t.Cella(r, 1) = ValoreNo();
    }
    grdTrasf->EliminaColonne();
    grdTrasf->AggiungiColonna(TestoRisorsa(10614, "Opzione"));
    grdTrasf->AggiungiColonna(TestoRisorsa(10621, "Presente"));
    grdTrasf->ImpostaSolaLettura(0, true);
    grdTrasf->ImpostaLarghezzaFrazione(0, 0.815);
    grdTrasf->ImpostaLarghezzaFrazione(1, 0.17);
    clsListaValori siNo;
    siNo.Aggiungi(ValoreSi(), gsTestoSi);
    siNo.Aggiungi(ValoreNo(), gsTestoNo);
    siNo.ImpostaLimita(true);
    siNo.ImpostaCombo(true);
    grdTrasf->ImpostaListaValori(1, siNo);
    grdTrasf->Associa(&t);
    grdTrasf->RiAssocia();
    // Tall enough for all six rows.
    const int altezza = grdTrasf->AltezzaRiga() * 6 + grdTrasf->horizontalHeader()->height() +
                        2 * grdTrasf->frameWidth() + 2;
    grdTrasf->setMinimumHeight(altezza);
    grdTrasf->setMaximumHeight(altezza);
    grdTrasf->ImpostaCellaCorrente(0, 1);
    grdTrasf_RowColChange(0);
}

bool PaginaTrasformazioni::Presente(int iRiga) const { return mDoc.Presente(iRiga, ValoreSi()); }

void PaginaTrasformazioni::ImpostaPresente(int iRiga, bool bSi) {
    mDoc.mrgxTrasf.Cella(iRiga, 1) = bSi ? ValoreSi() : ValoreNo();
}

void PaginaTrasformazioni::grdTrasf_RowColChange(int iRiga) {
    cmdImpTrasfGrd->setEnabled(iRiga != IGNORA_VUOTE);
}

void PaginaTrasformazioni::grdTrasf_Change(int iRiga, int) {
    // A paste or a clear of several cells is one change, told by CelleCambiate.
    if (!grdTrasf->InScrittura()) mDoc.Modificato();
    if (iRiga == PRESCANNING) {
        if (!mDoc.moDriver) mDoc.moDriver = std::make_unique<clsDriver>();
        mDoc.moDriver->mbConPrescanning = Presente(PRESCANNING);
    }
    RegolaDataIsolata();
}

void PaginaTrasformazioni::RegolaDataIsolata() {
    // The field pages follow the option, and the fields' tables the date line's condition.
    int parti = DocumentoDriver::TRASFORMAZIONI;
    if (mDoc.ApplicaDataIsolata(ValoreSi()))
        parti |= DocumentoDriver::ENTRANTI | DocumentoDriver::USCENTI;
    mDoc.AnnunciaParti(parti);
}

void PaginaTrasformazioni::cmdImpTrasfGrd_Click() {
    if (!mDoc.moDriver) mDoc.moDriver = std::make_unique<clsDriver>();
    clsDriver& driver = *mDoc.moDriver;
    const int r = grdTrasf->RigaCorrente();
    switch (r) {
        case DATA_ISOLATA: {
            if (!driver.mcolDataIsolata) driver.mcolDataIsolata.emplace();
            std::optional<ColCondizioni> col = driver.mcolDataIsolata;
            if (frmIdentificazione::Modifica(
                    this, &mContesto, col, 10, true,
                    TestoRisorsa(10656, "Condizioni per identificare la data su riga isolata"),
                    TestoRisorsa(10655, "Impostazioni"))) {
                driver.mcolDataIsolata = col ? std::move(*col) : ColCondizioni();
                ImpostaPresente(DATA_ISOLATA, true);
                mDoc.Modificato();
                RegolaDataIsolata();
            }
            break;
        }
        case MESI_IN_LETTERE: {
            frmImpostazioniData dlg(this);
            for (int i = 0; i < 12; ++i) dlg.Mesi(i, driver.Mesi(i));
            dlg.exec();
            if (!dlg.mbCancel) {
                for (int i = 0; i < 12; ++i) driver.Mesi(i, dlg.Mesi(i));
                ImpostaPresente(MESI_IN_LETTERE, true);
                mDoc.Modificato();
            }
            break;
        }
        case DURATA: {
            frmImpostazioniDurata dlg(this);
            dlg.miFrazioneDurata = mDoc.miFrazioneDurata;
            dlg.miUnitaDurata = mDoc.miUnitaDurata;
            dlg.mlConversioneDurata = mDoc.mlConversioneDurata;
            dlg.exec();
            if (!dlg.mbCancel) {
                mDoc.miFrazioneDurata = dlg.miFrazioneDurata;
                mDoc.miUnitaDurata = dlg.miUnitaDurata;
                mDoc.mlConversioneDurata = dlg.mlConversioneDurata;
                ImpostaPresente(DURATA, true);
                mDoc.Modificato();
            }
            break;
        }
        case SCATTI: {
            frmImpostazioniScatti dlg(this);
            dlg.mlDividereScatti = mDoc.mlDividereScatti;
            dlg.exec();
            if (!dlg.mbCancel) {
                mDoc.mlDividereScatti = dlg.mlDividereScatti;
                ImpostaPresente(SCATTI, true);
                mDoc.Modificato();
            }
            break;
        }
        case PRESCANNING: {
            frmPrescanning dlg(mDoc.moDriver, this);
            dlg.exec();
            if (!dlg.mbCancel) {
                clsDriver& d = *mDoc.moDriver;
                const bool voci = d.mcolPrescanning && !d.mcolPrescanning->Vuota();
                ImpostaPresente(PRESCANNING, voci);
                d.mbConPrescanning = voci;
                mDoc.Modificato();
            }
            break;
        }
        default:
            break;
    }
    grdTrasf->Aggiorna();
    grdTrasf->setFocus();
}

void PaginaTrasformazioni::cmdImpTrafGenerali_Click() {
    QString errore;
    if (!grdTrasf->ConfermaModifica(&errore)) {
        Avviso(this, errore);
        return;
    }
    if (!mDoc.moDriver) mDoc.moDriver = std::make_unique<clsDriver>();
    clsDriver& driver = *mDoc.moDriver;
    frmImpostazioniGenerali dlg(this);
    if (driver.mcolTrasf) dlg.mcolTrasf = *driver.mcolTrasf;
    // The line counts of incoming and outgoing calls are rows 0 and 1 of the identification.
    const auto righe = [this](int r) {
        const auto v =
            LeggiIntero16(mDoc.mrgxIdent.Righe() > r ? mDoc.mrgxIdent.Cella(r, 1) : std::string());
        return v ? *v : int16_t{0};
    };
    dlg.miNumRigheEnt = righe(0);
    dlg.miNumRigheUsc = righe(1);
    dlg.mpContesto = &mContesto;
    dlg.setWindowTitle(TestoRisorsa(10657, "Avanzate"));
    dlg.exec();
    if (!dlg.mbCancel) {
        driver.mcolTrasf = std::move(dlg.mcolTrasf);
        mDoc.Modificato();
    }
}

}  // namespace tarno
