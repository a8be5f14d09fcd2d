// The skinned frame under a hand's real drags: the press on a sizing edge or the caption starts
// the system's sizing or moving loop, the moves and the release come through the pointer while
// the loop runs, and the window ends exactly where the hand left it and goes on answering.
#include "FramedWindow.h"
#include "UserDrag.h"

#include <gtest/gtest.h>

#include <string>

namespace bs {
namespace {

using namespace spv::platform;
using namespace frame_test;
using spv::test::DragAsUser;

bool InSizeMoveLoop() {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  return GetGUIThreadInfo(GetCurrentThreadId(), &info) && (info.flags & GUI_INMOVESIZE);
}

std::string Text(const RECT& r) {
  return "(" + std::to_string(r.left) + ", " + std::to_string(r.top) + ")-(" + std::to_string(r.right) + ", " +
         std::to_string(r.bottom) + ")";
}

class SkinFrameDragTest : public SkinFrameTest {
 protected:
  // A point of the frame hit as `code` and in the window's shape, in window coordinates.
  POINT PointOf(int code) const {
    const TRect c = w->RectOf("caption1");
    const auto found = spv::test::FramePoint(w->Handle(), code, {c.Left, c.Top, c.Right, c.Bottom});
    if (found) return *found;
    ADD_FAILURE() << "no point of the window is hit as " << code;
    return {0, 0};
  }
  POINT OnScreen(POINT p) const {
    const RECT r = w->Bounds();
    return {r.left + p.x, r.top + p.y};
  }
  // The window let go: no loop runs, nothing holds the pointer, the frame knows it.
  void ExpectLetGo(const std::string& what) const {
    EXPECT_FALSE(InSizeMoveLoop()) << what;
    EXPECT_EQ(GetCapture(), nullptr) << what;
    EXPECT_FALSE(w->frame->InSizeMove()) << what;
  }
};

TEST_F(SkinFrameDragTest, AHandsDragOnAnEdgeACornerOrTheCaptionSizesOrMovesTheWindowByExactlyThat) {
  const struct {
    const char* what;
    int code;
    int dx, dy;
    RECT change;  // what the drag adds to left, top, right, bottom
  } drags[] = {
      {"bottom-right corner", HTBOTTOMRIGHT, 40, 30, {0, 0, 40, 30}},
      {"caption", HTCAPTION, 40, 30, {40, 30, 40, 30}},
      {"left edge", HTLEFT, -30, 10, {-30, 0, 0, 0}},
      {"bottom edge", HTBOTTOM, 15, 25, {0, 0, 0, 25}},
      {"top-left corner", HTTOPLEFT, 20, 12, {20, 12, 0, 0}},
      {"right edge, narrower", HTRIGHT, -50, 0, {0, 0, -50, 0}},
      {"top edge", HTTOP, 5, -20, {0, -20, 0, 0}},
      {"top-right corner", HTTOPRIGHT, 25, -15, {0, -15, 25, 0}},
      {"bottom-left corner", HTBOTTOMLEFT, -10, 20, {-10, 0, 0, 20}},
      {"caption, back up and left", HTCAPTION, -60, -45, {-60, -45, -60, -45}},
  };
  // Live (the frame rebuilt as the loop proposes each size) and outlined.
  for (const bool fullDrag : {true, false}) {
    TFullDragSetting setting(fullDrag);
    for (const auto& d : drags) {
      const std::string what = std::string(d.what) + (fullDrag ? ", live" : ", outlined");
      const POINT at = PointOf(d.code);
      ASSERT_EQ(w->HitAt(at.x, at.y), d.code) << what;
      const RECT before = w->Bounds();
      const POINT from = OnScreen(at);
      ASSERT_TRUE(DragAsUser(from, {from.x + d.dx, from.y + d.dy})) << what << ": the press started no loop";
      const RECT expected{before.left + d.change.left, before.top + d.change.top, before.right + d.change.right,
                          before.bottom + d.change.bottom};
      const RECT after = w->Bounds();
      EXPECT_TRUE(EqualRect(&after, &expected)) << what << ": " << Text(after) << ", not " << Text(expected);
      ExpectLetGo(what);
      const int W = after.right - after.left, H = after.bottom - after.top;
      EXPECT_EQ(w->frame->Layout().Width, W) << what;
      EXPECT_EQ(w->frame->Layout().Height, H) << what;
      EXPECT_TRUE(ShapedFor(w->Handle(), *w->skin, W, H)) << what;
    }
  }
  spv::test::SaveWindowPng(w->Handle(), "skin-frame-after-drags");

  // The window answers the pointer afterwards: a click on the maximise button maximises it.
  const TRect max = w->RectOf("maxbutton");
  const POINT button = OnScreen({(max.Left + max.Right) / 2, (max.Top + max.Bottom) / 2});
  EXPECT_TRUE(DragAsUser(button, button)) << "the button holds the pointer while pressed";
  EXPECT_TRUE(spv::test::PumpUntil([&] { return w->frame->WindowState() == 2; })) << "maximised by the click";
}

}  // namespace
}  // namespace bs
