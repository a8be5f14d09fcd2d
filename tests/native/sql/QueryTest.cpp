// The query component over tables written to disk by our own writer, read by our own reader.
#include "db/ParadoxWriter.h"
#include "db/Query.h"

#include "../paradox/ParadoxTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

namespace spv::db {
namespace {

using test::TScratch;

const double kDec9 = *base::EncodeDate(2026, 12, 9);
const double kDec10 = *base::EncodeDate(2026, 12, 10);

double At(int h, int m, int s, int ms = 0) { return ((h * 60 + m) * 60 + s + ms / 1000.0) / 86400; }

// A month's report table: FDate, FTime, FType, FName, FArtist and a timestamp FStamp.
void WriteReport(const std::filesystem::path& path) {
  TParadoxWriter w(path, {{"FDate", TFieldType::Date, 4}, {"FTime", TFieldType::Time, 4},
                          {"FType", TFieldType::Short, 2}, {"FName", TFieldType::Alpha, 100},
                          {"FArtist", TFieldType::Alpha, 100}, {"FStamp", TFieldType::Timestamp, 8}});
  const auto add = [&](double day, std::optional<double> time, int type, const char* name, const char* artist) {
    w.SetDateTime(0, day);
    if (time) {
      w.SetDateTime(1, *time);
      w.SetDateTime(5, day + *time);
    }
    w.SetInteger(2, type);
    w.SetText(3, name);
    if (*artist) w.SetText(4, artist);
    w.AppendRecord();
  };
  add(kDec9, At(13, 0, 0), 4, "\xCF\xE5\xF1\xED\xFF", "Artist 1");  // "Песня"
  add(kDec9, At(23, 59, 59), 4, "Last", "Artist 2");
  add(kDec9, At(12, 59, 59, 999), 4, "Before one", "Artist 3");
  add(kDec9, At(1, 0, 0), 1, "Jingle", "");
  add(kDec10, At(0, 0, 0), 4, "Next day", "Artist 4");
  add(kDec9, std::nullopt, 4, "No time", "");
  w.Finish();
}

void WriteHistory(const std::filesystem::path& path) {
  TParadoxWriter w(path, {{"FDate", TFieldType::Date, 4}, {"FHour", TFieldType::Long, 4},
                          {"FNumber", TFieldType::Long, 4}, {"FType", TFieldType::Short, 2},
                          {"FName", TFieldType::Alpha, 100}, {"FArtist", TFieldType::Alpha, 100},
                          {"FPrice", TFieldType::Money, 8}});
  const struct {
    double day;
    std::optional<int> hour;
    int number, type;
    const char* name;
  } rows[] = {
      {kDec9, 10, 2, 0, "Ten two"}, {kDec9, 9, 0, 0, "Nine zero"}, {kDec9, 10, 0, 0, "Ten zero"},
      {kDec9, 10, 1, 3, "Advert"},  {kDec10, 9, 1, 0, "Other day"}, {kDec9, std::nullopt, 5, 0, "No hour"},
  };
  for (const auto& r : rows) {
    w.SetDateTime(0, r.day);
    if (r.hour) w.SetInteger(1, *r.hour);
    w.SetInteger(2, r.number);
    w.SetInteger(3, r.type);
    w.SetText(4, r.name);
    w.SetText(5, "Someone");
    w.SetFloat(6, r.number == 2 ? 3e9 : 1.5);
    w.AppendRecord();
  }
  w.Finish();
}

class QueryTest : public ::testing::Test {
 protected:
  QueryTest() {
    WriteReport(Dir / "rep_2612.db");
    WriteHistory(Dir / "History.db");
  }
  void Sql(std::vector<std::string> lines) {
    Query.Close();
    Query.SQL().clear();
    for (auto& l : lines) Query.SQL().push_back(std::move(l));
  }
  std::string Quoted(const char* name) const { return "\"" + (Dir / name).string() + "\""; }

