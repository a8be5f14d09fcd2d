// The check of a heavy day: 2,000 aired items in a 60,000-row month table and 2,000 playlist
// lines in a 1,000,000-row History.db, read, compared hour by hour and written as CSV, the
// work of `spinvolt-check --all --csv`. Once in-process, once as the tool itself. Beside it,
// in the same run on the same folder, the 31 days up to that day across the month boundary,
// `spinvolt-check --from --to --csv`: History.db and each month's table read once for the
// whole range, so a month costs little more than a day.
#include "app/ReportCsv.h"

#include "app/Check.h"
#include "app/Utf8Path.h"
#include "db/Query.h"
#include "support/HeavyDay.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using namespace spv;

const bench::THeavyDayFolder& HeavyDayFolder() {
  static const bench::THeavyDayFolder folder(fs::temp_directory_path() / ("spv-bench-check-" + std::to_string(::getpid())));
  return folder;
}

struct TQuiet final : app::TMessageBox, app::TProgressDialog, app::TMessagePump {
  void Show(std::string_view, app::TMsgKind) override {}
  void SetLabelCaption(std::string_view) override {}
  void SetValue(int) override {}
  void Show() override {}
  void PumpAndSleep(int) override {}
};

void BM_CheckHeavyDayCsv(benchmark::State& state) {
  const bench::THeavyDayFolder& day = HeavyDayFolder();
  TQuiet quiet;
  app::TLocalFileSystem files;
  std::size_t rows = 0;
  for (auto _ : state) {
    app::TPlaylistCheck check(quiet, quiet, quiet, files);
    check.PathDelimiter = '/';
    db::TQuery query;
    if (!check.SBExecClick(query, app::PathUtf8(day.Bases()), app::PathUtf8(day.Reports()), bench::HeavyDay()))
      state.SkipWithError("the check failed");
    std::vector<app::THourResult> hours;
    for (int hour = 0; hour < app::kHoursPerDay; ++hour) {
      check.Compares(hour);
      hours.push_back({hour, false, check.Logs});
    }
    const std::string csv = app::CsvReport(hours);
    benchmark::DoNotOptimize(csv.data());
    rows = std::size_t(std::count(csv.begin(), csv.end(), '\n'));
  }
  state.counters["csv_lines"] = double(rows);
}
BENCHMARK(BM_CheckHeavyDayCsv)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);

void BM_CheckHeavyRangeCsv(benchmark::State& state) {
  const bench::THeavyDayFolder& day = HeavyDayFolder();
  TQuiet quiet;
  app::TLocalFileSystem files;
  std::size_t rows = 0;
  for (auto _ : state) {
    app::TPlaylistCheck check(quiet, quiet, quiet, files);
    check.PathDelimiter = '/';
    db::TQuery query;
    const app::TRangeResult range =
        check.CheckRange(query, app::PathUtf8(day.Bases()), app::PathUtf8(day.Reports()),
                         bench::HeavyDay() - (bench::kHeavyRangeDays - 1), bench::HeavyDay());
    if (range.Failed || range.Days.size() != std::size_t(bench::kHeavyRangeDays) ||
        std::any_of(range.Days.begin(), range.Days.end(), [](const app::TDayResult& d) { return d.Failed(); }))
      state.SkipWithError("the range failed");
    app::TCsvOptions options;
    options.DateColumn = true;
    const std::string csv = app::CsvReport(range.Days, options);
    benchmark::DoNotOptimize(csv.data());
    rows = std::size_t(std::count(csv.begin(), csv.end(), '\n'));
  }
  state.counters["csv_lines"] = double(rows);
}
BENCHMARK(BM_CheckHeavyRangeCsv)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);

void BM_SpinvoltCheckToolAllCsv(benchmark::State& state) {
  const bench::THeavyDayFolder& day = HeavyDayFolder();
  const std::string command = std::string(SPV_CHECK_TOOL) + " --all --csv --date 2026-12-09 --bases '" +
                              day.Bases().string() + "' --reports '" + day.Reports().string() + "' >/dev/null";
  for (auto _ : state)
    if (std::system(command.c_str()) != 0) state.SkipWithError("spinvolt-check failed");
}
BENCHMARK(BM_SpinvoltCheckToolAllCsv)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);

void BM_SpinvoltCheckToolRangeCsv(benchmark::State& state) {
  const bench::THeavyDayFolder& day = HeavyDayFolder();
  const std::string command = std::string(SPV_CHECK_TOOL) + " --from " +
                              app::IsoDate(bench::HeavyDay() - (bench::kHeavyRangeDays - 1)) + " --to " +
                              app::IsoDate(bench::HeavyDay()) + " --csv --bases '" + day.Bases().string() +
                              "' --reports '" + day.Reports().string() + "' >/dev/null 2>&1";
  for (auto _ : state)
    if (std::system(command.c_str()) != 0) state.SkipWithError("spinvolt-check failed");
}
BENCHMARK(BM_SpinvoltCheckToolRangeCsv)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);

}  // namespace
