#pragma once
// The item delegate of a grid: a line edit for free text, a combo list for value lists shown as
// combos and for drop-downs (the stored code kept as item data, the text shown), a cell button
// drawn at the right of the cells of a button column. It hands every key typed into an editor
// to the grid's key event first and handles Enter (commit), Escape (cancel) and Tab (commit
// and move) itself, so that refused input keeps the editor open. Every other change of an
// editor's text (pasting by keys, context menu or mouse, cutting, a drop) reaches the grid's key
// event as the typing that would make it, and is undone when the key would be discarded.
//
// A refusal is told once: the input refused by Enter, Tab or a failed commit is not reported
// again when the editor loses the focus (to the message box that tells it, or to another cell,
// which then keeps its value); while another window takes the focus the editor stays open.

#include <QPersistentModelIndex>
#include <QPointer>
#include <QStyledItemDelegate>

namespace tarno {

class clsGriglia;

class clsDelegatoGriglia : public QStyledItemDelegate {
    Q_OBJECT
  public:
    explicit clsDelegatoGriglia(clsGriglia* pGriglia);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void destroyEditor(QWidget* editor, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

    // The editor open now (nullptr when none) and its cell.
    QWidget* EditorAperto() const { return mpEditor; }
    QModelIndex IndiceEditor() const { return mIndiceEditor; }
    // Whether the open editor's input would be accepted; the reason in psErrore when not, and
    // the refusal then counts as told.
    bool Verifica(QString* psErrore) const;
    // Whether the text of the open editor may change into vsTesto: the change goes to the
    // grid's key event as the key that would type it (its new characters, or Backspace).
    bool ModificaAmmessa(const QString& vsTesto) const;

  protected:
    bool eventFilter(QObject* object, QEvent* event) override;

  private:
    void SetEditorData(QWidget* editor, const QModelIndex& index) const;
    bool VerificaEditore(QWidget* editor, QString* psErrore) const;
    // The input of an editor as the checks see it.
    static QString TestoEditore(const QWidget* editor);
    // The refused input told to the user, for the open editor.
    bool RifiutoDetto(const QWidget* editor) const;

    clsGriglia* mpGriglia;
    mutable QPointer<QWidget> mpEditor;
    mutable QPersistentModelIndex mIndiceEditor;
    mutable bool mbRifiutato = false;
    mutable QString msRifiutato;
    // The editor's text as last accepted; while the program fills the editor every text is.
    mutable QString msAccettato;
    mutable bool mbCaricamento = false;
};

}  // namespace tarno
