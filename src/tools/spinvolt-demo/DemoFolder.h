#pragma once
// A demo Quorvane folder: the accepted hourly playlists (History.db) and what went on air, one
// report table a month (rep_YYMM.db in the report folder), for a range of days. The same seed
// gives the same tables, byte for byte.
//
// Every day has hours of each case the check tells apart: songs aired in their place, songs
// moved from it, songs put on air by hand and songs that never aired; jingles, adverts and news
// rows lie between the songs in both tables; and the day before the last day has one hour that
// aired without an accepted playlist.

#include "base/DateTime.h"

#include <cstdint>
#include <filesystem>
#include <vector>

namespace spv::demo {

struct TDemoOptions {
  std::filesystem::path Folder;        // History.db goes here
  std::filesystem::path ReportFolder;  // the report tables; empty: Folder / "Report"
  spv::base::TDateTime LastDay = 0;           // the last day written (its integer part)
  int Days = 35;                       // days up to and including LastDay, 1 to 3660
  std::uint64_t Seed = 1;
};

struct TDemoSummary {
  std::vector<std::filesystem::path> Tables;  // History.db first, then the report tables by month
  std::uint32_t HistoryRows = 0;
  std::uint32_t ReportRows = 0;
  int HourWithoutPlaylist = 0;  // the hour of the day before the last day that has no playlist
};

// Writes (or replaces) the tables; a TDatabaseError or a filesystem error when it cannot.
TDemoSummary WriteDemoFolder(const TDemoOptions& options);

// The FType of a song in each table; other values are jingles, adverts and news.
inline constexpr int kHistorySong = 0;
inline constexpr int kReportSong = 4;

}  // namespace spv::demo
