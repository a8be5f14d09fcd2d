#pragma once
// The routine of unit Engine that needs the window system.

#include "app/CheckHost.h"

namespace spv::app {

// Handles every window message pending for the calling thread, then sleeps: the long reads
// call it so that the window keeps repainting and its controls stay usable.
void PumpAndSleep(int milliseconds);

// The main window's pump, as the check asks for it.
class TWindowPump final : public TMessagePump {
 public:
  void PumpAndSleep(int milliseconds) override { spv::app::PumpAndSleep(milliseconds); }
};

}  // namespace spv::app
