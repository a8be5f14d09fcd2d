#include "skin/frame/bsSkinFormStateRules.h"

#include "skin/resources/bsUtils.h"

#include <algorithm>
#include <climits>

namespace bs {

namespace {

// Work areas and window sizes may hold any int: sums are taken in 64 bits and held at the ends
// of the int range (SaturatedInt).
using Wide = long long;

TbsStateRequest Change(int state) { return {TbsStateAction::ChangeState, state}; }
TbsStateRequest Roll(bool rolledUp) { return {rolledUp ? TbsStateAction::RollDown : TbsStateAction::RollUp}; }

}  // namespace

TbsStateRequest CommandRequest(TbsStdCommand command, const TbsWindowStates& s, bool alwaysMinimizeToTray) {
  switch (command) {
    case TbsStdCommand::cmClose: return {TbsStateAction::Close};
    case TbsStdCommand::cmMaximize: return Change(s.WindowState == wsMaximized ? wsNormal : wsMaximized);
    case TbsStdCommand::cmMinimize:
      if (alwaysMinimizeToTray) return {TbsStateAction::MinimizeToTray};
      return Change(s.WindowState == wsMinimized ? wsNormal : wsMinimized);
    case TbsStdCommand::cmRollUp: return Roll(s.RolledUp);
    case TbsStdCommand::cmMinimizeToTray: return {TbsStateAction::MinimizeToTray};
    case TbsStdCommand::cmSysMenu:
    case TbsStdCommand::cmDefault: break;
  }
  return {};
}

TbsStateRequest CaptionDoubleClickRequest(const TbsWindowStates& s, bool sizeable, bool maximizeAllowed) {
  if (sizeable && s.WindowState == wsMinimized) return Change(wsNormal);
  if (sizeable && s.WindowState != wsMaximized && !s.RolledUp && maximizeAllowed) return Change(wsMaximized);
  if (sizeable && s.WindowState == wsMaximized && !s.RolledUpWhileMaximized) return Change(wsNormal);
  return Roll(s.RolledUp);
}

TbsStateRequest RestoreRequest(const TbsWindowStates& s) {
  if (s.RolledUp && (s.RolledUpWhileMaximized || s.WindowState == wsNormal)) return Roll(true);
  return Change(wsNormal);
}

TbsSystemMenuItems SystemMenuItems(const TbsWindowStates& s, const TbsWindowButtons& buttons) {
  const bool minimized = s.WindowState == wsMinimized;
  return {.Minimize = !minimized && buttons.Minimize,
          .Maximize = s.WindowState != wsMaximized && buttons.Maximize,
          .Restore = s.WindowState != wsNormal || s.RolledUp,
          .RollUp = !s.RolledUp && !minimized && buttons.RollUp,
          .MinimizeToTray = buttons.MinimizeToTray};
}

bool RollUp(TbsWindowStates& s, bool value, bool rollUpAllowed) {
  if (!rollUpAllowed || s.WindowState == wsMinimized) return false;
  if (s.RolledUp && s.WindowState == wsMaximized && s.RolledUpBeforeMaximize) return false;
  if (value == s.RolledUp) return false;
  if (s.WindowState == wsMaximized) s.RolledUpWhileMaximized = value;
  s.RolledUp = value;
  return true;
}

TbsStateChange ChangeState(TbsWindowStates& s, int state, bool mainForm) {
  if (state == s.WindowState) return {};
  const int old = s.WindowState;
  if (!(state == wsMinimized && mainForm)) s.WindowState = state;
  TbsStateChange change{true, false};
  if (state == wsNormal) {
    change.RollDownFirst = old == wsMaximized && s.RolledUp && !s.RolledUpBeforeMaximize;
    s.RolledUpBeforeMaximize = false;
    s.RolledUpWhileMaximized = false;
  } else if (state != wsMinimized) {
    s.RolledUpBeforeMaximize = s.RolledUp;
  }
  return change;
}

TPoint MinimizedBarPlace(const TRect& area, int w, int h, std::span<const TPoint> taken) {
  // The places step past the area's edges before the search gives up.
  const Wide bottom = Wide(area.Bottom) - h;
  auto place = [](Wide x, Wide y) { return TPoint{SaturatedInt(x), SaturatedInt(y)}; };
  const TPoint corner = place(area.Left, bottom);
  // A bar without size would stay on the same place for ever.
  if (w <= 0 || h <= 0) return corner;
  auto isTaken = [&](Wide x, Wide y) {
    return std::find(taken.begin(), taken.end(), place(x, y)) != taken.end();
  };
  Wide x = area.Left, y = bottom;
  while (isTaken(x, y)) {
    x += w;
    if (x + w > area.Right) {
      x = area.Left;
      y -= h;
      if (y < area.Top) return corner;
    }
  }
  return place(x, y);
}

TRect MaximizedBounds(const TRect& workArea, const TRect& monitor, const TRect& screen, bool fullScreen) {
  if (fullScreen) return monitor;
  if (workArea == monitor && monitor == screen)
    return {SaturatedInt(Wide(workArea.Left) + 1), SaturatedInt(Wide(workArea.Top) + 1), SaturatedInt(Wide(workArea.Right) - 1),
            SaturatedInt(Wide(workArea.Bottom) - 1)};
  return workArea;
}

TRect CentredIn(const TRect& area, int width, int height) {
  const Wide left = area.Left + (Wide(area.Right) - area.Left) / 2 - width / 2;
  const Wide top = area.Top + (Wide(area.Bottom) - area.Top) / 2 - height / 2;
  return {SaturatedInt(left), SaturatedInt(top), SaturatedInt(left + width), SaturatedInt(top + height)};
}

}  // namespace bs
