#pragma once
// Shared pieces of the engine tests: the demo catalogue's formats read from its SQL, and the
// comparison of a log with an expected one line by line.

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace tarno::prova {

inline std::string LeggiTesto(const std::string& sPercorso) {
    std::ifstream in(sPercorso, std::ios::binary);
    std::ostringstream buf;
    buf << in.rdbuf();
    return buf.str();
}

// The FormatiData and FormatiOra rows of the demo catalogue's SQL, by code.
inline std::map<int16_t, std::string> FormatiDemo() {
    std::map<int16_t, std::string> formati;
    const std::regex riga(
        R"(INSERT INTO Formati(Data|Ora) \(sCodice, sFormato\) VALUES \('(\d+)', '([^']*)'\);)");
    std::istringstream in(LeggiTesto(TARNO_DEMO_DIR "/catalogo.sql"));
    for (std::string s; std::getline(in, s);) {
        std::smatch m;
        if (std::regex_search(s, m, riga))
            formati[static_cast<int16_t>(std::stoi(m[2].str()))] = m[3].str();
    }
    return formati;
}

// The lines of a log; every line must end in CR LF.
inline std::vector<std::string> RigheLog(const std::string& testo) {
    std::vector<std::string> righe;
    size_t p = 0;
    while (p < testo.size()) {
        const size_t a = testo.find("\r\n", p);
        if (a == std::string::npos) {
            ADD_FAILURE() << "the log does not end in CR LF: " << testo.substr(p);
            righe.push_back(testo.substr(p));
            break;
        }
        righe.push_back(testo.substr(p, a - p));
        p = a + 2;
    }
    return righe;
}

// A log against an expected one: line by line, "@DRIVER@" and "@DATI@" in the expected text
// stand for the paths of the run, and the line of the date and time is only checked to be
// there.
inline void ConfrontaLog(const std::string& sLog, const std::string& sAtteso,
                         const std::string& sDriver, const std::string& sDati) {
    auto sostituisci = [](std::string s, const std::string& da, const std::string& a) {
        for (size_t p = s.find(da); p != std::string::npos; p = s.find(da, p + a.size()))
            s.replace(p, da.size(), a);
        return s;
    };
    const auto atteso = RigheLog(
        sostituisci(sostituisci(LeggiTesto(sAtteso), "@DRIVER@", sDriver), "@DATI@", sDati));
    const auto letto = RigheLog(LeggiTesto(sLog));
    const size_t n = std::min(atteso.size(), letto.size());
    for (size_t i = 0; i < n; ++i) {
        if (atteso[i].rfind("Data e ora:", 0) == 0) {
            EXPECT_EQ(letto[i].rfind("Data e ora:", 0), 0u) << "line " << i + 1;
            continue;
        }
        EXPECT_EQ(letto[i], atteso[i]) << "line " << i + 1 << " of " << sLog;
    }
    EXPECT_EQ(letto.size(), atteso.size()) << sLog;
}

}  // namespace tarno::prova
