#include "ui/desktop/main_data_dialog.h"

#include <QButtonGroup>
#include <QDateEdit>
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

#include "tables/text_lines.h"
#include "ui/common/message_box_messenger.h"
#include "ui/desktop/table_access.h"
#include "ui/desktop/widgets.h"

namespace kvem::ui {

namespace {

constexpr int kTextWidth = static_cast<int>(kBuildingTextWidth);
constexpr int kShortWidth = static_cast<int>(kShortTextWidth);
const char* const kDateFormat = "yyyy-MM-dd";

QLabel* Label(const QString& text, QWidget* buddy) {
  auto* label = new QLabel(text);
  label->setBuddy(buddy);
  return label;
}

}  // namespace

// ---- Main Data ---------------------------------------------------------------

MainDataDialog::MainDataDialog(Application& app, QWidget* parent) : QDialog(parent), app_(app) {
  setWindowTitle("Kvem - Main Data");
  setObjectName("mainDataDialog");
  projectName1_ = Edit("projectName1Edit", kTextWidth);
  projectName2_ = Edit("projectName2Edit", kTextWidth);
  buildingName1_ = Edit("buildingName1Edit", kTextWidth);
  buildingName2_ = Edit("buildingName2Edit", kTextWidth);
  preparedBy_ = Edit("preparedByEdit", kTextWidth);
  date_ = new QDateEdit;
  date_->setObjectName("dateEdit");
  date_->setCalendarPopup(true);
  date_->setDisplayFormat(kDateFormat);
  jobOrder_ = Edit("jobOrderEdit", kTextWidth);
  registration_ = Edit("registrationEdit", kTextWidth);
  note_ = Edit("noteEdit", kTextWidth);
  te_ = Edit("teEdit");
  altitude_ = Edit("altitudeEdit", kShortWidth);
  location_ = Edit("locationEdit", kTextWidth);
  wind_ = Edit("windEdit", kShortWidth);
  b_ = Edit("bEdit");
  p2_ = Edit("p2Edit");
  type_ = Edit("buildingTypeEdit", kTextWidth);

  QPushButton* specifyTe = Button("Specify T&e", "specifyTeButton");
  specifyB_ = Button("Specify &B", "specifyBButton");
  QPushButton* specifyP2 = Button("Specify &p2", "specifyP2Button");
  QPushButton* specifyType = Button("Specify &type", "specifyTypeButton");

  auto* grid = new QGridLayout;
  int row = 0;
  auto pair = [&](const QString& text, QWidget* first, QWidget* second, QPushButton* button) {
    grid->addWidget(Label(text, first), row, 0);
    if (second != nullptr) {
      grid->addWidget(first, row, 1);
      grid->addWidget(second, row, 2);
    } else {
      grid->addWidget(first, row, 1, 1, 2);
    }
    if (button != nullptr) grid->addWidget(button, row, 3);
    ++row;
  };
  pair("&Project name", projectName1_, nullptr, nullptr);
  pair("", projectName2_, nullptr, nullptr);
  pair("Building name", buildingName1_, nullptr, nullptr);
  pair("", buildingName2_, nullptr, nullptr);
  pair("&Prepared by", preparedBy_, nullptr, nullptr);
  pair("&Date", date_, nullptr, nullptr);
  pair("&Job order no.", jobOrder_, nullptr, nullptr);
  pair("&Reg.no", registration_, nullptr, nullptr);
  pair("&Note", note_, nullptr, nullptr);
  grid->addItem(new QSpacerItem(0, 8), row++, 0);
  pair("Outdoor temperature Te [°C], altitude [m]", te_, altitude_, specifyTe);
  pair("Temperature zone,      wind intensity", location_, wind_, nullptr);
  pair("Characteristic building number B [Pa^0.67]", b_, nullptr, specifyB_);
  pair("Allowance for speeding-up the heat-up process p2 [-]", p2_, nullptr, specifyP2);
  pair("Type of building", type_, nullptr, specifyType);
  grid->setColumnStretch(1, 1);
  grid->setColumnStretch(2, 1);
  grid->setColumnMinimumWidth(1, 160);

  auto* buttons = OkStornoButtons(this);
  ok_ = buttons->findChild<QPushButton*>("okButton");
  auto* layout = new QVBoxLayout;
  layout->addLayout(grid);
  layout->addStretch();
  layout->addWidget(buttons);
  setLayout(layout);

  // Tab order follows the rows; the Specify buttons come after their fields.
  QWidget* order[] = {projectName1_, projectName2_, buildingName1_, buildingName2_, preparedBy_,
                      date_,         jobOrder_,     registration_,  note_,          te_,
                      altitude_,     specifyTe,     location_,      wind_,          b_,
                      specifyB_,     p2_,           specifyP2,      type_,          specifyType};
  for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);

