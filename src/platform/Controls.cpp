#include "platform/Controls.h"

#include "platform/FormReader.h"
#include "platform/Forms.h"
#include "platform/Hints.h"
#include "platform/SysUtils.h"

#include <algorithm>
#include <map>
#include <string>
#include <unordered_map>
#include <utility>
#include <windowsx.h>

namespace spv::platform {
namespace {

constexpr wchar_t kWindowClass[] = L"SpvWindow";

thread_local TWinControl* CreatingControl = nullptr;
// The control of each window of the library. Every message looks its control up here: a window
// property would cost a round to the window server per message (under Wine).
std::unordered_map<HWND, TWinControl*>& ControlOfWindow() {
  static std::unordered_map<HWND, TWinControl*> controls;
  return controls;
}
thread_local int MessageDepth = 0;
thread_local TControl* CapturedGraphic = nullptr;
// Canvases holding a device context taken outside painting; given back after each message.
thread_local std::vector<TControlCanvas*> CanvasesWithDc;

void FreeDeviceContexts() {
  while (!CanvasesWithDc.empty()) CanvasesWithDc.back()->FreeHandle();
}

constexpr TEnumName<TAlign> kAlignNames[] = {{"alNone", TAlign::alNone},     {"alTop", TAlign::alTop},
                                             {"alBottom", TAlign::alBottom}, {"alLeft", TAlign::alLeft},
                                             {"alRight", TAlign::alRight},   {"alClient", TAlign::alClient}};

constexpr TEnumName<TCursor> kCursorNames[] = {
    {"crDefault", crDefault},   {"crNone", crNone},       {"crArrow", crArrow},         {"crCross", crCross},
    {"crIBeam", crIBeam},       {"crSizeNESW", crSizeNESW}, {"crSizeNS", crSizeNS},     {"crSizeNWSE", crSizeNWSE},
    {"crSizeWE", crSizeWE},     {"crUpArrow", crUpArrow}, {"crHourGlass", crHourGlass}, {"crNo", crNo},
    {"crAppStart", crAppStart}, {"crHelp", crHelp},       {"crHandPoint", crHandPoint}, {"crSizeAll", crSizeAll}};

// Keeps BeginPaint and EndPaint paired whatever a paint handler throws.
class TPaintScope {
 public:
  explicit TPaintScope(HWND window) : Window_(window), Dc_(BeginPaint(window, &Ps_)) {}
  ~TPaintScope() { EndPaint(Window_, &Ps_); }
  HDC Dc() const { return Dc_; }

 private:
  HWND Window_;
  PAINTSTRUCT Ps_{};
  HDC Dc_;
};

class TSavedDc {
 public:
  explicit TSavedDc(HDC dc) : Dc_(dc), Saved_(SaveDC(dc)) {}
  ~TSavedDc() { RestoreDC(Dc_, Saved_); }

