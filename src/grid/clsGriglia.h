#pragma once
// The editor's grid: a QTableView bound to a value table that its owner keeps (rows x columns of
// Windows-1252 texts, "" = unset). Per column: caption, width in pixels or as a fraction of the
// grid's width, visibility, read-only, a value list (translation of stored values into texts,
// input restricted to the list, combo list), a drop-down offering another table's rows, a cell
// button. Per grid: row height, an optional empty entry row through which the user appends
// rows, optional deletion of rows by the user, the current cell.
//
// Mouse: a double click (or a click on the current cell) starts editing and opens a combo
// list's list. Keyboard: typing or F2 starts editing, Enter commits, Escape cancels, Tab commits
// and moves to the next cell; Tab at the last cell (Shift+Tab at the first) leaves the grid.
// Several cells are selected as in a spreadsheet (Shift+arrows, Shift+click, Ctrl+click;
// Shift+Space the whole row). Delete empties the selected cells; with row deletion on,
// Ctrl+Delete (or Delete on a row selected by its row header) deletes the row, without it
// Ctrl+Delete empties the current row. F4 or Alt+Down presses the cell button of a button column.
// Ctrl+C, Ctrl+X and Ctrl+V copy, cut and paste the selected block as text, one line per row and
// a TAB between cells; what is pasted or emptied goes past the same checks as typing it. The
// context menu offers the same commands and "Svuota riga".
//
// Text that Windows-1252 cannot hold, or a value outside a restricting value list, is refused:
// the cell keeps its value and TestoRifiutato carries the message that the owner shows.

#include <QTableView>
#include <memory>
#include <vector>

#include "grid/clsColonnaGriglia.h"
#include "grid/clsDelegatoGriglia.h"
#include "grid/clsDropDown.h"
#include "grid/clsListaValori.h"
#include "grid/clsModelloGriglia.h"
#include "model/TabellaValori.h"

namespace tarno {

class clsGriglia : public QTableView {
    Q_OBJECT
  public:
    explicit clsGriglia(QWidget* pGenitore = nullptr);
    ~clsGriglia() override;

    // 15 twips are one pixel.
    static int PixelDaTwip(int viTwip);

    // Binding. The table stays the owner's; Associa(nullptr) unbinds.
    void Associa(TabellaValori* prgx);
    TabellaValori* Tabella() const;
    // After the table was replaced or re-dimensioned.
    void RiAssocia();
    // After the program wrote cells.
    void Aggiorna();

    // Columns. The setters return false for a column that is not defined.
    void EliminaColonne();
    int AggiungiColonna(const QString& vsTitolo = QString());
    int Colonne() const;
    const clsColonnaGriglia* Colonna(int c) const;
    bool ImpostaTitolo(int c, const QString& vsTitolo);
    bool ImpostaLarghezza(int c, int viPixel);
    bool ImpostaLarghezzaFrazione(int c, double vdFrazione);
    bool ImpostaVisibile(int c, bool vb);
    bool ImpostaSolaLettura(int c, bool vb);
    bool ImpostaListaValori(int c, const clsListaValori& voLista);
    // nullptr removes the drop-down.
    bool ImpostaDropDown(int c, clsDropDown* pDropDown);
    bool ImpostaPulsante(int c, bool vb);
    // What typed text outside the column's restricting list may still store (see
    // clsColonnaGriglia::mfnValoreNuovo); an empty function removes it.
    bool ImpostaValoreNuovo(int c,
                            std::function<std::optional<std::string>(const QString&, QString*)> fn);

    // Rows.
    void ImpostaAltezzaRiga(int viPixel);
    int AltezzaRiga() const;
    void ImpostaRigaInserimento(bool vb);
    bool RigaInserimento() const;
    void ImpostaEliminazioneRighe(bool vb);
    bool EliminazioneRighe() const { return mbEliminaRighe; }
    // Row headers (numbers, "*" on the entry row); a click on one selects its row.
    void ImpostaSelettoriRiga(bool vb);
    // An empty table row before row r (r == the number of rows appends).
    bool InserisciRiga(int r);
    // Deletes table row r (whether or not the user may delete rows); RigaEliminata follows.
    bool EliminaRiga(int r);

    // Current cell (-1 when none).
    int RigaCorrente() const;
    int ColonnaCorrente() const;
    void ImpostaRigaCorrente(int r);
    void ImpostaColonnaCorrente(int c);
    void ImpostaCellaCorrente(int r, int c);

    // Editing.
    bool InModifica() const;
    // Moves what the user is typing into the table. False, with the reason in psErrore, when
    // the input is refused; the editor then stays open, and the caller tells the user: the grid
    // does not report that same input again when the editor loses the focus. True when nothing
    // was being edited.
    bool ConfermaModifica(QString* psErrore = nullptr);
    void AnnullaModifica();

