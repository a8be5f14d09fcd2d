#include "skin/dialogs/bsDialogs.h"

#include "DialogFixture.h"

#include <ostream>

namespace bs {

inline void PrintTo(const TRect& r, std::ostream* os) {
  *os << "(" << r.Left << ", " << r.Top << ")-(" << r.Right << ", " << r.Bottom << ")";
}

namespace test {
namespace {

TRect Bounds(const TControl& c) {
  const RECT r = c.BoundsRect();
  return {int(r.left), int(r.top), int(r.right), int(r.bottom)};
}

template <class C>
C* ChildOf(TForm& form) {
  for (int i = 0; i < form.ControlCount(); ++i)
    if (auto* c = dynamic_cast<C*>(form.Controls(i))) return c;
  return nullptr;
}

int Rounded(int n, int m, int d) { return (n * m * 2 + d) / (2 * d); }

class ProgressDialogTest : public OwnerWindowTest {
 protected:
  void SetUp() override {
    OwnerWindowTest::SetUp();
    dlg = new TbsSkinProgressDialog(owner.get());
    dlg->SetSkinData(skin);
    dlg->SetCtrlSkinData(skin);
    TFont arial;
    arial.SetName(L"Arial");
    arial.SetHeight(14);
    dlg->SetDefaultLabelFont(arial);
    dlg->SetDefaultButtonFont(arial);
    dlg->SetDefaultGaugeFont(arial);
    dlg->OnCancel = [this](TObject*) {
      ++cancels;
      cancelWhileWindowExisted = window && IsWindow(window);
    };
  }
  void TearDown() override {
    spv::test::PumpMessages();
    OwnerWindowTest::TearDown();
  }
  // Shows on top and waits until the window is up.
  void ShowOnTop() {
    EXPECT_FALSE(dlg->ShowProgress()) << "on top returns at once";
    ASSERT_TRUE(dlg->Showing());
    window = dlg->Form()->Handle();
    ASSERT_TRUE(spv::test::PumpUntil([&] { return IsWindowVisible(window) != FALSE; }));
    spv::test::PumpMessages();
  }
  // Off the screen at once; freed by the application's message handling, which the program's
  // own loop does.
  bool Gone() {
    // A plain pump, as the program's reads do, closes and hides it.
    EXPECT_TRUE(spv::test::PumpUntil([&] { return !dlg->Showing(); }));
    EXPECT_FALSE(IsWindow(window) && IsWindowVisible(window));
    return spv::test::PumpUntil([&] {
      Application().ProcessMessages();
      return !IsWindow(window) && !dlg->Showing();
    });
  }
  TbsSkinButton* CancelButton() { return ChildOf<TbsSkinButton>(*dlg->Form()); }

