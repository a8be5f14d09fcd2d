#include "skin/controls/bsSkinCtrls.h"

#include "SkinFixture.h"
#include "SkinnedForm.h"
#include "WindowShot.h"
#include "platform/FormReader.h"
#include "resources/ProgramSkin.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace bs {
namespace {

using namespace spv::platform;

using test::At;
using test::PixelOf;
using test::SamePixels;
using test::TSkinnedForm;

class SkinButtonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = std::make_unique<TSkinnedForm>();
    form->SetClientSize(420, 140);
    skin = new TbsSkinData(form.get());
    const auto block = spv::ProgramSkinBlock();
    skin->LoadFromCompressedData(block.data(), block.size());
    ASSERT_FALSE(skin->IsEmpty);
  }

  TbsSkinButton* AddButton(int left, int top, std::wstring_view caption, bool skinned = true) {
    auto* b = new TbsSkinButton(form.get());
    b->SetParent(form.get());
    b->SetBounds(left, top, 121, 25);
    b->SetCaption(caption);
    b->OnClick = [this](TObject* sender) { clicks.push_back(sender); };
    if (skinned) b->SetSkinData(skin);
    return b;
  }

  int ClicksOf(TObject* b) const { return int(std::count(clicks.begin(), clicks.end(), b)); }

  // The pointer goes where the message says, so that the moves the system makes agree.
  static void PointerTo(TbsSkinButton* b, int x, int y) {
    POINT p{x, y};
    ClientToScreen(b->Handle(), &p);
    SetCursorPos(p.x, p.y);
  }
  void Press(TbsSkinButton* b, int x = 5, int y = 5) {
    PointerTo(b, x, y);
    SendMessageW(b->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(x, y));
  }
  void Move(TbsSkinButton* b, int x, int y) {
    PointerTo(b, x, y);
    SendMessageW(b->Handle(), WM_MOUSEMOVE, MK_LBUTTON, At(x, y));
  }
  void Release(TbsSkinButton* b, int x = 5, int y = 5) { SendMessageW(b->Handle(), WM_LBUTTONUP, 0, At(x, y)); }

  std::unique_ptr<TSkinnedForm> form;
  TbsSkinData* skin = nullptr;
  std::vector<TObject*> clicks;
};

const TbsDataSkinButtonControl& ButtonObject(const TbsSkinData& skin) {
  return dynamic_cast<const TbsDataSkinButtonControl&>(*skin.SkinControls[std::size_t(skin.FindSkinControl("button"))]);
}

TEST_F(SkinButtonTest, TheProgramsButtonIsWidthOnlyAndCentresItsCaption) {
  TbsSkinButton* b = AddButton(10, 10, L"Выполнить");
  EXPECT_EQ(b->SizingKind(), skWidthOnly);
  for (int h : {25, 40, 3}) {
    b->SetHeight(h);
    EXPECT_EQ(b->Height(), 24) << h;
    EXPECT_EQ(b->Width(), 121);
  }
  EXPECT_EQ(b->SizedPiece().ClientRect, (TRect{6, 5, 115, 19}));

  // The caption's pixels are those that differ from the same button without one.
  const TbsFBitmap withCaption = b->Snapshot();
  b->SetCaption(L"");
  const TbsFBitmap bare = b->Snapshot();
  int left = 1000, right = -1, top = 1000, bottom = -1;
  for (int y = 0; y < bare.Height(); ++y)
    for (int x = 0; x < bare.Width(); ++x)
      if (!(bare.At(x, y) == withCaption.At(x, y))) {
        left = std::min(left, x), right = std::max(right, x);
        top = std::min(top, y), bottom = std::max(bottom, y);
      }
  ASSERT_GE(right, left) << "no caption drawn";
  // Centred in (6, 5, 115, 19): the spacing of 1 and the 2 pixels of the text box move it by
  // at most a pixel or two, while the unstretched client rect would centre it at 34.
  EXPECT_NEAR((left + right + 1) / 2.0, (6 + 115) / 2.0, 2.5);
  EXPECT_NEAR((top + bottom + 1) / 2.0, (5 + 19) / 2.0, 2.5);
  EXPECT_GT(left, 6);
  EXPECT_LT(right, 115);
}

