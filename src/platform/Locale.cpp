#include "platform/Locale.h"

#include "platform/SysUtils.h"

#include <cmath>

namespace spv::platform {
namespace {

constexpr double kMsPerDay = 86400000.0;

std::wstring LocaleText(LCID locale, LCTYPE type) {
  const int n = GetLocaleInfoW(locale, type, nullptr, 0);
  if (n <= 0) return {};
  std::wstring text(std::size_t(n), L'\0');
  GetLocaleInfoW(locale, type, text.data(), n);
  text.resize(std::size_t(n - 1));
  return text;
}

std::string Narrow(std::wstring_view text) { return WideToUtf8(text); }

void AppendNumber(std::wstring& out, int value, bool twoDigits) {
  if (twoDigits && value < 10) out.push_back(L'0');
  out += std::to_wstring(value);
}

bool Blank(wchar_t c) { return c == L' ' || c == L'\t'; }

std::wstring_view Trim(std::wstring_view text) {
  while (!text.empty() && Blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && Blank(text.back())) text.remove_suffix(1);
  return text;
}

bool EndsWithNoCase(std::wstring_view text, std::wstring_view suffix) {
  if (suffix.empty() || suffix.size() > text.size()) return false;
  const auto tail = text.substr(text.size() - suffix.size());
  return CompareStringOrdinal(tail.data(), int(tail.size()), suffix.data(), int(suffix.size()), TRUE) == CSTR_EQUAL;
}

}  // namespace

TFormatSettings TFormatSettings::FromLocale(LCID locale) {
  TFormatSettings s;
  s.ShortDateFormat = LocaleText(locale, LOCALE_SSHORTDATE);
  if (s.ShortDateFormat.empty()) s.ShortDateFormat = L"dd.MM.yyyy";
  const std::wstring dateSep = LocaleText(locale, LOCALE_SDATE);
  s.DateSeparator = dateSep.empty() ? L'/' : dateSep[0];
  s.LongTimeFormat = LocaleText(locale, LOCALE_STIMEFORMAT);
  if (s.LongTimeFormat.empty()) s.LongTimeFormat = L"HH:mm:ss";
  const std::wstring timeSep = LocaleText(locale, LOCALE_STIME);
  s.TimeSeparator = timeSep.empty() ? L':' : timeSep[0];
  s.TimeAMString = LocaleText(locale, LOCALE_S1159);
  s.TimePMString = LocaleText(locale, LOCALE_S2359);
  for (int m = 0; m < 12; ++m) {
    s.LongMonthNames[std::size_t(m)] = LocaleText(locale, LCTYPE(LOCALE_SMONTHNAME1 + m));
    s.ShortMonthNames[std::size_t(m)] = LocaleText(locale, LCTYPE(LOCALE_SABBREVMONTHNAME1 + m));
  }
  // The system counts Monday first (LOCALE_SDAYNAME1); we count Sunday first.
  for (int d = 0; d < 7; ++d) {
    const int system = (d + 6) % 7;
    s.LongDayNames[std::size_t(d)] = LocaleText(locale, LCTYPE(LOCALE_SDAYNAME1 + system));
    s.ShortDayNames[std::size_t(d)] = LocaleText(locale, LCTYPE(LOCALE_SABBREVDAYNAME1 + system));
  }
  return s;
}

const TFormatSettings& FormatSettings() {
  static const TFormatSettings settings = TFormatSettings::FromLocale();
  return settings;
}

std::optional<TDateTime> EncodeTime(int hour, int minute, int second, int millisecond) {
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 || millisecond < 0 ||
      millisecond > 999)
    return std::nullopt;
  return (((hour * 60.0 + minute) * 60.0 + second) * 1000.0 + millisecond) / kMsPerDay;
}

TTimeParts DecodeTime(TDateTime value) {
  double fraction = std::fabs(value - std::trunc(value));
  long long ms = std::llround(fraction * kMsPerDay);
  if (ms >= 86400000) ms = 86399999;
  TTimeParts t;
  t.Millisecond = int(ms % 1000);
  ms /= 1000;
  t.Second = int(ms % 60);
  ms /= 60;
  t.Minute = int(ms % 60);
  t.Hour = int(ms / 60);
  return t;
}

