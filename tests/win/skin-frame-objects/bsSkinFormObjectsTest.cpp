// The frame objects one at a time: each drawn onto a picture of the window's size and checked
// against the skin's own pieces, and driven through enter, leave, press and release.
#include "skin/frame/bsSkinForm.h"

#include "WindowShot.h"
#include "resources/ProgramSkin.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace bs {

void PrintTo(const TRect& r, std::ostream* os) {
  *os << "(" << r.Left << ", " << r.Top << ")-(" << r.Right << ", " << r.Bottom << ")";
}

namespace {

using namespace spv::platform;

constexpr TPixel White{255, 255, 255}, Black{0, 0, 0}, Grey{128, 128, 128};

// `piece` of `picture` appears unchanged at `at` of `painted`.
::testing::AssertionResult ShowsPiece(const TImage& painted, const TRect& at, const TImage& picture,
                                      const TRect& piece) {
  if (at.Width() != piece.Width() || at.Height() != piece.Height())
    return ::testing::AssertionFailure() << "the object is not the size of the piece";
  for (int y = 0; y < at.Height(); ++y)
    for (int x = 0; x < at.Width(); ++x)
      if (!(painted.At(at.Left + x, at.Top + y) == picture.At(piece.Left + x, piece.Top + y)))
        return ::testing::AssertionFailure() << "differs at " << x << ", " << y << " of the piece";
  return ::testing::AssertionSuccess();
}

bool AllOf(const TImage& painted, const TRect& r, TPixel colour) {
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x)
      if (!(painted.At(x, y) == colour)) return false;
  return true;
}

// What an object draws, on a white picture of the window's size.
TbsFBitmap DrawnBy(TbsActiveSkinObject& object, HWND window, bool updateAll = true) {
  RECT r;
  GetWindowRect(window, &r);
  TbsFBitmap picture(r.right - r.left, r.bottom - r.top);
  for (int y = 0; y < picture.Height(); ++y)
    for (int x = 0; x < picture.Width(); ++x) picture.At(x, y) = White;
  TCanvas canvas;
  canvas.SetHandle(picture.DC());
  object.Draw(canvas, updateAll);
  canvas.SetHandle(nullptr);
  GdiFlush();
  return picture;
}

// A shown, active form with its frame; the pointer is kept off the window so that the frame's
// own hover tracking leaves the objects to the test.
struct TFramedForm {
  TFramedForm() {
    SetCursorPos(1900, 1190);
    form = std::make_unique<TForm>();
    skin = new TbsSkinData(form.get());
    frame = new TbsSkinForm(form.get());
    form->SetCaption(L"Spinvolt");
    form->SetBounds(100, 80, 612, 400);
  }
  void Show() {
    form->Show();
    SetForegroundWindow(form->Handle());
    spv::test::PumpMessages();
  }
  TbsFBitmap Drawn(TbsActiveSkinObject& object, bool updateAll = true) const {
    return DrawnBy(object, form->Handle(), updateAll);
  }
  std::unique_ptr<TForm> form;
  TbsSkinData* skin = nullptr;
  TbsSkinForm* frame = nullptr;
};

class ProgramSkinObjectsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto block = spv::ProgramSkinBlock();
    w.skin->LoadFromCompressedData(block.data(), block.size());
    ASSERT_FALSE(w.skin->IsEmpty);
    w.frame->SetSkinData(w.skin);
    w.Show();
    ASSERT_TRUE(spv::test::PumpUntil([&] { return w.frame->IsFormActive(); })) << "the form never became active";
  }
  template <class T>
  T& Object(std::string_view name) {
    auto* o = dynamic_cast<T*>(w.frame->FindObject(name));
    if (!o) throw std::runtime_error("no frame object " + std::string(name));
    return *o;
  }
  const TbsDataSkinStdButton& Description(std::string_view name) const {
    return dynamic_cast<const TbsDataSkinStdButton&>(*w.skin->SkinObjects.at(w.skin->FindSkinObject(name)));
  }
  const TImage& PictureOf(const TbsDataSkinObject& d) const {
    return w.skin->ActivePicture(d.ActivePictureIndex)->Image;
  }

  TFramedForm w;
};

