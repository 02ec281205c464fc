#pragma once
// An "Entranti" or "Uscenti" page of the main window: one row per call field.

#include <QWidget>

namespace tarno {

class frmDriver;
class clsGriglia;

class PaginaCampi : public QWidget {
    Q_OBJECT

public:
    PaginaCampi(frmDriver& finestra, bool bEntranti, QWidget* parent);
    // Builds the grid and empties its table (the main window's load calls it once).
    void Inizializza();
    clsGriglia* mpGriglia = nullptr;  // grdEntranti or grdUscenti

private:
    frmDriver& mFinestra;
    bool mbEntranti;
};

}  // namespace tarno
