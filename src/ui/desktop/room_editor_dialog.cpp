#include "ui/desktop/room_editor_dialog.h"

#include <QContextMenuEvent>
#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "project/project_file.h"
#include "ui/common/message_box_messenger.h"
#include "ui/desktop/room_dialogs.h"
#include "ui/desktop/widgets.h"

namespace kvem::ui {

namespace {

template <std::size_t N>
QTreeWidget* MakeList(const QString& objectName, const std::array<ListColumn, N>& columns) {
  auto* list = new QTreeWidget;
  list->setObjectName(objectName);
  list->setRootIsDecorated(false);
  list->setUniformRowHeights(true);
  list->setSelectionBehavior(QAbstractItemView::SelectRows);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  list->setAllColumnsShowFocus(true);
  list->setContextMenuPolicy(Qt::DefaultContextMenu);
  QStringList headings;
  for (const ListColumn& column : columns) headings << ToQString(column.heading);
  list->setHeaderLabels(headings);
  const QFontMetrics metrics(list->header()->font());
  int total = 0;
  for (std::size_t c = 0; c < N; ++c) {
    // The widths are those of the original layout, widened where the heading needs it.
    int width = std::max(columns[c].width * metrics.averageCharWidth() / 6,
                         metrics.horizontalAdvance(headings[static_cast<int>(c)]) + 16);
    // Room names hold up to 19 characters; show them whole.
    if (columns[c].heading == "Name") width = std::max(width, metrics.averageCharWidth() * 20);
    list->setColumnWidth(static_cast<int>(c), width);
    total += width;
  }
  list->setMinimumWidth(std::min(total, 520) + 4);
  return list;
}

void Fill(QTreeWidget* list, const std::vector<std::vector<std::string>>& rows) {
  list->clear();
  for (const auto& row : rows) {
    QStringList cells;
    for (const std::string& cell : row) cells << ToQString(cell);
    auto* item = new QTreeWidgetItem(cells);
    for (int c = 0; c < item->columnCount(); ++c) {
      if (c >= 3 || c == 0) item->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
    }
    list->addTopLevelItem(item);
  }
}

}  // namespace

RoomEditorDialog::RoomEditorDialog(Application& app, QWidget* parent)
    : QDialog(parent), app_(app), model_(app.project(), app.messenger()) {
  setWindowTitle("Kvem - Data");
  setObjectName("roomEditorDialog");
  setWindowFlag(Qt::WindowMaximizeButtonHint, true);
  rooms_ = MakeList("roomsList", kRoomColumns);
  walls_ = MakeList("wallsList", kWallColumns);
  openings_ = MakeList("openingsList", kOpeningColumns);
  new_ = Button(ToQString(model_.newButtonText()), "newButton");
  remove_ = Button(ToQString(model_.removeButtonText()), "removeButton");
  currentRoom_ = ReadOnlyEdit("currentRoomEdit");
  currentWall_ = ReadOnlyEdit("currentWallEdit");
  currentOpening_ = ReadOnlyEdit("currentOpeningEdit");
  for (QLineEdit* edit : {currentRoom_, currentWall_, currentOpening_}) edit->setMaximumWidth(60);

  auto* lists = new QGridLayout;
  auto titled = [&](const QString& title, QTreeWidget* list, int column) {
    auto* label = new QLabel(title);
    label->setBuddy(list);
    lists->addWidget(label, 0, column);
    lists->addWidget(list, 1, column);
  };
  titled("&Rooms", rooms_, 0);
  titled("&Walls", walls_, 1);
  titled("O&penings", openings_, 2);
  lists->setColumnStretch(0, 5);
  lists->setColumnStretch(1, 3);
  lists->setColumnStretch(2, 4);

  auto* bottom = new QHBoxLayout;
  bottom->addWidget(new QLabel("Current number:          Room:"));
  bottom->addWidget(currentRoom_);
  bottom->addWidget(new QLabel("Wall:"));
  bottom->addWidget(currentWall_);
  bottom->addWidget(new QLabel("Opening:"));
  bottom->addWidget(currentOpening_);
  bottom->addStretch();
  bottom->addWidget(new_);
  bottom->addWidget(remove_);
  auto* close = new QDialogButtonBox;
  QPushButton* ok = close->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole);
  ok->setObjectName("okButton");
  ok->setAutoDefault(false);
  connect(close, &QDialogButtonBox::accepted, this, &QDialog::accept);
  bottom->addWidget(close);

