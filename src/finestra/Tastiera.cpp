// The keyboard and the Edit tools of the main window: the clipboard tools on the control that has
// the focus, finding a text in the sample view, the key that reaches the sample view, the tab
// order, and the tools' icons.

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDockWidget>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTableView>
#include <QTextDocument>
#include <QToolBar>
#include <QTreeWidget>
#include <algorithm>
#include <functional>
#include <vector>

#include "anteprima/PannelloAnteprima.h"
#include "finestra/frmDriver.h"
#include "grid/clsGriglia.h"
#include "kit/Risorse.h"
#include "kit/ServiziUI.h"
#include "ui_frmDriver.h"

namespace tarno {

namespace {

// A tool bar icon drawn on a 32-pixel square (scaled down where smaller icons are shown).
QIcon Disegna(const std::function<void(QPainter&)>& fnDisegno) {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 40, 40), 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    fnDisegno(p);
    return QIcon(pixmap);
}

// A sheet of paper with lines of text.
void Foglio(QPainter& p, const QRectF& r) {
    p.setBrush(Qt::white);
    p.drawRect(r);
    p.save();
    p.setPen(QPen(QColor(120, 120, 120), 1.5));
    for (qreal y = r.top() + 5; y < r.bottom() - 3; y += 4)
        p.drawLine(QPointF(r.left() + 3, y), QPointF(r.right() - 3, y));
    p.restore();
}

// A magnifying glass.
void Lente(QPainter& p) {
    p.setBrush(QColor(200, 225, 255));
    p.drawEllipse(QPointF(13, 13), 8, 8);
    p.setPen(QPen(QColor(40, 40, 40), 4.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(19, 19), QPointF(28, 28));
}

}  // namespace

void frmDriver::PreparaTastiera() {
    Ui::frmDriver& u = *mpUi;
    // The icons say what the tools do: scissors, two sheets, a sheet on a clipboard, a lens.
    u.mnuTaglia->setIcon(Disegna([](QPainter& p) {
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(9, 24), 5, 5);
        p.drawEllipse(QPointF(23, 24), 5, 5);
        p.drawLine(QPointF(12, 20), QPointF(23, 3));
        p.drawLine(QPointF(20, 20), QPointF(9, 3));
    }));
    u.mnuCopia->setIcon(Disegna([](QPainter& p) {
        Foglio(p, QRectF(4, 3, 16, 20));
        Foglio(p, QRectF(12, 9, 16, 20));
    }));
    u.mnuIncolla->setIcon(Disegna([](QPainter& p) {
        p.setBrush(QColor(190, 140, 80));
        p.drawRoundedRect(QRectF(4, 5, 20, 24), 2, 2);
        p.setBrush(QColor(160, 160, 160));
        p.drawRect(QRectF(9, 2, 10, 6));
        Foglio(p, QRectF(14, 12, 15, 18));
    }));
    u.mnuTrova->setIcon(Disegna(Lente));
    u.mnuTrovaSucc->setIcon(Disegna([](QPainter& p) {
        Lente(p);
        QPainterPath freccia;
        freccia.moveTo(22, 2);
        freccia.lineTo(30, 7);
        freccia.lineTo(22, 12);
        freccia.closeSubpath();
        p.setBrush(QColor(40, 40, 40));
        p.drawPath(freccia);
    }));
    u.mnuTaglia->setShortcut(QKeySequence::Cut);
    u.mnuCopia->setShortcut(QKeySequence::Copy);
    u.mnuIncolla->setShortcut(QKeySequence::Paste);
    u.mnuTrova->setShortcut(QKeySequence::Find);
    u.mnuTrovaSucc->setShortcut(QKeySequence(Qt::Key_F3));
    mfnComandi[QStringLiteral("mnuTaglia")] = [this](QAction*) { Appunti(AppuntiTaglia); };
    mfnComandi[QStringLiteral("mnuCopia")] = [this](QAction*) { Appunti(AppuntiCopia); };
    mfnComandi[QStringLiteral("mnuIncolla")] = [this](QAction*) { Appunti(AppuntiIncolla); };
    mfnComandi[QStringLiteral("mnuTrova")] = [this](QAction*) { Trova(); };
    mfnComandi[QStringLiteral("mnuTrovaSucc")] = [this](QAction*) { TrovaSuccessivo(); };

