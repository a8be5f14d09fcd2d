// spinvolt-query: runs one local SQL statement over Paradox tables and prints its rows.
//
//   spinvolt-query [--csv] [--date-format PATTERN] [STATEMENT]
//   spinvolt-query --version
//
// Without a statement, or with "-", the statement is read from standard input. Tables named
// without a full path are looked for in the current folder.

#include "QueryOutput.h"
#include "base/UserLocale.h"
#include "base/Version.h"
#include "tools/console/Console.h"

#include "db/DatabaseError.h"

#include <cstdio>
#include <exception>
#include <iostream>
#include <iterator>
#include <sstream>

namespace {

constexpr const char* kUsage =
    "Usage: spinvolt-query [--csv] [--date-format PATTERN] [STATEMENT]\n"
    "       spinvolt-query --version\n"
    "Runs one SQL statement over Paradox tables and prints its rows as an aligned table,\n"
    "or as CSV with --csv. Without STATEMENT (or with -) it is read from standard input.\n"
    "\n"
    "  SELECT * | column, ... FROM \"full path\" | name | relative path\n"
    "    [WHERE condition] [ORDER BY column [ASC|DESC], ...]\n"
    "\n"
    "  --csv                 RFC 4180 with a header line\n"
    "  --date-format PATTERN the short date format of date literals, such as dd.MM.yyyy\n"
    "                        (default: the user's)\n"
    "  --version             the program's version\n";

struct TUsageError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

}  // namespace

int main(int argc, char** argv) {
  using namespace spv;
  tools::PrepareConsole();
  tools::UseBinaryStdio();
  try {
    bool csv = false;
    std::string dateFormat;
    std::string statement;
    bool haveStatement = false;
    const std::vector<std::string> args = tools::Utf8Arguments(argc, argv);
    for (std::size_t i = 0; i < args.size(); ++i) {
      const std::string& a = args[i];
      if (a == "--help" || a == "-h") {
        std::cout << kUsage;
        return 0;
      } else if (a == "--version") {
        std::cout << "spinvolt-query " << base::kVersion << '\n';
        return 0;
      } else if (a == "--csv") {
        csv = true;
      } else if (a == "--date-format") {
        if (i + 1 == args.size()) throw TUsageError("--date-format needs a pattern, such as dd.MM.yyyy");
        dateFormat = args[++i];
      } else if (a.rfind("--date-format=", 0) == 0) {
        dateFormat = a.substr(std::string("--date-format=").size());
      } else if (a.size() > 1 && a[0] == '-' && a != "-") {
        throw TUsageError("unknown option " + a);
      } else if (haveStatement) {
        throw TUsageError("give one statement (quote it as one argument)");
      } else {
        haveStatement = true;
        if (a != "-") statement = a;
        else statement.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
      }
    }
    if (!haveStatement) statement.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
    if (dateFormat.empty()) dateFormat = spv::base::UserLocale().ShortDateFormat;

    db::TSqlOptions options;
    options.ShortDateFormat = dateFormat;
    options.OpenTable = db::OpenTableFile;
    options.Utf8Statement = true;
    const db::TSqlResult result = db::ExecuteSql(statement, options);
    // The whole output is made first, so that an error leaves no half-printed table.
    std::ostringstream out;
    if (csv) tools::WriteCsv(result, out);
    else tools::WriteTable(result, out);
    std::cout << out.str() << std::flush;
    return std::cout ? 0 : 1;
  } catch (const TUsageError& e) {
    std::cerr << "spinvolt-query: " << e.what() << "\n\n" << kUsage;
    return 2;
  } catch (const std::exception& e) {
    std::cerr << "spinvolt-query: " << e.what() << '\n';
    return 1;
  }
}
