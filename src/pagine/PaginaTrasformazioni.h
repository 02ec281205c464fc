#pragma once
// The "Trasformazioni" page of the main window: the special treatments of a printout, one
// "Sì"/"No" row each in grdTrasf, with "&Impostazioni..." opening the settings dialog of the
// current row and "&Avanzate..." the general transformations.

#include <QWidget>

class QPushButton;

namespace tarno {

class ContestoPagine;
class clsGriglia;

class PaginaTrasformazioni : public QWidget {
    Q_OBJECT

  public:
    // Rows of grdTrasf.
    enum Riga {
        DATA_ISOLATA = 0,
        MESI_IN_LETTERE = 1,
        DURATA = 2,
        SCATTI = 3,
        IGNORA_VUOTE = 4,
        PRESCANNING = 5,
    };

    PaginaTrasformazioni(ContestoPagine& contesto, QWidget* parent);
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

    ContestoPagine& mContesto;
};

}  // namespace tarno
