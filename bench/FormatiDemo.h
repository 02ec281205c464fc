#pragma once
// The date and time formats of the demo catalogue, read from its SQL (the benchmarks need no
// database).

#include <fstream>
#include <regex>
#include <string>

#include "engine/clsAnalizzatore.h"

inline tarno::MappaFormati FormatiDemo() {
    tarno::MappaFormati formati;
    std::ifstream in(TARNO_DEMO_DIR "/catalogo.sql");
    const std::regex riga(
        R"(INSERT INTO Formati(Data|Ora) \(sCodice, sFormato\) VALUES \('(\d+)', '([^']*)'\);)");
    for (std::string s; std::getline(in, s);) {
        std::smatch m;
        if (std::regex_search(s, m, riga))
            formati[static_cast<int16_t>(std::stoi(m[2].str()))] = m[3].str();
    }
    return formati;
}
