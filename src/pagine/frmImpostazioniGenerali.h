#pragma once
// The general transformations dialog: edits a copy of the driver's general transformations
// (line, position, length, calls concerned, operation, source, value and conditions of each).
//
// How a caller uses it:
//     frmImpostazioniGenerali dlg(this);
//     if (moDriver->mcolTrasf) dlg.mcolTrasf = *moDriver->mcolTrasf;   // a copy
//     dlg.miNumRigheEnt = <lines of an incoming call>;
//     dlg.miNumRigheUsc = <lines of an outgoing call>;
//     dlg.mpContesto = &contesto;  // formats and sample text for the cell buttons
//     dlg.setWindowTitle(TestoRisorsa(10657));                   // any caption
//     dlg.exec();
//     if (!dlg.mbCancel) moDriver->mcolTrasf = std::move(dlg.mcolTrasf);
// The members are read when the dialog is first shown (or Form_Load is called), so they must
// be set before. Cancelling (Annulla, Escape, the close box) leaves mbCancel true and
// mcolTrasf as the caller gave it; after OK mcolTrasf holds one transformation per row, keyed
// "0", "1", ... in row order.

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "kit/clsDialogo.h"
#include "model/Collezione.h"
#include "model/TabellaValori.h"
#include "model/clsCondizione.h"
#include "model/clsTrasformazione.h"

namespace Ui {
class frmImpostazioniGenerali;
}
class QTextDocument;
class QKeyEvent;

namespace tarno {

class ContestoPagine;

class frmImpostazioniGenerali : public clsDialogo {
    Q_OBJECT

  public:
    // Columns of the grid.
    enum Colonna : int {
        COL_RIGA = 0,
        COL_POSIZIONE = 1,
        COL_LUNGHEZZA = 2,
        COL_CHIAMATE = 3,
        COL_OPERAZIONE = 4,
        COL_SORGENTE = 5,
        COL_VALORE = 6,
        COL_CONDIZIONI = 7,
        NUM_COLONNE = 8,
    };

    explicit frmImpostazioniGenerali(QWidget* parent = nullptr);
    ~frmImpostazioniGenerali() override;

    // True unless the dialog was left with OK.
    bool mbCancel = true;
    // Lines of an incoming and of an outgoing call: they bound the line numbers.
    int16_t miNumRigheEnt = 0;
    int16_t miNumRigheUsc = 0;
    // In: the transformations to edit (absent = none). Out, after OK: the edited list.
    std::optional<Collezione<clsTrasformazione>> mcolTrasf;
    // The window's format lists and sample view; none for a dialog opened on its own.
    ContestoPagine* mpContesto = nullptr;
    // The sample text offered by the cell buttons of Posiz. and Lung.; when not given, that of
    // mpContesto's sample view.
    const QTextDocument* mpTestoCampione = nullptr;
    // On separated fields: the start inside the field the picker gave, by field and length.
    std::map<std::pair<int, int>, int16_t> mmNelCampo;

    Ui::frmImpostazioniGenerali* ui() const { return mpUi.get(); }

    // Builds the grid from the members and fills it; runs once, at the latest when the
    // dialog is first shown.
    void Carica() override;
    // Checks every row; at the first error shows its message, focuses the grid and returns
    // false.
    bool ControllaDati();
    // The conditions kept for a table row; nullptr when it has none.
    const ColCondizioni* CondizioniRiga(int r) const;

    void cmdOK_Click();
    void cmdAnnulla_Click();
    void cmdCondizioni_Click();
    void mcdInsert_Click();
    void grdTrasformazioni_ButtonClick(int r, int c);

  public slots:
    void reject() override;

  protected:
  private:
    void InitGriglia();
    void RiempiGriglia();
    void grdTrasformazioni_AfterColUpdate(int r, int c);
    void grdTrasformazioni_RigaEliminata(int r);
    void grdTrasformazioni_KeyDown(QKeyEvent* ev, bool* pbScarta);
    // The conditions editor, modal, on a copy of pcolCondizioni (nullptr: none yet), with
    // line numbers 1 to viNumRighe; the edited conditions, or nullopt when cancelled.
    std::optional<ColCondizioni> ModificaCondizioni(const ColCondizioni* pcolCondizioni,
                                                    int16_t viNumRighe);
    // Commits the grid's pending edit; a refused input is shown and gives false.
    bool ConfermaGriglia();
    void ErroreRiga(int r, int viTesto, const QString& sCoda = QString());
    const QTextDocument* TestoCampione() const;
    const std::string& Cella(int r, int c) const;

    std::unique_ptr<Ui::frmImpostazioniGenerali> mpUi;
    // One row per transformation (the grid's entry row follows them).
    TabellaValori mrgxTrasformazioni;
    // The conditions of each row, by row index.
    std::map<int, ColCondizioni> mmCondizioni;
};

}  // namespace tarno
