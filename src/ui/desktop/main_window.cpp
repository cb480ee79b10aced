#include "ui/desktop/main_window.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

#include "app/commands.h"
#include "app/startup.h"
#include "heatloss/heat_loss.h"
#include "platform/numbers.h"
#include "project/project_file.h"
#include "tables/text_lines.h"
#include "ui/common/message_box_messenger.h"
#include "ui/desktop/icons.h"
#include "ui/desktop/main_data_dialog.h"
#include "ui/desktop/room_editor_dialog.h"
#include "ui/desktop/table_access.h"

#ifdef KVEM_HAVE_REPORT_UI
#include "ui/report/report_actions.h"
#include "ui/report/results_dialog.h"
#endif

namespace kvem::ui {

namespace c = command;

namespace {

QString MenuText(std::string_view text) { return ToQString(text.substr(0, text.find('\t'))); }

QKeySequence Accelerator(std::string_view text) {
  const std::size_t tab = text.find('\t');
  return tab == std::string_view::npos ? QKeySequence() : QKeySequence(ToQString(text.substr(tab + 1)));
}

#ifndef KVEM_HAVE_REPORT_UI
bool IsPrintCommand(int id) {
  return id == c::kPrint || id == c::kPreview || id == c::kExportPdf || id == c::kPrintSetup || id == c::kPageSetup;
}
#endif

QString DefaultFileChooser(QWidget* parent, bool save, const QString& proposed) {
  QFileDialog dialog(parent);
  dialog.setObjectName(save ? "saveFileDialog" : "openFileDialog");
  dialog.setNameFilter(kProjectFileFilter);
  dialog.setNameFilters(QString(kProjectFileFilter).split(";;"));
  dialog.setDefaultSuffix(kProjectFileExtension);
  if (save) {
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.selectFile(proposed);  // asks before it overwrites an existing file
  } else {
    dialog.setFileMode(QFileDialog::ExistingFile);
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().first();
}

}  // namespace

MainWindow::MainWindow(Application& app, ProgramLauncher& launcher, QWidget* parent)
    : QMainWindow(parent), app_(app), launcher_(launcher) {
  setObjectName("mainWindow");
  chooseFile_ = [this](bool save, const QString& proposed) {
    return DefaultFileChooser(this, save, proposed);
  };
  auto* view = new QWidget;
  view->setObjectName("view");
  view->setAutoFillBackground(true);
  view->setBackgroundRole(QPalette::Base);
  setCentralWidget(view);
  BuildActions();
  BuildMenus();
  BuildToolbar();
  BuildStatusBar();
  UpdateRecentFiles();
  UpdateTitle();
  resize(900, 600);
}

QAction* MainWindow::action(int id) const {
  const auto it = actions_.find(id);
  return it == actions_.end() ? nullptr : it->second;
}

void MainWindow::BuildActions() {
  for (const CommandInfo& info : Commands()) {
    auto* action = new QAction(MenuText(info.text), this);
    action->setObjectName(QString("action%1").arg(info.id));
    action->setData(info.id);
    action->setStatusTip(ToQString(info.prompt));
    action->setToolTip(ToQString(info.toolTip));
    action->setShortcut(Accelerator(info.text));
    action->setShortcutContext(Qt::ApplicationShortcut);
    action->setIcon(CommandIcon(info.id));
    action->setIconVisibleInMenu(false);
    bool enabled = !info.later;
#ifndef KVEM_HAVE_REPORT_UI
    if (IsPrintCommand(info.id)) enabled = false;
#endif
    if (!enabled) {
      action->setEnabled(false);
      const QString name = info.toolTip.empty() ? MenuText(info.text).remove('&')
                                                : ToQString(info.toolTip);
      action->setToolTip(name + QString(" - ") + ToQString(kNotAvailableYet));
    }
    const int id = info.id;
    connect(action, &QAction::triggered, this, [this, id] { Run(id); });
    actions_[id] = action;
  }
  // The further accelerators of the edit commands.
  action(c::kCopy)->setShortcuts({QKeySequence("Ctrl+C"), QKeySequence("Ctrl+Insert")});
  action(c::kPaste)->setShortcuts({QKeySequence("Ctrl+V"), QKeySequence("Shift+Insert")});
  action(c::kCut)->setShortcuts({QKeySequence("Ctrl+X"), QKeySequence("Shift+Delete")});
  action(c::kUndo)->setShortcuts({QKeySequence("Ctrl+Z"), QKeySequence("Alt+Backspace")});
  for (int id : {c::kCopy, c::kPaste, c::kCut, c::kUndo}) {
    action(id)->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  }
  action(c::kToolbar)->setCheckable(true);
  action(c::kToolbar)->setChecked(true);
  action(c::kStatusBar)->setCheckable(true);
  action(c::kStatusBar)->setChecked(true);
}

void MainWindow::BuildMenus() {
  for (const Menu& menu : Menus()) {
    QMenu* m = menuBar()->addMenu(ToQString(menu.title));
    m->setToolTipsVisible(true);
    m->setObjectName(QString("menu") + MenuText(menu.title).remove('&'));
    for (const MenuEntry& entry : menu.entries) {
      if (entry.id == c::kSeparator) {
        m->addSeparator();
      } else if (entry.id == c::kRecentFirst) {
        for (int i = 0; i < kRecentFileCount; ++i) m->addAction(action(c::kRecentFirst + i));
      } else if (!entry.text.empty()) {
        // The Data menu's divider line opens the rooms editor.
        dataDivider_ = new QAction(ToQString(entry.text), this);
        dataDivider_->setObjectName("actionDataDivider");
        dataDivider_->setData(entry.id);
        dataDivider_->setStatusTip(action(entry.id)->statusTip());
        const int id = entry.id;
        connect(dataDivider_, &QAction::triggered, this, [this, id] { Run(id); });
        m->addAction(dataDivider_);
      } else {
        m->addAction(action(entry.id));
      }
    }
  }
}

void MainWindow::BuildToolbar() {
  toolbar_ = addToolBar("Main tools");
  toolbar_->setObjectName("mainToolBar");
  toolbar_->setIconSize(QSize(18, 16) * 1.25);
  toolbar_->setAllowedAreas(Qt::AllToolBarAreas);
  for (int id : ToolbarCommands()) {
    if (id == c::kSeparator) {
      toolbar_->addSeparator();
    } else {
      toolbar_->addAction(action(id));
    }
  }
  connect(toolbar_, &QToolBar::visibilityChanged, action(c::kToolbar), &QAction::setChecked);
}

void MainWindow::BuildStatusBar() {
  QStatusBar* bar = statusBar();
  bar->setObjectName("statusBar");
  bar->showMessage("Ready");
  for (const char* text : {"CAP", "NUM", "SCRL"}) {
    auto* pane = new QLabel(text);
    pane->setObjectName(QString("pane") + text);
    pane->setAlignment(Qt::AlignCenter);
    pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance("SCRL") + 12);
    pane->setFrameShape(QFrame::Panel);
    pane->setFrameShadow(QFrame::Sunken);
    bar->addPermanentWidget(pane);
  }
}

void MainWindow::UpdateTitle() {
  setWindowTitle(ToQString(FrameTitle(app_)) + " - " + ToQString(DocumentTitle(app_.project())));
}

void MainWindow::UpdateRecentFiles() {
  const std::vector<std::string> files = app_.settings().RecentFiles();
  for (int i = 0; i < kRecentFileCount; ++i) {
    QAction* a = action(c::kRecentFirst + i);
    if (i < static_cast<int>(files.size())) {
      a->setText(ToQString(RecentFileMenuText(i, files[static_cast<std::size_t>(i)])));
      a->setVisible(true);
      a->setEnabled(true);
    } else {
      // An empty list shows one disabled "Last modified" entry.
      a->setText("Last modified");
      a->setVisible(i == 0 && files.empty());
      a->setEnabled(false);
    }
  }
}

void MainWindow::Run(int id) {
  if (id >= c::kRecentFirst && id < c::kRecentFirst + kRecentFileCount) {
    return OpenRecent(id - c::kRecentFirst);
  }
  const CommandInfo* info = FindCommand(id);
  if (info == nullptr || info->later) return;
  switch (id) {
    case c::kNew: return NewDocument();
    case c::kOpen: return OpenDocument();
    case c::kSave: return SaveDocument();
    case c::kSaveAs: return SaveDocumentAs();
    case c::kExit: close(); return;
    case c::kUndo:
    case c::kCut:
    case c::kCopy:
    case c::kPaste: return EditCommand(id);
    case c::kMainData: {
      MainDataDialog dialog(app_, this);
      dialog.exec();
      UpdateTitle();
      return;
    }
    case c::kRooms: {
      RoomEditorDialog dialog(app_, this);
      dialog.Prepare();
      dialog.exec();
      return;
    }
    case c::kCalculation: return Calculate();
    case c::kWallsTable:
    case c::kOpeningsTable:
    case c::kJointsTable:
    case c::kOpeningTypesTable:
    case c::kOutdoorTemperatureTable:
    case c::kFloorHeatingTable: return StartTableEditor(id);
    case c::kToolbar: toolbar_->setVisible(!toolbar_->isVisible()); return;
    case c::kStatusBar:
      statusBar()->setVisible(!statusBar()->isVisible());
      action(c::kStatusBar)->setChecked(statusBar()->isVisible());
      return;
    case c::kHelp: return OpenHelp();
    case c::kAbout: return About();
#ifdef KVEM_HAVE_REPORT_UI
    case c::kPrint: return PrintReport(app_, this);
    case c::kPreview: return PreviewReport(app_, this);
    case c::kExportPdf: return ExportReportPdf(app_, this);
    case c::kPrintSetup: return PrintSetup(this);
    case c::kPageSetup: return PageSetup(app_, this);
#endif
    default: return;
  }
}

void MainWindow::NewDocument() {
  kvem::NewDocument(app_.project());
  UpdateTitle();
}

void MainWindow::OpenDocument() {
  const QString path = chooseFile_(false, QString());
  if (path.isEmpty()) return;
  if (OpenProjectFile(app_, ToStdString(path).c_str())) UpdateRecentFiles();
  UpdateTitle();
}

void MainWindow::SaveDocument() {
  if (SaveNeedsName(app_.project())) return SaveDocumentAs();
  if (kvem::SaveDocument(app_.project(), app_.decimalSeparator(), app_.messenger())) {
    RememberRecentFile(app_, app_.project().path);
    UpdateRecentFiles();
  }
}

void MainWindow::SaveDocumentAs() {
  const QString path = chooseFile_(true, ToQString(app_.project().path));
  if (path.isEmpty()) return;  // Storno writes nothing and changes nothing
  if (SaveProjectFileAs(app_, ToStdString(path).c_str())) UpdateRecentFiles();
  UpdateTitle();
}

void MainWindow::OpenRecent(int index) {
  const std::vector<std::string> files = app_.settings().RecentFiles();
  if (index < 0 || index >= static_cast<int>(files.size())) return;
  const std::string path = files[static_cast<std::size_t>(index)];
  if (!OpenProjectFile(app_, path)) {
    // A file that cannot be opened leaves the list, as it always did.
    std::vector<std::string> rest = files;
    rest.erase(rest.begin() + index);
    app_.settings().SetRecentFiles(rest);
    std::string error;
    app_.settings().Flush(&error);
  }
  UpdateRecentFiles();
  UpdateTitle();
}

void MainWindow::EditCommand(int id) {
  QWidget* focus = QApplication::focusWidget();
  if (focus == nullptr) return;
  const char* method = id == c::kUndo ? "undo" : id == c::kCut ? "cut" : id == c::kCopy ? "copy" : "paste";
  if (focus->metaObject()->indexOfMethod(QByteArray(method) + "()") >= 0) {
    QMetaObject::invokeMethod(focus, method);
  }
}

void MainWindow::Calculate() {
  Project& project = app_.project();
  if (!CalculateHeatLoss(project, app_.TmpDirectory(), app_.messenger())) return;
#ifdef KVEM_HAVE_REPORT_UI
  ResultsDialog dialog(app_, this);
  dialog.exec();
#else
  const BuildingTotals& t = project.totals;
  const char sep = app_.decimalSeparator();
  std::string text = "Calculation is OK!\n\nRooms: " + std::to_string(project.RoomsInUse()) +
                     "\nTransmission loss: " + FormatDouble("%.0f", t.transmissionLoss, sep) +
                     " W\nVentilation loss: " + FormatDouble("%.0f", t.ventilationLoss, sep) +
                     " W\nTotal heat loss of the building: " +
                     FormatDouble("%.0f", t.totalLoss, sep) + " W";
  app_.messenger().Show(text, kNoticeCaption, Icon::Information);
#endif
}

void MainWindow::StartTableEditor(int id) {
  const std::string commandLine = TableEditorCommandLine(app_, id);
  if (!commandLine.empty()) launcher_.StartCommandLine(commandLine);  // a failed start is not reported
}

void MainWindow::OpenHelp() {
  const std::filesystem::path page = HelpPagePath(app_);
  std::error_code ec;
  if (!std::filesystem::exists(page, ec)) {
    app_.messenger().Show(CannotOpenFileText(page), kTableErrorCaption, Icon::Stop);
    return;
  }
  launcher_.OpenWithDefaultProgram(page.string());
}

void MainWindow::About() {
  QDialog dialog(this);
  dialog.setObjectName("aboutDialog");
  dialog.setWindowTitle("About Application Kvem");
  auto* icon = new QLabel;
  icon->setPixmap(CommandIcon(c::kMainData).pixmap(QSize(48, 43)));
  icon->setAlignment(Qt::AlignTop);
  auto* lines = new QVBoxLayout;
  auto* first = new QLabel(ToQString(AboutFirstLine(app_)));
  first->setObjectName("aboutFirstLine");
  QFont bold = first->font();
  bold.setBold(true);
  first->setFont(bold);
  lines->addWidget(first);
  for (const std::string& line : AboutNoticeLines()) lines->addWidget(new QLabel(ToQString(line)));
  auto* top = new QHBoxLayout;
  top->addWidget(icon);
  top->addLayout(lines, 1);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
  buttons->button(QDialogButtonBox::Ok)->setObjectName("okButton");
  connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  auto* layout = new QVBoxLayout;
  layout->addLayout(top);
  layout->addWidget(buttons);
  dialog.setLayout(layout);
  dialog.exec();
}

void MainWindow::ShowSplash() {
  auto* label = new QLabel(this);
  label->setObjectName("splash");
  label->setPixmap(SplashPicture(ToQString(AboutFirstLine(app_)), devicePixelRatioF()));
  label->adjustSize();
  label->setFrameShape(QFrame::Box);
  label->move((width() - label->width()) / 2, (height() - label->height()) / 2);
  label->show();
  label->raise();
  splash_ = label;
  minimumBeforeSplash_ = minimumSize();
  setMinimumSize(minimumSize().expandedTo(label->size() + QSize(0, menuBar()->height() + 80)));
  qApp->installEventFilter(this);
}

void MainWindow::HideSplash() {
  if (splash_ == nullptr) return;
  qApp->removeEventFilter(this);
  splash_->deleteLater();
  splash_ = nullptr;
  setMinimumSize(minimumBeforeSplash_);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (splash_ != nullptr) {
    switch (event->type()) {
      case QEvent::KeyPress:
      case QEvent::MouseButtonPress:
      case QEvent::NonClientAreaMouseButtonPress:
        HideSplash();
        break;
      case QEvent::Resize:
        if (watched == this) {
          splash_->move((width() - splash_->width()) / 2, (height() - splash_->height()) / 2);
        }
        break;
      default:
        break;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace kvem::ui
