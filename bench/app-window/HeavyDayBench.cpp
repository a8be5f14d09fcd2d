// How long the main window takes from a press of "Выполнить" to the grid of a heavy day under
// Wine: 2,000 aired items in a 60,000-row month table and 2,000 playlist lines in a
// 1,000,000-row History.db. A Windows program that times itself.
//
// The press is real input: SendInput moves the pointer to the button and clicks it, and the
// window's own message handling runs the command. The grid counts as shown when the command
// has returned (its last act is the synchronous repaint of the grid) and every paint still
// pending in the window has been done and flushed.
//
// The reads pause on purpose: they sleep 10 ms each time they let the window handle its
// messages. Those pauses are timed apart from everything else. The program's pump is left as
// it is: this bench points its own executable's imports of Sleep, PeekMessageW and
// DispatchMessageW at stopwatches that call the real functions (the import table is the only
// thing changed), counts the sleeps made during a read and times the messages the reads
// handle. Between the pauses, the time is split by what the progress dialog says: the report
// table's read, then History.db's. Last, the steps of a run are timed alone, out of the run.
//
// Its settings file is written into the heavy day's own folder, removed at the end.
#include "app/Main.h"
#include "app/Settings.h"
#include "app/Utf8Path.h"
#include "platform/FormReader.h"
#include "resources/ProgramForm.h"
#include "support/BenchTiming.h"
#include "support/HeavyDay.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace spv;
using bench::NowMs;
using bench::Pump;
using bench::Stats;
using bench::TStats;
namespace fs = std::filesystem;

// What the read was doing when it paused.
enum class TStage { Report, History, Other };

struct TPause {
  double Start, End;
  TStage Stage;
};

// A call made while the check was reading: its message, or 0 for a PeekMessage.
struct TCall {
  UINT Message;
  double Ms;
};

std::vector<TPause> Pauses;
std::vector<TCall> Calls;
// Set while a press is timed: what the check is doing, and whether it is reading.
std::function<TStage()> CurrentStage;

double Since(double start) { return NowMs() - start; }

using TSleepFunction = VOID(WINAPI*)(DWORD);
using TPeekFunction = BOOL(WINAPI*)(MSG*, HWND, UINT, UINT, UINT);
using TDispatchFunction = LRESULT(WINAPI*)(const MSG*);
TSleepFunction RealSleep = nullptr;
TPeekFunction RealPeekMessageW = nullptr;
TDispatchFunction RealDispatchMessageW = nullptr;

VOID WINAPI TimedSleep(DWORD milliseconds) {
  const double start = NowMs();
  RealSleep(milliseconds);
  if (CurrentStage) Pauses.push_back({start, NowMs(), CurrentStage()});
}

BOOL WINAPI TimedPeekMessageW(MSG* msg, HWND window, UINT first, UINT last, UINT remove) {
  const bool reading = CurrentStage && CurrentStage() != TStage::Other;
  const double start = NowMs();
  const BOOL got = RealPeekMessageW(msg, window, first, last, remove);
  if (reading) Calls.push_back({0, Since(start)});
  return got;
}

LRESULT WINAPI TimedDispatchMessageW(const MSG* msg) {
  const bool reading = CurrentStage && CurrentStage() != TStage::Other;
  const double start = NowMs();
  const LRESULT result = RealDispatchMessageW(msg);
  if (reading) Calls.push_back({msg->message, Since(start)});
  return result;
}

// Points this executable's import of `function` from `dll` at `replacement`; gives the
// function it pointed at, or null when the executable does not import it.
void* RouteImport(const char* dll, const char* function, void* replacement) {
  auto* base = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  for (auto* d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); d->Name; ++d) {
    if (_stricmp(reinterpret_cast<const char*>(base + d->Name), dll) != 0) continue;
    auto* slot = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->FirstThunk);
    const auto* name = reinterpret_cast<const IMAGE_THUNK_DATA*>(base + d->OriginalFirstThunk);
    for (; name->u1.AddressOfData; ++name, ++slot) {
      if (IMAGE_SNAP_BY_ORDINAL(name->u1.Ordinal)) continue;
      const auto* byName = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + name->u1.AddressOfData);
      if (std::strcmp(reinterpret_cast<const char*>(byName->Name), function) != 0) continue;
      DWORD protection;
      if (!VirtualProtect(&slot->u1.Function, sizeof slot->u1.Function, PAGE_READWRITE, &protection)) return nullptr;
      void* original = reinterpret_cast<void*>(slot->u1.Function);
      slot->u1.Function = reinterpret_cast<ULONG_PTR>(replacement);
      VirtualProtect(&slot->u1.Function, sizeof slot->u1.Function, protection, &protection);
      return original;
    }
  }
  return nullptr;
}

