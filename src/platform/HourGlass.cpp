#include "platform/HourGlass.h"

#include "platform/Controls.h"

namespace spv::platform {

THourGlass::THourGlass() : Saved_(SetCursor(CursorHandle(crHourGlass))) {}

THourGlass::~THourGlass() { SetCursor(Saved_); }

}  // namespace spv::platform
