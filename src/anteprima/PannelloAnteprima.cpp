#include "anteprima/PannelloAnteprima.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QTableView>
#include <QTableWidget>
#include <QTextBlock>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <map>
#include <optional>

#include "anteprima/ModelloAnteprima.h"
#include "engine/CampiSeparati.h"
#include "engine/FormatoDataOra.h"
#include "kit/Risorse.h"
#include "kit/TestoQt.h"
#include "model/CallFieldName.h"
#include "model/Testo.h"
#include "model/clsDriver.h"

namespace tarno {

namespace {

// Where the fields of a call kind lie on their line, by name: start (from 1) and length, or in
// a driver of separated fields the field's number, length and start inside it.
std::map<std::string, PosizioneCampo> Posizioni(const clsChiamata* chiamata, bool bSeparati) {
    std::map<std::string, PosizioneCampo> p;
    if (!chiamata || !chiamata->mcolCampi) return p;
    for (int i = 1; i <= chiamata->mcolCampi->Count(); ++i) {
        const clsCampo& c = chiamata->mcolCampi->Item(i);
        p[c.msNome] = bSeparati ? PosizioneCampo{c.miInizio, c.miNelCampo, c.miLunghezza}
                                : PosizioneCampo{std::max<int>(1, c.miInizio), 0, c.miLunghezza};
    }
    return p;
}

}  // namespace

PannelloAnteprima::PannelloAnteprima(QWidget* parent)
    : QWidget(parent),
      mpModello(new ModelloAnteprima(this)),
      mpSommario(new QLabel(this)),
      mpProposte(new QWidget(this)),
      mpTabella(new QTableView(this)),
      mpRigheMotore(new QCheckBox(TestoRisorsa(30723, "Righe come le legge il motore"), this)),
      mpTitoloColonna(new QLabel(this)),
      mpColonna(new QTableWidget(this)),
      mpSoloErrori(new QCheckBox(TestoRisorsa(32030, "Solo chiamate con &errori"), this)),
      mpGruppi(new QTableWidget(this)),
      mpCondizioni(new QPushButton(TestoRisorsa(32220, "Scrivi le &condizioni dai tipi"), this)) {
    setObjectName(QStringLiteral("pnlAnteprima"));
    mpSommario->setObjectName(QStringLiteral("lblSommarioAnteprima"));
    mpSommario->setWordWrap(true);
    mpTabella->setObjectName(QStringLiteral("tblAnteprima"));
    mpTabella->setModel(mpModello);
    mpTabella->setSelectionBehavior(QAbstractItemView::SelectRows);
    mpTabella->setSelectionMode(QAbstractItemView::SingleSelection);
    mpTabella->setEditTriggers(QAbstractItemView::NoEditTriggers);
    mpTabella->verticalHeader()->setVisible(false);
    mpTabella->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    mpTabella->horizontalHeader()->setStretchLastSection(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(mpSommario);
    mpProposte->setObjectName(QStringLiteral("pnlProposteAnteprima"));
    auto* proposte = new QVBoxLayout(mpProposte);
    proposte->setContentsMargins(0, 0, 0, 0);
    mpProposte->hide();
    layout->addWidget(mpProposte);
    mpRigheMotore->setObjectName(QStringLiteral("chkRigheMotore"));
    mpRigheMotore->setToolTip(
        TestoRisorsa(30724,
                     "Mostra il campione senza il prefisso (Offset) e dopo le "
                     "trasformazioni INIZIALE: le posizioni marcate sono quelle del "
                     "motore"));
    layout->addWidget(mpRigheMotore);
    mpGruppi->setObjectName(QStringLiteral("tblGruppiErrori"));
    mpGruppi->setColumnCount(2);
    mpGruppi->setHorizontalHeaderLabels(
        {TestoRisorsa(32031, "Errori per campo e motivo"), TestoRisorsa(32032, "Correzione")});
    mpGruppi->setEditTriggers(QAbstractItemView::NoEditTriggers);
    mpGruppi->setSelectionBehavior(QAbstractItemView::SelectRows);
    mpGruppi->verticalHeader()->setVisible(false);
    mpGruppi->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    mpGruppi->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    mpGruppi->hide();
    layout->addWidget(mpGruppi, 1);
    mpSoloErrori->setObjectName(QStringLiteral("chkSoloErrori"));
    connect(mpSoloErrori, &QCheckBox::toggled, this, &PannelloAnteprima::FiltraRighe);
    layout->addWidget(mpSoloErrori);
    layout->addWidget(mpTabella, 3);
    mpTitoloColonna->setObjectName(QStringLiteral("lblColonnaAnteprima"));
    mpTitoloColonna->setWordWrap(true);
    mpColonna->setObjectName(QStringLiteral("tblColonnaAnteprima"));
    mpColonna->setColumnCount(NUM_COL_TESTI);
    mpColonna->setHorizontalHeaderLabels(
        {TestoRisorsa(30720, "Testo"), TestoRisorsa(30660, "Righe"),
         TestoRisorsa(30663, "Entranti"), TestoRisorsa(30664, "Uscenti"),
         TestoRisorsa(32221, "Tipo"), TestoRisorsa(32222, "Campi pieni"),
         TestoRisorsa(32223, "Esempio")});
    mpCondizioni->setObjectName(QStringLiteral("cmdCondizioniColonna"));
    mpCondizioni->setToolTip(
        TestoRisorsa(32224,
                     "Per ogni tipo di chiamata marcato: una condizione \"uguale a\" per testo, "
                     "unite da Or, al posto di quelle di prima su questa colonna"));
    connect(mpCondizioni, &QPushButton::clicked, this, &PannelloAnteprima::CondizioniDaColonna);
    mpColonna->setEditTriggers(QAbstractItemView::NoEditTriggers);
    mpColonna->verticalHeader()->setVisible(false);
    mpColonna->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    mpColonna->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(mpTitoloColonna);
    layout->addWidget(mpColonna, 1);
    layout->addWidget(mpCondizioni);
    mpTitoloColonna->hide();
    mpColonna->hide();
    mpCondizioni->hide();
    mpTabella->installEventFilter(this);
    connect(mpTabella, &QTableView::clicked, this, &PannelloAnteprima::SelezionaRighe);
    connect(mpTabella, &QTableView::activated, this, &PannelloAnteprima::SelezionaRighe);
    // Going through the rows with the keys shows each row's lines too; a refresh of the table
    // (the focus elsewhere) leaves the view's selection alone.
    connect(mpTabella->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& attuale) {
                if (mpTabella->hasFocus() && !mbRipristino) SelezionaRighe(attuale);
            });
}

bool PannelloAnteprima::eventFilter(QObject* obj, QEvent* ev) {
    if (obj == mpTabella && ev->type() == QEvent::FocusIn) {
        // A table without a current row takes its first one with the focus (the focus passing
        // by on a change of page, say): that is no row the user chose, and the view's
        // selection stays.
        const QScopedValueRollback ripristino(mbRipristino, true);
        static_cast<QObject*>(mpTabella)->event(ev);
        return true;
    }
    return QWidget::eventFilter(obj, ev);
}

void PannelloAnteprima::MostraProposte(std::string_view sByte) {
    // Rebuilt on every reading: a proposal taken (or no longer called for) goes.
    for (QWidget* w : mpProposte->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) delete w;
    const clsLetturaCampione& lettura = mpModello->Lettura();
    const auto voci = lettura.PrescanningProposto(sByte);
    for (const auto& v : voci) {
        const QString voce = DaCp1252(v.sVoce), valore = DaCp1252(v.sValore);
        const QString perche =
            v.sVoce == "SeparatoreRecord"
                ? TestoRisorsa(32400,
                               "%1 righe molto pi\u00F9 lunghe di quanto il driver legge; il "
                               "carattere %2 ricorre %3 volte: forse chiude i record.")
                      .arg(lettura.Conteggi().iRigheLunghe)
                      .arg(valore)
                      .arg(v.iQuanti)
                : TestoRisorsa(32401,
                               "Le righe contengono %1 caratteri di controllo: spostano le "
                               "posizioni dei campi che li seguono.")
                      .arg(v.iQuanti);
        auto* riga = new QWidget(mpProposte);
        auto* layout = new QHBoxLayout(riga);
        layout->setContentsMargins(0, 0, 0, 0);
        auto* testo = new QLabel(perche, riga);
        testo->setWordWrap(true);
        auto* cmd = new QPushButton(
            TestoRisorsa(32402, "Aggiungi al prescanning %1=%2").arg(voce, valore), riga);
        cmd->setObjectName(QStringLiteral("cmdProponi") + voce);
        cmd->setAutoDefault(false);
        layout->addWidget(testo, 1);
        layout->addWidget(cmd);
        mpProposte->layout()->addWidget(riga);
        connect(cmd, &QPushButton::clicked, this,
                [this, v] { emit VocePrescanningAccettata(v.sVoce, v.sValore); });
    }
    mpProposte->setVisible(!voci.empty());
}

std::vector<uint64_t> PannelloAnteprima::InizioBlocchi(std::string_view s) {
    std::vector<uint64_t> inizi{0};
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '\r' && s[i] != '\n') continue;
        if (s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n') ++i;
        inizi.push_back(i + 1);
    }
    return inizi;
}

