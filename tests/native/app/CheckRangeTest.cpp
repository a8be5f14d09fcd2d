// A range of days checked with one read of each table: the same answer, day by day, as the
// one-day run, across a month boundary and around a month whose table is missing or broken.
#include "CheckFakes.h"
#include "QuorvaneFolder.h"

#include "app/ReportCsv.h"
#include "app/Utf8Path.h"
#include "db/Query.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

namespace spv::app {
namespace {

using namespace test;

constexpr char kDelimiter = char(fs::path::preferred_separator);

spv::base::TDateTime Day(int year, int month, int day) { return *spv::base::EncodeDate(year, month, day); }

struct CheckRangeFixture : ::testing::Test {
  TTempFolder folder{::testing::UnitTest::GetInstance()->current_test_info()->name()};
  std::string bases = PathUtf8(folder.path);
  std::string reports = PathUtf8(folder.path / "rep");
  TRecordedBox box;
  TRecordedProgress progress;
  TLocalFileSystem files;
  db::TQuery query;

  CheckRangeFixture() { fs::create_directories(folder.path / "rep"); }

  // Three songs a day in hour 9 and two in hour 20, the titles telling the day. Hour 9 has
  // the second song moved before the first, one song by hand and the third not aired; hour 20
  // aired in place. Written out of
  // order, and with rows of other types, as the tables hold them.
  void WriteDays(const std::vector<spv::base::TDateTime>& days) {
    THistoryWriter history(folder.path / "History.db");
    std::map<std::string, std::unique_ptr<TReportWriter>> months;
    for (auto day = days.rbegin(); day != days.rend(); ++day) {
      const std::string tag = spv::base::FormatDate(*day, "dd.MM");
      for (int n = 2; n >= 0; --n) history.Add(*day, 9, n, 0, "Song " + tag + '-' + std::to_string(n), "Band");
      history.Add(*day, 20, 1, 0, "Evening " + tag, "B");
      history.Add(*day, 20, 0, 0, "Night", "A");
      history.Add(*day, 9, 7, 1, "Jingle", "Station");
      std::unique_ptr<TReportWriter>& month = months[ReportTableName(*day)];
      if (!month) month = std::make_unique<TReportWriter>(folder.path / "rep" / ReportTableName(*day));
      month->Add(*day, Clock(9, 5, 0), 4, "Song " + tag + "-0", "Band");
      month->Add(*day, Clock(9, 1, 0), 4, "Song " + tag + "-1", "Band");
      month->Add(*day, Clock(9, 9, 0), 4, "Request " + tag, "Listener");
      month->Add(*day, Clock(9, 3, 0), 2, "Advert", "Sponsor");
      month->Add(*day, Clock(20, 0, 0), 4, "Night", "A");
      month->Add(*day, Clock(20, 4, 0), 4, "Evening " + tag, "B");
    }
    history.Finish();
    for (auto& [name, month] : months) month->Finish();
  }

  std::unique_ptr<TPlaylistCheck> NewCheck() {
    auto check = std::make_unique<TPlaylistCheck>(box, progress, progress, files);
    check->PathDelimiter = kDelimiter;
    return check;
  }

  // The one-day run of the program for the day, as the hours' texts.
  std::string OneDay(spv::base::TDateTime day) {
    const auto check = NewCheck();
    if (!check->SBExecClick(query, bases, reports, day)) return "failed";
    return Texts(CompareHoursQuietly(*check));
  }

  static std::string Texts(const std::vector<THourResult>& hours) {
    std::string out;
    for (const THourResult& hour : hours)
      out += std::to_string(hour.Hour) + (hour.NoPlaylist ? " no playlist\n" : "\n") +
             ClipboardText(hour.Logs, "HH:mm:ss");
    return out;
  }

