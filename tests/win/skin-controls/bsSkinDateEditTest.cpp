#include "skin/controls/bsSkinDateEdit.h"

#include "SkinTestForm.h"
#include "platform/FormReader.h"
#include "platform/Locale.h"
#include "skin/controls/bsSkinCtrls.h"
#include "skin/resources/bsSkinDataWin.h"
#include "platform/SysUtils.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <tuple>

namespace bs {
namespace {

using namespace spv::platform;
using spv::base::EncodeDate;

// The Windows tests run in a day-month-year Russian locale and in the month-first US one.
bool DayFirst() { return FormatSettings().ShortDateFormat.front() == L'd'; }
// A date written in the running locale's field order, parts as the field holds them.
std::wstring Field(const wchar_t* day, const wchar_t* month, const wchar_t* year) {
  const wchar_t s = FormatSettings().DateSeparator;
  return DayFirst() ? std::wstring(day) + s + month + s + year : std::wstring(month) + s + day + s + year;
}

// The text a date set by the program shows: the locale's date in the mask, whose "!" fills a
// short part with leading blanks (en_US writes M/d/yyyy).
std::wstring Shown(const wchar_t* ru, const wchar_t* en) { return DayFirst() ? ru : en; }

class SkinDateEditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = std::make_unique<bs::test::TSkinnedForm>();
    form->SetBounds(100, 100, 460, 320);
    form->SetCaption(L"Дата");
    skin = new TbsSkinData(form.get());
    bs::test::LoadProgramSkin(*skin);
    edit = new TbsSkinDateEdit(form.get());
    edit->SetParent(form.get());
    edit->SetBounds(20, 20, 121, 18);
    edit->SetMaxLength(10);
    edit->SetSkinData(skin);
    edit->OnDateChange = [this](TObject*) { ++dateChanges; };
    other = new TbsSkinEdit(form.get());
    other->SetParent(form.get());
    other->SetBounds(200, 20, 200, 18);
    other->SetSkinData(skin);
    Application().OnException = [this](TObject*, const std::exception& e) {
      if (auto* x = dynamic_cast<const Exception*>(&e)) errors.push_back(x->Message());
      else errors.push_back(L"?");
    };
    form->Show();
    edit->SetFocus();
    spv::test::PumpMessages();
  }
  void TearDown() override { Application().OnException = nullptr; }

  void ClickButton() {
    bs::test::MouseTo(bs::test::WindowPoint(edit->Handle(), edit->Width() - 10, 10));
    bs::test::MouseButton(true);
    bs::test::MouseButton(false);
  }
  // The screen point of a control of the calendar, at (x, y) of the calendar's client.
  POINT OnCalendar(int x, int y) {
    POINT p{x, y};
    ClientToScreen(edit->Calendar()->Handle(), &p);
    return p;
  }
  void ClickCalendar(int x, int y) {
    bs::test::MouseTo(OnCalendar(x, y));
    bs::test::MouseButton(true);
    bs::test::MouseButton(false);
  }
  POINT CellCentre(int day) {
    const TbsMonthGrid& g = edit->Calendar()->Grid();
    for (int row = 1; row <= 6; ++row)
      for (int c = 0; c < 7; ++c)
        if (g.NumberAt(row, c) == day) {
          const TRect r = g.Cell(row, c);
          return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
        }
    ADD_FAILURE() << "no cell for " << day;
    return {0, 0};
  }

  std::unique_ptr<bs::test::TSkinnedForm> form;
  TbsSkinData* skin = nullptr;
  TbsSkinDateEdit* edit = nullptr;
  TbsSkinEdit* other = nullptr;
  int dateChanges = 0;
  std::vector<std::wstring> errors;
};

TEST_F(SkinDateEditTest, TheMaskComesFromTheLocalesFormatAndShowsItsSeparator) {
  EXPECT_EQ(edit->EditMask(), L"!99/99/0000;1; ");
  EXPECT_EQ(edit->Text(), Field(L"  ", L"  ", L"    "));
  EXPECT_EQ(edit->Height(), 22);
}

