#pragma once
// The rules of the date field that need no window: the edit mask made from the locale's short
// date format, which typed characters a date part may take, when a text is a whole date, the
// text a typed key would make, and the items of the edit's context menu.
//
// Everything starts from the template: 31 December 9999 written in the locale's short date
// format ("31.12.9999", "12/31/9999", "31-дек-9999"), split at the date separator.

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace bs {

enum class TbsDatePartKind { dpDay, dpMonth, dpNameMonth, dpYear, dpUnknown };

struct TbsDateTemplate {
  std::wstring Text;
  wchar_t Separator = L'.';
  std::array<std::wstring, 3> Parts;
  std::array<TbsDatePartKind, 3> Kinds{TbsDatePartKind::dpUnknown, TbsDatePartKind::dpUnknown,
                                       TbsDatePartKind::dpUnknown};
  // The template is three parts of digits between separators.
  bool Numeric = false;
  // 9999, or 99 for a two-digit year.
  int YearLimit = 9999;
  int YearDigits = 4;
};

TbsDateTemplate ReadDateTemplate(std::wstring_view text, wchar_t separator);

// "!99/99/0000;1; " for "31.12.9999": "/" stands for the locale's separator.
std::wstring BuildDateMask(const TbsDateTemplate& t);

// True when no part of `s` holds an impossible value yet (parts without a digit pass).
bool ValidateDateText(std::wstring_view s, const TbsDateTemplate& t);

// True when `s` is a whole date in the template's shape. `isMonthName` tells a written month.
bool IsCompleteDate(std::wstring_view s, const TbsDateTemplate& t,
                    const std::function<bool(std::wstring_view)>& isMonthName);

// The text after typing `key` with the caret at `caret` (0-based): the key replaces the
// character at the caret, or is appended after the end.
std::wstring DateKeyCandidate(std::wstring_view text, int caret, wchar_t key);

// Whether a typed character goes through the date filter at all: Backspace and Enter pass
// untouched, and Escape belongs to the form's cancel button.
bool DateFilterPassesUntouched(wchar_t key);

// The context menu of an edit: its items in order with their enabled state.
enum class TbsEditCommand { ecNone, ecUndo, ecCut, ecCopy, ecPaste, ecDelete, ecSelectAll };
struct TbsEditMenuItem {
  const char* StringKey;  // the skin's string table key; empty for a separator
  const wchar_t* Caption;  // the built-in text; "-" for a separator
  bool Enabled;
  TbsEditCommand Command;
};
struct TbsEditState {
  bool CanUndo = false, HasSelection = false, ReadOnly = false, ClipboardHasText = false, AllSelected = false;
};
std::vector<TbsEditMenuItem> EditMenuItems(const TbsEditState& s);

}  // namespace bs
