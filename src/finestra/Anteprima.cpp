// The live preview pane of the main window: the engine's reading of the sample with the driver
// as the views hold it, refreshed a moment after every edit.

#include <QAction>
#include <QCheckBox>
#include <QDockWidget>
#include <QMenu>
#include <QStatusBar>
#include <QTableView>
#include <QTimer>
#include <algorithm>
#include <map>

#include "Applicazione.h"
#include "CallFieldName.h"
#include "DocumentoDriver.h"
#include "ModelloAnteprima.h"
#include "Numeri.h"
#include "PaginaCampi.h"
#include "PannelloAnteprima.h"
#include "Risorse.h"
#include "TestoQt.h"
#include "clsCatalogo.h"
#include "frmDriver.h"
#include "ui_frmDriver.h"

namespace tarno {

namespace {

// The pause after an edit before the preview is refreshed: typing goes on undisturbed.
constexpr int PAUSA_ANTEPRIMA_MS = 250;
// How long a passing message stays in the status bar.
constexpr int DURATA_SEGNALAZIONE_MS = 15 * 1000;

// The per-user setting that shows or hides the pane.
const QString CHIAVE_ANTEPRIMA = QStringLiteral("Finestra/Anteprima");

}  // namespace

void frmDriver::PreparaAnteprima() {
    mpAnteprima = new PannelloAnteprima(this);
    mpRiquadroAnteprima = new QDockWidget(TestoRisorsa(30650, "Anteprima"), this);
    mpRiquadroAnteprima->setObjectName(QStringLiteral("dockAnteprima"));
    mpRiquadroAnteprima->setWidget(mpAnteprima);
    addDockWidget(Qt::RightDockWidgetArea, mpRiquadroAnteprima);
    // The status bar for passing messages (formats proposed on marking) is there from the
    // start, so the window's layout does not jump when the first one comes.
    statusBar();

    QAction* mostra = mpRiquadroAnteprima->toggleViewAction();
    mostra->setObjectName(QStringLiteral("mnuAnteprima"));
    mostra->setText(TestoRisorsa(30665, "&Anteprima"));
    mostra->setToolTip(TestoRisorsa(30666, "Mostra o nasconde l'anteprima dei dati letti"));
    mpUi->mnupopStrumenti->addAction(mostra);
    mpRiquadroAnteprima->setVisible(ImpostazioniUtente().value(CHIAVE_ANTEPRIMA, true).toBool());
    // The user's choice, from the menu or the pane's own close button (the action follows
    // the pane shown or hidden by itself, not with the whole window).
    connect(mostra, &QAction::toggled, this, [this](bool bVisibile) {
        ImpostazioniUtente().setValue(CHIAVE_ANTEPRIMA, bVisibile);
        if (bVisibile) PianificaAnteprima();
    });

    // The view shows the lines as the engine reads them, or again the sample as loaded.
    connect(mpAnteprima->RigheMotore(), &QCheckBox::toggled, this, [this](bool bMotore) {
        if (!bMotore && !mbTransformMode)
            mpUi->rtfTesto->setPlainText(DaCp1252(mbyCampione.toStdString()));
        AggiornaAnteprima();
    });

    // A row picked in the preview selects its lines in the sample view: the labels follow.
    connect(mpAnteprima, &PannelloAnteprima::RigheSelezionate, this, &frmDriver::AggiornaPosizione);

    mpTimerAnteprima = new QTimer(this);
    mpTimerAnteprima->setSingleShot(true);
    mpTimerAnteprima->setInterval(PAUSA_ANTEPRIMA_MS);
    connect(mpTimerAnteprima, &QTimer::timeout, this, &frmDriver::AggiornaAnteprima);
}

void frmDriver::PianificaAnteprima() {
    if (mpTimerAnteprima) mpTimerAnteprima->start();
}

void frmDriver::AggiornaAnteprima() {
    if (!mpAnteprima) return;
    mpTimerAnteprima->stop();
    if (mpRiquadroAnteprima->isHidden()) return;
    std::vector<QString> esclusi;
    const clsDriver driver = DriverDalleViste(&esclusi);
    MappaFormati formati;
    FormatiDaTabella(mrgxFormatiData, formati);
    FormatiDaTabella(mrgxFormatiOra, formati);
    const auto colore = [this](bool bEntrante, const std::string& sNome) {
        PaginaCampi* pagina = bEntrante ? mpPagEntranti : mpPagUscenti;
        const int i = IndiceCampo(sNome, bEntrante);
        QCheckBox* box = i >= 0 ? pagina->chkCampo(i) : nullptr;
        return box ? box->palette().color(QPalette::Window) : QColor();
    };
    // While the view shows the engine's log, nothing is drawn over it.
    mpAnteprima->Aggiorna(
        driver, formati,
        std::string_view(mbyCampione.constData(), static_cast<size_t>(mbyCampione.size())),
        mbTransformMode ? nullptr : mpUi->rtfTesto, colore, esclusi);
}

std::pair<size_t, size_t> frmDriver::RigheConCondizione(const clsCondizione& c) const {
    ModelloAnteprima modello;
    LeggiCampione(modello);
    MappaFormati formati;
    FormatiDaTabella(mrgxFormatiData, formati);
    FormatiDaTabella(mrgxFormatiOra, formati);
    const CodiciMesi mesi = MesiDriver();
    size_t n = 0;
    for (const auto& [numero, riga] : modello.RigheLette())
        n += CondizioneVale(c, riga, formati, mesi);
    return {n, modello.RigheLette().size()};
}

CodiciMesi frmDriver::MesiDriver() const {
    CodiciMesi mesi;
    if (mpDoc->moDriver)
        for (int i = 0; i < 12; ++i) mesi[static_cast<size_t>(i)] = mpDoc->moDriver->Mesi(i);
    return mesi;
}

void frmDriver::LeggiCampione(ModelloAnteprima& modello) const {
    std::vector<QString> esclusi;
    // Building the driver only reads the views (it takes their pending edits as they are).
    const clsDriver driver = DriverDalleViste(&esclusi);
    MappaFormati formati;
    FormatiDaTabella(mrgxFormatiData, formati);
    FormatiDaTabella(mrgxFormatiOra, formati);
    modello.Analizza(
        driver, formati,
        std::string_view(mbyCampione.constData(), static_cast<size_t>(mbyCampione.size())),
        esclusi);
}

std::pair<size_t, size_t> frmDriver::ChiamateConCondizione(const clsCondizione& c) const {
    ModelloAnteprima modello;
    LeggiCampione(modello);
    // Each line number with its text as the engine reads it (the first piece of a cut line).
    std::map<uint64_t, const std::string*> lette;
    for (const auto& [numero, riga] : modello.RigheLette()) lette.emplace(numero, &riga);
    MappaFormati formati;
    FormatiDaTabella(mrgxFormatiData, formati);
    FormatiDaTabella(mrgxFormatiOra, formati);
    const CodiciMesi mesi = MesiDriver();
    const size_t riga = static_cast<size_t>(std::max<int>(1, c.miRiga));
    size_t n = 0, chiamate = 0;
    for (const RigaAnteprima& r : modello.Righe()) {
        if (r.tipo != RigaAnteprima::CHIAMATA || r.bIncompleta || r.vRighe.size() < riga) continue;
        const auto k = lette.find(r.vRighe[riga - 1]);
        if (k == lette.end()) continue;
        ++chiamate;
        n += CondizioneVale(c, *k->second, formati, mesi);
    }
    return {n, chiamate};
}

std::vector<int16_t> frmDriver::FormatiCheLeggono(bool bEntranti, int iCampo, bool bData) const {
    std::vector<int16_t> codici;
    const std::string nome = NomeCampo(iCampo, bEntranti);
    if (nome.empty()) return codici;
    ModelloAnteprima modello;
    LeggiCampione(modello);
    std::vector<std::string> testi;
    for (const RigaAnteprima& r : modello.Righe()) {
        if (r.tipo != RigaAnteprima::CHIAMATA || r.bIncompleta || r.bEntrante != bEntranti)
            continue;
        for (const CampoLetto& c : r.vCampi)
            if (c.sNome == nome && !c.bDerivato) testi.push_back(c.sTaglio);
    }
    if (testi.empty()) return codici;
    const CodiciMesi mesi = MesiDriver();
    const TabellaValori& t = bData ? mrgxFormatiData : mrgxFormatiOra;
    for (int r = 1; r < t.Righe() && t.Colonne() >= 2; ++r) {
        const auto codice = LeggiIntero16(t.Cella(r, 1));
        if (!codice || *codice == 0) continue;
        const clsFormatoDataOra formato(t.Cella(r, 0));
        const bool legge = std::all_of(testi.begin(), testi.end(), [&](const std::string& s) {
            const auto v = formato.Leggi(s, mesi);
            return v && (bData ? v->HaData() : v->HaTempo());
        });
        if (legge) codici.push_back(*codice);
    }
    return codici;
}

void frmDriver::Segnala(const QString& sTesto) {
    statusBar()->showMessage(sTesto, DURATA_SEGNALAZIONE_MS);
}

}  // namespace tarno
