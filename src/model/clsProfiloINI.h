#pragma once
// The profile lookup through which every key of a driver file or of the suite's configuration
// is read. A file is parsed once; each lookup then costs one hash probe.
//
// Section and key names are matched without regard to letter case; the first matching section
// and, in it, the first matching key count. The value is the text after the first "=" with the
// blanks around it removed, and a value enclosed in a matching pair of double or single
// quotation marks loses that pair. At most 499 characters are returned (the reading buffer
// holds 500 with its terminator); a missing file, section or key, or an empty value, reads "".

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tarno {

inline constexpr size_t DIM_BUFFER_PROFILO = 500;

class clsProfiloINI {
  public:
    clsProfiloINI() = default;
    static clsProfiloINI DaTesto(std::string_view sTesto);
    // A file that does not exist or cannot be read gives an empty profile.
    static clsProfiloINI DaFile(const std::string& sFileName);

    std::string Leggi(std::string_view sSezione, std::string_view sChiave,
                      size_t iDimBuffer = DIM_BUFFER_PROFILO) const;

    // The names of the keys of a section in file order, each followed by a NUL, as far as they
    // fit into the buffer; when they do not all fit, the last one is cut and the list ends
    // two characters short of the buffer.
    std::string ElencoChiavi(std::string_view sSezione,
                             size_t iDimBuffer = DIM_BUFFER_PROFILO) const;

  private:
    struct Chiave {
        std::string sNome;
        std::string sValore;
    };
    struct Sezione {
        std::vector<Chiave> vChiavi;
        std::unordered_map<std::string, size_t> mIndice;  // first key of each name, no case
    };
    const Sezione* TrovaSezione(std::string_view sSezione) const;

    std::vector<Sezione> mvSezioni;
    std::unordered_map<std::string, size_t> mmIndice;  // first section of each name, no case
};

// One lookup in one file (the file is read for this call alone).
std::string LeggiChiaveINI(const std::string& sFileName, std::string_view sSezione,
                           std::string_view sChiave);

}  // namespace tarno
