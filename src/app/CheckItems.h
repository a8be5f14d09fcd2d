#pragma once
// The records of a check: what aired, what was accepted, the working list and the result rows.
//
// Titles and performers are the table's own single-byte text. They are kept as short strings
// of at most 64 bytes, cut after the 64th byte, and two of them are the same only when their
// stored bytes are: letter case and blanks count, nothing is trimmed.

#include "base/DateTime.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace spv::app {

using spv::base::TDateTime;

// A length byte and up to 64 bytes of text.
class TShortString {
 public:
  static constexpr std::size_t kCapacity = 64;

  TShortString() = default;
  // Longer text is cut after its 64th byte, in the middle of a multi-byte sequence if need be:
  // the tables hold single-byte text.
  explicit TShortString(std::string_view text)
      : Length_(std::uint8_t(std::min(text.size(), kCapacity))) {
    std::memcpy(Chars_.data(), text.data(), Length_);
  }

  std::size_t size() const { return Length_; }
  bool empty() const { return Length_ == 0; }
  std::string_view view() const { return {Chars_.data(), Length_}; }
  std::string str() const { return std::string(view()); }

  friend bool operator==(const TShortString& a, const TShortString& b) { return a.view() == b.view(); }

 private:
  std::uint8_t Length_ = 0;
  std::array<char, kCapacity> Chars_{};
};

// Colours as 0x00BBGGRR.
using TColor = std::uint32_t;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clYellow = 0x00FFFF;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clGreen = 0x008000;

// One aired item of the report table.
struct TRepItem {
  TShortString Title;
  TShortString Artist;
  TDateTime AirTime = 0;
};

// One line of an accepted hourly playlist of History.db.
struct THistItem {
  TShortString Title;
  TShortString Artist;
  std::int32_t Number = 0;
};

// One line of the working copy of an hour's playlist.
struct TCListItem {
  TShortString Title;
  TShortString Artist;
  std::int32_t Number = 0;
  bool Aired = false;
};

// One result row of the shown hour.
struct TLogItem {
  TShortString Title;
  TShortString Artist;
  std::int32_t Number = 0;  // -1: put on air by hand
  TColor RowColor = clWhite;
  TDateTime AirTime = -1;   // negative: the line never aired
};

inline constexpr int kHoursPerDay = 24;

// Two items are the same song when both title and performer are, byte for byte.
template <typename A, typename B>
bool SameSong(const A& a, const B& b) {
  return a.Title == b.Title && a.Artist == b.Artist;
}

}  // namespace spv::app
