#pragma once
// The system's Save As dialog, and the user's Documents folder it starts in the first time.

#include <windows.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace spv::platform {

// One type of file the dialog offers: "HTML (*.html)" with the pattern "*.html" and its
// extension ("html").
struct TFileType {
  std::wstring Description;
  std::wstring Pattern;
  std::wstring Extension;
};

struct TSaveFileRequest {
  std::wstring Title;  // empty: the system's own
  std::filesystem::path Folder;
  std::wstring FileName;
  std::vector<TFileType> Types;  // the first is chosen at the start
};

struct TSaveFileChoice {
  std::filesystem::path File;
  int TypeIndex = 0;  // into the request's types
};

// Runs the dialog, modal to `owner`; nullopt when the user cancels it. A name ending in an
// offered type's extension is of that type; any other is of the type chosen in the dialog and
// takes its extension. An existing file is replaced only once the user agrees.
std::optional<TSaveFileChoice> PromptForSaveFile(HWND owner, const TSaveFileRequest& request);

// The user's Documents folder; the profile's folder when the system names none.
std::filesystem::path DocumentsFolder();

}  // namespace spv::platform
