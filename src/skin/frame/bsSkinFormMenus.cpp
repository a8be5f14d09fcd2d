// The frame's menus: the system menu built from the window's state and its three ways in (the
// system-menu button, a right click on the caption, Alt+Space), the keyboard hook while a menu
// is open, and the way to and from the notification area.
#include "skin/frame/bsSkinForm.h"

#include "platform/Forms.h"
#include "skin/frame/bsSkinMenus.h"
#include "skin/frame/bsTrayIcon.h"
#include "skin/resources/bsSkinDataStrings.h"

namespace bs {

using namespace spv::platform;

namespace {
TMenuItem* NewItem(const char* name, std::wstring caption, std::function<void()> run, TShortCut shortCut = scNone) {
  auto* item = new TMenuItem;
  item->SetName(name);
  item->SetCaption(caption);
  item->SetShortCut(shortCut);
  if (run) item->OnClick = [run = std::move(run)](TObject*) { run(); };
  return item;
}

bool IsWindowItem(const TMenuItem& item) {
  for (const char* name : {"BSF_MINITEM", "BSF_MAXITEM", "BSF_CLOSE", "BSF_MINTOTRAY", "BSF_ROLLUP", "BSF_RESTORE"})
    if (item.Name() == name) return true;
  return false;
}
}  // namespace

void TbsSkinForm::CreateMenus() {
  SkinMenu_ = new TbsSkinMenu(this);
  DefaultSysMenu_ = std::make_unique<TPopupMenu>();
  // The tray menu is built once, before any skin is set: the built-in captions.
  TrayMenu_ = new TbsSkinPopupMenu(this);
  TrayMenu_->SetPopupComponent(Form_);
  TMenuItem& items = TrayMenu_->Items();
  items.Add(NewItem("TRAY_BSF_RESTORE", MenuCaption("MI_RESTORECAPTION", L"&Restore"), [this] { RestoreFromTray(); }));
  items.Add(NewItem("", L"-", nullptr));
  items.Add(NewItem("TRAY_BSF_CLOSE", MenuCaption("MI_CLOSECAPTION", L"&Close"), [this] { Form_->Close(); },
                    spv::platform::ShortCut(VK_F4, scAlt)));
}

void TbsSkinForm::ReleaseMenus() {
  if (HookInstalled_) {
    Application().OnMessage = std::move(SavedOnMessage_);
    HookInstalled_ = false;
  }
  if (TrayIcon_) RemoveFreeNotification(TrayIcon_);
  if (SystemMenu_) RemoveFreeNotification(SystemMenu_);
  TrayIcon_ = nullptr;
  SystemMenu_ = nullptr;
}

std::wstring TbsSkinForm::MenuCaption(const char* key, const wchar_t* builtIn) const {
  if (SkinData_ && SkinData_->ResourceStrData())
    if (const std::string text = SkinData_->ResourceStrData()->GetResStr(key); !text.empty()) return TextToWide(text);
  return builtIn;
}

void TbsSkinForm::SetSystemMenu(TPopupMenu* menu) {
  if (SystemMenu_) RemoveFreeNotification(SystemMenu_);
  SystemMenu_ = menu;
  if (SystemMenu_) FreeNotification(SystemMenu_);
}

void TbsSkinForm::SetTrayIcon(TbsTrayIcon* icon) {
  if (TrayIcon_) RemoveFreeNotification(TrayIcon_);
  TrayIcon_ = icon;
  if (!icon) return;
  FreeNotification(icon);
  if (!AlwaysShowInTray) icon->SetIconVisible(false);
  icon->MinimizeToTray = false;
  if (!icon->PopupMenu()) icon->SetPopupMenu(TrayMenu_);
  if (!icon->OnDblClick) icon->OnDblClick = [this](TObject*) { RestoreFromTray(); };
}

// ---- The system menu --------------------------------------------------------------------------

TMenuItem* TbsSkinForm::GetSystemMenuItems() {
  auto minimize = [this] {
    if (AlwaysMinimizeToTray) MinimizeToTray();
    else SetWindowState(wsMinimized);
  };
  auto restore = [this] { CarryOut(RestoreRequest(States_)); };
  const TShortCut closeKey = spv::platform::ShortCut(VK_F4, scAlt);
  auto make = [&](const char* name) -> TMenuItem* {
    const std::string n = name;
    if (n == "BSF_MINITEM") return NewItem(name, MenuCaption("MI_MINCAPTION", L"Mi&nimize"), minimize);
    if (n == "BSF_MAXITEM")
      return NewItem(name, MenuCaption("MI_MAXCAPTION", L"Ma&ximize"), [this] { SetWindowState(wsMaximized); });
    if (n == "BSF_RESTORE") return NewItem(name, MenuCaption("MI_RESTORECAPTION", L"&Restore"), restore);
    if (n == "BSF_ROLLUP") return NewItem(name, MenuCaption("MI_ROLLUPCAPTION", L"Ro&llUp"), [this] { SetRollUp(true); });
    if (n == "BSF_MINTOTRAY")
      return NewItem(name, MenuCaption("MI_MINTOTRAYCAPTION", L"Minimize to &Tray"), [this] { MinimizeToTray(); });
    return NewItem(name, MenuCaption("MI_CLOSECAPTION", L"&Close"), [this] { Form_->Close(); }, closeKey);
  };
  const TbsWindowButtons buttons{.Minimize = (BorderIcons_ & biMinimize) != 0,
                                 .Maximize = (BorderIcons_ & biMaximize) != 0,
                                 .RollUp = (BorderIcons_ & biRollUp) != 0,
                                 .MinimizeToTray = (BorderIcons_ & biMinimizeToTray) != 0};
  const TbsSystemMenuItems want = SystemMenuItems(States_, buttons);

  if (SystemMenu_ && UseDefaultSysMenu) {
    TMenuItem& root = SystemMenu_->Items();
    for (int i = root.Count() - 1; i >= 0; --i)
      if (IsWindowItem(*root.Items(i))) root.Delete(i);
    int at = 0;
    if (want.Minimize) root.Insert(at++, make("BSF_MINITEM"));
    if (want.Restore) root.Insert(at++, make("BSF_RESTORE"));
    if (want.Maximize) root.Insert(at++, make("BSF_MAXITEM"));
    if (want.RollUp) root.Insert(at++, make("BSF_ROLLUP"));
    if (want.MinimizeToTray) root.Insert(at++, make("BSF_MINTOTRAY"));
    root.Add(make("BSF_CLOSE"));
    return &root;
  }
  if (SystemMenu_) return &SystemMenu_->Items();

  TMenuItem& root = DefaultSysMenu_->Items();
  root.Clear();
  if (want.Minimize) root.Add(make("BSF_MINITEM"));
  if (want.Maximize) root.Add(make("BSF_MAXITEM"));
  if (want.Restore) root.Add(make("BSF_RESTORE"));
  if (want.RollUp) root.Add(make("BSF_ROLLUP"));
  if (want.MinimizeToTray) root.Add(make("BSF_MINTOTRAY"));
  if (root.Count() > 0) root.Add(NewItem("", L"-", nullptr));
  root.Add(make("BSF_CLOSE"));
  return &root;
}

TRect TbsSkinForm::ScreenRectOf(const TbsActiveSkinObject& object) const {
  RECT w;
  GetWindowRect(Window(), &w);
  const TRect& r = object.ObjectRect;
  return {r.Left + w.left, r.Top + w.top, r.Right + w.left, r.Bottom + w.top};
}

void TbsSkinForm::PopupSystemMenu(const TRect& anchor) {
  TMenuItem* root = GetSystemMenuItems();
  MenuOpened();
  SkinMenu_->ShowMenu(nullptr, MenusSkinData_ ? MenusSkinData_ : SkinData_, false, *root, anchor, 0);
  if (!SkinMenu_->Showing()) MenuClosed();
}

void TbsSkinForm::DropDownSystemMenu(TbsSkinButtonObject& button) {
  button.MenuItem = GetSystemMenuItems();
  PopupSystemMenu(ScreenRectOf(button));
}

void TbsSkinForm::PopupSystemMenuFromButtons() {
  for (const auto& o : Objects_) {
    bool sysMenu = false;
    if (auto* b = dynamic_cast<TbsSkinStdButtonObject*>(o.get())) sysMenu = b->Command == TbsStdCommand::cmSysMenu;
    else if (auto* a = dynamic_cast<TbsSkinAnimateObject*>(o.get())) sysMenu = a->Command == TbsStdCommand::cmSysMenu;
    if (sysMenu && o->Enabled && o->Visible) PopupSystemMenu(ScreenRectOf(*o));
  }
}

// ---- Open menus -------------------------------------------------------------------------------

void TbsSkinForm::ApplyMenuSettings() {
  TbsSkinMenu& m = *SkinMenu_;
  if (MaxMenuItemsInWindow >= 0) m.MaxMenuItemsInWindow = MaxMenuItemsInWindow;
  m.AlphaBlend = MenusAlphaBlend;
  m.AlphaBlendAnimation = MenusAlphaBlendAnimation;
  m.AlphaBlendValue = MenusAlphaBlendValue;
  m.UseSkinFont = UseSkinFontInMenu;
  if (DefMenuItemHeight > 0) m.DefaultItemHeight = DefMenuItemHeight;
  m.DefaultItemFont().Assign(DefMenuItemFont_);
}

void TbsSkinForm::MenuOpened() {
  ApplyMenuSettings();
  // Saved once: a second menu opened over the first must not save the hook itself.
  if (!HookInstalled_) {
    SavedOnMessage_ = Application().OnMessage;
    Application().OnMessage = [this](MSG& msg, bool& handled) { MenuHook(msg, handled); };
    HookInstalled_ = true;
  }
  if (!MenuOpen_) {
    MenuOpen_ = true;
    if (OnSkinMenuOpen) OnSkinMenuOpen(this);
  }
}

void TbsSkinForm::MenuHook(MSG& msg, bool& handled) {
  // Only locals from here on: the command of a chosen item may put the saved handler back,
  // which frees this hook while it runs.
  TbsSkinForm* frame = this;
  if (msg.message == WM_KEYDOWN) {
    const WORD key = WORD(msg.wParam);
    handled = true;
    msg.message = WM_NULL;
    frame->MenuKeyDown(key);
  } else if (msg.message == WM_MOUSEWHEEL) {
    handled = true;
    msg.message = WM_NULL;
  }
}

void TbsSkinForm::MenuKeyDown(WORD key) {
  if (!MenuOpen_) return;
  const std::shared_ptr<bool> alive = Alive_;
  if (TbsSkinPopupWindow* top = SkinMenu_->TopPopup()) top->HandleMenuKey(key);
  if (!*alive) return;
  if (key == VK_ESCAPE && MenuOpen_ && SkinMenu_->PopupCount() == 0) MenuClosed();
}

void TbsSkinForm::MenuClosed() {
  const bool wasOpen = MenuOpen_;
  MenuOpen_ = false;
  for (const auto& o : Objects_)
    if (auto* b = dynamic_cast<TbsSkinButtonObject*>(o.get()); b && b->MenuItem && b->Pressed) {
      b->SetPressed(false);
      break;
    }
  if (HookInstalled_) {
    Application().OnMessage = std::move(SavedOnMessage_);
    SavedOnMessage_ = nullptr;
    HookInstalled_ = false;
  }
  if (wasOpen && OnSkinMenuClose) OnSkinMenuClose(this);
}

void TbsSkinForm::CloseMenusFirst(UINT) {
  if (SkinMenu_ && SkinMenu_->Showing()) SkinMenu_->CloseMenus();
}

// ---- The notification area --------------------------------------------------------------------

void TbsSkinForm::MinimizeToTray() {
  // Without an icon there is nowhere to go.
  if (!TrayIcon_) return;
  TrayIcon_->MinimizeToTray = true;
  Application().Minimize();
  TrayIcon_->DoMinimizeToTray();
  if (OnMinimizeToTray) OnMinimizeToTray(this);
}

void TbsSkinForm::RestoreFromTray() {
  if (!TrayIcon_) return;
  TrayIcon_->MinimizeToTray = false;
  TrayIcon_->ShowApplicationWindows();
  if (!AlwaysShowInTray) TrayIcon_->SetIconVisible(false);
  if (OnRestoreFromTray) OnRestoreFromTray(this);
}

}  // namespace bs