    // F6 goes round the window's panes: the sample view, the page shown, the preview and the
    // proposal (when they are shown); Shift+F6 the other way.
    u.mnupopModifica->addSeparator();
    for (const bool bIndietro : {false, true}) {
        auto* riquadro = new QAction(bIndietro ? TestoRisorsa(30857, "Riquadro precedente")
                                               : TestoRisorsa(30850, "Riquadro successivo"),
                                     this);
        riquadro->setObjectName(bIndietro ? QStringLiteral("mnuRiquadroPrec")
                                          : QStringLiteral("mnuRiquadroSucc"));
        riquadro->setShortcut(bIndietro ? QKeySequence(Qt::SHIFT | Qt::Key_F6)
                                        : QKeySequence(Qt::Key_F6));
        u.mnupopModifica->addAction(riquadro);
        connect(riquadro, &QAction::triggered, this,
                [this, bIndietro] { PassaRiquadro(bIndietro); });
    }

    u.tabDriver->tabBar()->setFocusPolicy(Qt::TabFocus);
    // The focused tab bar shows its current tab's caption in the highlight colour too.
    const auto segnaScheda = [this] {
        QTabBar* barra = mpUi->tabDriver->tabBar();
        const QColor colore = barra->palette().color(QPalette::Highlight);
        for (int i = 0; i < barra->count(); ++i)
            barra->setTabTextColor(
                i, barra->hasFocus() && i == barra->currentIndex() ? colore : QColor());
    };
    connect(u.tabDriver, &QTabWidget::currentChanged, this, segnaScheda);
    connect(qApp, &QApplication::focusChanged, this, [this, segnaScheda] {
        AggiornaStrumentiModifica();
        segnaScheda();
    });
    AggiornaStrumentiModifica();
}

namespace {

// What the clipboard tools act on: the focused text box (the line of an editable list box) or
// the grid that holds the focus.
struct Bersaglio {
    QLineEdit* pRiga = nullptr;
    QTextEdit* pTesto = nullptr;
    QPlainTextEdit* pTestoSemplice = nullptr;
    clsGriglia* pGriglia = nullptr;
    bool bSolaLettura = true;
};

Bersaglio BersaglioDi(QWidget* w) {
    Bersaglio b;
    if (auto* combo = qobject_cast<QComboBox*>(w)) w = combo->lineEdit();
    if (!w) return b;
    if ((b.pRiga = qobject_cast<QLineEdit*>(w))) {
        b.bSolaLettura = b.pRiga->isReadOnly();
    } else if ((b.pTesto = qobject_cast<QTextEdit*>(w))) {
        b.bSolaLettura = b.pTesto->isReadOnly();
    } else if ((b.pTestoSemplice = qobject_cast<QPlainTextEdit*>(w))) {
        b.bSolaLettura = b.pTestoSemplice->isReadOnly();
    } else {
        for (QWidget* p = w; p && !b.pGriglia; p = p->parentWidget())
            b.pGriglia = qobject_cast<clsGriglia*>(p);
        b.bSolaLettura = !b.pGriglia;
    }
    return b;
}

}  // namespace

std::vector<QWidget*> frmDriver::ControlliPagina() const {
    // The page's controls in the order of the focus chain. The chain of a page whose tab order
    // was set piece by piece may be more than one ring: each ring is followed from its first
    // control met in the page, and the rings follow one another.
    QWidget* pagina = mpUi->tabDriver->currentWidget();
    std::vector<QWidget*> controlli;
    if (!pagina) return controlli;
    const auto candidato = [pagina](QWidget* w) {
        return pagina->isAncestorOf(w) && w->isVisible() && w->isEnabled() &&
               (w->focusPolicy() & Qt::TabFocus) && !w->focusProxy();
    };
    const auto preso = [&controlli](QWidget* w) {
        return std::find(controlli.begin(), controlli.end(), w) != controlli.end();
    };
    for (QWidget* inizio : pagina->findChildren<QWidget*>()) {
        if (!candidato(inizio) || preso(inizio)) continue;
        QWidget* w = inizio;
        for (int passi = 0; passi < 5000; ++passi) {
            if (candidato(w) && !preso(w)) controlli.push_back(w);
            w = w->nextInFocusChain();
            if (w == inizio) break;
        }
    }
    // A control inside another (the line of a combo box, the editor of a grid cell) is part
    // of it.
    std::vector<QWidget*> esterni;
    for (QWidget* w : controlli)
        if (std::none_of(controlli.begin(), controlli.end(),
                         [w](QWidget* c) { return c != w && c->isAncestorOf(w); }))
            esterni.push_back(w);
    return esterni;
}

