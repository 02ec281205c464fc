#include "pagine/frmImpostazioniScatti.h"

#include <QShowEvent>

#include "kit/Risorse.h"
#include "kit/ServiziUI.h"
#include "model/Numeri.h"
#include "ui_frmImpostazioniScatti.h"

namespace tarno {

frmImpostazioniScatti::frmImpostazioniScatti(QWidget* parent)
    : clsDialogo(parent), mpUi(std::make_unique<Ui::frmImpostazioniScatti>()) {
    mpUi->setupUi(this);
    connect(mpUi->cmOK, &QPushButton::clicked, this, &frmImpostazioniScatti::cmOK_Click);
    connect(mpUi->cmdAnnulla, &QPushButton::clicked, this,
            &frmImpostazioniScatti::cmdAnnulla_Click);
}

frmImpostazioniScatti::~frmImpostazioniScatti() = default;

std::optional<int32_t> frmImpostazioniScatti::LeggiDivisore(const QString& vsTesto) {
    if (vsTesto.contains(QLatin1Char('.')) || vsTesto.contains(QLatin1Char(',')))
        return std::nullopt;
    // Only plain ASCII can be a number; anything else is refused before it is read.
    for (QChar ch : vsTesto)
        if (ch.unicode() >= 0x80) return std::nullopt;
    const auto valore = ValoreNumerico(vsTesto.toStdString());
    if (!valore) return std::nullopt;
    return Arrotonda32(*valore);
}

void frmImpostazioniScatti::Carica() {
    CentraForm(this);
    CaricaTestiRisorse(this);
    mbCancel = true;
    mpUi->txtDividere->setText(QString::number(mlDividereScatti));
    mpUi->txtDividere->selectAll();
    mpUi->txtDividere->setFocus();
}

void frmImpostazioniScatti::cmOK_Click() {
    const auto divisore = LeggiDivisore(mpUi->txtDividere->text());
    if (!divisore) {
        Avviso(this, TestoRisorsa(12001));
        mpUi->txtDividere->selectAll();
        mpUi->txtDividere->setFocus();
        return;
    }
    mlDividereScatti = *divisore;
    mbCancel = false;
    accept();
}

void frmImpostazioniScatti::cmdAnnulla_Click() { reject(); }

void frmImpostazioniScatti::reject() {
    mbCancel = true;
    QDialog::reject();
}

}  // namespace tarno
