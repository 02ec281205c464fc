#pragma once
// Reading numbers out of driver texts.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tarno {

// The number at the start of a text, read as far as it forms a number: blanks are skipped
// anywhere, then an optional sign, digits and one decimal point. Text that does not start
// with a number gives 0.
double ValoreIniziale(std::string_view s);

// The value of a text that is a number as a whole (blanks around it, an optional sign, digits
// with an optional decimal point and exponent); nullopt for any other text.
std::optional<double> ValoreNumerico(std::string_view s);

// A value rounded to a whole number, halves to even; nullopt when the result does not fit.
std::optional<int16_t> Arrotonda16(double v);
std::optional<int32_t> Arrotonda32(double v);

// ValoreIniziale rounded into a 16-bit member; nullopt when it does not fit.
std::optional<int16_t> LeggiIntero16(std::string_view s);

// A position as the values of fields, conditions and transformations write it:
// "inizio,lunghezza,riga" (the line left empty when 0), then ",n" where a driver of separated
// fields starts the text at character n of the field (nothing when it takes it from the first).
std::string TestoPosizione(int16_t iInizio, int16_t iLunghezza, int16_t iRiga, int16_t iNelCampo);
// The part after the second comma, "riga[,n]": false when a number does not fit.
bool LeggiRigaPosizione(std::string_view s, int16_t& riRiga, int16_t& riNelCampo);

}  // namespace tarno
