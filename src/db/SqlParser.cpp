#include "db/SqlParser.h"

#include "db/SqlLexer.h"

#include <charconv>
#include <cmath>

namespace spv::db {
namespace {

// Conditions nest through parentheses and NOT; a statement nested deeper than any person
// writes is refused before it can exhaust the stack.
constexpr int kMaxDepth = 200;

constexpr std::string_view kReserved[] = {"SELECT", "FROM", "WHERE", "AND", "OR", "NOT", "IS", "NULL",
                                          "ORDER", "BY", "ASC", "DESC", "TRUE", "FALSE"};

bool IsReserved(std::string_view word) {
  for (std::string_view r : kReserved)
    if (SameSqlName(word, r)) return true;
  return false;
}

class TParser {
 public:
  explicit TParser(std::string_view text) : Lexer_(text) { Token_ = Lexer_.Next(); }

  TSqlSelect Statement() {
    TSqlSelect s;
    s.Text = std::string(Lexer_.Text());
    ExpectWord("SELECT");
    if (Token_.Kind == TSqlTokenKind::Star) {
      s.AllColumns = true;
      Advance();
    } else {
      do s.Columns.push_back(ColumnName("a column name or *")); while (Accept(TSqlTokenKind::Comma));
    }
    if (!IsWord("FROM")) Fail(s.Columns.empty() ? "FROM" : "a comma or FROM");
    Token_ = Lexer_.NextPath();
    if (Token_.Kind == TSqlTokenKind::End || Token_.Text.empty()) Fail("a table name or path");
    s.Table = {Token_.Text, Token_.Offset};
    Advance();
    if (AcceptWord("WHERE")) s.Where = Or(0);
    if (AcceptWord("ORDER")) {
      ExpectWord("BY");
      do {
        TSqlOrder order{ColumnName("a column name"), false};
        if (AcceptWord("DESC")) order.Descending = true;
        else AcceptWord("ASC");
        s.OrderBy.push_back(std::move(order));
      } while (Accept(TSqlTokenKind::Comma));
    }
    Accept(TSqlTokenKind::Semicolon);
    if (Token_.Kind != TSqlTokenKind::End) {
      if (s.OrderBy.empty() && !s.Where) Fail("WHERE, ORDER BY or the end of the statement");
      if (s.OrderBy.empty()) Fail("AND, OR, ORDER BY or the end of the statement");
      Fail("a comma, ASC, DESC or the end of the statement");
    }
    return s;
  }

 private:
  void Advance() { Token_ = Lexer_.Next(); }

  [[noreturn]] void Fail(const std::string& expected) {
    ThrowSqlError(Lexer_.Text(), Token_.Offset, "expected " + expected + ", found " + Token_.Describe());
  }

  bool IsWord(std::string_view word) const {
    return Token_.Kind == TSqlTokenKind::Identifier && SameSqlName(Token_.Text, word);
  }
  bool AcceptWord(std::string_view word) {
    if (!IsWord(word)) return false;
    Advance();
    return true;
  }
  void ExpectWord(std::string_view word) {
    if (!AcceptWord(word)) Fail(std::string(word));
  }
  bool Accept(TSqlTokenKind kind) {
    if (Token_.Kind != kind) return false;
    Advance();
    return true;
  }

  // A quoted column name is what lets a list name a column with spaces ("Order No"): a list
  // of columns holds no texts, so there it cannot be read as one.
  TSqlName ColumnName(const char* expected) {
    const bool quoted = Token_.Kind == TSqlTokenKind::DoubleQuoted || Token_.Kind == TSqlTokenKind::SingleQuoted;
    if (!quoted && (Token_.Kind != TSqlTokenKind::Identifier || IsReserved(Token_.Text))) Fail(expected);
    if (quoted && Token_.Text.empty()) Fail(expected);
    TSqlName name{Token_.Text, Token_.Offset};
    Advance();
    return name;
  }

  void Deeper(int depth) {
    if (depth > kMaxDepth) ThrowSqlError(Lexer_.Text(), Token_.Offset, "the condition is nested too deeply");
  }

  // A chain of ORs (or ANDs) is one node with all its terms, so that a long chain nests no
  // deeper than a short one.
  TSqlCondition Chain(TSqlCondition::Kind kind, std::string_view word, TSqlCondition first,
                      TSqlCondition (TParser::*term)(int), int depth) {
    if (!IsWord(word)) return first;
    TSqlCondition c;
    c.kind = kind;
    c.Offset = first.Offset;
    c.Terms.push_back(std::move(first));
    while (AcceptWord(word)) c.Terms.push_back((this->*term)(depth));
    return c;
  }