  TScratch Dir;
  TQuery Query;
};

TEST_F(QueryTest, ReadsTheDaysReportAsTheRunCommandAsks) {
  Sql({"SELECT FDate,FTime,FType,FName,FArtist FROM " + Quoted("rep_2612.db"),
       "WHERE FType=4 AND FDate=\"09.12.2026\"", "ORDER BY FTime"});
  Query.Open();
  ASSERT_TRUE(Query.Active());
  std::vector<std::string> names;
  std::vector<long long> ms;
  for (; !Query.Eof(); Query.Next()) {
    names.push_back(Query.FieldAsString("FName"));
    ms.push_back(std::llround(Query.FieldAsDateTime("ftime") * 86'400'000));
    EXPECT_EQ(Query.FieldAsDateTime("FDate"), kDec9);
    EXPECT_EQ(Query.FieldAsInteger("FType"), 4);
  }
  // The empty time reads as 0 and sorts first; the text keeps the table's bytes.
  EXPECT_EQ(names, (std::vector<std::string>{"No time", "Before one", "\xCF\xE5\xF1\xED\xFF", "Last"}));
  EXPECT_EQ(ms, (std::vector<long long>{0, 46'799'999, 46'800'000, 86'399'000}));
  Query.Next();  // past the end stays at the end
  EXPECT_TRUE(Query.Eof());
  Query.Close();
  EXPECT_FALSE(Query.Active());
}

TEST_F(QueryTest, ReadsTheDaysPlaylistsAsTheRunCommandAsks) {
  Sql({"SELECT FDate,FHour,FNumber,FName,FArtist,FType FROM " + Quoted("History.db"),
       "WHERE FDate=\"09.12.2026\" AND FType=0", "ORDER BY FHour,FNumber"});
  Query.Open();
  std::vector<std::string> rows;
  for (; !Query.Eof(); Query.Next())
    rows.push_back(std::to_string(Query.FieldAsInteger("FHour")) + ":" + std::to_string(Query.FieldAsInteger("FNumber")) +
                   " " + Query.FieldAsString("FName"));
  EXPECT_EQ(rows, (std::vector<std::string>{"0:5 No hour", "9:0 Nine zero", "10:0 Ten zero", "10:2 Ten two"}));
}

TEST_F(QueryTest, ValuesOfEveryReading) {
  Query.SetShortDateFormat("M/d/yyyy");
  Sql({"SELECT * FROM " + Quoted("rep_2612.db") + " WHERE FDate = \"12/9/2026\" AND FName = 'Last'"});
  Query.Open();
  ASSERT_FALSE(Query.Eof());
  EXPECT_EQ(Query.FieldAsString("FDate"), "12/9/2026");
  EXPECT_EQ(Query.FieldAsString("FTime"), "23:59:59");
  EXPECT_EQ(Query.FieldAsString("FStamp"), "12/9/2026 23:59:59");
  EXPECT_NEAR(Query.FieldAsDateTime("FStamp"), kDec9 + At(23, 59, 59), 1e-9);  // kept to the millisecond
  EXPECT_EQ(Query.FieldAsString("FType"), "4");
  Query.Next();
  EXPECT_TRUE(Query.Eof());

  // Empty columns read as 0 and as the empty text.
  Sql({"SELECT FTime, FStamp, FArtist, FType FROM " + Quoted("rep_2612.db") + " WHERE FName = 'No time'"});
  Query.Open();
  ASSERT_FALSE(Query.Eof());
  EXPECT_EQ(Query.FieldAsDateTime("FTime"), 0);
  EXPECT_EQ(Query.FieldAsDateTime("FStamp"), 0);
  EXPECT_EQ(Query.FieldAsString("FArtist"), "");
  EXPECT_EQ(Query.FieldAsString("FStamp"), "");

  Sql({"SELECT FHour, FPrice FROM " + Quoted("History.db") + " ORDER BY FNumber DESC"});
  Query.Open();
  EXPECT_EQ(Query.FieldAsInteger("FHour"), 0);  // "No hour"
  EXPECT_EQ(Query.FieldAsInteger("FPrice"), 2);  // 1.5 rounds to the nearest
  Query.Next();
  // 3,000,000,000 does not fit.
  EXPECT_THROW(Query.FieldAsInteger("FPrice"), TDatabaseError);
  EXPECT_EQ(Query.FieldAsString("FPrice"), "3000000000");
  EXPECT_THROW(Query.FieldAsDateTime("FNope"), TDatabaseError);
}

TEST_F(QueryTest, TablesByNameInTheCurrentFolder) {
  Query.SetCurrentFolder(Dir.Dir);
  for (const char* table : {"History", "History.db", "./History.db"}) {
    SCOPED_TRACE(table);
    Sql({std::string("SELECT FName FROM ") + table, "WHERE FType = 3"});
    Query.Open();
    ASSERT_FALSE(Query.Eof());
    EXPECT_EQ(Query.FieldAsString("FName"), "Advert");
  }
}

TEST_F(QueryTest, EveryFailureLeavesTheQueryClosed) {
  const std::string samples = (test::SamplesDir() / "encrypt" / "encrypted.db").string();
  test::WriteFile(Dir / "junk.db", std::string(3000, 'x'));
  const struct {
    std::vector<std::string> sql;
    const char* message;
  } cases[] = {
      {{"SELECT * FROM " + Quoted("nope.db")}, "Table not found: "},
      {{"SELECT FName FROM " + Quoted("History.db"), "WHERE FType = = 0"},
       "Bad SQL at line 2, column 15: expected a column name or a value, found \"=\""},
      {{"SELECT FNam FROM " + Quoted("History.db")}, "Unknown column \"FNam\""},
      {{"SELECT FName FROM " + Quoted("History.db") + " WHERE FName = 0"}, "Cannot compare FName (a text) with 0"},
      {{"SELECT FName FROM " + Quoted("History.db") + " WHERE FDate = \"2026-12-09\""},
       "\"2026-12-09\" is not a date in the format dd.MM.yyyy"},
      {{"SELECT * FROM \"" + samples + "\""}, "encrypted"},
      {{"SELECT * FROM " + Quoted("junk.db")}, "junk.db"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    // An earlier result is gone too: a failed Open never leaves old rows to be read.
    Sql({"SELECT FName FROM " + Quoted("History.db")});
    Query.Open();
    ASSERT_FALSE(Query.Eof());
    Query.SQL() = c.sql;
    try {
      Query.Open();
      ADD_FAILURE() << "opened";
    } catch (const TDatabaseError& e) {
      EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
    }
    EXPECT_FALSE(Query.Active());
    EXPECT_TRUE(Query.Eof());
    EXPECT_THROW(Query.FieldAsString("FName"), TDatabaseError);
  }
}

TEST_F(QueryTest, ReadingOutsideARowIsAnError) {
  EXPECT_THROW(Query.FieldAsInteger("FHour"), TDatabaseError);  // never opened
  Sql({"SELECT FName FROM " + Quoted("History.db") + " WHERE FType = 9"});
  Query.Open();
  EXPECT_TRUE(Query.Active());
  EXPECT_TRUE(Query.Eof());
  try {
    Query.FieldAsString("FName");
    ADD_FAILURE();
  } catch (const TDatabaseError& e) {
    EXPECT_STREQ(e.what(), "The query has no current row: cannot read column \"FName\"");
  }
  Sql({"SELECT FName FROM " + Quoted("History.db")});
  Query.Open();
  try {
    Query.FieldAsString("FHour");
    ADD_FAILURE();
  } catch (const TDatabaseError& e) {
    EXPECT_NE(std::string(e.what()).find("Column \"FHour\" is not in the result"), std::string::npos) << e.what();
  }
}

}  // namespace
}  // namespace spv::db