 private:
  HDC Dc_;
  int Saved_;
};

// The library's own window class for a class style: one class per style asked for, so that a
// window that needs a style of its class (a hint's drop shadow) does not give it to every other.
std::wstring RegisterWindowClass(WNDPROC proc, UINT style) {
  static std::map<UINT, std::wstring> registered;
  if (auto found = registered.find(style); found != registered.end()) return found->second;
  std::wstring name = kWindowClass;
  if (style != CS_DBLCLKS) name += L"." + std::to_wstring(style);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.style = style;
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = name.c_str();
  if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
    RaiseLastOSError("Registering the window class");
  return registered.emplace(style, std::move(name)).first->second;
}

bool IsNotification(UINT msg) {
  return (msg >= CM_BASE && msg < CM_BASE + 0x100) || (msg >= CN_BASE && msg < CN_BASE + 0x400);
}

// Tells the focused control of this thread that `pressed` took a left press.
void SendCancelMode(TControl* pressed) {
  TWinControl* focused = TWinControl::FromHandle(GetFocus());
  if (focused && focused != pressed) focused->Perform(CM_CANCELMODE, 0, reinterpret_cast<LPARAM>(pressed));
}

}  // namespace

TShiftState MouseShiftState(WPARAM keys) {
  TShiftState s = 0;
  if (keys & MK_SHIFT) s |= ssShift;
  if (keys & MK_CONTROL) s |= ssCtrl;
  if (keys & MK_LBUTTON) s |= ssLeft;
  if (keys & MK_RBUTTON) s |= ssRight;
  if (keys & MK_MBUTTON) s |= ssMiddle;
  if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
  return s;
}

TShiftState KeyboardShiftState() {
  TShiftState s = 0;
  if (GetKeyState(VK_SHIFT) < 0) s |= ssShift;
  if (GetKeyState(VK_CONTROL) < 0) s |= ssCtrl;
  if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
  return s;
}

HCURSOR CursorHandle(TCursor cursor) {
  const wchar_t* id = IDC_ARROW;
  switch (cursor) {
    case crNone: return nullptr;
    case crCross: id = IDC_CROSS; break;
    case crIBeam: id = IDC_IBEAM; break;
    case crSizeNESW: id = IDC_SIZENESW; break;
    case crSizeNS: id = IDC_SIZENS; break;
    case crSizeNWSE: id = IDC_SIZENWSE; break;
    case crSizeWE: id = IDC_SIZEWE; break;
    case crUpArrow: id = IDC_UPARROW; break;
    case crHourGlass: id = IDC_WAIT; break;
    case crNo: id = IDC_NO; break;
    case crAppStart: id = IDC_APPSTARTING; break;
    case crHelp: id = IDC_HELP; break;
    case crHandPoint: id = IDC_HAND; break;
    case crSizeAll: id = IDC_SIZEALL; break;
    default: break;
  }
  return LoadCursorW(nullptr, id);
}

TControl* CaptureControl() {
  if (CapturedGraphic && GetCapture() == CapturedGraphic->WindowHandle()) return CapturedGraphic;
  return nullptr;
}

// ---- TControlCanvas ----

TControlCanvas::~TControlCanvas() { FreeHandle(); }

void TControlCanvas::CreateHandle() {
  HWND window = Control_.WindowHandle();
  if (!window) throw Exception("The control " + Control_.Name() + " has no window to draw on yet");
  HDC dc = GetDCEx(window, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS);
  if (!dc) RaiseLastOSError("Getting a device context");
  const POINT origin = Control_.ClientOrigin();
  if (origin.x || origin.y) {
    SetViewportOrgEx(dc, origin.x, origin.y, nullptr);
    ::IntersectClipRect(dc, 0, 0, Control_.Width(), Control_.Height());
  }
  Window_ = window;
  Owned_ = dc;
  CanvasesWithDc.push_back(this);
  SetHandle(dc);
}

void TControlCanvas::FreeHandle() {
  if (!Owned_) return;
  SetHandle(nullptr);
  ReleaseDC(Window_, Owned_);
  Owned_ = nullptr;
  Window_ = nullptr;
  CanvasesWithDc.erase(std::remove(CanvasesWithDc.begin(), CanvasesWithDc.end(), this), CanvasesWithDc.end());
}

// ---- TControl ----

TControl::TControl(TComponent* owner) : TComponent(owner) {
  WindowProc = [this](TMessage& m) { WndProc(m); };
  Font_.OnChange = [this] { FontChanged(); };
}

TControl::~TControl() {
  BeginDestroy();
  if (CapturedGraphic == this) CapturedGraphic = nullptr;
  if (Parent_) Parent_->RemoveControl(this);
}

void TControl::SetParent(TWinControl* parent) {
  if (parent == Parent_) return;
  for (TWinControl* p = parent; p; p = p->Parent())
    if (p == this) throw Exception("A control cannot be its own parent");
  if (Parent_) Parent_->RemoveControl(this);
  if (parent) parent->InsertControl(this);
}

void TControl::SetParentComponent(TComponent* parent) {
  if (auto* p = dynamic_cast<TWinControl*>(parent)) SetParent(p);
}

void TControl::SetBounds(int left, int top, int width, int height) {
  Constraints.Apply(width, height);
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (left == Left_ && top == Top_ && width == Width_ && height == Height_) return;
  const bool resized = width != Width_ || height != Height_;
  if (Parent_ && !Parent_->Realigning_) Invalidate();
  Left_ = left;
  Top_ = top;
  Width_ = width;
  Height_ = height;
  BoundsChanged();
  if (resized) RequestAlign();
}

void TControl::BoundsChanged() {
  Invalidate();
  Resize();
}

RECT TControl::ClientRect() const { return {0, 0, Width_, Height_}; }

void TControl::SetClientSize(int width, int height) {
  const RECT c = ClientRect();
  SetBounds(Left_, Top_, Width_ + width - c.right, Height_ + height - c.bottom);
}

POINT TControl::ClientOrigin() const {
  if (WindowHandle() && dynamic_cast<const TWinControl*>(this)) return {0, 0};
  POINT p{Left_, Top_};
  if (Parent_) {
    const POINT o = Parent_->ClientOrigin();
    p.x += o.x;
    p.y += o.y;
  }
  return p;
}

POINT TControl::ClientToScreen(POINT p) const {
  const POINT o = ClientOrigin();
  p.x += o.x;
  p.y += o.y;
  if (HWND w = WindowHandle()) ::ClientToScreen(w, &p);
  return p;
}

POINT TControl::ScreenToClient(POINT p) const {
  if (HWND w = WindowHandle()) ::ScreenToClient(w, &p);
  const POINT o = ClientOrigin();
  p.x -= o.x;
  p.y -= o.y;
  return p;
}

void TControl::SetAlign(TAlign align) {
  if (align == Align_) return;
  Align_ = align;
  RequestAlign();
}

void TControl::RequestAlign() {
  if (Parent_ && !Parent_->Realigning_) Parent_->AlignFor(this);
}

void TControl::SetVisible(bool visible) {
  if (visible == Visible_) return;
  if (!visible) Invalidate();
  Visible_ = visible;
  if (visible) Invalidate();
  Perform(CM_VISIBLECHANGED, visible);
  RequestAlign();
}

bool TControl::Showing() const {
  for (const TControl* c = this; c; c = c->Parent_)
    if (!c->Visible_) return false;
  return true;
}

void TControl::SetEnabled(bool enabled) {
  if (enabled == Enabled_) return;
  Enabled_ = enabled;
  Perform(CM_ENABLEDCHANGED);
}

void TControl::SetCaption(std::wstring_view caption) {
  if (caption == Caption_) return;
  Caption_ = caption;
  TextChanged();
}

void TControl::TextChanged() {
  Perform(CM_TEXTCHANGED);
  Invalidate();
}

void TControl::FontChanged() {
  if (!SettingParentFont_) ParentFont_ = false;
  Perform(CM_FONTCHANGED);
}

void TControl::SetParentFont(bool value) {
  ParentFont_ = value;
  if (value) Perform(CM_PARENTFONTCHANGED);
}

void TControl::SetColor(TColor color) {
  ParentColor_ = false;
  if (color == Color_) return;
  Color_ = color;
  Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool value) {
  ParentColor_ = value;
  if (value) Perform(CM_PARENTCOLORCHANGED);
}

HWND TControl::WindowHandle() const { return Parent_ ? Parent_->WindowHandle() : nullptr; }

void TControl::Invalidate() {
  HWND window = WindowHandle();
  if (!window || !Parent_) return;
  const POINT o = Parent_->ClientOrigin();
  RECT r = BoundsRect();
  OffsetRect(&r, o.x, o.y);
  InvalidateRect(window, &r, TRUE);
}

void TControl::Update() {
  if (HWND window = WindowHandle()) UpdateWindow(window);
}

void TControl::Repaint() {
  Invalidate();
  Update();
}

bool TControl::ShowHint() const { return ParentShowHint_ && Parent_ ? Parent_->ShowHint() : ShowHint_; }

void TControl::SetShowHint(bool value) {
  ShowHint_ = value;
  ParentShowHint_ = false;
}

bool TControl::MouseCapture() const {
  HWND window = WindowHandle();
  if (!window || GetCapture() != window) return false;
  return dynamic_cast<const TWinControl*>(this) ? CapturedGraphic == nullptr : CapturedGraphic == this;
}

void TControl::SetMouseCapture(bool capture) {
  if (capture == MouseCapture()) return;
  if (capture) {
    HWND window = WindowHandle();
    if (!window) return;
    CapturedGraphic = dynamic_cast<TWinControl*>(this) ? nullptr : this;
    SetCapture(window);
  } else {
    CapturedGraphic = nullptr;
    ReleaseCapture();
  }
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
  TMessage m{msg, wParam, lParam, 0};
  WindowProc(m);
  return m.Result;
}

void TControl::WndProc(TMessage& m) {
  const auto x = GET_X_LPARAM(m.LParam), y = GET_Y_LPARAM(m.LParam);
  switch (m.Msg) {
    case WM_LBUTTONDOWN:
      SendCancelMode(this);
      Clicking_ = true;
      SetMouseCapture(true);
      MouseDown(TMouseButton::mbLeft, MouseShiftState(m.WParam), x, y);
      break;
    case WM_LBUTTONDBLCLK:
      SendCancelMode(this);
      Clicking_ = true;
      SetMouseCapture(true);
      DblClick();
      MouseDown(TMouseButton::mbLeft, MouseShiftState(m.WParam) | ssDouble, x, y);
      break;
    case WM_RBUTTONDOWN: MouseDown(TMouseButton::mbRight, MouseShiftState(m.WParam), x, y); break;
    case WM_MBUTTONDOWN: MouseDown(TMouseButton::mbMiddle, MouseShiftState(m.WParam), x, y); break;
    case WM_LBUTTONUP: {
      const bool clicked = Clicking_;
      Clicking_ = false;
      SetMouseCapture(false);
      const RECT c = ClientRect();
      const POINT p{x, y};
      if (clicked && PtInRect(&c, p)) Click();
      MouseUp(TMouseButton::mbLeft, MouseShiftState(m.WParam), x, y);
      break;
    }
    case WM_RBUTTONUP: MouseUp(TMouseButton::mbRight, MouseShiftState(m.WParam), x, y); break;
    case WM_MBUTTONUP: MouseUp(TMouseButton::mbMiddle, MouseShiftState(m.WParam), x, y); break;
    case WM_MOUSEMOVE: MouseMove(MouseShiftState(m.WParam), x, y); break;
    case WM_CANCELMODE:
    case WM_CAPTURECHANGED: Clicking_ = false; break;
    case CM_FONTCHANGED:
      Invalidate();
      NotifyChildren(CM_PARENTFONTCHANGED);
      return;
    case CM_PARENTFONTCHANGED:
      if (ParentFont_ && Parent_) {
        SettingParentFont_ = true;
        Font_.Assign(Parent_->Font());
        SettingParentFont_ = false;
      }
      return;
    case CM_COLORCHANGED:
      Invalidate();
      NotifyChildren(CM_PARENTCOLORCHANGED);
      return;
    case CM_PARENTCOLORCHANGED:
      if (ParentColor_ && Parent_) {
        SetColor(Parent_->Color());
        ParentColor_ = true;
      }
      return;
    case CM_ENABLEDCHANGED:
    case CM_VISIBLECHANGED: Invalidate(); break;
    default: break;
  }
  DefaultHandler(m);
}

void TControl::DefaultHandler(TMessage&) {}

void TControl::NotifyChildren(UINT) {}

void TControl::Click() {
  if (OnClick) OnClick(this);
}
void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}
void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}
void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}
void TControl::MouseMove(TShiftState shift, int x, int y) {
  if (OnMouseMove) OnMouseMove(this, shift, x, y);
}
void TControl::Resize() {
  // While the description is read, sizes pass through values that are not the control's: the
  // event tells the size the reading left, once, when it is done.
  if (Loading()) {
    ResizedWhileLoading_ = true;
    return;
  }
  if (OnResize) OnResize(this);
}

