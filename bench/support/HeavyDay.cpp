#include "support/HeavyDay.h"

#include "db/ParadoxWriter.h"

#include <string>
#include <system_error>

namespace spv::bench {

spv::base::TDateTime HeavyDay() { return *spv::base::EncodeDate(2026, 12, 9); }

namespace {

std::string Title(int hour, int n) { return "Песня " + std::to_string(hour) + '-' + std::to_string(n); }

db::TParadoxWriter NewHistory(const std::filesystem::path& file) {
  return db::TParadoxWriter(file, {{"FDate", db::TFieldType::Date, 4}, {"FHour", db::TFieldType::Long, 4},
                                   {"FNumber", db::TFieldType::Long, 4}, {"FType", db::TFieldType::Short, 2},
                                   {"FName", db::TFieldType::Alpha, 80}, {"FArtist", db::TFieldType::Alpha, 80}});
}

db::TParadoxWriter NewMonth(const std::filesystem::path& file) {
  return db::TParadoxWriter(file, {{"FDate", db::TFieldType::Date, 4}, {"FTime", db::TFieldType::Time, 4},
                                   {"FType", db::TFieldType::Short, 2}, {"FName", db::TFieldType::Alpha, 80},
                                   {"FArtist", db::TFieldType::Alpha, 80}});
}

// Creates the folder and runs `write`; a failure removes the folder again.
template <typename Write>
void WriteFolder(const std::filesystem::path& folder, Write write) {
  try {
    std::filesystem::create_directories(folder / "rep");
    write();
  } catch (...) {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    throw;
  }
}

void WriteHistory(const std::filesystem::path& file) {
  db::TParadoxWriter history = NewHistory(file);
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
  db::TParadoxWriter report = NewMonth(file);
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

// Years of a station's History.db, the newest day last: every day the same playlist of
// kStationDayItems songs, spread evenly over the hours. The month tables hold each day of
// November and December: the songs on air, a few swapped with their neighbour and a few
// put on air by hand, and as many rows of adverts and jingles.
void WriteStationYears(const std::filesystem::path& folder) {
  const auto hourOf = [](int n) { return n * 24 / kStationDayItems; };
  db::TParadoxWriter history = NewHistory(folder / "History.db");
  const int days = kStationHistoryRows / kStationDayItems;
  for (int i = 0; i < kStationHistoryRows; ++i) {
    const int n = i % kStationDayItems;
    history.SetDateTime(0, HeavyDay() - (days - 1) + i / kStationDayItems);
    history.SetInteger(1, hourOf(n));
    history.SetInteger(2, n);
    history.SetInteger(3, 0);
    history.SetText(4, Title(hourOf(n), n));
    history.SetText(5, "Исполнитель " + std::to_string(n % 300));
    history.AppendRecord();
  }
  history.Finish();
  for (const int month : {11, 12}) {
    db::TParadoxWriter report = NewMonth(folder / "rep" / ("rep_26" + std::to_string(month) + ".db"));
    for (int day = 1; day <= spv::base::DaysInMonth(2026, month); ++day)
      for (int n = 0; n < kStationDayItems; ++n) {
        int aired = n;
        if (n % 17 == 0 && n + 1 < kStationDayItems) aired = n + 1;
        if (n % 17 == 1) aired = n - 1;
        const bool byHand = n % 23 == 0;
        for (const int type : {4, 2}) {
          report.SetDateTime(0, *spv::base::EncodeDate(2026, month, day));
          report.SetDateTime(1, (hourOf(aired) * 3600.0 + (aired % 17) * 200 + (type == 2 ? 100 : 0)) / 86400.0);
          report.SetInteger(2, type);
          report.SetText(3, type == 2 ? "Реклама " + std::to_string(n)
                                      : byHand ? "Вне листа " + std::to_string(n) : Title(hourOf(aired), aired));
          report.SetText(4, "Исполнитель " + std::to_string(aired % 300));
          report.AppendRecord();
        }
      }
    report.Finish();
  }
}

void RemoveFolder(const std::filesystem::path& folder) {
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
}

}  // namespace

THeavyDayFolder::THeavyDayFolder(std::filesystem::path folder) : Folder_(std::move(folder)) {
  WriteFolder(Folder_, [&] {
    WriteHistory(Folder_ / "History.db");
    WriteMonth(Reports() / "rep_2611.db", 11);
    WriteMonth(Reports() / "rep_2612.db", 12);
  });
}

THeavyDayFolder::~THeavyDayFolder() { RemoveFolder(Folder_); }

TStationYearsFolder::TStationYearsFolder(std::filesystem::path folder) : Folder_(std::move(folder)) {
  WriteFolder(Folder_, [&] { WriteStationYears(Folder_); });
}

TStationYearsFolder::~TStationYearsFolder() { RemoveFolder(Folder_); }

}  // namespace spv::bench