bool frmDriver::focusNextPrevChild(bool next) {
    // Tab within a page (and out of a grid at its edge) goes on round the same loop as
    // TabFinestra: the sample view, the tab bar, the page's controls.
    QWidget* fuoco = QApplication::focusWidget();
    std::vector<QWidget*> giro{mpUi->rtfTesto, mpUi->tabDriver->tabBar()};
    for (QWidget* w : ControlliPagina()) giro.push_back(w);
    const auto qui = std::find_if(giro.begin(), giro.end(), [fuoco](QWidget* w) {
        return fuoco && (w == fuoco || w->isAncestorOf(fuoco));
    });
    if (qui == giro.end()) return QMainWindow::focusNextPrevChild(next);
    const size_t n = giro.size();
    const size_t i = static_cast<size_t>(qui - giro.begin());
    giro[(i + (next ? 1 : n - 1)) % n]->setFocus(next ? Qt::TabFocusReason
                                                      : Qt::BacktabFocusReason);
    return true;
}

void frmDriver::PassaRiquadro(bool bIndietro) {
    QWidget* fuoco = QApplication::focusWidget();
    const auto in = [fuoco](QWidget* w) { return fuoco && (w == fuoco || w->isAncestorOf(fuoco)); };
    // The sample view, the page, then the preview and the proposal when they are shown; from
    // anywhere else the page counts as the pane left.
    std::vector<QWidget*> riquadri = {mpUi->rtfTesto, mpUi->tabDriver};
    for (QDockWidget* d : {mpRiquadroAnteprima, mpRiquadroProposta})
        if (d && d->isVisible()) riquadri.push_back(d);
    const int quanti = static_cast<int>(riquadri.size());
    int qui = 1;
    for (int i = 0; i < quanti; ++i)
        if (i != 1 && in(riquadri[static_cast<size_t>(i)])) qui = i;
    QWidget* verso = riquadri[static_cast<size_t>((qui + (bIndietro ? quanti - 1 : 1)) % quanti)];
    const Qt::FocusReason motivo = Qt::ShortcutFocusReason;
    QWidget* arrivo = verso;
    if (verso == mpUi->rtfTesto) {
        mpUi->rtfTesto->setFocus(motivo);
    } else if (verso == mpUi->tabDriver) {
        tabDriver_Click(mpUi->tabDriver->currentIndex());
    } else {
        // A row is current before the focus arrives, so arriving selects nothing in the
        // sample view (the user's selection stays); the arrows then go from row to row.
        QAbstractItemView* vista = verso == mpRiquadroAnteprima
                                       ? static_cast<QAbstractItemView*>(mpAnteprima->Tabella())
                                       : mpAlberoProposta;
        if (!vista->currentIndex().isValid() && vista->model()->rowCount() > 0)
            vista->setCurrentIndex(vista->model()->index(0, 0));
        vista->setFocus(motivo);
        arrivo = vista;
    }
    // A pane may float in a window of its own: the pane reached gets the active window.
    if (!arrivo->isActiveWindow()) arrivo->activateWindow();
}

