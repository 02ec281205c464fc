#pragma once
// The live preview: a summary line over a table with a row per call and per line no call took,
// from the engine's reading of the sample with the driver as the window holds it. The same
// reading is drawn over the sample view with extra selections (the document's text and
// formats stay as they are): each field of each call in its field's colour, the lines no call
// took in grey. A click on a row selects its lines in the sample view.

#include <QColor>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "clsAnalizzatore.h"

class QLabel;
class QTableView;
class QTextEdit;

namespace tarno {

class ModelloAnteprima;

class PannelloAnteprima : public QWidget {
    Q_OBJECT

  public:
    // The colour of a field's box (incoming or outgoing page); an invalid colour leaves the
    // field uncoloured.
    using ColoreCampo = std::function<QColor(bool bEntrante, const std::string& sNome)>;

    explicit PannelloAnteprima(QWidget* parent = nullptr);

    // Reads the sample bytes (as loaded, Windows-1252) with the driver. With a view (which shows
    // those bytes) the result is drawn over it; without one (the view shows something else)
    // the view's drawing is removed.
    void Aggiorna(const clsDriver& driver, const MappaFormati& formati, std::string_view sByte,
                  QTextEdit* vista, const ColoreCampo& colore,
                  const std::vector<QString>& vEsclusi = {});

    ModelloAnteprima* Modello() const { return mpModello; }
    QTableView* Tabella() const { return mpTabella; }
    QLabel* Sommario() const { return mpSommario; }

    // Where each line of the sample (from 1) starts in a view of those bytes: block and column.
    // Line ends as the engine reads them (CR LF, LF, CR); a form feed after text starts a line
    // inside the view's block.
    static std::vector<std::pair<int, int>> InizioRighe(std::string_view sByte);

  private:
    void SelezionaRighe(const QModelIndex& indice);
    void LarghezzeColonne();

    ModelloAnteprima* mpModello;
    QLabel* mpSommario;
    QTableView* mpTabella;
    QPointer<QTextEdit> mpVista;
    std::vector<std::pair<int, int>> mvInizi;
};

}  // namespace tarno
