// Writing and scanning a History.db-like table of 1,000,000 rows (about 200 MB): the size of
// years of a station's accepted playlists.

#include "db/ParadoxWriter.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

namespace {

using namespace spv::db;

constexpr int kRows = 1'000'000;
constexpr int kLinesPerHour = 16;

std::filesystem::path BenchDir() {
  return std::filesystem::temp_directory_path() / "spv-bench-paradox";
}

// The table is written once for both benchmarks and removed when the program ends.
struct TCleanup {
  ~TCleanup() {
    std::error_code ignored;
    std::filesystem::remove_all(BenchDir(), ignored);
  }
} const kCleanup;

std::filesystem::path WriteHistory(const std::filesystem::path& path) {
  const double firstDay = *spv::base::EncodeDate(2019, 1, 1);
  TParadoxWriter writer(path, {{"FDate", TFieldType::Date}, {"FHour", TFieldType::Short}, {"FNumber", TFieldType::Short},
                               {"FType", TFieldType::Short}, {"FName", TFieldType::Alpha, 96},
                               {"FArtist", TFieldType::Alpha, 96}});
  std::string name, artist;
  for (int i = 0; i < kRows; ++i) {
    const int line = i % kLinesPerHour, hour = i / kLinesPerHour % 24, day = i / kLinesPerHour / 24;
    name = "Title of song number " + std::to_string(i % 5000);
    artist = "Artist " + std::to_string(i % 700);
    writer.SetDateTime(0, firstDay + day);
    writer.SetInteger(1, hour);
    writer.SetInteger(2, line);
    writer.SetInteger(3, line % 5 == 4 ? 1 : 0);
    writer.SetText(4, name);
    writer.SetText(5, artist);
    writer.AppendRecord();
  }
  writer.Finish();
  return path;
}

void BM_WriteHistory(benchmark::State& state) {
  std::filesystem::create_directories(BenchDir());
  const std::filesystem::path path = BenchDir() / "History.db";
  for (auto _ : state) WriteHistory(path);
  state.counters["MB"] = static_cast<double>(std::filesystem::file_size(path)) / 1e6;
  state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_WriteHistory)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5)->ReportAggregatesOnly(true);

// A scan as the query engine makes it: every record's date decoded, the day's rows read whole.
void BM_ScanHistory(benchmark::State& state) {
  const std::filesystem::path path = BenchDir() / "History.db";
  if (!std::filesystem::exists(path)) WriteHistory(path);
  const double day = *spv::base::EncodeDate(2019, 1, 1) + kRows / kLinesPerHour / 24 / 2;
  for (auto _ : state) {
    const auto table = TParadoxTable::Open(path);
    std::size_t kept = 0;
    table->Scan([&](const TRecord& r) {
      if (r.Value(0).Float == day && r.Value(3).Integer == 0) {
        benchmark::DoNotOptimize(r.Value(4));
        benchmark::DoNotOptimize(r.Value(5));
        ++kept;
      }
      return true;
    });
    if (kept == 0) state.SkipWithError("the day has no rows");
  }
  state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_ScanHistory)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
