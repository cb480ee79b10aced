#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include "app/commands.h"
#include "app/startup.h"
#include "desktop_test_support.h"
#include "heatloss/heat_loss.h"
#include "platform/launcher.h"
#include "project/project_file.h"
#include "ui/common/message_box_messenger.h"
#include "ui/desktop/main_window.h"

using namespace kvem;
using kvem::ui::ToQString;

class MainWindowTest : public QObject {
  Q_OBJECT
 private slots:
  void menusFollowTheCommandTable();
  void toolbarFollowsTheCommandTable();
  void laterCommandsAreDisabledWithATip();
  void dataDividerOpensTheRoomsEditor();
  void tableEditorStartsWithItsCommandLine();
  void projectGivenOnTheCommandLineIsOpened();
  void calculationReportsTheBuildingLoss();
};

void MainWindowTest::menusFollowTheCommandTable() {
  test::TestApp t;
  RecordingLauncher launcher;
  ui::MainWindow window(*t.app, launcher);
  QCOMPARE(window.windowTitle(), QString("KvemPexon [CZ] - Nový"));
  const QList<QAction*> menus = window.menuBar()->actions();
  QCOMPARE(menus.size(), static_cast<qsizetype>(Menus().size()));
  for (std::size_t m = 0; m < Menus().size(); ++m) {
    const Menu& menu = Menus()[m];
    QCOMPARE(menus[static_cast<qsizetype>(m)]->text(), ToQString(menu.title));
    const QList<QAction*> entries = menus[static_cast<qsizetype>(m)]->menu()->actions();
    qsizetype a = 0;
    for (const MenuEntry& entry : menu.entries) {
      const int count = entry.id == command::kRecentFirst ? kRecentFileCount : 1;
      for (int k = 0; k < count; ++k, ++a) {
        QVERIFY(a < entries.size());
        QAction* action = entries[a];
        if (entry.id == command::kSeparator) {
          QVERIFY(action->isSeparator());
          continue;
        }
        const int id = entry.id + k;
        QCOMPARE(action->data().toInt(), id);
        const CommandInfo* info = FindCommand(id);
        const std::string_view text = entry.text.empty() ? info->text : entry.text;
        const std::size_t tab = text.find('\t');
        if (id < command::kRecentFirst || id >= command::kRecentFirst + kRecentFileCount) {
          QCOMPARE(action->text(), ToQString(text.substr(0, tab)));
        }
        if (tab != std::string_view::npos) {
          QCOMPARE(action->shortcut(), QKeySequence(ToQString(text.substr(tab + 1))));
        }
        QCOMPARE(action->statusTip(), ToQString(info->prompt));
      }
    }
    QCOMPARE(a, entries.size());
  }
  QCOMPARE(window.action(command::kCopy)->shortcuts().size(), 2);
}

void MainWindowTest::toolbarFollowsTheCommandTable() {
  test::TestApp t;
  RecordingLauncher launcher;
  ui::MainWindow window(*t.app, launcher);
  auto* toolbar = window.findChild<QToolBar*>("mainToolBar");
  QVERIFY(toolbar != nullptr);
  const QList<QAction*> actions = toolbar->actions();
  QCOMPARE(actions.size(), static_cast<qsizetype>(ToolbarCommands().size()));
  QStringList order;
  for (qsizetype i = 0; i < actions.size(); ++i) {
    const int id = ToolbarCommands()[static_cast<std::size_t>(i)];
    if (id == command::kSeparator) {
      QVERIFY(actions[i]->isSeparator());
      order << "|";
    } else {
      QCOMPARE(actions[i]->data().toInt(), id);
      QCOMPARE(actions[i]->statusTip(), ToQString(FindCommand(id)->prompt));
      QVERIFY(!actions[i]->toolTip().isEmpty());
      QVERIFY(!actions[i]->icon().isNull());
      order << QString::number(id);
    }
  }
  QCOMPARE(order.join(" "),
           QString("57600 57601 57603 | 57635 57634 57637 | 57607 | 57664 | 32792 | 32772 32771 | "
                   "32783 32782 32789 32791 32805 | 32773 | 32793 | 32794 32795 | 32802 32804 | "
                   "32809"));
}

