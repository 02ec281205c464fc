#pragma once
// Fields printed glued into one run of digits that stands at the same columns on many lines
// (12220801141222080530: month, day, hours, minutes and seconds of the start, then of the end):
// where such runs stand, and the ways the date and time formats of fixed length split them,
// the likeliest first. Texts are Windows-1252, as every text of the core.

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "engine/FormatoDataOra.h"

namespace tarno {

// One field found inside the runs.
struct PezzoCifre {
    int a = 0, b = 0;      // columns [a, b) of the line, from 0
    size_t iFormato = 0;   // index in the formats given; their number for a duration in tenths
    bool bData = false;    // a date
    bool bDurata = false;  // a duration (neither: a time of day)
    // A duration in hours, minutes and tenths of a minute (0025: 0 h 02.5 min), read by no
    // format: the values hold its hours, minutes and seconds.
    bool bDecimi = false;
    // The line's index and the value, in line order, on every line the run covers it.
    std::vector<std::pair<size_t, ValoreDataOra>> vValori;
};

// A way to split the runs: its fields left to right, and how well the values fit.
struct LetturaCifre {
    std::vector<PezzoCifre> vPezzi;
    int iPunti = 0;
};

// Runs of digits starting at one column on several lines.
struct CorsaCifre {
    int a = 0, b = 0;                    // from the column they start at to the last they reach
    std::vector<size_t> vRighe;          // the lines holding such a run
    std::vector<LetturaCifre> vLetture;  // best first; empty when no reading fits
};

// The runs of eight digits or more that start at the same column on three lines or more (and
// two lines in five), and the readings of each by the formats given (only those of fixed length
// written with format letters alone are tried: "hhmm", "mmgg", "hhmmss"). A field starts where
// the runs start, where a run ends on some lines (the next field begins there on the others) or
// where the field before it ends. A reading keeps a field only when its format reads it on
// (nearly) every line the runs cover it; a time of day has its hours 00-23, changes from line to
// line and spans more than one hour; a date spans two years at most and is followed by a time
// (a date-time); a time may be followed by its duration, read by a format or in hours, minutes
// and tenths of a minute (changing, mostly under an hour). A reading scores the digits it
// explains (half the run at least), date-times, durations after their time, dates whose day
// varies at least as much as their month and whose year is this one or the last, and a later
// time after an earlier one on most lines; of equal ones, fewer fields and fewer formats first.
// Runs glued after letters are a record's codes and are not looked at, but for one letter alone
// between digits (a type code of the field after it). A run no reading fits from its start may
// open with an identifier zero-filled to one width: then readings that open with a date after
// it, staying or moving forward from line to line, are looked for.
std::vector<CorsaCifre> DividiCifre(const std::vector<std::string>& vRighe,
                                    const std::vector<std::string>& vFormati);

// Columns where a field begins inside digits printed without a blank, told by the lines given
// (indexes into vRighe): on some lines a value starts there after a blank while on others digits
// run through from a short code a few columns before (a few values repeated on three lines or
// more), blank on the former (101 glued to 0555123456, alone as 34007); the values must not all
// end at one column (a right-aligned column starts where each value's length puts it).
std::vector<int> ConfiniNelleCifre(const std::vector<std::string>& vRighe,
                                   const std::vector<size_t>& vQuali);

}  // namespace tarno
