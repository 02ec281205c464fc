#pragma once
// The command line of the import engine: "/i3 /D" + driver path + " /F" + sample path, with no
// blank after "/D" and "/F". It arrives as separate arguments or as one Windows-style string;
// either way the arguments are joined with one blank and read as one text, so paths may hold
// blanks. A switch is "/" followed by i, D or F (any case) at the start of the text or after a
// blank; its value runs up to the blank before the next switch, or to the end. When a path
// itself holds " /D" or " /F", the cut that gives an existing file is taken. A value enclosed
// in double quotation marks loses them.

#include <functional>
#include <string>
#include <vector>

namespace tarno {

struct ParametriMiner {
    int iModo = 3;          // "/i": 3 = verification of a driver (the only mode)
    std::string sDriver;    // "/D"
    std::string sCampione;  // "/F"
};

// Reads the arguments (without the program name). False with a message (Windows-1252 text)
// when the line is not usable. esiste tells whether a path names an existing file.
bool LeggiRigaComando(const std::vector<std::string>& vArgomenti, ParametriMiner& rPar,
                      std::string& rsErrore,
                      const std::function<bool(const std::string&)>& esiste = {});

// The usage text of tarnominer.
const char* UsoMiner();

}  // namespace tarno
