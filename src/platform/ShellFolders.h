#pragma once
// The shell namespace for the window layer: identifier lists owned in RAII, the desktop and the
// special folders, names of items in their three forms, attributes, the system's small icons,
// and opening an item. Every text crosses as wide text, so that a folder named in any script
// keeps its name.

#include <windows.h>

#include <shlobj.h>

#include "platform/ComObj.h"

#include <string>

namespace spv::platform {

// One identifier list, allocated with the shell's task allocator and freed with it.
class TItemIdList {
 public:
  TItemIdList() = default;
  // Takes over a list the shell handed out.
  explicit TItemIdList(LPITEMIDLIST list) : List_(list) {}
  TItemIdList(const TItemIdList&) = delete;
  TItemIdList& operator=(const TItemIdList&) = delete;
  TItemIdList(TItemIdList&& other) noexcept;
  TItemIdList& operator=(TItemIdList&& other) noexcept;
  ~TItemIdList();

  // A copy of any list (null gives an empty one).
  static TItemIdList Copy(LPCITEMIDLIST list);
  // `first` followed by `second`; either may be null or empty.
  static TItemIdList Concat(LPCITEMIDLIST first, LPCITEMIDLIST second);

  LPITEMIDLIST Get() const { return List_; }
  explicit operator bool() const { return List_ != nullptr; }
  // For a call that hands out a new list: the old one is freed first.
  LPITEMIDLIST* Receive();
  // The list of the last item alone (a view into this list), and the list without it.
  LPCITEMIDLIST Last() const;
  TItemIdList Parent() const;
  // Items in the list; 0 for the desktop's empty list.
  int ItemCount() const;
  // The first `count` items of the list.
  TItemIdList Prefix(int count) const;

 private:
  LPITEMIDLIST List_ = nullptr;
};

// The byte size of a list without its terminator; 0 for null.
UINT IdListSize(LPCITEMIDLIST list);

// The namespace's root folder.
TComPtr<IShellFolder> DesktopFolder();
// A special folder by its CSIDL number (0 the desktop, 0x11 the drives); raises EOSError.
TItemIdList SpecialFolderLocation(int csidl);
// The desktop parses a path or a parsing name; raises EOSError when it cannot.
TItemIdList ParseDisplayName(const std::wstring& name);
// The folder of an absolute list (the desktop itself for an empty one); empty when the item
// cannot be bound as a folder.
TComPtr<IShellFolder> BindToFolder(LPCITEMIDLIST absolute);
// A child folder of `parent`; empty when the item cannot be bound as a folder.
TComPtr<IShellFolder> BindToChildFolder(IShellFolder& parent, LPCITEMIDLIST relative);

// Names: SHGDN_INFOLDER for the tree, SHGDN_FORPARSING for a path, SHGDN_NORMAL for a title.
// The shell's answer may be wide, an offset into the list or single-byte (read in the system's
// ANSI code page, which is what the shell wrote it in); empty when the shell has none.
std::wstring DisplayNameOf(IShellFolder& folder, LPCITEMIDLIST relative, DWORD flags);
// The asked attributes of one item of `folder`, 0 when the shell refuses.
ULONG AttributesOf(IShellFolder& folder, LPCITEMIDLIST relative, ULONG wanted);
// The desktop compares two absolute lists: true when they name the same item.
bool SameItem(LPCITEMIDLIST a, LPCITEMIDLIST b);
// The file-system path of an absolute list, or empty for an item outside the file system.
std::wstring PathFromIdList(LPCITEMIDLIST absolute);

// The system's small-icon image list (shared: never freed) and an item's indexes in it.
HIMAGELIST SystemSmallImageList();
int SmallIconIndex(LPCITEMIDLIST absolute, bool open);

}  // namespace spv::platform
