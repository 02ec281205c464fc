// The window's room on the screen and between the sample view and the pages, files dropped on
// the window, the folders the file dialogs open in, and the outcome of a verification in the
// status bar.

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QDateTime>
#include <QDockWidget>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QSettings>
#include <QShowEvent>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QUrl>
#include <cmath>

#include "finestra/frmDriver.h"
#include "kit/Applicazione.h"
#include "kit/Globali.h"
#include "kit/Risorse.h"
#include "kit/TestoQt.h"
#include "ui_frmDriver.h"

namespace tarno {

namespace {

const QString CHIAVE_GEOMETRIA = QStringLiteral("Finestra/Geometria");
const QString CHIAVE_DIVISORE = QStringLiteral("Finestra/Divisore");
const QString CHIAVE_CARTELLA_DRIVER = QStringLiteral("Cartelle/Driver");
const QString CHIAVE_CARTELLA_DATI = QStringLiteral("Cartelle/Dati");
// The share of the screen's free area that the window takes at a user's first start.
constexpr int QUOTA_SCHERMO = 88;
// Below this height (in the window's pixels, after scaling) a screen is small.
constexpr int ALTEZZA_SCHERMO_PICCOLO = 720;
// The sample view shows at least this many lines of the printout at the first division: a
// heading of three lines and ten calls.
constexpr int RIGHE_CAMPIONE = 13;

// The local file a drag carries (the first one), or "" when it carries none.
QString FileTrascinato(const QMimeData* dati) {
    if (!dati || !dati->hasUrls()) return QString();
    for (const QUrl& url : dati->urls())
        if (url.isLocalFile() && QFileInfo(url.toLocalFile()).isFile()) return url.toLocalFile();
    return QString();
}

// The number after a heading of the log's summary ("Chiamate riconosciute:   40").
std::optional<int> ValoreRiepilogo(const QString& sLog, const QString& sVoce) {
    const QRegularExpression re(QStringLiteral("^") + QRegularExpression::escape(sVoce) +
                                    QStringLiteral(":\\s+(\\d+)\\s*$"),
                                QRegularExpression::MultilineOption);
    const auto m = re.match(sLog);
    if (!m.hasMatch()) return std::nullopt;
    return m.captured(1).toInt();
}

}  // namespace

void frmDriver::RipristinaDisposizione() {
    const QSettings impostazioni = ImpostazioniUtente();
    const QByteArray geometria = impostazioni.value(CHIAVE_GEOMETRIA).toByteArray();
    if (!geometria.isEmpty()) restoreGeometry(geometria);
    // Within the free area of the screen the window opens on (a smaller screen, a larger
    // scaling than last time).
    QScreen* schermo = QGuiApplication::screenAt(geometry().center());
    if (!schermo) schermo = screen() ? screen() : QGuiApplication::primaryScreen();
    if (schermo) {
        const QRect area = schermo->availableGeometry();
        // Before the window is first shown its frame is unknown: room for a title bar.
        QSize cornice = frameGeometry().size() - geometry().size();
        if (cornice.isEmpty())
            cornice =
                QSize(16, style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this) + 16);
        const QSize spazio = area.size() - cornice;
        // The first start uses most of the screen, whatever its size and scaling.
        if (geometria.isEmpty()) {
            // A screen that is small in the window's own pixels (a much scaled one) is all
            // taken in height, so the sample view has room for its calls.
            const int quota = spazio.height() < ALTEZZA_SCHERMO_PICCOLO ? 100 : QUOTA_SCHERMO;
            resize(std::max(spazio.width() * QUOTA_SCHERMO / 100, minimumWidth()),
                   std::max(spazio.height() * quota / 100, minimumHeight()));
            move(area.center() -
                 QPoint((width() + cornice.width()) / 2, (height() + cornice.height()) / 2));
        }
        if (width() > spazio.width() || height() > spazio.height())
            resize(std::max(std::min(width(), spazio.width()), minimumWidth()),
                   std::max(std::min(height(), spazio.height()), minimumHeight()));
        QRect esterno(frameGeometry().topLeft(), size() + cornice);
        if (!area.contains(esterno)) {
            esterno.moveLeft(std::clamp(esterno.left(), area.left(),
                                        std::max(area.left(), area.right() - esterno.width() + 1)));
            esterno.moveTop(std::clamp(esterno.top(), area.top(),
                                       std::max(area.top(), area.bottom() - esterno.height() + 1)));
            move(esterno.topLeft());
        }
    }
    // The division between the sample view and the pages as the user left it; the first one
    // is made when the window is shown, with the heights it has then.
    const QByteArray stato = impostazioni.value(CHIAVE_DIVISORE).toByteArray();
    mbDivisioneIniziale = stato.isEmpty() || !mpUi->splDriver->restoreState(stato);
}

