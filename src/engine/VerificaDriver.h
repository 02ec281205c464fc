#pragma once
// One verification run of the import engine: the driver read with the core library, the
// sample streamed through clsAnalizzatore, and VerificaDrv.log written beside the engine.
//
// The log is Windows-1252 text with CR LF line ends, like the suite's other files. It is
// written into a temporary file in its folder and renamed over the old log at the end, so a
// reader never sees half a log; the sections whose size depends on the sample go through
// temporary files, so memory stays bounded however long the sample is. The log holds, in this
// order: the header (driver, sample, date and time, counts), the driver's messages, what the
// engine does with each setting of the driver (applied, not applied, warnings), the calls and
// date lines in sample order, the lines that belong to no call, the lines skipped, the values
// that failed, and a closing line.

#include <string>

#include "clsAnalizzatore.h"

namespace tarno {

inline constexpr const char* NOME_LOG_VERIFICA = "VerificaDrv.log";

struct RichiestaVerifica {
    std::string sDriver;         // path of the driver file
    std::string sCampione;       // path of the sample
    std::string sLog;            // path of the log to write
    MappaFormati formati;        // format texts of the catalogue by code
    std::string sAvvisoFormati;  // a problem with the catalogue, for the log ("" when none)
    std::string sDataOra;        // date and time of the header; "" for now
};

struct EsitoVerifica {
    bool bRiuscita = false;
    std::string sErrore;  // Windows-1252; "" when the run succeeded
    ConteggiAnalisi conteggi;
};

// Runs the verification. When the driver or the sample cannot be read the log holds the header
// and the error; when even the log cannot be written, sErrore says so.
EsitoVerifica VerificaDriver(const RichiestaVerifica& richiesta);

// A log of the header and one error alone (the command line was not usable, ...); false when
// it cannot be written.
bool ScriviLogErrore(const std::string& sLog, const std::string& sDriver,
                     const std::string& sCampione, const std::string& sErrore,
                     const std::string& sDataOra = "");

// The local date and time as "2026-12-01 08:05:00".
std::string DataOraAdesso();

}  // namespace tarno
