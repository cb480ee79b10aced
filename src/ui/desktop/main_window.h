// The main window: menu, toolbar and status bar built from the command table
// (app/commands.h), the document commands, and the routing of every command
// to its dialog or calculation.
#pragma once

#include <QMainWindow>
#include <functional>
#include <map>

#include "app/application.h"
#include "platform/launcher.h"

class QAction;
class QLabel;
class QMenu;
class QToolBar;

namespace kvem::ui {

class MainWindow : public QMainWindow {
  Q_OBJECT
 public:
  MainWindow(Application& app, ProgramLauncher& launcher, QWidget* parent = nullptr);

  QAction* action(int commandId) const;
  void Run(int commandId);
  void UpdateTitle();

  // File dialogs, replaceable in tests: (save?, proposed path) -> chosen path,
  // empty when cancelled.
  using FileChooser = std::function<QString(bool save, const QString& proposed)>;
  void setFileChooser(FileChooser chooser) { chooseFile_ = std::move(chooser); }

  // Shows the start-up picture over the window until a key or a click.
  void ShowSplash();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildActions();
  void BuildMenus();
  void BuildToolbar();
  void BuildStatusBar();
  void UpdateRecentFiles();
  void HideSplash();

  void NewDocument();
  void OpenDocument();
  void SaveDocument();
  void SaveDocumentAs();
  void OpenRecent(int index);
  void EditCommand(int commandId);
  void Calculate();
  void StartTableEditor(int commandId);
  void OpenHelp();
  void About();

  Application& app_;
  ProgramLauncher& launcher_;
  FileChooser chooseFile_;
  std::map<int, QAction*> actions_;
  QAction* dataDivider_ = nullptr;
  QToolBar* toolbar_ = nullptr;
  QWidget* splash_ = nullptr;
  QSize minimumBeforeSplash_;
};

// The text of the file dialogs' filter and the default extension.
inline constexpr const char* kProjectFileFilter = "Vstupní data (*.kvm) ;;Všechny soubory (*.*) ";
inline constexpr const char* kProjectFileExtension = "kvm";

}  // namespace kvem::ui
