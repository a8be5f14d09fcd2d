#include "skin/frame/bsSkinHint.h"

#include "platform/Forms.h"
#include "platform/SysUtils.h"
#include "skin/resources/bsUtilsWin.h"

namespace bs {

using spv::platform::ApplicationHints;
using spv::platform::TComponent;
using spv::platform::TFont;
using spv::platform::TGdiHandle;
using spv::platform::TMessage;
using spv::platform::TOperation;

namespace {

COLORREF Rgb(spv::platform::TColor c) { return spv::platform::ColorToRGB(c); }

// The character set of a hint's text: the skin's string table's, else the default font's.
BYTE HintCharset(const TbsSkinData* skin, const TFont& defaultFont) {
  if (skin && skin->ResourceStrData()) return BYTE(skin->ResourceStrData()->CharSet);
  return defaultFont.Charset();
}

// The size DrawText gives `text` in `font`, lines broken only where the text breaks them.
SIZE TextSize(HDC dc, const TFont& font, std::wstring_view text) {
  HGDIOBJ old = SelectObject(dc, font.Handle());
  RECT r{0, 0, 0, 0};
  DrawWideText(dc, text, r, DT_CALCRECT | DT_LEFT | DT_NOPREFIX);
  SelectObject(dc, old);
  return {r.right - r.left, r.bottom - r.top};
}

// The shows-hint event of the application, passed on to the component it is routed to; kept as
// a type of its own so that the component can tell, when it goes, whether the route is its own.
struct TShowHintRoute {
  TbsSkinHint* Hint;
  void operator()(std::wstring& hint, bool& canShow, spv::platform::THintInfo& info) const {
    if (Hint->OnShowHint) Hint->OnShowHint(hint, canShow, info);
  }
};

}  // namespace

// ---- TbsSkinHintWindow --------------------------------------------------------------------

TbsSkinHintWindow::TbsSkinHintWindow(TComponent* owner) : THintWindow(owner) {}

void TbsSkinHintWindow::CreateParams(spv::platform::TCreateParams& params) {
  THintWindow::CreateParams(params);
  params.Style &= ~DWORD(WS_BORDER);
  if (IsWinXPOrLater()) params.ClassStyle |= CS_DROPSHADOW;
}

void TbsSkinHintWindow::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_NCPAINT: m.Result = 0; return;
    case WM_ERASEBKGND: m.Result = 1; return;
    default: THintWindow::WndProc(m);
  }
}

void TbsSkinHintWindow::Notification(TComponent* component, TOperation operation) {
  THintWindow::Notification(component, operation);
  if (operation != TOperation::opRemove) return;
  // A hint on the screen never reads a component that is gone: it goes with it.
  if (component == Hint_ || component == SkinData_) {
    ReleaseHint();
    if (component == Hint_) Hint_ = nullptr;
    SkinData_ = nullptr;
  }
}

TbsSkinHint* TbsSkinHintWindow::FindHintInCharge() {
  const TComponent* main = spv::platform::Application().MainForm();
  if (!main) return nullptr;
  for (int i = 0; i < main->ComponentCount(); ++i)
    if (auto* hint = dynamic_cast<TbsSkinHint*>(main->Components(i)); hint && hint->Active()) return hint;
  return nullptr;
}

void TbsSkinHintWindow::TakeHint(TbsSkinHint* hint) {
  if (Hint_ != hint) {
    if (Hint_) RemoveFreeNotification(Hint_);
    Hint_ = hint;
    FreeNotification(Hint_);
  }
  TbsSkinData* skin = hint->SkinData();
  if (skin && (skin->IsEmpty || !skin->ActivePicture(skin->HintWindow.WindowPictureIndex))) skin = nullptr;
  if (SkinData_ != skin) {
    if (SkinData_) RemoveFreeNotification(SkinData_);
    SkinData_ = skin;
    FreeNotification(SkinData_);
  }
}

const TImage* TbsSkinHintWindow::SkinPicture(int index) const {
  const TbsSkinBitmap* picture = SkinData_ ? SkinData_->ActivePicture(index) : nullptr;
  return picture && !picture->Empty() ? &picture->Image : nullptr;
}

bool TbsSkinHintWindow::SkinPiece(TbsHintPiece& piece) const {
  const TImage* picture = SkinPicture(SkinData_ ? SkinData_->HintWindow.WindowPictureIndex : -1);
  if (!picture) return false;
  const TbsDataSkinHintWindow& d = SkinData_->HintWindow;
  piece = {d.Corners, picture->Width(), picture->Height()};
  return true;
}

