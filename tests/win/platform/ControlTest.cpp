#include "platform/ExtCtrls.h"
#include "platform/Forms.h"
#include "platform/WindowHook.h"

#include "WindowShot.h"

#include <gtest/gtest.h>

#include <vector>

namespace spv::platform {
namespace {

constexpr UINT kPing = WM_APP + 7;

// The window rectangle of a child in its parent's client coordinates.
RECT ChildRect(HWND child) {
  RECT r;
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

bool operator==(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }

TPanel* AddPanel(TForm& form, TAlign align, int size) {
  auto* p = new TPanel(&form);
  p->SetParent(&form);
  p->SetBounds(0, 0, size, size);
  p->SetAlign(align);
  return p;
}

TEST(ControlTest, AlignedChildrenFollowTheParentsSize) {
  TForm form;
  form.SetClientSize(400, 300);
  TPanel* top = AddPanel(form, TAlign::alTop, 30);
  TPanel* bottom = AddPanel(form, TAlign::alBottom, 20);
  TPanel* left = AddPanel(form, TAlign::alLeft, 50);
  TPanel* right = AddPanel(form, TAlign::alRight, 40);
  TPanel* client = AddPanel(form, TAlign::alClient, 10);
  TPanel* loose = AddPanel(form, TAlign::alNone, 10);
  loose->SetBounds(5, 6, 7, 8);
  form.Show();

  for (const auto& [width, height] : {std::pair{400, 300}, std::pair{250, 180}, std::pair{520, 400}}) {
    SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height));
    RECT frame{0, 0, width, height};
    AdjustWindowRectEx(&frame, DWORD(GetWindowLongW(form.Handle(), GWL_STYLE)), FALSE,
                       DWORD(GetWindowLongW(form.Handle(), GWL_EXSTYLE)));
    // Resized by the system, as a user would, not through the control's own bounds.
    SetWindowPos(form.Handle(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_EQ(form.ClientWidth(), width);
    ASSERT_EQ(form.ClientHeight(), height);
    const struct {
      TPanel* panel;
      RECT expected;
    } cases[] = {
        {top, {0, 0, width, 30}},
        {bottom, {0, height - 20, width, height}},
        {left, {0, 30, 50, height - 20}},
        {right, {width - 40, 30, width, height - 20}},
        {client, {50, 30, width - 40, height - 20}},
        {loose, {5, 6, 12, 14}},
    };
    for (const auto& c : cases) {
      EXPECT_TRUE(c.panel->BoundsRect() == c.expected) << c.panel->Left() << "," << c.panel->Top() << " "
                                                         << c.panel->Width() << "x" << c.panel->Height();
      EXPECT_TRUE(ChildRect(c.panel->Handle()) == c.expected);
    }
  }
}

TEST(ControlTest, AlignmentKeepsPlacesAndSkipsHiddenControls) {
  TForm form;
  form.SetClientSize(200, 200);
  TPanel* second = AddPanel(form, TAlign::alNone, 10);
  TPanel* first = AddPanel(form, TAlign::alNone, 10);
  second->SetBounds(0, 100, 10, 25);
  first->SetBounds(0, 0, 10, 15);
  second->SetAlign(TAlign::alTop);
  first->SetAlign(TAlign::alTop);
  // The one placed higher stays on top although it was aligned later.
  EXPECT_EQ(first->Top(), 0);
  EXPECT_EQ(second->Top(), 15);
  first->Hide();
  EXPECT_EQ(second->Top(), 0);
  first->Show();
  EXPECT_EQ(first->Top(), 0);
  EXPECT_EQ(second->Top(), 15);
}

// Records the messages that reach its own WndProc.
class TListener : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  std::vector<UINT> Seen;

 protected:
  void WndProc(TMessage& m) override {
    if (m.Msg == kPing) {
      Seen.push_back(m.Msg);
      m.Result = LRESULT(m.WParam + m.LParam);
      return;
    }
    TCustomControl::WndProc(m);
  }
};

TEST(ControlTest, WindowMessagesReachTheControlsWndProc) {
  TForm form;
  auto* listener = new TListener(&form);
  listener->SetParent(&form);
  listener->SetCaption(L"Слушатель");
  EXPECT_EQ(SendMessageW(listener->Handle(), kPing, 40, 2), 42);
  EXPECT_EQ(listener->Perform(kPing, 1, 2), 3);
  EXPECT_EQ(listener->Seen.size(), 2u);
  // What the control does not handle goes to the default procedure: here, its text.
  wchar_t text[32] = {};
  GetWindowTextW(listener->Handle(), text, 32);
  EXPECT_STREQ(text, L"Слушатель");
  EXPECT_EQ(TWinControl::FromHandle(listener->Handle()), listener);
}

TEST(ControlTest, ATakenOverWindowProcIsPutBack) {
  TForm form;
  auto* listener = new TListener(&form);
  listener->SetParent(&form);
  std::vector<UINT> seenByTaker;
  {
    // A component takes the control's messages over, calling the saved method after its own.
    const TWndMethod saved = listener->WindowProc;
    listener->WindowProc = [&](TMessage& m) {
      if (m.Msg == kPing) seenByTaker.push_back(m.Msg);
      saved(m);
    };
    SendMessageW(listener->Handle(), kPing, 0, 0);
    listener->WindowProc = saved;
  }
  SendMessageW(listener->Handle(), kPing, 0, 0);
  EXPECT_EQ(seenByTaker.size(), 1u);
  EXPECT_EQ(listener->Seen.size(), 2u);
}

TEST(ControlTest, WindowHooksRestoreTheSavedProcedureInAnyOrder) {
  // A system window: its own procedure is what must come back.
  HWND window = CreateWindowExW(0, L"STATIC", L"hooked", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(window, nullptr);
  const LONG_PTR original = GetWindowLongPtrW(window, GWLP_WNDPROC);
  std::vector<std::string> order;
  for (const bool firstGoesFirst : {true, false}) {
    SCOPED_TRACE(firstGoesFirst ? "first removed first" : "last removed first");
    order.clear();
    std::unique_ptr<TWindowHook> outer;
    outer = std::make_unique<TWindowHook>(window, [&](TMessage& m) {
      if (m.Msg == kPing) order.push_back("first");
      outer->CallPrevious(m);
    });
    std::unique_ptr<TWindowHook> inner;
    inner = std::make_unique<TWindowHook>(window, [&](TMessage& m) {
      if (m.Msg == kPing) {
        order.push_back("second");
        m.Result = 5;
        return;  // handled: the earlier ones do not see it
      }
      inner->CallPrevious(m);
    });
    EXPECT_NE(GetWindowLongPtrW(window, GWLP_WNDPROC), original);
    EXPECT_EQ(SendMessageW(window, kPing, 0, 0), 5);
    EXPECT_EQ(order, std::vector<std::string>{"second"});
    // Messages pass through to the window's own procedure.
    wchar_t text[16] = {};
    GetWindowTextW(window, text, 16);
    EXPECT_STREQ(text, L"hooked");
    if (firstGoesFirst) {
      outer.reset();
      SendMessageW(window, kPing, 0, 0);
      EXPECT_EQ(order, (std::vector<std::string>{"second", "second"}));
      inner.reset();
    } else {
      inner.reset();
      SendMessageW(window, kPing, 0, 0);
      EXPECT_EQ(order, (std::vector<std::string>{"second", "first"}));
      outer.reset();
    }
    EXPECT_EQ(GetWindowLongPtrW(window, GWLP_WNDPROC), original);
  }
  DestroyWindow(window);
}

TEST(ControlTest, AHookOutlivingItsWindowEndsQuietly) {
  HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  int destroys = 0;
  std::unique_ptr<TWindowHook> hook;
  hook = std::make_unique<TWindowHook>(window, [&](TMessage& m) {
    if (m.Msg == WM_DESTROY) ++destroys;
    hook->CallPrevious(m);
  });
  DestroyWindow(window);
  EXPECT_EQ(destroys, 1);
  EXPECT_EQ(hook->Window(), nullptr);
  hook.reset();
}

TEST(ControlTest, ChildrenKeepZOrderTabOrderAndParentFont) {
  TForm form;
  form.Font().SetName(L"Arial");
  form.Font().SetHeight(-15);
  auto* a = new TPanel(&form);
  auto* b = new TPanel(&form);
  auto* c = new TPanel(&form);
  for (TPanel* p : {a, b, c}) {
    p->SetParent(&form);
    p->SetBounds(10, 10, 50, 50);  // all in one place: z-order decides
    p->SetTabStop(true);
  }
  b->Font().SetHeight(-20);
  EXPECT_EQ(a->Font().Name(), L"Arial");
  EXPECT_TRUE(a->ParentFont());
  EXPECT_FALSE(b->ParentFont());
  form.Font().SetColor(clBlue);
  EXPECT_EQ(a->Font().Color(), clBlue);
  EXPECT_EQ(b->Font().Color(), clWindowText);

  form.Show();
  const POINT inside{30, 30};
  EXPECT_EQ(form.ControlAtPos(inside), c);
  EXPECT_EQ(ChildWindowFromPoint(form.Handle(), inside), c->Handle());
  form.BringToFront(a);
  EXPECT_EQ(form.ControlAtPos(inside), a);
  EXPECT_EQ(ChildWindowFromPoint(form.Handle(), inside), a->Handle());

  c->SetTabOrder(0);
  EXPECT_EQ(c->TabOrder(), 0);
  EXPECT_EQ(a->TabOrder(), 1);
  EXPECT_EQ(form.TabOrderList(), (std::vector<TWinControl*>{c, a, b}));
  SetForegroundWindow(form.Handle());
  c->SetFocus();
  EXPECT_TRUE(c->Focused());
  EXPECT_TRUE(form.SelectNext(c, true));
  EXPECT_TRUE(a->Focused());
  b->SetEnabled(false);
  EXPECT_FALSE(IsWindowEnabled(b->Handle()));
  EXPECT_TRUE(form.SelectNext(a, true));  // b is skipped
  EXPECT_TRUE(c->Focused());
  EXPECT_THROW(b->SetFocus(), Exception);
}

TEST(ControlTest, FreeingAParentFreesItsChildren) {
  TForm form;
  auto* outer = new TPanel(&form);
  outer->SetParent(&form);
  auto* inner = new TPanel(&form);
  inner->SetParent(outer);
  form.Show();
  HWND innerWindow = inner->Handle();
  ASSERT_EQ(form.ComponentCount(), 2);
  delete outer;
  EXPECT_EQ(form.ComponentCount(), 0);
  EXPECT_FALSE(IsWindow(innerWindow));
  EXPECT_EQ(form.ControlCount(), 0);
}

// Counts paints and shows where its canvas draws.
class TMark : public TGraphicControl {
 public:
  using TGraphicControl::TGraphicControl;
  int Clicks = 0;
  void Paint() override {
    Canvas().Brush().SetColor(clRed);
    Canvas().FillRect({0, 0, Width(), Height()});
  }

 protected:
  void Click() override { ++Clicks; }
};

TEST(ControlTest, GraphicControlsPaintOnTheirParentAndGetItsMouse) {
  TForm form;
  form.SetClientSize(100, 100);
  form.SetColor(clWhite);
  auto* mark = new TMark(&form);
  mark->SetParent(&form);
  mark->SetBounds(20, 30, 10, 10);
  form.Show();
  RedrawWindow(form.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  HDC dc = GetDC(form.Handle());
  EXPECT_EQ(GetPixel(dc, 25, 35), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(dc, 35, 35), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(dc, 19, 29), RGB(255, 255, 255));
  ReleaseDC(form.Handle(), dc);

  // A click at the mark's place reaches the mark, in its own coordinates.
  int downX = -1, downY = -1;
  mark->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int x, int y) {
    downX = x;
    downY = y;
  };
  SendMessageW(form.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(22, 33));
  SendMessageW(form.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(22, 33));
  EXPECT_EQ(mark->Clicks, 1);
  EXPECT_EQ(downX, 2);
  EXPECT_EQ(downY, 3);
  // Released outside: no click.
  SendMessageW(form.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(22, 33));
  SendMessageW(form.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(80, 80));
  EXPECT_EQ(mark->Clicks, 1);
}

}  // namespace
}  // namespace spv::platform
