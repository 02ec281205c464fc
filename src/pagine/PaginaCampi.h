#pragma once
// An "Entranti" or "Uscenti" page of the main window: one row per call field. On the left a
// check box per field (chkCampoEnt_<i> or chkCampoUsc_<i>, in the field's marking colour), on the
// right the grid grdEntranti or grdUscenti bound to the document's mrgxEntranti or mrgxUscenti:
// Riga, Posiz., Lung., Allin., Formato, Opz., Cifre (only the digits of a text field). Header
// buttons stand above both inside the view port vprtEntranti or vprtUscenti, which scrolls boxes
// and rows together. A button copies the other page's definitions into this one (cmdCopyOutgoing on
// the incoming page, cmdCopyFromIncoming on the outgoing page).
//
// The user marks a field by selecting its characters in the window's sample view and clicking
// (or pressing Space on) the field's box, or pressing Ctrl+M on the field's grid row: the row
// takes the selection's line 1, column and length. The boxes act as push buttons and are never
// left ticked.

#include <QWidget>
#include <string>
#include <vector>

#include "grid/clsListaValori.h"
#include "tabelle/LayoutTabelle.h"

class QCheckBox;
class QPushButton;
class QScrollArea;
class QKeyEvent;

namespace tarno {

class ContestoPagine;
struct PosizioneCampo;
class DocumentoDriver;
class clsGriglia;
class TabellaValori;

class PaginaCampi : public QWidget {
    Q_OBJECT

  public:
    // Check boxes and grid rows are 300 twips high.
    static constexpr int ALTEZZA_RIGA_TWIP = 300;

    PaginaCampi(DocumentoDriver& doc, ContestoPagine& contesto, bool bEntranti, QWidget* parent);

    // Builds the grid's columns (the format list from the window's format tables, which must
    // be loaded), empties the page's table and binds it. The main window's load calls it once.
    void Inizializza();

    // The Formato column's list again from the window's format tables (formats added to the
    // catalogue), the table as it is.
    void AggiornaListaFormati();

    // Time-field rule: of Ora inizio, Ora fine and Durata at most two may be defined. Clears
    // Opz. of those not defined; with exactly two defined the third one's box is disabled,
    // otherwise all three are enabled. Runs after every marking and committed edit; the
    // transfer from the driver runs it after filling the table.
    void ControllaCampiOra();

    // Isolated-date rule, for the transformation page: while the date stands on a line of its
    // own (true) the "Data" box is disabled and columns Allin., Formato and Opz. offer no lists;
    // false enables the box again and gives the lists back (Formato with the date formats on
    // the "Data" row).
    void ImpostaDataIsolata(bool bIsolata);

    // Marking: the click of box i (Space on a focused box clicks it too). In a driver of
    // separated fields the row takes the field under the selection: its number in Posiz., and
    // the length (0: all of it) and start inside it (kept by the driver's field).
    void chkCampo_Click(int i);
    // A driver of separated fields (true) or of fixed columns: Posiz. is called "Campo" and
    // takes field numbers from the end (negative) too, Lung. takes 0 (all of the field); or
    // "Posiz." with columns and lengths from 1.
    void ImpostaCampiSeparati(bool bSeparati);
    // Copies the other page's definitions into this page: every non-empty cell overwrites the
    // matching cell here (rows 0 to 8 map to themselves, incoming 10 to 13 to outgoing 9 to 12
    // and back; Durata squillo is never copied). cmdCopyOutgoing_Click belongs to the incoming
    // page, cmdCopyFromIncoming_Click to the outgoing one; each copies into its own page.
    void cmdCopyOutgoing_Click();
    void cmdCopyFromIncoming_Click();

    // The format list of the field grids: empty -> 0, every date format (row 0 of a format
    // table is reserved) -> its code, "Nessuno" -> the number of rows of the date table, every
    // time format -> its code.
    // The code the format list gives "Nessuno": never one a format holds.
    static int CodiceNessuno(const TabellaValori& vrgxData, const TabellaValori& vrgxOra);
    static clsListaValori ListaFormati(const TabellaValori& vrgxData, const TabellaValori& vrgxOra);

    bool Entranti() const { return mbEntranti; }
    int Righe() const { return static_cast<int>(mvchkCampo.size()); }
    QCheckBox* chkCampo(int i) const;
    TabellaValori& Tabella() const;

    clsGriglia* mpGriglia = nullptr;           // grdEntranti or grdUscenti
    QScrollArea* mpViewPort = nullptr;         // vprtEntranti or vprtUscenti
    QPushButton* mpCmdCopia = nullptr;         // cmdCopyOutgoing or cmdCopyFromIncoming
    std::vector<QPushButton*> mvIntestazioni;  // "Campi", "Riga", ..., "Opz."

  protected:
    bool eventFilter(QObject* obj, QEvent* ev) override;

  private:
    void CopiaDallAltraPagina();
    // The editors of a row: lists and drop-downs as its box and its field allow.
    void ImpostaEditoriRiga(int r);
    void grdCampi_RowColChange(int riga);
    void grdCampi_DropDownApertura(int colonna);
    void grdCampi_KeyPress(QKeyEvent* pEvento, bool* pbScarta);
    void grdCampi_Change(int riga, int colonna);
    void vprtCampi_Scroll(int valore);
    void AdattaAltezzaContenuto();
    void MostraRiga(int r);
    bool RigaDefinita(int r) const;
    // Why cell (r, c) offers no choice ("" when it does); SpiegaCella tells it for the current
    // cell in the status bar and the grid's tooltip.
    QString PercheNonDisponibile(int r, int c) const;
    void SpiegaCella();
    void PosizioneNelCampo(int i, const PosizioneCampo& campo);

    DocumentoDriver& mDoc;
    ContestoPagine& mContesto;
    bool mbEntranti;
    std::vector<QCheckBox*> mvchkCampo;
    QWidget* mpContenuto = nullptr;     // boxes and grid, scrolled by the view port
    QWidget* mpIntestazione = nullptr;  // the header buttons, kept on top of the visible part
    int miAltezzaRiga = 20;
    int miAltezzaContenuto = 0;
    clsListaValori moListaAllin, moListaOpz;
};

}  // namespace tarno