TEST_F(SkinButtonTest, TheMaskShapesTheWindow) {
  TbsSkinButton* b = AddButton(10, 10, L"Маска");
  form->Show();
  ASSERT_NE(b->WindowRegion(), nullptr);
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(b->Handle(), region), ERROR);
  RECT box;
  GetRgnBox(region, &box);
  EXPECT_EQ(box.right, 121);  // the region follows the stretched width
  DeleteObject(region);
  b->SetUseSkinSize(false);
  EXPECT_EQ(b->WindowRegion(), nullptr);
}

TEST_F(SkinButtonTest, LooksOfEveryStateWithAndWithoutASkin) {
  const wchar_t* names[] = {L"Обычная", L"Под мышью", L"Нажата", L"В фокусе", L"По умолчанию", L"Недоступна"};
  std::vector<TbsSkinButton*> rows[2];
  for (int skinned = 0; skinned < 2; ++skinned)
    for (int i = 0; i < 6; ++i)
      rows[skinned].push_back(AddButton(10 + (i % 3) * 135, 10 + (i / 3) * 30 + skinned * 70, names[i], skinned == 1));
  form->Show();
  spv::test::PumpMessages();
  std::vector<TbsFBitmap> looks[2];
  for (auto& row : rows) {
    const int k = int(&row - rows);
    row[1]->Perform(CM_MOUSEENTER);
    // Down under the pointer, as while the mouse holds it (a real press would take the focus).
    row[2]->Perform(CM_MOUSEENTER);
    row[2]->SetDown(true);
    row[4]->SetDefault(true);
    row[5]->SetEnabled(false);
    row[3]->SetFocus();
    for (TbsSkinButton* b : row) looks[k].push_back(b->Snapshot());
  }
  spv::test::PumpMessages();
  spv::test::SaveWindowPng(form->Handle(), "skin-button-states");
  for (int k = 0; k < 2; ++k)
    for (int i = 0; i < 6; ++i)
      for (int j = i + 1; j < 6; ++j) {
        // Hot and focused share the active picture; the default button is highlighted as hot
        // once the focus is on another control; these differ only in their captions.
        EXPECT_FALSE(SamePixels(looks[k][i], looks[k][j])) << k << ": " << i << " and " << j;
      }
  // The skinned looks are the skin's pieces, the plain ones the built-in colours.
  const TbsDataSkinButtonControl& o = ButtonObject(*skin);
  const TImage& picture = skin->ActivePicture(o.PictureIndex)->Image;
  EXPECT_EQ(looks[1][0].At(2, 12), picture.At(o.SkinRect.Left + 2, o.SkinRect.Top + 12));
  EXPECT_EQ(looks[1][2].At(2, 12), picture.At(o.DownSkinRect.Left + 2, o.DownSkinRect.Top + 12));
  EXPECT_EQ(looks[1][5].At(2, 12), picture.At(o.DisabledSkinRect.Left + 2, o.DisabledSkinRect.Top + 12));
  EXPECT_EQ(looks[0][0].At(0, 0), PixelOf(GetSysColor(COLOR_BTNSHADOW)));
  EXPECT_EQ(looks[0][0].At(5, 5), PixelOf(GetSysColor(COLOR_BTNFACE)));
  EXPECT_EQ(looks[0][1].At(5, 5), PixelOf(0xD2BDB6));
  EXPECT_EQ(looks[0][2].At(5, 5), PixelOf(0xB59385));
  EXPECT_EQ(looks[0][2].At(0, 0), PixelOf(0x800000));
}

