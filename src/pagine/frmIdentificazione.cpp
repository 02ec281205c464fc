#include "pagine/frmIdentificazione.h"

#include <QCursor>
#include <QKeySequence>
#include <QLabel>
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
#include "pagine/PaginaCampi.h"
#include "pagine/frmSeleziona.h"
#include "ui_frmIdentificazione.h"

namespace tarno {

namespace {

// Widths of the columns, in twips, and the strings of their captions (And/Or has none).
constexpr int LARGHEZZE[frmIdentificazione::NUM_COLONNE] = {510, 560, 560, 1515, 1275, 955, 600};
constexpr int TITOLI[frmIdentificazione::NUM_COLONNE] = {10627, 10628, 10629, 11607,
                                                         10633, 11614, 0};
constexpr int MAX_POSIZIONE = 2000;
constexpr int MAX_LUNGHEZZA = 200;

struct VoceOperatore {
    int32_t enCodice;
    int iTesto;  // string of its caption
};

// The comparison operators in the order the list offers them.
constexpr VoceOperatore OPERATORI[] = {
    {clsCondizione::UGUALE_A, 11610},     {clsCondizione::DIVERSO_DA, 11609},
    {clsCondizione::SOLO_NUMERI, 11611},  {clsCondizione::DATA_VALIDA, 11608},
    {clsCondizione::TEMPO_VALIDO, 11612}, {clsCondizione::DATA_ISOLATA, 11613},
};

// A number of the model as a cell: 0 (not given) is an empty cell.
std::string CellaNumero(int32_t v) { return v == 0 ? std::string() : std::to_string(v); }

int16_t NumeroCella(const std::string& s) { return LeggiIntero16(s).value_or(0); }

int32_t OperatoreCella(const std::string& s) {
    return Arrotonda32(ValoreIniziale(s)).value_or(clsCondizione::NESSUNO);
}

// An empty cell, or a number cell holding 0: nothing given.
bool Manca(const std::string& s) { return s.empty() || ValoreIniziale(s) == 0.0; }

}  // namespace

frmIdentificazione::frmIdentificazione(QWidget* parent)
    : clsDialogo(parent), mpUi(std::make_unique<Ui::frmIdentificazione>()) {
    mpUi->setupUi(this);
    mpUi->mcdInsert->setShortcut(QKeySequence(Qt::Key_Insert));
    // The texts come now, so that a caption the caller sets afterwards stays.
    CaricaTestiRisorse(this);

    drpFormatiData = new clsDropDown(this);
    drpFormatiData->setObjectName(QStringLiteral("drpFormatiData"));
    drpFormatiOra = new clsDropDown(this);
    drpFormatiOra->setObjectName(QStringLiteral("drpFormatiOra"));
    drpFormatiNessuno = new clsDropDown(this);
    drpFormatiNessuno->setObjectName(QStringLiteral("drpFormatiNessuno"));

    auto* grd = mpUi->grdCondizioni;
    connect(mpUi->cmOK, &QPushButton::clicked, this, &frmIdentificazione::cmOK_Click);
    connect(mpUi->cmdAnnulla, &QPushButton::clicked, this, &frmIdentificazione::cmdAnnulla_Click);
    connect(mpUi->mcdInsert, &QPushButton::clicked, this, &frmIdentificazione::mcdInsert_Click);
    connect(grd, &clsGriglia::PulsantePremuto, this,
            &frmIdentificazione::grdCondizioni_ButtonClick);
    // The Formato column follows the operator of the current row.
    connect(grd, &clsGriglia::CellaCambiata, this, [this] { SettaDropDownFormato(); });
    connect(grd, &clsGriglia::RigaAggiunta, this, [this](int r) {
        RigaPredefinita(r);
        SettaDropDownFormato();
    });
    connect(grd, &clsGriglia::RigaEliminata, this, [this] { SettaDropDownFormato(); });
    connect(grd, &clsGriglia::RigaCorrenteCambiata, this, [this] { SettaDropDownFormato(); });
    connect(grd, &clsGriglia::DropDownApertura, this, [this](int c) {
        if (c == COL_FORMATO) SettaDropDownFormato();
    });
    mpRigheCondizione = new QLabel(this);
    mpRigheCondizione->setObjectName(QStringLiteral("lblRigheCondizione"));
    mpUi->layGenerale->addWidget(mpRigheCondizione, 6, 0, 1, 2);
    for (auto segnale : {&clsGriglia::RigaAggiunta, &clsGriglia::RigaEliminata})
        connect(grd, segnale, this, [this] { AggiornaRigheCondizione(); });
    connect(grd, &clsGriglia::CellaCambiata, this, [this] { AggiornaRigheCondizione(); });
    connect(grd, &clsGriglia::RigaCorrenteCambiata, this, [this] { AggiornaRigheCondizione(); });
    connect(grd, &clsGriglia::TestoRifiutato, this,
            [this](const QString& sMessaggio) { Avviso(this, sMessaggio); });
}

frmIdentificazione::~frmIdentificazione() {
    // The grid lets go of the table before the table goes.
    mpUi->grdCondizioni->Associa(nullptr);
}

bool frmIdentificazione::Modifica(QWidget* parent, ContestoPagine* contesto,
                                  std::optional<ColCondizioni>& rcol, int16_t viNumRighe,
                                  bool vbDataIsolata, const QString& vsPrompt,
                                  const QString& vsTitolo) {
    std::unique_ptr<frmIdentificazione> dlg;
    {
        CursoreOccupato occupato;
        dlg = std::make_unique<frmIdentificazione>(parent);
        dlg->mpContesto = contesto;
        dlg->mcolCondizioni = rcol;
        dlg->miNumRighe = viNumRighe;
        dlg->mbDataIsolata = vbDataIsolata;
        dlg->msPrompt = vsPrompt;
        dlg->msTitolo = vsTitolo;
        dlg->Form_Load();
    }
    dlg->exec();
    if (dlg->mbCancel) return false;
    rcol = std::move(dlg->mcolCondizioni);
    return true;
}

void frmIdentificazione::Carica() {
    CentraForm(this);
    mpUi->lblPrompt->setText(msPrompt);
    if (!msTitolo.isEmpty()) setWindowTitle(msTitolo);
    InitDropDown();
    InitGriglia();
    RiempiGriglia();
    SettaDropDownFormato();
    mpUi->grdCondizioni->ImpostaCellaCorrente(0, COL_POSIZIONE);
    AggiornaRigheCondizione();
    mpUi->grdCondizioni->setFocus();
}

void frmIdentificazione::InitDropDown() {
    ContestoPagine* finestra = mpContesto;
    const std::pair<clsDropDown*, clsDropDown*> coppie[] = {
        {drpFormatiData, finestra ? finestra->drpFormatiData : nullptr},
        {drpFormatiOra, finestra ? finestra->drpFormatiOra : nullptr},
        {drpFormatiNessuno, finestra ? finestra->drpFormatiNessuno : nullptr},
    };
    const QString titoli[] = {TestoRisorsa(30016, "Formati data"),
                              TestoRisorsa(30017, "Formati ora"),
                              TestoRisorsa(30018, "Formati nessuno")};
    int i = 0;
    for (const auto& [mio, principale] : coppie) {
        mio->ImpostaTitolo(titoli[i++]);
        if (principale)
            mio->Associa(principale->Tabella(), principale->ColonnaTesto(),
                         principale->ColonnaValore());
        else
            mio->Associa(nullptr);
    }
}

void frmIdentificazione::InitGriglia() {
    auto* grd = mpUi->grdCondizioni;
    grd->Associa(nullptr);
    grd->EliminaColonne();
    for (int c = 0; c < NUM_COLONNE; ++c) {
        grd->AggiungiColonna(TITOLI[c] ? TestoRisorsa(TITOLI[c]) : TestoRisorsa(30019, "And/Or"));
        grd->ImpostaLarghezza(c, clsGriglia::PixelDaTwip(LARGHEZZE[c]));
    }

    clsListaValori righe;
    righe.Aggiungi("", QString());
    righe.AggiungiIntervallo(1, miNumRighe);
    righe.ImpostaLimita(true);
    righe.ImpostaCombo(true);
    righe.ImpostaDigitabile(true);
    grd->ImpostaListaValori(COL_RIGA, righe);

    clsListaValori posizioni;
    posizioni.AggiungiIntervallo(1, MAX_POSIZIONE);
    posizioni.ImpostaLimita(true);
    grd->ImpostaListaValori(COL_POSIZIONE, posizioni);
    clsListaValori lunghezze;
    lunghezze.AggiungiIntervallo(1, MAX_LUNGHEZZA);
    lunghezze.ImpostaLimita(true);
    grd->ImpostaListaValori(COL_LUNGHEZZA, lunghezze);
    grd->ImpostaPulsante(COL_POSIZIONE, true);
    grd->ImpostaPulsante(COL_LUNGHEZZA, true);

    clsListaValori operatori;
    operatori.Aggiungi("", QString());
    for (const auto& voce : OPERATORI)
        if (voce.enCodice != clsCondizione::DATA_ISOLATA || mbDataIsolata)
            operatori.Aggiungi(std::to_string(voce.enCodice), TestoRisorsa(voce.iTesto));
    operatori.ImpostaLimita(true);
    operatori.ImpostaCombo(true);
    operatori.ImpostaDigitabile(true);
    grd->ImpostaListaValori(COL_OPERATORE, operatori);

    ContestoPagine* finestra = mpContesto;
    grd->ImpostaListaValori(
        COL_FORMATO,
        finestra ? PaginaCampi::ListaFormati(finestra->mrgxFormatiData, finestra->mrgxFormatiOra)
                 : PaginaCampi::ListaFormati(TabellaValori(), TabellaValori()));
    grd->ImpostaDropDown(COL_FORMATO, drpFormatiNessuno);
    // A date or time format the catalogue lacks, typed for a date or time test, is added to it.
    grd->ImpostaValoreNuovo(
        COL_FORMATO,
        [this](const QString& sTesto, QString* psErrore) -> std::optional<std::string> {
            const int r = mpUi->grdCondizioni->RigaCorrente();
            const int32_t operatore = r >= 0 && r < mrgxCondizioni.Righe()
                                          ? OperatoreCella(Cella(r, COL_OPERATORE))
                                          : clsCondizione::NESSUNO;
            const bool ora = operatore == clsCondizione::TEMPO_VALIDO;
            if (!mpContesto || (!ora && operatore != clsCondizione::DATA_VALIDA &&
                                operatore != clsCondizione::DATA_ISOLATA))
                return std::nullopt;
            auto codice = mpContesto->AggiungiFormato(this, !ora, sTesto, psErrore);
            if (codice)
                mpUi->grdCondizioni->ImpostaListaValori(
                    COL_FORMATO, PaginaCampi::ListaFormati(mpContesto->mrgxFormatiData,
                                                           mpContesto->mrgxFormatiOra));
            return codice;
        });

    clsListaValori congiunzioni;
    congiunzioni.Aggiungi("", QString());
    congiunzioni.AggiungiValore("And");
    congiunzioni.AggiungiValore("Or");
    congiunzioni.ImpostaLimita(true);
    congiunzioni.ImpostaCombo(true);
    grd->ImpostaListaValori(COL_CONGIUNZIONE, congiunzioni);

    // New conditions are typed into the empty last row; Ctrl+Delete removes a row.
    grd->ImpostaRigaInserimento(true);
    grd->ImpostaEliminazioneRighe(true);
    grd->ImpostaSelettoriRiga(true);
}

void frmIdentificazione::RiempiGriglia() {
    const int righe = mcolCondizioni ? mcolCondizioni->Count() : 0;
    mrgxCondizioni.Dimensiona(righe, NUM_COLONNE);
    for (int r = 0; r < righe; ++r) {
        const clsCondizione& c = mcolCondizioni->Item(r + 1);
        // Line 0 is a condition without a line of its own: it shows as 0, not as a gap.
        mrgxCondizioni.Cella(r, COL_RIGA) = std::to_string(c.miRiga);
        mrgxCondizioni.Cella(r, COL_POSIZIONE) = CellaNumero(c.miInizio);
        mrgxCondizioni.Cella(r, COL_LUNGHEZZA) = CellaNumero(c.miLunghezza);
        mrgxCondizioni.Cella(r, COL_OPERATORE) = CellaNumero(c.menOperatore);
        mrgxCondizioni.Cella(r, COL_FORMATO) = CellaNumero(c.miFormato);
        mrgxCondizioni.Cella(r, COL_VALORE) = c.msValore;
        mrgxCondizioni.Cella(r, COL_CONGIUNZIONE) = c.msCongiunzione;
    }
    mpUi->grdCondizioni->Associa(&mrgxCondizioni);
    mpUi->grdCondizioni->RiAssocia();
}

void frmIdentificazione::SettaDropDownFormato() {
    auto* grd = mpUi->grdCondizioni;
    const int r = grd->RigaCorrente();
    const int32_t operatore = r >= 0 && r < mrgxCondizioni.Righe()
                                  ? OperatoreCella(Cella(r, COL_OPERATORE))
                                  : clsCondizione::NESSUNO;
    clsDropDown* drp = drpFormatiNessuno;
    if (operatore == clsCondizione::TEMPO_VALIDO)
        drp = drpFormatiOra;
    else if (operatore == clsCondizione::DATA_VALIDA || operatore == clsCondizione::DATA_ISOLATA)
        drp = drpFormatiData;
    grd->ImpostaDropDown(COL_FORMATO, drp);
}

bool frmIdentificazione::ConfermaGriglia() {
    QString errore;
    if (mpUi->grdCondizioni->ConfermaModifica(&errore)) return true;
    Avviso(this, errore);
    return false;
}

void frmIdentificazione::ErroreRiga(int r, int c, int viTesto) {
    auto* grd = mpUi->grdCondizioni;
    grd->ImpostaCellaCorrente(r, c);
    grd->setFocus();
    Avviso(this, TestoRisorsa(viTesto) + QString::number(r + 1));
}

bool frmIdentificazione::ControllaDati() {
    const int righe = mrgxCondizioni.Righe();
    bool dataIsolata = false;
    for (int r = 0; r < righe; ++r) {
        const int32_t operatore = OperatoreCella(Cella(r, COL_OPERATORE));
        // Line, position, length and operator are required; line 0 (a condition without a
        // line) is given.
        for (int c : {COL_RIGA, COL_POSIZIONE, COL_LUNGHEZZA, COL_OPERATORE}) {
            if (c == COL_RIGA ? Cella(r, c).empty() : Manca(Cella(r, c))) {
                ErroreRiga(r, c, 11601);
                return false;
            }
        }
        const bool senzaFormato = Manca(Cella(r, COL_FORMATO));
        // The date and time tests need their format.
        if ((operatore == clsCondizione::DATA_VALIDA || operatore == clsCondizione::TEMPO_VALIDO) &&
            senzaFormato) {
            ErroreRiga(r, COL_FORMATO, 11604);
            return false;
        }
        // The comparisons need the value compared with.
        if ((operatore == clsCondizione::UGUALE_A || operatore == clsCondizione::DIVERSO_DA) &&
            Cella(r, COL_VALORE).empty()) {
            ErroreRiga(r, COL_VALORE, 11603);
            return false;
        }
        // So does the isolated date its format.
        if (operatore == clsCondizione::DATA_ISOLATA && senzaFormato) {
            ErroreRiga(r, COL_FORMATO, 11602);
            return false;
        }
        // Every row but the last is joined to the next one.
        if (r < righe - 1 && Cella(r, COL_CONGIUNZIONE).empty()) {
            ErroreRiga(r, COL_CONGIUNZIONE, 11605);
            return false;
        }
        if (operatore == clsCondizione::DATA_ISOLATA) dataIsolata = true;
    }
    // The last row joins nothing: "... Or" alone would be an expression that does not end.
    if (righe > 0 && !Cella(righe - 1, COL_CONGIUNZIONE).empty()) {
        auto* grd = mpUi->grdCondizioni;
        grd->ImpostaCellaCorrente(righe - 1, COL_CONGIUNZIONE);
        grd->setFocus();
        Avviso(this, TestoRisorsa(32210,
                                  "La condizione %1 (l'ultima) termina con \"%2\", ma nessuna "
                                  "condizione la segue: togliere \"%2\" o aggiungere una "
                                  "condizione.")
                         .arg(righe)
                         .arg(DaCp1252(Cella(righe - 1, COL_CONGIUNZIONE))));
        return false;
    }
    // The isolated date line is recognised by its "Data isolata" row.
    if (mbDataIsolata && !dataIsolata) {
        auto* grd = mpUi->grdCondizioni;
        grd->ImpostaCellaCorrente(std::max(righe - 1, 0), COL_OPERATORE);
        grd->setFocus();
        Avviso(this, TestoRisorsa(11606));
        return false;
    }
    return true;
}

// A comparison whose value is longer than its length can never hold (or, "diverso da", always
// holds): the user is told, and the conditions are kept as they are.
void frmIdentificazione::AvvisaValoriLunghi() {
    for (int r = 0; r < mrgxCondizioni.Righe(); ++r) {
        const int32_t operatore = OperatoreCella(Cella(r, COL_OPERATORE));
        if (operatore != clsCondizione::UGUALE_A && operatore != clsCondizione::DIVERSO_DA)
            continue;
        const std::string& valore = Cella(r, COL_VALORE);
        const int lunghezza = NumeroCella(Cella(r, COL_LUNGHEZZA));
        if (static_cast<int64_t>(valore.size()) <= lunghezza) continue;
        const QString testo =
            operatore == clsCondizione::UGUALE_A
                ? TestoRisorsa(30600,
                               "Riga %1: il valore \"%2\" ha %3 caratteri, pi\u00F9 della "
                               "lunghezza %4: la condizione non vale mai.")
                : TestoRisorsa(30601,
                               "Riga %1: il valore \"%2\" ha %3 caratteri, pi\u00F9 della "
                               "lunghezza %4: la condizione vale sempre.");
        Avviso(this, testo.arg(r + 1)
                         .arg(DaCp1252(valore))
                         .arg(static_cast<qulonglong>(valore.size()))
                         .arg(lunghezza));
    }
}

void frmIdentificazione::cmOK_Click() {
    if (!ConfermaGriglia()) return;
    if (!ControllaDati()) return;
    AvvisaValoriLunghi();
    ColCondizioni date;
    if (mcolCondizioni) date = std::move(*mcolCondizioni);
    mcolCondizioni.emplace();
    // Where a condition on separated fields starts inside its field is not in the grid: a row
    // that still holds a condition given keeps it.
    std::vector<bool> prese(static_cast<size_t>(date.Count()));
    for (int r = 0; r < mrgxCondizioni.Righe(); ++r) {
        clsCondizione c = CondizioneRiga(r);
        for (size_t i = 0; i < prese.size(); ++i) {
            const clsCondizione& p = date.Item(static_cast<int>(i) + 1);
            if (prese[i] || p.miInizio != c.miInizio || p.miLunghezza != c.miLunghezza ||
                p.miRiga != c.miRiga || p.menOperatore != c.menOperatore ||
                p.msValore != c.msValore || p.miFormato != c.miFormato)
                continue;
            prese[i] = true;
            c.miNelCampo = p.miNelCampo;
            break;
        }
        // Or the start inside the field last chosen with the picker for its field and length.
        if (const auto k = mmNelCampo.find({c.miInizio, c.miLunghezza}); k != mmNelCampo.end())
            c.miNelCampo = k->second;
        mcolCondizioni->Add(std::move(c));
    }
    mbCancel = false;
    accept();
}

clsCondizione frmIdentificazione::CondizioneRiga(int r) const {
    clsCondizione c;
    c.miRiga = NumeroCella(Cella(r, COL_RIGA));
    c.miInizio = NumeroCella(Cella(r, COL_POSIZIONE));
    c.miLunghezza = NumeroCella(Cella(r, COL_LUNGHEZZA));
    c.menOperatore = OperatoreCella(Cella(r, COL_OPERATORE));
    const bool conFormato = c.menOperatore == clsCondizione::DATA_VALIDA ||
                            c.menOperatore == clsCondizione::TEMPO_VALIDO ||
                            c.menOperatore == clsCondizione::DATA_ISOLATA;
    c.miFormato = conFormato ? NumeroCella(Cella(r, COL_FORMATO)) : 0;
    c.msValore = Cella(r, COL_VALORE);
    c.msCongiunzione = Cella(r, COL_CONGIUNZIONE);
    if (const auto k = mmNelCampo.find({c.miInizio, c.miLunghezza}); k != mmNelCampo.end())
        c.miNelCampo = k->second;
    return c;
}

void frmIdentificazione::AggiornaRigheCondizione() {
    const int r = mpUi->grdCondizioni->RigaCorrente();
    std::pair<size_t, size_t> n{0, 0};
    if (mpContesto && r >= 0 && r < mrgxCondizioni.Righe())
        n = mpContesto->RigheConCondizione(CondizioneRiga(r));
    mpRigheCondizione->setText(
        n.second == 0
            ? QString()
            : TestoRisorsa(
                  30722,
                  "La condizione della riga %1 vale su %2 delle %3 righe che il motore legge")
                  .arg(r + 1)
                  .arg(n.first)
                  .arg(n.second));
}

void frmIdentificazione::RigaPredefinita(int r) {
    // A new condition is on the call's first line until the user says otherwise.
    if (r >= 0 && r < mrgxCondizioni.Righe() && Cella(r, COL_RIGA).empty() && miNumRighe >= 1) {
        mrgxCondizioni.Cella(r, COL_RIGA) = std::string(1, '1');
        mpUi->grdCondizioni->Aggiorna();
    }
}

void frmIdentificazione::cmdAnnulla_Click() { reject(); }

void frmIdentificazione::reject() {
    mbCancel = true;
    QDialog::reject();
}

void frmIdentificazione::mcdInsert_Click() {
    auto* grd = mpUi->grdCondizioni;
    if (!ConfermaGriglia()) return;
    int r = grd->RigaCorrente();
    if (r < 0 || r > mrgxCondizioni.Righe()) r = mrgxCondizioni.Righe();
    const int c = std::max(grd->ColonnaCorrente(), 0);
    grd->InserisciRiga(r);
    RigaPredefinita(r);
    grd->RiAssocia();
    grd->ImpostaCellaCorrente(r, c);
    SettaDropDownFormato();
    grd->setFocus();
}

// ---- cell buttons: a piece of the sample text gives position, length and value

const QTextDocument* frmIdentificazione::TestoCampione() const {
    if (mpTestoCampione) return mpTestoCampione;
    return mpContesto ? mpContesto->DocumentoCampione() : nullptr;
}

void frmIdentificazione::grdCondizioni_ButtonClick(int r, int c) {
    if (c != COL_POSIZIONE && c != COL_LUNGHEZZA) return;
    auto* grd = mpUi->grdCondizioni;
    if (r < 0 || r > mrgxCondizioni.Righe()) return;

    const auto separa = mpContesto ? mpContesto->SeparazioneCampi() : std::nullopt;
    // The picker starts from the selection the user made in the sample view.
    int da = -1;
    int a = -1;
    if (QTextEdit* vista = mpContesto ? mpContesto->VistaCampione() : nullptr;
        vista && vista->document() == TestoCampione() && vista->textCursor().hasSelection()) {
        da = vista->textCursor().selectionStart();
        a = vista->textCursor().selectionEnd();
    }
    if (const auto scelta = frmSeleziona::Scegli(this, TestoCampione(), MAX_POSIZIONE,
                                                 MAX_LUNGHEZZA, separa ? &*separa : nullptr, da, a)) {
        if (separa)
            mmNelCampo[{scelta->miInizio, scelta->miLunghezza}] =
                static_cast<int16_t>(scelta->miNelCampo);
        // On the entry row the choice starts a new condition.
        if (r == mrgxCondizioni.Righe()) grd->InserisciRiga(r);
        // The selection does not tell the line of the call: a row without one gets the first
        // line.
        if (Cella(r, COL_RIGA).empty() && miNumRighe >= 1)
            mrgxCondizioni.Cella(r, COL_RIGA) = std::string(1, '1');
        mrgxCondizioni.Cella(r, COL_POSIZIONE) = std::to_string(scelta->miInizio);
        mrgxCondizioni.Cella(r, COL_LUNGHEZZA) = std::to_string(scelta->miLunghezza);
        mrgxCondizioni.Cella(r, COL_VALORE) = scelta->msValore;
        // A row without an operator: digits at that place on every call the sample holds
        // propose "Solo numeri".
        if (mpContesto && Manca(Cella(r, COL_OPERATORE))) {
            clsCondizione c = CondizioneRiga(r);
            c.menOperatore = clsCondizione::SOLO_NUMERI;
            const auto n = mpContesto->ChiamateConCondizione(c);
            if (n.second > 0 && n.first == n.second)
                mrgxCondizioni.Cella(r, COL_OPERATORE) = std::to_string(c.menOperatore);
        }
        grd->Aggiorna();
        AggiornaRigheCondizione();
    }
    grd->ImpostaCellaCorrente(r, COL_OPERATORE);
    grd->setFocus();
}

}  // namespace tarno
