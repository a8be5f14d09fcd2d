#include "platform/Forms.h"

#include "platform/FormReader.h"
#include "platform/Hints.h"
#include "platform/SysUtils.h"

#include <algorithm>

namespace spv::platform {
namespace {

constexpr TEnumName<TFormBorderStyle> kBorderStyleNames[] = {
    {"bsNone", TFormBorderStyle::bsNone},         {"bsSingle", TFormBorderStyle::bsSingle},
    {"bsSizeable", TFormBorderStyle::bsSizeable}, {"bsDialog", TFormBorderStyle::bsDialog},
    {"bsToolWindow", TFormBorderStyle::bsToolWindow}, {"bsSizeToolWin", TFormBorderStyle::bsSizeToolWin}};
constexpr TEnumName<unsigned> kBorderIconNames[] = {
    {"biSystemMenu", biSystemMenu}, {"biMinimize", biMinimize}, {"biMaximize", biMaximize}, {"biHelp", biHelp}};
constexpr TEnumName<TPosition> kPositionNames[] = {{"poDesigned", TPosition::poDesigned},
                                                   {"poDefault", TPosition::poDefault},
                                                   {"poScreenCenter", TPosition::poScreenCenter},
                                                   {"poDesktopCenter", TPosition::poDesktopCenter},
                                                   {"poMainFormCenter", TPosition::poMainFormCenter}};
constexpr TEnumName<TWindowState> kWindowStateNames[] = {{"wsNormal", TWindowState::wsNormal},
                                                         {"wsMinimized", TWindowState::wsMinimized},
                                                         {"wsMaximized", TWindowState::wsMaximized}};

TMonitor MonitorInfo(HMONITOR handle) {
  TMonitor m;
  m.Handle = handle;
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (handle && GetMonitorInfoW(handle, &info)) {
    m.BoundsRect = info.rcMonitor;
    m.WorkareaRect = info.rcWork;
    m.Primary = (info.dwFlags & MONITORINFOF_PRIMARY) != 0;
  }
  return m;
}

BOOL CALLBACK CollectMonitor(HMONITOR m, HDC, LPRECT, LPARAM data) {
  reinterpret_cast<std::vector<HMONITOR>*>(data)->push_back(m);
  return TRUE;
}

std::vector<HMONITOR> AllMonitors() {
  std::vector<HMONITOR> list;
  EnumDisplayMonitors(nullptr, nullptr, &CollectMonitor, reinterpret_cast<LPARAM>(&list));
  return list;
}

std::wstring ExecutableTitle() {
  wchar_t path[MAX_PATH];
  const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring title(path, n);
  title = title.substr(title.find_last_of(L"\\/") + 1);
  if (const auto dot = title.rfind(L'.'); dot != std::wstring::npos) title.resize(dot);
  return title;
}

}  // namespace

// ---- TCustomForm ----

TCustomForm::TCustomForm(TComponent* owner) : TCustomControl(owner) {
  TControl::SetVisible(false);
  SetBounds(0, 0, 320, 240);
  Screen().Forms_.push_back(this);
}

TCustomForm::~TCustomForm() {
  BeginDestroy();
  auto& forms = Screen().Forms_;
  forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
  TApplication& app = Application();
  if (app.MainForm_ == this) app.MainForm_ = nullptr;
  app.Released_.erase(std::remove(app.Released_.begin(), app.Released_.end(), this), app.Released_.end());
  // Owned controls go while the form is still a form, and its window with them.
  DestroyComponents();
  DestroyHandle();
}

void TCustomForm::SetBorderStyle(TFormBorderStyle style) {
  if (style == BorderStyle_) return;
  BorderStyle_ = style;
  RecreateWnd();
}

void TCustomForm::SetBorderIcons(TBorderIcons icons) {
  if (icons == BorderIcons_) return;
  BorderIcons_ = icons;
  RecreateWnd();
}

void TCustomForm::SetFormStyle(TFormStyle style) {
  if (style == FormStyle_) return;
  FormStyle_ = style;
  if (HWND h = WindowHandle())
    SetWindowPos(h, style == TFormStyle::fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TCustomForm::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.WndParent = nullptr;
  params.X = Left_;
  params.Y = Top_;
  DWORD style = WS_CLIPCHILDREN, ex = 0;
  switch (BorderStyle_) {
    case TFormBorderStyle::bsNone: style |= WS_POPUP; break;
    case TFormBorderStyle::bsSingle: style |= WS_CAPTION; break;
    case TFormBorderStyle::bsSizeable: style |= WS_CAPTION | WS_THICKFRAME; break;
    case TFormBorderStyle::bsDialog:
      style |= WS_POPUP | WS_CAPTION;
      ex |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
      break;
    case TFormBorderStyle::bsToolWindow:
      style |= WS_CAPTION;
      ex |= WS_EX_TOOLWINDOW;
      break;
    case TFormBorderStyle::bsSizeToolWin:
      style |= WS_CAPTION | WS_THICKFRAME;
      ex |= WS_EX_TOOLWINDOW;
      break;
  }
  if (BorderStyle_ != TFormBorderStyle::bsNone && (BorderIcons_ & biSystemMenu)) {
    style |= WS_SYSMENU;
    const bool boxes = BorderStyle_ == TFormBorderStyle::bsSingle || BorderStyle_ == TFormBorderStyle::bsSizeable;
    if (boxes && (BorderIcons_ & biMinimize)) style |= WS_MINIMIZEBOX;
    if (boxes && (BorderIcons_ & biMaximize)) style |= WS_MAXIMIZEBOX;
    if ((BorderIcons_ & biHelp) && !(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX))) ex |= WS_EX_CONTEXTHELP;
  }
  if (!Enabled()) style |= WS_DISABLED;
  if (FormStyle_ == TFormStyle::fsStayOnTop) ex |= WS_EX_TOPMOST;
  // A form is shown by Show or Visible, never by its creation.
  params.Style = style;
  params.ExStyle = ex;
}

void TCustomForm::CreateHandle() {
  TCustomControl::CreateHandle();
  // Shown once every child window is in, so that none is made on a window the user sees.
  if (Visible()) ShowWindow(WindowHandle(), ShowCommand());
}

int TCustomForm::ShowCommand() const {
  const int show[] = {SW_SHOWNORMAL, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED};
  return show[int(WindowState_)];
}

void TCustomForm::FrameSize(DWORD style, DWORD exStyle, int& dx, int& dy) const {
  RECT r{0, 0, 0, 0};
  AdjustWindowRectEx(&r, style, FALSE, exStyle);
  dx = r.right - r.left;
  dy = r.bottom - r.top;
}

RECT TCustomForm::ClientRect() const {
  if (HWND h = WindowHandle()) {
    RECT r;
    GetClientRect(h, &r);
    return r;
  }
  if (RECT frame{0, 0, Width_, Height_};
      const_cast<TCustomForm*>(this)->Perform(CM_CALCCLIENTRECT, 0, reinterpret_cast<LPARAM>(&frame)))
    return {0, 0, std::max<int>(frame.right - frame.left, 0), std::max<int>(frame.bottom - frame.top, 0)};
  TCreateParams params;
  const_cast<TCustomForm*>(this)->CreateParams(params);
  int dx = 0, dy = 0;
  FrameSize(params.Style, params.ExStyle, dx, dy);
  return {0, 0, std::max(Width_ - dx, 0), std::max(Height_ - dy, 0)};
}

TWindowState TCustomForm::WindowState() const {
  if (HWND h = WindowHandle(); h && Visible()) {
    if (IsIconic(h)) return TWindowState::wsMinimized;
    if (IsZoomed(h)) return TWindowState::wsMaximized;
    return TWindowState::wsNormal;
  }
  return WindowState_;
}

void TCustomForm::SetWindowState(TWindowState state) {
  WindowState_ = state;
  if (HWND h = WindowHandle(); h && Visible()) {
    const int show[] = {SW_RESTORE, SW_MINIMIZE, SW_MAXIMIZE};
    ShowWindow(h, show[int(state)]);
  }
}

void TCustomForm::PlaceOnFirstShow() {
  if (Placed_) return;
  Placed_ = true;
  RECT area{};
  switch (Position_) {
    case TPosition::poScreenCenter:
    case TPosition::poDesktopCenter: area = Screen().WorkAreaRect(); break;
    case TPosition::poMainFormCenter: {
      TCustomForm* main = Application().MainForm();
      if (main && main != this) area = main->BoundsRect();
      else area = Screen().WorkAreaRect();
      break;
    }
    default: return;
  }
  SetBounds(area.left + (area.right - area.left - Width_) / 2, area.top + (area.bottom - area.top - Height_) / 2, Width_,
            Height_);
}

void TCustomForm::SetVisible(bool visible) {
  if (visible == Visible() && (!visible || WindowHandle())) return;
  TControl::SetVisible(visible);
  if (visible) {
    // Placed first, so that a window made now is made where it shows.
    PlaceOnFirstShow();
    if (HandleAllocated()) ShowWindow(WindowHandle(), ShowCommand());
    else CreateHandle();
  } else if (HWND h = WindowHandle()) {
    ShowWindow(h, SW_HIDE);
  }
}

void TCustomForm::Show() {
  const bool shown = HandleAllocated() && IsWindowVisible(WindowHandle());
  SetVisible(true);
  // A window that shows now comes to the front with its showing; one shown already is brought.
  if (shown) SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

TModalResult TCustomForm::ShowModal() {
  if (Visible() || InModal_) throw Exception("Cannot make a visible window modal");
  std::vector<HWND> disabled;
  for (int i = 0; i < Screen().FormCount(); ++i) {
    TCustomForm* f = Screen().Forms(i);
    if (f != this && f->HandleAllocated() && IsWindowVisible(f->WindowHandle()) && IsWindowEnabled(f->WindowHandle())) {
      EnableWindow(f->WindowHandle(), FALSE);
      disabled.push_back(f->WindowHandle());
    }
  }
  InModal_ = true;
  ModalResult_ = mrNone;
  TCloseAction action = TCloseAction::caHide;
  try {
    Show();
    TApplication& app = Application();
    while (!app.Terminated()) {
      app.HandleMessage();
      if (ModalResult_ == mrNone) continue;
      action = TCloseAction::caHide;
      DoClose(action);
      if (action != TCloseAction::caNone) break;
      ModalResult_ = mrNone;
    }
    if (ModalResult_ == mrNone) ModalResult_ = mrCancel;
  } catch (...) {
    InModal_ = false;
    for (HWND w : disabled) EnableWindow(w, TRUE);
    throw;
  }
  for (HWND w : disabled) EnableWindow(w, TRUE);
  InModal_ = false;
  Hide();
  if (action == TCloseAction::caFree) Release();
  return ModalResult_;
}

bool TCustomForm::CloseQuery() {
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(this, canClose);
  return canClose;
}

void TCustomForm::DoClose(TCloseAction& action) {
  if (OnClose) OnClose(this, action);
}

void TCustomForm::Close() {
  if (InModal_) {
    ModalResult_ = mrCancel;
    return;
  }
  if (!CloseQuery()) return;
  TCloseAction action = TCloseAction::caHide;
  DoClose(action);
  if (action == TCloseAction::caNone) return;
  if (Application().MainForm() == this) {
    Hide();
    Application().Terminate();
    return;
  }
  switch (action) {
    case TCloseAction::caHide: Hide(); break;
    case TCloseAction::caMinimize: SetWindowState(TWindowState::wsMinimized); break;
    case TCloseAction::caFree: Release(); break;
    default: break;
  }
}

void TCustomForm::Release() {
  auto& list = Application().Released_;
  if (std::find(list.begin(), list.end(), this) == list.end()) list.push_back(this);
  // Wake the loop so that the form goes soon even if nothing else happens.
  PostMessageW(nullptr, WM_NULL, 0, 0);
}

bool TCustomForm::Active() const {
  HWND h = WindowHandle();
  return h && GetActiveWindow() == h;
}

TWinControl* TCustomForm::ActiveControl() const {
  TWinControl* focused = FromHandle(GetFocus());
  for (TWinControl* c = focused; c; c = c->Parent())
    if (c->Parent() == this) return focused;
  return ActiveControl_;
}

void TCustomForm::KeepActiveControl(TWinControl* control) {
  if (control == ActiveControl_) return;
  if (ActiveControl_) RemoveFreeNotification(ActiveControl_);
  ActiveControl_ = control;
  if (control) FreeNotification(control);
}

void TCustomForm::FocusMovedTo(TWinControl* control) {
  // The focus goes back to where the user left it when the form is active again (restored
  // from the taskbar, back from another window or a box), not to the form itself.
  if (control != this) KeepActiveControl(control);
}

void TCustomForm::SetActiveControl(TWinControl* control) {
  KeepActiveControl(control);
  if (control && Active() && control->CanFocus()) control->SetFocus();
}

void TCustomForm::Notification(TComponent* component, TOperation operation) {
  TCustomControl::Notification(component, operation);
  if (operation == TOperation::opRemove && component == ActiveControl_) ActiveControl_ = nullptr;
}

bool TCustomForm::IsShortCut(MSG& message) {
  bool handled = false;
  if (OnShortCut) OnShortCut(message, handled);
  return handled;
}

void TCustomForm::DoCreate() {
  if (OnCreate) OnCreate(this);
}
void TCustomForm::DoShow() {
  if (OnShow) OnShow(this);
}
void TCustomForm::DoHide() {
  if (OnHide) OnHide(this);
}

void TCustomForm::Paint() {
  if (OnPaint) OnPaint(this);
}

void TCustomForm::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_CLOSE:
      Close();
      return;
    case WM_SHOWWINDOW:
      if (m.WParam) DoShow();
      else DoHide();
      break;
    case WM_SIZE:
      if (m.WParam == SIZE_MINIMIZED) WindowState_ = TWindowState::wsMinimized;
      else if (m.WParam == SIZE_MAXIMIZED) WindowState_ = TWindowState::wsMaximized;
      else if (m.WParam == SIZE_RESTORED) WindowState_ = TWindowState::wsNormal;
      break;
    case WM_ACTIVATE:
      if (LOWORD(m.WParam) != WA_INACTIVE) {
        if (OnActivate) OnActivate(this);
        TCustomControl::WndProc(m);
        if (ActiveControl_ && ActiveControl_->CanFocus()) ActiveControl_->SetFocus();
        return;
      }
      if (OnDeactivate) OnDeactivate(this);
      break;
    default: break;
  }
  TCustomControl::WndProc(m);
}

