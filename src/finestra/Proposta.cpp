// New from the sample: the driver proposed from the printout read becomes the document, the
// formats it needs go to the catalogue, and a pane lists what was proposed and why, each item
// leading to where it is edited.

#include <QAction>
#include <QBoxLayout>
#include <QCheckBox>
#include <QDockWidget>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QStyle>
#include <QTabWidget>
#include <QTreeWidget>
#include <exception>

#include "analisi/clsProposta.h"
#include "catalogo/clsCatalogo.h"
#include "documento/DocumentoDriver.h"
#include "engine/FormatoDataOra.h"
#include "finestra/MessaggioCatalogo.h"
#include "finestra/frmDriver.h"
#include "grid/clsGriglia.h"
#include "kit/Globali.h"
#include "kit/Risorse.h"
#include "kit/ServiziUI.h"
#include "kit/TestoQt.h"
#include "model/CallFieldName.h"
#include "model/clsChiamata.h"
#include "pagine/PaginaCampi.h"
#include "pagine/PaginaIdentificazione.h"
#include "pagine/PaginaTrasformazioni.h"
#include "ui_frmDriver.h"

namespace tarno {

namespace {

// The item's place in the list of the proposal's decisions.
constexpr int RUOLO_VOCE = Qt::UserRole + 1;

using Ambito = VoceProposta::Ambito;

// The groups of the pane, in their order.
enum Gruppo { G_STAMPA, G_RIGHE, G_TIPO, G_ENTRANTI, G_USCENTI, G_FORMATI, NUM_GRUPPI };

Gruppo GruppoDi(const VoceProposta& v) {
    switch (v.ambito) {
        case Ambito::Stampa:
            return G_STAMPA;
        case Ambito::Righe:
            return G_RIGHE;
        case Ambito::Tipo:
            return G_TIPO;
        case Ambito::Campo:
            return v.bEntranti ? G_ENTRANTI : G_USCENTI;
        case Ambito::Formato:
            break;
    }
    return G_FORMATI;
}

// Every reference of a driver to a format code, through fn.
void PerOgniFormato(clsDriver& d, const std::function<void(int16_t&)>& fn) {
    const auto condizioni = [&](std::optional<ColCondizioni>& col) {
        if (col)
            for (auto& voce : *col) fn(voce.valore.miFormato);
    };
    for (clsChiamata* c : {d.moEntranti.get(), d.moUscenti.get()}) {
        if (!c) continue;
        condizioni(c->mcolCondizioni);
        condizioni(c->mcolCondTrasferita);
        if (c->mcolCampi)
            for (auto& voce : *c->mcolCampi) fn(voce.valore.miFormato);
    }
    condizioni(d.mcolDataIsolata);
}

}  // namespace

void frmDriver::PreparaProposta() {
    mpAlberoProposta = new QTreeWidget(this);
    mpAlberoProposta->setObjectName(QStringLiteral("trvProposta"));
    mpAlberoProposta->setColumnCount(2);
    mpAlberoProposta->setHeaderLabels({TestoRisorsa(31065, "Voce"), TestoRisorsa(31066, "Motivo")});
    mpAlberoProposta->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    mpAlberoProposta->setWordWrap(true);
    mpAlberoProposta->setUniformRowHeights(false);
    // Enter and a double click lead to where the item is edited.
    connect(mpAlberoProposta, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* voce) { VaiAVoce(voce); });

    // Above the list, the count of the decisions and the switch that leaves only the uncertain
    // ones: what the technician has to check against the printout.
    auto* riquadro = new QWidget(this);
    mpSintesiProposta = new QLabel(riquadro);
    mpSintesiProposta->setObjectName(QStringLiteral("lblSintesiProposta"));
    mpSoloIncerte = new QCheckBox(TestoRisorsa(31067, "Solo &quelle incerte"), riquadro);
    mpSoloIncerte->setObjectName(QStringLiteral("chkSoloIncerte"));
    mpSoloIncerte->setToolTip(TestoRisorsa(
        31068, "Lascia nell'elenco solo le scelte che la stampa non dice: quelle da controllare"));
    mpSoloIncerte->setEnabled(false);
    connect(mpSoloIncerte, &QCheckBox::toggled, this, [this] { FiltraProposta(); });
    auto* riga = new QHBoxLayout;
    riga->addWidget(mpSintesiProposta, 1);
    riga->addWidget(mpSoloIncerte);
    auto* colonna = new QVBoxLayout(riquadro);
    colonna->setContentsMargins(0, 0, 0, 0);
    colonna->addLayout(riga);
    colonna->addWidget(mpAlberoProposta);

