// The document commands of the main window (New, Open, Save, Save As, Exit) and the lists of
// recent files kept in the per-user settings.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>
#include <QTabWidget>
#include <QUndoStack>

#include "documento/DocumentoDriver.h"
#include "finestra/MessaggioCatalogo.h"
#include "finestra/frmDriver.h"
#include "grid/clsGriglia.h"
#include "kit/Globali.h"
#include "kit/Risorse.h"
#include "kit/ServiziUI.h"
#include "kit/TestoQt.h"
#include "legacy/modOldDriver.h"
#include "model/clsProfiloINI.h"
#include "pagine/PaginaCampi.h"
#include "pagine/PaginaIdentificazione.h"
#include "pagine/PaginaTrasformazioni.h"
#include "pagine/frmOldDriver.h"
#include "ui_frmDriver.h"

namespace tarno {

namespace {

const QString SOTTOMENU_DRIVER = QStringLiteral("mnupopDriverRecenti");
const QString SOTTOMENU_DATI = QStringLiteral("mnupopDatiRecenti");
constexpr int NUM_RECENTI = 4;

// The per-user settings of the editor, in the group of the recent lists.
class Recenti {
  public:
    Recenti() : mImpostazioni(QStringLiteral("TarnoDriver"), QStringLiteral("TarnoDriver")) {
        mImpostazioni.beginGroup(QStringLiteral("FileList"));
    }
    QString Leggi(const QString& sChiave) const { return mImpostazioni.value(sChiave).toString(); }
    void Scrivi(const QString& sChiave, const QString& sValore) {
        mImpostazioni.setValue(sChiave, sValore);
    }

