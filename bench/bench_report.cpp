// The printed reports of a full-capacity project (98 rooms of 19 walls of 19
// openings): planning the pages and laying out every page, as a print job or
// a preview does before and while it paints.
#include <benchmark/benchmark.h>

#include "full_project.h"
#include "heatloss/heat_loss.h"
#include "platform/messenger.h"
#include "report/report_page.h"

namespace {

using namespace kvem;

const Project& FullProject() {
  static const Project project = [] {
    Project p = examples::MakeFullProject();
    RecordingMessenger quiet;
    CalculateHeatLoss(p, std::filesystem::temp_directory_path(), quiet);
    return p;
  }();
  return project;
}

void BM_PagePlan(benchmark::State& state) {
  const Project& project = FullProject();
  report::PrintSettings settings;
  settings.kind = static_cast<report::ReportKind>(state.range(0));
  RecordingMessenger quiet;
  report::PagePlan plan;
  for (auto _ : state) {
    report::MakePagePlan(project, settings, report::kA4, report::LineHeights{}, plan, quiet);
    benchmark::DoNotOptimize(plan.pages.data());
  }
  state.counters["pages"] = plan.PageCount();
}
BENCHMARK(BM_PagePlan)->Arg(0)->Arg(1);

// Every page of the report laid out: what painting the whole report asks of the engine.
void BM_AllPages(benchmark::State& state) {
  const Project& project = FullProject();
  report::PrintSettings settings;
  settings.kind = static_cast<report::ReportKind>(state.range(0));
  RecordingMessenger quiet;
  report::ReportLayout layout;
  report::PrepareReport(project, settings, report::kA4, report::LineHeights{}, ',', layout, quiet);
  std::size_t items = 0;
  for (auto _ : state) {
    items = 0;
    for (int page = 1; page <= layout.plan.PageCount(); ++page) {
      const report::PageDrawing drawing = report::DrawPage(project, layout, page);
      items += drawing.texts.size() + drawing.boxes.size();
    }
    benchmark::DoNotOptimize(items);
  }
  state.counters["pages"] = layout.plan.PageCount();
  state.counters["items"] = static_cast<double>(items);
}
BENCHMARK(BM_AllPages)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
