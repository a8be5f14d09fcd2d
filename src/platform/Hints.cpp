#include "platform/Hints.h"

namespace spv::platform {

THintWindow::THintWindow(TComponent* owner) : TCustomControl(owner) {
  SetVisible(false);
  SetColor(clInfoBk);
  Font().SetColor(clInfoText);
}

void THintWindow::CreateParams(TCreateParams& params) {
  TCustomControl::CreateParams(params);
  params.Style = WS_POPUP | WS_BORDER;
  params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
  params.WndParent = nullptr;
  params.ClassStyle |= CS_SAVEBITS;
}

RECT THintWindow::CalcHintRect(int maxWidth, std::wstring_view text) {
  RECT r{0, 0, maxWidth, 0};
  Canvas().Font().Assign(Font());
  Canvas().DrawText(text, r, DT_CALCRECT | DT_LEFT | DT_NOPREFIX);
  r.right += 4;
  r.bottom += 4;
  return r;
}

void THintWindow::ActivateHint(RECT rect, std::wstring_view text) {
  SetCaption(text);
  SetBounds(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
  SetWindowPos(Handle(), HWND_TOPMOST, rect.left, rect.top, 0, 0, SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOSIZE);
  TControl::SetVisible(true);
  Invalidate();
}

void THintWindow::ReleaseHint() {
  if (!Visible()) return;
  TControl::SetVisible(false);
  if (HandleAllocated())
    SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOSIZE | SWP_NOMOVE);
}

void THintWindow::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_MOUSEACTIVATE: m.Result = MA_NOACTIVATE; return;
    case WM_NCHITTEST: m.Result = HTTRANSPARENT; return;
    default: TCustomControl::WndProc(m);
  }
}

void THintWindow::Paint() {
  RECT r = ClientRect();
  TCanvas& c = Canvas();
  c.Font().Assign(Font());
  c.Brush().SetStyle(TBrushStyle::bsClear);
  InflateRect(&r, -1, -1);
  c.DrawText(Caption(), r, DT_LEFT | DT_NOPREFIX);
}

}  // namespace spv::platform
