#pragma once
// The legacy conversion dialog: the driver being opened comes from the previous version, and
// the user says which transformation program that version used with it.
//
// How the Open command uses it:
//   frmOldDriver dlg(parent);
//   dlg.setWindowTitle(path);       // the file's path as caption
//   dlg.exec();                     // OK stores the program's code in glProgrammaTrasf
//   if (dlg.Annullato()) ...        // Cancel: the driver is not opened
// Escape or the close box leave glProgrammaTrasf as it was, and the conversion goes on with
// that program.

#include <cstdint>
#include <memory>

#include "kit/clsDialogo.h"

namespace Ui {
class frmOldDriver;
}

namespace tarno {

class frmOldDriver : public clsDialogo {
    Q_OBJECT

  public:
    explicit frmOldDriver(QWidget* parent = nullptr);
    ~frmOldDriver() override;

    Ui::frmOldDriver* ui() const { return mpUi.get(); }

    // Load: the conversion programs in cboTrasf, each with its code as item data, and "Standard"
    // selected (the first entry when there is no such entry).
    void Carica() override;
    // glProgrammaTrasf = the code of the selected program; the dialog closes.
    void cmdOk_Click();
    // The code of the selected entry, -1 when none is selected.
    int32_t CodiceScelto() const;
    // Cancel was pressed: the driver is not to be opened.
    bool Annullato() const { return mbAnnullato; }

  private:
    std::unique_ptr<Ui::frmOldDriver> mpUi;
    bool mbAnnullato = false;
};

}  // namespace tarno
