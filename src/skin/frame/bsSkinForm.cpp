#include "skin/frame/bsSkinForm.h"

#include "platform/FormReader.h"
#include "platform/SysUtils.h"
#include "skin/frame/bsSkinMenus.h"
#include "skin/resources/bsEffects.h"
#include "skin/resources/bsSkinClientWin.h"
#include "skin/resources/bsSkinMessages.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>

namespace bs {

using spv::platform::TCanvas;
using spv::platform::TComponent;
using spv::platform::TCustomForm;
using spv::platform::TFormBorderStyle;
using spv::platform::TMessage;
using spv::platform::TMouseButton;

static_assert(hcClient == HTCLIENT && hcCaption == HTCAPTION && hcLeft == HTLEFT && hcRight == HTRIGHT &&
              hcTop == HTTOP && hcTopLeft == HTTOPLEFT && hcTopRight == HTTOPRIGHT && hcBottom == HTBOTTOM &&
              hcBottomLeft == HTBOTTOMLEFT && hcBottomRight == HTBOTTOMRIGHT && hcObject == HTOBJECT);

namespace {

// The fade-in's one-shot timer on the form's window.
constexpr UINT_PTR kFadeInTimer = 1;

COLORREF Rgb(spv::platform::TColor c) { return spv::platform::ColorToRGB(c); }

RECT WindowRectOf(HWND h) {
  RECT r{};
  if (h) GetWindowRect(h, &r);
  return r;
}

bool IsSizingCode(LRESULT code) { return code >= HTLEFT && code <= HTBOTTOMRIGHT; }

void FillSolid(HDC dc, const RECT& r, COLORREF colour) {
  const HBRUSH brush = CreateSolidBrush(colour);
  ::FillRect(dc, &r, brush);
  DeleteObject(brush);
}

// Tiles `tile` of `picture` over the client area from its top-left corner.
void TileClient(HDC dc, const TbsFBitmap& picture, const TRect& tile, int clientWidth, int clientHeight) {
  const int tw = WidthOfRect(tile), th = HeightOfRect(tile);
  if (tw <= 0 || th <= 0 || clientWidth <= 0 || clientHeight <= 0) return;
  for (int j = 0; j <= clientHeight / th; ++j)
    for (int i = 0; i <= clientWidth / tw; ++i)
      BitBlt(dc, i * tw, j * th, tw, th, picture.DC(), tile.Left, tile.Top, SRCCOPY);
}

bool LayeredWindowsAvailable() {
  HMODULE user = GetModuleHandleW(L"user32.dll");
  return user && GetProcAddress(user, "SetLayeredWindowAttributes");
}

void SetLayeredStyle(HWND h, bool on) {
  const LONG_PTR ex = GetWindowLongPtrW(h, GWL_EXSTYLE);
  const LONG_PTR next = on ? (ex | WS_EX_LAYERED) : (ex & ~LONG_PTR(WS_EX_LAYERED));
  if (next != ex) SetWindowLongPtrW(h, GWL_EXSTYLE, next);
}

// Where PositionInMonitor puts a window of width x height: centred on the monitor nearest to
// it, in the whole monitor area or in its work area.
RECT PlacedInMonitor(HWND window, TbsPositionInMonitor position, int width, int height) {
  const RECT area = WorkAreaOf(window, position == TbsPositionInMonitor::bspDesktopCenter);
  const int left = area.left + (area.right - area.left) / 2 - width / 2;
  const int top = area.top + (area.bottom - area.top) / 2 - height / 2;
  return {left, top, left + width, top + height};
}

TbsSkinForm* FrameOf(TCustomForm* form) {
  for (int i = 0; i < form->ComponentCount(); ++i)
    if (auto* frame = dynamic_cast<TbsSkinForm*>(form->Components(i))) return frame;
  return nullptr;
}

constexpr std::array<spv::platform::TEnumName<unsigned>, 5> kBorderIconNames{{
    {"biSystemMenu", biSystemMenu},
    {"biMinimize", biMinimize},
    {"biMaximize", biMaximize},
    {"biRollUp", biRollUp},
    {"biMinimizeToTray", biMinimizeToTray},
}};
constexpr std::array<spv::platform::TEnumName<TbsPositionInMonitor>, 3> kPositionNames{{
    {"bspDefault", TbsPositionInMonitor::bspDefault},
    {"bspScreenCenter", TbsPositionInMonitor::bspScreenCenter},
    {"bspDesktopCenter", TbsPositionInMonitor::bspDesktopCenter},
}};

}  // namespace

// ---- Construction ---------------------------------------------------------------------------

TbsSkinForm::TbsSkinForm(TComponent* owner)
    : TComponent(owner), Form_(dynamic_cast<TCustomForm*>(owner)), Alive_(std::make_shared<bool>(true)) {
  if (!Form_) throw std::invalid_argument("TbsSkinForm: the owner must be a form");
  FormActive_ = NCActive_ = Form_->Active();
  using namespace spv::platform;
  for (TFont* f : {&DefCaptionFont_, &DefInActiveCaptionFont_, &DefMenuItemFont_}) {
    f->SetName(L"Arial");
    f->SetHeight(14);
  }
  DefCaptionFont_.SetStyle(fsBold);
  DefCaptionFont_.SetColor(clBtnText);
  DefInActiveCaptionFont_.SetStyle(fsBold);
  DefInActiveCaptionFont_.SetColor(clBtnShadow);
  DefMenuItemFont_.SetColor(clWindowText);

  const std::pair<TTimer*, unsigned> timers[] = {{&FrameTimer_, 50}, {&MorphTimer_, 25}, {&AnimationTimer_, 25}};
  for (auto [timer, interval] : timers) {
    timer->SetEnabled(false);
    timer->SetInterval(interval);
  }
  FrameTimer_.OnTimer = [this](TObject*) { FrameTimerTick(); };
  MorphTimer_.OnTimer = [this](TObject*) { MorphTimerTick(); };
  AnimationTimer_.OnTimer = [this](TObject*) { AnimationTimerTick(); };

  FormBorderIcons_ = Form_->BorderIcons();
  Form_->SetBorderIcons(0);
  Form_->AutoSize = false;
  Form_->AutoScroll = false;
  Form_->OnShortCut = [this](MSG& msg, bool& handled) { ShortCut(msg, handled); };
  CreateMenus();

  PreviousWndProc_ = Form_->WindowProc;
  Form_->WindowProc = [this](TMessage& m) { FrameWndProc(m); };
  // A window made before the frame took over gets made again, now without a caption.
  Form_->RecreateWnd();
}

TbsSkinForm::~TbsSkinForm() {
  ReleaseMenus();
  *Alive_ = false;
  StopTimers();
  if (HWND h = Form_->WindowHandle()) KillTimer(h, kFadeInTimer);
  Form_->WindowProc = PreviousWndProc_;
  Form_->OnShortCut = nullptr;
  // A form that lives on gets its own frame back, with its own caption buttons; the region
  // goes with the old window.
  if (!Form_->Destroying()) {
    if (Form_->BorderIcons() != FormBorderIcons_) Form_->SetBorderIcons(FormBorderIcons_);
    else Form_->RecreateWnd();
  }
  if (SmallIcon_) DestroyIcon(SmallIcon_);
}

bool TbsSkinForm::Sizeable() const {
  const auto style = Form_->BorderStyle();
  return style == TFormBorderStyle::bsSizeable || style == TFormBorderStyle::bsSizeToolWin;
}

bool TbsSkinForm::ToolWindow() const {
  const auto style = Form_->BorderStyle();
  return style == TFormBorderStyle::bsToolWindow || style == TFormBorderStyle::bsSizeToolWin;
}

bool TbsSkinForm::NoBorder() const { return Form_->BorderStyle() == TFormBorderStyle::bsNone; }

bool TbsSkinForm::EffectsAllowed() const { return Skinned_ && SkinData_->EnableSkinEffects; }

HWND TbsSkinForm::Window() const { return Form_->WindowHandle(); }

// ---- Properties -----------------------------------------------------------------------------

void TbsSkinForm::SetSkinData(TbsSkinData* value) {
  if (SkinData_ && SkinData_ != MenusSkinData_) RemoveFreeNotification(SkinData_);
  SkinData_ = value;
  if (value) FreeNotification(value);
  if (!(ComponentState() & spv::platform::csDesigning)) ApplySkin();
}

void TbsSkinForm::SetMenusSkinData(TbsSkinData* value) {
  if (MenusSkinData_ && MenusSkinData_ != SkinData_) RemoveFreeNotification(MenusSkinData_);
  MenusSkinData_ = value;
  if (value) FreeNotification(value);
}

void TbsSkinForm::Notification(TComponent* component, spv::platform::TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation != spv::platform::TOperation::opRemove) return;
  if (component == MenusSkinData_) MenusSkinData_ = nullptr;
  if (component == reinterpret_cast<TComponent*>(TrayIcon_)) TrayIcon_ = nullptr;
  if (component == SystemMenu_) SystemMenu_ = nullptr;
  if (component == SkinData_) {
    SkinData_ = nullptr;
    if (!Destroying() && !Form_->Destroying()) ApplySkin();
  }
}

