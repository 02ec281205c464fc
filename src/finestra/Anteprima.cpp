// The live preview pane of the main window: the engine's reading of the sample with the driver
// as the views hold it, refreshed a moment after every edit.

#include <QAction>
#include <QCheckBox>
#include <QDockWidget>
#include <QMenu>
#include <QStatusBar>
#include <QTableView>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QTimer>
#include <algorithm>
#include <map>
#include <optional>

#include "analisi/GruppiErrori.h"
#include "analisi/clsLetturaCampione.h"
#include "anteprima/PannelloAnteprima.h"
#include "catalogo/clsCatalogo.h"
#include "documento/DocumentoDriver.h"
#include "finestra/frmDriver.h"
#include "grid/clsGriglia.h"
#include "kit/Applicazione.h"
#include "kit/Globali.h"
#include "kit/Risorse.h"
#include "kit/ServiziUI.h"
#include "kit/TestoQt.h"
#include "model/CallFieldName.h"
#include "model/Numeri.h"
#include "model/Testo.h"
#include "model/clsChiamata.h"
#include "pagine/PaginaCampi.h"
#include "pagine/PaginaTrasformazioni.h"
#include "tabelle/LayoutTabelle.h"
#include "tabelle/MappaChiamate.h"
#include "ui_frmDriver.h"

namespace tarno {

namespace {

// The pause after an edit before the preview is refreshed: typing goes on undisturbed.
constexpr int PAUSA_ANTEPRIMA_MS = PannelloAnteprima::PAUSA_AGGIORNAMENTO_MS;
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
    // the pane shown or hidden by itself). The pane going with the window (closing, the end of
    // the program) is no choice: only a change while the window is shown is remembered.
    connect(mostra, &QAction::toggled, this, [this](bool bVisibile) {
        if (isVisible() && !mbChiusura) ImpostazioniUtente().setValue(CHIAVE_ANTEPRIMA, bVisibile);
        if (bVisibile) PianificaAnteprima();
    });

    // The view shows the lines as the engine reads them, or again the sample as loaded.
    connect(mpAnteprima->RigheMotore(), &QCheckBox::toggled, this, [this](bool bMotore) {
        if (!bMotore && !mbTransformMode)
            mpUi->rtfTesto->setPlainText(DaCp1252(mbyCampione.toStdString()));
        AggiornaAnteprima();
    });

    // A fix chosen in the preview's failure groups changes the driver as one step of the
    // document (undone with one Undo); the preview follows the document.
    connect(mpAnteprima, &PannelloAnteprima::CorrezioneRichiesta, this,
            [this](const GruppoErrori& g, const Correzione& c) {
                // A field left out for want of a format is not in the driver: its row takes it.
                if (g.motivo == MotivoGruppo::SenzaFormato) return FormatoDelCampoEscluso(g, c);
                std::vector<QString> esclusi;
                clsDriver driver = DriverDalleViste(&esclusi);
                // The driver would go without the fields a save refuses: they come first.
                if (!esclusi.empty()) {
                    Segnala(TestoRisorsa(32034, "Prima vanno sistemati i campi esclusi: %1")
                                .arg(esclusi.front()));
                    return;
                }
                if (!ApplicaCorrezione(driver, g, c)) return;
                mpDoc->Sostituisci(driver, ValoreSi(), ValoreNo());
                Segnala(PannelloAnteprima::TestoGruppo(g) + QStringLiteral(": ") +
                        PannelloAnteprima::TestoCorrezione(c));
            });

    // A row picked in the preview selects its lines in the sample view: the labels follow.
    connect(mpAnteprima, &PannelloAnteprima::RigheSelezionate, this, &frmDriver::AggiornaPosizione);

