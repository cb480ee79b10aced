// kvem-cli pressure: the evaluation of pressure conditions, run as the
// desktop program's sheet runs it (page 1, page 2, page 3, OK).
#include <cstdio>
#include <optional>
#include <string>

#include "cli/cli_common.h"
#include "platform/numbers.h"
#include "pressure/evaluation.h"
#include "pressure/network.h"
#include "pressure/pressure_report.h"
#include "tables/text_lines.h"

namespace kvem::cli {
namespace {

struct PressureOptions {
  std::string working;
  std::string tmp;
  std::optional<std::string> project;
  std::optional<std::string> number;
  std::string supply;
  std::string ret;
  std::string tw = "70";
  std::string tr = "55";
  std::optional<std::string> pump;
  bool csv = false;
  std::string report;
  std::optional<std::string> created;
};

// A whole decimal number with a point ("70", "62.5", "-1e2").
std::string CheckDecimal(const std::string& text) {
  const ParsedNumber n = ParseDecimal(text, '.');
  if (n.consumed == 0 || n.consumed != text.size())
    return "not a number with a decimal point: " + text;
  return {};
}

std::string CheckInteger(const std::string& text) {
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  if (i == text.size()) return "not a whole number: " + text;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return "not a whole number: " + text;
  }
  return {};
}

int RunPressure(const Globals& globals, const PressureOptions& o) {
  Run run(globals);
  Application& app = run.app();
  Messenger& messenger = app.messenger();
  const auto working = [&] {
    return o.working.empty() ? app.MainPath(kPathWorking) : std::filesystem::path(o.working);
  };
  const auto tmp = [&] {
    return o.tmp.empty() ? app.TmpDirectory() : std::filesystem::path(o.tmp);
  };

  // The file names are formed afresh at every evaluation, as the program does.
  NetworkFileRule rule = [&](char kind) -> std::filesystem::path {
    if (!o.supply.empty()) return kind == kSupplyKind ? o.supply : o.ret;
    const std::string name = o.project ? *o.project : NtyRadek(tmp() / "epc_pr1.ini", 3, messenger);
    const long number =
        ParseLong(o.number ? *o.number : NtyRadek(tmp() / "epc_pr2.ini", 2, messenger));
    return NetworkFileName(working(), name, number, kind);
  };

  PressureEvaluation sheet(rule, ParseDouble(o.tw, '.'), ParseDouble(o.tr, '.'),
                           app.decimalSeparator(), messenger);
  if (!sheet.OpenMediumPage(Medium::Supply)) return kExitStopped;
  if (!sheet.OpenMediumPage(Medium::Return)) return kExitStopped;
  sheet.OpenInAllPage();
  if (o.pump) sheet.EnterPumpOutput(*o.pump);
  const std::filesystem::path report = o.report.empty()
                                           ? working() / std::string(kPressureReportName)
                                           : std::filesystem::path(o.report);
  sheet.Ok(report, o.created ? *o.created : LocalTimeText());
  const auto print = [](std::string_view piece) {
    std::fwrite(piece.data(), 1, piece.size(), stdout);
  };
  if (o.csv) {
    WritePressureCsv(sheet, print);
  } else {
    sheet.WriteReportText(print);
  }
  std::fflush(stdout);
  return kExitOk;
}

}  // namespace

void AddPressureCommand(CLI::App& app, Globals& globals) {
  auto o = std::make_shared<PressureOptions>();
  CLI::App* cmd = app.add_subcommand(
      "pressure",
      "Evaluate the pressure conditions of the heating pipe network: read the supply and return "
      "networks that the CAD side wrote (PathWorking/P/P_r<nnn>.txt and P_z<nnn>.txt, P from line "
      "3 "
      "of epc_pr1.ini and nnn from line 2 of epc_pr2.ini in PathTmp), compute flows, losses, the "
      "critical pressure and every overplus, preset the heater valves, write \"Tlak_Pos.txt\" "
      "(Windows-1250, CR LF) into PathWorking and print it (UTF-8). Messages go to stderr as "
      "\"caption: text\". The network files and --pump are read with the decimal separator of the "
      "locale (LC_ALL, LC_NUMERIC, LANG), as are the report's numbers; the CSV always uses a "
      "point. "
      "Exit status: 0 evaluated (also when the report cannot be written), 1 a network file cannot "
      "be opened (nothing written), 2 usage error.");
  cmd->add_option("--working", o->working, "Folder in place of the PathWorking setting");
  cmd->add_option("--tmp", o->tmp,
                  "Folder in place of the PathTmp setting (where epc_pr1.ini and epc_pr2.ini are)");
  cmd->add_option("--project", o->project,
                  "Drawing project name P in place of line 3 of epc_pr1.ini");
  cmd->add_option("--number", o->number, "Drawing number in place of line 2 of epc_pr2.ini")
      ->check(CheckInteger, "INTEGER");
  CLI::Option* supply =
      cmd->add_option("--supply", o->supply, "Supply network file (needs --return)");
  CLI::Option* ret = cmd->add_option("--return", o->ret, "Return network file (needs --supply)");
  supply->needs(ret);
  ret->needs(supply);
  cmd->add_option("--tw", o->tw,
                  "Supply water temperature of the project [°C], with a decimal point")
      ->check(CheckDecimal, "NUMBER")
      ->capture_default_str();
  cmd->add_option("--tr", o->tr,
                  "Return water temperature of the project [°C], with a decimal point")
      ->check(CheckDecimal, "NUMBER")
      ->capture_default_str();
  cmd->add_option("--pump", o->pump,
                  "Text typed into \"Pump output [Pa]\" on page 3, read with the locale's decimal "
                  "separator (a value not above 0 means the critical pressure)");
  cmd->add_flag("--csv", o->csv,
                "Print CSV (sections, heater items, summary; \"%.17g\", decimal point) instead of "
                "the report");
  cmd->add_option("--report", o->report,
                  "Write the report to this file instead of PathWorking/Tlak_Pos.txt");
  cmd->add_option(
      "--created", o->created,
      "Time on the report's first line (\"YYYY-MM-DD HH:MM:SS\"; default: now, local time)");
  cmd->callback([&globals, o] { globals.exitCode = RunPressure(globals, *o); });
}

}  // namespace kvem::cli
