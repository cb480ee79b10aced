// The user's decimal separator. The first non-empty of LC_ALL, LC_NUMERIC and
// LANG names the locale; its separator is the one that locale uses, whether or
// not the C library has the locale installed. Taken once at start and passed
// on; the process locale itself is never changed.
#pragma once

#include <string_view>

namespace kvem {

// "cs_CZ.UTF-8" -> ',', "en_US" -> '.', "C" / "POSIX" / "" -> '.'.
char DecimalSeparatorForLocale(std::string_view localeName);

// Reads LC_ALL, LC_NUMERIC and LANG of the environment.
char DecimalSeparatorFromEnvironment();

}  // namespace kvem
