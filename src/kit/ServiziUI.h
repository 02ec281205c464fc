#pragma once
// The editor's prompts behind one interface: message boxes, questions, file dialogs and the busy
// cursor. The editor uses the Qt implementation; tests install a scripted one that answers
// from a queue and records what was asked, so that no dialog ever blocks a test.

#include <QString>
#include <QStringList>
#include <deque>
#include <memory>
#include <vector>

#include "model/Messaggi.h"

class QWidget;

namespace tarno {

enum class IconaUI { Esclamazione, Domanda, Critico, Informazione };
enum class RispostaUI { Ok, Si, No, Annulla };
enum class PulsantiUI { Ok, SiNo, SiNoAnnulla };

class IServiziUI {
  public:
    virtual ~IServiziUI() = default;
    // A message box; with Ok buttons the answer is Ok.
    virtual RispostaUI Messaggio(QWidget* padre, const QString& testo, IconaUI icona,
                                 PulsantiUI pulsanti, const QString& titolo) = 0;
    // A file to open or to save; "" when the user cancelled. filtro uses Qt's syntax
    // ("Driver (*.drv);;Tutti i file (*)").
    virtual QString NomeFileApri(QWidget* padre, const QString& titolo, const QString& cartella,
                                 const QString& filtro) = 0;
    virtual QString NomeFileSalva(QWidget* padre, const QString& titolo, const QString& nome,
                                  const QString& filtro) = 0;
    // The hourglass cursor on (nested calls count) and off.
    virtual void CursoreOccupato(bool attivo) = 0;
    // A line of text asked for (testo proposed); "" when the user cancelled.
    virtual QString ChiediTesto(QWidget* padre, const QString& titolo, const QString& etichetta,
                                const QString& testo) {
        (void)padre, (void)titolo, (void)etichetta, (void)testo;
        return {};
    }
};

// The services in use (the Qt ones unless a test installed others).
IServiziUI& ServiziUI();
// Installs other services (nullptr: back to the Qt ones); the caller keeps ownership.
void ImpostaServiziUI(IServiziUI* servizi);

// A file-dialog filter written as pairs "description|patterns|..." (the string table's form,
// e.g. "File di testo (*.txt)|*.txt|Tutti file (*.*)|*.*") in Qt's form: the descriptions
// with the patterns of each pair ("File di testo (*.txt);;Tutti file (*)").
QString FiltroQt(const QString& sFiltro);

// The usual warning: exclamation icon, OK, title "Attenzione".
void Avviso(QWidget* padre, const QString& testo);

// Text boxes (QLineEdit, editable QComboBox, QPlainTextEdit) that take only what a driver
// file can hold: an edit that brings in a character Windows-1252 cannot hold is undone and a
// warning says which character it was.
void SoloCp1252(QWidget* casella);

// Shows the hourglass cursor for its lifetime, on every way out.
class CursoreOccupato {
  public:
    CursoreOccupato() { ServiziUI().CursoreOccupato(true); }
    ~CursoreOccupato() { ServiziUI().CursoreOccupato(false); }
    CursoreOccupato(const CursoreOccupato&) = delete;
    CursoreOccupato& operator=(const CursoreOccupato&) = delete;
};

// The model's messages shown as warnings of the UI services.
class MessaggiUI : public IMessaggi {
  public:
    explicit MessaggiUI(QWidget* padre) : mpPadre(padre) {}
    void Mostra(const std::string& sTesto, const std::string& sTitolo, Icona icona) override;

  private:
    QWidget* mpPadre;
};

class ServiziUIQt : public IServiziUI {
  public:
    RispostaUI Messaggio(QWidget* padre, const QString& testo, IconaUI icona, PulsantiUI pulsanti,
                         const QString& titolo) override;
    QString NomeFileApri(QWidget* padre, const QString& titolo, const QString& cartella,
                         const QString& filtro) override;
    QString NomeFileSalva(QWidget* padre, const QString& titolo, const QString& nome,
                          const QString& filtro) override;
    void CursoreOccupato(bool attivo) override;
    QString ChiediTesto(QWidget* padre, const QString& titolo, const QString& etichetta,
                        const QString& testo) override;
};

}  // namespace tarno
