#include "base/EditMask.h"

#include <gtest/gtest.h>

namespace spv::base {
namespace {

TEST(EditMask, TheDateMaskShowsTheLocalesSeparatorAndBlanks) {
  const TEditMask ru(L"!99/99/0000;1; ", L'.');
  EXPECT_EQ(ru.Length(), 10);
  EXPECT_EQ(ru.Blank(), L' ');
  EXPECT_EQ(ru.EmptyText(), L"  .  .    ");
  EXPECT_EQ(TEditMask(L"!99/99/0000;1; ", L'/').EmptyText(), L"  /  /    ");
  EXPECT_EQ(TEditMask(L"!99/LLL/0000;1;_", L'-').EmptyText(), L"__-___-____");
  EXPECT_EQ(TEditMask(L"00\\;00;1; ").EmptyText(), L"  ;  ");
}

TEST(EditMask, PositionsTakeTheirCharacterClassesAndSkipLiterals) {
  const TEditMask m(L"!99/LLL/0000;1; ", L'-');
  struct Case {
    int pos;
    wchar_t c;
    bool ok;
  } cases[] = {{0, L'5', true}, {0, L'x', false}, {2, L'-', true}, {2, L'5', false}, {3, L'д', true},
               {3, L'5', false}, {7, L'0', true}, {10, L'9', true}, {11, L'9', false}, {-1, L'1', false}};
  for (const Case& c : cases) EXPECT_EQ(m.Accepts(c.pos, c.c), c.ok) << c.pos << " " << int(c.c);
  EXPECT_EQ(m.NextEditable(2), 3);
  EXPECT_EQ(m.NextEditable(11), 11);
  EXPECT_EQ(m.PriorEditable(2), 1);
  EXPECT_EQ(m.PriorEditable(0), 0);
  EXPECT_EQ(m.PriorEditable(6), 5);
}

TEST(EditMask, FitPutsLiteralsInPlaceAndBlanksWhatAPositionRefuses) {
  const TEditMask m(L"!99/99/0000;1; ", L'.');
  EXPECT_EQ(m.Fit(L"29.02.2024"), L"29.02.2024");
  EXPECT_EQ(m.Fit(L"29/02/2024"), L"29.02.2024");
  EXPECT_EQ(m.Fit(L"2x.0"), L"2 .0 .    ");
  EXPECT_EQ(m.Fit(L"29.02.2024\r\nmore"), L"29.02.2024");
  EXPECT_TRUE(TEditMask(L"").Empty());
  // A text with the literals in place fills each section, with leading blanks under "!".
  const TEditMask us(L"!99/99/0000;1; ", L'/');
  EXPECT_EQ(us.Fit(L"3/1/2024"), L" 3/ 1/2024");
  EXPECT_EQ(us.Fit(L"12/31/9999"), L"12/31/9999");
  EXPECT_EQ(TEditMask(L"99/99/0000;1;_", L'/').Fit(L"3/1/2024"), L"3_/1_/2024");
  EXPECT_EQ(us.Fit(L"123/1/2024"), L"12/ 1/2024") << "a section too long: position by position";
  EXPECT_EQ(us.Fit(L"3/1/2024/5"), L"3 / 2/24 5") << "text beyond the sections: position by position";
}

}  // namespace
}  // namespace spv::base