bool TControl::ReadProperty(const TStoredProperty& p, TFormReader& reader) {
  const std::string& n = p.Name;
  if (auto member = p.Member("Font")) return Font_.ReadProperty(*member, p);
  if (SameIdent(n, "Left")) SetLeft(p.Int());
  else if (SameIdent(n, "Top")) SetTop(p.Int());
  else if (SameIdent(n, "Width")) SetWidth(p.Int());
  else if (SameIdent(n, "Height")) SetHeight(p.Int());
  else if (SameIdent(n, "ClientWidth")) SetClientWidth(p.Int());
  else if (SameIdent(n, "ClientHeight")) SetClientHeight(p.Int());
  else if (SameIdent(n, "Align")) SetAlign(p.Enum<TAlign>(kAlignNames));
  else if (SameIdent(n, "Visible")) SetVisible(p.Boolean());
  else if (SameIdent(n, "Enabled")) SetEnabled(p.Boolean());
  else if (SameIdent(n, "Caption")) SetCaption(p.String());
  else if (SameIdent(n, "Color")) SetColor(p.Color());
  else if (SameIdent(n, "ParentColor")) SetParentColor(p.Boolean());
  else if (SameIdent(n, "ParentFont")) SetParentFont(p.Boolean());
  else if (SameIdent(n, "Cursor")) SetCursor(p.Value.Kind == TValueKind::Integer ? p.Int() : p.Enum<TCursor>(kCursorNames));
  else if (SameIdent(n, "Hint")) Hint = p.String();
  else if (SameIdent(n, "ShowHint")) SetShowHint(p.Boolean());
  else if (SameIdent(n, "ParentShowHint")) SetParentShowHint(p.Boolean());
  else if (SameIdent(n, "OnClick")) OnClick = reader.Method(p);
  else if (SameIdent(n, "OnDblClick")) OnDblClick = reader.Method(p);
  else if (SameIdent(n, "OnResize")) OnResize = reader.Method(p);
  else return TComponent::ReadProperty(p, reader);
  return true;
}

