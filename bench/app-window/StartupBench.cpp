// How long the program takes to start under Wine: from the start of its process to its main
// window fully painted on the screen, as a ratio to a plain Win32 program that shows one window
// (bench_app_startup_plain.exe). All run under the same wineserver, started by this process
// with CreateProcess, in turn, many times; the figures are medians. Three more programs in the
// same rounds show where the time goes: the plain window loading the libraries the program
// loads (bench_app_startup_imports.exe), and its program block with time marks between the steps
// (bench_app_startup_stages.exe).
//
// "Fully painted" is judged from outside, on the screen, as the user sees it: the program is
// neither changed nor asked. A first start of each program, left to settle, gives its window's
// picture (pixels that change while it idles, such as a blinking caret, are left out). A timed
// start then watches the screen where that window appears: a few pixels spread over it are read
// every millisecond or so and, once they all show the settled picture, the whole rectangle is
// read and compared. The time is that of the read which matched in full.
//
// The programs run as copies, each in a folder of its own under %TEMP%, so the program's
// settings file (beside the executable) is a fresh one there and nothing of the build tree is
// touched.
#include "base/Png.h"

#include "support/BenchTiming.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using spv::bench::NowMs;
using spv::bench::Stats;
using spv::bench::TStats;

// Reads a rectangle of the screen into a 24-bit top-down picture, again and again.
class TScreenGrab {
 public:
  explicit TScreenGrab(const RECT& rect)
      : Rect(rect), Width(rect.right - rect.left), Height(rect.bottom - rect.top), Stride((3 * Width + 3) & ~3) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = Width;
    bi.bmiHeader.biHeight = -Height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    bi.bmiHeader.biCompression = BI_RGB;
    Screen_ = GetDC(nullptr);
    Dib_ = CreateDIBSection(Screen_, &bi, DIB_RGB_COLORS, &Bits_, nullptr, 0);
    Memory_ = CreateCompatibleDC(Screen_);
    if (!Dib_ || !Memory_) throw std::runtime_error("cannot make a picture to read the screen into");
    Old_ = SelectObject(Memory_, Dib_);
  }
  ~TScreenGrab() {
    SelectObject(Memory_, Old_);
    DeleteDC(Memory_);
    DeleteObject(Dib_);
    ReleaseDC(nullptr, Screen_);
  }
  TScreenGrab(const TScreenGrab&) = delete;
  TScreenGrab& operator=(const TScreenGrab&) = delete;

  const std::uint8_t* Grab() {
    BitBlt(Memory_, 0, 0, Width, Height, Screen_, Rect.left, Rect.top, SRCCOPY);
    GdiFlush();
    return static_cast<const std::uint8_t*>(Bits_);
  }
  std::vector<std::uint8_t> Copy() {
    const std::uint8_t* p = Grab();
    return {p, p + std::size_t(Stride) * std::size_t(Height)};
  }
  // One pixel of the screen, as the picture stores it (blue, green, red).
  COLORREF ScreenPixel(int x, int y) const { return GetPixel(Screen_, Rect.left + x, Rect.top + y); }

  const RECT Rect;
  const int Width, Height, Stride;

 private:
  HDC Screen_ = nullptr;
  HDC Memory_ = nullptr;
  HBITMAP Dib_ = nullptr;
  HGDIOBJ Old_ = nullptr;
  void* Bits_ = nullptr;
};

// Two pixels of 24-bit pictures.
bool SamePixel(const std::uint8_t* a, const std::uint8_t* b) { return a[0] == b[0] && a[1] == b[1] && a[2] == b[2]; }

// A settled window as the screen shows it.
struct TSettled {
  RECT Rect{};
  std::vector<std::uint8_t> Pixels;  // the grab's layout
  std::vector<bool> Stable;          // per pixel: the same in every picture taken while idle
  std::vector<POINT> Probes;         // stable pixels that differ from the empty screen
  std::size_t StableCount = 0;
};

