#include "app/Main.h"

#include "WindowShot.h"

#include <gtest/gtest.h>

namespace spv::app {
namespace {

struct MainWindowTest : ::testing::Test {
  HWND window = CreateMainWindow(GetModuleHandleW(nullptr));
  ~MainWindowTest() override { DestroyWindow(window); }
};

TEST_F(MainWindowTest, OpensCentredWithTheDesignClientSize) {
  ASSERT_NE(window, nullptr);
  ShowWindow(window, SW_SHOWNORMAL);
  RECT client;
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, kClientWidth);
  EXPECT_EQ(client.bottom, kClientHeight);

  RECT frame, work;
  GetWindowRect(window, &frame);
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_LE(std::abs((frame.left - work.left) - (work.right - frame.right)), 1);
  EXPECT_LE(std::abs((frame.top - work.top) - (work.bottom - frame.bottom)), 1);
  test::SaveWindowPng(window, "skeleton-main-window");
}

TEST_F(MainWindowTest, ClientFollowsSetWindowPos) {
  ASSERT_NE(window, nullptr);
  RECT frame{0, 0, 0, 0};
  AdjustWindowRectEx(&frame, DWORD(GetWindowLongW(window, GWL_STYLE)), FALSE, DWORD(GetWindowLongW(window, GWL_EXSTYLE)));
  const int borderX = frame.right - frame.left, borderY = frame.bottom - frame.top;
  SetWindowPos(window, nullptr, 10, 10, 700 + borderX, 300 + borderY, SWP_NOZORDER | SWP_NOACTIVATE);
  RECT client;
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, 700);
  EXPECT_EQ(client.bottom, 300);
}

TEST_F(MainWindowTest, KeepsTheRegionItWasGiven) {
  ASSERT_NE(window, nullptr);
  ShowWindow(window, SW_SHOWNORMAL);
  // A notched shape: a wide bar over a narrower body.
  HRGN given = CreateRectRgn(0, 0, 300, 40);
  HRGN body = CreateRectRgn(20, 40, 280, 200);
  CombineRgn(given, given, body, RGN_OR);
  DeleteObject(body);
  HRGN copy = CreateRectRgn(0, 0, 0, 0);
  CombineRgn(copy, given, nullptr, RGN_COPY);
  ASSERT_NE(SetWindowRgn(window, given, TRUE), 0);  // the window owns `given` now

  HRGN held = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetWindowRgn(window, held), COMPLEXREGION);
  EXPECT_TRUE(EqualRgn(held, copy));
  EXPECT_TRUE(PtInRegion(held, 150, 100));
  EXPECT_FALSE(PtInRegion(held, 5, 100));  // beside the body, under the bar
  RECT box;
  GetRgnBox(held, &box);
  EXPECT_EQ(box.right, 300);
  EXPECT_EQ(box.bottom, 200);
  DeleteObject(held);
  DeleteObject(copy);
}

}  // namespace
}  // namespace spv::app
