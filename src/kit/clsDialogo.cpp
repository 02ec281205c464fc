#include "kit/clsDialogo.h"

#include <QHideEvent>
#include <QShowEvent>

namespace tarno {

void clsDialogo::Form_Load() {
    if (mbCaricato) return;
    mbCaricato = true;
    Carica();
}

void clsDialogo::showEvent(QShowEvent* ev) {
    Form_Load();
    QDialog::showEvent(ev);
}

void clsDialogo::hideEvent(QHideEvent* ev) {
    // A window minimised with its owner is still open.
    if (!ev->spontaneous()) mbCaricato = false;
    QDialog::hideEvent(ev);
}

}  // namespace tarno
