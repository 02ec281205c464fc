#include "ServiziUI.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

#include "Testo.h"

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
                          QString::fromLatin1(TITOLO_ATTENZIONE));
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

RispostaUI ServiziUIScriptati::Messaggio(QWidget*, const QString& testo, IconaUI icona,
                                         PulsantiUI pulsanti, const QString& titolo) {
    mMessaggi.push_back(Richiesta{testo, icona, pulsanti, titolo});
    if (pulsanti == PulsantiUI::Ok) return RispostaUI::Ok;
    if (mRisposte.empty())
        return pulsanti == PulsantiUI::SiNoAnnulla ? RispostaUI::Annulla : RispostaUI::No;
    const RispostaUI r = mRisposte.front();
    mRisposte.pop_front();
    return r;
}

QString ServiziUIScriptati::NomeFileApri(QWidget*, const QString& titolo, const QString& cartella,
                                         const QString& filtro) {
    mDialoghiFile << titolo;
    mFiltri << filtro;
    mCartelle << cartella;
    if (mNomiFile.empty()) return {};
    const QString n = mNomiFile.front();
    mNomiFile.pop_front();
    return n;
}

QString ServiziUIScriptati::NomeFileSalva(QWidget* padre, const QString& titolo,
                                          const QString& nome, const QString& filtro) {
    return NomeFileApri(padre, titolo, nome, filtro);
}

void ServiziUIScriptati::CursoreOccupato(bool attivo) {
    miCursore += attivo ? 1 : -1;
    if (miCursore > miMaxCursore) miMaxCursore = miCursore;
}

void ServiziUIScriptati::Reimposta() { *this = ServiziUIScriptati(); }

}  // namespace tarno
