#include "platform/StdCtrls.h"

#include "platform/FormReader.h"

namespace spv::platform {

TCustomLabel::TCustomLabel(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 65, 17); }

void TCustomLabel::SetAutoSize(bool value) {
  if (value == AutoSize_) return;
  AutoSize_ = value;
  AdjustBounds();
}

void TCustomLabel::SetAlignment(TAlignment value) {
  Alignment_ = value;
  Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout value) {
  Layout_ = value;
  Invalidate();
}

void TCustomLabel::SetWordWrap(bool value) {
  WordWrap_ = value;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool value) {
  ShowAccelChar_ = value;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetTransparent(bool value) {
  Transparent_ = value;
  Invalidate();
}

UINT TCustomLabel::DrawTextFlags() const {
  UINT flags = DT_EXPANDTABS;
  if (WordWrap_) flags |= DT_WORDBREAK;
  if (!ShowAccelChar_) flags |= DT_NOPREFIX;
  switch (Alignment_) {
    case TAlignment::taRightJustify: flags |= DT_RIGHT; break;
    case TAlignment::taCenter: flags |= DT_CENTER; break;
    default: break;
  }
  return flags;
}

void TCustomLabel::DoDrawText(TCanvas& canvas, RECT& r, UINT flags) {
  std::wstring text = Caption();
  // An empty label still measures one line high.
  if ((flags & DT_CALCRECT) && (text.empty() || (ShowAccelChar_ && text == L"&"))) text = L" ";
  canvas.Font().Assign(Font());
  const HDC dc = canvas.Handle();
  SetBkMode(dc, TRANSPARENT);
  if (Enabled() || (flags & DT_CALCRECT)) {
    canvas.DrawText(text, r, flags);
    return;
  }
  RECT shifted = r;
  OffsetRect(&shifted, 1, 1);
  canvas.Font().SetColor(clBtnHighlight);
  canvas.DrawText(text, shifted, flags);
  canvas.Font().SetColor(clBtnShadow);
  canvas.DrawText(text, r, flags);
}

void TCustomLabel::Paint() {
  TCanvas& canvas = Canvas();
  RECT client = ClientRect();
  if (!Transparent_) {
    canvas.Brush().SetColor(Color());
    canvas.Brush().SetStyle(TBrushStyle::bsSolid);
    canvas.FillRect(client);
  }
  canvas.Brush().SetStyle(TBrushStyle::bsClear);
  RECT r = client;
  const UINT flags = DrawTextFlags();
  if (Layout_ != TTextLayout::tlTop) {
    RECT measured = client;
    DoDrawText(canvas, measured, flags | DT_CALCRECT);
    const int h = measured.bottom - measured.top, H = client.bottom - client.top;
    r.top += Layout_ == TTextLayout::tlBottom ? H - h : (H - h) / 2;
  }
  DoDrawText(canvas, r, flags);
}

void TCustomLabel::AdjustBounds() {
  if (!AutoSize_ || Loading()) return;
  const HDC screen = GetDC(nullptr);
  TCanvas canvas;
  canvas.SetHandle(screen);
  RECT r{0, 0, Width(), 0};
  DoDrawText(canvas, r, DrawTextFlags() | DT_CALCRECT);
  canvas.SetHandle(nullptr);
  ReleaseDC(nullptr, screen);
  int left = Left();
  const int w = WordWrap_ ? Width() : r.right - r.left;
  // A right-aligned label keeps its right edge where it was.
  if (!WordWrap_ && Alignment_ == TAlignment::taRightJustify) left += Width() - w;
  SetBounds(left, Top(), w, r.bottom - r.top);
}

void TCustomLabel::TextChanged() {
  Invalidate();
  AdjustBounds();
}

void TCustomLabel::WndProc(TMessage& m) {
  TGraphicControl::WndProc(m);
  if (m.Msg == CM_FONTCHANGED) AdjustBounds();
  else if (m.Msg == CM_ENABLEDCHANGED) Invalidate();
}

void TCustomLabel::Loaded() {
  TGraphicControl::Loaded();
  AdjustBounds();
}

bool TCustomLabel::ReadProperty(const TStoredProperty& p, TFormReader& reader) {
  if (SameIdent(p.Name, "AutoSize")) SetAutoSize(p.Boolean());
  else if (SameIdent(p.Name, "WordWrap")) SetWordWrap(p.Boolean());
  else if (SameIdent(p.Name, "ShowAccelChar")) SetShowAccelChar(p.Boolean());
  else if (SameIdent(p.Name, "Transparent")) SetTransparent(p.Boolean());
  else if (SameIdent(p.Name, "Alignment")) {
    const std::string v = p.Ident();
    SetAlignment(SameIdent(v, "taRightJustify") ? TAlignment::taRightJustify
                 : SameIdent(v, "taCenter")     ? TAlignment::taCenter
                                                : TAlignment::taLeftJustify);
  } else if (SameIdent(p.Name, "Layout")) {
    const std::string v = p.Ident();
    SetLayout(SameIdent(v, "tlBottom") ? TTextLayout::tlBottom
              : SameIdent(v, "tlCenter") ? TTextLayout::tlCenter
                                         : TTextLayout::tlTop);
  } else return TGraphicControl::ReadProperty(p, reader);
  return true;
}

}  // namespace spv::platform
