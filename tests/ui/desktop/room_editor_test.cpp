#include <QComboBox>
#include <QListWidget>
#include <QTreeWidget>

#include "app/commands.h"
#include "desktop_test_support.h"
#include "platform/files.h"
#include "ui/desktop/main_window.h"
#include "ui/desktop/room_editor_dialog.h"
#include "ui/common/message_box_messenger.h"
#include <QRadioButton>
#include <QContextMenuEvent>

using kvem::ui::ToQString;

using namespace kvem;
using test::Child;
using test::Click;
using test::OnNextDialog;
using test::Type;

namespace {

// A click in a list: on row `row` (from 0), or in its empty part for -1.
void ClickList(QDialog* editor, const char* list, int row = -1, Qt::MouseButton button = Qt::LeftButton) {
  auto* tree = Child<QTreeWidget>(editor, list);
  QPoint pos(5, tree->viewport()->height() - 5);
  if (row >= 0) pos = tree->visualItemRect(tree->topLevelItem(row)).center();
  if (button == Qt::RightButton) {
    QContextMenuEvent event(QContextMenuEvent::Mouse, pos, tree->viewport()->mapToGlobal(pos));
    QApplication::sendEvent(tree->viewport(), &event);
  } else {
    QTest::mouseClick(tree->viewport(), button, {}, pos);
  }
}

void NewRoom(QDialog* editor, const QString& number, const QString& name, bool chooseTi) {
  ClickList(editor, "roomsList");
  OnNextDialog([=](QDialog* room) {
    Type(room, "roomNumberEdit", number);
    Type(room, "nameEdit", name);
    Type(room, "lengthEdit", "4000");
    Type(room, "widthEdit", "3500");
    Type(room, "heightEdit", "2600");
    if (chooseTi) {
      OnNextDialog([](QDialog* ti) {
        QCOMPARE(ti->windowTitle(), QString("Kvem - Design Value Indoor Temperature"));
        Child<QListWidget>(ti, "choiceList")->setCurrentRow(1);
        Click(ti, "stornoButton");  // the Ti chosen last is taken all the same
      });
      Click(room, "tiButton");
      QCOMPARE(Child<QLineEdit>(room, "tiEdit")->text(), QString("24"));
    } else {
      Type(room, "tiEdit", "20");
    }
    Type(room, "doorsEdit", "1");
    Child<QComboBox>(room, "cardinalPointCombo")->setCurrentIndex(5);
    Click(room, "okButton");
  });
  Click(editor, "newButton");
}

void NewExternalWall(QDialog* editor, const QString& length) {
  ClickList(editor, "wallsList");
  OnNextDialog([=](QDialog* wall) {
    QCOMPARE(Child<QLineEdit>(wall, "heightEdit")->text(), QString("2600"));
    Type(wall, "lengthEdit", length);
    OnNextDialog([](QDialog* k) {
      Child<QListWidget>(k, "choiceList")->setCurrentRow(0);
      Click(k, "okButton");
    });
    Click(wall, "selectKButton");
    QCOMPARE(Child<QLineEdit>(wall, "kEdit")->text(), QString("0.350"));
    Child<QListWidget>(wall, "constructionList")->setCurrentRow(0);
    Click(wall, "okButton");
  });
  Click(editor, "newButton");
}

void NewCatalogueOpening(QDialog* editor) {
  ClickList(editor, "openingsList");
  OnNextDialog([](QDialog* opening) {
    OnNextDialog([](QDialog* catalogue) {
      Child<QListWidget>(catalogue, "choiceList")->setCurrentRow(1);
      OnNextDialog([](QDialog* count) {
        Child<QListWidget>(count, "countList")->setCurrentRow(1);
        Click(count, "okButton");
      });
      Click(catalogue, "okButton");
    });
    Click(opening, "selectOpeningButton");
    QCOMPARE(Child<QLineEdit>(opening, "widthEdit")->text(), QString("1200"));
    QCOMPARE(Child<QLineEdit>(opening, "countEdit")->text(), QString("2"));
    Child<QListWidget>(opening, "openingKindList")->setCurrentRow(1);
    Click(opening, "okButton");
  });
  Click(editor, "newButton");
}

}  // namespace