void TbsSkinForm::SetBorderIcons(TbsBorderIcons value) {
  BorderIcons_ = value;
  if (Skinned_) {
    // A skinned frame keeps the skin's buttons and only changes which of them are usable.
    BuildObjectsFromSkin();
    ApplyBorderIcons();
    LoadButtonHints();
    ArrangeFrameObjects();
  } else {
    BuildBuiltInButtons();
    ApplyBorderIcons();
  }
  NCRepaint();
}

void TbsSkinForm::SetHideCaptionButtons(bool value) {
  HideCaptionButtons_ = value;
  ApplyBorderIcons();
  NCRepaint();
}

void TbsSkinForm::SetAlphaBlend(bool value) {
  AlphaBlend_ = value;
  HWND h = Window();
  if (!h || !LayeredWindowsAvailable()) return;
  SetLayeredStyle(h, value);
  if (value) SetWindowAlphaValue(h, AlphaBlendValue_);
}

void TbsSkinForm::SetAlphaBlendValue(BYTE value) {
  AlphaBlendValue_ = value;
  if (HWND h = Window(); h && AlphaBlend_ && LayeredWindowsAvailable()) SetWindowAlphaValue(h, value);
}

bool TbsSkinForm::ReadProperty(const spv::platform::TStoredProperty& p, spv::platform::TFormReader& reader) {
  using spv::platform::SameIdent;
  const std::string& n = p.Name;
  auto byte = [&p] { return BYTE(std::clamp(p.Int(), 0, 255)); };
  if (SameIdent(n, "SkinData")) reader.ResolveReference<TbsSkinData>(p, [this](TbsSkinData* s) { SetSkinData(s); });
  else if (SameIdent(n, "MenusSkinData"))
    reader.ResolveReference<TbsSkinData>(p, [this](TbsSkinData* s) { SetMenusSkinData(s); });
  else if (SameIdent(n, "BorderIcons")) SetBorderIcons(p.Flags(kBorderIconNames));
  else if (SameIdent(n, "HideCaptionButtons")) SetHideCaptionButtons(p.Boolean());
  else if (SameIdent(n, "PositionInMonitor")) PositionInMonitor = p.Enum<TbsPositionInMonitor>(kPositionNames);
  else if (SameIdent(n, "MinWidth")) MinWidth = p.Int();
  else if (SameIdent(n, "MinHeight")) MinHeight = p.Int();
  else if (SameIdent(n, "MaxWidth")) MaxWidth = p.Int();
  else if (SameIdent(n, "MaxHeight")) MaxHeight = p.Int();
  else if (SameIdent(n, "ClientWidth")) ClientWidth = p.Int();
  else if (SameIdent(n, "ClientHeight")) ClientHeight = p.Int();
  else if (SameIdent(n, "UseFormCursorInNCArea")) UseFormCursorInNCArea = p.Boolean();
  else if (SameIdent(n, "ShowIcon")) ShowIcon = p.Boolean();
  else if (SameIdent(n, "MaximizeOnFullScreen")) MaximizeOnFullScreen = p.Boolean();
  else if (SameIdent(n, "AlphaBlend")) SetAlphaBlend(p.Boolean());
  else if (SameIdent(n, "AlphaBlendAnimation")) AlphaBlendAnimation = p.Boolean();
  else if (SameIdent(n, "AlphaBlendValue")) SetAlphaBlendValue(byte());
  else if (SameIdent(n, "Magnetic")) Magnetic = p.Boolean();
  else if (SameIdent(n, "MagneticSize")) MagneticSize = byte();
  else if (SameIdent(n, "LogoBitMapTransparent")) LogoBitMapTransparent = p.Boolean();
  else if (SameIdent(n, "ShowObjectHint")) ShowObjectHint = p.Boolean();
  else if (SameIdent(n, "UseDefaultObjectHint")) UseDefaultObjectHint = p.Boolean();
  else if (SameIdent(n, "UseDefaultSysMenu")) UseDefaultSysMenu = p.Boolean();
  else if (SameIdent(n, "AlwaysShowInTray")) AlwaysShowInTray = p.Boolean();
  else if (SameIdent(n, "AlwaysMinimizeToTray")) AlwaysMinimizeToTray = p.Boolean();
  else if (SameIdent(n, "MenusAlphaBlend")) MenusAlphaBlend = p.Boolean();
  else if (SameIdent(n, "MenusAlphaBlendAnimation")) MenusAlphaBlendAnimation = p.Boolean();
  else if (SameIdent(n, "MenusAlphaBlendValue")) MenusAlphaBlendValue = byte();
  else if (SameIdent(n, "MaxMenuItemsInWindow")) MaxMenuItemsInWindow = p.Int();
  else if (SameIdent(n, "DefMenuItemHeight")) DefMenuItemHeight = p.Int();
  else if (SameIdent(n, "UseSkinFontInMenu")) UseSkinFontInMenu = p.Boolean();
  else if (auto m = p.Member("DefCaptionFont")) return DefCaptionFont_.ReadProperty(*m, p);
  else if (auto m = p.Member("DefInActiveCaptionFont")) return DefInActiveCaptionFont_.ReadProperty(*m, p);
  else if (auto m = p.Member("DefMenuItemFont")) return DefMenuItemFont_.ReadProperty(*m, p);
  else return TComponent::ReadProperty(p, reader);
  return true;
}

// ---- Objects --------------------------------------------------------------------------------

TbsActiveSkinObject* TbsSkinForm::Objects(int index) const {
  if (index < 0 || index >= ObjectCount())
    throw spv::platform::Exception("Frame object index " + std::to_string(index) + " out of range (" +
                                   std::to_string(ObjectCount()) + " objects)");
  return Objects_[std::size_t(index)].get();
}

TbsActiveSkinObject* TbsSkinForm::FindObject(std::string_view idName) const {
  for (const auto& o : Objects_)
    if (o->IDName == idName) return o.get();
  return nullptr;
}

void TbsSkinForm::FreeObjects() {
  Objects_.clear();
  Hot_ = PreviousHot_ = Pressed_ = -1;
}

void TbsSkinForm::BuildBuiltInButtons() {
  FreeObjects();
  const std::pair<const char*, TbsStdCommand> set[] = {
      {"closebutton", TbsStdCommand::cmClose},     {"maxbutton", TbsStdCommand::cmMaximize},
      {"minbutton", TbsStdCommand::cmMinimize},    {"rollupbutton", TbsStdCommand::cmRollUp},
      {"sysmenubutton", TbsStdCommand::cmSysMenu}, {"traybutton", TbsStdCommand::cmMinimizeToTray},
  };
  for (auto [name, command] : set) {
    auto button = std::make_unique<TbsSkinStdButtonObject>(*this, nullptr);
    button->IDName = name;
    button->Command = command;
    button->SkinRectInAPicture = true;
    button->SkinRect = button->ObjectRect = Rect(0, 0, 1, 1);
    Objects_.push_back(std::move(button));
  }
  ArrangeBuiltInObjects();
}

void TbsSkinForm::BuildObjectsFromSkin() {
  FreeObjects();
  for (const auto& d : SkinData_->SkinObjects) {
    const TbsDataSkinObject* data = d.get();
    // Menu items and the menu bar's pieces belong to the menus, not to the frame.
    if (dynamic_cast<const TbsDataSkinMenuItem*>(data) || dynamic_cast<const TbsDataSkinMainMenuItem*>(data) ||
        dynamic_cast<const TbsDataSkinMainMenuBarButton*>(data))
      continue;
    std::unique_ptr<TbsActiveSkinObject> object;
    if (auto* std = dynamic_cast<const TbsDataSkinStdButton*>(data))
      object = std::make_unique<TbsSkinStdButtonObject>(*this, std);
    else if (auto* button = dynamic_cast<const TbsDataSkinButton*>(data))
      object = std::make_unique<TbsSkinButtonObject>(*this, button);
    else if (auto* caption = dynamic_cast<const TbsDataSkinCaption*>(data))
      object = std::make_unique<TbsSkinCaptionObject>(*this, caption);
    else if (auto* animate = dynamic_cast<const TbsDataSkinAnimate*>(data))
      object = std::make_unique<TbsSkinAnimateObject>(*this, animate);
    else if (auto* user = dynamic_cast<const TbsDataUserObject*>(data))
      object = std::make_unique<TbsUserObject>(*this, user);
    if (object) Objects_.push_back(std::move(object));
  }
}

void TbsSkinForm::CachePictures() {
  MainPicture_ = SkinData_->Picture.Image;
  ActivePictures_.clear();
  ActivePictures_.reserve(SkinData_->ActivePictures.size());
  for (const auto& picture : SkinData_->ActivePictures) ActivePictures_.emplace_back(picture.Image);
}

const TbsFBitmap* TbsSkinForm::MainPicture() const { return MainPicture_.Empty() ? nullptr : &MainPicture_; }

const TbsFBitmap* TbsSkinForm::ActivePicture(int index) const {
  if (index < 0 || index >= int(ActivePictures_.size()) || ActivePictures_[std::size_t(index)].Empty())
    return nullptr;
  return &ActivePictures_[std::size_t(index)];
}

