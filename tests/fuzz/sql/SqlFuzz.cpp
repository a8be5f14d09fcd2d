// Statements come from people and programs: whatever the text, parsing and running it over
// a small table either gives rows or a TDatabaseError with a clear message, and never
// crashes, hangs or throws anything else.
#include "db/DatabaseError.h"
#include "db/SqlExecutor.h"

#include "../../native/sql/MemoryTable.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

using namespace spv::db;
using namespace spv::db::test;

const TMemoryTable& Table() {
  static const TMemoryTable table(
      "/q/History.db",
      {{"FDate", TFieldType::Date, 4}, {"FHour", TFieldType::Short, 2}, {"FTime", TFieldType::Time, 4},
       {"FStamp", TFieldType::Timestamp, 8}, {"FName", TFieldType::Alpha, 64}, {"FOk", TFieldType::Logical, 1},
       {"FPrice", TFieldType::Money, 8}, {"FBlob", TFieldType::Bytes, 8}},
      {
          {Date(46365), Int(10), Time(0.5), Stamp(46365.25), Text("Song \xCF"), Bool(true), Num(1.5), Bytes("\x01")},
          {Date(46366), Null(), Null(), Null(), Null(), Null(), Null(), Null()},
          {Date(46364), Int(-3), Time(0.99), Stamp(-1.5), Text(""), Bool(false), Num(-2e300), Bytes("")},
      });
  return table;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  TSqlOptions options;
  options.Utf8Statement = size % 2;
  options.OpenTable = [](const std::filesystem::path&) { return std::make_unique<TBorrowedTable>(Table()); };
  try {
    const TSqlResult result = ExecuteSql(text, options);
    if (result.Rows.size() > Table().RecordCount()) std::abort();
    for (const auto& row : result.Rows)
      if (row.size() != result.Columns.size()) std::abort();
  } catch (const TDatabaseError& e) {
    if (std::string_view(e.what()).empty()) std::abort();
  }
  return 0;
}