// The columns and colours that the caption's drawing changed on the white picture.
struct TInk {
  int Left = INT_MAX, Right = -1, Count = 0, Black = 0, Grey = 0;
  bool Outside = false;
};
TInk InkOf(const TImage& painted, const TRect& inside) {
  TInk ink;
  for (int y = 0; y < painted.Height(); ++y)
    for (int x = 0; x < painted.Width(); ++x) {
      const TPixel p = painted.At(x, y);
      if (p == White) continue;
      if (x < inside.Left || x >= inside.Right || y < inside.Top || y >= inside.Bottom) ink.Outside = true;
      ink.Left = std::min(ink.Left, x);
      ink.Right = std::max(ink.Right, x);
      ++ink.Count;
      ink.Black += p == Black;
      ink.Grey += p == Grey;
    }
  return ink;
}

TEST_F(ProgramSkinObjectsTest, TheCaptionIsBlackWhileActiveAndGreyWhileNotAtTheLeftOfItsPlace) {
  auto& caption = Object<TbsSkinCaptionObject>("caption1");
  const TRect place = caption.ObjectRect;
  ASSERT_GT(place.Width(), 300) << "the caption reaches to the buttons";
  struct Case {
    bool lit;
    const char* look;
  };
  for (const Case c : {Case{true, "active"}, Case{false, "inactive"}}) {
    caption.Lit = c.lit;
    // The frame strips already show the caption's place: the text alone is drawn.
    const TInk ink = InkOf(w.Drawn(caption, false), place);
    EXPECT_FALSE(ink.Outside) << c.look;
    EXPECT_GE(ink.Left, place.Left) << c.look;
    EXPECT_LE(ink.Left, place.Left + 2) << c.look << ": left-aligned";
    EXPECT_LT(ink.Right, place.Left + 100) << c.look << ": a short text stays at the left";
    if (c.lit) {
      EXPECT_GT(ink.Black, 10) << c.look;
      EXPECT_EQ(ink.Grey, 0) << c.look;
    } else {
      EXPECT_GT(ink.Grey, 10) << c.look;
      EXPECT_EQ(ink.Black, 0) << c.look;
    }
  }
}

TEST_F(ProgramSkinObjectsTest, ATooLongCaptionEndsInDotsInsideItsPlace) {
  auto& caption = Object<TbsSkinCaptionObject>("caption1");
  caption.Lit = true;
  const TRect place = caption.ObjectRect;
  w.form->SetCaption(std::wstring(300, L'W'));
  const TbsFBitmap painted = w.Drawn(caption, false);
  const TInk ink = InkOf(painted, place);
  EXPECT_FALSE(ink.Outside);
  EXPECT_LT(ink.Right, place.Right);
  EXPECT_GT(ink.Right, place.Right - 25) << "the shortened text fills its place";
  // The last columns are the dots: ink only in the lower half of the line.
  const int middle = place.Top + place.Height() / 2;
  int upper = 0, lower = 0;
  for (int x = ink.Right - 3; x <= ink.Right; ++x)
    for (int y = place.Top; y < place.Bottom; ++y)
      if (!(painted.At(x, y) == White)) ++(y < middle ? upper : lower);
  EXPECT_GT(lower, 0);
  EXPECT_EQ(upper, 0) << "a letter, not a dot, ends the text";
}

TEST_F(ProgramSkinObjectsTest, AnEmptyCaptionDrawsNothingOverTheStrip) {
  auto& caption = Object<TbsSkinCaptionObject>("caption1");
  caption.Lit = true;
  w.form->SetCaption(L"");
  EXPECT_EQ(InkOf(w.Drawn(caption, false), caption.ObjectRect).Count, 0);
}

TEST_F(ProgramSkinObjectsTest, TheCloseButtonShowsTheImageOfEachState) {
  auto& close = Object<TbsSkinStdButtonObject>("closebutton");
  const auto& d = Description("closebutton");
  const TRect disabled{0, 32, 16, 40};  // any piece of the picture that is none of the others
  auto press = [&](TMouseButton button) {
    close.MouseEnter();
    close.MouseDown(button, 0, 0);
  };
  struct Case {
    const char* state;
    std::function<void()> setUp;
    TRect expected;
  };
  const std::vector<Case> cases = {
      {"normal", [] {}, d.SkinRect},
      {"lit", [&] { close.MouseEnter(); }, d.ActiveSkinRect},
      {"pressed", [&] { press(TMouseButton::mbLeft); }, d.DownRect},
      {"pressed, pointer away", [&] { press(TMouseButton::mbLeft); close.MouseLeave(); }, d.SkinRect},
      {"right button", [&] { press(TMouseButton::mbRight); }, d.ActiveSkinRect},
      {"disabled", [&] { close.DisableSkinRect = disabled; close.Enabled = false; }, disabled},
  };
  for (const Case& c : cases) {
    c.setUp();
    EXPECT_TRUE(ShowsPiece(w.Drawn(close), close.ObjectRect, PictureOf(d), c.expected)) << c.state;
    close.ResetLook();
    close.Pressed = false;
    close.Enabled = true;
  }
}

