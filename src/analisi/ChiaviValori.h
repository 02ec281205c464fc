#pragma once
// Records of separated fields written as name=value pairs, and lines that look like a heading
// but are records: what the proposer asks of the pieces of separated records before it lays
// them out as columns.

#include <set>
#include <string>
#include <utility>
#include <vector>

namespace tarno::proposta {

// The label a piece opens with: a letter, more letters, digits or underscores (two signs at
// least), then the sign that ends them ("method=", "Dec "); "" when it opens otherwise.
std::string Etichetta(const std::string& sPezzo);

// Whether line iRiga of the pieces is a record like the lines after it (up to iFino) rather
// than a heading: at least two of its pieces, and half of them, open with the label the same
// piece opens with on four lines in five after it. A heading names its fields once; the labels
// of records (a clock's month, "name=") come back on every line.
bool ComeIRecordSotto(const std::vector<std::vector<std::string>>& vPezzi, size_t iRiga,
                      size_t iFino);

// Whether a line of pieces is a record of digits rather than a heading: two pieces at least, and
// a third of those written, are digits alone (a count, a number); a heading names its fields.
bool RigaDiCifre(const std::vector<std::string>& vPezzi);

// For each of iCampi fields, the "name=" that opens it on every record (lines iDa on of
// vRecord; an empty record is no record of the layout), or "" for a field some record opens
// otherwise.
std::vector<std::string> ChiaviDeiCampi(const std::vector<std::vector<std::string>>& vRecord,
                                        size_t iDa, size_t iCampi);

// Whether every value is an identifier of letters and digits: eight signs or more, no blank,
// a letter and a digit among them (4f1c9a7e2b3d@10.20.0.21), as a call or a record is named.
bool Identificativo(const std::vector<std::string>& vValori);

// Of records given as (identifier, code), the codes that stand only on records whose
// identifier an earlier record had (anywhere before: the events of calls that overlap), and
// on none of the first records of an identifier.
std::set<std::string> CodiciRipetuti(
    const std::vector<std::pair<std::string, std::string>>& vRecord);

}  // namespace tarno::proposta
