// printf conversions the pressure report and CSV need, appended to a string
// without the C library's slow paths. Every function gives exactly the bytes
// of its printf format (with '.' replaced by `separator` where it takes one);
// values that are not finite go through snprintf itself.
#pragma once

#include <string>
#include <string_view>

namespace kvem {

// "%<width>.<precision>f"
void AppendFixed(std::string& out, double value, int precision, int width = 0,
                 char separator = '.');
// "%.17g"
void AppendG17(std::string& out, double value);
// "%<width>ld"
void AppendLong(std::string& out, long value, int width = 0);
// "%-<width>.<width>s" on UTF-8 text, counting characters (the report's
// Windows-1250 bytes are one character each).
void AppendLeftCut(std::string& out, std::string_view text, std::size_t width);

}  // namespace kvem