bool frmDriver::TabFinestra(QKeyEvent* ev) {
    // Tab goes round the sample view, the tab bar and the controls of the page shown;
    // Shift+Tab the other way.
    if (ev->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return false;
    const bool indietro = ev->key() == Qt::Key_Backtab ||
                          (ev->key() == Qt::Key_Tab && (ev->modifiers() & Qt::ShiftModifier));
    if (ev->key() != Qt::Key_Tab && ev->key() != Qt::Key_Backtab) return false;
    QWidget* fuoco = QApplication::focusWidget();
    if (!fuoco) return false;
    QWidget* campione = mpUi->rtfTesto;
    QWidget* schede = mpUi->tabDriver->tabBar();
    const std::vector<QWidget*> pagina = ControlliPagina();
    const auto e = [fuoco](QWidget* w) {
        return w && (w == fuoco || w->isAncestorOf(fuoco) || fuoco->isAncestorOf(w));
    };
    QWidget* primo = pagina.empty() ? campione : pagina.front();
    QWidget* ultimo = pagina.empty() ? schede : pagina.back();
    QWidget* verso = nullptr;
    // A grid's cells take Tab themselves until the grid leaves them.
    if (e(campione))
        verso = indietro ? ultimo : schede;
    else if (e(schede))
        verso = indietro ? campione : primo;
    else if (indietro && e(primo) && !qobject_cast<clsGriglia*>(primo))
        verso = schede;
    else if (!indietro && e(ultimo) && !qobject_cast<clsGriglia*>(ultimo))
        verso = campione;
    if (!verso) return false;
    verso->setFocus(indietro ? Qt::BacktabFocusReason : Qt::TabFocusReason);
    return true;
}

void frmDriver::AggiornaStrumentiModifica() {
    QWidget* fuoco = QApplication::focusWidget();
    const Bersaglio b = BersaglioDi(fuoco && fuoco->window() == this ? fuoco : nullptr);
    const bool qualcosa = b.pRiga || b.pTesto || b.pTestoSemplice || b.pGriglia;
    mpUi->mnuCopia->setEnabled(qualcosa);
    mpUi->mnuTaglia->setEnabled(qualcosa && !b.bSolaLettura);
    mpUi->mnuIncolla->setEnabled(qualcosa && !b.bSolaLettura);
}

void frmDriver::Appunti(ComandoAppunti comando) {
    QWidget* fuoco = QApplication::focusWidget();
    if (!fuoco || fuoco->window() != this) return;
    const Bersaglio b = BersaglioDi(fuoco);
    const bool taglia = comando == AppuntiTaglia && !b.bSolaLettura;
    const bool incolla = comando == AppuntiIncolla && !b.bSolaLettura;
    const bool copia = comando == AppuntiCopia;
    // The text boxes of every kind share Qt's cut, copy and paste.
    const auto esegui = [&](auto* casella) {
        if (taglia) casella->cut();
        if (copia) casella->copy();
        if (incolla) casella->paste();
    };
    if (b.pRiga) {
        esegui(b.pRiga);
    } else if (b.pTesto) {
        esegui(b.pTesto);
    } else if (b.pTestoSemplice) {
        esegui(b.pTestoSemplice);
    } else if (b.pGriglia) {
        if (taglia) b.pGriglia->Taglia();
        if (copia) b.pGriglia->Copia();
        if (incolla) b.pGriglia->Incolla();
    }
}

void frmDriver::Trova() {
    const QString testo = ServiziUI().ChiediTesto(
        this, TestoRisorsa(30851, "Trova"),
        TestoRisorsa(30852, "Testo da cercare nel riquadro del campione:"), msTestoTrova);
    if (testo.isEmpty()) return;
    msTestoTrova = testo;
    CercaNelCampione();
}

void frmDriver::TrovaSuccessivo() {
    if (msTestoTrova.isEmpty())
        Trova();
    else
        CercaNelCampione();
}

bool frmDriver::CercaNelCampione() {
    QTextEdit* rtf = mpUi->rtfTesto;
    // From the end of the selection on; past the end, from the top again.
    QTextCursor trovato = rtf->document()->find(msTestoTrova, rtf->textCursor());
    if (trovato.isNull()) {
        trovato = rtf->document()->find(msTestoTrova, 0);
        if (!trovato.isNull())
            Segnala(TestoRisorsa(30853, "Trova: ricerca ripresa dall'inizio del riquadro"));
    }
    if (trovato.isNull()) {
        ServiziUI().Messaggio(this,
                              TestoRisorsa(30854, "Testo non trovato: \"%1\"").arg(msTestoTrova),
                              IconaUI::Informazione, PulsantiUI::Ok, TestoRisorsa(30851, "Trova"));
        return false;
    }
    rtf->setTextCursor(trovato);
    rtf->ensureCursorVisible();
    rtf->setFocus(Qt::OtherFocusReason);
    AggiornaPosizione();
    return true;
}

}  // namespace tarno
