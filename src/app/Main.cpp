#include "app/Main.h"

#include "app/Engine.h"
#include "app/ResultView.h"
#include "app/Settings.h"
#include "app/Utf8Path.h"
#include "base/UserLocale.h"
#include "platform/FormReader.h"
#include "platform/Locale.h"

#include <algorithm>
#include <limits>

namespace spv::app {

using platform::TObject;

// The check's message box is the window's skinned box `Msg`: an error or a warning with OK.
class TFRM_SPV::TMsgBox final : public TMessageBox {
 public:
  explicit TMsgBox(TFRM_SPV& form) : Form_(form) {}
  void Show(std::string_view text, TMsgKind kind) override {
    Form_.Msg->ShowMessageBox(platform::Utf8ToWide(text),
                              kind == TMsgKind::Error ? bs::TMsgDlgType::mtError : bs::TMsgDlgType::mtWarning,
                              bs::MsgButtons({bs::TMsgDlgBtn::mbOK}), 0);
  }

 private:
  TFRM_SPV& Form_;
};

// The check's progress dialog is the window's `Process`.
class TFRM_SPV::TProgress final : public TProgressDialog {
 public:
  explicit TProgress(TFRM_SPV& form) : Form_(form) {}
  void SetLabelCaption(std::string_view caption) override {
    Form_.Process->LabelCaption = platform::Utf8ToWide(caption);
  }
  void SetValue(int value) override { Form_.Process->SetValue(value); }
  void Show() override { Form_.Process->ShowProgress(); }

 private:
  TFRM_SPV& Form_;
};

// The result grid `SGRep` as the result view and the column fitting see it. Cell texts are
// UTF-8 to the check and single-byte to the grid.
class TFRM_SPV::TGrid final : public TResultGrid, public TGridMetrics {
 public:
  explicit TGrid(TFRM_SPV& form) : Form_(form) {}
  void SetRowCount(int rows) override { G().SetRowCount(rows); }
  int ColCount() const override { return G().ColCount(); }
  void SetCell(int col, int row, std::string_view text) override {
    G().SetCellText(col, row, platform::WideToCp1251(platform::Utf8ToWide(text)));
  }
  void Repaint() override { G().Repaint(); }
  int RowCount() const override { return G().RowCount(); }
  int RowHeight(int row) const override { return G().RowHeights(row); }
  int ColWidth(int col) const override { return G().ColWidths(col); }
  // A window narrower than the kept columns leaves the shared ones no room at all rather than
  // a negative width, over which the grid would draw its columns on top of each other.
  void SetColWidth(int col, int width) override { G().SetColWidths(col, std::max(0, width)); }
  int Width() const override { return G().Width(); }
  int ClientWidth() const override { return G().ClientWidth(); }
  int ClientHeight() const override { return G().ClientHeight(); }

 private:
  bs::TbsSkinStringGrid& G() const { return *Form_.SGRep; }
  TFRM_SPV& Form_;
};

TFRM_SPV::TFRM_SPV(platform::TComponent* owner)
    : TForm(owner),
      MsgBox_(std::make_unique<TMsgBox>(*this)),
      Progress_(std::make_unique<TProgress>(*this)),
      Grid_(std::make_unique<TGrid>(*this)),
      Check_(std::make_unique<TPlaylistCheck>(*MsgBox_, *Progress_, Pump_, Files_)) {
  RegisterClasses();
  const base::TUserLocale locale = base::UserLocale();
  Check_->ShortDateFormat = locale.ShortDateFormat;
  LongTimeFormat_ = locale.LongTimeFormat;
  Check_->SettingsPath = PathUtf8(SettingsFile());
  PublishMethod("FormCreate", [this](TObject* s) { FormCreate(s); });
  PublishMethod("SBExecClick", [this](TObject* s) { SBExecClick(s); });
  PublishMethod("TabHourChange", [this](TObject* s) { TabHourChange(s); });
  PublishMethod("TabHourResize", [this](TObject* s) { TabHourResize(s); });
}

TFRM_SPV::~TFRM_SPV() {
  // The components go before the members they call back into.
  BeginDestroy();
  DestroyComponents();
}

void TFRM_SPV::RegisterClasses() {
  platform::RegisterPlatformClasses();
  bs::RegisterSkinDataClasses();
  bs::RegisterSkinFormClasses();
  bs::RegisterSkinControlClasses();
  bs::RegisterSkinMessageClasses();
  bs::RegisterSkinDialogClasses();
  bs::RegisterSkinShellClasses();
}

std::filesystem::path TFRM_SPV::SettingsFile() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    path.resize(path.size() * 2);
  }
  return SettingsPathFor(std::filesystem::path(path));
}

