// kvem-cli report: the results or input-data report of a project as a PDF
// file, paginated as the desktop program prints it. Needs Qt Gui for the PDF
// writer; a build without it has no such command.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli_common.h"

#ifdef KVEM_REPORT_PDF
#include <QGuiApplication>

#include "heatloss/heat_loss.h"
#include "platform/numbers.h"
#include "project/project_file.h"
#include "report/report_plan.h"
#include "ui/report/report_painter.h"
#endif

namespace kvem::cli {

#ifdef KVEM_REPORT_PDF
namespace {

struct ReportOptions {
  std::string projectFile;
  std::string kind = "results";
  std::string margins;
  std::string pdf;
  std::string tmpDir;
};

void QuietQtNotes(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtDebugMsg || type == QtInfoMsg) return;
  if (message.startsWith(QLatin1String("QStandardPaths:"))) return;
  std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
}

// "T,L,R,B": four whole millimetres.
bool ParseMargins(const std::string& text, report::PrintSettings& settings) {
  std::vector<int> values;
  std::size_t pos = 0;
  while (pos <= text.size()) {
    const std::size_t comma = std::min(text.find(',', pos), text.size());
    const std::string part = text.substr(pos, comma - pos);
    if (part.empty() || part.size() > 4 ||
        part.find_first_not_of("0123456789", part[0] == '-' ? 1 : 0) != std::string::npos) {
      return false;
    }
    values.push_back(ParseInt32(part));
    pos = comma + 1;
  }
  if (values.size() != 4) return false;
  settings.topMargin = values[0];
  settings.leftMargin = values[1];
  settings.rightMargin = values[2];
  settings.bottomMargin = values[3];
  return true;
}

int RunReport(const Globals& globals, const ReportOptions& options) {
  report::PrintSettings settings;
  settings.kind =
      options.kind == "input" ? report::ReportKind::InputData : report::ReportKind::Results;
  if (!options.margins.empty() && !ParseMargins(options.margins, settings)) {
    std::fprintf(stderr, "--margins: expected four whole millimetres T,L,R,B, e.g. 20,20,20,20\n");
    return kExitUnreadable;
  }
  Run run(globals);
  Application& app = run.app();
  if (!ReadProject(app.project(), options.projectFile, app.decimalSeparator(), app.messenger())) {
    return kExitUnreadable;
  }
  if (settings.kind == report::ReportKind::Results) {
    const std::filesystem::path tmp =
        options.tmpDir.empty() ? app.TmpDirectory() : std::filesystem::path(options.tmpDir);
    if (!CalculateHeatLoss(app.project(), tmp, app.messenger())) return kExitStopped;
  }

  // The PDF writer needs the font database of a GUI application; no window is
  // shown. Qt's note about an unset XDG_RUNTIME_DIR means nothing to a batch run.
  const QtMessageHandler previous = qInstallMessageHandler(QuietQtNotes);
  int argc = 3;
  char arg0[] = "kvem-cli";
  char arg1[] = "-platform";
  char arg2[] = "offscreen";
  char* argv[] = {arg0, arg1, arg2, nullptr};
  QGuiApplication gui(argc, argv);

  int pages = 0;
  const bool written = ui::WriteReportPdf(options.pdf, app.project(), settings,
                                          app.decimalSeparator(), app.messenger(), &pages);
  qInstallMessageHandler(previous);
  if (!written) return kExitUnreadable;
  std::printf("%s: %d %s\n", options.pdf.c_str(), pages, pages == 1 ? "page" : "pages");
  return kExitOk;
}

}  // namespace

void AddReportCommand(CLI::App& app, Globals& globals) {
  auto options = std::make_shared<ReportOptions>();
  CLI::App* cmd = app.add_subcommand(
      "report",
      "Write the printed heat-loss report of a project file (*.kvm) as an A4 PDF file, paginated "
      "as the desktop program prints it. The results report calculates first. Prints \"OUT.pdf: "
      "N pages\". Exit status: 0 written, 1 the calculation stopped at a check, 2 the project file "
      "cannot be read, the margins leave no room or the PDF cannot be written.");
  cmd->add_option("PROJECT", options->projectFile, "Project file (*.kvm)")->required();
  cmd->add_option("--kind", options->kind, "results (default) or input (the input data)")
      ->check(CLI::IsMember({"results", "input"}));
  cmd->add_option("--margins", options->margins,
                  "Top, left-hand, right-hand and bottom margin in whole millimetres, T,L,R,B "
                  "(default 20,20,20,20)");
  cmd->add_option("--pdf", options->pdf, "The PDF file to write (replaced atomically)")->required();
  cmd->add_option("--tmp", options->tmpDir,
                  "Folder for the calculation's marker file \"Výsledek.out\" (default: the PathTmp "
                  "setting)");
  cmd->callback([&globals, options] { globals.exitCode = RunReport(globals, *options); });
}

#else

// Built without Qt Gui: there is no PDF writer, so the command is absent.
void AddReportCommand(CLI::App&, Globals&) {}

#endif

}  // namespace kvem::cli
