#pragma once
// The About box, shown without blocking the main window.

#include <QDialog>
#include <memory>

namespace Ui {
class frmAbout;
}

namespace tarno {

class frmAbout : public QDialog {
    Q_OBJECT

  public:
    explicit frmAbout(QWidget* parent = nullptr);
    ~frmAbout() override;
    Ui::frmAbout* ui() const { return mpUi.get(); }

  private:
    std::unique_ptr<Ui::frmAbout> mpUi;
};

}  // namespace tarno
