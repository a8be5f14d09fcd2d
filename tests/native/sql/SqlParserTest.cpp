#include "db/DatabaseError.h"
#include "db/SqlParser.h"

#include <gtest/gtest.h>

namespace spv::db {
namespace {

std::vector<std::string> Names(const std::vector<TSqlName>& names) {
  std::vector<std::string> out;
  for (const auto& n : names) out.push_back(n.Text);
  return out;
}

TEST(SqlParser, ReadsTheRunCommandsStatements) {
  const TSqlSelect report = ParseSql(
      "SELECT FDate,FTime,FType,FName,FArtist FROM \"C:\\Quorvane\\Report\\rep_2612.db\"\n"
      "WHERE FType=4 AND FDate=\"09.12.2026\"\nORDER BY FTime");
  EXPECT_FALSE(report.AllColumns);
  EXPECT_EQ(Names(report.Columns), (std::vector<std::string>{"FDate", "FTime", "FType", "FName", "FArtist"}));
  EXPECT_EQ(report.Table.Text, "C:\\Quorvane\\Report\\rep_2612.db");
  ASSERT_TRUE(report.Where);
  ASSERT_EQ(report.Where->kind, TSqlCondition::Kind::And);
  ASSERT_EQ(report.Where->Terms.size(), 2u);
  const TSqlCondition& type = report.Where->Terms[0];
  EXPECT_EQ(type.kind, TSqlCondition::Kind::Compare);
  EXPECT_EQ(type.First.kind, TSqlOperand::Kind::Column);
  EXPECT_EQ(type.First.Text, "FType");
  EXPECT_EQ(type.Second.kind, TSqlOperand::Kind::Integer);
  EXPECT_EQ(type.Second.Integer, 4);
  const TSqlCondition& date = report.Where->Terms[1];
  EXPECT_EQ(date.Second.kind, TSqlOperand::Kind::Text);
  EXPECT_TRUE(date.Second.DoubleQuoted);
  EXPECT_EQ(date.Second.Text, "09.12.2026");
  ASSERT_EQ(report.OrderBy.size(), 1u);
  EXPECT_EQ(report.OrderBy[0].Column.Text, "FTime");

  const TSqlSelect history = ParseSql(
      "SELECT FDate,FHour,FNumber,FName,FArtist,FType FROM \"/srv/q/History.db\"\n"
      "WHERE FDate=\"09.12.2026\" AND FType=0\nORDER BY FHour,FNumber");
  EXPECT_EQ(history.Table.Text, "/srv/q/History.db");
  ASSERT_EQ(history.OrderBy.size(), 2u);
  EXPECT_EQ(history.OrderBy[1].Column.Text, "FNumber");
  EXPECT_FALSE(history.OrderBy[1].Descending);
}

TEST(SqlParser, KeywordsAnyCaseAndTableNamesWithoutQuotes) {
  const struct {
    const char* sql;
    const char* table;
  } cases[] = {
      {"select * from History.db", "History.db"},
      {"SeLeCt * FrOm History", "History"},
      {"select * from Report\\rep_2612.db where FType = 4", "Report\\rep_2612.db"},
      {"select * from ../data/History.db;", "../data/History.db"},
      {"select * from 'C:\\My Tables\\History.db'", "C:\\My Tables\\History.db"},
      {"select * from \"C:\\Tab\"\"les\\x.db\"", "C:\\Tab\"les\\x.db"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.sql);
    const TSqlSelect s = ParseSql(c.sql);
    EXPECT_TRUE(s.AllColumns);
    EXPECT_EQ(s.Table.Text, c.table);
  }
}

TEST(SqlParser, ColumnListsMayQuoteNamesWithSpaces) {
  const TSqlSelect s = ParseSql("SELECT \"Order No\", 'Ship Date', Terms FROM ORDERS ORDER BY \"Sale Date\" DESC");
  EXPECT_EQ(Names(s.Columns), (std::vector<std::string>{"Order No", "Ship Date", "Terms"}));
  ASSERT_EQ(s.OrderBy.size(), 1u);
  EXPECT_EQ(s.OrderBy[0].Column.Text, "Sale Date");
  EXPECT_TRUE(s.OrderBy[0].Descending);
  EXPECT_THROW(ParseSql("SELECT \"\" FROM t"), TDatabaseError);
}

TEST(SqlParser, ConditionsNestAndBindAsUsual) {
  // NOT binds tighter than AND, AND tighter than OR.
  const TSqlSelect s = ParseSql(
      "SELECT a FROM t WHERE NOT a = 1 OR b <> -2.5 AND (c IS NULL OR d IS NOT NULL) AND e >= TRUE "
      "ORDER BY a DESC, b asc");
  ASSERT_TRUE(s.Where);
  const TSqlCondition& top = *s.Where;
  ASSERT_EQ(top.kind, TSqlCondition::Kind::Or);
  ASSERT_EQ(top.Terms.size(), 2u);
  EXPECT_EQ(top.Terms[0].kind, TSqlCondition::Kind::Not);
  const TSqlCondition& both = top.Terms[1];
  ASSERT_EQ(both.kind, TSqlCondition::Kind::And);
  ASSERT_EQ(both.Terms.size(), 3u);
  EXPECT_EQ(both.Terms[0].Compare, TSqlCompare::NotEqual);
  EXPECT_EQ(both.Terms[0].Second.kind, TSqlOperand::Kind::Decimal);
  EXPECT_DOUBLE_EQ(both.Terms[0].Second.Decimal, -2.5);
  ASSERT_EQ(both.Terms[1].kind, TSqlCondition::Kind::Or);
  EXPECT_EQ(both.Terms[1].Terms[0].kind, TSqlCondition::Kind::IsNull);
  EXPECT_EQ(both.Terms[1].Terms[1].kind, TSqlCondition::Kind::IsNotNull);
  EXPECT_EQ(both.Terms[2].Compare, TSqlCompare::GreaterEqual);
  EXPECT_EQ(both.Terms[2].Second.kind, TSqlOperand::Kind::Logical);
  EXPECT_EQ(both.Terms[2].Second.Integer, 1);
  ASSERT_EQ(s.OrderBy.size(), 2u);
  EXPECT_TRUE(s.OrderBy[0].Descending);
  EXPECT_FALSE(s.OrderBy[1].Descending);
}

TEST(SqlParser, OperatorsAndLiterals) {
  const struct {
    const char* condition;
    TSqlCompare op;
    TSqlOperand::Kind kind;
  } cases[] = {
      {"a = 1", TSqlCompare::Equal, TSqlOperand::Kind::Integer},
      {"a <> 'x'", TSqlCompare::NotEqual, TSqlOperand::Kind::Text},
      {"a != 'x'", TSqlCompare::NotEqual, TSqlOperand::Kind::Text},
      {"a < .5", TSqlCompare::Less, TSqlOperand::Kind::Decimal},
      {"a <= 5.", TSqlCompare::LessEqual, TSqlOperand::Kind::Decimal},
      {"a > b", TSqlCompare::Greater, TSqlOperand::Kind::Column},
      {"a >= false", TSqlCompare::GreaterEqual, TSqlOperand::Kind::Logical},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.condition);
    const TSqlSelect s = ParseSql(std::string("SELECT a FROM t WHERE ") + c.condition);
    ASSERT_TRUE(s.Where);
    EXPECT_EQ(s.Where->Compare, c.op);
    EXPECT_EQ(s.Where->Second.kind, c.kind);
  }
  const TSqlSelect big = ParseSql("SELECT a FROM t WHERE a = -9223372036854775808");
  EXPECT_EQ(big.Where->Second.Integer, INT64_MIN);
  const TSqlSelect quote = ParseSql("SELECT a FROM t WHERE a = 'it''s'");
  EXPECT_EQ(quote.Where->Second.Text, "it's");
}

TEST(SqlParser, LongChainsStayFlat) {
  std::string sql = "SELECT a FROM t WHERE a = 0";
  for (int i = 1; i < 5000; ++i) sql += " OR a = " + std::to_string(i);
  const TSqlSelect s = ParseSql(sql);
  EXPECT_EQ(s.Where->Terms.size(), 5000u);
}

TEST(SqlParser, BadStatementsSayWhereAndWhatWasExpected) {
  const struct {
    const char* sql;
    const char* message;
  } cases[] = {
      {"", "at line 1, column 1: expected SELECT, found the end of the statement"},
      {"DELETE FROM t", "at line 1, column 1: expected SELECT, found \"DELETE\""},
      {"SELECT FROM t", "at line 1, column 8: expected a column name or *, found \"FROM\""},
      {"SELECT a b FROM t", "at line 1, column 10: expected a comma or FROM, found \"b\""},
      {"SELECT a,\n  FROM t", "at line 2, column 3: expected a column name or *, found \"FROM\""},
      {"SELECT a FROM", "at line 1, column 14: expected a table name or path, found the end of the statement"},
      {"SELECT a FROM t WHERE", "at line 1, column 22: expected a condition, found the end of the statement"},
      {"SELECT a FROM t\nWHERE a 1", "at line 2, column 9: expected a comparison (=, <>, <, <=, >, >=) or IS, found \"1\""},
      {"SELECT a FROM t WHERE a =", "expected a column name or a value, found the end of the statement"},
      {"SELECT a FROM t WHERE (a = 1", "at line 1, column 29: expected AND, OR or a closing parenthesis"},
      {"SELECT a FROM t WHERE a IS 1", "at line 1, column 28: expected NULL, found \"1\""},
      {"SELECT a FROM t WHERE a = - 'x'", "expected a number after '-'"},
      {"SELECT a FROM t WHERE a = 1 b", "at line 1, column 29: expected AND, OR, ORDER BY or the end of the statement"},
      {"SELECT a FROM t x", "at line 1, column 17: expected WHERE, ORDER BY or the end of the statement"},
      {"SELECT a FROM t ORDER a", "at line 1, column 23: expected BY, found \"a\""},
      {"SELECT a FROM t ORDER BY a b", "expected a comma, ASC, DESC or the end of the statement"},
      {"SELECT a FROM t ORDER BY", "expected a column name, found the end of the statement"},
      {"SELECT select FROM t", "expected a column name or *, found \"select\""},
      {"SELECT a FROM t WHERE a = 'open", "at line 1, column 27: the quoted text that starts here has no closing quote"},
      {"SELECT a FROM \"open", "at line 1, column 15: the quoted text that starts here has no closing quote"},
      {"SELECT a FROM t WHERE a = 12x", "at line 1, column 29: a number must not run into a name"},
      {"SELECT a FROM t WHERE a = 99999999999999999999", "the number 99999999999999999999 is too large"},
      {"SELECT a FROM t WHERE a = 1e999", "a number must not run into a name"},
      {"SELECT a FROM t WHERE a @ 1", "at line 1, column 25: unexpected character '@'"},
      {"SELECT a FROM t WHERE a = \x01", "unexpected byte 1"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.sql);
    try {
      ParseSql(c.sql);
      ADD_FAILURE() << "parsed";
    } catch (const TDatabaseError& e) {
      const std::string what = e.what();
      EXPECT_EQ(what.rfind("Bad SQL at line ", 0), 0u) << what;
      EXPECT_NE(what.find(c.message), std::string::npos) << what;
    }
  }
}

TEST(SqlParser, DeepNestingIsRefusedNotOverflowed) {
  const std::string deep = "SELECT a FROM t WHERE " + std::string(100000, '(') + "a = 1" + std::string(100000, ')');
  EXPECT_THROW(ParseSql(deep), TDatabaseError);
  std::string nots = "SELECT a FROM t WHERE ";
  for (int i = 0; i < 100000; ++i) nots += "NOT ";
  EXPECT_THROW(ParseSql(nots + "a = 1"), TDatabaseError);
  // Nesting that people write is fine.
  EXPECT_NO_THROW(ParseSql("SELECT a FROM t WHERE ((((NOT (a = 1)))))"));
}

}  // namespace
}  // namespace spv::db
