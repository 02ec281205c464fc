#pragma once
// Small columns of a fixed-column printout that blanks do not set apart: a one-character code
// glued after a count (units and the call's kind printed as "12"), and the label printed before
// every value of a column ("DN2001"). Texts are Windows-1252, as every text of the core.

#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tarno {

// A character column that holds one of two or three codes on every call line, glued after a
// count of digits (right-aligned, ending just before it) that is zero on every line of one code
// and on no more than half of the lines of the others, and followed by a blank on most lines:
// the code of the calls never charged, the incoming ones, beside the codes of the charged ones.
struct CodiceDopoConteggio {
    int iColonna = 0;           // the code's column, from 0
    int iConteggio = 0;         // the count's first column, from 0 (it ends at iColonna)
    char cSenzaAddebito = 0;    // the code of the calls whose count is always zero
    std::string sAltri;         // the other codes
    size_t iSenzaAddebito = 0;  // lines with that code
    size_t iAltre = 0;          // lines with the other codes
    size_t iAddebitate = 0;     // of them, with a count above zero
};

// Looks for such a column on the lines (the call lines), outside the windows [a, b) already
// taken; the leftmost that fits.
std::optional<CodiceDopoConteggio> TrovaCodiceDopoConteggio(
    const std::vector<std::string_view>& vRighe, const std::vector<std::pair<int, int>>& vPrese);

// The letters printed before the digits of every value (DN2001, DN2003 -> "DN"): a label that
// says nothing of the value, when the values are two or more, each one to three letters then
// digits only, and the letters the same on all; "" otherwise (E201 beside T9001 say the kind of
// party and stay).
std::string EtichettaCostante(const std::set<std::string>& valori);

// The label a column of the other kind of calls carries, when every value here carries it
// too before its digits; "" when not (a field taken from the other kind keeps or drops the
// same letters on both).
std::string StessaEtichetta(const std::string& etichetta, const std::set<std::string>& valori);

// The values without the few, one in five at most, that are a name in their place (a door's,
// "Door 1"): texts with a blank or without digits. All the values when more are such.
std::set<std::string> SenzaNomiRari(const std::set<std::string>& valori);

// The one letter every value prints after its digits (00004e, 00012e: units); 0 when the values
// print none, or not the same.
char LetteraInCoda(const std::set<std::string>& valori);

}  // namespace tarno
