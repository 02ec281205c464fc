#include "kit/Risorse.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QList>
#include <QMenu>
#include <QScreen>
#include <QSet>
#include <QTabWidget>
#include <QVariant>
#include <QWidget>
#include <limits>

#include "kit/clsStringhe.h"
#include "model/Numeri.h"

namespace tarno {

namespace {

constexpr const char* PROPRIETA_TAG = "tag";
constexpr const char* PROPRIETA_TOOL_ID = "toolId";

// A widget that is a window of its own (a dialog parented to this window) has its own texts;
// menus are popup windows too, but they belong to the window whose bar shows them.
bool FinestraSeparata(const QObject* o) {
    const auto* w = qobject_cast<const QWidget*>(o);
    return w && w->isWindow() && !qobject_cast<const QMenu*>(w);
}

// The widgets and actions of a window, depth first, without the window itself and without
// separate windows below it; the actions added to any of these widgets come along, once each.
void RaccogliOggetti(QObject* radice, QList<QObject*>& rlstOggetti, QSet<QObject*>& rVisti) {
    if (auto* w = qobject_cast<QWidget*>(radice)) {
        for (QAction* a : w->actions()) {
            if (!rVisti.contains(a)) {
                rVisti.insert(a);
                rlstOggetti << a;
            }
        }
    }
    for (QObject* figlio : radice->children()) {
        if (FinestraSeparata(figlio) || rVisti.contains(figlio)) continue;
        if (qobject_cast<QWidget*>(figlio) || qobject_cast<QAction*>(figlio)) {
            rVisti.insert(figlio);
            rlstOggetti << figlio;
        }
        RaccogliOggetti(figlio, rlstOggetti, rVisti);
    }
}

QList<QObject*> OggettiFinestra(QWidget* finestra) {
    QList<QObject*> oggetti;
    QSet<QObject*> visti{finestra};
    RaccogliOggetti(finestra, oggetti, visti);
    return oggetti;
}

// The string named by an object's "tag", when there is one.
bool TestoDaTag(const QObject* o, QString& rsTesto) {
    const QVariant tag = o->property(PROPRIETA_TAG);
    if (!tag.isValid()) return false;
    const int32_t numero = IdRisorsaDaTag(tag.toString());
    if (numero == 0) return false;
    bool trovato = false;
    rsTesto = TestoRisorsa(numero, &trovato);
    return trovato;
}

void ImpostaDidascalia(QObject* o, const QString& sTesto) {
    if (auto* lbl = qobject_cast<QLabel*>(o)) {
        lbl->setText(sTesto);
    } else if (auto* btn = qobject_cast<QAbstractButton*>(o)) {
        btn->setText(sTesto);
    } else if (auto* grp = qobject_cast<QGroupBox*>(o)) {
        grp->setTitle(sTesto);
    } else if (auto* tab = qobject_cast<QTabWidget*>(o)) {
        const QStringList parti = sTesto.split(u'|');
        for (int i = 0; i < tab->count() && i < parti.size(); ++i) tab->setTabText(i, parti.at(i));
    } else if (auto* mnu = qobject_cast<QMenu*>(o)) {
        mnu->setTitle(sTesto);
    } else if (auto* act = qobject_cast<QAction*>(o)) {
        act->setText(sTesto);
    }
    // Any other control has no caption: its tag is ignored.
}

// Base + ID as a string number; false when the sum leaves the 32-bit range.
bool NumeroStringa(int32_t base, int64_t id, int& rNumero) {
    const int64_t somma = static_cast<int64_t>(base) + id;
    if (somma < std::numeric_limits<int>::min() || somma > std::numeric_limits<int>::max())
        return false;
    rNumero = static_cast<int>(somma);
    return true;
}

}  // namespace

QString TestoRisorsa(int numero, bool* trovato) {
    return clsStringhe::Tabella().Testo(numero, trovato);
}

QString TestoRisorsa(int numero, const char* sPredefinito) {
    bool trovato = false;
    const QString s = TestoRisorsa(numero, &trovato);
    return trovato ? s : QString::fromUtf8(sPredefinito);
}

int32_t IdRisorsaDaTag(const QString& sTag) {
    const qsizetype fine = sTag.indexOf(u';');
    if (sTag.isEmpty() || fine < 0) return 0;
    const QString sNumero = sTag.left(fine);
    // Only ASCII can make a number; anything else is not numeric.
    for (QChar c : sNumero)
        if (c.unicode() > 0x7F) return 0;
    const std::optional<double> valore = ValoreNumerico(sNumero.toStdString());
    if (!valore) return 0;
    return Arrotonda32(*valore).value_or(0);
}

void CaricaTestiRisorse(QWidget* finestra) {
    if (!finestra) return;
    QString sTesto;
    if (TestoDaTag(finestra, sTesto)) finestra->setWindowTitle(sTesto);
    for (QObject* o : OggettiFinestra(finestra)) {
        if (TestoDaTag(o, sTesto)) ImpostaDidascalia(o, sTesto);
    }
}

void CaricaTestiMenu(QWidget* finestra, int32_t lBaseDidascalia, int32_t lBaseSuggerimento) {
    if (!finestra) return;
    for (QObject* o : OggettiFinestra(finestra)) {
        auto* act = qobject_cast<QAction*>(o);
        if (!act) continue;
        const QVariant vId = act->property(PROPRIETA_TOOL_ID);
        if (!vId.isValid()) continue;
        bool ok = false;
        const qlonglong id = vId.toLongLong(&ok);
        if (!ok) continue;
        int numero = 0;
        bool trovato = false;
        if (NumeroStringa(lBaseDidascalia, id, numero)) {
            const QString sDidascalia = TestoRisorsa(numero, &trovato);
            if (trovato) act->setText(sDidascalia);
        }
        if (NumeroStringa(lBaseSuggerimento, id, numero)) {
            const QString sSuggerimento = TestoRisorsa(numero, &trovato);
            if (trovato) {
                act->setToolTip(sSuggerimento);
            } else if (clsStringhe::Tabella().Lingua() != u"it") {
                // The designed tip is Italian: an empty one follows the caption.
                act->setToolTip(QString());
            }
        }
    }
}

void CentraForm(QWidget* finestra) {
    if (!finestra) return;
    QWidget* w = finestra->window();
    QScreen* schermo = w->screen();
    if (!schermo) schermo = QGuiApplication::primaryScreen();
    if (!schermo) return;
    const QRect area = schermo->geometry();
    const QSize esterno = w->frameGeometry().size();
    w->move(area.x() + (area.width() - esterno.width()) / 2,
            area.y() + (area.height() - esterno.height()) / 2);
}

}  // namespace tarno
