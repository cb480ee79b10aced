// Speed of the pressure evaluation on networks far larger than any building:
// 1,000 to 1,000,000 sections per medium, up to 20 levels deep, a few per
// cent of the lines drawn twice.
//
// BM_Pressure times, in every iteration and side by side, reading the two
// network files' bytes once (the yardstick, counter read_ms) and the whole
// evaluation as kvem-cli pressure --csv runs it (the benchmark's time): pages
// 1 and 2 (read, sort, build, merge, losses, accumulation, distribution),
// page 3 (heater items, presetting), OK (report written to a file) and the
// CSV text. `ratio` is evaluation / read; the *_ms counters split the time
// into those steps.
//
//   bench_pressure --write-networks DIR N   writes DIR/Big/Big_r001.txt and
//   Big_z001.txt of N sections each, for timing the whole kvem-cli process
//   (bench/time-pressure-cli).
#include <benchmark/benchmark.h>

#include <chrono>
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

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double>(to - from).count();
}

void BM_Pressure(benchmark::State& state) {
  const Files& f = NetworkFiles(state.range(0));
  double read = 0, pages = 0, inAll = 0, ok = 0, csv = 0;
  std::size_t messages = 0, csvBytes = 0;
  // The yardstick reads into buffers that stay from one iteration to the
  // next: only the reading is timed, not the memory it lands in.
  std::string a, b;
  ReadWholeFile(f.supply, a);
  ReadWholeFile(f.ret, b);
  for (auto _ : state) {
    const auto t0 = Clock::now();
    ReadWholeFile(f.supply, a);
    ReadWholeFile(f.ret, b);
    benchmark::DoNotOptimize(a.data());
    benchmark::DoNotOptimize(b.data());
    const auto t1 = Clock::now();
    RecordingMessenger m;
    PressureEvaluation e([&](char k) { return k == kSupplyKind ? f.supply : f.ret; }, 70, 55, '.',
                         m);
    e.OpenMediumPage(Medium::Supply);
    e.OpenMediumPage(Medium::Return);
    const auto t2 = Clock::now();
    e.OpenInAllPage();
    const auto t3 = Clock::now();
    e.Ok(f.dir / "Tlak_Pos.txt", "2024-01-01 00:00:00");
    const auto t4 = Clock::now();
    csvBytes = 0;
    WritePressureCsv(e, [&](std::string_view piece) {
      benchmark::DoNotOptimize(piece.data());
      csvBytes += piece.size();
    });
    const auto t5 = Clock::now();
    messages = m.messages().size();
    state.SetIterationTime(Seconds(t1, t5));
    read += Seconds(t0, t1);
    pages += Seconds(t1, t2);
    inAll += Seconds(t2, t3);
    ok += Seconds(t3, t4);
    csv += Seconds(t4, t5);
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["read_ms"] = 1000 * read / n;
  state.counters["ratio"] = (pages + inAll + ok + csv) / read;
  state.counters["pages_ms"] = 1000 * pages / n;
  state.counters["inall_ms"] = 1000 * inAll / n;
  state.counters["ok_ms"] = 1000 * ok / n;
  state.counters["csv_ms"] = 1000 * csv / n;
  state.counters["csv_MB"] = static_cast<double>(csvBytes) / 1e6;
  state.counters["messages"] = static_cast<double>(messages);
  state.SetComplexityN(state.range(0));
}

BENCHMARK(BM_Pressure)
    ->RangeMultiplier(10)
    ->Range(1000, 1000000)
    ->UseManualTime()
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
