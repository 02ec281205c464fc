#include "pagine/PaginaIdentificazione.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
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

namespace tarno {

using namespace Ident;

namespace {

// The captions of the rows (column 0).
constexpr int TESTI_RIGHE[Ident::NUM_RIGHE] = {10616, 10617, 10618, 10619, 10620, 10663};

}  // namespace

PaginaIdentificazione::PaginaIdentificazione(DocumentoDriver& doc, ContestoPagine& contesto,
                                             QWidget* parent)
    : QWidget(parent), mDoc(doc), mContesto(contesto) {
    setObjectName(QStringLiteral("pagIdentificazione"));
    auto* layout = new QVBoxLayout(this);
    grdIdent = new clsGriglia(this);
    grdIdent->setObjectName(QStringLiteral("grdIdent"));
    layout->addWidget(grdIdent);
    auto* pulsanti = new QHBoxLayout();
    pulsanti->addStretch(1);
    cmdIdent = new QPushButton(TestoRisorsa(30013, "&Dettagli..."), this);
    cmdIdent->setObjectName(QStringLiteral("cmdIdent"));
    cmdIdent->setAutoDefault(false);
    pulsanti->addWidget(cmdIdent);
    layout->addLayout(pulsanti);
    layout->addStretch(1);
    setTabOrder(grdIdent, cmdIdent);

    connect(cmdIdent, &QPushButton::clicked, this, &PaginaIdentificazione::cmdIdent_Click);
    connect(grdIdent, &clsGriglia::RigaCorrenteCambiata, this,
            [this](int r, int) { grdIdent_RowColChange(r); });
    connect(grdIdent, &clsGriglia::CellaCambiata, this,
            &PaginaIdentificazione::grdIdent_AfterColUpdate);
    connect(grdIdent, &clsGriglia::CelleCambiate, this, [this] { mDoc.Modificato(); });
    // A state put back: an edit left open belongs to the state being left.
    connect(&mDoc, &DocumentoDriver::PrimaDelRipristino, grdIdent, &clsGriglia::AnnullaModifica);
    connect(&mDoc, &DocumentoDriver::Ripristinato, grdIdent, &clsGriglia::RiAssocia);
    connect(grdIdent, &clsGriglia::TestoRifiutato, this,
            [this](const QString& sMessaggio) { Avviso(this, sMessaggio); });
}

void PaginaIdentificazione::Inizializza() {
    TabellaValori& rgx = mDoc.mrgxIdent;
    grdIdent->Associa(nullptr);
    grdIdent->EliminaColonne();
    grdIdent->AggiungiColonna(TestoRisorsa(10614));
    grdIdent->AggiungiColonna(TestoRisorsa(10615));
    grdIdent->ImpostaSolaLettura(0, true);
    grdIdent->ImpostaLarghezzaFrazione(0, 0.815);
    grdIdent->ImpostaLarghezzaFrazione(1, 0.17);

    rgx.Dimensiona(NUM_RIGHE, 2);
    for (int r = 0; r < NUM_RIGHE; ++r) rgx.Cella(r, 0) = Cp1252(TestoRisorsa(TESTI_RIGHE[r]));
    const std::string no = ValoreNo();
    rgx.Cella(RIGA_ENTRANTI, 1) = "0";
    rgx.Cella(RIGA_USCENTI, 1) = "0";
    rgx.Cella(RIGA_TRASF_ENTRANTI, 1) = no;
    rgx.Cella(RIGA_TRASF_USCENTI, 1) = no;
    rgx.Cella(RIGA_OFFSET, 1) = "0";
    rgx.Cella(RIGA_ULTIMA_RIGA, 1) = "0";
    grdIdent->Associa(&rgx);
    grdIdent->RiAssocia();

    // Tall enough for the six rows and the header, without scrolling.
    const int altezza = (NUM_RIGHE + 1) * grdIdent->AltezzaRiga() + clsGriglia::PixelDaTwip(60);
    const int necessaria = grdIdent->horizontalHeader()->sizeHint().height() +
                           NUM_RIGHE * grdIdent->AltezzaRiga() + 2 * grdIdent->frameWidth();
    grdIdent->setFixedHeight(std::max(altezza, necessaria));
    grdIdent->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    grdIdent->ImpostaCellaCorrente(RIGA_ENTRANTI, 1);
    grdIdent_RowColChange(grdIdent->RigaCorrente());
}

void PaginaIdentificazione::grdIdent_RowColChange(int r) {
    clsListaValori lista;
    switch (r) {
        case RIGA_ENTRANTI:
        case RIGA_USCENTI:
            lista.AggiungiIntervallo(0, 10);
            break;
        case RIGA_TRASF_ENTRANTI:
        case RIGA_TRASF_USCENTI:
            lista.Aggiungi(ValoreSi(), gsTestoSi);
            lista.Aggiungi(ValoreNo(), gsTestoNo);
            break;
        case RIGA_OFFSET:
            lista.AggiungiIntervallo(-10, 100);
            break;
        default:  // the last-line cut, and no row: free input
            break;
    }
    if (!lista.Vuota()) {
        lista.ImpostaLimita(true);
        lista.ImpostaCombo(true);
        // The grid is a column of settings: the arrows go from one to the next.
        lista.ImpostaFrecceTraRighe(true);
    }
    grdIdent->ImpostaListaValori(1, lista);
    cmdIdent->setEnabled(r >= RIGA_ENTRANTI && r <= RIGA_TRASF_USCENTI);
}

void PaginaIdentificazione::grdIdent_AfterColUpdate(int, int) {
    // A paste or a clear of several cells is one change, told by CelleCambiate.
    if (!grdIdent->InScrittura()) mDoc.Modificato();
}

int PaginaIdentificazione::LineeChiamata(int r) const {
    const TabellaValori& rgx = mDoc.mrgxIdent;
    if (r < 0 || r >= rgx.Righe() || rgx.Colonne() < 2) return 0;
    return LeggiIntero16(rgx.Cella(r, 1)).value_or(0);
}

void PaginaIdentificazione::cmdIdent_Click() {
    QString errore;
    if (!grdIdent->ConfermaModifica(&errore)) {
        Avviso(this, errore);
        grdIdent->setFocus();
        return;
    }
    const int r = grdIdent->RigaCorrente();
    if (r >= RIGA_ENTRANTI && r <= RIGA_TRASF_USCENTI) {
        const bool entranti = r == RIGA_ENTRANTI || r == RIGA_TRASF_ENTRANTI;
        const bool trasferite = r == RIGA_TRASF_ENTRANTI || r == RIGA_TRASF_USCENTI;
        const int linee = LineeChiamata(entranti ? RIGA_ENTRANTI : RIGA_USCENTI);
        if (linee <= 0) {
            // The call kind has no lines yet: its own conditions wait silently, the transferred
            // ones say what is missing.
            if (trasferite) Avviso(this, TestoRisorsa(entranti ? 10652 : 10654));
        } else {
            if (!mDoc.moDriver) mDoc.moDriver = std::make_unique<clsDriver>();
            auto& chiamata = entranti ? mDoc.moDriver->moEntranti : mDoc.moDriver->moUscenti;
            if (!chiamata) chiamata = std::make_unique<clsChiamata>();
            chiamata->menTipo = entranti ? clsChiamata::ENTRANTI : clsChiamata::USCENTI;
            auto& condizioni = trasferite ? chiamata->mcolCondTrasferita : chiamata->mcolCondizioni;
            const int prompt = trasferite ? (entranti ? 10651 : 10653) : (entranti ? 10649 : 10650);
            if (frmIdentificazione::Modifica(this, &mContesto, condizioni,
                                             static_cast<int16_t>(linee), false,
                                             TestoRisorsa(prompt))) {
                if (trasferite) {
                    mDoc.mrgxIdent.Cella(r, 1) = ValoreSi();
                    grdIdent->RiAssocia();
                }
                mDoc.Modificato();
            }
        }
    }
    grdIdent->setFocus();
}

}  // namespace tarno
