#pragma once
// The "Identificazione" page of the main window.

#include <QWidget>

namespace tarno {

class frmDriver;
class clsGriglia;

class PaginaIdentificazione : public QWidget {
    Q_OBJECT

public:
    PaginaIdentificazione(frmDriver& finestra, QWidget* parent);
    // Builds the grid and its table (the main window's load calls it once).
    void Inizializza();
    clsGriglia* grdIdent = nullptr;

private:
    frmDriver& mFinestra;
};

}  // namespace tarno
