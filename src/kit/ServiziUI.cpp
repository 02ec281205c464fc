#include "kit/ServiziUI.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QSignalBlocker>
#include <QTextCursor>
#include <QTimer>
#include <algorithm>
#include <memory>
#include <type_traits>

#include "kit/Risorse.h"
#include "kit/TestoQt.h"

namespace tarno {

namespace {

ServiziUIQt gServiziQt;
IServiziUI* gServizi = nullptr;

}  // namespace

IServiziUI& ServiziUI() { return gServizi ? *gServizi : gServiziQt; }

void ImpostaServiziUI(IServiziUI* servizi) { gServizi = servizi; }

QString FiltroQt(const QString& sFiltro) {
    const QStringList parti = sFiltro.split(QLatin1Char('|'));
    QStringList voci;
    for (int i = 0; i + 1 < parti.size(); i += 2) {
        QString modelli = parti[i + 1];
        modelli.replace(QLatin1Char(';'), QLatin1Char(' '));
        modelli.replace(QStringLiteral("*.*"), QStringLiteral("*"));
        QString descrizione = parti[i];
        // A description that already names its patterns keeps them as they are.
        const int aperta = descrizione.lastIndexOf(QLatin1Char('('));
        if (aperta >= 0) descrizione = descrizione.left(aperta).trimmed();
        voci << QStringLiteral("%1 (%2)").arg(descrizione, modelli);
    }
    return voci.join(QStringLiteral(";;"));
}

void Avviso(QWidget* padre, const QString& testo) {
    ServiziUI().Messaggio(padre, testo, IconaUI::Esclamazione, PulsantiUI::Ok,
                          TestoRisorsa(51, TITOLO_ATTENZIONE));
}

namespace {

// Keeps the last text of a box that Windows-1252 can hold; an edit that breaks that puts the
// last good text back (without a change signal: nothing changed) and then warns.
template <class Casella, class Leggi, class Scrivi>
void Sorveglia(Casella* c, Leggi leggi, Scrivi scrivi) {
    auto buono = std::make_shared<QString>(leggi(c));
    auto controlla = [c, leggi, scrivi, buono] {
        const QString testo = leggi(c);
        QString messaggio;
        if (InCp1252(testo, &messaggio)) {
            *buono = testo;
            return;
        }
        {
            const QSignalBlocker blocco(c);
            scrivi(c, *buono);
        }
        // The warning comes after the edit has been undone, outside the box's own handler.
        QPointer<QWidget> casella(c);
        QTimer::singleShot(0, c, [casella, messaggio] {
            if (casella) Avviso(casella->window(), messaggio);
        });
    };
    if constexpr (std::is_same_v<Casella, QPlainTextEdit>)
        QObject::connect(c, &QPlainTextEdit::textChanged, c, controlla);
    else
        QObject::connect(c, &QLineEdit::textChanged, c, controlla);
}

}  // namespace

void SoloCp1252(QWidget* casella) {
    if (auto* combo = qobject_cast<QComboBox*>(casella)) casella = combo->lineEdit();
    if (auto* riga = qobject_cast<QLineEdit*>(casella)) {
        Sorveglia(
            riga, [](QLineEdit* e) { return e->text(); },
            [](QLineEdit* e, const QString& t) {
                const int pos = e->cursorPosition() - static_cast<int>(e->text().size() - t.size());
                e->setText(t);
                e->setCursorPosition(std::clamp(pos, 0, static_cast<int>(t.size())));
            });
    } else if (auto* testo = qobject_cast<QPlainTextEdit*>(casella)) {
        Sorveglia(
            testo, [](QPlainTextEdit* e) { return e->toPlainText(); },
            [](QPlainTextEdit* e, const QString& t) {
                const int pos = e->textCursor().position() -
                                static_cast<int>(e->toPlainText().size() - t.size());
                e->setPlainText(t);
                QTextCursor cursore = e->textCursor();
                cursore.setPosition(std::clamp(pos, 0, static_cast<int>(t.size())));
                e->setTextCursor(cursore);
            });
    }
}

void MessaggiUI::Mostra(const std::string& sTesto, const std::string& sTitolo, Icona icona) {
    ServiziUI().Messaggio(mpPadre, QString::fromStdString(Cp1252InUtf8(sTesto)),
                          icona == Icona::Critico ? IconaUI::Critico : IconaUI::Esclamazione,
                          PulsantiUI::Ok, QString::fromStdString(Cp1252InUtf8(sTitolo)));
}

RispostaUI ServiziUIQt::Messaggio(QWidget* padre, const QString& testo, IconaUI icona,
                                  PulsantiUI pulsanti, const QString& titolo) {
    QMessageBox box(padre);
    box.setWindowTitle(titolo);
    box.setText(testo);
    switch (icona) {
        case IconaUI::Esclamazione:
            box.setIcon(QMessageBox::Warning);
            break;
        case IconaUI::Domanda:
            box.setIcon(QMessageBox::Question);
            break;
        case IconaUI::Critico:
            box.setIcon(QMessageBox::Critical);
            break;
        case IconaUI::Informazione:
            box.setIcon(QMessageBox::Information);
            break;
    }
    switch (pulsanti) {
        case PulsantiUI::Ok:
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case PulsantiUI::SiNo:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            box.setEscapeButton(QMessageBox::No);
            break;
        case PulsantiUI::SiNoAnnulla:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            box.setEscapeButton(QMessageBox::Cancel);
            break;
    }
    // The buttons speak the editor's language whatever the system's is, each with its key.
    const std::pair<QMessageBox::StandardButton, QString> testi[] = {
        {QMessageBox::Ok, TestoRisorsa(30040, "OK")},
        {QMessageBox::Yes, TestoRisorsa(30920, "&S\u00EC")},
        {QMessageBox::No, TestoRisorsa(30921, "&No")},
        {QMessageBox::Cancel, TestoRisorsa(30922, "&Annulla")}};
    for (const auto& [pulsante, testo] : testi)
        if (QAbstractButton* b = box.button(pulsante)) b->setText(testo);
    // A prompt must be answerable even while the hourglass shows.
    const bool occupato = QApplication::overrideCursor() != nullptr;
    if (occupato) QApplication::setOverrideCursor(Qt::ArrowCursor);
    const int r = box.exec();
    if (occupato) QApplication::restoreOverrideCursor();
    switch (r) {
        case QMessageBox::Yes:
            return RispostaUI::Si;
        case QMessageBox::No:
            return RispostaUI::No;
        case QMessageBox::Cancel:
            return RispostaUI::Annulla;
        default:
            return RispostaUI::Ok;
    }
}

QString ServiziUIQt::NomeFileApri(QWidget* padre, const QString& titolo, const QString& cartella,
                                  const QString& filtro) {
    return QFileDialog::getOpenFileName(padre, titolo, cartella, filtro);
}

QString ServiziUIQt::NomeFileSalva(QWidget* padre, const QString& titolo, const QString& nome,
                                   const QString& filtro) {
    return QFileDialog::getSaveFileName(padre, titolo, nome, filtro);
}

void ServiziUIQt::CursoreOccupato(bool attivo) {
    if (attivo)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else if (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
}

QString ServiziUIQt::ChiediTesto(QWidget* padre, const QString& titolo, const QString& etichetta,
                                 const QString& testo) {
    bool ok = false;
    const QString risposta =
        QInputDialog::getText(padre, titolo, etichetta, QLineEdit::Normal, testo, &ok);
    return ok ? risposta : QString();
}

}  // namespace tarno
