// spinvolt-demo: writes a demo Quorvane folder (History.db and the monthly report tables).

#include "DemoFolder.h"
#include "tools/console/Console.h"

#include "db/DatabaseError.h"

#include <cstdio>
#include <exception>
#include <string>
#include <vector>


namespace {

using spv::base::TDateTime;

constexpr const char* kUsage =
    "usage: spinvolt-demo [--folder DIR] [--report-folder DIR] [--days N] [--last-day YYYY-MM-DD] [--seed N]\n"
    "\n"
    "Writes History.db into DIR (default: the current folder) and the monthly report tables\n"
    "rep_YYMM.db into the report folder (default: DIR/Report), as Paradox 7 tables in code\n"
    "page 1251, for the N days (default 35) up to and including the last day (default: today).\n"
    "The same seed (default 1) writes the same tables.\n";

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
    options.LastDay = spv::tools::Today();
    const std::vector<std::string> args = spv::tools::Utf8Arguments(argc, argv);
    for (std::size_t i = 0; i < args.size(); ++i) {
      const std::string& arg = args[i];
      if (arg == "--help" || arg == "-h") {
        std::fputs(kUsage, stdout);
        return 0;
      }
      if (i + 1 >= args.size()) throw TUsageError(arg == "--folder" || arg == "--report-folder" || arg == "--days" || arg == "--last-day" || arg == "--seed" ? arg + " needs a value" : "unknown option " + arg);
      const std::string& value = args[++i];
      if (arg == "--folder") {
        options.Folder = spv::tools::PathFromUtf8(value);
      } else if (arg == "--report-folder") {
        options.ReportFolder = spv::tools::PathFromUtf8(value);
      } else if (arg == "--days") {
        options.Days = static_cast<int>(Number(arg, value, 1, 3660));
      } else if (arg == "--seed") {
        options.Seed = static_cast<std::uint64_t>(Number(arg, value, 0, 0x7FFFFFFFFFFFFFFFll));
      } else if (arg == "--last-day") {
        const auto day = spv::base::ParseDate(value, "yyyy-MM-dd");
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
                summary.ReportRows, spv::base::FormatDate(options.LastDay - 1, "yyyy-MM-dd").c_str(),
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
