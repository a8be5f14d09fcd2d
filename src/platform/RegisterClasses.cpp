#include "platform/Classes.h"
#include "platform/ExtCtrls.h"
#include "platform/Forms.h"

namespace spv::platform {

void RegisterPlatformClasses() {
  static const bool done = [] {
    TClassRegistry& r = TClassRegistry::Instance();
    r.Register<TComponent>("TComponent");
    r.Register<TForm>("TForm");
    r.Register<TPanel>("TPanel");
    r.Register<TTimer>("TTimer");
    return true;
  }();
  (void)done;
}

}  // namespace spv::platform
