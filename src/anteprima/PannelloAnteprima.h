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

class QCheckBox;
class QLabel;
class QTableView;
class QTableWidget;
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
    // the view's drawing is removed. With the RigheMotore switch on, the view is given the
    // lines as the engine reads them (one a line, see ModelloAnteprima::RigheLette) and the
    // result is drawn over those: positions marked there are the engine's.
    void Aggiorna(const clsDriver& driver, const MappaFormati& formati, std::string_view sByte,
                  QTextEdit* vista, const ColoreCampo& colore,
                  const std::vector<QString>& vEsclusi = {});

    // What the sample holds at a line position and length (from 1): each distinct text once,
    // with the lines it is on and how many of them lie in incoming and in outgoing calls, the
    // most frequent first. Every line of the sample counts, but those that end before the
    // position; a text is cut shorter where its line ends.
    struct TestoColonna {
        std::string sTesto;
        size_t iRighe = 0, iEntranti = 0, iUscenti = 0;
    };
    std::vector<TestoColonna> Colonna(int iPosizione, int iLunghezza) const;

    ModelloAnteprima* Modello() const { return mpModello; }
    // The switch that shows the lines as the engine reads them in the view.
    QCheckBox* RigheMotore() const { return mpRigheMotore; }
    // The texts at the sample view's selection (within a line) across the sample's lines.
    QTableWidget* TabellaColonna() const { return mpColonna; }
    QTableView* Tabella() const { return mpTabella; }
    QLabel* Sommario() const { return mpSommario; }

    // Where each line of the sample (from 1) starts in a view of those bytes: block and column.
    // Line ends as the engine reads them (CR LF, LF, CR); a form feed after text starts a line
    // inside the view's block.
    static std::vector<std::pair<int, int>> InizioRighe(std::string_view sByte);

  signals:
    // The lines of a row were selected in the view (a click, Enter, or the arrows in the table).
    void RigheSelezionate();

  private:
    void SelezionaRighe(const QModelIndex& indice);
    void LarghezzeColonne();
    // The column table for the view's selection; hidden when nothing on one line is selected.
    void MostraColonna();

    ModelloAnteprima* mpModello;
    QLabel* mpSommario;
    QTableView* mpTabella;
    QCheckBox* mpRigheMotore;
    QLabel* mpTitoloColonna;
    QTableWidget* mpColonna;
    QPointer<QTextEdit> mpVista;
    // Where each line of the sample (from 1) starts in the view: block and column (block -1
    // for a line the view does not show).
    std::vector<std::pair<int, int>> mvInizi;
    bool mbRigheMotore = false;  // the view shows the lines as the engine reads them
    std::string msByte;          // the sample last read
    // For each line of the sample (from 0): 'E' in an incoming call, 'U' in an outgoing one.
    std::vector<char> mvTipoRiga;
};

}  // namespace tarno