void TControl::Loaded() {
  TComponent::Loaded();
  if (std::exchange(ResizedWhileLoading_, false)) Resize();
}

// ---- TGraphicControl ----

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner), Canvas_(*this) {}

// ---- TWinControl ----

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
  BeginDestroy();
  DestroyComponents();
  while (!Controls_.empty()) delete Controls_.back();
  DestroyHandle();
}

TWinControl* TWinControl::FromHandle(HWND window) {
  if (!window) return nullptr;
  const auto& controls = ControlOfWindow();
  const auto found = controls.find(window);
  return found == controls.end() ? nullptr : found->second;
}

HWND TWinControl::Handle() {
  if (!Handle_) CreateHandle();
  return Handle_;
}

void TWinControl::CreateParams(TCreateParams& params) {
  params.Caption = Caption_;
  params.Style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  if (Visible()) params.Style |= WS_VISIBLE;
  if (!Enabled()) params.Style |= WS_DISABLED;
  if (TabStop_) params.Style |= WS_TABSTOP;
  params.X = Left_;
  params.Y = Top_;
  params.Width = Width_;
  params.Height = Height_;
  if (Parent()) {
    params.WndParent = Parent()->Handle();
    const POINT o = Parent()->ClientOrigin();
    params.X += o.x;
    params.Y += o.y;
  }
}

void TWinControl::CreateHandle() {
  if (Handle_) return;
  if (Destroying()) throw Exception("The control " + Name() + " is being destroyed");
  // The parent's window first: making it makes ours as well when we show.
  if (Parent()) Parent()->HandleNeeded();
  if (Handle_) return;
  CreateWnd();
  // Made after its siblings' windows (shown late, asked for, made again): put in its place.
  if (Parent() && !Parent()->MakingChildren_) PlaceAmongSiblings();
  // The window has the client area the system gives it: the children are laid out in it, and
  // the control tells its size (as a WM_SIZE would), before any child window is made.
  Realign();
  Resize();
  // The children that show get their windows now, the others when they show or their window is
  // asked for. A new child window goes below its siblings, so they are made topmost first and
  // end in the order of the list; one made before its turn puts the order right afterwards.
  bool inOrder = true;
  MakingChildren_ = true;
  try {
    for (auto it = Controls_.rbegin(); it != Controls_.rend(); ++it) {
      auto* w = dynamic_cast<TWinControl*>(*it);
      if (!w) continue;
      if (w->Handle_) inOrder = false;
      else if (w->Visible()) w->CreateHandle();
    }
  } catch (...) {
    MakingChildren_ = false;
    throw;
  }
  MakingChildren_ = false;
  if (!inOrder) UpdateZOrder();
}

void TWinControl::CreateWnd() {
  TCreateParams params;
  CreateParams(params);
  if ((params.Style & WS_CHILD) && !params.WndParent)
    throw Exception("The control " + Name() + " has no parent window");
  const bool own = params.WinClassName.empty();
  const std::wstring className = own ? RegisterWindowClass(&MainWndProc, params.ClassStyle) : params.WinClassName;
  CreatingControl = own ? this : nullptr;
  HWND window = CreateWindowExW(params.ExStyle, className.c_str(),
                                params.Caption.c_str(), params.Style, params.X, params.Y, params.Width, params.Height,
                                params.WndParent, nullptr, GetModuleHandleW(nullptr), nullptr);
  CreatingControl = nullptr;
  if (!window) RaiseLastOSError("Creating the window of " + (Name().empty() ? std::string(ClassName()) : Name()));
  if (!own) {
    Attach(window);
    DefWndProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&MainWndProc)));
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), FALSE);
  }
}

