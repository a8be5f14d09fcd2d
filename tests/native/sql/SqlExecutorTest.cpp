#include "db/SqlExecutor.h"

#include "MemoryTable.h"
#include "db/ParadoxWriter.h"

#include "../paradox/ParadoxTestSupport.h"

#include <gtest/gtest.h>

#include <span>

namespace spv::db {
namespace {

using namespace test;

const double kDec8 = *base::EncodeDate(2026, 12, 8);
const double kDec9 = *base::EncodeDate(2026, 12, 9);
const double kDec10 = *base::EncodeDate(2026, 12, 10);
constexpr double kHour = 1.0 / 24;

// A small History.db: FNumber tells the rows apart.
TMemoryTable HistoryTable() {
  return TMemoryTable(
      "/q/History.db",
      {{"FDate", TFieldType::Date, 4}, {"FHour", TFieldType::Short, 2}, {"FNumber", TFieldType::Short, 2},
       {"FType", TFieldType::Short, 2}, {"FName", TFieldType::Alpha, 64}, {"FArtist", TFieldType::Alpha, 64}},
      {
          {Date(kDec9), Int(10), Int(1), Int(0), Text("Song A"), Text("Artist X")},
          {Date(kDec9), Int(9), Int(2), Int(0), Text("Song B"), Text("Artist Y")},
          {Date(kDec8), Int(10), Int(3), Int(0), Text("Song C"), Text("Artist X")},
          {Date(kDec9), Int(10), Int(4), Int(4), Text("Jingle"), Null()},
          {Date(kDec9), Null(), Int(5), Int(0), Text("Song E"), Text("Artist Z")},
          {Null(), Int(11), Int(6), Int(0), Null(), Text("Artist X")},
          {Date(kDec10), Int(9), Int(7), Int(0), Text("song a"), Text("Artist Y")},
      });
}

// One column of every kind the comparisons treat apart.
TMemoryTable KindsTable() {
  return TMemoryTable(
      "/q/kinds.db",
      {{"FId", TFieldType::Long, 4}, {"FTime", TFieldType::Time, 4}, {"FStamp", TFieldType::Timestamp, 8},
       {"FOk", TFieldType::Logical, 1}, {"FBlob", TFieldType::Bytes, 4}, {"FPrice", TFieldType::Money, 8},
       {"FMemo", TFieldType::Memo, 10}},
      {
          {Int(1), Time(13 * kHour), Stamp(kDec9 + 13 * kHour), Bool(true), Bytes("\x01\x02"), Num(1.5), Text("one")},
          {Int(2), Time(13 * kHour - 0.001 / 86400), Stamp(kDec9), Bool(false), Bytes(""), Num(2.25), Text("two")},
          {Int(3), Time(0), Stamp(kDec10 + 8.5 * kHour), Null(), Null(), Num(-3), Null()},
      });
}

struct TRun {
  std::vector<std::filesystem::path> Opened;

