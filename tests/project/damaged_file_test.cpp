// Damaged project files: never a crash, never a change to the project in memory.
#include <gtest/gtest.h>

#include <random>

#include "platform/encoding.h"
#include "project/project_file.h"
#include "project_test_util.h"
#include "support/test_support.h"

namespace kvem {
namespace {

class DamagedFile : public ::testing::Test {
 protected:
  DamagedFile() : before_(FormatProjectText(inMemory_, '.')) {}

  // Parses `text` into the project in memory and checks that a refusal left it as it was.
  bool Parse(std::string_view text) {
    messenger_.Clear();
    const bool ok = ParseProjectText(inMemory_, text, '.', "damaged.kvm", messenger_);
    if (!ok) {
      EXPECT_EQ(FormatProjectText(inMemory_, '.'), before_);
      EXPECT_EQ(messenger_.messages().size(), 1u);
    }
    return ok;
  }
  std::string LastMessage() const {
    return messenger_.messages().empty() ? "" : messenger_.messages().back().text;
  }

  Project inMemory_ = test::SmallProject();
  std::string before_;
  RecordingMessenger messenger_;
};

TEST_F(DamagedFile, AFileCutAtAnyLineIsRefusedWithTheLineWhereItEnded) {
  std::string full = test::ReadFile(test::ExamplesDir() / "family-house.kvm");
  std::erase(full, '\r');
  std::vector<std::size_t> lineEnds;
  for (std::size_t i = 0; i < full.size(); ++i) {
    if (full[i] == '\n') lineEnds.push_back(i + 1);
  }
  ASSERT_GT(lineEnds.size(), 300u);
  for (std::size_t n = 0; n + 1 < lineEnds.size(); ++n) {
    const std::string prefix = full.substr(0, n == 0 ? 0 : lineEnds[n - 1]);
    ASSERT_FALSE(Parse(prefix)) << "accepted a file of " << n << " lines";
    ASSERT_NE(LastMessage().find("ends after line " + std::to_string(n) + " "), std::string::npos)
        << LastMessage();
  }
  EXPECT_TRUE(Parse(full));
}

TEST_F(DamagedFile, CountsBeyondTheCapacityAreRefused) {
  std::string text = FormatProjectText(test::SmallProject(), '.');
  std::string rooms = text;
  rooms.replace(rooms.find("\n2       \n"), 10, "\n150\n");
  EXPECT_FALSE(Parse(rooms));
  EXPECT_NE(LastMessage().find("at most 98"), std::string::npos);

  std::string walls = text;
  walls.replace(walls.find("\n3       \n"), 10, "\n21\n");
  EXPECT_FALSE(Parse(walls));
  EXPECT_NE(LastMessage().find("at most 19"), std::string::npos);

  std::string openings = text;
  openings.replace(openings.find("\n2       \n    1500"), 10, "\n2147483647\n");
  EXPECT_FALSE(Parse(openings));
}

TEST_F(DamagedFile, ANegativeCountMeansNoItems) {
  std::string text = FormatProjectText(test::SmallProject(), '.');
  text.replace(text.find("\n2       \n"), 10, "\n-5\n");
  ASSERT_TRUE(Parse(text));
  EXPECT_EQ(inMemory_.building.roomCount, 1);
}

TEST_F(DamagedFile, NonNumericLinesReadAsZeroOrTheirLeadingNumber) {
  std::string text = FormatProjectText(test::SmallProject(), '.');
  text.replace(text.find("    5000\n    4000"), 8, "abc");
  text.replace(text.find("      20\n"), 8, "21 degrees");
  ASSERT_TRUE(Parse(text));
  EXPECT_EQ(inMemory_.rooms[1].length, 0);
  EXPECT_EQ(inMemory_.rooms[1].ti, 21);
}

TEST_F(DamagedFile, EnormousLinesAreCutNotOverrun) {
  std::string text = FormatProjectText(test::SmallProject(), '.');
  text.replace(text.find("1.01\n"), 4, std::string(1 << 20, 'x'));
  ASSERT_TRUE(Parse(text));
  EXPECT_EQ(inMemory_.rooms[1].number, std::string(19, 'x'));
}

TEST_F(DamagedFile, BinaryGarbageNeverCrashes) {
  std::mt19937 random(1234);
  const std::string good = FormatProjectText(test::SmallProject(), '.');
  for (int round = 0; round < 300; ++round) {
    std::string bytes;
    if (round % 2 == 0) {
      bytes.resize(random() % 4096);
      for (char& c : bytes) c = static_cast<char>(random() % 256);
    } else {  // a good file with bytes flipped: digits turn into counts of anything
      bytes = good;
      for (int k = 0; k < 8; ++k)
        bytes[random() % bytes.size()] = static_cast<char>(random() % 256);
    }
    inMemory_ = test::SmallProject();
    Parse(Cp1250ToUtf8(bytes));
  }
}

}  // namespace
}  // namespace kvem