void frmDriver::DivisioneIniziale() {
    // The pages get the height they ask for, unless the sample view would show fewer than
    // RIGHE_CAMPIONE lines (a heading and ten calls): then it keeps them, and the pages, which
    // scroll, keep their tabs and a few rows. A line is as tall as the view lays out a block,
    // which is more than the font's line spacing.
    QSplitter* divisore = mpUi->splDriver;
    QTextEdit* vista = mpUi->rtfTesto;
    const int totale = divisore->height() - divisore->handleWidth();
    if (totale <= 0) return;
    QTabWidget* pagine = mpUi->tabDriver;
    const int minimoPagine =
        std::min(pagine->minimumSizeHint().height(),
                 pagine->tabBar()->sizeHint().height() + 4 * pagine->fontMetrics().height());
    pagine->setMinimumHeight(minimoPagine);
    const int sotto = mpUi->pnlCampione->height() - vista->height();  // the position labels
    QTextDocument prova;
    prova.setDefaultFont(vista->font());
    prova.setPlainText(QStringLiteral("0"));
    const qreal riga = prova.documentLayout()->blockBoundingRect(prova.firstBlock()).height();
    const int righe = static_cast<int>(std::ceil(RIGHE_CAMPIONE * riga)) + 2 * vista->frameWidth() +
                      2 * static_cast<int>(vista->document()->documentMargin()) +
                      vista->horizontalScrollBar()->sizeHint().height() + sotto;
    const int campione =
        std::max(totale - pagine->sizeHint().height(), std::min(righe, totale - minimoPagine));
    divisore->setSizes({campione, totale - campione});
}

void frmDriver::showEvent(QShowEvent* ev) {
    QMainWindow::showEvent(ev);
    // The preview opens about a third of the window wide, enough to show the fields.
    if (mbLarghezzaAnteprima && mpRiquadroAnteprima && mpRiquadroAnteprima->isVisible()) {
        mbLarghezzaAnteprima = false;
        resizeDocks({mpRiquadroAnteprima}, {width() / 3}, Qt::Horizontal);
    }
    if (!mbDivisioneIniziale) return;
    mbDivisioneIniziale = false;
    DivisioneIniziale();
}

void frmDriver::SalvaDisposizione() const {
    QSettings impostazioni = ImpostazioniUtente();
    impostazioni.setValue(CHIAVE_GEOMETRIA, saveGeometry());
    impostazioni.setValue(CHIAVE_DIVISORE, mpUi->splDriver->saveState());
}

bool frmDriver::Trascinamento(QObject* /*obj*/, QEvent* ev) {
    const QEvent::Type tipo = ev->type();
    if (tipo != QEvent::DragEnter && tipo != QEvent::DragMove && tipo != QEvent::Drop) return false;
    // DragEnter and DragMove are drop events too.
    auto* evento = static_cast<QDropEvent*>(ev);
    const QString file = FileTrascinato(evento->mimeData());
    // Text dragged between controls goes on as before.
    if (file.isEmpty()) return false;
    if (!gbAvviato || !isEnabled()) {
        evento->ignore();
        return true;
    }
    evento->setDropAction(Qt::CopyAction);
    evento->accept();
    // The drag ends before a prompt or a file dialog may come up.
    if (tipo == QEvent::Drop)
        QMetaObject::invokeMethod(
            this, [this, file] { ApriTrascinato(file); }, Qt::QueuedConnection);
    return true;
}

void frmDriver::ApriTrascinato(const QString& vsPercorso) {
    if (vsPercorso.endsWith(QStringLiteral(".drv"), Qt::CaseInsensitive))
        FileApri(vsPercorso);
    else
        LeggiDati(vsPercorso);
}

void frmDriver::RicordaCartella(bool bDati, const QString& vsFile) {
    const QString cartella = QFileInfo(vsFile).absolutePath();
    (bDati ? msCartellaDati : msCartellaDialogo) = cartella;
    ImpostazioniUtente().setValue(bDati ? CHIAVE_CARTELLA_DATI : CHIAVE_CARTELLA_DRIVER, cartella);
}

void frmDriver::RipristinaCartelle(const QString& sCartellaDriver, const QString& sCartellaDati) {
    const QSettings impostazioni = ImpostazioniUtente();
    const auto ultima = [&](const QString& chiave, const QString& predefinita) {
        const QString c = impostazioni.value(chiave).toString();
        return !c.isEmpty() && QFileInfo(c).isDir() ? c : predefinita;
    };
    msCartellaDialogo = ultima(CHIAVE_CARTELLA_DRIVER, sCartellaDriver);
    msCartellaDati = ultima(CHIAVE_CARTELLA_DATI,
                            QFileInfo(sCartellaDati).isDir() ? sCartellaDati : msCartellaDialogo);
}

void frmDriver::MostraEsitoVerifica(const QDateTime& inizio, bool bSenzaModifiche) {
    const QString log = FileLogVerifica();
    const QFileInfo info(log);
    QFile file(log);
    std::optional<int> chiamate, righe;
    // A log older than the run is the one of an earlier verification.
    if (info.exists() && info.lastModified() >= inizio.addSecs(-1) &&
        file.open(QIODevice::ReadOnly)) {
        const QString testo = DaCp1252(file.readAll().toStdString());
        chiamate = ValoreRiepilogo(testo, QStringLiteral("Chiamate riconosciute"));
        righe = ValoreRiepilogo(testo, QStringLiteral("Righe non riconosciute"));
    }
    if (chiamate && righe)
        msEsitoVerifica = TestoRisorsa(30900,
                                       "Verifica: %1 chiamate riconosciute, %2 righe non "
                                       "riconosciute - Trasforma mostra il log")
                              .arg(*chiamate)
                              .arg(*righe);
    else
        msEsitoVerifica =
            TestoRisorsa(30901, "Verifica: il motore non ha scritto il log %1").arg(log);
    if (bSenzaModifiche)
        msEsitoVerifica += QStringLiteral(" - ") +
                           TestoRisorsa(30961, "verificato il file salvato, senza le modifiche");
    statusBar()->showMessage(msEsitoVerifica);
}

}  // namespace tarno
