#pragma once
// What the clipboard holds, for the edit commands that depend on it, and text put on it.

#include <optional>
#include <string>

namespace spv::platform {

// True when the clipboard holds text (in any of the text formats).
bool ClipboardHasText();
// The clipboard's text, or nullopt when it holds none or is busy.
std::optional<std::wstring> ClipboardText();
// Puts the text on the clipboard as Unicode text (the system offers the other text formats
// from it), in place of whatever it held. False when the clipboard is busy or out of memory.
bool SetClipboardText(std::wstring_view text);

}  // namespace spv::platform
