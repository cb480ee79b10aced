// Start-up and the document commands of the desktop program that need no
// window: the command line, the frame and About texts, the recently-used list
// and opening a project as the program does at start or from that list.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "app/application.h"

namespace kvem {

// kvem [--settings FILE] [PROJECT.kvm]
struct StartupOptions {
  std::filesystem::path settingsFile;
  std::filesystem::path projectFile;
  bool help = false;
  std::string error;  // non-empty: the command line is wrong
};
StartupOptions ParseStartupArguments(const std::vector<std::string>& arguments);
inline constexpr const char* kStartupUsage =
    "Usage: kvem [--settings FILE] [PROJECT.kvm]\n"
    "  PROJECT.kvm      project file to open at start\n"
    "  --settings FILE  use this INI file for all settings (also KVEM_SETTINGS)\n";

// "KvemPexon [CZ]"
std::string FrameTitle(const Application& app);
// "KvemPexon - verze 3.6.x CZ" and the notice lines below it.
std::string AboutFirstLine(const Application& app);
std::vector<std::string> AboutNoticeLines();

// The recently-used list after `path` was opened or saved: it goes to the
// top, an older entry of the same path is dropped, at most four stay.
std::vector<std::string> WithRecentFile(std::vector<std::string> list, const std::string& path);
// The menu text of entry `index` (from 0): "&1 /home/x/house.kvm".
std::string RecentFileMenuText(int index, const std::string& path);

// Opens `path` as Open does and, on success, puts it at the top of the
// recently-used list in the settings. False after the message.
bool OpenProjectFile(Application& app, const std::filesystem::path& path);
// Saves under `path` and remembers it the same way.
bool SaveProjectFileAs(Application& app, const std::filesystem::path& path);
void RememberRecentFile(Application& app, const std::string& path);

// The help page shipped in the installation tree.
std::filesystem::path HelpPagePath(const Application& app);

}  // namespace kvem
