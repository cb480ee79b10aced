// The room, wall and opening dialogs of the rooms editor and their small
// choice dialogs. Behaviour lives in heatloss/room_editor_form.h.
#pragma once

#include <QDialog>
#include <optional>

#include "app/application.h"
#include "heatloss/room_editor_form.h"

class QLineEdit;
class QListWidget;
class QComboBox;
class QPushButton;
class QRadioButton;

namespace kvem::ui {

// Pick buttons fetch values from a CAD drawing; they are hidden and disabled
// for the CAD kind 120 (no CAD link) and otherwise shown disabled until the
// CAD link is part of the program.
QPushButton* PickButton(const Application& app, const QString& objectName);

class RoomDialog : public QDialog {
  Q_OBJECT
 public:
  RoomDialog(Application& app, Room& room, int number, bool isNew, QWidget* parent = nullptr);
  void accept() override;

 private:
  void ChooseTi();
  RoomFields Read() const;

  Application& app_;
  Room& room_;
  QLineEdit *number_, *roomNumber_, *name_, *length_, *width_, *height_, *ti_, *doors_, *airFlow_;
  QComboBox* cardinal_;
};

class WallDialog : public QDialog {
  Q_OBJECT
 public:
  WallDialog(Application& app, WallForm form, Wall& wall, int number, QWidget* parent = nullptr);
  void accept() override;

 private:
  void Read();
  void UpdateEnabling();
  void SelectK();
  void SelectTemperature();

  Application& app_;
  WallForm form_;
  Wall& wall_;
  QLineEdit *length_, *height_, *k_, *externalDifference_, *adjacent_, *interiorDifference_;
  QListWidget* construction_;
  QRadioButton *external_, *interior_;
  QPushButton* selectTemperature_;
};

class OpeningDialog : public QDialog {
  Q_OBJECT
 public:
  OpeningDialog(Application& app, Opening& opening, int number, bool isNew,
                QWidget* parent = nullptr);
  void accept() override;

 private:
  void Read();
  void Show();
  void SelectK();
  void SelectI();
  void SelectOpening();

  Application& app_;
  Opening& opening_;
  OpeningFields fields_;
  QLineEdit *width_, *height_, *k_, *i_, *joint_, *count_;
  QListWidget* kind_;
};

class AdjacentRoomsDialog : public QDialog {
  Q_OBJECT
 public:
  AdjacentRoomsDialog(int te, QWidget* parent = nullptr);
  // The temperature chosen; empty while nothing is chosen.
  std::optional<int> selected() const { return selected_; }

 private:
  std::optional<int> selected_;
};

class NumberOfOpeningsDialog : public QDialog {
  Q_OBJECT
 public:
  explicit NumberOfOpeningsDialog(QWidget* parent = nullptr);
  int count() const;

 private:
  QListWidget* list_;
};

}  // namespace kvem::ui