int PannelloAnteprima::PosizioneByte(uint64_t iByte) const {
    if (!mpVista || mvBlocchi.empty()) return -1;
    const auto k = std::upper_bound(mvBlocchi.begin(), mvBlocchi.end(), iByte);
    const QTextBlock blocco =
        mpVista->document()->findBlockByNumber(static_cast<int>(k - mvBlocchi.begin() - 1));
    if (!blocco.isValid()) return -1;
    const uint64_t colonna = iByte - *std::prev(k);
    return blocco.position() + static_cast<int>(std::min<uint64_t>(colonna, blocco.length() - 1));
}

int PannelloAnteprima::Posizione(size_t iRiga, size_t iCarattere) const {
    const auto& righe = mpModello->Lettura().Righe();
    if (!mpVista || iRiga >= righe.size()) return -1;
    if (!mbRigheMotore) return PosizioneByte(righe[iRiga].Origine(iCarattere));
    const QTextBlock blocco = mpVista->document()->findBlockByNumber(static_cast<int>(iRiga));
    if (!blocco.isValid()) return -1;
    return blocco.position() + std::min(static_cast<int>(iCarattere), blocco.length() - 1);
}

QTextCursor PannelloAnteprima::Tratto(size_t iRiga, size_t iDa, size_t iA) const {
    const auto& righe = mpModello->Lettura().Righe();
    if (iRiga >= righe.size()) return {};
    // Up to the last character read: the view holds nothing of the line beyond it.
    const size_t fine = mbRigheMotore ? righe[iRiga].sTesto.size() : righe[iRiga].iLetta;
    iA = std::min(iA, fine);
    if (iA <= iDa) return {};
    const int da = Posizione(iRiga, iDa);
    if (da < 0) return {};
    // The last character most often lies in the same block, as far on as in the printout.
    int a = -1;
    if (!mbRigheMotore) {
        const uint64_t passo = righe[iRiga].Origine(iA - 1) - righe[iRiga].Origine(iDa);
        const QTextBlock blocco = mpVista->document()->findBlock(da);
        if (da + static_cast<int64_t>(passo) < blocco.position() + blocco.length() - 1)
            a = da + static_cast<int>(passo);
    }
    if (a < 0) a = Posizione(iRiga, iA - 1);
    if (a < da) return {};
    QTextCursor cursore(mpVista->document());
    cursore.setPosition(da);
    cursore.setPosition(a + 1, QTextCursor::KeepAnchor);
    return cursore;
}

