// The sample printout in the sample view, the verification of the driver by the import engine,
// and the switch between the sample and the engine's log.

#include <QAction>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTextDocument>
#include <optional>

#include "documento/DocumentoDriver.h"
#include "engine/VerificaDriver.h"
#include "finestra/frmDriver.h"
#include "kit/Risorse.h"
#include "kit/ServiziUI.h"
#include "kit/TestoQt.h"
#include "ui_frmDriver.h"

namespace tarno {

namespace {

// Only the tail of a printout is shown: the newest calls, and a quick load of any file.
constexpr qint64 MAX_BYTE_CAMPIONE = 50000;

// The last MAX_BYTE_CAMPIONE bytes of a file (of a longer log: its header, a line saying what
// is left out, and its end); nothing when it cannot be read.
std::optional<QByteArray> CodaFile(const QString& percorso, bool bLog = false) {
    QFile file(percorso);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    const qint64 dimensione = file.size();
    if (!file.seek(dimensione < MAX_BYTE_CAMPIONE ? 0 : dimensione - MAX_BYTE_CAMPIONE))
        return std::nullopt;
    QByteArray byte = file.read(MAX_BYTE_CAMPIONE);
    if (file.error() != QFileDevice::NoError) return std::nullopt;
    if (bLog && dimensione > MAX_BYTE_CAMPIONE && file.seek(0)) {
        const QByteArray testa = file.read(MAX_BYTE_CAMPIONE / 2);
        byte = QByteArray::fromStdString(LogInBreve(testa.toStdString(), byte.toStdString(),
                                                    static_cast<uint64_t>(dimensione),
                                                    static_cast<size_t>(MAX_BYTE_CAMPIONE)));
    }
    return byte;
}

}  // namespace

QString frmDriver::CartellaEseguibile() const {
    return msCartellaProgramma.isEmpty() ? QCoreApplication::applicationDirPath()
                                         : msCartellaProgramma;
}

QString frmDriver::FileLogVerifica() const {
    // Where the engine writes it: found with the suite at start-up, by the engine's own rule.
    return QDir(msCartellaLog.isEmpty() ? CartellaEseguibile() : msCartellaLog)
        .filePath(QStringLiteral("VerificaDrv.log"));
}

const QTextDocument* frmDriver::DocumentoCampione() const {
    if (!mbTransformMode) return mpUi->rtfTesto->document();
    if (!mpDocumentoCampione) mpDocumentoCampione = std::make_unique<QTextDocument>();
    mpDocumentoCampione->setPlainText(DaCp1252(mbyCampione.toStdString()));
    return mpDocumentoCampione.get();
}

void frmDriver::LeggiDati(const QString& vsPercorso) {
    mbTransformMode = false;
    QString percorso = vsPercorso;
    if (percorso.isEmpty()) {
        percorso = ServiziUI().NomeFileApri(this, mpUi->mnuLeggiDati->toolTip(), msCartellaDati,
                                            FiltroQt(TestoRisorsa(20501)));
        if (percorso.isEmpty()) return;
    }
    std::optional<QByteArray> byte;
    {
        CursoreOccupato occupato;
        byte = CodaFile(percorso, percorso == FileLogVerifica());
    }
    if (!byte) {
        Avviso(this, TestoRisorsa(20502));
        return;
    }
    CursoreOccupato occupato;
    mpUi->rtfTesto->clear();
    // Printouts are Windows-1252 text; a NUL would cut the view short.
    byte->replace('\0', ' ');
    mpUi->rtfTesto->setPlainText(DaCp1252(byte->toStdString()));
    mbyCampione = *byte;
    PianificaAnteprima();
    msFileDati = percorso;
    // The view shows the sample now, not the log (Trasforma sets both again after reading it).
    mbSpuntaTrasforma = false;
    mpUi->mnuTrasforma->setChecked(false);
    // The engine's log is no printout of the user's: the dialogs stay where the printouts are,
    // and the recent printouts stay as they were.
    if (percorso == FileLogVerifica()) return;
    RicordaCartella(true, percorso);
    AggiungiRecente(QStringLiteral("mnupopDatiRecenti"), percorso);
}

QStringList frmDriver::ArgomentiMotore() const {
    const QString driver = mpDoc->moDriver ? DaNomeFile(mpDoc->moDriver->msFileName) : QString();
    return {QStringLiteral("/i3"), QStringLiteral("/D") + driver,
            QStringLiteral("/F") + msFileDati};
}

void frmDriver::VerificaDati() {
    if (mpDoc->NonSalvato() && !ChiediSalvataggio(20503, false)) return;
    // "No" to saving: the engine reads the file as last saved.
    const bool senzaModifiche = mpDoc->NonSalvato();
    // The engine reads the driver file: a document that was never written has none, and is
    // offered Save As unless the user has just said no to saving.
    if (!mpDoc->moDriver || mpDoc->moDriver->msFileName.empty()) {
        if (senzaModifiche) {
            Avviso(this, TestoRisorsa(20505));
            return;
        }
        const QString domanda = TestoRisorsa(20505) + QLatin1Char('\n') +
                                TestoRisorsa(30960, "Salvarlo ora con un nome, per verificarlo?");
        if (ServiziUI().Messaggio(this, domanda, IconaUI::Domanda, PulsantiUI::SiNo,
                                  TestoRisorsa(51, TITOLO_ATTENZIONE)) != RispostaUI::Si ||
            !FileSalva(true))
            return;
    }
    QString dati = msFileDati;
    if (dati.isEmpty()) {
        dati = ServiziUI().NomeFileApri(this, mpUi->mnuVerifica->toolTip(), msCartellaDati,
                                        FiltroQt(TestoRisorsa(20501)));
        if (dati.isEmpty()) return;
    }
    msFileDati = dati;
    const QDateTime inizio = QDateTime::currentDateTime();
    setEnabled(false);
    EseguiEAttendi(QDir(CartellaEseguibile()).filePath(QStringLiteral("tarnominer")),
                   ArgomentiMotore());
    setEnabled(true);
    MostraEsitoVerifica(inizio, senzaModifiche);
    // A view that shows the log shows the new one.
    if (mbTransformMode) MostraLog();
    show();
    raise();
    activateWindow();
}

void frmDriver::Trasforma() {
    if (mbTransformMode) {
        LeggiDati(msFileDati);
        mbTransformMode = false;
    } else if (msFileDati.isEmpty()) {
        // Nothing to switch to: the tick stays as it was (the tool's own click toggled it).
        mpUi->mnuTrasforma->setChecked(mbSpuntaTrasforma);
        return;
    } else {
        MostraLog();
    }
    mbSpuntaTrasforma = mbTransformMode;
    mpUi->mnuTrasforma->setChecked(mbTransformMode);
}

void frmDriver::MostraLog() {
    const QString log = FileLogVerifica();
    if (!QFileInfo::exists(log)) {
        // No verification has run here yet: the sample stays, and so does marking on it.
        Avviso(this, TestoRisorsa(30906,
                                  "Non c'è ancora un log da mostrare: il log della "
                                  "verifica si ottiene con Verifica.\n%1")
                         .arg(QDir::toNativeSeparators(log)));
        mpUi->mnuTrasforma->setChecked(mbTransformMode);
        return;
    }
    // Reading the log as a sample must not make it the sample of the verification or of the
    // preview.
    const QString dati = msFileDati;
    const QByteArray campione = mbyCampione;
    msFileDati.clear();
    LeggiDati(log);
    const bool letto = msFileDati == log;  // a log that could not be read leaves the view alone
    msFileDati = dati;
    mbyCampione = campione;
    mbTransformMode = mbSpuntaTrasforma = letto;
    mpUi->mnuTrasforma->setChecked(letto);
}

void frmDriver::EseguiEAttendi(const QString& vsProgramma, const QStringList& vArgomenti) {
    // The window keeps repainting while the engine runs: the wait is an event loop that ends
    // with the process, or at once when it cannot start (no message: the log tells).
    QProcess processo;
    processo.setProcessChannelMode(QProcess::ForwardedChannels);
    QEventLoop attesa;
    connect(&processo, &QProcess::finished, &attesa, &QEventLoop::quit);
    connect(&processo, &QProcess::errorOccurred, &attesa, [&attesa, &processo] {
        if (processo.state() == QProcess::NotRunning) attesa.quit();
    });
    processo.start(vsProgramma, vArgomenti);
    if (processo.state() != QProcess::NotRunning) attesa.exec(QEventLoop::ExcludeUserInputEvents);
    if (processo.state() != QProcess::NotRunning) processo.waitForFinished(-1);
}

}  // namespace tarno
