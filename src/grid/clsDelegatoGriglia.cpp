#include "grid/clsDelegatoGriglia.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QValidator>

#include "grid/clsGriglia.h"
#include "model/Testo.h"

namespace tarno {

namespace {

// Puts every change of an editor's text to the delegate, which undoes the ones typing could not
// make.
class ValidatoreDigitazione : public QValidator {
  public:
    ValidatoreDigitazione(const clsDelegatoGriglia* pDelegato, QObject* pGenitore)
        : QValidator(pGenitore), mpDelegato(pDelegato) {}
    State validate(QString& testo, int&) const override {
        return mpDelegato->ModificaAmmessa(testo) ? Acceptable : Invalid;
    }

  private:
    const clsDelegatoGriglia* mpDelegato;
};

}  // namespace

clsDelegatoGriglia::clsDelegatoGriglia(clsGriglia* pGriglia) : mpGriglia(pGriglia) {}

QWidget* clsDelegatoGriglia::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                          const QModelIndex& index) const {
    const int c = index.column();
    auto* modello = mpGriglia->Modello();
    const auto* col = modello->Colonna(c);
    QWidget* editor = nullptr;
    if (col && col->mpDropDown) {
        // The handler may choose another drop-down for this row, or none.
        emit mpGriglia->DropDownApertura(c);
        col = modello->Colonna(c);
    }
    if (col && col->mpDropDown) {
        auto* combo = new QComboBox(parent);
        combo->setObjectName(QStringLiteral("cboCellaGriglia"));
        combo->setToolTip(col->mpDropDown->Titolo());
        // Typed text stays as typed: no completion from the entries, so "hh:mm" never becomes
        // the longer "hh:mm:ss" that starts the same; a text no entry has is refused on Enter.
        combo->setEditable(true);
        combo->setCompleter(nullptr);
        combo->setInsertPolicy(QComboBox::NoInsert);
        for (const auto& voce : col->mpDropDown->Voci()) {
            combo->addItem(voce.msTesto,
                           voce.moValore
                               ? QVariant(QString::fromStdString(Cp1252InUtf8(*voce.moValore)))
                               : QVariant());
        }
        combo->lineEdit()->installEventFilter(const_cast<clsDelegatoGriglia*>(this));
        combo->setValidator(new ValidatoreDigitazione(this, combo));
        editor = combo;
    } else if (col && col->moLista.Combo() && !col->moLista.Vuota()) {
        auto* combo = new QComboBox(parent);
        combo->setObjectName(QStringLiteral("cboCellaGriglia"));
        for (const auto& voce : col->moLista.Voci())
            combo->addItem(voce.msTesto, QString::fromStdString(Cp1252InUtf8(voce.msValore)));
        if (col->moLista.Digitabile()) {
            combo->setEditable(true);
            combo->setCompleter(nullptr);
            combo->setInsertPolicy(QComboBox::NoInsert);
            combo->lineEdit()->installEventFilter(const_cast<clsDelegatoGriglia*>(this));
            combo->setValidator(new ValidatoreDigitazione(this, combo));
        }
        editor = combo;
    } else {
        auto* testo = new QLineEdit(parent);
        testo->setObjectName(QStringLiteral("txtCellaGriglia"));
        testo->setFrame(false);
        testo->setValidator(new ValidatoreDigitazione(this, testo));
        editor = testo;
    }
    mpEditor = editor;
    mIndiceEditor = index;
    mbRifiutato = false;
    msAccettato.clear();
    return editor;
}

void clsDelegatoGriglia::destroyEditor(QWidget* editor, const QModelIndex& index) const {
    if (editor == mpEditor) {
        mpEditor = nullptr;
        mIndiceEditor = QPersistentModelIndex();
        mbRifiutato = false;
    }
    QStyledItemDelegate::destroyEditor(editor, index);
}

QString clsDelegatoGriglia::TestoEditore(const QWidget* editor) {
    if (const auto* combo = qobject_cast<const QComboBox*>(editor)) return combo->currentText();
    if (const auto* testo = qobject_cast<const QLineEdit*>(editor)) return testo->text();
    return {};
}

bool clsDelegatoGriglia::RifiutoDetto(const QWidget* editor) const {
    return mbRifiutato && editor && editor == mpEditor && TestoEditore(editor) == msRifiutato;
}

