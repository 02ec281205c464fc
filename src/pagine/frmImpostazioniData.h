#pragma once
// The month-codes dialog: the codes by which the PBX prints the names of the twelve months.
//
// How a caller uses it:
//   frmImpostazioniData dlg(parent);
//   for (int i = 0; i < 12; ++i) dlg.Mesi(i, moDriver->Mesi(i));
//   dlg.exec();
//   if (!dlg.mbCancel)            // confirmed with OK (exec() == QDialog::Accepted too)
//       for (int i = 0; i < 12; ++i) moDriver->Mesi(i, dlg.Mesi(i));
// The dialog edits a copy of the codes in its grid: Annulla, Escape or the close box leave
// Mesi as the caller set them. OK accepts only twelve codes of one common length above 0.

#include <array>
#include <memory>
#include <string>

#include "kit/clsDialogo.h"
#include "model/TabellaValori.h"

namespace Ui {
class frmImpostazioniData;
}

namespace tarno {

class frmImpostazioniData : public clsDialogo {
    Q_OBJECT

  public:
    explicit frmImpostazioniData(QWidget* parent = nullptr);
    ~frmImpostazioniData() override;

    // The code of month iIndex + 1 (Windows-1252 text); indexes outside 0 to 11 throw
    // std::out_of_range.
    const std::string& Mesi(int iIndex) const;
    void Mesi(int iIndex, const std::string& sCodice);

    // True unless the dialog was last closed by a successful OK.
    bool mbCancel = true;

    Ui::frmImpostazioniData* ui() const { return mpUi.get(); }

    // Load: texts, position, and the codes of Mesi into the grid; runs once, at the latest when the
    // dialog is first shown.
    void Carica() override;
    void InitGrdMesi();
    void cmOK_Click();
    void cmdAnnulla_Click();
    // Escape and the close box end here too: the dialog counts as cancelled.
    void reject() override;

  protected:
  private:
    std::unique_ptr<Ui::frmImpostazioniData> mpUi;
    std::array<std::string, 12> mvMesi;
    // Column 0 the month names, column 1 the codes being edited.
    TabellaValori mrgxMesi;
};

}  // namespace tarno
