// printf conversions the pressure report and CSV need, without the C
// library's slow paths. Every function gives exactly the bytes of its printf
// format (with '.' replaced by `separator` where it takes one); values that
// are not finite go through snprintf itself.
//
// The Write* forms put the conversion at `p`, which has room for
// kFormatRoom bytes, and return the end; the Append* forms add it to any
// string type (std::string, LargeString).
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
template <typename String>
void AppendPadded(String& out, const char* text, std::size_t size, int width) {
  if (width > 0 && size < static_cast<std::size_t>(width))
    out.append(static_cast<std::size_t>(width) - size, ' ');
  out.append(text, size);
}
}  // namespace detail

// "%<width>.<precision>f"
template <typename String>
void AppendFixed(String& out, double value, int precision, int width = 0, char separator = '.') {
  char buf[kFormatRoom];
  const char* end = WriteFixed(buf, value, precision, separator);
  detail::AppendPadded(out, buf, static_cast<std::size_t>(end - buf), width);
}

// "%.17g"
template <typename String>
void AppendG17(String& out, double value) {
  char buf[kFormatRoom];
  const char* end = WriteG17(buf, value);
  out.append(buf, static_cast<std::size_t>(end - buf));
}

// "%<width>ld"
template <typename String>
void AppendLong(String& out, long value, int width = 0) {
  char buf[32];
  const char* end = WriteLong(buf, value);
  detail::AppendPadded(out, buf, static_cast<std::size_t>(end - buf), width);
}

// "%-<width>.<width>s" on UTF-8 text, counting characters (the report's
// Windows-1250 bytes are one character each).
template <typename String>
void AppendLeftCut(String& out, std::string_view text, std::size_t width) {
  std::size_t chars = 0;
  std::size_t end = 0;
  while (end < text.size()) {
    const auto b = static_cast<unsigned char>(text[end]);
    if ((b & 0xC0) != 0x80) {
      if (chars == width) break;
      ++chars;
    }
    ++end;
  }
  out.append(text.data(), end);
  if (chars < width) out.append(width - chars, ' ');
}

}  // namespace kvem