bool clsDelegatoGriglia::ModificaAmmessa(const QString& vsTesto) const {
    if (mbCaricamento || vsTesto == msAccettato) {
        msAccettato = vsTesto;
        return true;
    }
    // What came in: the new text without the start and the end it shares with the old one.
    const QString& prima = msAccettato;
    const qsizetype nPrima = prima.size();
    const qsizetype nDopo = vsTesto.size();
    qsizetype inizio = 0;
    while (inizio < nPrima && inizio < nDopo && prima[inizio] == vsTesto[inizio]) ++inizio;
    qsizetype fine = 0;
    while (fine < nPrima - inizio && fine < nDopo - inizio &&
           prima[nPrima - 1 - fine] == vsTesto[nDopo - 1 - fine])
        ++fine;
    const QString entrati = vsTesto.mid(inizio, nDopo - inizio - fine);
    QKeyEvent tasto(QEvent::KeyPress, entrati.isEmpty() ? Qt::Key_Backspace : Qt::Key_unknown,
                    Qt::NoModifier, entrati);
    if (mpGriglia->SegnalaTasto(&tasto)) return false;
    msAccettato = vsTesto;
    return true;
}

void clsDelegatoGriglia::setEditorData(QWidget* editor, const QModelIndex& index) const {
    // A value the column adds (after its question) reloads the column's lists, and the view
    // then gives every open editor its cell's value again: the text typed must stay until it
    // is committed.
    if (mpGriglia->Modello()->NuovoValoreInCorso()) return;
    mbCaricamento = true;
    SetEditorData(editor, index);
    mbCaricamento = false;
    msAccettato = TestoEditore(editor);
}

void clsDelegatoGriglia::SetEditorData(QWidget* editor, const QModelIndex& index) const {
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        const QString valore = index.data(clsModelloGriglia::RuoloValore).toString();
        const QString testo = index.data(Qt::EditRole).toString();
        int trovato = -1;
        for (int i = 0; i < combo->count() && trovato < 0; ++i) {
            const QVariant dato = combo->itemData(i);
            if (dato.isValid() && dato.toString() == valore) trovato = i;
        }
        if (trovato < 0) trovato = combo->findText(testo, Qt::MatchFixedString);
        if (trovato >= 0 || !combo->isEditable())
            combo->setCurrentIndex(trovato);
        else
            combo->setEditText(testo);
        return;
    }
    if (auto* testo = qobject_cast<QLineEdit*>(editor)) {
        testo->setText(index.data(Qt::EditRole).toString());
        return;
    }
    QStyledItemDelegate::setEditorData(editor, index);
}

void clsDelegatoGriglia::setModelData(QWidget* editor, QAbstractItemModel* model,
                                      const QModelIndex& index) const {
    // Told already: the cell keeps its value without a second message.
    if (RifiutoDetto(editor)) return;
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        const int i = combo->currentIndex();
        if (combo->isEditable() && (i < 0 || combo->currentText() != combo->itemText(i))) {
            model->setData(index, combo->currentText(), Qt::EditRole);
            return;
        }
        if (i < 0) return;
        const QVariant dato = combo->itemData(i);
        if (dato.isValid())
            model->setData(index, dato, clsModelloGriglia::RuoloValore);
        else
            model->setData(index, combo->itemText(i), Qt::EditRole);
        return;
    }
    if (auto* testo = qobject_cast<QLineEdit*>(editor)) {
        model->setData(index, testo->text(), Qt::EditRole);
        return;
    }
    QStyledItemDelegate::setModelData(editor, model, index);
}

bool clsDelegatoGriglia::Verifica(QString* psErrore) const {
    QWidget* editor = mpEditor;
    if (!editor || !mIndiceEditor.isValid()) return true;
    QString errore;
    if (VerificaEditore(editor, &errore)) return true;
    if (psErrore) *psErrore = errore;
    mbRifiutato = true;
    msRifiutato = TestoEditore(editor);
    return false;
}

bool clsDelegatoGriglia::VerificaEditore(QWidget* editor, QString* psErrore) const {
    const auto* modello = mpGriglia->Modello();
    const int c = mIndiceEditor.column();
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        const int i = combo->currentIndex();
        if (combo->isEditable() && (i < 0 || combo->currentText() != combo->itemText(i)))
            return modello->ValoreDaTesto(c, combo->currentText(), psErrore).has_value();
        if (i < 0) return true;
        const QVariant dato = combo->itemData(i);
        if (dato.isValid())
            return modello->ValoreDaScelta(c, dato.toString(), psErrore).has_value();
        return modello->ValoreDaTesto(c, combo->itemText(i), psErrore).has_value();
    }
    if (auto* testo = qobject_cast<QLineEdit*>(editor))
        return modello->ValoreDaTesto(c, testo->text(), psErrore).has_value();
    return true;
}

