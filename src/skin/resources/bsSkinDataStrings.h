#pragma once
// The optional table of user-visible strings attached to a skin. Without one every skinned
// component shows its built-in English text.

#include <string>
#include <string_view>
#include <vector>

namespace bs {

class TbsResourceStrDataCore {
 public:
  TbsResourceStrDataCore();
  virtual ~TbsResourceStrDataCore() = default;

  // NAME=text lines; "&" marks the accelerator letter.
  std::vector<std::string> ResStrings;
  // The character set of the fonts drawn with these texts; 1 is the default character set.
  int CharSet = 1;

  // The text of the first line whose name matches `name` without regard to case; empty
  // when none does.
  std::string GetResStr(std::string_view name) const;

  // The built-in lines, in their fixed order.
  static const std::vector<std::string>& DefaultStrings();
};

}  // namespace bs
