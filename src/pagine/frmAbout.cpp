#include "pagine/frmAbout.h"

#include <QApplication>
#include <QStyle>
#include <QVersionNumber>

#include "kit/Risorse.h"
#include "ui_frmAbout.h"

namespace tarno {

frmAbout::frmAbout(QWidget* parent) : QDialog(parent), mpUi(std::make_unique<Ui::frmAbout>()) {
    mpUi->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    CaricaTestiRisorse(this);
    // "Versione" followed by major.minor.revision of the program and one space.
    const QVersionNumber v = QVersionNumber::fromString(QApplication::applicationVersion());
    mpUi->lblVersione->setText(mpUi->lblVersione->text() + QStringLiteral(" %1.%2.%3 ")
                                                               .arg(v.majorVersion())
                                                               .arg(v.minorVersion())
                                                               .arg(v.microVersion()));
    mpUi->Picture1->setPixmap(style()->standardIcon(QStyle::SP_ComputerIcon).pixmap(64, 64));
    connect(mpUi->cmdChiudi, &QPushButton::clicked, this, &QDialog::close);
}

frmAbout::~frmAbout() = default;

}  // namespace tarno
