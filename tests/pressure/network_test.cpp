// Reading network files into sections, and merging duplicates.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/messenger.h"
#include "pressure/network.h"
#include "pressure/network_fixtures.h"
#include "support/test_support.h"

namespace kvem {
namespace {

using ::testing::ElementsAre;

constexpr const char* kMalformed = "záznam nemá očekávaný tvar\nKončím !";

class NetworkReading : public ::testing::Test {
 protected:
  CPrivodTelesa Read(const std::string& text, char sep = '.') {
    test::WriteFile(dir_ / "net.txt", text);
    CPrivodTelesa net;
    net.meanTemperature = 62.5;
    net.temperatureDifference = 15;
    ok_ = ReadNetwork(dir_ / "net.txt", net, header_, sep, messenger_);
    BuildSections(net, sep, messenger_);
    return net;
  }
  test::TempDir dir_;
  NetworkHeader header_;
  RecordingMessenger messenger_;
  bool ok_ = false;
};

TEST_F(NetworkReading, HeaderAndByteOrderOfLines) {
  const auto net = Read(test::NetworkText(
      {"2 A 1000 500 16x1.8 2.5 0", "10 B 1000 500 16x1.8 2.5 0"}, "S", "25000.5"));
  EXPECT_EQ(header_.values[0], "Hall");
  EXPECT_EQ(header_.riser(), "12");
  EXPECT_EQ(header_.drawingKind(), "S");
  EXPECT_EQ(header_.presetPressure, 25000.5);
  ASSERT_EQ(net.sections.size(), 2u);
  EXPECT_EQ(net.sections[0].branch, 10);  // "10 ..." sorts before "2 ..."
  EXPECT_EQ(net.sections[1].branch, 2);
  EXPECT_TRUE(messenger_.messages().empty());
}

TEST_F(NetworkReading, CrLfAndLfReadAlikeAndShortFilesAreEmpty) {
  const std::vector<std::string> body = {"1 A 1000 500 16x1.8 2.5 1 3 T1 1500"};
  const auto lf = Read(test::NetworkText(body));
  const auto crlf = Read(test::NetworkText(body, "P", "", "\r\n"));
  ASSERT_EQ(crlf.sections.size(), 1u);
  EXPECT_EQ(crlf.sections[0].minDisposalPressure, lf.sections[0].minDisposalPressure);
  EXPECT_EQ(crlf.sections[0].heater, "T1");
  EXPECT_EQ(header_.drawingKind(), "P");

  EXPECT_TRUE(Read(test::NetworkText({})).sections.empty());  // eight lines
  EXPECT_TRUE(Read("a\nb\nc\n").sections.empty());            // fewer
  EXPECT_TRUE(Read("").sections.empty());
  EXPECT_TRUE(ok_);
  EXPECT_TRUE(messenger_.messages().empty());
}

TEST_F(NetworkReading, SevenValueRuleAndMarkers) {
  const auto net = Read(test::NetworkText({
      "1 A 1000 500 16x1.8 2.5 0",        // accepted, network temperatures
      "1 B 1000 500 16x1.8 2.5 X",        // one character reading as 0: accepted
      "1 C 1000 500 16x1.8 2.5 00",       // marker 2
      "1 D 1000 500 16x1.8 2.5 5",        // marker 2
      "1 E 1000 500 16x1.8 2.5",          // marker 1
      "1 F 1000 500 16x1.8 2.5 1 3",      // marker 3
      "1 G 1000 500 16x1.8 2.5 1 3 T",    // marker 4
      "1 H 1000 500",                     // fewer than six values
      "1 I 1000 500 16x1.8 2.5 0 3 T 7",  // type 0 with trailing values: defaults
  }));
  ASSERT_EQ(net.sections.size(), 3u);
  EXPECT_EQ(net.sections[0].section, "A");
  EXPECT_EQ(net.sections[0].mediumTemperature, 62.5);
  EXPECT_EQ(net.sections[0].temperatureDifference, 15);
  EXPECT_EQ(net.sections[1].section, "B");
  EXPECT_EQ(net.sections[2].mediumTemperature, 80.0);
  EXPECT_EQ(net.sections[2].temperatureDifference, 20.0);
  EXPECT_THAT(messenger_.texts(), ElementsAre("2", kMalformed, "2", kMalformed, "1", kMalformed,
                                              "3", kMalformed, "4", kMalformed, kMalformed));
  EXPECT_EQ(messenger_.messages()[1].caption, "Kvem");
  EXPECT_EQ(messenger_.messages()[0].caption, "");
}

TEST_F(NetworkReading, DamagedFilesGiveMessagesNotCrashes) {
  test::TempDir dir;
  CPrivodTelesa net;
  EXPECT_FALSE(ReadNetwork(dir / "missing.txt", net, header_, '.', messenger_));
  EXPECT_EQ(messenger_.messages().back().text,
            "\nCann't open file\n'" + (dir / "missing.txt").string() + "' !");
  EXPECT_EQ(messenger_.messages().back().caption, "Kvem - error:");
  messenger_.Clear();

  std::string nul = test::NetworkText({"1 A 1000 500 16x1.8 2.5 0"});
  nul.insert(nul.size() - 3, std::string(1, '\0'));  // "...2.5\0 0": ends after value 6
  EXPECT_TRUE(Read(nul).sections.empty());
  EXPECT_THAT(messenger_.texts()[0], ::testing::HasSubstr("Line 9 of the file"));
  messenger_.Clear();

  const auto net2 =
      Read(test::NetworkText({"1 \x81\xE8 1000 99999999999999999999 16x1.8 1e999 0 3 " +
                              std::string(3000000, 'x') + " 5"}));
  ASSERT_EQ(net2.sections.size(), 1u);
  EXPECT_EQ(net2.sections[0].section, "\xEF\xBF\xBD\xC4\x8D");  // undefined byte, then "č"
  EXPECT_EQ(net2.sections[0].heatLoad, 1e20);
  EXPECT_EQ(net2.sections[0].ksi, std::numeric_limits<double>::max());
  EXPECT_EQ(net2.sections[0].heater.size(), 3000000u);
  EXPECT_EQ(messenger_.messages().size(), 1u);  // the undefined byte, once

  // Truncated in the middle of a line: that line is malformed.
  const std::string text =
      test::NetworkText({"1 A 1000 500 16x1.8 2.5 0", "1 B 1000 500 16x1.8 2.5 1 3 T1 1"});
  messenger_.Clear();
  EXPECT_EQ(Read(text.substr(0, text.size() - 6)).sections.size(), 1u);
  EXPECT_THAT(messenger_.texts(), ElementsAre("3", kMalformed));
}

TEST_F(NetworkReading, OtherDecimalSeparatorIsNotedOncePerFile) {
  const auto net =
      Read(test::NetworkText({"1 A 1000 500 16x1.8 4.5 0", "1 B 1000 500 16x1.8 4.5 0"}), ',');
  ASSERT_EQ(net.sections.size(), 2u);
  EXPECT_EQ(net.sections[0].ksi, 4.0);  // read as a comma locale reads it
  ASSERT_EQ(messenger_.messages().size(), 1u);
  EXPECT_THAT(messenger_.texts()[0], ::testing::HasSubstr("Line 9 of the file"));
  EXPECT_EQ(Read(test::NetworkText({"1 A 1000 500 16x1.8 4,5 0"}), ',').sections[0].ksi, 4.5);
}

CUsekPrivodu Section(std::string number, int type, double length, double ksi,
                     std::string pipe = "16x1.8") {
  CUsekPrivodu s;
  s.branch = 1;
  s.section = std::move(number);
  s.heatLoad = 500;
  s.pipe = pipe;
  s.pipeIndex = PipeIndexOf(pipe);
  s.elementType = type;
  s.length = length;
  s.ksi = ksi;
  s.heater = "H" + std::to_string(static_cast<int>(length));
  return s;
}

TEST(MergeDuplicates, FoldsEachClassInListOrder) {
  CPrivodTelesa net;
  net.sections = {Section("A", 0, 1000, 2.5), Section("B", 0, 7, 1), Section("A", 0, 1000, 2.5)};
  MergeDuplicates(net);
  ASSERT_EQ(net.sections.size(), 2u);
  EXPECT_EQ(net.sections[0].length, 2000);
  EXPECT_EQ(net.sections[0].ksi, 5.0);

  // A valve line takes over a type-0 piece before it and keeps its own name;
  // a type-0 piece after the valve line is added to it. Pipe index, not
  // designation, decides: 16x2.0 is the same pipe as 16x1.8.
  net.sections = {Section("C", 0, 100, 1), Section("C", 1, 200, 2),
                  Section("C", 0, 400, 4, "16x2.0"), Section("C", 0, 800, 8, "18x2")};
  MergeDuplicates(net);
  ASSERT_EQ(net.sections.size(), 2u);
  EXPECT_EQ(net.sections[0].elementType, 1);
  EXPECT_EQ(net.sections[0].heater, "H200");
  EXPECT_EQ(net.sections[0].length, 700);
  EXPECT_EQ(net.sections[0].ksi, 7);
  EXPECT_EQ(net.sections[1].pipe, "18x2");
}

TEST(NetworkModel, FileNameAndLookups) {
  EXPECT_EQ(NetworkFileName("/w", "Hall", 7, 'r'), std::filesystem::path("/w/Hall/Hall_r007.txt"));
  EXPECT_EQ(NetworkFileName("/w", "Hall", 1234, 'z'),
            std::filesystem::path("/w/Hall/Hall_z1234.txt"));
  EXPECT_EQ(PipeIndexOf("18x2"), 2);
  EXPECT_EQ(PipeIndexOf("18x2.00"), 0);
  CPrivodTelesa net;
  net.sections = {Section("A", 0, 1, 1), Section("AB", 0, 1, 1), Section("A", 0, 2, 1)};
  EXPECT_EQ(FindSection(net, "A"), 0);
  EXPECT_EQ(FindSection(net, "AB"), 1);
  EXPECT_EQ(FindSection(net, "B"), -1);
  EXPECT_EQ(ParentNumber("AČ"), "A");
  EXPECT_EQ(ParentNumber("Č"), "");
}

}  // namespace
}  // namespace kvem
