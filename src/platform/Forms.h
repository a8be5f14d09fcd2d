#pragma once
// Forms, the application object with its message loop and error report, and the screen.

#include <windows.h>

#include "platform/Controls.h"

#include <functional>
#include <string>
#include <vector>

namespace spv::platform {

enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TBorderIcon : unsigned { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };
using TBorderIcons = unsigned;
enum class TPosition { poDesigned, poDefault, poScreenCenter, poDesktopCenter, poMainFormCenter };
enum class TWindowState { wsNormal, wsMinimized, wsMaximized };
enum class TCloseAction { caNone, caHide, caFree, caMinimize };
// fsStayOnTop: a topmost window, above every window that is not topmost.
enum class TFormStyle { fsNormal, fsStayOnTop };

// Modal results: what closed a modal form.
using TModalResult = int;
inline constexpr TModalResult mrNone = 0, mrOk = IDOK, mrCancel = IDCANCEL, mrAbort = IDABORT, mrRetry = IDRETRY,
                              mrIgnore = IDIGNORE, mrYes = IDYES, mrNo = IDNO, mrAll = 8, mrNoToAll = 9,
                              mrYesToAll = 10;

using TCloseEvent = std::function<void(TObject* sender, TCloseAction& action)>;
using TCloseQueryEvent = std::function<void(TObject* sender, bool& canClose)>;
// A key message about to be dispatched; setting `handled` keeps it from the focused control.
using TShortCutEvent = std::function<void(MSG& message, bool& handled)>;
using TMessageEvent = std::function<void(MSG& message, bool& handled)>;
using TExceptionEvent = std::function<void(TObject* sender, const std::exception& error)>;

class TCustomForm : public TCustomControl {
 public:
  explicit TCustomForm(TComponent* owner = nullptr);
  ~TCustomForm() override;
  std::string_view ClassName() const override { return "TCustomForm"; }

  TFormBorderStyle BorderStyle() const { return BorderStyle_; }
  void SetBorderStyle(TFormBorderStyle style);
  TBorderIcons BorderIcons() const { return BorderIcons_; }
  void SetBorderIcons(TBorderIcons icons);
  TFormStyle FormStyle() const { return FormStyle_; }
  void SetFormStyle(TFormStyle style);
  TPosition Position() const { return Position_; }
  void SetPosition(TPosition position) { Position_ = position; }
  TWindowState WindowState() const;
  void SetWindowState(TWindowState state);
  bool AutoScroll = false;
  bool AutoSize = false;
  bool KeyPreview = false;

  RECT ClientRect() const override;
  void SetVisible(bool visible) override;
  // Shows the form and brings it to the front.
  void Show();
  // Shows the form and runs a message loop with the other forms disabled until ModalResult is
  // set (or the form is closed, which counts as mrCancel). Returns the modal result.
  TModalResult ShowModal();
  TModalResult ModalResult() const { return ModalResult_; }
  void SetModalResult(TModalResult result) { ModalResult_ = result; }
  bool Modal() const { return InModal_; }
  // Asks OnCloseQuery, then runs OnClose with the action (caHide by default; the main form
  // ends the application) and carries it out.
  void Close();
  // Frees the form once the message being handled is done.
  void Release();
  bool Active() const;
  // The control that has (or will get) the focus within the form.
  TWinControl* ActiveControl() const;
  void SetActiveControl(TWinControl* control);
  void RecreateWnd() { TWinControl::RecreateWnd(); }

  // Offers a key message to OnShortCut before it is dispatched; true when it was handled.
  virtual bool IsShortCut(MSG& message);

  TNotifyEvent OnCreate, OnShow, OnHide, OnActivate, OnDeactivate, OnPaint;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;
  TShortCutEvent OnShortCut;

  // Fires OnCreate: the application calls it after the form has been read.
  virtual void DoCreate();
  bool ReadProperty(const TStoredProperty& property, TFormReader& reader) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateHandle() override;
  void WndProc(TMessage& message) override;
  void Paint() override;
  virtual void DoShow();
  virtual void DoHide();
  virtual void DoClose(TCloseAction& action);
  virtual bool CloseQuery();
  void Notification(TComponent* component, TOperation operation) override;
  void FocusMovedTo(TWinControl* control) override;

