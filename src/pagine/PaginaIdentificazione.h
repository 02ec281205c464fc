#pragma once
// The "Identificazione" page of the main window: on how many lines an incoming and an outgoing
// call are printed, whether transferred calls exist, the line offset and the character after
// which the last line is cut (the grid grdIdent over the document's mrgxIdent, one row per
// setting), and "&Dettagli..." (cmdIdent), which edits the conditions that recognise each of
// the four call kinds.

#include <QWidget>

#include "tabelle/LayoutTabelle.h"

class QPushButton;

namespace tarno {

class ContestoPagine;
class DocumentoDriver;
class clsGriglia;

class PaginaIdentificazione : public QWidget {
    Q_OBJECT

  public:
    PaginaIdentificazione(DocumentoDriver& doc, ContestoPagine& contesto, QWidget* parent);
    // Builds the grid and its table with the defaults: "0", "0", "No", "No", "0", "0" (the main
    // window's load calls it once).
    void Inizializza();
    clsGriglia* grdIdent = nullptr;
    QPushButton* cmdIdent = nullptr;

    // "&Dettagli..." on the current row: the conditions editor for that call kind.
    void cmdIdent_Click();

  private:
    // The value list of column 1 for row r, and "&Dettagli..." on rows 0 to 3 only.
    void grdIdent_RowColChange(int r);
    void grdIdent_AfterColUpdate(int r, int c);
    // The line count of row r ("N° Righe" of rows 0 and 1); 0 when empty.
    int LineeChiamata(int r) const;

    DocumentoDriver& mDoc;
    ContestoPagine& mContesto;
};

}  // namespace tarno
