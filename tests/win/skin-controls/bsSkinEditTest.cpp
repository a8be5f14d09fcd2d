#include "skin/controls/bsSkinBoxCtrls.h"

#include "SkinTestForm.h"
#include "skin/controls/bsSkinCtrls.h"

#include <gtest/gtest.h>

#include <memory>

namespace bs {
namespace {

using namespace spv::platform;
using bs::test::TSkinnedForm;

bool SamePixels(const TImage& a, int ax, int ay, const TImage& b, int bx, int by, int w, int h) {
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (!(a.At(ax + x, ay + y) == b.At(bx + x, by + y))) return false;
  return true;
}

// What the screen shows of a window, frame included.
TbsFBitmap ScreenOf(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  TbsFBitmap shot(r.right - r.left, r.bottom - r.top);
  HDC screen = GetDC(nullptr);
  BitBlt(shot.DC(), 0, 0, shot.Width(), shot.Height(), screen, r.left, r.top, SRCCOPY);
  ReleaseDC(nullptr, screen);
  GdiFlush();
  return shot;
}

class SkinEditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = std::make_unique<TSkinnedForm>();
    form->SetClientSize(440, 200);
    form->SetCaption(L"Поля");
    skin = new TbsSkinData(form.get());
    bs::test::LoadProgramSkin(*skin);
    ASSERT_FALSE(skin->IsEmpty);
  }

  // As the main window's folder fields: 300 x 18 with a button, on "buttonedit".
  TbsSkinEdit* AddEdit(int left, int top, bool skinned = true, bool button = true) {
    auto* e = new TbsSkinEdit(form.get());
    e->SetParent(form.get());
    e->SetBounds(left, top, 300, 18);
    e->SetSkinDataName(button ? "buttonedit" : "edit");
    e->SetButtonMode(button);
    e->OnButtonClick = [this](TObject* sender) {
      clicks.push_back(sender);
      focusedAtClick = dynamic_cast<TWinControl*>(sender)->Focused();
    };
    if (skinned) e->SetSkinData(skin);
    return e;
  }

  std::unique_ptr<TSkinnedForm> form;
  TbsSkinData* skin = nullptr;
  std::vector<TObject*> clicks;
  bool focusedAtClick = false;
};

TEST_F(SkinEditTest, ButtonEditGeometryWithAndWithoutTheSkin) {
  TbsSkinEdit* e = AddEdit(10, 10);
  TbsSkinEdit* plain = AddEdit(10, 60, false);
  form->Show();
  EXPECT_EQ(e->Width(), 300);
  EXPECT_EQ(e->Height(), 22);
  EXPECT_EQ(e->EditTextRect(), (TRect{7, 4, 279, 18}));
  EXPECT_EQ(e->EditButtonRect(), (TRect{280, 2, 297, 20}));
  // The frame is the skin's picture: its left cap as it stands, its right cap moved to the end.
  const TbsDataSkinEditControl& o =
      dynamic_cast<const TbsDataSkinEditControl&>(*skin->SkinControls[std::size_t(skin->FindSkinControl("buttonedit"))]);
  const TImage& picture = skin->ActivePicture(o.PictureIndex)->Image;
  const TbsFBitmap frame22 = e->FrameSnapshot();
  ASSERT_EQ(frame22.Height(), 22);
  EXPECT_TRUE(SamePixels(frame22, 0, 0, picture, o.SkinRect.Left, o.SkinRect.Top, 7, 22));
  EXPECT_TRUE(SamePixels(frame22, 300 - 23, 0, picture, o.SkinRect.Right - 23, o.SkinRect.Top, 23, 22));
  // The native edit's client area is the text area.
  RECT c, w;
  GetClientRect(e->Handle(), &c);
  GetWindowRect(e->Handle(), &w);
  POINT origin{0, 0};
  ClientToScreen(e->Handle(), &origin);
  EXPECT_EQ(c.right, 272);
  EXPECT_EQ(c.bottom, 14);
  EXPECT_EQ(origin.x - w.left, 7);
  EXPECT_EQ(origin.y - w.top, 4);

  // Without a skin: the size stays, a square button at the right, a 2-pixel frame.
  EXPECT_EQ(plain->Height(), 18);
  EXPECT_EQ(plain->EditButtonRect(), (TRect{282, 0, 300, 18}));
  EXPECT_EQ(plain->EditTextRect(), (TRect{2, 2, 280, 16}));
  GetClientRect(plain->Handle(), &c);
  EXPECT_EQ(c.right, 300 - 18 - 2 - 2);
  EXPECT_EQ(c.bottom, 14);
  const TbsFBitmap frame = plain->FrameSnapshot();
  EXPECT_EQ(frame.At(0, 5), bs::test::PixelOf(ColorToRGB(clBtnShadow)));
  EXPECT_EQ(frame.At(1, 5), bs::test::PixelOf(ColorToRGB(clBtnFace)));
}

