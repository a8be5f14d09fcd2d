#include "skin/dialogs/bsMessages.h"

#include "DialogFixture.h"
#include "app/Check.h"
#include "platform/SysUtils.h"

#include <algorithm>
#include <ostream>

namespace bs {

inline void PrintTo(const TRect& r, std::ostream* os) {
  *os << "(" << r.Left << ", " << r.Top << ")-(" << r.Right << ", " << r.Bottom << ")";
}

namespace test {
namespace {

using B = TMsgDlgBtn;
using Driver = TStepDriver<TbsMessageForm>;

// What a box showed while it was open, read from its window and controls.
struct TSeen {
  std::wstring Caption;
  TRect Client;
  int FormWidth = 0, MaxWidth = 0, MinWidth = 0;
  TRect Label, Icon;
  bool HasIcon = false;
  std::wstring LabelText;
  bool ShowsAccel = true;
  std::vector<std::pair<std::string, TRect>> Buttons;
  std::string Focused;
  bool OwnerEnabled = true;
};

TRect Bounds(const TControl& c) {
  const RECT r = c.BoundsRect();
  return {int(r.left), int(r.top), int(r.right), int(r.bottom)};
}

TSeen Look(TbsMessageForm& f, HWND owner) {
  TSeen s;
  wchar_t text[256]{};
  GetWindowTextW(f.WindowHandle(), text, 256);
  s.Caption = text;
  RECT client;
  GetClientRect(f.WindowHandle(), &client);
  s.Client = {0, 0, int(client.right), int(client.bottom)};
  s.FormWidth = f.Width();
  s.MaxWidth = f.SkinForm->GetMaxWidth();
  s.MinWidth = f.SkinForm->GetMinWidth();
  s.Label = Bounds(*f.Message);
  s.LabelText = f.Message->Caption();
  s.ShowsAccel = f.Message->ShowAccelChar();
  if (f.Image) {
    s.HasIcon = f.Image->Icon() != nullptr;
    s.Icon = Bounds(*f.Image);
  }
  for (int i = 0; i < f.ControlCount(); ++i)
    if (auto* b = dynamic_cast<TbsSkinButton*>(f.Controls(i))) s.Buttons.push_back({b->Name(), Bounds(*b)});
  if (auto* focused = TWinControl::FromHandle(GetFocus())) s.Focused = focused->Name();
  s.OwnerEnabled = IsWindowEnabled(owner) != FALSE;
  return s;
}

TbsSkinButton* ButtonOf(TbsMessageForm& f, std::string_view name) {
  return dynamic_cast<TbsSkinButton*>(f.FindComponent(name));
}

bool AnyMessageForm() {
  for (int i = 0; i < Screen().FormCount(); ++i)
    if (dynamic_cast<TbsMessageForm*>(Screen().Forms(i))) return true;
  return false;
}

class MessageBoxTest : public OwnerWindowTest {
 protected:
  void SetUp() override {
    OwnerWindowTest::SetUp();
    msg = new TbsSkinMessage(owner.get());
    msg->SetSkinData(skin);
    msg->SetCtrlSkinData(skin);
  }

  // Shows a box and runs `steps` on it; the first step is preceded by a look at the box and,
  // when `png` is given, its picture.
  int Run(std::wstring_view text, TMsgDlgType kind, TMsgDlgButtons buttons, std::vector<Driver::Step> steps,
          const std::string& png = {}, int helpContext = 0) {
    steps.insert(steps.begin(), [this, png](TbsMessageForm& f) {
      seen = Look(f, owner->WindowHandle());
      if (!png.empty()) spv::test::SaveWindowPng(f.WindowHandle(), png);
    });
    Driver driver(std::move(steps));
    const int result = msg->ShowMessageBox(text, kind, buttons, helpContext);
    EXPECT_FALSE(driver.HadToClose()) << "the box did not close by itself";
    EXPECT_FALSE(AnyMessageForm()) << "the box is freed after the call";
    return result;
  }
  static Driver::Step Key(WORD key) {
    return [key](TbsMessageForm& f) { PostKey(GetFocus() ? GetFocus() : f.WindowHandle(), key); };
  }
  static Driver::Step Press(std::string_view name) {
    return [name = std::string(name)](TbsMessageForm& f) {
      TbsSkinButton* b = ButtonOf(f, name);
      ASSERT_NE(b, nullptr) << name;
      PostClick(b->Handle());
    };
  }
  static Driver::Step StillOpen() {
    return [](TbsMessageForm& f) { EXPECT_TRUE(IsWindowVisible(f.WindowHandle())); };
  }

