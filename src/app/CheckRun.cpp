// The run command and the two reads: the part of the check that goes through the query component.
#include "app/Check.h"

#include "app/Settings.h"
#include "app/Utf8Path.h"
#include "db/Query.h"

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
            [&](std::size_t hour) {
              RepHours[hour].push_back({TShortString(query.FieldAsString("FName")),
                                        TShortString(query.FieldAsString("FArtist")), airTime});
            });
}

void TPlaylistCheck::ReadHistory(db::TQuery& query) {
  for (auto& list : HistHours) list.clear();
  const std::string dateText = spv::base::FormatDate(WorkDate, ShortDateFormat);
  ReadTable(query, kCaptionReadingHistory, HistorySql(BasesPath, dateText),
            [&] { return int(query.FieldAsInteger("FHour")); },
            [&](std::size_t hour) {
              HistHours[hour].push_back({TShortString(query.FieldAsString("FName")),
                                         TShortString(query.FieldAsString("FArtist")),
                                         query.FieldAsInteger("FNumber")});
            });
}

}  // namespace spv::app
