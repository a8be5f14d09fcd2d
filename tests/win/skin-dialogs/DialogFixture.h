#pragma once
// What the Windows tests of the skinned dialogs share: an owner window with the program's skin
// and a button that counts its clicks, and a driver that acts on a modal box from a timer of
// the thread, since the box runs its own message loop.

#include <windows.h>

#include "SkinnedForm.h"
#include "WindowShot.h"
#include "platform/ExtCtrls.h"
#include "platform/Forms.h"
#include "resources/ProgramSkin.h"
#include "skin/controls/bsSkinCtrls.h"
#include "skin/frame/bsSkinForm.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace bs::test {

using namespace spv::platform;

// A click through posted messages, as the queue delivers the pointer's.
inline void PostClick(HWND window, int x = 5, int y = 5) {
  PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, At(x, y));
  PostMessageW(window, WM_LBUTTONUP, 0, At(x, y));
}
inline void PostKey(HWND window, WORD key) {
  PostMessageW(window, WM_KEYDOWN, key, 1);
  PostMessageW(window, WM_KEYUP, key, 0xC0000001);
}

// A real click of the system's pointer at a screen point.
inline void RealClick(POINT screen) {
  SetCursorPos(screen.x, screen.y);
  INPUT in[2]{};
  in[0].type = in[1].type = INPUT_MOUSE;
  in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, in, sizeof(INPUT));
}

// The caption's close button of a skinned frame, in window coordinates.
inline TRect CloseButtonRect(const TbsSkinForm& frame) {
  for (int i = 0; i < frame.ObjectCount(); ++i)
    if (auto* b = dynamic_cast<TbsSkinStdButtonObject*>(frame.Objects(i)); b && b->Command == TbsStdCommand::cmClose)
      return b->Visible ? b->ObjectRect : TRect{};
  return {};
}

// Runs one step on every tick of a timer while a window of class F is showing. After the last
// step it waits a while for the window to go, then closes it itself and notes that it had to.
template <class F>
class TStepDriver {
 public:
  using Step = std::function<void(F&)>;
  explicit TStepDriver(std::vector<Step> steps, unsigned interval = 80) : Steps_(std::move(steps)) {
    Timer_.SetInterval(interval);
    Timer_.OnTimer = [this](TObject*) { Tick(); };
    Timer_.SetEnabled(true);
  }
  ~TStepDriver() { Timer_.SetEnabled(false); }
  bool HadToClose() const { return HadToClose_; }
  int StepsRun() const { return Next_; }

  static F* Showing() {
    for (int i = 0; i < Screen().FormCount(); ++i)
      if (auto* f = dynamic_cast<F*>(Screen().Forms(i)); f && f->HandleAllocated() && IsWindowVisible(f->WindowHandle()))
        return f;
    return nullptr;
  }

 private:
  void Tick() {
    F* f = Showing();
    if (!f) return;
    if (Next_ < int(Steps_.size())) {
      Steps_[std::size_t(Next_++)](*f);
      return;
    }
    if (++Waited_ > 40) {
      HadToClose_ = true;
      PostMessageW(f->WindowHandle(), WM_CLOSE, 0, 0);
    }
  }

  TTimer Timer_;
  std::vector<Step> Steps_;
  int Next_ = 0, Waited_ = 0;
  bool HadToClose_ = false;
};

// An owner window with the program's skin, away from the screen's centre where dialogs open,
// and a button on it that counts clicks.
class OwnerWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    owner = std::make_unique<TForm>();
    owner->SetCaption(L"Spinvolt");
    owner->SetBounds(20, 20, 300, 160);
    skin = new TbsSkinData(owner.get());
    const auto block = spv::ProgramSkinBlock();
    skin->LoadFromCompressedData(block.data(), block.size());
    ASSERT_FALSE(skin->IsEmpty);
    ownerButton = new TbsSkinButton(owner.get());
    ownerButton->SetParent(owner.get());
    ownerButton->SetBounds(20, 20, 100, 25);
    ownerButton->SetCaption(L"Owner");
    ownerButton->OnClick = [this](TObject*) { ++ownerClicks; };
    ownerButton->SetSkinData(skin);
    owner->Show();
    spv::test::PumpMessages();
  }
  void TearDown() override {
    owner.reset();
    spv::test::PumpMessages();
  }
  POINT OwnerButtonOnScreen() const { return ownerButton->ClientToScreen({50, 12}); }

  std::unique_ptr<TForm> owner;
  TbsSkinData* skin = nullptr;
  TbsSkinButton* ownerButton = nullptr;
  int ownerClicks = 0;
};

}  // namespace bs::test
