#include "PannelloAnteprima.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QTableWidget>
#include <QTextBlock>
#include <QTextEdit>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <map>

#include "ModelloAnteprima.h"
#include "Numeri.h"
#include "Risorse.h"
#include "Testo.h"
#include "TestoQt.h"
#include "clsDriver.h"

namespace tarno {

namespace {

// Where the fields of a call kind lie on their line: start (from 1) and length, by name.
std::map<std::string, std::pair<int, int>> Posizioni(const clsChiamata* chiamata) {
    std::map<std::string, std::pair<int, int>> p;
    if (!chiamata || !chiamata->mcolCampi) return p;
    for (int i = 1; i <= chiamata->mcolCampi->Count(); ++i) {
        const clsCampo& c = chiamata->mcolCampi->Item(i);
        p[c.msNome] = {std::max<int>(1, c.miInizio), c.miLunghezza};
    }
    return p;
}

// The prefix the engine drops from every line ("Offset"): the driver's positions count after it.
int Prefisso(const clsDriver& driver) {
    const auto v = ValoreNumerico(TogliBianchi(driver.mlOffset));
    return v && *v >= 1 && *v <= MAX_CARATTERI_RIGA && *v == std::floor(*v) ? static_cast<int>(*v)
                                                                            : 0;
}

}  // namespace

PannelloAnteprima::PannelloAnteprima(QWidget* parent)
    : QWidget(parent),
      mpModello(new ModelloAnteprima(this)),
      mpSommario(new QLabel(this)),
      mpTabella(new QTableView(this)),
      mpRigheMotore(new QCheckBox(TestoRisorsa(30723, "Righe come le legge il motore"), this)),
      mpTitoloColonna(new QLabel(this)),
      mpColonna(new QTableWidget(this)) {
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
    mpRigheMotore->setObjectName(QStringLiteral("chkRigheMotore"));
    mpRigheMotore->setToolTip(
        TestoRisorsa(30724,
                     "Mostra il campione senza il prefisso (Offset) e dopo le "
                     "trasformazioni INIZIALE: le posizioni marcate sono quelle del "
                     "motore"));
    layout->addWidget(mpRigheMotore);
    layout->addWidget(mpTabella, 3);
    mpTitoloColonna->setObjectName(QStringLiteral("lblColonnaAnteprima"));
    mpTitoloColonna->setWordWrap(true);
    mpColonna->setObjectName(QStringLiteral("tblColonnaAnteprima"));
    mpColonna->setColumnCount(4);
    mpColonna->setHorizontalHeaderLabels(
        {TestoRisorsa(30720, "Testo"), TestoRisorsa(30660, "Righe"),
         TestoRisorsa(30663, "Entranti"), TestoRisorsa(30664, "Uscenti")});
    mpColonna->setEditTriggers(QAbstractItemView::NoEditTriggers);
    mpColonna->verticalHeader()->setVisible(false);
    mpColonna->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    mpColonna->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(mpTitoloColonna);
    layout->addWidget(mpColonna, 1);
    mpTitoloColonna->hide();
    mpColonna->hide();
    connect(mpTabella, &QTableView::clicked, this, &PannelloAnteprima::SelezionaRighe);
    connect(mpTabella, &QTableView::activated, this, &PannelloAnteprima::SelezionaRighe);
    // Going through the rows with the keys shows each row's lines too; a refresh of the table
    // (the focus elsewhere) leaves the view's selection alone.
    connect(mpTabella->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& attuale) {
                if (mpTabella->hasFocus()) SelezionaRighe(attuale);
            });
}

std::vector<std::pair<int, int>> PannelloAnteprima::InizioRighe(std::string_view s) {
    std::vector<std::pair<int, int>> inizi;
    int blocco = 0, colonna = 0;
    bool testo = false;  // the current line has characters
    inizi.emplace_back(0, 0);
    for (size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < s.size() && s[i + 1] == '\n') ++i;
            ++blocco;
            colonna = 0;
            testo = false;
            if (i + 1 < s.size()) inizi.emplace_back(blocco, 0);
            continue;
        }
        if (c == '\f' && testo) {
            inizi.emplace_back(blocco, colonna);
            testo = false;
        }
        testo = true;
        ++colonna;
    }
    return inizi;
}