// A mark of the staged program block: a step and the system time after it, in milliseconds.
struct TMark {
  std::string Step;
  double At;
};

struct TProgram {
  TProgram(std::string name, fs::path exe, bool staged = false) : Name(std::move(name)), Exe(std::move(exe)), Staged(staged) {}
  std::string Name;
  fs::path Exe;
  bool Staged = false;  // writes marks to its standard output
  TSettled Settled;
  std::vector<double> Ms;
  std::vector<double> CreatedMs;  // CreateProcess to the process created
  std::vector<std::vector<TMark>> Marks;  // of each timed start, relative to CreateProcess
};

double SystemMs(FILETIME time) { return (double(time.dwHighDateTime) * 4294967296.0 + double(time.dwLowDateTime)) / 10000.0; }

double SystemMs() {
  FILETIME now;
  GetSystemTimePreciseAsFileTime(&now);
  return SystemMs(now);
}

struct TWindowSearch {
  DWORD Pid;
  HWND Found = nullptr;
  long Area = 0;
};

BOOL CALLBACK FindLargestWindow(HWND window, LPARAM data) {
  auto& search = *reinterpret_cast<TWindowSearch*>(data);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid != search.Pid || !IsWindowVisible(window)) return TRUE;
  RECT r;
  GetWindowRect(window, &r);
  const long area = long(r.right - r.left) * long(r.bottom - r.top);
  if (area > search.Area) {
    search.Found = window;
    search.Area = area;
  }
  return TRUE;
}

// The largest visible top-level window of a process: its main window.
HWND MainWindowOf(DWORD pid) {
  TWindowSearch search{pid};
  EnumWindows(FindLargestWindow, LPARAM(&search));
  return search.Found;
}

class TChild {
 public:
  // `output`: where the child's standard output goes (inherited), or none.
  TChild(const fs::path& exe, const fs::path& folder, HANDLE output = nullptr) : Name_(exe.filename().string()) {
    STARTUPINFOW si{};
    si.cb = sizeof si;
    if (output) {
      si.dwFlags = STARTF_USESTDHANDLES;
      si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
      si.hStdOutput = output;
      si.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    }
    std::wstring command = L"\"" + exe.wstring() + L"\"";
    if (!CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, output != nullptr, 0, nullptr, folder.c_str(),
                        &si, &Info_))
      throw std::runtime_error("cannot start " + exe.string() + ": error " + std::to_string(GetLastError()));
  }
  ~TChild() {
    // Closed as a user closes it; a program that does not end is ended.
    if (WaitForSingleObject(Info_.hProcess, 0) != WAIT_OBJECT_0)
      if (HWND window = MainWindowOf(Info_.dwProcessId)) PostMessageW(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(Info_.hProcess, 10000) != WAIT_OBJECT_0) {
      std::fprintf(stderr, "%s did not close; ending it\n", Name_.c_str());
      TerminateProcess(Info_.hProcess, 1);
      WaitForSingleObject(Info_.hProcess, 10000);
    }
    CloseHandle(Info_.hThread);
    CloseHandle(Info_.hProcess);
  }
  TChild(const TChild&) = delete;
  TChild& operator=(const TChild&) = delete;

  DWORD Pid() const { return Info_.dwProcessId; }
  bool Ended() const { return WaitForSingleObject(Info_.hProcess, 0) == WAIT_OBJECT_0; }
  // When its process was created, in milliseconds of the system time.
  double Created() const {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(Info_.hProcess, &created, &exited, &kernel, &user);
    return SystemMs(created);
  }

 private:
  std::string Name_;
  PROCESS_INFORMATION Info_{};
};

// The standard output of a staged program: a pipe, read once the program has ended.
class TMarkPipe {
 public:
  TMarkPipe() {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    if (!CreatePipe(&Read_, &Write_, &inherit, 0)) throw std::runtime_error("cannot make a pipe");
    SetHandleInformation(Read_, HANDLE_FLAG_INHERIT, 0);
  }
  ~TMarkPipe() {
    CloseWrite();
    CloseHandle(Read_);
  }
  TMarkPipe(const TMarkPipe&) = delete;
  TMarkPipe& operator=(const TMarkPipe&) = delete;