    mpRiquadroProposta = new QDockWidget(TestoRisorsa(31055, "Proposta"), this);
    mpRiquadroProposta->setObjectName(QStringLiteral("dockProposta"));
    mpRiquadroProposta->setWidget(riquadro);
    addDockWidget(Qt::RightDockWidgetArea, mpRiquadroProposta);
    mpRiquadroProposta->hide();

    QAction* mostra = mpRiquadroProposta->toggleViewAction();
    mostra->setObjectName(QStringLiteral("mnuProposta"));
    mostra->setText(TestoRisorsa(31056, "&Proposta"));
    mostra->setToolTip(
        TestoRisorsa(31057, "Mostra o nasconde il driver proposto e il motivo di ogni scelta"));
    mpUi->mnupopStrumenti->addAction(mostra);
    connect(mostra, &QAction::triggered, this, [this](bool bVisibile) {
        if (bVisibile) mpAlberoProposta->setFocus();
    });
}

void frmDriver::SvuotaProposta() {
    if (!mpAlberoProposta) return;
    mpAlberoProposta->clear();
    mpSintesiProposta->clear();
    mpSoloIncerte->setChecked(false);
    mpSoloIncerte->setEnabled(false);
    mvVociProposta.clear();
    mmFormatiProposta.clear();
}

QString frmDriver::SintesiVoci() const {
    const auto incerte = std::count_if(mvVociProposta.begin(), mvVociProposta.end(),
                                       [](const VoceProposta& v) { return v.bIncerto; });
    const auto scelte = static_cast<qsizetype>(mvVociProposta.size());
    return incerte == 0 ? TestoRisorsa(31069, "%1 scelte, nessuna incerta").arg(scelte)
                        : TestoRisorsa(31070, "%1 scelte, %2 incerte da controllare")
                              .arg(scelte)
                              .arg(static_cast<qsizetype>(incerte));
}

void frmDriver::FiltraProposta() {
    const bool solo = mpSoloIncerte->isChecked();
    const auto incerta = [this](const QTreeWidgetItem* voce) {
        bool ok = false;
        const int i = voce->data(0, RUOLO_VOCE).toInt(&ok);
        return ok && i >= 0 && static_cast<size_t>(i) < mvVociProposta.size() &&
               mvVociProposta[static_cast<size_t>(i)].bIncerto;
    };
    QTreeWidgetItem* prima = nullptr;  // the first item left, for a current one hidden
    for (int g = 0; g < mpAlberoProposta->topLevelItemCount(); ++g) {
        QTreeWidgetItem* gruppo = mpAlberoProposta->topLevelItem(g);
        int visibili = 0;
        for (int c = 0; c < gruppo->childCount(); ++c) {
            QTreeWidgetItem* voce = gruppo->child(c);
            const bool nascosta = solo && !incerta(voce);
            voce->setHidden(nascosta);
            if (nascosta) continue;
            ++visibili;
            if (!prima) prima = voce;
        }
        gruppo->setHidden(visibili == 0);
    }
    const QTreeWidgetItem* corrente = mpAlberoProposta->currentItem();
    const auto nascosto = [](const QTreeWidgetItem* w) {
        for (; w; w = w->parent())
            if (w->isHidden()) return true;
        return false;
    };
    if (prima && (!corrente || nascosto(corrente))) mpAlberoProposta->setCurrentItem(prima);
}

