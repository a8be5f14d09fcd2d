// The text the date field writes for a date reads back as that date, in every short date
// format: the field's mask pads a short day or month with a blank, and the run checks the day
// the field shows.
#include "base/DateTime.h"
#include "base/EditMask.h"
#include "skin/controls/bsSkinBoxCtrlsRules.h"

#include <gtest/gtest.h>

namespace bs {
namespace {

using spv::base::EncodeDate;
using spv::base::FormatDate;
using spv::base::ParseDate;

std::wstring Wide(std::string_view ascii) { return std::wstring(ascii.begin(), ascii.end()); }
std::string Narrow(std::wstring_view ascii) {
  std::string text;
  for (const wchar_t c : ascii) text += char(c);
  return text;
}

// What the field shows for a date: the locale's short date fitted to the mask made from it.
std::wstring FieldText(spv::base::TDateTime date, std::string_view format, wchar_t separator) {
  const TbsDateTemplate t = ReadDateTemplate(Wide(FormatDate(*EncodeDate(9999, 12, 31), format)), separator);
  const spv::base::TEditMask mask(BuildDateMask(t), separator);
  return mask.Fit(Wide(FormatDate(date, format)));
}

TEST(DateFieldText, ReadsBackAsTheDateItShowsInEveryShortDateFormat) {
  struct Format {
    const char* pattern;
    wchar_t separator;
  };
  const Format formats[] = {{"dd.MM.yyyy", L'.'}, {"d.M.yyyy", L'.'}, {"M/d/yyyy", L'/'}, {"d/M/yyyy", L'/'},
                            {"dd/MM/yyyy", L'/'}};
  struct Day {
    int year, month, day;
  };
  const Day days[] = {{2026, 3, 9}, {2026, 3, 14}, {2026, 12, 9}, {2026, 12, 14}, {2000, 1, 1}, {2024, 2, 29}};
  for (const Format& f : formats)
    for (const Day& d : days) {
      const spv::base::TDateTime date = *EncodeDate(d.year, d.month, d.day);
      const std::string text = Narrow(FieldText(date, f.pattern, f.separator));
      EXPECT_EQ(ParseDate(text, f.pattern), date) << f.pattern << " \"" << text << '"';
    }
  // The cases above do meet the padding.
  EXPECT_EQ(FieldText(*EncodeDate(2026, 12, 9), "M/d/yyyy", L'/'), L"12/ 9/2026");
  EXPECT_EQ(FieldText(*EncodeDate(2026, 3, 9), "d.M.yyyy", L'.'), L" 9. 3.2026");
  EXPECT_EQ(FieldText(*EncodeDate(2026, 3, 9), "dd/MM/yyyy", L'/'), L"09/03/2026");
}

// What the field shows before the date is whole, or a day that does not exist, stays no date.
TEST(DateFieldText, TextThatIsNoDateStaysRefused) {
  struct Case {
    const char* text;
    const char* pattern;
  };
  const Case cases[] = {
      {"12/  /2026", "M/d/yyyy"}, {"  /  /    ", "M/d/yyyy"}, {"12/ 9/    ", "M/d/yyyy"},
      {" 2/30/2026", "M/d/yyyy"}, {"1 2/9/2026", "M/d/yyyy"}, {"12 /9/2026", "M/d/yyyy"},
      {"15.03.    ", "dd.MM.yyyy"}, {"29.02.2026", "dd.MM.yyyy"}, {"12/ 9/2026", "dd.MM.yyyy"},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseDate(c.text, c.pattern), std::nullopt) << c.pattern << " \"" << c.text << '"';
}

}  // namespace
}  // namespace bs
