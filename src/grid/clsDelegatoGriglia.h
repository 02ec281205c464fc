#pragma once
// The item delegate of a grid: a line edit for free text, a combo list for value lists shown as
// combos and for drop-downs (the stored code kept as item data, the text shown), a cell button
// drawn at the right of the cells of a button column. It hands every key typed into an editor
// to the grid's key event first and handles Enter (commit), Escape (cancel) and Tab (commit
// and move) itself, so that refused input keeps the editor open.

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
    // Whether the open editor's input would be accepted; the reason in psErrore when not.
    bool Verifica(QString* psErrore) const;

  protected:
    bool eventFilter(QObject* object, QEvent* event) override;

  private:
    clsGriglia* mpGriglia;
    mutable QPointer<QWidget> mpEditor;
    mutable QPersistentModelIndex mIndiceEditor;
};

}  // namespace tarno
