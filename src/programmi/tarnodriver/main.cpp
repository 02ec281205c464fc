// tarnodriver: the driver editor.

#include <QApplication>
#include <QDir>
#include <QDockWidget>
#include <QStringList>
#include <QTabWidget>
#include <QTimer>

#include "Globali.h"
#include "frmDriver.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // Fusion draws the keyboard focus on every control, the tab bar and the grids' cells included.
    QApplication::setStyle(QStringLiteral("Fusion"));
    QApplication::setApplicationName(QStringLiteral("TarnoDriver"));
    QApplication::setApplicationVersion(QStringLiteral(TARNO_VERSIONE));

    tarno::gbAvviato = false;
    tarno::frmDriver finestra;
    finestra.Form_Load(QApplication::arguments().mid(1).join(QLatin1Char(' ')));
    if (!finestra.Avviabile()) return 1;  // the warning was shown: nothing to work with
    tarno::gbAvviato = true;
    finestra.show();
    // TARNO_DATI: a sample printout read at start-up (./run.sh shows the demo driver with its
    // printout this way).
    const QString dati = qEnvironmentVariable("TARNO_DATI");
    if (!dati.isEmpty()) finestra.LeggiDati(dati);
    // TARNO_SCREENSHOT_DIR: save a picture of each page there, then quit (scripts/screenshots.sh).
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
                foto(QStringLiteral("scheda%1-%2").arg(i).arg(schede->tabText(i).remove('&')));
            }
            if (!dati.isEmpty()) {
                // The live preview of the sample with the driver, on a larger window.
                const QSize dimensione = finestra.size();
                finestra.resize(1270, 980);
                finestra.resizeDocks({finestra.RiquadroAnteprima()}, {600}, Qt::Horizontal);
                schede->setCurrentIndex(tarno::frmDriver::PAGINA_USCENTI);
                finestra.AggiornaAnteprima();
                foto(QStringLiteral("anteprima"));
                finestra.resize(dimensione);
                finestra.VerificaDati();
                finestra.Trasforma();
                schede->setCurrentIndex(0);
                foto(QStringLiteral("verifica-log"));
            }
            QApplication::quit();
        });
    }
    return QApplication::exec();
}