  std::size_t Reads(std::string_view caption) const {
    return std::size_t(std::count(progress.events.begin(), progress.events.end(), "caption:" + std::string(caption)));
  }
};

TEST_F(CheckRangeFixture, AcrossAMonthBoundaryEachTableIsReadOnceAndEachDayIsTheOneDayRunsAnswer) {
  WriteDays({Day(2026, 11, 28), Day(2026, 11, 29), Day(2026, 11, 30), Day(2026, 12, 1), Day(2026, 12, 2)});
  const auto check = NewCheck();
  const TRangeResult range = check->CheckRange(query, bases, reports, Day(2026, 11, 29), Day(2026, 12, 1));
  ASSERT_FALSE(range.Failed) << *range.Failed;
  EXPECT_EQ(Reads(kCaptionReadingHistory), 1u);
  EXPECT_EQ(Reads(kCaptionReadingReport), 2u);  // November's table and December's
  EXPECT_TRUE(box.shown.empty());

  ASSERT_EQ(range.Days.size(), 3u);
  const spv::base::TDateTime expected[] = {Day(2026, 11, 29), Day(2026, 11, 30), Day(2026, 12, 1)};
  for (std::size_t i = 0; i < range.Days.size(); ++i) {
    const TDayResult& day = range.Days[i];
    EXPECT_EQ(day.Day, expected[i]);
    EXPECT_FALSE(day.Failed()) << day.Error;
    ASSERT_EQ(day.Hours.size(), 24u);
    EXPECT_EQ(Texts(day.Hours), OneDay(day.Day)) << IsoDate(day.Day);
    EXPECT_EQ(day.Counts(), (TCaseCounts{{3, 1, 1, 1}})) << IsoDate(day.Day);
  }
  // The rows carry their own day: hour 9 of 30 November holds that day's songs only.
  EXPECT_NE(ClipboardText(range.Days[1].Hours[9].Logs, "HH:mm:ss").find("Request 30.11"), std::string::npos);
  EXPECT_EQ(ClipboardText(range.Days[1].Hours[9].Logs, "HH:mm:ss").find(".12"), std::string::npos);

  // One hour of each day.
  const TRangeResult nine = NewCheck()->CheckRange(query, bases, reports, Day(2026, 11, 30), Day(2026, 12, 2), 9);
  ASSERT_EQ(nine.Days.size(), 3u);
  for (const TDayResult& day : nine.Days) {
    ASSERT_EQ(day.Hours.size(), 1u);
    EXPECT_EQ(day.Hours[0].Hour, 9);
  }
}

TEST_F(CheckRangeFixture, AMonthWhoseTableIsMissingOrBrokenFailsItsDaysAndTheOthersAreChecked) {
  WriteDays({Day(2026, 10, 31), Day(2026, 11, 15), Day(2026, 12, 1)});
  const std::string november = reports + kDelimiter + "rep_2611.db";
  struct Case {
    const char* name;
    bool broken;  // else missing
    std::string reason;
  };
  const Case cases[] = {
      {"missing", false, "База отчета за 01.11.2026 не найдена: " + november},
      {"broken", true, "rep_2611.db"},  // the database layer's message names the table
  };
  for (const Case& c : cases) {
    fs::remove(Utf8Path(november));
    if (c.broken) std::ofstream(Utf8Path(november)) << "not a table";
    progress.events.clear();
    const TRangeResult range = NewCheck()->CheckRange(query, bases, reports, Day(2026, 10, 31), Day(2026, 12, 1));
    ASSERT_FALSE(range.Failed) << c.name;
    EXPECT_EQ(Reads(kCaptionReadingHistory), 1u) << c.name;
    ASSERT_EQ(range.Days.size(), 32u) << c.name;
    EXPECT_EQ(Texts(range.Days.front().Hours), OneDay(Day(2026, 10, 31))) << c.name;
    EXPECT_EQ(Texts(range.Days.back().Hours), OneDay(Day(2026, 12, 1))) << c.name;
    for (std::size_t i = 1; i + 1 < range.Days.size(); ++i) {
      EXPECT_TRUE(range.Days[i].Hours.empty()) << c.name;
      EXPECT_EQ(range.Days[i].Day, Day(2026, 11, int(i))) << c.name;
    }
    EXPECT_EQ(range.Days[1].Error.rfind(c.reason, 0), c.broken ? std::string::npos : 0u) << range.Days[1].Error;
    EXPECT_NE(range.Days[1].Error.find(c.reason), std::string::npos) << range.Days[1].Error;
    EXPECT_NE(range.Days[30].Error.find(c.broken ? c.reason : "База отчета за 30.11.2026"), std::string::npos);
  }
}

TEST_F(CheckRangeFixture, FoldersAreCheckedFirstAndAnUnreadableHistoryFailsEveryDay) {
  WriteDays({Day(2026, 12, 1)});
  const TRangeResult noFolder =
      NewCheck()->CheckRange(query, bases + kDelimiter + "gone", reports, Day(2026, 12, 1), Day(2026, 12, 2));
  EXPECT_EQ(noFolder.Failed, std::string(kMsgBasesFolderMissing) + bases + kDelimiter + "gone" + kDelimiter);
  EXPECT_TRUE(noFolder.Days.empty());
  EXPECT_TRUE(progress.events.empty()) << "nothing is read";

  std::ofstream(folder.path / "History.db", std::ios::trunc) << "not a table";
  const TRangeResult range = NewCheck()->CheckRange(query, bases, reports, Day(2026, 12, 1), Day(2026, 12, 2));
  ASSERT_FALSE(range.Failed);
  ASSERT_EQ(range.Days.size(), 2u);
  for (const TDayResult& day : range.Days) EXPECT_NE(day.Error.find("History.db"), std::string::npos) << day.Error;
}

}  // namespace
}  // namespace spv::app
