// Any playlist against any airing of an hour: every aired item gives one row, in air-time
// order; a green row is a playlist line whose song never aired in the hour; no line is listed
// green twice.
#include "app/Check.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

struct TSilent final : spv::app::TMessageBox, spv::app::TProgressDialog, spv::app::TMessagePump, spv::app::TFileSystem {
  void Show(std::string_view, spv::app::TMsgKind) override {}
  void SetLabelCaption(std::string_view) override {}
  void SetValue(int) override {}
  void Show() override {}
  void PumpAndSleep(int) override {}
  bool DirectoryExists(const std::string&) const override { return false; }
  bool FileExists(const std::string&) const override { return false; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace spv::app;
  TSilent silent;
  TPlaylistCheck check(silent, silent, silent, silent);
  // Bytes below 128 are playlist lines, the others aired items; five songs make repeats likely.
  auto& playlist = check.HistHours[7];
  auto& aired = check.RepHours[7];
  for (std::size_t i = 0; i < size; ++i) {
    const TShortString song(std::string(1, char('A' + data[i] % 5)));
    if (data[i] < 128) playlist.push_back({song, TShortString("x"), std::int32_t(playlist.size())});
    else aired.push_back({song, TShortString("x"), double(i)});
  }
  check.Compares(7);

  std::size_t next = 0;
  std::vector<bool> listedGreen(playlist.size(), false);
  for (const TLogItem& row : check.Logs) {
    if (row.RowColor == clGreen) {
      if (row.Number < 0 || std::size_t(row.Number) >= playlist.size() || listedGreen[std::size_t(row.Number)])
        std::abort();
      listedGreen[std::size_t(row.Number)] = true;
      for (const TRepItem& item : aired)
        if (item.Title == row.Title) std::abort();
      continue;
    }
    if (next >= aired.size() || aired[next].Title != row.Title || aired[next].AirTime != row.AirTime) std::abort();
    if ((row.RowColor == clRed) != (row.Number == -1)) std::abort();
    ++next;
  }
  if (next != aired.size()) std::abort();
  return 0;
}
