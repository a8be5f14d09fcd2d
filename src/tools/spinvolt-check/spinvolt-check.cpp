// spinvolt-check: the check of the desktop program on the console, for scripts and scheduled
// jobs. Reads one day, or a range of days, of a Quorvane folder and shows, hour by hour, what
// aired in place, what was moved, what was put on air by hand and what never aired.
#include "tools/console/Console.h"

#include "app/Check.h"
#include "app/DayResult.h"
#include "app/ReportCsv.h"
#include "app/ReportFile.h"
#include "app/ReportHtml.h"
#include "app/ReportText.h"
#include "app/Settings.h"
#include "app/Utf8Path.h"
#include "base/UserLocale.h"
#include "base/Version.h"
#include "db/Query.h"

#include <cstdio>
#include <exception>
#include <optional>
#include <string>
#include <vector>

namespace spv::tools {
namespace {

using app::TDayResult;
using app::THourResult;

constexpr int kExitChecked = 0, kExitFailed = 1, kExitUsage = 2, kExitDiscrepancy = 3;
constexpr int kMaxRangeDays = 366;

constexpr char kUsage[] =
    "usage: spinvolt-check [--bases DIR] [--reports DIR] [--date DATE | --from DATE --to DATE]\n"
    "                      [--hour H | --all] [--csv | --summary] [--no-color] [--only-discrepancies]\n"
    "                      [--html FILE | --html -] [--html-dir DIR] [--fail-on-discrepancy]\n"
    "       spinvolt-check --help | --version\n"
    "\n"
    "  --bases DIR    the folder of History.db (default: the program's settings, else C:\\Quorvane)\n"
    "  --reports DIR  the folder of the monthly rep_YYMM.db tables (default: the program's settings,\n"
    "                 else C:\\Quorvane\\Report)\n"
    "  --date DATE    the day, as YYYY-MM-DD or in the user's short date format (default: yesterday)\n"
    "  --from DATE --to DATE\n"
    "                 the days from one date to the other, both included, at most 366; each table\n"
    "                 is read once for all of them. A day whose table is missing or unreadable is\n"
    "                 reported on standard error and the other days are still checked\n"
    "  --hour H       only the hour H, 0 to 23 (default: all 24 hours)\n"
    "  --all          all 24 hours, one after another\n"
    "  --csv          CSV: hour,row,title,artist,aired,number,case; with --from/--to a leading date\n"
    "  --summary      the count of each case per hour and for the day; with --from/--to (where it\n"
    "                 is the default) one line per day and the total\n"
    "  --no-color     mark each row with its case in words, also on a terminal\n"
    "  --only-discrepancies\n"
    "                 only the rows not in place, each with its own number, in the table and CSV\n"
    "  --html FILE    also write the HTML report into FILE; --html - writes it to standard output\n"
    "                 instead of the text\n"
    "  --html-dir DIR also write the HTML report into DIR as spinvolt-YYYY-MM-DD.html (a range:\n"
    "                 spinvolt-FROM_TO.html)\n"
    "  --fail-on-discrepancy\n"
    "                 exit with 3 when a checked hour needs attention (a row not in place)\n"
    "  -h, --help     this text\n"
    "  --version      the version\n"
    "\n"
    "exit status: 0 checked (or --help, --version)\n"
    "             1 a check failed, a table could not be read or a report could not be written\n"
    "               (1 wins over 3)\n"
    "             2 bad usage\n"
    "             3 checked, and with --fail-on-discrepancy an hour needs attention\n";

enum class TOutput { Table, Csv, Summary };

struct TOptions {
  std::optional<std::string> Bases, Reports, Date, From, To, Html, HtmlDir;
  int Hour = -1;  // -1: all hours
  std::optional<TOutput> Output;
  bool NoColor = false, OnlyDiscrepancies = false, FailOnDiscrepancy = false;
  bool Help = false, Version = false;