TEST_F(ProgramSkinObjectsTest, AButtonOfAnInactiveWindowShowsItsInactiveImageButStillItsDownImage) {
  TForm other;
  other.SetBounds(900, 700, 200, 150);
  other.Show();
  SetForegroundWindow(other.Handle());
  SetActiveWindow(other.Handle());
  ASSERT_TRUE(spv::test::PumpUntil([&] { return !w.frame->IsFormActive(); }));
  auto& close = Object<TbsSkinStdButtonObject>("closebutton");
  const auto& d = Description("closebutton");
  EXPECT_TRUE(ShowsPiece(w.Drawn(close), close.ObjectRect, PictureOf(d), d.InActiveSkinRect));
  close.Hot = close.Lit = close.Pressed = true;
  EXPECT_TRUE(ShowsPiece(w.Drawn(close), close.ObjectRect, PictureOf(d), d.DownRect));
}

TEST_F(ProgramSkinObjectsTest, TheMaximiseButtonShowsItsRestoreImagesWhileMaximised) {
  const auto& d = Description("maxbutton");
  ASSERT_FALSE(RectIsEmpty(d.RestoreRect));
  w.frame->SetWindowState(wsMaximized);
  spv::test::PumpMessages();
  ASSERT_EQ(w.frame->WindowState(), wsMaximized);
  ASSERT_TRUE(w.frame->NCActive());
  auto& max = Object<TbsSkinStdButtonObject>("maxbutton");
  EXPECT_TRUE(max.Reversed());
  EXPECT_TRUE(ShowsPiece(w.Drawn(max), max.ObjectRect, PictureOf(d), d.RestoreRect));
  max.Hot = max.Lit = true;
  EXPECT_TRUE(ShowsPiece(w.Drawn(max), max.ObjectRect, PictureOf(d), d.RestoreActiveRect));
  max.Pressed = true;
  EXPECT_TRUE(ShowsPiece(w.Drawn(max), max.ObjectRect, PictureOf(d), d.RestoreDownRect));
  max.Pressed = max.Hot = max.Lit = false;

  w.frame->SetWindowState(wsNormal);
  spv::test::PumpMessages();
  EXPECT_FALSE(max.Reversed());
  EXPECT_TRUE(ShowsPiece(w.Drawn(max), max.ObjectRect, PictureOf(d), d.SkinRect));
}

// The pointer sequences on the close button, observed through the form's close query (which
// refuses, so the form stays) and the frame's object events.
class CloseButtonTest : public ProgramSkinObjectsTest {
 protected:
  void SetUp() override {
    ProgramSkinObjectsTest::SetUp();
    if (HasFatalFailure()) return;
    close = &Object<TbsSkinStdButtonObject>("closebutton");
    w.form->OnCloseQuery = [this](TObject*, bool& canClose) {
      queries.push_back(close->Pressed);
      canClose = false;
    };
    w.frame->OnMouseEnterEvent = [this](const std::string& n) { events.push_back("enter " + n); };
    w.frame->OnMouseLeaveEvent = [this](const std::string& n) { events.push_back("leave " + n); };
    w.frame->OnMouseDownEvent = [this](const std::string& n, int, int, const TRect&, TMouseButton) {
      events.push_back("down " + n);
    };
    w.frame->OnMouseUpEvent = [this](const std::string& n, int, int, const TRect& r, TMouseButton) {
      events.push_back("up " + n);
      upRect = r;
    };
  }
  TbsSkinStdButtonObject* close = nullptr;
  std::vector<bool> queries;  // the pressed flag at each close query
  std::vector<std::string> events;
  TRect upRect;
};