 private:
  void PlaceOnFirstShow();
  // ShowWindow's command for the window state.
  int ShowCommand() const;
  // Keeps the control that gets the focus when the form is active again, told when it goes.
  void KeepActiveControl(TWinControl* control);
  void FrameSize(DWORD style, DWORD exStyle, int& dx, int& dy) const;

  TFormBorderStyle BorderStyle_ = TFormBorderStyle::bsSizeable;
  TBorderIcons BorderIcons_ = biSystemMenu | biMinimize | biMaximize;
  TPosition Position_ = TPosition::poDesigned;
  TFormStyle FormStyle_ = TFormStyle::fsNormal;
  TWindowState WindowState_ = TWindowState::wsNormal;
  TModalResult ModalResult_ = mrNone;
  TWinControl* ActiveControl_ = nullptr;
  bool InModal_ = false;
  bool Placed_ = false;
};

class TForm : public TCustomForm {
 public:
  explicit TForm(TComponent* owner = nullptr) : TCustomForm(owner) {}
  std::string_view ClassName() const override { return "TForm"; }
};

struct TMonitor {
  HMONITOR Handle = nullptr;
  RECT BoundsRect{};
  RECT WorkareaRect{};
  bool Primary = false;
};

class TScreen {
 public:
  // The application's forms in the order they were created.
  int FormCount() const { return int(Forms_.size()); }
  TCustomForm* Forms(int index) const;
  TCustomForm* ActiveForm() const;

  int MonitorCount() const;
  TMonitor Monitors(int index) const;
  TMonitor MonitorFromWindow(HWND window) const;
  TMonitor MonitorFromPoint(POINT p) const;
  int Width() const { return GetSystemMetrics(SM_CXSCREEN); }
  int Height() const { return GetSystemMetrics(SM_CYSCREEN); }
  // The work area of the primary monitor.
  RECT WorkAreaRect() const;
  int PixelsPerInch() const;

 private:
  friend class TCustomForm;
  std::vector<TCustomForm*> Forms_;
};

class TApplication : public TComponent {
 public:
  TApplication();
  ~TApplication() override;
  std::string_view ClassName() const override { return "TApplication"; }

  void Initialize();
  // Creates a form of class T, owned by the application, reads its description when given,
  // fires OnCreate. The first form created is the main form.
  template <typename T>
  T* CreateForm(std::string_view description = {}) {
    auto* form = new T(this);
    AdoptForm(form, description);
    return form;
  }
  void AdoptForm(TCustomForm* form, std::string_view description);
  TCustomForm* MainForm() const { return MainForm_; }

  // Shows the main form and handles messages until the main form closes or Terminate is called.
  // Terminated() is false again once Run has returned.
  void Run();
  // Handles the messages waiting now, and returns.
  void ProcessMessages();
  // Waits for one message and handles it.
  void HandleMessage();
  // Ends Run after the message being handled.
  void Terminate();
  bool Terminated() const { return Terminated_; }
  void Minimize();

  // The top-level error report: OnException when set, else ShowException.
  void HandleException(const std::exception& error);
  // A system message box with the error's text, an error icon and OK.
  void ShowException(const std::exception& error);
  std::wstring Title;

  // Asks the program's help for a help context through OnHelp; false when there is no help.
  bool HelpContext(int context);
  std::function<bool(int context)> OnHelp;

  // Shows a message box through MessageBoxFunction (MessageBoxW unless replaced, e.g. by a
  // test that must not block).
  int MessageBox(std::wstring_view text, std::wstring_view caption, UINT flags);
  std::function<int(HWND owner, const std::wstring& text, const std::wstring& caption, UINT flags)>
      MessageBoxFunction;

  TMessageEvent OnMessage;
  TExceptionEvent OnException;
  TNotifyEvent OnIdle;

 private:
  friend class TCustomForm;
  void Notification(TComponent* component, TOperation operation) override;
  bool ProcessMessage(MSG& msg);
  void ReleaseForms();

  TCustomForm* MainForm_ = nullptr;
  std::vector<TCustomForm*> Released_;
  bool Terminated_ = false;
};

TApplication& Application();
TScreen& Screen();

}  // namespace spv::platform
