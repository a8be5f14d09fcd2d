// spinvolt-check as scripts run it: its outputs, its messages and its exit codes.
#include "QuorvaneFolder.h"

#include "base/Version.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sys/wait.h>

namespace spv::app {
namespace {

using namespace test;

struct TToolRun {
  int exitCode = -1;
  std::string out, err;
};

class CheckTool : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder_ = new TTempFolder("check-tool");
    fs::create_directories(folder_->path / "rep");
    const spv::base::TDateTime day = *spv::base::EncodeDate(2026, 12, 9);
    THistoryWriter history(folder_->path / "History.db");
    const char* titles[] = {"A", "B", "C", "D", "E"};
    for (int i = 0; i < 5; ++i) history.Add(day, 10, i, 0, titles[i], "by " + std::string(titles[i]));
    // "Песня, live" and "Группа" in Windows-1251, in hour 12.
    history.Add(day, 12, 0, 0, "\xCF\xE5\xF1\xED\xFF, live", "\xC3\xF0\xF3\xEF\xEF\xE0");
    history.Finish();
    TReportWriter report(folder_->path / "rep" / "rep_2612.db");
    const std::pair<const char*, spv::base::TDateTime> aired[] = {{"A", Clock(10, 0, 5)}, {"C", Clock(10, 3, 40)},
                                                           {"X", Clock(10, 7, 10)}, {"B", Clock(10, 10, 0)},
                                                           {"E", Clock(10, 13, 30)}};
    for (const auto& [title, time] : aired) report.Add(day, time, 4, title, "by " + std::string(title));
    report.Add(day, Clock(11, 30, 0), 4, "Lonely", "Nobody");  // hour 11 has no playlist
    report.Finish();
    // A month whose table is no table.
    std::ofstream(folder_->path / "rep" / "rep_2611.db") << "not a table";
  }
  static void TearDownTestSuite() {
    delete folder_;
    folder_ = nullptr;
  }

  static TToolRun Run(const std::string& args, const std::string& env = "LC_ALL=ru_RU.UTF-8") {
    const fs::path errFile = folder_->path / "stderr.txt";
    const std::string command = env + ' ' + SPV_CHECK_TOOL + " --bases '" + folder_->path.string() + "' --reports '" +
                                (folder_->path / "rep").string() + "' " + args + " 2>'" + errFile.string() + '\'';
    TToolRun run;
    std::FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return run;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) run.out.append(buffer, n);
    const int status = ::pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream in(errFile, std::ios::binary);
    run.err.assign(std::istreambuf_iterator<char>(in), {});
    return run;
  }

  static TTempFolder* folder_;
};

TTempFolder* CheckTool::folder_ = nullptr;

TEST_F(CheckTool, CsvOfOneHour) {
  const TToolRun run = Run("--date 2026-12-09 --hour 10 --csv");
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out,
            "hour,row,title,artist,aired,number,case\r\n"
            "10,1,A,by A,10:00:05,1,in-place\r\n"
            "10,2,C,by C,10:03:40,3,moved\r\n"
            "10,3,X,by X,10:07:10,Вручную,by-hand\r\n"
            "10,4,B,by B,10:10:00,2,in-place\r\n"
            "10,5,D,by D,,4,not-aired\r\n"
            "10,6,E,by E,10:13:30,5,in-place\r\n");
  EXPECT_EQ(run.err, "");
}

TEST_F(CheckTool, AllHoursShowEveryCaseAndTheHoursWithoutPlaylist) {
  const TToolRun csv = Run("--date 09.12.2026 --all --csv");
  EXPECT_EQ(csv.exitCode, 0) << csv.err;
  EXPECT_NE(csv.out.find("11,1,Lonely,Nobody,11:30:00,Вручную,by-hand\r\n"), std::string::npos) << csv.out;
  EXPECT_NE(csv.out.find("12,1,\"Песня, live\",Группа,,1,not-aired\r\n"), std::string::npos) << csv.out;
  // Every hour but 10 and 12 has no playlist, and says so on standard error.
  EXPECT_NE(csv.err.find("11: Принятый плейлист на этот час отсутствует\n"), std::string::npos) << csv.err;
  EXPECT_EQ(csv.err.find("10: "), std::string::npos);
  EXPECT_EQ(csv.err.find("12: "), std::string::npos);

  const TToolRun table = Run("--date 2026-12-09 --all");
  EXPECT_EQ(table.exitCode, 0) << table.err;
  EXPECT_EQ(table.out.find('\x1b'), std::string::npos) << "not a terminal: words, no colour";
  for (const char* word : {"in-place\n", "moved\n", "by-hand\n", "not-aired\n", "Час 0\n", "Час 23\n",
                           "Принятый плейлист на этот час отсутствует\n", "№№  Наименование композиции"})
    EXPECT_NE(table.out.find(word), std::string::npos) << word;
}

