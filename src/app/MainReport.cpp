// The main window's answer taken elsewhere: the grid's menu, the rows copied to the clipboard
// and the day saved as a report file.
#include "app/Main.h"
#include "app/ReportCsv.h"
#include "app/ReportFile.h"
#include "app/ReportHtml.h"
#include "app/Settings.h"
#include "app/Utf8Path.h"
#include "base/UserLocale.h"
#include "platform/Clipboard.h"
#include "platform/FileDialogs.h"
#include "platform/Locale.h"

#include <system_error>

namespace spv::app {

using platform::TObject;

namespace {

platform::TMenuItem* AddItem(bs::TbsSkinPopupMenu& menu, std::string_view caption, platform::TShortCut key,
                             std::function<void()> command) {
  auto* item = new platform::TMenuItem;
  item->SetCaption(platform::Utf8ToWide(caption));
  item->SetShortCut(key);
  if (command) item->OnClick = [command = std::move(command)](TObject*) { command(); };
  menu.Items().Add(item);
  return item;
}

// Why the report cannot be written where the user named it, in words, before trying; or
// nothing.
std::optional<std::string> UnwritableBecause(const std::filesystem::path& file) {
  std::error_code ec;
  const std::filesystem::path folder = file.parent_path();
  if (!std::filesystem::is_directory(folder, ec)) return "папка не существует: " + PathUtf8(folder);
  if (std::filesystem::is_directory(file, ec)) return "под этим именем уже есть папка: " + PathUtf8(file);
  return std::nullopt;
}

}  // namespace

void TFRM_SPV::CreateGridMenu() {
  GridMenu = new bs::TbsSkinPopupMenu(this);
  GridMenu->SetSkinData(bsSkinData1);
  using platform::ShortCut;
  CopyRowItem_ = AddItem(*GridMenu, kMenuCopyRow, ShortCut('C', platform::scCtrl), [this] { CopyRow(); });
  CopyHourItem_ = AddItem(*GridMenu, kMenuCopyHour, ShortCut('C', platform::scCtrl | platform::scShift),
                          [this] { CopyHour(); });
  SaveDayItem_ = AddItem(*GridMenu, kMenuSaveDay, ShortCut('S', platform::scCtrl), [this] { SaveDay(); });
  AddItem(*GridMenu, "-", platform::scNone, nullptr);
  OnlyDiscrepanciesItem_ = AddItem(*GridMenu, kMenuOnlyDiscrepancies, ShortCut('D', platform::scCtrl),
                                   [this] { ToggleOnlyDiscrepancies(); });
}

void TFRM_SPV::UpdateGridMenu() {
  const bool reading = Check_->Reading();
  const bool known = DayKnown() && !reading;
  CopyRowItem_->Enabled = known;
  CopyHourItem_->Enabled = known;
  SaveDayItem_->Enabled = known;
  OnlyDiscrepanciesItem_->Enabled = !reading;
  OnlyDiscrepanciesItem_->Checked = OnlyDiscrepancies_;
}

void TFRM_SPV::ShowGridMenu(POINT screen) {
  UpdateGridMenu();
  GridMenu->PopupForControl(SGRep, screen.x, screen.y);
}

void TFRM_SPV::SGRepMouseDown(TObject*, platform::TMouseButton button, platform::TShiftState, int x, int y) {
  if (button != platform::TMouseButton::mbRight || Check_->Reading()) return;
  // The row under the pointer is the one the menu acts on.
  const bs::TGridCoord cell = SGRep->MouseCoord(x, y);
  if (cell.Y >= SGRep->FixedRows()) SGRep->SetCurrentCell(SGRep->CurrentCell().X, cell.Y);
  if (SGRep->CanFocus() && !SGRep->Focused()) SGRep->SetFocus();
}

void TFRM_SPV::SGRepMouseUp(TObject*, platform::TMouseButton button, platform::TShiftState, int x, int y) {
  if (button != platform::TMouseButton::mbRight || Check_->Reading()) return;
  POINT at{x, y};
  ::ClientToScreen(SGRep->Handle(), &at);
  ShowGridMenu(at);
}

std::optional<std::size_t> TFRM_SPV::SelectedResultRow() const {
  const int row = SGRep->CurrentCell().Y;
  if (row < 1 || std::size_t(row) > ShownRows_.size()) return std::nullopt;
  return ShownRows_[std::size_t(row) - 1];
}

void TFRM_SPV::CopyRow() {
  if (!DayKnown() || Check_->Reading()) return;
  const std::optional<std::size_t> row = SelectedResultRow();
  if (!row) return;
  platform::SetClipboardText(platform::Utf8ToWide(ClipboardText(Shown_.Logs, {*row}, LongTimeFormat_)));
}

void TFRM_SPV::CopyHour() {
  if (!DayKnown() || Check_->Reading()) return;
  // The rows as the grid shows them: only the discrepancies while they alone are shown.
  platform::SetClipboardText(platform::Utf8ToWide(ClipboardText(Shown_.Logs, ShownRows_, LongTimeFormat_)));
}

void TFRM_SPV::SaveDay() {
  if (!DayKnown() || Check_->Reading()) return;
  const std::filesystem::path settings = SettingsFile();
  std::filesystem::path folder;
  if (const std::optional<std::string> last = ReadSettingKey(settings, kSaveFolderKey); last && !last->empty())
    folder = Utf8Path(*last);
  std::error_code ec;
  if (folder.empty() || !std::filesystem::is_directory(folder, ec)) folder = platform::DocumentsFolder();
  platform::TSaveFileRequest request;
  request.Folder = folder;
  request.FileName = platform::Utf8ToWide("spinvolt-" + IsoDate(Day_.Day) + ".html");
  request.Types = {{L"HTML (*.html)", L"*.html", L"html"}, {L"CSV (*.csv)", L"*.csv", L"csv"}};
  const std::optional<platform::TSaveFileChoice> choice = platform::PromptForSaveFile(Handle(), request);
  if (!choice) return;
  std::string bytes;
  if (choice->TypeIndex == 1) {
    // For a spreadsheet on this computer: its list separator, and the mark by which it knows
    // the text is UTF-8.
    TCsvOptions options;
    options.Separator = base::UserLocale().ListSeparator;
    options.ByteOrderMark = true;
    bytes = CsvReport({Day_}, options);
  } else {
    bytes = HtmlReport({Day_}, {DayBases_, DayReports_, LongTimeFormat_});
  }
  // Written whole under a temporary name and renamed: a failure leaves no partial file.
  std::optional<std::string> failed = UnwritableBecause(choice->File);
  if (!failed && WriteFileReplacing(choice->File, bytes)) failed = "не удалось записать файл: " + PathUtf8(choice->File);
  if (failed) {
    ShowError(std::string(kMsgSaveFailed) + *failed);
    return;
  }
  WriteSettingKey(settings, kSaveFolderKey, PathUtf8(choice->File.parent_path()));
}

}  // namespace spv::app
