#pragma once
// The main window: the frame around one driver document (DocumentoDriver): the sample view,
// the five pages of the document, the menu and tool bar, the file commands, the verification,
// and the start-up that reads the suite's configuration and opens the catalogue.

#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <functional>
#include <map>
#include <memory>
#include <string_view>
#include <vector>

#include "analisi/clsProposta.h"
#include "catalogo/Configurazione.h"
#include "catalogo/clsCatalogo.h"
#include "engine/clsAnalizzatore.h"
#include "model/clsDriver.h"
#include "pagine/ContestoPagine.h"
#include "tabelle/MappaChiamate.h"

namespace Ui {
class frmDriver;
}
class QAction;
class QCheckBox;
class QDateTime;
class QDockWidget;
class QLabel;
class QTextDocument;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;

namespace tarno {

class DocumentoDriver;
class clsDropDown;
class clsLetturaCampione;
class PaginaIdentificazione;
class PaginaTrasformazioni;
class PaginaCampi;
class frmAbout;
class PannelloAnteprima;
struct Correzione;
struct GruppoErrori;

class frmDriver : public QMainWindow, public ContestoPagine {
    Q_OBJECT

  public:
    // sCartellaProgramma: the only folder where Tarnosuite.ini is looked for ("" = the suite's
    // places as the installed editor looks them up: the executable's folder, the per-user suite,
    // the system-wide file, and a per-user suite created from the installed demo).
    // The pages of the tab strip, in order.
    enum Pagina {
        PAGINA_GENERALE,
        PAGINA_IDENTIFICAZIONE,
        PAGINA_TRASFORMAZIONI,
        PAGINA_ENTRANTI,
        PAGINA_USCENTI
    };

    explicit frmDriver(const QString& sCartellaProgramma = QString(), QWidget* parent = nullptr);
    ~frmDriver() override;

    // The load handler: texts, configuration, catalogue, views, brand list, recent lists and
    // the driver named on the command line (sRigaComando, e.g. "/MEricsson/NMD110"). True when
    // start-up left a database to work with.
    bool Form_Load(const QString& sRigaComando = QString());

    // Opens a driver file without a dialog: the start-up lookup of the command line calls it.
    // FileApri unless a test puts something else in its place.
    std::function<void(const QString&)> mfnApriDriver;
    // The commands of the tools, by tool name ("Recenti" for every recent-file tool); a tool
    // without one answers "Funzione non implementata".
    std::map<QString, std::function<void(QAction*)>> mfnComandi;

    // ---- document commands and recent files (src/finestra/Documento.cpp)
    // New: after the save prompt, an empty document dated today, version "1.0".
    void FileNuovo();
    // Open: after the save prompt, the file given or (empty) the one chosen in a file dialog.
    // Legacy drivers are converted with the program chosen in frmOldDriver.
    void FileApri(const QString& vsPercorso = QString());
    // Save (vbChiediNome false: under msDriverFileName, only when something changed) or Save As.
    // True when the driver was written; a failed write keeps the document unsaved.
    bool FileSalva(bool vbChiediNome);
    // The recent-file lists in the per-user settings ("TarnoDriver", group "FileList"; keys
    // "fFile1".."fFile4" for drivers, "sFile1".."sFile4" for sample data; 1 is the most recent).
    static QString LeggiRecente(const QString& vsChiave);

    // ---- the driver proposed from the sample (src/finestra/Proposta.cpp)
    // New from the sample: a sample read first (offered when there is none), the save prompt,
    // then the driver proposed from the sample becomes the new document as one step that one
    // undo takes back to the empty document; the formats it needs that the catalogue lacks are
    // offered to the catalogue, and the pane "Proposta" tells what was proposed and why.
    void NuovoDalCampione();
    // The pane of the proposal and its list (one item per decision under its group).
    QDockWidget* RiquadroProposta() const { return mpRiquadroProposta; }
    QTreeWidget* AlberoProposta() const { return mpAlberoProposta; }
    // Above the list: how many decisions and how many uncertain, and "Solo quelle incerte", which
    // leaves in the list only what the printout could not tell.
    QLabel* SintesiProposta() const { return mpSintesiProposta; }
    QCheckBox* SoloIncerte() const { return mpSoloIncerte; }
    // Puts a path at the head of a submenu's list of four (an entry already there moves up;
    // paths that differ in letter case are different files) and shows the list in the submenu.
    void AggiungiRecente(const QString& vsSottomenu, const QString& vsPercorso);

    // ---- sample data and verification (src/finestra/DatiCampione.cpp)
    // Shows the last 50,000 bytes of a printout (empty path: chosen in a file dialog) and
    // records it as the most recent sample.
    void LeggiDati(const QString& vsPercorso = QString());
    // The engine's log that Verifica leaves.
    QString FileLogVerifica() const;

