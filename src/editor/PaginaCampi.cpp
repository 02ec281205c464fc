#include "PaginaCampi.h"

#include <QVBoxLayout>

#include "clsGriglia.h"
#include "frmDriver.h"

namespace tarno {

PaginaCampi::PaginaCampi(frmDriver& finestra, bool bEntranti, QWidget* parent)
    : QWidget(parent), mFinestra(finestra), mbEntranti(bEntranti) {
    setObjectName(bEntranti ? QStringLiteral("pagEntranti") : QStringLiteral("pagUscenti"));
    auto* layout = new QVBoxLayout(this);
    mpGriglia = new clsGriglia(this);
    mpGriglia->setObjectName(bEntranti ? QStringLiteral("grdEntranti") : QStringLiteral("grdUscenti"));
    layout->addWidget(mpGriglia);
}

void PaginaCampi::Inizializza() {}

}  // namespace tarno