  TSqlResult operator()(const TParadoxTable& table, const std::string& sql, TSqlOptions options = {}) {
    options.OpenTable = [&](const std::filesystem::path& path) {
      Opened.push_back(path);
      return std::make_unique<TBorrowedTable>(table);
    };
    return ExecuteSql(sql, options);
  }
};

std::vector<std::int64_t> Column(const TSqlResult& r, const char* name) {
  const int i = r.ColumnIndex(name);
  EXPECT_GE(i, 0) << name;
  std::vector<std::int64_t> out;
  if (i >= 0)
    for (const auto& row : r.Rows) out.push_back(row[std::size_t(i)].Integer);
  return out;
}

using TIds = std::vector<std::int64_t>;

struct TWhereCase {
  const char* where;
  TIds ids;  // FNumber of HistoryTable, FId of KindsTable
  bool onDisk = true;  // the same in a table file
};

const TWhereCase kHistoryWhere[] = {
      {"FDate=\"09.12.2026\"", {1, 2, 4, 5}},
      {"FDate=\"09.12.2026\" AND FType=0", {1, 2, 5}},
      {"FType=4 AND FDate=\"09.12.2026\"", {4}},
      {"\"09.12.2026\" = FDate", {1, 2, 4, 5}},
      {"FDate=\"9.12.2026\"", {1, 2, 4, 5}},
      {"FDate<>\"09.12.2026\"", {3, 7}},
      {"FDate>\"08.12.2026\"", {1, 2, 4, 5, 7}},
      {"FDate<=\"08.12.2026\"", {3}},
      {"FHour=10 OR FHour=9", {1, 2, 3, 4, 7}},
      {"NOT FHour=10", {2, 6, 7}},
      {"FHour IS NULL", {5}},
      {"FHour IS NOT NULL AND FDate IS NULL", {6}},
      {"FName='Song A'", {1}},
      {"FName=\"Song A\"", {1}},
      {"FName<'Song C'", {1, 2, 4}},
      {"(FHour=10 OR FHour=9) AND NOT (FType=4)", {1, 2, 3, 7}},
      {"FHour > FNumber", {1, 2, 3, 4, 6, 7}},
      {"FNumber >= 2.5 AND FNumber < 5", {3, 4}},
      {"4 = FType", {4}},
      {"FNumber = -1", {}},
      {"1 = 1", {1, 2, 3, 4, 5, 6, 7}},
      {"'a' = 'b'", {}},
      {"NOT (FName IS NULL OR FHour = 9)", {1, 3, 4}},
      {"fdate = \"09.12.2026\" and ftype = 0 or fnumber = 7", {1, 2, 5, 7}},
};

const TWhereCase kKindsWhere[] = {
      {"FTime >= \"13:00\"", {1}},
      {"FTime < '13:00:00'", {2, 3}},
      {"FTime = \"12:59:59.999\"", {2}},
      {"FTime = \"0:00\"", {3}},
      {"FStamp = \"09.12.2026\"", {2}},
      {"FStamp >= \"09.12.2026\" AND FStamp < \"10.12.2026\"", {1, 2}},
      {"FStamp > \"09.12.2026 12:00\"", {1, 3}},
      {"FStamp = \"10.12.2026 8:30:00\"", {3}},
      {"FStamp = \"10.12.2026  8:30 \"", {3}},
      {"FStamp = \"09.12.2026 \"", {2}},
      {"FOk = TRUE", {1}},
      {"FOk <> true", {2}},
      {"FOk IS NULL", {3}},
      {"FBlob IS NULL", {3}, false},  // in a file, no bytes at all are an empty field
      {"FPrice > 2", {2}},
      {"FPrice = 1.5", {1}},
      {"FPrice < FId", {3}},
      {"FMemo = 'two'", {2}},
};

// Each case's WHERE after `select`, over `table`: the ids of the rows selected.
void ExpectSelects(const TMemoryTable& table, const std::string& select, const char* column,
                   std::span<const TWhereCase> cases) {
  for (const auto& c : cases) {
    SCOPED_TRACE(c.where);
    TRun run;
    EXPECT_EQ(Column(run(table, select + " WHERE " + c.where), column), c.ids);
  }
}

TEST(SqlExecutor, WhereSelectsTheRowsItDescribes) {
  ExpectSelects(HistoryTable(), "SELECT FNumber FROM History.db", "FNumber", kHistoryWhere);
}

TEST(SqlExecutor, TimesTimestampsLogicalAndMoney) {
  ExpectSelects(KindsTable(), "SELECT FId FROM kinds", "FId", kKindsWhere);
}

// The same rows written to a table file and read back select alike: what the reader gives a
// comparison is what the table held, timestamps included.
TEST(SqlExecutor, TableFilesSelectAsTheirRowsInMemory) {
  const TScratch dir;
  const struct {
    TMemoryTable table;
    const char* column;
    std::span<const TWhereCase> cases;
  } tables[] = {{HistoryTable(), "FNumber", kHistoryWhere}, {KindsTable(), "FId", kKindsWhere}};
  for (const auto& t : tables) {
    const std::filesystem::path file = dir / t.table.Path().filename().string();
    TParadoxWriter writer(file, t.table.Fields());
    t.table.Scan([&](const TRecord& record) {
      for (int f = 0; f < int(t.table.Fields().size()); ++f)
        if (!record.IsNull(f)) writer.SetValue(f, record.Value(f));
      writer.AppendRecord();
      return true;
    });
    writer.Finish();
    for (const auto& c : t.cases) {
      if (!c.onDisk) continue;
      SCOPED_TRACE(c.where);
      TSqlOptions options;
      options.OpenTable = OpenTableFile;
      EXPECT_EQ(Column(ExecuteSql("SELECT " + std::string(t.column) + " FROM \"" + file.string() + "\" WHERE " + c.where,
                                  options),
                       t.column),
                c.ids);
    }
  }
}

TEST(SqlExecutor, DateLiteralsFollowTheShortDateFormat) {
  const TMemoryTable table = HistoryTable();
  TSqlOptions options;
  options.ShortDateFormat = "M/d/yyyy";
  TRun run;
  EXPECT_EQ(Column(run(table, "SELECT FNumber FROM t WHERE FDate = \"12/9/2026\"", options), "FNumber"),
            (TIds{1, 2, 4, 5}));
  EXPECT_THROW(run(table, "SELECT FNumber FROM t WHERE FDate = \"09.12.2026\"", options), TDatabaseError);
}

TEST(SqlExecutor, SelectsColumnsAsTheTableNamesThem) {
  const TMemoryTable table = HistoryTable();
  TRun run;
  const TSqlResult all = run(table, "SELECT * FROM History");
  ASSERT_EQ(all.Columns.size(), 6u);
  EXPECT_EQ(all.Columns[4].Name, "FName");
  EXPECT_EQ(all.Columns[0].Type, TFieldType::Date);
  EXPECT_EQ(all.Rows.size(), 7u);
  EXPECT_EQ(all.Rows[3][4].Bytes, "Jingle");
  EXPECT_TRUE(all.Rows[3][5].IsNull());

  const TSqlResult some = run(table, "SELECT fname, FNAME, fnumber FROM History WHERE FNumber = 2");
  ASSERT_EQ(some.Columns.size(), 3u);
  EXPECT_EQ(some.Columns[0].Name, "FName");
  EXPECT_EQ(some.Columns[1].Name, "FName");
  EXPECT_EQ(some.ColumnIndex("FNUMBER"), 2);
  EXPECT_EQ(some.ColumnIndex("FDate"), -1);
  ASSERT_EQ(some.Rows.size(), 1u);
  EXPECT_EQ(some.Rows[0][1].Bytes, "Song B");
  EXPECT_EQ(some.Table, "/q/History.db");
  EXPECT_EQ(some.CodePage, 1251);
}

TEST(SqlExecutor, OrderByIsStableWithEmptyValuesFirst) {
  const struct {
    const char* order;
    TIds numbers;
  } cases[] = {
      {"FHour", {5, 2, 7, 1, 3, 4, 6}},
      {"fhour ASC", {5, 2, 7, 1, 3, 4, 6}},
      {"FHour DESC", {6, 1, 3, 4, 2, 7, 5}},
      {"FHour, FNumber DESC", {5, 7, 2, 4, 3, 1, 6}},
      {"FArtist, FHour", {4, 1, 3, 6, 2, 7, 5}},
      {"FName DESC", {7, 5, 3, 2, 1, 4, 6}},
      {"FDate", {6, 3, 1, 2, 4, 5, 7}},
  };
  const TMemoryTable table = HistoryTable();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.order);
    TRun run;
    EXPECT_EQ(Column(run(table, std::string("SELECT FNumber FROM t ORDER BY ") + c.order), "FNumber"), c.numbers);
  }
}