    Ui::frmDriver* ui() const { return mpUi.get(); }
    // The driver being edited, its tables, history and saved state.
    DocumentoDriver& Documento() const { return *mpDoc; }
    // The live preview, refreshed now rather than after the pause that follows an edit.
    void AggiornaAnteprima();
    PannelloAnteprima* Anteprima() const { return mpAnteprima; }
    // The driver file being edited ("" before its first save) and the sample printout loaded.
    const QString& FileDriver() const { return msDriverFileName; }
    const QString& FileDati() const { return msFileDati; }
    // The suite's catalogue.
    clsCatalogo& Catalogo() { return mconDatabase; }

  protected:
    bool eventFilter(QObject* obj, QEvent* ev) override;
    void closeEvent(QCloseEvent* ev) override;
    void showEvent(QShowEvent* ev) override;
    // Tab and Shift+Tab round the sample view, the tab bar and the controls of the page shown.
    bool focusNextPrevChild(bool next) override;

  private:
    // The sample services of the pages (ServiziCampione).
    // True when start-up left a database to work with.
    bool Avviabile() const { return !msDSNName.empty() || !msDatabaseFile.empty(); }

    QTextEdit* VistaCampione() const override;
    std::optional<Separazione> SeparazioneCampi() const override;
    const QTextDocument* DocumentoCampione() const override;
    bool MarcaturaPossibile() override;
    std::pair<size_t, size_t> RigheConCondizione(const clsCondizione& c) const override;
    std::pair<size_t, size_t> ChiamateConCondizione(const clsCondizione& c) const override;
    std::vector<int16_t> FormatiCheLeggono(bool bEntranti, int iCampo, bool bData) const override;
    std::vector<std::string> TagliDelCampo(bool bEntranti, int iCampo) const override;
    int RigaNellaChiamata(bool bEntranti) const override;
    void Segnala(const QString& sTesto) override;
    std::optional<std::string> AggiungiFormato(QWidget* pPadre, std::optional<bool> bData,
                                               const QString& sTesto, QString* psErrore) override;
    // Brand and model lists from the catalogue.
    void InitMarcaCentralino();
    void CercaModello();
    // The labels under the sample view: the selection's column and length.
    void AggiornaPosizione();
    // In a driver of separated fields: the sample view's selection widened to the field under
    // it, unless it is a part of one.
    void SelezionaCampo();

    // Runs the command of a tool, by its name.
    void MainMenu_ToolClick(QAction* tool);
    // Asked before the window closes (the save prompt); false keeps it open.
    std::function<bool()> mfnPuoChiudere;
    // Empties the title, the general page, the grids and the document (not the sample text).
    void SvuotaTutto();
    // The save prompt when the document has unsaved changes: question iStringa with Yes, No
    // and (bConAnnulla) Cancel. True when the command may go on: No, or Yes and the save
    // succeeded; false after Cancel or a save that did not happen.
    bool ChiediSalvataggio(int iStringa = 20503, bool bConAnnulla = true);
    // Captions and visibility of the recent tools of a submenu (mnupopDriverRecenti or
    // mnupopDatiRecenti) from the settings.
    void CaricaRecenti(const QString& vsSottomenu);
    // Every "&" doubled, so that a menu caption shows it.
    static QString RaddoppiaAmpersand(const QString& vsTesto);
    // Runs the import engine on the saved driver and the sample, the window disabled meanwhile.
    void VerificaDati();
    // Switches the sample view between the sample and the engine's log.
    void Trasforma();
    // Starts a program and waits for its end, the window repainting meanwhile; a program that
    // cannot start ends the wait at once.
    void EseguiEAttendi(const QString& vsProgramma, const QStringList& vArgomenti);
    // The engine's arguments: "/i3", "/D" + the driver's file, "/F" + the sample.
    QStringList ArgomentiMotore() const;
    // Where the editor, the engine and the engine's log lie.
    QString CartellaEseguibile() const;

    // ---- keyboard, clipboard and find (src/finestra/Tastiera.cpp)
    // Cut, copy or paste on the control that has the focus: a text box (the sample view only
    // copies) or a grid (its selected block).
    enum ComandoAppunti { AppuntiTaglia, AppuntiCopia, AppuntiIncolla };
    void Appunti(ComandoAppunti comando);
    // Asks for a text and selects its next occurrence in the sample view (the sample or the
    // log, whichever it shows), case aside.
    void Trova();
    // The next occurrence of the text last asked for; after the last one the search starts
    // again from the top, with a note in the status bar. Not found: a message.
    void TrovaSuccessivo();