TEST_F(CloseButtonTest, AReleaseAwayFromThePressedButtonRunsNoCommand) {
  close->MouseEnter();
  close->MouseDown(TMouseButton::mbLeft, 5, 5);
  close->MouseLeave();
  close->MouseUp(TMouseButton::mbLeft, 5, 5);
  spv::test::PumpMessages();
  EXPECT_TRUE(queries.empty());
  EXPECT_FALSE(close->Pressed);
  EXPECT_EQ(events, (std::vector<std::string>{"enter closebutton", "leave closebutton"}));
  const auto& d = Description("closebutton");
  EXPECT_TRUE(ShowsPiece(w.Drawn(*close), close->ObjectRect, PictureOf(d), d.SkinRect));
}

TEST_F(CloseButtonTest, ComingBackWhilePressedShowsTheDownImageAndTheReleaseClosesAfterReleasing) {
  const auto& d = Description("closebutton");
  close->MouseEnter();
  close->MouseDown(TMouseButton::mbLeft, 5, 5);
  close->MouseLeave();
  close->MouseEnter();
  EXPECT_TRUE(ShowsPiece(w.Drawn(*close), close->ObjectRect, PictureOf(d), d.DownRect));
  close->MouseUp(TMouseButton::mbLeft, 5, 5);
  spv::test::PumpMessages();
  ASSERT_EQ(queries.size(), 1u);
  EXPECT_FALSE(queries[0]) << "the button is drawn released before the window is asked to close";
  EXPECT_FALSE(close->Pressed);
  EXPECT_EQ(events, (std::vector<std::string>{"enter closebutton", "leave closebutton", "enter closebutton",
                                              "up closebutton"}));
  EXPECT_EQ(upRect, close->ObjectRect);
}

TEST_F(CloseButtonTest, OnlyTheLeftButtonPressesAndReleases) {
  close->MouseEnter();
  close->MouseDown(TMouseButton::mbRight, 5, 5);
  EXPECT_FALSE(close->Pressed);
  close->MouseUp(TMouseButton::mbRight, 5, 5);
  close->MouseDown(TMouseButton::mbLeft, 5, 5);
  close->MouseUp(TMouseButton::mbRight, 5, 5);
  EXPECT_TRUE(close->Pressed) << "a right release leaves a left press";
  EXPECT_TRUE(queries.empty());
}

TEST_F(CloseButtonTest, DoubleClickingTheSystemMenuButtonClosesTheWindow) {
  close->DblClick();
  EXPECT_TRUE(queries.empty()) << "only the system-menu button closes on a double click";
  Object<TbsSkinStdButtonObject>("sysmenubutton").DblClick();
  EXPECT_EQ(queries.size(), 1u);
}

TEST_F(CloseButtonTest, AStripRunsItsCommandOnAReleaseOverIt) {
  // The close button's place and pictures, as a strip of one frame.
  TbsDataSkinAnimate d("strip");
  d.ActivePictureIndex = Description("closebutton").ActivePictureIndex;
  d.SkinRectInAPicture = true;
  d.SkinRect = Description("closebutton").SkinRect;
  d.Command = TbsStdCommand::cmClose;
  TbsSkinAnimateObject strip(*w.frame, &d);
  strip.MouseEnter();
  strip.MouseDown(TMouseButton::mbLeft, 1, 1);
  strip.MouseLeave();
  strip.MouseUp(TMouseButton::mbLeft, 1, 1);
  EXPECT_TRUE(queries.empty());
  strip.MouseEnter();
  strip.MouseDown(TMouseButton::mbLeft, 1, 1);
  strip.MouseUp(TMouseButton::mbLeft, 1, 1);
  EXPECT_EQ(queries.size(), 1u);
  EXPECT_FALSE(strip.Pressed);
}

TEST_F(ProgramSkinObjectsTest, OtherCommandsRunBeforeTheButtonIsReleased) {
  auto& max = Object<TbsSkinStdButtonObject>("maxbutton");
  std::vector<bool> pressedAtCommand;
  w.frame->OnMaximize = [&](TObject*) { pressedAtCommand.push_back(max.Pressed); };
  max.MouseEnter();
  max.MouseDown(TMouseButton::mbLeft, 5, 5);
  max.MouseUp(TMouseButton::mbLeft, 5, 5);
  spv::test::PumpMessages();
  EXPECT_EQ(w.frame->WindowState(), wsMaximized);
  EXPECT_EQ(pressedAtCommand, std::vector<bool>{true});
  EXPECT_FALSE(max.Pressed);
}