bool TCustomForm::ReadProperty(const TStoredProperty& p, TFormReader& reader) {
  const std::string& n = p.Name;
  if (SameIdent(n, "BorderStyle")) SetBorderStyle(p.Enum<TFormBorderStyle>(kBorderStyleNames));
  else if (SameIdent(n, "BorderIcons")) SetBorderIcons(p.Flags(kBorderIconNames));
  else if (SameIdent(n, "Position")) SetPosition(p.Enum<TPosition>(kPositionNames));
  else if (SameIdent(n, "WindowState")) SetWindowState(p.Enum<TWindowState>(kWindowStateNames));
  else if (SameIdent(n, "KeyPreview")) KeyPreview = p.Boolean();
  else if (SameIdent(n, "AutoScroll")) AutoScroll = p.Boolean();
  else if (SameIdent(n, "AutoSize")) AutoSize = p.Boolean();
  else if (SameIdent(n, "ActiveControl"))
    reader.ResolveReference<TWinControl>(p, [this](TWinControl* c) { SetActiveControl(c); });
  else if (SameIdent(n, "OnCreate")) OnCreate = reader.Method(p);
  else if (SameIdent(n, "OnShow")) OnShow = reader.Method(p);
  else if (SameIdent(n, "OnHide")) OnHide = reader.Method(p);
  else if (SameIdent(n, "OnActivate")) OnActivate = reader.Method(p);
  else if (SameIdent(n, "OnDeactivate")) OnDeactivate = reader.Method(p);
  else if (SameIdent(n, "OnPaint")) OnPaint = reader.Method(p);
  else return TCustomControl::ReadProperty(p, reader);
  return true;
}

