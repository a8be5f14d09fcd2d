#pragma once
// The main window: the settings of a check, the run command, the hour tabs and the result.
// Its components come from its form description (resources/Main.form, finished by the build);
// the check itself is TPlaylistCheck, which the window hands its message box, progress dialog
// and message pump.

#include <windows.h>

#include "app/Check.h"
#include "app/CommandLine.h"
#include "app/DayResult.h"
#include "app/EngineWin.h"
#include "app/WindowKeys.h"
#include "db/Query.h"
#include "platform/ExtCtrls.h"
#include "platform/Forms.h"
#include "skin/controls/bsSkinBevel.h"
#include "skin/controls/bsSkinBoxCtrls.h"
#include "skin/controls/bsSkinCtrls.h"
#include "skin/controls/bsSkinDateEdit.h"
#include "skin/controls/bsSkinGrids.h"
#include "skin/controls/bsSkinLabel.h"
#include "skin/controls/bsSkinPanel.h"
#include "skin/controls/bsSkinStatusPanel.h"
#include "skin/controls/bsSkinTabs.h"
#include "skin/dialogs/bsDialogs.h"
#include "skin/dialogs/bsMessages.h"
#include "skin/dialogs/bsSkinShellCtrls.h"
#include "skin/frame/bsSkinForm.h"
#include "skin/frame/bsSkinMenus.h"
#include "skin/resources/bsSkinDataWin.h"

#include <array>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace spv::app {

inline constexpr int kClientWidth = 604;
inline constexpr int kClientHeight = 529;

// The run command refuses a date field whose text is not a whole, real date, so that the day
// checked is always the day the field shows.
inline constexpr std::string_view kMsgBadDate = "Дата обработки указана неверно: ";

// The grid's menu.
inline constexpr std::string_view kMenuCopyRow = "Копировать строку";
inline constexpr std::string_view kMenuCopyHour = "Копировать час";
inline constexpr std::string_view kMenuSaveDay = "Сохранить отчёт за день…";
inline constexpr std::string_view kMenuOnlyDiscrepancies = "Только расхождения";
// A report that could not be saved.
inline constexpr std::string_view kMsgSaveFailed = "Не удалось сохранить отчёт: ";

class TFRM_SPV : public platform::TForm {
 public:
  // An empty window that knows its handlers by name; Create() reads it from its description.
  explicit TFRM_SPV(platform::TComponent* owner = nullptr);
  ~TFRM_SPV() override;
  std::string_view ClassName() const override { return "TFRM_SPV"; }

  // Registers the classes the description names.
  static void RegisterClasses();

  // The components, found by name once the description has been read.
  bs::TbsSkinGroupBox* GBSetting = nullptr;
  bs::TbsSkinStdLabel* bsSkinStdLabel1 = nullptr;
  bs::TbsSkinDirectoryEdit* EBases = nullptr;
  bs::TbsSkinStdLabel* bsSkinStdLabel2 = nullptr;
  bs::TbsSkinDirectoryEdit* EReport = nullptr;
  bs::TbsSkinStdLabel* bsSkinStdLabel3 = nullptr;
  bs::TbsSkinDateEdit* EDate = nullptr;
  bs::TbsSkinButton* SBExec = nullptr;
  bs::TbsSkinGroupBox* bsSkinGroupBox2 = nullptr;
  platform::TPanel* Panel2 = nullptr;
  platform::TPanel* Panel3 = nullptr;
  platform::TPanel* Panel1 = nullptr;
  bs::TbsSkinBevel* bsSkinBevel1 = nullptr;
  bs::TbsSkinStatusPanel* SPTotals = nullptr;  // the totals line along the bottom
  bs::TbsSkinTabControl* TabHour = nullptr;
  bs::TbsSkinStringGrid* SGRep = nullptr;
  bs::TbsSkinForm* bsSkinForm1 = nullptr;
  bs::TbsSkinData* bsSkinData1 = nullptr;
  bs::TbsCompressedStoredSkin* bsCompressedStoredSkin1 = nullptr;
  bs::TbsSkinMessage* Msg = nullptr;
  bs::TbsSkinProgressDialog* Process = nullptr;
  // The database layer's query component: not a window-layer component, so it is the window's
  // own member rather than an entry of the description.
  db::TQuery Query;

