// The check of a heavy day: 2,000 aired items in a 60,000-row month table and 2,000 playlist
// lines in a 1,000,000-row History.db, read, compared hour by hour and written as CSV, the
// work of `spinvolt-check --all --csv`. Once in-process, once as the tool itself.
#include "tools/spinvolt-check/CheckReport.h"

#include "app/Check.h"
#include "app/Utf8Path.h"
#include "db/ParadoxWriter.h"
#include "db/Query.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using namespace spv;

const spv::base::TDateTime kDay = *spv::base::EncodeDate(2026, 12, 9);
constexpr int kMonthRows = 60'000, kHistoryRows = 1'000'000, kDayItems = 2'000;

std::string Title(int hour, int n) { return "Песня " + std::to_string(hour) + '-' + std::to_string(n); }

struct THeavyDay {
  fs::path folder = fs::temp_directory_path() / ("spv-bench-check-" + std::to_string(::getpid()));

  THeavyDay() {
    fs::create_directories(folder / "rep");
    {
      db::TParadoxWriter history(folder / "History.db",
                                 {{"FDate", db::TFieldType::Date, 4}, {"FHour", db::TFieldType::Long, 4},
                                  {"FNumber", db::TFieldType::Long, 4}, {"FType", db::TFieldType::Short, 2},
                                  {"FName", db::TFieldType::Alpha, 80}, {"FArtist", db::TFieldType::Alpha, 80}});
      // Earlier days first, as Quorvane appends them; the checked day is the last.
      const int earlier = kHistoryRows - kDayItems;
      for (int i = 0; i < kHistoryRows; ++i) {
        const bool today = i >= earlier;
        const int k = today ? i - earlier : i;
        const int hour = today ? k * 24 / kDayItems : k / 80 % 24;
        history.SetDateTime(0, today ? kDay : kDay - 1 - k / 2000);
        history.SetInteger(1, hour);
        history.SetInteger(2, k % 84);
        history.SetInteger(3, 0);
        history.SetText(4, Title(hour, k % 84));
        history.SetText(5, "Исполнитель " + std::to_string(k % 300));
        history.AppendRecord();
      }
      history.Finish();
    }
    db::TParadoxWriter report(folder / "rep" / "rep_2612.db",
                              {{"FDate", db::TFieldType::Date, 4}, {"FTime", db::TFieldType::Time, 4},
                               {"FType", db::TFieldType::Short, 2}, {"FName", db::TFieldType::Alpha, 80},
                               {"FArtist", db::TFieldType::Alpha, 80}});
    for (int i = 0; i < kMonthRows; ++i) {
      // Every 30th row of the month belongs to the checked day and aired: 2,000 items.
      const bool today = i % 30 == 0;
      const int k = today ? i / 30 : i;
      const int hour = today ? k * 24 / kDayItems : k % 24;
      // Mostly in place, some swapped with their neighbour, some put on air by hand.
      int n = k % 84;
      if (k % 17 == 0) n = n ^ 1;
      const std::string title = k % 23 == 0 ? "Вне листа " + std::to_string(k) : Title(hour, n);
      // The other rows spread over the month's other days.
      int other = 1 + k % 30;
      if (other >= 9) ++other;
      report.SetDateTime(0, today ? kDay : *spv::base::EncodeDate(2026, 12, other));
      report.SetDateTime(1, (hour * 3600.0 + (k % 84) * 42) / 86400.0);
      report.SetInteger(2, today || k % 5 ? 4 : 2);
      report.SetText(3, title);
      report.SetText(4, "Исполнитель " + std::to_string(k % 300));
      report.AppendRecord();
    }
    report.Finish();
  }
  ~THeavyDay() {
    std::error_code ec;
    fs::remove_all(folder, ec);
  }
};

const THeavyDay& HeavyDay() {
  static THeavyDay day;
  return day;
}

struct TQuiet final : app::TMessageBox, app::TProgressDialog, app::TMessagePump {
  void Show(std::string_view, app::TMsgKind) override {}
  void SetLabelCaption(std::string_view) override {}
  void SetValue(int) override {}
  void Show() override {}
  void PumpAndSleep(int) override {}
};

void BM_CheckHeavyDayCsv(benchmark::State& state) {
  const THeavyDay& day = HeavyDay();
  TQuiet quiet;
  app::TLocalFileSystem files;
  std::size_t rows = 0;
  for (auto _ : state) {
    app::TPlaylistCheck check(quiet, quiet, quiet, files);
    check.PathDelimiter = '/';
    db::TQuery query;
    if (!check.SBExecClick(query, app::PathUtf8(day.folder), app::PathUtf8(day.folder / "rep"), kDay))
      state.SkipWithError("the check failed");
    std::vector<tools::THourResult> hours;
    for (int hour = 0; hour < app::kHoursPerDay; ++hour) {
      check.Compares(hour);
      hours.push_back({hour, false, check.Logs});
    }
    const std::string csv = tools::CsvReport(hours);
    benchmark::DoNotOptimize(csv.data());
    rows = std::size_t(std::count(csv.begin(), csv.end(), '\n'));
  }
  state.counters["csv_lines"] = double(rows);
}
BENCHMARK(BM_CheckHeavyDayCsv)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);

void BM_SpinvoltCheckToolAllCsv(benchmark::State& state) {
  const THeavyDay& day = HeavyDay();
  const std::string command = std::string(SPV_CHECK_TOOL) + " --all --csv --date 2026-12-09 --bases '" +
                              day.folder.string() + "' --reports '" + (day.folder / "rep").string() + "' >/dev/null";
  for (auto _ : state)
    if (std::system(command.c_str()) != 0) state.SkipWithError("spinvolt-check failed");
}
BENCHMARK(BM_SpinvoltCheckToolAllCsv)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);

}  // namespace
