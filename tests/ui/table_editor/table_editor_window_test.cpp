// The editor window offscreen: type into a cell of the grid, save, and find
// the new value in the file.
#include <QAction>
#include <QLineEdit>
#include <QTableView>
#include <QtTest>

#include "platform/messenger.h"
#include "tables/dbf.h"
#include "ui/table_editor/editor_texts.h"
#include "ui/table_editor/table_editor_window.h"

class TableEditorWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void editCellAndSave() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const std::filesystem::path path = dir.filePath("Kvem_TiOb.CZ.dbf").toStdString();
    kvem::DbfTable table;
    std::string why;
    QVERIFY(kvem::DbfTable::Create(
        {{"MISTNOST", 'C', 30, 0, 0}, {"TI", 'N', 3, 0, 0}, {"VLHKOST", 'N', 3, 0, 0}}, table,
        &why));
    table.AddRecord({"Obývací pokoj", "20", "60"});
    table.AddRecord({"Koupelna", "24", "90"});
    kvem::RecordingMessenger messenger;
    QVERIFY(kvem::WriteDbfTable(path, table, messenger));

    kvem::ui::TableEditorWindow window(kvem::ui::TextsForLanguage("CZ"), &messenger);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(window.OpenTable(path));
    QTableView* view = window.findChild<QTableView*>("recordsView");
    QVERIFY(view);
    QCOMPARE(view->model()->headerData(0, Qt::Horizontal).toString(), QString("MISTNOST"));
    QCOMPARE(view->model()->index(0, 0).data().toString(), QString("Obývací pokoj"));

    // Ti of the bathroom: select the cell, type over it, confirm with Enter.
    const QModelIndex cell = view->model()->index(1, 1);
    view->setFocus();
    view->setCurrentIndex(cell);
    view->edit(cell);
    auto* editor = view->viewport()->findChild<QLineEdit*>();
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClicks(editor, "25");
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_COMPARE(cell.data().toString(), QString("25"));
    QVERIFY(window.windowTitle().endsWith(" *"));

    QAction* save = window.findChild<QAction*>("saveAction");
    QVERIFY(save);
    save->trigger();
    QVERIFY(!window.windowTitle().endsWith(" *"));
    QCOMPARE(messenger.texts(), std::vector<std::string>{});

    kvem::DbfTable back;
    QVERIFY(kvem::ReadDbfTable(path, back, messenger));
    QCOMPARE(back.recordCount(), std::size_t{2});
    QCOMPARE(QString::fromStdString(back.Text(1, 2)), QString(" 25"));
    QCOMPARE(QString::fromStdString(back.Text(0, 1)), QString("Obývací pokoj"));
  }
};

QTEST_MAIN(TableEditorWindowTest)
#include "table_editor_window_test.moc"
