#pragma once
// The main window: the sample view, the five pages of the driver, the menu and tool bar, and
// the start-up that reads the suite's configuration and opens the catalogue.

#include <QMainWindow>
#include <QString>
#include <functional>
#include <map>
#include <memory>

#include "Configurazione.h"
#include "TabellaValori.h"
#include "clsCatalogo.h"
#include "clsDriver.h"

namespace Ui {
class frmDriver;
}
class QAction;

namespace tarno {

class clsDropDown;
class PaginaIdentificazione;
class PaginaTrasformazioni;
class PaginaCampi;

class frmDriver : public QMainWindow {
    Q_OBJECT

  public:
    // sCartellaProgramma: where Tarnosuite.ini is looked for ("" = the executable's folder).
    explicit frmDriver(const QString& sCartellaProgramma = QString(), QWidget* parent = nullptr);
    ~frmDriver() override;

    // The load handler: texts, configuration, catalogue, views, brand list, recent lists and
    // the driver named on the command line (sRigaComando, e.g. "/MEricsson/NMD110").
    void Form_Load(const QString& sRigaComando = QString());
    // True when start-up left a database to work with.
    bool Avviabile() const { return !msDSNName.empty() || !msDatabaseFile.empty(); }

    // Dirty flag: also enables the Save tool.
    void Cambiato(bool bFlag);
    // Brand and model lists from the catalogue.
    void InitMarcaCentralino();
    void CercaModello();
    // The column (from 1) of the selection start within its line, and the labels under the
    // sample view.
    static int ColonnaSelezione(const QString& sTesto, int iInizio);
    void AggiornaPosizione();

    // Runs the command of a tool, by its name.
    void MainMenu_ToolClick(QAction* tool);

    // Opens a driver file without a dialog (the command line uses it); replaced by the Open
    // command of the document commands.
    std::function<void(const QString&)> mfnApriDriver;
    // The commands of the tools, by tool name ("Recenti" for every recent-file tool); a tool
    // without one answers "Funzione non implementata".
    std::map<QString, std::function<void(QAction*)>> mfnComandi;
    // Asked before the window closes (the save prompt); false keeps it open.
    std::function<bool()> mfnPuoChiudere;

    Ui::frmDriver* ui() const { return mpUi.get(); }

    // ---- grids <-> driver (src/editor/Trasferimento.cpp)
    // Commits the edit in progress of grdIdent, grdTrasf, grdEntranti and grdUscenti.
    bool AggiornaGriglie();
    // Checks one field array (incoming when it has as many rows as mrgxEntranti).
    bool ControllaGrdChiamate(TabellaValori& rgx);
    // Rebuilds the fields of a call-record type from a field array, with the duration and
    // pulse conversions of the Trasformazioni page.
    void LeggiGrdChiamate_Trasf(clsChiamata& chiamata, TabellaValori& rgx);
    // Fills a field array from a call-record type (none: empty rows), and the options back.
    void RiempiGrdChiamate_Trasf(TabellaValori& rgx, clsChiamata* chiamata);
    // Checks every page and copies the window into moDriver; false after a message.
    bool ControllaDatiRiempiOggettoDriver();

    // The pages (they build their own controls: grdIdent, grdTrasf, grdEntranti, grdUscenti).
    PaginaIdentificazione* mpPagIdent = nullptr;
    PaginaTrasformazioni* mpPagTrasf = nullptr;
    PaginaCampi* mpPagEntranti = nullptr;
    PaginaCampi* mpPagUscenti = nullptr;
    // The format lists of the catalogue as drop-downs of the grids.
    clsDropDown* drpFormatiData = nullptr;
    clsDropDown* drpFormatiOra = nullptr;
    clsDropDown* drpFormatiNessuno = nullptr;

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
    QString msCartellaDialogo;  // initial folder of the file dialogs
    bool mbChanged = false;
    std::unique_ptr<clsDriver> moDriver;
    TabellaValori mrgxEntranti, mrgxUscenti;
    TabellaValori mrgxFormatiData, mrgxFormatiOra, mrgxFormatiNessuno;
    TabellaValori mrgxIdent, mrgxTrasf;
    int16_t miFrazioneDurata = -1;
    int16_t miUnitaDurata = -1;
    int32_t mlConversioneDurata = 0;
    int32_t mlDividereScatti = 1;
    bool mbTransformMode = false;

  protected:
    bool eventFilter(QObject* obj, QEvent* ev) override;
    void resizeEvent(QResizeEvent* ev) override;
    void closeEvent(QCloseEvent* ev) override;

  private:
    void Form_Resize();
    void Form_Unload();
    void tabDriver_Click(int iTab);
    bool Form_KeyDown(QKeyEvent* ev);
    void rtfTesto_KeyDown(QKeyEvent* ev);
    void rtfTesto_Change();
    void cboMarca_Change();
    bool FalliscePartenza(const QString& sErrore);
    QString Testo(int iNumero, const QString& sPredefinito) const;

    std::unique_ptr<Ui::frmDriver> mpUi;
    QString msCartellaProgramma;
    bool mbRiempimento = false;  // lists being filled by the program, not by the user
};

}  // namespace tarno
