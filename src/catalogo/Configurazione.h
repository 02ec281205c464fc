#pragma once
// The suite's configuration file Tarnosuite.ini (section "Configurazione") and the editor's
// command line. Read only: the editor never writes the configuration.

#include <cstdint>
#include <string>

namespace tarno {

inline constexpr const char* NOME_FILE_INI = "Tarnosuite.ini";

// Database kinds of the catalogue.
enum : int16_t { DB_ACCESS = 1, DB_SQLSERVER = 2, DB_ALTRO = 3 };

struct Configurazione {
    std::string msFileIni;
    int16_t miVersioneDBTarno = DB_ALTRO;
    std::string msDSNName;
    std::string msLoginID_SQLServer;
    std::string msPWD_SQLServer;
    std::string msDatabaseFile;
    std::string msWorkDir;
};

enum class EsitoConfigurazione {
    Completa,          // the connection can be tried
    FileMancante,      // no configuration file
    DatabaseMancante,  // kind Access without a database file
};

// Reads the configuration file: VersioneDB (compared without case: "ACCESS" 1, "SQLSERVER" 2,
// anything else 3), the keys of that kind, and WorkDir; a missing key reads "". On any outcome
// other than Completa, msDatabaseFile and msDSNName are left empty.
EsitoConfigurazione LeggiConfigurazione(const std::string& sFileIni, Configurazione& rCfg);

// The connection string of the catalogue: for Access "Driver=Microsoft Access Driver
// (*.mdb);DBQ=" + file; otherwise "DSN=" + name + ";" and, with a login, "UID=...;PWD=...;".
std::string StringaConnessione(const Configurazione& cfg);

// Every occurrence of sCarattere in sTesto replaced by sNuovo (the catalogue doubles single
// quotes with it).
std::string SostituisciCarattere(const std::string& sTesto, const std::string& sCarattere,
                                 const std::string& sNuovo);

// Brand and model of the command line "/M" + brand + "/N" + model: the brand is the text after
// "/M" up to "/N", the model the text after "/N" to the end; nothing is trimmed. False when
// the line holds no "/M". Without "/N" the brand runs to the end and the model is "".
bool DividiRigaComando(const std::string& sRiga, std::string& rsMarca, std::string& rsModello);

}  // namespace tarno
