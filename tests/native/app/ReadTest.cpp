// The reads through the query component, from tables written by our own Paradox writer.
#include "CheckFakes.h"
#include "QuorvaneFolder.h"

#include "app/Settings.h"
#include "app/Utf8Path.h"
#include "db/Query.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>

namespace spv::app {
namespace {

using namespace test;

const spv::base::TDateTime kDay = *spv::base::EncodeDate(2026, 12, 9);
const spv::base::TDateTime kOtherDay = *spv::base::EncodeDate(2026, 12, 10);
// The folders of this machine: Windows ones end in a backslash.
constexpr char kDelimiter = char(fs::path::preferred_separator);

struct ReadFixture : ::testing::Test {
  TTempFolder folder{::testing::UnitTest::GetInstance()->current_test_info()->name()};
  std::string bases = PathUtf8(folder.path / "bases");
  std::string reports = PathUtf8(folder.path / "rep");
  TRecordedBox box;
  TRecordedProgress progress;
  TLocalFileSystem files;
  TPlaylistCheck check{box, progress, progress, files};
  db::TQuery query;

  ReadFixture() {
    fs::create_directories(Utf8Path(bases));
    fs::create_directories(Utf8Path(reports));
    check.PathDelimiter = kDelimiter;
  }
  fs::path HistoryFile() const { return Utf8Path(bases) / "History.db"; }
  fs::path ReportFile() const { return Utf8Path(reports) / "rep_2612.db"; }
  bool Run() { return check.SBExecClick(query, bases, reports, kDay); }
};

TEST(ReadSql, TheTwoQueriesLineByLine) {
  EXPECT_EQ(ReportSql("D:\\Rep\\rep_2612.db", "09.12.2026"),
            (std::vector<std::string>{"SELECT FDate,FTime,FType,FName,FArtist FROM \"D:\\Rep\\rep_2612.db\"",
                                      "WHERE FType=4 AND FDate=\"09.12.2026\"", "ORDER BY FTime"}));
  EXPECT_EQ(HistorySql("D:\\Data\\History.db", "12/9/2026"),
            (std::vector<std::string>{"SELECT FDate,FHour,FNumber,FName,FArtist,FType FROM \"D:\\Data\\History.db\"",
                                      "WHERE FDate=\"12/9/2026\" AND FType=0", "ORDER BY FHour,FNumber"}));
}

TEST_F(ReadFixture, WorkedExampleEndToEnd) {
  {
    THistoryWriter history(HistoryFile());
    // Out of order on purpose: the query sorts by hour and number.
    const char* titles[] = {"E", "D", "C", "B", "A"};
    for (int i = 0; i < 5; ++i) history.Add(kDay, 10, 4 - i, 0, titles[i], "by " + std::string(titles[i]));
    history.Add(kDay, 10, 5, 1, "Jingle", "Station");        // another type of row
    history.Add(kOtherDay, 10, 0, 0, "Tomorrow", "Nobody");  // another day
    history.Finish();
    TReportWriter report(ReportFile());
    report.Add(kDay, Clock(10, 13, 30), 4, "E", "by E");
    report.Add(kDay, Clock(10, 0, 5), 4, "A", "by A");
    report.Add(kDay, Clock(10, 10, 0), 4, "B", "by B");
    report.Add(kDay, Clock(10, 7, 10), 4, "X", "by X");
    report.Add(kDay, Clock(10, 3, 40), 4, "C", "by C");
    report.Add(kDay, Clock(10, 5, 0), 2, "Advert", "Sponsor");
    report.Add(kOtherDay, Clock(10, 1, 0), 4, "A", "by A");
    report.Finish();
  }
  ASSERT_TRUE(Run());
  check.Compares(10);

  struct Row {
    const char* title;
    spv::base::TDateTime time;
    int number;
    TColor color;
  };
  const Row rows[] = {
      {"A", Clock(10, 0, 5), 0, clWhite},  {"C", Clock(10, 3, 40), 2, clYellow}, {"X", Clock(10, 7, 10), -1, clRed},
      {"B", Clock(10, 10, 0), 1, clWhite}, {"D", -1.0, 3, clGreen},             {"E", Clock(10, 13, 30), 4, clWhite},
  };
  ASSERT_EQ(check.Logs.size(), std::size(rows));
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    const TLogItem& row = check.Logs[i];
    EXPECT_EQ(row.Title.str(), rows[i].title) << i;
    EXPECT_EQ(row.Artist.str(), "by " + std::string(rows[i].title)) << i;
    EXPECT_NEAR(row.AirTime, rows[i].time, 1e-9) << i;
    EXPECT_EQ(row.Number, rows[i].number) << i;
    EXPECT_EQ(row.RowColor, rows[i].color) << i;
  }
  for (int hour = 0; hour < 24; ++hour) {
    EXPECT_EQ(check.RepHours[std::size_t(hour)].size(), hour == 10 ? 5u : 0u) << hour;
    EXPECT_EQ(check.HistHours[std::size_t(hour)].size(), hour == 10 ? 5u : 0u) << hour;
  }
}

TEST_F(ReadFixture, ReportRowsGoToTheHourOfTheirAirTime) {
  struct Case {
    std::optional<spv::base::TDateTime> time;
    int hour;  // -1: skipped
  };
  const Case cases[] = {
      {Clock(23, 59, 59), 23}, {Clock(0, 0, 0), 0},  {Clock(1, 0, 0), 1},  {Clock(13, 0, 0), 13},
      {Clock(12, 59, 59, 999), 12}, {Clock(20, 0, 0), 20}, {std::nullopt, 0},
  };
  {
    TReportWriter report(ReportFile());
    for (std::size_t i = 0; i < std::size(cases); ++i)
      report.Add(kDay, cases[i].time, 4, "T" + std::to_string(i), "a");
    report.Finish();
    THistoryWriter(HistoryFile()).Finish();
  }
  ASSERT_TRUE(Run());
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const auto& list = check.RepHours[std::size_t(cases[i].hour)];
    const bool found = std::any_of(list.begin(), list.end(), [&](const TRepItem& r) { return r.Title.str() == "T" + std::to_string(i); });
    EXPECT_TRUE(found) << "row " << i << " not in hour " << cases[i].hour;
  }
  std::size_t total = 0;
  for (const auto& list : check.RepHours) total += list.size();
  EXPECT_EQ(total, std::size(cases));
  // An empty air time reads as 0.
  EXPECT_EQ(check.RepHours[0].front().AirTime, 0.0);
}