  bool Range() const { return From.has_value(); }
  bool HtmlToStdout() const { return Html == "-"; }
};

struct TUsageError {
  std::string Message;
};

void Print(std::FILE* stream, std::string_view text) { std::fwrite(text.data(), 1, text.size(), stream); }

TOptions ParseOptions(const std::vector<std::string>& args) {
  TOptions options;
  bool hourGiven = false, allGiven = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const auto value = [&]() -> const std::string& {
      if (i + 1 >= args.size()) throw TUsageError{arg + " needs a value"};
      return args[++i];
    };
    const auto output = [&](TOutput o) {
      if (options.Output && *options.Output != o) throw TUsageError{"--csv and --summary exclude each other"};
      options.Output = o;
    };
    if (arg == "--help" || arg == "-h") options.Help = true;
    else if (arg == "--version") options.Version = true;
    else if (arg == "--bases") options.Bases = value();
    else if (arg == "--reports") options.Reports = value();
    else if (arg == "--date") options.Date = value();
    else if (arg == "--from") options.From = value();
    else if (arg == "--to") options.To = value();
    else if (arg == "--hour") {
      const std::string& text = value();
      std::size_t end = 0;
      int hour = -1;
      try {
        hour = std::stoi(text, &end);
      } catch (const std::exception&) {
        end = 0;
      }
      if (end != text.size() || text.empty() || hour < 0 || hour > 23)
        throw TUsageError{"--hour takes an hour from 0 to 23, not \"" + text + '"'};
      options.Hour = hour;
      hourGiven = true;
    } else if (arg == "--all") allGiven = true;
    else if (arg == "--csv") output(TOutput::Csv);
    else if (arg == "--summary") output(TOutput::Summary);
    else if (arg == "--no-color") options.NoColor = true;
    else if (arg == "--only-discrepancies") options.OnlyDiscrepancies = true;
    else if (arg == "--fail-on-discrepancy") options.FailOnDiscrepancy = true;
    else if (arg == "--html") {
      if (options.Html) throw TUsageError{"--html is given twice"};
      options.Html = value();
      if (options.Html->empty()) throw TUsageError{"--html takes a file name or -"};
    } else if (arg == "--html-dir") {
      options.HtmlDir = value();
      if (options.HtmlDir->empty()) throw TUsageError{"--html-dir takes a folder"};
    } else throw TUsageError{"unknown argument \"" + arg + '"'};
  }
  if (options.Help || options.Version) return options;
  if (hourGiven && allGiven) throw TUsageError{"--hour and --all exclude each other"};
  if (options.From.has_value() != options.To.has_value()) throw TUsageError{"--from and --to go together"};
  if (options.Date && options.Range()) throw TUsageError{"--date and --from/--to exclude each other"};
  if (options.HtmlToStdout() && options.Output)
    throw TUsageError{"--html - writes the report instead of the text: it excludes --csv and --summary"};
  return options;
}

spv::base::TDateTime ParseDay(std::string_view option, const std::string& text, const std::string& shortDateFormat) {
  if (auto day = spv::base::ParseDate(text, "yyyy-MM-dd")) return *day;
  if (auto day = spv::base::ParseDate(text, shortDateFormat)) return *day;
  throw TUsageError{std::string(option) + " takes YYYY-MM-DD or " + shortDateFormat + ", not \"" + text + '"'};
}

// The check's boxes on the console: errors on standard error. The hours are compared quietly:
// the warning of an hour without a playlist belongs to that hour's output.
class TConsoleBox final : public app::TMessageBox {
 public:
  void Show(std::string_view text, app::TMsgKind) override {
    Print(stderr, text);
    Print(stderr, "\n");
  }
};

// Without a window there is no dialog to show, no message to handle and no reason to sleep.
class TNoWindow final : public app::TProgressDialog, public app::TMessagePump {
 public:
  void SetLabelCaption(std::string_view) override {}
  void SetValue(int) override {}
  void Show() override {}
  void PumpAndSleep(int) override {}
};

// The text on standard output: the hour tables of a day, CSV, or the summary of the day or
// of the range.
std::string TextOutput(const TOptions& options, const std::vector<TDayResult>& days, const std::string& longTimeFormat) {
  const TOutput output = options.Output.value_or(options.Range() ? TOutput::Summary : TOutput::Table);
  switch (output) {
    case TOutput::Table:
      return app::TableReport(days.front().Hours, longTimeFormat, !options.NoColor && IsTerminal(stdout),
                              options.OnlyDiscrepancies);
    case TOutput::Csv: {
      // CSV has no place for it: an hour without a playlist is said on standard error.
      for (const TDayResult& day : days)
        for (const THourResult& hour : day.Hours)
          if (hour.NoPlaylist)
            Print(stderr, (options.Range() ? app::IsoDate(day.Day) + ' ' : std::string()) + std::to_string(hour.Hour) +
                              ": " + std::string(app::kMsgNoPlaylist) + '\n');
      app::TCsvOptions csv;
      csv.DateColumn = options.Range();
      csv.OnlyDiscrepancies = options.OnlyDiscrepancies;
      return app::CsvReport(days, csv);
    }
    case TOutput::Summary:
      return options.Range() ? app::RangeSummaryReport(days) : app::SummaryReport(days.front().Hours);
  }
  return {};
}

// Writes the report file; false, with the reason on standard error, when it cannot be written.
bool WriteHtml(const std::filesystem::path& file, const std::string& html) {
  if (const std::optional<std::string> failed = app::WriteFileReplacing(file, html)) {
    Print(stderr, "spinvolt-check: " + *failed + '\n');
    return false;
  }
  return true;
}

int Run(const std::vector<std::string>& args) {
  TOptions options;
  const spv::base::TUserLocale locale = spv::base::UserLocale();
  spv::base::TDateTime first = 0, last = 0;
  try {
    options = ParseOptions(args);
    if (options.Help) {
      Print(stdout, kUsage);
      return std::fflush(stdout) == 0 ? kExitChecked : kExitFailed;
    }
    if (options.Version) {
      Print(stdout, "spinvolt-check " + std::string(spv::base::kVersion) + '\n');
      return std::fflush(stdout) == 0 ? kExitChecked : kExitFailed;
    }
    if (options.Range()) {
      first = ParseDay("--from", *options.From, locale.ShortDateFormat);
      last = ParseDay("--to", *options.To, locale.ShortDateFormat);
      if (last < first) throw TUsageError{"--to comes before --from"};
      if (last - first + 1 > kMaxRangeDays)
        throw TUsageError{"--from/--to span at most " + std::to_string(kMaxRangeDays) + " days"};
    } else {
      first = last = options.Date ? ParseDay("--date", *options.Date, locale.ShortDateFormat) : Today() - 1;
    }
  } catch (const TUsageError& e) {
    Print(stderr, "spinvolt-check: " + e.Message + "\n\n");
    Print(stderr, kUsage);
    return kExitUsage;
  }

  // The desktop program's settings, when it lies beside the tool: the same folders by default.
  const app::TSettings settings = app::ReadSetting(ExecutablePath().parent_path() / "spinvolt.ini");
  const std::string bases = options.Bases.value_or(settings.Bases);
  const std::string reports = options.Reports.value_or(settings.Reports);
  TConsoleBox box;
  TNoWindow window;
  app::TLocalFileSystem files;
  app::TPlaylistCheck check(box, window, window, files);
  check.ShortDateFormat = locale.ShortDateFormat;
  check.PathDelimiter = char(std::filesystem::path::preferred_separator);
  db::TQuery query;

  int status = kExitChecked;
  std::vector<TDayResult> days;
  try {
    if (options.Range()) {
      app::TRangeResult range = check.CheckRange(query, bases, reports, first, last, options.Hour);
      if (range.Failed) {
        Print(stderr, *range.Failed + '\n');
        return kExitFailed;
      }
      for (const TDayResult& day : range.Days)
        if (day.Failed()) {
          Print(stderr, app::IsoDate(day.Day) + ": " + day.Error + '\n');
          status = kExitFailed;
        }
      days = std::move(range.Days);
    } else {
      if (!check.SBExecClick(query, bases, reports, first)) return kExitFailed;
      days.push_back({first, app::CompareHoursQuietly(check, options.Hour), {}});
    }
  } catch (const std::exception& e) {
    Print(stderr, std::string(e.what()) + '\n');
    return kExitFailed;
  }

  std::string html;
  if (options.Html || options.HtmlDir) html = app::HtmlReport(days, {bases, reports, locale.LongTimeFormat});
  Print(stdout, options.HtmlToStdout() ? html : TextOutput(options, days, locale.LongTimeFormat));
  if (options.Html && !options.HtmlToStdout() && !WriteHtml(PathFromUtf8(*options.Html), html)) status = kExitFailed;
  if (options.HtmlDir) {
    const std::string name = "spinvolt-" + app::IsoDate(first) +
                             (options.Range() ? '_' + app::IsoDate(last) : std::string()) + ".html";
    if (!WriteHtml(PathFromUtf8(*options.HtmlDir) / name, html)) status = kExitFailed;
  }
  if (std::fflush(stdout) != 0) status = kExitFailed;

  if (status == kExitChecked && options.FailOnDiscrepancy)
    for (const TDayResult& day : days)
      if (day.NeedsAttention()) return kExitDiscrepancy;
  return status;
}

}  // namespace
}  // namespace spv::tools

int main(int argc, char** argv) {
  spv::tools::PrepareConsole();
  try {
    return spv::tools::Run(spv::tools::Utf8Arguments(argc, argv));
  } catch (const std::exception& e) {
    std::fprintf(stderr, "spinvolt-check: %s\n", e.what());
    return 1;
  }
}