void frmDriver::NuovoDalCampione() {
    if (mbyCampione.isEmpty()) {
        if (ServiziUI().Messaggio(this,
                                  TestoRisorsa(31052,
                                               "Il driver si propone da una stampa del "
                                               "centralino, e non ne \u00E8 stata letta "
                                               "nessuna. Leggerla ora?"),
                                  IconaUI::Domanda, PulsantiUI::SiNo, QString()) != RispostaUI::Si)
            return;
        LeggiDati();
        if (mbyCampione.isEmpty()) return;
    }
    if (!ChiediSalvataggio()) return;

    Proposta proposta;
    try {
        CursoreOccupato occupato;
        proposta = ProponiDriver(Campione(), FormatiCatalogo());
    } catch (const std::exception& e) {
        // A rule that fails on a printout nobody foresaw leaves the document as it was.
        Avviso(this, TestoRisorsa(31072,
                                  "La proposta del driver non \u00E8 riuscita (%1): il documento "
                                  "non \u00E8 cambiato.")
                         .arg(QString::fromLocal8Bit(e.what())));
        return;
    }
    const QStringList mancanti = AggiungiFormatiNuovi(proposta);
    {
        CursoreOccupato occupato;
        DocumentoNuovo();
        // The proposal carries no date nor version: the new document's.
        clsDriver& d = proposta.driver;
        const auto testo = [](const QString& s) { return InCp1252(s).value_or(std::string()); };
        if (d.msData.empty()) d.msData = testo(mpUi->txtData->text());
        if (d.msVersione.empty()) d.msVersione = testo(mpUi->txtVersione->text());
        mpDoc->Sostituisci(d, ValoreSi(), ValoreNo());
        MostraProposta(proposta);
        if (mpRiquadroProposta->isHidden()) {
            mpRiquadroProposta->show();
            // Beside the preview, the pane takes half the height as it appears.
            if (!mpRiquadroAnteprima->isHidden() && !mpRiquadroProposta->isFloating())
                resizeDocks({mpRiquadroAnteprima, mpRiquadroProposta}, {height() / 2, height() / 2},
                            Qt::Vertical);
        }
        mpRiquadroProposta->raise();
        // No call was found: the first item says why, in the status bar too.
        if (proposta.bNessunaChiamata && !proposta.vVoci.empty())
            Segnala(DaCp1252(proposta.vVoci.front().sTitolo) + QStringLiteral(": ") +
                    DaCp1252(proposta.vVoci.front().sTesto));
        else
            Segnala(TestoRisorsa(31071, "Driver proposto dalla stampa: %1").arg(SintesiVoci()));
        // The reading of the proposal at once, not after the pause that follows an edit.
        AggiornaAnteprima();
    }
    if (!mancanti.isEmpty())
        Avviso(this, TestoRisorsa(31054,
                                  "Il driver usa formati che il catalogo non ha: le date e le "
                                  "ore che li usano non saranno lette.\n%1")
                         .arg(mancanti.join(QLatin1Char('\n'))));
}

QStringList frmDriver::AggiungiFormatiNuovi(Proposta& p) {
    QStringList elenco;
    for (const FormatoProposto& f : p.vFormatiNuovi) elenco << DaCp1252(f.sTesto);
    if (elenco.isEmpty()) return {};
    const RispostaUI risposta = ServiziUI().Messaggio(
        this,
        TestoRisorsa(31053,
                     "Il driver proposto usa formati che il catalogo non ha:\n%1\nAggiungerli "
                     "al catalogo?")
            .arg(elenco.join(QLatin1Char('\n'))),
        IconaUI::Domanda, PulsantiUI::SiNo, QString());
    if (risposta != RispostaUI::Si) return elenco;

    QStringList mancanti;
    std::map<int16_t, int16_t> codici;  // as proposed -> as the catalogue gave it
    bool errore = false;
    for (const FormatoProposto& f : p.vFormatiNuovi) {
        int16_t codice = 0;
        if (errore || !mconDatabase.AggiungiFormato(f.bData, f.sTesto, codice)) {
            // One message for the catalogue's fault; the formats from there on stay missing.
            if (!errore) Avviso(this, MessaggioCatalogo(mconDatabase));
            errore = true;
            mancanti << DaCp1252(f.sTesto);
            continue;
        }
        codici[f.iCodice] = codice;
    }
    for (FormatoProposto& f : p.vFormatiNuovi)
        if (const auto it = codici.find(f.iCodice); it != codici.end()) f.iCodice = it->second;
    // Every reference at once, so that two codes that trade places are both right.
    PerOgniFormato(p.driver, [&codici](int16_t& codice) {
        const auto it = codici.find(codice);
        if (it != codici.end()) codice = it->second;
    });
    if (!codici.empty() && !RicaricaFormati()) Avviso(this, MessaggioCatalogo(mconDatabase));
    return mancanti;
}

