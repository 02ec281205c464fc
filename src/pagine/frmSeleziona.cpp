#include "pagine/frmSeleziona.h"

#include <QCursor>
#include <QKeyEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include "kit/Risorse.h"
#include "kit/ServiziUI.h"
#include "kit/TestoQt.h"
#include "ui_frmSeleziona.h"

namespace tarno {

int frmSeleziona::ColonnaSelezione(const QString& sTesto, int iInizio) {
    // The nearest line end before the selection start; the column counts from 1.
    for (int k = std::min(iInizio, static_cast<int>(sTesto.size())) - 1; k >= 0; --k) {
        const QChar c = sTesto.at(k);
        if (c == QLatin1Char('\n') || c == QChar::ParagraphSeparator) return iInizio - k;
    }
    return iInizio + 1;
}

std::optional<PosizioneCampo> frmSeleziona::CampoSelezione(const QTextCursor& c,
                                                           const Separazione& s,
                                                           QTextCursor* pCampo,
                                                           std::string* pTesto) {
    const QTextDocument* doc = c.document();
    if (!doc) return std::nullopt;
    const QTextBlock blocco = doc->findBlock(c.selectionStart());
    if (!blocco.isValid()) return std::nullopt;
    const QString testo = blocco.text();
    // The view holds Windows-1252 text: one byte a character.
    std::string riga = InCp1252(testo).value_or(std::string());
    if (riga.size() != static_cast<size_t>(testo.size()))
        riga.assign(static_cast<size_t>(testo.size()), '?');
    const auto da = static_cast<size_t>(c.selectionStart() - blocco.position());
    // A selection past its line reaches past the field.
    const size_t a =
        std::min(static_cast<size_t>(c.selectionEnd() - blocco.position()), riga.size() + 1);
    const auto campo = CampoDelTratto(riga, s.cSeparatore, s.cVirgolette, da, a);
    if (campo && pTesto) {
        RigaFinestra r;
        DividiCampi(riga, s.cSeparatore, s.cVirgolette, r.campi);
        pTesto->assign(
            TaglioRiga(r, campo->iCampo, std::max(1, campo->iNelCampo), campo->iLunghezza)
                .value_or(std::string_view()));
    }
    if (campo && pCampo && campo->iLunghezza == 0) {
        const auto tratto = TrattoDelCampo(riga, s.cSeparatore, s.cVirgolette, campo->iCampo, 0, 0);
        *pCampo = QTextCursor(blocco);
        pCampo->setPosition(blocco.position() + static_cast<int>(tratto->first));
        pCampo->setPosition(blocco.position() + static_cast<int>(tratto->second),
                            QTextCursor::KeepAnchor);
    }
    return campo;
}

void frmSeleziona::PreparaVistaCampione(QTextEdit* rtf, QObject* filtro) {
    QFont fisso(QStringLiteral("Courier New"));
    fisso.setStyleHint(QFont::Monospace);
    fisso.setFixedPitch(true);
    fisso.setPointSizeF(9);
    rtf->setFont(fisso);
    rtf->installEventFilter(filtro);
    rtf->viewport()->installEventFilter(filtro);
}

frmSeleziona::frmSeleziona(QWidget* parent)
    : QDialog(parent), mpUi(std::make_unique<Ui::frmSeleziona>()) {
    mpUi->setupUi(this);
    PreparaVistaCampione(mpUi->rtfTesto, this);
    connect(mpUi->cmOK, &QPushButton::clicked, this, &frmSeleziona::cmOK_Click);
    CentraForm(this);
    CaricaTestiRisorse(this);
}

frmSeleziona::~frmSeleziona() = default;

void frmSeleziona::ImpostaTesto(const QTextDocument* documento) {
    mpUi->rtfTesto->setDocument(documento->clone(mpUi->rtfTesto));
    mpUi->rtfTesto->setFont(mpUi->rtfTesto->font());
}

void frmSeleziona::AggiornaPosizione() {
    const QTextCursor c = mpUi->rtfTesto->textCursor();
    const int inizio = c.selectionStart();
    mpUi->lblX->setText(
        QString::number(ColonnaSelezione(mpUi->rtfTesto->document()->toPlainText(), inizio)));
    mpUi->lblY->setText(QString::number(c.selectionEnd() - inizio));
}

void frmSeleziona::cmOK_Click() {
    miInizio = 0;
    miLunghezza = 0;
    msSelText.clear();
    const QTextCursor c = mpUi->rtfTesto->textCursor();
    const int lunghezza = c.selectionEnd() - c.selectionStart();
    if (lunghezza >= 1) {
        CursoreOccupato occupato;
        miInizio = ColonnaSelezione(mpUi->rtfTesto->document()->toPlainText(), c.selectionStart());
        miLunghezza = lunghezza;
        msSelText = c.selectedText().replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    }
    accept();
}

std::optional<frmSeleziona::Scelta> frmSeleziona::Scegli(QWidget* parent,
                                                         const QTextDocument* testo,
                                                         int32_t viMaxInizio,
                                                         int32_t viMaxLunghezza,
                                                         const Separazione* pSeparazione, int viDa,
                                                         int viA) {
    std::unique_ptr<frmSeleziona> selezione;
    {
        CursoreOccupato occupato;
        selezione = std::make_unique<frmSeleziona>(parent);
        if (testo) selezione->ImpostaTesto(testo);
        if (pSeparazione) selezione->mSeparazione = *pSeparazione;
        auto* rtf = selezione->mpUi->rtfTesto;
        const int fine = rtf->document()->characterCount() - 1;
        if (testo && viDa >= 0 && viDa < viA && viA <= fine) {
            QTextCursor c(rtf->document());
            c.setPosition(viDa);
            c.setPosition(viA, QTextCursor::KeepAnchor);
            rtf->setTextCursor(c);
            rtf->ensureCursorVisible();
            selezione->AggiornaPosizione();
        }
        selezione->move(QCursor::pos());
    }
    selezione->exec();
    if (selezione->miInizio <= 0) return std::nullopt;
    if (pSeparazione) {
        std::string valore;
        const auto campo = CampoSelezione(selezione->mpUi->rtfTesto->textCursor(), *pSeparazione,
                                          nullptr, &valore);
        if (!campo) return std::nullopt;
        return Scelta{campo->iCampo, campo->iLunghezza, valore, campo->iNelCampo};
    }
    QString errore;
    const auto valore = InCp1252(selezione->msSelText, &errore);
    if (selezione->msSelText.contains(QLatin1Char('\n')) ||
        selezione->msSelText.contains(QLatin1Char('\r'))) {
        Avviso(parent, TestoRisorsa(30037, "Selezionare il testo su una sola riga."));
    } else if (selezione->miInizio > viMaxInizio) {
        Avviso(parent,
               TestoRisorsa(30038, "La posizione non pu\u00F2 superare %1.").arg(viMaxInizio));
    } else if (selezione->miLunghezza > viMaxLunghezza) {
        Avviso(parent,
               TestoRisorsa(30039, "La lunghezza non pu\u00F2 superare %1.").arg(viMaxLunghezza));
    } else if (!valore) {
        Avviso(parent, errore);
    } else {
        return Scelta{selezione->miInizio, selezione->miLunghezza, *valore};
    }
    return std::nullopt;
}

bool frmSeleziona::eventFilter(QObject* obj, QEvent* ev) {
    if (obj == mpUi->rtfTesto && ev->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(ev);
        // Enter without shift keys confirms; the key goes no further.
        if ((k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) &&
            (k->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            cmOK_Click();
            return true;
        }
    }
    if ((obj == mpUi->rtfTesto || obj == mpUi->rtfTesto->viewport()) &&
        (ev->type() == QEvent::KeyRelease || ev->type() == QEvent::MouseButtonRelease)) {
        // A click in a printout of separated fields takes the field under it.
        QTextCursor campo;
        if (mSeparazione && ev->type() == QEvent::MouseButtonRelease &&
            CampoSelezione(mpUi->rtfTesto->textCursor(), *mSeparazione, &campo) && !campo.isNull())
            mpUi->rtfTesto->setTextCursor(campo);
        AggiornaPosizione();
    }
    return QDialog::eventFilter(obj, ev);
}

void frmSeleziona::resizeEvent(QResizeEvent* ev) {
    QDialog::resizeEvent(ev);
    const int w = width();
    const int h = height();
    QWidget* ok = mpUi->cmOK;
    auto* rtf = mpUi->rtfTesto;
    rtf->resize(std::max(0, w - 20), std::max(0, h - rtf->y() - ok->height() - 30));
    ok->move(std::max(0, w - ok->width() - 10), std::max(0, h - ok->height() - 20));
    for (QWidget* e : {static_cast<QWidget*>(mpUi->Label9), static_cast<QWidget*>(mpUi->lblX),
                       static_cast<QWidget*>(mpUi->Label11), static_cast<QWidget*>(mpUi->lblY)})
        e->move(e->x(), ok->y() + 4);
}

}  // namespace tarno
