#include "app/Main.h"
#include "platform/FormReader.h"
#include "resources/ProgramForm.h"

#include "WindowShot.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace spv::app {
namespace {

TEST(MainWindowTest, OpensSkinnedAndCentredWithTheDesignClientSize) {
  TFRM_SPV form;
  platform::TFormReader::ReadInto(form, ProgramFormDescription());
  form.DoCreate();
  ASSERT_FALSE(form.bsSkinData1->IsEmpty) << "the program's skin is loaded";
  EXPECT_TRUE(form.bsSkinForm1->Skinned());
  form.Show();
  test::PumpMessages();
  HWND window = form.Handle();

  RECT client, frame, work;
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, kClientWidth);
  EXPECT_EQ(client.bottom, kClientHeight);
  GetWindowRect(window, &frame);
  // The skin's frame: 4 pixels left and right, 24 above, 6 below.
  EXPECT_EQ(frame.right - frame.left, kClientWidth + 8);
  EXPECT_EQ(frame.bottom - frame.top, kClientHeight + 30);
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_LE(std::abs((frame.left - work.left) - (work.right - frame.right)), 1);
  EXPECT_LE(std::abs((frame.top - work.top) - (work.bottom - frame.bottom)), 1);

  // The caption buttons the window asks for are all there and usable.
  for (const char* name : {"closebutton", "maxbutton", "minbutton", "rollupbutton", "sysmenubutton"}) {
    const bs::TbsActiveSkinObject* button = form.bsSkinForm1->FindObject(name);
    ASSERT_NE(button, nullptr) << name;
    EXPECT_TRUE(button->Enabled && button->Visible) << name;
  }
  test::SaveWindowPng(window, "main-window");
}

}  // namespace
}  // namespace spv::app
