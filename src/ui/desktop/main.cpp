// kvem: the desktop program. Start-up in the program's order: the user's
// decimal separator, the settings (paths, language suffix, CAD kind), the
// main window, the project named on the command line; at exit the CAD kind
// goes back to the profile.
#include <QApplication>
#include <cstdio>

#include "app/startup.h"
#include "platform/launcher.h"
#include "platform/locale.h"
#include "ui/common/message_box_messenger.h"
#include "ui/desktop/main_window.h"

int main(int argc, char* argv[]) {
  // --help needs no display.
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::fputs(kvem::kStartupUsage, stdout);
      return 0;
    }
  }
  QApplication qtApp(argc, argv);  // takes Qt's own options (-platform ...) off the list
  QApplication::setApplicationName(QString::fromUtf8(kvem::kApplicationName.data(),
                                                     static_cast<qsizetype>(kvem::kApplicationName.size())));
  QApplication::setOrganizationName("Norda 61");

  std::vector<std::string> arguments;
  const QStringList args = QApplication::arguments();
  for (qsizetype i = 1; i < args.size(); ++i) arguments.push_back(args[i].toStdString());
  const kvem::StartupOptions options = kvem::ParseStartupArguments(arguments);
  if (options.help) {
    std::fputs(kvem::kStartupUsage, stdout);
    return 0;
  }
  if (!options.error.empty()) {
    std::fprintf(stderr, "kvem: %s\n%s", options.error.c_str(), kvem::kStartupUsage);
    return 2;
  }

  const char separator = kvem::DecimalSeparatorFromEnvironment();
  kvem::ui::MessageBoxMessenger messenger;
  kvem::Application app(kvem::Settings::Open(options.settingsFile), messenger, separator);
  app.EnableRangeMessages();

  kvem::ProcessLauncher launcher;
  kvem::ui::MainWindow window(app, launcher);
  messenger.setParent(&window);
  if (!options.projectFile.empty() && !kvem::OpenProjectFile(app, options.projectFile)) {
    return 1;  // the message has been shown; a start on an unreadable file ends here
  }
  window.UpdateTitle();
  window.show();
  window.ShowSplash();
  const int status = QApplication::exec();

  std::string error;
  if (!app.SaveOnExit(&error)) std::fprintf(stderr, "kvem: settings not saved: %s\n", error.c_str());
  return status;
}