  private:
    QSettings mImpostazioni;
};

// True when the file holds at least one key in one of the sections a driver is made of.
bool HaSezioniDriver(const std::string& sFile) {
    const clsProfiloINI profilo = clsProfiloINI::DaFile(sFile);
    for (const char* sezione : {"Centralino", "Trasformazioni", "Condizioni", "Entranti", "Uscenti",
                                "OPZIONI_DATA", "Prescanning"})
        if (!profilo.ElencoChiavi(sezione).empty()) return true;
    return false;
}

// A file that exists but may not be written (mode 0444 and the like, also for root).
bool ProtettoDaScrittura(const QFileInfo& info) {
    constexpr auto scrittura =
        QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    return info.exists() && (!info.isWritable() || !(info.permissions() & scrittura));
}

QString Prefisso(const QString& sSottomenu) {
    return sSottomenu == SOTTOMENU_DRIVER ? QStringLiteral("f") : QStringLiteral("s");
}

}  // namespace

// ---- commands

void frmDriver::RegistraComandiDocumento() {
    mfnComandi[QStringLiteral("mnuNuovo")] = [this](QAction*) { FileNuovo(); };
    mfnComandi[QStringLiteral("mnuNuovoDalCampione")] = [this](QAction*) { NuovoDalCampione(); };
    mfnComandi[QStringLiteral("mnuApri")] = [this](QAction*) { FileApri(); };
    mfnComandi[QStringLiteral("mnuSalva")] = [this](QAction*) {
        FileSalva(msDriverFileName.isEmpty());
    };
    mfnComandi[QStringLiteral("mnuSalvaCome")] = [this](QAction*) { FileSalva(true); };
    mfnComandi[QStringLiteral("mnuEsci")] = [this](QAction*) { close(); };
    mfnComandi[QStringLiteral("Recenti")] = [this](QAction* tool) {
        // "mnuRecenti" + number + "f" (drivers) or "s" (sample data).
        const QString nome = tool->objectName();
        if (nome.size() < 2) return;
        const QString n = nome.at(nome.size() - 2);
        if (nome.endsWith(QLatin1Char('f'))) {
            FileApri(LeggiRecente(QStringLiteral("fFile") + n));
        } else {
            LeggiDati(LeggiRecente(QStringLiteral("sFile") + n));
        }
    };
    mfnComandi[QStringLiteral("mnuLeggiDati")] = [this](QAction*) { LeggiDati(); };
    mfnComandi[QStringLiteral("mnuVerifica")] = [this](QAction*) { VerificaDati(); };
    mfnComandi[QStringLiteral("mnuTrasforma")] = [this](QAction*) { Trasforma(); };
    // Exit and the close box ask about unsaved changes first.
    mfnPuoChiudere = [this] { return ChiediSalvataggio(10661); };
    mfnApriDriver = [this](const QString& sPercorso) { FileApri(sPercorso); };
}

void frmDriver::AggiornaTitolo() {
    // "[*]" shows where the title marks unsaved changes.
    const QString titolo = TestoRisorsa(30200, "Tarno Driver");
    setWindowTitle(
        (msDriverFileName.isEmpty() ? titolo : titolo + QStringLiteral(" - ") + msDriverFileName) +
        QStringLiteral("[*]"));
}

bool frmDriver::ChiediSalvataggio(int iStringa, bool bConAnnulla) {
    if (!mpDoc->NonSalvato()) return true;
    const QString domanda =
        TestoRisorsa(iStringa, "Sono state effettuate delle modifiche, si desidera salvarle?");
    switch (ServiziUI().Messaggio(this, domanda, IconaUI::Domanda,
                                  bConAnnulla ? PulsantiUI::SiNoAnnulla : PulsantiUI::SiNo,
                                  QString())) {
        case RispostaUI::Si:
            return FileSalva(msDriverFileName.isEmpty());
        case RispostaUI::No:
            return true;
        default:
            return false;
    }
}

void frmDriver::SvuotaTutto() {
    msDriverFileName.clear();
    AggiornaTitolo();
    // The pages and the general page follow the emptied document; what is being typed into a
    // grid belongs to the document that goes away.
    mpDoc->Svuota(ValoreNo());
    // The undo history ends with the document it belonged to, and so does a proposal.
    mpDoc->IniziaStoria();
    SvuotaProposta();
}

void frmDriver::FileNuovo() {
    if (!ChiediSalvataggio()) return;
    DocumentoNuovo();
}

void frmDriver::DocumentoNuovo() {
    SvuotaTutto();
    mpUi->txtData->setText(QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")));
    mpUi->txtVersione->setText(QStringLiteral("1.0"));
    mpUi->tabDriver->setCurrentIndex(0);
    mpUi->txtAutore->setFocus();
    mpDoc->SegnaSalvato();
}

void frmDriver::FileApri(const QString& vsPercorso) {
    if (!ChiediSalvataggio()) return;

    QString percorso = vsPercorso;
    if (percorso.isEmpty()) {
        percorso = ServiziUI().NomeFileApri(
            this, TestoRisorsa(1306, "Apri"), msCartellaDialogo,
            FiltroQt(TestoRisorsa(20504, "Driver (*.drv)|*.drv|Tutti file (*.*)|*.*")));
        if (percorso.isEmpty()) return;
    }

    // A file that cannot be read is not opened: the document on screen stays.
    const QFileInfo info(percorso);
    MessaggiUI msg(this);
    if (!info.isFile() || !info.isReadable()) {
        Avviso(this, TestoRisorsa(30205, "Impossibile aprire il Driver ") + percorso);
        return;
    }
    const std::string nome = NomeFile(percorso);
    const bool vecchio = info.size() > 0 && ControllaVecchioDriver(nome, msg);
    // Not any file is a driver (a catalogue, a printout): one that has none of a driver's
    // sections is refused, and the document on screen stays.
    if (!vecchio && !HaSezioniDriver(nome)) {
        Avviso(this, TestoRisorsa(30206,
                                  "Il file %1 non \u00E8 un driver: non contiene nessuna "
                                  "delle sezioni di un driver.")
                         .arg(percorso));
        return;
    }

    if (vecchio) {
        // Which program converted this driver in the previous version (Escape keeps the last);
        // Cancel leaves the window as it was.
        frmOldDriver dlg(this);
        dlg.setWindowTitle(percorso);
        dlg.exec();
        if (dlg.Annullato()) return;
    }

    CursoreOccupato occupato;
    SvuotaTutto();
    mpDoc->Driver();  // made when there is none
    if (vecchio) {
        mpDoc->moDriver->mlOffset.assign(1, '0');
        const CercaFormato cerca = mconDatabase.FunzioneCercaFormato();
        if (!LeggiVecchioDriver(nome, *mpDoc->moDriver, msg, cerca)) {
            // The reader said why; the window stays on an empty new document, so that nothing
            // is saved over the legacy file by mistake.
            mpDoc->SegnaSalvato();
            return;
        }
        ApplicaTrasformazione(*mpDoc->moDriver, msg, cerca);
        // The file on disk is still in the old format: the engine cannot read it, so the
        // document has no file of its own until it is saved.
    } else {
        // Syntax errors are reported as they are met; what could be read is shown.
        mpDoc->moDriver->LoadDriver(nome, msg);
    }

    msDriverFileName = percorso;
    // The next dialog starts where the user was.
    RicordaCartella(false, percorso);
    AggiornaTitolo();
    RiempiDaDriver();
    mpDoc->SegnaSalvato();
    if (vecchio) {
        // The conversion is an unsaved change that no undo takes back: the first save writes
        // the new format (after the usual ".bak" of the old file).
        mpDoc->Storia()->resetClean();
        mpDoc->Modificato();
    }
    AggiungiRecente(SOTTOMENU_DRIVER, percorso);
}

void frmDriver::RiempiDaDriver() { mpDoc->RiempiDalDriver(ValoreSi(), ValoreNo()); }

bool frmDriver::FileSalva(bool vbChiediNome) {
    if (!AggiornaGriglie()) return false;
    // The edit just committed is a step of its own, before the save fills the driver.
    mpDoc->RegistraModifiche();
    if (!mpDoc->NonSalvato() && !vbChiediNome) return false;
    if (!mpDoc->moDriver) mpDoc->moDriver = std::make_unique<clsDriver>();
    if (!ControllaDatiRiempiOggettoDriver()) return false;

    QString percorso = msDriverFileName;
    if (vbChiediNome) {
        QString proposta;
        if (!msDriverFileName.isEmpty()) proposta = QFileInfo(msDriverFileName).fileName();
        if (!msCartellaDialogo.isEmpty())
            proposta = msCartellaDialogo + QLatin1Char('/') + proposta;
        percorso = ServiziUI().NomeFileSalva(this, TestoRisorsa(30207, "Salva con nome"), proposta,
                                             FiltroQt(TestoRisorsa(30208, "Driver (*.drv)|*.drv")));
        if (percorso.isEmpty()) return false;
        RicordaCartella(false, percorso);
    }
    if (percorso.isEmpty()) return false;

    // A name ending in a full stop is taken as it is.
    if (!percorso.toUpper().endsWith(QStringLiteral(".DRV")) &&
        !percorso.endsWith(QLatin1Char('.')))
        percorso += QStringLiteral(".drv");
    // A write-protected file is not replaced behind the user's back: the file and the document
    // stay as they are, and Save As is offered.
    if (ProtettoDaScrittura(QFileInfo(percorso))) {
        const QString domanda = TestoRisorsa(30210,
                                             "Il file %1 \u00E8 protetto da scrittura: il "
                                             "driver non \u00E8 stato salvato.\nSalvarlo "
                                             "con un altro nome?")
                                    .arg(percorso);
        if (ServiziUI().Messaggio(this, domanda, IconaUI::Esclamazione, PulsantiUI::SiNo,
                                  QString::fromLatin1(TITOLO_ATTENZIONE)) == RispostaUI::Si)
            return FileSalva(true);
        return false;
    }

    CursoreOccupato occupato;

    const std::string nomePrecedente = mpDoc->moDriver->msFileName;
    MessaggiRaccolti raccolti;
    if (!mpDoc->moDriver->SaveDriver(NomeFile(percorso), raccolti)) {
        // Nothing was written: one message says so (not one per key that could not be
        // written), and the document keeps its changes, its name and its title, so that the
        // user can save it elsewhere.
        mpDoc->moDriver->msFileName = nomePrecedente;
        Avviso(this, TestoRisorsa(30209, "Impossibile salvare il Driver ") + percorso);
        return false;
    }
    MessaggiUI msg(this);
    raccolti.InoltraA(msg);

    msDriverFileName = percorso;
    AggiornaTitolo();
    AggiungiRecente(SOTTOMENU_DRIVER, percorso);

    // The catalogue learns which file belongs to this brand and model.
    const auto nomeCatalogo = InCp1252(QFileInfo(percorso).fileName());
    if (!nomeCatalogo)
        Avviso(this, TestoRisorsa(30211,
                                  "Il nome del file non pu\u00F2 essere registrato nel "
                                  "catalogo: ") +
                         QFileInfo(percorso).fileName());
    else if (!mconDatabase.AggiornaPabx(mpDoc->moDriver->msMarca, mpDoc->moDriver->msModello,
                                        *nomeCatalogo))
        Avviso(this, MessaggioCatalogo(mconDatabase));
    InitMarcaCentralino();

    mpDoc->SegnaSalvato();
    return true;
}

// ---- recent files

QString frmDriver::LeggiRecente(const QString& vsChiave) { return Recenti().Leggi(vsChiave); }

void frmDriver::CaricaRecenti(const QString& vsSottomenu) {
    const QString prefisso = Prefisso(vsSottomenu);
    for (int n = 1; n <= NUM_RECENTI; ++n) {
        const QString valore = LeggiRecente(prefisso + QStringLiteral("File") + QString::number(n));
        if (valore.isEmpty()) continue;
        auto* tool = findChild<QAction*>(QStringLiteral("mnuRecenti%1%2").arg(n).arg(prefisso));
        if (!tool) continue;
        tool->setText(QStringLiteral("&%1 ").arg(n) + RaddoppiaAmpersand(valore));
        tool->setVisible(true);
        // The submenu opens once it has something to show (see the constructor).
        if (auto* sottomenu = findChild<QMenu*>(vsSottomenu))
            sottomenu->menuAction()->setEnabled(true);
    }
}

void frmDriver::AggiungiRecente(const QString& vsSottomenu, const QString& vsPercorso) {
    const QString prefisso = Prefisso(vsSottomenu);
    const auto chiave = [&](int n) {
        return prefisso + QStringLiteral("File") + QString::number(n);
    };
    Recenti recenti;
    QString vecchi[NUM_RECENTI + 1];
    for (int n = 1; n <= NUM_RECENTI; ++n) vecchi[n] = recenti.Leggi(chiave(n));
    // The place that holds the path, looked for from 4 up to 1; not found counts as 4. File
    // names are told apart by their letter case, as the file system does.
    int trovato = NUM_RECENTI;
    for (int n = NUM_RECENTI; n >= 1; --n)
        if (vecchi[n] == vsPercorso) {
            trovato = n;
            break;
        }
    for (int n = trovato; n >= 2; --n) recenti.Scrivi(chiave(n), vecchi[n - 1]);
    recenti.Scrivi(chiave(1), vsPercorso);
    CaricaRecenti(vsSottomenu);
}

QString frmDriver::RaddoppiaAmpersand(const QString& vsTesto) {
    QString r = vsTesto;
    r.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return r;
}

}  // namespace tarno
