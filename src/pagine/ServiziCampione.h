#pragma once
// The services of the sample printout that the pages and dialogs use: the sample view the user
// marks fields in, the sample's text, and what the driver the pages now hold reads in it. The
// main window gives them; a page never needs to know which window.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "engine/clsAnalizzatore.h"
#include "model/clsCondizione.h"

class QString;
class QTextDocument;
class QTextEdit;

namespace tarno {

class ServiziCampione {
  public:
    virtual ~ServiziCampione() = default;

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
    // The field iCampo as the engine cuts it out, with the driver the pages now hold, on every
    // complete call of that kind the sample holds (Windows-1252 texts); none without a sample.
    virtual std::vector<std::string> TagliDelCampo(bool /*bEntranti*/, int /*iCampo*/) const {
        return {};
    }
    // How the driver the pages now hold cuts a line into fields; nullopt for fixed columns.
    virtual std::optional<Separazione> SeparazioneCampi() const { return std::nullopt; }
    // Which line (from 1) of a call of that kind the sample view's selection starts on, as the
    // driver the pages now hold reads the sample; 0 when it lies in no such call.
    virtual int RigaNellaChiamata(bool /*bEntranti*/) const { return 0; }
};

}  // namespace tarno