  fields_ = MainDataFieldsOf(app_.project().building, app_.decimalSeparator());
  if (MainDataNeedsPrefill(app_.project().building)) {
    const std::filesystem::path info = app_.TmpDirectory() / kProjectInfoFile;
    PrefillMainData(fields_, [this, &info](long n) { return NtyRadek(info, n, app_.messenger()); });
  }
  ShowFields();
  UpdateEnabling();

  for (QLineEdit* edit : findChildren<QLineEdit*>()) {
    if (edit->parent() == date_) continue;
    connect(edit, &QLineEdit::textChanged, this, [this] {
      ReadFields();
      UpdateEnabling();
    });
  }
  connect(specifyTe, &QPushButton::clicked, this, &MainDataDialog::SpecifyTe);
  connect(specifyB_, &QPushButton::clicked, this, &MainDataDialog::SpecifyB);
  connect(specifyP2, &QPushButton::clicked, this, &MainDataDialog::SpecifyP2);
  connect(specifyType, &QPushButton::clicked, this, &MainDataDialog::SpecifyType);
}

void MainDataDialog::ShowFields() {
  const QSignalBlocker blockers[] = {
      QSignalBlocker(projectName1_), QSignalBlocker(projectName2_), QSignalBlocker(buildingName1_),
      QSignalBlocker(buildingName2_), QSignalBlocker(preparedBy_),  QSignalBlocker(jobOrder_),
      QSignalBlocker(registration_),  QSignalBlocker(note_),        QSignalBlocker(te_),
      QSignalBlocker(altitude_),      QSignalBlocker(location_),    QSignalBlocker(wind_),
      QSignalBlocker(b_),             QSignalBlocker(p2_),          QSignalBlocker(type_)};
  SetText(projectName1_, fields_.projectName1);
  SetText(projectName2_, fields_.projectName2);
  SetText(buildingName1_, fields_.buildingName1);
  SetText(buildingName2_, fields_.buildingName2);
  SetText(preparedBy_, fields_.preparedBy);
  const QDate stored = QDate::fromString(ToQString(fields_.date), kDateFormat);
  date_->setDate(stored.isValid() ? stored : QDate::currentDate());
  SetText(jobOrder_, fields_.jobOrderNumber);
  SetText(registration_, fields_.registrationNumber);
  SetText(note_, fields_.note);
  SetText(te_, fields_.te);
  SetText(altitude_, fields_.altitude);
  SetText(location_, fields_.location);
  SetText(wind_, fields_.windyLandscape);
  SetText(b_, fields_.b);
  SetText(p2_, fields_.p2);
  SetText(type_, fields_.buildingType);
}