TEST(SqlExecutor, OrderByColumnsNeedNotBeSelected) {
  const TMemoryTable table = HistoryTable();
  TRun run;
  const TSqlResult r = run(table, "SELECT FName FROM t WHERE FType = 0 AND FDate = \"09.12.2026\" ORDER BY FNumber DESC");
  ASSERT_EQ(r.Columns.size(), 1u);
  std::vector<std::string> names;
  for (const auto& row : r.Rows) {
    EXPECT_EQ(row.size(), 1u);
    names.push_back(row[0].Bytes);
  }
  EXPECT_EQ(names, (std::vector<std::string>{"Song E", "Song B", "Song A"}));
}

TEST(SqlExecutor, DecodesOnlyWhatTheConditionNeedsBeforeFiltering) {
  const TMemoryTable table = HistoryTable();
  TRun run;
  // FType decides alone for six of the seven rows; FDate is read only for the jingle, and the
  // selected FName only for the row that passes.
  const TSqlResult r = run(table, "SELECT FName FROM t WHERE FType=4 AND FDate=\"09.12.2026\"");
  ASSERT_EQ(r.Rows.size(), 1u);
  EXPECT_EQ(table.Decoded, (std::map<int, int>{{0, 1}, {3, 7}, {4, 1}}));

  table.Decoded.clear();
  run(table, "SELECT FNumber FROM t WHERE FHour IS NULL OR FHour = 11");
  // IS NULL reads no value; FHour's value is decoded for the six rows that are not empty.
  EXPECT_EQ(table.Decoded, (std::map<int, int>{{1, 6}, {2, 2}}));
}

TEST(SqlExecutor, TablePathsResolveAgainstTheCurrentFolder) {
  const struct {
    const char* name;
    const char* folder;
    std::filesystem::path expected;
  } cases[] = {
      {"History", "/q", "/q/History.db"},
      {"History.db", "/q", "/q/History.db"},
      {"Report/rep_2612.db", "/q", "/q/Report/rep_2612.db"},
      {"../rep_2612", "/q/x", "/q/x/../rep_2612.db"},
      {"/abs/History.db", "/q", "/abs/History.db"},
      {"History.DB", "", std::filesystem::current_path() / "History.DB"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ResolveTablePath(c.name, c.folder), c.expected);
  }
  const TMemoryTable table = HistoryTable();
  TRun run;
  TSqlOptions options;
  options.CurrentFolder = "/data";
  run(table, "SELECT * FROM \"sub/History\"", options);
  ASSERT_EQ(run.Opened.size(), 1u);
  EXPECT_EQ(run.Opened[0], std::filesystem::path("/data/sub/History.db"));
}

