#pragma once
// What the engine tests share: the demo catalogue's formats read from its SQL, the expected
// logs with their path placeholders, and the lines of a log.

#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "Supporto.h"
#include "TarnoVersione.h"

namespace tarno::prova {

// The FormatiData and FormatiOra rows of the demo catalogue's SQL, by code.
inline std::map<int16_t, std::string> FormatiDemo() {
    std::map<int16_t, std::string> formati;
    const std::regex riga(
        R"(INSERT INTO Formati(Data|Ora) \(sCodice, sFormato\) VALUES \('(\d+)', '([^']*)'\);)");
    std::istringstream in(LeggiTutto(TARNO_DEMO_DIR "/catalogo.sql"));
    for (std::string s; std::getline(in, s);) {
        std::smatch m;
        if (std::regex_search(s, m, riga))
            formati[static_cast<int16_t>(std::stoi(m[2].str()))] = m[3].str();
    }
    return formati;
}

// An expected log, with "@DRIVER@" and "@DATI@" replaced by the paths of the run as the log
// shows them (Windows-1252), and "@VERSIONE@" by the version of the build.
inline std::string LogAtteso(const fs::path& atteso, const std::string& sDriver,
                             const std::string& sDati) {
    std::string s = LeggiTutto(atteso);
    for (const auto& [da, a] : {std::pair{"@DRIVER@", W(sDriver)}, std::pair{"@DATI@", W(sDati)},
                                std::pair{"@VERSIONE@", std::string(TARNO_VERSIONE)}})
        for (size_t p = s.find(da); p != std::string::npos; p = s.find(da, p + a.size()))
            s.replace(p, std::string_view(da).size(), a);
    return s;
}

// The lines of a log, split at CR LF.
inline std::vector<std::string> RigheLog(const std::string& testo) {
    std::vector<std::string> righe;
    for (size_t p = 0; p < testo.size();) {
        const size_t a = std::min(testo.find("\r\n", p), testo.size());
        righe.push_back(testo.substr(p, a - p));
        p = a + 2;
    }
    return righe;
}

}  // namespace tarno::prova
