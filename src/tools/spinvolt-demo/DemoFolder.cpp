#include "DemoFolder.h"

#include "app/Check.h"
#include "base/CodePage.h"
#include "db/DatabaseError.h"
#include "db/ParadoxWriter.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace spv::demo {
namespace {

using db::TFieldDef;
using db::TFieldType;
using db::TParadoxWriter;

constexpr int kTextSize = 96;
constexpr int kCodePage = 1251;

// Other row types, in both tables.
constexpr int kJingle = 1;
constexpr int kAdvert = 2;
constexpr int kNews = 3;  // the report's news at the top of the hour

// splitmix64: the same numbers on every platform and compiler, which the standard
// distributions do not promise.
class TRandom {
 public:
  explicit TRandom(std::uint64_t seed) : State(seed) {}
  std::uint64_t Next() {
    std::uint64_t z = (State += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  int Below(int n) { return static_cast<int>(Next() % static_cast<std::uint64_t>(n)); }
  int Between(int low, int high) { return low + Below(high - low + 1); }

 private:
  std::uint64_t State;
};

struct TSong {
  std::string Title, Artist;  // code page 1251
};

// Made-up performers and titles, Russian and English.
const char* const kRussianArtists[] = {
    "Белые ночи", "Северный ветер", "Марина Лебедева", "Городские огни", "Алексей Громов",
    "Дорога домой", "Ольга Светлова", "Синий троллейбус", "Павел Орлов", "Тёплый дождь",
    "Ансамбль «Родники»", "Ёлки-палки",
};
const char* const kRussianTitles[] = {
    "Осенний вальс", "Не уходи", "Город спит", "Где-то там", "Последний трамвай", "Ночное такси",
    "Звёзды над Невой", "Мой причал", "Пока горит свеча", "Летний ливень", "Только ты",
    "Снег идёт", "Облака", "Дорога к морю", "Навсегда", "Весна на Заречной",
    "Песня о том, как мы встречали рассвет на крыше старого дома у реки",
};
const char* const kEnglishArtists[] = {
    "The Paper Lanterns", "Amber Coast", "Nora Whitfield", "Midnight Harbour", "Jack Reyes & The Wires",
    "Silver Pines", "Lucy Hale Band", "Northbound", "Velvet Static", "Ocean Avenue Choir",
};
const char* const kEnglishTitles[] = {
    "Summer Nights", "Don't Look Back", "City Lights", "Falling Slowly", "Run to You", "Paper Hearts",
    "Golden Hour", "Highway Song", "Still Waiting", "Blue Monday Morning", "Carry Me Home",
    "Never Enough", "Electric Sky", "Rain on the Roof",
    "The Long and Winding Conversation We Never Finished on the Night Train to Nowhere",
};

std::vector<TSong> Catalogue() {
  std::vector<TSong> songs;
  const auto add = [&](const auto& artists, const auto& titles) {
    const int na = static_cast<int>(std::size(artists)), nt = static_cast<int>(std::size(titles));
    // Four songs a performer, four different titles each: no song is in the catalogue twice.
    for (int a = 0; a < na; ++a)
      for (int k = 0; k < 4; ++k)
        songs.push_back({spv::base::Utf8ToCodePage(titles[(a * 3 + k * 4) % nt], kCodePage),
                         spv::base::Utf8ToCodePage(artists[a], kCodePage)});
  };
  add(kRussianArtists, kRussianTitles);
  add(kEnglishArtists, kEnglishTitles);
  return songs;
}

struct TOther {
  int Type;
  const char* Name;
  const char* Artist;
};
const TOther kJingles[] = {
    {kJingle, "Джингл: Радио Спинвольт", ""},
    {kJingle, "Джингл: Хорошая музыка", ""},
    {kJingle, "Station ID", "Spinvolt FM"},
};
const TOther kAdverts[] = {
    {kAdvert, "Реклама: Автосалон «Север»", "Рекламная служба"},
    {kAdvert, "Реклама: Пекарня «Колос»", "Рекламная служба"},
    {kAdvert, "Advert: Bright Smile Dental", "Ad desk"},
};
const TOther kNewsItem = {kNews, "Новости часа", "Редакция новостей"};

// What the DJ does with an hour's playlist. The evening's busy hour has a bit of everything, so
// that one hour of every day shows all four colours of the check at once.
enum class THourCase { InPlace, Moved, ByHand, NeverAired, Busy };
constexpr int kBusyHour = 21;

struct TItem {
  int Type;
  std::string Name, Artist;
};

TItem Other(const TOther& other) {
  return {other.Type, spv::base::Utf8ToCodePage(other.Name, kCodePage), spv::base::Utf8ToCodePage(other.Artist, kCodePage)};
}

std::vector<TFieldDef> HistoryFields() {
  return {{"FDate", TFieldType::Date},   {"FHour", TFieldType::Short},          {"FNumber", TFieldType::Short},
          {"FType", TFieldType::Short},  {"FName", TFieldType::Alpha, kTextSize}, {"FArtist", TFieldType::Alpha, kTextSize}};
}

std::vector<TFieldDef> ReportFields() {
  return {{"FDate", TFieldType::Date},  {"FTime", TFieldType::Time}, {"FType", TFieldType::Short},
          {"FName", TFieldType::Alpha, kTextSize}, {"FArtist", TFieldType::Alpha, kTextSize}};
}

}  // namespace

TDemoSummary WriteDemoFolder(const TDemoOptions& options) {
  if (options.Days < 1 || options.Days > 3660) throw db::TDatabaseError("the demo covers 1 to 3660 days");
  const std::filesystem::path reports = options.ReportFolder.empty() ? options.Folder / "Report" : options.ReportFolder;
  std::filesystem::create_directories(options.Folder);
  std::filesystem::create_directories(reports);

  TRandom random(options.Seed);
  const std::vector<TSong> songs = Catalogue();
  TDemoSummary summary;
  const double lastDay = std::floor(options.LastDay);
  const double firstDay = lastDay - (options.Days - 1);
  summary.HourWithoutPlaylist = random.Between(9, 20);

  TParadoxWriter history(options.Folder / app::kHistoryTable, HistoryFields());
  summary.Tables.push_back(history.Path());
  std::unique_ptr<TParadoxWriter> report;
  int reportMonth = -1;

  for (int d = 0; d < options.Days; ++d) {
    const double day = firstDay + d;
    const spv::base::TDateParts date = spv::base::DecodeDate(day);
    if (date.Year * 12 + date.Month != reportMonth) {
      if (report) report->Finish();
      report = std::make_unique<TParadoxWriter>(reports / app::ReportTableName(day), ReportFields());
      summary.Tables.push_back(report->Path());
      reportMonth = date.Year * 12 + date.Month;
    }
    for (int hour = 0; hour < 24; ++hour) {
      // The hour's playlist: 12 to 18 different songs, with jingles and adverts between them.
      std::vector<int> picks(songs.size());
      for (std::size_t i = 0; i < picks.size(); ++i) picks[i] = static_cast<int>(i);
      const int count = random.Between(12, 18);
      for (int i = 0; i < count; ++i) std::swap(picks[static_cast<std::size_t>(i)], picks[static_cast<std::size_t>(random.Between(i, static_cast<int>(picks.size()) - 1))]);
      std::vector<TItem> playlist;
      for (int i = 0; i < count; ++i) {
        if (i > 0 && i % 4 == 0) playlist.push_back(Other(kJingles[random.Below(static_cast<int>(std::size(kJingles)))]));
        if (i == count / 2) playlist.push_back(Other(kAdverts[random.Below(static_cast<int>(std::size(kAdverts)))]));
        const TSong& song = songs[static_cast<std::size_t>(picks[static_cast<std::size_t>(i)])];
        playlist.push_back({kHistorySong, song.Title, song.Artist});
      }
      const bool withoutPlaylist = day == lastDay - 1 && hour == summary.HourWithoutPlaylist;
      if (!withoutPlaylist) {
        for (std::size_t n = 0; n < playlist.size(); ++n) {
          history.SetDateTime(0, day);
          history.SetInteger(1, hour);
          history.SetInteger(2, static_cast<std::int64_t>(n));
          history.SetInteger(3, playlist[n].Type);
          history.SetText(4, playlist[n].Name);
          history.SetText(5, playlist[n].Artist);
          history.AppendRecord();
        }
      }

      // What aired: the news, then the playlist as the DJ changed it.
      std::vector<TItem> aired = playlist;
      for (TItem& item : aired)
        if (item.Type == kHistorySong) item.Type = kReportSong;
      std::vector<std::size_t> songAt;
      for (std::size_t i = 0; i < aired.size(); ++i)
        if (aired[i].Type == kReportSong) songAt.push_back(i);
      // Two songs of the list swap places: one from its first half, one from the rest.
      const auto swapTwo = [&](std::size_t songs) {
        const std::size_t a = songAt[static_cast<std::size_t>(random.Below(static_cast<int>(songs) / 2))];
        const std::size_t b = songAt[songs / 2 + static_cast<std::size_t>(random.Below(static_cast<int>(songs - songs / 2)))];
        std::swap(aired[a], aired[b]);
      };
      const auto addByHand = [&](int n) {
        for (; n > 0; --n) {
          const TSong& extra = songs[static_cast<std::size_t>(picks[static_cast<std::size_t>(count + random.Below(static_cast<int>(songs.size()) - count))])];
          aired.insert(aired.begin() + random.Between(0, static_cast<int>(aired.size())), TItem{kReportSong, extra.Title, extra.Artist});
        }
      };
      // The last songs of the list never air; from the end backwards, so that the positions
      // still to drop stay where they were.
      const auto dropLast = [&](std::size_t n) {
        for (std::size_t k = 1; k <= n; ++k) aired.erase(aired.begin() + static_cast<std::ptrdiff_t>(songAt[songAt.size() - k]));
      };
      const THourCase what = hour == kBusyHour ? THourCase::Busy : static_cast<THourCase>((hour + d) % 4);
      switch (what) {
        case THourCase::InPlace: break;
        case THourCase::Moved: swapTwo(songAt.size()); break;
        case THourCase::ByHand: addByHand(random.Between(1, 2)); break;
        case THourCase::NeverAired: dropLast(static_cast<std::size_t>(random.Between(1, 3))); break;
        case THourCase::Busy:
          // The last song dropped first, so that the swap keeps to songs that air.
          dropLast(1);
          swapTwo(songAt.size() - 1);
          addByHand(1);
          break;
      }
      aired.insert(aired.begin(), Other(kNewsItem));
      // Each item in its own slot of the hour, so that the hour holds them all.
      const double slot = 3600.0 / static_cast<double>(aired.size());
      for (std::size_t i = 0; i < aired.size(); ++i) {
        const double second = hour * 3600.0 + static_cast<double>(i) * slot + random.Below(static_cast<int>(slot / 4));
        report->SetDateTime(0, day);
        report->SetDateTime(1, second / 86400.0);
        report->SetInteger(2, aired[i].Type);
        report->SetText(3, aired[i].Name);
        report->SetText(4, aired[i].Artist);
        report->AppendRecord();
      }
      summary.ReportRows += static_cast<std::uint32_t>(aired.size());
    }
  }
  report->Finish();
  history.Finish();
  summary.HistoryRows = history.RecordCount();
  return summary;
}

}  // namespace spv::demo
