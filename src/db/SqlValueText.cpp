#include "db/SqlValueText.h"

#include "base/CodePage.h"

#include <charconv>
#include <cmath>
#include <cstdint>

namespace spv::db {
namespace {

constexpr std::int64_t kMillisecondsPerDay = 86'400'000;

void AppendTwo(std::string& out, int value) {
  out += char('0' + value / 10 % 10);
  out += char('0' + value % 10);
}

std::string TimeOfMilliseconds(std::int64_t ms) {
  std::string out;
  AppendTwo(out, int(ms / 3'600'000));
  out += ':';
  AppendTwo(out, int(ms / 60'000 % 60));
  out += ':';
  AppendTwo(out, int(ms / 1000 % 60));
  if (ms % 1000) {
    out += '.';
    out += char('0' + ms % 1000 / 100);
    AppendTwo(out, int(ms % 100));
  }
  return out;
}

// Splits a value into whole days and milliseconds of the day, carrying a rounding up to
// midnight into the next day.
void SplitDateTime(base::TDateTime value, double& days, std::int64_t& ms) {
  days = std::floor(value);
  ms = std::llround((value - days) * double(kMillisecondsPerDay));
  if (ms >= kMillisecondsPerDay) {
    days += 1;
    ms -= kMillisecondsPerDay;
  }
}

}  // namespace

std::string FormatSqlNumber(double value) {
  // Amounts and counts read best without an exponent (3000000000, not 3e+09); only numbers
  // far from the everyday range take one.
  const double magnitude = std::fabs(value);
  const bool plain = value == 0 || (magnitude >= 1e-5 && magnitude < 1e16);
  char buffer[400];
  const auto r = plain ? std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed)
                       : std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, r.ptr);
}

std::string FormatSqlTime(double fractionOfDay) {
  double days = 0;
  std::int64_t ms = 0;
  SplitDateTime(fractionOfDay, days, ms);
  return TimeOfMilliseconds(ms);
}

std::string FormatSqlDate(base::TDateTime value) { return base::FormatDate(value, "yyyy-MM-dd"); }

std::string FormatSqlTimestamp(base::TDateTime value, std::string_view datePattern) {
  double days = 0;
  std::int64_t ms = 0;
  SplitDateTime(value, days, ms);
  return base::FormatDate(days, datePattern) + ' ' + TimeOfMilliseconds(ms);
}

std::string FormatSqlValue(const TValue& value, int codePage) {
  switch (value.kind) {
    case TValue::Kind::Null: return {};
    case TValue::Kind::Integer: return std::to_string(value.Integer);
    case TValue::Kind::Float: return FormatSqlNumber(value.Float);
    case TValue::Kind::Text: return base::CodePageToUtf8(value.Bytes, codePage);
    case TValue::Kind::Date: return FormatSqlDate(value.Float);
    case TValue::Kind::Time: return FormatSqlTime(value.Float);
    case TValue::Kind::Timestamp: return FormatSqlTimestamp(value.Float);
    case TValue::Kind::Logical: return value.Integer ? "true" : "false";
    case TValue::Kind::Bytes: {
      static constexpr char kHex[] = "0123456789abcdef";
      std::string out;
      out.reserve(value.Bytes.size() * 2);
      for (const char c : value.Bytes) {
        const auto b = static_cast<unsigned char>(c);
        out += kHex[b >> 4];
        out += kHex[b & 15];
      }
      return out;
    }
  }
  return {};
}

std::optional<double> ParseSqlTime(std::string_view text) {
  std::size_t pos = 0;
  const auto number = [&](int minDigits, int maxDigits, int& digits) -> int {
    int value = 0;
    digits = 0;
    while (pos < text.size() && digits < maxDigits && text[pos] >= '0' && text[pos] <= '9') {
      value = value * 10 + (text[pos++] - '0');
      ++digits;
    }
    return digits >= minDigits ? value : -1;
  };
  int digits = 0;
  const int hour = number(1, 2, digits);
  if (hour < 0 || hour > 23 || pos >= text.size() || text[pos++] != ':') return std::nullopt;
  const int minute = number(2, 2, digits);
  if (minute < 0 || minute > 59) return std::nullopt;
  int second = 0, ms = 0;
  if (pos < text.size() && text[pos] == ':') {
    ++pos;
    second = number(2, 2, digits);
    if (second < 0 || second > 59) return std::nullopt;
    if (pos < text.size() && text[pos] == '.') {
      ++pos;
      ms = number(1, 3, digits);
      if (ms < 0) return std::nullopt;
      for (; digits < 3; ++digits) ms *= 10;
    }
  }
  if (pos != text.size()) return std::nullopt;
  return double(((hour * 60 + minute) * 60 + second) * 1000 + ms) / double(kMillisecondsPerDay);
}

}  // namespace spv::db