TEST_F(SkinEditTest, TheButtonClicksOnlyForAPressAndReleaseOnIt) {
  TbsSkinEdit* e = AddEdit(10, 10);
  auto* other = new TbsSkinEdit(form.get());
  other->SetParent(form.get());
  other->SetBounds(10, 60, 300, 18);
  form->Show();
  other->SetFocus();
  spv::test::PumpMessages();
  const POINT button = bs::test::WindowPoint(e->Handle(), 288, 10);
  const POINT text = bs::test::WindowPoint(e->Handle(), 100, 10);
  const POINT away = bs::test::WindowPoint(other->Handle(), 100, 10);

  // Press on the button, move off, release elsewhere: no click, no pressed look left.
  bs::test::MouseTo(button);
  EXPECT_TRUE(e->ButtonHot());
  bs::test::MouseButton(true);
  EXPECT_TRUE(e->ButtonDown());
  const TbsFBitmap pressed = e->FrameSnapshot();
  bs::test::MouseTo(away);
  EXPECT_FALSE(e->ButtonHot()) << "the pressed look goes with the pointer";
  bs::test::MouseButton(false);
  EXPECT_FALSE(e->ButtonDown());
  EXPECT_TRUE(clicks.empty());

  // A drag that starts in the text and ends on the button clicks nothing either.
  bs::test::MouseTo(text);
  bs::test::MouseButton(true);
  bs::test::MouseTo(button);
  bs::test::MouseButton(false);
  EXPECT_TRUE(clicks.empty()) << "a release without a press on the button";

  // A real click: once, with the focus already in the edit.
  other->SetFocus();
  bs::test::MouseTo(button);
  bs::test::MouseButton(true);
  const TbsFBitmap down = e->FrameSnapshot();
  bs::test::MouseButton(false);
  ASSERT_EQ(clicks.size(), 1u);
  EXPECT_EQ(clicks[0], e);
  EXPECT_TRUE(focusedAtClick);
  // The down picture differs from the hot one in the button only.
  const TbsFBitmap hot = e->FrameSnapshot();
  EXPECT_FALSE(SamePixels(down, 280, 2, hot, 280, 2, 17, 18));
  EXPECT_TRUE(SamePixels(down, 0, 0, hot, 0, 0, 7, 22));
  (void)pressed;
}

TEST_F(SkinEditTest, EnterAndEscapeGoToTheFormsButtonsAndNeverIntoTheText) {
  TbsSkinEdit* e = AddEdit(10, 10);
  auto* ok = new TbsSkinButton(form.get());
  ok->SetParent(form.get());
  ok->SetBounds(10, 100, 100, 25);
  ok->SetDefault(true);
  auto* cancel = new TbsSkinButton(form.get());
  cancel->SetParent(form.get());
  cancel->SetBounds(120, 100, 100, 25);
  cancel->Cancel = true;
  int oks = 0, cancels = 0;
  ok->OnClick = [&](TObject*) { ++oks; };
  cancel->OnClick = [&](TObject*) { ++cancels; };
  std::vector<int> pressed;
  e->OnKeyPress = [&](TObject*, wchar_t& k) { pressed.push_back(int(k)); };
  form->Show();
  e->SetFocus();
  bs::test::TypeText(L"C:\\Base");
  bs::test::TypeKey(VK_RETURN);
  EXPECT_EQ(oks, 1);
  bs::test::TypeKey(VK_ESCAPE);
  EXPECT_EQ(cancels, 1);
  bs::test::TypeKey(VK_RETURN, {VK_CONTROL});  // Ctrl+Enter is a line feed
  EXPECT_EQ(e->Text(), L"C:\\Base");
  EXPECT_TRUE(std::count(pressed.begin(), pressed.end(), 13) == 1) << "OnKeyPress hears Enter";
  EXPECT_TRUE(std::count(pressed.begin(), pressed.end(), 27) == 1) << "and Escape";

  // A pasted text with line breaks leaves none in the path.
  bs::test::PutClipboardText(L"D:\\Air\r\nreports");
  e->SelectAll();
  bs::test::TypeKey('V', {VK_CONTROL});
  EXPECT_EQ(e->Text().find_first_of(L"\r\n"), std::wstring::npos) << "'" << std::string(e->Text().begin(), e->Text().end()) << "'";
  EXPECT_EQ(e->Text().substr(0, 6), L"D:\\Air");
}

