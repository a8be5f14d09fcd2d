// Applying a skin: the frame objects the skin brings (or the built-in button set), copies of
// its pictures, which caption buttons are usable and their hints, the form fitted to the
// skin's minimum, and the walk of a skin change through the form's controls.

#include "skin/frame/bsSkinForm.h"

#include "platform/SysUtils.h"
#include "skin/resources/bsSkinClientWin.h"

#include <string>

namespace bs {

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
  // The skin may bring another mask for the same frame size: the next refresh shapes anew.
  RegionWindow_ = nullptr;
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
  if (!States_.RolledUp) {
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
  if ((States_.RolledUp || States_.WindowState == wsMinimized) && Form_->Height() != GetMinHeight()) Form_->SetHeight(GetMinHeight());
  if (States_.WindowState == wsMinimized) Form_->SetWidth(GetMinWidth());
}

void TbsSkinForm::NudgeWidth() {
  const int w = Form_->Width();
  // Out and back, on the side the limits leave room for; each step is a real resize, so the
  // frame is laid out and shaped anew. The controls within end where they were: they are laid
  // out once, after the way back, and none of their windows moves twice for nothing.
  const int step = w + 1 > GetMaxWidth() ? -1 : 1;
  Form_->DisableAlign();
  try {
    Form_->SetWidth(w + step);
    Form_->SetWidth(w);
  } catch (...) {
    Form_->EnableAlign();
    throw;
  }
  Form_->EnableAlign();
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

}  // namespace bs