  HANDLE Write() const { return Write_; }
  // Once the child has it: the pipe then ends when the child does.
  void CloseWrite() {
    if (Write_) CloseHandle(Write_);
    Write_ = nullptr;
  }
  // "<system time in ms> <step>" lines, times made relative to `start`.
  std::vector<TMark> Marks(double start) {
    std::string text;
    char buffer[512];
    DWORD got = 0;
    while (ReadFile(Read_, buffer, sizeof buffer, &got, nullptr) && got > 0) text.append(buffer, got);
    std::vector<TMark> marks;
    for (std::size_t at = 0; at < text.size();) {
      std::size_t end = text.find('\n', at);
      if (end == std::string::npos) end = text.size();
      const std::string line = text.substr(at, end - at);
      at = end + 1;
      double ms = 0;
      int used = 0;
      if (std::sscanf(line.c_str(), "%lf %n", &ms, &used) < 1 || used == 0) continue;
      marks.push_back({line.substr(std::size_t(used)), ms - start});
    }
    return marks;
  }

 private:
  HANDLE Read_ = nullptr, Write_ = nullptr;
};

bool Matches(const TSettled& settled, const std::uint8_t* pixels, int width, int height, int stride) {
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* a = settled.Pixels.data() + std::size_t(y) * stride;
    const std::uint8_t* b = pixels + std::size_t(y) * stride;
    for (int x = 0; x < width; ++x)
      if (settled.Stable[std::size_t(y) * width + x] && !SamePixel(a + 3 * x, b + 3 * x)) return false;
  }
  return true;
}

bool ProbesMatch(const TSettled& settled, const TScreenGrab& grab) {
  for (const POINT& p : settled.Probes) {
    const std::uint8_t* s = settled.Pixels.data() + std::size_t(p.y) * grab.Stride + 3 * std::size_t(p.x);
    if (grab.ScreenPixel(p.x, p.y) != RGB(s[2], s[1], s[0])) return false;
  }
  return true;
}

void SavePng(const TProgram& program, const std::string& name) {
  const char* dir = std::getenv("SPV_SHOT_DIR");
  if (!dir || !*dir) return;
  const TSettled& s = program.Settled;
  const int width = s.Rect.right - s.Rect.left, height = s.Rect.bottom - s.Rect.top;
  fs::create_directories(dir);
  spv::base::WritePng(fs::path(dir) / (name + ".png"), width, height, (3 * width + 3) & ~3, s.Pixels);
}

// Waits until the screen no longer shows the settled window (its program has ended and the
// display has repainted what it covered).
void WaitGone(const TSettled& settled) {
  TScreenGrab grab(settled.Rect);
  const double end = NowMs() + 5000;
  while (Matches(settled, grab.Grab(), grab.Width, grab.Height, grab.Stride) && NowMs() < end) Sleep(10);
}