    // ---- live preview (src/finestra/Anteprima.cpp)
    // The engine's reading of the sample with the driver as the views hold it, in the preview
    // pane and over the sample view. Every edit (Cambiato) and every load of the sample asks
    // for one after a short pause (PianificaAnteprima); AggiornaAnteprima runs it at once.
    void PianificaAnteprima();
    // A prescanning entry proposed by the preview and accepted: the driver holds it with that
    // value (an entry of that name takes the value) and prescanning is on, as one step.
    void AggiungiVocePrescanning(const std::string& sVoce, const std::string& sValore);
    QDockWidget* RiquadroAnteprima() const { return mpRiquadroAnteprima; }
    // The format fix of a field the preview reads without for want of one: the format goes to
    // the field's row, as one step (one the catalogue lacks is added to it first, after a
    // question).
    void FormatoDelCampoEscluso(const GruppoErrori& g, const Correzione& c);
    // The sample's bytes as loaded (what the sample view shows, unless it shows the log).
    QByteArray mbyCampione;
    // The sample's text while the view shows the log (made when a dialog asks for it).
    mutable std::unique_ptr<QTextDocument> mpDocumentoCampione;

    // ---- grids <-> driver (src/finestra/Trasferimento.cpp)
    // Commits the edit in progress of grdIdent, grdTrasf, grdEntranti and grdUscenti.
    bool AggiornaGriglie();
    // Checks one field table: its first fault on its page, with a message.
    bool ControllaGrdChiamate(TipoChiamata tipo);
    // The driver as the views hold it now, without the checks of a save and leaving moDriver
    // as it is; the rows a save would refuse are left out and told in pEsclusi.
    clsDriver DriverDalleViste(std::vector<QString>* pEsclusi = nullptr) const;
    // Checks every page and copies the window into moDriver; false after a message.
    bool ControllaDatiRiempiOggettoDriver();

    // Shared state of the editor.
    Configurazione mCfg;
    std::string& msFileIni = mCfg.msFileIni;
    std::string& msDSNName = mCfg.msDSNName;
    std::string& msLoginID_SQLServer = mCfg.msLoginID_SQLServer;
    std::string& msPWD_SQLServer = mCfg.msPWD_SQLServer;
    std::string& msDatabaseFile = mCfg.msDatabaseFile;
    std::string& msWorkDir = mCfg.msWorkDir;
    int16_t& miVersioneDBTarno = mCfg.miVersioneDBTarno;
    clsCatalogo mconDatabase;
    QString msDriverFileName;
    QString msFileDati;
    QString msCartellaDialogo;  // initial folder of the driver dialogs (Open, Save As)
    QString msCartellaDati;     // initial folder of the printout dialogs (Leggi dati)
    bool mbTransformMode = false;
    bool mbSpuntaTrasforma = false;  // the tick of the Trasforma tools

    // ---- layout, dropped files, folders of the dialogs (src/finestra/Disposizione.cpp)
    // The window on the screen it opens on, within its free area, with the size and the
    // division between the sample view and the pages of the last session.
    void RipristinaDisposizione();
    // The first division of the height between the sample view and the pages.
    void DivisioneIniziale();
    bool mbDivisioneIniziale = false;  // no division remembered: made at the first show
    bool mbLarghezzaAnteprima = true;  // the preview's width is set when it is first shown
    void SalvaDisposizione() const;
    // A local file dropped on the window: a driver (".drv") is opened as Open does, any other
    // file is read as a sample printout as Leggi dati does.
    void ApriTrascinato(const QString& vsPercorso);
    // The counts of the engine's log after a verification, in the status bar (bSenzaModifiche:
    // the saved file was verified, without the edits on screen). An edit, New or Open takes
    // them away.
    void MostraEsitoVerifica(const QDateTime& inizio, bool bSenzaModifiche);
    QString msEsitoVerifica;