  auto* layout = new QVBoxLayout;
  layout->addLayout(lists, 1);
  layout->addLayout(bottom);
  setLayout(layout);
  resize(1100, 480);

  const EditorLevel levels[] = {EditorLevel::Room, EditorLevel::Wall, EditorLevel::Opening};
  for (EditorLevel level : levels) {
    QTreeWidget* l = list(level);
    l->installEventFilter(this);
    l->viewport()->installEventFilter(this);
  }
  connect(new_, &QPushButton::clicked, this, &RoomEditorDialog::New);
  connect(remove_, &QPushButton::clicked, this, &RoomEditorDialog::Remove);
  UpdateState();
}

QTreeWidget* RoomEditorDialog::list(EditorLevel level) const {
  switch (level) {
    case EditorLevel::Room: return rooms_;
    case EditorLevel::Wall: return walls_;
    case EditorLevel::Opening: return openings_;
  }
  return rooms_;
}

void RoomEditorDialog::Prepare() {
  Project& project = app_.project();
  if (project.state == ProjectState::HasData) {
    while (const int r = model_.FirstRoomWithoutName()) {
      app_.messenger().Show(kNoRoomName, kErrorCaption, Icon::Warning);
      EditRoom(r, false, project.rooms[static_cast<std::size_t>(r)]);
    }
  }
  FillRooms();
  UpdateState();
}

void RoomEditorDialog::FillRooms() {
  std::vector<std::vector<std::string>> rows;
  const Project& project = app_.project();
  for (int r = 1; r < project.building.roomCount; ++r) {
    rows.push_back(RoomRow(project, r, app_.decimalSeparator()));
  }
  Fill(rooms_, rows);
  if (model_.selectedRoom() > 0) {
    rooms_->setCurrentItem(rooms_->topLevelItem(model_.selectedRoom() - 1));
  }
  FillWalls();
}

void RoomEditorDialog::FillWalls() {
  std::vector<std::vector<std::string>> rows;
  if (const Room* room = model_.room()) {
    for (int w = 1; w < room->wallCount; ++w) rows.push_back(WallRow(*room, w, app_.decimalSeparator()));
  }
  Fill(walls_, rows);
  if (model_.selectedWall() > 0) {
    walls_->setCurrentItem(walls_->topLevelItem(model_.selectedWall() - 1));
  }
  FillOpenings();
}

void RoomEditorDialog::FillOpenings() {
  std::vector<std::vector<std::string>> rows;
  if (const Wall* wall = model_.wall()) {
    for (int o = 1; o < wall->openingCount; ++o) {
      rows.push_back(OpeningRow(*wall, o, app_.decimalSeparator()));
    }
  }
  Fill(openings_, rows);
  if (model_.selectedOpening() > 0) {
    openings_->setCurrentItem(openings_->topLevelItem(model_.selectedOpening() - 1));
  }
}

void RoomEditorDialog::UpdateState() {
  new_->setText(ToQString(model_.newButtonText()));
  remove_->setText(ToQString(model_.removeButtonText()));
  walls_->setEnabled(model_.wallsListEnabled());
  openings_->setEnabled(model_.openingsListEnabled());
  auto number = [](int n) { return n > 0 ? QString::number(n) : QString(); };
  currentRoom_->setText(number(model_.currentRoom()));
  currentWall_->setText(number(model_.currentWall()));
  currentOpening_->setText(number(model_.currentOpening()));
}