// A first, untimed start: the window's place and settled picture.
void Settle(TProgram& program) {
  const fs::path folder = program.Exe.parent_path();
  TSettled& s = program.Settled;
  {
    // A staged program's marks are not wanted here.
    TMarkPipe pipe;
    TChild child(program.Exe, folder, program.Staged ? pipe.Write() : nullptr);
    pipe.CloseWrite();
    HWND window = nullptr;
    const double end = NowMs() + 30000;
    while (!(window = MainWindowOf(child.Pid()))) {
      if (child.Ended() || NowMs() > end) throw std::runtime_error("no window from " + program.Exe.string());
      Sleep(20);
    }
    Sleep(1500);
    GetWindowRect(window, &s.Rect);
    TScreenGrab grab(s.Rect);
    s.Pixels = grab.Copy();
    s.Stable.assign(std::size_t(grab.Width) * grab.Height, true);
    // A caret blinks twice a second: six pictures a quarter of a second apart see both phases.
    for (int i = 0; i < 5; ++i) {
      Sleep(250);
      const std::uint8_t* now = grab.Grab();
      for (int y = 0; y < grab.Height; ++y)
        for (int x = 0; x < grab.Width; ++x) {
          const std::size_t at = std::size_t(y) * grab.Stride + 3 * std::size_t(x);
          if (!SamePixel(now + at, s.Pixels.data() + at)) s.Stable[std::size_t(y) * grab.Width + x] = false;
        }
    }
    RECT now;
    GetWindowRect(window, &now);
    if (!EqualRect(&now, &s.Rect)) throw std::runtime_error("the window of " + program.Exe.string() + " moved while idle");
  }
  WaitGone(s);
  Sleep(300);

  // The probes: stable pixels, spread over the window, that the empty screen shows otherwise.
  TScreenGrab grab(s.Rect);
  const std::vector<std::uint8_t> empty = grab.Copy();
  std::vector<POINT> candidates;
  for (int y = 0; y < grab.Height; ++y)
    for (int x = 0; x < grab.Width; ++x) {
      const std::size_t at = std::size_t(y) * grab.Stride + 3 * std::size_t(x);
      if (!s.Stable[std::size_t(y) * grab.Width + x]) continue;
      ++s.StableCount;
      if (!SamePixel(empty.data() + at, s.Pixels.data() + at)) candidates.push_back({x, y});
    }
  if (candidates.empty()) throw std::runtime_error("the window of " + program.Exe.string() + " looks like the empty screen");
  constexpr std::size_t kProbes = 32;
  for (std::size_t i = 0; i < kProbes; ++i) s.Probes.push_back(candidates[(2 * i + 1) * candidates.size() / (2 * kProbes)]);
}

// One timed start: the milliseconds from CreateProcess to the settled picture on the screen.
// A staged program's marks are kept with it.
void TimedStart(TProgram& program) {
  const fs::path folder = program.Exe.parent_path();
  const TSettled& s = program.Settled;
  WaitGone(s);
  TScreenGrab grab(s.Rect);
  if (Matches(s, grab.Grab(), grab.Width, grab.Height, grab.Stride))
    throw std::runtime_error("the screen shows the window before its program has started");
  std::optional<TMarkPipe> pipe;
  if (program.Staged) pipe.emplace();
  double ms = -1;
  const double startSystem = SystemMs();
  {
    const double start = NowMs();
    TChild child(program.Exe, folder, pipe ? pipe->Write() : nullptr);
    if (pipe) pipe->CloseWrite();
    program.CreatedMs.push_back(child.Created() - startSystem);
    for (;;) {
      if (ProbesMatch(s, grab)) {
        const double at = NowMs();
        if (Matches(s, grab.Grab(), grab.Width, grab.Height, grab.Stride)) {
          ms = at - start;
          break;
        }
      }
      if (child.Ended()) throw std::runtime_error(program.Exe.string() + " ended before its window was painted");
      if (NowMs() - start > 30000) throw std::runtime_error(program.Exe.string() + " did not paint its window in 30 s");
      Sleep(1);
    }
  }
  program.Ms.push_back(ms);
  if (pipe) {
    std::vector<TMark> marks = pipe->Marks(startSystem);
    marks.push_back({"window painted on the screen", ms});
    program.Marks.push_back(std::move(marks));
  }
  WaitGone(s);
  // The machine settles between starts.
  Sleep(300);
}

// The folder of this executable; a path has 32,767 characters at most.
fs::path OwnFolder() {
  std::wstring path(32768, L'\0');
  path.resize(GetModuleFileNameW(nullptr, path.data(), DWORD(path.size())));
  return fs::path(path).parent_path();
}

