#pragma once
// The hourglass while work holds the message loop up, and the cursor it replaced put back
// however the work ends.

#include <windows.h>

namespace spv::platform {

class THourGlass {
 public:
  THourGlass();
  THourGlass(const THourGlass&) = delete;
  THourGlass& operator=(const THourGlass&) = delete;
  ~THourGlass();

 private:
  HCURSOR Saved_;
};

}  // namespace spv::platform
