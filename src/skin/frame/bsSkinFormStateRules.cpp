#include "skin/frame/bsSkinFormStateRules.h"

#include <algorithm>
#include <climits>

namespace bs {

namespace {

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
  // In 64 bits: the places step past the area's edges before the search gives up.
  using Wide = long long;
  const Wide bottom = Wide(area.Bottom) - h;
  auto place = [](Wide x, Wide y) {
    return TPoint{int(std::clamp<Wide>(x, INT_MIN, INT_MAX)), int(std::clamp<Wide>(y, INT_MIN, INT_MAX))};
  };
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
    return {workArea.Left + 1, workArea.Top + 1, workArea.Right - 1, workArea.Bottom - 1};
  return workArea;
}

TRect CentredIn(const TRect& area, int width, int height) {
  const int left = area.Left + (area.Right - area.Left) / 2 - width / 2;
  const int top = area.Top + (area.Bottom - area.Top) / 2 - height / 2;
  return {left, top, left + width, top + height};
}

}  // namespace bs