TEST_F(SkinDateEditTest, TypedKeysThatMakeAnImpossiblePartAreDropped) {
  // Each row: what is typed from an empty field, and the text it leaves.
  struct Case {
    const wchar_t* typed;
    std::wstring text;
  };
  std::vector<Case> cases;
  if (DayFirst())
    cases = {{L"4", Field(L"  ", L"  ", L"    ")},      {L"32", Field(L"3 ", L"  ", L"    ")},
             {L"00", Field(L"0 ", L"  ", L"    ")},     {L"0113", Field(L"01", L"1 ", L"    ")},
             {L"01a1", Field(L"01", L"1 ", L"    ")},   {L"0101999", Field(L"01", L"01", L"999 ")}};
  else
    cases = {{L"2", Field(L"  ", L"  ", L"    ")},      {L"13", Field(L"  ", L"1 ", L"    ")},
             {L"00", Field(L"  ", L"0 ", L"    ")},     {L"0132", Field(L"3 ", L"01", L"    ")},
             {L"01a1", Field(L"1 ", L"01", L"    ")},   {L"0101999", Field(L"01", L"01", L"999 ")}};
  for (const Case& c : cases) {
    edit->SetText(L"");
    edit->SetSel(0, 0);
    bs::test::TypeText(c.typed);
    EXPECT_EQ(edit->Text(), c.text) << std::string(c.typed, c.typed + wcslen(c.typed));
  }
  // The clipboard keys are control characters: refused, so nothing is cut or pasted.
  edit->SetText(L"");
  bs::test::TypeText(L"12");
  bs::test::PutClipboardText(L"99");
  edit->SelectAll();
  bs::test::TypeKey('X', {VK_CONTROL});
  bs::test::TypeKey('V', {VK_CONTROL});
  EXPECT_EQ(edit->Text(), Field(DayFirst() ? L"12" : L"  ", DayFirst() ? L"  " : L"12", L"    "));
  EXPECT_TRUE(errors.empty());
}

TEST_F(SkinDateEditTest, AWholeTextBecomesTheDateOnlyWhenItIsARealDay) {
  edit->SetDate(*EncodeDate(2024, 5, 6));
  dateChanges = 0;
  edit->SetText(L"");
  edit->SetSel(0, 0);
  bs::test::TypeText(DayFirst() ? L"29022023" : L"02292023");
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0], L"'" + Field(L"29", L"02", L"2023") + L"' is not a valid date");
  EXPECT_EQ(edit->Date(), *EncodeDate(2024, 5, 6));
  EXPECT_EQ(dateChanges, 0);
  EXPECT_EQ(edit->Text(), Field(L"29", L"02", L"2023")) << "the text stays as typed";

  edit->SetText(L"");
  edit->SetSel(0, 0);
  bs::test::TypeText(DayFirst() ? L"29022024" : L"02292024");
  EXPECT_EQ(errors.size(), 1u);
  EXPECT_EQ(edit->Date(), *EncodeDate(2024, 2, 29));
  EXPECT_EQ(dateChanges, 1);

  // SetDate writes the text and tells even when nothing changed.
  edit->SetDate(*EncodeDate(2024, 2, 29));
  EXPECT_EQ(dateChanges, 2);
  EXPECT_EQ(edit->Text(), Shown(L"29.02.2024", L" 2/29/2024"));
}

