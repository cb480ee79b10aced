#include "ui/table_editor/table_editor_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeySequence>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QStatusBar>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QToolBar>
#include <algorithm>
#include <set>

#include "ui/common/message_box_messenger.h"

namespace kvem::ui {

// Remembers the editor the grid has open, so a save can take its text first.
class TableEditorWindow::CellDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override {
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    openEditor_ = editor;
    return editor;
  }
  void destroyEditor(QWidget* editor, const QModelIndex& index) const override {
    if (openEditor_ == editor) openEditor_ = nullptr;
    QStyledItemDelegate::destroyEditor(editor, index);
  }
  QWidget* openEditor() const { return openEditor_; }

 private:
  mutable QPointer<QWidget> openEditor_;
};

TableEditorWindow::TableEditorWindow(const EditorTexts& texts, Messenger* messenger,
                                     QWidget* parent)
    : QMainWindow(parent), texts_(texts), view_(new QTableView(this)) {
  if (messenger) {
    messenger_ = messenger;
  } else {
    ownMessenger_ = std::make_unique<MessageBoxMessenger>(this);
    messenger_ = ownMessenger_.get();
  }
  view_->setObjectName("recordsView");
  view_->setModel(&model_);
  delegate_ = new CellDelegate(view_);
  view_->setItemDelegate(delegate_);
  view_->setSelectionBehavior(QAbstractItemView::SelectItems);
  view_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                         QAbstractItemView::AnyKeyPressed);
  view_->horizontalHeader()->setHighlightSections(true);
  setCentralWidget(view_);
  CreateActions();

  connect(&model_, &DbfTableModel::valueRefused, this, &TableEditorWindow::ShowRefusal);
  connect(&model_, &DbfTableModel::modifiedChanged, this, [this] { UpdateTitle(); });
  connect(view_->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this] { ShowFieldOfCurrentCell(); });
  UpdateTitle();
  UpdateActions();
  resize(900, 600);
}

TableEditorWindow::~TableEditorWindow() = default;

void TableEditorWindow::CreateActions() {
  QMenu* file = menuBar()->addMenu(texts_.fileMenu);
  QMenu* edit = menuBar()->addMenu(texts_.editMenu);
  QToolBar* bar = addToolBar(texts_.fileMenu);
  bar->setObjectName("toolBar");

  QAction* open = file->addAction(texts_.open, this, &TableEditorWindow::ChooseAndOpen);
  open->setObjectName("openAction");
  open->setShortcut(QKeySequence::Open);
  saveAction_ = file->addAction(texts_.save, this, [this] { SaveTable(); });
  saveAction_->setObjectName("saveAction");
  saveAction_->setShortcut(QKeySequence::Save);
  saveAsAction_ = file->addAction(texts_.saveAs, this, &TableEditorWindow::ChooseAndSaveAs);
  saveAsAction_->setObjectName("saveAsAction");
  file->addSeparator();
  QAction* quit = file->addAction(texts_.quit, this, &QWidget::close);
  quit->setShortcut(QKeySequence::Quit);

  addAction_ = edit->addAction(texts_.addRow, this, &TableEditorWindow::AddRow);
  addAction_->setObjectName("addRowAction");
  insertAction_ = edit->addAction(texts_.insertRow, this, &TableEditorWindow::InsertRow);
  insertAction_->setObjectName("insertRowAction");
  insertAction_->setShortcut(Qt::CTRL | Qt::Key_Insert);
  deleteAction_ = edit->addAction(texts_.deleteRows, this, &TableEditorWindow::DeleteRows);
  deleteAction_->setObjectName("deleteRowsAction");
  deleteAction_->setShortcut(Qt::CTRL | Qt::Key_Delete);

  bar->addAction(open);
  bar->addAction(saveAction_);
  bar->addSeparator();
  bar->addAction(addAction_);
  bar->addAction(insertAction_);
  bar->addAction(deleteAction_);
}

bool TableEditorWindow::OpenTable(const std::filesystem::path& file) {
  if (!model_.Load(file, *messenger_)) return false;
  SizeColumns();
  UpdateTitle();
  UpdateActions();
  if (model_.rowCount() > 0) view_->setCurrentIndex(model_.index(0, 0));
  return true;
}

bool TableEditorWindow::SaveTable() {
  // A cell still being edited belongs to the save.
  if (QWidget* editor = delegate_->openEditor()) {
    emit delegate_->commitData(editor);
    emit delegate_->closeEditor(editor);
  }
  if (!model_.Save(*messenger_)) return false;
  statusBar()->showMessage(texts_.saved.arg(model_.rowCount()), 5000);
  UpdateTitle();
  return true;
}

