#include "platform/Clipboard.h"

#include <windows.h>

namespace spv::platform {

bool ClipboardHasText() {
  return IsClipboardFormatAvailable(CF_UNICODETEXT) || IsClipboardFormatAvailable(CF_TEXT) ||
         IsClipboardFormatAvailable(CF_OEMTEXT);
}

std::optional<std::wstring> ClipboardText() {
  if (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !OpenClipboard(nullptr)) return std::nullopt;
  std::optional<std::wstring> text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT))
    if (const auto* p = static_cast<const wchar_t*>(GlobalLock(data))) {
      text = std::wstring(p);
      GlobalUnlock(data);
    }
  CloseClipboard();
  return text;
}

}  // namespace spv::platform