// ---- TScreen ----

TCustomForm* TScreen::Forms(int index) const {
  if (index < 0 || index >= FormCount())
    throw Exception("Form index " + std::to_string(index) + " out of range (" + std::to_string(FormCount()) + " forms)");
  return Forms_[std::size_t(index)];
}

TCustomForm* TScreen::ActiveForm() const {
  for (HWND h = GetActiveWindow(); h; h = GetParent(h))
    if (auto* form = dynamic_cast<TCustomForm*>(TWinControl::FromHandle(h))) return form;
  return nullptr;
}

int TScreen::MonitorCount() const { return int(AllMonitors().size()); }

TMonitor TScreen::Monitors(int index) const {
  const auto list = AllMonitors();
  if (index < 0 || index >= int(list.size()))
    throw Exception("Monitor index " + std::to_string(index) + " out of range (" + std::to_string(list.size()) + " monitors)");
  return MonitorInfo(list[std::size_t(index)]);
}

TMonitor TScreen::MonitorFromWindow(HWND window) const {
  return MonitorInfo(::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST));
}

TMonitor TScreen::MonitorFromPoint(POINT p) const { return MonitorInfo(::MonitorFromPoint(p, MONITOR_DEFAULTTONEAREST)); }

RECT TScreen::WorkAreaRect() const {
  RECT r{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
  return r;
}

int TScreen::PixelsPerInch() const {
  HDC dc = GetDC(nullptr);
  const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(nullptr, dc);
  return dpi;
}

// ---- TApplication ----

TApplication::TApplication() : Title(ExecutableTitle()) {
  MessageBoxFunction = [](HWND owner, const std::wstring& text, const std::wstring& caption, UINT flags) {
    return ::MessageBoxW(owner, text.c_str(), caption.c_str(), flags);
  };
}

TApplication::~TApplication() {
  BeginDestroy();
  DestroyComponents();
}

void TApplication::Initialize() { RegisterPlatformClasses(); }

void TApplication::AdoptForm(TCustomForm* form, std::string_view description) {
  try {
    if (!description.empty()) TFormReader::ReadInto(*form, description);
  } catch (...) {
    delete form;
    throw;
  }
  if (!MainForm_) MainForm_ = form;
  form->DoCreate();
}

void TApplication::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == TOperation::opRemove && component == MainForm_) MainForm_ = nullptr;
}

