// Pictures of the desktop program's windows for the documentation: the main
// window on the example house, the Main Data dialog, its Te dialog and the
// rooms editor, each saved as a PNG. Run by tools/screenshots under Xvfb.
//   kvem-desktop-screenshots OUTPUT_DIR DATA_TREE PROJECT.kvm [SUFFIX]
#include <QApplication>
#include <QDialog>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <cstdio>

#include "app/commands.h"
#include "app/startup.h"
#include "ui/common/message_box_messenger.h"
#include "ui/desktop/main_window.h"
#include "ui/desktop/room_editor_dialog.h"

namespace {

QString outputDir;

void Save(QWidget* widget, const QString& name) {
  widget->activateWindow();
  QApplication::processEvents();
  const QString path = outputDir + "/" + name + ".png";
  if (!widget->grab().save(path)) std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
  std::printf("%s\n", qPrintable(path));
}

// Calls `fn` with the next modal dialog once it is on the screen.
void OnDialog(std::function<void(QDialog*)> fn) {
  QWidget* before = QApplication::activeModalWidget();
  auto* timer = new QTimer;
  timer->setInterval(50);
  QObject::connect(timer, &QTimer::timeout, [timer, before, fn] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr || dialog == before || !dialog->isVisible()) return;
    timer->stop();
    timer->deleteLater();
    QTimer::singleShot(300, dialog, [dialog, fn] { fn(dialog); });
  });
  timer->start();
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication qtApp(argc, argv);
  if (argc < 4) {
    std::fprintf(stderr, "usage: %s OUTPUT_DIR DATA_TREE PROJECT.kvm [SUFFIX]\n", argv[0]);
    return 2;
  }
  outputDir = argv[1];
  const std::string suffix = argc > 4 ? argv[4] : "CZ";
  kvem::Settings settings = kvem::Settings::InMemory();
  settings.WriteMainForSetup(kvem::kPathMain, argv[2]);
  settings.WriteMainForSetup(kvem::kPathTmp, outputDir.toStdString());
  settings.WriteMainForSetup(kvem::kLanguageVersion, suffix);
  kvem::RecordingMessenger messenger;  // no box may stop the pictures
  kvem::Application app(std::move(settings), messenger, '.');
  kvem::RecordingLauncher launcher;
  if (!kvem::OpenProjectFile(app, argv[3])) {
    std::fprintf(stderr, "cannot open %s\n", argv[3]);
    return 1;
  }
  kvem::ui::MainWindow window(app, launcher);
  window.resize(1000, 640);
  window.show();
  const QString tag = QString::fromStdString(suffix).toLower();

  QTimer::singleShot(500, [&] {
    Save(&window, "main-window");
    OnDialog([&](QDialog* main) {
      Save(main, "main-data-" + tag);
      OnDialog([&, main](QDialog* te) {
        if (auto* list = te->findChild<QListWidget*>("locationList")) list->setCurrentRow(0);
        Save(te, "outdoor-temperature-" + tag);
        te->reject();
        main->reject();
      });
      QTimer::singleShot(0, main->findChild<QPushButton*>("specifyTeButton"), &QPushButton::click);
    });
    window.Run(kvem::command::kMainData);

    OnDialog([&](QDialog* editor) {
      auto* rooms = editor->findChild<QTreeWidget*>("roomsList");
      auto* e = static_cast<kvem::ui::RoomEditorDialog*>(editor);
      e->model().MarkFocused();
      e->model().SelectRoom(2);
      e->model().SelectWall(1);
      // Fill the lists as a click on room 2 and its first wall would.
      QPoint room = rooms->visualItemRect(rooms->topLevelItem(1)).center();
      QMouseEvent press(QEvent::MouseButtonPress, room, rooms->viewport()->mapToGlobal(room),
                        Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(rooms->viewport(), &press);
      auto* walls = editor->findChild<QTreeWidget*>("wallsList");
      if (walls->topLevelItemCount() > 0) {
        QPoint wall = walls->visualItemRect(walls->topLevelItem(0)).center();
        QMouseEvent wallPress(QEvent::MouseButtonPress, wall, walls->viewport()->mapToGlobal(wall),
                              Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(walls->viewport(), &wallPress);
      }
      QTimer::singleShot(300, editor, [editor] {
        Save(editor, "rooms-editor");
        editor->accept();
      });
    });
    window.Run(kvem::command::kRooms);
    QApplication::quit();
  });
  const int status = QApplication::exec();
  for (const std::string& text : messenger.texts()) std::fprintf(stderr, "message: %s\n", text.c_str());
  return status;
}
