#include "ui/table_editor/editor_texts.h"

#include "platform/encoding.h"

namespace kvem::ui {

namespace {

EditorTexts English() {
  EditorTexts t;
  t.title = QStringLiteral("%1 - Kvem table editor");
  t.untitled = QStringLiteral("(no table)");
  t.caption = QStringLiteral("Kvem - table editor");
  t.fileMenu = QStringLiteral("&File");
  t.editMenu = QStringLiteral("&Edit");
  t.open = QStringLiteral("&Open...");
  t.save = QStringLiteral("&Save");
  t.saveAs = QStringLiteral("Save &as...");
  t.quit = QStringLiteral("&Quit");
  t.addRow = QStringLiteral("&Add row");
  t.insertRow = QStringLiteral("&Insert row");
  t.deleteRows = QStringLiteral("&Delete rows");
  t.openFilter = QStringLiteral("dBase tables (*.dbf *.DBF);;All files (*)");
  t.refused = QStringLiteral("The value does not fit row %1, field %2:\n%3");
  t.unsaved = QStringLiteral("The table %1 has changes that are not saved.\nSave them?");
  t.deleteQuestion = QStringLiteral("Delete %1 row(s)?");
  t.saved = QStringLiteral("Saved, %1 records.");
  t.fieldStatus = QStringLiteral("Field %1");
  return t;
}

EditorTexts Czech() {
  EditorTexts t;
  t.title = QStringLiteral("%1 - Kvem editor tabulek");
  t.untitled = QStringLiteral("(bez tabulky)");
  t.caption = QStringLiteral("Kvem - editor tabulek");
  t.fileMenu = QStringLiteral("&Soubor");
  t.editMenu = QStringLiteral("Úp&ravy");
  t.open = QStringLiteral("&Otevřít...");
  t.save = QStringLiteral("&Uložit");
  t.saveAs = QStringLiteral("Uložit &jako...");
  t.quit = QStringLiteral("&Konec");
  t.addRow = QStringLiteral("&Přidat řádek");
  t.insertRow = QStringLiteral("&Vložit řádek");
  t.deleteRows = QStringLiteral("O&dstranit řádky");
  t.openFilter = QStringLiteral("Tabulky dBase (*.dbf *.DBF);;Všechny soubory (*)");
  t.refused = QStringLiteral("Hodnota se nevejde do řádku %1, pole %2:\n%3");
  t.unsaved = QStringLiteral("Tabulka %1 má neuložené změny.\nUložit je?");
  t.deleteQuestion = QStringLiteral("Odstranit %1 řádek/řádky?");
  t.saved = QStringLiteral("Uloženo, %1 záznamů.");
  t.fieldStatus = QStringLiteral("Pole %1");
  return t;
}

}  // namespace

const EditorTexts& TextsForLanguage(std::string_view suffix) {
  static const EditorTexts english = English();
  static const EditorTexts czech = Czech();
  return EqualsIgnoreCase(suffix, "CZ") ? czech : english;
}

}  // namespace kvem::ui
