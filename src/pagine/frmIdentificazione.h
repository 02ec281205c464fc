#pragma once
// The conditions editor: one grid row per identification condition (line, position, length,
// comparison operator, format, value, And/Or). OK checks the rows and hands them back as a new
// collection; Annulla hands back nothing. The dialog works on its own copy, so a cancelled
// dialog leaves the caller's conditions as they were.
//
// How a caller uses it (the shortest way is Modifica, which does all of this):
//     frmIdentificazione dlg(this);                  // parent: a window of the editor, so that
//                                                    // the main window's formats and sample
//                                                    // text are found
//     dlg.mcolCondizioni = chiamata.mcolCondizioni;  // a copy; absent = no conditions yet
//     dlg.miNumRighe = 2;                            // "Riga" offers 1 .. miNumRighe (give at
//                                                    // least 1: a row needs its line)
//     dlg.mbDataIsolata = false;                     // true: the isolated-date conditions
//                                                    // ("Data isolata" offered and required)
//     dlg.msPrompt = TestoRisorsa(10649);            // the label above the grid
//     dlg.msTitolo = TestoRisorsa(10655);            // the caption; empty keeps "Dettagli"
//     dlg.exec();
//     if (!dlg.mbCancel) chiamata.mcolCondizioni = std::move(dlg.mcolCondizioni);
// The members are read when the dialog is first shown (or Form_Load is called), so they must
// be set before. After OK, mcolCondizioni always holds a collection (empty when the user left
// no row): one new condition per row, in row order, without keys and without names (saving
// the driver numbers them). Annulla, Escape and the close box leave mbCancel true.
// The format lists come from the main window's drop-downs (drpFormatiData, drpFormatiOra,
// drpFormatiNessuno), found through the parent windows; without a main window there are none.

#include <QString>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "kit/clsDialogo.h"
#include "model/TabellaValori.h"
#include "model/clsCondizione.h"

namespace Ui {
class frmIdentificazione;
}
class QLabel;
class QTextDocument;

namespace tarno {

class clsDropDown;
class ContestoPagine;

class frmIdentificazione : public clsDialogo {
    Q_OBJECT

  public:
    // Columns of the grid.
    enum Colonna : int {
        COL_RIGA = 0,
        COL_POSIZIONE = 1,
        COL_LUNGHEZZA = 2,
        COL_OPERATORE = 3,
        COL_FORMATO = 4,
        COL_VALORE = 5,
        COL_CONGIUNZIONE = 6,
        NUM_COLONNE = 7,
    };

    explicit frmIdentificazione(QWidget* parent = nullptr);
    ~frmIdentificazione() override;

    // The whole use in one call: opens the dialog modally on a copy of rcol (hourglass while
    // it loads). True when the user confirmed; rcol then holds the edited conditions. False
    // when the user cancelled; rcol is untouched.
    static bool Modifica(QWidget* parent, ContestoPagine* contesto,
                         std::optional<ColCondizioni>& rcol, int16_t viNumRighe, bool vbDataIsolata,
                         const QString& vsPrompt, const QString& vsTitolo = QString());

    // In: the conditions to edit (absent = none). Out, after OK: the edited conditions.
    std::optional<ColCondizioni> mcolCondizioni;
    // The lines of the call: "Riga" offers 1 to miNumRighe.
    int16_t miNumRighe = 0;
    // The conditions of the isolated date line: "Data isolata" is offered, and OK requires a
    // row that uses it.
    bool mbDataIsolata = false;
    // The text of the label above the grid (lblPrompt).
    QString msPrompt;
    // The window caption; empty keeps the designed one ("Dettagli") or one set by the caller.
    QString msTitolo;
    // The window's format lists (for the Formato column) and sample view; none for a dialog
    // opened on its own.
    ContestoPagine* mpContesto = nullptr;
    // The sample text offered by the cell buttons of Posiz. and Lung.; when not given, that of
    // mpContesto's sample view.
    const QTextDocument* mpTestoCampione = nullptr;
    // True unless the dialog was left with OK.
    bool mbCancel = true;

    Ui::frmIdentificazione* ui() const { return mpUi.get(); }
    // Under the grid: on how many lines of the sample the current row's condition holds.
    QLabel* lblRigheCondizione() const { return mpRigheCondizione; }

    // Prompt, caption, drop-downs, columns and rows from the members; runs once, at the
    // latest when the dialog is first shown.
    void Carica() override;
    // The Formato column offers the time formats for "Tempo valido", the date formats for
    // "Data Valida" and "Data isolata", and the "Nessuno" list for any other operator, after
    // the operator of the current row.
    void SettaDropDownFormato();
    // Checks every row; at the first error shows its message, puts the grid's current cell on
    // it and returns false.
    bool ControllaDati();
    void AvvisaValoriLunghi();

    void cmOK_Click();
    void cmdAnnulla_Click();
    void mcdInsert_Click();
    void grdCondizioni_ButtonClick(int r, int c);

    // The drop-downs of the Formato column (exposed for tests).
    clsDropDown* drpFormatiData = nullptr;
    clsDropDown* drpFormatiOra = nullptr;
    clsDropDown* drpFormatiNessuno = nullptr;

  public slots:
    void reject() override;

  protected:
  private:
    void InitDropDown();
    void InitGriglia();
    void RiempiGriglia();
    // Commits the grid's pending edit; a refused input is shown and gives false.
    bool ConfermaGriglia();
    void ErroreRiga(int r, int c, int viTesto);
    const QTextDocument* TestoCampione() const;
    const std::string& Cella(int r, int c) const { return mrgxCondizioni.Cella(r, c); }
    // The condition of row r as OK would hand it back.
    clsCondizione CondizioneRiga(int r) const;
    void AggiornaRigheCondizione();
    // A new row r gets line 1.
    void RigaPredefinita(int r);

    std::unique_ptr<Ui::frmIdentificazione> mpUi;
    // One row per condition (the grid's entry row follows them).
    TabellaValori mrgxCondizioni;
    QLabel* mpRigheCondizione = nullptr;
    // In a driver of separated fields: the start inside the field of the part chosen with the
    // cell buttons, by field number and length (the grid has no column for it).
    std::map<std::pair<int, int>, int16_t> mmNelCampo;
};

}  // namespace tarno