void TApplication::Run() {
  Terminated_ = false;
  if (!MainForm_) return;
  try {
    MainForm_->Show();
  } catch (const std::exception& e) {
    HandleException(e);
  }
  while (!Terminated_ && MainForm_) HandleMessage();
  // The loop may run again (a last dialog at exit, or the next test).
  Terminated_ = false;
}

void TApplication::ProcessMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ProcessMessage(msg);
    if (msg.message == WM_QUIT) break;
  }
}

void TApplication::HandleMessage() {
  MSG msg;
  if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ProcessMessage(msg);
    return;
  }
  if (OnIdle) {
    try {
      OnIdle(this);
    } catch (const std::exception& e) {
      HandleException(e);
    }
  }
  WaitMessage();
}

bool TApplication::ProcessMessage(MSG& msg) {
  if (msg.message == WM_QUIT) {
    Terminated_ = true;
    return true;
  }
  try {
    bool handled = false;
    if (OnMessage) OnMessage(msg, handled);
    if (!handled && (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN)) {
      // A key taken as a shortcut or a tab never reaches a window: the hint goes all the same.
      ApplicationHints().CancelHint();
      TCustomForm* form = Screen().ActiveForm();
      if (form && form->IsShortCut(msg)) handled = true;
      // Tab moves the focus unless the focused window takes tabs itself.
      if (!handled && form && msg.wParam == VK_TAB && !(KeyboardShiftState() & (ssCtrl | ssAlt)) &&
          !(SendMessageW(msg.hwnd, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg)) & DLGC_WANTTAB)) {
        form->SelectNext(TWinControl::FromHandle(GetFocus()), !(KeyboardShiftState() & ssShift));
        handled = true;
      }
    }
    if (!handled) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  } catch (const std::exception& e) {
    HandleException(e);
  }
  ReleaseForms();
  return true;
}