void TWinControl::Attach(HWND window) {
  Handle_ = window;
  ControlOfWindow()[window] = this;
}

void TWinControl::Detach() {
  if (!Handle_) return;
  ControlOfWindow().erase(Handle_);
  if (DefWndProc_) SetWindowLongPtrW(Handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(DefWndProc_));
  DefWndProc_ = nullptr;
  Handle_ = nullptr;
  TrackingMouse_ = false;
}

void TWinControl::DestroyWnd() {
  // A system window may hold text the user typed; keep it for the next window.
  if (DefWndProc_) {
    const int n = GetWindowTextLengthW(Handle_);
    std::wstring text(std::size_t(n) + 1, L'\0');
    text.resize(std::size_t(GetWindowTextW(Handle_, text.data(), n + 1)));
    Caption_ = text;
  }
  HWND window = Handle_;
  DestroyWindow(window);
  Detach();
}

void TWinControl::DestroyHandle() {
  if (!Handle_) return;
  DestroyWnd();
}

void TWinControl::RecreateWnd() {
  if (!Handle_) return;
  DestroyHandle();
  CreateHandle();
}

LRESULT CALLBACK TWinControl::MainWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  TWinControl* control = FromHandle(window);
  if (!control && CreatingControl) {
    control = CreatingControl;
    CreatingControl = nullptr;
    control->Attach(window);
  }
  if (!control) return DefWindowProcW(window, msg, wParam, lParam);
  return Deliver(control, window, msg, wParam, lParam);
}

LRESULT TWinControl::Deliver(TWinControl* control, HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  TMessage m{msg, wParam, lParam, 0};
  ++MessageDepth;
  try {
    ApplicationHints().MessageSeen(window, msg, lParam);
    control->WindowProc(m);
  } catch (const std::exception& e) {
    Application().HandleException(e);
  } catch (...) {
    Application().HandleException(Exception(std::string("An unknown error")));
  }
  --MessageDepth;
  if (msg == WM_NCDESTROY) {
    // The object may have let go of the window already while handling the message.
    if (TWinControl* still = FromHandle(window)) still->Detach();
  }
  if (MessageDepth == 0) FreeDeviceContexts();
  return m.Result;
}

void TWinControl::DefaultHandler(TMessage& m) {
  if (!Handle_ || IsNotification(m.Msg)) return;
  m.Result = DefWndProc_ ? CallWindowProcW(DefWndProc_, Handle_, m.Msg, m.WParam, m.LParam)
                         : DefWindowProcW(Handle_, m.Msg, m.WParam, m.LParam);
}

bool TWinControl::HasFrame() const {
  const auto style = GetWindowLongPtrW(Handle_, GWL_STYLE), ex = GetWindowLongPtrW(Handle_, GWL_EXSTYLE);
  return (style & (WS_BORDER | WS_DLGFRAME | WS_THICKFRAME | WS_VSCROLL | WS_HSCROLL)) ||
         (ex & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE | WS_EX_WINDOWEDGE | WS_EX_DLGMODALFRAME));
}

bool TWinControl::HasGraphicChildren() const {
  return std::any_of(Controls_.begin(), Controls_.end(),
                     [](TControl* c) { return !dynamic_cast<TWinControl*>(c); });
}

void TWinControl::RouteMouse(TMessage& m, bool& handled) {
  handled = false;
  const bool isMouse = m.Msg >= WM_MOUSEFIRST && m.Msg <= WM_MOUSELAST && m.Msg != WM_MOUSEWHEEL;
  if (!isMouse) return;
  const POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
  TControl* target = CaptureControl();
  if (target && target->Parent() != this) target = nullptr;
  if (!target && !CaptureControl()) {
    TControl* at = ControlAtPos(p);
    if (at && !dynamic_cast<TWinControl*>(at)) target = at;
  }
  if (m.Msg == WM_MOUSEMOVE && target != MouseControl_ && !CaptureControl()) {
    if (MouseControl_) MouseControl_->Perform(CM_MOUSELEAVE);
    MouseControl_ = target;
    if (MouseControl_) MouseControl_->Perform(CM_MOUSEENTER);
  }
  if (!target) return;
  const LPARAM local = MAKELPARAM(p.x - target->Left(), p.y - target->Top());
  m.Result = target->Perform(m.Msg, m.WParam, local);
  handled = true;
}

