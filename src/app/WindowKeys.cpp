#include "app/WindowKeys.h"

namespace spv::app {
namespace {

// The virtual-key codes, as Windows numbers them (the portable core has no <windows.h>).
constexpr std::uint16_t kTab = 0x09, kLeft = 0x25, kRight = 0x27, kApps = 0x5D, kF5 = 0x74, kF8 = 0x77,
                        kF10 = 0x79, kC = 'C', kD = 'D', kS = 'S';

struct TKeyBinding {
  std::uint16_t Key;
  bool Shift, Ctrl, Alt;
  TWindowCommand Command;
  bool EditKeepsIt;
};

constexpr TKeyBinding kBindings[] = {
    {kF5, false, false, false, TWindowCommand::Run, false},
    {kTab, false, true, false, TWindowCommand::NextHour, false},
    {kTab, true, true, false, TWindowCommand::PreviousHour, false},
    {kF8, false, false, false, TWindowCommand::NextAttention, false},
    {kF8, true, false, false, TWindowCommand::PreviousAttention, false},
    {kLeft, false, false, true, TWindowCommand::DayBack, false},
    {kRight, false, false, true, TWindowCommand::DayForward, false},
    {kD, false, true, false, TWindowCommand::OnlyDiscrepancies, false},
    {kC, false, true, false, TWindowCommand::CopyRow, true},
    {kC, true, true, false, TWindowCommand::CopyHour, false},
    {kS, false, true, false, TWindowCommand::SaveDay, false},
    {kF10, true, false, false, TWindowCommand::GridMenu, true},
    {kApps, false, false, false, TWindowCommand::GridMenu, true},
};

}  // namespace

TWindowCommand WindowCommandOf(std::uint16_t virtualKey, TKeyModifiers modifiers, TKeyFocus focus) {
  for (const TKeyBinding& b : kBindings)
    if (b.Key == virtualKey && b.Shift == modifiers.Shift && b.Ctrl == modifiers.Ctrl && b.Alt == modifiers.Alt)
      return b.EditKeepsIt && focus == TKeyFocus::Edit ? TWindowCommand::None : b.Command;
  return TWindowCommand::None;
}

}  // namespace spv::app
