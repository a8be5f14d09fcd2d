// The settings file as the window reads it at start and a run writes it: in whichever
// encoding it comes, the older check program's code page 1251 among them.
#include "MainWindowFixture.h"

namespace spv::app::test {
namespace {

// Text in code page 1251, byte by byte: ASCII as it is, "А" to "я" as C0 to FF.
std::string Cp1251Bytes(std::wstring_view text) {
  std::string bytes;
  for (const wchar_t c : text) {
    if (c < 0x80) bytes += char(c);
    else if (c >= L'\u0410' && c <= L'\u044F') bytes += char(0xC0 + (c - L'\u0410'));
    else ADD_FAILURE() << "no byte of code page 1251 for U+" << std::hex << int(c);
  }
  return bytes;
}

std::string Utf8BomBytes(std::wstring_view text) { return "\xEF\xBB\xBF" + platform::WideToUtf8(text); }

// UTF-16 with its mark, low byte first.
std::string Utf16Bytes(std::wstring_view text) {
  std::string bytes = "\xFF\xFE";
  for (const wchar_t c : text) {
    bytes += char(c & 0xFF);
    bytes += char((c >> 8) & 0xFF);
  }
  return bytes;
}

// The folders shown as the file names them; a run with the report folder typed anew writes
// the file back in its own encoding, its other lines kept.
TEST_F(MainWindowTest, TheSettingsFileIsReadAndWrittenBackInItsOwnEncoding) {
  TDemoFolder demo;
  const std::wstring reportsTyped = demo.ReportsText() + L"\\";
  const auto ini = [&](const std::wstring& reports) {
    return L"; \u042D\u0444\u0438\u0440\r\n[Settings]\r\nBases=" + demo.BasesText() + L"\r\nReports=" + reports + L"\r\n";
  };
  struct Case {
    const char* what;
    std::string (*bytes)(std::wstring_view);
  };
  const Case cases[] = {{"code page 1251", Cp1251Bytes}, {"UTF-8 with its mark", Utf8BomBytes}, {"UTF-16", Utf16Bytes}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    {
      std::ofstream out(TFRM_SPV::SettingsFile(), std::ios::binary | std::ios::trunc);
      out << c.bytes(ini(demo.ReportsText()));
    }
    Open();
    EXPECT_EQ(Form->EBases->Text(), demo.BasesText());
    EXPECT_EQ(Form->EReport->Text(), demo.ReportsText());
    TypeInto(*Form->EReport, reportsTyped);
    TypeDate(L"15032026");
    const auto boxes = Run();
    EXPECT_TRUE(std::all_of(boxes.begin(), boxes.end(), [](const TShownBox& b) { return b.Caption == L"Warning"; }))
        << ::testing::PrintToString(boxes);
    EXPECT_EQ(Form->Check().WorkDate, *base::EncodeDate(2026, 3, 15));
    EXPECT_EQ(SettingsText(), c.bytes(ini(reportsTyped)));
  }
}

}  // namespace
}  // namespace spv::app::test
