// kvem-table-editor: edits any dBase table of Kvem (standard values, product
// catalogues, room tables). With a table and no editing option it opens the
// window; with --set, --delete or --add it changes the table without one.
#include <QApplication>
#include <QCommandLineParser>
#include <QStringList>
#include <cstdio>
#include <filesystem>

#include "ui/table_editor/batch_edit.h"
#include "ui/table_editor/editor_texts.h"
#include "ui/table_editor/table_editor_window.h"

namespace {

std::vector<std::string> ToStd(const QStringList& list) {
  std::vector<std::string> out;
  for (const QString& s : list) out.push_back(s.toStdString());
  return out;
}

}  // namespace

int main(int argc, char* argv[]) {
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);

  QCommandLineParser parser;
  parser.setApplicationDescription(
      "Edits a dBase III table of Kvem. With TABLE alone the editor window opens on it; "
      "with --set, --delete or --add the table is changed and saved without a window "
      "(sets first, then deletes, then adds; nothing is saved when one change is refused). "
      "Every value is checked against its field: a text too long for its field or a "
      "number that does not fit is refused, never cut. Saving replaces the file atomically "
      "and keeps its fields.");
  parser.addHelpOption();
  parser.addPositionalArgument("TABLE", "The table (.dbf) to edit.", "[TABLE]");
  QCommandLineOption language("language", "Texts of the editor: CZ or EN (default EN).", "SUFFIX",
                              "EN");
  QCommandLineOption set("set",
                         "Set a field: ROW,FIELD=VALUE (ROW from 1, FIELD a number from 1 "
                         "or a field name). Repeatable.",
                         "ROW,FIELD=VALUE");
  QCommandLineOption remove("delete",
                            "Delete row ROW (from 1, numbered as before any delete). "
                            "Repeatable.",
                            "ROW");
  QCommandLineOption add("add",
                         "Append a record given as one CSV line of field values in field "
                         "order (missing trailing fields stay empty). Repeatable.",
                         "CSV");
  parser.addOption(language);
  parser.addOption(set);
  parser.addOption(remove);
  parser.addOption(add);

  if (!parser.parse(arguments)) {
    std::fprintf(stderr, "kvem-table-editor: %s\n", qPrintable(parser.errorText()));
    return 2;
  }
  if (parser.isSet("help")) {
    // No application object exists yet, so the parser cannot know the program's name.
    QString help = parser.helpText();
    help.replace(QStringLiteral("<executable_name>"), QStringLiteral("kvem-table-editor"));
    std::fputs(qPrintable(help), stdout);
    return 0;
  }
  const QStringList positional = parser.positionalArguments();
  if (positional.size() > 1) {
    std::fputs("kvem-table-editor: give one table at most\n", stderr);
    return 2;
  }
  const kvem::ui::EditorTexts& texts =
      kvem::ui::TextsForLanguage(parser.value(language).toStdString());

  kvem::ui::BatchEdits edits;
  edits.sets = ToStd(parser.values(set));
  edits.deletes = ToStd(parser.values(remove));
  edits.adds = ToStd(parser.values(add));
  if (!edits.empty()) {
    if (positional.isEmpty()) {
      std::fputs("kvem-table-editor: --set, --delete and --add need a TABLE\n", stderr);
      return 2;
    }
    kvem::StreamMessenger messenger(stderr);
    kvem::ui::DbfTableModel model;
    if (!model.Load(std::filesystem::path(positional.first().toStdString()), messenger)) return 1;
    return kvem::ui::ApplyBatchEdits(model, edits, messenger, texts.caption.toStdString()) ? 0 : 1;
  }

  QApplication app(argc, argv);
  app.setApplicationName("kvem-table-editor");
  kvem::ui::TableEditorWindow window(texts);
  window.show();
  if (!positional.isEmpty()) {
    // A table that cannot be read has been reported; the window stays for another.
    window.OpenTable(std::filesystem::path(positional.first().toStdString()));
  }
  return app.exec();
}