bool RouteCalls() {
  RealSleep = reinterpret_cast<TSleepFunction>(RouteImport("kernel32.dll", "Sleep", reinterpret_cast<void*>(&TimedSleep)));
  RealPeekMessageW = reinterpret_cast<TPeekFunction>(
      RouteImport("user32.dll", "PeekMessageW", reinterpret_cast<void*>(&TimedPeekMessageW)));
  RealDispatchMessageW = reinterpret_cast<TDispatchFunction>(
      RouteImport("user32.dll", "DispatchMessageW", reinterpret_cast<void*>(&TimedDispatchMessageW)));
  return RealSleep && RealPeekMessageW && RealDispatchMessageW;
}

void Click(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  const int x = (r.left + r.right) / 2, y = (r.top + r.bottom) / 2;
  INPUT input[3] = {};
  for (INPUT& i : input) {
    i.type = INPUT_MOUSE;
    i.mi.dx = LONG((x * 65536 + 32768) / GetSystemMetrics(SM_CXSCREEN));
    i.mi.dy = LONG((y * 65536 + 32768) / GetSystemMetrics(SM_CYSCREEN));
    i.mi.dwFlags = MOUSEEVENTF_ABSOLUTE;
  }
  input[0].mi.dwFlags |= MOUSEEVENTF_MOVE;
  input[1].mi.dwFlags |= MOUSEEVENTF_LEFTDOWN;
  input[2].mi.dwFlags |= MOUSEEVENTF_LEFTUP;
  SendInput(3, input, sizeof(INPUT));
}

void Print(const char* what, const std::vector<double>& ms, const char* unit = "ms") {
  const TStats s = Stats(ms);
  std::printf("  %-50s median %8.1f %s  (%.1f to %.1f)\n", what, s.Median, unit, s.Min, s.Max);
}

// One press, split up.
struct TRun {
  double Total = 0;
  double Paused = 0;  // the reads' sleeps
  double Pauses = 0;  // their number
  double Input = 0;   // the press to the button's click handler
  double Before = 0;  // the press to the first pause, the report's dialog shown
  double Report = 0;  // reading the report table, pauses left out
  double ReportSql = 0;  // of which: the first pause to the second, the SQL
  double History = 0;    // reading History.db, pauses left out
  double HistorySql = 0;  // of which: the SQL
  double After = 0;       // the last pause to the grid shown
  // The message handling of the reads' pumps.
  double Peeks = 0, PeekMs = 0;
  double Paints = 0, PaintMs = 0;
  double Others = 0, OtherMs = 0;
};

// Milliseconds of `times` calls of `act`.
std::vector<double> Times(int times, const std::function<void()>& act) {
  std::vector<double> ms;
  for (int i = 0; i < times; ++i) {
    const double start = NowMs();
    act();
    ms.push_back(Since(start));
  }
  return ms;
}

}  // namespace