    // The kinds marked on a column's texts become the conditions of each kind, as one step.
    connect(mpAnteprima, &PannelloAnteprima::CondizioniDaColonna, this, [this] {
        using P = PannelloAnteprima;
        const auto [posizione, lunghezza] = mpAnteprima->PosizioneColonna();
        const auto& testi = mpAnteprima->TestiColonna();
        struct Tipo {
            int enTipo;
            int iNome;
            const char* sNome;
        };
        static const Tipo tipi[] = {{P::VALORE_ENTRANTE, 32233, "entranti"},
                                    {P::VALORE_USCENTE, 32234, "uscenti"},
                                    {P::VALORE_ENTRANTE_TRASFERITA, 32235, "entranti trasferite"},
                                    {P::VALORE_USCENTE_TRASFERITA, 32236, "uscenti trasferite"}};
        std::vector<QString> esclusi;
        clsDriver d = DriverDalleViste(&esclusi);
        // The document would lose the fields a save refuses: they come first.
        if (!esclusi.empty()) {
            Avviso(this, TestoRisorsa(32034, "Prima vanno sistemati i campi esclusi: %1")
                             .arg(esclusi.front()));
            return;
        }
        QStringList sostituite;
        bool scritte = false;
        for (const Tipo& t : tipi) {
            std::vector<std::string> valori;
            int riga = 0;
            for (size_t r = 0; r < testi.size(); ++r)
                if (mpAnteprima->TipoMarcato(static_cast<int>(r)) == t.enTipo) {
                    valori.push_back(testi[r].sTesto);
                    if (riga == 0) riga = testi[r].iRigaChiamata;
                }
            if (valori.empty()) continue;
            const bool entranti =
                t.enTipo == P::VALORE_ENTRANTE || t.enTipo == P::VALORE_ENTRANTE_TRASFERITA;
            const bool trasferite = t.enTipo >= P::VALORE_ENTRANTE_TRASFERITA;
            auto& chiamata = entranti ? d.moEntranti : d.moUscenti;
            if (!chiamata) chiamata = std::make_unique<clsChiamata>();
            auto& col = trasferite ? chiamata->mcolCondTrasferita : chiamata->mcolCondizioni;
            if (col && !col->Vuota()) sostituite << TestoRisorsa(t.iNome, t.sNome);
            col = clsLetturaCampione::CondizioniDaValori(valori, posizione, lunghezza, riga,
                                                         col ? &*col : nullptr);
            // The call has at least the line its text stands on.
            chiamata->miNumRighe =
                static_cast<int16_t>(std::max({int(chiamata->miNumRighe), riga, 1}));
            scritte = true;
        }
        if (!scritte) {
            Avviso(this, TestoRisorsa(32237,
                                      "Nessun testo \u00E8 marcato come entrante, "
                                      "uscente o trasferita: scegliere il tipo nella "
                                      "colonna Tipo."));
            return;
        }
        if (!sostituite.isEmpty() &&
            ServiziUI().Messaggio(
                this,
                TestoRisorsa(32238,
                             "Le chiamate %1 hanno gi\u00E0 delle condizioni: quelle "
                             "su questa colonna sono sostituite, le altre restano. "
                             "Continuare?")
                    .arg(sostituite.join(QStringLiteral(", "))),
                IconaUI::Domanda, PulsantiUI::SiNo, QString()) != RispostaUI::Si)
            return;
        mpDoc->Sostituisci(d, ValoreSi(), ValoreNo());
        AggiornaAnteprima();
    });
    connect(mpAnteprima, &PannelloAnteprima::VocePrescanningAccettata, this,
            &frmDriver::AggiungiVocePrescanning);

