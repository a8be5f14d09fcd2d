#include "skin/controls/bsSkinBoxCtrlsRules.h"

#include <gtest/gtest.h>

namespace bs {
namespace {

// The locales the rules meet: the template is 31 December 9999 in each short date format.
struct Locale {
  const char* name;
  const wchar_t* templ;
  wchar_t sep;
};
const Locale kRu{"ru_RU dd.MM.yyyy", L"31.12.9999", L'.'};
const Locale kUs{"en_US M/d/yyyy", L"12/31/9999", L'/'};
const Locale kDe2{"two-digit year dd.MM.yy", L"31.12.99", L'.'};
const Locale kIso{"ISO yyyy-MM-dd", L"9999-12-31", L'-'};
const Locale kNamed{"named month dd-MMM-yyyy", L"31-дек-9999", L'-'};

TbsDateTemplate T(const Locale& l) { return ReadDateTemplate(l.templ, l.sep); }

bool IsRuMonth(std::wstring_view n) { return n == L"дек" || n == L"янв" || n == L"фев"; }

TEST(DateMask, FollowsEachLocalesPartsInOrder) {
  struct Case {
    const Locale& l;
    const wchar_t* mask;
  } cases[] = {
      {kRu, L"!99/99/0000;1; "}, {kUs, L"!99/99/0000;1; "}, {kDe2, L"!99/99/00;1; "},
      {kIso, L"!0000/99/99;1; "}, {kNamed, L"!99/LLL/0000;1; "},
  };
  for (const Case& c : cases) EXPECT_EQ(BuildDateMask(T(c.l)), c.mask) << c.l.name;
}

// Each row: the text so far, where the caret is, the key typed and whether it is kept.
TEST(DateKeyFilter, RefusesEveryKeyThatMakesAnImpossiblePart) {
  struct Case {
    const Locale& l;
    const wchar_t* text;
    int caret;
    wchar_t key;
    bool kept;
  } cases[] = {
      {kRu, L"  .  .    ", 0, L'4', false},  // no day starts with 4
      {kRu, L"  .  .    ", 0, L'3', true},
      {kRu, L"3 .  .    ", 1, L'2', false},  // day 32
      {kRu, L"3 .  .    ", 1, L'1', true},
      {kRu, L"0 .  .    ", 1, L'0', false},  // day 00
      {kRu, L"01.  .    ", 3, L'2', false},  // no month starts with 2
      {kRu, L"01.1 .    ", 4, L'3', false},  // month 13
      {kRu, L"01.1 .    ", 4, L'2', true},
      {kRu, L"01.0 .    ", 4, L'0', false},  // month 00
      {kRu, L"01.12.    ", 6, L'9', true},  // any year digits
      {kRu, L"01.12.999 ", 9, L'9', true},
      {kRu, L"01.12.    ", 6, L'0', true},
      {kRu, L"  .  .    ", 6, L'0', true},  // parts with no digit never refuse
      {kRu, L"  .  .    ", 0, L'a', false},  // letters
      {kRu, L"  .  .    ", 0, wchar_t(3), false},  // Ctrl+C
      {kRu, L"  .  .    ", 0, wchar_t(22), false},  // Ctrl+V
      {kRu, L"  .  .    ", 0, wchar_t(24), false},  // Ctrl+X
      {kRu, L"  .  .    ", 0, wchar_t(10), false},  // Ctrl+Enter: no line break in a date
      {kRu, L"12.  .    ", 1, L'.', false},  // a separator over a digit: four parts
      {kRu, L"12.  .    ", 2, L'5', false},  // a digit over the separator: two parts
      {kUs, L"  /  /    ", 0, L'1', true},  // en_US: the month comes first
      {kUs, L"  /  /    ", 0, L'2', false},
      {kUs, L"1 /  /    ", 1, L'3', false},
      {kUs, L"12/  /    ", 3, L'3', true},
      {kUs, L"12/3 /    ", 4, L'2', false},
      {kUs, L"12/  /    ", 3, L'4', false},
      {kDe2, L"  .  .  ", 6, L'9', true},
      {kIso, L"    -  -  ", 5, L'1', true},
      {kIso, L"    -  -  ", 5, L'2', false},
      {kIso, L"    -  -  ", 8, L'4', false},
      {kNamed, L"  -   -    ", 0, L'3', false},  // digits and blanks only: refused for a named month
      {kNamed, L"  -д  -    ", 0, L'3', true},
      {kNamed, L"  -д  -    ", 0, L'4', false},
  };
  for (const Case& c : cases) {
    const std::wstring candidate = DateKeyCandidate(c.text, c.caret, c.key);
    EXPECT_EQ(ValidateDateText(candidate, T(c.l)), c.kept)
        << c.l.name << " text '" << std::string(c.text, c.text + wcslen(c.text)) << "' caret " << c.caret << " key "
        << int(c.key);
  }
}

TEST(DateKeyFilter, BackspaceEnterAndEscapePassUntouched) {
  for (wchar_t k : {wchar_t(8), wchar_t(13), wchar_t(27)}) EXPECT_TRUE(DateFilterPassesUntouched(k)) << int(k);
  for (wchar_t k : {L'1', wchar_t(3), wchar_t(10)}) EXPECT_FALSE(DateFilterPassesUntouched(k)) << int(k);
}

TEST(DateKeyCandidate, ReplacesTheCharacterAtTheCaretOrAppends) {
  EXPECT_EQ(DateKeyCandidate(L"  .  ", 0, L'1'), L"1 .  ");
  EXPECT_EQ(DateKeyCandidate(L"  .  ", 4, L'1'), L"  . 1");
  EXPECT_EQ(DateKeyCandidate(L"ab", 2, L'c'), L"abc");
  EXPECT_EQ(DateKeyCandidate(L"ab", -3, L'c'), L"cb");
}

TEST(CompleteDate, OnlyAWholeDateOfTheTemplatesShape) {
  struct Case {
    const Locale& l;
    const wchar_t* text;
    bool complete;
  } cases[] = {
      {kRu, L"29.02.2024", true},   {kRu, L"29.02.2023", true},  // a real day or not: the conversion decides
      {kRu, L"29.02.202 ", false},  {kRu, L"00.02.2024", false}, {kRu, L"01.00.2024", false},
      {kRu, L"01.01.0000", false},  {kRu, L"32.01.2024", false}, {kRu, L"01.13.2024", false},
      {kRu, L"01..2024", false},    {kRu, L"1.1.2024", true},    {kRu, L"01-01-2024", false},
      {kUs, L"12/31/2024", true},   {kUs, L"31/12/2024", false}, {kDe2, L"01.01.00", true},
      {kDe2, L"01.01.100", false},  {kIso, L"2024-02-29", true}, {kIso, L"0000-02-29", false},
      {kNamed, L"01-дек-2024", true}, {kNamed, L"01-xyz-2024", false}, {kNamed, L"01-12-2024", false},
      {kNamed, L"32-дек-2024", false}, {kNamed, L"01-де-2024", false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(IsCompleteDate(c.text, T(c.l), IsRuMonth), c.complete)
        << c.l.name << " '" << std::string(c.text, c.text + wcslen(c.text)) << "'";
}

TEST(EditMenu, ItemsInOrderEnabledByTheEditsState) {
  const auto captions = [](const std::vector<TbsEditMenuItem>& items) {
    std::wstring s;
    for (const auto& i : items) s += std::wstring(i.Caption) + L"|";
    return s;
  };
  const auto enabled = [](const std::vector<TbsEditMenuItem>& items) {
    std::string s;
    for (const auto& i : items) s += i.Enabled ? '1' : '0';
    return s;
  };
  EXPECT_EQ(captions(EditMenuItems({})), L"Undo|-|Cut|Copy|Paste|Delete|-|Select All|");
  struct Case {
    TbsEditState state;
    const char* enabled;
  } cases[] = {
      {{false, false, false, false, false}, "01000011"},
      {{true, true, false, true, false}, "11111111"},
      {{true, true, true, true, false}, "11010011"},  // read-only: no Cut, Paste, Delete
      {{false, true, false, false, true}, "01110110"},  // all selected: no Select All
      {{false, false, false, true, false}, "01001011"},
  };
  for (const Case& c : cases) EXPECT_EQ(enabled(EditMenuItems(c.state)), c.enabled);
  const auto items = EditMenuItems({});
  EXPECT_EQ(items[2].Command, TbsEditCommand::ecCut);
  EXPECT_STREQ(items[7].StringKey, "EDIT_SELECTALL");
}

}  // namespace
}  // namespace bs
