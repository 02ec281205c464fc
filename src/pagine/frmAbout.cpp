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
    // The programs of this installation with their version (the editor and the engine are
    // built together); the suite's others are not installed with it.
    for (QLabel* programma : {mpUi->lblVer1, mpUi->lblVer2})
        programma->setText(programma->text() + QLatin1Char(' ') + v.toString());
    for (QLabel* programma : {mpUi->lblVer3, mpUi->lblVer4, mpUi->lblVer5})
        programma->setText(TestoRisorsa(30932, "%1: non installato").arg(programma->text()));
    mpUi->Picture1->setPixmap(style()->standardIcon(QStyle::SP_ComputerIcon).pixmap(64, 64));
    connect(mpUi->cmdChiudi, &QPushButton::clicked, this, &QDialog::close);
}

frmAbout::~frmAbout() = default;

}  // namespace tarno
