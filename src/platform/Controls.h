#pragma once
// Controls: graphic controls (painted by their parent) and windowed controls (a real HWND each),
// with bounds, alignment, parent and children, font, colour, canvas, mouse, focus and cursors.
// Every message reaches the control's WindowProc, which by default is the virtual WndProc; a
// component that takes a control's messages over saves WindowProc, installs its own and puts
// the saved one back when it is destroyed.

#include <windows.h>

#include "platform/Classes.h"
#include "platform/Graphics.h"
#include "platform/SizeConstraints.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace spv::platform {

struct TMessage {
  UINT Msg = 0;
  WPARAM WParam = 0;
  LPARAM LParam = 0;
  LRESULT Result = 0;
};
using TWndMethod = std::function<void(TMessage&)>;

// Notifications between controls of this library, never seen by Windows' own windows.
inline constexpr UINT CM_BASE = 0xB000;
inline constexpr UINT CM_ENABLEDCHANGED = CM_BASE + 1;
inline constexpr UINT CM_VISIBLECHANGED = CM_BASE + 2;
inline constexpr UINT CM_COLORCHANGED = CM_BASE + 3;
inline constexpr UINT CM_FONTCHANGED = CM_BASE + 4;
inline constexpr UINT CM_TEXTCHANGED = CM_BASE + 5;
inline constexpr UINT CM_PARENTFONTCHANGED = CM_BASE + 6;
inline constexpr UINT CM_PARENTCOLORCHANGED = CM_BASE + 7;
inline constexpr UINT CM_MOUSEENTER = CM_BASE + 8;
inline constexpr UINT CM_MOUSELEAVE = CM_BASE + 9;
// A left press went to a control: the focused control hears it, lParam the TControl* pressed,
// so that a drop-down it shows can close when the press was elsewhere.
inline constexpr UINT CM_CANCELMODE = CM_BASE + 10;
// The application is about to show the control's hint: lParam is the THintInfo* (Hints.h) with
// the pointer, the text and the rect the hint holds for, which the control may change (a hint
// that depends on the place under the pointer); a Result other than 0 refuses the hint.
inline constexpr UINT CM_HINTSHOW = CM_BASE + 11;
// A form without a window yet is asked what its client area would be: lParam is a RECT* holding
// the window's rectangle, to be made the client area's (as WM_NCCALCSIZE does); a Result other
// than 0 says it was. Whoever draws the form's frame answers, so that the form is laid out for
// its real frame before its window is made.
inline constexpr UINT CM_CALCCLIENTRECT = CM_BASE + 12;

// Notifications a parent passes back to the system child window they came from: CN_BASE +
// the message (WM_COMMAND, WM_NOTIFY, WM_CTLCOLOREDIT, WM_CTLCOLORSTATIC), same wParam and lParam.
inline constexpr UINT CN_BASE = 0xBC00;
inline constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;
inline constexpr UINT CN_NOTIFY = CN_BASE + WM_NOTIFY;
inline constexpr UINT CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT;
inline constexpr UINT CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC;

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum class TMouseButton { mbLeft, mbRight, mbMiddle };

enum TShiftFlag : unsigned {
  ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32, ssDouble = 64
};
using TShiftState = unsigned;
// The shift state of a mouse message's wParam, with Alt from the keyboard.
TShiftState MouseShiftState(WPARAM keys);
// The shift state of the keyboard now.
TShiftState KeyboardShiftState();

// Cursors: 0 is the control's default, negative values the system cursors.
using TCursor = int;
inline constexpr TCursor crDefault = 0, crNone = -1, crArrow = -2, crCross = -3, crIBeam = -4, crSizeNESW = -6,
                         crSizeNS = -7, crSizeNWSE = -8, crSizeWE = -9, crUpArrow = -10, crHourGlass = -11,
                         crNo = -18, crAppStart = -19, crHelp = -20, crHandPoint = -21, crSizeAll = -22;
HCURSOR CursorHandle(TCursor cursor);