void MainDataDialog::ReadFields() {
  fields_.projectName1 = Text(projectName1_);
  fields_.projectName2 = Text(projectName2_);
  fields_.buildingName1 = Text(buildingName1_);
  fields_.buildingName2 = Text(buildingName2_);
  fields_.preparedBy = Text(preparedBy_);
  fields_.date = ToStdString(date_->date().toString(kDateFormat));
  fields_.jobOrderNumber = Text(jobOrder_);
  fields_.registrationNumber = Text(registration_);
  fields_.note = Text(note_);
  fields_.te = Text(te_);
  fields_.altitude = Text(altitude_);
  fields_.location = Text(location_);
  fields_.windyLandscape = Text(wind_);
  fields_.b = Text(b_);
  fields_.p2 = Text(p2_);
  fields_.buildingType = Text(type_);
}

void MainDataDialog::UpdateEnabling() {
  ok_->setEnabled(MainDataOkEnabled(fields_));
  specifyB_->setEnabled(SpecifyBEnabled(fields_));
}

void MainDataDialog::SpecifyTe() {
  std::vector<TableRow> rows;
  if (!LoadChoiceRows(app_, StandardTableName(app_, "Te"), rows)) return;
  ReadFields();
  OutdoorTemperatureDialog dialog(app_.project().building, std::move(rows), this);
  dialog.exec();
  RefreshAfterOutdoorTemperature(fields_, app_.project().building);
  ShowFields();
  UpdateEnabling();
}

void MainDataDialog::SpecifyB() {
  if (!MayOpenBuildingNumberDialog(app_.project().building, app_.messenger())) return;
  ReadFields();
  BuildingNumberDialog dialog(app_.project().building, this);
  dialog.exec();
  RefreshAfterBuildingNumber(fields_, app_.project().building);
  ShowFields();
  UpdateEnabling();
}

void MainDataDialog::SpecifyP2() {
  ReadFields();
  HeatUpAllowanceDialog dialog(app_.project().building, this);
  dialog.exec();
  RefreshAfterHeatUpAllowance(fields_, app_.project().building, app_.decimalSeparator());
  ShowFields();
  UpdateEnabling();
}

void MainDataDialog::SpecifyType() {
  ReadFields();
  BuildingTypeDialog dialog(app_.project().building, BuildingTypeChoices(app_), this);
  dialog.exec();
  RefreshAfterBuildingType(fields_, app_.project().building);
  ShowFields();
  UpdateEnabling();
}

void MainDataDialog::accept() {
  ReadFields();
  if (!MainDataOkEnabled(fields_)) return;
  ApplyMainData(fields_, app_.project().building, app_.decimalSeparator());
  QDialog::accept();
}

// ---- Te --------------------------------------------------------------------------

OutdoorTemperatureDialog::OutdoorTemperatureDialog(BuildingData& data, std::vector<TableRow> rows,
                                                   QWidget* parent)
    : QDialog(parent), form_(data, std::move(rows)) {
  setWindowTitle("Kvem - Design Value Outdoor Temperature");
  setObjectName("outdoorTemperatureDialog");
  list_ = new QListWidget;
  list_->setObjectName("locationList");
  for (const TableRow& row : form_.rows()) list_->addItem(ToQString(row.empty() ? "" : row[0]));
  list_->setMinimumWidth(list_->sizeHintForColumn(0) + 40);
  altitude_ = Edit("altitudeEdit", kShortWidth);
  te_ = Edit("teEdit");
  wind_ = Edit("windEdit", kShortWidth);

  auto* left = new QVBoxLayout;
  left->addWidget(Label("Location", list_));
  left->addWidget(list_);
  auto* grid = new QGridLayout;
  grid->addWidget(Label("Altitude [m]", altitude_), 0, 0);
  grid->addWidget(altitude_, 0, 1);
  grid->addWidget(Label("Design value outdoor temperature  Te [°C]", te_), 1, 0);
  grid->addWidget(te_, 1, 1);
  grid->addWidget(Label("Landscape with intensive winds [yes/no]", wind_), 2, 0);
  grid->addWidget(wind_, 2, 1);
  auto* right = new QVBoxLayout;
  right->addLayout(grid);
  right->addStretch();
  right->addWidget(OkStornoButtons(this));
  auto* layout = new QHBoxLayout;
  layout->addLayout(left, 1);
  layout->addLayout(right);
  setLayout(layout);

  auto show = [this] {
    SetText(altitude_, form_.altitude);
    SetText(te_, form_.te);
    SetText(wind_, form_.windyLandscape);
  };
  if (form_.selected() >= 0) {
    const QSignalBlocker blocker(list_);
    list_->setCurrentRow(form_.selected());
  }
  show();
  // Selection, not the current row: the list takes a current row when it gets
  // the focus, and that is no choice of the user's.
  connect(list_, &QListWidget::itemSelectionChanged, this, [this, show] {
    const QList<QListWidgetItem*> chosen = list_->selectedItems();
    if (chosen.isEmpty()) return;
    form_.Choose(list_->row(chosen.first()));
    show();
  });
}