// ---- A small skin made in code: solid pieces, a morphing button, a strip of frames ----------

constexpr TPixel Red{0, 0, 200}, Blue{200, 0, 0}, Green{0, 200, 0}, Yellow{0, 200, 200}, Frame{90, 90, 90};

void Fill(TImage& image, const TRect& r, TPixel colour) {
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x) image.At(x, y) = colour;
}

template <class T>
T& AddObject(TbsSkinData& skin, std::string_view kind, std::string name) {
  skin.SkinObjects.push_back(CreateSkinObject(kind, std::move(name)));
  return dynamic_cast<T&>(*skin.SkinObjects.back());
}

class HandMadeSkinTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TbsSkinData& s = *w.skin;
    s.Picture.Image.SetSize(120, 60);
    Fill(s.Picture.Image, {0, 0, 120, 60}, Frame);
    s.ActivePictures.resize(1);
    TImage& pieces = s.ActivePictures[0].Image;
    pieces.SetSize(160, 60);
    Fill(pieces, {0, 0, 10, 10}, Red);
    Fill(pieces, {10, 0, 20, 10}, Blue);
    Fill(pieces, {0, 10, 10, 20}, Red);
    Fill(pieces, {10, 10, 20, 20}, Green);
    Fill(pieces, {20, 10, 30, 20}, Blue);
    Fill(pieces, {30, 10, 40, 20}, White);
    Fill(pieces, {0, 20, 80, 38}, Blue);     // the caption's active piece
    Fill(pieces, {0, 40, 80, 58}, Red);      // its two animation frames
    Fill(pieces, {80, 40, 160, 58}, Yellow);
    Fill(s.Picture.Image, {20, 2, 100, 20}, Green);  // the caption's place in the frame picture
    s.FormInfo.Corners.LeftTopPoint = {20, 25};
    s.FormInfo.Corners.RightTopPoint = {100, 25};
    s.FormInfo.Corners.LeftBottomPoint = {5, 50};
    s.FormInfo.Corners.RightBottomPoint = {115, 50};
    s.FormInfo.Corners.ClientRect = {5, 25, 115, 50};
    s.FormInfo.ButtonsRect = {60, 5, 110, 15};

    auto& morph = AddObject<TbsDataSkinButton>(s, "button", "morphbutton");
    morph.ActivePictureIndex = 0;
    morph.SkinRectInAPicture = true;
    morph.SkinRect = {0, 0, 10, 10};
    morph.ActiveSkinRect = {10, 0, 20, 10};
    morph.DownRect = {30, 10, 40, 20};
    morph.Morphing = true;

    auto& strip = AddObject<TbsDataSkinAnimate>(s, "animate", "strip");
    strip.ActivePictureIndex = 0;
    strip.SkinRectInAPicture = true;
    strip.SkinRect = {0, 10, 10, 20};
    strip.CountFrames = 3;
    strip.TimerInterval = 50;
    strip.DownSkinRect = {30, 10, 40, 20};
    strip.ButtonStyle = true;

    AddObject<TbsDataUserObject>(s, "userobject", "painted").SkinRect = {30, 2, 40, 12};

    auto& lost = AddObject<TbsDataSkinButton>(s, "button", "lost");
    lost.ActivePictureIndex = 5;  // there is one active picture only
    lost.SkinRect = {40, 22, 50, 32};
    lost.ActiveSkinRect = {10, 0, 20, 10};
    lost.DownRect = {30, 10, 40, 20};
    lost.Morphing = true;

    auto& caption = AddObject<TbsDataSkinCaption>(s, "caption", "caption");
    caption.ActivePictureIndex = 0;
    caption.SkinRect = {20, 2, 100, 20};
    caption.ActiveSkinRect = {0, 20, 80, 38};
    caption.TextRect = {0, 0, 80, 18};
    caption.Alignment = TAlignment::taLeftJustify;
    caption.FontStyle.Bold = true;
    caption.FontColor = 0x808080;
    caption.ActiveFontColor = 0;
    caption.AnimateSkinRect = {0, 40, 160, 58};
    caption.FrameCount = 2;

    s.IsEmpty = false;
    w.frame->SetSkinData(w.skin);
    w.Show();
  }
  TbsSkinButtonObject& Morph() { return dynamic_cast<TbsSkinButtonObject&>(*w.frame->FindObject("morphbutton")); }
  TbsSkinCaptionObject& Caption() { return dynamic_cast<TbsSkinCaptionObject&>(*w.frame->FindObject("caption")); }
  TbsSkinAnimateObject& Strip() { return dynamic_cast<TbsSkinAnimateObject&>(*w.frame->FindObject("strip")); }

  // The values the object's MorphValue takes, one message at a time, until the morph timer stops.
  std::vector<double> MorphSteps(const TbsActiveSkinObject& o) {
    std::vector<double> steps;
    double last = o.MorphValue;
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (w.frame->MorphTimerRunning() && std::chrono::steady_clock::now() < end) {
      MSG m;
      if (!PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        continue;
      }
      TranslateMessage(&m);
      DispatchMessageW(&m);
      if (o.MorphValue != last) steps.push_back(last = o.MorphValue);
    }
    return steps;
  }

  TFramedForm w;
};

