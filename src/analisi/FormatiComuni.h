#pragma once
// Date and time formats common on printouts that a catalogue may lack, and the one of them that
// reads a field's values when none of the catalogue's does.

#include <span>
#include <string>
#include <vector>

namespace tarno {

// The common formats, in the order the proposer tries them.
std::span<const char* const> FormatiComuni();

// The strictest common format (fixed length with separators first, then with separators, then
// fixed length, then the rest, each in the list's order) that reads every value that is not
// blank as a date (bData) or as a time or duration with no date; empty when none does or every
// value is blank.
std::string FormatoComuneCheLegge(const std::vector<std::string>& vValori, bool bData);

}  // namespace tarno
