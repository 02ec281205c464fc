#pragma once
// The operations of the transformations on a line's text, and the numbers they and the fields'
// own transformations work with. Internal to the engine library.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tarno::motore {

struct Trasf;

// The shortest decimal text of a number.
std::string Numero(double v);
// An operand that is a number, with "," read as the decimal point.
std::optional<double> Operando(std::string s);
// A whole number from 1 to iMax, or nullopt.
std::optional<int> Intero(std::string_view s, int iMax);
// v multiplied, divided, increased or decreased by k (op: the operation's code).
double Calcola(int32_t op, double v, double k);
// "+01:00", "-05:30" or "+0530", "+1", "-5" (hours): the offset from UTC in seconds.
std::optional<int64_t> ScartoUTC(std::string_view s);
std::string TestoScarto(int64_t iScarto);
// The offset from UTC of this computer's zone now.
int64_t ScartoLocale();

// Applies one transformation to a line (its conditions already tested).
void ApplicaTrasformazione(const Trasf& t, std::string& s);

}  // namespace tarno::motore
