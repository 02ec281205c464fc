#pragma once
// Values that hold more than the field they give: a clock printed to the thousandth of a second
// (08:14:03.412), a party written as an address of a call (5550223@10.0.2.11). Texts are
// Windows-1252, as every text of the core.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tarno {

// The length of the clock at the start of t when t is a clock of hours, minutes and seconds
// ("8:14:03", "08:14:03") followed by a point or a comma and one to six digits, and nothing
// else: the fraction of the second is no part of the time; 0 for any other text.
size_t OrologioConFrazione(std::string_view t);

// The user part of an address "user@host" whose user is a number (digits, a leading "+", after
// an optional "sip:" or "tel:" scheme and a "<"), as "5550223" of "5550223@10.0.2.11"; empty
// for any other text (no "@", letters in the user, an empty host).
std::string_view NumeroNellIndirizzo(std::string_view t);

// A log writer's prefix before the fields of the records: the first line's first piece opens
// with a clock (the writer's; a date might be the calls' own) followed by more words (the
// host...), and its other pieces, three or more, hold none (they name the fields), while on four
// records in five below the first piece is such a prefix too and another piece holds one. The
// clock then tells when a line was written, also for the heading: it is no field of a call.
// bValore tells whether a piece's first word is a date or a time.
bool PrefissoDelloScrittore(const std::vector<std::vector<std::string>>& vPezzi,
                            const std::function<bool(std::string_view)>& bValore);

}  // namespace tarno
