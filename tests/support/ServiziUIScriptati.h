#pragma once
// Prompts and file dialogs answered by script, for the window tests.

#include <QString>
#include <QStringList>
#include <deque>
#include <vector>

#include "kit/ServiziUI.h"

namespace tarno {

// Answers from queues and records every prompt. An empty answer queue gives the default: Ok
// for messages, Annulla (or No without a cancel button) for questions, "" for file names.
class ServiziUIScriptati : public IServiziUI {
  public:
    struct Richiesta {
        QString testo;
        IconaUI icona;
        PulsantiUI pulsanti;
        QString titolo;
    };
    RispostaUI Messaggio(QWidget* padre, const QString& testo, IconaUI icona, PulsantiUI pulsanti,
                         const QString& titolo) override;
    QString NomeFileApri(QWidget* padre, const QString& titolo, const QString& cartella,
                         const QString& filtro) override;
    QString NomeFileSalva(QWidget* padre, const QString& titolo, const QString& nome,
                          const QString& filtro) override;
    void CursoreOccupato(bool attivo) override;
    QString ChiediTesto(QWidget* padre, const QString& titolo, const QString& etichetta,
                        const QString& testo) override;

    void Reimposta();

    std::deque<RispostaUI> mRisposte;
    std::deque<QString> mNomiFile;
    std::deque<QString> mTesti;  // answers to ChiediTesto
    QStringList mDomande;        // the labels of the texts asked for
    std::vector<Richiesta> mMessaggi;
    QStringList mDialoghiFile;  // the titles of the file dialogs shown
    QStringList mFiltri;        // and their filters
    QStringList mCartelle;      // and their folders or proposed names
    int miCursore = 0;          // current nesting of the busy cursor
    int miMaxCursore = 0;
};

}  // namespace tarno
