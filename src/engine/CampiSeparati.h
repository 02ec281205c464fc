#pragma once
// The fields of a record of a driver of separated fields: a line cut at a separator, with an
// optional quote character. A quoted field keeps the separators inside its quotes and reads a
// doubled quote as one; what follows its closing quote up to the next separator is kept as it
// stands (a quote inside an unquoted field is text). A field written in UTF-8 is kept in
// Windows-1252, "?" for each character that Windows-1252 cannot hold; other bytes stay as
// they are.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/TestoMotore.h"

namespace tarno {

struct CampiRiga {
    std::vector<std::string> vCampi;  // reused: only the first iCampi are the line's
    size_t iCampi = 0;

    // Field n from 1, or from the end when negative (-1: the last); nullptr when the record
    // has no such field.
    const std::string* Campo(int n) const {
        const long k = n > 0 ? n - 1 : static_cast<long>(iCampi) + n;
        return n != 0 && k >= 0 && static_cast<size_t>(k) < iCampi ? &vCampi[static_cast<size_t>(k)]
                                                                   : nullptr;
    }
    std::string* Campo(int n) {
        return const_cast<std::string*>(static_cast<const CampiRiga&>(*this).Campo(n));
    }
};

// A line in the window of a call.
struct RigaFinestra {
    uint64_t iNumero = 0;
    uint8_t iPezzo = 0;  // 1, 2 for the pieces of a cut line
    std::string sTesto;
    std::string sLetta;  // as read, when transformations of level INIZIALE exist
    CampiRiga campi;     // its fields, in a driver of separated fields
};

// The text at a position of a line: at columns iInizio, iLunghezza (iCampo 0), or in field
// iCampo the iLunghezza characters (0: all) from character iInizio; nullopt when the record has
// no such field.
inline std::optional<std::string_view> TaglioRiga(const RigaFinestra& r, int iCampo, int iInizio,
                                                  int iLunghezza) {
    if (iCampo == 0) return motore::Taglio(r.sTesto, iInizio, iLunghezza);
    const std::string* c = r.campi.Campo(iCampo);
    if (!c) return std::nullopt;
    if (iLunghezza > 0) return motore::Taglio(*c, iInizio, iLunghezza);
    const size_t a = static_cast<size_t>(iInizio - 1);
    return a < c->size() ? std::string_view(*c).substr(a) : std::string_view();
}

// Cuts a line into r; cVirgolette 0 when fields are never quoted.
void DividiCampi(std::string_view sRiga, char cSeparatore, char cVirgolette, CampiRiga& r);

// Where each field of a line lies in it, as DividiCampi cuts it: the characters [first, second)
// from the field's first character (its quote included) to the separator after it or the
// line's end.
std::vector<std::pair<size_t, size_t>> TrattiCampi(std::string_view sRiga, char cSeparatore,
                                                   char cVirgolette);

// A piece of a line as a position of a driver of separated fields: the field's number (from 1)
// and, for a part of its text, the start (from 1) and length inside it; 0 and 0: all of it.
struct PosizioneCampo {
    int iCampo = 0;
    int iNelCampo = 0;
    int iLunghezza = 0;
    bool operator==(const PosizioneCampo&) const = default;
};

// The field under the characters [iDa, iA) of a line (a separator belongs to the field before
// it): the field where they start, all of it when they are none (a click), reach past the
// field or hold all of its text; otherwise the part of its text they hold. nullopt past the
// line's end.
std::optional<PosizioneCampo> CampoDelTratto(std::string_view sRiga, char cSeparatore,
                                             char cVirgolette, size_t iDa, size_t iA);

// The characters [first, second) of a line that a position of a driver of separated fields
// takes (iLunghezza 0: the rest of the field from iNelCampo, quotes included when that is
// all of it); nullopt when the line has no such field or the field no such characters.
std::optional<std::pair<size_t, size_t>> TrattoDelCampo(std::string_view sRiga, char cSeparatore,
                                                        char cVirgolette, int iCampo, int iNelCampo,
                                                        int iLunghezza);

}  // namespace tarno
