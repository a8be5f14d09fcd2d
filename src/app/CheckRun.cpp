// The run command and the two reads: the part of the check that goes through the query component.
#include "app/Check.h"

#include "app/Settings.h"
#include "app/Utf8Path.h"
#include "db/Query.h"

#include <algorithm>
#include <cmath>
#include <exception>

namespace spv::app {
namespace {

// The dialog is updated, and the window's messages handled, once per this many kept rows.
constexpr std::uint64_t kRowsPerPump = 50;
constexpr int kPumpMilliseconds = 10;

class TReadingGuard {
 public:
  explicit TReadingGuard(bool& flag) : Flag_(flag) { Flag_ = true; }
  ~TReadingGuard() { Flag_ = false; }
  TReadingGuard(const TReadingGuard&) = delete;
  TReadingGuard& operator=(const TReadingGuard&) = delete;

 private:
  bool& Flag_;
};

// The items of one row of each table, the query standing on it.
TRepItem RepItem(const db::TQuery& query, spv::base::TDateTime airTime) {
  return {TShortString(query.FieldAsString("FName")), TShortString(query.FieldAsString("FArtist")), airTime};
}

THistItem HistItem(const db::TQuery& query) {
  return {TShortString(query.FieldAsString("FName")), TShortString(query.FieldAsString("FArtist")),
          query.FieldAsInteger("FNumber")};
}

int DayNumber(spv::base::TDateTime date) { return int(std::floor(date)); }

}  // namespace

std::vector<std::string> ReportSql(std::string_view reportPath, std::string_view dateText) {
  return {"SELECT FDate,FTime,FType,FName,FArtist FROM \"" + std::string(reportPath) + '"',
          "WHERE FType=4 AND FDate=\"" + std::string(dateText) + '"',
          "ORDER BY FTime"};
}

std::vector<std::string> HistorySql(std::string_view basesPath, std::string_view dateText) {
  return {"SELECT FDate,FHour,FNumber,FName,FArtist,FType FROM \"" + std::string(basesPath) + '"',
          "WHERE FDate=\"" + std::string(dateText) + "\" AND FType=0",
          "ORDER BY FHour,FNumber"};
}

std::vector<std::string> ReportRangeSql(std::string_view reportPath, std::string_view firstText,
                                        std::string_view lastText) {
  return {"SELECT FDate,FTime,FType,FName,FArtist FROM \"" + std::string(reportPath) + '"',
          "WHERE FType=4 AND FDate>=\"" + std::string(firstText) + "\" AND FDate<=\"" + std::string(lastText) + '"',
          "ORDER BY FDate,FTime"};
}

std::vector<std::string> HistoryRangeSql(std::string_view basesPath, std::string_view firstText,
                                         std::string_view lastText) {
  return {"SELECT FDate,FHour,FNumber,FName,FArtist,FType FROM \"" + std::string(basesPath) + '"',
          "WHERE FDate>=\"" + std::string(firstText) + "\" AND FDate<=\"" + std::string(lastText) + "\" AND FType=0",
          "ORDER BY FDate,FHour,FNumber"};
}

bool TPlaylistCheck::SBExecClick(db::TQuery& query, std::string_view basesText, std::string_view reportText,
                                 spv::base::TDateTime date) {
  if (Reading_) return false;
  if (std::optional<std::string> failed = RunChecks(basesText, reportText, date)) {
    Msg_.Show(*failed, TMsgKind::Error);
    return false;
  }
  if (!SettingsPath.empty())
    WriteSetting(Utf8Path(SettingsPath), TSettings{std::string(basesText), std::string(reportText)});
  TReadingGuard guard(Reading_);
  ReadReport(query);
  ReadHistory(query);
  return true;
}

TRangeResult TPlaylistCheck::CheckRange(db::TQuery& query, std::string_view basesText, std::string_view reportText,
                                        spv::base::TDateTime first, spv::base::TDateTime last, int onlyHour) {
  TRangeResult result;
  if ((result.Failed = CheckFolders(basesText, reportText))) return result;
  const std::string reportFolder = ReportPath;
  const int firstDay = DayNumber(first), lastDay = DayNumber(last);

  // The first reason a day cannot be checked, in the order of the one-day run: its month's
  // table missing, that table unreadable, History.db unreadable.
  std::map<int, std::string> failed;
  const auto fail = [&](int from, int to, const std::string& reason) {
    for (int day = from; day <= to; ++day) failed.try_emplace(day, reason);
  };
  TDaysHours<TRepItem> aired;
  for (int monthFirst = firstDay; monthFirst <= lastDay;) {
    const spv::base::TDateParts month = spv::base::DecodeDate(monthFirst);
    const int monthLast =
        std::min(lastDay, DayNumber(*spv::base::EncodeDate(month.Year, month.Month,
                                                           spv::base::DaysInMonth(month.Year, month.Month))));
    const std::string table = reportFolder + ReportTableName(monthFirst);
    if (!Files_.FileExists(table)) {
      for (int day = monthFirst; day <= monthLast; ++day)
        failed.try_emplace(day, std::string(kMsgReportMissingFor) + spv::base::FormatDate(day, ShortDateFormat) +
                                    std::string(kMsgReportMissingAt) + table);
    } else {
      try {
        ReadReportDays(query, table, monthFirst, monthLast, aired);
      } catch (const std::exception& e) {
        fail(monthFirst, monthLast, e.what());
      }
    }
    monthFirst = monthLast + 1;
  }
  TDaysHours<THistItem> playlists;
  const bool anyDayLeft = failed.size() < std::size_t(lastDay - firstDay + 1);
  if (anyDayLeft) {
    try {
      ReadHistoryDays(query, first, last, playlists);
    } catch (const std::exception& e) {
      fail(firstDay, lastDay, e.what());
    }
  }

  const auto take = [](auto& days, int day) {
    auto node = days.extract(day);
    return node ? std::move(node.mapped()) : typename std::decay_t<decltype(days)>::mapped_type{};
  };
  for (int day = firstDay; day <= lastDay; ++day) {
    TDayResult& checked = result.Days.emplace_back(TDayResult{spv::base::TDateTime(day), {}, {}});
    if (const auto reason = failed.find(day); reason != failed.end()) {
      checked.Error = reason->second;
      continue;
    }
    WorkDate = day;
    ReportPath = reportFolder + ReportTableName(day);
    RepHours = take(aired, day);
    HistHours = take(playlists, day);
    checked.Hours = CompareHoursQuietly(*this, onlyHour);
  }
  return result;
}

template <typename HourOf, typename Append>
void TPlaylistCheck::ReadTable(db::TQuery& query, std::string_view caption, std::vector<std::string> sql,
                               HourOf hourOf, Append append) {
  Process_.SetValue(0);
  Process_.SetLabelCaption(caption);
  Process_.Show();
  Pump_.PumpAndSleep(kPumpMilliseconds);

  query.Close();
  query.SetShortDateFormat(ShortDateFormat);
  query.SQL() = std::move(sql);
  query.Open();
  std::uint64_t kept = 0;
  for (; !query.Eof(); query.Next()) {
    const int hour = hourOf();
    if (hour < 0 || hour >= kHoursPerDay) continue;
    if (kept % kRowsPerPump == 0) {
      Process_.SetValue(hour * 4);
      Pump_.PumpAndSleep(kPumpMilliseconds);
    }
    append(std::size_t(hour));
    ++kept;
  }
  query.Close();
  query.SQL().clear();

  Process_.SetValue(100);
  Pump_.PumpAndSleep(kPumpMilliseconds);
}

void TPlaylistCheck::ReadReport(db::TQuery& query) {
  for (auto& list : RepHours) list.clear();
  const std::string dateText = spv::base::FormatDate(WorkDate, ShortDateFormat);
  spv::base::TDateTime airTime = 0;
  ReadTable(query, kCaptionReadingReport, ReportSql(ReportPath, dateText),
            [&] {
              airTime = query.FieldAsDateTime("FTime");
              return AirTimeHour(airTime);
            },
            [&](std::size_t hour) { RepHours[hour].push_back(RepItem(query, airTime)); });
}

void TPlaylistCheck::ReadHistory(db::TQuery& query) {
  for (auto& list : HistHours) list.clear();
  const std::string dateText = spv::base::FormatDate(WorkDate, ShortDateFormat);
  ReadTable(query, kCaptionReadingHistory, HistorySql(BasesPath, dateText),
            [&] { return int(query.FieldAsInteger("FHour")); },
            [&](std::size_t hour) { HistHours[hour].push_back(HistItem(query)); });
}

void TPlaylistCheck::ReadReportDays(db::TQuery& query, std::string_view tablePath, spv::base::TDateTime first,
                                    spv::base::TDateTime last, TDaysHours<TRepItem>& days) {
  spv::base::TDateTime airTime = 0;
  ReadTable(query, kCaptionReadingReport,
            ReportRangeSql(tablePath, spv::base::FormatDate(first, ShortDateFormat),
                           spv::base::FormatDate(last, ShortDateFormat)),
            [&] {
              airTime = query.FieldAsDateTime("FTime");
              return AirTimeHour(airTime);
            },
            [&](std::size_t hour) {
              days[DayNumber(query.FieldAsDateTime("FDate"))][hour].push_back(RepItem(query, airTime));
            });
}

void TPlaylistCheck::ReadHistoryDays(db::TQuery& query, spv::base::TDateTime first, spv::base::TDateTime last,
                                     TDaysHours<THistItem>& days) {
  ReadTable(query, kCaptionReadingHistory,
            HistoryRangeSql(BasesPath, spv::base::FormatDate(first, ShortDateFormat),
                            spv::base::FormatDate(last, ShortDateFormat)),
            [&] { return int(query.FieldAsInteger("FHour")); },
            [&](std::size_t hour) {
              days[DayNumber(query.FieldAsDateTime("FDate"))][hour].push_back(HistItem(query));
            });
}

}  // namespace spv::app
