// How long the main window takes to show an hour and to paint itself under Wine: a tab change
// over the fullest hour of a demo folder (compare, fill, paint of the table), and a whole paint
// of the window at its designed size and at full HD. A Windows program that times itself.
#include "app/Main.h"
#include "app/Utf8Path.h"
#include "platform/FormReader.h"
#include "resources/ProgramForm.h"
#include "support/BenchTiming.h"
#include "tools/spinvolt-demo/DemoFolder.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

namespace {

using namespace spv;
namespace fs = std::filesystem;

using bench::Pump;

// Median of `times` timed calls of `act`, after five untimed ones, each timed to its picture
// on the display, the program idling between them.
double MedianMs(int times, const std::function<void(int)>& act) {
  std::vector<double> ms;
  for (int i = 0; i < times + 5; ++i) {
    const double t0 = bench::NowMs();
    act(i);
    bench::WaitForDisplay();
    const double t1 = bench::NowMs();
    if (i >= 5) ms.push_back(t1 - t0);
    bench::IdleBetweenSteps();
  }
  return bench::Stats(ms).Median;
}

LRESULT CALLBACK PlainWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg != WM_PAINT) return DefWindowProcW(window, msg, wParam, lParam);
  PAINTSTRUCT ps;
  const HDC dc = BeginPaint(window, &ps);
  FillRect(dc, &ps.rcPaint, HBRUSH(GetStockObject(WHITE_BRUSH)));
  EndPaint(window, &ps);
  return 0;
}

// Called the Windows way (stdcall in 32 bits), which a lambda is not.
BOOL CALLBACK CountWindow(HWND, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  return TRUE;
}

int CountWindows(HWND top) {
  int count = 1;
  EnumChildWindows(top, CountWindow, LPARAM(&count));
  return count;
}

// A popup window where `top` is, with a plain child wherever `top` has a window, nested alike.
HWND PlainCopy(HWND top) {
  static const ATOM kClass = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = PlainWindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"SpvPlainBenchWindow";
    return RegisterClassW(&wc);
  }();
  RECT r;
  GetWindowRect(top, &r);
  const auto make = [](HWND parent, const RECT& at, DWORD style) {
    return CreateWindowExW(0, MAKEINTATOM(kClass), L"", style | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, at.left,
                           at.top, at.right - at.left, at.bottom - at.top, parent, nullptr, GetModuleHandleW(nullptr),
                           nullptr);
  };
  const HWND copy = make(nullptr, r, WS_POPUP);
  const std::function<void(HWND, HWND)> copyChildren = [&](HWND original, HWND into) {
    for (HWND c = GetWindow(original, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
      RECT at;
      GetWindowRect(c, &at);
      MapWindowPoints(nullptr, original, reinterpret_cast<POINT*>(&at), 2);
      copyChildren(c, make(into, at, WS_CHILD));
    }
  };
  copyChildren(top, copy);
  return copy;
}

}  // namespace

int main(int argc, char** argv) {
  const int times = argc > 1 ? std::max(1, std::atoi(argv[1])) : 50;
  const fs::path root = fs::temp_directory_path() / ("spv-window-bench-" + std::to_string(GetCurrentProcessId()));
  demo::TDemoOptions options;
  options.Folder = root;
  options.LastDay = *base::EncodeDate(2026, 3, 15);
  options.Days = 3;
  demo::WriteDemoFolder(options);

  auto form = std::make_unique<app::TFRM_SPV>();
  platform::TFormReader::ReadInto(*form, ProgramFormDescription());
  form->DoCreate();
  // The settings the run writes go to the demo folder, not beside the executable.
  form->Check().SettingsPath = app::PathUtf8(root / "spinvolt.ini");
  form->Show();
  Pump();
  // Any box the run shows (an hour without a playlist) is answered at once.
  platform::TTimer closer;
  closer.SetInterval(50);
  closer.OnTimer = [](platform::TObject*) {
    for (int i = 0; i < platform::Screen().FormCount(); ++i)
      if (auto* box = dynamic_cast<bs::TbsMessageForm*>(platform::Screen().Forms(i)))
        if (box->HandleAllocated() && IsWindowVisible(box->WindowHandle())) PostMessageW(box->WindowHandle(), WM_CLOSE, 0, 0);
  };
  closer.SetEnabled(true);
  form->EBases->SetText(root.wstring());
  form->EReport->SetText((root / "Report").wstring());
  form->EDate->SetDate(*base::EncodeDate(2026, 3, 15));
  form->SBExecClick(form->SBExec);
  while (form->Check().Reading()) Pump();
  Pump();
  closer.SetEnabled(false);

  // The two fullest hours, shown in turn.
  std::vector<int> hours(24);
  for (int h = 0; h < 24; ++h) hours[std::size_t(h)] = h;
  auto rows = [&](int h) { return form->Check().HistHours[std::size_t(h)].size() + form->Check().RepHours[std::size_t(h)].size(); };
  std::sort(hours.begin(), hours.end(), [&](int a, int b) { return rows(a) > rows(b); });
  if (rows(hours[0]) == 0) {
    std::fprintf(stderr, "the demo run read nothing\n");
    return 1;
  }
  const double tab = MedianMs(times, [&](int i) {
    form->TabHour->SetTabIndex(hours[std::size_t(i % 2)]);
    form->TabHourChange(form->TabHour);
    UpdateWindow(form->SGRep->Handle());
  });
  std::printf("tab change between hours of %zu and %zu rows (%d changes): median %.3f ms\n", rows(hours[0]),
              rows(hours[1]), times, tab);

  auto paint = [&](int width, int height, bool client) {
    if (client) {
      form->SetClientWidth(width);
      form->SetClientHeight(height);
    } else {
      form->SetBounds(0, 0, width, height);
    }
    Pump();
    const double ms = MedianMs(times, [&](int) {
      RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    });
    RECT r;
    GetWindowRect(form->Handle(), &r);
    std::printf("whole window paint at %ld x %ld (%d paints): median %.3f ms\n", r.right - r.left, r.bottom - r.top,
                times, ms);
    // What Wine alone costs for the same tree of windows, each filling itself with one colour.
    const HWND plain = PlainCopy(form->Handle());
    Pump();
    const double floor = MedianMs(times, [&](int) {
      RedrawWindow(plain, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    });
    DestroyWindow(plain);
    std::printf("  the same %d windows, plain: median %.3f ms\n", CountWindows(form->Handle()), floor);
  };
  paint(app::kClientWidth, app::kClientHeight, true);
  paint(1920, 1080, false);

  form.reset();
  std::error_code ec;
  fs::remove_all(root, ec);
  return 0;
}
