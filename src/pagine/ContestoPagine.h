#pragma once
// What the pages and dialogs of a driver get from the window that shows them: the document
// being edited (the driver, the tables behind the grids, the conversions of the Trasformazioni
// page), the catalogue's format lists, the sample view the user marks fields in, and a way to
// mark the document changed. The main window is one; a page never needs to know which.

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "TabellaValori.h"
#include "clsDriver.h"

class QString;
class QTextDocument;
class QTextEdit;

namespace tarno {

class clsDropDown;
class PaginaCampi;
class PaginaIdentificazione;
class PaginaTrasformazioni;

class ContestoPagine {
  public:
    virtual ~ContestoPagine() = default;

    // Marks the document changed (true) or saved (false).
    virtual void Cambiato(bool bFlag) = 0;
    // The view of the sample printout: its selection is what a marking takes.
    virtual QTextEdit* VistaCampione() const = 0;
    // The sample printout as loaded, for choosing a piece of it: the view's text, or the sample
    // itself while the view shows something else (the engine's log).
    virtual const QTextDocument* DocumentoCampione() const = 0;
    // A passing message for the user (the window shows it in its status bar).
    virtual void Segnala(const QString& /*sTesto*/) {}
    // Whether a field may be marked on the sample view now; false after telling the user why.
    virtual bool MarcaturaPossibile() { return true; }
    // On how many lines of the sample a condition holds, and of how many, tested as the engine
    // tests it (the condition's line number is not looked at); {0, 0} without a sample.
    virtual std::pair<size_t, size_t> RigheConCondizione(const clsCondizione& /*c*/) const {
        return {0, 0};
    }
    // Of the calls the sample holds as the driver now reads it, on how many a condition holds
    // on the call's line the condition names, and of how many; {0, 0} when there is none.
    virtual std::pair<size_t, size_t> ChiamateConCondizione(const clsCondizione& /*c*/) const {
        return {0, 0};
    }
    // The catalogue's formats (their codes, in the list's order) that read as a date (bData)
    // or as a time the field iCampo (its index on the incoming or outgoing page) of every
    // complete call of that kind the sample holds, as the engine cuts it out with the driver
    // the pages now hold; none when the sample holds no such call.
    virtual std::vector<int16_t> FormatiCheLeggono(bool /*bEntranti*/, int /*iCampo*/,
                                                   bool /*bData*/) const {
        return {};
    }

    // The driver being edited (none before the first New or Open).
    std::unique_ptr<clsDriver> moDriver;
    // The tables behind the grids of the pages.
    TabellaValori mrgxEntranti, mrgxUscenti;
    TabellaValori mrgxIdent, mrgxTrasf;
    // The catalogue's format lists, and the drop-downs that show them in the grids.
    TabellaValori mrgxFormatiData, mrgxFormatiOra, mrgxFormatiNessuno;
    clsDropDown* drpFormatiData = nullptr;
    clsDropDown* drpFormatiOra = nullptr;
    clsDropDown* drpFormatiNessuno = nullptr;
    // The duration and pulse conversions chosen on the Trasformazioni page.
    int16_t miFrazioneDurata = -1;
    int16_t miUnitaDurata = -1;
    int32_t mlConversioneDurata = 0;
    int32_t mlDividereScatti = 1;

    // The pages (they build their own controls: grdIdent, grdTrasf, grdEntranti, grdUscenti).
    PaginaIdentificazione* mpPagIdent = nullptr;
    PaginaTrasformazioni* mpPagTrasf = nullptr;
    PaginaCampi* mpPagEntranti = nullptr;
    PaginaCampi* mpPagUscenti = nullptr;
};

}  // namespace tarno
