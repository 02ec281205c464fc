#pragma once
// The selection dialog: shows the sample text so that the user can mark a piece of a line and
// hand back its column, length and text.

#include <QDialog>
#include <memory>

namespace Ui {
class frmSeleziona;
}
class QTextDocument;

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

    Ui::frmSeleziona* ui() const { return mpUi.get(); }

    void AggiornaPosizione();
    void cmOK_Click();

  protected:
    bool eventFilter(QObject* obj, QEvent* ev) override;
    void resizeEvent(QResizeEvent* ev) override;

  private:
    std::unique_ptr<Ui::frmSeleziona> mpUi;
};

}  // namespace tarno
