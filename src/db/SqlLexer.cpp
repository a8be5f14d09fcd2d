#include "db/SqlLexer.h"

#include "db/DatabaseError.h"

namespace spv::db {
namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
// Bytes above 0x7F are letters: column names may be written in the table's code page.
bool IsNameStart(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || static_cast<unsigned char>(c) >= 0x80;
}
bool IsNamePart(char c) { return IsNameStart(c) || IsDigit(c) || c == '$' || c == '#'; }

}  // namespace

std::string TSqlToken::Describe() const {
  switch (Kind) {
    case TSqlTokenKind::End: return "the end of the statement";
    case TSqlTokenKind::SingleQuoted: return "'" + Text + "'";
    case TSqlTokenKind::DoubleQuoted: return "\"" + Text + "\"";
    default: return "\"" + Text + "\"";
  }
}

bool SameSqlName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
  for (std::size_t i = 0; i < a.size(); ++i)
    if (lower(a[i]) != lower(b[i])) return false;
  return true;
}

std::string SqlPositionText(std::string_view text, std::size_t offset) {
  int line = 1, column = 1;
  for (std::size_t i = 0; i < offset && i < text.size(); ++i) {
    if (text[i] == '\n') {
      ++line;
      column = 1;
    } else {
      ++column;
    }
  }
  return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

void ThrowSqlError(std::string_view text, std::size_t offset, const std::string& what) {
  throw TDatabaseError("Bad SQL at " + SqlPositionText(text, offset) + ": " + what);
}

void TSqlLexer::SkipSpace() {
  while (Pos_ < Text_.size() && IsSpace(Text_[Pos_])) ++Pos_;
}

TSqlToken TSqlLexer::Quoted(char quote) {
  TSqlToken t;
  t.Kind = quote == '\'' ? TSqlTokenKind::SingleQuoted : TSqlTokenKind::DoubleQuoted;
  t.Offset = Pos_++;
  // A doubled quote inside the text stands for one quote character.
  for (;;) {
    if (Pos_ >= Text_.size()) ThrowSqlError(Text_, t.Offset, "the quoted text that starts here has no closing quote");
    const char c = Text_[Pos_++];
    if (c != quote) {
      t.Text += c;
    } else if (Pos_ < Text_.size() && Text_[Pos_] == quote) {
      t.Text += c;
      ++Pos_;
    } else {
      return t;
    }
  }
}

TSqlToken TSqlLexer::Next() {
  SkipSpace();
  TSqlToken t;
  t.Offset = Pos_;
  if (Pos_ >= Text_.size()) return t;
  const char c = Text_[Pos_];
  const char next = Pos_ + 1 < Text_.size() ? Text_[Pos_ + 1] : '\0';
  const auto single = [&](TSqlTokenKind kind, std::size_t length) {
    t.Kind = kind;
    t.Text = std::string(Text_.substr(Pos_, length));
    Pos_ += length;
    return t;
  };
  if (IsNameStart(c)) {
    std::size_t end = Pos_;
    while (end < Text_.size() && IsNamePart(Text_[end])) ++end;
    return single(TSqlTokenKind::Identifier, end - Pos_);
  }
  if (IsDigit(c) || (c == '.' && IsDigit(next))) {
    std::size_t end = Pos_;
    while (end < Text_.size() && IsDigit(Text_[end])) ++end;
    bool decimal = false;
    if (end < Text_.size() && Text_[end] == '.') {
      decimal = true;
      ++end;
      while (end < Text_.size() && IsDigit(Text_[end])) ++end;
    }
    if (end < Text_.size() && IsNameStart(Text_[end]))
      ThrowSqlError(Text_, end, "a number must not run into a name");
    return single(decimal ? TSqlTokenKind::Decimal : TSqlTokenKind::Integer, end - Pos_);
  }
  switch (c) {
    case '\'':
    case '"': return Quoted(c);
    case '*': return single(TSqlTokenKind::Star, 1);
    case ',': return single(TSqlTokenKind::Comma, 1);
    case '(': return single(TSqlTokenKind::LeftParen, 1);
    case ')': return single(TSqlTokenKind::RightParen, 1);
    case '-': return single(TSqlTokenKind::Minus, 1);
    case ';': return single(TSqlTokenKind::Semicolon, 1);
    case '=': return single(TSqlTokenKind::Equal, 1);
    case '<':
      if (next == '>') return single(TSqlTokenKind::NotEqual, 2);
      if (next == '=') return single(TSqlTokenKind::LessEqual, 2);
      return single(TSqlTokenKind::Less, 1);
    case '>':
      if (next == '=') return single(TSqlTokenKind::GreaterEqual, 2);
      return single(TSqlTokenKind::Greater, 1);
    case '!':
      if (next == '=') return single(TSqlTokenKind::NotEqual, 2);
      break;
    default: break;
  }
  const unsigned char u = static_cast<unsigned char>(c);
  ThrowSqlError(Text_, Pos_,
                u >= 0x20 && u < 0x7F ? std::string("unexpected character '") + c + "'"
                                      : "unexpected byte " + std::to_string(u));
}

TSqlToken TSqlLexer::NextPath() {
  SkipSpace();
  if (Pos_ < Text_.size() && (Text_[Pos_] == '"' || Text_[Pos_] == '\'')) return Quoted(Text_[Pos_]);
  TSqlToken t;
  t.Offset = Pos_;
  while (Pos_ < Text_.size() && !IsSpace(Text_[Pos_]) && Text_[Pos_] != ';') t.Text += Text_[Pos_++];
  if (!t.Text.empty()) t.Kind = TSqlTokenKind::Path;
  return t;
}

}  // namespace spv::db