void PannelloAnteprima::Aggiorna(const clsDriver& driver, const MappaFormati& formati,
                                 std::string_view sByte, QTextEdit* vista,
                                 const ColoreCampo& colore, const std::vector<QString>& vEsclusi,
                                 const SenzaFormato* pSenzaFormato) {
    // The columns' widths (by caption) and the selected row (by its kind and first line) as
    // the user left them outlive the refresh.
    for (int c = 0; c < mpModello->columnCount(); ++c)
        mmLarghezze[mpModello->headerData(c, Qt::Horizontal).toString()] =
            mpTabella->columnWidth(c);
    const QModelIndex attuale = mpTabella->currentIndex();
    std::optional<std::pair<RigaAnteprima::Tipo, uint64_t>> scelta;
    if (attuale.isValid() && static_cast<size_t>(attuale.row()) < mpModello->Righe().size()) {
        const RigaAnteprima& r = mpModello->Righe()[static_cast<size_t>(attuale.row())];
        scelta.emplace(r.tipo, r.vRighe.empty() ? 0 : r.vRighe.front());
    }
    mpModello->Analizza(driver, formati, sByte, vEsclusi);
    mpSommario->setText(mpModello->Sommario());
    MostraProposte(sByte);
    LarghezzeColonne();
    FiltraRighe();
    MostraGruppi(driver, formati, sByte, pSenzaFormato);
    if (scelta) {
        const auto& righe = mpModello->Righe();
        const auto it = std::find_if(righe.begin(), righe.end(), [&](const RigaAnteprima& r) {
            return r.tipo == scelta->first &&
                   (r.vRighe.empty() ? 0 : r.vRighe.front()) == scelta->second;
        });
        if (it != righe.end()) {
            mbRipristino = true;
            mpTabella->setCurrentIndex(mpModello->index(static_cast<int>(it - righe.begin()),
                                                        std::max(0, attuale.column())));
            mbRipristino = false;
        }
    }
    const clsLetturaCampione& lettura = mpModello->Lettura();
    const auto& righe = lettura.Righe();
    mvIndici.assign(lettura.Conteggi().iRighe, {righe.size(), 0});
    for (size_t i = 0; i < righe.size(); ++i) {
        auto& [primo, ultimo] = mvIndici[righe[i].iNumero - 1];
        primo = std::min(primo, i);
        ultimo = i;
    }
    if (mpVista && mpVista != vista) {
        mpVista->setExtraSelections({});
        disconnect(mpVista, nullptr, this, nullptr);
    }
    if (vista && mpVista != vista)
        connect(vista, &QTextEdit::selectionChanged, this, &PannelloAnteprima::MostraColonna);
    mpVista = vista;
    mvBlocchi.clear();
    mbRigheMotore = vista && mpRigheMotore->isChecked();
    if (mbRigheMotore) {
        // One block a line as the engine reads it; a line that does not enter the reading is
        // not shown, a cut line is shown in its pieces.
        QStringList testi;
        for (const RigaCampione& r : righe) testi.append(DaCp1252(r.sTesto));
        const QString testo = testi.join(QLatin1Char('\n'));
        if (vista->toPlainText() != testo) vista->setPlainText(testo);
    } else if (vista) {
        mvBlocchi = InizioBlocchi(sByte);
    }
    MostraColonna();
    if (!vista) return;

    // The index in the reading's lines of a line of the sample and its piece.
    const auto indice = [&](uint64_t riga, uint8_t pezzo) -> std::optional<size_t> {
        if (riga < 1 || riga > mvIndici.size() || mvIndici[riga - 1].first >= righe.size())
            return std::nullopt;
        const size_t i = mvIndici[riga - 1].first + (pezzo > 1 ? 1 : 0);
        return i <= mvIndici[riga - 1].second ? std::optional(i) : std::nullopt;
    };
    const Separazione* separa = lettura.Separa();
    const auto entranti = Posizioni(driver.moEntranti.get(), separa);
    const auto uscenti = Posizioni(driver.moUscenti.get(), separa);
    std::map<std::pair<bool, std::string>, QColor> colori;
    QList<QTextEdit::ExtraSelection> selezioni;
    if (separa) {
        // The fields of each line in two tints by turns, under the fields' own colours.
        QTextCharFormat tinte[2];
        tinte[0].setBackground(QColor(224, 236, 255));
        tinte[1].setBackground(QColor(255, 240, 214));
        for (size_t i = 0; i < righe.size(); ++i) {
            const auto tratti =
                TrattiCampi(righe[i].sTesto, separa->cSeparatore, separa->cVirgolette);
            for (size_t k = 0; k < tratti.size(); ++k) {
                const QTextCursor c = Tratto(i, tratti[k].first, tratti[k].second);
                if (!c.isNull()) selezioni.append({c, tinte[k % 2]});
            }
        }
    }
    QTextCharFormat grigio;
    grigio.setForeground(QColor(Qt::gray));
    for (const RigaAnteprima& r : mpModello->Righe()) {
        if (r.tipo == RigaAnteprima::NON_RICONOSCIUTA) {
            // The whole line, with its prefix and every piece.
            const uint64_t n = r.vRighe.front();
            if (!indice(n, 0)) continue;
            const auto [primo, ultimo] = mvIndici[n - 1];
            QTextCursor c(vista->document());
            const int da = mbRigheMotore ? Posizione(primo, 0) : PosizioneByte(righe[primo].iByte);
            const int a = Posizione(
                ultimo, mbRigheMotore ? righe[ultimo].sTesto.size() : righe[ultimo].iLetta);
            if (da < 0 || a <= da) continue;
            c.setPosition(da);
            c.setPosition(a, QTextCursor::KeepAnchor);
            selezioni.append({c, grigio});
            continue;
        }
        const auto& posizioni = r.bEntrante ? entranti : uscenti;
        for (const CampoLetto& campo : r.vCampi) {
            if (campo.bDerivato || campo.iRiga == 0) continue;
            const auto p = posizioni.find(campo.sNome);
            const auto i = indice(campo.iRiga, campo.iPezzo);
            if (p == posizioni.end() || !i) continue;
            const PosizioneCampo& pos = p->second;
            std::optional<std::pair<size_t, size_t>> tratto;
            if (separa)
                tratto = TrattoDelCampo(righe[*i].sTesto, separa->cSeparatore, separa->cVirgolette,
                                        pos.iCampo, pos.iNelCampo, pos.iLunghezza);
            else if (pos.iLunghezza > 0)
                tratto.emplace(pos.iCampo - 1, pos.iCampo - 1 + pos.iLunghezza);
            if (!tratto) continue;
            const QTextCursor c = Tratto(*i, tratto->first, tratto->second);
            if (c.isNull()) continue;
            const auto chiave = std::make_pair(r.bEntrante, campo.sNome);
            auto k = colori.find(chiave);
            if (k == colori.end())
                k = colori.emplace(chiave, colore(r.bEntrante, campo.sNome)).first;
            QTextCharFormat formato;
            if (k->second.isValid()) {
                formato.setBackground(k->second);
                formato.setForeground(k->second.lightness() < 128 ? QColor(Qt::white)
                                                                  : QColor(Qt::black));
            }
            if (!campo.sErrore.empty()) {
                formato.setUnderlineStyle(QTextCharFormat::WaveUnderline);
                formato.setUnderlineColor(Qt::red);
                formato.setToolTip(ModelloAnteprima::Suggerimento(DaCp1252(campo.sErrore)));
            }
            selezioni.append({c, formato});
        }
    }
    vista->setExtraSelections(selezioni);
}

