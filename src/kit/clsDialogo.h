#pragma once
// The life cycle every dialog of the editor shares. Form_Load fills the dialog from its members
// once per opening: at the latest when it is shown, or earlier when its owner calls it (under
// a busy cursor, say). Hiding the dialog unloads it, so that the next opening starts again
// from the members and not from edits that were cancelled.

#include <QDialog>

namespace tarno {

class clsDialogo : public QDialog {
  public:
    using QDialog::QDialog;

    // Runs Carica unless it has run since the dialog was last hidden.
    void Form_Load();

  protected:
    // What the dialog loads: texts, position, its controls from the members.
    virtual void Carica() = 0;
    void showEvent(QShowEvent* ev) override;
    void hideEvent(QHideEvent* ev) override;

  private:
    bool mbCaricato = false;
};

}  // namespace tarno