using TMouseEvent = std::function<void(TObject* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TObject* sender, TShiftState shift, int x, int y)>;
using TKeyEvent = std::function<void(TObject* sender, WORD& key, TShiftState shift)>;
using TKeyPressEvent = std::function<void(TObject* sender, wchar_t& key)>;

class TWinControl;
class TControl;

// The canvas of a control. Outside painting it takes a device context of the control's window
// on demand and gives it back when the message being handled is done.
class TControlCanvas : public TCanvas {
 public:
  explicit TControlCanvas(TControl& control) : Control_(control) {}
  ~TControlCanvas() override;
  // Gives back a device context taken on demand.
  void FreeHandle();

 protected:
  void CreateHandle() override;

 private:
  TControl& Control_;
  HWND Window_ = nullptr;
  HDC Owned_ = nullptr;
};

class TControl : public TComponent {
 public:
  explicit TControl(TComponent* owner = nullptr);
  ~TControl() override;
  std::string_view ClassName() const override { return "TControl"; }

  TWinControl* Parent() const { return Parent_; }
  virtual void SetParent(TWinControl* parent);
  void SetParentComponent(TComponent* parent) override;

  int Left() const { return Left_; }
  int Top() const { return Top_; }
  int Width() const { return Width_; }
  int Height() const { return Height_; }
  void SetLeft(int v) { SetBounds(v, Top_, Width_, Height_); }
  void SetTop(int v) { SetBounds(Left_, v, Width_, Height_); }
  void SetWidth(int v) { SetBounds(Left_, Top_, v, Height_); }
  void SetHeight(int v) { SetBounds(Left_, Top_, Width_, v); }
  RECT BoundsRect() const { return {Left_, Top_, Left_ + Width_, Top_ + Height_}; }
  // Sizes below 0 count as 0.
  virtual void SetBounds(int left, int top, int width, int height);
  // The client area in the control's own coordinates.
  virtual RECT ClientRect() const;
  int ClientWidth() const { return ClientRect().right; }
  int ClientHeight() const { return ClientRect().bottom; }
  virtual void SetClientSize(int width, int height);
  void SetClientWidth(int v) { SetClientSize(v, ClientHeight()); }
  void SetClientHeight(int v) { SetClientSize(ClientWidth(), v); }
  POINT ClientToScreen(POINT p) const;
  POINT ScreenToClient(POINT p) const;
  // The position of the client area's origin within the nearest window (0,0 for a window).
  POINT ClientOrigin() const;

  TAlign Align() const { return Align_; }
  void SetAlign(TAlign align);

  bool Visible() const { return Visible_; }
  virtual void SetVisible(bool visible);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible, with every parent up to the top window visible too.
  bool Showing() const;
  bool Enabled() const { return Enabled_; }
  virtual void SetEnabled(bool enabled);

  const std::wstring& Caption() const { return Caption_; }
  void SetCaption(std::wstring_view caption);

  TFont& Font() { return Font_; }
  const TFont& Font() const { return Font_; }
  bool ParentFont() const { return ParentFont_; }
  void SetParentFont(bool value);
  TColor Color() const { return Color_; }
  void SetColor(TColor color);
  bool ParentColor() const { return ParentColor_; }
  void SetParentColor(bool value);
  TCursor Cursor() const { return Cursor_; }
  void SetCursor(TCursor cursor) { Cursor_ = cursor; }
  // The text shown when the pointer rests on the control; an empty hint takes the parent's.
  std::wstring Hint;
  // Whether the pointer resting on the control shows its hint. While ParentShowHint is set (the
  // default) the control follows its parent; setting ShowHint clears ParentShowHint.
  bool ShowHint() const;
  void SetShowHint(bool value);
  bool ParentShowHint() const { return ParentShowHint_; }
  void SetParentShowHint(bool value) { ParentShowHint_ = value; }
  // Every SetBounds keeps to these.
  TSizeConstraints Constraints;

  // The nearest window this control draws on: itself, or the parent's for a graphic control.
  virtual HWND WindowHandle() const;
  virtual void Invalidate();
  // Paints the invalid parts now.
  void Update();
  void Repaint();

