#include "skin/controls/bsSkinBoxCtrlsRules.h"

#include <algorithm>

namespace bs {
namespace {

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }
bool AllDigits(std::wstring_view s) { return !s.empty() && std::all_of(s.begin(), s.end(), IsDigit); }

// Digits, blanks (when allowed) and separators only.
bool NumericShape(std::wstring_view s, wchar_t sep, bool blanks) {
  return std::all_of(s.begin(), s.end(),
                     [&](wchar_t c) { return IsDigit(c) || c == sep || (blanks && c == L' '); });
}

std::vector<std::wstring> Split(std::wstring_view s, wchar_t sep) {
  std::vector<std::wstring> parts(1);
  for (wchar_t c : s)
    if (c == sep) parts.emplace_back();
    else parts.back() += c;
  return parts;
}

// The value of a run of digits, capped so that a long run cannot overflow.
int ValueOf(std::wstring_view digits) {
  int v = 0;
  for (wchar_t c : digits) v = std::min(v * 10 + (c - L'0'), 100000);
  return v;
}

std::wstring WithoutBlanks(std::wstring_view s) {
  std::wstring r;
  for (wchar_t c : s)
    if (c != L' ') r += c;
  return r;
}

}  // namespace

TbsDateTemplate ReadDateTemplate(std::wstring_view text, wchar_t separator) {
  TbsDateTemplate t;
  t.Text = text;
  t.Separator = separator;
  const auto parts = Split(text, separator);
  if (parts.size() != 3) return t;
  for (std::size_t i = 0; i < 3; ++i) {
    t.Parts[i] = parts[i];
    TbsDatePartKind& k = t.Kinds[i];
    if (!AllDigits(parts[i])) k = TbsDatePartKind::dpNameMonth;
    else switch (ValueOf(parts[i])) {
        case 12: k = TbsDatePartKind::dpMonth; break;
        case 31: k = TbsDatePartKind::dpDay; break;
        case 99:
        case 9999:
          k = TbsDatePartKind::dpYear;
          t.YearLimit = ValueOf(parts[i]);
          t.YearDigits = int(parts[i].size());
          break;
        default: break;
      }
  }
  t.Numeric = NumericShape(text, separator, false);
  return t;
}

std::wstring BuildDateMask(const TbsDateTemplate& t) {
  std::wstring mask = L"!";
  for (std::size_t i = 0; i < 3; ++i) {
    if (i) mask += L'/';
    wchar_t c = L'9';
    if (t.Kinds[i] == TbsDatePartKind::dpNameMonth) c = L'L';
    else if (t.Kinds[i] == TbsDatePartKind::dpYear) c = L'0';
    mask.append(t.Parts[i].size(), c);
  }
  return mask + L";1; ";
}

bool DateFilterPassesUntouched(wchar_t key) { return key == 8 || key == 13 || key == 27; }

bool ValidateDateText(std::wstring_view s, const TbsDateTemplate& t) {
  const bool templateNumeric = NumericShape(t.Text, t.Separator, true);
  const bool textNumeric = NumericShape(s, t.Separator, true);
  if (templateNumeric != textNumeric) return false;
  const auto parts = Split(s, t.Separator);
  if (parts.size() != 3) return false;
  for (std::size_t i = 0; i < 3; ++i) {
    const std::wstring d = WithoutBlanks(parts[i]);
    if (d.empty()) continue;
    const TbsDatePartKind k = t.Kinds[i];
    if (k == TbsDatePartKind::dpNameMonth) continue;
    if (!AllDigits(d)) return false;
    const int v = ValueOf(d);
    switch (k) {
      case TbsDatePartKind::dpYear:
        if (v > t.YearLimit) return false;
        break;
      case TbsDatePartKind::dpMonth:
        if (d.size() == 1 ? v > 1 : d.size() > 2 || v < 1 || v > 12) return false;
        break;
      case TbsDatePartKind::dpDay:
        if (d.size() == 1 ? v > 3 : d.size() > 2 || v < 1 || v > 31) return false;
        break;
      default: break;
    }
  }
  return true;
}

bool IsCompleteDate(std::wstring_view s, const TbsDateTemplate& t,
                    const std::function<bool(std::wstring_view)>& isMonthName) {
  if (s.find(L' ') != std::wstring_view::npos) return false;
  if (t.Numeric != NumericShape(s, t.Separator, false)) return false;
  const auto parts = Split(s, t.Separator);
  if (parts.size() != 3) return false;
  int day = 0, month = 0, year = 0;
  for (std::size_t i = 0; i < 3; ++i) {
    if (parts[i].empty()) return false;
    const TbsDatePartKind k = t.Kinds[i];
    if (k == TbsDatePartKind::dpNameMonth) {
      if (parts[i].size() != t.Parts[i].size() || !isMonthName(parts[i])) return false;
      month = 1;
      continue;
    }
    if (!AllDigits(parts[i])) return false;
    const int v = ValueOf(parts[i]);
    if (v > ValueOf(t.Parts[i])) return false;
    if (k == TbsDatePartKind::dpDay) day = v;
    else if (k == TbsDatePartKind::dpMonth) month = v;
    else if (k == TbsDatePartKind::dpYear) year = v;
  }
  if (year == 0 && t.YearDigits != 2) return false;
  return day > 0 && month > 0;
}

std::wstring DateKeyCandidate(std::wstring_view text, int caret, wchar_t key) {
  std::wstring s(text);
  const std::size_t at = std::size_t(std::clamp(caret, 0, int(s.size())));
  if (at < s.size()) s[at] = key;
  else s += key;
  return s;
}

std::vector<TbsEditMenuItem> EditMenuItems(const TbsEditState& s) {
  using enum TbsEditCommand;
  const bool sel = s.HasSelection, ro = s.ReadOnly;
  return {
      {"EDIT_UNDO", L"Undo", s.CanUndo, ecUndo},
      {"", L"-", true, ecNone},
      {"EDIT_CUT", L"Cut", sel && !ro, ecCut},
      {"EDIT_COPY", L"Copy", sel, ecCopy},
      {"EDIT_PASTE", L"Paste", s.ClipboardHasText && !ro, ecPaste},
      {"EDIT_DELETE", L"Delete", sel && !ro, ecDelete},
      {"", L"-", true, ecNone},
      {"EDIT_SELECTALL", L"Select All", !s.AllSelected, ecSelectAll},
  };
}

}  // namespace bs
