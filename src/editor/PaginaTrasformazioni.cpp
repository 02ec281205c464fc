#include "PaginaTrasformazioni.h"

#include <QVBoxLayout>

#include "clsGriglia.h"
#include "frmDriver.h"

namespace tarno {

PaginaTrasformazioni::PaginaTrasformazioni(frmDriver& finestra, QWidget* parent) : QWidget(parent), mFinestra(finestra) {
    setObjectName(QStringLiteral("pagTrasformazioni"));
    auto* layout = new QVBoxLayout(this);
    grdTrasf = new clsGriglia(this);
    grdTrasf->setObjectName(QStringLiteral("grdTrasf"));
    layout->addWidget(grdTrasf);
}

void PaginaTrasformazioni::Inizializza() {}

}  // namespace tarno
