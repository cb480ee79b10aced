// Heater output model and product listing.
//
// BM_OutputModel: one evaluation = the temperature and mass-flow coefficients
// of a heater record recomputed for new temperatures and exponent, and the
// overall coefficient taken. Goal: 10 million a second on one core.
//
// BM_ListProducts lists a 200,000-record product table with all three
// dimension filters on; BM_ReadTableBytes reads the same file's bytes once,
// for comparison (goal: listing under 50 ms and at most 3x the read).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "heaters/catalog.h"
#include "heaters/heater.h"
#include "heaters/selection.h"
#include "platform/messenger.h"
#include "tables/dbf.h"

namespace {

using namespace kvem;

void BM_OutputModel(benchmark::State& state) {
  COtopneTeleso record;
  record.connection = 3;
  record.fix = 0.9;
  std::vector<double> supply;
  for (int i = 0; i < 64; ++i) supply.push_back(60.0 + 0.5 * i);
  std::size_t i = 0;
  double sum = 0.0;
  for (auto _ : state) {
    record.tw = supply[i & 63];
    record.exponent = 1.2 + 0.002 * static_cast<double>(i & 63);
    ++i;
    RecomputeCoefficients(record);
    sum += record.Overall();
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()));
}
BENCHMARK(BM_OutputModel);

// Reading the numbers of a product row as the table holds them.
void BM_CatalogNumber(benchmark::State& state) {
  const std::string_view fields[] = {"  1873.0", " 900", "  100", "  600", "1.3358", "    0"};
  double sum = 0.0;
  for (auto _ : state) {
    for (std::string_view field : fields) {
      benchmark::DoNotOptimize(field);
      sum += CatalogNumber(field);
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * std::size(fields)));
}
BENCHMARK(BM_CatalogNumber);

constexpr std::size_t kProducts = 200000;

const std::filesystem::path& LargeTable() {
  static const std::filesystem::path path = [] {
    const auto file = std::filesystem::temp_directory_path() / "kvem-bench-IPC_73524.dbf";
    std::vector<DbfField> fields;
    const std::pair<const char*, DbfField> layout[] = {
        {"PRODNO", {"", 'C', 16, 0, 0}}, {"GROUP", {"", 'N', 5, 0, 0}},
        {"TYPE", {"", 'C', 6, 0, 0}},    {"NAME", {"", 'C', 40, 0, 0}},
        {"CONN", {"", 'C', 6, 0, 0}},    {"PRICE", {"", 'N', 10, 2, 0}},
        {"MASS", {"", 'N', 7, 1, 0}},    {"WATER", {"", 'N', 6, 2, 0}},
        {"Q75", {"", 'N', 8, 1, 0}},     {"RATING", {"", 'C', 8, 0, 0}},
        {"SOURCE", {"", 'C', 4, 0, 0}},  {"Q", {"", 'N', 8, 1, 0}},
        {"LENGTH", {"", 'N', 5, 0, 0}},  {"WIDTH", {"", 'N', 4, 0, 0}},
        {"HEIGHT", {"", 'N', 5, 0, 0}},  {"HUB", {"", 'N', 5, 0, 0}},
        {"KIND", {"", 'N', 1, 0, 0}},    {"EXPN", {"", 'N', 6, 4, 0}},
    };
    for (auto [name, field] : layout) {
      field.name = name;
      fields.push_back(field);
    }
    DbfTable table;
    std::string why;
    if (!DbfTable::Create(fields, table, &why)) std::fprintf(stderr, "%s\n", why.c_str());
    const int heights[] = {300, 400, 450, 500, 600, 900};
    for (std::size_t i = 0; i < kProducts; ++i) {
      const int height = heights[i % 6];
      const int length = 400 + static_cast<int>((i / 6) % 27) * 100;
      const std::size_t r = table.AddRecord();
      table.SetText(r, 1, "P22-" + std::to_string(height) + "-" + std::to_string(length));
      table.SetText(r, 2, "73524");
      table.SetText(r, 3, "22");
      table.SetText(
          r, 4,
          "Panel radiator type 22, " + std::to_string(height) + " x " + std::to_string(length));
      table.SetText(r, 5, "side");
      table.SetText(r, 9, std::to_string(length * 17 / 10));
      table.SetText(r, 10, "75/65/20");
      table.SetText(r, 11, "S1");
      table.SetText(r, 12, std::to_string(length * 2163 / 1000));
      table.SetText(r, 13, std::to_string(length));
      table.SetText(r, 14, i % 10 == 0 ? "155" : "100");
      table.SetText(r, 15, std::to_string(height));
      table.SetText(r, 17, "0");
      table.SetText(r, 18, "1.3358");
    }
    StreamMessenger messenger(stderr);
    WriteDbfTable(file, table, messenger);
    return file;
  }();
  return path;
}

void BM_ListProducts(benchmark::State& state) {
  const auto& file = LargeTable();
  DimensionFilters filters;
  filters.length = {true, 500, kOpAtMost, 2500, kOpLess};   // 500 <= length < 2500
  filters.width = {true, 0, kOpLess, 120, kOpAtMost};       // 0 < width <= 120
  filters.height = {true, 400, kOpAtMost, 600, kOpAtMost};  // 400 <= height <= 600
  StreamMessenger messenger(stderr);
  ProductList list;
  for (auto _ : state) {
    ListProducts(file, filters, &list, messenger);
    benchmark::DoNotOptimize(list.size());
  }
  state.counters["listed"] = static_cast<double>(list.size());
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * kProducts));
}
BENCHMARK(BM_ListProducts)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ReadTableBytes(benchmark::State& state) {
  const auto& file = LargeTable();
  std::vector<char> bytes(std::filesystem::file_size(file));
  for (auto _ : state) {
    std::FILE* f = std::fopen(file.c_str(), "rb");
    const std::size_t got = std::fread(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    benchmark::DoNotOptimize(got);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_ReadTableBytes)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
