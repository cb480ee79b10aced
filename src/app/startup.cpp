#include "app/startup.h"

#include <algorithm>

#include "project/project_file.h"

namespace kvem {

StartupOptions ParseStartupArguments(const std::vector<std::string>& arguments) {
  StartupOptions options;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& arg = arguments[i];
    if (arg == "--help" || arg == "-h") {
      options.help = true;
    } else if (arg == "--settings") {
      if (i + 1 >= arguments.size()) {
        options.error = "--settings needs a file name";
        return options;
      }
      options.settingsFile = arguments[++i];
    } else if (arg.starts_with("--settings=")) {
      options.settingsFile = arg.substr(11);
    } else if (arg.starts_with("-") && arg != "-") {
      options.error = "unknown option " + arg;
      return options;
    } else if (options.projectFile.empty()) {
      options.projectFile = arg;
    } else {
      options.error = "only one project file can be opened";
      return options;
    }
  }
  return options;
}

std::string FrameTitle(const Application& app) {
  return std::string(kApplicationName) + " [" + app.languageSuffix() + "]";
}

std::string AboutFirstLine(const Application& app) {
  return std::string(kApplicationName) + " - verze " + std::string(kVersionText) + " " +
         app.languageSuffix();
}

std::vector<std::string> AboutNoticeLines() {
  return {
      "Design heat loss of buildings, heaters, pipe-network pressure,",
      "floor heating after EN 1264 and the energy label.",
      "The standard values come from the tables of the installation;",
      "check every design against the standards in force before it is built.",
  };
}

std::vector<std::string> WithRecentFile(std::vector<std::string> list, const std::string& path) {
  list.erase(std::remove(list.begin(), list.end(), path), list.end());
  list.insert(list.begin(), path);
  if (list.size() > static_cast<std::size_t>(kRecentFileCount)) list.resize(kRecentFileCount);
  return list;
}

std::string RecentFileMenuText(int index, const std::string& path) {
  return "&" + std::to_string(index + 1) + " " + path;
}

void RememberRecentFile(Application& app, const std::string& path) {
  app.settings().SetRecentFiles(WithRecentFile(app.settings().RecentFiles(), path));
  std::string error;
  app.settings().Flush(&error);  // a list that cannot be kept is no reason to stop
}

bool OpenProjectFile(Application& app, const std::filesystem::path& path) {
  if (!OpenDocument(app.project(), path, app.decimalSeparator(), app.messenger())) return false;
  RememberRecentFile(app, app.project().path);
  return true;
}

bool SaveProjectFileAs(Application& app, const std::filesystem::path& path) {
  if (!SaveDocumentAs(app.project(), path, app.decimalSeparator(), app.messenger())) return false;
  RememberRecentFile(app, app.project().path);
  return true;
}

std::filesystem::path HelpPagePath(const Application& app) {
  return app.dataDirectory().parent_path() / "Help" / "Kvem.html";
}

}  // namespace kvem