void ExpectSteps(const std::vector<double>& got, const std::vector<double>& expected, const char* what) {
  ASSERT_EQ(got.size(), expected.size()) << what << ": " << ::testing::PrintToString(got);
  for (std::size_t i = 0; i < got.size(); ++i) EXPECT_NEAR(got[i], expected[i], 1e-9) << what << " step " << i;
}

TEST_F(HandMadeSkinTest, AMorphingButtonStepsAFifthEachTickAndTheTimerStops) {
  TbsSkinButtonObject& b = Morph();
  ASSERT_TRUE(b.CanMorph());
  b.MouseEnter();
  EXPECT_TRUE(w.frame->MorphTimerRunning());
  ExpectSteps(MorphSteps(b), {0.2, 0.4, 0.6, 0.8, 1.0}, "in");
  EXPECT_FALSE(w.frame->MorphTimerRunning());
  EXPECT_FALSE(b.IsMorphPending());
  b.MouseLeave();
  ExpectSteps(MorphSteps(b), {0.8, 0.6, 0.4, 0.2, 0.0}, "out");
  EXPECT_FALSE(w.frame->MorphTimerRunning());
}

TEST_F(HandMadeSkinTest, AMorphBlendsTheNormalAndActivePieces) {
  TbsSkinButtonObject& b = Morph();
  struct Case {
    bool lit;
    double value;
    TPixel expected;
  };
  // Red 200 fades as blue 200 comes in; a settled morph shows the plain piece.
  for (const Case& c : {Case{true, 0.4, {80, 0, 120}}, Case{false, 0.6, {120, 0, 80}}, Case{true, 1.0, Blue},
                        Case{false, 0.0, Red}}) {
    b.Lit = c.lit;
    b.MorphValue = c.value;
    EXPECT_TRUE(AllOf(w.Drawn(b), b.ObjectRect, c.expected)) << c.lit << " " << c.value;
  }
  b.Pressed = b.Hot = true;
  EXPECT_TRUE(AllOf(w.Drawn(b), b.ObjectRect, White)) << "the down piece wins over the morph";
}

TEST_F(HandMadeSkinTest, ResetLookMorphsOutAtOnceButLeavesThePress) {
  TbsSkinButtonObject& b = Morph();
  b.MouseEnter();
  b.MouseDown(TMouseButton::mbLeft, 1, 1);
  b.MorphValue = 0.6;
  b.ResetLook();
  EXPECT_FALSE(b.Hot);
  EXPECT_FALSE(b.Lit);
  EXPECT_EQ(b.MorphValue, 0);
  EXPECT_TRUE(b.Pressed);
}

TEST_F(HandMadeSkinTest, WithoutEffectsAButtonDoesNotMorph) {
  w.skin->EnableSkinEffects = false;
  TbsSkinButtonObject& b = Morph();
  EXPECT_FALSE(b.CanMorph());
  b.MouseEnter();
  EXPECT_FALSE(w.frame->MorphTimerRunning());
  EXPECT_TRUE(AllOf(w.Drawn(b), b.ObjectRect, Blue)) << "the active piece at once";
}

TEST_F(HandMadeSkinTest, AnObjectWhoseActivePictureIsMissingHasOnlyItsNormalLook) {
  auto& b = dynamic_cast<TbsSkinButtonObject&>(*w.frame->FindObject("lost"));
  EXPECT_EQ(b.ActivePictureIndex, -1);
  EXPECT_TRUE(RectIsEmpty(b.ActiveSkinRect));
  EXPECT_TRUE(RectIsEmpty(b.DownRect));
  EXPECT_FALSE(b.Morphing);
  b.MouseEnter();
  b.MouseDown(TMouseButton::mbLeft, 1, 1);
  EXPECT_FALSE(w.frame->MorphTimerRunning());
  EXPECT_TRUE(AllOf(w.Drawn(b), b.ObjectRect, Frame)) << "the piece of the frame picture";
}

