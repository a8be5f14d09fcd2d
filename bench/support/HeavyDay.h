#pragma once
// The heavy day the check is timed on: 2,000 aired items in a 60,000-row month table and
// 2,000 playlist lines in a 1,000,000-row History.db, as a busy station's folder holds them
// after some years. Portable: the native benchmarks and the ones that run under Wine write the
// same folder.

#include "base/DateTime.h"

#include <filesystem>

namespace spv::bench {

inline constexpr int kHeavyMonthRows = 60'000;
inline constexpr int kHeavyHistoryRows = 1'000'000;
inline constexpr int kHeavyDayItems = 2'000;

// The checked day: 9 December 2026; its month table is rep_2612.db.
spv::base::TDateTime HeavyDay();

// A month of days checked at once: the 31 days up to the heavy day, from 9 November, across
// the month boundary into November's table (rep_2611.db, as many rows as December's). The
// History.db rows spread 2,000 a day over about 500 days.
inline constexpr int kHeavyRangeDays = 31;

// Writes History.db into `folder` and the two month tables into `folder`/rep, and removes the
// folder again when it goes.
class THeavyDayFolder {
 public:
  explicit THeavyDayFolder(std::filesystem::path folder);
  ~THeavyDayFolder();
  THeavyDayFolder(const THeavyDayFolder&) = delete;
  THeavyDayFolder& operator=(const THeavyDayFolder&) = delete;

  // The bases folder (History.db) and the report folder (rep_2611.db, rep_2612.db).
  const std::filesystem::path& Bases() const { return Folder_; }
  std::filesystem::path Reports() const { return Folder_ / "rep"; }

 private:
  std::filesystem::path Folder_;
};

// A station's years: 1,000,000 History.db rows of 400 songs a day over 2,500 days (nearly
// seven years) up to the heavy day, and the month tables of November and December 2026 with
// the songs on air and as many rows of adverts: the range of kHeavyRangeDays up to the heavy
// day, beside that day alone, on the History.db of a station of ordinary size.
inline constexpr int kStationHistoryRows = 1'000'000;
inline constexpr int kStationDayItems = 400;

class TStationYearsFolder {
 public:
  explicit TStationYearsFolder(std::filesystem::path folder);
  ~TStationYearsFolder();
  TStationYearsFolder(const TStationYearsFolder&) = delete;
  TStationYearsFolder& operator=(const TStationYearsFolder&) = delete;

  const std::filesystem::path& Bases() const { return Folder_; }
  std::filesystem::path Reports() const { return Folder_ / "rep"; }

 private:
  std::filesystem::path Folder_;
};

}  // namespace spv::bench
