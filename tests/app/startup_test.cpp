#include "app/startup.h"

#include <gtest/gtest.h>

#include "app/commands.h"
#include "support/test_support.h"

namespace kvem {
namespace {

TEST(Startup, CommandLine) {
  StartupOptions o = ParseStartupArguments({"--settings", "s.ini", "house.kvm"});
  EXPECT_EQ(o.settingsFile, "s.ini");
  EXPECT_EQ(o.projectFile, "house.kvm");
  EXPECT_TRUE(o.error.empty());
  EXPECT_FALSE(ParseStartupArguments({"a.kvm", "b.kvm"}).error.empty());
  EXPECT_FALSE(ParseStartupArguments({"--settings"}).error.empty());
  EXPECT_FALSE(ParseStartupArguments({"--bogus"}).error.empty());
}

TEST(Startup, RecentListKeepsFourMostRecentFirstWithoutDuplicates) {
  std::vector<std::string> list;
  for (const char* p : {"a", "b", "c", "d", "e"}) list = WithRecentFile(list, p);
  EXPECT_EQ(list, (std::vector<std::string>{"e", "d", "c", "b"}));
  list = WithRecentFile(list, "c");
  EXPECT_EQ(list, (std::vector<std::string>{"c", "e", "d", "b"}));
  EXPECT_EQ(RecentFileMenuText(0, "/x/a.kvm"), "&1 /x/a.kvm");
}

TEST(Startup, TitlesFromTheLanguageSuffix) {
  Settings settings = Settings::InMemory();
  settings.WriteMainForSetup(kLanguageVersion, "CZ");
  RecordingMessenger messenger;
  Application app(std::move(settings), messenger, '.');
  EXPECT_EQ(FrameTitle(app), "KvemPexon [CZ]");
  EXPECT_EQ(AboutFirstLine(app), "KvemPexon - verze 3.6.x CZ");
}

TEST(Startup, OpeningRemembersTheFileOnlyWhenItWasRead) {
  RecordingMessenger messenger;
  Application app(Settings::InMemory(), messenger, '.');
  const std::filesystem::path house = std::filesystem::path(std::getenv("KVEM_EXAMPLES")) /
                                      "family-house.kvm";
  EXPECT_FALSE(OpenProjectFile(app, "/nonexistent/x.kvm"));
  EXPECT_TRUE(app.settings().RecentFiles().empty());
  ASSERT_TRUE(OpenProjectFile(app, house));
  EXPECT_EQ(app.settings().RecentFiles(), std::vector<std::string>{house.string()});
  EXPECT_EQ(app.project().state, ProjectState::HasData);
}

TEST(Commands, EveryMenuAndToolbarIdIsInTheTable) {
  for (const Menu& menu : Menus()) {
    for (const MenuEntry& entry : menu.entries) {
      if (entry.id != command::kSeparator) {
        EXPECT_NE(FindCommand(entry.id), nullptr) << entry.id;
      }
    }
  }
  int gaps = 0;
  for (int id : ToolbarCommands()) {
    if (id == command::kSeparator) {
      ++gaps;
    } else {
      EXPECT_NE(FindCommand(id), nullptr) << id;
    }
  }
  EXPECT_EQ(gaps, 11);
}

}  // namespace
}  // namespace kvem
