#pragma once
// The selection dialog: shows the sample text so that the user can mark a piece of a line and
// hand back its column, length and text.

#include <QDialog>
#include <memory>
#include <optional>
#include <string>

#include "engine/CampiSeparati.h"
#include "engine/clsAnalizzatore.h"

namespace Ui {
class frmSeleziona;
}
class QTextCursor;
class QTextDocument;
class QTextEdit;

namespace tarno {

class frmSeleziona : public QDialog {
    Q_OBJECT

  public:
    explicit frmSeleziona(QWidget* parent = nullptr);
    ~frmSeleziona() override;

    // The sample text of the main window, with its colours.
    void ImpostaTesto(const QTextDocument* documento);

    // Results: the column (from 1) and length of the selection and its characters; 0, 0 and
    // empty when nothing was chosen.
    int32_t miInizio = 0;
    int32_t miLunghezza = 0;
    QString msSelText;

    // A piece of one line of the sample text, ready for a grid row.
    struct Scelta {
        int32_t miInizio;
        int32_t miLunghezza;
        std::string msValore;    // Windows-1252
        int32_t miNelCampo = 0;  // separated fields: the start inside the field (0: 1)
    };
    // Shows the dialog at the mouse pointer over the sample text and returns the piece chosen;
    // nothing when nothing was chosen, or when the choice spans lines, exceeds the limits or
    // holds characters Windows-1252 cannot hold (each said in a warning). With pSeparazione
    // (a driver of separated fields) a click selects the field under it, and the piece is
    // the field's number with the length (0: all of it) and start of the part chosen.
    // The text starts with the characters viDa to viA (positions in testo) selected, when
    // given (the selection the user made already in the sample view).
    static std::optional<Scelta> Scegli(QWidget* parent, const QTextDocument* testo,
                                        int32_t viMaxInizio, int32_t viMaxLunghezza,
                                        const Separazione* pSeparazione = nullptr, int viDa = -1,
                                        int viA = -1);

    // In a printout of separated fields, the field under the selection of c on the selection's
    // first line (CampoDelTratto). With pCampo, a selection that is not a part of the field
    // is widened to all of the field there; pTesto takes the text of the field or of its part
    // (Windows-1252, quotes read).
    static std::optional<PosizioneCampo> CampoSelezione(const QTextCursor& c, const Separazione& s,
                                                        QTextCursor* pCampo = nullptr,
                                                        std::string* pTesto = nullptr);

    // The column (from 1) of position iInizio within its line of sTesto.
    static int ColonnaSelezione(const QString& sTesto, int iInizio);
    // The fixed-pitch font of every view of the sample text, and its event filters.
    static void PreparaVistaCampione(QTextEdit* rtf, QObject* filtro);

    Ui::frmSeleziona* ui() const { return mpUi.get(); }

    void AggiornaPosizione();
    void cmOK_Click();

  protected:
    bool eventFilter(QObject* obj, QEvent* ev) override;
    void resizeEvent(QResizeEvent* ev) override;

  private:
    std::unique_ptr<Ui::frmSeleziona> mpUi;
    std::optional<Separazione> mSeparazione;
};

}  // namespace tarno
