// Numbers as the program writes and reads them: printf formats in the "C"
// locale with the user's decimal separator put in, and parsing with the C
// library's prefix semantics (leading blanks skipped, reading stops at the
// first character that does not belong to the number). The process locale is
// never changed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kvem {

// Formats one floating-point value with a single printf conversion ("%8.2f",
// "%1.1lf", ...) and replaces its decimal point by `separator`.
std::string FormatDouble(const char* format, double value, char separator = '.');

// Formats one integer with a single printf conversion ("%8d", "%-8d", "%ld").
std::string FormatLong(const char* format, long value);

struct ParsedNumber {
  double value = 0.0;
  std::size_t consumed = 0;              // characters used, leading blanks included; 0 = no number
  bool stoppedAtOtherSeparator = false;  // e.g. "4.5" read with a decimal comma
};

// Reads a decimal number the way strtod does under a locale whose decimal
// separator is `separator`: "12,5xyz" gives 12.5 with ',' and 12 with '.'.
// Only plain decimal notation with an optional exponent is accepted: "nan",
// "inf" and hexadecimal forms read as 0, so no file can smuggle them into a
// calculation. Values beyond the double range saturate.
ParsedNumber ParseDecimal(std::string_view text, char separator);
double ParseDouble(std::string_view text, char separator);

// atol semantics: optional blanks, sign and digits; 0 when there is no number.
// Out-of-range values saturate at the type's limits.
long ParseLong(std::string_view text);
std::int32_t ParseInt32(std::string_view text);

}  // namespace kvem