    mpTimerAnteprima = new QTimer(this);
    mpTimerAnteprima->setObjectName(QStringLiteral("tmrAnteprima"));
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
    // The date and time fields left out only for want of a format get a failure group each,
    // their values cut with a driver that holds them.
    PannelloAnteprima::SenzaFormato senzaFormato;
    std::vector<std::pair<TipoChiamata, ProblemaCampo>> problemi;
    senzaFormato.driver = mpDoc->DriverDalleTabelle(ValoreSi(), &problemi, true);
    for (const auto& [tipo, p] : problemi)
        if (p.iStringa == 10610) {
            const bool entranti = tipo == TipoChiamata::Entranti;
            senzaFormato.vCampi.emplace_back(entranti, NomeCampo(p.iRiga, entranti));
        }
    const auto colore = [this](bool bEntrante, const std::string& sNome) {
        PaginaCampi* pagina = bEntrante ? mpPagEntranti : mpPagUscenti;
        const int i = IndiceCampo(sNome, bEntrante);
        QCheckBox* box = i >= 0 ? pagina->chkCampo(i) : nullptr;
        return box ? box->palette().color(QPalette::Window) : QColor();
    };
    // While the view shows the engine's log, nothing is drawn over it.
    mpAnteprima->Aggiorna(driver, FormatiCatalogo(), Campione(),
                          mbTransformMode ? nullptr : mpUi->rtfTesto, colore, esclusi,
                          &senzaFormato);
}

void frmDriver::FormatoDelCampoEscluso(const GruppoErrori& g, const Correzione& c) {
    const int r = IndiceCampo(g.sCampo, g.bEntranti);
    const TipoChiamata tipo = g.bEntranti ? TipoChiamata::Entranti : TipoChiamata::Uscenti;
    if (c.tipo != Correzione::FORMATO || r < 0 || !RigaConFormato(r, tipo) || !AggiornaGriglie())
        return;
    std::optional<std::string> codice;
    if (c.iFormato != 0) {
        codice = std::to_string(c.iFormato);
    } else {
        // A common format the catalogue lacks: the same question as when it is typed in the
        // cell; a no leaves the field as it is.
        QString motivo;
        codice = AggiungiFormato(this, g.sCampo == "dData", DaCp1252(c.sTesto), &motivo);
        if (!codice) {
            if (!motivo.isEmpty()) Segnala(motivo);
            return;
        }
    }
    // Edits made before are a step of their own.
    mpDoc->RegistraModifiche();
    TabellaValori& t = mpDoc->TabellaCampi(tipo);
    if (r >= t.Righe() || t.Colonne() <= Campi::COL_FORMATO) return;
    t.Cella(r, Campi::COL_FORMATO) = *codice;
    (g.bEntranti ? mpPagEntranti : mpPagUscenti)->mpGriglia->Aggiorna();
    mpDoc->Modificato();
    mpDoc->RegistraModifiche();
    Segnala(PannelloAnteprima::TestoGruppo(g) + QStringLiteral(": ") +
            PannelloAnteprima::TestoCorrezione(c));
    AggiornaAnteprima();
}

void frmDriver::AggiungiVocePrescanning(const std::string& sVoce, const std::string& sValore) {
    if (!AggiornaGriglie()) return;
    // Edits made before are a step of their own.
    mpDoc->RegistraModifiche();
    clsDriver& d = mpDoc->Driver();
    auto& voci = d.mcolPrescanning ? *d.mcolPrescanning : d.mcolPrescanning.emplace();
    bool trovata = false;
    for (auto& voce : voci) {
        if (!UgualeNoCase(voce.valore.sEntry, sVoce)) continue;
        voce.valore.sValue = sValore;
        trovata = true;
    }
    if (!trovata) voci.Add(clsPrescanning{sVoce, sValore});
    d.mbConPrescanning = true;
    if (mpDoc->mrgxTrasf.Righe() > Trasf::PRESCANNING && mpDoc->mrgxTrasf.Colonne() > 1)
        mpDoc->mrgxTrasf.Cella(Trasf::PRESCANNING, 1) = ValoreSi();
    mpPagTrasf->grdTrasf->Aggiorna();
    mpDoc->Modificato();
    mpDoc->RegistraModifiche();
    Segnala(
        TestoRisorsa(32403, "Prescanning: aggiunto %1=%2").arg(DaCp1252(sVoce), DaCp1252(sValore)));
}

MappaFormati frmDriver::FormatiCatalogo() const {
    MappaFormati formati;
    FormatiDaTabella(mrgxFormatiData, formati);
    FormatiDaTabella(mrgxFormatiOra, formati);
    return formati;
}

std::string_view frmDriver::Campione() const {
    return {mbyCampione.constData(), static_cast<size_t>(mbyCampione.size())};
}

clsLetturaCampione frmDriver::LetturaCampione() const {
    // Building the driver only reads the views (it takes their pending edits as they are).
    return clsLetturaCampione(DriverDalleViste(), FormatiCatalogo(), Campione());
}

std::pair<size_t, size_t> frmDriver::RigheConCondizione(const clsCondizione& c) const {
    return LetturaCampione().RigheConCondizione(c);
}

std::pair<size_t, size_t> frmDriver::ChiamateConCondizione(const clsCondizione& c) const {
    return LetturaCampione().ChiamateConCondizione(c);
}

std::vector<int16_t> frmDriver::FormatiCheLeggono(bool bEntranti, int iCampo, bool bData) const {
    // The catalogue's formats of the kind, as (code, text) in the order of its table.
    std::vector<std::pair<int16_t, std::string>> formati;
    const TabellaValori& t = bData ? mrgxFormatiData : mrgxFormatiOra;
    for (int r = 1; r < t.Righe() && t.Colonne() >= 2; ++r)
        if (const auto codice = LeggiIntero16(t.Cella(r, 1)))
            formati.emplace_back(*codice, t.Cella(r, 0));
    return LetturaCampione().FormatiCheLeggono(bEntranti, NomeCampo(iCampo, bEntranti), bData,
                                               formati);
}

std::vector<std::string> frmDriver::TagliDelCampo(bool bEntranti, int iCampo) const {
    return LetturaCampione().TagliDelCampo(bEntranti, NomeCampo(iCampo, bEntranti));
}

int frmDriver::RigaNellaChiamata(bool bEntranti) const {
    const QTextCursor c = mpUi->rtfTesto->textCursor();
    if (mbTransformMode || !c.hasSelection()) return 0;
    const QTextBlock blocco = mpUi->rtfTesto->document()->findBlock(c.selectionStart());
    const clsLetturaCampione lettura = LetturaCampione();
    std::optional<size_t> riga;
    if (mpAnteprima->RigheMotore()->isChecked() && !mpRiquadroAnteprima->isHidden()) {
        // The view shows the lines as the engine reads them, one a block.
        riga = static_cast<size_t>(blocco.blockNumber());
    } else {
        const auto inizi = PannelloAnteprima::InizioBlocchi(Campione());
        const auto b = static_cast<size_t>(blocco.blockNumber());
        if (b < inizi.size())
            if (const auto dove = lettura.DalByte(
                    inizi[b] + static_cast<uint64_t>(c.selectionStart() - blocco.position())))
                riga = dove->first;
    }
    return riga ? lettura.RigaNellaChiamata(bEntranti, *riga) : 0;
}

void frmDriver::Segnala(const QString& sTesto) {
    statusBar()->showMessage(sTesto, DURATA_SEGNALAZIONE_MS);
}

}  // namespace tarno
