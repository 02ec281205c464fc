#pragma once
// The table model of a grid: a view of a value table that someone else owns (rows x columns of
// Windows-1252 texts, "" = unset) plus the grid's column settings. Display and edit roles give
// the text shown (a value list translates stored values); RuoloValore gives the stored value.
// Text typed by the user is checked here: a character that Windows-1252 cannot hold, or a
// value outside a restricting value list, is refused with a message (signal TestoRifiutato).
//
// The model keeps the table's shape as it was at the last binding; after the owner replaced,
// re-dimensioned or rewrote the table, RiAssocia or Aggiorna tell the views.

#include <QAbstractTableModel>
#include <optional>
#include <string>
#include <vector>

#include "grid/clsColonnaGriglia.h"
#include "model/TabellaValori.h"

namespace tarno {

class clsModelloGriglia : public QAbstractTableModel {
    Q_OBJECT
  public:
    // The stored value of a cell (UTF-8 text of the table's Windows-1252 bytes).
    static constexpr int RuoloValore = Qt::UserRole + 1;

    explicit clsModelloGriglia(QObject* pGenitore = nullptr);

    void Associa(TabellaValori* prgx);
    TabellaValori* Tabella() const { return mpTabella; }
    // The table was replaced or re-dimensioned.
    void RiAssocia();
    // The program wrote cells: every cell is shown again (a changed shape rebinds).
    void Aggiorna();

    // An empty last row through which the user appends rows.
    void ImpostaRigaInserimento(bool vb);
    bool RigaInserimento() const { return mbRigaInserimento; }
    // Rows of the table (without the entry row).
    int RigheDati() const { return miRighe; }
    bool EInserimento(int r) const { return mbRigaInserimento && mpTabella && r == miRighe; }

    // Columns. With no column defined, the grid shows the table's columns with default
    // settings; once defined, exactly the defined columns.
    void EliminaColonne();
    int AggiungiColonna(const QString& vsTitolo);
    int ColonneDefinite() const { return static_cast<int>(mvColonne.size()); }
    // nullptr for a column that is not defined.
    clsColonnaGriglia* Colonna(int c);
    const clsColonnaGriglia* Colonna(int c) const;
    // Column c's settings changed: its header and cells are shown again.
    void ColonnaCambiata(int c);

    // The text shown for a stored value in column c.
    QString TestoDi(int c, const std::string& sValore) const;
    // The value that text typed by the user stores in column c; nullopt when refused, with the
    // message in psErrore.
    std::optional<std::string> ValoreDaTesto(int c, const QString& vsTesto,
                                             QString* psErrore = nullptr) const;
    // A stored value chosen from a list (UTF-8) checked as ValoreDaTesto does.
    std::optional<std::string> ValoreDaScelta(int c, const QString& vsValore,
                                              QString* psErrore = nullptr) const;
    // True while a column's mfnValoreNuovo runs (it may ask the user): the editor that lost
    // the focus to its question stays open meanwhile.
    bool NuovoValoreInCorso() const { return mbNuovoInCorso; }
    // Writes a value as the user's edit: the entry row turns into a new table row, and a real
    // change is reported by CellaModificata. False when the cell cannot be edited.
    bool ScriviValore(int r, int c, const std::string& vsValore);

    // Inserts an empty table row before row r (r == RigheDati() appends).
    bool InserisciRiga(int r);
    bool EliminaRiga(int r);
    // The cell exists in the table and its column is not read-only.
    bool Modificabile(int r, int c) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

  signals:
    void CellaModificata(int riga, int colonna);
    void RigaAggiunta(int riga);
    void TestoRifiutato(const QString& sMessaggio);

  private:
    const std::string* CellaTabella(int r, int c) const;
    QString TitoloPerMessaggio(int c) const;
    // The refusal of vsTesto in column c, with what the column takes.
    QString MessaggioNonAmmesso(int c, const QString& vsTesto) const;
    void LeggiForma();
    // The table still has the shape the views know.
    bool FormaCoerente() const;

    TabellaValori* mpTabella = nullptr;
    std::vector<clsColonnaGriglia> mvColonne;
    bool mbRigaInserimento = false;
    int miRighe = 0;    // table rows at the last binding
    int miColonne = 0;  // table columns at the last binding
    mutable bool mbNuovoInCorso = false;
};

}  // namespace tarno