template <typename T>
T* TFRM_SPV::Component(std::string_view name) {
  T* c = dynamic_cast<T*>(FindComponent(name));
  if (!c) throw platform::Exception("The main window's description lacks " + std::string(name));
  return c;
}

void TFRM_SPV::Loaded() {
  TForm::Loaded();
  GBSetting = Component<bs::TbsSkinGroupBox>("GBSetting");
  bsSkinStdLabel1 = Component<bs::TbsSkinStdLabel>("bsSkinStdLabel1");
  EBases = Component<bs::TbsSkinDirectoryEdit>("EBases");
  bsSkinStdLabel2 = Component<bs::TbsSkinStdLabel>("bsSkinStdLabel2");
  EReport = Component<bs::TbsSkinDirectoryEdit>("EReport");
  bsSkinStdLabel3 = Component<bs::TbsSkinStdLabel>("bsSkinStdLabel3");
  EDate = Component<bs::TbsSkinDateEdit>("EDate");
  SBExec = Component<bs::TbsSkinButton>("SBExec");
  bsSkinGroupBox2 = Component<bs::TbsSkinGroupBox>("bsSkinGroupBox2");
  Panel2 = Component<platform::TPanel>("Panel2");
  Panel3 = Component<platform::TPanel>("Panel3");
  Panel1 = Component<platform::TPanel>("Panel1");
  bsSkinBevel1 = Component<bs::TbsSkinBevel>("bsSkinBevel1");
  SPTotals = Component<bs::TbsSkinStatusPanel>("SPTotals");
  TabHour = Component<bs::TbsSkinTabControl>("TabHour");
  TabHour->OnTabHint = [this](int tab, std::wstring& hint) { hint = TabHint(tab); };
  SGRep = Component<bs::TbsSkinStringGrid>("SGRep");
  // The draw-cell event carries more than a sender, so it is joined here rather than by name.
  SGRep->OnDrawCell = [this](TObject* s, int col, int row, const RECT& rect, bs::TGridDrawState state) {
    SGRepDrawCell(s, col, row, rect, state);
  };
  bsSkinForm1 = Component<bs::TbsSkinForm>("bsSkinForm1");
  bsSkinData1 = Component<bs::TbsSkinData>("bsSkinData1");
  bsCompressedStoredSkin1 = Component<bs::TbsCompressedStoredSkin>("bsCompressedStoredSkin1");
  Msg = Component<bs::TbsSkinMessage>("Msg");
  Process = Component<bs::TbsSkinProgressDialog>("Process");
  bsSkinForm1->OnShortCut = [this](MSG& message, bool& handled) { FormShortCut(message, handled); };
  SGRep->OnMouseDown = [this](TObject* s, platform::TMouseButton b, platform::TShiftState shift, int x, int y) {
    SGRepMouseDown(s, b, shift, x, y);
  };
  SGRep->OnMouseUp = [this](TObject* s, platform::TMouseButton b, platform::TShiftState shift, int x, int y) {
    SGRepMouseUp(s, b, shift, x, y);
  };
  CreateGridMenu();
}

void TFRM_SPV::FormCreate(TObject*) {
  std::vector<std::wstring> hours;
  for (int hour = 0; hour < kHoursPerDay; ++hour) hours.push_back(std::to_wstring(hour));
  TabHour->SetTabs(std::move(hours));
  TabHour->SetTabIndex(0);
  EDate->SetDate(platform::Date() - 1);
  for (int col = 0; col < kResultColumns; ++col)
    Grid_->SetCell(col, 0, kResultHeader[std::size_t(col)]);
  ReadSetting();
  UpdateGridMenu();
  UpdateTotals();
}

