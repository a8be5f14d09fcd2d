// The shell tree's context menu: the shell's own menu of the selected item, carried out by the
// shell, with the tree following the commands that change what it shows (rename, delete,
// paste) and the current directory set for "open".

#include "skin/dialogs/bsSkinShellTree.h"

#include <shellapi.h>

#include "platform/Forms.h"
#include "skin/resources/bsconst.h"

namespace bs {

using namespace spv::platform;

namespace {

constexpr UINT kFirstCommand = 1, kLastCommand = 0x7FFF;

std::wstring VerbOf(IContextMenu& menu, UINT command) {
  wchar_t verb[256]{};
  if (FAILED(menu.GetCommandString(command - kFirstCommand, GCS_VERBW, nullptr, reinterpret_cast<LPSTR>(verb),
                                   UINT(std::size(verb)))))
    return {};
  return verb;
}

bool SameVerb(const std::wstring& a, const wchar_t* b) { return lstrcmpiW(a.c_str(), b) == 0; }

// Keeps the process's current directory for the length of a command and puts it back.
class TCurrentDirectoryScope {
 public:
  explicit TCurrentDirectoryScope(const std::wstring& directory) {
    const DWORD n = GetCurrentDirectoryW(0, nullptr);
    Saved_.resize(n);
    Saved_.resize(GetCurrentDirectoryW(n, Saved_.data()));
    if (!directory.empty()) SetCurrentDirectoryW(directory.c_str());
  }
  ~TCurrentDirectoryScope() { SetCurrentDirectoryW(Saved_.c_str()); }

 private:
  std::wstring Saved_;
};

}  // namespace

bool TbsCustomShellTreeView::RightClick(POINT screen) {
  if (!AutoContextMenus) return false;
  TTreeNode* node = Selected();
  if (!FolderOf(node)) return false;
  ShowContextMenu(node, screen);
  return true;
}

void TbsCustomShellTreeView::ShowContextMenu(TTreeNode* node, POINT screen) {
  TbsShellFolder* folder = FolderOf(node);
  TComPtr<IContextMenu> menu;
  LPCITEMIDLIST items[] = {folder->RelativeID()};
  if (FAILED(folder->ParentShellFolder().GetUIObjectOf(Handle(), 1, items, IID_IContextMenu, nullptr,
                                                        menu.ReceiveVoid())) ||
      !menu)
    return;
  struct TMenuHandle {
    HMENU H = CreatePopupMenu();
    ~TMenuHandle() { DestroyMenu(H); }
  } popup;
  if (FAILED(menu->QueryContextMenu(popup.H, 0, kFirstCommand, kLastCommand, CMF_EXPLORE | CMF_CANRENAME))) return;

  // While the menu is open its owner-drawn items are the shell's to draw.
  TComPtr<IContextMenu2> menu2 = menu.As<IContextMenu2>(IID_IContextMenu2);
  ContextMenu2_ = menu2.Get();
  const UINT command =
      UINT(TrackPopupMenu(popup.H, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN, screen.x, screen.y, 0, Handle(), nullptr));
  ContextMenu2_ = nullptr;
  if (command < kFirstCommand) return;

  const std::wstring verb = VerbOf(*menu.Get(), command);
  if (SameVerb(verb, L"rename")) {
    RenameAllowed_ = true;
    node->EditText();
    return;
  }
  const std::wstring path = folder->PathName();
  {
    std::unique_ptr<TCurrentDirectoryScope> directory;
    if (SameVerb(verb, L"open")) directory = std::make_unique<TCurrentDirectoryScope>(ItemDirectory(*folder));
    CMINVOKECOMMANDINFOEX invoke{};
    invoke.cbSize = sizeof(invoke);
    invoke.fMask = CMIC_MASK_UNICODE;
    invoke.hwnd = Handle();
    invoke.lpVerb = MAKEINTRESOURCEA(command - kFirstCommand);
    invoke.lpVerbW = MAKEINTRESOURCEW(command - kFirstCommand);
    invoke.nShow = SW_SHOWNORMAL;
    menu->InvokeCommand(reinterpret_cast<LPCMINVOKECOMMANDINFO>(&invoke));
  }
  if (SameVerb(verb, L"delete")) {
    if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) Delete(node);
  } else if (SameVerb(verb, L"paste")) {
    if (TTreeNode* selected = Selected()) RefreshNode(selected);
  }
}

bool TbsCustomShellTreeView::CanEdit(TTreeNode* node) {
  // Names change only through the shell's rename command, never by a slow click.
  const bool allowed = RenameAllowed_ && FolderOf(node);
  RenameAllowed_ = false;
  return allowed;
}

bool TbsCustomShellTreeView::Edit(TTreeNode* node, const std::wstring& text) {
  TbsShellFolder* folder = FolderOf(node);
  if (!folder) return false;
  TItemIdList renamed;
  const HRESULT hr =
      folder->ParentShellFolder().SetNameOf(Handle(), folder->RelativeID(), text.c_str(), SHGDN_INFOLDER, renamed.Receive());
  if (FAILED(hr) || !renamed) {
    // Reported here: the tree's own code is below this frame and must not be unwound.
    Application().HandleException(Exception(FormatShellMessage(BS_RENAME_FAILED, text)));
    return false;
  }
  auto fresh = std::make_unique<TbsShellFolder>(folder->Parent(), std::move(renamed));
  const std::wstring shown = fresh->DisplayName();
  // The children were made under the old name: they are read again when the node next opens.
  node->Collapse();
  node->DeleteChildren();
  node->SetData(std::move(fresh));
  node->SetHasChildren(HasSubFolders(*FolderOf(node)));
  // The shell may show the name otherwise than typed (an extension hidden, say).
  node->SetText(shown);
  return false;
}

void TbsCustomShellTreeView::WndProc(TMessage& m) {
  if (ContextMenu2_) {
    switch (m.Msg) {
      case WM_DRAWITEM:
      case WM_MEASUREITEM:
      case WM_INITMENUPOPUP:
      case WM_MENUCHAR:
        if (SUCCEEDED(ContextMenu2_->HandleMenuMsg(m.Msg, m.WParam, m.LParam))) {
          m.Result = m.Msg == WM_INITMENUPOPUP ? 0 : TRUE;
          return;
        }
        break;
      default: break;
    }
  }
  TbsSkinCustomTreeView::WndProc(m);
}

}  // namespace bs