void clsDelegatoGriglia::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                              const QModelIndex& index) const {
    QRect r = option.rect;
    if (mpGriglia->HaPulsante(index)) r.setRight(clsGriglia::PulsanteInCella(r).left() - 1);
    editor->setGeometry(r);
}

void clsDelegatoGriglia::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const {
    QStyledItemDelegate::paint(painter, option, index);
    if (!mpGriglia->HaPulsante(index)) return;
    QStyleOptionButton pulsante;
    pulsante.rect = clsGriglia::PulsanteInCella(option.rect);
    pulsante.text = QStringLiteral("...");
    pulsante.state = QStyle::State_Enabled | QStyle::State_Raised;
    const QWidget* widget = option.widget;
    QStyle* stile = widget ? widget->style() : QApplication::style();
    stile->drawControl(QStyle::CE_PushButton, &pulsante, painter, widget);
}

bool clsDelegatoGriglia::eventFilter(QObject* object, QEvent* event) {
    QWidget* editor = mpEditor;
    if (!editor) return QStyledItemDelegate::eventFilter(object, event);
    // The line edit inside an editable combo list reports to the combo, which is the editor.
    const bool interno = object != editor;
    // The message box that tells a refusal takes the focus: the editor stays open meanwhile.
    if (event->type() == QEvent::FocusOut && !interno && RifiutoDetto(editor)) {
        const auto motivo = static_cast<QFocusEvent*>(event)->reason();
        if (motivo == Qt::ActiveWindowFocusReason || motivo == Qt::PopupFocusReason) return true;
    }
    // So does the question about a value the column's list lacks: its answer decides.
    if (event->type() == QEvent::FocusOut && !interno && mpGriglia->Modello()->NuovoValoreInCorso())
        return true;
    if (event->type() == QEvent::KeyPress) {
        auto* tasto = static_cast<QKeyEvent*>(event);
        if (mpGriglia->SegnalaTasto(tasto)) return true;
        const bool conCtrlAlt = tasto->modifiers() & (Qt::ControlModifier | Qt::AltModifier);
        switch (tasto->key()) {
            case Qt::Key_Escape:
                emit closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
                return true;
            case Qt::Key_Enter:
            case Qt::Key_Return: {
                QString errore;
                if (!mpGriglia->ConfermaModifica(&errore)) emit mpGriglia->TestoRifiutato(errore);
                return true;
            }
            case Qt::Key_Tab:
            case Qt::Key_Backtab: {
                if (conCtrlAlt) break;
                QString errore;
                if (!Verifica(&errore)) {
                    emit mpGriglia->TestoRifiutato(errore);
                    return true;
                }
                const bool indietro =
                    tasto->key() == Qt::Key_Backtab || (tasto->modifiers() & Qt::ShiftModifier);
                emit commitData(editor);
                emit closeEditor(editor, indietro ? QAbstractItemDelegate::EditPreviousItem
                                                  : QAbstractItemDelegate::EditNextItem);
                return true;
            }
            case Qt::Key_Up:
            case Qt::Key_Down: {
                // A list that says so: the arrows go from row to row, as in a text cell.
                const auto* col = mpGriglia->Modello()->Colonna(mIndiceEditor.column());
                if (conCtrlAlt || !qobject_cast<QComboBox*>(editor) || !col ||
                    !col->moLista.FrecceTraRighe())
                    break;
                QString errore;
                if (!mpGriglia->ConfermaModifica(&errore)) {
                    emit mpGriglia->TestoRifiutato(errore);
                    return true;
                }
                const int r = mpGriglia->RigaCorrente() + (tasto->key() == Qt::Key_Up ? -1 : 1);
                if (r >= 0 && r < mpGriglia->model()->rowCount()) mpGriglia->ImpostaRigaCorrente(r);
                return true;
            }
            default:
                break;
        }
    }
    if (interno) return false;
    return QStyledItemDelegate::eventFilter(object, event);
}

}  // namespace tarno
