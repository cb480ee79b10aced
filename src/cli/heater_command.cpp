// kvem-cli heater output / heater select: the heater output model and the
// product selection, as the dialogs "Calculation for Modified Conditions" and
// "Select Products" compute them.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli_common.h"
#include "heaters/catalog.h"
#include "heaters/conditions_form.h"
#include "heaters/heater.h"
#include "heaters/selection.h"
#include "platform/encoding.h"
#include "platform/numbers.h"

namespace kvem::cli {
namespace {

// Command-line numbers are read with a decimal point whatever the locale, and
// must be numbers as a whole.
bool ReadNumber(const std::string& option, const std::string& text, double* value,
                Messenger& messenger) {
  const ParsedNumber parsed = ParseDecimal(text, '.');
  std::size_t end = parsed.consumed;
  while (end < text.size() && text[end] == ' ') ++end;
  if (parsed.consumed == 0 || end != text.size() || !std::isfinite(parsed.value)) {
    messenger.Show(option + ": \"" + text + "\" is not a number (write it with a decimal point)",
                   "kvem-cli", Icon::Stop);
    return false;
  }
  *value = parsed.value;
  return true;
}

bool ReadWhole(const std::string& option, const std::string& text, long* value,
               Messenger& messenger) {
  double number = 0.0;
  if (!ReadNumber(option, text, &number, messenger)) return false;
  if (number != std::floor(number) || std::fabs(number) > 2147483647.0) {
    messenger.Show(option + ": \"" + text + "\" is not a whole number", "kvem-cli", Icon::Stop);
    return false;
  }
  *value = static_cast<long>(number);
  return true;
}

std::string Exact(double value) {
  return FormatDouble("%.17g", value);
}

// --- heater output ---------------------------------------------------------------

struct OutputOptions {
  std::string q, n, tw = "70", tr = "55", ti = "20";
  std::string connection = "1", position = "1", coverage = "2";
  std::string elements;  // empty: the catalogue output is that of the whole heater
  std::string carrier = "1.0";
  bool csv = false;
};

void PrintRows(const std::vector<std::pair<std::string, std::string>>& rows) {
  std::size_t width = 0;
  for (const auto& [caption, value] : rows) width = std::max(width, Utf8Length(caption));
  for (const auto& [caption, value] : rows) {
    std::printf("%s%s  %s\n", caption.c_str(),
                std::string(width - Utf8Length(caption), ' ').c_str(), value.c_str());
  }
}

int RunOutput(const Globals& globals, const OutputOptions& o) {
  Run run(globals);
  Messenger& messenger = run.app().messenger();
  const char sep = run.app().decimalSeparator();

  double q = 0, n = 0, carrier = 1;
  long connection = 1, position = 1, coverage = 2, elements = 1;
  COtopneTeleso record;
  if (!ReadNumber("--q", o.q, &q, messenger) || !ReadNumber("--n", o.n, &n, messenger) ||
      !ReadNumber("--tw", o.tw, &record.tw, messenger) ||
      !ReadNumber("--tr", o.tr, &record.tr, messenger) ||
      !ReadNumber("--ti", o.ti, &record.ti, messenger) ||
      !ReadWhole("--connection", o.connection, &connection, messenger) ||
      !ReadWhole("--position", o.position, &position, messenger) ||
      !ReadWhole("--coverage", o.coverage, &coverage, messenger) ||
      !ReadNumber("--carrier", o.carrier, &carrier, messenger) ||
      (!o.elements.empty() && !ReadWhole("--elements", o.elements, &elements, messenger))) {
    return kExitUnreadable;
  }
  const bool sectional = !o.elements.empty();

  if (o.csv) {
    std::printf(
        "tm,delta,dtln,f_connection,f_position,f_coverage,f_temperature,f_massflow,f_elements,"
        "f_carrier,overall,output\n");
    std::fflush(stdout);
  }

  std::string problem = VariantProblem(connection, position, coverage);
  if (problem.empty() && q < 0.0) {
    problem = "Catalogue output Q " + FormatDouble("%g", q) + " W is negative.";
  }
  if (problem.empty() && carrier < 0.0) {
    problem = "Type of heat carrier: coefficient " + FormatDouble("%g", carrier) + " is negative.";
  }
  record.exponent = n;
  if (problem.empty()) problem = RecomputeCoefficients(record);
  if (!problem.empty()) {
    messenger.Show(problem, kModelErrorCaption, Icon::Warning);
    return kExitStopped;
  }

  // The dialog opened on this record, with the heater type locked to it.
  record.kind = sectional ? kKindSectional : kKindPanel;
  ModifiedConditionsForm form(record, true);
  form.SetConnection(connection, messenger);
  form.SetPosition(position, messenger);
  form.SetCoverage(coverage, messenger);
  form.SetCarrierCoefficient(carrier);
  if (sectional) {
    form.SetElements(elements);
    form.RecalculateElements();
    if (elements < kMinElements || elements > kMaxElements) {
      messenger.Show(
          "Number of elements " + std::to_string(elements) +
              " is outside 3 to 30: the elements coefficient is 0, and so is the output.",
          "Kvem - notice", Icon::Warning);
    }
  }
  const COtopneTeleso& r = form.record();
  const double overall = form.Overall();
  const double output = (sectional ? static_cast<double>(elements) * q : q) * overall;
  if (!std::isfinite(overall) || !std::isfinite(output)) {
    messenger.Show("The output is beyond the range of numbers; check Q, n and the coefficients.",
                   kModelErrorCaption, Icon::Warning);
    return kExitStopped;
  }

  const double dtln = LogMeanDifference(r.tw, r.tr, r.ti);
  if (o.csv) {
    std::printf("%s\n", (Exact(form.tm()) + "," + Exact(form.difference()) + "," + Exact(dtln) +
                         "," + Exact(r.fix) + "," + Exact(r.fip) + "," + Exact(r.fio) + "," +
                         Exact(r.temperatureCoefficient) + "," + Exact(r.massFlowCoefficient) +
                         "," + Exact(r.elementsCoefficient) + "," + Exact(r.carrierCoefficient) +
                         "," + Exact(overall) + "," + Exact(output))
                            .c_str());
    return kExitOk;
  }

  const auto f1 = [sep](double v) { return FormatDouble("%.1f", v, sep); };
  const auto f3 = [sep](double v) { return FormatDouble("%.3f", v, sep); };
  std::vector<std::pair<std::string, std::string>> rows = {
      {"Inlet [°C]", f1(form.t1())},
      {"mean [°C]", f1(form.tm())},
      {"Outlet [°C]", f1(form.t2())},
      {"Difference inlet - outlet [K]", f1(form.difference())},
      {"Indoor temperature Ti [°C]", f1(form.ti())},
      {"logarithmic mean difference [K]", f1(dtln)},
      {"nominal temperature difference [K]", f1(form.dtn())},
      {"exponent n", FormatDouble("%.4f", r.exponent, sep)},
      {"heater type", PlainCaption(kHeaterTypeCaptions[form.heaterType()])},
  };
  for (const auto& row : form.Rows()) rows.emplace_back(PlainCaption(row.caption), f3(row.value));
  rows.emplace_back(sectional ? "catalogue output Q per element [W]" : "catalogue output Q [W]",
                    f1(q));
  if (sectional) rows.emplace_back("number of elements", std::to_string(elements));
  rows.emplace_back("output [W]", f1(output));
  PrintRows(rows);
  return kExitOk;
}

// --- heater select --------------------------------------------------------------------

struct SelectOptions {
  std::string table;
  std::string loss;
  std::string ti = "20", tw = "70", tr = "55";
  std::string connection = "1", position = "1", coverage = "2";
  std::string length = "0 <= x < 3000", width = "off", height = "off";
  std::string rows;
  std::string heaters = "1", elements = "1";
  bool identical = false;
  bool csv = false;
};

bool ReadRows(const std::string& text, std::vector<long>* rows, Messenger& messenger) {
  rows->clear();
  if (text.empty()) return true;
  std::size_t pos = 0;
  while (pos <= text.size()) {
    std::size_t comma = text.find(',', pos);
    if (comma == std::string::npos) comma = text.size();
    long row = 0;
    if (!ReadWhole("--rows", text.substr(pos, comma - pos), &row, messenger)) return false;
    rows->push_back(row);
    pos = comma + 1;
  }
  return true;
}

int RunSelect(const Globals& globals, const SelectOptions& o) {
  Run run(globals);
  Messenger& messenger = run.app().messenger();
  const char sep = run.app().decimalSeparator();

  COtopneTeleso record;
  double loss = 0;
  long connection = 1, position = 1, coverage = 2, heaters = 1, elements = 1;
  std::vector<long> rows;
  DimensionFilters filters;
  std::string why;
  if (!ReadNumber("--loss", o.loss, &loss, messenger) ||
      !ReadNumber("--ti", o.ti, &record.ti, messenger) ||
      !ReadNumber("--tw", o.tw, &record.tw, messenger) ||
      !ReadNumber("--tr", o.tr, &record.tr, messenger) ||
      !ReadWhole("--connection", o.connection, &connection, messenger) ||
      !ReadWhole("--position", o.position, &position, messenger) ||
      !ReadWhole("--coverage", o.coverage, &coverage, messenger) ||
      !ReadWhole("--heaters", o.heaters, &heaters, messenger) ||
      !ReadWhole("--elements", o.elements, &elements, messenger) ||
      !ReadRows(o.rows, &rows, messenger)) {
    return kExitUnreadable;
  }
  for (auto [option, text, filter] : {std::tuple{"--length", &o.length, &filters.length},
                                      std::tuple{"--width", &o.width, &filters.width},
                                      std::tuple{"--height", &o.height, &filters.height}}) {
    if (!ParseFilterExpression(*text, filter, &why)) {
      messenger.Show(std::string(option) + ": " + why, "kvem-cli", Icon::Stop);
      return kExitUnreadable;
    }
  }

  if (o.csv) {
    std::printf("listed,covered,heaters,elements,overall,not_covered,still_needed,reserve,next\n");
    std::fflush(stdout);
  }
  std::string problem = VariantProblem(connection, position, coverage);
  if (!problem.empty()) {
    messenger.Show(problem, kModelErrorCaption, Icon::Warning);
    return kExitStopped;
  }
  // A fresh record at these conditions, its variants set as their dialogs do.
  ModifiedConditionsForm conditions(record);
  conditions.SetConnection(connection, messenger);
  conditions.SetPosition(position, messenger);
  conditions.SetCoverage(coverage, messenger);

  ProductSelection selection(conditions.record(), loss);
  selection.InitialiseControls(heaters, elements, o.identical, false);
  if (!selection.Open(o.table, filters, messenger)) return kExitStopped;

  std::vector<std::size_t> selected;
  for (long row : rows) {
    if (row < 1 || static_cast<std::size_t>(row) > selection.products().size()) {
      messenger.Show("--rows: row " + std::to_string(row) + " is not listed; " +
                         std::to_string(selection.products().size()) + " products are listed.",
                     "kvem-cli", Icon::Stop);
      return kExitUnreadable;
    }
    selected.push_back(static_cast<std::size_t>(row - 1));
  }
  if (!selected.empty()) selection.SetSelection(selected);

  const ProductList& products = selection.products();
  const long next = selection.NextRow();
  if (o.csv) {
    std::string listed;
    listed.reserve(products.size() * 7);
    for (std::size_t i = 0; i < products.size(); ++i) {
      if (i > 0) listed.push_back(' ');
      listed += std::to_string(products[i].record);
    }
    std::printf("%s,%s,%ld,%ld,%s,%s,%s,%s,%s\n", listed.c_str(),
                Exact(selection.covered()).c_str(), selection.heaters(), selection.elements(),
                Exact(selection.overall()).c_str(), Exact(selection.notCovered()).c_str(),
                Exact(selection.stillNeeded()).c_str(), Exact(selection.reserve()).c_str(),
                next < 0 ? "" : std::to_string(next + 1).c_str());
    return kExitOk;
  }

  // The grid: row number, a mark for selected rows, then the dialog's columns.
  std::vector<std::size_t> widths(ProductList::kColumnCount);
  for (int c = 0; c < ProductList::kColumnCount; ++c) {
    widths[c] = Utf8Length(kProductColumnHeadings[c]);
    for (std::size_t i = 0; i < products.size(); ++i) {
      widths[c] = std::max(widths[c], Utf8Length(products.Text(i, ProductList::Column(c))));
    }
  }
  const std::size_t rowWidth = std::to_string(products.size()).size();
  const auto printLine = [&](const std::string& row, auto cell) {
    std::string line = std::string(rowWidth - std::min(rowWidth, row.size()), ' ') + row;
    for (int c = 0; c < ProductList::kColumnCount; ++c) {
      const std::string text(cell(c));
      line += "  " + text + std::string(widths[c] - Utf8Length(text), ' ');
    }
    while (!line.empty() && line.back() == ' ') line.pop_back();
    std::printf("%s\n", line.c_str());
  };
  printLine(std::string(), [](int c) { return kProductColumnHeadings[c]; });
  const auto& chosen = selection.selectedRows();
  for (std::size_t i = 0; i < products.size(); ++i) {
    const bool mark = std::binary_search(chosen.begin(), chosen.end(), i);
    printLine((mark ? "*" : "") + std::to_string(i + 1),
              [&](int c) { return products.Text(i, ProductList::Column(c)); });
  }
  const auto f1 = [sep](double v) { return FormatDouble("%.1f", v, sep); };
  std::printf("\n");
  PrintRows({
      {"Ti [°C]", selection.TiText(sep)},
      {"Tin/Tout [°C]", selection.TemperaturesText(sep)},
      {"Loss [W]", f1(selection.loss())},
      {"Gain [W]", f1(selection.covered())},
      {"number of heaters", std::to_string(selection.heaters())},
      {"number of elements", std::to_string(selection.elements())},
      {"all heaters identical", selection.identical() ? "yes" : "no"},
      {"overall coefficient", FormatDouble("%.3f", selection.overall(), sep)},
      {"Not covered [W]", ProductSelection::BalanceText(selection.notCovered(), sep)},
      {"catalogue output still needed [W]",
       ProductSelection::BalanceText(selection.stillNeeded(), sep)},
      {"Reserve [W]", ProductSelection::BalanceText(selection.reserve(), sep)},
      {"next product (row)", next < 0 ? "none" : std::to_string(next + 1)},
  });
  return kExitOk;
}

}  // namespace

void AddHeaterCommand(CLI::App& app, Globals& globals) {
  CLI::App* heater = app.add_subcommand(
      "heater", "Heater output under modified conditions and the selection of heater products");
  heater->require_subcommand(1);

  auto out = std::make_shared<OutputOptions>();
  CLI::App* output = heater->add_subcommand(
      "output",
      "Correct a catalogue output (stated at 90/70/20 degC) for the conditions given, as the "
      "dialog \"Calculation for Modified Conditions\" does: output = Q x overall coefficient, or "
      "N x Q x overall coefficient with --elements N. Prints the dialog's rows with the decimal "
      "separator of your locale, or CSV with a decimal point. Numbers on the command line take a "
      "decimal point. Exit status: 0 computed (a number of elements outside 3 to 30 gives the "
      "elements coefficient 0 and a warning), 1 a variant out of range or temperatures the model "
      "has no meaning for (supply equal to return, supply or return at or below the indoor "
      "temperature), 2 a usage error.");
  output->add_option("--q", out->q, "Catalogue output Q in W (per element with --elements)")
      ->required();
  output->add_option("--n", out->n, "Exponent n of the product")->required();
  output->add_option("--tw", out->tw, "Supply (inlet) temperature in degC")->capture_default_str();
  output->add_option("--tr", out->tr, "Return (outlet) temperature in degC")->capture_default_str();
  output->add_option("--ti", out->ti, "Indoor temperature in degC")->capture_default_str();
  output->add_option("--connection", out->connection, "Method of connection, variant 1 to 5")
      ->capture_default_str();
  output->add_option("--position", out->position, "Position in the room, variant 1 to 3")
      ->capture_default_str();
  output->add_option("--coverage", out->coverage, "Method of coverage, variant 1 to 8")
      ->capture_default_str();
  output->add_option("--elements", out->elements,
                     "Number of elements N of a sectional heater: Q is per element and the "
                     "elements coefficient comes from N (0 outside 3 to 30)");
  output->add_option("--carrier", out->carrier, "Heat-carrier coefficient")->capture_default_str();
  output->add_flag("--csv", out->csv,
                   "Print one CSV header and one data line (%.17g, decimal point): "
                   "tm,delta,dtln,f_connection,f_position,f_coverage,f_temperature,f_massflow,"
                   "f_elements,f_carrier,overall,output");
  output->callback([&globals, out] { globals.exitCode = RunOutput(globals, *out); });

  auto sel = std::make_shared<SelectOptions>();
  CLI::App* select = heater->add_subcommand(
      "select",
      "Run \"Select Products\" once on a product table, as a freshly opened dialog does: list "
      "the products with Q > 0 that pass the dimension filters (table order), compute the output "
      "the selected rows cover under the conditions given, the balance against the loss and the "
      "row the next product pick would select. Numbers on the command line and in the table take "
      "a decimal point. Exit status: 0 done, 1 the table cannot be opened or its header is "
      "damaged, or the conditions are refused, 2 a usage error.");
  select->add_option("TABLE", sel->table, "Product table (IPC_*.dbf)")->required();
  select->add_option("--loss", sel->loss, "Heat loss of the room in W")->required();
  select->add_option("--ti", sel->ti, "Indoor temperature in degC")->capture_default_str();
  select->add_option("--tw", sel->tw, "Supply temperature in degC")->capture_default_str();
  select->add_option("--tr", sel->tr, "Return temperature in degC")->capture_default_str();
  select->add_option("--connection", sel->connection, "Method of connection, variant 1 to 5")
      ->capture_default_str();
  select->add_option("--position", sel->position, "Position in the room, variant 1 to 3")
      ->capture_default_str();
  select->add_option("--coverage", sel->coverage, "Method of coverage, variant 1 to 8")
      ->capture_default_str();
  select
      ->add_option("--length", sel->length,
                   "Length filter in mm: \"LO OP x OP HI\" with OP one of <, <=, = (either side "
                   "may be left out), \"x\" (on, no bounds) or \"off\"; quote it")
      ->capture_default_str();
  select->add_option("--width", sel->width, "Width (depth) filter in mm, as --length")
      ->capture_default_str();
  select->add_option("--height", sel->height, "Height filter in mm, as --length")
      ->capture_default_str();
  select->add_option("--rows", sel->rows,
                     "Selected rows: 1-based positions in the listed products, e.g. 3,7");
  select->add_option("--heaters", sel->heaters, "Number of heaters (at least 1)")
      ->capture_default_str();
  select
      ->add_option("--elements", sel->elements,
                   "Number of elements; below 3 it is sized from the loss for a sectional product")
      ->capture_default_str();
  select->add_flag("--identical", sel->identical, "All heaters identical (output x heaters)");
  select->add_flag("--csv", sel->csv,
                   "Print one CSV header and one data line: listed (record numbers, 1-based, "
                   "blank-separated),covered,heaters,elements,overall,not_covered,still_needed,"
                   "reserve,next (the row the next pick selects, empty when none); %.17g, "
                   "decimal point");
  select->callback([&globals, sel] { globals.exitCode = RunSelect(globals, *sel); });
}

}  // namespace kvem::cli
