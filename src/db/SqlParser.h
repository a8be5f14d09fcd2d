#pragma once
// The statements of our local SQL, parsed:
//
//   SELECT <* | column, ...> FROM <"full path" | name | relative path>
//     [WHERE <condition>] [ORDER BY column [ASC | DESC], ...] [;]
//
// A condition joins comparisons (=, <>, <, <=, >, >=) and IS [NOT] NULL tests with AND, OR,
// NOT and parentheses. Values are column names, integers, decimals, TRUE, FALSE and quoted
// texts; whether a quoted text is a date is decided against the column it is compared with,
// when the statement is run. Keywords are case-insensitive; so are column names, which the
// table resolves. In the column list and in ORDER BY a column may be quoted ("Order No").

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace spv::db {

struct TSqlName {
  std::string Text;
  std::size_t Offset = 0;
};

struct TSqlOperand {
  enum class Kind { Column, Integer, Decimal, Text, Logical };
  Kind kind = Kind::Column;
  std::string Text;          // Column: the name; Text: the text without its quotes
  bool DoubleQuoted = false; // Text
  std::int64_t Integer = 0;  // Integer; Logical (0 or 1)
  double Decimal = 0;        // Decimal
  std::size_t Offset = 0;
};

enum class TSqlCompare { Equal, NotEqual, Less, LessEqual, Greater, GreaterEqual };

struct TSqlCondition {
  enum class Kind { Or, And, Not, Compare, IsNull, IsNotNull };
  Kind kind = Kind::Compare;
  std::vector<TSqlCondition> Terms;            // Or, And: two or more; Not: one
  TSqlCompare Compare = TSqlCompare::Equal;    // Compare
  TSqlOperand First, Second;                   // Compare: both; IsNull, IsNotNull: First
  std::size_t Offset = 0;                      // of the comparison operator or IS
};

struct TSqlOrder {
  TSqlName Column;
  bool Descending = false;
};

struct TSqlSelect {
  std::string Text;                  // the statement as parsed, for the positions of errors
  bool AllColumns = false;           // SELECT *
  std::vector<TSqlName> Columns;     // otherwise, in the order written
  TSqlName Table;                    // as written, without quotes
  std::optional<TSqlCondition> Where;
  std::vector<TSqlOrder> OrderBy;
};

// Throws TDatabaseError "Bad SQL at line L, column C: expected ..., found ..." for text that is
// not such a statement.
TSqlSelect ParseSql(std::string_view text);

}  // namespace spv::db