void TWinControl::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_SIZE:
      UpdateBounds();
      Realign();
      Resize();
      break;
    case WM_MOVE: UpdateBounds(); break;
    case WM_NCPAINT:
      // A window of the library without a border or scroll bars has no frame: the system's
      // painting of it would take a device context of the window for nothing.
      if (!DefWndProc_ && !HasFrame()) {
        m.Result = 0;
        return;
      }
      break;
    case WM_ERASEBKGND: {
      RECT r;
      GetClientRect(Handle_, &r);
      TGdiHandle<HBRUSH> brush(CreateSolidBrush(ColorToRGB(Color())));
      ::FillRect(reinterpret_cast<HDC>(m.WParam), &r, brush.Get());
      m.Result = 1;
      return;
    }
    case WM_PAINT:
      if (DefWndProc_) break;
      if (m.WParam) {
        PaintWindow(reinterpret_cast<HDC>(m.WParam));
        PaintControls(reinterpret_cast<HDC>(m.WParam));
      } else {
        TPaintScope paint(Handle_);
        PaintWindow(paint.Dc());
        PaintControls(paint.Dc());
      }
      return;
    case WM_SETFOCUS: {
      TWinControl* outermost = this;
      while (outermost->Parent()) outermost = outermost->Parent();
      outermost->FocusMovedTo(this);
      DoEnter();
      break;
    }
    case WM_KILLFOCUS: DoExit(); break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      WORD key = WORD(m.WParam);
      KeyDown(key, KeyboardShiftState());
      if (!key) return;
      break;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP: {
      WORD key = WORD(m.WParam);
      KeyUp(key, KeyboardShiftState());
      if (!key) return;
      break;
    }
    case WM_CHAR: {
      wchar_t key = wchar_t(m.WParam);
      KeyPress(key);
      if (!key) return;
      m.WParam = key;
      break;
    }
    case WM_SETCURSOR:
      if (reinterpret_cast<HWND>(m.WParam) == Handle_ && LOWORD(m.LParam) == HTCLIENT) {
        POINT p;
        GetCursorPos(&p);
        TControl* at = ControlAtPos(ScreenToClient(p));
        TCursor cursor = at && !dynamic_cast<TWinControl*>(at) && at->Cursor() != crDefault ? at->Cursor() : Cursor();
        if (cursor != crDefault) {
          ::SetCursor(CursorHandle(cursor));
          m.Result = TRUE;
          return;
        }
      }
      break;
    case WM_MOUSEMOVE:
      if (!TrackingMouse_) {
        TRACKMOUSEEVENT t{sizeof(t), TME_LEAVE, Handle_, 0};
        TrackingMouse_ = TrackMouseEvent(&t) != FALSE;
        Perform(CM_MOUSEENTER);
      }
      break;
    case WM_MOUSELEAVE:
      TrackingMouse_ = false;
      if (MouseControl_) {
        MouseControl_->Perform(CM_MOUSELEAVE);
        MouseControl_ = nullptr;
      }
      Perform(CM_MOUSELEAVE);
      break;
    case CM_FONTCHANGED:
      if (Handle_ && DefWndProc_) SendMessageW(Handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), TRUE);
      break;
    case CM_ENABLEDCHANGED:
      if (Handle_) EnableWindow(Handle_, Enabled());
      break;
    case WM_COMMAND:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
      // A system child's notifications go back to the control that owns it.
      if (TWinControl* child = FromHandle(reinterpret_cast<HWND>(m.LParam)); child && child != this) {
        m.Result = child->Perform(CN_BASE + m.Msg, m.WParam, m.LParam);
        if (m.Result || m.Msg == WM_COMMAND) return;
      }
      break;
    case WM_NOTIFY:
      // A common control's notification goes back to the control that owns the window.
      if (const auto* header = reinterpret_cast<const NMHDR*>(m.LParam)) {
        if (TWinControl* child = FromHandle(header->hwndFrom); child && child != this) {
          m.Result = child->Perform(CN_NOTIFY, m.WParam, m.LParam);
          return;
        }
      }
      break;
    default: break;
  }
  bool routed = false;
  RouteMouse(m, routed);
  if (routed) return;
  TControl::WndProc(m);
}

void TWinControl::Invalidate() {
  if (Handle_) InvalidateRect(Handle_, nullptr, TRUE);
}

void TWinControl::TextChanged() {
  if (Handle_) SetWindowTextW(Handle_, Caption_.c_str());
  TControl::TextChanged();
}

void TWinControl::BoundsChanged() {
  if (Handle_) {
    POINT o = Parent() ? Parent()->ClientOrigin() : POINT{0, 0};
    SetWindowPos(Handle_, nullptr, Left_ + o.x, Top_ + o.y, Width_, Height_, SWP_NOZORDER | SWP_NOACTIVATE);
  } else {
    // Without a window no WM_SIZE comes: lay the children out now.
    Realign();
    Resize();
  }
}

void TWinControl::UpdateBounds() {
  if (!Handle_) return;
  RECT r;
  GetWindowRect(Handle_, &r);
  if (GetWindowLongW(Handle_, GWL_STYLE) & WS_CHILD) {
    MapWindowPoints(nullptr, GetParent(Handle_), reinterpret_cast<POINT*>(&r), 2);
    if (Parent()) {
      const POINT o = Parent()->ClientOrigin();
      OffsetRect(&r, -o.x, -o.y);
    }
  }
  Left_ = r.left;
  Top_ = r.top;
  Width_ = r.right - r.left;
  Height_ = r.bottom - r.top;
}

void TWinControl::SetBounds(int left, int top, int width, int height) { TControl::SetBounds(left, top, width, height); }

RECT TWinControl::ClientRect() const {
  if (Handle_) {
    RECT r;
    GetClientRect(Handle_, &r);
    return r;
  }
  return TControl::ClientRect();
}

