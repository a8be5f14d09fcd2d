#include "db/ParadoxFormat.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <stdexcept>

namespace spv::db::paradox {
namespace {

struct TTypeInfo {
  TFieldType Type;
  std::uint8_t Code;
  int Size;  // 0: the table sets it
  const char* Name;
};

constexpr TTypeInfo kTypes[] = {
    {TFieldType::Alpha, 0x01, 0, "alpha"},
    {TFieldType::Date, 0x02, 4, "date"},
    {TFieldType::Short, 0x03, 2, "short"},
    {TFieldType::Long, 0x04, 4, "long"},
    {TFieldType::Money, 0x05, 8, "money"},
    {TFieldType::Number, 0x06, 8, "number"},
    {TFieldType::Logical, 0x09, 1, "logical"},
    {TFieldType::Memo, 0x0C, 0, "memo"},
    {TFieldType::Blob, 0x0D, 0, "binary"},
    {TFieldType::FormattedMemo, 0x0E, 0, "formatted memo"},
    {TFieldType::OLE, 0x0F, 0, "OLE"},
    {TFieldType::Graphic, 0x10, 0, "graphic"},
    {TFieldType::Time, 0x14, 4, "time"},
    {TFieldType::Timestamp, 0x15, 8, "timestamp"},
    {TFieldType::AutoInc, 0x16, 4, "autoincrement"},
    {TFieldType::BCD, 0x17, kBcdSize, "BCD"},
    {TFieldType::Bytes, 0x18, 0, "bytes"},
};

const TTypeInfo& InfoOf(TFieldType type) {
  for (const TTypeInfo& info : kTypes)
    if (info.Type == type) return info;
  throw std::logic_error("unknown field type");
}

}  // namespace

std::optional<TFieldType> FieldTypeOfCode(std::uint8_t code) {
  for (const TTypeInfo& info : kTypes)
    if (info.Code == code) return info.Type;
  return std::nullopt;
}

std::uint8_t CodeOfFieldType(TFieldType type) { return InfoOf(type).Code; }
int FixedSize(TFieldType type) { return InfoOf(type).Size; }
const char* FieldTypeName(TFieldType type) { return InfoOf(type).Name; }

bool IsBlob(TFieldType type) {
  switch (type) {
    case TFieldType::Memo:
    case TFieldType::Blob:
    case TFieldType::FormattedMemo:
    case TFieldType::OLE:
    case TFieldType::Graphic:
      return true;
    default:
      return false;
  }
}

namespace {
constexpr int kBcdDigits = 32;
}

std::optional<double> DecodeBcd(const std::uint8_t* p) {
  const bool negative = (p[0] & 0x80) == 0;
  const int decimals = p[0] & 0x3F;
  // Digits as text, read back by from_chars: the nearest double, whatever the digit count.
  char text[kBcdDigits + 8];
  int n = 0;
  if (negative) text[n++] = '-';
  const int integerDigits = kBcdDigits - std::min(decimals, kBcdDigits);
  for (int i = 0; i < kBcdDigits; ++i) {
    int digit = (p[1 + i / 2] >> (i % 2 == 0 ? 4 : 0)) & 0x0F;
    if (negative) digit = 0x0F - digit;
    if (digit > 9) {
      if (i < integerDigits) return std::nullopt;  // noise where the whole part should be
      break;
    }
    if (i == integerDigits) text[n++] = '.';
    text[n++] = static_cast<char>('0' + digit);
  }
  double value = 0;
  std::from_chars(text, text + n, value);
  return value;
}

bool EncodeBcd(std::uint8_t* p, double value, int decimals) {
  if (!std::isfinite(value) || decimals < 0 || decimals > kBcdDigits) return false;
  const bool negative = std::signbit(value) && value != 0;
  // Fixed notation with exactly `decimals` digits after the point, rounded by printf.
  char text[400];
  const int len = std::snprintf(text, sizeof text, "%.*f", decimals, std::fabs(value));
  if (len <= 0 || len >= static_cast<int>(sizeof text)) return false;
  std::string digits;
  for (int i = 0; i < len; ++i)
    if (text[i] >= '0' && text[i] <= '9') digits += text[i];
  while (digits.size() > static_cast<std::size_t>(decimals) + 1 && digits.front() == '0')
    digits.erase(digits.begin());
  if (digits.size() > static_cast<std::size_t>(kBcdDigits)) return false;
  digits.insert(0, kBcdDigits - digits.size(), '0');
  p[0] = static_cast<std::uint8_t>((negative ? 0x00 : 0x80) | 0x40 | decimals);
  for (int i = 0; i < kBcdDigits; ++i) {
    int digit = digits[i] - '0';
    if (negative) digit = 0x0F - digit;
    std::uint8_t& byte = p[1 + i / 2];
    byte = static_cast<std::uint8_t>(i % 2 == 0 ? (byte & 0x0F) | digit << 4 : (byte & 0xF0) | digit);
  }
  return true;
}

}  // namespace spv::db::paradox