class RoomEditorTest : public QObject {
  Q_OBJECT
 private slots:
  void buildSaveAndReopenGivesTheSameFile();
  void interiorWallAndRemovalRenumbering();
  void roomDialogKeepsFocusOnTheMissingName();
};

void RoomEditorTest::buildSaveAndReopenGivesTheSameFile() {
  test::TestApp t;
  RecordingLauncher launcher;
  ui::MainWindow window(*t.app, launcher);
  window.Run(command::kNew);

  t.app->project().building.registrationNumber = "R-1";  // no prefill from the CAD side
  OnNextDialog([](QDialog* main) {
    Type(main, "projectName1Edit", "Round trip");
    Type(main, "buildingName1Edit", "Two rooms");
    Type(main, "preparedByEdit", "Tester");
    Type(main, "jobOrderEdit", "J-1");
    Type(main, "teEdit", "-15");
    Type(main, "bEdit", "6");
    Type(main, "p2Edit", "0.1");
    OnNextDialog([](QDialog* type) {
      Click(type, "buildingType1Radio");
      Click(type, "okButton");
    });
    Click(main, "specifyTypeButton");
    Click(main, "okButton");
  });
  window.Run(command::kMainData);
  QCOMPARE(t.app->project().building.indoorTemperatureTable, std::string("Kvem_TiOb.CZ.dbf"));

  OnNextDialog([](QDialog* editor) {
    NewRoom(editor, "1.01", "Living", false);
    NewExternalWall(editor, "4000");
    NewCatalogueOpening(editor);
    NewExternalWall(editor, "3500");
    NewRoom(editor, "1.02", "Bath", true);
    NewExternalWall(editor, "2000");
    NewCatalogueOpening(editor);
    QCOMPARE(Child<QLineEdit>(editor, "currentRoomEdit")->text(), QString("2"));
    QCOMPARE(Child<QTreeWidget>(editor, "roomsList")->topLevelItemCount(), 2);
    Click(editor, "okButton");
  });
  window.Run(command::kRooms);

  const Project& p = t.app->project();
  QCOMPARE(p.RoomsInUse(), 2);
  QCOMPARE(p.rooms[1].wallCount, 3);
  QCOMPARE(p.rooms[1].walls[1].temperatureDifference, 35);
  QCOMPARE(p.rooms[1].walls[1].code, std::string("SO "));
  QCOMPARE(p.rooms[1].walls[1].openings[1].count, 2);
  QCOMPARE(p.rooms[1].walls[1].openings[1].code, std::string("OZ "));
  QCOMPARE(p.rooms[2].ti, 24);
  QCOMPARE(p.rooms[2].cardinalPoint, std::string("N"));

  const std::filesystem::path first = t.root / "first.kvm";
  const std::filesystem::path second = t.root / "second.kvm";
  std::filesystem::path next = first;
  window.setFileChooser([&next](bool, const QString&) { return QString::fromStdString(next.string()); });
  window.Run(command::kSave);  // unnamed: asks for a name
  QCOMPARE(t.app->project().path, first.string());
  window.Run(command::kNew);
  t.app->project().rooms[1].name = "changed in memory";
  window.Run(command::kOpen);
  QCOMPARE(t.app->project().rooms[1].name, std::string("Living"));
  QCOMPARE(window.windowTitle(), QString::fromStdString("KvemPexon [CZ] - " + first.string() +
                                                        " - Round trip"));
  next = second;
  window.Run(command::kSaveAs);
  std::string a, b;
  QVERIFY(ReadWholeFile(first, a));
  QVERIFY(ReadWholeFile(second, b));
  QCOMPARE(a, b);
  QCOMPARE(t.app->settings().RecentFiles(),
           (std::vector<std::string>{second.string(), first.string()}));
}