HICON TbsSkinForm::SmallIcon() {
  if (!SmallIcon_) {
    int cx = GetSystemMetrics(SM_CXSMICON), cy = GetSystemMetrics(SM_CYSMICON);
    if (cx == 0 || cy == 0) cx = GetSystemMetrics(SM_CXSIZE), cy = GetSystemMetrics(SM_CYSIZE);
    HICON source = nullptr;
    if (HWND h = Window()) source = reinterpret_cast<HICON>(SendMessageW(h, WM_GETICON, ICON_SMALL, 0));
    if (!source) source = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
    if (!source) source = LoadIconW(nullptr, IDI_APPLICATION);
    SmallIcon_ = static_cast<HICON>(CopyImage(source, IMAGE_ICON, cx, cy, 0));
  }
  return SmallIcon_;
}

void TbsSkinForm::ApplyBorderIcons() {
  for (auto& o : Objects_) o->Enabled = o->Visible = true;
  for (auto& o : Objects_) {
    TbsStdCommand command;
    if (auto* b = dynamic_cast<TbsSkinStdButtonObject*>(o.get())) command = b->Command;
    else if (auto* a = dynamic_cast<TbsSkinAnimateObject*>(o.get())) command = a->Command;
    else continue;
    // A button drawn on the frame picture stays visible when disabled, so that its disabled
    // image (if any) covers the picture's.
    auto disable = [&] {
      o->Enabled = false;
      o->Visible = !o->SkinRectInAPicture;
    };
    if (HideCaptionButtons_) {
      disable();
      continue;
    }
    switch (command) {
      case TbsStdCommand::cmDefault: {
        bool visible = true;
        if (OnActivateCustomObject) OnActivateCustomObject(o->IDName, visible);
        else visible = false;
        o->Visible = visible;
        break;
      }
      case TbsStdCommand::cmMinimizeToTray: if (!(BorderIcons_ & biMinimizeToTray)) disable(); break;
      case TbsStdCommand::cmRollUp: if (!(BorderIcons_ & biRollUp)) disable(); break;
      case TbsStdCommand::cmMaximize: if (!(BorderIcons_ & biMaximize)) disable(); break;
      case TbsStdCommand::cmMinimize: if (!(BorderIcons_ & biMinimize)) disable(); break;
      case TbsStdCommand::cmSysMenu: if (!(BorderIcons_ & biSystemMenu)) disable(); break;
      case TbsStdCommand::cmClose: break;
    }
  }
}

void TbsSkinForm::LoadButtonHints() {
  if (!UseDefaultObjectHint || !SkinData_) return;
  static const TbsResourceStrDataCore builtIn;
  const TbsResourceStrDataCore& strings =
      SkinData_->ResourceStrData() ? static_cast<const TbsResourceStrDataCore&>(*SkinData_->ResourceStrData())
                                   : builtIn;
  for (auto& o : Objects_) {
    TbsStdCommand command;
    if (auto* b = dynamic_cast<TbsSkinStdButtonObject*>(o.get())) command = b->Command;
    else if (auto* a = dynamic_cast<TbsSkinAnimateObject*>(o.get())) command = a->Command;
    else continue;
    const char* key = nullptr;
    switch (command) {
      case TbsStdCommand::cmClose: key = "CLOSEBUTTON_HINT"; break;
      case TbsStdCommand::cmMaximize: key = "MAXBUTTON_HINT"; break;
      case TbsStdCommand::cmMinimize: key = "MINBUTTON_HINT"; break;
      case TbsStdCommand::cmSysMenu: key = "MENUBUTTON_HINT"; break;
      case TbsStdCommand::cmRollUp: key = "ROLLUPBUTTON_HINT"; break;
      case TbsStdCommand::cmMinimizeToTray: key = "TRAYBUTTON_HINT"; break;
      case TbsStdCommand::cmDefault: break;
    }
    if (key) o->Hint = strings.GetResStr(key);
  }
}

// ---- Applying a skin ------------------------------------------------------------------------

void TbsSkinForm::ApplySkin() {
  Hot_ = PreviousHot_ = Pressed_ = -1;
  Skinned_ = SkinData_ && !SkinData_->IsEmpty;
  if (Skinned_) {
    CachePictures();
    BuildObjectsFromSkin();
    ApplyBorderIcons();
    LoadButtonHints();
  } else {
    FreeObjects();
    MainPicture_.SetSize(0, 0);
    ActivePictures_.clear();
    UpdateWindowRegion();
  }
  FitFormToMinimum();
  const RECT bounds = FormBounds();
  FrameWidth_ = bounds.right - bounds.left;
  FrameHeight_ = bounds.bottom - bounds.top;
  if (Skinned_) RefreshFrame();
  if (HWND h = Window()) InvalidateRect(h, nullptr, TRUE);
  UpdateCaptionActive(true);
  FrameTimer_.SetEnabled(true);
  if (OnChangeSkinData) OnChangeSkinData(this);
  if (!RolledUp_) {
    if (ClientWidth > 0) Form_->SetClientWidth(ClientWidth);
    if (ClientHeight > 0) Form_->SetClientHeight(ClientHeight);
  }
}

void TbsSkinForm::FitFormToMinimum() {
  const int w = Form_->Width(), h = Form_->Height();
  const int minW = GetMinWidth(), minH = GetMinHeight();
  if (w < minW && h < minH) Form_->SetBounds(Form_->Left(), Form_->Top(), minW, minH);
  else if (h < minH) Form_->SetHeight(minH);
  else if (w < minW) Form_->SetWidth(minW);
  else NudgeWidth();
  if ((RolledUp_ || WindowState_ == wsMinimized) && Form_->Height() != GetMinHeight()) Form_->SetHeight(GetMinHeight());
  if (WindowState_ == wsMinimized) Form_->SetWidth(GetMinWidth());
}

void TbsSkinForm::NudgeWidth() {
  const int w = Form_->Width();
  // Out and back, on the side the limits leave room for; each step is a real resize, so the
  // frame is laid out and shaped anew.
  const int step = w + 1 > GetMaxWidth() ? -1 : 1;
  Form_->SetWidth(w + step);
  Form_->SetWidth(w);
}

RECT TbsSkinForm::FormBounds() const {
  if (HWND h = Window()) return WindowRectOf(h);
  return Form_->BoundsRect();
}

void TbsSkinForm::TakeFormSize() {
  if (FrameWidth_ != 0 && FrameHeight_ != 0) return;
  const RECT r = FormBounds();
  if (FrameWidth_ == 0) FrameWidth_ = r.right - r.left;
  if (FrameHeight_ == 0) FrameHeight_ = r.bottom - r.top;
}

// ---- Layout, region ---------------------------------------------------------------------------

void TbsSkinForm::UpdateFrameLayout() {
  TakeFormSize();
  if (!Skinned_) return;
  Layout_ = ComputeFrameLayout(SkinData_->FormInfo, SkinData_->Picture.Width(), SkinData_->Picture.Height(),
                               FrameWidth_, FrameHeight_);
}

std::vector<TbsPlacedObject> TbsSkinForm::PlacementOf() const {
  std::vector<TbsPlacedObject> placed(Objects_.size());
  for (std::size_t i = 0; i < Objects_.size(); ++i) {
    const TbsActiveSkinObject& o = *Objects_[i];
    TbsPlacedObject& p = placed[i];
    if (dynamic_cast<const TbsSkinCaptionObject*>(&o)) p.Role = TbsPlaceRole::Caption;
    if (auto* b = dynamic_cast<const TbsSkinStdButtonObject*>(&o)) {
      p.Role = TbsPlaceRole::StdButton;
      p.Command = b->Command;
    } else if (auto* a = dynamic_cast<const TbsSkinAnimateObject*>(&o)) {
      p.Role = TbsPlaceRole::StdButton;
      p.Command = a->Command;
    }
    p.InPicture = o.SkinRectInAPicture;
    p.Visible = o.Visible;
    p.SkinRect = o.SkinRect;
    p.ObjectRect = o.ObjectRect;
    if (p.Role == TbsPlaceRole::StdButton && p.Command == TbsStdCommand::cmSysMenu && ShowIcon && p.InPicture) {
      p.IconWidth = GetSystemMetrics(SM_CXSMICON);
      p.IconHeight = GetSystemMetrics(SM_CYSMICON);
    }
  }
  return placed;
}

void TbsSkinForm::ArrangeFrameObjects() {
  if (!Skinned_) return;
  auto placed = PlacementOf();
  bs::ArrangeFrameObjects(SkinData_->FormInfo, Layout_, placed);
  for (std::size_t i = 0; i < Objects_.size(); ++i) Objects_[i]->ObjectRect = placed[i].ObjectRect;
}

TRect TbsSkinForm::ArrangeBuiltInObjects() {
  TakeFormSize();
  auto placed = PlacementOf();
  const TRect band = ArrangeBuiltInButtons(FrameWidth_, ToolWindow(), placed);
  for (std::size_t i = 0; i < Objects_.size(); ++i) Objects_[i]->ObjectRect = placed[i].ObjectRect;
  return band;
}