    // The faults a save refuses in a field table, and their wording.
    std::vector<ProblemaCampo> ProblemiGrdChiamate(TipoChiamata tipo) const;
    QString TestoProblema(const ProblemaCampo& p, TipoChiamata tipo) const;
    // The duration and pulse conversions as the Trasformazioni page holds them.
    ConversioniCampi Conversioni() const;
    // The catalogue's date and time formats by code, and the sample's bytes as loaded.
    MappaFormati FormatiCatalogo() const;
    std::string_view Campione() const;
    // The sample read with the driver as the views hold it.
    clsLetturaCampione LetturaCampione() const;
    void Form_Unload();
    // Drag and drop of local files on any control of the window; true when the event was taken.
    bool Trascinamento(QObject* obj, QEvent* ev);
    // The folder of the last file of a kind, remembered in the per-user settings; at start-up
    // the remembered folders still there, sCartellaDriver and sCartellaDati otherwise (the
    // driver folder for printouts when sCartellaDati is missing).
    void RicordaCartella(bool bDati, const QString& vsFile);
    void RipristinaCartelle(const QString& sCartellaDriver, const QString& sCartellaDati);
    // The sample view shows the engine's log; the sample stays the one loaded.
    void MostraLog();
    void tabDriver_Click(int iTab);
    bool Form_KeyDown(QKeyEvent* ev);
    void rtfTesto_KeyDown(QKeyEvent* ev);
    void rtfTesto_Change();
    void cboMarca_Change();
    bool FalliscePartenza(const QString& sErrore);
    // The document commands in mfnComandi and the hooks of close and start-up.
    void RegistraComandiDocumento();
    // The Edit tools, their icons and keys, the key to the sample view and the tab order.
    void PreparaTastiera();
    // Cut, copy and paste enabled as the focused control allows.
    void AggiornaStrumentiModifica();
    bool CercaNelCampione();
    // The focusable controls of the page shown, in their order.
    std::vector<QWidget*> ControlliPagina() const;
    // Tab and Shift+Tab between the sample view, the tab bar and the page; false when the key
    // is the control's own.
    bool TabFinestra(QKeyEvent* ev);
    // Moves the focus to the next pane (sample view, page, preview, proposal) or the one before.
    void PassaRiquadro(bool bIndietro);
    QString msTestoTrova;
    // "Tarno Driver", or "Tarno Driver - " + msDriverFileName; "[*]" after it is where the
    // title marks unsaved changes.
    void AggiornaTitolo();
    // What New leaves after its save prompt: an empty document dated today, version "1.0".
    void DocumentoNuovo();
    // The pane of the proposal, empty until a proposal is made.
    void PreparaProposta();
    void MostraProposta(const Proposta& p);
    void SvuotaProposta();
    void FiltraProposta();
    QString SintesiVoci() const;
    // The formats of the proposal that the catalogue lacks added to it after one question; the
    // driver then refers to the codes the catalogue gave. The formats still missing, as texts.
    QStringList AggiungiFormatiNuovi(Proposta& p);
    // The format tables again from the catalogue, and every list made from them.
    bool RicaricaFormati();
    // The page and row where an item of the proposal is edited.
    void VaiAVoce(QTreeWidgetItem* pVoce);
    void VaiAVoce(const VoceProposta& v);
    QDockWidget* mpRiquadroProposta = nullptr;
    QTreeWidget* mpAlberoProposta = nullptr;
    QLabel* mpSintesiProposta = nullptr;
    QCheckBox* mpSoloIncerte = nullptr;
    std::vector<VoceProposta> mvVociProposta;
    // The codes of the proposal's new formats as the catalogue holds them, by text.
    std::map<std::string, int16_t> mmFormatiProposta;
    // The general page, the grids and the options from moDriver, after a load.
    void RiempiDaDriver();

    DocumentoDriver* mpDoc;  // the window's child
    std::unique_ptr<Ui::frmDriver> mpUi;
    QPointer<frmAbout> mpAbout;       // the About box while it is open
    QAction* mpSalvaBarra = nullptr;  // the tool bar's Save, always enabled
    QString msCartellaProgramma;
    QString msCartellaLog;       // the folder of the engine's log, found with the suite at start-up
    bool mbRiempimento = false;  // lists being filled by the program, not by the user
    // The live preview: its pane, the pause before a refresh, the menu entry that shows it.
    void PreparaAnteprima();
    PannelloAnteprima* mpAnteprima = nullptr;
    QDockWidget* mpRiquadroAnteprima = nullptr;
    QTimer* mpTimerAnteprima = nullptr;
    bool mbChiusura = false;  // the window is closing: its panes go with it
    // The Edit menu's undo and redo over the document's history, the unsaved mark, and the
    // general page showing the document's texts after a state was put back.
    void PreparaStoria();
    void AggiornaStatoModifiche();
    void MostraTestiGenerali();
    // The general page's choice of fixed columns or separated fields (separator, quote, heading
    // lines), edited in the driver: each change is an edit of the document.
    void PreparaCampiStampa();
    void MostraCampiStampa();

    // The pages (they build their own controls: grdIdent, grdTrasf, grdEntranti, grdUscenti).
    PaginaIdentificazione* mpPagIdent = nullptr;
    PaginaTrasformazioni* mpPagTrasf = nullptr;
    PaginaCampi* mpPagEntranti = nullptr;
    PaginaCampi* mpPagUscenti = nullptr;
};

}  // namespace tarno