void TApplication::ReleaseForms() {
  while (!Released_.empty()) {
    TCustomForm* form = Released_.back();
    Released_.pop_back();
    delete form;
  }
}

void TApplication::Terminate() {
  Terminated_ = true;
  PostMessageW(nullptr, WM_NULL, 0, 0);
}

void TApplication::Minimize() {
  if (MainForm_ && MainForm_->HandleAllocated()) ShowWindow(MainForm_->WindowHandle(), SW_MINIMIZE);
}

void TApplication::HandleException(const std::exception& error) {
  if (OnException) {
    try {
      OnException(this, error);
      return;
    } catch (const std::exception& inner) {
      ShowException(inner);
      return;
    }
  }
  ShowException(error);
}

void TApplication::ShowException(const std::exception& error) {
  MessageBox(ExceptionText(error), Title, MB_OK | MB_ICONERROR);
}

bool TApplication::HelpContext(int context) { return OnHelp && OnHelp(context); }

int TApplication::MessageBox(std::wstring_view text, std::wstring_view caption, UINT flags) {
  HWND owner = GetActiveWindow();
  return MessageBoxFunction(owner, std::wstring(text), std::wstring(caption), flags);
}

TScreen& Screen() {
  static TScreen screen;
  return screen;
}

TApplication& Application() {
  // The screen and the hints are made first so that they outlive the application's forms at exit.
  Screen();
  ApplicationHints();
  static TApplication application;
  return application;
}

}  // namespace spv::platform
