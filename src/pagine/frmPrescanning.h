#pragma once
// The prescanning dialog: the driver's table of parameter/value pairs that the import engine
// applies before it reads the call records.
//
// How a caller uses it (roDriver is the main window's moDriver):
//   frmPrescanning dlg(moDriver, parent);
//   dlg.exec();
//   if (!dlg.mbCancel) { ... }   // confirmed with OK (exec() == QDialog::Accepted too)
// When it is shown the dialog makes sure that roDriver holds a driver and that the driver has a
// prescanning collection (both empty when created), and copies the entries into its grid. Only
// OK writes back: the collection is rewritten from the grid rows, in their order, leaving out
// rows whose two cells hold nothing but blanks. Annulla, Escape or the close box leave the
// entries as they were. The dialog never touches mbConPrescanning: that is the caller's.
// In the grid the last row "*" appends entries; Ctrl+Delete (or Delete on a row selected by its
// row header) deletes the current row. Under it, what the current row's entry does, and the
// entries the engine knows with what each does: "Aggiungi" (or a double click) takes the chosen
// one to the grid, on the row that holds it already or on a new one. Entries the engine does
// not know are kept as typed.

#include <memory>

#include "kit/clsDialogo.h"
#include "model/TabellaValori.h"

namespace Ui {
class frmPrescanning;
}

namespace tarno {

class clsDriver;

class frmPrescanning : public clsDialogo {
    Q_OBJECT

  public:
    // roDriver must outlive the dialog.
    explicit frmPrescanning(std::unique_ptr<clsDriver>& roDriver, QWidget* parent = nullptr);
    ~frmPrescanning() override;

    // True unless the dialog was last closed by a successful OK.
    bool mbCancel = true;
    // The rows being edited: column 0 "Parametro" (sEntry), column 1 "Valore" (sValue).
    TabellaValori mrgxPrescanning;

    Ui::frmPrescanning* ui() const { return mpUi.get(); }

    // Load: texts, position, the driver and its collection if missing, the entries into the
    // grid; runs once, at the latest when the dialog is first shown.
    void Carica() override;
    void InitGrdPrescanning();
    void cmOK_Click();
    // The known entry chosen in lstVociNote into the grid, the cursor on its value.
    void cmdAggiungiVoce_Click();
    // What the current row's entry does, under the grid.
    void DescriviVoceCorrente();
    void cmdAnnulla_Click();
    // Escape and the close box end here too: the dialog counts as cancelled.
    void reject() override;

  protected:
  private:
    std::unique_ptr<Ui::frmPrescanning> mpUi;
    std::unique_ptr<clsDriver>& moDriver;
};

}  // namespace tarno
