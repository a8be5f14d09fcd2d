// The main window's portable rules: its keys, its command line and its day at a glance.
#include "app/CommandLine.h"
#include "app/DayGlance.h"
#include "app/WindowKeys.h"

#include <gtest/gtest.h>

namespace spv::app {
namespace {

TEST(WindowCommandOf, EachKeyAndTheEditsKeepTheirOwn) {
  constexpr TKeyModifiers none{}, shift{true, false, false}, ctrl{false, true, false}, ctrlShift{true, true, false},
      alt{false, false, true}, ctrlAlt{false, true, true};
  struct Case {
    std::uint16_t key;
    TKeyModifiers modifiers;
    TWindowCommand elsewhere, inEdit;
  };
  using C = TWindowCommand;
  const Case cases[] = {
      {0x74, none, C::Run, C::Run},                          // F5
      {0x74, ctrl, C::None, C::None},
      {0x09, ctrl, C::NextHour, C::NextHour},                // Ctrl+Tab
      {0x09, ctrlShift, C::PreviousHour, C::PreviousHour},
      {0x09, none, C::None, C::None},                        // Tab moves the focus
      {0x77, none, C::NextAttention, C::NextAttention},      // F8
      {0x77, shift, C::PreviousAttention, C::PreviousAttention},
      {0x25, alt, C::DayBack, C::DayBack},                   // Alt+Left
      {0x27, alt, C::DayForward, C::DayForward},
      {0x25, none, C::None, C::None},                        // the arrows stay the controls'
      {0x25, ctrlAlt, C::None, C::None},
      {'D', ctrl, C::OnlyDiscrepancies, C::OnlyDiscrepancies},
      {'C', ctrl, C::CopyRow, C::None},                      // the edits copy their text
      {'C', ctrlShift, C::CopyHour, C::CopyHour},
      {'C', none, C::None, C::None},
      {'S', ctrl, C::SaveDay, C::SaveDay},
      {0x79, shift, C::GridMenu, C::None},                   // Shift+F10: the edits' own menu
      {0x79, none, C::None, C::None},
      {0x5D, none, C::GridMenu, C::None},                    // the context-menu key
      {0x21, ctrl, C::None, C::None},                        // Ctrl+PgUp stays the grid's
      {0x22, ctrl, C::None, C::None},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(WindowCommandOf(c.key, c.modifiers, TKeyFocus::Other), c.elsewhere) << std::hex << c.key;
    EXPECT_EQ(WindowCommandOf(c.key, c.modifiers, TKeyFocus::Edit), c.inEdit) << std::hex << c.key;
  }
}

TEST(ParseCommandLine, RunDateAndWhatIsNotUnderstood) {
  const base::TDateTime day = *base::EncodeDate(2026, 3, 14);
  struct Case {
    std::vector<std::string> arguments;
    bool run;
    std::optional<base::TDateTime> date;
    std::vector<std::string> errors;
  };
  const Case cases[] = {
      {{}, false, std::nullopt, {}},
      {{"--run"}, true, std::nullopt, {}},
      {{"/run"}, true, std::nullopt, {}},
      {{"/RUN"}, true, std::nullopt, {}},
      {{"--date", "2026-03-14"}, false, day, {}},
      {{"/date", "14.03.2026"}, false, day, {}},
      {{"--date", "14.03.2026", "--run"}, true, day, {}},
      {{"--run", "/date", "2026-03-14"}, true, day, {}},
      {{"--date", "2026-02-30", "--run"}, false, std::nullopt, {"Неверная дата в командной строке: 2026-02-30"}},
      {{"--date"}, false, std::nullopt, {"Неверная дата в командной строке: --date"}},
      {{"--run", "-x", "день"},
       false,
       std::nullopt,
       {"Неизвестный параметр командной строки: -x", "Неизвестный параметр командной строки: день"}},
      {{"run"}, false, std::nullopt, {"Неизвестный параметр командной строки: run"}},
      {{"--runs"}, false, std::nullopt, {"Неизвестный параметр командной строки: --runs"}},
  };
  for (const Case& c : cases) {
    const TCommandLine line = ParseCommandLine(c.arguments, "dd.MM.yyyy");
    const std::string name = ::testing::PrintToString(c.arguments);
    EXPECT_EQ(line.Run, c.run) << name;
    EXPECT_EQ(line.Date, c.date) << name;
    EXPECT_EQ(line.Errors, c.errors) << name;
  }
  // The user's own short format, here the American one.
  EXPECT_EQ(ParseCommandLine({"--date", "3/14/2026"}, "M/d/yyyy").Date, day);
  EXPECT_FALSE(ParseCommandLine({"--date", "14.03.2026"}, "M/d/yyyy").Date);
}

TLogItem Row(TColor color) { return {TShortString("t"), TShortString("a"), color == clRed ? -1 : 0, color, 0.1}; }

TEST(TotalsText, TheHourAndTheDayInWords) {
  THourResult hour{14, true, {Row(clRed), Row(clRed)}};
  EXPECT_EQ(HourTotalsText(hour), "Час 14: на месте 0, перемещены 0, вручную 2, не вышли 0, нет плейлиста");
  hour = {9, false, {Row(clWhite), Row(clYellow), Row(clGreen), Row(clWhite)}};
  EXPECT_EQ(HourTotalsText(hour), "Час 9: на месте 2, перемещены 1, вручную 0, не вышли 1");
  TCaseCounts day;
  day.Count = {281, 59, 20, 11};
  EXPECT_EQ(DayTotalsText(*base::EncodeDate(2026, 12, 9), day, "dd.MM.yyyy"),
            "09.12.2026: на месте 281, перемещены 59, вручную 20, не вышли 11");
  EXPECT_EQ(DayTotalsText(*base::EncodeDate(2026, 12, 9), day, "M/d/yyyy").substr(0, 10), "12/9/2026:");
}

TEST(NextHourNeedingAttention, WrapsAroundTheDayBothWays) {
  std::array<bool, kHoursPerDay> attention{};
  EXPECT_EQ(NextHourNeedingAttention(attention, 5, true), std::nullopt);
  attention[3] = attention[14] = attention[22] = true;
  struct Case {
    int from;
    bool forward;
    int to;
  };
  const Case cases[] = {{0, true, 3},   {3, true, 14},   {14, true, 22}, {22, true, 3},  {23, true, 3},
                        {0, false, 22}, {3, false, 22}, {14, false, 3}, {15, false, 14}, {-1, true, 3}};
  for (const Case& c : cases)
    EXPECT_EQ(NextHourNeedingAttention(attention, c.from, c.forward), c.to) << c.from << ' ' << c.forward;
  attention = {};
  attention[7] = true;
  EXPECT_EQ(NextHourNeedingAttention(attention, 7, true), 7) << "the one such hour";
}

}  // namespace
}  // namespace spv::app
