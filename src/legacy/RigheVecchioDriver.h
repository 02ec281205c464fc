#pragma once
// The line rules of the legacy driver format: how a file splits into lines and how a value is
// cut out of each kind of line. Positions in the comments count from 1.
//
// Numbers are read as the leading decimal number of a text (blanks skipped, an optional sign,
// digits and a decimal point; no number gives 0) and rounded to a 16-bit integer, halves to
// even; a number that does not fit throws ErroreConversione ERR_OVERFLOW. "The number after
// the k-th &" reads everything that follows the k-th "&" of the line; a line with fewer than
// k ampersands gives 0.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tarno {

// The lines of a text: each ends at CR LF, CR or LF, the terminator not included.
std::vector<std::string> DividiRighe(std::string_view sTesto);

// The leading number of a text as a 16-bit integer; iRiga names the line in the error.
int16_t NumeroRiga(std::string_view sTesto, int iRiga);
// The text after the k-th "&" (k from 1); empty when the line has fewer ampersands.
std::string_view DopoEcommerciale(std::string_view sRiga, int k);

// "label: value": the last L − p − 1 characters of the line, where p is the position of the
// first ":" (0 without one) and L the length of the line without leading and trailing blanks;
// "" when L ≤ p + 1.
std::string ValoreEtichetta(std::string_view sRiga);

// "{format}{length}{position}". Declared only when the line has a first group that is not
// empty; a length or position group that is missing reads as 0. The position is zero-based.
struct RigaGraffe {
    bool bPresente = false;
    std::string sFormato;
    int16_t iLunghezza = 0;
    int16_t iPosizione = 0;
};
RigaGraffe LeggiRigaGraffe(std::string_view sRiga, int iRiga);

// "F&x&position&length&alignment": "F" optional, "S" mandatory (bSoloS: only "S" declares a
// field), anything else nothing. The position is zero-based; bDestra when the last non-blank
// character of the line is "D".
struct RigaFlag {
    bool bPresente = false;
    bool bOpzionale = false;
    int16_t iPosizione = 0;
    int16_t iLunghezza = 0;
    bool bDestra = false;
};
RigaFlag LeggiRigaFlag(std::string_view sRiga, bool bSoloS, int iRiga);

// "S&position&length&c": the zero-based start, the length and the last non-blank character.
struct RigaIdentificazione {
    bool bPresente = false;
    int16_t iPosizione = 0;
    int16_t iLunghezza = 0;
    std::string sValore;
};
RigaIdentificazione LeggiRigaIdentificazione(std::string_view sRiga, int iRiga);

// "S&n1&n2&n3": n1 the length minus one, n2 the start column, n3 the code of the one
// character compared (0 to 255, otherwise ErroreConversione ERR_ARGOMENTO).
struct RigaTrasferita {
    bool bPresente = false;
    int16_t n1 = 0;
    int16_t n2 = 0;
    std::string sValore;
};
RigaTrasferita LeggiRigaTrasferita(std::string_view sRiga, int iRiga);

// "S&n": the offset text; a "-" anywhere in the line inverts the sign of n, and the inverted
// number is written with one leading blank when it is not negative. Empty (not used) when
// the line does not begin with "S".
struct RigaOffset {
    bool bPresente = false;
    std::string sOffset;
};
RigaOffset LeggiRigaOffset(std::string_view sRiga, int iRiga);

}  // namespace tarno
