#include "platform/messenger.h"

#include <gtest/gtest.h>

#include "platform/launcher.h"

namespace kvem {
namespace {

TEST(Messenger, TheBatchToolWritesOneLinePerMessage) {
  EXPECT_EQ(StreamMessenger::Line("\nCann't open file\n'x.dbf' !", "Kvem - error:"),
            "Kvem - error:: \\nCann't open file\\n'x.dbf' !");
  EXPECT_EQ(StreamMessenger::Line("text only", ""), "text only");
}

TEST(Messenger, TheBatchToolAnswersFromItsOptionsNeverFromStdin) {
  std::FILE* sink = std::tmpfile();
  StreamMessenger messenger(sink);
  EXPECT_FALSE(messenger.Ask("Save?", "Kvem - inquiry"));
  EXPECT_EQ(messenger.Choose("How?", "c", {"a", "b", "c"}, 2), 2);
  messenger.SetAskAnswer(true);
  messenger.SetChoice(0);
  EXPECT_TRUE(messenger.Ask("Save?", "Kvem - inquiry"));
  EXPECT_EQ(messenger.Choose("How?", "c", {"a", "b", "c"}, 2), 0);
  std::fclose(sink);
}

TEST(Messenger, TheRecordingFakeKeepsTextsAndAnswersFromItsScript) {
  RecordingMessenger messenger;
  messenger.QueueAsk(true);
  messenger.QueueChoice(1);
  messenger.Show("one", "cap", Icon::Warning);
  EXPECT_TRUE(messenger.Ask("two", "cap"));
  EXPECT_FALSE(messenger.Ask("three", "cap"));  // script used up: no
  EXPECT_EQ(messenger.Choose("four", "cap", {"x", "y"}, 0), 1);
  EXPECT_EQ(messenger.Choose("five", "cap", {"x", "y"}, 0), 0);  // the preselected one
  EXPECT_EQ(messenger.texts(), (std::vector<std::string>{"one", "two", "three", "four", "five"}));
  EXPECT_EQ(messenger.messages()[0].icon, Icon::Warning);
}

TEST(Launcher, CommandLinesSplitAtBlanksAndKeepQuotedWords) {
  EXPECT_EQ(SplitCommandLine("/opt/Kvem/Data/Ptab_CZ \"/a b/Kvem_Te.CZ.dbf\" 3"),
            (std::vector<std::string>{"/opt/Kvem/Data/Ptab_CZ", "/a b/Kvem_Te.CZ.dbf", "3"}));
  RecordingLauncher launcher;
  EXPECT_TRUE(launcher.StartCommandLine("editor  table.dbf"));
  ASSERT_EQ(launcher.starts.size(), 1u);
  EXPECT_EQ(launcher.starts[0].program, "editor");
  EXPECT_EQ(launcher.starts[0].arguments, std::vector<std::string>{"table.dbf"});
  EXPECT_FALSE(launcher.StartCommandLine("   "));
}

}  // namespace
}  // namespace kvem
