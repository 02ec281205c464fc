#pragma once
// What the page, dialog and window tests share: a main window started on the demo suite, typing
// into a grid as the user types, and acting on a modal dialog from inside its exec().

#include <QApplication>
#include <QComboBox>
#include <QPointer>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <functional>
#include <memory>

#include "SupportoGui.h"
#include "grid/clsGriglia.h"
#include "ui_frmDriver.h"

namespace tarno::test {

// The open cell editor of a grid, or nullptr.
inline QWidget* EditorCella(clsGriglia& g) {
    for (auto* w : g.viewport()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (w->isVisible() && w->objectName().endsWith(QStringLiteral("CellaGriglia"))) return w;
    return nullptr;
}
// Where typed keys go: the open editor (the line edit of an editable combo), or the grid.
inline QWidget* Destinazione(clsGriglia& g) {
    QWidget* e = EditorCella(g);
    auto* c = qobject_cast<QComboBox*>(e);
    return c && c->lineEdit() ? c->lineEdit() : e ? e : &g;
}
inline void Tasto(clsGriglia& g, Qt::Key k, Qt::KeyboardModifiers m = {}) {
    QTest::keyClick(Destinazione(g), k, m);
}
// Key by key, as typing does: the first key opens the cell editor.
inline void Digita(clsGriglia& g, const QString& s) {
    for (QChar ch : s) {
        // Below 0x80 the key codes are the (upper-case) characters themselves.
        const auto k = ch.unicode() < 0x80 ? Qt::Key(ch.toUpper().unicode()) : Qt::Key_unknown;
        QTest::sendKeyEvent(QTest::Click, Destinazione(g), k, QString(ch), Qt::NoModifier);
    }
}
// Types into cell (r, c) of a focused grid and presses Enter.
inline void Immetti(clsGriglia& g, int r, int c, const QString& s) {
    g.setFocus();
    g.ImpostaCellaCorrente(r, c);
    Digita(g, s);
    Tasto(g, Qt::Key_Return);
}
// A value given to cell (r, c) as a chosen list entry is; false when the grid refused it.
inline bool Scegli(clsGriglia& g, int r, int c, const QString& s) {
    g.ImpostaCellaCorrente(r, c);
    return g.Modello()->setData(g.Modello()->index(r, c), s);
}
inline QString Mostrato(clsGriglia& g, int r, int c) {
    return g.model()->index(r, c).data().toString();
}
inline void Seleziona(QTextEdit* t, int da, int a) {
    QTextCursor c(t->document());
    c.setPosition(da);
    c.setPosition(a, QTextCursor::KeepAnchor);
    t->setTextCursor(c);
}
// A window shown as exec() shows it, active.
inline void Mostra(QWidget& w) {
    w.show();
    QApplication::setActiveWindow(&w);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
}

// Watches the application's windows being shown and hands each to fn until fn takes one.
class OsservatoreFinestre : public QObject {
  public:
    OsservatoreFinestre(std::function<bool(QWidget*)> fn, QObject* parent)
        : QObject(parent), mFn(std::move(fn)) {
        qApp->installEventFilter(this);
    }
    bool eventFilter(QObject* obj, QEvent* ev) override {
        if (ev->type() == QEvent::Show && obj->isWidgetType()) {
            auto* w = static_cast<QWidget*>(obj);
            if (w->isWindow() && mFn && mFn(w)) {
                mFn = nullptr;
                qApp->removeEventFilter(this);
                deleteLater();
            }
        }
        return false;
    }

  private:
    std::function<bool(QWidget*)> mFn;
};

// Runs fn on the next modal dialog of type T once its exec() is running: the caller then opens
// it. A dialog that fn leaves open is rejected, so that a failed check never hangs the test.
// The flag tells whether fn ran; the watch ends with contesto. No clock is involved: the dialog
// is caught when it is shown and fn is queued into its own event loop.
template <class T>
std::shared_ptr<bool> AlModale(std::function<void(T&)> fn, QObject* contesto = qApp) {
    auto fatto = std::make_shared<bool>(false);
    new OsservatoreFinestre(
        [=](QWidget* w) {
            QPointer<T> d = qobject_cast<T*>(w);
            if (!d) return false;
            QMetaObject::invokeMethod(
                d,
                [=] {
                    if (!d) return;
                    *fatto = true;
                    fn(*d);
                    if (d && d->isVisible()) d->reject();
                },
                Qt::QueuedConnection);
            return true;
        },
        contesto);
    return fatto;
}

}  // namespace tarno::test
