#pragma once
// The "Trasformazioni" page of the main window.

#include <QWidget>

namespace tarno {

class frmDriver;
class clsGriglia;

class PaginaTrasformazioni : public QWidget {
    Q_OBJECT

public:
    PaginaTrasformazioni(frmDriver& finestra, QWidget* parent);
    // Builds the grid and its table (the main window's load calls it once).
    void Inizializza();
    clsGriglia* grdTrasf = nullptr;

private:
    frmDriver& mFinestra;
};

}  // namespace tarno