void OutdoorTemperatureDialog::accept() {
  form_.altitude = Text(altitude_);
  form_.te = Text(te_);
  form_.windyLandscape = Text(wind_);
  form_.Accept();
  QDialog::accept();
}

// ---- B ----------------------------------------------------------------------------

BuildingNumberDialog::BuildingNumberDialog(BuildingData& data, QWidget* parent)
    : QDialog(parent), form_(data) {
  setWindowTitle("Kvem - Characteristic Building Number B");
  setObjectName("buildingNumberDialog");
  auto* kindBox = new QGroupBox("Building");
  auto* detached = new QRadioButton("&detached building");
  detached->setObjectName("detachedRadio");
  auto* terraced = new QRadioButton("te&rraced building");
  terraced->setObjectName("terracedRadio");
  auto* kindLayout = new QVBoxLayout;
  kindLayout->addWidget(detached);
  kindLayout->addWidget(terraced);
  kindBox->setLayout(kindLayout);

  auto* landscapes = new QHBoxLayout;
  const char* titles[2] = {"Normal landscape", "Landscape with intensive winds"};
  const char* names[2] = {"normal", "windy"};
  const char* mnemonics[2][3] = {{"&protected", "&unprotected", "&adverse"},
                                 {"pr&otected", "u&nprotected", "ad&verse"}};
  for (int g = 0; g < 2; ++g) {
    auto* box = new QGroupBox(titles[g]);
    box->setObjectName(QString(names[g]) + "Group");
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel("Location"), 0, 0);
    grid->addWidget(new QLabel("Wind [m/s]"), 0, 1);
    groups_[g] = new QButtonGroup(this);
    for (int l = 0; l < 3; ++l) {
      auto* radio = new QRadioButton(mnemonics[g][l]);
      radio->setObjectName(QString("%1%2Radio").arg(names[g]).arg(l));
      locations_[g][l] = radio;
      groups_[g]->addButton(radio, l);
      grid->addWidget(radio, l + 1, 0);
      grid->addWidget(new QLabel(QString::number(LandscapeWindVelocity(g == 1, l))), l + 1, 1);
    }
    box->setLayout(grid);
    landscapes->addWidget(box);
    connect(groups_[g], &QButtonGroup::idClicked, this, [this](int location) {
      form_.ChooseLocation(location);
      Update();
    });
  }
  field_ = ReadOnlyEdit("bEdit");
  auto* fieldRow = new QHBoxLayout;
  auto* fieldLabel = new QLabel("Characteristic building number B [Pa^0.67]");
  fieldLabel->setBuddy(field_);
  fieldRow->addWidget(fieldLabel);
  fieldRow->addWidget(field_);

  auto* layout = new QVBoxLayout;
  layout->addWidget(kindBox);
  layout->addLayout(landscapes);
  layout->addLayout(fieldRow);
  layout->addWidget(OkStornoButtons(this));
  setLayout(layout);

  connect(detached, &QRadioButton::clicked, this, [this] {
    form_.ChooseKind(BuildingKind::Detached);
    Update();
  });
  connect(terraced, &QRadioButton::clicked, this, [this] {
    form_.ChooseKind(BuildingKind::Terraced);
    Update();
  });
  Update();
}

