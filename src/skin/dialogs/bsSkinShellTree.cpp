#include "skin/dialogs/bsSkinShellTree.h"

#include <shellapi.h>

#include "platform/Forms.h"
#include "platform/HourGlass.h"
#include "platform/SystemLibraries.h"
#include "skin/dialogs/bsSkinShellRules.h"
#include "skin/resources/bsconst.h"

#include <vector>

namespace bs {

using namespace spv::platform;

std::wstring FormatShellMessage(std::string_view pattern, std::wstring_view text) {
  std::wstring message = Cp1251ToWide(pattern);
  if (const auto at = message.find(L"%s"); at != std::wstring::npos) message.replace(at, 2, text);
  return message;
}

DWORD ShellEnumFlags(TbsShellObjectTypes types) {
  DWORD flags = 0;
  if (types & otFolders) flags |= SHCONTF_FOLDERS;
  if (types & otNonFolders) flags |= SHCONTF_NONFOLDERS;
  if (types & otHidden) flags |= SHCONTF_INCLUDEHIDDEN;
  return flags;
}

// ---- TbsShellFolder ----

TbsShellFolder::TbsShellFolder(TbsShellFolder* parent, TItemIdList relative)
    : Parent_(parent), Relative_(std::move(relative)) {
  Absolute_ = TItemIdList::Concat(parent ? parent->AbsoluteID() : nullptr, Relative_.Get());
  if (parent) {
    if (parent->ShellFolder()) {
      parent->ShellFolder()->AddRef();
      ParentFolder_ = TComPtr<IShellFolder>(parent->ShellFolder());
    }
  } else {
    ParentFolder_ = DesktopFolder();
  }
  if (ParentFolder_) {
    if (IdListSize(Relative_.Get()) == 0) {
      // The desktop as the root: the item is the desktop itself.
      Folder_ = ParentFolder_;
    } else {
      Folder_ = BindToChildFolder(*ParentFolder_.Get(), Relative_.Get());
    }
  }
}

IShellFolder& TbsShellFolder::ParentShellFolder() const { return *ParentFolder_.Get(); }

std::wstring TbsShellFolder::DisplayName() const {
  if (!ParentFolder_) return L"parentfolder = nil";
  return CleanShellName(spv::platform::DisplayNameOf(*ParentFolder_.Get(), Relative_.Get(), SHGDN_INFOLDER));
}

std::wstring TbsShellFolder::PathName() const {
  TComPtr<IShellFolder> desktop = DesktopFolder();
  std::wstring path = CleanShellName(spv::platform::DisplayNameOf(*desktop.Get(), Absolute_.Get(), SHGDN_FORPARSING));
  if (path.starts_with(L"::{"))
    path = CleanShellName(spv::platform::DisplayNameOf(*desktop.Get(), Absolute_.Get(), SHGDN_NORMAL));
  return path;
}

int TbsShellFolder::ImageIndex(bool open) const { return SmallIconIndex(Absolute_.Get(), open); }

// ---- TbsCustomShellTreeView ----

TbsCustomShellTreeView::TbsCustomShellTreeView(TComponent* owner) : TbsSkinCustomTreeView(owner) {
  RightClickSelect = true;
  ShellOpen = [](const std::wstring& file, const std::wstring& directory) {
    using spv::platform::SystemFunction;
    static const auto open = SystemFunction<decltype(&::ShellExecuteW)>(spv::platform::kShellLibrary, "ShellExecuteW");
    open(nullptr, L"open", file.c_str(), nullptr, directory.c_str(), SW_HIDE);
  };
}

TbsCustomShellTreeView::~TbsCustomShellTreeView() {
  // Nodes own shell objects: free them while COM and this class are still here.
  if (HandleAllocated()) Clear();
}

TbsShellFolder* TbsCustomShellTreeView::FolderOf(TTreeNode* node) const {
  return node ? dynamic_cast<TbsShellFolder*>(node->Data()) : nullptr;
}

void TbsCustomShellTreeView::SetUseShellImages(bool value) {
  UseShellImages_ = value;
  SetImages(value ? SystemSmallImageList() : nullptr);
}

void TbsCustomShellTreeView::CreateWnd() {
  if (UseShellImages_) SetImages(SystemSmallImageList());
  TbsSkinCustomTreeView::CreateWnd();
  CreateRoot();
}

TItemIdList TbsCustomShellTreeView::RootIdList() const {
  if (const auto csidl = SpecialFolderOfRoot(Root_)) {
    if (*csidl == 0) return TItemIdList::Copy(nullptr);
    return SpecialFolderLocation(*csidl);
  }
  return ParseDisplayName(CompleteRootPath(Root_));
}

void TbsCustomShellTreeView::SetRoot(std::wstring_view root) {
  const std::wstring previous = Root_;
  Root_ = root;
  if (!HandleAllocated()) return;
  try {
    CreateRoot();
  } catch (const Exception&) {
    Root_ = previous;
    CreateRoot();
    throw Exception(FormatShellMessage(BS_ERROR_SETTING_PATH, std::wstring(root)));
  }
}

void TbsCustomShellTreeView::SetObjectTypes(TbsShellObjectTypes types) {
  ObjectTypes_ = types;
  if (HandleAllocated()) CreateRoot();
}

void TbsCustomShellTreeView::CreateRoot() {
  TItemIdList root = RootIdList();
  BeginUpdate();
  try {
    Clear();
    TTreeNode* node = AddFolderNode(nullptr, std::make_unique<TbsShellFolder>(nullptr, std::move(root)));
    if (node) {
      node->Expand();
      SetSelected(node);
    }
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

ULONG TbsCustomShellTreeView::ItemAttributes(IShellFolder& parent, LPCITEMIDLIST relative, ULONG wanted) {
  return AttributesOf(parent, relative, wanted);
}

bool TbsCustomShellTreeView::IsFolder(const TbsShellFolder& folder) {
  if (IdListSize(folder.AbsoluteID()) == 0) return true;  // the desktop
  const ULONG a = ItemAttributes(folder.ParentShellFolder(), folder.RelativeID(), SFGAO_FOLDER | SFGAO_FILESYSTEM);
  const std::wstring path = (a & SFGAO_FILESYSTEM) ? PathFromIdList(folder.AbsoluteID()) : std::wstring();
  return IsFolderItem((a & SFGAO_FOLDER) != 0, (a & SFGAO_FILESYSTEM) != 0, path, DirectoryExists(path));
}

bool TbsCustomShellTreeView::HasSubFolders(const TbsShellFolder& folder) {
  if (IdListSize(folder.AbsoluteID()) == 0) return true;
  return ItemAttributes(folder.ParentShellFolder(), folder.RelativeID(), SFGAO_HASSUBFOLDER) != 0;
}

TTreeNode* TbsCustomShellTreeView::AddFolderNode(TTreeNode* parent, std::unique_ptr<TbsShellFolder> folder,
                                                 TTreeNode* before) {
  if (OnAddFolder) {
    bool canAdd = true;
    OnAddFolder(this, folder.get(), canAdd);
    if (!canAdd) return nullptr;
  }
  TTreeNode* node = before ? Insert(before, folder->DisplayName()) : AddChild(parent, folder->DisplayName());
  if (UseShellImages_) {
    node->SetImageIndex(folder->ImageIndex(false));
    node->SetSelectedIndex(folder->ImageIndex(true));
  }
  node->SetHasChildren(HasSubFolders(*folder));
  node->SetData(std::move(folder));
  return node;
}

void TbsCustomShellTreeView::PopulateNode(TTreeNode* node) {
  TbsShellFolder* parent = FolderOf(node);
  if (!parent || !parent->ShellFolder()) return;
  THourGlass hourGlass;
  BeginUpdate();
  try {
    TComPtr<IEnumIDList> items;
    const HWND owner = GetAncestor(Handle(), GA_ROOT);
    if (parent->ShellFolder()->EnumObjects(owner, ShellEnumFlags(ObjectTypes_), items.Receive()) == S_OK && items) {
      for (;;) {
        TItemIdList item;
        ULONG fetched = 0;
        if (items->Next(1, item.Receive(), &fetched) != S_OK || fetched != 1) break;
        AddFolderNode(node, std::make_unique<TbsShellFolder>(parent, std::move(item)));
      }
      IShellFolder* folder = parent->ShellFolder();
      CustomSort(node, [this, folder](TTreeNode* a, TTreeNode* b) {
        const HRESULT hr = folder->CompareIDs(0, FolderOf(a)->RelativeID(), FolderOf(b)->RelativeID());
        return SUCCEEDED(hr) ? int(short(HRESULT_CODE(hr))) : 0;
      });
    }
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

bool TbsCustomShellTreeView::CanExpand(TTreeNode* node) {
  if (!TbsSkinCustomTreeView::CanExpand(node)) return false;
  TbsShellFolder* folder = FolderOf(node);
  if (!folder) return true;
  bool allow = true;
  if (IsFolder(*folder)) {
    if (node->HasChildren() && node->Count() == 0) PopulateNode(node);
  } else {
    // An archive the shell shows as a folder: the shell opens it; the tree does not go in.
    const std::wstring path = folder->PathName();
    if (ShellOpen) ShellOpen(path, ItemDirectory(*folder));
    allow = false;
  }
  node->SetHasChildren(node->Count() > 0);
  return allow && node->Count() > 0;
}

std::wstring TbsCustomShellTreeView::ItemDirectory(const TbsShellFolder& folder) const {
  return folder.Parent() ? PathFromIdList(folder.Parent()->AbsoluteID()) : std::wstring();
}

std::wstring TbsCustomShellTreeView::SelectedPath() const {
  const TbsShellFolder* folder = FolderOf(Selected());
  return folder ? folder->PathName() : std::wstring();
}

TTreeNode* TbsCustomShellTreeView::FindNode(LPCITEMIDLIST absolute) const {
  std::vector<TTreeNode*> pending;
  for (TTreeNode* n = GetFirstNode(); n; n = n->NextSibling()) pending.push_back(n);
  while (!pending.empty()) {
    TTreeNode* n = pending.back();
    pending.pop_back();
    if (const TbsShellFolder* f = FolderOf(n); f && SameItem(f->AbsoluteID(), absolute)) return n;
    for (TTreeNode* c = n->FirstChild(); c; c = c->NextSibling()) pending.push_back(c);
  }
  return nullptr;
}

void TbsCustomShellTreeView::WalkTo(const TItemIdList& target) {
  TTreeNode* current = GetFirstNode();
  if (!current) return;
  current->Expand();
  const int count = target.ItemCount();
  for (int i = 1; i <= count && current; ++i) {
    const TItemIdList prefix = target.Prefix(i);
    if (SameItem(FolderOf(current)->AbsoluteID(), prefix.Get())) continue;
    TTreeNode* found = nullptr;
    for (TTreeNode* c = current->FirstChild(); c && !found; c = c->NextSibling())
      if (SameItem(FolderOf(c)->AbsoluteID(), prefix.Get())) found = c;
    current = found;
    if (current && i < count) current->Expand();
  }
  if (current && !SameItem(FolderOf(current)->AbsoluteID(), target.Get())) current = nullptr;
  SetSelected(current);
  if (current) {
    current->Expand();
    current->MakeVisible();
  }
}

void TbsCustomShellTreeView::SelectPath(const std::wstring& path) {
  TItemIdList target;
  try {
    target = ParseDisplayName(path);
  } catch (const Exception&) {
    throw Exception(FormatShellMessage(BS_ERROR_SETTING_PATH, path));
  }
  WalkTo(target);
}

void TbsCustomShellTreeView::SelectDefaultFolder() { WalkTo(SpecialFolderLocation(CSIDL_DRIVES)); }

void TbsCustomShellTreeView::RefreshNode(TTreeNode* node) {
  TbsShellFolder* old = FolderOf(node);
  if (!old) return;
  THourGlass hourGlass;
  // What is to be found again, by the items' lists.
  std::vector<TItemIdList> expanded;
  std::vector<TTreeNode*> pending{node};
  while (!pending.empty()) {
    TTreeNode* n = pending.back();
    pending.pop_back();
    if (n->Expanded()) expanded.push_back(TItemIdList::Copy(FolderOf(n)->AbsoluteID()));
    for (TTreeNode* c = n->FirstChild(); c; c = c->NextSibling()) pending.push_back(c);
  }
  const TItemIdList selected = TItemIdList::Copy(FolderOf(Selected()) ? FolderOf(Selected())->AbsoluteID() : nullptr);
  const bool hadSelection = Selected() != nullptr;
  const TItemIdList top = TItemIdList::Copy(FolderOf(TopItem()) ? FolderOf(TopItem())->AbsoluteID() : nullptr);
  const bool hadTop = TopItem() != nullptr;
  auto wasExpanded = [&expanded](const TbsShellFolder& f) {
    for (const TItemIdList& e : expanded)
      if (SameItem(e.Get(), f.AbsoluteID())) return true;
    return false;
  };

  BeginUpdate();
  try {
    auto fresh = std::make_unique<TbsShellFolder>(old->Parent(), TItemIdList::Copy(old->RelativeID()));
    TTreeNode* renewed = AddFolderNode(nullptr, std::move(fresh), node);
    if (renewed) {
      PopulateNode(renewed);
      renewed->SetHasChildren(renewed->Count() > 0);
    }
    Delete(node);
    if (renewed) {
      std::vector<TTreeNode*> open{renewed};
      while (!open.empty()) {
        TTreeNode* n = open.back();
        open.pop_back();
        if (!wasExpanded(*FolderOf(n))) continue;
        n->Expand();
        for (TTreeNode* c = n->FirstChild(); c; c = c->NextSibling()) open.push_back(c);
      }
    }
    if (hadSelection)
      if (TTreeNode* s = FindNode(selected.Get())) SetSelected(s);
    if (hadTop)
      if (TTreeNode* t = FindNode(top.Get())) SetTopItem(t);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

}  // namespace bs