TRect TbsSkinForm::MapSkinRect(const TRect& r) const {
  return Skinned_ ? bs::MapSkinRect(SkinData_->FormInfo, Layout_, r) : r;
}

void TbsSkinForm::RefreshFrame() {
  UpdateFrameLayout();
  ArrangeFrameObjects();
  UpdateWindowRegion();
  if (!Region_) NCRepaint();
}

void TbsSkinForm::RemoveWindowRegion() {
  MaskStrips_ = {};
  if (!Region_) return;
  Region_ = nullptr;
  if (HWND h = Window()) SetWindowRgn(h, nullptr, TRUE);
}

void TbsSkinForm::UpdateWindowRegion() {
  HWND h = Window();
  if (!h || NoBorder() || !Skinned_ || SkinData_->MaskPicture.Empty()) {
    RemoveWindowRegion();
    return;
  }
  TakeFormSize();
  if (FrameWidth_ < GetMinWidth() || FrameHeight_ < GetMinHeight()) return;
  BuildMaskStrips(SkinData_->FormInfo, SkinData_->MaskPicture.Image, Layout_, MaskStrips_);
  const TRect& mr = Layout_.MaskRect;
  TbsRegionHandle region(CreateRectRgn(mr.Left, mr.Top, mr.Right, mr.Bottom));
  const std::pair<const TImage*, TPoint> strips[] = {
      {&MaskStrips_.Top, {0, 0}},
      {&MaskStrips_.Bottom, {0, mr.Bottom}},
      {&MaskStrips_.Left, {0, mr.Top}},
      {&MaskStrips_.Right, {mr.Right, mr.Top}},
  };
  for (auto [strip, at] : strips) {
    if (strip->Empty()) continue;
    if (TbsRegionHandle part = RegionFromRunData(MaskToRegionRuns(*strip, at.X, at.Y)))
      CombineRgn(region.get(), region.get(), part.get(), RGN_OR);
  }
  // From here the window owns the region, and deletes the one it had.
  Region_ = region.release();
  SetWindowRgn(h, Region_, TRUE);
}

// ---- Size limits and hit testing --------------------------------------------------------------

TbsSizeLimitsInput TbsSkinForm::LimitsInput() const {
  TbsSizeLimitsInput in;
  in.Skinned = Skinned_;
  if (Skinned_) {
    in.PicWidth = SkinData_->Picture.Width();
    in.PicHeight = SkinData_->Picture.Height();
    in.SkinClientRect = SkinData_->FormInfo.ClientRect;
    in.FormMinWidth = SkinData_->FormInfo.FormMinWidth;
  }
  in.BuiltInCaptionHeight = BuiltInCaptionHeight(ToolWindow());
  in.MinWidth = MinWidth;
  in.MinHeight = MinHeight;
  in.MaxWidth = MaxWidth;
  in.MaxHeight = MaxHeight;
  in.Minimized = WindowState_ == wsMinimized;
  in.RolledUp = RolledUp_;
  return in;
}

int TbsSkinForm::GetMinWidth() const { return FrameMinWidth(LimitsInput()); }
int TbsSkinForm::GetMinHeight() const { return FrameMinHeight(LimitsInput()); }

int TbsSkinForm::GetMaxWidth() const {
  const RECT area = WorkAreaOf(Window(), !MaximizeOnFullScreen);
  return FrameMaxWidth(LimitsInput(), area.right - area.left);
}

int TbsSkinForm::GetMaxHeight() const {
  const RECT area = WorkAreaOf(Window(), !MaximizeOnFullScreen);
  return FrameMaxHeight(LimitsInput(), area.bottom - area.top);
}

TPoint TbsSkinForm::ScreenToFrame(TPoint p) const {
  const RECT r = FormBounds();
  return {p.X - r.left, p.Y - r.top};
}

TPoint TbsSkinForm::MessagePoint(LPARAM lParam) const {
  // Coordinates are signed: a second monitor left of or above the first gives negative ones.
  return ScreenToFrame({short(LOWORD(lParam)), short(HIWORD(lParam))});
}

int TbsSkinForm::SkinnedHitTest(TPoint p) const {
  std::vector<TRect> captions;
  for (const auto& o : Objects_)
    if (dynamic_cast<const TbsSkinCaptionObject*>(o.get())) captions.push_back(o->ObjectRect);
  TbsSkinnedHitInput in;
  in.Layout = &Layout_;
  in.Mask = &MaskStrips_;
  in.BorderWidth = SkinData_->FormInfo.BorderWidth;
  in.CaptionRects = captions;
  in.ObjectHot = Hot_ >= 0;
  in.InSizeMove = InSizeMove_;
  in.Maximized = Maximized();
  in.Minimized = WindowState_ == wsMinimized;
  in.RolledUp = RolledUp_;
  in.Sizeable = Sizeable();
  return bs::SkinnedHitTest(in, p);
}

int TbsSkinForm::BuiltInHitTest(TPoint p) const {
  const RECT r = FormBounds();
  TbsBuiltInHitInput in;
  in.Width = r.right - r.left;
  in.Height = r.bottom - r.top;
  in.CaptionHeight = BuiltInCaptionHeight(ToolWindow());
  auto placed = PlacementOf();
  in.CaptionBand = ArrangeBuiltInButtons(in.Width, ToolWindow(), placed);
  in.ObjectHot = Hot_ >= 0;
  in.Maximized = Maximized();
  in.Minimized = WindowState_ == wsMinimized;
  in.RolledUp = RolledUp_;
  in.Sizeable = Sizeable();
  return bs::BuiltInHitTest(in, p);
}

bool TbsSkinForm::Maximized() const {
  HWND h = Window();
  return WindowState_ == wsMaximized || (h && IsZoomed(h));
}

// ---- Activity and objects under the pointer ---------------------------------------------------

bool TbsSkinForm::IsFormActive() const { return FormActive_; }

void TbsSkinForm::UpdateCaptionActive(bool repaint) {
  const bool active = IsFormActive();
  for (auto& o : Objects_) {
    auto* caption = dynamic_cast<TbsSkinCaptionObject*>(o.get());
    if (!caption || caption->Lit == active) continue;
    caption->Lit = active;
    if (repaint) {
      if (caption->CanAnimate()) {
        caption->StartAnimation(active);
        StartAnimationTimer();
      }
      NCRepaint();
      if (caption->CanMorph()) StartMorphTimer();
    } else if (caption->CanMorph()) {
      caption->MorphValue = active ? 1 : 0;
    }
    break;
  }
  // Each change of activity is reported once, however many messages bring it.
  if (ReportedActive_ == int(active)) return;
  ReportedActive_ = int(active);
  if (active && OnActivate) OnActivate(this);
  if (!active && OnDeActivate) OnDeActivate(this);
}

void TbsSkinForm::RedrawObject(TbsActiveSkinObject& object) {
  HWND h = Window();
  if (!h || NoBorder()) return;
  HDC dc = GetWindowDC(h);
  TCanvas canvas;
  canvas.SetHandle(dc);
  object.Draw(canvas, true);
  canvas.SetHandle(nullptr);
  ReleaseDC(h, dc);
}

void TbsSkinForm::UpdateHotObject(int x, int y) {
  if (Objects_.empty() || !IsFormActive()) return;
  PreviousHot_ = Hot_;
  int found = -1;
  for (std::size_t i = 0; i < Objects_.size(); ++i) {
    const TbsActiveSkinObject& o = *Objects_[i];
    const TRect& r = o.ObjectRect;
    if (o.Enabled && o.Visible && r.Left <= x && x < r.Right && r.Top <= y && y < r.Bottom) {
      found = int(i);
      break;
    }
  }
  // While a button is held down, no other object lights up.
  if (Pressed_ >= 0 && found != Pressed_) found = -1;
  if (found == Hot_) return;
  Hot_ = found;
  const bool hints = ShowObjectHint && SkinHint;
  if (PreviousHot_ >= 0 && PreviousHot_ < ObjectCount()) {
    TbsActiveSkinObject& o = *Objects_[std::size_t(PreviousHot_)];
    if (o.Enabled && o.Visible) {
      o.MouseLeave();
      if (hints && !o.Hint.empty()) SkinHint->HideHint();
    }
  }
  if (Hot_ >= 0) {
    TbsActiveSkinObject& o = *Objects_[std::size_t(Hot_)];
    o.MouseEnter();
    if (hints && !o.Hint.empty()) SkinHint->ActivateHint(TextToWide(o.Hint));
  }
}

void TbsSkinForm::ResetObjectLooks() {
  for (auto& o : Objects_)
    if (!dynamic_cast<TbsSkinCaptionObject*>(o.get())) o->ResetLook();
  // Looks reset means nothing is lit: the next pointer position makes an object hot again.
  Hot_ = PreviousHot_ = -1;
}

// ---- Timers -------------------------------------------------------------------------------

void TbsSkinForm::StopTimers() {
  FrameTimer_.SetEnabled(false);
  MorphTimer_.SetEnabled(false);
  AnimationTimer_.SetEnabled(false);
}

void TbsSkinForm::StartMorphTimer() {
  if (!MorphTimer_.Enabled()) MorphTimer_.SetEnabled(true);
}