TEST_F(HandMadeSkinTest, AStripPlaysForwardWhileHoveredAndBackWhenLeft) {
  TbsSkinAnimateObject& s = Strip();
  ASSERT_EQ(s.CurrentFrame, 1);
  EXPECT_TRUE(AllOf(w.Drawn(s), s.ObjectRect, Red));
  s.MouseEnter();
  // Two ticks of 25 ms make one frame of 50 ms.
  std::vector<int> frames;
  for (int i = 0; i < 10 && s.AnimationTick(); ++i) frames.push_back(s.CurrentFrame);
  EXPECT_EQ(frames, (std::vector<int>{1, 2, 2, 3}));
  EXPECT_TRUE(AllOf(w.Drawn(s), s.ObjectRect, Blue));
  s.MouseLeave();
  frames.clear();
  for (int i = 0; i < 10 && s.AnimationTick(); ++i) frames.push_back(s.CurrentFrame);
  EXPECT_EQ(frames, (std::vector<int>{3, 2, 2, 1}));
  EXPECT_TRUE(AllOf(w.Drawn(s), s.ObjectRect, Red));
}

TEST_F(HandMadeSkinTest, ACyclingStripStartsAgainAfterItsLastFrame) {
  TbsSkinAnimateObject& s = Strip();
  s.Cycle = true;
  s.TimerInterval = 25;
  s.MouseEnter();
  std::vector<int> frames;
  for (int i = 0; i < 5 && s.AnimationTick(); ++i) frames.push_back(s.CurrentFrame);
  EXPECT_EQ(frames, (std::vector<int>{2, 3, 1, 2, 3}));
  s.ResetLook();
  EXPECT_EQ(s.CurrentFrame, 1);
}

TEST_F(HandMadeSkinTest, APressedButtonStyleStripShowsItsDownPieceOnlyUnderThePointer) {
  TbsSkinAnimateObject& s = Strip();
  s.MouseEnter();
  s.MouseDown(TMouseButton::mbLeft, 1, 1);
  EXPECT_TRUE(AllOf(w.Drawn(s), s.ObjectRect, White));
  s.MouseLeave();
  EXPECT_TRUE(AllOf(w.Drawn(s), s.ObjectRect, Red));
  s.MouseUp(TMouseButton::mbLeft, 1, 1);
  EXPECT_FALSE(s.Pressed);
}

TEST_F(HandMadeSkinTest, AUserObjectIsPaintedByTheProgram) {
  TbsActiveSkinObject& o = *w.frame->FindObject("painted");
  std::vector<std::string> painted;
  w.frame->OnPaintEvent = [&](const std::string& name, TCanvas& canvas, const TRect& r) {
    painted.push_back(name);
    EXPECT_EQ(r, o.ObjectRect);
    const RECT rr = ToRECT(r);
    canvas.Brush().SetColor(clBlue);
    canvas.FillRect(rr);
  };
  const TbsFBitmap drawn = w.Drawn(o, false);
  EXPECT_EQ(painted, std::vector<std::string>{"painted"});
  EXPECT_TRUE(AllOf(drawn, o.ObjectRect, TPixel{255, 0, 0}));
}

// A pixel of the caption's place that its short text does not reach.
TPixel BackgroundOf(const TImage& painted, const TRect& caption) {
  return painted.At(caption.Right - 1, caption.Top);
}

