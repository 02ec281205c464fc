// The general page's choice of how a record is cut into fields: fixed columns (the default) or
// fields separated by a character, with the quote character and the heading lines to skip. The
// choice lives in the driver: each change is an edit of the document, undone like the others.

#include <QCheckBox>
#include <QComboBox>
#include <QSpinBox>
#include <QTextCursor>

#include "documento/DocumentoDriver.h"
#include "engine/clsAnalizzatore.h"
#include "finestra/frmDriver.h"
#include "kit/TestoQt.h"
#include "model/Testo.h"
#include "pagine/PaginaCampi.h"
#include "pagine/frmSeleziona.h"
#include "ui_frmDriver.h"

namespace tarno {

void frmDriver::PreparaCampiStampa() {
    Ui::frmDriver& ui = *mpUi;
    connect(ui.chkCampiSeparati, &QCheckBox::toggled, this, [this](bool bSeparati) {
        if (mbRiempimento) return;
        clsDriver& d = mpDoc->Driver();
        d.mbCampiSeparati = bSeparati;
        // A first choice of separated fields starts from the most common separator.
        if (bSeparati && d.msSeparatoreCampi.empty()) d.msSeparatoreCampi.assign(1, ',');
        MostraCampiStampa();
        mpDoc->Modificato(mpUi->chkCampiSeparati);
    });
    // The texts as typed; one that Windows-1252 cannot hold is left out, and the save asks for
    // a valid one.
    connect(ui.cboSeparatore, &QComboBox::currentTextChanged, this, [this](const QString& t) {
        if (mbRiempimento) return;
        mpDoc->Driver().msSeparatoreCampi = InCp1252(t).value_or(std::string());
        mpDoc->Modificato(mpUi->cboSeparatore);
    });
    connect(ui.cboVirgolette, &QComboBox::currentTextChanged, this, [this](const QString& t) {
        if (mbRiempimento) return;
        const std::string v = InCp1252(t).value_or(std::string("?\x01"));
        mpDoc->Driver().msVirgolette = UgualeNoCase(v, VIRGOLETTE_NESSUNA) ? std::string() : v;
        mpDoc->Modificato(mpUi->cboVirgolette);
    });
    connect(ui.spnRigheIntestazione, &QSpinBox::valueChanged, this, [this](int n) {
        if (mbRiempimento) return;
        mpDoc->Driver().miRigheIntestazione = n;
        mpDoc->Modificato(mpUi->spnRigheIntestazione);
    });
    connect(mpDoc, &DocumentoDriver::Ripristinato, this, &frmDriver::MostraCampiStampa);
    MostraCampiStampa();
}

void frmDriver::MostraCampiStampa() {
    Ui::frmDriver& ui = *mpUi;
    const clsDriver vuoto;
    const clsDriver& d = mpDoc->moDriver ? *mpDoc->moDriver : vuoto;
    const bool riempimento = mbRiempimento;
    mbRiempimento = true;
    ui.chkCampiSeparati->setChecked(d.mbCampiSeparati);
    const QString separatore = DaCp1252(d.msSeparatoreCampi);
    if (ui.cboSeparatore->currentText() != separatore) ui.cboSeparatore->setEditText(separatore);
    const QString virgolette =
        DaCp1252(d.msVirgolette.empty() ? std::string(VIRGOLETTE_NESSUNA) : d.msVirgolette);
    if (ui.cboVirgolette->currentText() != virgolette) ui.cboVirgolette->setEditText(virgolette);
    ui.spnRigheIntestazione->setValue(d.miRigheIntestazione);
    for (QWidget* w :
         {static_cast<QWidget*>(ui.cboSeparatore), static_cast<QWidget*>(ui.lblSeparatore),
          static_cast<QWidget*>(ui.cboVirgolette), static_cast<QWidget*>(ui.lblVirgolette),
          static_cast<QWidget*>(ui.spnRigheIntestazione),
          static_cast<QWidget*>(ui.lblRigheIntestazione)})
        w->setEnabled(d.mbCampiSeparati);
    for (PaginaCampi* pagina : {mpPagEntranti, mpPagUscenti})
        if (pagina) pagina->ImpostaCampiSeparati(d.mbCampiSeparati);
    mbRiempimento = riempimento;
}

std::optional<Separazione> frmDriver::SeparazioneCampi() const {
    if (!mpDoc->moDriver || !mpDoc->moDriver->mbCampiSeparati) return std::nullopt;
    return SeparazioneDi(*mpDoc->moDriver);
}

void frmDriver::SelezionaCampo() {
    // In a printout of separated fields a click (or a selection past a field) takes the field
    // under it; a part of a field stays as marked.
    if (mbTransformMode) return;
    const auto separa = SeparazioneCampi();
    QTextCursor campo;
    if (separa && frmSeleziona::CampoSelezione(mpUi->rtfTesto->textCursor(), *separa, &campo) &&
        !campo.isNull())
        mpUi->rtfTesto->setTextCursor(campo);
}

}  // namespace tarno