TEST_F(SkinDateEditTest, TheCalendarDropsDownUnderTheFieldAndLeavesTheFocusThere) {
  edit->SetDate(*EncodeDate(2024, 3, 31));
  ClickButton();
  TbsSkinPopupMonthCalendar* cal = edit->Calendar();
  ASSERT_TRUE(cal->Visible());
  ASSERT_TRUE(IsWindowVisible(cal->Handle()));
  RECT c, e;
  GetWindowRect(cal->Handle(), &c);
  GetWindowRect(edit->Handle(), &e);
  EXPECT_EQ(c.right - c.left, 200);
  EXPECT_EQ(c.bottom - c.top, 150);
  EXPECT_EQ(c.left, e.left);
  EXPECT_EQ(c.top, e.bottom);
  EXPECT_EQ(GetFocus(), edit->Handle());
  EXPECT_NE(GetForegroundWindow(), cal->Handle());
  EXPECT_EQ(GetWindowLongW(cal->Handle(), GWL_STYLE) & (WS_POPUP | WS_CHILD | WS_BORDER), LONG(WS_POPUP));
  EXPECT_TRUE(GetWindowLongW(cal->Handle(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  EXPECT_TRUE(GetClassLongW(cal->Handle(), GCL_STYLE) & CS_SAVEBITS);
  // The navigation buttons.
  TbsSkinSpeedButton* buttons[] = {cal->PriorYearButton(), cal->PriorMonthButton(), cal->NextMonthButton(),
                                   cal->NextYearButton()};
  const int lefts[] = {3, 27, 150, 174};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(buttons[i]->Left(), lefts[i]);
    EXPECT_EQ(buttons[i]->Top(), 3);
    EXPECT_EQ(buttons[i]->Width(), 23);
    EXPECT_EQ(buttons[i]->Height(), 23);
  }
  EXPECT_EQ(cal->PriorMonthButton()->RepeatInterval, 250u);
  EXPECT_EQ(cal->PriorYearButton()->RepeatInterval, 100u);
  spv::test::PumpMessages(100);
  spv::test::SaveWindowPng(form->Handle(), std::string("skin-date-calendar-") + (DayFirst() ? "ru" : "en"));
  {
    // The title and the weekday header are written in the title colour and stand out from the
    // panel they are written on: between the navigation buttons, the band's commonest colour is
    // the panel's, and the title colour is far from it.
    const TbsFBitmap shot = cal->Snapshot();
    const TPixel title = bs::test::PixelOf(ColorToRGB(cal->TitleColor()));
    std::map<std::tuple<int, int, int>, int> counts;
    int titled = 0;
    for (int y = 4; y < 50; ++y)
      for (int x = 52; x < 148; ++x) {
        const TPixel p = shot.At(x, y);
        ++counts[{p.R, p.G, p.B}];
        if (p == title) ++titled;
      }
    EXPECT_GT(titled, 40) << "title and header pixels in the title colour";
    const auto panel = std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) { return a.second < b.second; })->first;
    auto luma = [](int r, int g, int b) { return (299 * r + 587 * g + 114 * b) / 1000; };
    EXPECT_GT(std::abs(luma(title.R, title.G, title.B) - luma(std::get<0>(panel), std::get<1>(panel), std::get<2>(panel))), 100)
        << "the title is readable on the panel";
  }
  {
    RECT f;
    GetWindowRect(form->Handle(), &f);
    EXPECT_LT(c.bottom, f.bottom) << "the picture holds the whole calendar";
  }

  // A short click on the prior month: one step, the day cut to February's length; the
  // field's text changes only when a day is taken.
  ClickCalendar(27 + 10, 3 + 10);
  EXPECT_EQ(edit->Date(), *EncodeDate(2024, 2, 29));
  EXPECT_EQ(edit->Text(), Shown(L"31.03.2024", L" 3/31/2024"));
  EXPECT_TRUE(cal->Visible());
  EXPECT_EQ(GetFocus(), edit->Handle());

  // The weekday header and an empty cell take nothing.
  ClickCalendar(100, 40);
  const TbsMonthGrid& g = cal->Grid();
  if (g.FirstCell < 1) {
    const TRect empty = g.Cell(1, 0);
    ClickCalendar(empty.Left + 3, empty.Top + 3);
  }
  EXPECT_TRUE(cal->Visible());
  EXPECT_EQ(edit->Date(), *EncodeDate(2024, 2, 29));

  // A day: the text and the date, OnDateChange, closed.
  dateChanges = 0;
  const POINT day = CellCentre(14);
  ClickCalendar(day.x, day.y);
  EXPECT_FALSE(cal->Visible());
  EXPECT_FALSE(IsWindowVisible(cal->Handle()));
  EXPECT_EQ(edit->Date(), *EncodeDate(2024, 2, 14));
  EXPECT_EQ(edit->Text(), Shown(L"14.02.2024", L" 2/14/2024"));
  EXPECT_EQ(dateChanges, 1);
  // The same day again still tells.
  ClickButton();
  const POINT same = CellCentre(14);
  ClickCalendar(same.x, same.y);
  EXPECT_EQ(dateChanges, 2);
}

TEST_F(SkinDateEditTest, HeldNavigationButtonsRepeatAndAShortClickIsOneStep) {
  edit->SetDate(*EncodeDate(2024, 6, 15));
  ClickButton();
  TbsSkinPopupMonthCalendar* cal = edit->Calendar();
  ASSERT_TRUE(cal->Visible());
  int steps = 0;
  cal->OnClick = [&](TObject*) { ++steps; };
  // Months: held for about a second, ticks every 250 ms plus the release.
  bs::test::MouseTo(OnCalendar(160, 12));
  bs::test::MouseButton(true);
  spv::test::PumpMessages(1000);
  bs::test::MouseButton(false);
  const int monthSteps = steps;
  EXPECT_GE(monthSteps, 3);
  EXPECT_LE(monthSteps, 6);
  const auto shown = spv::base::DecodeDate(edit->Date());
  EXPECT_EQ((shown.Year - 2024) * 12 + shown.Month - 6, monthSteps);
  // Years: the same second gives many more steps.
  steps = 0;
  bs::test::MouseTo(OnCalendar(184, 12));
  bs::test::MouseButton(true);
  spv::test::PumpMessages(1000);
  bs::test::MouseButton(false);
  EXPECT_GT(steps, monthSteps + 2);
  // Held, moved off, the repeat rests; released elsewhere, no click.
  steps = 0;
  bs::test::MouseTo(OnCalendar(184, 12));
  bs::test::MouseButton(true);
  bs::test::MouseTo(OnCalendar(100, 100));
  const int atLeave = steps;
  spv::test::PumpMessages(500);
  bs::test::MouseButton(false);
  EXPECT_EQ(steps, atLeave);
  EXPECT_TRUE(cal->Visible());
}

