#include "kit/Applicazione.h"

#include <QApplication>
#include <QEvent>
#include <QLibraryInfo>
#include <QTranslator>
#include <QWidget>
#include <QWindow>

#include "kit/Risorse.h"
#include "kit/clsStringhe.h"

namespace tarno {

namespace {

// The window system writes the application's display name after every window title that does
// not end with it; the main window's own title starts with it ("Tarno Driver - <file>"), so it
// would show twice. For such a window the title is handed to the window system again with the
// display name set aside for that moment.
class TitoloSenzaRipetizione : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* o, QEvent* ev) override {
        const QEvent::Type t = ev->type();
        if (t != QEvent::WindowTitleChange && t != QEvent::ModifiedChange && t != QEvent::Show)
            return false;
        auto* w = qobject_cast<QWidget*>(o);
        QWindow* finestra = w && w->isWindow() ? w->windowHandle() : nullptr;
        const QString nome = QGuiApplication::applicationDisplayName();
        if (!finestra || nome.isEmpty() || !finestra->title().startsWith(nome)) return false;
        QGuiApplication::setApplicationDisplayName(QString());
        finestra->setTitle(finestra->title());
        QGuiApplication::setApplicationDisplayName(nome);
        return false;
    }
};

}  // namespace

void PreparaApplicazione() {
    QCoreApplication::setApplicationName(QStringLiteral("TarnoDriver"));
    // Fusion draws the keyboard focus on every control, the tab bar and the grids' cells included.
    QApplication::setStyle(QStringLiteral("Fusion"));
    // The window system shows it after every window's own title.
    QGuiApplication::setApplicationDisplayName(TestoRisorsa(30200, "Tarno Driver"));
    qApp->installEventFilter(new TitoloSenzaRipetizione(qApp));
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

QSettings ImpostazioniUtente() {
    return QSettings(QStringLiteral("TarnoDriver"), QStringLiteral("TarnoDriver"));
}

}  // namespace tarno