std::vector<PannelloAnteprima::TestoColonna> PannelloAnteprima::Colonna(int iPosizione,
                                                                        int iLunghezza) const {
    return mpModello->Lettura().Colonna(iPosizione, iLunghezza);
}

void PannelloAnteprima::MostraColonna() {
    int posizione = 0, lunghezza = 0;
    std::optional<size_t> riga;  // the selection's line in the reading, when known
    if (mpVista) {
        const QTextCursor c = mpVista->textCursor();
        const QTextDocument* doc = mpVista->document();
        const QTextBlock blocco = doc->findBlock(c.selectionStart());
        const int colonna = c.selectionStart() - blocco.position();
        if (c.hasSelection() && blocco == doc->findBlock(c.selectionEnd())) {
            if (mbRigheMotore) {
                // Every block is a line as the engine reads it.
                posizione = colonna + 1;
                lunghezza = c.selectionEnd() - c.selectionStart();
                riga = static_cast<size_t>(blocco.blockNumber());
            } else if (static_cast<size_t>(blocco.blockNumber()) < mvBlocchi.size()) {
                // The characters of the reading the first and last selected bytes became.
                const uint64_t b = mvBlocchi[static_cast<size_t>(blocco.blockNumber())];
                const int n = c.selectionEnd() - c.selectionStart();
                const auto da = mpModello->Lettura().DalByte(b + static_cast<uint64_t>(colonna));
                const auto a =
                    mpModello->Lettura().DalByte(b + static_cast<uint64_t>(colonna + n - 1));
                if (da) {
                    posizione = static_cast<int>(da->second) + 1;
                    lunghezza = a && a->first == da->first
                                    ? static_cast<int>(a->second - da->second) + 1
                                    : n;
                    riga = da->first;
                }
            }
        }
    }
    // In a driver of separated fields: the field under the selection, or the part of it.
    const clsLetturaCampione& lettura = mpModello->Lettura();
    const Separazione* separa = lettura.Separa();
    std::optional<PosizioneCampo> campo;
    if (separa && riga && *riga < lettura.Righe().size() && lunghezza > 0)
        campo = CampoDelTratto(lettura.Righe()[*riga].sTesto, separa->cSeparatore,
                               separa->cVirgolette, static_cast<size_t>(posizione - 1),
                               static_cast<size_t>(posizione - 1 + lunghezza));
    if (separa && !campo) lunghezza = 0;
    auto testi = campo ? lettura.ColonnaCampo(campo->iCampo, campo->iNelCampo, campo->iLunghezza)
                       : Colonna(posizione, lunghezza);
    mpTitoloColonna->setVisible(lunghezza > 0);
    mpColonna->setVisible(lunghezza > 0);
    // Conditions from the kinds marked are written at columns: not for separated fields yet.
    mpCondizioni->setVisible(lunghezza > 0 && !campo);
    if (posizione != miPosizione || lunghezza != miLunghezza) mmTipi.clear();
    miPosizione = posizione, miLunghezza = lunghezza;
    if (lunghezza <= 0) {
        mvTesti.clear();
        return;
    }
    if (campo && campo->iLunghezza == 0)
        mpTitoloColonna->setText(
            TestoRisorsa(32600, "Campo %1: %2 testi diversi sulle righe del campione")
                .arg(campo->iCampo)
                .arg(testi.size()));
    else if (campo)
        mpTitoloColonna->setText(
            TestoRisorsa(32601,
                         "Campo %1, dal carattere %2 per %3: %4 testi diversi sulle righe del "
                         "campione")
                .arg(campo->iCampo)
                .arg(campo->iNelCampo)
                .arg(campo->iLunghezza)
                .arg(testi.size()));
    else
        mpTitoloColonna->setText(TestoRisorsa(30721,
                                              "Posizione %1, lunghezza %2: %3 testi diversi "
                                              "sulle righe del campione")
                                     .arg(posizione)
                                     .arg(lunghezza)
                                     .arg(testi.size()));
    // The first texts are what tells calls apart: a few hundred rows are enough to see them.
    constexpr size_t MAX_RIGHE = 500;
    const int n = static_cast<int>(std::min(testi.size(), MAX_RIGHE));
    testi.resize(static_cast<size_t>(n));
    mvTesti = std::move(testi);
    mpColonna->setRowCount(n);
    static const std::pair<int, const char*> tipi[] = {{0, ""},
                                                       {32225, "Entrante"},
                                                       {32226, "Uscente"},
                                                       {32227, "Entrante trasferita"},
                                                       {32228, "Uscente trasferita"},
                                                       {32229, "Non \u00E8 una chiamata"}};
    for (int r = 0; r < n; ++r) {
        const TestoColonna& t = mvTesti[static_cast<size_t>(r)];
        QStringList campi;
        if (t.bSquillo) campi << TestoRisorsa(32230, "squillo");
        if (t.bScatti) campi << TestoRisorsa(32231, "scatti");
        if (t.bNumero) campi << TestoRisorsa(32232, "numero");
        const QString valori[] = {
            QLatin1Char('"') + DaCp1252(TestoVisibile(t.sTesto)) + QLatin1Char('"'),
            QString::number(t.iRighe),
            QString::number(t.iEntranti),
            QString::number(t.iUscenti),
            QString(),
            campi.join(QStringLiteral(", ")),
            DaCp1252(TestoVisibile(t.sEsempio))};
        for (int k = 0; k < NUM_COL_TESTI; ++k) {
            auto* cella = mpColonna->item(r, k);
            if (!cella) {
                cella = new QTableWidgetItem;
                mpColonna->setItem(r, k, cella);
            }
            cella->setText(valori[k]);
            if (k >= COL_RIGHE && k <= COL_USCENTI)
                cella->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        }
        auto* tipo = qobject_cast<QComboBox*>(mpColonna->cellWidget(r, COL_TIPO));
        if (!tipo) {
            tipo = new QComboBox;
            tipo->setObjectName(QStringLiteral("cboTipoValore"));
            for (const auto& [numero, testo] : tipi)
                tipo->addItem(numero ? TestoRisorsa(numero, testo) : QString());
            mpColonna->setCellWidget(r, COL_TIPO, tipo);
            connect(tipo, &QComboBox::activated, this, [this, tipo](int i) {
                for (int k = 0; k < mpColonna->rowCount(); ++k)
                    if (mpColonna->cellWidget(k, COL_TIPO) == tipo) MarcaTipo(k, i);
            });
        }
        const auto marcato = mmTipi.find(t.sTesto);
        tipo->setCurrentIndex(marcato == mmTipi.end() ? 0 : marcato->second);
    }
}