TEST_F(SkinDateEditTest, CancellingPutsTheSavedDateBack) {
  TbsSkinPopupMonthCalendar* cal = edit->Calendar();
  const spv::base::TDateTime start = *EncodeDate(2024, 3, 31);
  edit->SetDate(start);
  // Escape.
  ClickButton();
  ClickCalendar(27 + 10, 13);
  ASSERT_TRUE(cal->Visible());
  bs::test::TypeKey(VK_ESCAPE);
  EXPECT_FALSE(cal->Visible());
  EXPECT_EQ(edit->Date(), start);
  // A press elsewhere on the window.
  ClickButton();
  ClickCalendar(27 + 10, 13);
  bs::test::MouseTo(bs::test::WindowPoint(other->Handle(), 50, 10));
  bs::test::MouseButton(true);
  bs::test::MouseButton(false);
  EXPECT_FALSE(cal->Visible());
  EXPECT_EQ(edit->Date(), start);
  // The field's button again closes it (and does not open it again on the release).
  edit->SetFocus();
  ClickButton();
  ASSERT_TRUE(cal->Visible());
  ClickButton();
  EXPECT_FALSE(cal->Visible());
  EXPECT_EQ(edit->Date(), start);
  // The focus moved away.
  ClickButton();
  ClickCalendar(27 + 10, 13);
  other->SetFocus();
  spv::test::PumpMessages();
  EXPECT_FALSE(cal->Visible());
  EXPECT_EQ(edit->Date(), start);
}

TEST_F(SkinDateEditTest, SundayFirstAndMondayFirstGridsOfTheDropDown) {
  TbsSkinPopupMonthCalendar* cal = edit->Calendar();
  // 1 September 2024 is a Sunday: the first column with Sunday first, the last with Monday.
  edit->SetDate(*EncodeDate(2024, 9, 10));
  ClickButton();
  (void)cal->Snapshot();
  EXPECT_EQ(cal->Grid().FirstCell, 1);
  EXPECT_EQ(cal->DayAt(cal->Grid().Cell(1, 0).Left + 2, cal->Grid().Cell(1, 0).Top + 2), 1);
  edit->SetFirstDayOfWeek(Mon);
  (void)cal->Snapshot();
  EXPECT_EQ(cal->Grid().FirstCell, -5);
  EXPECT_EQ(cal->DayAt(cal->Grid().Cell(1, 6).Left + 2, cal->Grid().Cell(1, 6).Top + 2), 1);
  EXPECT_EQ(cal->DayAt(cal->Grid().Cell(1, 0).Left + 2, cal->Grid().Cell(1, 0).Top + 2), 0);
  spv::test::PumpMessages(50);
  spv::test::SaveWindowPng(form->Handle(), std::string("skin-date-calendar-monday-") + (DayFirst() ? "ru" : "en"));
  bs::test::TypeKey(VK_ESCAPE);
}

TEST_F(SkinDateEditTest, AnEmptyFieldOpensOnTheCurrentMonthAndCancelsToZero) {
  ASSERT_EQ(edit->Date(), 0);
  ClickButton();
  const auto shown = spv::base::DecodeDate(edit->Date()), today = spv::base::DecodeDate(spv::platform::Date());
  EXPECT_EQ(shown.Year, today.Year);
  EXPECT_EQ(shown.Month, today.Month);
  bs::test::TypeKey(VK_ESCAPE);
  EXPECT_EQ(edit->Date(), 0);
}

TEST_F(SkinDateEditTest, NearTheScreensBottomTheCalendarOpensAbove) {
  const int screen = GetSystemMetrics(SM_CYSCREEN);
  form->SetBounds(100, screen - 120, 460, 100);
  spv::test::PumpMessages();
  ClickButton();
  RECT c, e;
  GetWindowRect(edit->Calendar()->Handle(), &c);
  GetWindowRect(edit->Handle(), &e);
  EXPECT_EQ(c.bottom, e.top);
  EXPECT_EQ(c.left, e.left);
}