bool RoomEditorDialog::eventFilter(QObject* watched, QEvent* event) {
  const EditorLevel levels[] = {EditorLevel::Room, EditorLevel::Wall, EditorLevel::Opening};
  for (EditorLevel level : levels) {
    QTreeWidget* l = list(level);
    if (watched == l && event->type() == QEvent::FocusIn) {
      model_.MarkFocused();
      model_.Focus(level);
      UpdateState();
    } else if (watched == l->viewport() && (event->type() == QEvent::MouseButtonPress ||
                                            event->type() == QEvent::ContextMenu)) {
      QPoint pos;
      if (event->type() == QEvent::MouseButtonPress) {
        pos = static_cast<QMouseEvent*>(event)->position().toPoint();
      } else {
        pos = static_cast<QContextMenuEvent*>(event)->pos();
      }
      model_.MarkFocused();
      model_.Focus(level);
      l->setFocus(Qt::MouseFocusReason);
      QTreeWidgetItem* item = l->itemAt(pos);
      if (!model_.ParentChosen(level)) {
        UpdateState();
        return true;
      }
      if (item != nullptr) Clicked(level, l->indexOfTopLevelItem(item) + 1);
      UpdateState();
      if (event->type() == QEvent::ContextMenu && item != nullptr) Edit(level);
      return event->type() == QEvent::ContextMenu;
    } else if (watched == l && event->type() == QEvent::KeyRelease) {
      // Arrow keys move the choice as clicks do.
      QTreeWidgetItem* item = l->currentItem();
      if (item != nullptr) {
        const int number = l->indexOfTopLevelItem(item) + 1;
        const int chosen = level == EditorLevel::Room   ? model_.selectedRoom()
                           : level == EditorLevel::Wall ? model_.selectedWall()
                                                        : model_.selectedOpening();
        if (number != chosen) Clicked(level, number);
      }
    }
  }
  return QDialog::eventFilter(watched, event);
}

void RoomEditorDialog::Clicked(EditorLevel level, int number) {
  switch (level) {
    case EditorLevel::Room:
      if (model_.SelectRoom(number)) FillWalls();
      break;
    case EditorLevel::Wall:
      if (model_.SelectWall(number)) FillOpenings();
      break;
    case EditorLevel::Opening:
      model_.SelectOpening(number);
      break;
  }
  UpdateState();
}

bool RoomEditorDialog::EditRoom(int number, bool isNew, Room& room) {
  RoomDialog dialog(app_, room, number, isNew, this);
  return dialog.exec() == QDialog::Accepted;
}

void RoomEditorDialog::Edit(EditorLevel level) {
  if (!model_.ParentChosen(level)) return;
  const char sep = app_.decimalSeparator();
  switch (level) {
    case EditorLevel::Room: {
      const int r = model_.selectedRoom();
      if (r < 1) return;
      if (EditRoom(r, false, *model_.room())) FillRooms();
      break;
    }
    case EditorLevel::Wall: {
      Wall* wall = model_.wall();
      if (wall == nullptr) return;
      WallDialog dialog(app_,
                        WallForm::ForExisting(*wall, model_.room()->ti, app_.project().building.te, sep),
                        *wall, model_.selectedWall(), this);
      if (dialog.exec() == QDialog::Accepted) FillWalls();
      break;
    }
    case EditorLevel::Opening: {
      const int o = model_.selectedOpening();
      if (o < 1) return;
      Opening& opening = model_.wall()->openings[static_cast<std::size_t>(o)];
      OpeningDialog dialog(app_, opening, o, false, this);
      if (dialog.exec() == QDialog::Accepted) FillOpenings();
      break;
    }
  }
  UpdateState();
}

void RoomEditorDialog::New() {
  const int number = model_.NumberForNew();
  if (number == 0) return;
  const char sep = app_.decimalSeparator();
  switch (model_.level()) {
    case EditorLevel::Room: {
      Room room;
      if (!EditRoom(number, true, room)) return;
      model_.AddNewRoom(room);
      FillRooms();
      rooms_->scrollToItem(rooms_->topLevelItem(number - 1));
      break;
    }
    case EditorLevel::Wall: {
      Wall wall;
      WallDialog dialog(app_, WallForm::ForNew(*model_.room(), app_.project().building.te, sep), wall,
                        number, this);
      if (dialog.exec() != QDialog::Accepted) return;
      model_.AddNewWall(wall);
      FillWalls();
      break;
    }
    case EditorLevel::Opening: {
      Opening opening;
      OpeningDialog dialog(app_, opening, number, true, this);
      if (dialog.exec() != QDialog::Accepted) return;
      model_.AddNewOpening(opening);
      FillOpenings();
      break;
    }
  }
  UpdateState();
}

void RoomEditorDialog::Remove() {
  if (!model_.RemoveCurrent()) return;
  switch (model_.level()) {
    case EditorLevel::Room: FillRooms(); break;
    case EditorLevel::Wall: FillWalls(); break;
    case EditorLevel::Opening: FillOpenings(); break;
  }
  UpdateState();
}

}  // namespace kvem::ui
