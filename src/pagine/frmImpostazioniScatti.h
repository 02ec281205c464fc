#pragma once
// The pulse dialog: the divisor that turns a cost printed in currency into metering pulses.
//
// How a caller uses it:
//   frmImpostazioniScatti dlg(parent);
//   dlg.mlDividereScatti = mlDividereScatti;
//   dlg.exec();
//   if (!dlg.mbCancel)                          // confirmed with OK (exec() == Accepted too)
//       mlDividereScatti = dlg.mlDividereScatti;
// The text box is edited on its own: Annulla, Escape or the close box leave mlDividereScatti
// as the caller set it. OK accepts only a whole number (no "." or ",") that fits 32 bits.

#include <cstdint>
#include <memory>
#include <optional>

#include "kit/clsDialogo.h"

namespace Ui {
class frmImpostazioniScatti;
}

namespace tarno {

class frmImpostazioniScatti : public clsDialogo {
    Q_OBJECT

  public:
    explicit frmImpostazioniScatti(QWidget* parent = nullptr);
    ~frmImpostazioniScatti() override;

    int32_t mlDividereScatti = 1;
    // True unless the dialog was last closed by a successful OK.
    bool mbCancel = true;

    // The divisor a text stands for: a number as a whole (blanks around it, a sign, an
    // exponent allowed) without "." or ",", rounded to a whole number that fits 32 bits;
    // nullopt for any other text.
    static std::optional<int32_t> LeggiDivisore(const QString& vsTesto);

    Ui::frmImpostazioniScatti* ui() const { return mpUi.get(); }

    // Load: texts, position, and the stored divisor in txtDividere; runs once, at the latest when
    // the dialog is first shown.
    void Carica() override;
    void cmOK_Click();
    void cmdAnnulla_Click();
    // Escape and the close box end here too: the dialog counts as cancelled.
    void reject() override;

  protected:
  private:
    std::unique_ptr<Ui::frmImpostazioniScatti> mpUi;
};

}  // namespace tarno
