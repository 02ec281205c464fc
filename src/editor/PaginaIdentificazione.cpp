#include "PaginaIdentificazione.h"

#include <QVBoxLayout>

#include "clsGriglia.h"
#include "frmDriver.h"

namespace tarno {

PaginaIdentificazione::PaginaIdentificazione(frmDriver& finestra, QWidget* parent) : QWidget(parent), mFinestra(finestra) {
    setObjectName(QStringLiteral("pagIdentificazione"));
    auto* layout = new QVBoxLayout(this);
    grdIdent = new clsGriglia(this);
    grdIdent->setObjectName(QStringLiteral("grdIdent"));
    layout->addWidget(grdIdent);
}

void PaginaIdentificazione::Inizializza() {}

}  // namespace tarno
