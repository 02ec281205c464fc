#include "pagine/frmOldDriver.h"

#include <QPushButton>

#include "kit/Risorse.h"
#include "kit/TestoQt.h"
#include "legacy/modOldDriver.h"
#include "ui_frmOldDriver.h"

namespace tarno {

frmOldDriver::frmOldDriver(QWidget* parent)
    : clsDialogo(parent), mpUi(std::make_unique<Ui::frmOldDriver>()) {
    mpUi->setupUi(this);
    CaricaTestiRisorse(this);
    connect(mpUi->cmdOk, &QPushButton::clicked, this, &frmOldDriver::cmdOk_Click);
    connect(mpUi->cmdAnnulla, &QPushButton::clicked, this, [this] {
        mbAnnullato = true;
        reject();
    });
    Form_Load();
}

frmOldDriver::~frmOldDriver() = default;

void frmOldDriver::Carica() {
    mpUi->cboTrasf->clear();
    for (const auto& p : ProgrammiTrasf())
        mpUi->cboTrasf->addItem(DaCp1252(p.sNome), QVariant::fromValue<qint32>(p.lCodice));
    // The whole text, letter case aside.
    int i = mpUi->cboTrasf->findText(QStringLiteral("Standard"), Qt::MatchFixedString);
    if (i < 0 && mpUi->cboTrasf->count() > 0) i = 0;
    mpUi->cboTrasf->setCurrentIndex(i);
    mpUi->cboTrasf->setFocus();
}

int32_t frmOldDriver::CodiceScelto() const {
    const int i = mpUi->cboTrasf->currentIndex();
    if (i < 0) return -1;
    return mpUi->cboTrasf->itemData(i).value<qint32>();
}

void frmOldDriver::cmdOk_Click() {
    if (mpUi->cboTrasf->currentIndex() >= 0) glProgrammaTrasf = CodiceScelto();
    accept();
}

}  // namespace tarno
