#pragma once
// The check of one day: the run command's checks, the reading of the two Quorvane tables into
// 24 hour lists each, and the comparison of one hour into result rows.
//
// This is the state and logic of the main window without the window: TFRM_SPV owns one, hands
// it its message box, progress dialog and message pump, and lends it its query component for
// each read. Everything runs on the caller's thread.

#include "app/CheckHost.h"
#include "app/CheckItems.h"
#include "app/DayResult.h"
#include "base/DateTime.h"

#include <array>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace spv::db {
class TQuery;
}

namespace spv::app {

// The messages of the run command's checks and of the comparison, as the user reads them.
inline constexpr std::string_view kMsgNoBasesFolder = "Укажите папку с базами Quorvane";
inline constexpr std::string_view kMsgBasesFolderMissing = "Папка с базами не существует: ";
inline constexpr std::string_view kMsgHistoryMissing = "База принятых листов не найдена: ";
inline constexpr std::string_view kMsgNoReportFolder = "Укажите папку с базами отчетов Quorvane";
inline constexpr std::string_view kMsgReportFolderMissing = "Папка с базами отчетов не существует: ";
inline constexpr std::string_view kMsgReportMissingFor = "База отчета за ";
inline constexpr std::string_view kMsgReportMissingAt = " не найдена: ";
inline constexpr std::string_view kMsgNoPlaylist = "Принятый плейлист на этот час отсутствует";
inline constexpr std::string_view kCaptionReadingReport = "Чтение данных отчета";
inline constexpr std::string_view kCaptionReadingHistory = "Чтение принятых плейлистов";

inline constexpr std::string_view kHistoryTable = "History.db";

// The month's report table: "rep_" + year and month, two digits each at least, + ".db".
// Years after 2000 count from 2000 (rep_2612.db); earlier ones keep all their digits
// (rep_200003.db, rep_199912.db), which is how Quorvane names them.
std::string ReportTableName(spv::base::TDateTime date);

// The hour of an air time read from a time column: trunc(t x 24), counted on the whole
// milliseconds that the table stores, so that 13:00:00 is hour 13 however the fraction of the
// day rounds. Values far outside a day (a full date and time) give an hour far outside 0-23.
int AirTimeHour(spv::base::TDateTime airTime);

// The SQL text of the two reads, line by line: the table by its full path, the day as a date
// literal in the user's short date format.
std::vector<std::string> ReportSql(std::string_view reportPath, std::string_view dateText);
std::vector<std::string> HistorySql(std::string_view basesPath, std::string_view dateText);
// The same reads for the days from `firstText` to `lastText`, both included, ordered by day
// first: within a day the rows come in the order of the one-day read.
std::vector<std::string> ReportRangeSql(std::string_view reportPath, std::string_view firstText,
                                        std::string_view lastText);
std::vector<std::string> HistoryRangeSql(std::string_view basesPath, std::string_view firstText,
                                         std::string_view lastText);

// The hour lists of the days of a range, by day number (the integer part of the date).
template <typename Item>
using TDaysHours = std::map<int, std::array<std::vector<Item>, kHoursPerDay>>;

// A check of a range of days, for the console.
struct TRangeResult {
  // The check of the folders that failed: nothing was read.
  std::optional<std::string> Failed;
  // Every day of the range in order; a day whose table is missing or unreadable has its reason.
  std::vector<TDayResult> Days;
};

class TPlaylistCheck {
 public:
  TPlaylistCheck(TMessageBox& msg, TProgressDialog& process, TMessagePump& pump, const TFileSystem& files);
  TPlaylistCheck(const TPlaylistCheck&) = delete;
  TPlaylistCheck& operator=(const TPlaylistCheck&) = delete;

  // The user's short date format: the date in the report-missing message and the date
  // literal of both queries.
  std::string ShortDateFormat = "dd.MM.yyyy";
  // Appended to a folder text that lacks it. Quorvane's folders are Windows folders; the
  // Linux build of the console tool checks Linux folders with '/'.
  char PathDelimiter = '\\';
  // The settings file that a run writes once its checks have passed; empty: none is written.
  std::string SettingsPath;