  // The state of a run and the check that works on it.
  TPlaylistCheck& Check() { return *Check_; }

  void FormCreate(platform::TObject* sender);
  void ReadSetting();
  void SBExecClick(platform::TObject* sender);
  void TabHourChange(platform::TObject* sender);
  void TabHourResize(platform::TObject* sender);
  void SGRepDrawCell(platform::TObject* sender, int col, int row, const RECT& rect, bs::TGridDrawState state);

  // The settings file: the executable's path with the extension ".ini".
  static std::filesystem::path SettingsFile();

  void Loaded() override;

  // The grid's menu: the copy and save commands and the discrepancies-only view.
  bs::TbsSkinPopupMenu* GridMenu = nullptr;

  // What the program was started with: a bad argument is said in the error box once the window
  // shows, and the window stays idle; a day is shown in the date field; --run runs it.
  void ApplyCommandLine(const TCommandLine& line);

  // The window's keys, offered before the focused control sees them (WindowKeys.h).
  void FormShortCut(MSG& message, bool& handled);
  // Carries out one of the window's commands; nothing while a run is reading.
  void ExecuteCommand(TWindowCommand command);

  // The last run that completed: every hour compared quietly, straight after the reads. Empty
  // before the first and after a run that failed: the copy and save commands act on nothing.
  const TDayResult& Day() const { return Day_; }
  bool DayKnown() const { return !Day_.Hours.empty(); }
  bool OnlyDiscrepancies() const { return OnlyDiscrepancies_; }
  // The hour the grid shows, as it was compared; grid row i + 1 shows its result row
  // ShownRows()[i].
  const THourResult& ShownHour() const { return Shown_; }
  const std::vector<std::size_t>& ShownRows() const { return ShownRows_; }

 protected:
  void WndProc(platform::TMessage& message) override;
  void DoShow() override;

 private:
  class TMsgBox;
  class TProgress;
  class TGrid;

  template <typename T>
  T* Component(std::string_view name);

  void PostStart();
  void CreateGridMenu();
  void UpdateGridMenu();
  void ShowGridMenu(POINT screen);
  void SGRepMouseDown(platform::TObject* sender, platform::TMouseButton button, platform::TShiftState shift, int x,
                      int y);
  void SGRepMouseUp(platform::TObject* sender, platform::TMouseButton button, platform::TShiftState shift, int x,
                    int y);
  // The day's marks, hints and totals after a run that completed, or none after one that failed.
  void DayCompleted();
  void ForgetDay();
  // The tabs' marks and hints from the day's counts.
  void UpdateGlance();
  void ShowHour();
  void UpdateTotals();
  // Each hour tab's hint: that hour's totals line, once a run has completed.
  std::wstring TabHint(int tab) const;
  void SelectHour(int hour);
  void MoveDay(int days);
  void ToggleOnlyDiscrepancies();
  // The result row of the grid's selected row, if it shows one.
  std::optional<std::size_t> SelectedResultRow() const;
  void CopyRow();
  void CopyHour();
  void SaveDay();
  void ShowError(std::string_view text);

  std::unique_ptr<TMsgBox> MsgBox_;
  std::unique_ptr<TProgress> Progress_;
  std::unique_ptr<TGrid> Grid_;
  std::string LongTimeFormat_;
  TWindowPump Pump_;
  TLocalFileSystem Files_;
  std::unique_ptr<TPlaylistCheck> Check_;
  TDayResult Day_;
  std::string DayBases_, DayReports_;  // the folders as typed for the run
  std::array<bool, kHoursPerDay> NeedsAttention_{};
  bool OnlyDiscrepancies_ = false;
  THourResult Shown_;
  std::vector<std::size_t> ShownRows_;
  platform::TMenuItem* CopyRowItem_ = nullptr;
  platform::TMenuItem* CopyHourItem_ = nullptr;
  platform::TMenuItem* SaveDayItem_ = nullptr;
  platform::TMenuItem* OnlyDiscrepanciesItem_ = nullptr;
  // The command line's run, once the window is shown.
  bool RunOnShow_ = false;
  std::vector<std::string> ErrorsOnShow_;
};

}  // namespace spv::app
