#include "platform/FormReader.h"
#include "skin/controls/bsSkinStatusPanel.h"

#include "SkinTestForm.h"

#include <string>

namespace bs::test {
namespace {

using namespace spv::platform;

const wchar_t kHourLine[] = L"Час 14: на месте 0, перемещены 0, вручную 12, не вышли 0, нет плейлиста";

// The status line along the bottom of a skinned form, as the window has it.
class StatusPanelTest : public SkinnedFormTest {
 protected:
  void SetUp() override {
    SkinnedFormTest::SetUp();
    status = new TbsSkinStatusPanel(form.get());
    status->SetParent(form.get());
    status->SetAlign(TAlign::alBottom);
    status->SetSkinData(skin);
    status->SetCaption(kHourLine);
    form->Show();
    UpdateWindow(form->Handle());
    spv::test::PumpMessages();
  }
  const TbsDataSkinLabelControl& Description() const {
    const int index = skin->FindSkinControl("statuspanel");
    return dynamic_cast<const TbsDataSkinLabelControl&>(*skin->SkinControls.at(std::size_t(index)));
  }
  const TImage& Picture() const { return skin->ActivePicture(Description().PictureIndex)->Image; }
  // The dark pixels of a picture within `r`: their bounding box, empty when there are none.
  static TRect Ink(const TImage& shot, const TRect& r) {
    TRect box{r.Right, r.Bottom, r.Left, r.Top};
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x)
        if (Dark(shot.At(x, y)))
          box = {std::min(box.Left, x), std::min(box.Top, y), std::max(box.Right, x + 1), std::max(box.Bottom, y + 1)};
    return box.Right > box.Left ? box : TRect{};
  }

  TbsSkinStatusPanel* status = nullptr;
};

TEST_F(StatusPanelTest, OneLineHighAlongTheBottomDrawnFromTheSkinWithTheTextInItsClientRect) {
  const TbsDataSkinLabelControl& d = Description();
  const int pieceHeight = d.SkinRect.Height();
  EXPECT_EQ(status->Height(), pieceHeight);
  EXPECT_EQ(status->LineHeight(), pieceHeight);
  EXPECT_EQ(status->Top(), form->ClientHeight() - pieceHeight);
  EXPECT_EQ(status->Width(), form->ClientWidth());
  // A height asked for is overruled: the line stays one line.
  status->SetHeight(60);
  EXPECT_EQ(status->Height(), pieceHeight);

  const TbsFBitmap shot = Grab(status->Handle());
  const TImage& picture = Picture();
  const TRect& c = d.Corners.ClientRect;
  const int W = status->Width();
  // The borders left and right of the text are the picture's own, unstretched.
  int wrong = 0;
  for (int y = 0; y < pieceHeight; ++y) {
    for (int x = 0; x < c.Left; ++x)
      wrong += !(shot.At(x, y) == picture.At(d.SkinRect.Left + x, d.SkinRect.Top + y));
    for (int x = c.Right; x < d.SkinRect.Width(); ++x)
      wrong += !(shot.At(W - d.SkinRect.Width() + x, y) == picture.At(d.SkinRect.Left + x, d.SkinRect.Top + y));
  }
  EXPECT_EQ(wrong, 0);
  // The text: left-aligned in the client rect, in the skin's dark font, within its rows.
  const TRect text{c.Left, c.Top, W - (d.SkinRect.Width() - c.Right), c.Bottom};
  const TRect ink = Ink(shot, {0, 0, W, pieceHeight});
  ASSERT_NE(ink, TRect{}) << "no text drawn";
  EXPECT_GE(ink.Left, text.Left);
  EXPECT_LE(ink.Left, text.Left + 3);
  EXPECT_GE(ink.Top, 0);
  EXPECT_LE(ink.Bottom, pieceHeight);
  EXPECT_LT(ink.Right, text.Right);
  spv::test::SaveWindowPng(form->Handle(), "status-panel");
}

TEST_F(StatusPanelTest, TheTextChangesWithTheCaptionAndATooLongOneEndsInsideTheLine) {
  const TRect before = Ink(Grab(status->Handle()), {0, 0, status->Width(), status->Height()});
  // The same text again asks for no paint.
  status->SetCaption(kHourLine);
  RECT dirty;
  EXPECT_FALSE(GetUpdateRect(status->Handle(), &dirty, FALSE));

  status->SetCaption(L"09.12.2026: на месте 281, перемещены 59, вручную 20, не вышли 11");
  EXPECT_TRUE(GetUpdateRect(status->Handle(), &dirty, FALSE));
  spv::test::PumpMessages();
  const TRect day = Ink(Grab(status->Handle()), {0, 0, status->Width(), status->Height()});
  EXPECT_NE(day, before);

  std::wstring longer;
  for (int i = 0; i < 8; ++i) longer += kHourLine;
  status->SetCaption(longer);
  spv::test::PumpMessages();
  const TbsDataSkinLabelControl& d = Description();
  const int textRight = status->Width() - (d.SkinRect.Width() - d.Corners.ClientRect.Right);
  const TRect cut = Ink(Grab(status->Handle()), {0, 0, status->Width(), status->Height()});
  EXPECT_LE(cut.Right, textRight);
  EXPECT_GT(cut.Right, textRight - 30) << "the line is filled up to the ellipsis";

  status->SetCaption(L"");
  spv::test::PumpMessages();
  EXPECT_EQ(Ink(Grab(status->Handle()), {0, 0, status->Width(), status->Height()}), TRect{});
}

TEST_F(StatusPanelTest, WithoutASkinItIsASunkenLineOfTheTextsHeight) {
  delete status;
  status = new TbsSkinStatusPanel(form.get());
  status->SetParent(form.get());
  status->SetAlign(TAlign::alBottom);
  status->SetCaption(kHourLine);
  spv::test::PumpMessages();
  const HDC dc = GetDC(nullptr);
  const HGDIOBJ old = SelectObject(dc, status->DefaultFont().Handle());
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  EXPECT_EQ(status->Height(), tm.tmHeight + 4);
  EXPECT_EQ(status->Top(), form->ClientHeight() - status->Height());
  const TbsFBitmap shot = Grab(status->Handle());
  EXPECT_EQ(shot.At(0, 0), PixelOf(ColorToRGB(clBtnShadow)));
  EXPECT_EQ(shot.At(status->Width() - 1, status->Height() - 1), PixelOf(ColorToRGB(clBtnHighlight)));
  EXPECT_NE(Ink(shot, {2, 2, status->Width() - 2, status->Height() - 2}), TRect{});
}

TEST_F(StatusPanelTest, AFormDescriptionNamesItsClass) {
  RegisterSkinControlClasses();
  TSkinnedForm described;
  TFormReader::ReadInto(described, "object F: TSkinnedForm\n"
                                   "  object Totals: TbsSkinStatusPanel\n"
                                   "    Align = alBottom\n"
                                   "    Caption = 'Нажмите F5'\n"
                                   "  end\n"
                                   "end\n");
  auto* totals = dynamic_cast<TbsSkinStatusPanel*>(described.FindComponent("Totals"));
  ASSERT_NE(totals, nullptr);
  EXPECT_EQ(totals->Caption(), L"Нажмите F5");
  EXPECT_EQ(totals->Align(), TAlign::alBottom);
}

}  // namespace
}  // namespace bs::test