  // The run command. Runs the six checks in order; the first that fails is shown as an error
  // box and ends the command (false). Then writes the settings, reads both tables and gives
  // true: the caller shows the selected hour. A run started while a run is reading (from a
  // message pumped by the read) is ignored, so that it cannot disturb the read in progress.
  bool SBExecClick(db::TQuery& query, std::string_view basesText, std::string_view reportText, spv::base::TDateTime date);

  // The six checks alone: sets BasesPath, ReportPath and WorkDate as it goes and gives the
  // message of the first check that fails.
  std::optional<std::string> RunChecks(std::string_view basesText, std::string_view reportText,
                                       spv::base::TDateTime date);
  // The first five of them, those of the two folders and History.db: sets BasesPath and leaves
  // the report folder, with its delimiter, in ReportPath.
  std::optional<std::string> CheckFolders(std::string_view basesText, std::string_view reportText);

  // The days from `first` to `last` (both included) compared hour by hour — all 24 hours, or
  // only `onlyHour` — without a word to the message box, reading History.db once and each
  // month's report table once for all of them. A folder check that fails ends it before any
  // read; a month's table that is missing or unreadable fails that month's days with the
  // reason, and an unreadable History.db fails every day. The lists of the check are left
  // with the last day compared; the settings are not written.
  TRangeResult CheckRange(db::TQuery& query, std::string_view basesText, std::string_view reportText,
                          spv::base::TDateTime first, spv::base::TDateTime last, int onlyHour = -1);

  // Fill RepHours from the table at ReportPath and HistHours from the table at BasesPath,
  // for WorkDate. A database error ends the read with the lists filled so far.
  void ReadReport(db::TQuery& query);
  void ReadHistory(db::TQuery& query);
  // The reads of a range: the rows of the days from `first` to `last` of one report table
  // (its full path) or of History.db at BasesPath, each into the hour lists of its day. A
  // database error is thrown.
  void ReadReportDays(db::TQuery& query, std::string_view tablePath, spv::base::TDateTime first,
                      spv::base::TDateTime last, TDaysHours<TRepItem>& days);
  void ReadHistoryDays(db::TQuery& query, spv::base::TDateTime first, spv::base::TDateTime last,
                       TDaysHours<THistItem>& days);

  // Builds Logs for the hour 0 to 23; any other hour throws std::out_of_range and changes nothing.
  void Compares(int hour);
  // The same comparison without the warning of an hour that has no playlist: for the answers
  // that cover a whole day at once.
  void CompareQuietly(int hour);
  void GetNextPlace();
  int FindSong(int hour, int item) const;
  void ILikeMoveIt(int index);
  void AppendLogs(int hour, int item, std::int32_t number, TColor color);
  void AppendLogsClist(int index, TColor color);

  bool Reading() const { return Reading_; }

  std::string BasesPath;
  std::string ReportPath;
  spv::base::TDateTime WorkDate = 0;
  std::array<std::vector<TRepItem>, kHoursPerDay> RepHours;
  std::array<std::vector<THistItem>, kHoursPerDay> HistHours;
  std::vector<TCListItem> CList;
  std::vector<TLogItem> Logs;
  std::int32_t Place = 0;

 private:
  // One table read: runs the SQL, takes each row's hour from `hourOf`, skips the rows whose
  // hour lies outside the day and hands the others to `append`; the progress dialog follows
  // the hours of the kept rows.
  template <typename HourOf, typename Append>
  void ReadTable(db::TQuery& query, std::string_view caption, std::vector<std::string> sql, HourOf hourOf,
                 Append append);

  void Compare(int hour, bool warn);

  TMessageBox& Msg_;
  TProgressDialog& Process_;
  TMessagePump& Pump_;
  const TFileSystem& Files_;
  bool Reading_ = false;
};

}  // namespace spv::app
