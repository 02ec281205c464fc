// The one main of every Qt test program: one QApplication on the offscreen platform, settings and
// runtime files in a temporary folder of their own.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QSettings>
#include <QTemporaryDir>

#include "kit/Applicazione.h"
#include "kit/clsStringhe.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // Listing the tests (CTest's discovery) needs no window system.
    if (::testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();
    QTemporaryDir cartella;
    qputenv("XDG_CONFIG_HOME", cartella.filePath(QStringLiteral("config")).toUtf8());
    const QString runtime = cartella.filePath(QStringLiteral("runtime"));
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", runtime.toUtf8());
    // Not QStandardPaths' test mode: its folder (~/.qttest) is shared by every test process.
    const QString impostazioni = cartella.filePath(QStringLiteral("config"));
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, impostazioni);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, impostazioni);
    // The editor speaks Italian in the tests, whatever the system's language.
    qputenv("LANGUAGE", "it");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationVersion(QStringLiteral("5.0.4"));
    // "--lingua en" runs the tests in English, read before any text, as the program does.
    tarno::OpzioneLingua(QApplication::arguments().mid(1));
    tarno::PreparaApplicazione();
    return RUN_ALL_TESTS();
}
