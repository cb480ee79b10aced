// Speed of the pressure evaluation on networks far larger than any building:
// 1,000 to 1,000,000 sections per medium, up to 20 levels deep, a few per
// cent of the lines drawn twice. BM_ReadBytes reads the two files once, as
// the yardstick; BM_Evaluation runs the sheet as kvem-cli does (pages 1-3,
// OK with the report written), BM_EvaluationCsv adds the CSV.
//
//   bench_pressure --write-networks DIR N   writes DIR/Big/Big_r001.txt and
//   Big_z001.txt of N sections each, for timing the whole kvem-cli process.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/messenger.h"
#include "pressure/evaluation.h"
#include "pressure/network.h"
#include "pressure/pressure_report.h"

namespace {

using namespace kvem;

// Supply and return text of `n` sections (before duplicates): a random tree,
// two thirds pipe pieces, one third heaters whose return line matches.
std::pair<std::string, std::string> MakeNetworks(long n) {
  std::mt19937_64 rng(42);
  auto pick = [&](long k) { return static_cast<long>(rng() % static_cast<unsigned long>(k)); };
  static const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  constexpr int kSymbols = sizeof kAlphabet - 1;
  const char* pipes[] = {"16x1.8", "18x2", "20x2.3", "23x2.5", "32x4.4", "50x5.6"};
  std::vector<std::string> numbers;
  std::vector<int> children;
  numbers.reserve(static_cast<std::size_t>(n));
  std::string header =
      "Project:        Big\nDrawing:        1\n7\n-\nDate:           2024-01-01\nP\n\n"
      "Branch Section Length Q Pipe ksi Type Riser Heater Pmin\n";
  std::string supply = header, ret = header;
  supply.reserve(static_cast<std::size_t>(n) * 60);
  ret.reserve(static_cast<std::size_t>(n) * 60);
  int roots = 0;
  for (long i = 0; i < n; ++i) {
    std::string number;
    for (;;) {
      if (numbers.empty() || (roots < kSymbols && pick(200) == 0)) {
        number = std::string(1, kAlphabet[roots++]);
        break;
      }
      const auto p = static_cast<std::size_t>(pick(static_cast<long>(numbers.size())));
      if (numbers[p].size() >= 20 || children[p] >= kSymbols) continue;
      number = numbers[p] + kAlphabet[children[p]++];
      break;
    }
    numbers.push_back(number);
    children.push_back(0);
    const std::string head =
        std::to_string(1 + pick(40)) + " " + number + " " + std::to_string(300 + pick(6000)) + " ";
    const std::string pipe = pipes[pick(6)];
    std::string s, r;
    if (pick(3) != 0) {
      s = head + std::to_string(2000 + pick(9000)) + " " + pipe + " " + std::to_string(pick(8)) +
          ".5 0";
      r = s;
    } else {
      const std::string q = std::to_string(300 + pick(3000));
      const std::string type = std::to_string(pick(3) == 0 ? 10 : 1 + pick(2));
      s = head + q + " 16x1.8 " + std::to_string(1 + pick(6)) + " " + type + " " +
          std::to_string(pick(30)) + " T" + number + " " + std::to_string(pick(3000));
      r = s;
    }
    supply += s + "\n";
    ret += r + "\n";
    if (pick(40) == 0) supply += s + "\n";  // drawn twice
    if (pick(40) == 0) ret += r + "\n";
  }
  return {supply, ret};
}

struct Files {
  std::filesystem::path dir, supply, ret;
};

const Files& NetworkFiles(long n) {
  static std::map<long, Files> cache;
  auto it = cache.find(n);
  if (it != cache.end()) return it->second;
  Files f;
  f.dir = std::filesystem::temp_directory_path() / ("kvem-bench-pressure-" + std::to_string(n));
  std::filesystem::create_directories(f.dir);
  f.supply = f.dir / "r.txt";
  f.ret = f.dir / "z.txt";
  const auto [s, r] = MakeNetworks(n);
  WriteFileAtomically(f.supply, s);
  WriteFileAtomically(f.ret, r);
  return cache.emplace(n, f).first->second;
}

void BM_ReadBytes(benchmark::State& state) {
  const Files& f = NetworkFiles(state.range(0));
  for (auto _ : state) {
    std::string a, b;
    ReadWholeFile(f.supply, a);
    ReadWholeFile(f.ret, b);
    benchmark::DoNotOptimize(a.data());
    benchmark::DoNotOptimize(b.data());
  }
  state.SetComplexityN(state.range(0));
}

void RunSheet(benchmark::State& state, bool csv) {
  const Files& f = NetworkFiles(state.range(0));
  std::size_t messages = 0;
  for (auto _ : state) {
    RecordingMessenger m;
    PressureEvaluation e([&](char k) { return k == kSupplyKind ? f.supply : f.ret; }, 70, 55, '.',
                         m);
    e.OpenMediumPage(Medium::Supply);
    e.OpenMediumPage(Medium::Return);
    e.OpenInAllPage();
    e.Ok(f.dir / "Tlak_Pos.txt", "2024-01-01 00:00:00");
    std::size_t bytes = 0;
    if (csv) WritePressureCsv(e, [&](std::string_view piece) { bytes += piece.size(); });
    benchmark::DoNotOptimize(bytes);
    messages = m.messages().size();
  }
  state.counters["messages"] = static_cast<double>(messages);
  state.SetComplexityN(state.range(0));
}

void BM_Evaluation(benchmark::State& state) {
  RunSheet(state, false);
}
void BM_EvaluationCsv(benchmark::State& state) {
  RunSheet(state, true);
}

BENCHMARK(BM_ReadBytes)
    ->RangeMultiplier(10)
    ->Range(1000, 1000000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();
BENCHMARK(BM_Evaluation)
    ->RangeMultiplier(10)
    ->Range(1000, 1000000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oNLogN);
BENCHMARK(BM_EvaluationCsv)
    ->RangeMultiplier(10)
    ->Range(1000, 1000000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oNLogN);

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::strcmp(argv[1], "--write-networks") == 0) {
    const std::filesystem::path dir = std::filesystem::path(argv[2]) / "Big";
    std::filesystem::create_directories(dir);
    const auto [s, r] = MakeNetworks(std::stol(argv[3]));
    return WriteFileAtomically(dir / "Big_r001.txt", s) &&
                   WriteFileAtomically(dir / "Big_z001.txt", r)
               ? 0
               : 1;
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
