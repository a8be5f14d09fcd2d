#include "support/HeavyDay.h"

#include "db/ParadoxWriter.h"

#include <string>
#include <system_error>

namespace spv::bench {
namespace {

std::string Title(int hour, int n) { return "Песня " + std::to_string(hour) + '-' + std::to_string(n); }

void WriteHistory(const std::filesystem::path& file) {
  db::TParadoxWriter history(file, {{"FDate", db::TFieldType::Date, 4}, {"FHour", db::TFieldType::Long, 4},
                                    {"FNumber", db::TFieldType::Long, 4}, {"FType", db::TFieldType::Short, 2},
                                    {"FName", db::TFieldType::Alpha, 80}, {"FArtist", db::TFieldType::Alpha, 80}});
  // Earlier days first, as Quorvane appends them; the checked day is the last.
  const int earlier = kHeavyHistoryRows - kHeavyDayItems;
  for (int i = 0; i < kHeavyHistoryRows; ++i) {
    const bool today = i >= earlier;
    const int k = today ? i - earlier : i;
    const int hour = today ? k * 24 / kHeavyDayItems : k / 80 % 24;
    history.SetDateTime(0, today ? HeavyDay() : HeavyDay() - 1 - k / 2000);
    history.SetInteger(1, hour);
    history.SetInteger(2, k % 84);
    history.SetInteger(3, 0);
    history.SetText(4, Title(hour, k % 84));
    history.SetText(5, "Исполнитель " + std::to_string(k % 300));
    history.AppendRecord();
  }
  history.Finish();
}

// December holds the checked day; November, before it, only days like December's others, so
// that a range of days can reach back across the month boundary.
void WriteMonth(const std::filesystem::path& file, int month) {
  db::TParadoxWriter report(file, {{"FDate", db::TFieldType::Date, 4}, {"FTime", db::TFieldType::Time, 4},
                                   {"FType", db::TFieldType::Short, 2}, {"FName", db::TFieldType::Alpha, 80},
                                   {"FArtist", db::TFieldType::Alpha, 80}});
  for (int i = 0; i < kHeavyMonthRows; ++i) {
    // Every 30th row of the month belongs to the checked day and aired: 2,000 items.
    const bool today = month == 12 && i % 30 == 0;
    const int k = today ? i / 30 : i;
    const int hour = today ? k * 24 / kHeavyDayItems : k % 24;
    // Mostly in place, some swapped with their neighbour, some put on air by hand.
    int n = k % 84;
    if (k % 17 == 0) n = n ^ 1;
    const std::string title = k % 23 == 0 ? "Вне листа " + std::to_string(k) : Title(hour, n);
    // The other rows spread over the month's other days.
    int other = 1 + k % 30;
    if (month == 12 && other >= 9) ++other;
    report.SetDateTime(0, today ? HeavyDay() : *spv::base::EncodeDate(2026, month, other));
    report.SetDateTime(1, (hour * 3600.0 + (k % 84) * 42) / 86400.0);
    report.SetInteger(2, today || k % 5 ? 4 : 2);
    report.SetText(3, title);
    report.SetText(4, "Исполнитель " + std::to_string(k % 300));
    report.AppendRecord();
  }
  report.Finish();
}

}  // namespace

spv::base::TDateTime HeavyDay() { return *spv::base::EncodeDate(2026, 12, 9); }

THeavyDayFolder::THeavyDayFolder(std::filesystem::path folder) : Folder_(std::move(folder)) {
  try {
    std::filesystem::create_directories(Reports());
    WriteHistory(Folder_ / "History.db");
    WriteMonth(Reports() / "rep_2611.db", 11);
    WriteMonth(Reports() / "rep_2612.db", 12);
  } catch (...) {
    std::error_code ignored;
    std::filesystem::remove_all(Folder_, ignored);
    throw;
  }
}

THeavyDayFolder::~THeavyDayFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(Folder_, ignored);
}

}  // namespace spv::bench
