// "Kvem - Data": the rooms, the walls of the chosen room and the openings of
// the chosen wall side by side, with New and Remove acting on the list that
// last had the focus. Right-click edits an item.
#pragma once

#include <QDialog>

#include "app/application.h"
#include "heatloss/room_editor_form.h"

class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace kvem::ui {

class RoomEditorDialog : public QDialog {
  Q_OBJECT
 public:
  RoomEditorDialog(Application& app, QWidget* parent = nullptr);

  // Rooms without a name are named first: each gets "No room name" and its
  // room dialog until it has one. Then the rooms list is filled. Called
  // before the editor is shown.
  void Prepare();

  RoomEditorModel& model() { return model_; }
  QTreeWidget* list(EditorLevel level) const;

  // The actions of the buttons and the mouse, callable from tests.
  void New();
  void Remove();
  void Edit(EditorLevel level);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FillRooms();
  void FillWalls();
  void FillOpenings();
  void UpdateState();
  void Clicked(EditorLevel level, int number);
  bool EditRoom(int number, bool isNew, Room& room);

  Application& app_;
  RoomEditorModel model_;
  QTreeWidget *rooms_, *walls_, *openings_;
  QPushButton *new_, *remove_;
  QLineEdit *currentRoom_, *currentWall_, *currentOpening_;
};

}  // namespace kvem::ui
