#include <QDateEdit>
#include <QListWidget>
#include <QRadioButton>

#include "app/commands.h"
#include "desktop_test_support.h"
#include "platform/files.h"
#include "ui/desktop/main_data_dialog.h"

using namespace kvem;
using test::Click;
using test::OnNextDialog;
using test::Type;

class MainDataDialogTest : public QObject {
  Q_OBJECT
 private slots:
  void everyChoiceReachesTheBuildingData();
  void prefillFromTheCadSideAndStornoKeepsTheData();
};

void MainDataDialogTest::everyChoiceReachesTheBuildingData() {
  test::TestApp t;
  BuildingData& data = t.app->project().building;
  data.jobOrderNumber = "Z-1";  // no prefill
  ui::MainDataDialog dialog(*t.app);
  dialog.show();
  auto* ok = test::Child<QPushButton>(&dialog, "okButton");
  QVERIFY(!ok->isEnabled());
  QVERIFY(!test::Child<QPushButton>(&dialog, "specifyBButton")->isEnabled());
  Type(&dialog, "projectName1Edit", "Family house");
  Type(&dialog, "buildingName1Edit", "House 12");
  Type(&dialog, "preparedByEdit", "J. Novák");
  Type(&dialog, "registrationEdit", "R-7");
  test::Child<QDateEdit>(&dialog, "dateEdit")->setDate(QDate(2026, 12, 1));

  OnNextDialog([](QDialog* te) {
    QCOMPARE(te->objectName(), QString("outdoorTemperatureDialog"));
    QCOMPARE(test::Child<QLineEdit>(te, "teEdit")->text(), QString("Select"));
    test::Child<QListWidget>(te, "locationList")->setCurrentRow(2);
    QCOMPARE(test::Child<QLineEdit>(te, "teEdit")->text(), QString("-15"));
    Type(te, "altitudeEdit", "230");  // typed over the table's value
    Click(te, "okButton");
  });
  Click(&dialog, "specifyTeButton");
  QCOMPARE(data.location, std::string("Ostrava"));
  QCOMPARE(data.te, -15);
  QCOMPARE(data.altitude, std::string("230"));
  QCOMPARE(test::Child<QLineEdit>(&dialog, "windEdit")->text(), QString("yes"));
  QVERIFY(test::Child<QPushButton>(&dialog, "specifyBButton")->isEnabled());

  OnNextDialog([](QDialog* b) {
    QVERIFY(!test::Child<QRadioButton>(b, "windy2Radio")->isEnabled());
    Click(b, "detachedRadio");
    QVERIFY(test::Child<QRadioButton>(b, "windy2Radio")->isEnabled());
    QVERIFY(!test::Child<QRadioButton>(b, "normal2Radio")->isEnabled());
    Click(b, "windy2Radio");
    QCOMPARE(test::Child<QLineEdit>(b, "bEdit")->text(), QString("16"));
    Click(b, "okButton");
  });
  Click(&dialog, "specifyBButton");
  QCOMPARE(data.b, 16);

  OnNextDialog([](QDialog* p2) {
    Click(p2, "p2Choice2Radio");
    Click(p2, "stornoButton");  // the choice stays
  });
  Click(&dialog, "specifyP2Button");
  QCOMPARE(data.p2, 0.2);
  QCOMPARE(test::Child<QLineEdit>(&dialog, "p2Edit")->text(), QString("0.2"));
  QVERIFY(!ok->isEnabled());  // no type of building yet

  OnNextDialog([](QDialog* type) {
    QCOMPARE(test::Child<QRadioButton>(type, "buildingType2Radio")->text(),
             QString("Administrative building"));
    Click(type, "buildingType2Radio");
    Click(type, "okButton");
  });
  Click(&dialog, "specifyTypeButton");
  QCOMPARE(data.buildingTypeText, std::string("Office block"));
  QCOMPARE(data.indoorTemperatureTable, std::string("Kvem_TiAd.CZ.dbf"));
  QVERIFY(ok->isEnabled());

  Click(&dialog, "okButton");
  QCOMPARE(dialog.result(), int(QDialog::Accepted));
  QCOMPARE(data.projectName1, std::string("Family house"));
  QCOMPARE(data.preparedBy, std::string("J. Novák"));
  QCOMPARE(data.date, std::string("2026-12-01"));
  QCOMPARE(data.windyLandscape, std::string("yes"));
  QCOMPARE(data.b, 16);
}

void MainDataDialogTest::prefillFromTheCadSideAndStornoKeepsTheData() {
  test::TestApp t;
  std::string ini;
  for (int n = 1; n <= 12; ++n) ini += "line " + std::to_string(n) + "\r\n";
  QVERIFY(WriteFileAtomically(t.root / "Tmp" / "epc_pr1.ini", ini));
  {
    ui::MainDataDialog dialog(*t.app);
    QCOMPARE(test::Child<QLineEdit>(&dialog, "preparedByEdit")->text(), QString("line 3"));
    QCOMPARE(test::Child<QLineEdit>(&dialog, "buildingName2Edit")->text(), QString("line 5"));
    QCOMPARE(test::Child<QLineEdit>(&dialog, "registrationEdit")->text(), QString("line 12"));
    dialog.reject();
  }
  QVERIFY(t.app->project().building.preparedBy.empty());

  // A project with a registration number is never prefilled.
  t.app->project().building.registrationNumber = "mine";
  ui::MainDataDialog dialog(*t.app);
  QCOMPARE(test::Child<QLineEdit>(&dialog, "preparedByEdit")->text(), QString());
  QVERIFY(t.messenger.messages().empty());
}

QTEST_MAIN(MainDataDialogTest)
#include "main_data_dialog_test.moc"