TEST_F(SkinButtonTest, PressingDraggingOffAndBack) {
  TbsSkinButton* b = AddButton(10, 10, L"Тяни");
  form->Show();
  const TbsFBitmap normal = b->Snapshot();
  Press(b);
  ASSERT_TRUE(b->Down());
  const TbsFBitmap down = b->Snapshot();
  Move(b, -20, 5);
  EXPECT_FALSE(b->MouseOver());
  EXPECT_TRUE(b->Down());
  const TbsFBitmap off = b->Snapshot();
  EXPECT_FALSE(SamePixels(off, down)) << "dragged off, the button shows its focused look";
  Release(b, -20, 5);
  EXPECT_FALSE(b->Down());
  EXPECT_EQ(ClicksOf(b), 0);

  Press(b);
  Move(b, -20, 5);
  Move(b, 8, 8);
  EXPECT_TRUE(b->MouseOver());
  EXPECT_TRUE(SamePixels(b->Snapshot(), down)) << "back over it, the down look again";
  Release(b, 8, 8);
  EXPECT_FALSE(b->Down());
  EXPECT_EQ(ClicksOf(b), 1);
  EXPECT_FALSE(SamePixels(normal, down));
}

TEST_F(SkinButtonTest, RepeatModeClicksWhileHeldAndOnceOnRelease) {
  TbsSkinButton* b = AddButton(10, 10, L"Повтор");
  b->RepeatMode = true;
  form->Show();
  Press(b);
  EXPECT_TRUE(b->Repeating());
  EXPECT_EQ(ClicksOf(b), 0) << "the press itself does not click";
  ASSERT_TRUE(spv::test::PumpUntil([&] { return ClicksOf(b) >= 2; }));
  const int held = ClicksOf(b);
  Release(b);
  EXPECT_EQ(ClicksOf(b), held + 1);
  EXPECT_FALSE(b->Repeating());
  spv::test::PumpMessages(300);
  EXPECT_EQ(ClicksOf(b), held + 1) << "no click after the release";

  // Dragged off, the repeat pauses; back on, it goes on.
  Press(b);
  Move(b, -20, 5);
  EXPECT_FALSE(b->Repeating());
  Move(b, 5, 5);
  EXPECT_TRUE(b->Repeating());
  Release(b, -20, -20);
}

TEST_F(SkinButtonTest, GroupsWithAndWithoutAllUp) {
  TbsSkinButton* g[3];
  for (int i = 0; i < 3; ++i) {
    g[i] = AddButton(10 + i * 130, 10, L"Группа");
    g[i]->SetGroupIndex(1);
    EXPECT_FALSE(g[i]->CanFocused());
    EXPECT_FALSE(g[i]->TabStop());
  }
  form->Show();
  Press(g[0]);
  Release(g[0]);
  EXPECT_TRUE(g[0]->Down());
  EXPECT_EQ(ClicksOf(g[0]), 1) << "a group button clicks on the press";
  Press(g[1]);
  Release(g[1]);
  EXPECT_TRUE(g[1]->Down());
  EXPECT_FALSE(g[0]->Down());
  Press(g[1]);
  Release(g[1]);
  EXPECT_TRUE(g[1]->Down());
  EXPECT_EQ(ClicksOf(g[1]), 1) << "pressing a down button again does nothing";

  for (TbsSkinButton* b : g) b->AllowAllUp = true;
  Press(g[2]);
  Release(g[2]);
  EXPECT_TRUE(g[1]->Down()) << "with all-up others stay down";
  EXPECT_TRUE(g[2]->Down());
  Press(g[2]);
  Release(g[2]);
  EXPECT_FALSE(g[2]->Down());
  EXPECT_EQ(ClicksOf(g[2]), 2) << "the second press releases it and clicks";
  Press(g[2]);
  Move(g[2], -30, 5);
  Release(g[2], -30, 5);
  EXPECT_TRUE(g[2]->Down()) << "released off the button, it stays down";
}

