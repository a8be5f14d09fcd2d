#include "skin/dialogs/bsMessagesLayout.h"

#include "skin/resources/bsSkinDataStrings.h"

#include <gtest/gtest.h>

#include <ostream>

namespace bs {

inline void PrintTo(const TRect& r, std::ostream* os) {
  *os << "(" << r.Left << ", " << r.Top << ")-(" << r.Right << ", " << r.Bottom << ")";
}

namespace {

using B = TMsgDlgBtn;

TEST(MessageButtons, NamesCaptionsKeysAndResults) {
  struct Row {
    B button;
    const char *name, *caption, *key;
    int result;
  } rows[] = {{B::mbYes, "Yes", "&Yes", "MSG_BTN_YES", 6},
              {B::mbNo, "No", "&No", "MSG_BTN_NO", 7},
              {B::mbOK, "OK", "OK", "MSG_BTN_OK", 1},
              {B::mbCancel, "Cancel", "Cancel", "MSG_BTN_CANCEL", 2},
              {B::mbAbort, "Abort", "&Abort", "MSG_BTN_ABORT", 3},
              {B::mbRetry, "Retry", "&Retry", "MSG_BTN_RETRY", 4},
              {B::mbIgnore, "Ignore", "&Ignore", "MSG_BTN_IGNORE", 5},
              {B::mbAll, "All", "&All", "MSG_BTN_ALL", 8},
              {B::mbNoToAll, "NoToAll", "N&oToAll", "MSG_BTN_NOTOALL", 9},
              {B::mbYesToAll, "YesToAll", "&YesToAll", "MSG_BTN_YESTOALL", 10},
              {B::mbHelp, "Help", "&Help", "MSG_BTN_HELP", 0}};
  const TbsResourceStrDataCore table;
  for (const Row& r : rows) {
    EXPECT_EQ(MessageButtonName(r.button), r.name);
    EXPECT_EQ(MessageButtonBuiltInCaption(r.button), r.caption);
    EXPECT_EQ(MessageButtonResKey(r.button), r.key);
    EXPECT_EQ(MessageButtonResult(r.button), r.result) << r.name;
    // The default string table carries the same texts under the keys.
    EXPECT_EQ(table.GetResStr(r.key), r.caption);
  }
}

TEST(MessageKinds, CaptionsAndKeys) {
  struct Row {
    TMsgDlgType kind;
    const char *caption, *key;
  } rows[] = {{TMsgDlgType::mtWarning, "Warning", "MSG_CAP_WARNING"},
              {TMsgDlgType::mtError, "Error", "MSG_CAP_ERROR"},
              {TMsgDlgType::mtInformation, "Information", "MSG_CAP_INFORMATION"},
              {TMsgDlgType::mtConfirmation, "Confirm", "MSG_CAP_CONFIRM"},
              {TMsgDlgType::mtCustom, "", ""}};
  const TbsResourceStrDataCore table;
  for (const Row& r : rows) {
    EXPECT_EQ(MessageBoxBuiltInCaption(r.kind), r.caption);
    EXPECT_EQ(MessageBoxResKey(r.kind), r.key);
    if (*r.key) {
      EXPECT_EQ(table.GetResStr(r.key), r.caption);
    }
  }
}

TEST(MessageButtons, DefaultAndCancelChoices) {
  struct Row {
    TMsgDlgButtons set;
    std::optional<B> def, cancel;
  } rows[] = {
      {MsgButtons({B::mbOK}), B::mbOK, B::mbOK},
      {MsgButtons({B::mbYes, B::mbNo}), B::mbYes, B::mbNo},
      {MsgButtons({B::mbYes, B::mbNo, B::mbCancel}), B::mbYes, B::mbCancel},
      {MsgButtons({B::mbOK, B::mbCancel}), B::mbOK, B::mbCancel},
      // Escape answers nothing here: the cancel choice falls on OK, which is absent.
      {MsgButtons({B::mbAbort, B::mbRetry, B::mbIgnore}), B::mbRetry, std::nullopt},
      {MsgButtons({B::mbRetry, B::mbCancel}), B::mbRetry, B::mbCancel},
      {MsgButtons({B::mbAbort, B::mbIgnore}), std::nullopt, std::nullopt},
      {MsgButtons({B::mbHelp}), std::nullopt, std::nullopt},
      {0, std::nullopt, std::nullopt},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(DefaultMessageButton(r.set), r.def) << r.set;
    EXPECT_EQ(CancelMessageButton(r.set), r.cancel) << r.set;
  }
}

TEST(MessageBoxLayout, ClientSizeLabelAndIcon) {
  struct Row {
    int textW, textH;
    TMsgDlgButtons set;
    int buttonH;
    int clientW, clientH;
    TRect icon;
  } rows[] = {
      // One OK button, a text wider than the row: text right edge (50 + 200) + 40.
      {200, 16, MsgButtons({B::mbOK}), 24, 290, 90, {5, 10, 37, 42}},
      // A short text: the row (3 × 70 + 2 × 10 = 230) + 40.
      {30, 16, MsgButtons({B::mbYes, B::mbNo, B::mbCancel}), 24, 270, 90, {5, 10, 37, 42}},
      // No buttons: the text + 40; the height still counts a button's.
      {120, 16, 0, 24, 210, 90, {5, 10, 37, 42}},
      // Without a skin the buttons are 25 high.
      {200, 16, MsgButtons({B::mbOK}), 25, 290, 91, {5, 10, 37, 42}},
      // Four lines: the icon centres on the label (15 + 32 - 16 = 31).
      {200, 64, MsgButtons({B::mbOK}), 24, 290, 138, {5, 31, 37, 63}},
      // Stray bits beyond Help are no buttons.
      {10, 16, 0xFFFFF000u | MsgButtons({B::mbOK}), 24, 110, 90, {5, 10, 37, 42}},
  };
  for (const Row& r : rows) {
    const TbsMessageBoxLayout l = LayoutMessageBox({r.textW, r.textH, r.set, r.buttonH, false, 0});
    EXPECT_EQ(l.ClientWidth, r.clientW) << r.textW << " " << r.set;
    EXPECT_EQ(l.ClientHeight, r.clientH) << r.textW << " " << r.set;
    EXPECT_EQ(l.Label, (TRect{50, 15, 50 + r.textW, 15 + r.textH}));
    EXPECT_EQ(l.Icon, r.icon);
    EXPECT_TRUE(RectIsEmpty(l.CheckBox));
  }
}

TEST(MessageBoxLayout, TheShowAgainBoxAddsFortyAndMayWiden) {
  // A narrow text: the check box's caption (300 + 60) sets the width.
  TbsMessageBoxLayout l = LayoutMessageBox({100, 16, MsgButtons({B::mbOK}), 24, true, 300});
  EXPECT_EQ(l.ClientWidth, 360);
  EXPECT_EQ(l.ClientHeight, 130);
  EXPECT_EQ(l.CheckBox, (TRect{5, 130 - 24 - 50, 5 + 355, 130 - 24 - 50 + 30}));
  // A wide text keeps its width.
  l = LayoutMessageBox({400, 16, MsgButtons({B::mbOK}), 24, true, 200});
  EXPECT_EQ(l.ClientWidth, 490);
}

TEST(MessageBoxLayout, FormWidthKeepsToTheFrame) {
  EXPECT_EQ(FitMessageFormWidth(300, 120, 1000), 300);
  EXPECT_EQ(FitMessageFormWidth(80, 120, 1000), 120);
  EXPECT_EQ(FitMessageFormWidth(3000, 120, 1000), 1000);
}

TEST(MessageBoxLayout, ButtonRowIsCentredEightyApartTenAboveTheBottom) {
  const auto row = LayoutMessageButtons(MsgButtons({B::mbAbort, B::mbRetry, B::mbIgnore}), 300, 100, 24);
  ASSERT_EQ(row.size(), 3u);
  // Row 230 wide in 300: starts at 35.
  const B order[] = {B::mbAbort, B::mbRetry, B::mbIgnore};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(row[std::size_t(i)].first, order[i]);
    EXPECT_EQ(row[std::size_t(i)].second, (TRect{35 + 80 * i, 66, 105 + 80 * i, 90}));
  }
  // Bits in row order whatever order the caller names them.
  const auto two = LayoutMessageButtons(MsgButtons({B::mbHelp, B::mbYes}), 201, 91, 25);
  ASSERT_EQ(two.size(), 2u);
  EXPECT_EQ(two[0].first, B::mbYes);
  EXPECT_EQ(two[1].first, B::mbHelp);
  EXPECT_EQ(two[0].second, (TRect{25, 56, 95, 81}));
  EXPECT_TRUE(LayoutMessageButtons(0, 200, 90, 24).empty());
  EXPECT_EQ(MessageButtonRowWidth(0), 0);
  EXPECT_EQ(MessageButtonRowWidth(MsgButtons({B::mbOK})), 70);
}

}  // namespace
}  // namespace bs
