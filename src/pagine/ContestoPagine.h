#pragma once
// What the pages and dialogs of a driver get from the window that shows them besides the
// document: the sample services and the catalogue's format lists with their drop-downs.

#include <optional>
#include <string>

#include "model/TabellaValori.h"
#include "pagine/ServiziCampione.h"

class QString;
class QWidget;

namespace tarno {

class clsDropDown;

class ContestoPagine : public ServiziCampione {
  public:
    // The catalogue's format lists, and the drop-downs that show them in the grids.
    TabellaValori mrgxFormatiData, mrgxFormatiOra, mrgxFormatiNessuno;
    clsDropDown* drpFormatiData = nullptr;
    clsDropDown* drpFormatiOra = nullptr;
    clsDropDown* drpFormatiNessuno = nullptr;

    // A format text typed in a Formato cell that the lists lack: after the user agrees, added
    // to the catalogue's date formats (bData true), time formats (false) or those its letters
    // tell (nullopt), with a new code; the lists above are loaded again and every grid offers
    // it. Its code as the cell stores it; nullopt when it is not added, with the reason in
    // psErrore (a text that is no format, a catalogue that cannot be written, the user's no).
    virtual std::optional<std::string> AggiungiFormato(QWidget* /*pPadre*/,
                                                       std::optional<bool> /*bData*/,
                                                       const QString& /*sTesto*/,
                                                       QString* /*psErrore*/) {
        return std::nullopt;
    }
};

}  // namespace tarno