void TWinControl::SetVisible(bool visible) {
  if (visible == Visible()) return;
  TControl::SetVisible(visible);
  if (!Handle_ && visible && Parent() && Parent()->HandleAllocated()) {
    CreateHandle();  // visible from the start
    return;
  }
  if (Handle_)
    SetWindowPos(Handle_, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | (visible ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

void TWinControl::SetEnabled(bool enabled) { TControl::SetEnabled(enabled); }

void TWinControl::NotifyChildren(UINT msg) {
  for (std::size_t i = 0; i < Controls_.size(); ++i) Controls_[i]->Perform(msg);
}

TControl* TWinControl::Controls(int index) const {
  if (index < 0 || index >= ControlCount())
    throw Exception("Control index " + std::to_string(index) + " out of range (" + std::to_string(ControlCount()) + " controls)");
  return Controls_[std::size_t(index)];
}

void TWinControl::InsertControl(TControl* control) {
  control->Parent_ = this;
  Controls_.push_back(control);
  auto* win = dynamic_cast<TWinControl*>(control);
  if (win) TabList_.push_back(win);
  if (control->ParentFont_) control->Perform(CM_PARENTFONTCHANGED);
  if (control->ParentColor_) control->Perform(CM_PARENTCOLORCHANGED);
  if (win && Handle_ && !control->Loading() && win->Visible()) win->CreateHandle();
  control->Invalidate();
  if (control->Align() != TAlign::alNone) AlignFor(control);
}

void TWinControl::RemoveControl(TControl* control) {
  if (control->Parent_ != this) return;
  if (!control->Destroying()) control->Invalidate();
  if (auto* win = dynamic_cast<TWinControl*>(control)) win->DestroyHandle();
  if (MouseControl_ == control) MouseControl_ = nullptr;
  Controls_.erase(std::remove(Controls_.begin(), Controls_.end(), control), Controls_.end());
  TabList_.erase(std::remove_if(TabList_.begin(), TabList_.end(),
                                [control](TWinControl* w) { return static_cast<TControl*>(w) == control; }),
                 TabList_.end());
  control->Parent_ = nullptr;
  if (!Destroying()) Realign();
}

void TWinControl::BringToFront(TControl* control) {
  auto it = std::find(Controls_.begin(), Controls_.end(), control);
  if (it == Controls_.end()) return;
  Controls_.erase(it);
  Controls_.push_back(control);
  UpdateZOrder();
  control->Invalidate();
}

void TWinControl::PlaceAmongSiblings() {
  // Just below the nearest sibling above it in the list that has a window; topmost without one.
  const auto& siblings = Parent()->Controls_;
  HWND above = HWND_TOP;
  for (auto it = std::find(siblings.begin(), siblings.end(), this) + 1; it != siblings.end(); ++it)
    if (auto* w = dynamic_cast<TWinControl*>(*it); w && w->Handle_) {
      above = w->Handle_;
      break;
    }
  SetWindowPos(Handle_, above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TWinControl::UpdateZOrder() {
  // Each window goes on top in list order, so the last of the list ends up topmost.
  for (TControl* c : Controls_)
    if (auto* w = dynamic_cast<TWinControl*>(c); w && w->Handle_)
      SetWindowPos(w->Handle_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

TControl* TWinControl::ControlAtPos(POINT p, bool allowDisabled) const {
  for (auto it = Controls_.rbegin(); it != Controls_.rend(); ++it) {
    TControl* c = *it;
    const RECT r = c->BoundsRect();
    if (c->Visible() && (allowDisabled || c->Enabled()) && PtInRect(&r, p)) return c;
  }
  return nullptr;
}

int TWinControl::TabOrder() const {
  if (!Parent()) return -1;
  const auto& list = Parent()->TabList_;
  return int(std::find(list.begin(), list.end(), this) - list.begin());
}

void TWinControl::SetTabOrder(int order) {
  if (!Parent()) return;
  auto& list = Parent()->TabList_;
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
  order = std::clamp(order, 0, int(list.size()));
  list.insert(list.begin() + order, this);
}

std::vector<TWinControl*> TWinControl::TabOrderList() const {
  std::vector<TWinControl*> out;
  for (TWinControl* w : TabList_) {
    out.push_back(w);
    const auto inner = w->TabOrderList();
    out.insert(out.end(), inner.begin(), inner.end());
  }
  return out;
}

bool TWinControl::SelectNext(TWinControl* current, bool forward) {
  const auto list = TabOrderList();
  if (list.empty()) return false;
  const int n = int(list.size());
  int start = int(std::find(list.begin(), list.end(), current) - list.begin());
  if (start >= n) start = forward ? -1 : n;
  for (int step = 1; step <= n; ++step) {
    const int i = ((forward ? start + step : start - step) % n + n) % n;
    TWinControl* w = list[std::size_t(i)];
    if (w != current && w->TabStop() && w->CanFocus()) {
      w->SetFocus();
      return true;
    }
  }
  return false;
}

void TWinControl::AlignFor(TControl* changed) {
  if (Loading() || Destroying()) return;
  if (AlignDisabled_ || Realigning_) {
    // Asked while alignment waits or runs (a child shown from its own resize): the layout is
    // done again once it may.
    AlignPending_ = true;
    return;
  }
  Realigning_ = true;
  AlignChanged_ = changed;
  try {
    // A few passes at most: a pass that always asks for another would never end.
    for (int pass = 0; pass < 4; ++pass) {
      AlignPending_ = false;
      RECT r = ClientRect();
      AlignControls(r);
      if (!AlignPending_) break;
      AlignChanged_ = nullptr;
    }
  } catch (...) {
    Realigning_ = false;
    AlignChanged_ = nullptr;
    throw;
  }
  Realigning_ = false;
  AlignChanged_ = nullptr;
}

void TWinControl::EnableAlign() {
  if (AlignDisabled_ > 0 && --AlignDisabled_ == 0) Realign();
}

void TWinControl::AlignControls(RECT& r) {
  // Top and bottom bars first, then the sides between them, then the client filling the rest.
  // Controls of one kind keep the order of their positions, as they were placed; one that has
  // just been aligned or shown goes before another in the same place.
  for (TAlign align : {TAlign::alTop, TAlign::alBottom, TAlign::alLeft, TAlign::alRight, TAlign::alClient}) {
    std::vector<TControl*> list;
    for (TControl* c : Controls_)
      if (c->Visible() && c->Align() == align) list.push_back(c);
    auto key = [align](const TControl* c) {
      switch (align) {
        case TAlign::alTop: return c->Top();
        case TAlign::alBottom: return -(c->Top() + c->Height());
        case TAlign::alLeft: return c->Left();
        case TAlign::alRight: return -(c->Left() + c->Width());
        default: return 0;
      }
    };
    std::stable_sort(list.begin(), list.end(), [&](TControl* a, TControl* b) {
      const int ka = key(a), kb = key(b);
      return ka != kb ? ka < kb : (a == AlignChanged_ && b != AlignChanged_);
    });
    for (TControl* c : list) {
      const int w = std::max<int>(r.right - r.left, 0), h = std::max<int>(r.bottom - r.top, 0);
      switch (align) {
        case TAlign::alTop:
          c->SetBounds(r.left, r.top, w, c->Height());
          r.top += c->Height();
          break;
        case TAlign::alBottom:
          c->SetBounds(r.left, r.bottom - c->Height(), w, c->Height());
          r.bottom -= c->Height();
          break;
        case TAlign::alLeft:
          c->SetBounds(r.left, r.top, c->Width(), h);
          r.left += c->Width();
          break;
        case TAlign::alRight:
          c->SetBounds(r.right - c->Width(), r.top, c->Width(), h);
          r.right -= c->Width();
          break;
        default: c->SetBounds(r.left, r.top, w, h); break;
      }
    }
  }
}

void TWinControl::PaintWindow(HDC) {}

void TWinControl::PaintControls(HDC dc) {
  for (TControl* c : Controls_) {
    auto* g = dynamic_cast<TGraphicControl*>(c);
    if (!g || !g->Visible() || g->Width() <= 0 || g->Height() <= 0) continue;
    const RECT bounds = g->BoundsRect();
    if (!RectVisible(dc, &bounds)) continue;
    TSavedDc saved(dc);
    POINT origin;
    GetViewportOrgEx(dc, &origin);
    SetViewportOrgEx(dc, origin.x + g->Left(), origin.y + g->Top(), nullptr);
    IntersectClipRect(dc, 0, 0, g->Width(), g->Height());
    g->Canvas_.SetHandle(dc);
    try {
      g->Paint();
    } catch (...) {
      g->Canvas_.SetHandle(nullptr);
      throw;
    }
    g->Canvas_.SetHandle(nullptr);
  }
}

bool TWinControl::Focused() const { return Handle_ && GetFocus() == Handle_; }

bool TWinControl::CanFocus() const {
  for (const TControl* c = this; c; c = c->Parent())
    if (!c->Visible() || !c->Enabled()) return false;
  return true;
}

void TWinControl::SetFocus() {
  if (!CanFocus()) throw Exception("Cannot focus " + (Name().empty() ? std::string(ClassName()) : Name()) + ": it is disabled or invisible");
  ::SetFocus(Handle());
}

void TWinControl::KeyDown(WORD& key, TShiftState shift) {
  if (OnKeyDown) OnKeyDown(this, key, shift);
}
void TWinControl::KeyUp(WORD& key, TShiftState shift) {
  if (OnKeyUp) OnKeyUp(this, key, shift);
}
void TWinControl::KeyPress(wchar_t& key) {
  if (OnKeyPress) OnKeyPress(this, key);
}
void TWinControl::DoEnter() {
  if (OnEnter) OnEnter(this);
}
void TWinControl::DoExit() {
  if (OnExit) OnExit(this);
}

bool TWinControl::ReadProperty(const TStoredProperty& p, TFormReader& reader) {
  if (SameIdent(p.Name, "TabOrder")) SetTabOrder(p.Int());
  else if (SameIdent(p.Name, "TabStop")) SetTabStop(p.Boolean());
  else if (SameIdent(p.Name, "OnEnter")) OnEnter = reader.Method(p);
  else if (SameIdent(p.Name, "OnExit")) OnExit = reader.Method(p);
  else return TControl::ReadProperty(p, reader);
  return true;
}

void TWinControl::Loaded() {
  TControl::Loaded();
  if (Parent() && Parent()->HandleAllocated() && Visible()) CreateHandle();
  Realign();
}

// ---- TCustomControl ----

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner), Canvas_(*this) {}

void TCustomControl::PaintWindow(HDC dc) {
  Canvas_.SetHandle(dc);
  try {
    Paint();
  } catch (...) {
    Canvas_.SetHandle(nullptr);
    throw;
  }
  Canvas_.SetHandle(nullptr);
}

}  // namespace spv::platform
