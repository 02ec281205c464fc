#pragma once
// Writers through which the model saves a driver, one key at a time.

#include <cstdint>
#include <optional>
#include <string>

#include "model/clsFileINI.h"

namespace tarno {

class IScrittoreINI {
  public:
    virtual ~IScrittoreINI() = default;
    // Sets one key; 1 on success, 0 when the file cannot be written.
    virtual int16_t ScriviChiave(const std::string& sSezione, const std::string& sChiave,
                                 const std::string& sValore) = 0;
};

// The same file and the same results as writing every key through ScriviChiaveINI (the whole
// file read and rewritten for each key), but the file is read once when the writer is made
// and written once by Chiudi. Between two keys it applies to the file, in memory, what
// re-reading the text just written would do: the last key written is trimmed, merged or
// dropped, and a key whose line would not read back as itself (a line break in it, "=" in its
// name, a line that looks like a section header) makes the whole text be read again. So does
// any key that, as held, would be written as a header-like line (a name that begins with "["
// after trimming and a value that ends with "]"), since the next rewrite turns it into a
// section.
class clsScritturaINI : public IScrittoreINI {
  public:
    // bSimulaErrore: every write fails as if the file could not be opened (used to repeat a
    // save whose final write failed).
    explicit clsScritturaINI(std::string sFileName, bool bSimulaErrore = false);

    int16_t ScriviChiave(const std::string& sSezione, const std::string& sChiave,
                         const std::string& sValore) override;

    // Writes the file if any key was written; false when that failed.
    bool Chiudi();
    // False when no key can be written (no file name, the file cannot be read or written).
    bool Scrivibile() const { return mbScrivibile; }

    // The text that Chiudi writes.
    std::string Testo() const { return mFile.Testo(); }

  private:
    void RileggiUltima();

    std::string msFileName;
    clsFileINI mFile;
    bool mbScrivibile = false;
    bool mbUsato = false;
    // Writing the held text and reading it back gives the same sections and keys.
    bool mbStabile = true;
    // The last key written, still as given.
    struct Ultima {
        size_t iSezione;
        std::string sChiave;
        bool bRileggiTutto;
    };
    std::optional<Ultima> mUltima;
};

}  // namespace tarno