TEST(SqlExecutor, Utf8StatementsMeetTheTablesCodePage) {
  // "Песня" in code page 1251.
  const std::string song1251 = "\xCF\xE5\xF1\xED\xFF";
  const TMemoryTable table("/q/t.db", {{"FId", TFieldType::Long, 4}, {"FName", TFieldType::Alpha, 20}},
                           {{Int(1), Text(song1251)}, {Int(2), Text("Song")}}, 1251);
  TRun run;
  const std::string sql = "SELECT FId FROM t WHERE FName = '\xD0\x9F\xD0\xB5\xD1\x81\xD0\xBD\xD1\x8F'";
  EXPECT_EQ(Column(run(table, sql), "FId"), TIds{});
  TSqlOptions utf8;
  utf8.Utf8Statement = true;
  EXPECT_EQ(Column(run(table, sql, utf8), "FId"), TIds{1});
  EXPECT_EQ(Column(run(table, "SELECT FId FROM t WHERE FName = '" + song1251 + "'"), "FId"), TIds{1});
}

TEST(SqlExecutor, RefusesWhatCannotBeRunWithAClearMessage) {
  const struct {
    const char* sql;
    const char* message;
  } cases[] = {
      {"SELECT FDat FROM t", "Unknown column \"FDat\" in table \"/q/kinds.db\" at line 1, column 8"},
      {"SELECT FId FROM t WHERE\n  Nope = 1", "Unknown column \"Nope\" in table \"/q/kinds.db\" at line 2, column 3"},
      {"SELECT FId FROM t ORDER BY FId, Nope", "Unknown column \"Nope\""},
      {"SELECT FId FROM t WHERE FId IS NULL OR FMemo = 4",
       "Cannot compare FMemo (a text) with 4 (a number) at line 1, column 46"},
      {"SELECT FId FROM t WHERE FId = 'x'", "Cannot compare FId (a number) with 'x' (a text)"},
      {"SELECT FId FROM t WHERE FOk = 1", "Cannot compare FOk (a logical value) with 1 (a number)"},
      {"SELECT FId FROM t WHERE FBlob = 'x'", "Cannot compare FBlob (binary data) with 'x' (a text)"},
      {"SELECT FId FROM t WHERE FTime = FStamp", "Cannot compare FTime (a time) with FStamp (a timestamp)"},
      {"SELECT FId FROM t WHERE FStamp > 3", "Cannot compare FStamp (a timestamp) with 3 (a number)"},
      {"SELECT FId FROM t WHERE 'a' = 1", "Cannot compare 'a' (a text) with 1 (a number)"},
      {"SELECT FId FROM t WHERE FStamp = \"2026-12-09\"",
       "\"2026-12-09\" is not a date in the format dd.MM.yyyy, with or without a time at line 1, column 34"},
      {"SELECT FId FROM t WHERE FStamp = \"31.02.2026\"", "\"31.02.2026\" is not a date"},
      {"SELECT FId FROM t WHERE FStamp = \"09.12.2026 x\"", "\"09.12.2026 x\" is not a date"},
      {"SELECT FId FROM t WHERE FTime = '24:00'", "'24:00' is not a time (H:mm, H:mm:ss or H:mm:ss.zzz)"},
      {"SELECT FId FROM t WHERE FTime = '12:60'", "'12:60' is not a time"},
      {"SELECT FId FROM t WHERE", "Bad SQL at line 1, column 24"},
  };
  const TMemoryTable table = KindsTable();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.sql);
    TRun run;
    try {
      run(table, c.sql);
      ADD_FAILURE() << "ran";
    } catch (const TDatabaseError& e) {
      EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
    }
  }
  // A date column compared with a text that is no date.
  const TMemoryTable history = HistoryTable();
  TRun run;
  EXPECT_THROW(run(history, "SELECT FNumber FROM t WHERE FDate = 'tomorrow'"), TDatabaseError);
}

TEST(SqlExecutor, ErrorsOfTheTableReachTheCaller) {
  TSqlOptions options;
  EXPECT_THROW(ExecuteSql("SELECT * FROM t", options), TDatabaseError);  // nothing to open tables with
  options.OpenTable = [](const std::filesystem::path& path) -> std::unique_ptr<TParadoxTable> {
    throw TDatabaseError("\"" + path.string() + "\" is locked by another program");
  };
  options.CurrentFolder = "/q";
  try {
    ExecuteSql("SELECT * FROM t", options);
    ADD_FAILURE() << "ran";
  } catch (const TDatabaseError& e) {
    EXPECT_STREQ(e.what(), "\"/q/t.db\" is locked by another program");
  }
}

}  // namespace
}  // namespace spv::db