void TbsSkinForm::StartAnimationTimer() {
  if (!AnimationTimer_.Enabled()) AnimationTimer_.SetEnabled(true);
}

void TbsSkinForm::FrameTimerTick() {
  if (!IsFormActive()) return;
  if (InSizeMove_) {
    FrameTimer_.SetEnabled(false);
    return;
  }
  POINT cursor;
  if (!GetCursorPos(&cursor)) return;
  const TPoint p = ScreenToFrame({cursor.x, cursor.y});
  const TRect& client = Skinned_ ? Layout_.ClientRect : BuiltInClient();
  const bool inClient = client.Left <= p.X && p.X < client.Right && client.Top <= p.Y && p.Y < client.Bottom;
  if (!inClient) UpdateHotObject(p.X, p.Y);
  else if (Hot_ >= 0) UpdateHotObject(-1, -1);
}

TRect TbsSkinForm::BuiltInClient() const {
  const RECT r = FormBounds();
  return BuiltInClientFromWindow(BuiltInCaptionHeight(ToolWindow()), {0, 0, r.right - r.left, r.bottom - r.top});
}

void TbsSkinForm::MorphTimerTick() {
  bool moved = false;
  for (std::size_t i = 0; i < Objects_.size(); ++i) {
    TbsActiveSkinObject& o = *Objects_[i];
    if (!o.CanMorph() || !o.IsMorphPending()) continue;
    // Fifths exactly: five steps of 0.2 in floating point stop short of 0 and would keep the
    // morph pending for one tick more.
    o.MorphValue = std::clamp(std::round((o.MorphValue + (o.Lit ? 0.2 : -0.2)) * 5) / 5, 0.0, 1.0);
    RedrawObject(o);
    moved = true;
  }
  if (!moved) MorphTimer_.SetEnabled(false);
}

void TbsSkinForm::AnimationTimerTick() {
  bool moved = false;
  for (auto& o : Objects_) {
    if (auto* caption = dynamic_cast<TbsSkinCaptionObject*>(o.get())) moved |= caption->AnimationTick();
    else if (auto* animate = dynamic_cast<TbsSkinAnimateObject*>(o.get())) moved |= animate->AnimationTick();
  }
  if (!moved) AnimationTimer_.SetEnabled(false);
}

// ---- Painting -----------------------------------------------------------------------------

void TbsSkinForm::NCRepaint() {
  if (HWND h = Window()) SendMessageW(h, WM_NCPAINT, 0, 0);
}

void TbsSkinForm::PaintSkinnedFrame(HDC dc) {
  HWND h = Window();
  if (!Skinned_ || (!dc && !h)) return;
  TakeFormSize();
  if (FrameWidth_ < GetMinWidth() || FrameHeight_ < GetMinHeight()) return;
  UpdateFrameLayout();
  ArrangeFrameObjects();

  const TbsFormInfo& info = SkinData_->FormInfo;
  const bool active = IsFormActive();
  const TImage& source =
      !active && !SkinData_->InactivePicture.Empty() ? SkinData_->InactivePicture.Image : SkinData_->Picture.Image;
  const TbsPieceGeometry g{info.LeftTopPoint, info.RightTopPoint, info.LeftBottomPoint, info.RightBottomPoint,
                           info.ClientRect};
  const TbsPieceGeometry ng{Layout_.LT, Layout_.RT, Layout_.LB, Layout_.RB, Layout_.ClientRect};
  const TbsStretchFlags stretch{info.LeftStretch, info.TopStretch, info.RightStretch, info.BottomStretch, false};
  const int W = FrameWidth_, H = FrameHeight_;
  // GDI may still be drawing into the strips from the last paint.
  GdiFlush();
  BorderStripImages(g, ng, {&LeftStrip_, &TopStrip_, &RightStrip_, &BottomStrip_}, source,
                    Rect(0, 0, source.Width(), source.Height()), W, H, stretch);

  const TRect& client = Layout_.ClientRect;
  TCanvas top, bottom;
  top.SetHandle(TopStrip_.DC());
  bottom.SetHandle(BottomStrip_.DC());
  for (auto& o : Objects_) {
    if (!o->Visible) continue;
    if (o->ObjectRect.Bottom <= client.Top) {
      o->Draw(top, false);
    } else {
      const TRect saved = o->ObjectRect;
      o->ObjectRect = Rect(saved.Left, saved.Top - client.Bottom, saved.Right, saved.Bottom - client.Bottom);
      o->Draw(bottom, false);
      o->ObjectRect = saved;
    }
  }
  top.SetHandle(nullptr);
  bottom.SetHandle(nullptr);

  HDC target = dc ? dc : GetWindowDC(h);
  const int saved = SaveDC(target);
  if (HeightOfRect(client) > 0) ExcludeClipRect(target, client.Left, client.Top, client.Right, client.Bottom);
  const int topHeight = TopStrip_.Height();
  const std::pair<TbsFBitmap*, POINT> places[] = {
      {&TopStrip_, {0, 0}},
      {&LeftStrip_, {0, topHeight}},
      {&RightStrip_, {W - RightStrip_.Width(), topHeight}},
      {&BottomStrip_, {0, H - BottomStrip_.Height()}},
  };
  const bool plain = active || !info.AutoRenderingInActiveImage;
  for (auto [strip, at] : places) {
    if (strip->Empty()) continue;
    if (plain) {
      BitBlt(target, at.x, at.y, strip->Width(), strip->Height(), strip->DC(), 0, 0, SRCCOPY);
    } else {
      GdiFlush();
      TbsEffectBmp effect(*strip);
      effect.ApplyEffect(info.InActiveEffect);
      DrawToDC(effect, target, at.x, at.y);
    }
  }
  RestoreDC(target, saved);
  if (!dc) ReleaseDC(h, target);
}

void TbsSkinForm::PaintBuiltInButton(HDC dc, const TbsSkinStdButtonObject& button) const {
  const TRect& r = button.ObjectRect;
  const RECT rc = ToRECT(r);
  FillSolid(dc, rc, Rgb(spv::platform::clBtnFace));
  const bool down = button.Pressed && button.Hot;
  if (button.Hot) {
    const HPEN pen = CreatePen(PS_SOLID, 1, Rgb(spv::platform::clNavy));
    const HBRUSH brush = CreateSolidBrush(down ? 11899781 : 13811126);
    const HGDIOBJ oldPen = SelectObject(dc, pen), oldBrush = SelectObject(dc, brush);
    ::Rectangle(dc, rc.left, rc.top, rc.right, rc.bottom);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(pen);
    DeleteObject(brush);
  }
  const COLORREF colour = Rgb(button.Enabled ? spv::platform::clBtnText : spv::platform::clBtnShadow);
  const int shift = down ? 1 : 0;
  const int x = r.Left + WidthOfRect(r) / 2 - 5 + shift, y = r.Top + HeightOfRect(r) / 2 - 4 + shift;
  switch (button.Command) {
    case TbsStdCommand::cmClose: DrawCloseGlyph(dc, x, y, colour); break;
    case TbsStdCommand::cmMaximize:
      (Maximized() ? DrawRestoreGlyph : DrawMaximizeGlyph)(dc, x, y, colour);
      break;
    case TbsStdCommand::cmMinimize:
      (WindowState_ == wsMinimized ? DrawRestoreGlyph : DrawMinimizeGlyph)(dc, x, y, colour);
      break;
    case TbsStdCommand::cmSysMenu: DrawSysMenuGlyph(dc, x, y, colour); break;
    case TbsStdCommand::cmRollUp: (RolledUp_ ? DrawRollDownGlyph : DrawRollUpGlyph)(dc, x, y, colour); break;
    case TbsStdCommand::cmMinimizeToTray: DrawTrayGlyph(dc, x, y, colour); break;
    case TbsStdCommand::cmDefault: break;
  }
}

