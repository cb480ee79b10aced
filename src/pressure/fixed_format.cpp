#include "pressure/fixed_format.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace kvem {
namespace {

// 128 bits are enough to scale every double below 2^53 by up to 10^22 exactly.
__extension__ typedef unsigned __int128 Wide;

constexpr std::uint64_t kPow10[] = {1ULL,
                                    10ULL,
                                    100ULL,
                                    1000ULL,
                                    10000ULL,
                                    100000ULL,
                                    1000000ULL,
                                    10000000ULL,
                                    100000000ULL,
                                    1000000000ULL,
                                    10000000000ULL,
                                    100000000000ULL,
                                    1000000000000ULL,
                                    10000000000000ULL,
                                    100000000000000ULL,
                                    1000000000000000ULL,
                                    10000000000000000ULL,
                                    100000000000000000ULL,
                                    1000000000000000000ULL,
                                    10000000000000000000ULL};

Wide WidePow10(int q) {
  return q < 20 ? Wide{kPow10[q]} : Wide{kPow10[19]} * kPow10[q - 19];
}

// A finite double as m * 2^e with m below 2^53.
struct Binary {
  bool negative;
  std::uint64_t m;
  int e;
};

Binary Decompose(double value) {
  const auto bits = std::bit_cast<std::uint64_t>(value);
  const int biased = static_cast<int>((bits >> 52) & 0x7FF);
  const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
  if (biased == 0) return {(bits >> 63) != 0, fraction, -1074};
  return {(bits >> 63) != 0, fraction | (std::uint64_t{1} << 52), biased - 1075};
}

// m * 2^-shift * 10^q rounded to an integer, ties to even, as printf rounds
// the exact binary value. `scaled` is m * 10^q.
std::uint64_t RoundShifted(Wide scaled, int shift) {
  if (shift >= 128) return 0;  // below one half: the value is far smaller than 2^-64
  const Wide whole = scaled >> shift;
  const Wide rest = scaled - (whole << shift);
  const Wide half = Wide{1} << (shift - 1);
  auto d = static_cast<std::uint64_t>(whole);
  if (rest > half || (rest == half && (d & 1) != 0)) ++d;
  return d;
}

char* NotFinite(char* p, const char* format, int precision, double value) {
  const int k = std::snprintf(p, kFormatRoom, format, precision, value);
  return p + (k > 0 ? k : 0);
}

// "%.17g" of a finite value when its shortest round-trip form already has 17
// significant digits: those are then the correctly rounded 17 digits printf
// prints, so only the layout is left. Nullptr when printf's own digits are needed.
char* G17FromShortest(char* p, double value) {
  char buf[64];
  const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific);
  const char* e = static_cast<const char*>(std::memchr(buf, 'e', static_cast<std::size_t>(r.ptr - buf)));
  const bool negative = buf[0] == '-';
  char digits[24];
  std::size_t n = 0;
  for (const char* c = buf + negative; c < e; ++c) {
    if (*c != '.') digits[n++] = *c;
  }
  if (n != 17) return nullptr;
  int exponent = 0;
  std::from_chars(e + (e[1] == '+' ? 2 : 1), r.ptr, exponent);
  if (negative) *p++ = '-';
  if (exponent >= 17 || exponent < -4) {
    *p++ = digits[0];
    *p++ = '.';
    std::memcpy(p, digits + 1, 16);
    p += 16;
    *p++ = 'e';
    *p++ = exponent < 0 ? '-' : '+';
    const int a = exponent < 0 ? -exponent : exponent;
    if (a < 10) *p++ = '0';
    return std::to_chars(p, p + 8, a).ptr;
  }
  if (exponent >= 0) {
    const auto whole = static_cast<std::size_t>(exponent) + 1;
    std::memcpy(p, digits, whole);
    p += whole;
    if (exponent < 16) {
      *p++ = '.';
      std::memcpy(p, digits + whole, 17 - whole);
      p += 17 - whole;
    }
    return p;
  }
  *p++ = '0';
  *p++ = '.';
  const auto zeros = static_cast<std::size_t>(-exponent - 1);
  std::memset(p, '0', zeros);
  p += zeros;
  std::memcpy(p, digits, 17);
  return p + 17;
}

constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// Two digits of 0..99 at p.
void WritePair(char* p, unsigned v) {
  std::memcpy(p, kDigitPairs + 2 * v, 2);
}

// Four digits of 0..9999 at p.
void WriteFour(char* p, unsigned v) {
  WritePair(p, v / 100);
  WritePair(p + 2, v % 100);
}