void TableEditorWindow::closeEvent(QCloseEvent* event) {
  if (MayDiscardChanges()) {
    event->accept();
  } else {
    event->ignore();
  }
}

bool TableEditorWindow::MayDiscardChanges() {
  if (!model_.isModified()) return true;
  const QString name = QString::fromStdString(model_.path().filename().string());
  const auto answer = QMessageBox::question(
      this, texts_.caption, texts_.unsaved.arg(name),
      QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
  if (answer == QMessageBox::Save) return SaveTable();
  return answer == QMessageBox::Discard;
}

void TableEditorWindow::ChooseAndOpen() {
  if (!MayDiscardChanges()) return;
  const QString start =
      model_.isLoaded() ? QString::fromStdString(model_.path().parent_path().string()) : QString();
  const QString file = QFileDialog::getOpenFileName(this, texts_.open, start, texts_.openFilter);
  if (!file.isEmpty()) OpenTable(std::filesystem::path(file.toStdString()));
}

void TableEditorWindow::ChooseAndSaveAs() {
  if (!model_.isLoaded()) return;
  const QString file = QFileDialog::getSaveFileName(
      this, texts_.saveAs, QString::fromStdString(model_.path().string()), texts_.openFilter);
  if (file.isEmpty()) return;
  if (model_.SaveAs(std::filesystem::path(file.toStdString()), *messenger_)) {
    statusBar()->showMessage(texts_.saved.arg(model_.rowCount()), 5000);
    UpdateTitle();
  }
}

void TableEditorWindow::AddRow() {
  const int row = model_.AppendRecord();
  if (row < 0) return;
  view_->setCurrentIndex(model_.index(row, 0));
  view_->scrollTo(model_.index(row, 0));
}

void TableEditorWindow::InsertRow() {
  const QModelIndex current = view_->currentIndex();
  const int row = model_.InsertRecord(current.isValid() ? current.row() : 0);
  if (row >= 0) view_->setCurrentIndex(model_.index(row, std::max(current.column(), 0)));
}

void TableEditorWindow::DeleteRows() {
  std::set<int> rows;
  for (const QModelIndex& index : view_->selectionModel()->selectedIndexes())
    rows.insert(index.row());
  if (rows.empty() && view_->currentIndex().isValid()) rows.insert(view_->currentIndex().row());
  if (rows.empty()) return;
  if (!messenger_->Ask(texts_.deleteQuestion.arg(rows.size()).toStdString(),
                       texts_.caption.toStdString())) {
    return;
  }
  // From the bottom up, so the rows above keep their numbers.
  for (auto it = rows.rbegin(); it != rows.rend(); ++it) model_.RemoveRecords(*it, 1);
  UpdateActions();
}

void TableEditorWindow::ShowRefusal(int record, int field, const QString& reason) {
  const QString fieldName = DbfTableModel::FieldDescription(model_.table().field(field));
  messenger_->Show(texts_.refused.arg(record + 1).arg(fieldName, reason).toStdString(),
                   texts_.caption.toStdString(), Icon::Warning);
}

void TableEditorWindow::ShowFieldOfCurrentCell() {
  const QModelIndex current = view_->currentIndex();
  if (!current.isValid()) return;
  statusBar()->showMessage(texts_.fieldStatus.arg(
      DbfTableModel::FieldDescription(model_.table().field(current.column() + 1))));
}

void TableEditorWindow::SizeColumns() {
  const QFontMetrics metrics(view_->font());
  const int charWidth = metrics.horizontalAdvance(QLatin1Char('M'));
  for (int c = 0; c < model_.columnCount(); ++c) {
    const DbfField& f = model_.table().field(c + 1);
    const int chars = std::clamp(std::max<int>(f.length, static_cast<int>(f.name.size())), 4, 40);
    view_->setColumnWidth(c, chars * charWidth * 3 / 4 + 16);
  }
}

void TableEditorWindow::UpdateTitle() {
  const QString name = model_.isLoaded() ? QString::fromStdString(model_.path().filename().string())
                                         : texts_.untitled;
  setWindowTitle(texts_.title.arg(name) + (model_.isModified() ? QStringLiteral(" *") : QString()));
}

void TableEditorWindow::UpdateActions() {
  const bool loaded = model_.isLoaded();
  saveAction_->setEnabled(loaded);
  saveAsAction_->setEnabled(loaded);
  addAction_->setEnabled(loaded);
  insertAction_->setEnabled(loaded);
  deleteAction_->setEnabled(loaded);
}

}  // namespace kvem::ui
