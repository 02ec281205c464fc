#pragma once
// A driver proposed from a printout alone: how the printout is framed, which lines are calls
// and of which kind, where each field stands and which format reads it. Every decision comes
// with its evidence, as a sentence a technician can check against the printout, and where
// several readings fit they are given side by side with the values each gives on the first
// calls. Texts are Windows-1252, as every text of the core.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/clsAnalizzatore.h"
#include "model/clsDriver.h"

namespace tarno {

// One decision of a proposal.
struct VoceProposta {
    enum class Ambito {
        Stampa,   // framing: line ends, records, control characters, headings, end of print
        Righe,    // the kinds of lines: calls, headings, date lines, lines on two lines
        Tipo,     // how incoming, outgoing and transferred calls are told apart (conditions)
        Campo,    // one field of a call kind: its line, columns and format
        Formato,  // a format the catalogue lacks, proposed as a new one
    };
    Ambito ambito = Ambito::Stampa;
    bool bEntranti = false;  // Tipo, Campo: the call kind it belongs to
    std::string sCampo;      // Campo: the field's name ("dData"); "" otherwise
    // Where it stands on the call (line from 1, column from 1, length); 0 when nowhere.
    int16_t iRiga = 0, iInizio = 0, iLunghezza = 0;
    std::string sTitolo;  // short: "Data", "Entranti", "Righe della stampa"
    std::string sTesto;   // the decision and its evidence
    bool bIncerto = false;  // the printout cannot tell: the likelier was picked, and why
    // Readings that fit, side by side: each described, with what it gives on the first calls.
    struct Alternativa {
        std::string sLettura;
        std::vector<std::string> vValori;
        bool bScelta = false;
    };
    std::vector<Alternativa> vAlternative;
};

// A format the catalogue lacks; the proposed driver refers to it by iCodice, the code after
// the catalogue's last.
struct FormatoProposto {
    int16_t iCodice = 0;
    std::string sTesto;  // "hh:mm'ss"
    bool bData = false;  // a date format (else a time format)
};

struct Proposta {
    clsDriver driver;
    std::vector<VoceProposta> vVoci;
    std::vector<FormatoProposto> vFormatiNuovi;
    // No call line was found: the driver has no call kind and the first item says why.
    bool bNessunaChiamata = false;
};

// Proposes a driver for a printout (its bytes, Windows-1252) with the catalogue's formats
// (dates and times together, by code).
Proposta ProponiDriver(std::string_view sByte, const MappaFormati& formati);

}  // namespace tarno