int PannelloAnteprima::TipoMarcato(int r) const {
    if (r < 0 || static_cast<size_t>(r) >= mvTesti.size()) return VALORE_NON_DETTO;
    const auto it = mmTipi.find(mvTesti[static_cast<size_t>(r)].sTesto);
    return it == mmTipi.end() ? VALORE_NON_DETTO : it->second;
}

void PannelloAnteprima::MarcaTipo(int r, int enTipo) {
    if (r < 0 || static_cast<size_t>(r) >= mvTesti.size()) return;
    mmTipi[mvTesti[static_cast<size_t>(r)].sTesto] = enTipo;
    if (auto* tipo = qobject_cast<QComboBox*>(mpColonna->cellWidget(r, COL_TIPO)))
        tipo->setCurrentIndex(enTipo);
}

void PannelloAnteprima::LarghezzeColonne() {
    // Widths from the font, not from the contents: measuring hundreds of rows would cost more
    // than the reading itself.
    const QFontMetrics fm = mpTabella->fontMetrics();
    const int m = fm.horizontalAdvance(QLatin1Char('0'));
    for (int c = 0; c < mpModello->columnCount(); ++c) {
        int caratteri = 10;
        if (c == ModelloAnteprima::COL_RIGHE) caratteri = 9;
        if (c == ModelloAnteprima::COL_TIPO) caratteri = 18;
        if (c == ModelloAnteprima::COL_ESITO) caratteri = 20;
        const QString titolo = mpModello->headerData(c, Qt::Horizontal).toString();
        const auto scelta = mmLarghezze.find(titolo);
        if (scelta != mmLarghezze.end() && scelta->second > 0) {
            mpTabella->setColumnWidth(c, scelta->second);
            continue;
        }
        const int intestazione = fm.horizontalAdvance(titolo) + 16;
        mpTabella->setColumnWidth(c, std::max(m * caratteri, intestazione));
    }
}

