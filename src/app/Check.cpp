#include "app/Check.h"

#include "app/Engine.h"

#include <cmath>
#include <cstdio>
#include <stdexcept>

namespace spv::app {
namespace {

std::size_t CheckedIndex(int index, std::size_t size) {
  if (index < 0 || std::size_t(index) >= size)
    throw std::out_of_range("Index " + std::to_string(index) + " out of range 0 to " + std::to_string(size));
  return std::size_t(index);
}

}  // namespace

std::string ReportTableName(spv::base::TDateTime date) {
  const spv::base::TDateParts parts = spv::base::DecodeDate(date);
  const int year = parts.Year > 2000 ? parts.Year - 2000 : parts.Year;
  char name[32];
  std::snprintf(name, sizeof name, "rep_%2.2d%2.2d.db", year, parts.Month);
  return name;
}

int AirTimeHour(spv::base::TDateTime airTime) {
  constexpr double kMsPerDay = 86400000.0;
  constexpr long long kMsPerHour = 3600000;
  // Anything beyond a few days is a full date and time, far outside any hour of the day.
  if (!(std::fabs(airTime) < 1000.0)) return airTime < 0 ? -1 : kHoursPerDay;
  // Truncated toward zero, as trunc(t x 24) is: a time a little before midnight is hour 0.
  return int(std::llround(airTime * kMsPerDay) / kMsPerHour);
}

TPlaylistCheck::TPlaylistCheck(TMessageBox& msg, TProgressDialog& process, TMessagePump& pump,
                               const TFileSystem& files)
    : Msg_(msg), Process_(process), Pump_(pump), Files_(files) {}

std::optional<std::string> TPlaylistCheck::RunChecks(std::string_view basesText, std::string_view reportText,
                                                     spv::base::TDateTime date) {
  if (std::optional<std::string> failed = CheckFolders(basesText, reportText)) return failed;

  WorkDate = date;
  ReportPath += ReportTableName(WorkDate);
  if (!Files_.FileExists(ReportPath))
    return std::string(kMsgReportMissingFor) + spv::base::FormatDate(WorkDate, ShortDateFormat) +
           std::string(kMsgReportMissingAt) + ReportPath;
  return std::nullopt;
}

std::optional<std::string> TPlaylistCheck::CheckFolders(std::string_view basesText, std::string_view reportText) {
  if (basesText.empty()) return std::string(kMsgNoBasesFolder);
  BasesPath = WithTrailingDelimiter(basesText, PathDelimiter);
  if (!Files_.DirectoryExists(BasesPath)) return std::string(kMsgBasesFolderMissing) + BasesPath;
  BasesPath += kHistoryTable;
  if (!Files_.FileExists(BasesPath)) return std::string(kMsgHistoryMissing) + BasesPath;

  if (reportText.empty()) return std::string(kMsgNoReportFolder);
  ReportPath = WithTrailingDelimiter(reportText, PathDelimiter);
  if (!Files_.DirectoryExists(ReportPath)) return std::string(kMsgReportFolderMissing) + ReportPath;
  return std::nullopt;
}

void TPlaylistCheck::Compares(int hour) { Compare(hour, true); }

void TPlaylistCheck::CompareQuietly(int hour) { Compare(hour, false); }

void TPlaylistCheck::Compare(int hour, bool warn) {
  if (hour < 0 || hour >= kHoursPerDay)
    throw std::out_of_range("Hour out of range: " + std::to_string(hour));
  const std::vector<TRepItem>& aired = RepHours[std::size_t(hour)];
  const std::vector<THistItem>& playlist = HistHours[std::size_t(hour)];

  CList.clear();
  CList.reserve(playlist.size());
  for (const THistItem& line : playlist) CList.push_back({line.Title, line.Artist, line.Number, false});
  for (TCListItem& line : CList)
    for (const TRepItem& item : aired)
      if (SameSong(line, item)) {
        line.Aired = true;
        break;
      }

  Logs.clear();
  if (warn && CList.empty()) Msg_.Show(kMsgNoPlaylist, TMsgKind::Warning);

  Place = -1;
  GetNextPlace();
  for (int item = 0; item < int(aired.size()); ++item) {
    const int a = FindSong(hour, item);
    if (a == -1) {
      AppendLogs(hour, item, -1, clRed);
    } else if (a == Place) {
      AppendLogs(hour, item, CList[std::size_t(a)].Number, clWhite);
      GetNextPlace();
    } else {
      AppendLogs(hour, item, CList[std::size_t(a)].Number, clYellow);
      ILikeMoveIt(a);
    }
  }
  GetNextPlace();
}

void TPlaylistCheck::GetNextPlace() {
  const int count = int(CList.size());
  if (Place >= count) return;
  while (++Place < count && !CList[std::size_t(Place)].Aired) AppendLogsClist(Place, clGreen);
}

int TPlaylistCheck::FindSong(int hour, int item) const {
  const TRepItem& song = RepHours.at(std::size_t(hour)).at(std::size_t(item));
  for (std::size_t i = 0; i < CList.size(); ++i)
    if (CList[i].Aired && SameSong(CList[i], song)) return int(i);
  return -1;
}

void TPlaylistCheck::ILikeMoveIt(int index) {
  CList.erase(CList.begin() + std::ptrdiff_t(CheckedIndex(index, CList.size())));
  if (index < Place) --Place;
}

void TPlaylistCheck::AppendLogs(int hour, int item, std::int32_t number, TColor color) {
  const TRepItem& song = RepHours.at(std::size_t(hour)).at(std::size_t(item));
  Logs.push_back({song.Title, song.Artist, number, color, song.AirTime});
}

void TPlaylistCheck::AppendLogsClist(int index, TColor color) {
  const TCListItem& line = CList[CheckedIndex(index, CList.size())];
  Logs.push_back({line.Title, line.Artist, line.Number, color, -1.0});
}

}  // namespace spv::app
