#pragma once
// What the clipboard holds, for the edit commands that depend on it.

#include <optional>
#include <string>

namespace spv::platform {

// True when the clipboard holds text (in any of the text formats).
bool ClipboardHasText();
// The clipboard's text, or nullopt when it holds none or is busy.
std::optional<std::wstring> ClipboardText();

}  // namespace spv::platform
