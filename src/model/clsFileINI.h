#pragma once
// The INI store: the sections of one file as the writer sees them, the reading of a file into
// sections, and ScriviChiaveINI, which sets one key by rewriting the whole file in its
// normalised form.

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "model/clsINISezione.h"

namespace tarno {

struct RigaINI {
    std::string sSezione;
    std::string sChiave;
    std::string sValore;
};

// Splits one line: a section header "[name]" (not trimmed first), or a key line split at its
// first "=" with the blanks around both parts removed, or nothing.
RigaINI AnalizzaRigaINI(std::string_view sRiga);

class clsFileINI {
  public:
    // Reads a text into sections: headers open sections (a repeated name, letter case ignored,
    // opens a section that is never written), key lines with a name and a value go to the
    // current section, every other line is dropped. CR or CR LF ends a line.
    static clsFileINI Analizza(std::string_view sTesto);

    // Sets a key; nothing happens when one of the three texts is empty. Returns the position
    // of the section that received it, or -1.
    int Inserisci(const std::string& sSezione, const std::string& sChiave,
                  const std::string& sValore);

    // The normalised text: every section in order, CR LF line ends.
    std::string Testo() const;

    std::vector<clsINISezione>& Sezioni() { return mvSezioni; }
    const std::vector<clsINISezione>& Sezioni() const { return mvSezioni; }

  private:
    // Enters a section unless one of that name (letter case ignored) is there; returns its
    // position, or -1 when it was refused.
    int Entra(clsINISezione sezione);

    std::vector<clsINISezione> mvSezioni;
    std::unordered_map<std::string, size_t> mmIndice;  // name without case -> position
};

// Sets one key of one section of a file, rewriting the whole file. 1 on success (also for an
// empty file name, when nothing is done), 0 when the file cannot be written (or exists but
// cannot be read): then it stays as it was.
int16_t ScriviChiaveINI(const std::string& sSezione, const std::string& sChiave,
                        const std::string& sValore, const std::string& sFileName);

}  // namespace tarno
