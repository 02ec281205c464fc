#pragma once
// Clocks printed with a different mark before the seconds than between hours and minutes
// (00:02;22, 8.15'30): the catalogue seldom holds their shape, and a format that reads only
// their start loses the seconds. Texts are Windows-1252, as every text of the core.

#include <string>
#include <vector>

namespace tarno {

// The time formats of the clocks that stand as whole words (blanks around) on two lines or
// more, with hours and minutes parted by ':' or '.' and the seconds by another punctuation
// mark: "hh:mm;ss" ("h:mm;ss" when some hour has one digit), each followed by the same shape
// without the hours ("mm;ss"), for the shorter times (a ringing time) printed alike. In the
// order first seen; empty when no such clock stands twice.
std::vector<std::string> FormatiOrologiMisti(const std::vector<std::string>& vRighe);

}  // namespace tarno
