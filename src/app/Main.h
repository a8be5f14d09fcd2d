#pragma once
// The main window: the settings of a check, the run command, the hour tabs and the result.
// Its components come from its form description (resources/Main.form, finished by the build);
// the check itself is TPlaylistCheck, which the window hands its message box, progress dialog
// and message pump.

#include <windows.h>

#include "app/Check.h"
#include "app/EngineWin.h"
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
#include "skin/controls/bsSkinTabs.h"
#include "skin/dialogs/bsDialogs.h"
#include "skin/dialogs/bsMessages.h"
#include "skin/dialogs/bsSkinShellCtrls.h"
#include "skin/frame/bsSkinForm.h"
#include "skin/resources/bsSkinDataWin.h"

#include <filesystem>
#include <memory>
#include <string>

namespace spv::app {

inline constexpr int kClientWidth = 604;
inline constexpr int kClientHeight = 529;

// The run command refuses a date field whose text is not a whole, real date, so that the day
// checked is always the day the field shows.
inline constexpr std::string_view kMsgBadDate = "Дата обработки указана неверно: ";

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

 private:
  class TMsgBox;
  class TProgress;
  class TGrid;

  template <typename T>
  T* Component(std::string_view name);

  std::unique_ptr<TMsgBox> MsgBox_;
  std::unique_ptr<TProgress> Progress_;
  std::unique_ptr<TGrid> Grid_;
  std::string LongTimeFormat_;
  TWindowPump Pump_;
  TLocalFileSystem Files_;
  std::unique_ptr<TPlaylistCheck> Check_;
};

}  // namespace spv::app
