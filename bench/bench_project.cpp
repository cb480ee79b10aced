// Load, calculate and save a project of full capacity (98 rooms x 19 walls x
// 19 openings, about 260,000 lines), beside the time to merely read the same
// file's lines into memory.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "full_project.h"
#include "heatloss/heat_loss.h"
#include "platform/messenger.h"
#include "project/project_file.h"

namespace {

const std::filesystem::path& BenchFolder() {
  static const std::filesystem::path dir = [] {
    auto d = std::filesystem::temp_directory_path() / "kvem-bench-project";
    std::filesystem::create_directories(d);
    kvem::RecordingMessenger messenger;
    kvem::WriteProject(kvem::examples::MakeFullProject(), d / "full.kvm", '.', messenger);
    return d;
  }();
  return dir;
}

// The baseline: the file's lines into memory, nothing parsed.
void ReadLinesOnly(benchmark::State& state) {
  const auto path = BenchFolder() / "full.kvm";
  for (auto _ : state) {
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> lines;
    lines.reserve(270000);
    std::string line;
    while (std::getline(in, line)) lines.push_back(line);
    benchmark::DoNotOptimize(lines.data());
  }
  state.SetBytesProcessed(state.iterations() *
                          static_cast<int64_t>(std::filesystem::file_size(path)));
}
BENCHMARK(ReadLinesOnly)->Unit(benchmark::kMillisecond);

void LoadProject(benchmark::State& state) {
  const auto path = BenchFolder() / "full.kvm";
  kvem::RecordingMessenger messenger;
  kvem::Project project;
  for (auto _ : state) {
    if (!kvem::ReadProject(project, path, '.', messenger)) state.SkipWithError("load failed");
    benchmark::DoNotOptimize(project.rooms.data());
  }
  state.SetBytesProcessed(state.iterations() *
                          static_cast<int64_t>(std::filesystem::file_size(path)));
}
BENCHMARK(LoadProject)->Unit(benchmark::kMillisecond);

void CalculateProject(benchmark::State& state) {
  kvem::RecordingMessenger messenger;
  kvem::Project project;
  kvem::ReadProject(project, BenchFolder() / "full.kvm", '.', messenger);
  for (auto _ : state) {
    if (!kvem::CalculateHeatLoss(project, BenchFolder(), messenger)) state.SkipWithError("stopped");
    benchmark::DoNotOptimize(project.totals.totalLoss);
  }
}
BENCHMARK(CalculateProject)->Unit(benchmark::kMicrosecond);

void SaveProject(benchmark::State& state) {
  kvem::RecordingMessenger messenger;
  kvem::Project project;
  kvem::ReadProject(project, BenchFolder() / "full.kvm", '.', messenger);
  for (auto _ : state) {
    if (!kvem::WriteProject(project, BenchFolder() / "saved.kvm", '.', messenger)) {
      state.SkipWithError("save failed");
    }
  }
}
BENCHMARK(SaveProject)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