std::optional<std::string> frmDriver::AggiungiFormato(QWidget* pPadre, std::optional<bool> bData,
                                                      const QString& sTesto, QString* psErrore) {
    const auto rifiuta = [psErrore](const QString& sMotivo) -> std::optional<std::string> {
        if (psErrore) *psErrore = sMotivo;
        return std::nullopt;
    };
    const QString digitato = sTesto.trimmed();
    const auto testo = InCp1252(digitato);
    if (!testo || testo->empty()) return std::nullopt;
    // A date format has a day, a month or a year; a time format hours, minutes or seconds and
    // no date, so that a time or a duration never gets a date format.
    const clsFormatoDataOra formato(*testo);
    const bool data = bData.value_or(formato.EData());
    if (data ? !formato.EData() : (!formato.ETempo() || formato.EData())) {
        const int numero = !bData ? 32200 : *bData ? 32201 : 32202;
        const char* predefinito =
            !bData   ? "\"%1\" non \u00E8 un formato di data n\u00E9 di ora: una data usa g "
                       "(giorno), m (mese) e a (anno), un'ora h (ore), m (minuti) e s (secondi); "
                       "gli altri caratteri devono stare nel valore come sono."
            : *bData ? "\"%1\" non \u00E8 un formato di data: servono g (giorno), m (mese) "
                       "o a (anno); gli altri caratteri devono stare nel valore come sono."
                     : "\"%1\" non \u00E8 un formato di ora: servono h (ore), m (minuti) o s "
                       "(secondi), senza giorno, mese n\u00E9 anno; gli altri caratteri devono "
                       "stare nel valore come sono.";
        return rifiuta(TestoRisorsa(numero, predefinito).arg(digitato));
    }
    const QString tipo = data ? TestoRisorsa(32203, "data") : TestoRisorsa(32204, "ora");
    if (ServiziUI().Messaggio(
            pPadre,
            TestoRisorsa(32205,
                         "Il catalogo non ha il formato di %1 \"%2\".\nAggiungerlo al catalogo "
                         "(per ogni driver)?")
                .arg(tipo, digitato),
            IconaUI::Domanda, PulsantiUI::SiNo, QString()) != RispostaUI::Si)
        return rifiuta(TestoRisorsa(32206,
                                    "Il formato \"%1\" non \u00E8 stato aggiunto al "
                                    "catalogo.")
                           .arg(digitato));
    int16_t codice = 0;
    {
        CursoreOccupato occupato;
        if (!mconDatabase.AggiungiFormato(data, *testo, codice))
            return rifiuta(TestoRisorsa(32207, "Il catalogo non accetta il formato \"%1\": %2")
                               .arg(digitato, MessaggioCatalogo(mconDatabase)));
        // Every list offers it at once; the preview reads with it.
        if (!RicaricaFormati()) Avviso(pPadre, MessaggioCatalogo(mconDatabase));
    }
    Segnala(TestoRisorsa(32208, "Formato \"%1\" aggiunto al catalogo con il codice %2")
                .arg(digitato)
                .arg(codice));
    return std::to_string(codice);
}

bool frmDriver::RicaricaFormati() {
    TabellaValori data, ora;
    if (!mconDatabase.CaricaFormati(true, data) || !mconDatabase.CaricaFormati(false, ora))
        return false;
    // The drop-downs show the tables as they are; the grids' lists are made from them.
    mrgxFormatiData = std::move(data);
    mrgxFormatiOra = std::move(ora);
    mpPagEntranti->AggiornaListaFormati();
    mpPagUscenti->AggiornaListaFormati();
    return true;
}

