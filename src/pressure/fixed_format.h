// printf conversions the pressure report and CSV need, without the C
// library's slow paths. Every function gives exactly the bytes of its printf
// format (with '.' replaced by `separator` where it takes one); values that
// are not finite go through snprintf itself.
//
// The Write* forms put the conversion at `p`, which has room for
// kFormatRoom bytes, and return the end; the Append* forms add it to a string.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kvem {

// Enough for "%.3f" of the largest double and for every other conversion here.
inline constexpr std::size_t kFormatRoom = 400;

// "%.<precision>f"
char* WriteFixed(char* p, double value, int precision, char separator = '.');
// "%.17g"
char* WriteG17(char* p, double value);
// "%ld"
char* WriteLong(char* p, long value);

namespace detail {
inline void AppendPadded(std::string& out, const char* text, std::size_t size, int width) {
  if (width > 0 && size < static_cast<std::size_t>(width))
    out.append(static_cast<std::size_t>(width) - size, ' ');
  out.append(text, size);
}
}  // namespace detail

// "%<width>.<precision>f"
inline void AppendFixed(std::string& out, double value, int precision, int width = 0, char separator = '.') {
  char buf[kFormatRoom];
  const char* end = WriteFixed(buf, value, precision, separator);
  detail::AppendPadded(out, buf, static_cast<std::size_t>(end - buf), width);
}

// "%.17g"
inline void AppendG17(std::string& out, double value) {
  char buf[kFormatRoom];
  const char* end = WriteG17(buf, value);
  out.append(buf, static_cast<std::size_t>(end - buf));
}

}  // namespace kvem
