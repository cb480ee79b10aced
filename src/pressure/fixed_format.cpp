#include "pressure/fixed_format.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace kvem {
namespace {

void Pad(std::string& out, std::size_t used, int width) {
  if (width > 0 && used < static_cast<std::size_t>(width)) out.append(static_cast<std::size_t>(width) - used, ' ');
}

}  // namespace

void AppendFixed(std::string& out, double value, int precision, int width, char separator) {
  char buf[400];
  std::size_t n = 0;
  if (std::isfinite(value)) {
    const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, precision);
    n = static_cast<std::size_t>(r.ptr - buf);
  } else {
    const int k = std::snprintf(buf, sizeof buf, "%.*f", precision, value);
    n = k > 0 ? static_cast<std::size_t>(k) : 0;
  }
  Pad(out, n, width);
  const std::size_t start = out.size();
  out.append(buf, n);
  if (separator != '.') {
    for (std::size_t i = start; i < out.size(); ++i) {
      if (out[i] == '.') {
        out[i] = separator;
        break;
      }
    }
  }
}

void AppendG17(std::string& out, double value) {
  char buf[64];
  std::size_t n = 0;
  if (std::isfinite(value)) {
    const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 17);
    n = static_cast<std::size_t>(r.ptr - buf);
  } else {
    const int k = std::snprintf(buf, sizeof buf, "%.17g", value);
    n = k > 0 ? static_cast<std::size_t>(k) : 0;
  }
  out.append(buf, n);
}

void AppendLong(std::string& out, long value, int width) {
  char buf[32];
  const auto r = std::to_chars(buf, buf + sizeof buf, value);
  const std::size_t n = static_cast<std::size_t>(r.ptr - buf);
  Pad(out, n, width);
  out.append(buf, n);
}

void AppendLeftCut(std::string& out, std::string_view text, std::size_t width) {
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