void frmDriver::MostraProposta(const Proposta& p) {
    SvuotaProposta();
    mvVociProposta = p.vVoci;
    for (const FormatoProposto& f : p.vFormatiNuovi) mmFormatiProposta[f.sTesto] = f.iCodice;
    static const std::pair<int, const char*> titoli[NUM_GRUPPI] = {
        {31058, "Stampa"},         {31059, "Righe"},         {31060, "Tipo di chiamata"},
        {31061, "Campi entranti"}, {31062, "Campi uscenti"}, {31063, "Formati nuovi"}};
    QTreeWidgetItem* gruppi[NUM_GRUPPI] = {};
    const QIcon incerto = style()->standardIcon(QStyle::SP_MessageBoxQuestion);
    const QString motivoIncerto =
        TestoRisorsa(31064,
                     "Incerto: la stampa non lo dice, si \u00E8 scelta la lettura pi\u00F9 "
                     "probabile.");
    for (size_t i = 0; i < mvVociProposta.size(); ++i) {
        const VoceProposta& v = mvVociProposta[i];
        const Gruppo g = GruppoDi(v);
        if (!gruppi[g]) {
            gruppi[g] = new QTreeWidgetItem({TestoRisorsa(titoli[g].first, titoli[g].second)});
            QFont f = gruppi[g]->font(0);
            f.setBold(true);
            gruppi[g]->setFont(0, f);
        }
        const QString titolo = DaCp1252(v.sTitolo);
        const QString testo = DaCp1252(v.sTesto);
        auto* voce = new QTreeWidgetItem(
            gruppi[g], {v.bIncerto ? titolo + QStringLiteral(" ?") : titolo, testo});
        voce->setData(0, RUOLO_VOCE, static_cast<int>(i));
        const QString suggerimento = v.bIncerto ? testo + QLatin1Char('\n') + motivoIncerto : testo;
        voce->setToolTip(0, suggerimento);
        voce->setToolTip(1, suggerimento);
        if (v.bIncerto) voce->setIcon(0, incerto);
        for (const auto& a : v.vAlternative) {
            QStringList valori;
            for (const std::string& s : a.vValori) valori << DaCp1252(s);
            auto* alternativa = new QTreeWidgetItem(
                voce, {DaCp1252(a.sLettura), valori.join(QStringLiteral(", "))});
            alternativa->setData(0, RUOLO_VOCE, static_cast<int>(i));
            if (a.bScelta) {
                QFont f = alternativa->font(0);
                f.setBold(true);
                alternativa->setFont(0, f);
                alternativa->setFont(1, f);
            }
        }
    }
    // The groups in their order, whichever item came first.
    for (QTreeWidgetItem* g : gruppi)
        if (g) mpAlberoProposta->addTopLevelItem(g);
    mpAlberoProposta->expandAll();
    if (mpAlberoProposta->topLevelItemCount() > 0)
        mpAlberoProposta->setCurrentItem(mpAlberoProposta->topLevelItem(0));
    mpSintesiProposta->setText(SintesiVoci());
    mpSoloIncerte->setEnabled(std::any_of(mvVociProposta.begin(), mvVociProposta.end(),
                                          [](const VoceProposta& v) { return v.bIncerto; }));
}

void frmDriver::VaiAVoce(QTreeWidgetItem* pVoce) {
    if (!pVoce) return;
    bool ok = false;
    const int i = pVoce->data(0, RUOLO_VOCE).toInt(&ok);
    if (!ok || i < 0 || static_cast<size_t>(i) >= mvVociProposta.size()) return;
    VaiAVoce(mvVociProposta[static_cast<size_t>(i)]);
}

void frmDriver::VaiAVoce(const VoceProposta& v) {
    const auto vai = [this](int iPagina, clsGriglia* g, int iRiga, int iColonna) {
        mpUi->tabDriver->setCurrentIndex(iPagina);
        if (!g || iRiga < 0 || iRiga >= g->Modello()->rowCount()) return;
        g->setFocus();
        g->ImpostaCellaCorrente(iRiga, iColonna);
    };
    switch (v.ambito) {
        case Ambito::Campo: {
            PaginaCampi* pagina = v.bEntranti ? mpPagEntranti : mpPagUscenti;
            vai(v.bEntranti ? PAGINA_ENTRANTI : PAGINA_USCENTI, pagina->mpGriglia,
                IndiceCampo(v.sCampo, v.bEntranti), Campi::COL_RIGA);
            return;
        }
        case Ambito::Righe:
        case Ambito::Tipo:
            // The kind's row, where "Dettagli..." edits its conditions.
            vai(PAGINA_IDENTIFICAZIONE, mpPagIdent->grdIdent,
                v.bEntranti ? Ident::RIGA_ENTRANTI : Ident::RIGA_USCENTI, 1);
            return;
        case Ambito::Stampa:
            vai(PAGINA_TRASFORMAZIONI, mpPagTrasf->grdTrasf, Trasf::PRESCANNING, 1);
            return;
        case Ambito::Formato:
            break;
    }
    // A new format: the first field that reads with it.
    for (const auto& [sTesto, iCodice] : mmFormatiProposta) {
        if (v.sTitolo.find(sTesto) == std::string::npos &&
            v.sTesto.find(sTesto) == std::string::npos)
            continue;
        for (PaginaCampi* pagina : {mpPagEntranti, mpPagUscenti}) {
            const TabellaValori& t = pagina->Tabella();
            for (int r = 0; r < t.Righe() && t.Colonne() > Campi::COL_FORMATO; ++r)
                if (t.Cella(r, Campi::COL_FORMATO) == std::to_string(iCodice)) {
                    vai(pagina->Entranti() ? PAGINA_ENTRANTI : PAGINA_USCENTI, pagina->mpGriglia, r,
                        Campi::COL_FORMATO);
                    return;
                }
        }
    }
}

}  // namespace tarno
