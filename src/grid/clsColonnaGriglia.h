#pragma once
// The settings of one grid column. Column i of a grid shows column i of its value table.

#include <QPointer>
#include <QString>

#include "grid/clsDropDown.h"
#include "grid/clsListaValori.h"

namespace tarno {

class clsColonnaGriglia {
  public:
    QString msTitolo;
    int miLarghezza = -1;     // pixels; -1 leaves the width as it is
    double mdFrazione = 0.0;  // > 0: this fraction of the grid's width (wins over miLarghezza)
    bool mbVisibile = true;
    bool mbSolaLettura = false;
    bool mbPulsante = false;  // a cell button at the right of each cell
    clsListaValori moLista;
    QPointer<clsDropDown> mpDropDown;
};

}  // namespace tarno