void TbsSkinForm::PaintBuiltInFrame(HDC dc) {
  HWND h = Window();
  if (!dc && !h) return;
  if (Objects_.empty()) {
    BuildBuiltInButtons();
    ApplyBorderIcons();
  }
  const RECT bounds = FormBounds();
  const int W = bounds.right - bounds.left, H = bounds.bottom - bounds.top;
  FrameWidth_ = W;
  FrameHeight_ = H;
  const int ch = BuiltInCaptionHeight(ToolWindow());
  const TRect band = ArrangeBuiltInObjects();
  const int frame = BuiltInFrameWidth;
  if (W - 2 * frame <= 0) return;

  // The caption bar, in its own bitmap whose origin is the window's (3, 3).
  TbsFBitmap bar(W - 2 * frame, ch);
  HDC bdc = bar.DC();
  FillSolid(bdc, {0, 0, bar.Width(), ch}, Rgb(spv::platform::clBtnFace));
  if (ch > 5) {
    const HPEN light = CreatePen(PS_SOLID, 1, Rgb(spv::platform::clBtnHighlight));
    const HPEN dark = CreatePen(PS_SOLID, 1, Rgb(spv::platform::clBtnShadow));
    const HGDIOBJ old = SelectObject(bdc, light);
    for (int y = 2; y <= ch - 4; ++y) {
      SelectObject(bdc, (y - 2) % 2 == 0 ? light : dark);
      MoveToEx(bdc, band.Left - frame, y, nullptr);
      LineTo(bdc, band.Right - frame - 3, y);
    }
    SelectObject(bdc, old);
    DeleteObject(light);
    DeleteObject(dark);
  }
  const std::wstring& caption = Form_->Caption();
  if (!caption.empty() && band.Right > band.Left) {
    spv::platform::TFont& font = IsFormActive() ? DefCaptionFont_ : DefInActiveCaptionFont_;
    if (SkinData_ && SkinData_->ResourceStrData()) font.SetCharset(BYTE(SkinData_->ResourceStrData()->CharSet));
    const HGDIOBJ oldFont = SelectObject(bdc, font.Handle());
    const std::wstring text = FitWideText(bdc, caption, WidthOfRect(band));
    const int tw = WideTextWidth(bdc, text), th = WideTextHeight(bdc, text);
    const int middle = (band.Left + band.Right) / 2 - frame;
    const int x = middle - (tw + 5) / 2, y = ch / 2 - th / 2;
    FillSolid(bdc, {x - 2, y - 2, x + tw + 2, y + th + 2}, Rgb(spv::platform::clBtnFace));
    SetBkMode(bdc, TRANSPARENT);
    SetTextColor(bdc, Rgb(font.Color()));
    RECT tr{x, y, x + tw, y + th};
    DrawWideText(bdc, text, tr, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(bdc, oldFont);
  }
  POINT oldOrigin;
  SetViewportOrgEx(bdc, -frame, -frame, &oldOrigin);
  TCanvas canvas;
  canvas.SetHandle(bdc);
  for (auto& o : Objects_)
    if (o->Visible) o->Draw(canvas, true);
  canvas.SetHandle(nullptr);
  SetViewportOrgEx(bdc, oldOrigin.x, oldOrigin.y, nullptr);
  GdiFlush();

  HDC target = dc ? dc : GetWindowDC(h);
  const int saved = SaveDC(target);
  ExcludeClipRect(target, frame, ch + frame, W - frame, H - frame);
  BitBlt(target, frame, frame, bar.Width(), ch, bdc, 0, 0, SRCCOPY);
  RECT r{0, 0, W, H};
  DrawFrameLines(target, r, Rgb(spv::platform::cl3DLight), Rgb(spv::platform::cl3DDkShadow));
  InflateRect(&r, -1, -1);
  DrawFrameLines(target, r, Rgb(spv::platform::clBtnHighlight), Rgb(spv::platform::clBtnShadow));
  InflateRect(&r, -1, -1);
  DrawFrameLines(target, r, Rgb(spv::platform::clBtnFace), Rgb(spv::platform::clBtnFace));
  RestoreDC(target, saved);
  if (!dc) ReleaseDC(h, target);
}

void TbsSkinForm::OnEraseBackground(HDC dc) {
  HWND h = Window();
  RECT client{};
  if (h) GetClientRect(h, &client);
  const int cw = client.right, chh = client.bottom;
  // A skin that names a background picture it does not have gets the plain face, as a skin
  // without any background piece does: the client is never left unpainted.
  const TbsFormInfo* info = Skinned_ ? &SkinData_->FormInfo : nullptr;
  const TbsFBitmap* bg = info && info->BGPictureIndex >= 0 ? ActivePicture(info->BGPictureIndex) : nullptr;
  if (bg) TileClient(dc, *bg, Rect(0, 0, bg->Width(), bg->Height()), cw, chh);
  else if (info && info->BGPictureIndex < 0 && !RectIsEmpty(info->ClientRect) && MainPicture())
    TileClient(dc, MainPicture_, info->ClientRect, cw, chh);
  else FillSolid(dc, client, Rgb(spv::platform::clBtnFace));
  if (!LogoBitMap_.Empty()) {
    const int x = std::max(0, cw - LogoBitMap_.Width()), y = std::max(0, chh - LogoBitMap_.Height());
    if (LogoBitMapTransparent) DrawGlyphFrame(dc, x, y, 1, 1, LogoBitMap_.Image());
    else DrawToDC(LogoBitMap_.Image(), dc, x, y);
  }
}

void TbsSkinForm::OnPaintFrameInto(TMessage& m) {
  if (m.WParam && !NoBorder() && !SkinChanging_) {
    HDC dc = reinterpret_cast<HDC>(m.WParam);
    if (Skinned_) PaintSkinnedFrame(dc);
    else PaintBuiltInFrame(dc);
  }
  m.Result = bs::kPaintFrameAnswer;
}

// ---- Window states --------------------------------------------------------------------------

void TbsSkinForm::ExecuteCommand(TbsStdCommand command) {
  switch (command) {
    case TbsStdCommand::cmClose: Form_->Close(); break;
    case TbsStdCommand::cmMaximize: SetWindowState(WindowState_ == wsMaximized ? wsNormal : wsMaximized); break;
    case TbsStdCommand::cmMinimize:
      if (AlwaysMinimizeToTray) MinimizeToTray();
      else SetWindowState(WindowState_ == wsMinimized ? wsNormal : wsMinimized);
      break;
    case TbsStdCommand::cmRollUp: SetRollUp(!RolledUp_); break;
    case TbsStdCommand::cmMinimizeToTray: MinimizeToTray(); break;
    case TbsStdCommand::cmSysMenu:
    case TbsStdCommand::cmDefault: break;
  }
}

void TbsSkinForm::SetWindowState(int state) {
  if (state == WindowState_) return;
  const int old = WindowState_;
  const bool mainForm = spv::platform::Application().MainForm() == Form_;
  if (!(state == wsMinimized && mainForm)) WindowState_ = state;
  if (state == wsNormal) {
    if (old == wsMaximized && RolledUp_ && !RolledUpBeforeMaximize_) SetRollUp(false);
    RolledUpBeforeMaximize_ = false;
    Restore();
  } else if (state == wsMinimized) {
    Minimize(mainForm);
  } else {
    RolledUpBeforeMaximize_ = RolledUp_;
    Maximize();
  }
}

void TbsSkinForm::SaveRestoreBounds() {
  if (IsRectEmpty(&RestoreBounds_)) RestoreBounds_ = FormBounds();
}

void TbsSkinForm::Minimize(bool mainForm) {
  if (mainForm) {
    spv::platform::Application().Minimize();
    return;
  }
  SaveRestoreBounds();
  const int w = GetMinWidth(), h = GetMinHeight();
  const RECT area = WorkAreaOf(Window(), true);
  // Bars of other minimised frames already take places along the bottom of the work area.
  auto taken = [&](int x, int y) {
    for (int i = 0; i < spv::platform::Screen().FormCount(); ++i) {
      TCustomForm* other = spv::platform::Screen().Forms(i);
      if (other == Form_ || other == spv::platform::Application().MainForm() || !other->Visible()) continue;
      TbsSkinForm* frame = FrameOf(other);
      if (frame && frame->WindowState() == wsMinimized && other->Left() == x && other->Top() == y) return true;
    }
    return false;
  };
  int x = area.left, y = area.bottom - h;
  while (taken(x, y)) {
    x += w;
    if (x + w > area.right) {
      x = area.left;
      y -= h;
      if (y < area.top) {
        x = area.left;
        y = area.bottom - h;
        break;
      }
    }
  }
  Form_->SetBounds(x, y, w, h);
  if (OnMinimize) OnMinimize(this);
}

void TbsSkinForm::Maximize() {
  SaveRestoreBounds();
  HWND h = Window();
  RECT r = WorkAreaOf(h, !MaximizeOnFullScreen);
  const RECT monitor = WorkAreaOf(h, false);
  const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  // A window covering the whole primary screen would hide an auto-hidden task bar for good;
  // one asked to fill its monitor gets all of it.
  if (!MaximizeOnFullScreen && EqualRect(&r, &monitor) && EqualRect(&monitor, &screen)) InflateRect(&r, -1, -1);
  Form_->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
  if (OnMaximize) OnMaximize(this);
}

void TbsSkinForm::Restore() {
  RolledUpWhileMaximized_ = false;
  const RECT before = FormBounds();
  if (!IsRectEmpty(&RestoreBounds_)) {
    RECT r = RestoreBounds_;
    // A window not shown yet still goes where its first show would put it.
    if (FirstShow_ && PositionInMonitor != TbsPositionInMonitor::bspDefault)
      r = PlacedInMonitor(Window(), PositionInMonitor, r.right - r.left, r.bottom - r.top);
    Form_->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
  }
  FrameTimer_.SetEnabled(true);
  const RECT after = FormBounds();
  if (after.right - after.left == before.right - before.left && after.bottom - after.top == before.bottom - before.top)
    NudgeWidth();
  Form_->Invalidate();
  RestoreBounds_ = {};
  if (OnRestore) OnRestore(this);
}

void TbsSkinForm::SetRollUp(bool value) {
  if (!(BorderIcons_ & biRollUp) || WindowState_ == wsMinimized) return;
  if (RolledUp_ && WindowState_ == wsMaximized && RolledUpBeforeMaximize_) return;
  // Rolling up twice would save the rolled-up height and lose the real one.
  if (value == RolledUp_) return;
  if (WindowState_ == wsMaximized) RolledUpWhileMaximized_ = value;
  RolledUp_ = value;
  if (value) {
    SavedHeight_ = Form_->Height();
    Form_->SetHeight(GetMinHeight());
  } else if (ClientHeight != 0) {
    Form_->SetClientHeight(ClientHeight);
  } else {
    Form_->SetHeight(SavedHeight_);
  }
  if (OnChangeRollUpState) OnChangeRollUpState(this);
}

void TbsSkinForm::CaptionDoubleClick() {
  const bool sizeable = Sizeable();
  if (sizeable && WindowState_ == wsMinimized) SetWindowState(wsNormal);
  else if (sizeable && WindowState_ != wsMaximized && !RolledUp_ && (BorderIcons_ & biMaximize))
    SetWindowState(wsMaximized);
  else if (sizeable && WindowState_ == wsMaximized && !RolledUpWhileMaximized_) SetWindowState(wsNormal);
  else SetRollUp(!RolledUp_);
}

void TbsSkinForm::ShortCut(MSG& msg, bool& handled) {
  if (OnShortCut) {
    OnShortCut(msg, handled);
    if (handled) return;
  }
  // Alt+Space belongs to the skinned system menu: the system's own is never shown.
  const bool altOnly = (GetKeyState(VK_MENU) < 0) && GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_SHIFT) >= 0;
  if ((msg.message == WM_SYSKEYDOWN || msg.message == WM_KEYDOWN) && msg.wParam == VK_SPACE && altOnly) {
    handled = true;
    PopupSystemMenuFromButtons();
  }
}

