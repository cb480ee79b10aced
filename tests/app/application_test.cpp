#include "app/application.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace kvem {
namespace {

TEST(Setup, WritesOnlyAbsentValuesAndMakesTheFolders) {
  test::TempDir dir;
  Settings settings = Settings::Open(dir / "kvem.ini");
  settings.WriteMainForSetup(kLanguageVersion, "EN");
  const SetupResult result = RunSetup(settings, "/opt/kvem/data", dir.path());
  ASSERT_TRUE(result.ok) << result.error;
  EXPECT_EQ(settings.ReadMain(kPathMain), "/opt/kvem/data");
  EXPECT_EQ(settings.ReadMain(kPathData), "/opt/kvem/data/Katalogy");
  EXPECT_EQ(settings.ReadMain(kPathTmp), (dir.path() / "Kvem" / "Tmp").string());
  EXPECT_EQ(settings.ReadMain(kLanguageVersion), "EN");  // kept
  EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "Kvem" / "Working"));
  EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "Kvem" / "Projects"));
  ASSERT_EQ(result.values.size(), 6u);
  EXPECT_EQ(result.values[0], (std::pair<std::string, std::string>{"PathMain", "/opt/kvem/data"}));
  EXPECT_EQ(result.values[5], (std::pair<std::string, std::string>{"JazykovaVerze", "EN"}));
  // A drawing is named for the hand-over, as a CAD program would: project "Kvem", number 1.
  const auto tmp = dir.path() / "Kvem" / "Tmp";
  EXPECT_EQ(test::ReadFile(tmp / "epc_pr2.ini"), "\n1\n");
  EXPECT_TRUE(test::ReadFile(tmp / "epc_pr1.ini").starts_with("\n\nKvem\n"));
  // ... but files a CAD program wrote stay as they are.
  test::WriteFile(tmp / "epc_pr2.ini", "\n7\n");
  std::filesystem::remove(tmp / "epc_pr1.ini");
  ASSERT_TRUE(RunSetup(settings, "/opt/kvem/data", dir.path()).ok);
  EXPECT_EQ(test::ReadFile(tmp / "epc_pr2.ini"), "\n7\n");
  EXPECT_FALSE(std::filesystem::exists(tmp / "epc_pr1.ini"));
}

TEST(Application, TakesSuffixDataFolderAndCadKindAtStartAndKeepsTheCadKindAtExit) {
  test::TempDir dir;
  {
    Settings settings = Settings::Open(dir / "kvem.ini");
    settings.WriteMainForSetup(kPathMain, "C:/Prog");
    settings.WriteMainForSetup(kLanguageVersion, "CZ");
    ASSERT_TRUE(settings.Flush(nullptr));
  }
  RecordingMessenger messenger;
  {
    Application app(Settings::Open(dir / "kvem.ini"), messenger, ',');
    EXPECT_EQ(app.languageSuffix(), "CZ");
    EXPECT_EQ(app.dataDirectory(), std::filesystem::path("C:/Prog/Kvem/Data"));
    EXPECT_EQ(app.cadKind(), 120);
    EXPECT_EQ(app.decimalSeparator(), ',');
    EXPECT_FALSE(app.rangeMessagesEnabled());
    app.setCadKind(131);
    ASSERT_TRUE(app.SaveOnExit(nullptr));
  }
  Application again(Settings::Open(dir / "kvem.ini"), messenger, '.');
  EXPECT_EQ(again.cadKind(), 131);
  // The program never writes the "Main" key.
  EXPECT_EQ(again.settings().ReadMain(kPathTmp), "");
}

}  // namespace
}  // namespace kvem
