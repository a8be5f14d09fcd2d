#include "skin/dialogs/bsMessagesLayout.h"

#include "skin/resources/bsconst.h"

#include <algorithm>
#include <bit>

namespace bs {
namespace {

struct TButtonInfo {
  std::string_view Name, Caption, Key;
  int Result;
};

const TButtonInfo& Info(TMsgDlgBtn b) {
  static const TButtonInfo table[MsgDlgButtonCount] = {
      {"Yes", BS_MSG_BTN_YES, "MSG_BTN_YES", 6},
      {"No", BS_MSG_BTN_NO, "MSG_BTN_NO", 7},
      {"OK", BS_MSG_BTN_OK, "MSG_BTN_OK", 1},
      {"Cancel", BS_MSG_BTN_CANCEL, "MSG_BTN_CANCEL", 2},
      {"Abort", BS_MSG_BTN_ABORT, "MSG_BTN_ABORT", 3},
      {"Retry", BS_MSG_BTN_RETRY, "MSG_BTN_RETRY", 4},
      {"Ignore", BS_MSG_BTN_IGNORE, "MSG_BTN_IGNORE", 5},
      {"All", BS_MSG_BTN_ALL, "MSG_BTN_ALL", 8},
      {"NoToAll", BS_MSG_BTN_NOTOALL, "MSG_BTN_NOTOALL", 9},
      {"YesToAll", BS_MSG_BTN_YESTOALL, "MSG_BTN_YESTOALL", 10},
      {"Help", BS_MSG_BTN_HELP, "MSG_BTN_HELP", 0},
  };
  return table[int(b)];
}

std::optional<TMsgDlgBtn> FirstOf(TMsgDlgButtons set, std::initializer_list<TMsgDlgBtn> choices) {
  for (TMsgDlgBtn b : choices)
    if (HasButton(set, b)) return b;
  return std::nullopt;
}

// Only the eleven buttons count; stray bits of a caller's set are no buttons.
TMsgDlgButtons Known(TMsgDlgButtons set) { return set & ((1u << MsgDlgButtonCount) - 1); }

}  // namespace

std::string_view MessageButtonName(TMsgDlgBtn b) { return Info(b).Name; }
std::string_view MessageButtonBuiltInCaption(TMsgDlgBtn b) { return Info(b).Caption; }
std::string_view MessageButtonResKey(TMsgDlgBtn b) { return Info(b).Key; }
int MessageButtonResult(TMsgDlgBtn b) { return Info(b).Result; }

std::string_view MessageBoxBuiltInCaption(TMsgDlgType kind) {
  switch (kind) {
    case TMsgDlgType::mtWarning: return BS_MSG_CAP_WARNING;
    case TMsgDlgType::mtError: return BS_MSG_CAP_ERROR;
    case TMsgDlgType::mtInformation: return BS_MSG_CAP_INFORMATION;
    case TMsgDlgType::mtConfirmation: return BS_MSG_CAP_CONFIRM;
    case TMsgDlgType::mtCustom: break;
  }
  return {};
}

std::string_view MessageBoxResKey(TMsgDlgType kind) {
  switch (kind) {
    case TMsgDlgType::mtWarning: return "MSG_CAP_WARNING";
    case TMsgDlgType::mtError: return "MSG_CAP_ERROR";
    case TMsgDlgType::mtInformation: return "MSG_CAP_INFORMATION";
    case TMsgDlgType::mtConfirmation: return "MSG_CAP_CONFIRM";
    case TMsgDlgType::mtCustom: break;
  }
  return {};
}

std::optional<TMsgDlgBtn> DefaultMessageButton(TMsgDlgButtons set) {
  return FirstOf(set, {TMsgDlgBtn::mbOK, TMsgDlgBtn::mbYes, TMsgDlgBtn::mbRetry});
}

std::optional<TMsgDlgBtn> CancelMessageButton(TMsgDlgButtons set) {
  return FirstOf(set, {TMsgDlgBtn::mbCancel, TMsgDlgBtn::mbNo, TMsgDlgBtn::mbOK});
}

int MessageButtonRowWidth(TMsgDlgButtons set) {
  const int n = std::popcount(Known(set));
  return n == 0 ? 0 : n * MessageButtonWidth + (n - 1) * MessageButtonSpacing;
}

TbsMessageBoxLayout LayoutMessageBox(const TbsMessageBoxInput& in) {
  TbsMessageBoxLayout out;
  const TPoint at = MessageLabelPos;
  out.Label = {at.X, at.Y, at.X + in.TextWidth, at.Y + in.TextHeight};
  const int iconTop = std::max(at.Y + in.TextHeight / 2 - 16, 10);
  out.Icon = {5, iconTop, 5 + 32, iconTop + 32};
  out.ClientHeight = in.ButtonHeight + in.TextHeight + 50;
  out.ClientWidth = std::max(MessageButtonRowWidth(in.Buttons), out.Label.Right) + 40;
  if (in.ShowAgainFlag) {
    out.ClientHeight += 40;
    out.ClientWidth = std::max(out.ClientWidth, in.CheckTextWidth + 60);
    const int top = out.ClientHeight - in.ButtonHeight - 50;
    out.CheckBox = {5, top, 5 + in.CheckTextWidth + 55, top + 30};
  }
  return out;
}

int FitMessageFormWidth(int width, int minWidth, int maxWidth) {
  if (width > maxWidth) return maxWidth;
  return std::max(width, minWidth);
}

std::vector<std::pair<TMsgDlgBtn, TRect>> LayoutMessageButtons(TMsgDlgButtons set, int clientWidth,
                                                               int clientHeight, int buttonHeight) {
  std::vector<std::pair<TMsgDlgBtn, TRect>> row;
  const int top = clientHeight - buttonHeight - 10;
  int left = (clientWidth - MessageButtonRowWidth(set)) / 2;
  for (int i = 0; i < MsgDlgButtonCount; ++i) {
    const auto b = TMsgDlgBtn(i);
    if (!HasButton(set, b)) continue;
    row.push_back({b, {left, top, left + MessageButtonWidth, top + buttonHeight}});
    left += MessageButtonWidth + MessageButtonSpacing;
  }
  return row;
}

}  // namespace bs
