#include "pressure/fixed_format.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace kvem {
namespace {

void Pad(std::string& out, std::size_t used, int width) {
  if (width > 0 && used < static_cast<std::size_t>(width))
    out.append(static_cast<std::size_t>(width) - used, ' ');
}

void AppendLongImpl(std::string& out, long value) {
  char buf[32];
  const auto r = std::to_chars(buf, buf + sizeof buf, value);
  out.append(buf, static_cast<std::size_t>(r.ptr - buf));
}

// "%.17g" of a finite value when its shortest round-trip form already has 17
// significant digits: those are then the correctly rounded 17 digits printf
// prints, so only the layout is left. False when printf's own digits are needed.
bool AppendG17FromShortest(std::string& out, double value) {
  char buf[64];
  const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific);
  const std::string_view sci(buf, static_cast<std::size_t>(r.ptr - buf));
  const std::size_t e = sci.find('e');
  std::size_t start = sci[0] == '-' ? 1 : 0;
  char digits[24];
  std::size_t n = 0;
  for (std::size_t i = start; i < e; ++i) {
    if (sci[i] != '.') digits[n++] = sci[i];
  }
  if (n != 17) return false;
  int exponent = 0;
  std::from_chars(sci.data() + e + (sci[e + 1] == '+' ? 2 : 1), sci.data() + sci.size(), exponent);
  if (start) out += '-';
  if (exponent >= 17 || exponent < -4) {
    out += digits[0];
    out += '.';
    out.append(digits + 1, 16);
    out += exponent < 0 ? "e-" : "e+";
    const int a = exponent < 0 ? -exponent : exponent;
    if (a < 10) out += '0';
    AppendLongImpl(out, a);
  } else if (exponent >= 0) {
    out.append(digits, static_cast<std::size_t>(exponent) + 1);
    if (exponent < 16) {
      out += '.';
      out.append(digits + exponent + 1, static_cast<std::size_t>(16 - exponent));
    }
  } else {
    out += "0.";
    out.append(static_cast<std::size_t>(-exponent - 1), '0');
    out.append(digits, 17);
  }
  return true;
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
  if (std::isfinite(value)) {
    // Whole numbers below 2^53 print as integers.
    if (value == std::trunc(value) && std::fabs(value) < 9007199254740992.0 &&
        !(value == 0 && std::signbit(value))) {
      AppendLongImpl(out, static_cast<long>(value));
      return;
    }
    if (AppendG17FromShortest(out, value)) return;
  }
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