    // Where the cell button of a cell lies (viewport coordinates); empty when it has none.
    QRect RettangoloPulsante(int r, int c) const;
    bool HaPulsante(const QModelIndex& index) const;
    static QRect PulsanteInCella(const QRect& vCella);

    clsModelloGriglia* Modello() const { return mpModello.get(); }

    // The selected block (the current cell when nothing is selected) as text: one line per row,
    // a TAB between the cells of a row, hidden columns left out.
    QString TestoSelezione() const;
    // Clipboard commands on the selected block; false while a cell is being edited (the editor
    // has its own) or when there is nothing to act on.
    bool Copia();
    bool Taglia();
    // Pastes the clipboard's block with its top left corner at the selection's; a single value
    // fills every selected cell.
    bool Incolla();
    // Empties the selected cells (the current cell when nothing is selected), or row r.
    void SvuotaSelezione();
    void SvuotaRiga(int r);
    // Writes texts into cells as if the user typed each one in it: the owner's key rules
    // (TastoPremuto, with the cell current) and the column's checks apply; an empty text is
    // the Delete key. Read-only cells and refused texts are skipped, the first refusal is told
    // once (TestoRifiutato). One CelleCambiate follows when anything changed. The number of
    // cells changed.
    struct TestoCella {
        int iRiga;
        int iColonna;
        QString sTesto;
    };
    int ScriviCelle(const std::vector<TestoCella>& vCelle);
    // True while ScriviCelle writes: the CellaCambiata of each cell comes meanwhile, and the
    // owner may wait for the one CelleCambiate at the end.
    bool InScrittura() const { return mbScrittura; }
    // The context menu's commands (Taglia, Copia, Incolla, Svuota celle, Svuota riga), made for
    // the current cell; the caller owns the menu.
    QMenu* MenuCella();

  signals:
    // A cell's value changed through the user's input.
    void CellaCambiata(int riga, int colonna);
    // One user action (a paste, a multi-cell clear) changed cells; after their CellaCambiata.
    void CelleCambiate();
    // The user appended a row through the entry row.
    void RigaAggiunta(int riga);
    void RigaEliminata(int riga);
    void RigaCorrenteCambiata(int riga, int rigaPrecedente);
    void ColonnaCorrenteCambiata(int colonna, int colonnaPrecedente);
    // A key, before it reaches the cell or its editor; a handler sets *pbScarta to discard it.
    void TastoPremuto(QKeyEvent* pEvento, bool* pbScarta);
    // A cell button pressed; on the entry row riga is the number of table rows, and the
    // handler appends the row (InserisciRiga) if it fills anything in.
    void PulsantePremuto(int riga, int colonna);
    // The drop-down of a column is about to open (its cell editor is being made): a handler may
    // still change or remove the column's drop-down, but must not rebind the grid.
    void DropDownApertura(int colonna);
    void TestoRifiutato(const QString& sMessaggio);

  protected:
    using QTableView::edit;
    // Editing started by the mouse opens a combo list's list at once.
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    // Tab out of an editor opens the next cell's editor the way a delayed click does; this
    // tells the two apart, so that the keyboard never pops a list open.
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    bool focusNextPrevChild(bool next) override;
    QItemSelectionModel::SelectionFlags selectionCommand(
        const QModelIndex& index, const QEvent* event = nullptr) const override;

  private:
    friend class clsDelegatoGriglia;
    bool mbSpostamentoDaTastiera = false;

    // Emits TastoPremuto once per key; true when a handler discarded the key.
    bool SegnalaTasto(QKeyEvent* pEvento);
    void ApplicaColonne();
    void ApplicaLarghezze();
    void SegnalaCellaCorrente();
    void PrimaDelReset();
    void DopoIlReset();
    void SelettorePremuto(int r);
    bool PremiPulsante(const QModelIndex& index);
    // The current cell is the last one Tab reaches (bAvanti) or the first one.
    bool AlBordo(bool bAvanti);
    // The selected cells in row and column order (the current cell when none is selected).
    QModelIndexList CelleSelezionate() const;
    bool mbScrittura = false;
    bool mbCellaDalProgramma = false;

    std::unique_ptr<clsModelloGriglia> mpModello;
    std::unique_ptr<clsDelegatoGriglia> mpDelegato;
    bool mbEliminaRighe = false;
    bool mbTastoSegnalato = false;
    int miRigaSegnalata = -1;
    int miColonnaSegnalata = -1;
    int miRigaPrimaDelReset = -1;
    int miColonnaPrimaDelReset = -1;
};

}  // namespace tarno
