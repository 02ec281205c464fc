#pragma once
// Calls printed on several lines, each opened by a line of one shape: a mark (a run of signs
// such as "#" or "--------", or a word of capitals) at the same column, followed by digits.
// The lines from one opener to the next are one call. No Qt; texts are Windows-1252.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace tarno {

struct Blocchi {
    std::string sApre;           // the mark that opens every call
    int iColonna = 0;            // where it stands on the line, from 0
    std::vector<size_t> vInizi;  // the opening lines (indexes of the lines given)
    std::vector<size_t> vRighe;  // lines of each call, the opener included
    size_t Minimo() const;
    size_t Massimo() const;
};

// The opener of calls on several lines: a mark that opens at least three lines, each followed
// by one to seven lines without it (the last call takes no more lines than the longest of the
// others). Lines without a digit after the mark (rules, column titles) open nothing, nor a
// mark whose lines are all the same text (a title repeated); where several marks fit, the one
// opening the most calls. None when no mark does.
std::optional<Blocchi> TrovaBlocchi(const std::vector<std::string>& vRighe);

}  // namespace tarno