  // The label's size for a text in the box's font, measured on a label of its own.
  SIZE TextSize(std::wstring_view text) {
    TbsSkinStdLabel label(owner.get());
    label.SetParent(owner.get());
    label.SetShowAccelChar(false);
    label.SetSkinData(skin);
    label.SetCaption(text);
    return {label.Width(), label.Height()};
  }

  TbsSkinMessage* msg = nullptr;
  TSeen seen;
};

int ButtonHeightOf(const TbsSkinData& skin) {
  const auto& o = dynamic_cast<const TbsDataSkinButtonControl&>(*skin.SkinControls[std::size_t(skin.FindSkinControl("button"))]);
  return o.SkinRect.Height();
}

TEST_F(MessageBoxTest, EveryKindHasItsCaptionIconAndTheLayoutOfItsText) {
  ASSERT_EQ(ButtonHeightOf(*skin), 24);
  Application().Title = L"Spinvolt";
  struct Row {
    TMsgDlgType kind;
    const wchar_t* caption;
    const char* png;
  } rows[] = {{TMsgDlgType::mtWarning, L"Warning", "message-warning"},
              {TMsgDlgType::mtError, L"Error", "message-error"},
              {TMsgDlgType::mtInformation, L"Information", "message-information"},
              {TMsgDlgType::mtConfirmation, L"Confirm", "message-confirm"},
              {TMsgDlgType::mtCustom, L"Spinvolt", "message-custom"}};
  const std::wstring text = L"Принятый плейлист на этот час отсутствует";
  const SIZE t = TextSize(text);
  for (const Row& r : rows) {
    SCOPED_TRACE(r.png);
    EXPECT_EQ(Run(text, r.kind, MsgButtons({B::mbOK}), {Key(VK_RETURN)}, r.png), 1);
    EXPECT_EQ(seen.Caption, r.caption);
    EXPECT_EQ(seen.Label, (TRect{50, 15, 50 + t.cx, 15 + t.cy}));
    EXPECT_EQ(seen.LabelText, text);
    EXPECT_EQ(seen.HasIcon, r.kind != TMsgDlgType::mtCustom);
    if (seen.HasIcon) {
      const int top = std::max(int(15 + t.cy / 2 - 16), 10);
      EXPECT_EQ(seen.Icon, (TRect{5, top, 37, top + 32}));
    }
    EXPECT_EQ(seen.Client.Right, 50 + t.cx + 40);
    EXPECT_EQ(seen.Client.Bottom, 24 + t.cy + 50);
    ASSERT_EQ(seen.Buttons.size(), 1u);
    EXPECT_EQ(seen.Buttons[0].first, "OK");
    const int left = (seen.Client.Right - 70) / 2, top = seen.Client.Bottom - 24 - 10;
    EXPECT_EQ(seen.Buttons[0].second, (TRect{left, top, left + 70, top + 24}));
    EXPECT_EQ(seen.Focused, "OK");
  }
}

TEST_F(MessageBoxTest, EachButtonReturnsItsResult) {
  struct Row {
    B button;
    int result;
  } rows[] = {{B::mbYes, 6},   {B::mbNo, 7},     {B::mbOK, 1},  {B::mbCancel, 2},    {B::mbAbort, 3},
              {B::mbRetry, 4}, {B::mbIgnore, 5}, {B::mbAll, 8}, {B::mbNoToAll, 9}, {B::mbYesToAll, 10}};
  for (const Row& r : rows) {
    const std::string name(MessageButtonName(r.button));
    EXPECT_EQ(Run(L"Choose", TMsgDlgType::mtConfirmation, MsgButtons({r.button}), {Press(name)}), r.result) << name;
  }
  // All eleven in one row, 80 apart, centred, in bit order.
  const TMsgDlgButtons all = (1u << MsgDlgButtonCount) - 1;
  EXPECT_EQ(Run(L"All of them", TMsgDlgType::mtConfirmation, all, {Press("NoToAll")}, "message-all-buttons"), 9);
  ASSERT_EQ(seen.Buttons.size(), 11u);
  const int rowWidth = 11 * 70 + 10 * 10;
  EXPECT_EQ(seen.Client.Right, rowWidth + 40);
  for (int i = 0; i < 11; ++i) {
    EXPECT_EQ(seen.Buttons[std::size_t(i)].first, MessageButtonName(B(i)));
    EXPECT_EQ(seen.Buttons[std::size_t(i)].second.Left, 20 + 80 * i);
    EXPECT_EQ(seen.Buttons[std::size_t(i)].second.Right - seen.Buttons[std::size_t(i)].second.Left, 70);
  }
}

TEST_F(MessageBoxTest, EnterAndEscapeFollowTheDefaultAndCancelButtons) {
  const TMsgDlgButtons ok = MsgButtons({B::mbOK}), yesNo = MsgButtons({B::mbYes, B::mbNo}),
                       ari = MsgButtons({B::mbAbort, B::mbRetry, B::mbIgnore});
  EXPECT_EQ(Run(L"OK?", TMsgDlgType::mtInformation, ok, {Key(VK_ESCAPE)}), 1);
  EXPECT_EQ(Run(L"Yes or no?", TMsgDlgType::mtConfirmation, yesNo, {Key(VK_RETURN)}, "message-yes-no"), 6);
  EXPECT_EQ(seen.Focused, "Yes");
  EXPECT_EQ(Run(L"Yes or no?", TMsgDlgType::mtConfirmation, yesNo, {Key(VK_ESCAPE)}), 7);
  EXPECT_EQ(Run(L"Disk error", TMsgDlgType::mtError, ari, {Key(VK_RETURN)}, "message-abort-retry-ignore"), 4);
  EXPECT_EQ(seen.Focused, "Retry");
  // Escape answers nothing here: the box stays until a button is pressed.
  EXPECT_EQ(Run(L"Disk error", TMsgDlgType::mtError, ari, {Key(VK_ESCAPE), StillOpen(), StillOpen(), Press("Ignore")}),
            5);
  // An access key presses its button.
  EXPECT_EQ(Run(L"Disk error", TMsgDlgType::mtError, ari, {[](TbsMessageForm&) {
                  PostMessageW(GetFocus(), WM_CHAR, L'a', 1);
                }}),
            3);
}

TEST_F(MessageBoxTest, TheCaptionsCloseButtonAndTheSystemCloseGiveCancel) {
  const TMsgDlgButtons yesNo = MsgButtons({B::mbYes, B::mbNo});
  TRect close;
  const int result = Run(L"Close me", TMsgDlgType::mtConfirmation, yesNo,
                         {[&](TbsMessageForm& f) {
                            close = CloseButtonRect(*f.SkinForm);
                            ASSERT_GT(close.Width(), 0);
                            RECT w;
                            GetWindowRect(f.WindowHandle(), &w);
                            RealClick({w.left + close.Left + close.Width() / 2, w.top + close.Top + close.Height() / 2});
                          }});
  EXPECT_EQ(result, 2);
  EXPECT_EQ(Run(L"Close me", TMsgDlgType::mtConfirmation, yesNo,
                {[](TbsMessageForm& f) { PostMessageW(f.WindowHandle(), WM_SYSCOMMAND, SC_CLOSE, 0); }}),
            2);
}

TEST_F(MessageBoxTest, HelpAsksTheApplicationAndDoesNotClose) {
  std::vector<int> asked;
  Application().OnHelp = [&](int context) {
    asked.push_back(context);
    return true;
  };
  EXPECT_EQ(Run(L"Help?", TMsgDlgType::mtInformation, MsgButtons({B::mbOK, B::mbHelp}),
                {Press("Help"), StillOpen(), Press("OK")}, {}, 77),
            1);
  Application().OnHelp = nullptr;
  EXPECT_EQ(asked, std::vector<int>{77});
}

TEST_F(MessageBoxTest, WithoutButtonsTheBoxIsTheTextAndForty) {
  const std::wstring text = L"Nothing to press";
  const SIZE t = TextSize(text);
  EXPECT_EQ(Run(text, TMsgDlgType::mtInformation, 0,
                {[](TbsMessageForm& f) { PostMessageW(f.WindowHandle(), WM_CLOSE, 0, 0); }}, "message-no-buttons"),
            2);
  EXPECT_TRUE(seen.Buttons.empty());
  EXPECT_EQ(seen.Client.Right, 50 + t.cx + 40);
  EXPECT_EQ(seen.Client.Bottom, 24 + t.cy + 50);
}

TEST_F(MessageBoxTest, ALongLineWidensToTheMaximumAndLineBreaksGrowTheHeight) {
  const std::wstring one = L"One line";
  const SIZE t1 = TextSize(one);
  Run(L"One line\nTwo lines\nThree lines", TMsgDlgType::mtInformation, MsgButtons({B::mbOK}), {Key(VK_RETURN)},
      "message-three-lines");
  EXPECT_EQ(seen.Label.Bottom - seen.Label.Top, 3 * t1.cy);
  EXPECT_EQ(seen.Client.Bottom, 24 + 3 * t1.cy + 50);

  const std::wstring wide(400, L'W');
  ASSERT_GT(TextSize(wide).cx + 90, 1920);
  Run(wide, TMsgDlgType::mtInformation, MsgButtons({B::mbOK}), {Key(VK_RETURN)});
  EXPECT_EQ(seen.FormWidth, seen.MaxWidth);
  // The button stays centred in what the box became.
  ASSERT_EQ(seen.Buttons.size(), 1u);
  EXPECT_EQ(seen.Buttons[0].second.Left, (seen.Client.Right - 70) / 2);

  // A text shorter than the buttons: the row and 40.
  Run(L"?", TMsgDlgType::mtConfirmation, MsgButtons({B::mbYes, B::mbNo, B::mbCancel}), {Key(VK_ESCAPE)});
  EXPECT_EQ(seen.Client.Right, 230 + 40);
}

TEST_F(MessageBoxTest, TheOwnerTakesNoInputWhileTheBoxIsOpen) {
  const POINT target = OwnerButtonOnScreen();
  EXPECT_EQ(Run(L"Modal", TMsgDlgType::mtWarning, MsgButtons({B::mbOK}),
                {[&](TbsMessageForm&) { RealClick(target); }, StillOpen(), StillOpen(), Key(VK_RETURN)}),
            1);
  EXPECT_FALSE(seen.OwnerEnabled);
  EXPECT_EQ(ownerClicks, 0);
  EXPECT_TRUE(IsWindowEnabled(owner->WindowHandle()));
  // The same click reaches the owner once the box is gone.
  RealClick(target);
  EXPECT_TRUE(spv::test::PumpUntil([&] { return ownerClicks == 1; }));
}

TEST_F(MessageBoxTest, AmpersandsShowAsTheyAre) {
  const std::wstring path = L"Папка с базами не существует: D:\\R&B\\";
  EXPECT_EQ(Run(path, TMsgDlgType::mtError, MsgButtons({B::mbOK}), {Key(VK_RETURN)}, "message-ampersand"), 1);
  EXPECT_FALSE(seen.ShowsAccel);
  EXPECT_EQ(seen.LabelText, path);
  // Measured with the ampersand as a character: the label is wider than the text without it.
  const SIZE withAmp = TextSize(path);
  EXPECT_EQ(seen.Label.Right - seen.Label.Left, withAmp.cx);
  EXPECT_GT(withAmp.cx, TextSize(L"Папка с базами не существует: D:\\RB\\").cx);
  // "B" is no access key of the box: pressing it changes nothing, Enter still closes.
  EXPECT_EQ(Run(path, TMsgDlgType::mtError, MsgButtons({B::mbOK, B::mbCancel}),
                {[](TbsMessageForm&) { PostMessageW(GetFocus(), WM_CHAR, L'b', 1); }, StillOpen(), Key(VK_ESCAPE)}),
            2);
}

TEST_F(MessageBoxTest, TheShowAgainBoxStartsCheckedAndReportsItsState) {
  msg->ShowAgainFlag = true;
  msg->ShowAgainFlagValue = false;
  TRect box;
  int checkTextWidth = 0;
  Run(L"Once", TMsgDlgType::mtInformation, MsgButtons({B::mbOK}),
      {[&](TbsMessageForm& f) {
         ASSERT_NE(f.CheckBox, nullptr);
         EXPECT_EQ(f.CheckBox->Name(), "checkbox");
         EXPECT_TRUE(f.CheckBox->Checked());
         EXPECT_EQ(f.CheckBox->Caption(), L"Do not display this message again");
         box = Bounds(*f.CheckBox);
         TFont font;
         f.CheckBox->CaptionFont(font);
         TbsFBitmap m(1, 1);
         SelectObject(m.DC(), font.Handle());
         checkTextWidth = WideTextWidth(m.DC(), f.CheckBox->Caption());
       },
       Key(VK_RETURN)},
      "message-show-again");
  EXPECT_FALSE(msg->ShowAgainFlagValue) << "left checked";
  EXPECT_EQ(box.Left, 5);
  EXPECT_EQ(box.Width(), checkTextWidth + 55);
  EXPECT_EQ(box.Height(), 30);
  EXPECT_EQ(box.Top, seen.Client.Bottom - 24 - 50);
  EXPECT_GE(seen.Client.Right, checkTextWidth + 60);

  // Unchecked by a click: show it again.
  Run(L"Once", TMsgDlgType::mtInformation, MsgButtons({B::mbOK}),
      {[](TbsMessageForm& f) { PostClick(f.CheckBox->Handle()); }, Press("OK")});
  EXPECT_TRUE(msg->ShowAgainFlagValue);
}

TEST_F(MessageBoxTest, WithoutASkinButtonsAreTwentyFiveHigh) {
  msg->SetSkinData(nullptr);
  msg->SetCtrlSkinData(nullptr);
  EXPECT_EQ(Run(L"No skin", TMsgDlgType::mtWarning, MsgButtons({B::mbOK, B::mbCancel}), {Key(VK_ESCAPE)},
                "message-no-skin"),
            2);
  ASSERT_EQ(seen.Buttons.size(), 2u);
  EXPECT_EQ(seen.Buttons[0].second.Bottom - seen.Buttons[0].second.Top, 25);
  EXPECT_EQ(seen.Buttons[0].second.Top, seen.Client.Bottom - 25 - 10);
  EXPECT_EQ(seen.Buttons[1].second.Left - seen.Buttons[0].second.Left, 80);
}

TEST_F(MessageBoxTest, ResourceStringsReplaceTheTextsAndAMissingKeyIsEmpty) {
  auto* strings = new TbsResourceStrData(owner.get());
  // The table holds single-byte text in code page 1251.
  strings->ResStrings = {"MSG_CAP_ERROR=" + WideToCp1251(L"Ошибка"), "MSG_BTN_OK=" + WideToCp1251(L"Хорошо")};
  skin->SetResourceStrData(strings);
  EXPECT_EQ(MessageBoxCaption(TMsgDlgType::mtError, skin), L"Ошибка");
  EXPECT_EQ(MessageButtonCaption(B::mbOK, skin), L"Хорошо");
  EXPECT_EQ(MessageBoxCaption(TMsgDlgType::mtWarning, skin), L"");
  EXPECT_EQ(MessageButtonCaption(B::mbCancel, nullptr), L"Cancel");
  EXPECT_EQ(Run(L"Текст", TMsgDlgType::mtError, MsgButtons({B::mbOK}), {Key(VK_RETURN)}), 1);
  EXPECT_EQ(seen.Caption, L"Ошибка");
  skin->SetResourceStrData(nullptr);
}

// The run command's six checks, each in the error box as the main window shows them.
TEST_F(MessageBoxTest, TheRunCommandsMessagesReadInFull) {
  using namespace spv::app;
  const std::string bases = "Z:\\Станция\\Quorvane\\Архив эфира за много лет\\Базы принятых плейлистов\\";
  const std::string reports = "Z:\\Станция\\Quorvane\\Архив эфира за много лет\\Отчеты эфира\\";
  const std::string messages[] = {
      std::string(kMsgNoBasesFolder),
      std::string(kMsgBasesFolderMissing) + bases,
      std::string(kMsgHistoryMissing) + bases + std::string(kHistoryTable),
      std::string(kMsgNoReportFolder),
      std::string(kMsgReportFolderMissing) + reports,
      std::string(kMsgReportMissingFor) + "14.03.2024" + std::string(kMsgReportMissingAt) + reports + "rep_2403.db",
  };
  int i = 0;
  for (const std::string& m : messages) {
    const std::wstring text = spv::platform::Utf8ToWide(m);
    EXPECT_EQ(Run(text, TMsgDlgType::mtError, MsgButtons({B::mbOK}), {Key(VK_ESCAPE)},
                  "message-run-check-" + std::to_string(++i)),
              1);
    EXPECT_EQ(seen.Caption, L"Error");
    EXPECT_EQ(seen.LabelText, text);
    // The whole text fits: the box is the label's right edge and 40.
    EXPECT_EQ(seen.Client.Right, seen.Label.Right + 40) << m;
    EXPECT_EQ(seen.Label.Right - seen.Label.Left, TextSize(text).cx);
  }
}

}  // namespace
}  // namespace test
}  // namespace bs