void BuildingNumberDialog::Update() {
  const bool enabled[2] = {form_.normalGroupEnabled(), form_.windyGroupEnabled()};
  for (int g = 0; g < 2; ++g) {
    groups_[g]->setExclusive(false);
    for (int l = 0; l < 3; ++l) {
      locations_[g][l]->setEnabled(enabled[g]);
      locations_[g][l]->setChecked(enabled[g] && form_.checkedLocation() == l);
    }
    groups_[g]->setExclusive(true);
  }
  SetText(field_, form_.fieldText());
}

// ---- p2 ------------------------------------------------------------------------------

HeatUpAllowanceDialog::HeatUpAllowanceDialog(BuildingData& data, QWidget* parent)
    : QDialog(parent), form_(data) {
  setWindowTitle("Kvem - Allowance for Heat-Up p2 [-]");
  setObjectName("heatUpAllowanceDialog");
  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel("<b>Operation</b>"), 0, 0);
  grid->addWidget(new QLabel("<b>Hours a day</b>"), 0, 1);
  grid->addWidget(new QLabel("<b>p2 [-]</b>"), 0, 2);
  auto* group = new QButtonGroup(this);
  const char* mnemonic[3] = {"&continuous", "&discontinuous", "d&iscontinuous"};
  for (int i = 0; i < 3; ++i) {
    const HeatUpChoice& choice = kHeatUpChoices[static_cast<std::size_t>(i)];
    auto* radio = new QRadioButton(mnemonic[i]);
    radio->setObjectName(QString("p2Choice%1Radio").arg(i));
    group->addButton(radio, i);
    grid->addWidget(radio, i + 1, 0);
    grid->addWidget(new QLabel(ToQString(choice.hours)), i + 1, 1);
    grid->addWidget(new QLabel(ToQString(choice.text)), i + 1, 2);
  }
  field_ = ReadOnlyEdit("p2Edit");
  grid->addWidget(new QLabel("p2 [-]"), 4, 0);
  grid->addWidget(field_, 4, 1, 1, 2);
  auto* layout = new QVBoxLayout;
  layout->addLayout(grid);
  layout->addWidget(OkStornoButtons(this));
  setLayout(layout);
  SetText(field_, form_.fieldText());
  connect(group, &QButtonGroup::idClicked, this, [this](int index) {
    form_.Choose(index);
    SetText(field_, form_.fieldText());
  });
}

// ---- Building type ------------------------------------------------------------------------

BuildingTypeDialog::BuildingTypeDialog(BuildingData& data, std::vector<BuildingTypeChoice> choices,
                                       QWidget* parent)
    : QDialog(parent), form_(data, std::move(choices)) {
  setWindowTitle("Kvem - Building Type");
  setObjectName("buildingTypeDialog");
  auto* box = new QGroupBox("Type of building");
  auto* grid = new QGridLayout;
  auto* group = new QButtonGroup(this);
  const int count = static_cast<int>(form_.choices().size());
  for (int i = 0; i < count; ++i) {
    auto* radio = new QRadioButton(ToQString(form_.choices()[static_cast<std::size_t>(i)].label));
    radio->setObjectName(QString("buildingType%1Radio").arg(i + 1));
    radio->setChecked(form_.checked() == i);
    group->addButton(radio, i);
    grid->addWidget(radio, i % 6, i / 6);
  }
  box->setLayout(grid);
  auto* layout = new QVBoxLayout;
  layout->addWidget(box);
  layout->addWidget(OkStornoButtons(this));
  setLayout(layout);
  connect(group, &QButtonGroup::idClicked, this, [this](int index) { form_.Choose(index); });
}

void BuildingTypeDialog::done(int result) {
  form_.Close();
  QDialog::done(result);
}

}  // namespace kvem::ui
