#include "platform/ShellFolders.h"

#include <commctrl.h>
#include <shellapi.h>

#include "platform/SysUtils.h"
#include "platform/SystemLibraries.h"

#include <cstring>
#include <utility>

namespace spv::platform {

namespace {

const SHITEMID* NextItem(const SHITEMID* item) {
  return reinterpret_cast<const SHITEMID*>(reinterpret_cast<const BYTE*>(item) + item->cb);
}

// The shell's and OLE's functions the folders use, looked up together at the first use of any.
// Every identifier list was made after it, so freeing one finds it there.
struct TShellFunctions {
  decltype(&::CoTaskMemAlloc) Alloc = SystemFunction<decltype(&::CoTaskMemAlloc)>(kOleLibrary, "CoTaskMemAlloc");
  decltype(&::CoTaskMemFree) Free = SystemFunction<decltype(&::CoTaskMemFree)>(kOleLibrary, "CoTaskMemFree");
  decltype(&::SHGetDesktopFolder) DesktopFolder =
      SystemFunction<decltype(&::SHGetDesktopFolder)>(kShellLibrary, "SHGetDesktopFolder");
  decltype(&::SHGetSpecialFolderLocation) SpecialFolderLocation =
      SystemFunction<decltype(&::SHGetSpecialFolderLocation)>(kShellLibrary, "SHGetSpecialFolderLocation");
  decltype(&::SHGetPathFromIDListW) PathFromIdList =
      SystemFunction<decltype(&::SHGetPathFromIDListW)>(kShellLibrary, "SHGetPathFromIDListW");
  decltype(&::SHGetFileInfoW) FileInfo = SystemFunction<decltype(&::SHGetFileInfoW)>(kShellLibrary, "SHGetFileInfoW");
};

const TShellFunctions& Shell() {
  static const TShellFunctions functions;
  return functions;
}

void FreeList(LPITEMIDLIST list) {
  if (list) Shell().Free(list);
}

// A fresh list of `size` bytes plus the terminator, from the shell's task allocator.
LPITEMIDLIST AllocList(UINT size) {
  auto* p = static_cast<BYTE*>(Shell().Alloc(size + sizeof(USHORT)));
  if (!p) throw Exception(std::string("Out of memory for an identifier list"));
  std::memset(p + size, 0, sizeof(USHORT));
  return reinterpret_cast<LPITEMIDLIST>(p);
}

}  // namespace

UINT IdListSize(LPCITEMIDLIST list) {
  if (!list) return 0;
  UINT size = 0;
  for (const SHITEMID* item = &list->mkid; item->cb; item = NextItem(item)) size += item->cb;
  return size;
}

TItemIdList::TItemIdList(TItemIdList&& other) noexcept : List_(std::exchange(other.List_, nullptr)) {}

TItemIdList& TItemIdList::operator=(TItemIdList&& other) noexcept {
  if (this != &other) {
    FreeList(List_);
    List_ = std::exchange(other.List_, nullptr);
  }
  return *this;
}

TItemIdList::~TItemIdList() { FreeList(List_); }

LPITEMIDLIST* TItemIdList::Receive() {
  FreeList(std::exchange(List_, nullptr));
  return &List_;
}

TItemIdList TItemIdList::Copy(LPCITEMIDLIST list) { return Concat(list, nullptr); }

TItemIdList TItemIdList::Concat(LPCITEMIDLIST first, LPCITEMIDLIST second) {
  const UINT a = IdListSize(first), b = IdListSize(second);
  LPITEMIDLIST list = AllocList(a + b);
  auto* p = reinterpret_cast<BYTE*>(list);
  if (a) std::memcpy(p, first, a);
  if (b) std::memcpy(p + a, second, b);
  return TItemIdList(list);
}

int TItemIdList::ItemCount() const {
  if (!List_) return 0;
  int n = 0;
  for (const SHITEMID* item = &List_->mkid; item->cb; item = NextItem(item)) ++n;
  return n;
}

TItemIdList TItemIdList::Prefix(int count) const {
  UINT size = 0;
  if (List_) {
    const SHITEMID* item = &List_->mkid;
    for (int i = 0; i < count && item->cb; ++i, item = NextItem(item)) size += item->cb;
  }
  LPITEMIDLIST list = AllocList(size);
  if (size) std::memcpy(list, List_, size);
  return TItemIdList(list);
}

LPCITEMIDLIST TItemIdList::Last() const {
  if (!List_) return nullptr;
  const SHITEMID* last = &List_->mkid;
  for (const SHITEMID* item = last; item->cb; item = NextItem(item)) last = item;
  return reinterpret_cast<LPCITEMIDLIST>(last);
}

TItemIdList TItemIdList::Parent() const {
  const int n = ItemCount();
  return Prefix(n > 0 ? n - 1 : 0);
}

TComPtr<IShellFolder> DesktopFolder() {
  InitializeCom();
  TComPtr<IShellFolder> desktop;
  const HRESULT hr = Shell().DesktopFolder(desktop.Receive());
  if (FAILED(hr)) throw EOSError("Opening the desktop folder", DWORD(hr));
  return desktop;
}

TItemIdList SpecialFolderLocation(int csidl) {
  InitializeCom();
  TItemIdList list;
  const HRESULT hr = Shell().SpecialFolderLocation(nullptr, csidl, list.Receive());
  if (FAILED(hr) || !list) throw EOSError("Finding a special folder", DWORD(hr));
  return list;
}

TItemIdList ParseDisplayName(const std::wstring& name) {
  TItemIdList list;
  std::wstring text = name;  // the shell takes a writable buffer
  const HRESULT hr = DesktopFolder()->ParseDisplayName(nullptr, nullptr, text.data(), nullptr, list.Receive(), nullptr);
  if (FAILED(hr) || !list) throw EOSError("Parsing a folder name", DWORD(hr));
  return list;
}

TComPtr<IShellFolder> BindToChildFolder(IShellFolder& parent, LPCITEMIDLIST relative) {
  TComPtr<IShellFolder> folder;
  if (FAILED(parent.BindToObject(relative, nullptr, IID_IShellFolder, folder.ReceiveVoid()))) folder.Reset();
  return folder;
}

TComPtr<IShellFolder> BindToFolder(LPCITEMIDLIST absolute) {
  TComPtr<IShellFolder> desktop = DesktopFolder();
  if (IdListSize(absolute) == 0) return desktop;
  return BindToChildFolder(*desktop.Get(), absolute);
}

std::wstring DisplayNameOf(IShellFolder& folder, LPCITEMIDLIST relative, DWORD flags) {
  STRRET name{};
  name.uType = STRRET_WSTR;
  if (FAILED(folder.GetDisplayNameOf(relative, flags, &name))) return {};
  switch (name.uType) {
    case STRRET_WSTR: {
      std::wstring text = name.pOleStr ? name.pOleStr : L"";
      Shell().Free(name.pOleStr);
      return text;
    }
    case STRRET_OFFSET: {
      const char* s = reinterpret_cast<const char*>(relative) + name.uOffset;
      const int n = MultiByteToWideChar(CP_ACP, 0, s, -1, nullptr, 0);
      std::wstring text(std::size_t(n > 0 ? n : 1), L'\0');
      MultiByteToWideChar(CP_ACP, 0, s, -1, text.data(), n);
      text.resize(std::wcslen(text.c_str()));
      return text;
    }
    case STRRET_CSTR: {
      wchar_t text[MAX_PATH]{};
      MultiByteToWideChar(CP_ACP, 0, name.cStr, -1, text, MAX_PATH);
      return text;
    }
    default: return {};
  }
}

ULONG AttributesOf(IShellFolder& folder, LPCITEMIDLIST relative, ULONG wanted) {
  ULONG attributes = wanted;
  LPCITEMIDLIST items[] = {relative};
  if (FAILED(folder.GetAttributesOf(1, items, &attributes))) return 0;
  return attributes & wanted;
}

bool SameItem(LPCITEMIDLIST a, LPCITEMIDLIST b) {
  const HRESULT hr = DesktopFolder()->CompareIDs(0, a, b);
  return SUCCEEDED(hr) && short(HRESULT_CODE(hr)) == 0;
}

std::wstring PathFromIdList(LPCITEMIDLIST absolute) {
  wchar_t path[MAX_PATH]{};
  if (!Shell().PathFromIdList(absolute, path)) return {};
  return path;
}

HIMAGELIST SystemSmallImageList() {
  InitializeCom();
  const TItemIdList desktop = SpecialFolderLocation(CSIDL_DESKTOP);
  SHFILEINFOW info{};
  const UINT flags = SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON;
  auto list = reinterpret_cast<HIMAGELIST>(
      Shell().FileInfo(reinterpret_cast<LPCWSTR>(desktop.Get()), 0, &info, sizeof(info), flags));
  // Icons keep their own transparency over whatever background the tree has.
  if (list) ImageList_SetBkColor(list, CLR_NONE);
  return list;
}

int SmallIconIndex(LPCITEMIDLIST absolute, bool open) {
  SHFILEINFOW info{};
  UINT flags = SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON;
  if (open) flags |= SHGFI_OPENICON;
  if (!Shell().FileInfo(reinterpret_cast<LPCWSTR>(absolute), 0, &info, sizeof(info), flags)) return -1;
  return info.iIcon;
}

}  // namespace spv::platform
