// "Kvem - Main Data" and its four small dialogs (Te, B, p2, building type).
// The behaviour is that of the forms in heatloss/main_data_form.h; these
// classes lay out the controls and pass clicks and texts on.
#pragma once

#include <QDialog>
#include <memory>

#include "app/application.h"
#include "heatloss/main_data_form.h"

class QButtonGroup;
class QDateEdit;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace kvem::ui {

class MainDataDialog : public QDialog {
  Q_OBJECT
 public:
  MainDataDialog(Application& app, QWidget* parent = nullptr);
  void accept() override;

 private:
  void ShowFields();
  void ReadFields();
  void UpdateEnabling();
  void SpecifyTe();
  void SpecifyB();
  void SpecifyP2();
  void SpecifyType();

  Application& app_;
  MainDataFields fields_;
  QLineEdit *projectName1_, *projectName2_, *buildingName1_, *buildingName2_, *preparedBy_;
  QDateEdit* date_;
  QLineEdit *jobOrder_, *registration_, *note_, *te_, *altitude_, *location_, *wind_, *b_, *p2_,
      *type_;
  QPushButton *specifyB_, *ok_;
};

class OutdoorTemperatureDialog : public QDialog {
  Q_OBJECT
 public:
  OutdoorTemperatureDialog(BuildingData& data, std::vector<TableRow> rows,
                           QWidget* parent = nullptr);
  void accept() override;

 private:
  OutdoorTemperatureForm form_;
  QListWidget* list_;
  QLineEdit *altitude_, *te_, *wind_;
};

class BuildingNumberDialog : public QDialog {
  Q_OBJECT
 public:
  explicit BuildingNumberDialog(BuildingData& data, QWidget* parent = nullptr);

 private:
  void Update();

  BuildingNumberForm form_;
  QLineEdit* field_;
  QButtonGroup* groups_[2];
  QRadioButton* locations_[2][3];
};

class HeatUpAllowanceDialog : public QDialog {
  Q_OBJECT
 public:
  explicit HeatUpAllowanceDialog(BuildingData& data, QWidget* parent = nullptr);

 private:
  HeatUpAllowanceForm form_;
  QLineEdit* field_;
};

class BuildingTypeDialog : public QDialog {
  Q_OBJECT
 public:
  BuildingTypeDialog(BuildingData& data, std::vector<BuildingTypeChoice> choices,
                     QWidget* parent = nullptr);
  void done(int result) override;

 private:
  BuildingTypeForm form_;
};

}  // namespace kvem::ui