TEST_F(ReadFixture, AnAirTimeWithADateIsSkipped) {
  {
    TReportWriter report(ReportFile(), db::TFieldType::Timestamp);
    report.Add(kDay, kDay + Clock(10, 0, 0), 4, "full", "a");
    report.Add(kDay, Clock(11, 0, 0), 4, "time only", "a");
    report.Finish();
    THistoryWriter(HistoryFile()).Finish();
  }
  ASSERT_TRUE(Run());
  std::size_t total = 0;
  for (const auto& list : check.RepHours) total += list.size();
  EXPECT_EQ(total, 1u);
  ASSERT_EQ(check.RepHours[11].size(), 1u);
  EXPECT_EQ(check.RepHours[11][0].Title.str(), "time only");
}

TEST_F(ReadFixture, PlaylistRowsOutsideTheDayAreSkippedAndLongTextsCut) {
  const std::string seventy(70, 'L');
  {
    THistoryWriter history(HistoryFile());
    history.Add(kDay, 24, 0, 0, "twenty-four", "a");
    history.Add(kDay, -1, 0, 0, "minus one", "a");
    history.Add(kDay, std::nullopt, 7, 0, "no hour", "a");
    history.Add(kDay, 23, 2, 0, seventy, seventy + "!");
    history.Finish();
    TReportWriter(ReportFile()).Finish();
  }
  ASSERT_TRUE(Run());
  ASSERT_EQ(check.HistHours[0].size(), 1u);
  EXPECT_EQ(check.HistHours[0][0].Title.str(), "no hour");
  EXPECT_EQ(check.HistHours[0][0].Number, 7);
  ASSERT_EQ(check.HistHours[23].size(), 1u);
  EXPECT_EQ(check.HistHours[23][0].Title.str(), std::string(64, 'L'));
  EXPECT_EQ(check.HistHours[23][0].Artist.str(), std::string(64, 'L'));
  EXPECT_EQ(check.HistHours[23][0].Number, 2);
  std::size_t total = 0;
  for (const auto& list : check.HistHours) total += list.size();
  EXPECT_EQ(total, 2u);
}

