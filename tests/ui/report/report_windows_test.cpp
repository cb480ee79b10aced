// The Results window (columns, formats, empty state, copying, the hand-over
// with its three-choice question) and the page setup, driven offscreen.
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>
#include <cstdlib>

#include "app/application.h"
#include "heatloss/heat_loss.h"
#include "project/project_file.h"
#include "support/test_support.h"
#include "tables/dbf.h"
#include "tables/handover.h"
#include "ui/common/message_box_messenger.h"
#include "ui/report/page_setup_dialog.h"
#include "ui/report/report_actions.h"
#include "ui/report/results_dialog.h"

using namespace kvem;

namespace {

// An application whose temporary and project folders are in `dir`, and whose
// drawing is "DUM" number 7.
std::unique_ptr<Application> MakeApp(const test::TempDir& dir, Messenger& messenger, char sep) {
  Settings settings = Settings::InMemory();
  settings.WriteMainForSetup(kPathTmp, dir.path().string());
  settings.WriteMainForSetup(kPathProject, (dir / "projects").string());
  test::WriteFile(dir / "epc_pr1.ini", "drawing\r\nC:\\x\r\nDUM\r\n");
  test::WriteFile(dir / "epc_pr2.ini", "drawing\r\n7\r\n");
  return std::make_unique<Application>(std::move(settings), messenger, sep);
}

void LoadHouse(Application& app) {
  RecordingMessenger quiet;
  QVERIFY(ReadProject(app.project(), test::ExamplesDir() / "family-house.kvm", '.', quiet));
  QVERIFY(CalculateHeatLoss(app.project(), test::TempDir().path(), quiet));
}

std::filesystem::path RoomTable(const test::TempDir& dir) {
  return dir / "projects" / "DUM" / "DUM_m007.dbf";
}

// Answers the next modal question by clicking the button whose text starts
// with `answer` (empty: presses Enter), remembering what the box offered.
struct ChoiceClicker {
  QString caption;
  QStringList buttons;
  QString defaultButton;

  void Arm(const QString& answer) {
    QTimer::singleShot(50, [this, answer] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) return Arm(answer);
      caption = box->windowTitle();
      for (QAbstractButton* b : box->buttons()) buttons << b->text();
      defaultButton = box->defaultButton() ? box->defaultButton()->text() : QString();
      for (QAbstractButton* b : box->buttons()) {
        if (!answer.isEmpty() && b->text().startsWith(answer)) return b->click();
      }
      QTest::keyClick(box, Qt::Key_Return);
    });
  }
};

}  // namespace

class ReportWindowsTest : public QObject {
  Q_OBJECT

 private slots:
  void resultsShowColumnsFormatsAndFields() {
    test::TempDir dir;
    RecordingMessenger messenger;
    auto app = MakeApp(dir, messenger, ',');
    LoadHouse(*app);
    ui::ResultsDialog dialog(*app);
    QCOMPARE(dialog.windowTitle(), QString("Kvem - Results"));
    QTableWidget* table = dialog.table();
    QCOMPARE(table->columnCount(), 14);
    QCOMPARE(table->horizontalHeaderItem(3)->text(), QString("Ti [°C] "));
    QCOMPARE(table->horizontalHeaderItem(13)->text(), QString("Temp.[°C]"));
    QVERIFY(table->columnWidth(6) >= 81);  // never narrower than the list's own widths
    QVERIFY(table->showGrid());
    QCOMPARE(table->selectionBehavior(), QAbstractItemView::SelectRows);
    QCOMPARE(table->rowCount(), app->project().building.roomCount - 1);
    QCOMPARE(table->item(0, 0)->text(), QString("1"));
    QCOMPARE(table->item(0, 1)->text(), QString::fromStdString(app->project().rooms[1].number));
    QVERIFY(table->item(0, 8)->text().contains(','));
    QVERIFY(!table->item(0, 8)->text().contains('.'));
    QVERIFY(table->item(0, 8)->textAlignment() & Qt::AlignRight);
    QCOMPARE(dialog.field(0)->text(), QString::fromStdString(app->project().building.projectName1));
    QVERIFY(dialog.field(3)->text().contains(','));
    QVERIFY(dialog.field(3)->isReadOnly());

    // Copying selected rows gives tab-separated text, headings first.
    table->selectRow(0);
    table->selectionModel()->select(table->model()->index(2, 0),
                                    QItemSelectionModel::Select | QItemSelectionModel::Rows);
    const QStringList lines = dialog.SelectedRowsText().split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 3);
    QCOMPARE(lines[0].split('\t').size(), 14);
    QCOMPARE(lines[0].split('\t')[0], QString("Order"));
    QCOMPARE(lines[2].split('\t')[0], QString("3"));
    table->setFocus();
    QTest::keySequence(table, QKeySequence::Copy);
    QCOMPARE(QApplication::clipboard()->text(), dialog.SelectedRowsText());

