// The engine's fast forms against the plain procedures on random networks:
// the same messages and the same report, byte for byte.
#include <gtest/gtest.h>

#include <bit>
#include <cstdio>
#include <random>

#include "literal_procedures.h"
#include "platform/encoding.h"
#include "platform/files.h"
#include "pressure/evaluation.h"
#include "pressure/fixed_format.h"
#include "pressure/network_fixtures.h"
#include "pressure/pressure_report.h"
#include "support/test_support.h"

namespace kvem {
namespace {

struct Case {
  unsigned seed;
  int sections;
  int depth;
  char sep;
  const char* kind;
  const char* preset;
  const char* pump;
};

class FastAgainstLiteral : public ::testing::TestWithParam<Case> {};

TEST_P(FastAgainstLiteral, SameMessagesAndReport) {
  const Case c = GetParam();
  test::TempDir dir;
  const auto nets = test::MakeRandomNetworks(c.seed, c.sections, c.depth, c.sep);
  test::WriteFile(dir / "r.txt",
                  test::NetworkText(nets.supply, c.kind, c.preset, c.seed % 2 ? "\r\n" : "\n"));
  test::WriteFile(dir / "z.txt", test::NetworkText(nets.ret, c.kind, c.preset));
  const std::optional<std::string> pump =
      c.pump ? std::optional<std::string>(c.pump) : std::nullopt;

  RecordingMessenger literalMessages;
  const std::string expected =
      literal::Sheet(dir / "r.txt", dir / "z.txt", 75, 60, c.sep, pump, "t", literalMessages);

  RecordingMessenger messages;
  PressureEvaluation e([&](char k) { return dir / (std::string(1, k) + ".txt"); }, 75, 60, c.sep,
                       messages);
  ASSERT_TRUE(e.OpenMediumPage(Medium::Supply));
  ASSERT_TRUE(e.OpenMediumPage(Medium::Return));
  e.OpenInAllPage();
  if (pump) e.EnterPumpOutput(*pump);
  ASSERT_TRUE(e.Ok(dir / "Tlak_Pos.txt", "t"));
  const std::string actual = e.ReportText();

  EXPECT_EQ(messages.texts(), literalMessages.texts());
  EXPECT_GT(e.items().sections.size(), 0u);
  ASSERT_EQ(actual.size(), expected.size());
  EXPECT_TRUE(actual == expected)
      << "first difference at byte "
      << std::mismatch(actual.begin(), actual.end(), expected.begin()).first - actual.begin();

  // The file, formed in pieces of its own, holds the same report.
  std::string back;
  ForEachLine(Cp1250ToUtf8(test::ReadFile(dir / "Tlak_Pos.txt")),
              [&](std::string_view line) { back.append(line).append("\n"); });
  EXPECT_TRUE(back == actual);
}

INSTANTIATE_TEST_SUITE_P(RandomNetworks, FastAgainstLiteral,
                         ::testing::Values(Case{1, 60, 3, '.', "P", "", nullptr},
                                           Case{2, 400, 8, ',', "S", "", "25000,7"},
                                           Case{3, 900, 20, '.', "P", "40000", nullptr},
                                           Case{4, 1500, 12, ',', "P", "0", "-1"},
                                           Case{5, 700, 20, '.', "X", "", "abc"},
                                           // a report of several megabyte pieces
                                           Case{6, 5500, 20, ',', "S", "", nullptr}),
                         [](const auto& info) { return "seed" + std::to_string(info.param.seed); });

TEST(FastAgainstLiteral, LineOrderOfTheInsertionSort) {
  test::TempDir dir;
  auto nets = test::MakeRandomNetworks(9, 500, 6);
  nets.supply.push_back(nets.supply[3]);    // identical lines
  nets.supply.push_back("\xE8\x9A 1 1 1");  // high bytes sort after ASCII
  nets.supply.push_back("");
  // Lines alike for 7, 8, 9, 16 and 17 bytes, ending on and beside those bounds.
  for (const char* line : {"1 ABCDEF", "1 ABCDEFG", "1 ABCDEFGH", "1 ABCDEFGHIJKLMNO",
                           "1 ABCDEFGHIJKLMNOP", "1 ABCDEFGHIJKLMNOPQ", "1 ABCDEFGHIJKLMNO",
                           "1 ABCDEFGHIJKLMNOQ", "1 ABCDEFGHIJKLMNOPQ", "1 ABCDEF\xE8"})
    nets.supply.push_back(line);
  test::WriteFile(dir / "r.txt", test::NetworkText(nets.supply));
  RecordingMessenger m;
  NetworkHeader header;
  std::vector<std::string> expected;
  ASSERT_TRUE(literal::ReadLines(dir / "r.txt", header, '.', expected, m));
  CPrivodTelesa net;
  ASSERT_TRUE(ReadNetwork(dir / "r.txt", net, header, '.', m));
  ASSERT_EQ(net.lines.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(net.LineText(i), expected[i]) << i;
}

TEST(FastAgainstLiteral, NumbersFormatAsPrintfDoes) {
  std::mt19937_64 rng(7);
  std::uniform_real_distribution<double> scale(-8, 12);
  char buf[512];
  const double specials[] = {0.0,
                             -0.0,
                             0.125,
                             0.375,
                             2.5,
                             -2.5,
                             1e300,
                             -1e-300,
                             5e-324,
                             0.005,
                             1.0005,
                             std::numeric_limits<double>::infinity(),
                             std::nan(""),
                             1163,
                             -42,
                             9007199254740991.0,
                             123456789012345678.0,
                             1e16,
                             1e17,
                             0.0001,
                             0.00012345678901234567};
  const int count = static_cast<int>(std::size(specials));
  for (int i = 0; i < 300000; ++i) {
    double v = i < count ? specials[i] : std::pow(10.0, scale(rng)) * (rng() % 2 ? 1 : -1);
    if (i >= count && i % 5 == 0) v = std::round(v * 1000) / 1000 + 0.0005;  // near ties
    if (i >= count && i % 7 == 0) v = std::round(v);
    if (i >= count && i % 11 == 0) v = std::ldexp(static_cast<double>(rng() % 100000), -10);  // ties
    if (i >= count && i % 13 == 0) v = std::bit_cast<double>(rng());  // any double
    for (int precision : {0, 2, 3}) {
      std::string fast;
      AppendFixed(fast, v, precision, 10, ',');
      std::snprintf(buf, sizeof buf, "%10.*f", precision, v);
      std::string expected(buf);
      if (auto dot = expected.find('.'); dot != std::string::npos) expected[dot] = ',';
      ASSERT_EQ(fast, expected) << v;
    }
    std::string g;
    AppendG17(g, v);
    std::snprintf(buf, sizeof buf, "%.17g", v);
    ASSERT_EQ(g, buf) << v;
  }
}

}  // namespace
}  // namespace kvem