void MainWindowTest::laterCommandsAreDisabledWithATip() {
  test::TestApp t;
  RecordingLauncher launcher;
  ui::MainWindow window(*t.app, launcher);
  for (int id : {command::kHeaters, command::kPressure, command::kFloorHeating, command::kEnergyLabel,
                 command::kStartCad, command::kModifiedConditions}) {
    QAction* action = window.action(id);
    QVERIFY(!action->isEnabled());
    QVERIFY2(action->toolTip().contains("not available yet"), qPrintable(action->toolTip()));
  }
  for (int id : {command::kMainData, command::kRooms, command::kCalculation, command::kWallsTable,
                 command::kFloorHeatingTable, command::kHelp}) {
    QVERIFY(window.action(id)->isEnabled());
  }
}

void MainWindowTest::dataDividerOpensTheRoomsEditor() {
  test::TestApp t;
  RecordingLauncher launcher;
  ui::MainWindow window(*t.app, launcher);
  QAction* divider = window.findChild<QAction*>("actionDataDivider");
  QVERIFY(divider != nullptr);
  QCOMPARE(divider->text(), ToQString(kDataDividerText));
  QString opened;
  test::OnNextDialog([&opened](QDialog* dialog) {
    opened = dialog->objectName();
    dialog->accept();
  });
  divider->trigger();
  QCOMPARE(opened, QString("roomEditorDialog"));
}

void MainWindowTest::tableEditorStartsWithItsCommandLine() {
  test::TestApp t;
  RecordingLauncher launcher;
  ui::MainWindow window(*t.app, launcher);
  window.action(command::kWallsTable)->trigger();
  window.action(command::kOutdoorTemperatureTable)->trigger();
  QCOMPARE(launcher.starts.size(), std::size_t{2});
  const std::filesystem::path data = t.root / "Kvem" / "Data";
  QCOMPARE(launcher.starts[0].program, (data / "Ptab_CZ").string());
  QCOMPARE(launcher.starts[0].arguments, std::vector<std::string>{(data / "Kvem_StK.CZ.dbf").string()});
  QCOMPARE(launcher.starts[1].arguments, std::vector<std::string>{(data / "Kvem_Te.CZ.dbf").string()});
}

void MainWindowTest::projectGivenOnTheCommandLineIsOpened() {
  test::TestApp t;
  const std::string house = std::string(std::getenv("KVEM_EXAMPLES")) + "/family-house.kvm";
  const StartupOptions options = ParseStartupArguments({house});
  QVERIFY(options.error.empty());
  QVERIFY(OpenProjectFile(*t.app, options.projectFile));
  RecordingLauncher launcher;
  ui::MainWindow window(*t.app, launcher);
  QCOMPARE(window.windowTitle(), ToQString("KvemPexon [CZ] - " + house + " - " +
                                           t.app->project().building.projectName1));
  QCOMPARE(window.action(command::kRecentFirst)->text(), ToQString("&1 " + house));

  // An unreadable file ends the start with the message and changes nothing.
  QVERIFY(!OpenProjectFile(*t.app, t.root / "missing.kvm"));
  QCOMPARE(ToQString(t.messenger.texts().back()), QString("File openning failed"));
  QCOMPARE(t.app->project().path, house);
}

void MainWindowTest::calculationReportsTheBuildingLoss() {
  test::TestApp t;
  const std::string house = std::string(std::getenv("KVEM_EXAMPLES")) + "/family-house.kvm";
  QVERIFY(OpenProjectFile(*t.app, house));
  RecordingLauncher launcher;
  ui::MainWindow window(*t.app, launcher);
#ifdef KVEM_HAVE_REPORT_UI
  // On success the Results window follows the calculation.
  QString opened;
  test::OnNextDialog([&opened](QDialog* dialog) {
    opened = dialog->metaObject()->className();
    dialog->reject();
  });
#endif
  window.Run(command::kCalculation);
  const double total = t.app->project().totals.totalLoss;
  QVERIFY(total > 0);
  Project copy = t.app->project();
  RecordingMessenger quiet;
  QVERIFY(CalculateHeatLoss(copy, t.root / "Tmp", quiet));
  QCOMPARE(copy.totals.totalLoss, total);
#ifdef KVEM_HAVE_REPORT_UI
  QCOMPARE(opened, QString("kvem::ui::ResultsDialog"));
#else
  const std::string last = t.messenger.texts().back();
  QVERIFY2(last.find("Calculation is OK!") == 0, last.c_str());
  QVERIFY(last.find(std::to_string(static_cast<long>(std::lround(total))) + " W") !=
          std::string::npos);
#endif
}

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
