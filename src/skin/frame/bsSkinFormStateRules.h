#pragma once
// The rules of the frame's window states, without a window: what a caption button or a double
// click on the caption asks for, the bookkeeping of rolling up and of changing state, where the
// bar of a minimised frame goes, and the bounds of a maximised or centred window. The frame
// component asks them and carries out what they decide.

#include "skin/resources/bsSkinDataTypes.h"

#include <span>

namespace bs {

// Window states of the frame.
inline constexpr int wsNormal = 0, wsMinimized = 1, wsMaximized = 2;

// The frame's state and what it remembers of how it got there.
struct TbsWindowStates {
  int WindowState = wsNormal;
  bool RolledUp = false;
  // Rolled up while maximised: a double click on the caption rolls it down instead of
  // restoring it, and restoring rolls it down first.
  bool RolledUpWhileMaximized = false;
  // It was rolled up when it was maximised: restoring leaves it rolled up.
  bool RolledUpBeforeMaximize = false;
  friend bool operator==(const TbsWindowStates&, const TbsWindowStates&) = default;
};

// What a command asks of the frame.
enum class TbsStateAction { None, Close, ChangeState, RollUp, RollDown, MinimizeToTray };
struct TbsStateRequest {
  TbsStateAction Action = TbsStateAction::None;
  int State = wsNormal;  // ChangeState: the state asked for
  friend bool operator==(const TbsStateRequest&, const TbsStateRequest&) = default;
};

// A caption button's command: maximise and minimise toggle with normal, roll up toggles, and
// minimise goes to the tray instead when the frame always minimises there.
TbsStateRequest CommandRequest(TbsStdCommand command, const TbsWindowStates& s, bool alwaysMinimizeToTray);

// A double click on the caption: a sizeable frame restores from minimised, maximises when
// normal, unrolled and allowed to, restores from maximised unless rolled up while maximised;
// everything else rolls up or down.
TbsStateRequest CaptionDoubleClickRequest(const TbsWindowStates& s, bool sizeable, bool maximizeAllowed);

// The system menu's Restore: a frame rolled up while normal or while maximised rolls down;
// otherwise it goes back to normal.
TbsStateRequest RestoreRequest(const TbsWindowStates& s);

// The caption buttons a frame has (its border icons).
struct TbsWindowButtons {
  bool Minimize = false, Maximize = false, RollUp = false, MinimizeToTray = false;
};
// The window items of the system menu for a state: minimise unless minimised, maximise unless
// maximised, restore unless normal and unrolled, roll up unless rolled up or minimised, each
// only with its button; minimise to tray with its button.
struct TbsSystemMenuItems {
  bool Minimize = false, Maximize = false, Restore = false, RollUp = false, MinimizeToTray = false;
  friend bool operator==(const TbsSystemMenuItems&, const TbsSystemMenuItems&) = default;
};
TbsSystemMenuItems SystemMenuItems(const TbsWindowStates& s, const TbsWindowButtons& buttons);

// Rolls the frame up (value true) or down, and tells whether anything changed. Nothing does
// without the roll-up button, when minimised, when it was rolled up before it was maximised
// and still is maximised, or when it already is so (rolling up twice would keep the rolled-up
// height as the one to come back to).
bool RollUp(TbsWindowStates& s, bool value, bool rollUpAllowed);

// What the frame does to change to a state, after ChangeState has recorded it.
struct TbsStateChange {
  bool Changes = false;        // false: it is in that state already
  bool RollDownFirst = false;  // restoring a frame rolled up only while it was maximised
  friend bool operator==(const TbsStateChange&, const TbsStateChange&) = default;
};
// Records a change to `state`. The main form's minimise is the application's: the frame keeps
// its state then. Any state other than normal and minimised maximises.
TbsStateChange ChangeState(TbsWindowStates& s, int state, bool mainForm);

// Where the bar of a minimised frame, w x h, goes in the work area `area`: the first place not
// `taken` by another bar, along the bottom from the left, then row by row upwards; the
// bottom-left corner when every place is taken or the bar has no size.
TPoint MinimizedBarPlace(const TRect& area, int w, int h, std::span<const TPoint> taken);

// The bounds of a maximised frame: its monitor's work area, or the whole monitor when it
// maximises on the full screen. A work area that is the whole primary screen (the task bar
// hides itself) gives up a pixel at each edge, so that the task bar can still come up.
TRect MaximizedBounds(const TRect& workArea, const TRect& monitor, const TRect& screen, bool fullScreen);

// A window of width x height centred in `area`.
TRect CentredIn(const TRect& area, int width, int height);

}  // namespace bs