TEST_F(ReadFixture, ProgressAtTheFirstOfEvery50KeptRowsAndAt100) {
  {
    // A time column holds no time outside the day; a timestamp in its place can.
    TReportWriter report(ReportFile(), db::TFieldType::Timestamp);
    // A skipped row first: the counter counts kept rows only.
    report.Add(kDay, kDay + 0.5, 4, "skipped", "a");
    for (int i = 0; i < 120; ++i) report.Add(kDay, Clock(i / 10, i % 10, 0), 4, "T", "a");
    report.Finish();
    THistoryWriter(HistoryFile()).Finish();
  }
  ASSERT_TRUE(Run());
  const std::vector<std::string> expected = {
      // The report: rows 1, 51 and 101 are in hours 0, 5 and 10.
      "value:0", "caption:Чтение данных отчета", "show", "pump:10",
      "value:0", "pump:10", "value:20", "pump:10", "value:40", "pump:10",
      "value:100", "pump:10",
      // The empty playlist table.
      "value:0", "caption:Чтение принятых плейлистов", "show", "pump:10", "value:100", "pump:10"};
  EXPECT_EQ(progress.events, expected);
}

TEST_F(ReadFixture, EachReadReplacesTheListsOfTheLastRun) {
  THistoryWriter(HistoryFile()).Finish();
  TReportWriter(ReportFile()).Finish();
  check.RepHours[5].push_back({TShortString("old"), TShortString(), 0.21});
  check.HistHours[6].push_back({TShortString("old"), TShortString(), 0});
  ASSERT_TRUE(Run());
  for (int hour = 0; hour < 24; ++hour) {
    EXPECT_TRUE(check.RepHours[std::size_t(hour)].empty()) << hour;
    EXPECT_TRUE(check.HistHours[std::size_t(hour)].empty()) << hour;
  }
  EXPECT_TRUE(query.SQL().empty());
  EXPECT_FALSE(query.Active());
}

TEST_F(ReadFixture, SettingsAreWrittenAsTypedOnceTheChecksPassEvenWhenReadingFails) {
  const fs::path ini = folder.path / "spinvolt.ini";
  check.SettingsPath = PathUtf8(ini);
  // The checks look at names only: a report table that is no table fails in the read.
  THistoryWriter(HistoryFile()).Finish();
  std::ofstream(ReportFile()) << "not a Paradox table";
  EXPECT_THROW(Run(), db::TDatabaseError);
  EXPECT_EQ(ReadSetting(ini), (TSettings{bases, reports}));
  EXPECT_TRUE(box.shown.empty());
}

TEST_F(ReadFixture, AFailedCheckWritesNoSettingsAndKeepsTheLists) {
  const fs::path ini = folder.path / "spinvolt.ini";
  check.SettingsPath = PathUtf8(ini);
  THistoryWriter(HistoryFile()).Finish();  // and no report table
  check.RepHours[3].push_back({TShortString("kept"), TShortString(), 0.125});
  EXPECT_FALSE(Run());
  ASSERT_EQ(box.shown.size(), 1u);
  EXPECT_EQ(box.shown[0].kind, TMsgKind::Error);
  EXPECT_EQ(box.shown[0].text, "База отчета за 09.12.2026 не найдена: " + reports + kDelimiter + "rep_2612.db");
  EXPECT_FALSE(fs::exists(ini));
  EXPECT_EQ(check.RepHours[3].size(), 1u);
  EXPECT_TRUE(progress.events.empty());
}

// A run command started from a message that the read pumps is ignored.
struct TReentrantPump : TMessagePump {
  std::function<void()> onPump;
  void PumpAndSleep(int) override {
    if (onPump) onPump();
  }
};

TEST_F(ReadFixture, ARunStartedDuringAReadIsIgnored) {
  {
    THistoryWriter history(HistoryFile());
    history.Add(kDay, 3, 0, 0, "A", "a");
    history.Finish();
    TReportWriter report(ReportFile());
    report.Add(kDay, Clock(3, 0, 0), 4, "A", "a");
    report.Finish();
  }
  TReentrantPump pump;
  TPlaylistCheck nested{box, progress, pump, files};
  nested.PathDelimiter = kDelimiter;
  int ignored = 0;
  pump.onPump = [&] { ignored += nested.SBExecClick(query, bases, reports, kDay) ? 0 : 1; };
  ASSERT_TRUE(nested.SBExecClick(query, bases, reports, kDay));
  EXPECT_EQ(ignored, 6);  // two pumps at each read's start, one per 50 rows, one at the end
  EXPECT_EQ(nested.RepHours[3].size(), 1u);
  EXPECT_EQ(nested.HistHours[3].size(), 1u);
  EXPECT_TRUE(box.shown.empty());
  EXPECT_FALSE(nested.Reading());
}

}  // namespace
}  // namespace spv::app
