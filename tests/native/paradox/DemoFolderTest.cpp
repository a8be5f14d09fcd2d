// The demo folder: the tables the check needs, with every case the check tells apart.

#include "ParadoxTestSupport.h"

#include "tools/spinvolt-demo/DemoFolder.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <iterator>
#include <map>
#include <set>

namespace spv::demo {
namespace {

using db::test::ReadAll;
using db::test::ReadFile;
using db::test::TScratch;

using TSong = std::pair<std::string, std::string>;  // title, artist
using THourKey = std::pair<double, int>;            // day, hour

TEST(DemoFolder, EveryDayHasEveryCase) {
  TScratch scratch;
  TDemoOptions options;
  options.Folder = scratch.Dir;
  options.LastDay = *spv::base::EncodeDate(2026, 3, 2);
  options.Days = 35;
  const TDemoSummary summary = WriteDemoFolder(options);
  const std::vector<std::filesystem::path> expectedTables = {
      scratch / "History.db", scratch.Dir / "Report" / "rep_2601.db", scratch.Dir / "Report" / "rep_2602.db",
      scratch.Dir / "Report" / "rep_2603.db"};
  ASSERT_EQ(summary.Tables, expectedTables);

  std::map<THourKey, std::vector<TSong>> playlists, aired;
  std::map<THourKey, std::int64_t> lastNumber;
  std::set<double> days;
  int otherHistoryRows = 0, otherReportRows = 0;
  bool cyrillic = false;
  const auto history = db::TParadoxTable::Open(summary.Tables[0]);
  EXPECT_EQ(history->CodePage(), 1251);
  for (const auto& row : ReadAll(*history)) {
    // FDate, FHour, FNumber, FType, FName, FArtist
    const THourKey key{row[0].Float, static_cast<int>(row[1].Integer)};
    const auto last = lastNumber.find(key);
    EXPECT_EQ(row[2].Integer, last == lastNumber.end() ? 0 : last->second + 1) << "lines numbered from 0";
    lastNumber[key] = row[2].Integer;
    if (row[3].Integer != kHistorySong) {
      ++otherHistoryRows;
      continue;
    }
    playlists[key].push_back({row[4].Bytes, row[5].Bytes});
    cyrillic = cyrillic || std::any_of(row[4].Bytes.begin(), row[4].Bytes.end(), [](char c) { return static_cast<unsigned char>(c) >= 0xC0; });
    days.insert(row[0].Float);
  }
  for (std::size_t t = 1; t < summary.Tables.size(); ++t) {
    const auto report = db::TParadoxTable::Open(summary.Tables[t]);
    double lastTime = -1;
    for (const auto& row : ReadAll(*report)) {
      // FDate, FTime, FType, FName, FArtist
      const double moment = row[0].Float + row[1].Float;
      EXPECT_GT(moment, lastTime) << "aired in time order";
      lastTime = moment;
      EXPECT_EQ(spv::base::DecodeDate(row[0].Float).Month, static_cast<int>(t));  // the month's own table
      if (row[2].Integer != kReportSong) {
        ++otherReportRows;
        continue;
      }
      aired[{row[0].Float, static_cast<int>(row[1].Float * 24)}].push_back({row[3].Bytes, row[4].Bytes});
    }
  }
  EXPECT_TRUE(cyrillic);
  EXPECT_GT(otherHistoryRows, 35 * 24 * 3);
  EXPECT_GT(otherReportRows, 35 * 24 * 4);
  ASSERT_EQ(days.size(), 35u);
  EXPECT_EQ(*days.rbegin(), options.LastDay);

  enum { kInPlace, kMoved, kByHand, kNeverAired };
  std::map<double, std::set<int>> casesOfDay;
  std::map<double, int> hoursWithEveryCase;
  for (const auto& [key, songs] : aired) {
    const auto found = playlists.find(key);
    if (found == playlists.end()) {
      EXPECT_EQ(key, THourKey(options.LastDay - 1, summary.HourWithoutPlaylist)) << "the one hour without a playlist";
      continue;
    }
    const std::vector<TSong>& list = found->second;
    EXPECT_GE(list.size(), 12u);
    EXPECT_LE(list.size(), 18u);
    EXPECT_EQ(std::set<TSong>(list.begin(), list.end()).size(), list.size()) << "no song twice in an hour";
    const std::set<TSong> planned(list.begin(), list.end()), played(songs.begin(), songs.end());
    if (songs == list) casesOfDay[key.first].insert(kInPlace);
    else if (planned == played) casesOfDay[key.first].insert(kMoved);
    if (!std::includes(planned.begin(), planned.end(), played.begin(), played.end())) casesOfDay[key.first].insert(kByHand);
    if (!std::includes(played.begin(), played.end(), planned.begin(), planned.end())) casesOfDay[key.first].insert(kNeverAired);
    // The songs both lists share, in the order each has them: when the orders differ, a song moved.
    std::vector<TSong> plannedShared, playedShared;
    std::copy_if(list.begin(), list.end(), std::back_inserter(plannedShared), [&](const TSong& x) { return played.count(x); });
    std::copy_if(songs.begin(), songs.end(), std::back_inserter(playedShared), [&](const TSong& x) { return planned.count(x); });
    if (plannedShared != playedShared && plannedShared.size() < list.size() && playedShared.size() < songs.size())
      ++hoursWithEveryCase[key.first];
  }
  EXPECT_EQ(playlists.size() + 1, aired.size());
  ASSERT_EQ(casesOfDay.size(), 35u);
  for (const auto& [day, cases] : casesOfDay) EXPECT_EQ(cases.size(), 4u) << spv::base::FormatDate(day, "yyyy-MM-dd");
  // One hour of each day shows a song moved, one put on air by hand and one that never aired.
  EXPECT_EQ(hoursWithEveryCase.size(), 35u);
  for (const auto& [day, hours] : hoursWithEveryCase) EXPECT_EQ(hours, 1) << spv::base::FormatDate(day, "yyyy-MM-dd");
}

TEST(DemoFolder, TheSeedDecides) {
  TScratch scratch;
  const auto write = [&](const std::string& name, std::uint64_t seed) {
    TDemoOptions options;
    options.Folder = scratch / name;
    options.LastDay = *spv::base::EncodeDate(2026, 12, 9);
    options.Days = 3;
    options.Seed = seed;
    WriteDemoFolder(options);
    return ReadFile(options.Folder / "History.db") + ReadFile(options.Folder / "Report" / "rep_2612.db");
  };
  const std::string first = write("a", 5);
  EXPECT_EQ(write("b", 5), first);
  EXPECT_NE(write("c", 6), first);
}

}  // namespace
}  // namespace spv::demo
