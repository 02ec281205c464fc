#pragma once
// Program-wide values of the editor.

#include <QString>
#include <string>

namespace tarno {

// Start-up accepted: until then the menu dispatcher and the key handler do nothing.
extern bool gbAvviato;
// Display texts of boolean grid cells (strings 6 and 7).
extern QString gsTestoSi;
extern QString gsTestoNo;
// The same as the grid tables hold them (Windows-1252).
std::string ValoreSi();
std::string ValoreNo();

}  // namespace tarno
