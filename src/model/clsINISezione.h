#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "model/clsINIChiave.h"

namespace tarno {

// One section of an INI file as the writer holds it: its name and its keys in order.
class clsINISezione {
  public:
    explicit clsINISezione(std::string sNome = {}) : msNomeSezione(std::move(sNome)) {}

    std::string msNomeSezione;

    // Sets the key named exactly sEntry (letter case counts), keeping its place, or appends it.
    void InserisciChiave(const std::string& sEntry, const std::string& sValue);
    void SvuotaSezione();
    // Removes the first key named exactly sEntry, if any.
    void RimuoviChiave(const std::string& sEntry);
    // Appends the section's text: its header, one line per key, one empty line.
    void ScriviSezione(std::string& rsTesto) const;

    const std::vector<clsINIChiave>& Chiavi() const { return mvChiavi; }

    // Brings the key sEntry to the form that reading its line back gives: blanks around the
    // name and the value removed, a key with an empty name or value dropped, and a name that
    // becomes equal to another key merged with it. Only for keys whose line reads back as one
    // key line of this section.
    void RileggiChiave(const std::string& sEntry);

  private:
    void Elimina(size_t i);

    std::vector<clsINIChiave> mvChiavi;
    std::unordered_map<std::string, size_t> mmIndice;  // exact name -> position
};

}  // namespace tarno
