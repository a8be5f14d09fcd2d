#include "base/DateTime.h"

#include <cmath>

namespace spv::base {
namespace {

// Days from 0001-01-01 to 1899-12-30, the zero of a date-time value.
constexpr long kDaysTo1899_12_30 = 693593;

long DaysBeforeYear(int year) {
  const long y = year - 1;
  return y * 365 + y / 4 - y / 100 + y / 400;
}

constexpr int kMonthDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

// One pattern element: a run of the same letter (d, M, y), a quoted literal, or one character.
struct Token {
  char letter = 0;  // 'd', 'M', 'y' or 0 for literal text
  int count = 0;
  std::string text;
};

template <typename F>
void ForEachToken(std::string_view pattern, F&& f) {
  std::size_t i = 0;
  while (i < pattern.size()) {
    const char c = pattern[i];
    Token t;
    if (c == 'd' || c == 'M' || c == 'y') {
      std::size_t j = i;
      while (j < pattern.size() && pattern[j] == c) ++j;
      t.letter = c;
      t.count = int(j - i);
      i = j;
    } else if (c == '\'') {
      std::size_t j = i + 1;
      while (j < pattern.size() && pattern[j] != '\'') t.text.push_back(pattern[j++]);
      i = j < pattern.size() ? j + 1 : j;
    } else {
      t.text.push_back(c);
      ++i;
    }
    f(t);
  }
}

void AppendNumber(std::string& out, int value, int minDigits) {
  std::string digits = std::to_string(value);
  if (int(digits.size()) < minDigits) out.append(std::size_t(minDigits) - digits.size(), '0');
  out += digits;
}

}  // namespace

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  if (month < 1 || month > 12) return 0;
  return month == 2 && IsLeapYear(year) ? 29 : kMonthDays[month - 1];
}

std::optional<TDateTime> EncodeDate(int year, int month, int day) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
    return std::nullopt;
  long days = DaysBeforeYear(year);
  for (int m = 1; m < month; ++m) days += DaysInMonth(year, m);
  days += day - 1;
  return TDateTime(days - kDaysTo1899_12_30);
}

TDateParts DecodeDate(TDateTime value) {
  long days = long(std::floor(value)) + kDaysTo1899_12_30;  // days since 0001-01-01
  // 400-year cycles keep the arithmetic exact for every year of the calendar.
  const long cycle = 146097;
  long cycles = days >= 0 ? days / cycle : -((-days + cycle - 1) / cycle);
  days -= cycles * cycle;
  int year = int(cycles * 400) + 1;
  while (days >= (IsLeapYear(year) ? 366 : 365)) days -= IsLeapYear(year++) ? 366 : 365;
  int month = 1;
  while (days >= DaysInMonth(year, month)) days -= DaysInMonth(year, month++);
  return {year, month, int(days) + 1};
}

std::string FormatDate(TDateTime value, std::string_view pattern) {
  const TDateParts d = DecodeDate(value);
  std::string out;
  ForEachToken(pattern, [&](const Token& t) {
    switch (t.letter) {
      case 'd': AppendNumber(out, d.Day, t.count >= 2 ? 2 : 1); break;
      case 'M': AppendNumber(out, d.Month, t.count >= 2 ? 2 : 1); break;
      case 'y':
        if (t.count <= 2) AppendNumber(out, d.Year % 100, t.count == 2 ? 2 : 1);
        else AppendNumber(out, d.Year, 4);
        break;
      default: out += t.text;
    }
  });
  return out;
}

std::optional<TDateTime> ParseDate(std::string_view text, std::string_view pattern) {
  std::size_t pos = 0;
  bool ok = true;
  int year = -1, month = -1, day = -1;
  int digits = 0;  // of the number read last
  auto readNumber = [&](int maxDigits) {
    // Blanks before a number are no part of it: a date field whose mask pads a short day or
    // month shows " 9/12/2026", and that text is the date it holds.
    while (pos < text.size() && text[pos] == ' ') ++pos;
    int value = 0;
    digits = 0;
    while (pos < text.size() && digits < maxDigits && text[pos] >= '0' && text[pos] <= '9') {
      value = value * 10 + (text[pos++] - '0');
      ++digits;
    }
    return digits ? value : -1;
  };
  ForEachToken(pattern, [&](const Token& t) {
    if (!ok) return;
    switch (t.letter) {
      case 'd': ok = (day = readNumber(2)) >= 0; break;
      case 'M': ok = (month = readNumber(2)) >= 0; break;
      case 'y':
        year = readNumber(4);
        ok = year >= 0;
        if (ok && digits <= 2) year += year < 50 ? 2000 : 1900;
        break;
      default:
        ok = text.substr(pos, t.text.size()) == t.text;
        pos += t.text.size();
    }
  });
  if (!ok || pos != text.size()) return std::nullopt;
  return EncodeDate(year, month, day);
}

}  // namespace spv::base
