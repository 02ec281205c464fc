#include "pagine/frmImpostazioniDurata.h"

#include <QShowEvent>

#include "kit/Risorse.h"
#include "kit/ServiziUI.h"
#include "ui_frmImpostazioniDurata.h"

namespace tarno {

namespace {

constexpr int kUnita = 4;

// n / d rounded to the nearest whole number, halves to the even one (n >= 0, d > 0).
int32_t DividiArrotondando(int32_t n, int32_t d) {
    int32_t q = n / d;
    const int32_t resto2 = (n % d) * 2;
    if (resto2 > d || (resto2 == d && q % 2 != 0)) ++q;
    return q;
}

}  // namespace

frmImpostazioniDurata::frmImpostazioniDurata(QWidget* parent)
    : clsDialogo(parent), mpUi(std::make_unique<Ui::frmImpostazioniDurata>()) {
    mpUi->setupUi(this);
    connect(mpUi->cmOK, &QPushButton::clicked, this, &frmImpostazioniDurata::cmOK_Click);
    connect(mpUi->cmdAnnulla, &QPushButton::clicked, this,
            &frmImpostazioniDurata::cmdAnnulla_Click);
}

frmImpostazioniDurata::~frmImpostazioniDurata() = default;

int32_t frmImpostazioniDurata::FattoreDurata(int viFrazione, int viUnita) {
    if (viFrazione < 0 || viFrazione >= kFrazioni) return 0;
    const int32_t divisore = viFrazione + 2;
    switch (viUnita) {
        case Secondo:
            return divisore;
        case Minuto:
            return DividiArrotondando(60, divisore);
        case Ora:
            return DividiArrotondando(3600, divisore);
        case Giorno:
            return DividiArrotondando(86400, divisore);
        default:
            return 0;
    }
}

void frmImpostazioniDurata::Carica() {
    CentraForm(this);
    CaricaTestiRisorse(this);
    mbCancel = true;
    auto* frazioni = mpUi->cboFrazioni;
    auto* unita = mpUi->cboUnita;
    frazioni->clear();
    for (int k = 0; k < kFrazioni; ++k) frazioni->addItem(QStringLiteral("1/%1").arg(k + 2));
    unita->clear();
    // "Secondo" (11902), "Minuto", "Ora", "Giorno" (11905).
    for (int u = 0; u < kUnita; ++u) unita->addItem(TestoRisorsa(11902 + u));
    frazioni->setCurrentIndex(
        miFrazioneDurata >= 0 && miFrazioneDurata < kFrazioni ? miFrazioneDurata : -1);
    unita->setCurrentIndex(miUnitaDurata >= 0 && miUnitaDurata < kUnita ? miUnitaDurata : -1);
    unita->setFocus();
}

void frmImpostazioniDurata::cmOK_Click() {
    const int frazione = mpUi->cboFrazioni->currentIndex();
    const int unita = mpUi->cboUnita->currentIndex();
    if (frazione < 0 || unita < 0) {
        Avviso(this, TestoRisorsa(11901));
        (unita < 0 ? mpUi->cboUnita : mpUi->cboFrazioni)->setFocus();
        return;
    }
    miFrazioneDurata = static_cast<int16_t>(frazione);
    miUnitaDurata = static_cast<int16_t>(unita);
    mlConversioneDurata = FattoreDurata(frazione, unita);
    mbCancel = false;
    accept();
}

void frmImpostazioniDurata::cmdAnnulla_Click() { reject(); }

void frmImpostazioniDurata::reject() {
    mbCancel = true;
    QDialog::reject();
}

}  // namespace tarno
