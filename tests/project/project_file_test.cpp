#include "project/project_file.h"

#include <gtest/gtest.h>

#include "platform/encoding.h"
#include "project_test_util.h"
#include "support/test_support.h"

namespace kvem {
namespace {

constexpr const char* kSmallProjectText =
    "Rodinný dům\nline 2\nDům č. 5\n\n\n2026-11-30\n\n\n\n-15\nBrno\n227\nno\n8\n0,1\n"
    "Residential building\n1\nKvem_TiOb\n2       \n"
    "1.01\nObývací pokoj\n    5000\n    4000\n    2600\n      20\n       1\n   30\nN\n3       \n"
    "    5000\n    2600\n      35\n0,500000\nSO \n2       \n"
    "    1500\n    1500\n1,700000\n1,400000\n    6000\n       1\nOJ \n"
    "    4000\n    2600\n       5\n1,900000\nSN \n1       \n";

TEST(ProjectFile, EveryLineHasItsFormat) {
  EXPECT_EQ(FormatProjectText(test::SmallProject(), ','), kSmallProjectText);
}

TEST(ProjectFile, OnDiskItIsWindows1250WithCrLf) {
  test::TempDir dir;
  RecordingMessenger messenger;
  ASSERT_TRUE(WriteProject(test::SmallProject(), dir / "a.kvm", '.', messenger));
  EXPECT_TRUE(messenger.messages().empty());
  const std::string bytes = test::ReadFile(dir / "a.kvm");
  EXPECT_EQ(bytes.substr(0, 13), "Rodinn\xFD d\xF9m\r\n");
  EXPECT_NE(bytes.find("\r\n0.1\r\n"), std::string::npos);
  EXPECT_EQ(bytes.find("\n\n"), std::string::npos);  // every line end is CR LF
  EXPECT_EQ(bytes.substr(bytes.size() - 10), "1       \r\n");
}

TEST(ProjectFile, RoundTripUnderEitherSeparatorAndEitherLineEnd) {
  for (char sep : {'.', ','}) {
    test::TempDir dir;
    RecordingMessenger messenger;
    const Project original = test::SmallProject();
    ASSERT_TRUE(WriteProject(original, dir / "a.kvm", sep, messenger));
    Project loaded;
    ASSERT_TRUE(ReadProject(loaded, dir / "a.kvm", sep, messenger));
    EXPECT_EQ(FormatProjectText(loaded, sep), FormatProjectText(original, sep));
    EXPECT_DOUBLE_EQ(loaded.building.p2, 0.1);
    EXPECT_DOUBLE_EQ(loaded.rooms[1].walls[1].openings[1].i, 1.4);
    EXPECT_EQ(loaded.rooms[1].walls[1].code, "SO ");
    EXPECT_EQ(loaded.state, ProjectState::HasData);

    // The same file with LF line ends reads the same.
    std::string lf = test::ReadFile(dir / "a.kvm");
    std::erase(lf, '\r');
    test::WriteFile(dir / "lf.kvm", lf);
    Project fromLf;
    ASSERT_TRUE(ReadProject(fromLf, dir / "lf.kvm", sep, messenger));
    EXPECT_EQ(FormatProjectText(fromLf, sep), FormatProjectText(original, sep));
    EXPECT_TRUE(messenger.messages().empty());
  }
}

TEST(ProjectFile, AnEmptyProjectIsNineteenLines) {
  const std::string text = FormatProjectText(Project{}, '.');
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 19);
  EXPECT_TRUE(text.ends_with("\n1       \n"));
  EXPECT_TRUE(text.starts_with("\n\n\n\n\n\n\n\n\n0\n\n\n\n0\n0.0\n\n0\n\n"));
}

TEST(ProjectFile, CountsAndNumbersAreReadAsTheCLibraryReadsThem) {
  // "3" followed by seven blanks gives two rooms; p2 "0.2" and "0.0".
  std::string text = FormatProjectText(test::SmallProject(), '.');
  Project loaded;
  RecordingMessenger messenger;
  ASSERT_TRUE(ParseProjectText(loaded, text, '.', "x", messenger));
  EXPECT_EQ(loaded.building.roomCount, 2);
  EXPECT_EQ(loaded.RoomsInUse(), 1);
  text.replace(text.find("\n0.1\n"), 5, "\n0.2\n");
  ASSERT_TRUE(ParseProjectText(loaded, text, '.', "x", messenger));
  EXPECT_DOUBLE_EQ(loaded.building.p2, 0.2);
  text.replace(text.find("\n0.2\n"), 5, "\n0.0\n");
  ASSERT_TRUE(ParseProjectText(loaded, text, '.', "x", messenger));
  EXPECT_DOUBLE_EQ(loaded.building.p2, 0.0);
  // A decimal point read under a decimal comma stops at the point.
  ASSERT_TRUE(
      ParseProjectText(loaded, FormatProjectText(test::SmallProject(), '.'), ',', "x", messenger));
  EXPECT_DOUBLE_EQ(loaded.building.p2, 0.0);
  EXPECT_DOUBLE_EQ(loaded.rooms[1].walls[1].k, 0.0);
}

TEST(ProjectFile, AWallWithOneOpeningIsFollowedByTheNextWall) {
  Project loaded;
  RecordingMessenger messenger;
  ASSERT_TRUE(ParseProjectText(loaded, kSmallProjectText, ',', "x", messenger));
  const Room& room = loaded.rooms[1];
  EXPECT_EQ(room.wallCount, 3);
  EXPECT_EQ(room.walls[1].openingCount, 2);
  EXPECT_EQ(room.walls[2].length, 4000);
  EXPECT_EQ(room.walls[2].openingCount, 1);
}

TEST(ProjectFile, TextsFitTheirFieldsOrAreCutAndReportedOnce) {
  Project p = test::SmallProject();
  p.rooms[1].name = "Pokoj pro hosty 123";  // exactly 19 characters
  ASSERT_EQ(Utf8Length(p.rooms[1].name), 19u);
  Project loaded;
  RecordingMessenger messenger;
  ASSERT_TRUE(ParseProjectText(loaded, FormatProjectText(p, '.'), '.', "x", messenger));
  EXPECT_EQ(loaded.rooms[1].name, "Pokoj pro hosty 123");
  EXPECT_TRUE(messenger.messages().empty());

  std::string text = FormatProjectText(p, '.');
  text.replace(text.find("Pokoj pro hosty 123"), 19, "Žlutá pracovna s krbem a oknem");
  text.replace(text.find("Brno"), 4, std::string(300, 'B'));
  ASSERT_TRUE(ParseProjectText(loaded, text, '.', "dům.kvm", messenger));
  EXPECT_EQ(loaded.rooms[1].name, "Žlutá pracovna s kr");
  EXPECT_EQ(loaded.building.location, std::string(49, 'B'));
  ASSERT_EQ(messenger.messages().size(), 1u);
  EXPECT_EQ(messenger.messages()[0].caption, "Kvem - notice");
  EXPECT_NE(messenger.messages()[0].text.find("at line 11"), std::string::npos);
}

TEST(ProjectFile, CodesKeepTheirFirstThreeCharacters) {
  std::string text = kSmallProjectText;
  text.replace(text.find("SO \n"), 4, "SO -External Wall\n");
  Project loaded;
  RecordingMessenger messenger;
  ASSERT_TRUE(ParseProjectText(loaded, text, ',', "x", messenger));
  EXPECT_EQ(loaded.rooms[1].walls[1].code, "SO ");
}

TEST(ProjectFile, AFileThatCannotBeOpenedChangesNothing) {
  test::TempDir dir;
  Project p = test::SmallProject();
  p.path = "/somewhere/house.kvm";
  RecordingMessenger messenger;
  EXPECT_FALSE(OpenDocument(p, dir / "missing.kvm", '.', messenger));
  ASSERT_EQ(messenger.messages().size(), 1u);
  EXPECT_EQ(messenger.messages()[0].text, "File openning failed");
  EXPECT_EQ(messenger.messages()[0].caption, "Kvem - error");
  EXPECT_EQ(p.path, "/somewhere/house.kvm");
  EXPECT_EQ(FormatProjectText(p, '.'), FormatProjectText(test::SmallProject(), '.'));

  EXPECT_FALSE(WriteProject(p, dir / "no" / "such" / "dir.kvm", '.', messenger));
  EXPECT_EQ(messenger.messages().back().text, "File openning failed");
}

TEST(ProjectFile, CharactersOutsideTheCodePageAreWrittenAsQuestionMarksAndReported) {
  test::TempDir dir;
  Project p = test::SmallProject();
  p.rooms[1].name = "Kuchyň 厨房";
  RecordingMessenger messenger;
  ASSERT_TRUE(WriteProject(p, dir / "a.kvm", '.', messenger));
  EXPECT_NE(test::ReadFile(dir / "a.kvm").find("Kuchy\xF2 ??\r\n"), std::string::npos);
  ASSERT_EQ(messenger.messages().size(), 1u);
  EXPECT_NE(messenger.messages()[0].text.find("2 character(s)"), std::string::npos);
}

TEST(Document, UnnamedProjectsAskForANameAndTitlesNameTheProject) {
  Project p = test::SmallProject();
  EXPECT_TRUE(SaveNeedsName(p));
  for (const char* marker : {"Nový", "NOVÝ", "nový", "nOvÝ"}) {
    p.path = marker;
    EXPECT_TRUE(SaveNeedsName(p)) << marker;
    RecordingMessenger messenger;
    EXPECT_FALSE(SaveDocument(p, '.', messenger));
  }
  test::TempDir dir;
  RecordingMessenger messenger;
  ASSERT_TRUE(SaveDocumentAs(p, dir / "house.kvm", '.', messenger));
  EXPECT_FALSE(SaveNeedsName(p));
  EXPECT_EQ(DocumentTitle(p), (dir / "house.kvm").string() + " - Rodinný dům");
  NewDocument(p);
  EXPECT_EQ(p.path, "Nový");
  EXPECT_EQ(p.building.projectName1, "Rodinný dům");  // New keeps the data
  ASSERT_TRUE(OpenDocument(p, dir / "house.kvm", '.', messenger));
  EXPECT_EQ(p.path, (dir / "house.kvm").string());
}

TEST(ProjectFile, TheBundledExamplesLoad) {
  for (const char* name : {"family-house.kvm", "worked-room.kvm"}) {
    Project p;
    RecordingMessenger messenger;
    ASSERT_TRUE(ReadProject(p, test::ExamplesDir() / name, '.', messenger)) << name;
    EXPECT_TRUE(messenger.messages().empty()) << name;
    EXPECT_GE(p.RoomsInUse(), 1);
  }
}

}  // namespace
}  // namespace kvem