  TbsSkinProgressDialog* dlg = nullptr;
  HWND window = nullptr;
  int cancels = 0;
  bool cancelWhileWindowExisted = false;
};

TEST_F(ProgressDialogTest, PlacesItsControlsInDialogUnitsOfTheFormsFont) {
  EXPECT_EQ(dlg->Caption, L"Process");
  EXPECT_EQ(dlg->LabelCaption, L"Name of process:");
  dlg->LabelCaption = L"Обработка данных";
  ShowOnTop();
  TForm& f = *dlg->Form();
  wchar_t caption[64]{};
  GetWindowTextW(window, caption, 64);
  EXPECT_STREQ(caption, L"Process");
  EXPECT_TRUE(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST);

  // The real font of the form, measured here on its own.
  TbsFBitmap m(1, 1);
  SelectObject(m.DC(), f.Font().Handle());
  SIZE ab{};
  GetTextExtentPoint32W(m.DC(), L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52, &ab);
  const int aw = ab.cx / 52, ah = ab.cy;
  ASSERT_GT(aw, 0);
  RecordProperty("AverageChar", std::to_string(aw) + "x" + std::to_string(ah));

  EXPECT_EQ(f.ClientWidth(), Rounded(180, aw, 4));
  auto* label = ChildOf<TbsSkinStdLabel>(f);
  auto* gauge = dlg->Gauge();
  TbsSkinButton* button = CancelButton();
  ASSERT_TRUE(label && gauge && button);
  EXPECT_EQ(label->Caption(), L"Обработка данных");
  EXPECT_EQ(label->Left(), Rounded(8, aw, 4));
  EXPECT_EQ(label->Top(), Rounded(8, ah, 8));
  EXPECT_LE(label->Width(), Rounded(164, aw, 4));
  const TRect g = Bounds(*gauge);
  EXPECT_EQ(g.Left, label->Left());
  EXPECT_EQ(g.Top, label->Top() + label->Height() + 5);
  EXPECT_EQ(g.Width(), Rounded(164, aw, 4));
  EXPECT_TRUE(gauge->ShowPercent());
  EXPECT_EQ(button->Caption(), L"Cancel");
  const TRect b = Bounds(*button);
  EXPECT_EQ(b.Right, g.Right);
  EXPECT_EQ(b.Top, g.Bottom + 15);
  EXPECT_EQ(b.Width(), Rounded(50, aw, 4));
  EXPECT_EQ(b.Height(), 24) << "the skin's button height";
  EXPECT_EQ(f.ClientHeight(), b.Bottom + 13);
  dlg->SetValue(100);
  EXPECT_TRUE(Gone());
}

TEST_F(ProgressDialogTest, PicturesAtNoughtAndSixtyPercentOverTheOwner) {
  owner->SetBounds(GetSystemMetrics(SM_CXSCREEN) / 2 - 300, GetSystemMetrics(SM_CYSCREEN) / 2 - 150, 600, 300);
  spv::test::PumpMessages();
  dlg->LabelCaption = L"Чтение данных отчета";
  ShowOnTop();
  spv::test::SaveWindowPng(owner->Handle(), "progress-0-over-owner");
  dlg->SetValue(60);
  EXPECT_EQ(dlg->Gauge()->Value(), 60);
  EXPECT_EQ(dlg->Gauge()->GaugeText(), L"60%");
  spv::test::PumpMessages();
  spv::test::SaveWindowPng(owner->Handle(), "progress-60-over-owner");
  spv::test::SaveWindowPng(window, "progress-60");
  dlg->SetValue(100);
  EXPECT_TRUE(Gone());
}

TEST_F(ProgressDialogTest, FullGaugeClosesWithoutCancelAndPastTheEndIsTheEndToo) {
  for (int last : {100, 150}) {
    SCOPED_TRACE(last);
    dlg->SetValue(0);
    ShowOnTop();
    dlg->SetValue(40);
    spv::test::PumpMessages();
    EXPECT_TRUE(IsWindowVisible(window));
    dlg->SetValue(last);
    EXPECT_TRUE(Gone());
    EXPECT_EQ(cancels, 0);
    // After closing, values are only stored.
    dlg->SetValue(20);
    EXPECT_FALSE(dlg->Showing());
    EXPECT_EQ(dlg->Value(), 20);
  }
}

TEST_F(ProgressDialogTest, CancelAtFortyReportsOnceWithTheWindowStillThere) {
  ShowOnTop();
  dlg->SetValue(40);
  PostClick(CancelButton()->Handle());
  EXPECT_TRUE(Gone());
  EXPECT_EQ(cancels, 1);
  EXPECT_TRUE(cancelWhileWindowExisted) << "the window is freed after the click, not inside it";
  // The next show builds a new window at the stored value.
  ShowOnTop();
  EXPECT_EQ(dlg->Gauge()->Value(), 40);
  dlg->SetValue(100);
  EXPECT_TRUE(Gone());
  EXPECT_EQ(cancels, 1);
}

TEST_F(ProgressDialogTest, EscapeAndTheCaptionsCloseButtonCancel) {
  ShowOnTop();
  dlg->SetValue(10);
  PostKey(GetFocus(), VK_ESCAPE);
  EXPECT_TRUE(Gone());
  EXPECT_EQ(cancels, 1);

  ShowOnTop();
  TbsSkinForm* frame = nullptr;
  for (int i = 0; i < dlg->Form()->ComponentCount(); ++i)
    if (auto* s = dynamic_cast<TbsSkinForm*>(dlg->Form()->Components(i))) frame = s;
  ASSERT_NE(frame, nullptr);
  const TRect close = CloseButtonRect(*frame);
  ASSERT_GT(close.Width(), 0);
  RECT w;
  GetWindowRect(window, &w);
  RealClick({w.left + close.Left + close.Width() / 2, w.top + close.Top + close.Height() / 2});
  EXPECT_TRUE(Gone());
  EXPECT_EQ(cancels, 2);
}

TEST_F(ProgressDialogTest, OnTopTheOwnerStillTakesInput) {
  ShowOnTop();
  EXPECT_TRUE(IsWindowEnabled(owner->Handle()));
  RealClick(OwnerButtonOnScreen());
  EXPECT_TRUE(spv::test::PumpUntil([&] { return ownerClicks == 1; }));
  EXPECT_TRUE(dlg->Showing());
  dlg->SetValue(100);
  EXPECT_TRUE(Gone());
}

TEST_F(ProgressDialogTest, ASecondShowIsIgnoredAndAValueBeforeShowingShowsNothing) {
  dlg->SetValue(30);
  EXPECT_FALSE(dlg->Showing());
  EXPECT_EQ(dlg->Form(), nullptr);
  dlg->LabelCaption = L"First";
  ShowOnTop();
  EXPECT_EQ(dlg->Gauge()->Value(), 30);
  TForm* first = dlg->Form();
  dlg->LabelCaption = L"Second";
  EXPECT_FALSE(dlg->ShowProgress());
  EXPECT_EQ(dlg->Form(), first);
  EXPECT_EQ(ChildOf<TbsSkinStdLabel>(*first)->Caption(), L"First");
  int windows = 0;
  for (int i = 0; i < Screen().FormCount(); ++i) windows += Screen().Forms(i) != owner.get();
  EXPECT_EQ(windows, 1);
  dlg->SetValue(100);
  EXPECT_TRUE(Gone());
}

TEST_F(ProgressDialogTest, WithoutTheCloseOrCancelButton) {
  dlg->ShowCloseButton = false;
  dlg->ShowCancelButton = false;
  ShowOnTop();
  TForm& f = *dlg->Form();
  EXPECT_EQ(CancelButton(), nullptr);
  EXPECT_EQ(f.ClientHeight(), Bounds(*dlg->Gauge()).Bottom + 15);
  TbsSkinForm* frame = nullptr;
  for (int i = 0; i < f.ComponentCount(); ++i)
    if (auto* s = dynamic_cast<TbsSkinForm*>(f.Components(i))) frame = s;
  ASSERT_NE(frame, nullptr);
  EXPECT_TRUE(frame->HideCaptionButtons());
  EXPECT_EQ(CloseButtonRect(*frame).Width(), 0);
  spv::test::SaveWindowPng(window, "progress-no-buttons");
  dlg->SetValue(100);
  EXPECT_TRUE(Gone());
}

// Modal: the caller waits; a timer of the thread plays the user and the job.
class ModalProgressTest : public ProgressDialogTest {
 protected:
  bool RunModal(std::vector<std::function<void(TForm&)>> steps) {
    dlg->ShowType = TbsPDShowType::stModal;
    std::size_t next = 0;
    int waited = 0;
    TTimer timer;
    timer.SetInterval(80);
    timer.OnTimer = [&](TObject*) {
      TForm* f = dlg->Form();
      if (!f || !IsWindowVisible(f->Handle())) return;
      if (next == 0) ownerEnabled = IsWindowEnabled(owner->Handle()) != FALSE;
      if (next < steps.size()) steps[next++](*f);
      else if (++waited > 40) {
        hadToClose = true;
        PostMessageW(f->Handle(), WM_CLOSE, 0, 0);
      }
    };
    const bool result = dlg->ShowProgress();
    EXPECT_FALSE(hadToClose);
    EXPECT_FALSE(dlg->Showing());
    EXPECT_EQ(Screen().FormCount(), 1) << "the window is freed";
    return result;
  }
  bool ownerEnabled = true, hadToClose = false;
};

TEST_F(ModalProgressTest, TrueWhenFullFalseOnCancelEscapeOrClose) {
  EXPECT_TRUE(RunModal({[&](TForm&) { dlg->SetValue(50); }, [&](TForm&) { dlg->SetValue(100); }}));
  EXPECT_FALSE(ownerEnabled) << "modal: the owner takes no input";
  dlg->SetValue(0);
  EXPECT_FALSE(RunModal({[&](TForm&) { PostClick(CancelButton()->Handle()); }}));
  EXPECT_FALSE(RunModal({[&](TForm&) { PostKey(GetFocus(), VK_ESCAPE); }}));
  EXPECT_FALSE(RunModal({[&](TForm& f) { PostMessageW(f.Handle(), WM_CLOSE, 0, 0); }}));
  EXPECT_TRUE(IsWindowEnabled(owner->Handle()));
}

}  // namespace
}  // namespace test
}  // namespace bs
