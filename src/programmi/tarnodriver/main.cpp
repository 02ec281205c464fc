// tarnodriver: the driver editor.
//
//   tarnodriver [/M<brand>/N<model>]   the catalogued driver of that brand and model
//   tarnodriver FILE                   a driver file (the desktop opens .drv files this way)
//   tarnodriver [--lingua it|en] ...     the interface's language for this run
//   tarnodriver --version | --help

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>
#include <QTabWidget>
#include <QTimer>
#include <cstdio>
#include <cstring>

#include "TarnoVersione.h"
#include "documento/DocumentoDriver.h"
#include "finestra/frmDriver.h"
#include "kit/Applicazione.h"
#include "kit/Globali.h"
#include "kit/clsStringhe.h"
#include "tabelle/LayoutTabelle.h"

namespace {

constexpr const char* kUso =
    "uso:\n"
    "  tarnodriver [--lingua it|en] [FILE | /M<marca>/N<modello>]\n"
    "      FILE               un driver (.drv) da aprire\n"
    "      /M<marca>/N<modello>  il driver di catalogo di quella marca e modello\n"
    "      --lingua it|en     la lingua dell'interfaccia per questa esecuzione\n"
    "  tarnodriver --version\n"
    "  tarnodriver --help\n"
    "ambiente: TARNO_DATI (un campione letto all'avvio), TARNO_VERIFICA=1 (verifica e\n"
    "stampa il log del motore)\n";

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("tarnodriver %s\n", TARNO_VERSIONE);
        return 0;
    }
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(kUso, stdout);
        return 0;
    }
    QApplication app(argc, argv);
    // "--lingua it|en" chooses the language of the interface for this run, before any text is
    // read (the set-up reads the application's name); the other arguments name the driver to open.
    const QString riga =
        tarno::OpzioneLingua(QApplication::arguments().mid(1)).join(QLatin1Char(' '));
    tarno::PreparaApplicazione();
    QApplication::setApplicationVersion(QStringLiteral(TARNO_VERSIONE));
    tarno::gbAvviato = false;
    tarno::frmDriver finestra;
    // A command line naming a file is a driver to open, whatever its path holds ("/M..." too).
    const bool unFile = !riga.isEmpty() && QFileInfo(riga).isFile();
    if (!finestra.Form_Load(unFile ? QString() : riga))
        return 1;  // the warning was shown: nothing to work with
    if (unFile && finestra.mfnApriDriver)
        finestra.mfnApriDriver(QFileInfo(riga).absoluteFilePath());
    tarno::gbAvviato = true;
    finestra.show();
    // TARNO_DATI: a sample printout read at start-up (./run.sh shows the demo driver with its
    // printout this way).
    const QString dati = qEnvironmentVariable("TARNO_DATI");
    if (!dati.isEmpty()) finestra.LeggiDati(dati);
    // TARNO_VERIFICA=1: verify the driver opened at start-up (named on the command line, or
    // the demo at a user's first start) with the sample loaded (TARNO_DATI, or the demo's
    // printout), print the engine's log on stdout and quit: 0 when the verification ran to its
    // end. A check of an installed editor that needs no one at the screen.
    if (qEnvironmentVariable("TARNO_VERIFICA") == QLatin1String("1")) {
        QTimer::singleShot(0, &finestra, [&finestra] {
            QFile::remove(finestra.FileLogVerifica());  // an earlier log proves nothing
            finestra.findChild<QAction*>(QStringLiteral("mnuVerifica"))->trigger();
            QFile log(finestra.FileLogVerifica());
            const QByteArray testo = log.open(QIODevice::ReadOnly) ? log.readAll() : QByteArray();
            std::fwrite(testo.constData(), 1, static_cast<size_t>(testo.size()), stdout);
            QApplication::exit(testo.contains("\r\nFINE DELLA VERIFICA") ? 0 : 1);
        });
    }
    // TARNO_SCREENSHOT_DIR: save a picture of each page and of two dialogs there, then quit
    // (scripts/screenshots.sh).
    // With a sample, after the pages a picture of the live preview on a larger window, then the
    // driver is verified and the engine's log shown in a last picture.
    const QString cartellaFoto = qEnvironmentVariable("TARNO_SCREENSHOT_DIR");
    if (!cartellaFoto.isEmpty()) {
        QTimer::singleShot(500, &finestra, [&finestra, cartellaFoto, dati] {
            QDir().mkpath(cartellaFoto);
            const auto foto = [&](const QString& nome) {
                QApplication::processEvents();
                finestra.grab().save(QDir(cartellaFoto).filePath(nome + QStringLiteral(".png")));
            };
            auto* schede = finestra.findChild<QTabWidget*>(QStringLiteral("tabDriver"));
            for (int i = 0; i < schede->count(); ++i) {
                schede->setCurrentIndex(i);
                foto(QStringLiteral("scheda%1-%2")
                         .arg(i)
                         .arg(schede->tabText(i).remove(QLatin1Char('&'))));
            }
            // The conditions dialog (Dettagli) and the general transformations (Avanzate), as
            // their page's button opens them: the picture is taken inside the dialog's loop.
            const auto fotoDialogo = [&](int iPagina, const char* sPulsante, const QString& nome) {
                schede->setCurrentIndex(iPagina);
                auto* pulsante = finestra.findChild<QPushButton*>(QLatin1String(sPulsante));
                if (!pulsante) return;
                QTimer::singleShot(300, &finestra, [cartellaFoto, nome] {
                    if (QWidget* dialogo = QApplication::activeModalWidget()) {
                        dialogo->grab().save(
                            QDir(cartellaFoto).filePath(nome + QStringLiteral(".png")));
                        dialogo->close();
                    }
                });
                pulsante->click();
            };
            fotoDialogo(tarno::frmDriver::PAGINA_IDENTIFICAZIONE, "cmdIdent",
                        QStringLiteral("frmIdentificazione"));
            fotoDialogo(tarno::frmDriver::PAGINA_TRASFORMAZIONI, "cmdImpTrafGenerali",
                        QStringLiteral("frmImpostazioniGenerali"));
            if (!dati.isEmpty()) {
                // The live preview of the sample with the driver, on a larger window.
                const QSize dimensione = finestra.size();
                finestra.resize(1270, 980);
                finestra.resizeDocks(
                    {finestra.findChild<QDockWidget*>(QStringLiteral("dockAnteprima"))}, {600},
                    Qt::Horizontal);
                schede->setCurrentIndex(tarno::frmDriver::PAGINA_USCENTI);
                finestra.AggiornaAnteprima();
                foto(QStringLiteral("anteprima"));
                finestra.resize(dimensione);
                finestra.findChild<QAction*>(QStringLiteral("mnuVerifica"))->trigger();
                finestra.findChild<QAction*>(QStringLiteral("mnuTrasforma"))->trigger();
                schede->setCurrentIndex(0);
                foto(QStringLiteral("verifica-log"));
                // The preview's failures grouped with their fixes: the outgoing duration given
                // a format that does not read it, only the calls with failures shown.
                finestra.Documento().mrgxUscenti.Cella(tarno::Campi::RIGA_DURATA,
                                                       tarno::Campi::COL_FORMATO) = "13";
                finestra.resize(1270, 980);
                schede->setCurrentIndex(tarno::frmDriver::PAGINA_USCENTI);
                auto* solo = finestra.findChild<QCheckBox*>(QStringLiteral("chkSoloErrori"));
                if (solo) solo->setChecked(true);
                finestra.AggiornaAnteprima();
                foto(QStringLiteral("anteprima-errori"));
                // A driver proposed from the same printout, with the pane that says why; the
                // questions on the way (the changes above, formats for the catalogue, the
                // proposal's own changes as the editor quits) are answered No, and a notice that
                // follows is closed.
                auto* risposte = new QTimer(&finestra);
                QObject::connect(risposte, &QTimer::timeout, risposte, [] {
                    auto* domanda = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                    if (!domanda) return;
                    QAbstractButton* no = domanda->button(QMessageBox::No);
                    if (!no) no = domanda->button(QMessageBox::Ok);
                    if (no) no->click();
                });
                risposte->start(300);
                if (solo) solo->setChecked(false);
                finestra.findChild<QAction*>(QStringLiteral("mnuNuovoDalCampione"))->trigger();
                schede->setCurrentIndex(tarno::frmDriver::PAGINA_ENTRANTI);
                foto(QStringLiteral("proposta"));
            }
            QApplication::quit();
        });
    }
    return QApplication::exec();
}
