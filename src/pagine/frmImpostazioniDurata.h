#pragma once
// The duration dialog: the unit in which the PBX prints durations when they are not in seconds
// (fractions of a second, a minute, an hour or a day) and the factor that turns them into
// seconds.
//
// How a caller uses it:
//   frmImpostazioniDurata dlg(parent);
//   dlg.miFrazioneDurata = miFrazioneDurata;       // -1 = nothing chosen yet
//   dlg.miUnitaDurata = miUnitaDurata;             // -1 = nothing chosen yet
//   dlg.mlConversioneDurata = mlConversioneDurata;
//   dlg.exec();
//   if (!dlg.mbCancel) {                        // confirmed with OK (exec() == Accepted too)
//       miFrazioneDurata = dlg.miFrazioneDurata;
//       miUnitaDurata = dlg.miUnitaDurata;
//       mlConversioneDurata = dlg.mlConversioneDurata;
//   }
// The lists are edited on their own: Annulla, Escape or the close box leave the three members
// as the caller set them. With unit Secondo (0) the printed value is divided by the factor,
// with the other units it is multiplied by it.

#include <cstdint>
#include <memory>

#include "kit/clsDialogo.h"

namespace Ui {
class frmImpostazioniDurata;
}

namespace tarno {

class frmImpostazioniDurata : public clsDialogo {
    Q_OBJECT

  public:
    // Positions in the unit list.
    enum Unita : int16_t { Secondo = 0, Minuto = 1, Ora = 2, Giorno = 3 };
    // Entries of the fraction list: index k stands for 1/(k + 2), "1/2" to "1/16".
    static constexpr int kFrazioni = 15;

    explicit frmImpostazioniDurata(QWidget* parent = nullptr);
    ~frmImpostazioniDurata() override;

    // Fraction index (0 = "1/2" ... 14 = "1/16") and unit index; -1 when none is chosen.
    int16_t miFrazioneDurata = -1;
    int16_t miUnitaDurata = -1;
    // The factor, set on OK.
    int32_t mlConversioneDurata = 0;
    // True unless the dialog was last closed by a successful OK.
    bool mbCancel = true;

    // The factor of fraction index k and a unit: Secondo k + 2; Minuto 60, Ora 3600, Giorno
    // 86400 divided by k + 2, rounded to the nearest whole number with halves to the even one.
    // 0 for an index outside the lists.
    static int32_t FattoreDurata(int viFrazione, int viUnita);

    Ui::frmImpostazioniDurata* ui() const { return mpUi.get(); }

    // Load: texts, position, both lists filled and the stored indexes selected; runs
    // once, at the latest when the dialog is first shown.
    void Carica() override;
    void cmOK_Click();
    void cmdAnnulla_Click();
    // Escape and the close box end here too: the dialog counts as cancelled.
    void reject() override;

  protected:
  private:
    std::unique_ptr<Ui::frmImpostazioniDurata> mpUi;
};

}  // namespace tarno