// The 17 digits of 10^16 <= d < 10^17 at p, in fixed steps.
void Write17Digits(char* p, std::uint64_t d) {
  const auto high = static_cast<unsigned>(d / 100000000);  // 9 digits
  const auto low = static_cast<unsigned>(d % 100000000);   // 8 digits
  p[0] = static_cast<char>('0' + high / 100000000);
  const unsigned rest = high % 100000000;
  WriteFour(p + 1, rest / 10000);
  WriteFour(p + 5, rest % 10000);
  WriteFour(p + 9, low / 10000);
  WriteFour(p + 13, low % 10000);
}

// "%.17g" of a finite value from 10^-6 up to 2^53, computed exactly: the
// value scaled to 17 digits and rounded as printf rounds. Nullptr outside
// that range.
char* G17Exact(char* p, double value) {
  const Binary b = Decompose(value);
  if (b.e >= 0 || b.m == 0) return nullptr;
  // The decimal exponent of the leading digit is k or k + 1.
  const int binaryExponent = b.e + 52;
  const int k = (binaryExponent * 78913) >> 18;  // floor(binaryExponent * log10(2))
  if (k < -6) return nullptr;
  int x = k;
  Wide scaled = Wide{b.m} * WidePow10(16 - x);
  if ((scaled >> -b.e) >= kPow10[17]) {
    ++x;
    scaled = Wide{b.m} * WidePow10(16 - x);
  }
  std::uint64_t d = RoundShifted(scaled, -b.e);
  if (d == kPow10[17]) {
    d = kPow10[16];
    ++x;
  }
  char digits[24];
  Write17Digits(digits, d);
  int n = 17;
  while (n > 1 && digits[n - 1] == '0') --n;  // %g drops trailing zeros
  if (b.negative) *p++ = '-';
  if (x < -4) {
    *p++ = digits[0];
    if (n > 1) {
      *p++ = '.';
      std::memcpy(p, digits + 1, static_cast<std::size_t>(n - 1));
      p += n - 1;
    }
    *p++ = 'e';
    *p++ = '-';
    *p++ = '0';
    *p++ = static_cast<char>('0' - x);
    return p;
  }
  if (x >= 0) {
    const int whole = x + 1;
    std::memcpy(p, digits, static_cast<std::size_t>(whole));
    p += whole;
    if (n > whole) {
      *p++ = '.';
      std::memcpy(p, digits + whole, static_cast<std::size_t>(n - whole));
      p += n - whole;
    }
    return p;
  }
  *p++ = '0';
  *p++ = '.';
  for (int i = -1; i > x; --i) *p++ = '0';
  std::memcpy(p, digits, static_cast<std::size_t>(n));
  return p + n;
}

}  // namespace

char* WriteFixed(char* p, double value, int precision, char separator) {
  if (!std::isfinite(value)) return NotFinite(p, "%.*f", precision, value);
  const Binary b = Decompose(value);
  if (b.e < 0 && precision >= 0 && precision <= 3) {
    // Exactly: the value times 10^precision, rounded; below 2^53 * 10^3 it fits 64 bits.
    const std::uint64_t d = RoundShifted(Wide{b.m} * kPow10[precision], -b.e);
    if (b.negative) *p++ = '-';
    char digits[24];
    const auto n = static_cast<int>(std::to_chars(digits, digits + sizeof digits, d).ptr - digits);
    const int whole = n > precision ? n - precision : 0;
    if (whole > 0) {
      std::memcpy(p, digits, static_cast<std::size_t>(whole));
      p += whole;
    } else {
      *p++ = '0';
    }
    if (precision == 0) return p;
    *p++ = separator;
    for (int i = n; i < precision; ++i) *p++ = '0';
    const int fraction = n - whole;
    std::memcpy(p, digits + whole, static_cast<std::size_t>(fraction));
    return p + fraction;
  }
  char* end = std::to_chars(p, p + kFormatRoom, value, std::chars_format::fixed, precision).ptr;
  if (separator != '.' && precision > 0) end[-precision - 1] = separator;
  return end;
}

char* WriteG17(char* p, double value) {
  if (!std::isfinite(value)) return NotFinite(p, "%.*g", 17, value);
  // Whole numbers below 2^53 print as integers.
  if (value == std::trunc(value) && std::fabs(value) < 9007199254740992.0 &&
      !(value == 0 && std::signbit(value))) {
    return WriteLong(p, static_cast<long>(value));
  }
  if (char* end = G17Exact(p, value)) return end;
  if (char* end = G17FromShortest(p, value)) return end;
  return std::to_chars(p, p + kFormatRoom, value, std::chars_format::general, 17).ptr;
}

char* WriteLong(char* p, long value) {
  return std::to_chars(p, p + 32, value).ptr;
}

}  // namespace kvem
