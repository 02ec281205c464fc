#pragma once
// Where a program of the suite finds its Tarnosuite.ini, and where the engine's log
// VerificaDrv.log is written and read. The places are looked at in this order:
//   1. Tarnosuite.ini in the program's folder (a build folder, a portable copy);
//   2. the per-user suite: <user data folder>/TarnoDriver/Tarnosuite.ini ($XDG_DATA_HOME, by
//      default ~/.local/share), when it exists;
//   3. the system-wide /etc/tarnodriver/Tarnosuite.ini, when an administrator placed one;
//   4. when the caller asks for it (the editor does), a per-user suite created from the demo
//      suite installed with the programs (<program>/../share/tarnodriver): its own SQLite
//      catalogue and a Tarnosuite.ini readable by its owner only, WorkDir a folder TarnoDriver
//      in the user's documents with the demo drivers and printouts.
// The user's own suite comes before the machine's, as the user's settings come before the
// system's: a user moves to the shared catalogue by removing the per-user Tarnosuite.ini.
// The log lies in the program's folder when the suite is there (as it always did), in the
// per-user folder otherwise, so the engine writes it where the user can write.

#include <QString>

namespace tarno {

inline constexpr const char* CARTELLA_SUITE_UTENTE = "TarnoDriver";
inline constexpr const char* FILE_INI_SISTEMA = "/etc/tarnodriver/Tarnosuite.ini";

struct LuoghiSuite {
    QString sCartellaProgramma;
    QString sCartellaUtente;      // the per-user suite; "" = none (only the program's folder)
    QString sFileSistema;         // the system-wide Tarnosuite.ini; "" = none
    QString sCartellaInstallata;  // the installed demo suite: catalogo.db, demo/Driver, demo/Dati
    QString sCartellaLavoro;      // WorkDir of a per-user suite created here
    // WorkDir instead, where the file cannot hold sCartellaLavoro's name (documents folder
    // named in another alphabet); "" = none
    QString sCartellaLavoroRiserva;
};

// The places of a program that lives in sCartellaProgramma, from the user's environment.
LuoghiSuite LuoghiDelProgramma(const QString& sCartellaProgramma);

enum class OrigineSuite { Programma, Utente, Sistema, Creata, Nessuna };

struct SuiteTrovata {
    OrigineSuite origine = OrigineSuite::Nessuna;
    QString sFileIni;      // the Tarnosuite.ini to read; with Nessuna the one beside the program
    QString sCartellaLog;  // the folder of VerificaDrv.log
    QString sNonCreato;    // the per-user suite could not be created: the path that failed
};

// Looks the suite up; with bCrea a missing per-user suite is created from the installed demo.
// Files of an earlier per-user suite (its catalogue, drivers and printouts) are kept: only the
// missing ones are copied, and Tarnosuite.ini, written last, makes the suite.
SuiteTrovata TrovaSuite(const LuoghiSuite& luoghi, bool bCrea);

// True when the file holds a database password (a PwdID key with a value) and every user of
// the machine may read it.
bool PasswordLeggibileDaTutti(const QString& sFileIni);

}  // namespace tarno