TEST_F(CheckTool, SummaryCountsTheDay) {
  const TToolRun run = Run("--date 2026-12-09 --summary");
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.out.find("10             3         1         1         1\n"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("11             0         0         1         0  Принятый плейлист"), std::string::npos);
  EXPECT_NE(run.out.find("total          3         1         2         2\n"), std::string::npos) << run.out;
}

TEST_F(CheckTool, ChecksAndReadErrorsExitWithOne) {
  struct Case {
    const char* args;
    std::string message;
  };
  const std::string rep = (folder_->path / "rep").string();
  const Case cases[] = {
      {"--date 2026-10-01", "База отчета за 01.10.2026 не найдена: " + rep + "/rep_2610.db\n"},
      {"--date 2026-11-01", "rep_2611.db"},  // the database layer's message names the table
  };
  for (const Case& c : cases) {
    const TToolRun run = Run(c.args);
    EXPECT_EQ(run.exitCode, 1) << c.args;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "") << c.args;
  }
  // The user's short date format follows the locale.
  const TToolRun us = Run("--date 2026-10-01", "LC_ALL=en_US.UTF-8");
  EXPECT_NE(us.err.find("База отчета за 10/01/2026 не найдена"), std::string::npos) << us.err;
}

TEST_F(CheckTool, BadUsageExitsWithTwo) {
  for (const char* args : {"--bogus", "--hour 24", "--hour x", "--hour", "--hour 3 --all", "--csv --summary",
                           "--date 31.02.2026", "--date yesterday"}) {
    const TToolRun run = Run(args);
    EXPECT_EQ(run.exitCode, 2) << args;
    EXPECT_NE(run.err.find("usage: spinvolt-check"), std::string::npos) << args;
    EXPECT_EQ(run.out, "") << args;
  }
}

