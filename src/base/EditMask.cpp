#include "base/EditMask.h"

namespace spv::base {

TEditMask::TEditMask(std::wstring_view mask, wchar_t dateSeparator, wchar_t timeSeparator) {
  // The field part ends at the first unescaped ';'; what follows are the two options.
  std::size_t end = mask.size();
  for (std::size_t i = 0; i < mask.size(); ++i) {
    if (mask[i] == L'\\') {
      ++i;
      continue;
    }
    if (mask[i] == L';') {
      end = i;
      break;
    }
  }
  const std::wstring_view options = end < mask.size() ? mask.substr(end + 1) : std::wstring_view{};
  if (const std::size_t semi = options.find(L';'); semi != std::wstring_view::npos && semi + 1 < options.size())
    Blank_ = options[semi + 1];
  for (std::size_t i = 0; i < end; ++i) {
    const wchar_t c = mask[i];
    switch (c) {
      case L'!': LeadingBlanks_ = true; break;
      case L'>':
      case L'<': break;
      case L'\\':
        if (i + 1 < end) Slots_.push_back({true, mask[++i]});
        break;
      case L'9':
      case L'0':
      case L'L':
      case L'l':
      case L'A':
      case L'a':
      case L'C':
      case L'c':
      case L'#': Slots_.push_back({false, c}); break;
      case L'/': Slots_.push_back({true, dateSeparator}); break;
      case L':': Slots_.push_back({true, timeSeparator}); break;
      default: Slots_.push_back({true, c}); break;
    }
  }
}

bool TEditMask::IsLiteral(int i) const { return i >= 0 && i < Length() && Slots_[std::size_t(i)].Literal; }

bool TEditMask::Accepts(int i, wchar_t c) const {
  if (i < 0 || i >= Length()) return false;
  const Slot& s = Slots_[std::size_t(i)];
  if (s.Literal) return c == s.Ch;
  const bool digit = c >= L'0' && c <= L'9';
  // Letters of any script: the C library's classes depend on the process's locale.
  const bool letter = (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z') || (c >= 0xC0 && c != 0xD7 && c != 0xF7);
  switch (s.Ch) {
    case L'9':
    case L'0': return digit;
    case L'#': return digit || c == L'+' || c == L'-';
    case L'L':
    case L'l': return letter;
    case L'A':
    case L'a': return letter || digit;
    default: return c >= L' ';
  }
}

int TEditMask::NextEditable(int i) const {
  if (i < 0) i = 0;
  while (i < Length() && IsLiteral(i)) ++i;
  return i;
}

int TEditMask::PriorEditable(int i) const {
  if (i >= Length()) i = Length() - 1;
  while (i >= 0 && IsLiteral(i)) --i;
  return i;
}

std::wstring TEditMask::EmptyText() const { return Fit(L""); }

std::wstring TEditMask::Fit(std::wstring_view text) const {
  // The sections of the mask: runs of positions between literals.
  std::wstring sectioned;
  std::size_t at = 0;
  for (int i = 0; i < Length();) {
    if (IsLiteral(i)) {
      if (at >= text.size() || text[at] != Slots_[std::size_t(i)].Ch) return FitPositions(text);
      sectioned += text[at++];
      ++i;
      continue;
    }
    int width = 0;
    while (i + width < Length() && !IsLiteral(i + width)) ++width;
    std::size_t end = at;
    while (end < text.size() && (i + width >= Length() || text[end] != Slots_[std::size_t(i + width)].Ch)) ++end;
    std::wstring part(text.substr(at, end - at));
    if (int(part.size()) > width) return FitPositions(text);
    const std::wstring pad(std::size_t(width) - part.size(), Blank_);
    sectioned += LeadingBlanks_ ? pad + part : part + pad;
    at = end;
    i += width;
  }
  return FitPositions(at == text.size() ? std::wstring_view(sectioned) : text);
}

std::wstring TEditMask::FitPositions(std::wstring_view text) const {
  std::wstring r;
  for (int i = 0; i < Length(); ++i) {
    const Slot& s = Slots_[std::size_t(i)];
    const wchar_t c = std::size_t(i) < text.size() ? text[std::size_t(i)] : Blank_;
    if (s.Literal) r += s.Ch;
    else r += Accepts(i, c) ? c : Blank_;
  }
  return r;
}

}  // namespace spv::base
