// The run command's one-day History query on a History.db of 1,000,000 playlist lines
// (about 200 MB), as the program runs it: Open, then every row read through the query.
#include "db/ParadoxWriter.h"
#include "db/Query.h"

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>

namespace {

using namespace spv::db;

constexpr int kRows = 1'000'000;
constexpr int kLinesPerHour = 15;
const double kFirstDay = *spv::base::EncodeDate(2019, 1, 1);

// Written once per run of the benchmark, removed at its end.
struct THistoryFile {
  std::filesystem::path Dir =
      std::filesystem::temp_directory_path() / ("spv-bench-sql-" + std::to_string(::getpid()));
  std::filesystem::path Path = Dir / "History.db";
  double Day = 0;  // a day in the middle of the table

  THistoryFile() {
    std::filesystem::create_directories(Dir);
    TParadoxWriter w(Path, {{"FDate", TFieldType::Date, 4}, {"FHour", TFieldType::Long, 4},
                            {"FNumber", TFieldType::Long, 4}, {"FType", TFieldType::Short, 2},
                            {"FName", TFieldType::Alpha, 80}, {"FArtist", TFieldType::Alpha, 80},
                            {"FLength", TFieldType::Long, 4}, {"FFile", TFieldType::Alpha, 24}});
    std::string name, artist;
    for (int i = 0; i < kRows; ++i) {
      // Every hour's playlist: songs (type 0) with a jingle and an advert (types 1 and 3).
      const int line = i % kLinesPerHour, hour = i / kLinesPerHour % 24, day = i / kLinesPerHour / 24;
      name = "Title of song " + std::to_string(i % 5000);
      artist = "Artist " + std::to_string(i % 700);
      w.SetDateTime(0, kFirstDay + day);
      w.SetInteger(1, hour);
      w.SetInteger(2, line);
      w.SetInteger(3, line == 5 ? 1 : line == 10 ? 3 : 0);
      w.SetText(4, name);
      w.SetText(5, artist);
      w.SetInteger(6, 180 + i % 120);
      w.SetText(7, "D:\\Music\\" + std::to_string(i % 5000) + ".mp3");
      w.AppendRecord();
    }
    w.Finish();
    Day = kFirstDay + kRows / kLinesPerHour / 24 / 2;
  }
  ~THistoryFile() {
    std::error_code ignored;
    std::filesystem::remove_all(Dir, ignored);
  }
};

const THistoryFile& History() {
  static const THistoryFile file;
  return file;
}

void BM_HistoryDayQuery(benchmark::State& state) {
  const THistoryFile& file = History();
  const std::string date = spv::base::FormatDate(file.Day, "dd.MM.yyyy");
  TQuery query;
  std::size_t rows = 0;
  for (auto _ : state) {
    query.Close();
    query.SQL().clear();
    query.SQL().push_back("SELECT FDate,FHour,FNumber,FName,FArtist,FType FROM \"" + file.Path.string() + "\"");
    query.SQL().push_back("WHERE FDate=\"" + date + "\" AND FType=0");
    query.SQL().push_back("ORDER BY FHour,FNumber");
    query.Open();
    rows = 0;
    std::int64_t sum = 0;
    for (; !query.Eof(); query.Next(), ++rows) {
      sum += query.FieldAsInteger("FHour") + query.FieldAsInteger("FNumber");
      benchmark::DoNotOptimize(query.FieldAsString("FName"));
      benchmark::DoNotOptimize(query.FieldAsString("FArtist"));
    }
    benchmark::DoNotOptimize(sum);
  }
  if (rows != 24 * (kLinesPerHour - 2)) state.SkipWithError("the day's query found the wrong rows");
  state.counters["rows"] = double(rows);
  state.counters["table_MB"] = double(std::filesystem::file_size(file.Path)) / 1e6;
}
BENCHMARK(BM_HistoryDayQuery)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
