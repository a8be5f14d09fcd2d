#pragma once
// Edit masks of the masked edit: "!99/99/0000;1; " is a leading "!" (blanks fill from the
// left), positions ("9" optional digit, "0" required digit, "L" required letter, "l" optional
// letter, "A"/"a" letter or digit, "C"/"c" any character), literals ("/" the date separator,
// ":" the time separator, "\x" the character x, anything else itself), then ";1" (literals
// are kept in the text) and ";c" (the character that shows an empty position).

#include <string>
#include <string_view>
#include <vector>

namespace spv::base {

class TEditMask {
 public:
  TEditMask() = default;
  TEditMask(std::wstring_view mask, wchar_t dateSeparator = L'/', wchar_t timeSeparator = L':');

  bool Empty() const { return Slots_.empty(); }
  int Length() const { return int(Slots_.size()); }
  wchar_t Blank() const { return Blank_; }
  bool IsLiteral(int i) const;
  // True when `c` may stand at position i (a literal takes only itself).
  bool Accepts(int i, wchar_t c) const;
  // The first position from i on (or before i, going back) that is not a literal; Length()
  // (or -1) when there is none.
  int NextEditable(int i) const;
  int PriorEditable(int i) const;
  // The text of an empty field: blanks with the literals in their places.
  std::wstring EmptyText() const;
  // `text` fitted to the mask. A text that has the mask's literals in order is fitted section
  // by section (" 3/ 1/2024" from "3/1/2024"): a short section is filled with leading blanks
  // when the mask starts with "!", else with trailing ones. Any other text goes position by
  // position. Characters a position does not take become blanks.
  std::wstring Fit(std::wstring_view text) const;

 private:
  struct Slot {
    bool Literal = false;
    wchar_t Ch = 0;  // the literal, or the mask character
  };
  std::wstring FitPositions(std::wstring_view text) const;

  std::vector<Slot> Slots_;
  wchar_t Blank_ = L'_';
  bool LeadingBlanks_ = false;
};

}  // namespace spv::base