TEST_F(SkinEditTest, ReadOnlyRefusesEveryChange) {
  TbsSkinEdit* e = AddEdit(10, 10);
  e->SetText(L"C:\\Quorvane");
  e->SetReadOnly(true);
  form->Show();
  e->SetFocus();
  bs::test::PutClipboardText(L"X");
  e->SelectAll();
  bs::test::TypeKey(VK_DELETE);
  bs::test::TypeKey('X', {VK_CONTROL});
  bs::test::TypeKey('V', {VK_CONTROL});
  bs::test::TypeText(L"zz");
  EXPECT_EQ(e->Text(), L"C:\\Quorvane");
  // The menu offers no Cut, Paste or Delete, and its commands do nothing.
  e->SetSel(0, 3);
  const auto items = EditMenuItems(e->EditMenuState());
  EXPECT_FALSE(items[2].Enabled);
  EXPECT_TRUE(items[3].Enabled);
  EXPECT_FALSE(items[4].Enabled);
  EXPECT_FALSE(items[5].Enabled);
  for (auto c : {TbsEditCommand::ecCut, TbsEditCommand::ecPaste, TbsEditCommand::ecDelete}) e->PerformEditCommand(c);
  EXPECT_EQ(e->Text(), L"C:\\Quorvane");
  // Writable again: the same commands change the text.
  e->SetReadOnly(false);
  e->SetSel(0, 3);
  e->PerformEditCommand(TbsEditCommand::ecDelete);
  EXPECT_EQ(e->Text(), L"Quorvane");
  e->SelectAll();
  EXPECT_FALSE(EditMenuItems(e->EditMenuState())[7].Enabled) << "Select All with everything selected";
}

TEST_F(SkinEditTest, PaintFrameMessagePaintsIntoTheGivenContext) {
  TbsSkinEdit* e = AddEdit(10, 10);
  form->Show();
  spv::test::PumpMessages();
  TbsFBitmap target(300, 22);
  const RECT all{0, 0, 300, 22};
  TGdiHandle<HBRUSH> magenta(CreateSolidBrush(RGB(255, 0, 255)));
  FillRect(target.DC(), &all, magenta.Get());
  EXPECT_EQ(SendMessageW(e->Handle(), WM_PAINT_FRAME_INTO, WPARAM(target.DC()), kPaintFrameTag), kPaintFrameAnswer);
  GdiFlush();
  const TbsFBitmap frame = e->FrameSnapshot();
  EXPECT_TRUE(SamePixels(target, 0, 0, frame, 0, 0, 300, 4)) << "the frame's top";
  EXPECT_TRUE(SamePixels(target, 280, 2, frame, 280, 2, 17, 18)) << "the button";
  EXPECT_EQ(target.At(100, 10), (TPixel{255, 0, 255})) << "the text area is left alone";
  EXPECT_EQ(SendMessageW(e->Handle(), WM_PAINT_FRAME_INTO, 0, kPaintFrameTag), kPaintFrameAnswer);
  EXPECT_NE(SendMessageW(e->Handle(), WM_PAINT_FRAME_INTO, WPARAM(target.DC()), 1), kPaintFrameAnswer);
}

TEST_F(SkinEditTest, LooksOfTheFolderField) {
  const wchar_t* texts[] = {L"C:\\Quorvane\\Bases\\", L"C:\\Quorvane\\Reports\\", L"D:\\Эфир\\", L"E:\\Недоступно\\",
                            L"F:\\Только чтение\\"};
  std::vector<TbsSkinEdit*> edits;
  for (int i = 0; i < 5; ++i) {
    edits.push_back(AddEdit(10, 10 + i * 30));
    edits.back()->SetText(texts[i]);
  }
  auto* plain = AddEdit(10, 160, false);
  plain->SetText(L"Без обложки");
  edits[3]->SetEnabled(false);
  edits[4]->SetReadOnly(true);
  form->Show();
  edits[1]->SetFocus();
  bs::test::MouseTo(bs::test::WindowPoint(edits[2]->Handle(), 288, 10));
  bs::test::MouseButton(true);
  spv::test::PumpMessages(100);
  spv::test::SaveWindowPng(form->Handle(), "skin-edit-looks");
  bs::test::MouseTo(bs::test::WindowPoint(form->Handle(), 420, 190));
  bs::test::MouseButton(false);
  // The disabled field shows its text in the skin's disabled colour (grey 8421504).
  const TbsFBitmap shot = ScreenOf(edits[3]->Handle());
  int grey = 0;
  for (int y = 4; y < 18; ++y)
    for (int x = 7; x < 279; ++x)
      if (shot.At(x, y) == (TPixel{128, 128, 128})) ++grey;
  EXPECT_GT(grey, 10);
}

}  // namespace
}  // namespace bs
