#include "platform/ComObj.h"

#include <ole2.h>

#include "platform/SysUtils.h"
#include "platform/SystemLibraries.h"

namespace spv::platform {

namespace {

// Leaves the apartment when the thread that entered it ends.
struct TOleApartment {
  decltype(&::OleUninitialize) Leave = nullptr;
  ~TOleApartment() {
    if (Leave) Leave();
  }
};

}  // namespace

void InitializeCom() {
  thread_local TOleApartment apartment;
  if (apartment.Leave) return;
  static const auto enter = SystemFunction<decltype(&::OleInitialize)>(kOleLibrary, "OleInitialize");
  static const auto leave = SystemFunction<decltype(&::OleUninitialize)>(kOleLibrary, "OleUninitialize");
  const HRESULT hr = enter(nullptr);
  if (FAILED(hr)) throw EOSError("Starting COM", DWORD(hr));
  apartment.Leave = leave;
}

}  // namespace spv::platform