  // Captures the mouse for this control (SetCapture on its window).
  bool MouseCapture() const;
  void SetMouseCapture(bool capture);

  // Sends a message straight to WindowProc and returns its result.
  LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
  // Where every message of the control goes first; replaceable (see the file comment).
  TWndMethod WindowProc;

  TNotifyEvent OnClick, OnDblClick, OnResize;
  TMouseEvent OnMouseDown, OnMouseUp;
  TMouseMoveEvent OnMouseMove;

  bool ReadProperty(const TStoredProperty& property, TFormReader& reader) override;
  void Loaded() override;

 protected:
  virtual void WndProc(TMessage& message);
  // Messages nothing handled: the window's own default procedure.
  virtual void DefaultHandler(TMessage& message);
  virtual void Click();
  virtual void DblClick();
  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseMove(TShiftState shift, int x, int y);
  virtual void Resize();
  // The control's text changed; a window shows it.
  virtual void TextChanged();
  // Bounds have been stored; a window moves.
  virtual void BoundsChanged();
  // Sends a CM_ notification to this control and to its children.
  virtual void NotifyChildren(UINT msg);
  void RequestAlign();

  int Left_ = 0, Top_ = 0, Width_ = 0, Height_ = 0;
  std::wstring Caption_;

 private:
  friend class TWinControl;
  void FontChanged();

  TWinControl* Parent_ = nullptr;
  TAlign Align_ = TAlign::alNone;
  bool Visible_ = true;
  bool Enabled_ = true;
  bool ParentFont_ = true;
  bool ParentColor_ = false;
  bool ShowHint_ = false;
  bool ParentShowHint_ = true;
  bool Clicking_ = false;
  bool SettingParentFont_ = false;
  bool ResizedWhileLoading_ = false;
  TColor Color_ = clBtnFace;
  TCursor Cursor_ = crDefault;
  TFont Font_;
};

// A control without a window of its own: it paints on its parent's window.
class TGraphicControl : public TControl {
 public:
  explicit TGraphicControl(TComponent* owner = nullptr);
  std::string_view ClassName() const override { return "TGraphicControl"; }
  TCanvas& Canvas() { return Canvas_; }
  // Draws the control; the canvas's origin is the control's top-left corner.
  virtual void Paint() {}

 private:
  friend class TWinControl;
  TControlCanvas Canvas_;
};

// How a window is made: CreateWindowExW's arguments.
struct TCreateParams {
  std::wstring Caption;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  int X = 0, Y = 0, Width = 0, Height = 0;
  HWND WndParent = nullptr;
  // Empty: the library's own window class. A system class ("EDIT", "SysTabControl32") makes a
  // window whose own procedure becomes the default handler.
  std::wstring WinClassName;
  UINT ClassStyle = CS_DBLCLKS;
};

class TWinControl : public TControl {
 public:
  explicit TWinControl(TComponent* owner = nullptr);
  ~TWinControl() override;
  std::string_view ClassName() const override { return "TWinControl"; }

  // The window, created on demand (with the parent's first).
  HWND Handle();
  bool HandleAllocated() const { return Handle_ != nullptr; }
  void HandleNeeded() { Handle(); }
  HWND WindowHandle() const override { return Handle_; }
  // Destroys the window and makes it again from the control's state; children too.
  void RecreateWnd();
  // The control of a window of this library, or null.
  static TWinControl* FromHandle(HWND window);