std::string Cell(const std::vector<double>& v) {
  const TStats s = Stats(v);
  char text[64];
  std::snprintf(text, sizeof text, "%.1f (%.1f-%.1f)", s.Median, s.Min, s.Max);
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
  const fs::path bin = OwnFolder();
  const fs::path folder = fs::temp_directory_path() / ("spv-startup-bench-" + std::to_string(GetCurrentProcessId()));
  int status = 0;
  try {
    fs::create_directories(folder);
    std::vector<TProgram> programs = {
        {"plain window", "bench_app_startup_plain.exe"},
        {"plain + libraries", "bench_app_startup_imports.exe"},
        {"spinvolt", "spinvolt.exe"},
        {"spinvolt staged", "bench_app_startup_stages.exe", true},
    };
    for (std::size_t i = 0; i < programs.size(); ++i) {
      TProgram& p = programs[i];
      const fs::path own = folder / std::to_string(i);
      fs::create_directories(own);
      fs::copy_file(bin / p.Exe, own / p.Exe, fs::copy_options::overwrite_existing);
      p.Exe = own / p.Exe;
    }
    // The pointer stays off the windows, so that nothing lights up under it.
    SetCursorPos(0, 0);

    for (TProgram& p : programs) {
      Settle(p);
      const RECT& r = p.Settled.Rect;
      std::printf("%s: window %ld x %ld at (%ld, %ld), %zu of %ld pixels stable\n", p.Name.c_str(), r.right - r.left,
                  r.bottom - r.top, r.left, r.top, p.Settled.StableCount, (r.right - r.left) * (r.bottom - r.top));
      SavePng(p, "startup-" + std::to_string(&p - programs.data()));
    }
    {
      TScreenGrab grab(programs[2].Settled.Rect);
      const double t0 = NowMs();
      for (int i = 0; i < 20; ++i) grab.Grab();
      const double t1 = NowMs();
      for (int i = 0; i < 20; ++i) grab.ScreenPixel(0, 0);
      std::printf("reading the window's rectangle of the screen takes %.2f ms, one pixel %.3f ms\n", (t1 - t0) / 20,
                  (NowMs() - t1) / 20);
    }

    // In turn, the first of each round changing, so that a drift of the machine's load falls
    // on all alike.
    for (int i = 0; i < runs; ++i)
      for (std::size_t k = 0; k < programs.size(); ++k) TimedStart(programs[(std::size_t(i) + k) % programs.size()]);

    std::printf("process start to window painted on the screen (%d starts each; medians and ranges in ms):\n", runs);
    std::printf("  %-20s %24s %24s\n", "", "window painted", "of which: process created");
    for (const TProgram& p : programs)
      std::printf("  %-20s %24s %24s\n", p.Name.c_str(), Cell(p.Ms).c_str(), Cell(p.CreatedMs).c_str());
    const double plain = Stats(programs[0].Ms).Median;
    std::printf("spinvolt / plain window: %.2f\n", Stats(programs[2].Ms).Median / plain);

    // The staged program's marks, and last the time its window was seen painted, which may come
    // before the program has handled all that it queued.
    const TProgram& staged = programs[3];
    std::printf("the staged program block, step by step (medians and ranges in ms):\n");
    std::printf("  %-38s %24s %24s\n", "after", "since CreateProcess", "the step alone");
    const std::vector<TMark>& steps = staged.Marks.front();
    for (std::size_t k = 0; k < steps.size(); ++k) {
      std::vector<double> at, step;
      for (const auto& marks : staged.Marks) {
        if (marks.size() != steps.size()) throw std::runtime_error("the staged starts gave different marks");
        at.push_back(marks[k].At);
        step.push_back(marks[k].At - (k ? marks[k - 1].At : 0.0));
      }
      std::printf("  %-38s %24s %24s\n", steps[k].Step.c_str(), Cell(at).c_str(),
                  k + 1 < steps.size() ? Cell(step).c_str() : "");
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    status = 1;
  }
  std::error_code ignored;
  fs::remove_all(folder, ignored);
  return status;
}
