#pragma once
// What the pages and dialogs of a driver get from the window that shows them besides the
// document: the sample services and the catalogue's format lists with their drop-downs.

#include "model/TabellaValori.h"
#include "pagine/ServiziCampione.h"

namespace tarno {

class clsDropDown;

class ContestoPagine : public ServiziCampione {
  public:
    // The catalogue's format lists, and the drop-downs that show them in the grids.
    TabellaValori mrgxFormatiData, mrgxFormatiOra, mrgxFormatiNessuno;
    clsDropDown* drpFormatiData = nullptr;
    clsDropDown* drpFormatiOra = nullptr;
    clsDropDown* drpFormatiNessuno = nullptr;
};

}  // namespace tarno
