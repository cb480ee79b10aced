#include "platform/settings.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace kvem {
namespace {

TEST(Settings, AbsentValuesReadAsEmptyTextAndTheCadKindDefaultsTo120) {
  test::TempDir dir;
  const Settings settings = Settings::Open(dir / "kvem.ini");
  EXPECT_EQ(settings.ReadMain(kPathTmp), "");
  EXPECT_FALSE(settings.HasMain(kPathTmp));
  EXPECT_EQ(settings.ReadCadKind(), kDefaultCadKind);
  EXPECT_TRUE(settings.RecentFiles().empty());
}

TEST(Settings, ARegistryReadGivesAtMost100Characters) {
  Settings settings = Settings::InMemory();
  const std::string longPath = "/" + std::string(149, 'p');
  settings.WriteMainForSetup(kPathMain, longPath);
  EXPECT_EQ(settings.ReadMain(kPathMain), longPath.substr(0, 100));
  std::string czech;
  for (int i = 0; i < 99; ++i) czech += "č";
  settings.WriteMainForSetup(kPathProject, czech + "ř");
  EXPECT_EQ(settings.ReadMain(kPathProject), czech + "ř");  // characters, not bytes
}

TEST(Settings, ValuesWrittenInOneRunAreFoundInTheNext) {
  test::TempDir dir;
  {
    Settings settings = Settings::Open(dir / "kvem.ini");
    settings.WriteMainForSetup(kPathTmp, "/tmp/kvem tmp");
    settings.WriteMainForSetup(kLanguageVersion, "CZ");
    settings.WriteCadKind(130);
    settings.SetRecentFiles({"/a/dům.kvm", "/b/x.kvm"});
    ASSERT_TRUE(settings.Flush(nullptr));
  }
  const Settings again = Settings::Open(dir / "kvem.ini");
  EXPECT_EQ(again.ReadMain(kPathTmp), "/tmp/kvem tmp");
  EXPECT_EQ(again.ReadMain(kLanguageVersion), "CZ");
  EXPECT_EQ(again.ReadCadKind(), 130);
  EXPECT_EQ(again.RecentFiles(), (std::vector<std::string>{"/a/dům.kvm", "/b/x.kvm"}));
  const std::string ini = test::ReadFile(dir / "kvem.ini");
  EXPECT_NE(ini.find("[Main]"), std::string::npos);
  EXPECT_NE(ini.find("[Settings]"), std::string::npos);
}

TEST(Settings, KvemSettingsPointsARunAtAnotherFile) {
  test::TempDir dir;
  {
    Settings settings = Settings::Open(dir / "other.ini");
    settings.WriteMainForSetup(kPathMain, "/opt/kvem");
    ASSERT_TRUE(settings.Flush(nullptr));
  }
  setenv("KVEM_SETTINGS", (dir / "other.ini").c_str(), 1);
  const Settings fromEnvironment = Settings::Open();
  unsetenv("KVEM_SETTINGS");
  EXPECT_EQ(fromEnvironment.ReadMain(kPathMain), "/opt/kvem");
  EXPECT_EQ(fromEnvironment.MainLocation(), (dir / "other.ini").string());
}

}  // namespace
}  // namespace kvem
