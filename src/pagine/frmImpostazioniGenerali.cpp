#include "pagine/frmImpostazioniGenerali.h"

#include <QCursor>
#include <QKeyEvent>
#include <QPushButton>
#include <QTextDocument>
#include <QTextEdit>
#include <algorithm>
#include <vector>

#include "grid/clsGriglia.h"
#include "kit/Risorse.h"
#include "kit/ServiziUI.h"
#include "kit/TestoQt.h"
#include "model/Numeri.h"
#include "pagine/ContestoPagine.h"
#include "pagine/frmIdentificazione.h"
#include "pagine/frmSeleziona.h"
#include "ui_frmImpostazioniGenerali.h"

namespace tarno {

namespace {

// Widths of the columns, in twips, and the strings of their captions.
constexpr int LARGHEZZE[frmImpostazioniGenerali::NUM_COLONNE] = {560,  570,  560,  885,
                                                                 1085, 1215, 1200, 700};
constexpr int TITOLI[frmImpostazioniGenerali::NUM_COLONNE] = {10627, 10628, 10629, 11709,
                                                              11713, 11727, 11728, 11729};
constexpr int MAX_POSIZIONE = 2000;

struct VoceOperazione {
    int32_t enCodice;
    int iTesto;  // string of its text
    const char* sTesto;
};

// The operations in the order the list offers them.
constexpr VoceOperazione OPERAZIONI[] = {
    {clsTrasformazione::ALLINEA, 30023, "Allinea"},
    {clsTrasformazione::COPIA, 30024, "Copia"},
    {clsTrasformazione::DIVIDI, 30025, "Dividi"},
    {clsTrasformazione::ELIMINA, 30026, "Elimina"},
    {clsTrasformazione::ESPANDI, 30027, "Espandi"},
    {clsTrasformazione::ESTRAI_NUMERO, 30028, "Estrai numero"},
    {clsTrasformazione::INSERISCI, 30029, "Inserisci"},
    {clsTrasformazione::MOLTIPLICA, 30030, "Moltiplica"},
    {clsTrasformazione::SOMMA, 30031, "Somma"},
    {clsTrasformazione::SOSTITUISCI, 30032, "Sostituisci"},
    {clsTrasformazione::UTC, 30033, "UTC"},
    {clsTrasformazione::SPOSTA, 30034, "Sposta"},
    {clsTrasformazione::IGNORA, 30035, "Ignora carattere"},
    {clsTrasformazione::SOTTRAI, 30036, "Sottrai"},
};

// A number of the program as a cell: 0 (not given) is an empty cell.
std::string CellaNumero(int32_t v) { return v == 0 ? std::string() : std::to_string(v); }

int32_t NumeroCella(const std::string& s) { return Arrotonda32(ValoreIniziale(s)).value_or(0); }

int16_t Numero16Cella(const std::string& s) { return LeggiIntero16(s).value_or(0); }

}  // namespace

frmImpostazioniGenerali::frmImpostazioniGenerali(QWidget* parent)
    : clsDialogo(parent), mpUi(std::make_unique<Ui::frmImpostazioniGenerali>()) {
    mpUi->setupUi(this);
    // The texts come now, so that a caption the caller sets afterwards stays.
    CaricaTestiRisorse(this);

    auto* grd = mpUi->grdTrasformazioni;
    connect(mpUi->cmdOK, &QPushButton::clicked, this, &frmImpostazioniGenerali::cmdOK_Click);
    connect(mpUi->cmdAnnulla, &QPushButton::clicked, this,
            &frmImpostazioniGenerali::cmdAnnulla_Click);
    connect(mpUi->cmdCondizioni, &QPushButton::clicked, this,
            &frmImpostazioniGenerali::cmdCondizioni_Click);
    connect(mpUi->mcdInsert, &QPushButton::clicked, this,
            &frmImpostazioniGenerali::mcdInsert_Click);
    connect(grd, &clsGriglia::PulsantePremuto, this,
            &frmImpostazioniGenerali::grdTrasformazioni_ButtonClick);
    connect(grd, &clsGriglia::CellaCambiata, this,
            &frmImpostazioniGenerali::grdTrasformazioni_AfterColUpdate);
    connect(grd, &clsGriglia::RigaEliminata, this,
            &frmImpostazioniGenerali::grdTrasformazioni_RigaEliminata);
    connect(grd, &clsGriglia::TastoPremuto, this,
            &frmImpostazioniGenerali::grdTrasformazioni_KeyDown);
    connect(grd, &clsGriglia::TestoRifiutato, this,
            [this](const QString& sMessaggio) { Avviso(this, sMessaggio); });
}

frmImpostazioniGenerali::~frmImpostazioniGenerali() {
    // The grid lets go of the table before the table goes.
    mpUi->grdTrasformazioni->Associa(nullptr);
}

void frmImpostazioniGenerali::Carica() {
    CentraForm(this);
    InitGriglia();
    RiempiGriglia();
    mpUi->grdTrasformazioni->ImpostaCellaCorrente(0, COL_POSIZIONE);
    mpUi->grdTrasformazioni->setFocus();
}

void frmImpostazioniGenerali::InitGriglia() {
    auto* grd = mpUi->grdTrasformazioni;
    grd->Associa(nullptr);
    grd->EliminaColonne();
    for (int c = 0; c < NUM_COLONNE; ++c) {
        grd->AggiungiColonna(TestoRisorsa(TITOLI[c]));
        grd->ImpostaLarghezza(c, clsGriglia::PixelDaTwip(LARGHEZZE[c]));
    }

    clsListaValori righe;
    righe.Aggiungi("", QString());
    righe.AggiungiIntervallo(1, std::max(miNumRigheEnt, miNumRigheUsc));
    righe.ImpostaLimita(true);
    righe.ImpostaCombo(true);
    grd->ImpostaListaValori(COL_RIGA, righe);

    clsListaValori posizioni;
    posizioni.AggiungiIntervallo(1, MAX_POSIZIONE);
    posizioni.ImpostaLimita(true);
    for (int c : {COL_POSIZIONE, COL_LUNGHEZZA}) {
        grd->ImpostaListaValori(c, posizioni);
        grd->ImpostaPulsante(c, true);
    }

    clsListaValori chiamate;
    chiamate.Aggiungi("", QString());
    chiamate.Aggiungi("1", TestoRisorsa(30020, "Tutte"));
    chiamate.Aggiungi("2", TestoRisorsa(30021, "Entranti"));
    chiamate.Aggiungi("3", TestoRisorsa(30022, "Uscenti"));
    chiamate.ImpostaLimita(true);
    chiamate.ImpostaCombo(true);
    grd->ImpostaListaValori(COL_CHIAMATE, chiamate);

    clsListaValori operazioni;
    operazioni.Aggiungi("", QString());
    for (const auto& voce : OPERAZIONI)
        operazioni.Aggiungi(std::to_string(voce.enCodice), TestoRisorsa(voce.iTesto, voce.sTesto));
    operazioni.ImpostaLimita(true);
    operazioni.ImpostaCombo(true);
    grd->ImpostaListaValori(COL_OPERAZIONE, operazioni);

    // Column 7 only shows whether the row has conditions; emptying it drops them.
    clsListaValori presenti;
    presenti.AggiungiValore(Cp1252(TestoRisorsa(11730)));
    presenti.ImpostaLimita(true);
    grd->ImpostaListaValori(COL_CONDIZIONI, presenti);

    grd->setWordWrap(false);
    grd->ImpostaAltezzaRiga(grd->fontMetrics().height() + 8);
    grd->ImpostaRigaInserimento(true);
    grd->ImpostaEliminazioneRighe(true);
    grd->ImpostaSelettoriRiga(true);
}

void frmImpostazioniGenerali::RiempiGriglia() {
    mmCondizioni.clear();
    const int righe = mcolTrasf ? mcolTrasf->Count() : 0;
    mrgxTrasformazioni.Dimensiona(righe, NUM_COLONNE);
    const std::string presenti = Cp1252(TestoRisorsa(11730));
    for (int r = 0; r < righe; ++r) {
        const clsTrasformazione& t = mcolTrasf->Item(r + 1);
        auto cella = [&](int c) -> std::string& { return mrgxTrasformazioni.Cella(r, c); };
        cella(COL_RIGA) = CellaNumero(t.miRiga);
        cella(COL_POSIZIONE) = CellaNumero(t.miInizio);
        cella(COL_LUNGHEZZA) = CellaNumero(t.miLunghezza);
        cella(COL_CHIAMATE) = CellaNumero(t.menTipo);
        cella(COL_OPERAZIONE) = CellaNumero(t.menOperazione);
        cella(COL_SORGENTE) = t.msSorgente;
        cella(COL_VALORE) = t.msValore;
        if (t.mcolCondizioni && !t.mcolCondizioni->Vuota()) {
            cella(COL_CONDIZIONI) = presenti;
            // A copy: the caller's conditions stay as they are until OK.
            mmCondizioni.emplace(r, *t.mcolCondizioni);
        }
    }
    mpUi->grdTrasformazioni->Associa(&mrgxTrasformazioni);
}

const ColCondizioni* frmImpostazioniGenerali::CondizioniRiga(int r) const {
    const auto it = mmCondizioni.find(r);
    return it == mmCondizioni.end() ? nullptr : &it->second;
}

const std::string& frmImpostazioniGenerali::Cella(int r, int c) const {
    return mrgxTrasformazioni.Cella(r, c);
}

bool frmImpostazioniGenerali::ConfermaGriglia() {
    QString errore;
    if (mpUi->grdTrasformazioni->ConfermaModifica(&errore)) return true;
    Avviso(this, errore);
    return false;
}

// ---- cell buttons: a piece of the sample text gives line, position, length and value

const QTextDocument* frmImpostazioniGenerali::TestoCampione() const {
    if (mpTestoCampione) return mpTestoCampione;
    return mpContesto ? mpContesto->DocumentoCampione() : nullptr;
}

void frmImpostazioniGenerali::grdTrasformazioni_ButtonClick(int r, int c) {
    if (c != COL_POSIZIONE && c != COL_LUNGHEZZA) return;
    auto* grd = mpUi->grdTrasformazioni;
    if (r < 0 || r > mrgxTrasformazioni.Righe()) return;

    // On separated fields the picker gives the field's number and the part taken of it.
    const auto separa = mpContesto ? mpContesto->SeparazioneCampi() : std::nullopt;
    if (const auto scelta = frmSeleziona::Scegli(this, TestoCampione(), MAX_POSIZIONE,
                                                 MAX_POSIZIONE, separa ? &*separa : nullptr)) {
        if (separa)
            mmNelCampo[{scelta->miInizio, scelta->miLunghezza}] =
                static_cast<int16_t>(scelta->miNelCampo);
        // On the entry row the choice starts a new transformation.
        if (r == mrgxTrasformazioni.Righe()) grd->InserisciRiga(r);
        if (miNumRigheEnt + miNumRigheUsc > 0) mrgxTrasformazioni.Cella(r, COL_RIGA) = "1";
        mrgxTrasformazioni.Cella(r, COL_POSIZIONE) = std::to_string(scelta->miInizio);
        mrgxTrasformazioni.Cella(r, COL_LUNGHEZZA) = std::to_string(scelta->miLunghezza);
        mrgxTrasformazioni.Cella(r, COL_CHIAMATE) = "1";
        mrgxTrasformazioni.Cella(r, COL_VALORE) = scelta->msValore;
        grd->Aggiorna();
    }
    grd->ImpostaCellaCorrente(r, COL_OPERAZIONE);
    grd->setFocus();
}

// ---- conditions of the rows

std::optional<ColCondizioni> frmImpostazioniGenerali::ModificaCondizioni(
    const ColCondizioni* pcolCondizioni, int16_t viNumRighe) {
    std::unique_ptr<frmIdentificazione> condizioni;
    {
        CursoreOccupato occupato;
        condizioni = std::make_unique<frmIdentificazione>(this);
        if (pcolCondizioni) condizioni->mcolCondizioni = *pcolCondizioni;
        condizioni->miNumRighe = viNumRighe;
        condizioni->mbDataIsolata = false;
        condizioni->msPrompt = TestoRisorsa(11731);
        condizioni->msTitolo = TestoRisorsa(11732);
        condizioni->mpContesto = mpContesto;
        condizioni->mpTestoCampione = TestoCampione();
        condizioni->Form_Load();
    }
    condizioni->exec();
    if (condizioni->mbCancel) return std::nullopt;
    if (!condizioni->mcolCondizioni) return ColCondizioni();
    return std::move(*condizioni->mcolCondizioni);
}

void frmImpostazioniGenerali::cmdCondizioni_Click() {
    auto* grd = mpUi->grdTrasformazioni;
    if (!ConfermaGriglia()) return;
    int r = grd->RigaCorrente();
    if (r < 0 || r > mrgxTrasformazioni.Righe()) r = mrgxTrasformazioni.Righe();

    // The conditions may test the lines of the calls the row applies to.
    const int32_t tipo = r < mrgxTrasformazioni.Righe() ? NumeroCella(Cella(r, COL_CHIAMATE)) : 0;
    int16_t righe = std::max(miNumRigheEnt, miNumRigheUsc);
    if (tipo == clsTrasformazione::ENTRANTI) righe = miNumRigheEnt;
    if (tipo == clsTrasformazione::USCENTI) righe = miNumRigheUsc;
    auto risultato = ModificaCondizioni(CondizioniRiga(r), std::max<int16_t>(righe, 1));
    if (risultato) {
        mmCondizioni.erase(r);
        const bool presenti = !risultato->Vuota();
        if (presenti && r == mrgxTrasformazioni.Righe()) {
            // Conditions given on the entry row make it a row of its own.
            grd->InserisciRiga(r);
        }
        if (r < mrgxTrasformazioni.Righe()) {
            mrgxTrasformazioni.Cella(r, COL_CONDIZIONI) =
                presenti ? Cp1252(TestoRisorsa(11730)) : std::string();
            if (presenti) mmCondizioni.emplace(r, std::move(*risultato));
        }
        grd->Aggiorna();
        grd->ImpostaRigaCorrente(r);
    }
    grd->setFocus();
}

void frmImpostazioniGenerali::mcdInsert_Click() {
    auto* grd = mpUi->grdTrasformazioni;
    if (!ConfermaGriglia()) return;
    int r = grd->RigaCorrente();
    if (r < 0 || r > mrgxTrasformazioni.Righe()) r = mrgxTrasformazioni.Righe();
    const int c = std::max(grd->ColonnaCorrente(), 0);

    // The conditions of the rows from r on move one row down with their rows.
    std::map<int, ColCondizioni> spostate;
    for (auto& [k, col] : mmCondizioni) spostate.emplace(k >= r ? k + 1 : k, std::move(col));
    mmCondizioni = std::move(spostate);

    grd->InserisciRiga(r);
    grd->ImpostaCellaCorrente(r, c);
    grd->setFocus();
}

void frmImpostazioniGenerali::grdTrasformazioni_RigaEliminata(int r) {
    std::map<int, ColCondizioni> spostate;
    for (auto& [k, col] : mmCondizioni) {
        if (k == r) continue;
        spostate.emplace(k > r ? k - 1 : k, std::move(col));
    }
    mmCondizioni = std::move(spostate);
}

void frmImpostazioniGenerali::grdTrasformazioni_AfterColUpdate(int r, int c) {
    if (c != COL_CONDIZIONI || r < 0 || r >= mrgxTrasformazioni.Righe()) return;
    if (Cella(r, c).empty()) {
        mmCondizioni.erase(r);
    } else if (!CondizioniRiga(r)) {
        // Only the conditions editor gives a row conditions.
        mrgxTrasformazioni.Cella(r, c).clear();
        mpUi->grdTrasformazioni->Aggiorna();
    }
}

void frmImpostazioniGenerali::grdTrasformazioni_KeyDown(QKeyEvent* ev, bool* pbScarta) {
    auto* grd = mpUi->grdTrasformazioni;
    if (ev->key() == Qt::Key_Insert && !(ev->modifiers() & ~Qt::KeypadModifier)) {
        // Insert adds a row above the current one, as the button does.
        *pbScarta = true;
        mcdInsert_Click();
        return;
    }
    if (grd->ColonnaCorrente() != COL_CONDIZIONI || grd->InModifica()) return;
    const int r = grd->RigaCorrente();
    if (r < 0 || r >= mrgxTrasformazioni.Righe()) return;
    // Column 7 is not typed into: Backspace empties it as Delete does, other text is dropped.
    if (ev->key() == Qt::Key_Backspace) {
        auto* modello = grd->Modello();
        modello->setData(modello->index(r, COL_CONDIZIONI), QString(), Qt::EditRole);
        *pbScarta = true;
    } else if (ev->key() == Qt::Key_F2 ||
               (!ev->text().isEmpty() && ev->text().at(0).isPrint() &&
                !(ev->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))) {
        *pbScarta = true;
    }
}

// ---- check and transfer

void frmImpostazioniGenerali::ErroreRiga(int r, int viTesto, const QString& sCoda) {
    Avviso(this, TestoRisorsa(11701) + QString::number(r + 1) + TestoRisorsa(viTesto) + sCoda);
    auto* grd = mpUi->grdTrasformazioni;
    grd->ImpostaRigaCorrente(r);
    grd->setFocus();
}

bool frmImpostazioniGenerali::ControllaDati() {
    for (int r = 0; r < mrgxTrasformazioni.Righe(); ++r) {
        const bool rigaVuota = Cella(r, COL_RIGA).empty();
        const bool posVuota = Cella(r, COL_POSIZIONE).empty();
        const bool lungVuota = Cella(r, COL_LUNGHEZZA).empty();
        const bool opVuota = Cella(r, COL_OPERAZIONE).empty();
        const int32_t tipo = NumeroCella(Cella(r, COL_CHIAMATE));
        const int32_t riga = NumeroCella(Cella(r, COL_RIGA));
        const int32_t op = NumeroCella(Cella(r, COL_OPERAZIONE));
        const bool perTipo =
            tipo == clsTrasformazione::ENTRANTI || tipo == clsTrasformazione::USCENTI;

        if (Cella(r, COL_CHIAMATE).empty()) {
            ErroreRiga(r, 11702);
            return false;
        }
        if (!perTipo && (posVuota || lungVuota || opVuota)) {
            ErroreRiga(r, 11705);
            return false;
        }
        if (perTipo && (rigaVuota || posVuota || lungVuota || opVuota)) {
            ErroreRiga(r, 11703);
            return false;
        }
        if (tipo == clsTrasformazione::ENTRANTI && riga > miNumRigheEnt) {
            ErroreRiga(r, 11704, QString::number(miNumRigheEnt) + QLatin1Char(')'));
            return false;
        }
        if (tipo == clsTrasformazione::USCENTI && riga > miNumRigheUsc) {
            ErroreRiga(r, 11704, QString::number(miNumRigheUsc) + QLatin1Char(')'));
            return false;
        }

        const bool sorgenteVuota = Cella(r, COL_SORGENTE).empty();
        const bool valoreVuoto = Cella(r, COL_VALORE).empty();
        switch (op) {
            case clsTrasformazione::SOSTITUISCI:
                if (sorgenteVuota) {
                    ErroreRiga(r, 11706);
                    return false;
                }
                break;
            case clsTrasformazione::ALLINEA:
            case clsTrasformazione::DIVIDI:
            case clsTrasformazione::INSERISCI:
            case clsTrasformazione::MOLTIPLICA:
            case clsTrasformazione::SOMMA:
            case clsTrasformazione::SOTTRAI:
            case clsTrasformazione::COPIA:
            case clsTrasformazione::SPOSTA:
                if (valoreVuoto) {
                    ErroreRiga(r, 11707);
                    return false;
                }
                break;
            case clsTrasformazione::IGNORA:
                if (sorgenteVuota || valoreVuoto) {
                    ErroreRiga(r, 11708);
                    return false;
                }
                break;
            default:
                break;
        }
    }
    return true;
}

void frmImpostazioniGenerali::cmdOK_Click() {
    if (!ConfermaGriglia()) return;
    if (!ControllaDati()) return;

    Collezione<clsTrasformazione> col;
    // Where a transformation of separated fields starts inside its field is not in the grid: a
    // row that still holds a transformation given keeps it.
    std::vector<bool> prese(mcolTrasf ? static_cast<size_t>(mcolTrasf->Count()) : 0);
    const auto nelCampo = [&](const clsTrasformazione& t) -> int16_t {
        for (size_t i = 0; i < prese.size(); ++i) {
            const clsTrasformazione& p = mcolTrasf->Item(static_cast<int>(i) + 1);
            if (prese[i] || p.miInizio != t.miInizio || p.miLunghezza != t.miLunghezza ||
                p.miRiga != t.miRiga || p.menTipo != t.menTipo ||
                p.menOperazione != t.menOperazione || p.msSorgente != t.msSorgente ||
                p.msValore != t.msValore)
                continue;
            prese[i] = true;
            return p.miNelCampo;
        }
        return 0;
    };
    for (int r = 0; r < mrgxTrasformazioni.Righe(); ++r) {
        clsTrasformazione t;
        t.miRiga = Numero16Cella(Cella(r, COL_RIGA));
        t.miInizio = Numero16Cella(Cella(r, COL_POSIZIONE));
        t.miLunghezza = Numero16Cella(Cella(r, COL_LUNGHEZZA));
        t.menTipo = NumeroCella(Cella(r, COL_CHIAMATE));
        t.menOperazione = NumeroCella(Cella(r, COL_OPERAZIONE));
        t.msSorgente = Cella(r, COL_SORGENTE);
        t.msValore = Cella(r, COL_VALORE);
        t.miNelCampo = nelCampo(t);
        // Or the start inside the field last chosen with the picker for its field and length.
        if (const auto k = mmNelCampo.find({t.miInizio, t.miLunghezza}); k != mmNelCampo.end())
            t.miNelCampo = k->second;
        if (const ColCondizioni* condizioni = CondizioniRiga(r)) t.mcolCondizioni = *condizioni;
        col.Add(std::move(t), std::to_string(r));
    }
    mcolTrasf = std::move(col);
    mbCancel = false;
    accept();
}

void frmImpostazioniGenerali::cmdAnnulla_Click() { reject(); }

void frmImpostazioniGenerali::reject() {
    mbCancel = true;
    QDialog::reject();
}

}  // namespace tarno
