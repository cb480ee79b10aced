// Reading a heater product table of 200 000 records with 20 fields: every
// record read and split into its field texts, beside reading the same
// file's bytes in one go. The split read should stay within 3x of the raw read.
// BM_ReadAndSplitCzech is the worst case: a Czech letter in every record.
// BM_ReadAndSplitTwoReaders reads the same as BM_ReadAndSplitEveryRecord with
// two readers side by side, one taking blocks of records from the front, the
// other from the back, as a product listing does on a large table.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "platform/files.h"
#include "platform/messenger.h"
#include "tables/dbf.h"

namespace {

constexpr int kRecords = 200000;

// A product table; every `czechEvery`-th row has a Czech letter.
std::filesystem::path WriteProductTable(int czechEvery) {
  const std::filesystem::path p = std::filesystem::temp_directory_path() /
                                  ("kvem_bench_products_" + std::to_string(::getpid()) + "_" +
                                   std::to_string(czechEvery) + ".dbf");
  std::vector<kvem::DbfField> fields = {{"OZNACENI", 'C', 30}, {"TYP", 'C', 12}};
  for (int k = 3; k <= 20; ++k) fields.push_back({"H" + std::to_string(k), 'N', 9, 2});
  kvem::DbfTable table;
  kvem::DbfTable::Create(fields, table, nullptr);
  for (int r = 0; r < kRecords; ++r) {
    kvem::DbfRecord record;
    record.push_back(r % czechEvery == 0 ? "Deskové těleso " + std::to_string(r)
                                         : "RADIK VK 22 " + std::to_string(r));
    record.push_back(r % 3 == 0 ? "KORAD 22" : "VK 11");
    for (int k = 3; k <= 20; ++k) record.push_back(std::to_string((r * 7 + k * 13) % 9000) + ".5");
    table.AddRecord(std::move(record));
  }
  kvem::RecordingMessenger messenger;
  kvem::WriteDbfTable(p, table, messenger);
  return p;
}

// The tables are written once per run into the temporary folder.
// Catalogue rows are mostly plain ASCII type codes; one in ten has a Czech letter.
const std::filesystem::path& ProductTable() {
  static const std::filesystem::path path = WriteProductTable(10);
  return path;
}
const std::filesystem::path& CzechProductTable() {
  static const std::filesystem::path path = WriteProductTable(1);
  return path;
}

void BM_RawRead(benchmark::State& state) {
  const auto& path = ProductTable();
  std::string bytes;
  for (auto _ : state) {
    kvem::ReadWholeFile(path, bytes);
    benchmark::DoNotOptimize(bytes.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(bytes.size()));
}

void ReadAndSplit(benchmark::State& state, const std::filesystem::path& path) {
  kvem::RecordingMessenger messenger;
  std::size_t records = 0;
  for (auto _ : state) {
    kvem::DbfReader reader;
    reader.Open(path, messenger);
    std::size_t characters = 0;
    records = 0;
    while (reader.Next()) {
      for (int k = 1; k <= 20; ++k) characters += reader.Text(k).size();
      ++records;
    }
    benchmark::DoNotOptimize(characters);
  }
  state.counters["records"] = static_cast<double>(records);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(std::filesystem::file_size(path)));
}

void BM_ReadAndSplitEveryRecord(benchmark::State& state) {
  ReadAndSplit(state, ProductTable());
}
void BM_ReadAndSplitCzech(benchmark::State& state) {
  ReadAndSplit(state, CzechProductTable());
}

void BM_ReadAndSplitTwoReaders(benchmark::State& state) {
  const auto& path = ProductTable();
  kvem::RecordingMessenger messenger;
  std::size_t records = 0;
  double backShare = 0.0;
  for (auto _ : state) {
    kvem::DbfReader front;
    kvem::DbfReader back;
    front.Open(path, messenger);
    back.Open(path, messenger);
    kvem::RecordBlocks blocks(front.announcedRecords(), 8192);
    std::size_t characters[2] = {0, 0};
    std::size_t counts[2] = {0, 0};
    const auto split = [&blocks](kvem::DbfReader& reader, bool fromFront, std::size_t& characters,
                                 std::size_t& count) {
      std::size_t first = 0;
      std::size_t last = 0;
      while (fromFront ? blocks.TakeFront(first, last) : blocks.TakeBack(first, last)) {
        reader.Restrict(first, last);
        while (reader.Next()) {
          for (int k = 1; k <= 20; ++k) characters += reader.Text(k).size();
          ++count;
        }
      }
    };
    std::thread worker([&] { split(back, false, characters[1], counts[1]); });
    split(front, true, characters[0], counts[0]);
    worker.join();
    records = counts[0] + counts[1];
    backShare += static_cast<double>(counts[1]) / static_cast<double>(records);
    benchmark::DoNotOptimize(characters[0] + characters[1]);
  }
  state.counters["records"] = static_cast<double>(records);
  // The share of the records the second reader took.
  state.counters["back"] = backShare / static_cast<double>(state.iterations());
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(std::filesystem::file_size(path)));
}

// The whole table kept in memory as texts, as the table editor holds it.
void BM_ReadWholeTable(benchmark::State& state) {
  const auto& path = ProductTable();
  kvem::RecordingMessenger messenger;
  for (auto _ : state) {
    kvem::DbfTable table;
    kvem::ReadDbfTable(path, table, messenger);
    benchmark::DoNotOptimize(table.recordCount());
  }
}

BENCHMARK(BM_RawRead)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadAndSplitEveryRecord)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadAndSplitTwoReaders)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ReadAndSplitCzech)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadWholeTable)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::filesystem::remove(ProductTable());
  std::filesystem::remove(CzechProductTable());
  return 0;
}
