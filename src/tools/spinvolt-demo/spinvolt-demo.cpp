// spinvolt-demo: writes a demo Quorvane folder (History.db and the monthly report tables).

#include "DemoFolder.h"

#include "db/DatabaseError.h"

#include <cstdio>
#include <ctime>
#include <exception>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#include <shellapi.h>
#endif

namespace {

using spv::db::TDateTime;

constexpr const char* kUsage =
    "usage: spinvolt-demo [--folder DIR] [--report-folder DIR] [--days N] [--last-day YYYY-MM-DD] [--seed N]\n"
    "\n"
    "Writes History.db into DIR (default: the current folder) and the monthly report tables\n"
    "rep_YYMM.db into the report folder (default: DIR/Report), as Paradox 7 tables in code\n"
    "page 1251, for the N days (default 35) up to and including the last day (default: today).\n"
    "The same seed (default 1) writes the same tables.\n";

// The command line as UTF-8, whatever the system's code page.
std::vector<std::string> Arguments(int argc, char** argv) {
#ifdef _WIN32
  (void)argc;
  (void)argv;
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> args;
  for (int i = 1; wide && i < count; ++i) {
    const int len = WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
    std::string arg(static_cast<std::size_t>(len > 0 ? len - 1 : 0), '\0');
    if (len > 1) WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, arg.data(), len, nullptr, nullptr);
    args.push_back(arg);
  }
  LocalFree(wide);
  return args;
#else
  return std::vector<std::string>(argv + 1, argv + argc);
#endif
}

std::filesystem::path PathOf(const std::string& utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

TDateTime Today() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &now);
#else
  localtime_r(&now, &local);
#endif
  return *spv::db::EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

struct TUsageError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

long long Number(const std::string& option, const std::string& text, long long low, long long high) {
  std::size_t used = 0;
  long long value = 0;
  try {
    value = std::stoll(text, &used);
  } catch (const std::exception&) {
    used = 0;
  }
  if (used != text.size() || text.empty() || value < low || value > high)
    throw TUsageError(option + " takes a number from " + std::to_string(low) + " to " + std::to_string(high) + ", not \"" + text + "\"");
  return value;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    spv::demo::TDemoOptions options;
    options.Folder = ".";
    options.LastDay = Today();
    const std::vector<std::string> args = Arguments(argc, argv);
    for (std::size_t i = 0; i < args.size(); ++i) {
      const std::string& arg = args[i];
      if (arg == "--help" || arg == "-h") {
        std::fputs(kUsage, stdout);
        return 0;
      }
      if (i + 1 >= args.size()) throw TUsageError(arg == "--folder" || arg == "--report-folder" || arg == "--days" || arg == "--last-day" || arg == "--seed" ? arg + " needs a value" : "unknown option " + arg);
      const std::string& value = args[++i];
      if (arg == "--folder") {
        options.Folder = PathOf(value);
      } else if (arg == "--report-folder") {
        options.ReportFolder = PathOf(value);
      } else if (arg == "--days") {
        options.Days = static_cast<int>(Number(arg, value, 1, 3660));
      } else if (arg == "--seed") {
        options.Seed = static_cast<std::uint64_t>(Number(arg, value, 0, 0x7FFFFFFFFFFFFFFFll));
      } else if (arg == "--last-day") {
        const auto day = spv::db::ParseDate(value, "yyyy-MM-dd");
        if (!day) throw TUsageError("--last-day takes a day as YYYY-MM-DD, not \"" + value + "\"");
        options.LastDay = *day;
      } else {
        throw TUsageError("unknown option " + arg);
      }
    }
    const spv::demo::TDemoSummary summary = spv::demo::WriteDemoFolder(options);
    for (const auto& table : summary.Tables) {
      const std::u8string name = table.u8string();
      std::printf("%s\n", std::string(name.begin(), name.end()).c_str());
    }
    std::printf("%u playlist rows, %u report rows; %s has no playlist at %d:00\n", summary.HistoryRows,
                summary.ReportRows, spv::db::FormatDate(options.LastDay - 1, "yyyy-MM-dd").c_str(),
                summary.HourWithoutPlaylist);
    return 0;
  } catch (const TUsageError& e) {
    std::fprintf(stderr, "spinvolt-demo: %s\n\n%s", e.what(), kUsage);
    return 2;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "spinvolt-demo: %s\n", e.what());
    return 1;
  }
}