std::wstring FormatTime(TDateTime value, std::wstring_view pattern, const TFormatSettings& settings) {
  const TTimeParts t = DecodeTime(value);
  std::wstring out;
  std::size_t i = 0;
  while (i < pattern.size()) {
    const wchar_t c = pattern[i];
    std::size_t j = i;
    while (j < pattern.size() && pattern[j] == c) ++j;
    const std::size_t count = j - i;
    switch (c) {
      case L'h': {
        const int h12 = t.Hour % 12 == 0 ? 12 : t.Hour % 12;
        AppendNumber(out, h12, count >= 2);
        break;
      }
      case L'H': AppendNumber(out, t.Hour, count >= 2); break;
      case L'm': AppendNumber(out, t.Minute, count >= 2); break;
      case L's': AppendNumber(out, t.Second, count >= 2); break;
      case L't': {
        const std::wstring& marker = t.Hour < 12 ? settings.TimeAMString : settings.TimePMString;
        out += count >= 2 ? marker : marker.substr(0, 1);
        break;
      }
      case L'\'': {
        std::size_t k = i + 1;
        while (k < pattern.size() && pattern[k] != L'\'') out.push_back(pattern[k++]);
        j = k < pattern.size() ? k + 1 : k;
        break;
      }
      default: out.append(count, c);
    }
    i = j;
  }
  return out;
}

std::wstring DateToStr(TDateTime value, const TFormatSettings& settings) {
  return Utf8ToWide(spv::base::FormatDate(value, Narrow(settings.ShortDateFormat)));
}

std::wstring TimeToStr(TDateTime value, const TFormatSettings& settings) {
  return FormatTime(value, settings.LongTimeFormat, settings);
}

std::wstring DateTimeToStr(TDateTime value, const TFormatSettings& settings) {
  std::wstring text = DateToStr(value, settings);
  const TTimeParts t = DecodeTime(value);
  if (t.Hour || t.Minute || t.Second || t.Millisecond) text += L" " + TimeToStr(value, settings);
  return text;
}

std::optional<TDateTime> TryStrToDate(std::wstring_view text, const TFormatSettings& settings) {
  return spv::base::ParseDate(Narrow(Trim(text)), Narrow(settings.ShortDateFormat));
}

std::optional<TDateTime> TryStrToTime(std::wstring_view text, const TFormatSettings& settings) {
  text = Trim(text);
  int offset = 0;  // hours added by a PM designator
  bool designator = false;
  for (const auto& [marker, add] : {std::pair{settings.TimePMString, 12}, std::pair{settings.TimeAMString, 0},
                                    std::pair{std::wstring(L"PM"), 12}, std::pair{std::wstring(L"AM"), 0}}) {
    if (EndsWithNoCase(text, marker)) {
      text = Trim(text.substr(0, text.size() - marker.size()));
      offset = add;
      designator = true;
      break;
    }
  }
  int parts[3] = {0, 0, 0};
  int count = 0;
  std::size_t i = 0;
  while (count < 3) {
    int value = 0, digits = 0;
    while (i < text.size() && text[i] >= L'0' && text[i] <= L'9' && digits < 2) {
      value = value * 10 + (text[i++] - L'0');
      ++digits;
    }
    if (!digits) return std::nullopt;
    parts[count++] = value;
    if (i == text.size()) break;
    if (text[i] != settings.TimeSeparator && text[i] != L':') return std::nullopt;
    ++i;
  }
  if (i != text.size() || count < 2) return std::nullopt;
  int hour = parts[0];
  if (designator) {
    if (hour < 1 || hour > 12) return std::nullopt;
    hour = hour % 12 + offset;
  }
  return EncodeTime(hour, parts[1], parts[2]);
}

std::optional<TDateTime> TryStrToDateTime(std::wstring_view text, const TFormatSettings& settings) {
  text = Trim(text);
  const std::size_t space = text.find(L' ');
  if (space == std::wstring_view::npos) return TryStrToDate(text, settings);
  const auto date = TryStrToDate(text.substr(0, space), settings);
  const auto time = TryStrToTime(text.substr(space + 1), settings);
  if (!date || !time) return std::nullopt;
  // Before 1899-12-30 the time runs the other way from the (negative) day number.
  return *date >= 0 ? *date + *time : *date - *time;
}

TDateTime StrToDate(std::wstring_view text, const TFormatSettings& settings) {
  if (auto v = TryStrToDate(text, settings)) return *v;
  throw EConvertError(L"'" + std::wstring(text) + L"' is not a valid date");
}

TDateTime StrToTime(std::wstring_view text, const TFormatSettings& settings) {
  if (auto v = TryStrToTime(text, settings)) return *v;
  throw EConvertError(L"'" + std::wstring(text) + L"' is not a valid time");
}

TDateTime StrToDateTime(std::wstring_view text, const TFormatSettings& settings) {
  if (auto v = TryStrToDateTime(text, settings)) return *v;
  throw EConvertError(L"'" + std::wstring(text) + L"' is not a valid date and time");
}

TDateTime Now() {
  SYSTEMTIME st;
  GetLocalTime(&st);
  const auto date = spv::base::EncodeDate(st.wYear, st.wMonth, st.wDay);
  const auto time = EncodeTime(st.wHour, st.wMinute, st.wSecond, st.wMilliseconds);
  return date.value_or(0) + time.value_or(0);
}

TDateTime Date() { return std::floor(Now()); }

}  // namespace spv::platform
