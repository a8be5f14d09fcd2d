// The check of a heavy day: 2,000 aired items in a 60,000-row month table and 2,000 playlist
// lines in a 1,000,000-row History.db, read, compared hour by hour and written as CSV, the
// work of `spinvolt-check --all --csv`. Once in-process, once as the tool itself.
//
// Beside each day, in the same run on the same folder, the 31 days up to it across the month
// boundary, `spinvolt-check --from --to --csv`: History.db and each month's table are read once
// for the whole range, so the range costs the one reading plus the work on its days' rows. Both
// on the heavy day's folder (2,000 songs a day) and on a station's years (400 songs a day in
// the same million rows).
#include "app/Check.h"
#include "app/ReportCsv.h"
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

fs::path BenchFolder(const std::string& name) {
  return fs::temp_directory_path() / ("spv-bench-" + name + '-' + std::to_string(::getpid()));
}

// The two folders, written when first asked for.
struct TFolders {
  fs::path Bases, Reports;
};

TFolders HeavyDayFolder() {
  static const bench::THeavyDayFolder folder(BenchFolder("check"));
  return {folder.Bases(), folder.Reports()};
}

TFolders StationYearsFolder() {
  static const bench::TStationYearsFolder folder(BenchFolder("check-years"));
  return {folder.Bases(), folder.Reports()};
}

const base::TDateTime kRangeFirst = bench::HeavyDay() - (bench::kHeavyRangeDays - 1);

struct TQuiet final : app::TMessageBox, app::TProgressDialog, app::TMessagePump {
  void Show(std::string_view, app::TMsgKind) override {}
  void SetLabelCaption(std::string_view) override {}
  void SetValue(int) override {}
  void Show() override {}
  void PumpAndSleep(int) override {}
};

// A check on a Linux folder with no window: nothing shown, nothing pumped. A new one for each
// run of a benchmark, as the tool makes one for each start.
struct TQuietCheck {
  TQuiet Quiet;
  app::TLocalFileSystem Files;
  app::TPlaylistCheck Check{Quiet, Quiet, Quiet, Files};
  db::TQuery Query;
  TQuietCheck() { Check.PathDelimiter = '/'; }
};

void CountLines(benchmark::State& state, const std::string& csv) {
  benchmark::DoNotOptimize(csv.data());
  state.counters["csv_lines"] = double(std::count(csv.begin(), csv.end(), '\n'));
}

void CheckDayCsv(benchmark::State& state, TFolders (*folders)()) {
  const TFolders day = folders();
  for (auto _ : state) {
    TQuietCheck c;
    if (!c.Check.SBExecClick(c.Query, app::PathUtf8(day.Bases), app::PathUtf8(day.Reports), bench::HeavyDay()))
      state.SkipWithError("the check failed");
    CountLines(state, app::CsvReport(app::CompareHoursQuietly(c.Check)));
  }
}

void CheckRangeCsv(benchmark::State& state, TFolders (*folders)()) {
  const TFolders days = folders();
  for (auto _ : state) {
    TQuietCheck c;
    const app::TRangeResult range = c.Check.CheckRange(c.Query, app::PathUtf8(days.Bases),
                                                       app::PathUtf8(days.Reports), kRangeFirst, bench::HeavyDay());
    if (range.Failed || range.Days.size() != std::size_t(bench::kHeavyRangeDays) ||
        std::any_of(range.Days.begin(), range.Days.end(), [](const app::TDayResult& d) { return d.Failed(); }))
      state.SkipWithError("the range failed");
    app::TCsvOptions options;
    options.DateColumn = true;
    CountLines(state, app::CsvReport(range.Days, options));
  }
}

void ToolCsv(benchmark::State& state, TFolders (*folders)(), const std::string& days) {
  const TFolders folder = folders();
  const std::string command = std::string(SPV_CHECK_TOOL) + ' ' + days + " --csv --bases '" + folder.Bases.string() +
                              "' --reports '" + folder.Reports.string() + "' >/dev/null";
  for (auto _ : state)
    if (std::system(command.c_str()) != 0) state.SkipWithError("spinvolt-check failed");
}

const std::string kToolDay = "--all --date " + app::IsoDate(bench::HeavyDay());
const std::string kToolRange = "--from " + app::IsoDate(kRangeFirst) + " --to " + app::IsoDate(bench::HeavyDay());

void BM_CheckHeavyDayCsv(benchmark::State& state) { CheckDayCsv(state, HeavyDayFolder); }
BENCHMARK(BM_CheckHeavyDayCsv)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);
void BM_CheckHeavyRangeCsv(benchmark::State& state) { CheckRangeCsv(state, HeavyDayFolder); }
BENCHMARK(BM_CheckHeavyRangeCsv)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);

void BM_SpinvoltCheckToolAllCsv(benchmark::State& state) { ToolCsv(state, HeavyDayFolder, kToolDay); }
BENCHMARK(BM_SpinvoltCheckToolAllCsv)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);
void BM_SpinvoltCheckToolRangeCsv(benchmark::State& state) { ToolCsv(state, HeavyDayFolder, kToolRange); }
BENCHMARK(BM_SpinvoltCheckToolRangeCsv)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);

void BM_CheckStationDayCsv(benchmark::State& state) { CheckDayCsv(state, StationYearsFolder); }
BENCHMARK(BM_CheckStationDayCsv)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);
void BM_CheckStationRangeCsv(benchmark::State& state) { CheckRangeCsv(state, StationYearsFolder); }
BENCHMARK(BM_CheckStationRangeCsv)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);

void BM_SpinvoltCheckToolStationDayCsv(benchmark::State& state) { ToolCsv(state, StationYearsFolder, kToolDay); }
BENCHMARK(BM_SpinvoltCheckToolStationDayCsv)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);
void BM_SpinvoltCheckToolStationRangeCsv(benchmark::State& state) {
  ToolCsv(state, StationYearsFolder, kToolRange);
}
BENCHMARK(BM_SpinvoltCheckToolStationRangeCsv)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);

}  // namespace