void PannelloAnteprima::Aggiorna(const clsDriver& driver, const MappaFormati& formati,
                                 std::string_view sByte, QTextEdit* vista,
                                 const ColoreCampo& colore, const std::vector<QString>& vEsclusi) {
    mpModello->Analizza(driver, formati, sByte, vEsclusi);
    mpSommario->setText(mpModello->Sommario());
    LarghezzeColonne();
    msByte.assign(sByte);
    mvTipoRiga.assign(RigheCampione(sByte).size(), 0);
    for (const RigaAnteprima& r : mpModello->Righe())
        if (r.tipo == RigaAnteprima::CHIAMATA)
            for (uint64_t n : r.vRighe)
                if (n >= 1 && n <= mvTipoRiga.size()) mvTipoRiga[n - 1] = r.bEntrante ? 'E' : 'U';
    if (mpVista && mpVista != vista) {
        mpVista->setExtraSelections({});
        disconnect(mpVista, nullptr, this, nullptr);
    }
    if (vista && mpVista != vista)
        connect(vista, &QTextEdit::selectionChanged, this, &PannelloAnteprima::MostraColonna);
    mpVista = vista;
    mvInizi.clear();
    mbRigheMotore = vista && mpRigheMotore->isChecked();
    if (mbRigheMotore) {
        // One block a line as the engine reads it; a line that does not enter the reading is
        // not shown, a cut line is shown in its pieces.
        QStringList testi;
        mvInizi.assign(mvTipoRiga.size(), {-1, 0});
        for (const auto& [numero, testo] : mpModello->RigheLette()) {
            if (numero >= 1 && numero <= mvInizi.size() && mvInizi[numero - 1].first < 0)
                mvInizi[numero - 1] = {static_cast<int>(testi.size()), 0};
            testi.append(DaCp1252(testo));
        }
        const QString testo = testi.join(QLatin1Char('\n'));
        if (vista->toPlainText() != testo) vista->setPlainText(testo);
    } else if (vista) {
        mvInizi = InizioRighe(sByte);
    }
    MostraColonna();
    if (!vista) return;

    QTextDocument* doc = vista->document();
    const auto posizione = [&](uint64_t riga, int colonna, int lunghezza) -> QTextCursor {
        if (riga < 1 || riga > mvInizi.size()) return {};
        const auto [b, inizio] = mvInizi[riga - 1];
        const QTextBlock blocco = doc->findBlockByNumber(b);
        if (!blocco.isValid()) return {};
        const int da = std::min(inizio + colonna, blocco.length() - 1);
        const int a = lunghezza < 0 ? blocco.length() - 1
                                    : std::min(inizio + colonna + lunghezza, blocco.length() - 1);
        if (a <= da) return {};
        QTextCursor cursore(doc);
        cursore.setPosition(blocco.position() + da);
        cursore.setPosition(blocco.position() + a, QTextCursor::KeepAnchor);
        return cursore;
    };
    const auto entranti = Posizioni(driver.moEntranti.get());
    const auto uscenti = Posizioni(driver.moUscenti.get());
    const int prefisso = mbRigheMotore ? 0 : Prefisso(driver);
    std::map<std::pair<bool, std::string>, QColor> colori;
    QList<QTextEdit::ExtraSelection> selezioni;
    QTextCharFormat grigio;
    grigio.setForeground(QColor(Qt::gray));
    for (const RigaAnteprima& r : mpModello->Righe()) {
        if (r.tipo == RigaAnteprima::NON_RICONOSCIUTA) {
            const QTextCursor c = posizione(r.vRighe.front(), 0, -1);
            if (!c.isNull()) selezioni.append({c, grigio});
            continue;
        }
        const auto& posizioni = r.bEntrante ? entranti : uscenti;
        for (const CampoLetto& campo : r.vCampi) {
            if (campo.bDerivato || campo.iPezzo != 0 || campo.iRiga == 0) continue;
            const auto p = posizioni.find(campo.sNome);
            if (p == posizioni.end()) continue;
            const auto chiave = std::make_pair(r.bEntrante, campo.sNome);
            auto k = colori.find(chiave);
            if (k == colori.end())
                k = colori.emplace(chiave, colore(r.bEntrante, campo.sNome)).first;
            const QTextCursor c =
                posizione(campo.iRiga, prefisso + p->second.first - 1, p->second.second);
            if (c.isNull()) continue;
            QTextCharFormat formato;
            if (k->second.isValid()) {
                formato.setBackground(k->second);
                formato.setForeground(k->second.lightness() < 128 ? QColor(Qt::white)
                                                                  : QColor(Qt::black));
            }
            if (!campo.sErrore.empty()) {
                formato.setUnderlineStyle(QTextCharFormat::WaveUnderline);
                formato.setUnderlineColor(Qt::red);
                formato.setToolTip(DaCp1252(campo.sErrore));
            }
            selezioni.append({c, formato});
        }
    }
    vista->setExtraSelections(selezioni);
}

