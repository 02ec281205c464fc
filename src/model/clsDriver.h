#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "model/Collezione.h"
#include "model/clsChiamata.h"
#include "model/clsCondizione.h"
#include "model/clsPrescanning.h"
#include "model/clsTrasformazione.h"

namespace tarno {

class IMessaggi;
class IScrittoreINI;

// The value of the key "Virgolette" of a driver whose fields are never quoted.
inline constexpr const char* VIRGOLETTE_NESSUNA = "NESSUNA";
class clsProfiloINI;

// The driver document: everything the import engine needs to know about one PBX model, and
// its file (".drv").
class clsDriver {
  public:
    clsDriver() = default;
    clsDriver(const clsDriver& altro);
    clsDriver& operator=(const clsDriver& altro);
    ~clsDriver() { Delete(); }

    std::optional<Collezione<clsPrescanning>> mcolPrescanning;
    bool mbConPrescanning = false;
    std::string msFileName;
    std::unique_ptr<clsChiamata> moEntranti;
    std::unique_ptr<clsChiamata> moUscenti;
    std::optional<Collezione<clsTrasformazione>> mcolTrasf;
    std::string msAutore;
    std::string msData;
    std::string msVersione;
    std::string msMarca;
    std::string msModello;
    std::string msNote;
    std::string mlOffset = "0";
    bool mbIngnoraRigheVuote = false;
    int32_t mlTroncaUltimaRigaDopoCaratteri = 0;
    std::optional<ColCondizioni> mcolDataIsolata;
    // How a record is cut into fields: at fixed columns (the default) or at a separator, with
    // an optional quote character (a doubled one inside a quoted field is one) and heading
    // lines to skip. The separator is kept as written: the character, its name ("<TAB>") or
    // its code.
    bool mbCampiSeparati = false;
    std::string msSeparatoreCampi;
    std::string msVirgolette = "\"";  // "" when fields are never quoted
    int32_t miRigheIntestazione = 0;

    void Delete();
    // Reads the file (parsed once); problems are shown through msg. Returns 1.
    int16_t LoadDriver(const std::string& vsFileName, IMessaggi& msg);
    // Keeps the previous file as vsFileName + ".bak" and writes the document. The file is read
    // and written once; what it holds and what is shown are those of writing key by key.
    // True when the file was written; false when it could not be (no name, a folder that cannot
    // be written, a failed write), whether or not a message was shown.
    bool SaveDriver(const std::string& vsFileName, IMessaggi& msg);
    // The two steps of a save, for writing the driver through any writer: the previous file
    // becomes vsFileName + ".bak" (true when it did; it replaces an older ".bak" file),
    // then every key of the document is written through ini, problems shown through msg.
    bool CreaBackup(const std::string& vsFileName);
    void Scrivi(IScrittoreINI& ini, IMessaggi& msg);

    // Month codes, January 0 to December 11; other indexes throw std::out_of_range.
    const std::string& Mesi(int iIndex) const;
    void Mesi(int iIndex, const std::string& sCodice);

    void LeggiPrescanning(const clsProfiloINI& profilo);
    void SalvaPrescanning(IScrittoreINI& ini);

  private:
    void Leggi(const clsProfiloINI& profilo, IMessaggi& msg);

    std::array<std::string, 12> mvMesi;
};

}  // namespace tarno
