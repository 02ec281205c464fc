#pragma once
// The live preview: a summary line over a table with a row per call and per line no call took,
// from the engine's reading of the sample with the driver as the window holds it. The same
// reading is drawn over the sample view with extra selections (the document's text and
// formats stay as they are): each field of each call in its field's colour, the lines no call
// took in grey, and in a driver of separated fields the fields of each line in two tints by
// turns. A click on a row selects its lines in the sample view.

#include <QColor>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "analisi/GruppiErrori.h"
#include "analisi/clsLetturaCampione.h"
#include "engine/clsAnalizzatore.h"
#include "model/clsDriver.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QTableView;
class QTableWidget;
class QTextCursor;
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

    // From an edit to the refresh: edits closer together than this are read once.
    static constexpr int PAUSA_AGGIORNAMENTO_MS = 80;

    // Reads the sample bytes (as loaded, Windows-1252) with the driver. With a view (which shows
    // those bytes) the result is drawn over it; without one (the view shows something else)
    // the view's drawing is removed. With the RigheMotore switch on, the view is given the
    // lines as the engine reads them (one a line, see ModelloAnteprima::RigheLette) and the
    // result is drawn over those: positions marked there are the engine's.
    // pSenzaFormato: the date and time fields driver is without for want of a format, each a
    // group of failures of its own.
    struct SenzaFormato {
        clsDriver driver;  // holds those fields, with any format: their values are cut with it
        std::vector<std::pair<bool, std::string>> vCampi;  // (incoming, field name)
    };
    void Aggiorna(const clsDriver& driver, const MappaFormati& formati, std::string_view sByte,
                  QTextEdit* vista, const ColoreCampo& colore,
                  const std::vector<QString>& vEsclusi = {},
                  const SenzaFormato* pSenzaFormato = nullptr);

    // What the sample holds at a position and length (from 1) of the lines as the engine
    // reads them (clsLetturaCampione::Colonna).
    using TestoColonna = clsLetturaCampione::TestoColonna;
    std::vector<TestoColonna> Colonna(int iPosizione, int iLunghezza) const;

    ModelloAnteprima* Modello() const { return mpModello; }
    // The switch that shows the lines as the engine reads them in the view.
    QCheckBox* RigheMotore() const { return mpRigheMotore; }
    // The texts at the sample view's selection (within a line) across the sample's lines: in
    // a driver of separated fields, those of the field (or part of it) under the selection.
    QTableWidget* TabellaColonna() const { return mpColonna; }
    // The kind of call the technician marks a text of the column table as (column COL_TIPO).
    enum TipoValore : int {
        VALORE_NON_DETTO = 0,
        VALORE_ENTRANTE,
        VALORE_USCENTE,
        VALORE_ENTRANTE_TRASFERITA,
        VALORE_USCENTE_TRASFERITA,
        VALORE_NON_CHIAMATA,
    };
    enum ColonnaTesti : int {
        COL_TESTO,
        COL_RIGHE,
        COL_ENTRANTI,
        COL_USCENTI,
        COL_TIPO,
        COL_CAMPI,
        COL_ESEMPIO,
        NUM_COL_TESTI
    };
    // The texts the column table shows, its position and length, and the kind marked on row r.
    const std::vector<TestoColonna>& TestiColonna() const { return mvTesti; }
    std::pair<int, int> PosizioneColonna() const { return {miPosizione, miLunghezza}; }
    int TipoMarcato(int r) const;
    void MarcaTipo(int r, int enTipo);
    // "Scrivi le condizioni": CondizioniDaColonna follows.
    QPushButton* PulsanteCondizioni() const { return mpCondizioni; }
    QTableView* Tabella() const { return mpTabella; }
    QLabel* Sommario() const { return mpSommario; }
    // The failures grouped by field and reason (GruppiErrori), one row each, above the table;
    // each row's button offers the group's fixes (its menu) and applies the first (its click).
    QTableWidget* TabellaGruppi() const { return mpGruppi; }
    const std::vector<GruppoErrori>& Gruppi() const { return mvGruppi; }
    // The switch that shows only the calls with failures (and the fields left out).
    QCheckBox* SoloErrori() const { return mpSoloErrori; }
    // Asks for fix iCorrezione of group iGruppo, as its menu does.
    void RichiediCorrezione(size_t iGruppo, size_t iCorrezione);
    // A group's text ("Durata: vuoto in 2 chiamate entranti") and a fix's.
    static QString TestoGruppo(const GruppoErrori& g);
    static QString TestoCorrezione(const Correzione& c);
    // The prescanning entries proposed for the sample, a line and a button each
    // (cmdProponi + the entry's name); hidden when there is none.
    QWidget* Proposte() const { return mpProposte; }

    // Where each block of a view of the sample's bytes starts in them: the view splits plain
    // text at CR LF, LF and CR (a form feed or a record separator stays inside its block).
    static std::vector<uint64_t> InizioBlocchi(std::string_view sByte);

  signals:
    // The lines of a row were selected in the view (a click, Enter, or the arrows in the table).
    void RigheSelezionate();
    // A fix of a group was chosen: the window applies it to the document as one step.
    void CorrezioneRichiesta(const tarno::GruppoErrori& gruppo, const tarno::Correzione& c);
    // The technician asks for the conditions of the kinds marked in the column table.
    void CondizioniDaColonna();
    // A proposed prescanning entry was accepted: the driver is to hold it with that value
    // (Windows-1252 texts).
    void VocePrescanningAccettata(const std::string& sVoce, const std::string& sValore);

  protected:
    bool eventFilter(QObject* obj, QEvent* ev) override;

  private:
    void SelezionaRighe(const QModelIndex& indice);
    void LarghezzeColonne();
    // The column table for the view's selection; hidden when nothing on one line is selected.
    void MostraColonna();
    void MostraGruppi(const clsDriver& driver, const MappaFormati& formati, std::string_view sByte,
                      const SenzaFormato* pSenzaFormato);
    void FiltraRighe();
    // The proposals of the last reading of the sample (its bytes).
    void MostraProposte(std::string_view sByte);

    ModelloAnteprima* mpModello;
    QLabel* mpSommario;
    QWidget* mpProposte;
    QTableView* mpTabella;
    QCheckBox* mpRigheMotore;
    QLabel* mpTitoloColonna;
    QTableWidget* mpColonna;
    QCheckBox* mpSoloErrori;
    QTableWidget* mpGruppi;
    std::vector<GruppoErrori> mvGruppi;
    QPushButton* mpCondizioni;
    std::vector<TestoColonna> mvTesti;
    int miPosizione = 0, miLunghezza = 0;
    // The kinds marked, by text, while the column stays the same.
    std::map<std::string, int> mmTipi;
    QPointer<QTextEdit> mpVista;
    // The view's place of a character of the reading: with the lines as the engine reads them,
    // block iRiga (an index of the reading's lines) and column iCarattere; otherwise the
    // block and column of the byte the character came from. -1 when the view has none.
    int Posizione(size_t iRiga, size_t iCarattere) const;
    // The view's place of a byte of the sample (bytes shown as loaded).
    int PosizioneByte(uint64_t iByte) const;
    // The characters iDa to iA (excluded) of line iRiga of the reading, in the view.
    QTextCursor Tratto(size_t iRiga, size_t iDa, size_t iA) const;

    bool mbRigheMotore = false;  // the view shows the lines as the engine reads them
    bool mbRipristino = false;   // the selected row is being put back after a refresh
    // The width of each column the table has shown, by caption.
    std::map<QString, int> mmLarghezze;
    // Where each block of the view starts in the sample's bytes (bytes shown as loaded).
    std::vector<uint64_t> mvBlocchi;
    // The first and last index in the reading's lines of each line of the sample (from 1).
    std::vector<std::pair<size_t, size_t>> mvIndici;
};

}  // namespace tarno
