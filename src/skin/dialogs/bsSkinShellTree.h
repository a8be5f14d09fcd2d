#pragma once
// The shell folder tree: a skinned tree view over the real shell namespace. Each node owns a
// TbsShellFolder with the item's identifier lists and, when the item is a folder, its folder
// object. Nodes are filled when they first open, sorted by the shell's own order, and show
// the system's small icons. A right click shows the shell's context menu of the item.

#include <windows.h>

#include <shlobj.h>

#include "platform/ComObj.h"
#include "platform/ShellFolders.h"
#include "skin/dialogs/bsSkinTreeView.h"

#include <functional>
#include <string>

namespace bs {

// Which items the tree lists; a set of them is a plain bit mask.
enum TbsShellObjectType : unsigned { otFolders = 1, otNonFolders = 2, otHidden = 4 };
using TbsShellObjectTypes = unsigned;
// The EnumObjects flags of a set of object types.
DWORD ShellEnumFlags(TbsShellObjectTypes types);
// A message of the tree with its "%s" filled in.
std::wstring FormatShellMessage(std::string_view pattern, std::wstring_view text);

class TbsShellFolder : public spv::platform::TObject {
 public:
  // `relative` is the item's list within `parent`'s folder (within the desktop for the root);
  // the absolute list is made from the parent's.
  TbsShellFolder(TbsShellFolder* parent, spv::platform::TItemIdList relative);
  std::string_view ClassName() const override { return "TbsShellFolder"; }

  TbsShellFolder* Parent() const { return Parent_; }
  LPCITEMIDLIST RelativeID() const { return Relative_.Get(); }
  LPCITEMIDLIST AbsoluteID() const { return Absolute_.Get(); }
  // The folder that holds the item: the parent's, or the desktop for the root.
  IShellFolder& ParentShellFolder() const;
  // The item as a folder; null when the shell cannot open it as one.
  IShellFolder* ShellFolder() const { return Folder_.Get(); }

  // The name the tree shows: the holding folder's in-folder name.
  std::wstring DisplayName() const;
  // The desktop's parsing name, or the normal name for a virtual folder ("::{...}").
  std::wstring PathName() const;
  int ImageIndex(bool open) const;

 private:
  TbsShellFolder* Parent_;
  spv::platform::TItemIdList Relative_, Absolute_;
  spv::platform::TComPtr<IShellFolder> ParentFolder_, Folder_;
};

using TbsAddFolderEvent = std::function<void(spv::platform::TObject* sender, TbsShellFolder* folder, bool& canAdd)>;

class TbsCustomShellTreeView : public TbsSkinCustomTreeView {
 public:
  explicit TbsCustomShellTreeView(spv::platform::TComponent* owner = nullptr);
  ~TbsCustomShellTreeView() override;
  std::string_view ClassName() const override { return "TbsCustomShellTreeView"; }

  // A name of the special-folder set ("rfDesktop", "rfMyComputer", ...) or a path. A root the
  // shell cannot find raises "Error setting path" and the old root stays.
  const std::wstring& Root() const { return Root_; }
  void SetRoot(std::wstring_view root);
  TbsShellObjectTypes ObjectTypes() const { return ObjectTypes_; }
  void SetObjectTypes(TbsShellObjectTypes types);
  bool UseShellImages() const { return UseShellImages_; }
  void SetUseShellImages(bool value);
  // Kept for the folder watcher, which this program never starts.
  bool AutoRefresh = false;
  bool AutoContextMenus = true;
  TbsAddFolderEvent OnAddFolder;
  // How a file the shell shows as a folder (an archive) is opened instead of being expanded:
  // the shell's "open" with the item's directory, window hidden. Replaceable, so that a test
  // can watch the request without starting anything.
  std::function<void(const std::wstring& file, const std::wstring& directory)> ShellOpen;

  // Shows and selects a folder given by path; raises "Error setting path" when the shell
  // cannot parse it.
  void SelectPath(const std::wstring& path);
  // Shows, selects and opens the computer's drives folder.
  void SelectDefaultFolder();
  // The selected node's path; empty when nothing is selected.
  std::wstring SelectedPath() const;
  TbsShellFolder* FolderOf(spv::platform::TTreeNode* node) const;
  // Builds the node again from the shell (after a command changed the folder), keeping what
  // was open, the selection and the scroll position.
  void RefreshNode(spv::platform::TTreeNode* node);
  // The node whose absolute list names the same item, among every node there is, or null.
  spv::platform::TTreeNode* FindNode(LPCITEMIDLIST absolute) const;
  // True while the shell's context menu is open.
  bool ContextMenuOpen() const { return ContextMenu2_ != nullptr; }

 protected:
  void CreateWnd() override;
  void WndProc(spv::platform::TMessage& message) override;
  bool CanExpand(spv::platform::TTreeNode* node) override;
  bool CanEdit(spv::platform::TTreeNode* node) override;
  bool Edit(spv::platform::TTreeNode* node, const std::wstring& text) override;
  bool RightClick(POINT screen) override;
  // The shell's attributes of an item (a test may stand in for the shell here).
  virtual ULONG ItemAttributes(IShellFolder& parent, LPCITEMIDLIST relative, ULONG wanted);

 private:
  void CreateRoot();
  spv::platform::TItemIdList RootIdList() const;
  spv::platform::TTreeNode* AddFolderNode(spv::platform::TTreeNode* parent, std::unique_ptr<TbsShellFolder> folder,
                                          spv::platform::TTreeNode* before = nullptr);
  void PopulateNode(spv::platform::TTreeNode* node);
  bool IsFolder(const TbsShellFolder& folder);
  bool HasSubFolders(const TbsShellFolder& folder);
  void WalkTo(const spv::platform::TItemIdList& target);
  void ShowContextMenu(spv::platform::TTreeNode* node, POINT screen);
  std::wstring ItemDirectory(const TbsShellFolder& folder) const;

  std::wstring Root_ = L"rfDesktop";
  TbsShellObjectTypes ObjectTypes_ = otFolders;
  bool UseShellImages_ = true;
  bool RenameAllowed_ = false;
  IContextMenu2* ContextMenu2_ = nullptr;
};

class TbsSkinDirTreeView : public TbsCustomShellTreeView {
 public:
  explicit TbsSkinDirTreeView(spv::platform::TComponent* owner = nullptr) : TbsCustomShellTreeView(owner) {}
  std::string_view ClassName() const override { return "TbsSkinDirTreeView"; }
};

}  // namespace bs
