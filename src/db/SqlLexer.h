#pragma once
// The tokens of a local SQL statement. Keywords are plain identifiers here: the parser
// recognises them case-insensitively, so that a column may still be named like a word the
// statement does not use at that place.

#include <cstddef>
#include <string>
#include <string_view>

namespace spv::db {

enum class TSqlTokenKind {
  End, Identifier, Integer, Decimal, SingleQuoted, DoubleQuoted, Path,
  Star, Comma, LeftParen, RightParen, Minus, Semicolon,
  Equal, NotEqual, Less, LessEqual, Greater, GreaterEqual,
};

struct TSqlToken {
  TSqlTokenKind Kind = TSqlTokenKind::End;
  std::string Text;         // identifiers and numbers as written; quoted texts without quotes
  std::size_t Offset = 0;   // of the token's first byte in the statement

  // "FROM", "\"C:\\x.db\"", "the end of the statement": the token as an error names it.
  std::string Describe() const;
};

// Yields tokens one at a time. Throws TDatabaseError for a character that starts no token
// and for a quoted text without its closing quote.
class TSqlLexer {
 public:
  explicit TSqlLexer(std::string_view text) : Text_(text) {}

  TSqlToken Next();
  // A table name where FROM expects one: a quoted text as usual, else every byte up to
  // white space, a semicolon or the end, so that bare names and relative paths
  // (History.db, Report\rep_2612.db, ../data/History) need no quotes.
  TSqlToken NextPath();

  std::string_view Text() const { return Text_; }

 private:
  void SkipSpace();
  TSqlToken Quoted(char quote);

  std::string_view Text_;
  std::size_t Pos_ = 0;
};

// Case-insensitive in ASCII, as keywords and column names are.
bool SameSqlName(std::string_view a, std::string_view b);

// "line 2, column 14" of a byte offset, counting lines from 1 and columns in bytes from 1.
std::string SqlPositionText(std::string_view text, std::size_t offset);

// Throws TDatabaseError "Bad SQL at line L, column C: <what>".
[[noreturn]] void ThrowSqlError(std::string_view text, std::size_t offset, const std::string& what);

}  // namespace spv::db