void TFRM_SPV::ReadSetting() {
  // One read of the file at start: the two folders, and the view the user chose last.
  const std::string ini = ReadSettingsText(SettingsFile());
  const TSettings settings = SettingsOf(ini);
  EBases->SetText(platform::Utf8ToWide(settings.Bases));
  EReport->SetText(platform::Utf8ToWide(settings.Reports));
  OnlyDiscrepancies_ = SettingKeyOf(ini, kOnlyDiscrepanciesKey) == "1";
}

void TFRM_SPV::SBExecClick(TObject*) {
  // A press that the read's message pump delivers must not start a second read inside the
  // first on the same query and the same hour lists.
  if (Check_->Reading()) return;
  // Until this run completes, the marks, the totals and the copy and save commands speak of
  // no day: a run that stops or fails never leaves them on lists of two different days.
  ForgetDay();
  // The day checked is the day the field shows: a text that is not a whole, real date stops
  // the command instead of checking whatever date the field held before.
  const std::wstring dateText = EDate->Text();
  const std::optional<base::TDateTime> day = platform::TryStrToDate(dateText);
  if (!day) {
    MsgBox_->Show(std::string(kMsgBadDate) + platform::WideToUtf8(dateText), TMsgKind::Error);
    return;
  }
  if (*day != EDate->Date()) EDate->SetDate(*day);
  if (Check_->SBExecClick(Query, platform::WideToUtf8(EBases->Text()), platform::WideToUtf8(EReport->Text()), *day)) {
    DayCompleted();
    TabHourChange(this);
  }
}

void TFRM_SPV::ShowError(std::string_view text) { MsgBox_->Show(text, TMsgKind::Error); }

void TFRM_SPV::TabHourChange(TObject*) {
  // The lists are being replaced by a read in progress; the run shows the selected hour as
  // soon as it is done.
  if (Check_->Reading()) return;
  const int hour = TabHour->TabIndex();
  if (hour < 0 || hour >= kHoursPerDay) return;
  Check_->Compares(hour);
  ShowHour();
}

void TFRM_SPV::ShowHour() {
  const int hour = TabHour->TabIndex();
  const bool anHour = hour >= 0 && hour < kHoursPerDay;
  Shown_ = {hour, anHour && Check_->HistHours[std::size_t(hour)].empty(), Check_->Logs};
  ShownRows_ = app::ShownRows(Shown_, OnlyDiscrepancies_);
  if (OnlyDiscrepancies_) ShowRows(*Grid_, Check_->Logs, ShownRows_, LongTimeFormat_);
  else ShowLogs(*Grid_, Check_->Logs, LongTimeFormat_);
  UpdateTotals();
}

void TFRM_SPV::SGRepDrawCell(TObject*, int col, int row, const RECT& rect, bs::TGridDrawState) {
  const std::optional<TColor> color = OnlyDiscrepancies_
                                          ? ResultCellColor(Check_->Logs, ShownRows_, TabHour->TabIndex(), col, row)
                                          : ResultCellColor(Check_->Logs, TabHour->TabIndex(), col, row);
  if (!color) return;
  platform::TCanvas& canvas = SGRep->Canvas();
  canvas.Brush().SetColor(platform::TColor(*color));
  canvas.Brush().SetStyle(platform::TBrushStyle::bsSolid);
  canvas.Pen().SetColor(platform::clBlack);
  canvas.FillRect(rect);
  canvas.Font().SetColor(platform::clBlack);
  SetBkMode(canvas.Handle(), TRANSPARENT);
  canvas.TextOut(rect.left + 2, rect.top, platform::Cp1251ToWide(SGRep->CellText(col, row)));
}

void TFRM_SPV::TabHourResize(TObject*) {
  if (!TabHour) return;  // laid out while the description is still being read
  // Twelve tabs a row: the 24 hours take two rows.
  const int width = TabHour->ClientWidth() / 12 - 1;
  TabHour->SetTabWidth(std::clamp(width, 1, int(std::numeric_limits<std::int16_t>::max())));
  static constexpr std::int16_t kShares[kResultColumns] = {0, 45, 40, 0, 15};
  if (SGRep) FitGridColumns(*Grid_, kShares);
}

}  // namespace spv::app