TEST_F(HandMadeSkinTest, ACaptionWithAnActivePieceDrawsItsOwnBackgroundWhenItNeedsOne) {
  TbsSkinCaptionObject& c = Caption();
  ASSERT_EQ(c.ObjectRect, (TRect{20, 2, 100, 20}));
  TbsFormInfo& info = w.skin->FormInfo;
  struct Case {
    const char* look;
    bool lit, stretch, inactiveEffect;
    TPixel background, text;
  };
  const Case cases[] = {
      {"active", true, false, false, Blue, Black},
      {"inactive, stretched", false, true, false, Green, Grey},
      {"inactive, stretched, inverted", false, true, true, {255, 55, 255}, Grey},
      // The frame strip shows the place already: the text alone goes on it.
      {"inactive", false, false, true, White, Grey},
  };
  for (const Case& k : cases) {
    c.Lit = k.lit;
    c.StretchEffect = k.stretch;
    info.AutoRenderingInActiveImage = k.inactiveEffect;
    info.InActiveEffect = TbsInactiveEffect::Invert;
    const TbsFBitmap painted = w.Drawn(c, false);
    EXPECT_EQ(BackgroundOf(painted, c.ObjectRect), k.background) << k.look;
    const TInk ink = InkOf(painted, c.ObjectRect);
    EXPECT_GT(k.text == Black ? ink.Black : ink.Grey, 10) << k.look;
  }
}

TEST_F(HandMadeSkinTest, ACaptionWithShadowAndLightDrawsThemAroundTheText) {
  TbsSkinCaptionObject& c = Caption();
  c.Lit = false;
  const TInk plain = InkOf(w.Drawn(c, false), c.ObjectRect);
  c.Light = c.Shadow = true;
  c.LightColor = 0x0000FF;   // red
  c.ShadowColor = 0xFF0000;  // blue
  const TbsFBitmap painted = w.Drawn(c, false);
  int light = 0, shadow = 0;
  for (int y = c.ObjectRect.Top; y < c.ObjectRect.Bottom; ++y)
    for (int x = c.ObjectRect.Left; x < c.ObjectRect.Right; ++x) {
      light += painted.At(x, y) == TPixel{0, 0, 255};
      shadow += painted.At(x, y) == TPixel{255, 0, 0};
    }
  EXPECT_GT(light, 0);
  EXPECT_GT(shadow, 0);
  const TInk ink = InkOf(painted, c.ObjectRect);
  EXPECT_EQ(ink.Left, plain.Left - 1) << "the light is one pixel up and left";
  EXPECT_EQ(ink.Right, plain.Right + 1) << "the shadow one pixel down and right";
}

TEST_F(HandMadeSkinTest, AnActivatedCaptionPlaysItsFramesThenShowsItsActivePiece) {
  TbsSkinCaptionObject& c = Caption();
  ASSERT_TRUE(c.CanAnimate());
  c.Lit = true;
  c.StartAnimation(true);
  EXPECT_TRUE(w.frame->AnimationTimerRunning());
  std::vector<TPixel> shown{BackgroundOf(w.Drawn(c, false), c.ObjectRect)};
  for (int i = 0; i < 10 && c.AnimationTick(); ++i) shown.push_back(BackgroundOf(w.Drawn(c, false), c.ObjectRect));
  EXPECT_EQ(shown, (std::vector<TPixel>{Red, Yellow, Blue}));

  c.Lit = false;
  c.InActiveAnimation = true;
  c.StretchEffect = true;  // an inactive caption with a background of its own shows its frames
  c.StartAnimation(false);
  shown = {BackgroundOf(w.Drawn(c, false), c.ObjectRect)};
  for (int i = 0; i < 10 && c.AnimationTick(); ++i) shown.push_back(BackgroundOf(w.Drawn(c, false), c.ObjectRect));
  EXPECT_EQ(shown, (std::vector<TPixel>{Yellow, Red, Green}));
}

TEST(BuiltInButtonTest, ButtonsWithoutADescriptionDrawTheBuiltInLook) {
  TFramedForm w;
  w.Show();
  auto* close = dynamic_cast<TbsSkinStdButtonObject*>(w.frame->FindObject("closebutton"));
  ASSERT_NE(close, nullptr);
  EXPECT_FALSE(close->Described);
  const TbsFBitmap drawn = w.Drawn(*close);
  TbsFBitmap expected(drawn.Width(), drawn.Height());
  for (int y = 0; y < expected.Height(); ++y)
    for (int x = 0; x < expected.Width(); ++x) expected.At(x, y) = White;
  w.frame->PaintBuiltInButton(expected.DC(), *close);
  GdiFlush();
  EXPECT_TRUE(ShowsPiece(drawn, {0, 0, drawn.Width(), drawn.Height()}, expected,
                         {0, 0, expected.Width(), expected.Height()}));
  EXPECT_FALSE(AllOf(drawn, close->ObjectRect, White)) << "the button is drawn at its place";
}

}  // namespace
}  // namespace bs