TEST_F(SkinDateEditTest, LooksOfTheDateField) {
  edit->SetDate(*EncodeDate(2024, 3, 31));
  const int top[] = {60, 100, 140, 180};
  std::vector<TbsSkinDateEdit*> fields;
  for (int i = 0; i < 4; ++i) {
    auto* f = new TbsSkinDateEdit(form.get());
    f->SetParent(form.get());
    f->SetBounds(20, top[i], 121, 18);
    f->SetSkinData(skin);
    f->SetDate(*EncodeDate(2024, 3, 1 + i));
    fields.push_back(f);
  }
  fields[2]->SetEnabled(false);
  fields[3]->SetReadOnly(true);
  edit->SetFocus();
  bs::test::MouseTo(bs::test::WindowPoint(fields[1]->Handle(), 110, 10));
  bs::test::MouseButton(true);
  spv::test::PumpMessages(100);
  spv::test::SaveWindowPng(form->Handle(), std::string("skin-date-looks-") + (DayFirst() ? "ru" : "en"));
  bs::test::MouseTo(bs::test::WindowPoint(form->Handle(), 440, 300));
  bs::test::MouseButton(false);
  EXPECT_EQ(fields[0]->Text(), Shown(L"01.03.2024", L" 3/ 1/2024"));
}

std::string Hex(std::span<const std::uint8_t> bytes) {
  static const char* digits = "0123456789ABCDEF";
  std::string hex;
  for (std::uint8_t b : bytes) hex += {digits[b >> 4], digits[b & 15]};
  return hex;
}

// The main window's date field as its form description stores it: the stored mask is rebuilt
// from the running locale, the field takes the skin's height.
TEST(SkinDateEditDescription, TheStoredDateFieldFollowsTheLocaleAndTheSkin) {
  RegisterSkinDataClasses();
  RegisterSkinControlClasses();
  TClassRegistry::Instance().Register("TSkinnedForm", [](TComponent*) -> TComponent* { return new bs::test::TSkinnedForm; });
  bs::test::TSkinnedForm main;
  TFormReader::ReadInto(main,
                        "object Main: TSkinnedForm\n"
                        "  object EDate: TbsSkinDateEdit\n"
                        "    Left = 8\n    Top = 60\n    Width = 121\n    Height = 18\n"
                        "    EditMask = '!99/99/0000;1; '\n    MaxLength = 10\n    Text = '  .  .    '\n"
                        "    SkinData = bsSkinData1\n    SkinDataName = 'buttonedit'\n    ButtonMode = True\n"
                        "    UseSkinFont = True\n    TodayDefault = False\n"
                        "    CalendarWidth = 200\n    CalendarHeight = 150\n    CalendarBoldDays = False\n"
                        "    CalendarSkinDataName = 'panel'\n    FirstDayOfWeek = Mon\n"
                        "  end\n"
                        "  object EBases: TbsSkinEdit\n"
                        "    Left = 8\n    Top = 10\n    Width = 300\n    Height = 18\n"
                        "    SkinData = bsSkinData1\n    SkinDataName = 'buttonedit'\n    ButtonMode = True\n"
                        "  end\n"
                        "  object bsSkinData1: TbsSkinData\n"
                        "    CompressedStoredSkin = bsCompressedStoredSkin1\n"
                        "  end\n"
                        "  object bsCompressedStoredSkin1: TbsCompressedStoredSkin\n"
                        "    CompressedData = {" + Hex(spv::ProgramSkinBlock()) + "}\n"
                        "  end\n"
                        "end\n");
  auto* d = dynamic_cast<TbsSkinDateEdit*>(main.FindComponent("EDate"));
  ASSERT_NE(d, nullptr);
  EXPECT_EQ(d->Height(), 22);
  EXPECT_EQ(d->MaxLength(), 10);
  EXPECT_EQ(d->EditMask(), L"!99/99/0000;1; ");
  const wchar_t s = FormatSettings().DateSeparator;
  EXPECT_EQ(d->Text(), std::wstring(L"  ") + s + L"  " + s + L"    ");
  EXPECT_EQ(d->CalendarWidth(), 200);
  EXPECT_EQ(d->FirstDayOfWeek(), Mon);
  EXPECT_EQ(d->Date(), 0);
  auto* e = dynamic_cast<TbsSkinEdit*>(main.FindComponent("EBases"));
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->Height(), 22);
  EXPECT_EQ(e->EditTextRect(), (TRect{7, 4, 279, 18}));
}

}  // namespace
}  // namespace bs