// ---- The window procedure ---------------------------------------------------------------------

void TbsSkinForm::FrameWndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_MOVE: case WM_SIZE: case WM_ACTIVATE: case WM_KILLFOCUS: case WM_CANCELMODE: case WM_MOUSEACTIVATE:
    case WM_NCLBUTTONDOWN: case WM_NCRBUTTONDOWN: case WM_NCMBUTTONDOWN: case WM_LBUTTONDOWN: case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: case WM_PARENTNOTIFY:
      if (ShowObjectHint && SkinHint) SkinHint->HideHint();
      CloseMenusFirst(m.Msg);
      break;
    default: break;
  }

  switch (m.Msg) {
    case WM_CREATE:
      CallPrevious(m);
      StripCaption();
      return;
    case WM_DESTROY:
      StopTimers();
      CallPrevious(m);
      return;
    case WM_SIZE: OnSize(m); return;
    case WM_ACTIVATE:
      CallPrevious(m);
      FormActive_ = LOWORD(m.WParam) != WA_INACTIVE;
      // Looks first, so that the repaint shows no button lit from before.
      ResetObjectLooks();
      NCRepaint();
      UpdateCaptionActive(true);
      return;
    case WM_SETTEXT:
      CallPrevious(m);
      if (!NoBorder()) NCRepaint();
      return;
    case WM_ERASEBKGND:
      OnEraseBackground(reinterpret_cast<HDC>(m.WParam));
      m.Result = 1;
      return;
    case WM_SHOWWINDOW:
      OnShowWindow(m.WParam != 0);
      CallPrevious(m);
      return;
    case WM_SETCURSOR:
      if (UseFormCursorInNCArea && !IsSizingCode(LOWORD(m.LParam)))
        m.LParam = MAKELPARAM(HTCLIENT, HIWORD(m.LParam));
      CallPrevious(m);
      return;
    case WM_GETMINMAXINFO: {
      auto* info = reinterpret_cast<MINMAXINFO*>(m.LParam);
      info->ptMinTrackSize = {GetMinWidth(), GetMinHeight()};
      info->ptMaxTrackSize = {GetMaxWidth(), GetMaxHeight()};
      CallPrevious(m);
      return;
    }
    case WM_NCCALCSIZE: OnNCCalcSize(m); return;
    case WM_NCHITTEST: OnNCHitTest(m); return;
    case WM_NCPAINT:
      if (!NoBorder() && !SkinChanging_) {
        if (Skinned_) PaintSkinnedFrame();
        else PaintBuiltInFrame();
      }
      m.Result = 0;
      return;
    case WM_NCACTIVATE:
      NCActive_ = m.WParam != 0;
      FormActive_ = NCActive_;
      m.Result = 1;
      NCRepaint();
      UpdateCaptionActive(!NoBorder());
      return;
    case WM_SYNCPAINT:
      if (RolledUp_) {
        NCRepaint();
        m.Result = 0;
        return;
      }
      CallPrevious(m);
      return;
    case WM_SYSCOMMAND:
      switch (m.WParam & 0xFFF0) {
        case SC_RESTORE:
          if (OnRestore) OnRestore(this);
          break;
        case SC_KEYMENU:
          // Alt or F10 alone would open the system's own window menu.
          if (MenuOpen_) MenuClosed();
          m.Result = 0;
          return;
        default: break;
      }
      CallPrevious(m);
      return;
    case WM_TIMER:
      if (m.WParam == kFadeInTimer) FadeInTick();
      CallPrevious(m);
      return;
    case WM_SIZING: OnSizing(m); return;
    case WM_MOVING: OnMoving(m); return;
    case WM_ENTERSIZEMOVE:
      ResetObjectLooks();
      FrameTimer_.SetEnabled(false);
      Hot_ = Pressed_ = -1;
      InSizeMove_ = true;
      {
        BOOL full = FALSE;
        SystemParametersInfoW(SPI_GETDRAGFULLWINDOWS, 0, &full, 0);
        FullDrag_ = full != FALSE;
      }
      CallPrevious(m);
      return;
    case WM_EXITSIZEMOVE:
      FrameTimer_.SetEnabled(false);
      Hot_ = PreviousHot_ = Pressed_ = -1;
      if (Skinned_) NCRepaint();
      // A loop started from the keyboard has no button press to end it.
      if (!InNCLButtonDown_) InSizeMove_ = false;
      CallPrevious(m);
      return;
    case WM_SKIN_BEFORE_CHANGE:
      if (TbsSkinData* data = TbsSkinData::FromMessage(m.WParam, m.LParam); data && data == SkinData_)
        OnSkinBeforeChange(data);
      CallPrevious(m);
      return;
    case WM_SKIN_CHANGED:
      if (m.LParam == SkinMessageLParam) OnSkinChanged(TbsSkinData::FromMessage(m.WParam, m.LParam));
      CallPrevious(m);
      return;
    case WM_SKIN_AFTER_CHANGE:
      if (m.LParam == SkinMessageLParam && OnAfterChangeSkinData) OnAfterChangeSkinData(this);
      CallPrevious(m);
      return;
    case WM_CONTEXTMENU:
      // Over the frame the system would show its own window menu: the skinned one came already.
      if (m.LParam != -1 && SendMessageW(Window(), WM_NCHITTEST, 0, m.LParam) != HTCLIENT) {
        m.Result = 0;
        return;
      }
      CallPrevious(m);
      return;
    case WM_SKIN_MENU_CLOSED:
      MenuClosed();
      m.Result = 0;
      return;
    case WM_SKIN_STRINGS_CHANGED:
      LoadButtonHints();
      CallPrevious(m);
      return;
    case bs::WM_PAINT_FRAME_INTO:
      if (m.LParam == bs::kPaintFrameTag) {
        OnPaintFrameInto(m);
        return;
      }
      CallPrevious(m);
      return;
    case WM_NCMOUSEMOVE: case WM_NCLBUTTONDOWN: case WM_NCLBUTTONUP: case WM_NCLBUTTONDBLCLK: case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONUP: case WM_NCRBUTTONDBLCLK: case WM_LBUTTONUP: case WM_RBUTTONUP:
      HandlePointer(m);
      return;
    default: CallPrevious(m); return;
  }
}

