#pragma once
// Records of separated fields whose pieces do not match the fields one to one: a field in the
// middle that holds separators without quotes (so a record has more pieces than the heading
// names), and events of a call printed as records of their own after the call's first record;
// and the words of a line, for the pieces a printout sets apart with blanks.

#include <functional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tarno {

// A record's iCampi fields from its pieces: the fields before iVariabile one piece each, the
// field iVariabile (from 0) the extra pieces joined again by cSeparatore, the fields after it
// counted from the record's end. A record with fewer pieces gets empty fields at its end; with
// iVariabile < 0 the pieces past iCampi are dropped.
std::vector<std::string> CampiDaPezzi(const std::vector<std::string>& vPezzi, size_t iCampi,
                                      int iVariabile, char cSeparatore);

// Which field holds the extra pieces of the records with more pieces than iCampi: the one that,
// joined, leaves every other field most alike from record to record (blank, digits, digits and
// signs, letters; between equals, of the same length) and puts a date or a time under the names
// that say one (vNomeDataOra, by field), never one whose pieces would hold a date or a time
// (bDataOra tells); among equals, the last. -1 when no record has more pieces than iCampi. rPari:
// another field fits as well.
int CampoVariabile(const std::vector<std::vector<std::string>>& vRecord, size_t iCampi,
                   const std::function<bool(std::string_view)>& bDataOra,
                   const std::vector<bool>& vNomeDataOra, bool& rPari);

// The codes that stand only on records repeating the identifier of the record before (each pair
// is a record's identifier and its code, in the printout's order): events of a call whose first
// record is already printed, no call of their own. Empty unless at least one code stands on the
// first records too.
std::set<std::string> CodiciDiSeguito(
    const std::vector<std::pair<std::string, std::string>>& vRecord);

// A word of a line: its first column (from 0) and its text, a view into the line.
struct ParolaDiRiga {
    size_t iInizio = 0;
    std::string_view sTesto;
};

// The words of a line, split at blanks and tabs, in the line's order.
std::vector<ParolaDiRiga> ParoleDiRiga(std::string_view s);

}  // namespace tarno
