// The frame's window-state rules: what each caption button and a double click on the caption
// ask for, rolling up in each state, the bookkeeping of a change of state, a whole sequence of
// them, where the bar of a minimised frame goes, and the bounds of maximising and centring.

#include <gtest/gtest.h>

#include <climits>
#include <ostream>
#include <vector>

#include "FrameTestSupport.h"
#include "skin/frame/bsSkinFormStateRules.h"

using namespace bs;

namespace bs {
inline void PrintTo(const TbsWindowStates& s, std::ostream* os) {
  *os << "state " << s.WindowState << (s.RolledUp ? " rolled up" : "")
      << (s.RolledUpWhileMaximized ? " while maximised" : "") << (s.RolledUpBeforeMaximize ? " before maximise" : "");
}
inline void PrintTo(const TbsStateRequest& r, std::ostream* os) {
  *os << "action " << int(r.Action) << " state " << r.State;
}
}  // namespace bs

namespace {

using Cmd = TbsStdCommand;
using Act = TbsStateAction;

// The states the frame can be in, by how it got there.
constexpr TbsWindowStates kNormal{wsNormal, false, false, false};
constexpr TbsWindowStates kNormalRolled{wsNormal, true, false, false};
constexpr TbsWindowStates kMinimized{wsMinimized, false, false, false};
constexpr TbsWindowStates kMaximized{wsMaximized, false, false, false};
constexpr TbsWindowStates kRolledWhileMaximized{wsMaximized, true, true, false};
constexpr TbsWindowStates kRolledBeforeMaximize{wsMaximized, true, false, true};

constexpr TbsStateRequest To(int state) { return {Act::ChangeState, state}; }
constexpr TbsStateRequest Do(Act action) { return {action}; }

}  // namespace

TEST(WindowStateRules, CaptionButtonCommands) {
  struct Case {
    Cmd command;
    TbsWindowStates states;
    bool alwaysToTray;
    TbsStateRequest request;
  } cases[] = {
      {Cmd::cmClose, kNormal, false, Do(Act::Close)},
      {Cmd::cmClose, kMaximized, true, Do(Act::Close)},
      {Cmd::cmMaximize, kNormal, false, To(wsMaximized)},
      {Cmd::cmMaximize, kMaximized, false, To(wsNormal)},
      {Cmd::cmMaximize, kMinimized, false, To(wsMaximized)},
      {Cmd::cmMaximize, kRolledWhileMaximized, false, To(wsNormal)},
      {Cmd::cmMinimize, kNormal, false, To(wsMinimized)},
      {Cmd::cmMinimize, kMaximized, false, To(wsMinimized)},
      {Cmd::cmMinimize, kMinimized, false, To(wsNormal)},
      {Cmd::cmMinimize, kNormal, true, Do(Act::MinimizeToTray)},
      {Cmd::cmMinimize, kMinimized, true, Do(Act::MinimizeToTray)},
      {Cmd::cmRollUp, kNormal, false, Do(Act::RollUp)},
      {Cmd::cmRollUp, kNormalRolled, false, Do(Act::RollDown)},
      {Cmd::cmRollUp, kMaximized, false, Do(Act::RollUp)},
      {Cmd::cmRollUp, kRolledBeforeMaximize, false, Do(Act::RollDown)},
      {Cmd::cmMinimizeToTray, kNormal, false, Do(Act::MinimizeToTray)},
      {Cmd::cmSysMenu, kNormal, false, Do(Act::None)},
      {Cmd::cmDefault, kMaximized, true, Do(Act::None)},
  };
  for (const Case& c : cases)
    EXPECT_EQ(CommandRequest(c.command, c.states, c.alwaysToTray), c.request)
        << "command " << int(c.command) << ", " << testing::PrintToString(c.states)
        << (c.alwaysToTray ? ", always to the tray" : "");
}

