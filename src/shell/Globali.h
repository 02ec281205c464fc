#pragma once
// Program-wide values of the editor.

#include <QString>

namespace tarno {

// Start-up accepted: until then the menu dispatcher and the key handler do nothing.
extern bool gbAvviato;
// Display texts of boolean grid cells (strings 6 and 7).
extern QString gsTestoSi;
extern QString gsTestoNo;

}  // namespace tarno
