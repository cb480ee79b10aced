// kvem-cli calc: the heat loss of a project, printed as the Results window shows it.
#include <cstdio>
#include <string>

#include "cli/cli_common.h"
#include "heatloss/heat_loss.h"
#include "heatloss/results_table.h"
#include "platform/encoding.h"
#include "platform/numbers.h"
#include "project/project_file.h"

namespace kvem::cli {
namespace {

struct CalcOptions {
  std::string projectFile;
  std::string tmpDir;
  bool csv = false;
};

std::string Pad(const std::string& text, std::size_t width, Align align) {
  const std::size_t length = Utf8Length(text);
  if (length >= width) return text;
  const std::size_t gap = width - length;
  switch (align) {
    case Align::Left:
      return text + std::string(gap, ' ');
    case Align::Right:
      return std::string(gap, ' ') + text;
    case Align::Centre:
      return std::string(gap / 2, ' ') + text + std::string(gap - gap / 2, ' ');
  }
  return text;
}

std::string Trim(const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

void PrintTable(const Project& project, char sep) {
  const auto rows = MakeResultRows(project, sep);
  std::array<std::size_t, kResultColumnCount> widths{};
  for (int c = 0; c < kResultColumnCount; ++c) {
    widths[c] = Utf8Length(Trim(std::string(kResultColumns[c].heading)));
    for (const auto& row : rows) widths[c] = std::max(widths[c], Utf8Length(Trim(row[c])));
  }
  auto printLine = [&](auto cell) {
    std::string line;
    for (int c = 0; c < kResultColumnCount; ++c) {
      if (c > 0) line += "  ";
      line += Pad(Trim(cell(c)), widths[c], kResultColumns[c].align);
    }
    while (!line.empty() && line.back() == ' ') line.pop_back();
    std::printf("%s\n", line.c_str());
  };
  printLine([](int c) { return std::string(kResultColumns[c].heading); });
  for (const auto& row : rows) printLine([&](int c) { return row[c]; });

  const ResultFields fields = MakeResultFields(project, sep);
  std::printf("\nProject: %s\n", fields.projectName.c_str());
  std::printf("Building: %s\n", fields.buildingName.c_str());
  std::printf("Volume [m3]: %s\n", Trim(fields.totalVolume).c_str());
  std::printf("Total loss [W]: %s\n", Trim(fields.totalLoss).c_str());
  std::printf("W/m3: %s\n", Trim(fields.lossPerVolume).c_str());
}

std::string Num(double value) {
  return FormatDouble("%.6f", value);
}

void PrintCsv(const Project& project) {
  std::printf(
      "order,room_number,name,ti,surface,volume,transfer_loss,ventilation_loss,total_loss,"
      "loss_per_volume,loss_per_volume_kelvin,floor_area,loss_per_floor_area,floor_temperature\n");
  for (int r = 1; r < project.building.roomCount; ++r) {
    const Room& room = project.rooms[static_cast<std::size_t>(r)];
    const RoomResult& res = project.results[static_cast<std::size_t>(r)];
    std::string line = std::to_string(r) + "," + CsvField(room.number) + "," + CsvField(room.name) +
                       "," + std::to_string(room.ti);
    for (double v :
         {res.surface, res.volume, res.transmissionLoss, res.ventilationLoss, res.totalLoss,
          res.lossPerVolume, res.lossPerVolumeKelvin, res.floorArea, res.lossPerFloorArea,
          FloorSurfaceTemperature(room.ti, res.lossPerFloorArea)}) {
      line += "," + Num(v);
    }
    std::printf("%s\n", line.c_str());
  }
  const BuildingTotals& t = project.totals;
  std::printf("total,,,,,%s,%s,%s,%s,%s,,,,\n", Num(t.volume).c_str(),
              Num(t.transmissionLoss).c_str(), Num(t.ventilationLoss).c_str(),
              Num(t.totalLoss).c_str(), Num(t.lossPerVolume).c_str());
}

int RunCalc(const Globals& globals, const CalcOptions& options) {
  Run run(globals);
  Application& app = run.app();
  if (!ReadProject(app.project(), options.projectFile, app.decimalSeparator(), app.messenger())) {
    return kExitUnreadable;
  }
  const std::filesystem::path tmp =
      options.tmpDir.empty() ? app.TmpDirectory() : std::filesystem::path(options.tmpDir);
  const bool ok = CalculateHeatLoss(app.project(), tmp, app.messenger());
  if (!ok) return kExitStopped;
  if (options.csv) {
    PrintCsv(app.project());
  } else {
    PrintTable(app.project(), app.decimalSeparator());
  }
  return kExitOk;
}

}  // namespace

void AddCalcCommand(CLI::App& app, Globals& globals) {
  auto options = std::make_shared<CalcOptions>();
  CLI::App* cmd = app.add_subcommand(
      "calc",
      "Compute the design heat loss of every room of a project file (*.kvm) and print the results "
      "table. Messages go to stderr as \"caption: text\". Exit status: 0 computed, 1 the "
      "calculation stopped at a check, 2 the file cannot be read.");
  cmd->add_option("PROJECT", options->projectFile, "Project file (*.kvm)")->required();
  cmd->add_flag(
      "--csv", options->csv,
      "Print machine-readable CSV (unrounded values, decimal point) instead of the table");
  cmd->add_option("--tmp", options->tmpDir,
                  "Folder for the marker file \"Výsledek.out\" (default: the PathTmp setting)");
  cmd->callback([&globals, options] { globals.exitCode = RunCalc(globals, *options); });
}

}  // namespace kvem::cli
