#include "catalogo/Configurazione.h"

#include "model/File.h"
#include "model/Testo.h"
#include "model/clsProfiloINI.h"

namespace tarno {

EsitoConfigurazione LeggiConfigurazione(const std::string& sFileIni, Configurazione& rCfg) {
    rCfg = Configurazione();
    rCfg.msFileIni = sFileIni;
    if (!EsisteFile(sFileIni)) return EsitoConfigurazione::FileMancante;
    const auto ini = clsProfiloINI::DaFile(sFileIni);
    constexpr const char* SEZ = "Configurazione";
    const std::string versione = Maiuscolo(ini.Leggi(SEZ, "VersioneDB"));
    rCfg.miVersioneDBTarno = versione == "ACCESS"      ? DB_ACCESS
                             : versione == "SQLSERVER" ? DB_SQLSERVER
                                                       : DB_ALTRO;
    if (rCfg.miVersioneDBTarno == DB_SQLSERVER) {
        rCfg.msDSNName = ini.Leggi(SEZ, "DSNTarno");
        rCfg.msLoginID_SQLServer = ini.Leggi(SEZ, "LoginID");
        rCfg.msPWD_SQLServer = ini.Leggi(SEZ, "PwdID");
    } else if (rCfg.miVersioneDBTarno == DB_ACCESS) {
        rCfg.msDatabaseFile = ini.Leggi(SEZ, "Database");
    }
    rCfg.msWorkDir = ini.Leggi(SEZ, "WorkDir");
    if (rCfg.miVersioneDBTarno == DB_ACCESS && rCfg.msDatabaseFile.empty())
        return EsitoConfigurazione::DatabaseMancante;
    return EsitoConfigurazione::Completa;
}

std::string StringaConnessione(const Configurazione& cfg) {
    if (cfg.miVersioneDBTarno == DB_ACCESS)
        return "Driver=Microsoft Access Driver (*.mdb);DBQ=" + cfg.msDatabaseFile;
    std::string s = "DSN=" + cfg.msDSNName + ";";
    if (!cfg.msLoginID_SQLServer.empty())
        s += "UID=" + cfg.msLoginID_SQLServer + ";PWD=" + cfg.msPWD_SQLServer + ";";
    return s;
}

std::string SostituisciCarattere(const std::string& sTesto, const std::string& sCarattere,
                                 const std::string& sNuovo) {
    if (sCarattere.empty()) return sTesto;
    std::string r;
    size_t da = 0;
    for (size_t p; (p = sTesto.find(sCarattere, da)) != std::string::npos;
         da = p + sCarattere.size())
        r.append(sTesto, da, p - da).append(sNuovo);
    return r.append(sTesto, da, std::string::npos);
}

bool DividiRigaComando(const std::string& sRiga, std::string& rsMarca, std::string& rsModello) {
    rsMarca.clear();
    rsModello.clear();
    const size_t m = sRiga.find("/M");
    if (m == std::string::npos) return false;
    const size_t n = sRiga.find("/N", m + 2);
    if (n == std::string::npos) {
        rsMarca = sRiga.substr(m + 2);
    } else {
        rsMarca = sRiga.substr(m + 2, n - m - 2);
        rsModello = sRiga.substr(n + 2);
    }
    return true;
}

}  // namespace tarno
