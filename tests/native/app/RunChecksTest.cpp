#include "CheckFakes.h"

#include <gtest/gtest.h>

#include <limits>

namespace spv::app {
namespace {

using test::TCheckWithFakes;

TDateTime Day(int y, int m, int d) { return *spv::base::EncodeDate(y, m, d); }

TEST(ReportTableName, YearsAfter2000CountFrom2000) {
  struct Case {
    int year, month;
    const char* name;
  };
  const Case cases[] = {
      {2026, 12, "rep_2612.db"}, {2005, 5, "rep_0505.db"},   {2001, 1, "rep_0101.db"},
      {2000, 3, "rep_200003.db"}, {1999, 12, "rep_199912.db"}, {2100, 7, "rep_10007.db"},
  };
  for (const Case& c : cases) EXPECT_EQ(ReportTableName(Day(c.year, c.month, 15)), c.name) << c.year << '-' << c.month;
  // Any day of the month, also the last one with a time of day.
  EXPECT_EQ(ReportTableName(Day(2026, 12, 31) + 0.9999), "rep_2612.db");
}

TEST(AirTimeHour, ExactOnFullHours) {
  struct Case {
    int h, m, s, ms;
    int hour;
  };
  const Case cases[] = {
      {0, 0, 0, 0, 0},     {1, 0, 0, 0, 1},      {13, 0, 0, 0, 13},    {12, 59, 59, 999, 12},
      {23, 59, 59, 0, 23}, {23, 59, 59, 999, 23}, {6, 0, 0, 0, 6},      {20, 0, 0, 0, 20},
  };
  for (const Case& c : cases) {
    const long long ms = ((c.h * 60LL + c.m) * 60 + c.s) * 1000 + c.ms;
    // As the table reader gives a time column: milliseconds of the day over a day's milliseconds.
    EXPECT_EQ(AirTimeHour(double(ms) / 86400000.0), c.hour) << c.h << ':' << c.m << ':' << c.s << '.' << c.ms;
  }
  // Every full hour, however its fraction of the day rounds.
  for (int h = 0; h < 24; ++h) EXPECT_EQ(AirTimeHour(h / 24.0), h) << h;
  for (int h = 0; h < 24; ++h) EXPECT_EQ(AirTimeHour(double(h * 3600000LL) / 86400000.0), h) << h;
}

TEST(AirTimeHour, ValuesOutsideTheDayGiveHoursOutsideIt) {
  const TDateTime fullDateTime = Day(2026, 12, 9) + 0.5;
  for (TDateTime t : {1.0, 1.5, fullDateTime, 1e300, std::numeric_limits<double>::infinity()})
    EXPECT_GT(AirTimeHour(t), 23) << t;
  for (TDateTime t : {-1.0, -1e300, -std::numeric_limits<double>::infinity()}) EXPECT_LT(AirTimeHour(t), 0) << t;
  const int nan = AirTimeHour(std::numeric_limits<double>::quiet_NaN());
  EXPECT_TRUE(nan < 0 || nan > 23) << nan;
}

// The folders and files that exist, Windows-spelt as the program checks them.
void Quorvane(test::TListedFiles& fs) {
  fs.folders = {"D:\\Data\\", "D:\\Rep\\"};
  fs.files = {"D:\\Data\\History.db", "D:\\Rep\\rep_2612.db"};
}

TEST(RunChecks, InOrderWithTheirMessages) {
  struct Case {
    const char* bases;
    const char* report;
    int year, month, day;
    const char* message;  // nullptr: every check passes
  };
  const Case cases[] = {
      {"", "", 2026, 12, 9, "Укажите папку с базами Quorvane"},
      {"", "D:\\Rep", 2026, 12, 9, "Укажите папку с базами Quorvane"},
      {"D:\\Nope", "", 2026, 12, 9, "Папка с базами не существует: D:\\Nope\\"},
      {"   ", "", 2026, 12, 9, "Папка с базами не существует:    \\"},
      {"D:\\Rep", "", 2026, 12, 9, "База принятых листов не найдена: D:\\Rep\\History.db"},
      {"D:\\Data", "", 2026, 12, 9, "Укажите папку с базами отчетов Quorvane"},
      {"D:\\Data\\", "D:\\Data\\Rep", 2026, 12, 9, "Папка с базами отчетов не существует: D:\\Data\\Rep\\"},
      {"D:\\Data", "D:\\Rep", 2026, 11, 30, "База отчета за 30.11.2026 не найдена: D:\\Rep\\rep_2611.db"},
      {"D:\\Data", "D:\\Rep", 2026, 12, 9, nullptr},
      {"D:\\Data\\", "D:\\Rep\\", 2026, 12, 1, nullptr},
  };
  for (const Case& c : cases) {
    TCheckWithFakes f;
    Quorvane(f.fs);
    const auto failed = f.check.RunChecks(c.bases, c.report, Day(c.year, c.month, c.day));
    if (c.message) {
      ASSERT_TRUE(failed.has_value()) << c.message;
      EXPECT_EQ(*failed, c.message);
    } else {
      EXPECT_FALSE(failed.has_value()) << *failed;
    }
  }
}

TEST(RunChecks, SetThePathsAndTheDayOfTheRun) {
  TCheckWithFakes f;
  Quorvane(f.fs);
  const TDateTime day = Day(2026, 12, 9) + 0.75;
  ASSERT_FALSE(f.check.RunChecks("D:\\Data", "D:\\Rep\\", day));
  EXPECT_EQ(f.check.BasesPath, "D:\\Data\\History.db");
  EXPECT_EQ(f.check.ReportPath, "D:\\Rep\\rep_2612.db");
  EXPECT_EQ(f.check.WorkDate, day);
}

TEST(RunChecks, TheMissingReportShowsTheUsersShortDate) {
  struct Case {
    const char* format;
    const char* message;
  };
  const Case cases[] = {
      {"dd.MM.yyyy", "База отчета за 05.01.2026 не найдена: D:\\Rep\\rep_2601.db"},
      {"M/d/yyyy", "База отчета за 1/5/2026 не найдена: D:\\Rep\\rep_2601.db"},
      {"yyyy-MM-dd", "База отчета за 2026-01-05 не найдена: D:\\Rep\\rep_2601.db"},
  };
  for (const Case& c : cases) {
    TCheckWithFakes f;
    Quorvane(f.fs);
    f.check.ShortDateFormat = c.format;
    EXPECT_EQ(f.check.RunChecks("D:\\Data", "D:\\Rep", Day(2026, 1, 5)).value_or(""), c.message) << c.format;
  }
}

TEST(RunChecks, LinuxFoldersEndInSlash) {
  TCheckWithFakes f;
  f.fs.folders = {"/srv/q/", "/srv/q/rep/"};
  f.fs.files = {"/srv/q/History.db"};
  f.check.PathDelimiter = '/';
  EXPECT_EQ(f.check.RunChecks("/srv/q", "/srv/q/rep/", Day(2026, 12, 9)).value_or(""),
            "База отчета за 09.12.2026 не найдена: /srv/q/rep/rep_2612.db");
}

}  // namespace
}  // namespace spv::app