std::vector<PannelloAnteprima::TestoColonna> PannelloAnteprima::Colonna(int iPosizione,
                                                                        int iLunghezza) const {
    std::vector<TestoColonna> v;
    if (iPosizione < 1 || iLunghezza < 1) return v;
    std::map<std::string_view, TestoColonna> testi;
    // The lines the view shows, with their number in the sample.
    std::vector<std::pair<uint64_t, std::string_view>> righe;
    if (mbRigheMotore) {
        for (const auto& [numero, testo] : mpModello->RigheLette())
            righe.emplace_back(numero, testo);
    } else {
        const auto v = RigheCampione(msByte);
        for (size_t i = 0; i < v.size(); ++i) righe.emplace_back(i + 1, v[i]);
    }
    const size_t a = static_cast<size_t>(iPosizione - 1);
    for (const auto& [numero, riga] : righe) {
        if (riga.size() <= a) continue;
        const std::string_view t = riga.substr(a, static_cast<size_t>(iLunghezza));
        TestoColonna& c = testi[t];
        ++c.iRighe;
        const char tipo = numero >= 1 && numero <= mvTipoRiga.size() ? mvTipoRiga[numero - 1] : 0;
        c.iEntranti += tipo == 'E';
        c.iUscenti += tipo == 'U';
    }
    v.reserve(testi.size());
    for (auto& [t, c] : testi) {
        c.sTesto.assign(t);
        v.push_back(std::move(c));
    }
    std::stable_sort(v.begin(), v.end(), [](const TestoColonna& x, const TestoColonna& y) {
        return x.iRighe > y.iRighe;
    });
    return v;
}

void PannelloAnteprima::MostraColonna() {
    int posizione = 0, lunghezza = 0;
    if (mpVista && !mvInizi.empty()) {
        const QTextCursor c = mpVista->textCursor();
        const QTextBlock blocco = mpVista->document()->findBlock(c.selectionStart());
        if (c.hasSelection() &&
            blocco.blockNumber() ==
                mpVista->document()->findBlock(c.selectionEnd()).blockNumber()) {
            const std::pair<int, int> dove(blocco.blockNumber(),
                                           c.selectionStart() - blocco.position());
            // The line of the sample the selection starts on (a form feed starts one inside
            // a block).
            const auto k = mbRigheMotore ? mvInizi.begin()
                                         : std::upper_bound(mvInizi.begin(), mvInizi.end(), dove);
            if (mbRigheMotore) {
                // Every block is a line.
                posizione = dove.second + 1;
                lunghezza = c.selectionEnd() - c.selectionStart();
            } else if (k != mvInizi.begin() && std::prev(k)->first == dove.first) {
                posizione = dove.second - std::prev(k)->second + 1;
                lunghezza = c.selectionEnd() - c.selectionStart();
            }
        }
    }
    const auto testi = Colonna(posizione, lunghezza);
    mpTitoloColonna->setVisible(lunghezza > 0);
    mpColonna->setVisible(lunghezza > 0);
    if (lunghezza <= 0) return;
    mpTitoloColonna->setText(
        TestoRisorsa(30721, "Posizione %1, lunghezza %2: %3 testi diversi sulle righe del campione")
            .arg(posizione)
            .arg(lunghezza)
            .arg(testi.size()));
    // The first texts are what tells calls apart: a few hundred rows are enough to see them.
    constexpr size_t MAX_RIGHE = 500;
    const int n = static_cast<int>(std::min(testi.size(), MAX_RIGHE));
    mpColonna->setRowCount(n);
    for (int r = 0; r < n; ++r) {
        const TestoColonna& t = testi[static_cast<size_t>(r)];
        const QString valori[] = {
            QLatin1Char('"') + DaCp1252(TestoVisibile(t.sTesto)) + QLatin1Char('"'),
            QString::number(t.iRighe), QString::number(t.iEntranti), QString::number(t.iUscenti)};
        for (int k = 0; k < 4; ++k) {
            auto* cella = mpColonna->item(r, k);
            if (!cella) {
                cella = new QTableWidgetItem;
                mpColonna->setItem(r, k, cella);
            }
            cella->setText(valori[k]);
            if (k > 0) cella->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        }
    }
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
        const int intestazione =
            fm.horizontalAdvance(mpModello->headerData(c, Qt::Horizontal).toString()) + 16;
        mpTabella->setColumnWidth(c, std::max(m * caratteri, intestazione));
    }
}

void PannelloAnteprima::SelezionaRighe(const QModelIndex& indice) {
    if (!indice.isValid() || !mpVista) return;
    const RigaAnteprima& r = mpModello->Righe().at(static_cast<size_t>(indice.row()));
    if (r.vRighe.empty()) return;
    const auto [minimo, massimo] = std::minmax_element(r.vRighe.begin(), r.vRighe.end());
    if (*minimo < 1 || *massimo > mvInizi.size()) return;
    QTextDocument* doc = mpVista->document();
    const QTextBlock primo = doc->findBlockByNumber(mvInizi[*minimo - 1].first);
    const QTextBlock ultimo = doc->findBlockByNumber(mvInizi[*massimo - 1].first);
    if (!primo.isValid() || !ultimo.isValid()) return;
    QTextCursor cursore(doc);
    cursore.setPosition(primo.position());
    cursore.setPosition(ultimo.position() + ultimo.length() - 1, QTextCursor::KeepAnchor);
    mpVista->setTextCursor(cursore);
    mpVista->ensureCursorVisible();
    emit RigheSelezionate();
}

}  // namespace tarno