  // Children in z-order, the bottom one first.
  int ControlCount() const { return int(Controls_.size()); }
  TControl* Controls(int index) const;
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);
  void BringToFront(TControl* control);
  // The child under a point of the client area, topmost first; null for none.
  TControl* ControlAtPos(POINT p, bool allowDisabled = false) const;

  // Windowed children in tab order.
  int TabOrder() const;
  void SetTabOrder(int order);
  bool TabStop() const { return TabStop_; }
  void SetTabStop(bool value) { TabStop_ = value; }
  std::vector<TWinControl*> TabOrderList() const;
  // Moves the focus to the next (or previous) tab stop after `current` within this control.
  bool SelectNext(TWinControl* current, bool forward);

  // Realigns the children now. While alignment is disabled (and while loading) it waits.
  void Realign() { AlignFor(nullptr); }
  void DisableAlign() { ++AlignDisabled_; }
  void EnableAlign();

  bool Focused() const;
  bool CanFocus() const;
  virtual void SetFocus();

  void SetBounds(int left, int top, int width, int height) override;
  RECT ClientRect() const override;
  void SetVisible(bool visible) override;
  void SetEnabled(bool enabled) override;
  void Invalidate() override;

  TNotifyEvent OnEnter, OnExit;
  TKeyEvent OnKeyDown, OnKeyUp;
  TKeyPressEvent OnKeyPress;

  bool ReadProperty(const TStoredProperty& property, TFormReader& reader) override;
  void Loaded() override;

 protected:
  virtual void CreateParams(TCreateParams& params);
  // Makes the window, and those of the children that show.
  virtual void CreateHandle();
  virtual void CreateWnd();
  virtual void DestroyWnd();
  void DestroyHandle();
  void WndProc(TMessage& message) override;
  void DefaultHandler(TMessage& message) override;
  void TextChanged() override;
  void BoundsChanged() override;
  void NotifyChildren(UINT msg) override;
  // Lays the aligned children out within the client area.
  virtual void AlignControls(RECT& rect);
  // Paints the window's own content into the paint context; the library's own windows fill
  // nothing here (the background was erased with Color).
  virtual void PaintWindow(HDC dc);
  // Paints the graphic children.
  void PaintControls(HDC dc);
  virtual void KeyDown(WORD& key, TShiftState shift);
  virtual void KeyUp(WORD& key, TShiftState shift);
  virtual void KeyPress(wchar_t& key);
  virtual void DoEnter();
  virtual void DoExit();
  // Told to the outermost control when a control within it takes the focus.
  virtual void FocusMovedTo(TWinControl*) {}
  // Places the window in the z-order of its siblings that the control list says.
  void UpdateZOrder();
  // Puts the window in its place among its siblings' windows, as the control list says.
  void PlaceAmongSiblings();
  // The window was resized or moved by someone else: take its bounds.
  void UpdateBounds();
  bool HasGraphicChildren() const;
  // The window has a non-client part to paint: a border, an edge or scroll bars.
  bool HasFrame() const;

 private:
  friend class TControl;
  static LRESULT CALLBACK InitialWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK MainWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
  static LRESULT Deliver(TWinControl* control, HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
  void Attach(HWND window);
  void Detach();
  // Realigns; `changed` (the control whose place or alignment changed) goes first among
  // controls in the same place.
  void AlignFor(TControl* changed);
  void RouteMouse(TMessage& message, bool& handled);

  HWND Handle_ = nullptr;
  WNDPROC DefWndProc_ = nullptr;
  std::vector<TControl*> Controls_;
  std::vector<TWinControl*> TabList_;
  TControl* MouseControl_ = nullptr;  // the graphic child under the pointer
  TControl* AlignChanged_ = nullptr;
  bool TabStop_ = false;
  bool TrackingMouse_ = false;
  bool Realigning_ = false;
  bool AlignPending_ = false;  // a layout asked for while alignment waited or ran
  bool MakingChildren_ = false;  // the children's windows are being made, in their order
  int AlignDisabled_ = 0;
};

// A windowed control that paints itself on its canvas.
class TCustomControl : public TWinControl {
 public:
  explicit TCustomControl(TComponent* owner = nullptr);
  std::string_view ClassName() const override { return "TCustomControl"; }
  TCanvas& Canvas() { return Canvas_; }

 protected:
  // Draws the control on Canvas(); the background has been erased with Color.
  virtual void Paint() {}
  void PaintWindow(HDC dc) override;

 private:
  TControlCanvas Canvas_;
};

// The graphic control the pointer holds (it captured the mouse), or null.
TControl* CaptureControl();

}  // namespace spv::platform
