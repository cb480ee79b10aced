// kvem-cli label: the energy label of one record, evaluated as an engineer
// clicking through its pages gets it, and written as the printable HTML label.
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "cli/cli_common.h"
#include "label/label_evaluation.h"
#include "label/label_html.h"
#include "label/label_json.h"
#include "label/label_sheet.h"
#include "platform/numbers.h"

namespace kvem::cli {
namespace {

// This command group's own exit statuses.
constexpr int kLabelOk = 0;
constexpr int kLabelUnreadable = 1;

struct LabelOptions {
  std::string input;
  std::string output;
  std::string templateFile;
  std::string separator;
  bool csv = false;
  bool asStored = false;
};

bool Blank(const std::string& text) {
  return text.find_first_not_of(" \t\r\n") == std::string::npos;
}

// Pages 2, 3, 4 and 6 in the order an engineer clicks through them. A row
// counts as typed when any of Ai, Ui or bi holds something.
void Evaluate(LabelSheet& sheet, bool asStored) {
  sheet.ShowCharacteristics();
  sheet.ShowConstructions();
  if (!asStored) {
    for (int row = 0; row < kConstructionRows; ++row) {
      const auto& cells = sheet.data().constructions[static_cast<std::size_t>(row)];
      if (!Blank(cells[kCellAi]) || !Blank(cells[kCellUi]) || !Blank(cells[kCellBi])) {
        sheet.RecomputeRow(row);
      }
    }
  }
  sheet.ShowEnergyDemand();
  sheet.ShowLabel();
}

std::string CsvNumber(double value) {
  return std::isfinite(value) ? FormatDouble("%.17g", value) : std::string();
}

void PrintCsv(const LabelSheet& sheet) {
  std::string header =
      "av,h1,h2,suma,ht,evp,evv,ezs,evz,n,er,ev,evn,eva,rating_ok,sen,class,verdict";
  for (const char* prefix : {"a_", "hu_"}) {
    for (int k = 1; k <= kConstructionRows; ++k)
      header += "," + std::string(prefix) + std::to_string(k);
  }
  const EnStData& d = sheet.data();
  std::string line;
  for (double v : {d.aToV, d.h1, d.h2, d.sumA, d.ht, d.evp, d.evv, d.ezs, d.evz, d.n, d.er, d.ev,
                   d.evn, d.eva}) {
    line += CsvNumber(v) + ",";
  }
  const RatingOutcome outcome = sheet.label().outcome;
  if (outcome == RatingOutcome::Undefined) {
    line += ",,,";
  } else {
    line += std::string(outcome == RatingOutcome::Rated ? "1" : "0") + "," + CsvNumber(d.sen) +
            "," + std::string(1, ClassLetter(d.sen)) + "," + CsvField(sheet.label().verdict);
  }
  for (int cell : {kCellAi, kCellHu}) {
    for (const auto& row : d.constructions)
      line += "," + CsvField(row[static_cast<std::size_t>(cell)]);
  }
  std::printf("%s\n%s\n", header.c_str(), line.c_str());
}

void PrintPages(const LabelSheet& sheet) {
  for (int page : {2, 3, 4, 6}) {
    for (const PageLine& line : sheet.PageLines(page)) {
      std::printf("%s: %s\n", line.caption.c_str(), line.text.c_str());
    }
  }
}

int RunLabel(const Globals& globals, const LabelOptions& options, bool html) {
  Run run(globals);
  Application& app = run.app();
  const char separator = options.separator.empty() ? app.decimalSeparator() : options.separator[0];
  EnergyLabelState& state = app.energyLabel();
  BuildingData& building = app.project().building;
  if (!ReadLabelJson(options.input, state.data, building, app.messenger())) return kLabelUnreadable;

  LabelSheet sheet(state.data, building, separator);
  Evaluate(sheet, options.asStored);
  if (sheet.label().outcome == RatingOutcome::Undefined) {
    app.messenger().Show(sheet.label().verdict, kLabelNoticeCaption, Icon::Warning);
  }
  if (!html) {
    if (options.csv) {
      PrintCsv(sheet);
    } else {
      PrintPages(sheet);
    }
    return kLabelOk;
  }
  const std::filesystem::path templatePath = options.templateFile;
  std::string writeError;
  if (!SaveLabelPage(state, building, app.MainPath(kPathMain), options.output, separator,
                     app.messenger(), nullptr, templatePath, &writeError)) {
    if (writeError.empty()) {
      const std::filesystem::path used =
          templatePath.empty() ? LabelTemplatePath(app.MainPath(kPathMain)) : templatePath;
      std::fprintf(stderr, "kvem-cli: the label template '%s' cannot be read\n", used.c_str());
    } else {
      std::fprintf(stderr, "kvem-cli: '%s' cannot be written: %s\n", options.output.c_str(),
                   writeError.c_str());
    }
    return kLabelUnreadable;
  }
  return kLabelOk;
}

void AddSeparatorOption(CLI::App* cmd, LabelOptions& options) {
  cmd->add_option("--decimal-separator", options.separator,
                  "Decimal separator of the numbers shown and written, \",\" or \".\" (default: "
                  "the separator of the locale named by LC_ALL, LC_NUMERIC or LANG)")
      ->check(CLI::IsMember({",", "."}));
}

}  // namespace

void AddLabelCommand(CLI::App& app, Globals& globals) {
  CLI::App* label = app.add_subcommand(
      "label",
      "The energy label of a building: evaluate a label record or write the printable HTML "
      "label. A record is a JSON file (UTF-8): {\"project\": {\"Te\", \"date\", "
      "\"prepared_by\"}, \"label\": {...}}; missing members take their start values.");
  label->require_subcommand(1);

  auto evaluate = std::make_shared<LabelOptions>();
  CLI::App* eval = label->add_subcommand(
      "evaluate",
      "Load a label record and show pages 2, 3, 4 and 6 of the label as an engineer clicking "
      "through them sees them: one line per field, \"caption: text\", with the pages' formats and "
      "the run's decimal separator. A construction row is computed when any of its Ai, Ui or bi "
      "cells is not blank. When V = 0, or Af = 0 on the per-m2 basis, the rating is not done and "
      "stderr says which value is missing. Exit status: 0 evaluated (a failed rating included), "
      "1 INPUT cannot be read or is not a label record, 2 usage error.");
  eval->add_option("INPUT", evaluate->input, "Label record (JSON)")->required();
  eval->add_flag("--csv", evaluate->csv,
                 "Print one CSV header line and one line of values instead (numbers %.17g with a "
                 "point; rating_ok, sen, class and verdict empty when the rating is not done; a "
                 "number without a finite value empty; a_k and hu_k the cell texts)");
  eval->add_flag("--as-stored", evaluate->asStored,
                 "Compute no construction row: keep the cells as stored (the totals are still "
                 "summed from them)");
  AddSeparatorOption(eval, *evaluate);
  eval->callback([&globals, evaluate] { globals.exitCode = RunLabel(globals, *evaluate, false); });

  auto html = std::make_shared<LabelOptions>();
  CLI::App* page = label->add_subcommand(
      "html",
      "Evaluate a label record as \"evaluate\" does, then write the printable label OUT.htm from "
      "the template (Windows-1250, one line) and copy the installed picture "
      "PathMain/Kvem/EnergetickyStitekObrazek.gif beside it as OUT with the extension \"gif\" (a "
      "failed copy is ignored). Opens no viewer. Values without a defined result are left empty. "
      "Exit status: 0 written, 1 INPUT cannot be read or is not a label record, or the template "
      "cannot be read (no page written), or OUT cannot be written; 2 usage error.");
  page->add_option("INPUT", html->input, "Label record (JSON)")->required();
  page->add_option("OUT", html->output, "The HTML page to write (e.g. EnergetickyStitekBudovy.htm)")
      ->required();
  page->add_option("--template", html->templateFile,
                   "Template to fill (default: PathMain/Kvem/EnergetickyStitekSablona.htm)");
  AddSeparatorOption(page, *html);
  page->callback([&globals, html] { globals.exitCode = RunLabel(globals, *html, true); });
}

}  // namespace kvem::cli
