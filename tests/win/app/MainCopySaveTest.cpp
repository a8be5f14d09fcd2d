// The day's answer taken elsewhere through real input: the grid's skinned menu on a right
// click, the rows copied to the clipboard by the keys and by the menu (read back), and the day
// saved through the system's Save As dialog, or a save that cannot succeed.
#include "MainWindowFixture.h"
#include "UserDrag.h"

#include "app/ReportCsv.h"
#include "app/ReportHtml.h"
#include "app/Settings.h"
#include "platform/Clipboard.h"
#include "platform/FileDialogs.h"
#include "skin/frame/bsSkinMenus.h"

#include <commdlg.h>

namespace spv::app::test {
namespace {

// A window enumerator called the Windows way: the shown dialog box of the thread into *p.
BOOL CALLBACK FindShownDialog(HWND w, LPARAM p) {
  wchar_t cls[32]{};
  GetClassNameW(w, cls, 32);
  if (std::wstring_view(cls) == L"#32770" && IsWindowVisible(w)) *reinterpret_cast<HWND*>(p) = w;
  return TRUE;
}

void RightClick(POINT screen) {
  bs::test::MouseTo(screen);
  spv::test::PressButton(MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP, 100);
}

// The case of a row in words, from the colour the grid paints.
std::wstring CaseInWords(TColor colour) {
  switch (colour) {
    case clYellow: return L"перемещена";
    case clRed: return L"вручную";
    case clGreen: return L"не вышла";
    default: return L"на месте";
  }
}

std::string FileText(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class MainCopySaveTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    Open();
    fs::create_directories(SaveFolder);
  }
  void RunOn(std::wstring_view dateDigits) {
    TypeInto(*Form->EBases, demo.BasesText());
    TypeInto(*Form->EReport, demo.ReportsText());
    TypeDate(dateDigits);
    Run();
  }
  // An hour of the demo day with a row of every case it can have, shown.
  void ShowBusiestHour() {
    int busiest = 0;
    std::size_t most = 0;
    for (const THourResult& hour : Form->Day().Hours)
      if (hour.Logs.size() > most) most = hour.Logs.size(), busiest = hour.Hour;
    const RECT tab = Form->TabHour->TabRect(busiest);
    WithBoxes([&] { Click(*Form->TabHour, (tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2); });
  }
  // A grid row as the clipboard should hold it: its cells as the grid shows them, then the case.
  std::wstring RowText(int row) const {
    std::wstring text;
    for (int col = 0; col < 5; ++col) text += platform::Cp1251ToWide(Form->SGRep->CellText(col, row)) + L"\t";
    const std::size_t index = Form->ShownRows()[std::size_t(row) - 1];
    return text + CaseInWords(Form->ShownHour().Logs[index].RowColor) + L"\r\n";
  }
  static std::wstring Header() {
    return L"№№\tНаименование композиции\tИсполнитель\tВыход\t№ в листе\tСостояние\r\n";
  }
  POINT RowPoint(int row) const {
    const RECT cell = Form->SGRep->CellRect(1, row);
    return Form->SGRep->ClientToScreen({(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2});
  }
  bs::TbsSkinMenu& Menus() const { return Form->bsSkinForm1->SkinMenu(); }
  // Clicks the item of the open grid menu with the caption given.
  void ClickMenuItem(std::wstring_view caption) {
    bs::TbsSkinPopupWindow* popup = Menus().TopPopup();
    ASSERT_NE(popup, nullptr);
    for (int i = 0; i < popup->ItemCount(); ++i) {
      const bs::TbsSkinMenuItem& item = popup->Items(i);
      if (item.MenuItem->Caption() != caption) continue;
      RECT at;
      GetWindowRect(popup->Window(), &at);
      bs::test::MouseTo({at.left + (item.ObjectRect.Left + item.ObjectRect.Right) / 2,
                         at.top + (item.ObjectRect.Top + item.ObjectRect.Bottom) / 2});
      bs::test::MouseButton(true);
      bs::test::MouseButton(false);
      spv::test::PumpMessages(100);
      return;
    }
    ADD_FAILURE() << "no item " << platform::WideToUtf8(caption);
  }
  void FocusGrid() {
    Click(*Form->SGRep, 10, Form->SGRep->DefaultRowHeight() + 8);
    spv::test::PumpUntil([&] { return GetFocus() == Form->SGRep->Handle(); });
  }

  // What the Save As dialog proposed, and where it was opened.
  struct TDialogSeen {
    bool Shown = false;
    std::wstring FileName, Folder;
  };
  // Presses Ctrl+S and answers the Save As dialog by typing `typed` into its name field and
  // Enter, all by the keyboard; the boxes shown afterwards are read and closed.
  TDialogSeen SaveAs(const std::wstring& typed) {
    TDialogSeen seen;
    platform::TTimer driver;
    driver.SetInterval(100);
    driver.OnTimer = [&](platform::TObject*) {
      if (seen.Shown) return;
      HWND dialog = nullptr;
      EnumThreadWindows(GetCurrentThreadId(), FindShownDialog, LPARAM(&dialog));
      if (!dialog) return;
      seen.Shown = true;
      wchar_t text[MAX_PATH]{};
      SendMessageW(dialog, CDM_GETSPEC, MAX_PATH, LPARAM(text));
      seen.FileName = text;
      SendMessageW(dialog, CDM_GETFOLDERPATH, MAX_PATH, LPARAM(text));
      seen.Folder = text;
      spv::test::SaveWindowPng(dialog, "main-window-save-as");
      // The name field has the focus: its text replaced by the name typed, then Enter.
      std::vector<INPUT> keys;
      auto key = [&](WORD vk, WORD scan, DWORD flags) {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = vk;
        in.ki.wScan = scan;
        in.ki.dwFlags = flags;
        keys.push_back(in);
      };
      key(VK_END, 0, 0), key(VK_END, 0, KEYEVENTF_KEYUP);
      key(VK_SHIFT, 0, 0), key(VK_HOME, 0, 0), key(VK_HOME, 0, KEYEVENTF_KEYUP), key(VK_SHIFT, 0, KEYEVENTF_KEYUP);
      key(VK_DELETE, 0, 0), key(VK_DELETE, 0, KEYEVENTF_KEYUP);
      for (wchar_t c : typed) key(0, c, KEYEVENTF_UNICODE), key(0, c, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP);
      key(VK_RETURN, 0, 0), key(VK_RETURN, 0, KEYEVENTF_KEYUP);
      SendInput(UINT(keys.size()), keys.data(), sizeof(INPUT));
    };
    driver.SetEnabled(true);
    WithBoxes([&] { PressKey('S', {VK_CONTROL}); });
    driver.SetEnabled(false);
    return seen;
  }

  TDemoFolder demo;
  fs::path SaveFolder = demo.Root / L"Отчёты";
};

TEST_F(MainCopySaveTest, ARightClickSelectsTheRowAndOpensTheSkinnedMenu) {
  // Before a run the copy and save items are there, disabled.
  RightClick(RowPoint(1));
  ASSERT_TRUE(Menus().Showing());
  EXPECT_FALSE(Form->GridMenu->Items().Items(0)->Enabled);
  EXPECT_FALSE(Form->GridMenu->Items().Items(2)->Enabled);
  EXPECT_TRUE(Form->GridMenu->Items().Items(4)->Enabled) << "the view can be chosen at any time";
  bs::test::TypeKey(VK_ESCAPE, {}, [] { PumpApplication(); });
  EXPECT_FALSE(Menus().Showing());

  RunOn(L"14032026");
  ShowBusiestHour();
  ASSERT_GT(Form->SGRep->RowCount(), 4);
  RightClick(RowPoint(3));
  EXPECT_EQ(Form->SGRep->CurrentCell().Y, 3) << "the row under the pointer is selected first";
  ASSERT_TRUE(Menus().Showing());
  bs::TbsSkinPopupWindow* popup = Menus().TopPopup();
  ASSERT_NE(popup, nullptr);
  EXPECT_TRUE(popup->Skinned()) << "drawn from the program's skin";
  std::vector<std::wstring> captions;
  for (int i = 0; i < popup->ItemCount(); ++i)
    captions.push_back(popup->Items(i).MenuItem->Caption() +
                       (popup->Items(i).MenuItem->ShortCut() ? L" " + platform::ShortCutToText(popup->Items(i).MenuItem->ShortCut()) : L""));
  EXPECT_EQ(captions, (std::vector<std::wstring>{L"Копировать строку Ctrl+C", L"Копировать час Shift+Ctrl+C",
                                                 L"Сохранить отчёт за день… Ctrl+S", L"-",
                                                 L"Только расхождения Ctrl+D"}));
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(popup->Items(i).MenuItem->Enabled) << i;
  RECT both, menu;
  GetWindowRect(Form->Handle(), &both);
  GetWindowRect(popup->Window(), &menu);
  UnionRect(&both, &both, &menu);
  spv::test::SaveScreenPng(both, "main-window-grid-menu");

  // Its first item copies the row.
  platform::SetClipboardText(L"before");
  ClickMenuItem(L"Копировать строку");
  EXPECT_FALSE(Menus().Showing());
  EXPECT_EQ(platform::ClipboardText(), Header() + RowText(3));

  // Shift+F10 opens it at the selected row; "Копировать час" copies every row shown.
  FocusGrid();
  PressKey(VK_F10, {VK_SHIFT});
  ASSERT_TRUE(Menus().Showing());
  GetWindowRect(Menus().TopPopup()->Window(), &menu);
  const POINT row = RowPoint(Form->SGRep->CurrentCell().Y);
  EXPECT_LE(std::abs(menu.top - (row.y + Form->SGRep->DefaultRowHeight() / 2)), 2) << "just below the row";
  ClickMenuItem(L"Копировать час");
  std::wstring hour = Header();
  for (int r = 1; r < Form->SGRep->RowCount(); ++r) hour += RowText(r);
  EXPECT_EQ(platform::ClipboardText(), hour);
}

TEST_F(MainCopySaveTest, CtrlCCopiesTheRowCtrlShiftCTheHourAndTheEditsKeepTheirCtrlC) {
  // Nothing to copy before a run: the clipboard keeps what it had.
  FocusGrid();
  platform::SetClipboardText(L"before");
  PressKey('C', {VK_CONTROL});
  EXPECT_EQ(platform::ClipboardText(), L"before");

  RunOn(L"14032026");
  ShowBusiestHour();
  FocusGrid();
  PressKey(VK_DOWN);
  PressKey(VK_DOWN);
  ASSERT_EQ(Form->SGRep->CurrentCell().Y, 3);
  PressKey('C', {VK_CONTROL});
  EXPECT_EQ(platform::ClipboardText(), Header() + RowText(3));

  // With only the discrepancies shown, the row selected is the result row it maps to and the
  // hour is what the grid shows.
  PressKey('D', {VK_CONTROL});
  ASSERT_TRUE(Form->OnlyDiscrepancies());
  PressKey(VK_HOME, {VK_CONTROL});
  PressKey(VK_DOWN);
  PressKey('C', {VK_CONTROL});
  const std::wstring row = RowText(Form->SGRep->CurrentCell().Y);
  EXPECT_EQ(platform::ClipboardText(), Header() + row);
  EXPECT_EQ(row.find(L"\tна месте\r\n"), std::wstring::npos) << "never a row in place";
  PressKey('C', {VK_CONTROL, VK_SHIFT});
  std::wstring hour = Header();
  for (int r = 1; r < Form->SGRep->RowCount(); ++r) hour += RowText(r);
  EXPECT_EQ(platform::ClipboardText(), hour);
  EXPECT_EQ(hour.find(L"\tна месте\r\n"), std::wstring::npos);

  // An edit copies its own text.
  TypeInto(*Form->EReport, L"D:\\Отчёты");
  PressKey(VK_HOME, {VK_SHIFT});
  PressKey('C', {VK_CONTROL});
  EXPECT_EQ(platform::ClipboardText(), L"D:\\Отчёты");
  // Ctrl+Shift+C is the window's from an edit too.
  PressKey('C', {VK_CONTROL, VK_SHIFT});
  EXPECT_EQ(platform::ClipboardText(), hour);
}

TEST_F(MainCopySaveTest, CtrlSSavesTheDayThroughTheSaveAsDialogAsHtmlOrCsv) {
  RunOn(L"14032026");
  const std::string before = SettingsText();
  const fs::path html = SaveFolder / L"день.html";
  TDialogSeen seen = SaveAs(html.wstring());
  ASSERT_TRUE(seen.Shown);
  EXPECT_EQ(seen.FileName, L"spinvolt-2026-03-14.html");
  EXPECT_EQ(fs::path(seen.Folder), platform::DocumentsFolder()) << "Documents the first time";
  ASSERT_TRUE(fs::exists(html));
  const std::string page = FileText(html);
  EXPECT_EQ(page, HtmlReport({Form->Day()}, {platform::WideToUtf8(demo.BasesText()),
                                             platform::WideToUtf8(demo.ReportsText()), "HH:mm:ss"}));
  EXPECT_EQ(page.rfind("<!DOCTYPE html>", 0), 0u);
  EXPECT_NE(page.find("2026-03-14"), std::string::npos);
  // Only the folder's key is added; the other lines stay as they were.
  const std::string after = SettingsText();
  EXPECT_EQ(after, before + "SaveFolder=" + PathUtf8(SaveFolder) + "\r\n");

  // Next time the dialog opens there; a name typed with .csv is a spreadsheet's CSV.
  const fs::path csv = SaveFolder / L"день.csv";
  seen = SaveAs(csv.wstring());
  EXPECT_EQ(fs::path(seen.Folder), SaveFolder);
  const std::string table = FileText(csv);
  EXPECT_EQ(table.rfind("\xEF\xBB\xBFhour;row;title;artist;aired;number;case\r\n", 0), 0u) << table.substr(0, 80);
  TCsvOptions options;
  options.Separator = ";";
  options.ByteOrderMark = true;
  EXPECT_EQ(table, CsvReport({Form->Day()}, options));
  EXPECT_EQ(std::distance(fs::directory_iterator(SaveFolder), fs::directory_iterator()), 2) << "no temporary file left";
}

TEST_F(MainCopySaveTest, ASaveThatCannotSucceedShowsTheErrorBoxAndLeavesNoFile) {
  RunOn(L"14032026");
  const std::string before = SettingsText();
  // A folder that is gone by the time the file is written.
  const fs::path gone = SaveFolder / L"нет";
  TDialogSeen seen = SaveAs((gone / L"день.html").wstring());
  ASSERT_TRUE(seen.Shown);
  EXPECT_EQ(Boxes, std::vector<TShownBox>{ErrorBox(L"Не удалось сохранить отчёт: папка не существует: " + gone.wstring())});
  EXPECT_FALSE(fs::exists(gone));

  // A name taken by a folder.
  const fs::path taken = SaveFolder / L"занято.html";
  fs::create_directories(taken);
  ShotBoxAs = "main-window-save-failed";
  // Typed without its extension, the name the dialog gives back is the folder's plus ".html".
  seen = SaveAs((SaveFolder / L"занято").wstring());
  EXPECT_EQ(Boxes,
            std::vector<TShownBox>{ErrorBox(L"Не удалось сохранить отчёт: под этим именем уже есть папка: " + taken.wstring())});
  EXPECT_TRUE(fs::is_directory(taken));
  EXPECT_EQ(std::distance(fs::directory_iterator(SaveFolder), fs::directory_iterator()), 1) << "no file, no temporary";
  EXPECT_EQ(SettingsText(), before) << "the folder is remembered only after a save";
}

}  // namespace
}  // namespace spv::app::test
