// spinvolt-check: the check of the desktop program on the console, for scripts and scheduled
// jobs. Reads one day of a Quorvane folder and shows, hour by hour, what aired in place, what
// was moved, what was put on air by hand and what never aired.
#include "tools/console/Console.h"

#include "app/Check.h"
#include "app/DayResult.h"
#include "app/ReportCsv.h"
#include "app/ReportText.h"
#include "app/Settings.h"
#include "app/Utf8Path.h"
#include "base/UserLocale.h"
#include "db/Query.h"

#include <cstdio>
#include <exception>
#include <optional>
#include <string>
#include <vector>

namespace spv::tools {
namespace {

using app::THourResult;

constexpr int kExitChecked = 0, kExitFailed = 1, kExitUsage = 2;

constexpr char kUsage[] =
    "usage: spinvolt-check [--bases DIR] [--reports DIR] [--date DATE] [--hour H | --all]\n"
    "                      [--csv | --summary] [--no-color]\n"
    "\n"
    "  --bases DIR    the folder of History.db (default: the program's settings, else C:\\Quorvane)\n"
    "  --reports DIR  the folder of the monthly rep_YYMM.db tables (default: the program's settings,\n"
    "                 else C:\\Quorvane\\Report)\n"
    "  --date DATE    the day, as YYYY-MM-DD or in the user's short date format (default: yesterday)\n"
    "  --hour H       only the hour H, 0 to 23 (default: all 24 hours)\n"
    "  --all          all 24 hours, one after another\n"
    "  --csv          CSV: hour,row,title,artist,aired,number,case\n"
    "  --summary      the count of each case per hour and for the day\n"
    "  --no-color     mark each row with its case in words, also on a terminal\n"
    "\n"
    "exit status: 0 checked, 1 a check failed or a table could not be read, 2 bad usage\n";

enum class TOutput { Table, Csv, Summary };

struct TOptions {
  std::optional<std::string> Bases, Reports, Date;
  int Hour = -1;  // -1: all hours
  TOutput Output = TOutput::Table;
  bool NoColor = false;
};

struct TUsageError {
  std::string Message;
};

void Print(std::FILE* stream, std::string_view text) { std::fwrite(text.data(), 1, text.size(), stream); }

TOptions ParseOptions(const std::vector<std::string>& args) {
  TOptions options;
  bool hourGiven = false, allGiven = false, outputGiven = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const auto value = [&]() -> const std::string& {
      if (i + 1 >= args.size()) throw TUsageError{arg + " needs a value"};
      return args[++i];
    };
    const auto output = [&](TOutput o) {
      if (outputGiven && options.Output != o) throw TUsageError{"--csv and --summary exclude each other"};
      outputGiven = true;
      options.Output = o;
    };
    if (arg == "--bases") options.Bases = value();
    else if (arg == "--reports") options.Reports = value();
    else if (arg == "--date") options.Date = value();
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
    else throw TUsageError{"unknown argument \"" + arg + '"'};
  }
  if (hourGiven && allGiven) throw TUsageError{"--hour and --all exclude each other"};
  return options;
}

spv::base::TDateTime ParseDay(const std::string& text, const std::string& shortDateFormat) {
  if (auto day = spv::base::ParseDate(text, "yyyy-MM-dd")) return *day;
  if (auto day = spv::base::ParseDate(text, shortDateFormat)) return *day;
  throw TUsageError{"--date takes YYYY-MM-DD or " + shortDateFormat + ", not \"" + text + '"'};
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

int Run(const std::vector<std::string>& args) {
  TOptions options;
  const spv::base::TUserLocale locale = spv::base::UserLocale();
  spv::base::TDateTime day = 0;
  try {
    options = ParseOptions(args);
    day = options.Date ? ParseDay(*options.Date, locale.ShortDateFormat) : Today() - 1;
  } catch (const TUsageError& e) {
    Print(stderr, "spinvolt-check: " + e.Message + "\n\n");
    Print(stderr, kUsage);
    return kExitUsage;
  }

  // The desktop program's settings, when it lies beside the tool: the same folders by default.
  const app::TSettings settings = app::ReadSetting(ExecutablePath().parent_path() / "spinvolt.ini");
  TConsoleBox box;
  TNoWindow window;
  app::TLocalFileSystem files;
  app::TPlaylistCheck check(box, window, window, files);
  check.ShortDateFormat = locale.ShortDateFormat;
  check.PathDelimiter = char(std::filesystem::path::preferred_separator);
  db::TQuery query;
  try {
    if (!check.SBExecClick(query, options.Bases.value_or(settings.Bases), options.Reports.value_or(settings.Reports),
                           day))
      return kExitFailed;
  } catch (const std::exception& e) {
    Print(stderr, std::string(e.what()) + '\n');
    return kExitFailed;
  }

  const std::vector<THourResult> hours = app::CompareHoursQuietly(check, options.Hour);
  switch (options.Output) {
    case TOutput::Table:
      Print(stdout, app::TableReport(hours, locale.LongTimeFormat, !options.NoColor && IsTerminal(stdout)));
      break;
    case TOutput::Csv:
      Print(stdout, app::CsvReport(hours));
      for (const THourResult& hour : hours)
        if (hour.NoPlaylist) Print(stderr, std::to_string(hour.Hour) + ": " + std::string(app::kMsgNoPlaylist) + '\n');
      break;
    case TOutput::Summary: Print(stdout, app::SummaryReport(hours)); break;
  }
  return std::fflush(stdout) == 0 ? kExitChecked : kExitFailed;
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
