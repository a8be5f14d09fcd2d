#include "platform/ComObj.h"

#include <ole2.h>

#include "platform/SysUtils.h"

namespace spv::platform {

namespace {

// Leaves the apartment when the thread that entered it ends.
struct TOleApartment {
  bool Entered = false;
  ~TOleApartment() {
    if (Entered) OleUninitialize();
  }
};

}  // namespace

void InitializeCom() {
  thread_local TOleApartment apartment;
  if (apartment.Entered) return;
  const HRESULT hr = OleInitialize(nullptr);
  if (FAILED(hr)) throw EOSError("Starting COM", DWORD(hr));
  apartment.Entered = true;
}

}  // namespace spv::platform
