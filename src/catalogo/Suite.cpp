#include "catalogo/Suite.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

#include "catalogo/Configurazione.h"
#include "model/Testo.h"
#include "model/clsProfiloINI.h"

namespace tarno {

namespace {

constexpr auto PERMESSI_FILE = QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                               QFileDevice::ReadGroup | QFileDevice::ReadOther;

QString IniIn(const QString& sCartella) {
    return QDir(sCartella).filePath(QString::fromLatin1(NOME_FILE_INI));
}

bool ScrivibileDa(const QString& sCartella) {
    const QFileInfo info(sCartella);
    return info.isDir() && info.isWritable();
}

// Copies every file under sDa missing under sA; false with the path that failed.
bool CopiaMancanti(const QString& sDa, const QString& sA, QString& rsFallito) {
    QDirIterator it(sDa, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString origine = it.next();
        const QString destinazione = QDir(sA).filePath(QDir(sDa).relativeFilePath(origine));
        if (QFileInfo::exists(destinazione)) continue;
        if (!QDir().mkpath(QFileInfo(destinazione).path()) || !QFile::copy(origine, destinazione) ||
            !QFile::setPermissions(destinazione, PERMESSI_FILE)) {
            rsFallito = destinazione;
            return false;
        }
    }
    return true;
}

// A path as Tarnosuite.ini holds it (Windows-1252); nothing when it cannot.
std::optional<std::string> PercorsoIni(const QString& sPercorso) {
    return Utf8InCp1252(QFile::encodeName(QDir::toNativeSeparators(sPercorso)).toStdString());
}

// The per-user suite from the installed demo; "" when done, otherwise the path that failed.
QString CreaSuiteUtente(const LuoghiSuite& l) {
    const QString catalogo = QDir(l.sCartellaUtente).filePath(QStringLiteral("catalogo.db"));
    QString fallito;
    // Paths the file cannot hold: nothing is copied. A documents folder whose name
    // Windows-1252 cannot hold ("Документы") gives way to the fallback folder first.
    QString cartellaLavoro = l.sCartellaLavoro;
    auto lavoro = PercorsoIni(cartellaLavoro);
    if (!lavoro && !l.sCartellaLavoroRiserva.isEmpty()) {
        cartellaLavoro = l.sCartellaLavoroRiserva;
        lavoro = PercorsoIni(cartellaLavoro);
    }
    const auto database = PercorsoIni(catalogo);
    if (!database) return catalogo;
    if (!lavoro) return cartellaLavoro;
    if (!QDir().mkpath(l.sCartellaUtente)) return l.sCartellaUtente;
    if (!QFileInfo::exists(catalogo) &&
        (!QFile::copy(QDir(l.sCartellaInstallata).filePath(QStringLiteral("catalogo.db")),
                      catalogo) ||
         !QFile::setPermissions(catalogo, PERMESSI_FILE)))
        return catalogo;
    const QString demo = QDir(l.sCartellaInstallata).filePath(QStringLiteral("demo"));
    if (!QDir().mkpath(cartellaLavoro)) return cartellaLavoro;
    if (!CopiaMancanti(demo, cartellaLavoro, fallito)) return fallito;
    const std::string testo = "[Configurazione]\r\nVersioneDB=Access\r\nDatabase=" + *database +
                              "\r\nWorkDir=" + *lavoro + "\r\n";
    // A temporary file is created readable by its owner only, and renamed when complete.
    const QString ini = IniIn(l.sCartellaUtente);
    QTemporaryFile temporaneo(ini + QStringLiteral(".XXXXXX"));
    if (!temporaneo.open() ||
        temporaneo.write(testo.data(), static_cast<qint64>(testo.size())) !=
            static_cast<qint64>(testo.size()) ||
        !temporaneo.flush() || !temporaneo.rename(ini))
        return ini;
    temporaneo.setAutoRemove(false);
    return QString();
}

}  // namespace

LuoghiSuite LuoghiDelProgramma(const QString& sCartellaProgramma) {
    LuoghiSuite l;
    l.sCartellaProgramma = sCartellaProgramma;
    const QString dati = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (!dati.isEmpty())
        l.sCartellaUtente = QDir(dati).filePath(QString::fromLatin1(CARTELLA_SUITE_UTENTE));
    l.sFileSistema = QString::fromLatin1(FILE_INI_SISTEMA);
    l.sCartellaInstallata =
        QDir::cleanPath(sCartellaProgramma + QStringLiteral("/../share/tarnodriver"));
    const QString documenti = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documenti.isEmpty())
        l.sCartellaLavoro = QDir(documenti).filePath(QString::fromLatin1(CARTELLA_SUITE_UTENTE));
    l.sCartellaLavoroRiserva = QDir::home().filePath(QString::fromLatin1(CARTELLA_SUITE_UTENTE));
    return l;
}

SuiteTrovata TrovaSuite(const LuoghiSuite& l, bool bCrea) {
    SuiteTrovata s;
    s.sFileIni = IniIn(l.sCartellaProgramma);
    s.sCartellaLog = l.sCartellaProgramma;
    if (QFileInfo::exists(s.sFileIni)) {
        s.origine = OrigineSuite::Programma;
        return s;
    }
    if (l.sCartellaUtente.isEmpty()) return s;
    const QString iniUtente = IniIn(l.sCartellaUtente);
    if (QFileInfo::exists(iniUtente)) {
        s.origine = OrigineSuite::Utente;
        s.sFileIni = iniUtente;
    } else if (!l.sFileSistema.isEmpty() && QFileInfo::exists(l.sFileSistema)) {
        s.origine = OrigineSuite::Sistema;
        s.sFileIni = l.sFileSistema;
    } else if (bCrea && !l.sCartellaLavoro.isEmpty() &&
               QFileInfo::exists(
                   QDir(l.sCartellaInstallata).filePath(QStringLiteral("catalogo.db")))) {
        s.sNonCreato = CreaSuiteUtente(l);
        if (!s.sNonCreato.isEmpty()) return s;
        s.origine = OrigineSuite::Creata;
        s.sFileIni = iniUtente;
    } else if (ScrivibileDa(l.sCartellaProgramma)) {
        return s;  // nothing found: the log stays beside the program
    }
    // The per-user folder exists once a log is to be written there.
    QDir().mkpath(l.sCartellaUtente);
    s.sCartellaLog = l.sCartellaUtente;
    return s;
}

bool PasswordLeggibileDaTutti(const QString& sFileIni) {
    if (!(QFile::permissions(sFileIni) & QFileDevice::ReadOther)) return false;
    const auto ini = clsProfiloINI::DaFile(QFile::encodeName(sFileIni).toStdString());
    return !ini.Leggi("Configurazione", "PwdID").empty();
}

}  // namespace tarno