TEST(WindowStateRules, CaptionDoubleClick) {
  struct Case {
    const char* what;
    TbsWindowStates states;
    bool sizeable, maximizeAllowed;
    TbsStateRequest request;
  } cases[] = {
      {"minimised comes back", kMinimized, true, true, To(wsNormal)},
      {"minimised, not sizeable: nothing to roll", kMinimized, false, true, Do(Act::RollUp)},
      {"normal maximises", kNormal, true, true, To(wsMaximized)},
      {"normal without the maximise button rolls up", kNormal, true, false, Do(Act::RollUp)},
      {"normal, not sizeable, rolls up", kNormal, false, true, Do(Act::RollUp)},
      {"rolled up rolls down", kNormalRolled, true, true, Do(Act::RollDown)},
      {"maximised restores", kMaximized, true, true, To(wsNormal)},
      {"maximised after rolling up restores", kRolledBeforeMaximize, true, true, To(wsNormal)},
      {"rolled up while maximised rolls down", kRolledWhileMaximized, true, true, Do(Act::RollDown)},
      {"maximised, not sizeable, rolls up", kMaximized, false, true, Do(Act::RollUp)},
  };
  for (const Case& c : cases)
    EXPECT_EQ(CaptionDoubleClickRequest(c.states, c.sizeable, c.maximizeAllowed), c.request) << c.what;
}

TEST(WindowStateRules, SystemMenuRestore) {
  const struct {
    const char* what;
    TbsWindowStates states;
    TbsStateRequest request;
  } cases[] = {
      {"rolled up while normal rolls down", kNormalRolled, Do(Act::RollDown)},
      {"rolled up while maximised rolls down", kRolledWhileMaximized, Do(Act::RollDown)},
      {"rolled up before maximising is restored", kRolledBeforeMaximize, To(wsNormal)},
      {"maximised is restored", kMaximized, To(wsNormal)},
      {"minimised is restored", kMinimized, To(wsNormal)},
  };
  for (const auto& c : cases) EXPECT_EQ(RestoreRequest(c.states), c.request) << c.what;
}

TEST(WindowStateRules, SystemMenuItems) {
  constexpr TbsWindowButtons all{true, true, true, true}, none{};
  struct Case {
    const char* what;
    TbsWindowStates states;
    TbsWindowButtons buttons;
    TbsSystemMenuItems items;  // minimise, maximise, restore, roll up, to tray
  } cases[] = {
      {"normal", kNormal, all, {true, true, false, true, true}},
      {"normal without buttons", kNormal, none, {false, false, false, false, false}},
      {"rolled up", kNormalRolled, all, {true, true, true, false, true}},
      {"minimised", kMinimized, all, {false, true, true, false, true}},
      {"maximised", kMaximized, all, {true, false, true, true, true}},
      {"maximised without buttons: restore stays", kMaximized, none, {false, false, true, false, false}},
      {"rolled up while maximised", kRolledWhileMaximized, all, {true, false, true, false, true}},
      {"only the tray button", kNormal, {false, false, false, true}, {false, false, false, false, true}},
  };
  for (const Case& c : cases) EXPECT_EQ(SystemMenuItems(c.states, c.buttons), c.items) << c.what;
}

TEST(WindowStateRules, RollingUpAndDown) {
  struct Case {
    const char* what;
    TbsWindowStates before;
    bool value, allowed;
    bool changes;
    TbsWindowStates after;
  } cases[] = {
      {"normal rolls up", kNormal, true, true, true, kNormalRolled},
      {"and down again", kNormalRolled, false, true, true, kNormal},
      {"not without the roll-up button", kNormal, true, false, false, kNormal},
      {"nor down without it", kNormalRolled, false, false, false, kNormalRolled},
      {"not twice", kNormalRolled, true, true, false, kNormalRolled},
      {"down when not up changes nothing", kNormal, false, true, false, kNormal},
      {"not when minimised", kMinimized, true, true, false, kMinimized},
      {"maximised rolls up and remembers it", kMaximized, true, true, true, kRolledWhileMaximized},
      {"rolled while maximised rolls down", kRolledWhileMaximized, false, true, true, kMaximized},
      {"rolled before maximising stays rolled", kRolledBeforeMaximize, false, true, false, kRolledBeforeMaximize},
      {"and is not rolled up again", kRolledBeforeMaximize, true, true, false, kRolledBeforeMaximize},
  };
  for (const Case& c : cases) {
    TbsWindowStates s = c.before;
    EXPECT_EQ(RollUp(s, c.value, c.allowed), c.changes) << c.what;
    EXPECT_EQ(s, c.after) << c.what;
  }
}

