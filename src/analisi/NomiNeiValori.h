#pragma once
// What a field's name or a value says beside its digits: compound names, a caller's name with
// its extension, a yes or a no under a heading naming the direction.

#include <string>
#include <string_view>

namespace tarno::proposta {

// Compound words of a field's name parted where they end in a vocabulary word
// (callbacknumber: callback number); other words as they are, and so are words of the table of
// synonyms (Rufnummer).
std::string ComposteDivise(const std::string& nome);

// The digits in angle brackets closing a name ("Anna Berger" <221>: 221), two to six of them;
// "" when the value is no such text.
std::string InternoTraParentesi(std::string_view v);

// What a yes or a no says of a call under a heading (upper case) naming a direction (INCOMING,
// true): 'E' incoming, 'U' outgoing, '?' when the value is no yes or no or the heading names no
// single direction.
char DirezioneDiSiNo(const std::string& nome, const std::string& valore);

}  // namespace tarno::proposta