void TbsSkinForm::StripCaption() {
  HWND h = Window();
  const LONG_PTR style = GetWindowLongPtrW(h, GWL_STYLE);
  if (!(style & WS_CAPTION)) return;
  SetWindowLongPtrW(h, GWL_STYLE, style & ~LONG_PTR(WS_CAPTION));
  SetWindowPos(h, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TbsSkinForm::OnNCCalcSize(TMessage& m) {
  m.Result = 0;
  if (NoBorder()) return;
  auto* r = reinterpret_cast<RECT*>(m.LParam);  // the first rect of either form of the message
  if (Skinned_) {
    UpdateFrameLayout();
    *r = ToRECT(SkinnedClientFromWindow(SkinData_->FormInfo, SkinData_->Picture.Width(),
                                        SkinData_->Picture.Height(), FromRECT(*r)));
  } else {
    *r = ToRECT(BuiltInClientFromWindow(BuiltInCaptionHeight(ToolWindow()), FromRECT(*r)));
  }
}

void TbsSkinForm::OnNCHitTest(TMessage& m) {
  // A window without a border has no frame to hit: all of it is client area.
  if (NoBorder()) {
    CallPrevious(m);
    return;
  }
  const TPoint p = MessagePoint(m.LParam);
  const int code = Skinned_ ? SkinnedHitTest(p) : BuiltInHitTest(p);
  m.Result = code;
  if (code == HTOBJECT && !FrameTimer_.Enabled()) {
    UpdateHotObject(p.X, p.Y);
    FrameTimer_.SetEnabled(true);
  }
}

void TbsSkinForm::OnShowWindow(bool show) {
  HWND h = Window();
  if (!show) {
    if (AlphaBlend_ && h) SetLayeredStyle(h, false);
    return;
  }
  if (FirstShow_) {
    FirstShow_ = false;
    if (PositionInMonitor != TbsPositionInMonitor::bspDefault && WindowState_ == wsNormal) {
      const RECT r = PlacedInMonitor(h, PositionInMonitor, Form_->Width(), Form_->Height());
      Form_->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
    }
  }
  if (AlphaBlend_ || AlphaBlendAnimation) StartFadeIn();
  NudgeWidth();
}

void TbsSkinForm::StartFadeIn() {
  HWND h = Window();
  if (!h || !LayeredWindowsAvailable()) return;
  SetLayeredStyle(h, true);
  SetWindowAlphaValue(h, 0);
  SetTimer(h, kFadeInTimer, 1, nullptr);
}

void TbsSkinForm::FadeInTick() {
  HWND h = Window();
  if (!h) return;
  KillTimer(h, kFadeInTimer);
  const int target = AlphaBlendAnimation && !AlphaBlend_ ? 255 : AlphaBlendValue_;
  if (AlphaBlendAnimation) {
    const std::shared_ptr<bool> alive = Alive_;
    spv::platform::Application().ProcessMessages();
    // The messages may have closed the window or freed the frame.
    if (!*alive || !IsWindow(h)) return;
    int alpha = 0;
    DWORD last = GetTickCount();
    while (alpha < target) {
      const DWORD now = GetTickCount();
      if (now - last > 5) {
        alpha = std::min(alpha + 10, target);
        SetWindowAlphaValue(h, BYTE(alpha));
        last = now;
      } else {
        Sleep(1);
      }
    }
  } else if (target != 255) {
    SetWindowAlphaValue(h, BYTE(target));
  }
  if (target == 255) SetLayeredStyle(h, false);
}

void TbsSkinForm::OnSizing(TMessage& m) {
  if (!(InSizeMove_ && FullDrag_)) {
    CallPrevious(m);
    return;
  }
  Snap_.Clear();
  CallPrevious(m);
  const auto* r = reinterpret_cast<const RECT*>(m.LParam);
  FrameWidth_ = r->right - r->left;
  FrameHeight_ = r->bottom - r->top;
  const RECT now = FormBounds();
  const int w = now.right - now.left, h = now.bottom - now.top;
  if (Skinned_ && w >= GetMinWidth() && h >= GetMinHeight() && (FrameWidth_ != w || FrameHeight_ != h))
    RefreshFrame();
  m.Result = TRUE;
}

void TbsSkinForm::OnSize(TMessage& m) {
  HWND h = Window();
  if (InSizeMove_ && FullDrag_) {
    if (!LogoBitMap_.Empty()) InvalidateRect(h, nullptr, TRUE);
    CallPrevious(m);
    return;
  }
  CallPrevious(m);
  Snap_.Clear();
  const RECT r = FormBounds();
  FrameWidth_ = r.right - r.left;
  FrameHeight_ = r.bottom - r.top;
  if (!Skinned_) {
    if (!Objects_.empty()) ArrangeBuiltInObjects();
    NCRepaint();
  } else if (FrameWidth_ >= GetMinWidth() && FrameHeight_ >= GetMinHeight()) {
    RefreshFrame();
  }
  if (AlphaBlend_ && AlphaBlendValue_ != 255 && LayeredWindowsAvailable()) {
    NCRepaint();
    InvalidateRect(h, nullptr, TRUE);
  }
  if (!LogoBitMap_.Empty()) InvalidateRect(h, nullptr, TRUE);
}

void TbsSkinForm::OnMoving(TMessage& m) {
  auto* r = reinterpret_cast<RECT*>(m.LParam);
  if (Maximized()) {
    *r = FormBounds();
  } else if (Magnetic) {
    POINT cursor{};
    GetCursorPos(&cursor);
    const int w = r->right - r->left, h = r->bottom - r->top;
    const TPoint at = MagneticPosition(Snap_, {r->left, r->top}, w, h, FromRECT(WorkAreaOf(Window(), true)),
                                       {cursor.x, cursor.y}, MagneticSize);
    *r = {at.X, at.Y, at.X + w, at.Y + h};
  }
  CallPrevious(m);
  m.Result = TRUE;
}

void TbsSkinForm::OnSkinBeforeChange(TbsSkinData* data) {
  SkinChanging_ = true;
  Skinned_ = false;
  StopTimers();
  FreeObjects();
  WalkSkinChange(*Form_, data, WM_SKIN_BEFORE_CHANGE);
  if (OnBeforeChangeSkinData) OnBeforeChangeSkinData(this);
}

void TbsSkinForm::OnSkinChanged(TbsSkinData* data) {
  SkinChanging_ = false;
  if (data == SkinData_) ApplySkin();
  WalkSkinChange(*Form_, data, WM_SKIN_CHANGED);
}

// ---- The pointer ----------------------------------------------------------------------------

void TbsSkinForm::PressObject(TMouseButton button, int x, int y) {
  Pressed_ = Hot_;
  if (Pressed_ < 0) return;
  TbsActiveSkinObject& o = *Objects_[std::size_t(Pressed_)];
  if (!dynamic_cast<TbsSkinCaptionObject*>(&o)) SetCapture(Window());
  o.MouseDown(button, x, y);
}

void TbsSkinForm::ReleaseObject(TMouseButton button, int x, int y) {
  if (Pressed_ < 0 || Pressed_ >= ObjectCount()) return;
  TbsActiveSkinObject& o = *Objects_[std::size_t(Pressed_)];
  // Released before the object runs its command: closing may free the form and this frame.
  Pressed_ = -1;
  if (!dynamic_cast<TbsSkinCaptionObject*>(&o)) ReleaseCapture();
  o.MouseUp(button, x, y);
}

void TbsSkinForm::HandlePointer(TMessage& m) {
  const std::shared_ptr<bool> alive = Alive_;
  const bool down = m.Msg == WM_NCLBUTTONDOWN;
  if (down) InNCLButtonDown_ = true;
  // The system tracks a right press on the caption until the release and then shows its own
  // window menu; the skinned system menu takes its place.
  if (!(m.Msg == WM_NCRBUTTONDOWN && m.WParam == HTCAPTION)) CallPrevious(m);
  if (!*alive) return;
  if (down) InNCLButtonDown_ = false;
  const bool caption = m.WParam == HTCAPTION;
  switch (m.Msg) {
    case WM_NCMOUSEMOVE: {
      const TPoint p = MessagePoint(m.LParam);
      const int index = Pressed_ >= 0 ? Pressed_ : Hot_;
      if (index >= 0 && index < ObjectCount()) Objects_[std::size_t(index)]->MouseMove(p.X, p.Y);
      break;
    }
    case WM_NCLBUTTONDOWN: {
      if (InSizeMove_) {
        InSizeMove_ = false;
        break;
      }
      const TPoint p = MessagePoint(m.LParam);
      UpdateHotObject(p.X, p.Y);
      PressObject(TMouseButton::mbLeft, p.X, p.Y);
      if (caption) Pressed_ = -1;
      break;
    }
    case WM_NCLBUTTONUP: case WM_NCRBUTTONUP: {
      const TPoint p = MessagePoint(m.LParam);
      ReleaseObject(m.Msg == WM_NCLBUTTONUP ? TMouseButton::mbLeft : TMouseButton::mbRight, p.X, p.Y);
      break;
    }
    case WM_LBUTTONUP: ReleaseObject(TMouseButton::mbLeft, -1, -1); break;
    case WM_RBUTTONUP: ReleaseObject(TMouseButton::mbRight, -1, -1); break;
    case WM_NCLBUTTONDBLCLK: {
      const TPoint p = MessagePoint(m.LParam);
      UpdateHotObject(p.X, p.Y);
      PressObject(TMouseButton::mbLeft, p.X, p.Y);
      if (Hot_ >= 0 && Hot_ < ObjectCount()) Objects_[std::size_t(Hot_)]->DblClick();
      if (!*alive) return;
      if (caption) {
        Pressed_ = -1;
        CaptionDoubleClick();
      }
      break;
    }
    case WM_NCRBUTTONDOWN: case WM_NCRBUTTONDBLCLK: {
      const TPoint p = MessagePoint(m.LParam);
      UpdateHotObject(p.X, p.Y);
      PressObject(TMouseButton::mbRight, p.X, p.Y);
      if (caption) {
        Pressed_ = -1;
        const POINT at{short(LOWORD(m.LParam)), short(HIWORD(m.LParam))};
        PopupSystemMenu({at.x, at.y, at.x, at.y});
      }
      break;
    }
    default: break;
  }
}

void RegisterSkinFormClasses() {
  static const bool done = [] {
    spv::platform::TClassRegistry::Instance().Register<TbsSkinForm>("TbsSkinForm");
    return true;
  }();
  (void)done;
}

}  // namespace bs