TEST_F(SkinButtonTest, DialogKeysAndModalResult) {
  TbsSkinButton* ok = AddButton(10, 10, L"Да");
  TbsSkinButton* cancel = AddButton(140, 10, L"&Отмена");
  TbsSkinButton* other = AddButton(270, 10, L"Ещё");
  ok->SetDefault(true);
  ok->ModalResult = mrOk;
  cancel->Cancel = true;
  cancel->ModalResult = mrCancel;
  form->Show();
  other->SetFocus();
  ASSERT_TRUE(other->Focused());
  EXPECT_FALSE(ok->DefaultActive()) << "focus on another button takes the default from it";

  BYTE keys[256];
  GetKeyboardState(keys);
  keys[VK_SHIFT] = 0x80;
  SetKeyboardState(keys);
  SendMessageW(other->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_EQ(ClicksOf(cancel), 0) << "Escape with Shift";
  keys[VK_SHIFT] = 0;
  SetKeyboardState(keys);
  SendMessageW(other->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_EQ(ClicksOf(cancel), 1);
  EXPECT_EQ(form->ModalResult(), mrCancel);

  SendMessageW(other->Handle(), WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_EQ(ClicksOf(other), 1) << "Enter clicks the focused button once";
  EXPECT_EQ(ClicksOf(ok), 0);
  EXPECT_EQ(form->ModalResult(), 0) << "a button with no modal result sets 0";

  SendMessageW(other->Handle(), WM_KEYDOWN, VK_SPACE, 0);
  EXPECT_TRUE(other->Down());
  SendMessageW(other->Handle(), WM_KEYUP, VK_SPACE, 0);
  EXPECT_FALSE(other->Down());
  EXPECT_EQ(ClicksOf(other), 2);

  SendMessageW(other->Handle(), WM_SYSCHAR, L'о', 0);
  EXPECT_EQ(ClicksOf(cancel), 2) << "the accelerator of the caption";
  EXPECT_TRUE(cancel->Focused());
}

// A focusable skinned control that is not a button.
class TFocusPanel : public TbsSkinCustomControl {
 public:
  using TbsSkinCustomControl::TbsSkinCustomControl;
};

TEST_F(SkinButtonTest, FocusOnAnotherControlGivesEnterToTheDefaultButton) {
  TbsSkinButton* ok = AddButton(10, 10, L"Да");
  TbsSkinButton* other = AddButton(140, 10, L"Ещё");
  auto* panel = new TFocusPanel(form.get());
  panel->SetParent(form.get());
  panel->SetBounds(10, 50, 100, 40);
  ok->SetDefault(true);
  form->Show();
  other->SetFocus();
  EXPECT_FALSE(ok->DefaultActive());
  EXPECT_FALSE(ok->MouseOver());
  panel->SetFocus();
  ASSERT_TRUE(panel->Focused());
  EXPECT_TRUE(ok->DefaultActive());
  EXPECT_TRUE(ok->MouseOver()) << "the default button shows it is the one Enter presses";
  EXPECT_FALSE(other->DefaultActive());
  SendMessageW(panel->Handle(), WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_EQ(ClicksOf(ok), 1);
  EXPECT_EQ(ClicksOf(other), 0);
  ok->SetEnabled(false);
  SendMessageW(panel->Handle(), WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_EQ(ClicksOf(ok), 1) << "a disabled default button takes no Enter";
}

TEST_F(SkinButtonTest, ANameOfAnotherCaseOrNoSkinDrawsTheDefaultLook) {
  TbsSkinButton* plain = AddButton(10, 10, L"Кнопка", false);
  TbsSkinButton* named = AddButton(10, 50, L"Кнопка");
  named->SetSkinDataName("Button");
  named->SetBounds(10, 50, 121, 25);
  form->Show();
  EXPECT_EQ(named->SkinObjectIndex(), -1);
  EXPECT_EQ(named->Height(), 25) << "no object: the size stays";
  EXPECT_TRUE(SamePixels(named->Snapshot(), plain->Snapshot()));

  // A description of another kind, or a button description without its picture.
  TbsSkinButton* edit = AddButton(150, 10, L"Кнопка");
  edit->SetSkinDataName("edit");
  edit->SetBounds(10, 10, 121, 25);
  EXPECT_EQ(edit->SkinObjectIndex(), -1);
  EXPECT_TRUE(SamePixels(edit->Snapshot(), plain->Snapshot()));
  auto& o = const_cast<TbsDataSkinButtonControl&>(ButtonObject(*skin));
  const int picture = o.PictureIndex;
  o.PictureIndex = 99;
  TbsSkinButton* noPicture = AddButton(10, 10, L"Кнопка");
  noPicture->SetBounds(10, 10, 121, 25);
  EXPECT_EQ(noPicture->SkinPicture(), nullptr);
  TbsFBitmap look = noPicture->Snapshot();
  EXPECT_EQ(look.At(0, 0), PixelOf(GetSysColor(COLOR_BTNSHADOW)));
  EXPECT_EQ(look.At(5, 5), PixelOf(GetSysColor(COLOR_BTNFACE)));
  o.PictureIndex = picture;

  TbsSkinButton* skinned = AddButton(10, 90, L"Кнопка");
  EXPECT_EQ(skinned->Height(), 24);
  delete skin;
  skin = nullptr;
  EXPECT_EQ(skinned->SkinData(), nullptr);
  spv::test::PumpMessages();
  EXPECT_EQ(skinned->SkinObjectIndex(), -1);
  const TbsFBitmap after = skinned->Snapshot();
  EXPECT_EQ(after.At(0, 0), PixelOf(GetSysColor(COLOR_BTNSHADOW)));
  EXPECT_EQ(after.At(5, 5), PixelOf(GetSysColor(COLOR_BTNFACE)));
}

TEST_F(SkinButtonTest, ASkinLoadedWhileShownRepaintsTheButton) {
  delete skin;
  skin = new TbsSkinData(form.get());
  TbsSkinButton* b = AddButton(10, 10, L"Смена");
  form->Show();
  spv::test::PumpMessages();
  EXPECT_EQ(b->Height(), 25);
  const auto block = spv::ProgramSkinBlock();
  skin->LoadFromCompressedData(block.data(), block.size());
  EXPECT_EQ(b->Height(), 24) << "the skin messages reached the button";
  UpdateWindow(b->Handle());
  HDC dc = GetDC(b->Handle());
  const TbsFBitmap look = b->Snapshot();
  const TPixel shown = PixelOf(GetPixel(dc, 2, 12));
  ReleaseDC(b->Handle(), dc);
  EXPECT_EQ(shown, look.At(2, 12));
  const TbsDataSkinButtonControl& o = ButtonObject(*skin);
  EXPECT_EQ(look.At(2, 12), skin->ActivePicture(o.PictureIndex)->Image.At(o.SkinRect.Left + 2, o.SkinRect.Top + 12));
  spv::test::SaveWindowPng(form->Handle(), "skin-button-after-skin-change");
}

TEST_F(SkinButtonTest, AMorphingSkinBlendsToTheHotLook) {
  auto& o = const_cast<TbsDataSkinButtonControl&>(ButtonObject(*skin));
  o.Morphing = true;
  TbsSkinButton* b = AddButton(10, 10, L"Морф");
  TbsSkinButton* focus = AddButton(140, 10, L"Фокус");
  form->Show();
  focus->SetFocus();
  const TbsFBitmap normal = b->Snapshot();
  b->Perform(CM_MOUSEENTER);
  ASSERT_TRUE(b->Morphing());
  ASSERT_TRUE(spv::test::PumpUntil([&] { return b->MorphValue() > 0; }));
  if (b->MorphValue() < 1) {
    const TbsFBitmap between = b->Snapshot();
    EXPECT_FALSE(SamePixels(between, normal));
  }
  ASSERT_TRUE(spv::test::PumpUntil([&] { return !b->Morphing(); }));
  EXPECT_EQ(b->MorphValue(), 1);
  const TbsFBitmap hot = b->Snapshot();
  skin->EnableSkinEffects = false;
  EXPECT_TRUE(SamePixels(hot, b->Snapshot())) << "the morph ends on the hot picture itself";
  skin->EnableSkinEffects = true;
  b->Perform(CM_MOUSELEAVE);
  ASSERT_TRUE(spv::test::PumpUntil([&] { return !b->Morphing(); }));
  EXPECT_EQ(b->MorphValue(), 0);
  EXPECT_TRUE(SamePixels(b->Snapshot(), normal));
}

TEST_F(SkinButtonTest, MovingThePointerRepaintsWithoutErasing) {
  TbsSkinButton* b = AddButton(10, 10, L"Без мерцания");
  form->Show();
  spv::test::PumpMessages();
  HDC dc = GetDC(b->Handle());
  // Whatever an erase would do shows in the window: it must leave it as it was.
  const COLORREF before = GetPixel(dc, 30, 12);
  SendMessageW(b->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  EXPECT_EQ(GetPixel(dc, 30, 12), before);
  ReleaseDC(b->Handle(), dc);
  for (int i = 0; i < 3; ++i) {
    SendMessageW(b->Handle(), WM_MOUSEMOVE, 0, At(20 + i * 30, 10));
    UpdateWindow(b->Handle());
    spv::test::SaveWindowPng(form->Handle(), "skin-button-pointer-" + std::to_string(i));
  }
  EXPECT_TRUE(b->MouseOver());
}

TEST_F(SkinButtonTest, FrameAnimationStepsThroughTheSlicesAndEndsOnTheHotLook) {
  // Three stacked 26-pixel slices starting at the normal picture: the last one starts where
  // the down picture does.
  auto& o = const_cast<TbsDataSkinButtonControl&>(ButtonObject(*skin));
  o.AnimateSkinRect = {o.SkinRect.Left, o.SkinRect.Top, o.SkinRect.Right, o.SkinRect.Top + 78};
  o.FrameCount = 3;
  TbsSkinButton* b = AddButton(10, 10, L"");
  TbsSkinButton* focus = AddButton(140, 10, L"");
  form->Show();
  focus->SetFocus();
  const TImage& picture = skin->ActivePicture(o.PictureIndex)->Image;
  const int x = 20;  // in the stretched middle, which keeps the source's columns
  auto rowOf = [&](int top) { return picture.At(o.SkinRect.Left + x, top + 12); };
  const TbsFBitmap normal = b->Snapshot();
  b->Perform(CM_MOUSEENTER);
  ASSERT_TRUE(b->Animating());
  bool sawSecond = false, sawThird = false;
  ASSERT_TRUE(spv::test::PumpUntil([&] {
    const TbsFBitmap now = b->Snapshot();
    sawSecond |= now.At(x, 12) == rowOf(o.SkinRect.Top + 26) && b->Animating();
    sawThird |= now.At(x, 12) == rowOf(o.SkinRect.Top + 52) && b->Animating();
    return !b->Animating();
  }));
  EXPECT_TRUE(sawSecond);
  EXPECT_TRUE(sawThird);
  EXPECT_EQ(b->Snapshot().At(x, 12), rowOf(o.ActiveSkinRect.Top));
  b->Perform(CM_MOUSELEAVE);
  ASSERT_TRUE(b->Animating());
  ASSERT_TRUE(spv::test::PumpUntil([&] { return !b->Animating(); }));
  EXPECT_TRUE(SamePixels(b->Snapshot(), normal));
  // A press stops the animation at once.
  b->Perform(CM_MOUSEENTER);
  Press(b);
  EXPECT_FALSE(b->Animating());
  Release(b);
}

TEST_F(SkinButtonTest, ParentBackgroundLinesUpWithTheControl) {
  form->SetColor(clRed);
  auto* panel = new TPanel(form.get());
  panel->SetParent(form.get());
  panel->SetBounds(200, 0, 100, 100);
  panel->SetColor(clBlue);
  TbsSkinButton* onForm = AddButton(190, 10, L"", false);
  TbsSkinButton* onPanel = AddButton(30, 30, L"", false);
  onPanel->SetParent(panel);
  form->Show();
  TbsFBitmap target(40, 40);
  PaintParentBackground(*onForm, target.DC());
  GdiFlush();
  EXPECT_EQ(target.At(2, 2), PixelOf(RGB(255, 0, 0)));
  EXPECT_EQ(target.At(15, 15), PixelOf(RGB(255, 0, 0)))
      << "the panel is not the button's parent: only the form shows through";
  PaintParentBackground(*onPanel, target.DC());
  GdiFlush();
  EXPECT_EQ(target.At(20, 20), PixelOf(RGB(0, 0, 255)));
  TbsSkinButton loose;
  TbsFBitmap untouched(4, 4);
  const RECT all{0, 0, 4, 4};
  FillRect(untouched.DC(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  PaintParentBackground(loose, untouched.DC());
  GdiFlush();
  EXPECT_EQ(untouched.At(1, 1), (TPixel{0, 0, 0})) << "no parent: nothing drawn";
}

std::string Hex(std::span<const std::uint8_t> bytes) {
  static const char* digits = "0123456789ABCDEF";
  std::string hex;
  for (std::uint8_t b : bytes) hex += {digits[b >> 4], digits[b & 15]};
  return hex;
}

TEST(SkinButtonDescription, TheStoredRunButtonTakesTheSkinsHeightWhicheverIsResolvedFirst) {
  RegisterSkinDataClasses();
  RegisterSkinControlClasses();
  TClassRegistry::Instance().Register("TSkinnedForm", [](TComponent*) -> TComponent* { return new TSkinnedForm; });
  TSkinnedForm main;
  TFormReader::ReadInto(main,
                        "object Main: TSkinnedForm\n"
                        "  object SBExec: TbsSkinButton\n"
                        "    Left = 8\n    Top = 100\n    Width = 121\n    Height = 25\n"
                        "    Caption = 'Run'\n"
                        "    SkinData = bsSkinData1\n"
                        "    Layout = blGlyphTop\n    Margin = 2\n    RepeatInterval = 250\n"
                        "    Default = True\n    ModalResult = 1\n"
                        "  end\n"
                        "  object bsSkinData1: TbsSkinData\n"
                        "    CompressedStoredSkin = bsCompressedStoredSkin1\n"
                        "  end\n"
                        "  object bsCompressedStoredSkin1: TbsCompressedStoredSkin\n"
                        "    CompressedData = {" + Hex(spv::ProgramSkinBlock()) + "}\n"
                        "  end\n"
                        "end\n");
  auto* b = dynamic_cast<TbsSkinButton*>(main.FindComponent("SBExec"));
  ASSERT_NE(b, nullptr);
  EXPECT_NE(b->SkinData(), nullptr);
  EXPECT_EQ(b->SkinObjectIndex(), 0);
  EXPECT_EQ(b->Width(), 121);
  EXPECT_EQ(b->Height(), 24);
  EXPECT_EQ(b->Layout(), TbsButtonLayout::blGlyphTop);
  EXPECT_EQ(b->Margin(), 2);
  EXPECT_EQ(b->RepeatInterval, 250u);
  EXPECT_TRUE(b->Default());
  EXPECT_EQ(b->ModalResult, 1);
}

// A container of the skin's nine-part `panel` piece, painted as border strips and a tiled client.
class TStripPanel : public TbsSkinCustomControl {
 public:
  explicit TStripPanel(TComponent* owner, bool strips) : TbsSkinCustomControl(owner) {
    SkinDataName_ = "panel";
    StripPaint = strips;
  }
};

TEST_F(SkinButtonTest, StripPaintDrawsTheSameFrameAsTheWholePicture) {
  auto* strips = new TStripPanel(form.get(), true);
  auto* whole = new TStripPanel(form.get(), false);
  for (TStripPanel* p : {strips, whole}) {
    p->SetParent(form.get());
    p->SetSkinData(skin);
  }
  strips->SetBounds(10, 10, 180, 120);
  whole->SetBounds(200, 10, 180, 120);
  EXPECT_EQ(strips->SizingKind(), skBoth);
  EXPECT_EQ((std::pair{strips->Width(), strips->Height()}), (std::pair{180, 120})) << "nine parts keep any size";
  form->Show();
  UpdateWindow(form->Handle());
  spv::test::PumpMessages();
  spv::test::SaveWindowPng(form->Handle(), "skin-panel-strips");
  HDC a = GetDC(strips->Handle()), b = GetDC(whole->Handle());
  const TbsFBitmap wholeLook = whole->Snapshot();
  int differing = 0;
  for (const POINT p : {POINT{0, 0}, POINT{1, 60}, POINT{90, 0}, POINT{179, 119}, POINT{178, 60}, POINT{90, 118},
                        POINT{2, 2}, POINT{3, 110}, POINT{176, 3}})
    differing += GetPixel(a, p.x, p.y) != GetPixel(b, p.x, p.y);
  EXPECT_EQ(differing, 0) << "the border strips sit where the whole picture has them";
  EXPECT_EQ(PixelOf(GetPixel(b, 90, 0)), wholeLook.At(90, 0));
  ReleaseDC(strips->Handle(), a);
  ReleaseDC(whole->Handle(), b);
}

}  // namespace
}  // namespace bs