int main(int argc, char** argv) {
  const int times = argc > 1 ? std::max(1, std::atoi(argv[1])) : 11;
  if (!RouteCalls()) {
    std::fprintf(stderr, "cannot route this program's calls to Sleep, PeekMessageW and DispatchMessageW\n");
    return 1;
  }
  const fs::path root = fs::temp_directory_path() / ("spv-heavy-day-bench-" + std::to_string(GetCurrentProcessId()));
  const double writeStart = NowMs();
  const bench::THeavyDayFolder day(root);
  std::printf("heavy day written in %.0f ms\n", Since(writeStart));

  auto form = std::make_unique<app::TFRM_SPV>();
  platform::TFormReader::ReadInto(*form, ProgramFormDescription());
  form->DoCreate();
  // The settings the run writes go to the bench's own folder, not beside the executable.
  form->Check().SettingsPath = app::PathUtf8(root / "spinvolt.ini");
  form->Show();
  SetForegroundWindow(form->Handle());
  Pump();
  form->EBases->SetText(day.Bases().wstring());
  form->EReport->SetText(day.Reports().wstring());
  form->EDate->SetDate(bench::HeavyDay());
  Pump();

  const std::wstring reportCaption = platform::Utf8ToWide(app::kCaptionReadingReport);
  const std::wstring historyCaption = platform::Utf8ToWide(app::kCaptionReadingHistory);
  double clicked = 0;
  bool done = false;
  const platform::TNotifyEvent press = form->SBExec->OnClick;
  form->SBExec->OnClick = [&](platform::TObject* sender) {
    clicked = NowMs();
    press(sender);
    done = true;
  };

  std::vector<TRun> runs;
  for (int i = 0; i < times + 2; ++i) {
    Pauses.clear();
    Calls.clear();
    CurrentStage = [&] {
      if (!form->Check().Reading()) return TStage::Other;
      const std::wstring& caption = form->Process->LabelCaption;
      return caption == reportCaption ? TStage::Report : caption == historyCaption ? TStage::History : TStage::Other;
    };
    done = false;
    const double start = NowMs();
    Click(form->SBExec->Handle());
    for (;;) {
      Pump();
      if (done || Since(start) > 60000) break;
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
    }
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    GdiFlush();
    const double end = NowMs();
    CurrentStage = nullptr;
    if (!done) {
      std::fprintf(stderr, "the press ran no command within a minute\n");
      return 1;
    }
    if (form->Check().Logs.empty()) {
      std::fprintf(stderr, "the run showed nothing\n");
      return 1;
    }

    TRun run;
    run.Total = end - start;
    run.Input = clicked - start;
    const TPause* firstReport = nullptr;
    const TPause* firstHistory = nullptr;
    const TPause* last = nullptr;
    for (std::size_t k = 0; k < Pauses.size(); ++k) {
      const TPause& p = Pauses[k];
      if (p.Stage == TStage::Other) continue;
      ++run.Pauses;
      run.Paused += p.End - p.Start;
      const double toNext = k + 1 < Pauses.size() ? Pauses[k + 1].Start - p.End : 0;
      if (p.Stage == TStage::Report && !firstReport) {
        firstReport = &p;
        run.ReportSql = toNext;
      }
      if (p.Stage == TStage::History && !firstHistory) {
        firstHistory = &p;
        run.HistorySql = toNext;
      }
      last = &p;
    }
    if (!firstReport || !firstHistory) {
      std::fprintf(stderr, "the run did not read both tables\n");
      return 1;
    }
    auto working = [&](double from, double to) {
      double paused = 0;
      for (const TPause& p : Pauses)
        if (p.Start >= from && p.End <= to) paused += p.End - p.Start;
      return to - from - paused;
    };
    run.Before = firstReport->Start - start;
    run.Report = working(firstReport->Start, firstHistory->Start);
    run.History = working(firstHistory->Start, last->End);
    run.After = end - last->End;
    for (const TCall& c : Calls) {
      double& count = c.Message == 0 ? run.Peeks : c.Message == WM_PAINT ? run.Paints : run.Others;
      double& ms = c.Message == 0 ? run.PeekMs : c.Message == WM_PAINT ? run.PaintMs : run.OtherMs;
      ++count;
      ms += c.Ms;
    }
    if (i >= 2) runs.push_back(run);  // the first two presses warm up
    Pump();
  }
  form->SBExec->OnClick = press;

  std::size_t aired = 0, lines = 0;
  for (const auto& hour : form->Check().RepHours) aired += hour.size();
  for (const auto& hour : form->Check().HistHours) lines += hour.size();
  std::printf("a press of the run command to the grid shown (%d presses; %zu aired items, %zu playlist lines):\n", times,
              aired, lines);
  auto column = [&](double TRun::*member) {
    std::vector<double> v;
    for (const TRun& r : runs) v.push_back(r.*member);
    return v;
  };
  std::vector<double> other;
  for (const TRun& r : runs) other.push_back(r.Total - r.Paused);
  Print("whole", column(&TRun::Total));
  Print("the reads' pauses (their sleeps of 10 ms)", column(&TRun::Paused));
  Print("  their number", column(&TRun::Pauses), "  ");
  Print("everything else", other);
  std::printf(" everything else, step by step:\n");
  Print("  the press to the click handler (input)", column(&TRun::Input));
  Print("  the press to the report's dialog shown", column(&TRun::Before));
  Print("  reading the month table", column(&TRun::Report));
  Print("    its first stretch (the SQL)", column(&TRun::ReportSql));
  Print("  reading History.db", column(&TRun::History));
  Print("    its first stretch (the SQL)", column(&TRun::HistorySql));
  Print("  the reads' end to the grid shown", column(&TRun::After));
  std::printf(" the messages handled during the reads:\n");
  Print("  PeekMessage calls", column(&TRun::Peeks), "  ");
  Print("    their time", column(&TRun::PeekMs));
  Print("  paints dispatched", column(&TRun::Paints), "  ");
  Print("    their time", column(&TRun::PaintMs));
  Print("  other messages dispatched", column(&TRun::Others), "  ");
  Print("    their time", column(&TRun::OtherMs));

  // The steps alone, out of the window's run: what each costs by itself.
  app::TPlaylistCheck& check = form->Check();
  const std::string bases = platform::WideToUtf8(form->EBases->Text());
  const std::string reports = platform::WideToUtf8(form->EReport->Text());
  const std::string date = base::FormatDate(bench::HeavyDay(), check.ShortDateFormat);
  std::printf("the steps alone (%d times each):\n", times);
  Print("the run command's six checks", Times(times, [&] { check.RunChecks(bases, reports, bench::HeavyDay()); }));
  Print("writing the settings", Times(times, [&] {
          app::WriteSetting(app::Utf8Path(check.SettingsPath), app::TSettings{bases, reports});
        }));
  Print("the progress dialog shown, painted and closed", Times(times, [&] {
          form->Process->LabelCaption = reportCaption;
          form->Process->SetValue(0);
          form->Process->ShowProgress();
          platform::Application().ProcessMessages();
          form->Process->SetValue(100);
          platform::Application().ProcessMessages();
        }));
  {
    form->Process->LabelCaption = reportCaption;
    form->Process->SetValue(0);
    form->Process->ShowProgress();
    platform::Application().ProcessMessages();
    int value = 0;
    Print("the gauge moved on a step (as an hour ends)", Times(times * 8, [&] { form->Process->SetValue(++value % 96); }));
    Print("the gauge set to the value it shows", Times(times * 8, [&] { form->Process->SetValue(value % 96); }));
    Print("the application's pump with nothing to do", Times(times * 8, [&] { platform::Application().ProcessMessages(); }));
    form->Process->SetValue(100);
    platform::Application().ProcessMessages();
  }
  // The marks of a press: after the reads, the day compared hour by hour without the warning
  // box, then the squares set on the tabs and painted to the display.
  std::vector<app::THourResult> hours;
  Print("the marks: the 24 hours compared quietly", Times(times * 8, [&] { hours = app::CompareHoursQuietly(check); }));
  std::vector<bs::TbsTabMarks> marks;
  for (const app::THourResult& hour : hours) {
    const app::TCaseCounts counts = hour.Counts();
    bs::TbsTabMarks& m = marks.emplace_back();
    if (counts[app::TCase::ByHand]) m.push_back(platform::clRed);
    if (counts[app::TCase::Moved]) m.push_back(platform::clYellow);
    if (counts[app::TCase::NotAired]) m.push_back(platform::clGreen);
  }
  std::vector<double> painted;
  for (int i = 0; i < times * 8; ++i) {
    form->TabHour->SetMarks({});
    UpdateWindow(form->TabHour->Handle());
    GdiFlush();
    const double start = NowMs();
    form->TabHour->SetMarks(marks);
    UpdateWindow(form->TabHour->Handle());
    GdiFlush();
    painted.push_back(Since(start));
  }
  Print("the marks: set on the tabs and painted", painted);
  auto sql = [&](const std::vector<std::string>& text) {
    return Times(times, [&] {
      db::TQuery query;
      query.SetShortDateFormat(check.ShortDateFormat);
      query.SQL() = text;
      query.Open();
    });
  };
  Print("the month table's SELECT", sql(app::ReportSql(check.ReportPath, date)));
  Print("History.db's SELECT", sql(app::HistorySql(check.BasesPath, date)));

  form.reset();
  return 0;
}
