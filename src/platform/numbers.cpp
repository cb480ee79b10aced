#include "platform/numbers.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <system_error>

namespace kvem {
namespace {

bool IsCSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

std::size_t SkipSpace(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsCSpace(text[i])) ++i;
  return i;
}

}  // namespace

std::string FormatDouble(const char* format, double value, char separator) {
  std::array<char, 512> buf{};
  int n = std::snprintf(buf.data(), buf.size(), format, value);
  if (n < 0) return {};
  std::string out(buf.data(), std::min<std::size_t>(static_cast<std::size_t>(n), buf.size() - 1));
  if (separator != '.') {
    for (char& c : out) {
      if (c == '.') {
        c = separator;
        break;
      }
    }
  }
  return out;
}

std::string FormatLong(const char* format, long value) {
  std::array<char, 128> buf{};
  int n = std::snprintf(buf.data(), buf.size(), format, value);
  if (n < 0) return {};
  return std::string(buf.data(),
                     std::min<std::size_t>(static_cast<std::size_t>(n), buf.size() - 1));
}

ParsedNumber ParseDecimal(std::string_view text, char separator) {
  ParsedNumber result;
  std::size_t i = SkipSpace(text);
  std::string normalized;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    if (text[i] == '-') normalized.push_back('-');
    ++i;
  }
  std::size_t intDigits = 0;
  while (i < text.size() && IsDigit(text[i])) {
    normalized.push_back(text[i++]);
    ++intDigits;
  }
  std::size_t fracDigits = 0;
  if (i < text.size() && text[i] == separator) {
    std::size_t j = i + 1;
    std::string frac;
    while (j < text.size() && IsDigit(text[j])) frac.push_back(text[j++]);
    if (intDigits > 0 || !frac.empty()) {
      if (intDigits == 0) normalized.push_back('0');
      normalized.push_back('.');
      normalized += frac;
      fracDigits = frac.size();
      i = j;
    }
  }
  if (intDigits == 0 && fracDigits == 0) return result;  // no number at all
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t j = i + 1;
    std::string exponent = "e";
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) exponent.push_back(text[j++]);
    if (j < text.size() && IsDigit(text[j])) {
      while (j < text.size() && IsDigit(text[j])) exponent.push_back(text[j++]);
      normalized += exponent;
      i = j;
    }
  }
  const char otherSeparator = separator == '.' ? ',' : '.';
  result.stoppedAtOtherSeparator =
      i < text.size() && text[i] == otherSeparator && i + 1 < text.size() && IsDigit(text[i + 1]);
  double value = 0.0;
  const auto [ptr, ec] =
      std::from_chars(normalized.data(), normalized.data() + normalized.size(), value);
  (void)ptr;
  if (ec == std::errc::result_out_of_range) {
    // from_chars leaves value untouched on overflow; saturate like strtod does.
    const bool negative = !normalized.empty() && normalized[0] == '-';
    const bool tiny = normalized.find("e-") != std::string::npos;
    value = tiny ? 0.0 : std::numeric_limits<double>::max();
    if (negative) value = -value;
  }
  result.value = value;
  result.consumed = i;
  return result;
}

double ParseDouble(std::string_view text, char separator) {
  return ParseDecimal(text, separator).value;
}

long ParseLong(std::string_view text) {
  std::size_t i = SkipSpace(text);
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  long value = 0;
  bool overflow = false;
  while (i < text.size() && IsDigit(text[i])) {
    const int digit = text[i] - '0';
    if (!overflow) {
      if (value > (std::numeric_limits<long>::max() - digit) / 10) {
        overflow = true;
      } else {
        value = value * 10 + digit;
      }
    }
    ++i;
  }
  if (overflow)
    return negative ? std::numeric_limits<long>::min() : std::numeric_limits<long>::max();
  return negative ? -value : value;
}

std::int32_t ParseInt32(std::string_view text) {
  const long v = ParseLong(text);
  if (v > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
  if (v < std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(v);
}

}  // namespace kvem
