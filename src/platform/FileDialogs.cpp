#include "platform/FileDialogs.h"

#include <commdlg.h>
#include <shlobj.h>

#include "platform/SystemLibraries.h"

#include <algorithm>
#include <cwctype>

namespace spv::platform {
namespace {

// The filter string: description and pattern of each type, each ended by a null character,
// and one more null character at the end.
std::wstring Filter(const std::vector<TFileType>& types) {
  std::wstring filter;
  for (const TFileType& t : types) {
    filter += t.Description;
    filter += L'\0';
    filter += t.Pattern;
    filter += L'\0';
  }
  filter += L'\0';
  return filter;
}

bool HasExtension(const std::filesystem::path& file, const std::wstring& extension) {
  std::wstring have = file.extension().wstring(), want = L"." + extension;
  const auto lower = [](std::wstring s) {
    std::transform(s.begin(), s.end(), s.begin(), [](wchar_t c) { return wchar_t(std::towlower(c)); });
    return s;
  };
  return lower(have) == lower(want);
}

}  // namespace

std::optional<TSaveFileChoice> PromptForSaveFile(HWND owner, const TSaveFileRequest& request) {
  const std::wstring filter = Filter(request.Types);
  const std::wstring folder = request.Folder.wstring();
  std::wstring name = request.FileName;
  name.resize(std::max<std::size_t>(name.size() + 1, 32768), L'\0');
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = request.Types.empty() ? nullptr : filter.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = name.data();
  ofn.nMaxFile = DWORD(name.size());
  ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  ofn.lpstrTitle = request.Title.empty() ? nullptr : request.Title.c_str();
  // A folder that does not exist is not refused here: the write says so, as it does for one
  // removed once the dialog has closed.
  ofn.Flags = OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  static const auto ask = SystemFunction<decltype(&::GetSaveFileNameW)>(kCommonDialogLibrary, "GetSaveFileNameW");
  if (!ask(&ofn)) return std::nullopt;
  TSaveFileChoice choice;
  choice.File = std::filesystem::path(name.c_str());
  choice.TypeIndex = std::clamp(int(ofn.nFilterIndex) - 1, 0, std::max(0, int(request.Types.size()) - 1));
  // A name that ends in one of the offered types' extensions is of that type (the system's
  // dialog changes the extension with the type chosen); any other name is of the type chosen
  // and takes its extension.
  for (std::size_t t = 0; t < request.Types.size(); ++t)
    if (HasExtension(choice.File, request.Types[t].Extension)) {
      choice.TypeIndex = int(t);
      return choice;
    }
  if (!request.Types.empty()) choice.File += L"." + request.Types[std::size_t(choice.TypeIndex)].Extension;
  return choice;
}

std::filesystem::path DocumentsFolder() {
  static const auto folderPath = SystemFunction<decltype(&::SHGetFolderPathW)>(kShellLibrary, "SHGetFolderPathW");
  wchar_t path[MAX_PATH]{};
  if (SUCCEEDED(folderPath(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, path)) && path[0])
    return std::filesystem::path(path);
  if (SUCCEEDED(folderPath(nullptr, CSIDL_PROFILE, nullptr, SHGFP_TYPE_CURRENT, path)) && path[0])
    return std::filesystem::path(path);
  return std::filesystem::current_path();
}

}  // namespace spv::platform
