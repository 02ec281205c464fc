#include "Applicazione.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "Risorse.h"
#include "clsStringhe.h"

namespace tarno {

void PreparaApplicazione() {
    QCoreApplication::setApplicationName(QStringLiteral("TarnoDriver"));
    // Fusion draws the keyboard focus on every control, the tab bar and the grids' cells included.
    QApplication::setStyle(QStringLiteral("Fusion"));
    // The window system shows it after every window's own title.
    QGuiApplication::setApplicationDisplayName(TestoRisorsa(30200, "Tarno Driver"));
    // Qt speaks English by itself; other languages come from its translations, when installed.
    const QString lingua = LinguaInterfaccia();
    if (lingua == QLatin1String("en")) return;
    auto* traduzione = new QTranslator(qApp);
    if (traduzione->load(QStringLiteral("qtbase_") + lingua,
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(traduzione);
    else
        delete traduzione;
}

}  // namespace tarno
