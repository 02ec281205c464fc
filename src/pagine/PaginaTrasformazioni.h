#pragma once
// The "Trasformazioni" page of the main window: the special treatments of a printout, one
// "Sì"/"No" row each in grdTrasf, with "&Impostazioni..." opening the settings dialog of the
// current row and "&Avanzate..." the general transformations.

#include <QWidget>

#include "tabelle/LayoutTabelle.h"

class QPushButton;

namespace tarno {

class ContestoPagine;
class DocumentoDriver;
class clsGriglia;

class PaginaTrasformazioni : public QWidget {
    Q_OBJECT

  public:
    PaginaTrasformazioni(DocumentoDriver& doc, ContestoPagine& contesto, QWidget* parent);
    // InitGrdTrasf: the grid and its option table, every row "No".
    void Inizializza();
    // True when the row holds "Sì".
    bool Presente(int iRiga) const;
    // The date on a line of its own: the "Data" rows of both field pages follow row 0.
    void RegolaDataIsolata();

    void cmdImpTrasfGrd_Click();
    void cmdImpTrafGenerali_Click();

    clsGriglia* grdTrasf = nullptr;
    QPushButton* cmdImpTrasfGrd = nullptr;
    QPushButton* cmdImpTrafGenerali = nullptr;

  private:
    void grdTrasf_RowColChange(int iRiga);
    void grdTrasf_Change(int iRiga, int iColonna);
    void ImpostaPresente(int iRiga, bool bSi);

    DocumentoDriver& mDoc;
    ContestoPagine& mContesto;
};

}  // namespace tarno
