#include "platform/files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "support/test_support.h"

namespace kvem {
namespace {

TEST(AtomicFile, ReplacesTheFileAndKeepsItsPermissions) {
  test::TempDir dir;
  const auto path = dir / "project.kvm";
  test::WriteFile(path, "old contents");
  ::chmod(path.c_str(), 0640);
  ASSERT_TRUE(WriteFileAtomically(path, "new"));
  EXPECT_EQ(test::ReadFile(path), "new");
  struct stat st {};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  // Nothing but the file itself is left in the folder.
  int entries = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path())) ++entries;
  EXPECT_EQ(entries, 1);
}

TEST(AtomicFile, AFailedWriteLeavesThePreviousFileAlone) {
  test::TempDir dir;
  std::string error;
  EXPECT_FALSE(WriteFileAtomically(dir / "missing-folder" / "x.kvm", "data", &error));
  EXPECT_NE(error.find("missing-folder"), std::string::npos);

  // A target that is a folder cannot be replaced; the folder stays.
  std::filesystem::create_directory(dir / "folder");
  test::WriteFile(dir / "folder" / "inside", "keep");
  EXPECT_FALSE(WriteFileAtomically(dir / "folder", "data"));
  EXPECT_EQ(test::ReadFile(dir / "folder" / "inside"), "keep");
}

TEST(Files, ReadWholeFileReportsAMissingFile) {
  test::TempDir dir;
  std::string bytes;
  EXPECT_FALSE(ReadWholeFile(dir / "nothing", bytes));
  test::WriteFile(dir / "bin", std::string("a\0b", 3));
  ASSERT_TRUE(ReadWholeFile(dir / "bin", bytes));
  EXPECT_EQ(bytes, std::string("a\0b", 3));
}

TEST(Files, LinesEndWithLfOrCrLf) {
  std::vector<std::string> lines;
  ForEachLine("a\r\nb\n\r\nc", [&](std::string_view l) { lines.emplace_back(l); });
  EXPECT_EQ(lines, (std::vector<std::string>{"a", "b", "", "c"}));
}

}  // namespace
}  // namespace kvem