void TbsSkinHintWindow::SelectFont(TFont& font) const {
  font.Assign(Hint_->DefaultFont());
  if (SkinData_ && Hint_->UseSkinFont()) {
    const TbsDataSkinHintWindow& d = SkinData_->HintWindow;
    spv::platform::TFontStyles style = 0;
    if (d.FontStyle.Bold) style |= spv::platform::fsBold;
    if (d.FontStyle.Italic) style |= spv::platform::fsItalic;
    if (d.FontStyle.Underline) style |= spv::platform::fsUnderline;
    if (d.FontStyle.StrikeOut) style |= spv::platform::fsStrikeOut;
    font.SetName(TextToWide(d.FontName));
    font.SetHeight(d.FontHeight);
    font.SetStyle(style);
  }
  font.SetCharset(HintCharset(SkinData_, Hint_->DefaultFont()));
}

void TbsSkinHintWindow::ActivateHint(RECT rect, std::wstring_view text) {
  TbsSkinHint* hint = FindHintInCharge();
  if (!hint) return;
  TakeHint(hint);
  SetCaption(text);

  TFont font;
  SelectFont(font);
  TbsFBitmap scratch(1, 1);
  const SIZE t = TextSize(scratch.DC(), font, text);
  TbsHintPiece piece;
  const bool skinned = SkinPiece(piece);
  Geometry_ = HintGeometry(t.cx, t.cy, skinned ? &piece : nullptr);
  const TPoint at = PlaceHint({rect.left, rect.top}, Geometry_.Width, Geometry_.Height,
                              GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  const HWND window = Handle();
  SetBounds(at.X, at.Y, Geometry_.Width, Geometry_.Height);
  if (IsWin2000OrLater()) ApplyTransparency();
  ApplyRegion();
  SetWindowPos(window, HWND_TOPMOST, at.X, at.Y, 0, 0, SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOSIZE);
  TControl::SetVisible(true);
  Invalidate();
}

void TbsSkinHintWindow::ApplyTransparency() {
  const HWND window = Handle();
  const bool blend = Hint_->AlphaBlend();
  const bool turnedOn = blend && !AlphaBlendApplied_;
  if (blend != AlphaBlendApplied_) {
    SetLayeredStyle(window, blend);
    AlphaBlendApplied_ = blend;
  }
  // A window made layered again has lost its alpha: it is set again, even when the value is the
  // one set before, or the window would show nothing at all.
  if (blend && (turnedOn || Hint_->AlphaBlendValue() != AlphaValueApplied_)) {
    SetWindowAlphaValue(window, Hint_->AlphaBlendValue());
    AlphaValueApplied_ = Hint_->AlphaBlendValue();
  }
}

void TbsSkinHintWindow::ApplyRegion() {
  const HWND window = Handle();
  TbsHintPiece piece;
  const TImage* mask = SkinData_ ? SkinPicture(SkinData_->HintWindow.MaskPictureIndex) : nullptr;
  if (mask && SkinPiece(piece)) {
    TbsRegionHandle region = RegionFromMaskBorders(piece.Geometry(), Geometry_.Geometry(), *mask, Geometry_.Width);
    // The window takes the region over and frees the one it had.
    if (SetWindowRgn(window, region.get(), FALSE)) {
      region.release();
      HasRegion_ = true;
      return;
    }
  }
  if (HasRegion_) SetWindowRgn(window, nullptr, FALSE);
  HasRegion_ = false;
}

void TbsSkinHintWindow::Paint() {
  if (!Hint_) return;
  const int W = Width(), H = Height();
  TbsFBitmap picture(W, H);
  const HDC dc = picture.DC();
  TFont font;
  SelectFont(font);
  const std::wstring text = Caption();
  TbsHintPiece piece;
  if (SkinPiece(piece)) {
    const TbsDataSkinHintWindow& d = SkinData_->HintWindow;
    const TImage& source = *SkinPicture(d.WindowPictureIndex);
    NinePartImageTiledClient(piece.Geometry(), Geometry_.Geometry(), picture, source,
                             {0, 0, piece.PictureWidth, piece.PictureHeight}, W, H, true, d.Stretch.Flags());
    GdiFlush();
    const SIZE t = TextSize(dc, font, text);
    const TPoint o = HintTextOrigin(Geometry_.ClientRect, t.cx, t.cy);
    HGDIOBJ old = SelectObject(dc, font.Handle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, Rgb(spv::platform::TColor(d.FontColor)));
    RECT r{o.X, o.Y, o.X + t.cx, o.Y + t.cy};
    DrawWideText(dc, text, r, DT_LEFT | DT_NOPREFIX);
    SelectObject(dc, old);
  } else {
    const RECT all{0, 0, W, H};
    TGdiHandle<HBRUSH> back(CreateSolidBrush(Rgb(spv::platform::clInfoBk)));
    ::FillRect(dc, &all, back.Get());
    TGdiHandle<HBRUSH> outline(CreateSolidBrush(Rgb(spv::platform::clBtnShadow)));
    ::FrameRect(dc, &all, outline.Get());
    HGDIOBJ old = SelectObject(dc, font.Handle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, Rgb(spv::platform::clInfoText));
    RECT r{2, 2, W - 2, H - 2};
    DrawWideText(dc, text, r, DT_LEFT | DT_NOPREFIX);
    SelectObject(dc, old);
  }
  GdiFlush();
  BitBlt(Canvas().Handle(), 0, 0, W, H, dc, 0, 0, SRCCOPY);
}

// ---- TbsSkinHint --------------------------------------------------------------------------

TbsSkinHint::TbsSkinHint(TComponent* owner) : TComponent(owner) {
  Timer_.SetEnabled(false);
  Timer_.OnTimer = [this](spv::platform::TObject*) { TimerTick(); };
  Window_ = new TbsSkinHintWindow(this);
  auto& hints = ApplicationHints();
  hints.SetHintWindowClass([] { return std::make_unique<TbsSkinHintWindow>(); });
  // The application's hint window is made again, now of the skinned class.
  if (hints.ShowHint()) {
    hints.SetShowHint(false);
    hints.SetShowHint(true);
  }
  RouteShowHint();
  hints.HintShortPause = 100;
}

TbsSkinHint::~TbsSkinHint() {
  BeginDestroy();
  Timer_.SetEnabled(false);
  // No frame keeps showing its hints through a component that is gone.
  auto& screen = spv::platform::Screen();
  for (int f = 0; f < screen.FormCount(); ++f) {
    const TComponent* form = screen.Forms(f);
    for (int i = 0; i < form->ComponentCount(); ++i)
      if (auto* frame = dynamic_cast<TbsSkinForm*>(form->Components(i)); frame && frame->SkinHint == this)
        frame->SkinHint = nullptr;
  }
  auto& event = ApplicationHints().OnShowHint;
  if (const auto* route = event.target<TShowHintRoute>(); route && route->Hint == this) event = nullptr;
}

void TbsSkinHint::RouteShowHint() { ApplicationHints().OnShowHint = TShowHintRoute{this}; }

void TbsSkinHint::SetSkinData(TbsSkinData* value) {
  if (value == SkinData_) return;
  if (SkinData_) RemoveFreeNotification(SkinData_);
  SkinData_ = value;
  FreeNotification(SkinData_);
}

void TbsSkinHint::SetActive(bool value) {
  Active_ = value;
  if (!value) return;
  if (const TComponent* main = spv::platform::Application().MainForm())
    for (int i = 0; i < main->ComponentCount(); ++i)
      if (auto* other = dynamic_cast<TbsSkinHint*>(main->Components(i)); other && other != this) other->Active_ = false;
  RouteShowHint();
}

void TbsSkinHint::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == TOperation::opRemove && component == SkinData_) SkinData_ = nullptr;
}

void TbsSkinHint::ScheduleObjectHint(const std::wstring& text) {
  Timer_.SetEnabled(false);
  ObjectHintText_ = text;
  ObjectHintShown_ = false;
  Timer_.SetInterval(ApplicationHints().HintPause);
  Timer_.SetEnabled(true);
}

void TbsSkinHint::TimerTick() {
  // The timer stays; it is only stopped and started again, also from inside its own tick.
  Timer_.SetEnabled(false);
  if (ObjectHintShown_) {
    HideObjectHint();
    return;
  }
  POINT p{};
  GetCursorPos(&p);
  p.y += CursorHeightBelowHotSpot(GetCursor());
  Window_->ActivateHint({p.x, p.y, p.x, p.y}, ObjectHintText_);
  ObjectHintShown_ = true;
  Timer_.SetInterval(ApplicationHints().HintHidePause);
  Timer_.SetEnabled(true);
}

void TbsSkinHint::HideObjectHint() {
  Timer_.SetEnabled(false);
  ObjectHintShown_ = false;
  Window_->ReleaseHint();
}

}  // namespace bs