void PannelloAnteprima::SelezionaRighe(const QModelIndex& indice) {
    if (!indice.isValid() || !mpVista) return;
    const RigaAnteprima& r = mpModello->Righe().at(static_cast<size_t>(indice.row()));
    if (r.vRighe.empty()) return;
    const auto [minimo, massimo] = std::minmax_element(r.vRighe.begin(), r.vRighe.end());
    if (*minimo < 1 || *massimo > mvIndici.size()) return;
    const size_t primo = mvIndici[*minimo - 1].first, ultimo = mvIndici[*massimo - 1].second;
    const auto& righe = mpModello->Lettura().Righe();
    if (primo >= righe.size() || ultimo >= righe.size()) return;
    // From the start of the first line's block to the end of the last one's.
    QTextDocument* doc = mpVista->document();
    const QTextBlock da =
        doc->findBlock(mbRigheMotore ? Posizione(primo, 0) : PosizioneByte(righe[primo].iByte));
    const QTextBlock a = doc->findBlock(std::max(Posizione(ultimo, 0), 0));
    if (!da.isValid() || !a.isValid()) return;
    QTextCursor cursore(doc);
    cursore.setPosition(da.position());
    cursore.setPosition(a.position() + a.length() - 1, QTextCursor::KeepAnchor);
    mpVista->setTextCursor(cursore);
    mpVista->ensureCursorVisible();
    emit RigheSelezionate();
}

}  // namespace tarno

