// The main window's day at a glance: the hours compared quietly after a run for the marks,
// hints and totals; the discrepancies-only view; the window's keys; the command line.
#include "app/DayGlance.h"
#include "app/Main.h"
#include "app/Settings.h"
#include "platform/Locale.h"

namespace spv::app {

using platform::TObject;

namespace {

// Posted to the window by the command line: handled once the window shows and its loop runs.
constexpr UINT kStartMessage = WM_APP + 1;

}  // namespace

void TFRM_SPV::DayCompleted() {
  Day_ = {Check_->WorkDate, CompareHoursQuietly(*Check_), {}};
  DayBases_ = platform::WideToUtf8(EBases->Text());
  DayReports_ = platform::WideToUtf8(EReport->Text());
  for (const THourResult& hour : Day_.Hours)
    NeedsAttention_[std::size_t(hour.Hour)] = hour.Counts().NeedsAttention();
  UpdateGlance();
  UpdateGridMenu();
}

void TFRM_SPV::ForgetDay() {
  Day_ = {};
  NeedsAttention_.fill(false);
  UpdateGlance();
  UpdateGridMenu();
  UpdateTotals();
}

void TFRM_SPV::UpdateGlance() {
  // A small square for each case present, in the legend's colours: by hand, moved, not aired.
  std::vector<bs::TbsTabMarks> marks;
  for (const THourResult& hour : Day_.Hours) {
    const TCaseCounts counts = hour.Counts();
    bs::TbsTabMarks& m = marks.emplace_back();
    if (counts[TCase::ByHand]) m.push_back(Panel2->Color());
    if (counts[TCase::Moved]) m.push_back(Panel3->Color());
    if (counts[TCase::NotAired]) m.push_back(Panel1->Color());
  }
  TabHour->SetMarks(std::move(marks));
}

std::wstring TFRM_SPV::TabHint(int tab) const {
  if (tab < 0 || std::size_t(tab) >= Day_.Hours.size()) return {};
  return platform::Utf8ToWide(HourTotalsText(Day_.Hours[std::size_t(tab)]));
}

void TFRM_SPV::UpdateTotals() {
  // The day and the hour shown, once a run has completed; before, the window's keys. The day
  // comes first: at the window's design size the line cannot hold both whole, and each hour's
  // totals are also its tab's hint.
  const int hour = TabHour->TabIndex();
  std::string text(kTotalsKeys);
  if (DayKnown() && hour >= 0 && hour < kHoursPerDay)
    text = DayTotalsText(Day_.Day, Day_.Counts(), Check_->ShortDateFormat) + std::string(kTotalsSeparator) +
           HourTotalsText(Day_.Hours[std::size_t(hour)]);
  SPTotals->SetCaption(platform::Utf8ToWide(text));
}

void TFRM_SPV::SelectHour(int hour) {
  TabHour->SetTabIndex(hour);
  TabHourChange(TabHour);
}

void TFRM_SPV::MoveDay(int days) {
  // A field that holds no whole date is left for the run command to refuse.
  if (const std::optional<base::TDateTime> day = platform::TryStrToDate(EDate->Text())) EDate->SetDate(*day + days);
  SBExecClick(SBExec);
}

void TFRM_SPV::ToggleOnlyDiscrepancies() {
  OnlyDiscrepancies_ = !OnlyDiscrepancies_;
  UpdateGridMenu();
  // The rows of the hour shown, as they were compared: no second comparison, no warning.
  ShowHour();
  WriteSettingKey(SettingsFile(), kOnlyDiscrepanciesKey, OnlyDiscrepancies_ ? "1" : "0");
}

void TFRM_SPV::FormShortCut(MSG& message, bool& handled) {
  if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN) return;
  // An open menu takes the keys itself.
  if (bsSkinForm1->SkinMenu().Showing()) return;
  const TKeyModifiers modifiers{GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_CONTROL) < 0, GetKeyState(VK_MENU) < 0};
  const HWND focus = GetFocus();
  bool inEdit = false;
  for (const platform::TWinControl* edit : {static_cast<platform::TWinControl*>(EBases),
                                             static_cast<platform::TWinControl*>(EReport),
                                             static_cast<platform::TWinControl*>(EDate)})
    if (focus && edit->HandleAllocated() && (focus == edit->WindowHandle() || IsChild(edit->WindowHandle(), focus)))
      inEdit = true;
  const TWindowCommand command =
      WindowCommandOf(std::uint16_t(message.wParam), modifiers, inEdit ? TKeyFocus::Edit : TKeyFocus::Other);
  if (command == TWindowCommand::None) return;
  handled = true;
  ExecuteCommand(command);
}

void TFRM_SPV::ExecuteCommand(TWindowCommand command) {
  if (Check_->Reading()) return;
  const int hour = TabHour->TabIndex();
  switch (command) {
    case TWindowCommand::None: break;
    case TWindowCommand::Run: SBExecClick(SBExec); break;
    case TWindowCommand::NextHour: SelectHour(hour < 0 ? 0 : (hour + 1) % kHoursPerDay); break;
    case TWindowCommand::PreviousHour:
      SelectHour(hour < 0 ? kHoursPerDay - 1 : (hour + kHoursPerDay - 1) % kHoursPerDay);
      break;
    case TWindowCommand::NextAttention:
    case TWindowCommand::PreviousAttention:
      if (const std::optional<int> next =
              NextHourNeedingAttention(NeedsAttention_, hour < 0 ? -1 : hour, command == TWindowCommand::NextAttention))
        SelectHour(*next);
      break;
    case TWindowCommand::DayBack: MoveDay(-1); break;
    case TWindowCommand::DayForward: MoveDay(1); break;
    case TWindowCommand::OnlyDiscrepancies: ToggleOnlyDiscrepancies(); break;
    case TWindowCommand::CopyRow: CopyRow(); break;
    case TWindowCommand::CopyHour: CopyHour(); break;
    case TWindowCommand::SaveDay: SaveDay(); break;
    case TWindowCommand::GridMenu: {
      // At the selected row, or at the grid's corner when the row is out of sight.
      const int row = SGRep->CurrentCell().Y;
      RECT cell = SGRep->CellRect(0, row);
      POINT at = IsRectEmpty(&cell) ? POINT{0, 0} : POINT{cell.left, cell.bottom};
      ::ClientToScreen(SGRep->Handle(), &at);
      ShowGridMenu(at);
      break;
    }
  }
}

void TFRM_SPV::ApplyCommandLine(const TCommandLine& line) {
  if (line.Date) EDate->SetDate(*line.Date);
  ErrorsOnShow_ = line.Errors;
  RunOnShow_ = line.Run;
  if (Showing()) PostStart();
}

void TFRM_SPV::DoShow() {
  TForm::DoShow();
  PostStart();
}

void TFRM_SPV::PostStart() {
  // Once the window shows and its loop runs: the boxes over the window, the run after them.
  if (RunOnShow_ || !ErrorsOnShow_.empty()) PostMessageW(Handle(), kStartMessage, 0, 0);
}

void TFRM_SPV::WndProc(platform::TMessage& message) {
  if (message.Msg != kStartMessage) {
    TForm::WndProc(message);
    return;
  }
  message.Result = 0;
  for (const std::string& error : std::exchange(ErrorsOnShow_, {})) ShowError(error);
  if (std::exchange(RunOnShow_, false)) SBExecClick(SBExec);
}

}  // namespace spv::app