  TSqlCondition Or(int depth) {
    Deeper(depth);
    return Chain(TSqlCondition::Kind::Or, "OR", And(depth), &TParser::And, depth);
  }

  TSqlCondition And(int depth) {
    return Chain(TSqlCondition::Kind::And, "AND", Not(depth), &TParser::Not, depth);
  }

  TSqlCondition Not(int depth) {
    Deeper(depth);
    if (IsWord("NOT")) {
      TSqlCondition c;
      c.kind = TSqlCondition::Kind::Not;
      c.Offset = Token_.Offset;
      Advance();
      c.Terms.push_back(Not(depth + 1));
      return c;
    }
    if (Accept(TSqlTokenKind::LeftParen)) {
      TSqlCondition inner = Or(depth + 1);
      if (!Accept(TSqlTokenKind::RightParen)) Fail("AND, OR or a closing parenthesis");
      return inner;
    }
    return Test();
  }

  TSqlCondition Test() {
    TSqlCondition c;
    c.First = Operand("a condition");
    c.Offset = Token_.Offset;
    if (AcceptWord("IS")) {
      c.kind = AcceptWord("NOT") ? TSqlCondition::Kind::IsNotNull : TSqlCondition::Kind::IsNull;
      ExpectWord("NULL");
      return c;
    }
    switch (Token_.Kind) {
      case TSqlTokenKind::Equal: c.Compare = TSqlCompare::Equal; break;
      case TSqlTokenKind::NotEqual: c.Compare = TSqlCompare::NotEqual; break;
      case TSqlTokenKind::Less: c.Compare = TSqlCompare::Less; break;
      case TSqlTokenKind::LessEqual: c.Compare = TSqlCompare::LessEqual; break;
      case TSqlTokenKind::Greater: c.Compare = TSqlCompare::Greater; break;
      case TSqlTokenKind::GreaterEqual: c.Compare = TSqlCompare::GreaterEqual; break;
      default: Fail("a comparison (=, <>, <, <=, >, >=) or IS");
    }
    Advance();
    c.kind = TSqlCondition::Kind::Compare;
    c.Second = Operand("a column name or a value");
    return c;
  }

  TSqlOperand Operand(const char* expected) {
    TSqlOperand o;
    o.Offset = Token_.Offset;
    bool negative = false;
    if (Token_.Kind == TSqlTokenKind::Minus) {
      negative = true;
      Advance();
      if (Token_.Kind != TSqlTokenKind::Integer && Token_.Kind != TSqlTokenKind::Decimal) Fail("a number after '-'");
    }
    switch (Token_.Kind) {
      case TSqlTokenKind::Identifier:
        if (IsWord("TRUE") || IsWord("FALSE")) {
          o.kind = TSqlOperand::Kind::Logical;
          o.Integer = IsWord("TRUE");
        } else if (IsReserved(Token_.Text)) {
          Fail(expected);
        } else {
          o.kind = TSqlOperand::Kind::Column;
          o.Text = Token_.Text;
        }
        break;
      case TSqlTokenKind::Integer: {
        o.kind = TSqlOperand::Kind::Integer;
        // The sign is part of the text, so that the smallest 64-bit number is read too.
        const std::string digits = (negative ? "-" : "") + Token_.Text;
        const auto r = std::from_chars(digits.data(), digits.data() + digits.size(), o.Integer);
        if (r.ec != std::errc()) ThrowSqlError(Lexer_.Text(), Token_.Offset, "the number " + digits + " is too large");
        break;
      }
      case TSqlTokenKind::Decimal: {
        o.kind = TSqlOperand::Kind::Decimal;
        const std::string digits = (negative ? "-" : "") + Token_.Text;
        const auto r = std::from_chars(digits.data(), digits.data() + digits.size(), o.Decimal);
        if (r.ec != std::errc() || !std::isfinite(o.Decimal))
          ThrowSqlError(Lexer_.Text(), Token_.Offset, "the number " + digits + " is too large");
        break;
      }
      case TSqlTokenKind::SingleQuoted:
      case TSqlTokenKind::DoubleQuoted:
        o.kind = TSqlOperand::Kind::Text;
        o.Text = Token_.Text;
        o.DoubleQuoted = Token_.Kind == TSqlTokenKind::DoubleQuoted;
        break;
      default: Fail(expected);
    }
    Advance();
    return o;
  }

  TSqlLexer Lexer_;
  TSqlToken Token_;
};

}  // namespace

TSqlSelect ParseSql(std::string_view text) { return TParser(text).Statement(); }

}  // namespace spv::db
