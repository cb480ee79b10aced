// The table editor's window: the records of one dBase table in a grid, with
// adding, inserting, deleting and atomic saving. The installation starts it
// through the launchers Ptab_CZ and Ptab_EN with the table's path.
#pragma once

#include <QMainWindow>
#include <filesystem>
#include <memory>

#include "platform/messenger.h"
#include "ui/table_editor/editor_texts.h"
#include "ui/table_editor/table_model.h"

class QAction;
class QCloseEvent;
class QTableView;

namespace kvem::ui {

class TableEditorWindow : public QMainWindow {
  Q_OBJECT

 public:
  // Messages go to `messenger`; without one, to message boxes over the window.
  explicit TableEditorWindow(const EditorTexts& texts, Messenger* messenger = nullptr,
                             QWidget* parent = nullptr);
  ~TableEditorWindow() override;

  bool OpenTable(const std::filesystem::path& file);
  bool SaveTable();

  DbfTableModel& model() { return model_; }
  QTableView* view() const { return view_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  class CellDelegate;

  void CreateActions();
  void UpdateTitle();
  void UpdateActions();
  void ChooseAndOpen();
  void ChooseAndSaveAs();
  void AddRow();
  void InsertRow();
  void DeleteRows();
  void ShowRefusal(int record, int field, const QString& reason);
  void ShowFieldOfCurrentCell();
  void SizeColumns();
  // Asks about unsaved changes; false when the user cancels.
  bool MayDiscardChanges();

  const EditorTexts& texts_;
  std::unique_ptr<Messenger> ownMessenger_;
  Messenger* messenger_;
  DbfTableModel model_;
  QTableView* view_;
  CellDelegate* delegate_ = nullptr;
  QAction* saveAction_ = nullptr;
  QAction* saveAsAction_ = nullptr;
  QAction* addAction_ = nullptr;
  QAction* insertAction_ = nullptr;
  QAction* deleteAction_ = nullptr;
};

}  // namespace kvem::ui