void RoomEditorTest::interiorWallAndRemovalRenumbering() {
  test::TestApp t;
  Project& p = t.app->project();
  p.building.te = -15;
  for (const char* number : {"A", "B", "C"}) {
    Room room;
    room.number = number;
    room.name = std::string("Room ") + number;
    room.length = room.width = 3000;
    room.height = 2500;
    room.ti = 20;
    AddRoom(p, room);
  }
  p.state = ProjectState::HasData;
  Wall wall;
  wall.length = 3000;
  wall.height = 2500;
  wall.k = 1.0;
  wall.temperatureDifference = 5;
  AddWall(p.rooms[3], wall);

  ui::RoomEditorDialog editor(*t.app);
  editor.Prepare();
  editor.show();
  // The walls list needs a room first.
  ClickList(&editor, "wallsList");
  QCOMPARE(ToQString(t.messenger.texts().back()), QString("First is necessity select edit room"));

  ClickList(&editor, "roomsList", 2);
  QCOMPARE(Child<QTreeWidget>(&editor, "wallsList")->topLevelItemCount(), 1);
  OnNextDialog([](QDialog* dialog) {
    QVERIFY(Child<QRadioButton>(dialog, "interiorRadio")->isChecked());
    QCOMPARE(Child<QLineEdit>(dialog, "adjacentTemperatureEdit")->text(), QString("15"));
    OnNextDialog([](QDialog* adjacent) {
      Click(adjacent, "adjacent1Radio");  // impermeable roof covering without insulation
      QCOMPARE(Child<QLineEdit>(adjacent, "selectedTemperatureEdit")->text(), QString("-6"));
      Click(adjacent, "okButton");
    });
    Click(dialog, "selectTemperatureButton");
    QCOMPARE(Child<QLineEdit>(dialog, "interiorDifferenceEdit")->text(), QString("26"));
    Click(dialog, "okButton");
  });
  ClickList(&editor, "wallsList", 0, Qt::RightButton);
  QCOMPARE(p.rooms[3].walls[1].temperatureDifference, 26);

  ClickList(&editor, "roomsList", 1);
  QCOMPARE(Child<QPushButton>(&editor, "removeButton")->text(), QString("Remove Room"));
  t.messenger.QueueAsk(true);
  Click(&editor, "removeButton");
  QCOMPARE(ToQString(t.messenger.texts().back()), QString("Remove room number 'B' ?"));
  QCOMPARE(p.RoomsInUse(), 2);
  QCOMPARE(p.rooms[2].number, std::string("C"));
  QCOMPARE(p.rooms[2].walls[1].temperatureDifference, 26);
  auto* rooms = Child<QTreeWidget>(&editor, "roomsList");
  QCOMPARE(rooms->topLevelItemCount(), 2);
  QCOMPARE(rooms->topLevelItem(1)->text(0), QString("2"));
  QCOMPARE(rooms->topLevelItem(1)->text(1), QString("C"));
}

void RoomEditorTest::roomDialogKeepsFocusOnTheMissingName() {
  test::TestApp t;
  Project& p = t.app->project();
  Room nameless;
  nameless.number = "1";
  nameless.length = nameless.width = nameless.height = 1000;
  AddRoom(p, nameless);
  p.state = ProjectState::HasData;
  ui::RoomEditorDialog editor(*t.app);
  // Opening the editor asks for the missing name first.
  OnNextDialog([](QDialog* room) {
    QApplication::setActiveWindow(room);
    Click(room, "okButton");
    QVERIFY(room->isVisible());  // refused without a message
    QCOMPARE(QApplication::focusWidget(), Child<QLineEdit>(room, "nameEdit"));
    Type(room, "nameEdit", "Hall");
    Click(room, "okButton");
  });
  editor.Prepare();
  QCOMPARE(p.rooms[1].name, std::string("Hall"));
  QCOMPARE(t.messenger.texts(), std::vector<std::string>{"No room name"});
}

QTEST_MAIN(RoomEditorTest)
#include "room_editor_test.moc"
