// spinvolt.exe's program block with time marks between its steps, for the start-up benchmark:
// the same libraries, form description and skin, the same calls in the same order, and the
// same message loop. After each step it writes the system time to its standard output (the
// benchmark's pipe): first when its process was created, then after each step up to the point
// where the messages that showing the window queued (its first paint among them) are handled.
#include "app/Main.h"
#include "platform/FormReader.h"
#include "platform/Forms.h"
#include "resources/ProgramForm.h"

#include <cstdio>

namespace {

// Milliseconds of the system time, the clock of the benchmark's own marks as well.
double Ms(FILETIME f) { return (double(f.dwHighDateTime) * 4294967296.0 + double(f.dwLowDateTime)) / 10000.0; }

void Write(double ms, const char* step) {
  char line[128];
  const int n = std::snprintf(line, sizeof line, "%.3f %s\n", ms, step);
  DWORD written;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), line, DWORD(n), &written, nullptr);
}

void Mark(const char* step) {
  FILETIME now;
  GetSystemTimePreciseAsFileTime(&now);
  Write(Ms(now), step);
}

// The first of the program's own code to run: the run-time's start, before the constructors of
// the libraries' globals. What comes before is Wine's loader: the image and the libraries.
__attribute__((constructor(101))) void RunTimeStarted() {
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  Write(Ms(created), "process created");
  Mark("image and libraries loaded");
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  Mark("run-time started, WinMain");
  auto& application = spv::platform::Application();
  application.Initialize();
  spv::app::TFRM_SPV::RegisterClasses();
  // CreateForm, in its two steps.
  auto* form = new spv::app::TFRM_SPV(&application);
  spv::platform::TFormReader::ReadInto(*form, spv::ProgramFormDescription());
  Mark("description read, skin loaded");
  application.AdoptForm(form, {});
  Mark("FormCreate");
  // Run shows the main form and handles messages as they come; here it is shown first and what
  // that queued is handled by the application's own pump, before Run finds the form shown.
  form->Show();
  Mark("Show");
  application.ProcessMessages();
  Mark("queued messages handled, first paint");
  // A close that came with them has ended the program already (Run would start over).
  if (!application.Terminated()) application.Run();
  return 0;
}