// The tool installed in a folder of its own, run without folders: it takes those of the
// program's settings beside it. Its exit code and everything it printed.
std::pair<int, std::string> RunInstalled(const fs::path& tool) {
  const std::string command = "LC_ALL=C '" + tool.string() + "' --date 2026-12-09 --hour 10 --summary 2>&1";
  std::FILE* pipe = ::popen(command.c_str(), "r");
  std::string out;
  char buffer[4096];
  for (std::size_t n; pipe && (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
  const int status = pipe ? ::pclose(pipe) : -1;
  return std::make_pair(WIFEXITED(status) ? WEXITSTATUS(status) : -1, out);
}

TEST_F(CheckTool, FoldersComeFromTheProgramsSettingsBesideTheTool) {
  TTempFolder install("check-install");
  const fs::path tool = install.path / "spinvolt-check";
  fs::copy_file(SPV_CHECK_TOOL, tool);
  const auto run = [&] { return RunInstalled(tool); };
  // Without them, the program's defaults.
  EXPECT_EQ(run(), std::make_pair(1, std::string("Папка с базами не существует: C:\\Quorvane/\n")));
  std::ofstream(install.path / "spinvolt.ini") << "[Settings]\r\nBases=" << folder_->path.string()
                                               << "\r\nReports=" << (folder_->path / "rep").string() << "\r\n";
  const auto [code, out] = run();
  EXPECT_EQ(code, 0) << out;
  EXPECT_NE(out.find("10             3         1         1         1\n"), std::string::npos) << out;
}

// The older check program's settings file, which a station keeps beside ours: its Cyrillic
// folder names are in code page 1251.
TEST_F(CheckTool, ASettingsFileInCodePage1251NamesItsCyrillicFolders) {
  TTempFolder install("check-install-1251");
  const fs::path tool = install.path / "spinvolt-check";
  fs::copy_file(SPV_CHECK_TOOL, tool);
  // "Эфир" and "Эфир/Отчеты", named in UTF-8 as Linux names them.
  const fs::path bases = install.path / "\xD0\xAD\xD1\x84\xD0\xB8\xD1\x80";
  const fs::path reports = bases / "\xD0\x9E\xD1\x82\xD1\x87\xD0\xB5\xD1\x82\xD1\x8B";
  fs::create_directories(reports);
  fs::copy_file(folder_->path / "History.db", bases / "History.db");
  fs::copy_file(folder_->path / "rep" / "rep_2612.db", reports / "rep_2612.db");
  const std::string installed = install.path.string();  // ASCII: the test's temporary folder
  std::ofstream(install.path / "spinvolt.ini", std::ios::binary)
      << "[Settings]\r\nBases=" << installed << "/\xDD\xF4\xE8\xF0\r\nReports=" << installed
      << "/\xDD\xF4\xE8\xF0/\xCE\xF2\xF7\xE5\xF2\xFB\r\n";
  const auto [code, out] = RunInstalled(tool);
  EXPECT_EQ(code, 0) << out;
  EXPECT_NE(out.find("10             3         1         1         1\n"), std::string::npos) << out;
}

#ifdef SPV_DEMO_TOOL
TEST(CheckToolOnDemo, AllHoursOfTheDemosYesterdayShowEveryCaseAndTheHourWithoutPlaylist) {
  TTempFolder demo("check-demo");
  const std::string write = std::string(SPV_DEMO_TOOL) + " --folder '" + demo.path.string() +
                            "' --last-day 2026-12-09 --seed 7 >/dev/null";
  ASSERT_EQ(std::system(write.c_str()), 0);
  const std::string check = std::string("LC_ALL=C ") + SPV_CHECK_TOOL + " --bases '" + demo.path.string() +
                            "' --reports '" + (demo.path / "Report").string() + "' --date 2026-12-08 --all";
  std::FILE* pipe = ::popen(check.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string out;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
  EXPECT_EQ(::pclose(pipe), 0);
  for (const char* mark : {"  in-place\n", "  moved\n", "  by-hand\n", "  not-aired\n",
                           "Принятый плейлист на этот час отсутствует\n", "Час 23\n"})
    EXPECT_NE(out.find(mark), std::string::npos) << mark;
}
#endif

// Ranges, reports and exit statuses, on a folder of its own: 30 September (September's table),
// October without its table, 30 November with a discrepancy of each kind but "moved", and
// 1 and 2 December, the second all in place.
class CheckToolRange : public CheckTool {
 protected:
  static void SetUpTestSuite() {
    CheckTool::SetUpTestSuite();
    range_ = new TTempFolder("check-tool-range");
    fs::create_directories(range_->path / "rep");
    const auto day = [](int month, int d) { return *spv::base::EncodeDate(2026, month, d); };
    THistoryWriter history(range_->path / "History.db");
    for (const char* title : {"A", "B", "C"}) history.Add(day(11, 30), 8, title[0] - 'A', 0, title, "a");
    for (const char* title : {"A", "B"}) history.Add(day(12, 1), 8, title[0] - 'A', 0, title, "a");
    history.Add(day(12, 2), 8, 0, 0, "A", "a");
    history.Add(day(9, 30), 8, 0, 0, "A", "a");
    history.Add(day(10, 15), 8, 0, 0, "A", "a");
    history.Finish();
    TReportWriter september(range_->path / "rep" / "rep_2609.db");
    september.Add(day(9, 30), Clock(8, 0, 0), 4, "A", "a");
    september.Finish();
    TReportWriter november(range_->path / "rep" / "rep_2611.db");
    november.Add(day(11, 30), Clock(8, 0, 0), 4, "A", "a");
    november.Add(day(11, 30), Clock(8, 5, 0), 4, "C", "a");
    november.Add(day(11, 30), Clock(8, 10, 0), 4, "X <&\">", "x");
    november.Finish();
    TReportWriter december(range_->path / "rep" / "rep_2612.db");
    december.Add(day(12, 1), Clock(8, 0, 0), 4, "B", "a");
    december.Add(day(12, 1), Clock(8, 3, 0), 4, "A", "a");
    december.Add(day(12, 2), Clock(8, 0, 0), 4, "A", "a");
    december.Finish();
  }
  static void TearDownTestSuite() {
    delete range_;
    range_ = nullptr;
    CheckTool::TearDownTestSuite();
  }

  // The tool on this folder; the later options win over the fixture's.
  static TToolRun RunRange(const std::string& args) {
    return Run("--bases '" + range_->path.string() + "' --reports '" + (range_->path / "rep").string() + "' " + args);
  }
  static std::string Read(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  static TTempFolder* range_;
};

TTempFolder* CheckToolRange::range_ = nullptr;

TEST_F(CheckToolRange, HelpAndVersionGoToStandardOutput) {
  for (const char* args : {"--help", "-h", "--date 2026-12-01 --help"}) {
    const TToolRun run = RunRange(args);
    EXPECT_EQ(run.exitCode, 0) << args;
    EXPECT_EQ(run.out.rfind("usage: spinvolt-check", 0), 0u) << args;
    EXPECT_EQ(run.err, "") << args;
    for (const char* status : {"exit status: 0 ", "\n             1 ", "\n             2 ", "\n             3 "})
      EXPECT_NE(run.out.find(status), std::string::npos) << status;
  }
  const TToolRun version = RunRange("--version");
  EXPECT_EQ(version.exitCode, 0);
  EXPECT_EQ(version.out, "spinvolt-check " + std::string(spv::base::kVersion) + '\n');
}

TEST_F(CheckToolRange, TheRangeSummaryAcrossAMonthBoundaryHasEachDaysTotals) {
  const TToolRun range = RunRange("--from 2026-11-30 --to 02.12.2026");
  EXPECT_EQ(range.exitCode, 0) << range.err;
  EXPECT_EQ(range.out,
            "date        in-place     moved   by-hand not-aired\n"
            "2026-11-30         2         0         1         1\n"
            "2026-12-01         1         1         0         0\n"
            "2026-12-02         1         0         0         0\n"
            "total              4         1         1         1\n");
  EXPECT_EQ(RunRange("--from 2026-11-30 --to 2026-12-02 --summary").out, range.out);
  // Each day's line holds the totals of that day's own summary.
  for (const char* date : {"2026-11-30", "2026-12-01", "2026-12-02"}) {
    const std::string day = RunRange(std::string("--date ") + date + " --summary").out;
    const std::size_t total = day.find("\ntotal ");
    ASSERT_NE(total, std::string::npos) << day;
    // "total" in a column of 6, the date in one of 10; the counts follow alike.
    EXPECT_NE(range.out.find(date + day.substr(total + 7)), std::string::npos) << date << '\n' << day;
  }
}

TEST_F(CheckToolRange, RangeCsvHasTheDateColumnAndOnlyDiscrepanciesKeepTheirNumbers) {
  const TToolRun csv = RunRange("--from 2026-11-30 --to 2026-12-01 --csv");
  EXPECT_EQ(csv.exitCode, 0) << csv.err;
  EXPECT_EQ(csv.out,
            "date,hour,row,title,artist,aired,number,case\r\n"
            "2026-11-30,8,1,A,a,08:00:00,1,in-place\r\n"
            "2026-11-30,8,2,B,a,,2,not-aired\r\n"
            "2026-11-30,8,3,C,a,08:05:00,3,in-place\r\n"
            "2026-11-30,8,4,\"X <&\"\">\",x,08:10:00,Вручную,by-hand\r\n"
            "2026-12-01,8,1,B,a,08:00:00,2,moved\r\n"
            "2026-12-01,8,2,A,a,08:03:00,1,in-place\r\n");
  EXPECT_NE(csv.err.find("2026-11-30 7: Принятый плейлист на этот час отсутствует\n"), std::string::npos);

  const TToolRun only = RunRange("--from 2026-11-30 --to 2026-12-01 --csv --only-discrepancies");
  EXPECT_EQ(only.out,
            "date,hour,row,title,artist,aired,number,case\r\n"
            "2026-11-30,8,2,B,a,,2,not-aired\r\n"
            "2026-11-30,8,4,\"X <&\"\">\",x,08:10:00,Вручную,by-hand\r\n"
            "2026-12-01,8,1,B,a,08:00:00,2,moved\r\n");
  const TToolRun table = RunRange("--date 2026-11-30 --hour 8 --only-discrepancies");
  EXPECT_EQ(table.out,
            "Час 8\n"
            "№№  Наименование композиции  Исполнитель  Выход     № в листе  case\n"
            " 2  B                        a                              2  not-aired\n"
            " 4  X <&\">                   x            08:10:00    Вручную  by-hand\n");
}

TEST_F(CheckToolRange, AMissingTableInTheMiddleIsReportedAndTheOtherDaysAreChecked) {
  const TToolRun run = RunRange("--from 2026-09-30 --to 2026-11-30");
  EXPECT_EQ(run.exitCode, 1);
  const std::string october = (range_->path / "rep" / "rep_2610.db").string();
  EXPECT_NE(run.err.find("2026-10-01: База отчета за 01.10.2026 не найдена: " + october + '\n'), std::string::npos)
      << run.err;
  EXPECT_NE(run.err.find("2026-10-31: База отчета за 31.10.2026 не найдена: "), std::string::npos);
  EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 31);
  EXPECT_NE(run.out.find("2026-09-30         1         0         0         0\n"), std::string::npos) << run.out;
  EXPECT_EQ(run.out.find("2026-10-"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("2026-11-01         0         0         0         0\n"), std::string::npos);
  EXPECT_NE(run.out.find("2026-11-30         2         0         1         1\n"), std::string::npos);
  EXPECT_NE(run.out.find("total              3         0         1         1\n"), std::string::npos);
}

TEST_F(CheckToolRange, ExitStatusesAndTheirPrecedence) {
  const fs::path nowhere = range_->path / "no such folder" / "report.html";
  struct Case {
    std::string args;
    int exitCode;
  };
  const Case cases[] = {
      {"--date 2026-11-30", 0},  // discrepancies, but not asked to fail on them
      {"--date 2026-12-02 --fail-on-discrepancy", 0},
      {"--date 2026-11-30 --hour 9 --fail-on-discrepancy", 0},  // an empty hour needs no attention
      {"--date 2026-11-30 --fail-on-discrepancy", 3},
      {"--date 2026-12-01 --csv --fail-on-discrepancy", 3},
      {"--from 2026-12-01 --to 2026-12-02 --fail-on-discrepancy", 3},
      {"--from 2026-12-02 --to 2026-12-02 --fail-on-discrepancy", 0},
      {"--date 2026-10-15 --fail-on-discrepancy", 1},
      {"--from 2026-09-30 --to 2026-11-30 --fail-on-discrepancy", 1},  // 1 wins over 3
      {"--date 2026-11-30 --fail-on-discrepancy --html '" + nowhere.string() + "'", 1},
      {"--from 2025-12-01 --to 2026-12-01", 1},  // 366 days: checked, with months missing
      {"--from 2025-11-30 --to 2026-12-01", 2},  // 367 days
      {"--from 2026-12-01", 2},
      {"--to 2026-12-01", 2},
      {"--from 2026-12-02 --to 2026-12-01", 2},
      {"--date 2026-12-01 --from 2026-12-01 --to 2026-12-01", 2},
      {"--from 2026-12-01 --to tomorrow", 2},
      {"--html - --csv", 2},
      {"--html", 2},
      {"--fail-on-discrepancy --bogus", 2},
  };
  for (const Case& c : cases) {
    const TToolRun run = RunRange(c.args);
    EXPECT_EQ(run.exitCode, c.exitCode) << c.args;
    if (c.exitCode == 2) {
      EXPECT_NE(run.err.find("usage: spinvolt-check"), std::string::npos) << c.args;
    }
  }
  EXPECT_FALSE(fs::exists(nowhere.parent_path()));
}

TEST_F(CheckToolRange, HtmlToAFileToStandardOutputAndIntoAFolderOfDailyFiles) {
  TTempFolder out("check-tool-html");
  const fs::path file = out.path / "day.html";
  const TToolRun withFile = RunRange("--date 2026-11-30 --html '" + file.string() + "'");
  EXPECT_EQ(withFile.exitCode, 0) << withFile.err;
  EXPECT_EQ(withFile.out, RunRange("--date 2026-11-30").out) << "the text still goes to standard output";
  const std::string html = Read(file);
  EXPECT_EQ(html.rfind("<!DOCTYPE html>", 0), 0u);
  EXPECT_NE(html.find("X &lt;&amp;&quot;&gt;"), std::string::npos);
  EXPECT_NE(html.find((range_->path / "rep").string()), std::string::npos) << "the folders are named";

  const TToolRun toStdout = RunRange("--date 2026-11-30 --html -");
  EXPECT_EQ(toStdout.exitCode, 0);
  EXPECT_EQ(toStdout.out, html);

  EXPECT_EQ(RunRange("--date 2026-11-30 --html-dir '" + out.path.string() + "'").exitCode, 0);
  EXPECT_EQ(Read(out.path / "spinvolt-2026-11-30.html"), html);
  const TToolRun range = RunRange("--from 2026-11-30 --to 2026-12-02 --html-dir '" + out.path.string() + "'");
  EXPECT_EQ(range.exitCode, 0);
  const std::string days = Read(out.path / "spinvolt-2026-11-30_2026-12-02.html");
  EXPECT_NE(days.find("с 30 ноября 2026 г., понедельник по 2 декабря 2026 г., среда"), std::string::npos);

  // A file name taken by a folder: nothing is written, and nothing is left behind.
  fs::create_directories(out.path / "taken.html");
  const TToolRun taken = RunRange("--date 2026-11-30 --html '" + (out.path / "taken.html").string() + "'");
  EXPECT_EQ(taken.exitCode, 1);
  EXPECT_NE(taken.err.find("cannot write " + (out.path / "taken.html").string()), std::string::npos) << taken.err;
  EXPECT_TRUE(fs::is_directory(out.path / "taken.html"));
  EXPECT_TRUE(fs::is_empty(out.path / "taken.html"));
  EXPECT_FALSE(fs::exists(out.path / "taken.html.tmp"));
}

}  // namespace
}  // namespace spv::app