TEST(WindowStateRules, ChangingState) {
  struct Case {
    const char* what;
    TbsWindowStates before;
    int state;
    bool mainForm;
    TbsStateChange change;
    TbsWindowStates after;
  } cases[] = {
      {"to the same state: nothing", kNormal, wsNormal, false, {false, false}, kNormal},
      {"maximised again: nothing", kRolledWhileMaximized, wsMaximized, false, {false, false}, kRolledWhileMaximized},
      {"maximise", kNormal, wsMaximized, false, {true, false}, kMaximized},
      {"maximise rolled up", kNormalRolled, wsMaximized, false, {true, false}, kRolledBeforeMaximize},
      {"maximise from minimised", kMinimized, wsMaximized, false, {true, false}, kMaximized},
      {"restore from maximised", kMaximized, wsNormal, false, {true, false}, kNormal},
      {"restore rolled while maximised: down first", kRolledWhileMaximized, wsNormal, false, {true, true},
       {wsNormal, true, false, false}},
      {"restore rolled before maximising: stays rolled", kRolledBeforeMaximize, wsNormal, false, {true, false},
       kNormalRolled},
      {"restore from minimised", kMinimized, wsNormal, false, {true, false}, kNormal},
      {"minimise", kNormal, wsMinimized, false, {true, false}, kMinimized},
      {"minimise maximised, remembering it", kRolledBeforeMaximize, wsMinimized, false, {true, false},
       {wsMinimized, true, false, true}},
      {"the main form's minimise is the application's", kNormal, wsMinimized, true, {true, false}, kNormal},
      {"the main form maximises as any", kNormal, wsMaximized, true, {true, false}, kMaximized},
  };
  for (const Case& c : cases) {
    TbsWindowStates s = c.before;
    EXPECT_EQ(ChangeState(s, c.state, c.mainForm), c.change) << c.what;
    EXPECT_EQ(s, c.after) << c.what;
  }
}

// The caption buttons pressed one after another, carried out as the frame carries them out.
TEST(WindowStateRules, SequencesOfCommands) {
  auto press = [](TbsWindowStates& s, Cmd command) {
    const TbsStateRequest r = CommandRequest(command, s, false);
    if (r.Action == Act::RollUp || r.Action == Act::RollDown) RollUp(s, r.Action == Act::RollUp, true);
    if (r.Action == Act::ChangeState && ChangeState(s, r.State, false).RollDownFirst) RollUp(s, false, true);
  };
  struct Case {
    const char* what;
    std::vector<Cmd> commands;
    TbsWindowStates after;
  } cases[] = {
      {"rolled up, maximised and restored: still rolled up", {Cmd::cmRollUp, Cmd::cmMaximize, Cmd::cmMaximize},
       kNormalRolled},
      {"maximised, rolled up and restored: rolled down", {Cmd::cmMaximize, Cmd::cmRollUp, Cmd::cmMaximize}, kNormal},
      {"rolled up, maximised: the roll-up button does nothing", {Cmd::cmRollUp, Cmd::cmMaximize, Cmd::cmRollUp},
       kRolledBeforeMaximize},
      {"minimised: the roll-up button does nothing", {Cmd::cmMinimize, Cmd::cmRollUp}, kMinimized},
      {"maximised, minimised, back: normal", {Cmd::cmMaximize, Cmd::cmMinimize, Cmd::cmMinimize}, kNormal},
  };
  for (const Case& c : cases) {
    TbsWindowStates s = kNormal;
    for (Cmd command : c.commands) press(s, command);
    EXPECT_EQ(s, c.after) << c.what;
  }
}

