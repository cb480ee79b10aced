// kvem-cli dbf show/build: dBase tables without a dBase tool; kvem-cli
// handover: the heat loss of a project handed into the drawing's room table.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli_common.h"
#include "heatloss/heat_loss.h"
#include "platform/encoding.h"
#include "project/project_file.h"
#include "tables/dbf.h"
#include "tables/dbf_source.h"
#include "tables/handover.h"
#include "tables/room_table.h"

namespace kvem::cli {
namespace {

struct DbfShowOptions {
  std::string table;
  bool csv = false;
};

struct DbfBuildOptions {
  std::string source;
  std::string output;
};

std::string PadRight(const std::string& text, std::size_t width) {
  const std::size_t length = Utf8Length(text);
  return length >= width ? text : text + std::string(width - length, ' ');
}

int RunDbfShow(const DbfShowOptions& options) {
  StreamMessenger messenger(stderr);
  DbfTable table;
  if (!ReadDbfTable(options.table, table, messenger)) return kExitUnreadable;
  if (options.csv) {
    std::fputs(FormatDbfSource(table).c_str(), stdout);
    return kExitOk;
  }
  std::printf("Table: %s\n", options.table.c_str());
  std::printf("Fields: %d, record length: %d, records: %zu\n\n", table.fieldCount(),
              table.recordLength(), table.recordCount());
  std::printf("  No.  Name         Type  Length  Decimals\n");
  for (int k = 1; k <= table.fieldCount(); ++k) {
    const DbfField& f = table.field(k);
    std::printf("  %3d  %s  %c     %6d  %8d\n", k, PadRight(f.name, 11).c_str(), f.type, f.length,
                f.decimals);
  }
  if (table.recordCount() == 0) return kExitOk;

  // Records as columns, each as wide as its longest text or its field name.
  const std::size_t n = static_cast<std::size_t>(table.fieldCount());
  std::vector<std::size_t> widths(n);
  for (std::size_t k = 0; k < n; ++k) {
    widths[k] = Utf8Length(table.fields()[k].name);
    for (const DbfRecord& r : table.records()) {
      if (k < r.size()) widths[k] = std::max(widths[k], Utf8Length(r[k]));
    }
  }
  const std::size_t numberWidth =
      std::max<std::size_t>(3, std::to_string(table.recordCount()).size());
  auto printLine = [&](const std::string& first, auto text) {
    std::string line = std::string(numberWidth - std::min(numberWidth, first.size()), ' ') + first;
    for (std::size_t k = 0; k < n; ++k) line += " | " + PadRight(text(k), widths[k]);
    while (!line.empty() && line.back() == ' ') line.pop_back();
    std::printf("%s\n", line.c_str());
  };
  std::printf("\n");
  printLine("No.", [&](std::size_t k) { return table.fields()[k].name; });
  for (std::size_t r = 0; r < table.recordCount(); ++r) {
    printLine(std::to_string(r + 1),
              [&](std::size_t k) { return table.Text(r, static_cast<int>(k + 1)); });
  }
  return kExitOk;
}

int RunDbfBuild(const DbfBuildOptions& options) {
  StreamMessenger messenger(stderr);
  DbfTable table;
  if (!ReadDbfSource(options.source, table, messenger)) return kExitUnreadable;
  if (!WriteDbfTable(options.output, table, messenger)) return kExitStopped;
  std::printf("%s: %d fields, %zu records\n", options.output.c_str(), table.fieldCount(),
              table.recordCount());
  return kExitOk;
}

void AddDbfCommand(CLI::App& app, Globals& globals) {
  CLI::App* dbf =
      app.add_subcommand("dbf", "Show a dBase table or build one from its text source.");
  dbf->require_subcommand(1);

  auto show = std::make_shared<DbfShowOptions>();
  CLI::App* showCmd = dbf->add_subcommand(
      "show",
      "Print a dBase III table: its fields (name, type, length, decimals) and every record, "
      "field texts as Kvem reads them (trailing blanks removed, UTF-8). Exit status: 0 shown, "
      "2 the table cannot be read or its header is damaged.");
  showCmd->add_option("TABLE", show->table, "dBase table (*.dbf)")->required();
  showCmd->add_flag("--csv", show->csv,
                    "Print the table as a text source that \"dbf build\" turns back into the "
                    "same table (field line NAME:TYPE:LENGTH:DECIMALS, then CSV records)");
  showCmd->callback([&globals, show] { globals.exitCode = RunDbfShow(*show); });

  auto build = std::make_shared<DbfBuildOptions>();
  CLI::App* buildCmd = dbf->add_subcommand(
      "build",
      "Build a dBase III table (Windows-1250) from a UTF-8 text source: lines starting with '#' "
      "are comments, the first other line lists the fields as NAME:TYPE:LENGTH:DECIMALS (type "
      "C, N, F, D or L), every following line is one record in RFC 4180 CSV, numbers with a "
      "decimal point. A record that does not fit its fields is refused with its line number "
      "and nothing is written. OUT is replaced atomically. Exit status: 0 built, 1 OUT cannot "
      "be written, 2 the source cannot be read or is malformed.");
  buildCmd->add_option("SOURCE", build->source, "Text source (*.csv)")->required();
  buildCmd->add_option("OUT", build->output, "Table to write (*.dbf)")->required();
  buildCmd->callback([&globals, build] { globals.exitCode = RunDbfBuild(*build); });
}

struct HandoverOptions {
  std::string projectFile;
  std::string choice;  // all, modifications, none; empty: as the window would without asking
  std::string tmpDir;
};

constexpr const char* kChoiceNames[] = {"all", "modifications", "none"};

int RunHandover(const Globals& globals, const HandoverOptions& options) {
  Run run(globals);
  Application& app = run.app();
  if (!ReadProject(app.project(), options.projectFile, app.decimalSeparator(), app.messenger())) {
    return kExitUnreadable;
  }
  const std::filesystem::path tmp =
      options.tmpDir.empty() ? app.TmpDirectory() : std::filesystem::path(options.tmpDir);
  if (!CalculateHeatLoss(app.project(), tmp, app.messenger())) return kExitStopped;

  const RoomTableLocation location = LocateRoomTable(app.settings(), app.messenger());
  std::printf("Room table: %s\n", location.path.string().c_str());
  if (options.choice.empty()) {
    // The window would ask; the batch tool does not guess when heaters would be lost.
    RecordingMessenger quiet;
    DbfTable table;
    if (ReadDbfTable(location.path, table, quiet) && HasHeaterRecords(table)) {
      app.messenger().Show(
          "The room table holds heater records, so say how to go on: --choice all (overwrite "
          "all: one record per room, the heater records are lost), --choice modifications (add "
          "only rooms whose number and name are not in the table yet) or --choice none (no "
          "save).",
          "Kvem - How to Go On", Icon::Question);
      return kExitStopped;
    }
  } else {
    for (int i = 0; i < 3; ++i) {
      if (options.choice == kChoiceNames[i]) run.messenger().SetChoice(i);
    }
  }

  HandoverOutcome outcome;
  if (!HandOverResults(app.project(), app.decimalSeparator(), location.path, location.complete,
                       app.messenger(), &outcome)) {
    return kExitStopped;
  }
  if (outcome.created) std::printf("Created the room table (it did not exist).\n");
  switch (outcome.choice) {
    case HandoverChoice::OverwriteAll:
      std::printf("Overwrote all: %zu room record(s).\n", outcome.written);
      break;
    case HandoverChoice::Modifications:
      std::printf("Modifications only: %zu room(s) added, %zu already in the table.\n",
                  outcome.written, outcome.kept);
      break;
    case HandoverChoice::WithoutChanges:
      std::printf("Without changes: nothing written.\n");
      break;
  }
  return kExitOk;
}

void AddHandoverCommand(CLI::App& app, Globals& globals) {
  auto options = std::make_shared<HandoverOptions>();
  CLI::App* cmd = app.add_subcommand(
      "handover",
      "Calculate the heat loss of a project and hand the rooms over into the drawing's room "
      "table, as OK in the Results window does: room number, name, Ti and total loss, \"NE\" in "
      "field 14. The table is PathProject/P/P_mNNN.dbf, P from line 3 of PathTmp/epc_pr1.ini, "
      "NNN from line 2 of epc_pr2.ini; when it does not exist (and both files name it), it is "
      "created with its folder. When the table holds heater records, --choice is needed. Exit "
      "status: 0 handed over (or nothing written with --choice none), 1 the calculation "
      "stopped, the table cannot be read or written, or --choice is missing, 2 the project "
      "cannot be read or a usage error.");
  cmd->add_option("PROJECT", options->projectFile, "Project file (*.kvm)")->required();
  cmd->add_option("--choice", options->choice,
                  "How to go on when the table holds heater records: all (overwrite all; the "
                  "heater records are lost), modifications (append only rooms whose number and "
                  "name are not in the table yet), none (write nothing). Without it, a table "
                  "without heater records is overwritten and one with them is refused")
      ->check(CLI::IsMember({"all", "modifications", "none"}));
  cmd->add_option("--tmp", options->tmpDir,
                  "Folder for the marker file \"Výsledek.out\" (default: the PathTmp setting)");
  cmd->callback([&globals, options] { globals.exitCode = RunHandover(globals, *options); });
}

}  // namespace

void AddTablesCommand(CLI::App& app, Globals& globals) {
  AddDbfCommand(app, globals);
  AddHandoverCommand(app, globals);
}

}  // namespace kvem::cli
