// The table editor's own texts in the two language versions of the
// installation ("CZ" and "EN"); the launcher of each version says which.
#pragma once

#include <QString>
#include <string_view>

namespace kvem::ui {

struct EditorTexts {
  QString title;     // window title; %1 = file name
  QString untitled;  // title part without a table
  QString caption;   // caption of the editor's messages
  QString fileMenu, editMenu;
  QString open, save, saveAs, quit;
  QString addRow, insertRow, deleteRows;
  QString openFilter;      // file dialog filter
  QString refused;         // %1 row, %2 field, %3 reason
  QString unsaved;         // %1 file name
  QString deleteQuestion;  // %1 number of rows
  QString saved;           // status bar; %1 records
  QString fieldStatus;     // status bar; %1 field description
};

// "CZ" (any case) gives the Czech texts, everything else the English ones.
const EditorTexts& TextsForLanguage(std::string_view suffix);

}  // namespace kvem::ui
