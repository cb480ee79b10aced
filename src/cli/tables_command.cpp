// kvem-cli dbf show/build: dBase tables without a dBase tool; kvem-cli
// handover: the heat loss of a project handed into the drawing's room table.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli_common.h"
#include "platform/encoding.h"
#include "tables/dbf.h"
#include "tables/dbf_source.h"

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

}  // namespace

void AddTablesCommand(CLI::App& app, Globals& globals) {
  AddDbfCommand(app, globals);
}

}  // namespace kvem::cli