namespace tarno {

QString PannelloAnteprima::TestoGruppo(const GruppoErrori& g) {
    QString campo = QString::fromStdString(g.sCampo);
    for (int k = 0; k < NUM_NOMI_CAMPI; ++k)
        if (g.sCampo == NomiCampi()[k].sNome)
            campo = TestoRisorsa(621 + NomiCampi()[k].iEntrante, NomiCampi()[k].sDidascalia);
    const QString tipo =
        g.bEntranti ? TestoRisorsa(32013, "entranti") : TestoRisorsa(32014, "uscenti");
    QStringList valori;
    for (size_t i = 0; i < g.vValori.size() && i < 3; ++i)
        valori << QLatin1Char('"') + DaCp1252(TestoVisibile(g.vValori[i])) + QLatin1Char('"');
    if (g.vValori.size() > 3) valori << QStringLiteral("...");
    switch (g.motivo) {
        case MotivoGruppo::Vuoto:
            return TestoRisorsa(32010, "%1: vuoto in %2 %3").arg(campo).arg(g.iChiamate).arg(tipo);
        case MotivoGruppo::NonLetto:
            return TestoRisorsa(32011, "%1: non letto in %2 %3 (%4)")
                .arg(campo)
                .arg(g.iChiamate)
                .arg(tipo, valori.join(QStringLiteral(", ")));
        case MotivoGruppo::SenzaFormato: {
            if (g.iChiamate == 0)
                return TestoRisorsa(32702,
                                    "%1: senza formato; il campione non ha chiamate %2 su cui "
                                    "provarne uno")
                    .arg(campo, tipo);
            QString testo = TestoRisorsa(32700, "%1: senza formato in %2 %3")
                                .arg(campo)
                                .arg(g.iChiamate)
                                .arg(tipo);
            if (!valori.isEmpty())
                testo +=
                    QStringLiteral(" (") + valori.join(QStringLiteral(", ")) + QLatin1Char(')');
            return testo;
        }
        case MotivoGruppo::ConLettere:
            return TestoRisorsa(32012, "%1: %2 valori con lettere (%3)")
                .arg(campo)
                .arg(g.iChiamate)
                .arg(valori.join(QStringLiteral(", ")));
    }
    return campo;
}

QString PannelloAnteprima::TestoCorrezione(const Correzione& c) {
    switch (c.tipo) {
        case Correzione::OPZIONALE:
            return TestoRisorsa(32020, "Rendi facoltativo");
        case Correzione::DURATA_ZERO:
            return TestoRisorsa(32021, "Durata vuota come 0");
        case Correzione::FORMATO:
            // A format the catalogue lacks is added to it first, after a question.
            return c.iFormato == 0 ? TestoRisorsa(32701, "Formato %1 (da aggiungere al catalogo)")
                                         .arg(DaCp1252(c.sTesto))
                                   : TestoRisorsa(32022, "Formato %1").arg(DaCp1252(c.sTesto));
        case Correzione::SOLO_CIFRE:
            return TestoRisorsa(32023, "Solo cifre");
        case Correzione::TOGLI_TESTO:
            return TestoRisorsa(32024, "Togli \"%1\"").arg(DaCp1252(c.sTesto));
        case Correzione::SPOSTA_COLONNE:
            return TestoRisorsa(32025, "Posizione %1, lunghezza %2")
                .arg(c.iInizio)
                .arg(c.iLunghezza);
    }
    return {};
}

void PannelloAnteprima::MostraGruppi(const clsDriver& driver, const MappaFormati& formati,
                                     std::string_view sByte, const SenzaFormato* pSenzaFormato) {
    // The catalogue's formats by kind: a time or a duration is never offered a date format.
    FormatiCatalogo perTipo;
    for (const auto& [codice, testo] : formati)
        (clsFormatoDataOra(testo).EData() ? perTipo.vData : perTipo.vOra)
            .emplace_back(codice, testo);
    mvGruppi = GruppiErrori(mpModello->Lettura(), driver, perTipo);
    // The fields left out for want of a format first: their values are read with a driver
    // that holds them.
    if (pSenzaFormato && !pSenzaFormato->vCampi.empty()) {
        const clsLetturaCampione conCampi(pSenzaFormato->driver, formati, sByte);
        std::vector<GruppoErrori> esclusi;
        for (const auto& [entranti, campo] : pSenzaFormato->vCampi)
            esclusi.push_back(GruppoSenzaFormato(conCampi, entranti, campo, perTipo));
        mvGruppi.insert(mvGruppi.begin(), std::make_move_iterator(esclusi.begin()),
                        std::make_move_iterator(esclusi.end()));
    }
    mpGruppi->setRowCount(static_cast<int>(mvGruppi.size()));
    for (size_t i = 0; i < mvGruppi.size(); ++i) {
        const GruppoErrori& g = mvGruppi[i];
        const int r = static_cast<int>(i);
        auto* testo = new QTableWidgetItem(TestoGruppo(g));
        testo->setToolTip(testo->text());
        mpGruppi->setItem(r, 0, testo);
        if (g.vCorrezioni.empty()) {
            mpGruppi->removeCellWidget(r, 1);
            continue;
        }
        auto* pulsante = new QToolButton(mpGruppi);
        pulsante->setObjectName(QStringLiteral("cmdCorreggi_%1").arg(r));
        pulsante->setText(TestoCorrezione(g.vCorrezioni.front()));
        pulsante->setToolTip(TestoRisorsa(32033, "Applica la correzione (si annulla con Ctrl+Z)"));
        if (g.vCorrezioni.size() > 1) {
            auto* menu = new QMenu(pulsante);
            for (size_t k = 0; k < g.vCorrezioni.size(); ++k)
                menu->addAction(TestoCorrezione(g.vCorrezioni[k]), this,
                                [this, i, k] { RichiediCorrezione(i, k); });
            pulsante->setMenu(menu);
            pulsante->setPopupMode(QToolButton::MenuButtonPopup);
        }
        connect(pulsante, &QToolButton::clicked, this, [this, i] { RichiediCorrezione(i, 0); });
        mpGruppi->setCellWidget(r, 1, pulsante);
    }
    // As high as its rows, up to eight of them: the calls' table keeps the room.
    int altezza = mpGruppi->horizontalHeader()->sizeHint().height() + 2 * mpGruppi->frameWidth();
    for (int r = 0; r < std::min(mpGruppi->rowCount(), 8); ++r) altezza += mpGruppi->rowHeight(r);
    mpGruppi->setMaximumHeight(altezza);
    mpGruppi->setVisible(!mvGruppi.empty());
}

void PannelloAnteprima::RichiediCorrezione(size_t iGruppo, size_t iCorrezione) {
    if (iGruppo >= mvGruppi.size() || iCorrezione >= mvGruppi[iGruppo].vCorrezioni.size()) return;
    // Copies: the refresh the fix leads to replaces the groups.
    const GruppoErrori g = mvGruppi[iGruppo];
    const Correzione c = g.vCorrezioni[iCorrezione];
    emit CorrezioneRichiesta(g, c);
}

void PannelloAnteprima::FiltraRighe() {
    const bool solo = mpSoloErrori->isChecked();
    const auto& righe = mpModello->Righe();
    for (size_t i = 0; i < righe.size(); ++i) {
        const RigaAnteprima& r = righe[i];
        const bool errore = r.tipo == RigaAnteprima::CAMPO_ESCLUSO ||
                            (r.tipo == RigaAnteprima::CHIAMATA && r.iErrori > 0);
        mpTabella->setRowHidden(static_cast<int>(i), solo && !errore);
    }
}

}  // namespace tarno
