#include "ui/desktop/room_dialogs.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "platform/numbers.h"
#include "ui/common/message_box_messenger.h"
#include "ui/desktop/table_access.h"
#include "ui/desktop/table_choice_dialog.h"
#include "ui/desktop/widgets.h"

namespace kvem::ui {

namespace {

constexpr int kRoomText = static_cast<int>(kRoomTextWidth);

QLabel* Label(const QString& text, QWidget* buddy) {
  auto* label = new QLabel(text);
  label->setBuddy(buddy);
  return label;
}

// A new item shows empty fields instead of zeros.
void BlankZero(std::string& text) {
  if (ParseLong(text) == 0 && text.find_first_not_of("0., ") == std::string::npos) text.clear();
}

QListWidget* CodeList(const QString& objectName, const CodeEntry* entries, std::size_t count,
                      int selected) {
  auto* list = new QListWidget;
  list->setObjectName(objectName);
  for (std::size_t i = 0; i < count; ++i) list->addItem(ToQString(entries[i].text));
  if (selected >= 0) list->setCurrentRow(selected);
  list->setMinimumWidth(list->sizeHintForColumn(0) + 30);
  list->setMaximumHeight(list->sizeHintForRow(0) * static_cast<int>(count) + 8);
  return list;
}

}  // namespace

QPushButton* PickButton(const Application& app, const QString& objectName) {
  auto* button = Button("Pick", objectName);
  const bool noCad = app.cadKind() == kDefaultCadKind;
  button->setVisible(!noCad);
  button->setEnabled(false);
  if (!noCad) button->setToolTip("Picking in the drawing is not available yet");
  return button;
}

// ---- Room ------------------------------------------------------------------------

RoomDialog::RoomDialog(Application& app, Room& room, int number, bool isNew, QWidget* parent)
    : QDialog(parent), app_(app), room_(room) {
  setWindowTitle("Kvem - Room");
  setObjectName("roomDialog");
  number_ = ReadOnlyEdit("numberEdit");
  roomNumber_ = Edit("roomNumberEdit", kRoomText);
  name_ = Edit("nameEdit", kRoomText);
  length_ = Edit("lengthEdit");
  width_ = Edit("widthEdit");
  height_ = Edit("heightEdit");
  ti_ = Edit("tiEdit");
  doors_ = Edit("doorsEdit");
  airFlow_ = Edit("airFlowEdit");
  cardinal_ = new QComboBox;
  cardinal_->setObjectName("cardinalPointCombo");
  for (std::string_view point : kCardinalPointList) cardinal_->addItem(ToQString(point));
  QPushButton* tiButton = Button("T&i", "tiButton");

  auto* grid = new QGridLayout;
  int row = 0;
  auto add = [&](const QString& text, QWidget* field, QWidget* extra) {
    grid->addWidget(Label(text, field), row, 0);
    grid->addWidget(field, row, 1);
    if (extra != nullptr) grid->addWidget(extra, row, 2);
    ++row;
  };
  add("Number", number_, nullptr);
  add("&Room number", roomNumber_, PickButton(app, "pickRoomBlockButton"));
  add("&Name", name_, nullptr);
  add("&Length [mm]", length_, PickButton(app, "pickLengthButton"));
  add("&Width [mm]", width_, PickButton(app, "pickWidthButton"));
  add("&Height [mm]", height_, nullptr);
  add("&Temperature Ti [°C]", ti_, tiButton);
  add("Number of &doors [-]", doors_, PickButton(app, "pickDoorsButton"));
  add("&Air exchange rate [m3/h]", airFlow_, PickButton(app, "pickValueButton"));
  add("&Cardinal point [-]", cardinal_, nullptr);
  grid->setColumnMinimumWidth(1, 140);
  auto* layout = new QVBoxLayout;
  layout->addLayout(grid);
  layout->addStretch();
  layout->addWidget(OkStornoButtons(this));
  setLayout(layout);

  RoomFields f = RoomFieldsOf(room);
  if (isNew) {
    for (std::string* t : {&f.length, &f.width, &f.height, &f.ti, &f.doors, &f.airFlow}) BlankZero(*t);
  }
  number_->setText(QString::number(number));
  SetText(roomNumber_, f.number);
  SetText(name_, f.name);
  SetText(length_, f.length);
  SetText(width_, f.width);
  SetText(height_, f.height);
  SetText(ti_, f.ti);
  SetText(doors_, f.doors);
  SetText(airFlow_, f.airFlow);
  cardinal_->setCurrentIndex(f.cardinalPoint);
  connect(tiButton, &QPushButton::clicked, this, &RoomDialog::ChooseTi);
  roomNumber_->setFocus();
}

RoomFields RoomDialog::Read() const {
  RoomFields f;
  f.number = Text(roomNumber_);
  f.name = Text(name_);
  f.length = Text(length_);
  f.width = Text(width_);
  f.height = Text(height_);
  f.ti = Text(ti_);
  f.doors = Text(doors_);
  f.airFlow = Text(airFlow_);
  f.cardinalPoint = cardinal_->currentIndex();
  return f;
}

void RoomDialog::ChooseTi() {
  const BuildingData& building = app_.project().building;
  if (building.buildingTypeCode < 1 || building.buildingTypeCode > 12 ||
      building.indoorTemperatureTable.empty()) {
    app_.messenger().Show(kNoBuildingType, "Kvem - error", Icon::Warning);
    return;
  }
  std::vector<TableRow> rows;
  if (!LoadChoiceRows(app_, building.indoorTemperatureTable, rows)) return;
  TableChoiceDialog dialog("Kvem - Design Value Indoor Temperature", "Room &type",
                           {{"Ti [°C]", 2, "tiValueEdit"}, {"Relative humidity [%]", 3, "humidityEdit"}},
                           std::move(rows), true, this);
  std::string chosen;
  connect(&dialog, &TableChoiceDialog::rowChosen, this,
          [&dialog, &chosen] { chosen = FormatLong("%ld", ParseLong(dialog.Field(2))); });
  if (dialog.row() != nullptr) chosen = FormatLong("%ld", ParseLong(dialog.Field(2)));
  dialog.exec();
  if (!chosen.empty()) SetText(ti_, chosen);
}

void RoomDialog::accept() {
  const RoomFields f = Read();
  switch (CheckRoom(f)) {
    case FormField::RoomNumber: return FocusField(roomNumber_);
    case FormField::Name: return FocusField(name_);
    case FormField::Length: return FocusField(length_);
    case FormField::Width: return FocusField(width_);
    case FormField::Height: return FocusField(height_);
    default: break;
  }
  ApplyRoom(f, room_);
  QDialog::accept();
}

// ---- Wall ------------------------------------------------------------------------------

WallDialog::WallDialog(Application& app, WallForm form, Wall& wall, int number, QWidget* parent)
    : QDialog(parent), app_(app), form_(std::move(form)), wall_(wall) {
  setWindowTitle("Kvem - Wall");
  setObjectName("wallDialog");
  QLineEdit* numberEdit = ReadOnlyEdit("numberEdit");
  numberEdit->setText(QString::number(number));
  length_ = Edit("lengthEdit");
  height_ = Edit("heightEdit");
  k_ = Edit("kEdit");
  QPushButton* selectK = Button("Select &k", "selectKButton");
  construction_ = CodeList("constructionList", kConstructionCodes.data(), kConstructionCodes.size(),
                           form_.fields.construction);
  external_ = new QRadioButton("&External wall");
  external_->setObjectName("externalRadio");
  interior_ = new QRadioButton("&Interior wall ");
  interior_->setObjectName("interiorRadio");
  externalDifference_ = Edit("externalDifferenceEdit");
  adjacent_ = Edit("adjacentTemperatureEdit");
  selectTemperature_ = Button("Select te&mperature", "selectTemperatureButton");
  interiorDifference_ = Edit("interiorDifferenceEdit");

  auto* grid = new QGridLayout;
  grid->addWidget(Label("Number", numberEdit), 0, 0);
  grid->addWidget(numberEdit, 0, 1);
  grid->addWidget(Label("&Width [mm]", length_), 1, 0);
  grid->addWidget(length_, 1, 1);
  grid->addWidget(PickButton(app, "pickLengthButton"), 1, 2);
  grid->addWidget(Label("Height/&Length [mm]", height_), 2, 0);
  grid->addWidget(height_, 2, 1);
  grid->addWidget(PickButton(app, "pickHeightButton"), 2, 2);
  grid->addWidget(Label("k &value of wall [W.m-2.K-1]", k_), 3, 0);
  grid->addWidget(k_, 3, 1);
  grid->addWidget(selectK, 3, 2);
  grid->setColumnMinimumWidth(1, 120);

  auto* codeBox = new QVBoxLayout;
  codeBox->addWidget(Label("Cooled\nwall", construction_));
  codeBox->addWidget(construction_);
  codeBox->addStretch();

  auto* kindBox = new QGroupBox("Temperature difference [K]");
  auto* kindGrid = new QGridLayout;
  kindGrid->addWidget(external_, 0, 0);
  kindGrid->addWidget(Label("Ti + |Te|", externalDifference_), 0, 1);
  kindGrid->addWidget(externalDifference_, 0, 2);
  kindGrid->addWidget(interior_, 1, 0);
  kindGrid->addWidget(Label("Temperature in adjacent room", adjacent_), 2, 0);
  kindGrid->addWidget(adjacent_, 2, 2);
  kindGrid->addWidget(selectTemperature_, 2, 3);
  kindGrid->addWidget(Label("Ti - adjacent", interiorDifference_), 3, 1);
  kindGrid->addWidget(interiorDifference_, 3, 2);
  kindBox->setLayout(kindGrid);
  auto* kinds = new QButtonGroup(this);
  kinds->addButton(external_);
  kinds->addButton(interior_);

  auto* top = new QHBoxLayout;
  top->addLayout(grid, 1);
  top->addLayout(codeBox);
  auto* layout = new QVBoxLayout;
  layout->addLayout(top);
  layout->addWidget(kindBox);
  layout->addWidget(OkStornoButtons(this));
  setLayout(layout);

  const WallFields& f = form_.fields;
  SetText(length_, f.length);
  SetText(height_, f.height);
  SetText(k_, f.k);
  SetText(externalDifference_, f.externalDifference);
  SetText(adjacent_, f.adjacentTemperature);
  SetText(interiorDifference_, f.interiorDifference);
  (f.external ? external_ : interior_)->setChecked(true);
  UpdateEnabling();

  connect(external_, &QRadioButton::toggled, this, [this] {
    form_.SetExternal(external_->isChecked());
    UpdateEnabling();
  });
  connect(adjacent_, &QLineEdit::textEdited, this, [this](const QString& text) {
    form_.SetAdjacentTemperature(ToStdString(text));
    SetText(interiorDifference_, form_.fields.interiorDifference);
  });
  connect(selectK, &QPushButton::clicked, this, &WallDialog::SelectK);
  connect(selectTemperature_, &QPushButton::clicked, this, &WallDialog::SelectTemperature);
  length_->setFocus();
}

void WallDialog::UpdateEnabling() {
  const bool external = form_.fields.external;
  externalDifference_->setEnabled(external);
  adjacent_->setEnabled(!external);
  interiorDifference_->setEnabled(!external);
  selectTemperature_->setEnabled(!external);
}

void WallDialog::Read() {
  WallFields& f = form_.fields;
  f.length = Text(length_);
  f.height = Text(height_);
  f.k = Text(k_);
  f.construction = construction_->currentRow();
  f.external = external_->isChecked();
  f.externalDifference = Text(externalDifference_);
  f.adjacentTemperature = Text(adjacent_);
  f.interiorDifference = Text(interiorDifference_);
}

void WallDialog::SelectK() {
  std::vector<TableRow> rows;
  if (!LoadChoiceRows(app_, StandardTableName(app_, "StK"), rows)) return;
  TableChoiceDialog dialog("Kvem - Overall Heat Transmission Coefficient", "Type of &structure",
                           {{"Thickness [mm]", 2, "thicknessEdit"},
                            {"Volume weight [kg/m3]", 3, "volumeWeightEdit"},
                            {"k [W.m-2.K-1]", 4, "kValueEdit"}},
                           std::move(rows), true, this);
  if (dialog.exec() != QDialog::Accepted || dialog.row() == nullptr) return;
  form_.TakeK(ParseUserDecimal(dialog.Field(4), '.'), app_.decimalSeparator());
  SetText(k_, form_.fields.k);
}

void WallDialog::SelectTemperature() {
  AdjacentRoomsDialog dialog(form_.te(), this);
  dialog.exec();
  if (!dialog.selected()) return;
  form_.SetAdjacentTemperature(std::to_string(*dialog.selected()));
  SetText(adjacent_, form_.fields.adjacentTemperature);
  SetText(interiorDifference_, form_.fields.interiorDifference);
}

void WallDialog::accept() {
  Read();
  const char sep = app_.decimalSeparator();
  switch (form_.Check(sep)) {
    case FormField::TemperatureDifference:
      return FocusField(form_.fields.external ? externalDifference_ : interiorDifference_);
    case FormField::Length: return FocusField(length_);
    case FormField::Height: return FocusField(height_);
    case FormField::K: return FocusField(k_);
    default: break;
  }
  form_.Apply(wall_, sep);
  QDialog::accept();
}

// ---- Opening ------------------------------------------------------------------------------

OpeningDialog::OpeningDialog(Application& app, Opening& opening, int number, bool isNew,
                             QWidget* parent)
    : QDialog(parent), app_(app), opening_(opening) {
  setWindowTitle("Kvem - Opening");
  setObjectName("openingDialog");
  fields_ = OpeningFieldsOf(opening, app.decimalSeparator());
  if (isNew) {
    for (std::string* t : {&fields_.width, &fields_.height, &fields_.k, &fields_.i,
                           &fields_.jointLength}) {
      BlankZero(*t);
    }
    fields_.count = "1";
  }
  QLineEdit* numberEdit = ReadOnlyEdit("numberEdit");
  numberEdit->setText(QString::number(number));
  width_ = Edit("widthEdit");
  height_ = Edit("heightEdit");
  k_ = Edit("kEdit");
  i_ = Edit("iEdit");
  joint_ = Edit("jointLengthEdit");
  count_ = Edit("countEdit");
  kind_ = CodeList("openingKindList", kOpeningCodes.data(), kOpeningCodes.size(), fields_.kind);
  QPushButton* selectK = Button("Select &k", "selectKButton");
  QPushButton* selectI = Button("Select &i", "selectIButton");
  QPushButton* selectOpening = Button("Select &opening", "selectOpeningButton");

  auto* grid = new QGridLayout;
  int row = 0;
  auto add = [&](const QString& text, QWidget* field, QWidget* extra) {
    grid->addWidget(Label(text, field), row, 0);
    grid->addWidget(field, row, 1);
    if (extra != nullptr) grid->addWidget(extra, row, 2);
    ++row;
  };
  add("Number", numberEdit, nullptr);
  add("&Width [mm]", width_, PickButton(app, "pickWidthButton"));
  add("&Height [mm]", height_, PickButton(app, "pickHeightButton"));
  add("k &value of window [W.m-2.K-1]", k_, selectK);
  add("i v&alue of window [m2.s-1.Pa0.67]", i_, selectI);
  add("&Joint length [mm]", joint_, nullptr);
  add("&Number of windows [-]", count_, PickButton(app, "pickCountButton"));
  grid->setColumnMinimumWidth(1, 120);

  auto* codeBox = new QVBoxLayout;
  codeBox->addWidget(Label("Cooling opening", kind_));
  codeBox->addWidget(kind_);
  codeBox->addWidget(selectOpening);
  codeBox->addStretch();
  auto* top = new QHBoxLayout;
  top->addLayout(grid, 1);
  top->addLayout(codeBox);
  auto* layout = new QVBoxLayout;
  layout->addLayout(top);
  layout->addWidget(OkStornoButtons(this));
  setLayout(layout);

  Show();
  connect(selectK, &QPushButton::clicked, this, &OpeningDialog::SelectK);
  connect(selectI, &QPushButton::clicked, this, &OpeningDialog::SelectI);
  connect(selectOpening, &QPushButton::clicked, this, &OpeningDialog::SelectOpening);
  width_->setFocus();
}

void OpeningDialog::Show() {
  SetText(width_, fields_.width);
  SetText(height_, fields_.height);
  SetText(k_, fields_.k);
  SetText(i_, fields_.i);
  SetText(joint_, fields_.jointLength);
  SetText(count_, fields_.count);
}

void OpeningDialog::Read() {
  fields_.width = Text(width_);
  fields_.height = Text(height_);
  fields_.k = Text(k_);
  fields_.i = Text(i_);
  fields_.jointLength = Text(joint_);
  fields_.count = Text(count_);
  fields_.kind = kind_->currentRow();
}

void OpeningDialog::SelectK() {
  std::vector<TableRow> rows;
  if (!LoadChoiceRows(app_, StandardTableName(app_, "OtK"), rows)) return;
  TableChoiceDialog dialog("Kvem - Overall Heat Transmission Coefficient", "Type of &opening",
                           {{"k [W.m-2.K-1]", 2, "kValueEdit"}}, std::move(rows), true, this);
  if (dialog.exec() != QDialog::Accepted || dialog.row() == nullptr) return;
  SetText(k_, FormatCoefficient(ParseUserDecimal(dialog.Field(2), '.'), app_.decimalSeparator()));
}

void OpeningDialog::SelectI() {
  std::vector<TableRow> rows;
  if (!LoadChoiceRows(app_, StandardTableName(app_, "OtI"), rows)) return;
  TableChoiceDialog dialog("Kvem - Air Permeability Coefficient of Joints", "Type of &opening",
                           {{"i [10-4 m3.s-1.m-1.Pa-0.67]", 2, "iValueEdit"}}, std::move(rows),
                           true, this);
  if (dialog.exec() != QDialog::Accepted || dialog.row() == nullptr) return;
  SetText(i_, FormatCoefficient(ParseUserDecimal(dialog.Field(2), '.'), app_.decimalSeparator()));
}

void OpeningDialog::SelectOpening() {
  std::vector<TableRow> rows;
  if (!LoadChoiceRows(app_, StandardTableName(app_, "Ot"), rows)) return;
  TableChoiceDialog dialog("Kvem - Selection of Opening from Database", "Type of &opening",
                           {{"Width [mm]", 2, "catalogueWidthEdit"},
                            {"Height [mm]", 3, "catalogueHeightEdit"},
                            {"k [W.m-2.K-1]", 4, "catalogueKEdit"},
                            {"i [10-4 m3.s-1.m-1.Pa-0.67]", 5, "catalogueIEdit"},
                            {"Joint length [mm]", 6, "catalogueJointEdit"}},
                           std::move(rows), false, this);
  if (dialog.exec() != QDialog::Accepted || dialog.row() == nullptr) return;
  Read();
  TakeCatalogueOpening(fields_, *dialog.row(), app_.decimalSeparator());
  NumberOfOpeningsDialog count(this);
  if (count.exec() == QDialog::Accepted) fields_.count = std::to_string(count.count());
  Show();
}

void OpeningDialog::accept() {
  Read();
  const char sep = app_.decimalSeparator();
  switch (CheckOpening(fields_, sep)) {
    case FormField::Width: return FocusField(width_);
    case FormField::Height: return FocusField(height_);
    case FormField::K: return FocusField(k_);
    case FormField::I: return FocusField(i_);
    default: break;
  }
  ApplyOpening(fields_, opening_, sep);
  QDialog::accept();
}

// ---- Adjacent unheated rooms -------------------------------------------------------------

AdjacentRoomsDialog::AdjacentRoomsDialog(int te, QWidget* parent) : QDialog(parent) {
  setWindowTitle("Kvem - Temperature in Adjacent Unheated Rooms");
  setObjectName("adjacentRoomsDialog");
  QLineEdit* teEdit = ReadOnlyEdit("teEdit");
  teEdit->setText(QString::number(te));
  QLineEdit* selectedEdit = ReadOnlyEdit("selectedTemperatureEdit");
  selectedEdit->setText("Select");
  auto* group = new QButtonGroup(this);
  auto* boxes = new QGridLayout;
  std::string_view current;
  QVBoxLayout* boxLayout = nullptr;
  int boxIndex = 0;
  const auto& choices = AdjacentRoomChoices();
  for (std::size_t i = 0; i < choices.size(); ++i) {
    if (choices[i].group != current) {
      current = choices[i].group;
      auto* box = new QGroupBox(ToQString(current));
      boxLayout = new QVBoxLayout;
      box->setLayout(boxLayout);
      boxes->addWidget(box, boxIndex % 3, boxIndex / 3);
      ++boxIndex;
    }
    auto* radio = new QRadioButton(ToQString(choices[i].text));
    radio->setObjectName(QString("adjacent%1Radio").arg(i));
    group->addButton(radio, static_cast<int>(i));
    boxLayout->addWidget(radio);
  }
  auto* fields = new QGridLayout;
  fields->addWidget(Label("Design value for regional temperature", teEdit), 0, 0);
  fields->addWidget(teEdit, 0, 1);
  fields->addWidget(Label("Selected temperature", selectedEdit), 1, 0);
  fields->addWidget(selectedEdit, 1, 1);
  auto* layout = new QVBoxLayout;
  layout->addLayout(boxes);
  layout->addLayout(fields);
  layout->addWidget(OkStornoButtons(this));
  setLayout(layout);
  connect(group, &QButtonGroup::idClicked, this, [this, te, selectedEdit](int index) {
    const std::optional<int> value = AdjacentRoomTemperature(index, te);
    if (!value) return;
    selected_ = value;
    selectedEdit->setText(QString::number(*value));
  });
}

NumberOfOpeningsDialog::NumberOfOpeningsDialog(QWidget* parent) : QDialog(parent) {
  setWindowTitle("Kvem - Number of Openings");
  setObjectName("numberOfOpeningsDialog");
  list_ = new QListWidget;
  list_->setObjectName("countList");
  for (int n = 1; n <= 10; ++n) list_->addItem(QString::number(n));
  list_->setCurrentRow(0);
  auto* layout = new QVBoxLayout;
  layout->addWidget(Label("&Number of openings", list_));
  layout->addWidget(list_);
  layout->addWidget(OkStornoButtons(this));
  setLayout(layout);
}

int NumberOfOpeningsDialog::count() const { return list_->currentRow() + 1; }

}  // namespace kvem::ui
