#pragma once
// One verification run of the import engine: the driver read with the core library, the
// sample streamed through clsAnalizzatore, and VerificaDrv.log written where the caller says.
//
// The log is Windows-1252 text with CR LF line ends, like the suite's other files. It is
// written into a temporary file in its folder and renamed over the old log at the end, so a
// reader never sees half a log; the sections whose size depends on the sample go through
// temporary files (unnamed, in the log's folder), so memory stays bounded however long the
// sample is. The log holds, in this order: the header (driver, sample, date and time,
// counts), the driver's messages, what the engine does with each setting of the driver
// (applied, not applied, warnings), the calls and date lines in sample order, the lines that
// belong to no call, the lines skipped, the values that failed, and a closing line.

#include <functional>
#include <string>
#include <vector>

#include "engine/clsAnalizzatore.h"

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

// One reading of a sample with a driver, whoever takes the results (the log, the JSON of
// tarnodrv verify, the editor's preview).
struct EsitoAnalisi {
    enum Stato {
        Riuscita,
        NonAvviata,  // the driver or the sample cannot be read; nothing was reported
        Fermata,     // the caller's Inizio returned false
        Interrotta,  // reading the sample failed part way; what was read has been reported
    };
    Stato stato = NonAvviata;
    std::string sErrore;  // Windows-1252; "" when the reading succeeded
    ConteggiAnalisi conteggi;
};

// Where the results of AnalizzaCampione go: the calls and lines as IEsitiAnalisi, and once, after
// the driver has been read and before the first line of the sample, the driver's own messages
// and what the engine does with each of its settings. Returning false there stops the reading.
class IAnalisiCampione : public IEsitiAnalisi {
  public:
    virtual bool Inizio(const std::vector<std::string>& vMessaggi,
                        const std::vector<NotaImpostazione>& vImpostazioni) = 0;
};

// Checks that the driver and the sample can be read, reads the driver with the core library and
// streams the sample through clsAnalizzatore into rEsiti.
EsitoAnalisi AnalizzaCampione(const std::string& sDriver, const std::string& sCampione,
                              const MappaFormati& formati, IAnalisiCampione& rEsiti);

// The counts as every report shows them, in this order: the log's label, the JSON key, the value.
struct VoceConteggio {
    const char* sEtichetta;
    const char* sChiave;
    uint64_t (*valore)(const ConteggiAnalisi&);
};
const std::vector<VoceConteggio>& VociConteggi();

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

// A log as a view of at most iMax bytes shows it, from its start sTesta and its end sCoda (of a
// log of iDimensione bytes): whole when it fits; otherwise its header (the counts, the messages
// and the settings, up to the calls), a line saying how much is left out, and as much of its end
// as fits, from the start of a line.
std::string LogInBreve(std::string_view sTesta, std::string_view sCoda, uint64_t iDimensione,
                       size_t iMax);

}  // namespace tarno
