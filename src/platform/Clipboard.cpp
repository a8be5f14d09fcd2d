#include "platform/Clipboard.h"

#include <windows.h>

#include <string_view>

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

namespace {

// Global memory that is freed unless the clipboard takes it over.
class TGlobalText {
 public:
  explicit TGlobalText(std::wstring_view text)
      : Memory_(GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t))) {
    if (!Memory_) return;
    auto* p = static_cast<wchar_t*>(GlobalLock(Memory_));
    text.copy(p, text.size());
    p[text.size()] = L'\0';
    GlobalUnlock(Memory_);
  }
  ~TGlobalText() {
    if (Memory_) GlobalFree(Memory_);
  }
  TGlobalText(const TGlobalText&) = delete;
  TGlobalText& operator=(const TGlobalText&) = delete;
  HGLOBAL Get() const { return Memory_; }
  void Release() { Memory_ = nullptr; }

 private:
  HGLOBAL Memory_;
};

class TOpenClipboard {
 public:
  TOpenClipboard() : Open_(OpenClipboard(nullptr) != FALSE) {}
  ~TOpenClipboard() {
    if (Open_) CloseClipboard();
  }
  TOpenClipboard(const TOpenClipboard&) = delete;
  TOpenClipboard& operator=(const TOpenClipboard&) = delete;
  bool Open() const { return Open_; }

 private:
  bool Open_;
};

}  // namespace

bool SetClipboardText(std::wstring_view text) {
  TGlobalText memory(text);
  if (!memory.Get()) return false;
  const TOpenClipboard clipboard;
  if (!clipboard.Open() || !EmptyClipboard()) return false;
  if (!SetClipboardData(CF_UNICODETEXT, memory.Get())) return false;
  memory.Release();  // the clipboard owns it now
  return true;
}

}  // namespace spv::platform