    // For the documentation: KVEM_SCREENSHOTS=folder saves the window as shown.
    if (const char* shots = std::getenv("KVEM_SCREENSHOTS")) {
      table->clearSelection();
      table->selectRow(2);
      dialog.show();
      QVERIFY(QTest::qWaitForWindowExposed(&dialog));
      QVERIFY(dialog.grab().save(QString::fromLocal8Bit(shots) + "/results-window.png"));
    }
  }

  void resultsEmptyStateShowsNothing() {
    test::TempDir dir;
    RecordingMessenger messenger;
    auto app = MakeApp(dir, messenger, '.');
    ui::ResultsDialog dialog(*app);
    QCOMPARE(dialog.table()->rowCount(), 0);
    QCOMPARE(dialog.table()->columnCount(), 14);
    for (int i = 0; i < 5; ++i) QVERIFY(dialog.field(i)->text().isEmpty());
    QVERIFY(dialog.SelectedRowsText().isEmpty());
    // Storno writes nothing.
    LoadHouse(*app);
    ui::ResultsDialog second(*app);
    second.reject();
    QVERIFY(!std::filesystem::exists(RoomTable(dir)));
  }

  void okHandsOverAndAsksWhenHeatersExist() {
    test::TempDir dir;
    ui::MessageBoxMessenger messenger;
    auto app = MakeApp(dir, messenger, ',');
    LoadHouse(*app);
    const int rooms = app->project().building.roomCount - 1;

    // No table yet: the drawing's table is made without a question.
    {
      ui::ResultsDialog dialog(*app);
      dialog.accept();
      QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }
    DbfTable table;
    RecordingMessenger quiet;
    QVERIFY(ReadDbfTable(RoomTable(dir), table, quiet));
    QCOMPARE(int(table.recordCount()), rooms);
    QCOMPARE(QString::fromStdString(table.Text(0, 4)).contains(','), false);

    // A heater record (empty field 1) makes OK ask how to go on.
    const std::size_t heater = table.AddRecord();
    table.SetText(heater, 2, "heater");
    QVERIFY(WriteDbfTable(RoomTable(dir), table, quiet));
    const std::string before = test::ReadFile(RoomTable(dir));

    ChoiceClicker clicker;
    clicker.Arm(QString());  // Enter: the preselected " Without changes (no save)"
    {
      ui::ResultsDialog dialog(*app);
      dialog.accept();
    }
    QCOMPARE(clicker.caption, QString("Kvem - How to Go On"));
    QCOMPARE(clicker.buttons.size(), 3);
    QCOMPARE(clicker.defaultButton, QString(" Without changes (no save)"));
    QCOMPARE(test::ReadFile(RoomTable(dir)), before);

    ChoiceClicker overwrite;
    overwrite.Arm("Overwrite &all");
    {
      ui::ResultsDialog dialog(*app);
      dialog.accept();
    }
    QVERIFY(ReadDbfTable(RoomTable(dir), table, quiet));
    QCOMPARE(int(table.recordCount()), rooms);
  }

  // The window keeps its print settings; the preview paints the planned pages.
  void previewShowsThePlannedPages() {
    test::TempDir dir;
    RecordingMessenger messenger;
    auto app = MakeApp(dir, messenger, '.');
    LoadHouse(*app);
    QWidget window;
    ui::ReportState& state = ui::ReportStateOf(&window);
    QCOMPARE(&ui::ReportStateOf(&window), &state);
    QCOMPARE(state.settings.topMargin, 20);
    state.settings.kind = report::ReportKind::InputData;

    int pages = -1;
    QString title;
    QTimer::singleShot(100, [&] {
      QWidget* modal = QApplication::activeModalWidget();
      if (!modal) return;
      title = modal->windowTitle();
      if (auto* preview = modal->findChild<QPrintPreviewWidget*>()) pages = preview->pageCount();
      modal->close();
    });
    ui::PreviewReport(*app, &window);
    QCOMPARE(title, QString("Kvem - Preview"));
    report::PagePlan plan;
    QVERIFY(report::MakePagePlan(app->project(), state.settings, report::kA4, report::LineHeights{},
                                 plan, messenger));
    QCOMPARE(pages, plan.PageCount());
    QVERIFY(messenger.messages().empty());
  }

  void pageSetupStoresOrRefuses() {
    RecordingMessenger messenger;
    report::PrintSettings settings;
    {
      ui::PageSetupDialog dialog(settings, report::kA4, messenger);
      QCOMPARE(dialog.windowTitle(), QString("Kvem - Page Setup"));
      QCOMPARE(dialog.margin(0)->currentText(), QString("20"));
      QCOMPARE(dialog.margin(0)->count(), 8);
      QCOMPARE(dialog.margin(0)->itemText(7), QString("50"));
      QVERIFY(dialog.resultsButton()->isChecked());
      QTest::keyClicks(dialog.margin(1)->lineEdit(), "12345");
      QCOMPARE(dialog.margin(1)->currentText().size(), 3);
      dialog.margin(0)->setCurrentIndex(0);
      dialog.margin(1)->setEditText("7x");
      dialog.margin(2)->setEditText("abc");
      dialog.inputDataButton()->setChecked(true);
      dialog.accept();
      QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }
    QCOMPARE(settings.topMargin, 5);
    QCOMPARE(settings.leftMargin, 7);
    QCOMPARE(settings.rightMargin, 0);
    QCOMPARE(settings.kind, report::ReportKind::InputData);

    // Storno, and margins that leave no room, change nothing.
    const report::PrintSettings kept = settings;
    {
      ui::PageSetupDialog dialog(settings, report::kA4, messenger);
      dialog.margin(0)->setEditText("150");
      dialog.margin(3)->setEditText("150");
      dialog.accept();
      QVERIFY(dialog.isVisible() || dialog.result() != QDialog::Accepted);
      QCOMPARE(messenger.messages().size(), std::size_t(1));
      dialog.reject();
    }
    QCOMPARE(settings.topMargin, kept.topMargin);
    QCOMPARE(settings.bottomMargin, kept.bottomMargin);
  }
};

QTEST_MAIN(ReportWindowsTest)
#include "report_windows_test.moc"
