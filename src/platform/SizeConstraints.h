#pragma once
// The limits a control's size keeps: 0 is no limit.

#include <algorithm>

namespace spv::platform {

struct TSizeConstraints {
  int MaxWidth = 0, MinWidth = 0, MaxHeight = 0, MinHeight = 0;

  void Apply(int& width, int& height) const {
    if (MaxWidth > 0) width = std::min(width, MaxWidth);
    if (MinWidth > 0) width = std::max(width, MinWidth);
    if (MaxHeight > 0) height = std::min(height, MaxHeight);
    if (MinHeight > 0) height = std::max(height, MinHeight);
  }
  friend bool operator==(const TSizeConstraints&, const TSizeConstraints&) = default;
};

}  // namespace spv::platform
