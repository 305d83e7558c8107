#pragma once
// Numbers stored as text: window positions in "F3.dat" and the running flag.

#include <string>
#include <string_view>

namespace tapfill::storage {

/// Reads text as a number: blanks, tabs and line feeds are ignored wherever
/// they stand, then the longest leading decimal number is taken (sign,
/// digits, decimal point and fraction, exponent); 0 when there is none.
/// "1.0" and " 1" give 1, "1 1" gives 11, "01abc" gives 1, "" and "x" give 0.
double readNumber(std::string_view text);

/// Writes a single-precision value as stored in the files: a blank (or the
/// minus sign) in front and one blank after, e.g. " 1440 " and "-150 ".
std::string writeNumber(double value);

} // namespace tapfill::storage