TEST(WindowStateRules, MinimizedBarPlaces) {
  struct Case {
    const char* what;
    TRect area;
    int w, h;
    std::vector<TPoint> taken;
    TPoint place;
  } cases[] = {
      {"the bottom-left corner first", {0, 0, 300, 200}, 100, 20, {}, {0, 180}},
      {"bars elsewhere take nothing", {0, 0, 300, 200}, 100, 20, {{5, 180}, {0, 0}}, {0, 180}},
      {"next to the first", {0, 0, 300, 200}, 100, 20, {{0, 180}}, {100, 180}},
      {"the last that fits the row", {0, 0, 300, 200}, 100, 20, {{0, 180}, {100, 180}}, {200, 180}},
      {"a full row: the row above", {0, 0, 300, 200}, 100, 20, {{0, 180}, {100, 180}, {200, 180}}, {0, 160}},
      {"a gap in the row is taken first", {0, 0, 300, 200}, 100, 20, {{0, 180}, {200, 180}}, {100, 180}},
      {"every place taken: the corner", {0, 0, 300, 40}, 100, 20,
       {{0, 20}, {100, 20}, {200, 20}, {0, 0}, {100, 0}, {200, 0}}, {0, 20}},
      {"an area narrower than a bar: a column", {0, 0, 50, 100}, 100, 20, {{0, 80}}, {0, 60}},
      {"a monitor left of the primary one", {-1280, 0, 0, 1024}, 160, 24, {{-1280, 1000}}, {-1120, 1000}},
      {"a bar without width", {0, 0, 300, 200}, 0, 20, {{0, 180}}, {0, 180}},
      {"a bar without height", {0, 0, 300, 200}, 100, 0, {{0, 200}}, {0, 200}},
      {"at the end of the int range", {INT_MAX - 10, 0, INT_MAX, 100}, 20, 20, {{INT_MAX - 10, 80}},
       {INT_MAX - 10, 60}},
  };
  for (const Case& c : cases) EXPECT_EQ(MinimizedBarPlace(c.area, c.w, c.h, c.taken), c.place) << c.what;
}

TEST(WindowStateRules, MaximizedBounds) {
  constexpr TRect screen{0, 0, 1024, 768};
  struct Case {
    const char* what;
    TRect workArea, monitor;
    bool fullScreen;
    TRect bounds;
  } cases[] = {
      {"the work area above the task bar", {0, 0, 1024, 738}, screen, false, {0, 0, 1024, 738}},
      {"a task bar that hides itself keeps a pixel", screen, screen, false, {1, 1, 1023, 767}},
      {"a second monitor without a task bar", {1024, 0, 2048, 768}, {1024, 0, 2048, 768}, false,
       {1024, 0, 2048, 768}},
      {"the full screen over the task bar", {0, 0, 1024, 738}, screen, true, screen},
      {"the full screen over a hidden task bar", screen, screen, true, screen},
  };
  for (const Case& c : cases) EXPECT_EQ(MaximizedBounds(c.workArea, c.monitor, screen, c.fullScreen), c.bounds) << c.what;
}

TEST(WindowStateRules, CentredInTheMonitor) {
  struct Case {
    TRect area;
    int width, height;
    TRect bounds;
  } cases[] = {
      {{0, 0, 1024, 768}, 300, 200, {362, 284, 662, 484}},
      {{0, 0, 1025, 769}, 301, 201, {362, 284, 663, 485}},
      {{-1280, 0, 0, 1024}, 400, 300, {-840, 362, -440, 662}},
      {{0, 0, 800, 600}, 1000, 700, {-100, -50, 900, 650}},
      {{INT_MIN, 0, INT_MAX, 10}, 10, 10, {-6, 0, 4, 10}},  // the width of the area is past the int range
  };
  for (const Case& c : cases)
    EXPECT_EQ(CentredIn(c.area, c.width, c.height), c.bounds) << c.width << " x " << c.height;
}
