#pragma once
// The settings of one grid column. Column i of a grid shows column i of its value table.

#include <QPointer>
#include <QString>
#include <functional>
#include <optional>
#include <string>

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
    // Typed text that a restricting list and the drop-down lack goes here before it is
    // refused: the value it stores, or nullopt with the reason ("" for the usual refusal).
    std::function<std::optional<std::string>(const QString&, QString*)> mfnValoreNuovo;
};

}  // namespace tarno
