#pragma once
// The rules of the skinned message box that need no window: its kinds and buttons, which
// buttons answer Enter and Escape, and how the box is sized and laid out from the size of its
// text.

#include "skin/resources/bsSkinDataTypes.h"

#include <optional>
#include <string_view>
#include <vector>

namespace bs {

enum class TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };

// The buttons, in their order in the row.
enum class TMsgDlgBtn { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp };
inline constexpr int MsgDlgButtonCount = 11;
// A set of buttons: bit n stands for the button of value n.
using TMsgDlgButtons = unsigned;
constexpr TMsgDlgButtons MsgButtons(std::initializer_list<TMsgDlgBtn> buttons) {
  TMsgDlgButtons set = 0;
  for (TMsgDlgBtn b : buttons) set |= 1u << unsigned(b);
  return set;
}
constexpr bool HasButton(TMsgDlgButtons set, TMsgDlgBtn b) { return (set >> unsigned(b)) & 1u; }

// The component name of a button ("Yes", "NoToAll").
std::string_view MessageButtonName(TMsgDlgBtn button);
// The built-in caption of a button ("&Yes") and the key of its resource string ("MSG_BTN_YES").
std::string_view MessageButtonBuiltInCaption(TMsgDlgBtn button);
std::string_view MessageButtonResKey(TMsgDlgBtn button);
// What a click on the button returns: Yes 6, No 7, OK 1, Cancel 2, Abort 3, Retry 4, Ignore 5,
// All 8, NoToAll 9, YesToAll 10; Help 0, which does not close the box.
int MessageButtonResult(TMsgDlgBtn button);
// The built-in caption of a kind and the key of its resource string; empty for the custom kind,
// whose caption is the application's title.
std::string_view MessageBoxBuiltInCaption(TMsgDlgType kind);
std::string_view MessageBoxResKey(TMsgDlgType kind);

// The button that Enter presses: OK, else Yes, else Retry, when in the set.
std::optional<TMsgDlgBtn> DefaultMessageButton(TMsgDlgButtons set);
// The button that Escape presses: Cancel, else No, else OK, when in the set. {Abort, Retry,
// Ignore} has none, so that Escape cannot dismiss a question it does not answer.
std::optional<TMsgDlgBtn> CancelMessageButton(TMsgDlgButtons set);

inline constexpr int MessageButtonWidth = 70;
inline constexpr int MessageButtonSpacing = 10;
// Without a button description in the skin.
inline constexpr int MessageButtonDefaultHeight = 25;
inline constexpr TPoint MessageLabelPos{50, 15};

struct TbsMessageBoxInput {
  int TextWidth = 0, TextHeight = 0;  // the message label's size
  TMsgDlgButtons Buttons = 0;
  int ButtonHeight = MessageButtonDefaultHeight;
  bool ShowAgainFlag = false;
  int CheckTextWidth = 0;  // the check box caption's width in its font
};

struct TbsMessageBoxLayout {
  int ClientWidth = 0, ClientHeight = 0;
  TRect Label, Icon;
  TRect CheckBox;  // empty without the check box
};

int MessageButtonRowWidth(TMsgDlgButtons set);
// The client size and the places of the label, the icon and the check box.
TbsMessageBoxLayout LayoutMessageBox(const TbsMessageBoxInput& in);
// The form's outer width kept between the frame's minimum and maximum (the maximum wins).
int FitMessageFormWidth(int width, int minWidth, int maxWidth);
// The buttons of the set in row order, centred in the final client width, 10 above the bottom.
std::vector<std::pair<TMsgDlgBtn, TRect>> LayoutMessageButtons(TMsgDlgButtons set, int clientWidth,
                                                               int clientHeight, int buttonHeight);

}  // namespace bs
