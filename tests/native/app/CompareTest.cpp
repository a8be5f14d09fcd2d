#include "CheckFakes.h"

#include <gtest/gtest.h>

#include <sstream>

namespace spv::app {
namespace {

using test::TCheckWithFakes;

constexpr TDateTime kTen = 10.0 / 24;  // 10:00:00
constexpr TDateTime kSecond = 1.0 / 86400;

// Playlist and aired songs are written as words: "A B C"; a song's performer is "by " + title.
std::vector<std::string> Words(std::string_view text) {
  std::istringstream in{std::string(text)};
  std::vector<std::string> words;
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

void Fill(TPlaylistCheck& check, int hour, std::string_view playlist, std::string_view aired) {
  std::int32_t number = 0;
  for (const std::string& w : Words(playlist))
    check.HistHours[std::size_t(hour)].push_back({TShortString(w), TShortString("by " + w), number++});
  int second = 0;
  for (const std::string& w : Words(aired))
    check.RepHours[std::size_t(hour)].push_back({TShortString(w), TShortString("by " + w), kTen + second++ * kSecond});
}

std::string CaseName(TColor c) {
  switch (c) {
    case clWhite: return "white";
    case clYellow: return "yellow";
    case clRed: return "red";
    case clGreen: return "green";
  }
  return "?";
}

// Rows as "title colour number".
std::vector<std::string> Rows(const TPlaylistCheck& check) {
  std::vector<std::string> rows;
  for (const TLogItem& row : check.Logs)
    rows.push_back(row.Title.str() + ' ' + CaseName(row.RowColor) + ' ' + std::to_string(row.Number));
  return rows;
}

TEST(Compares, WorkedExampleRowByRow) {
  TCheckWithFakes f;
  f.check.HistHours[10] = {{TShortString("A"), TShortString("a"), 0}, {TShortString("B"), TShortString("b"), 1},
                           {TShortString("C"), TShortString("c"), 2}, {TShortString("D"), TShortString("d"), 3},
                           {TShortString("E"), TShortString("e"), 4}};
  const auto at = [](int m, int s) { return kTen + (m * 60 + s) * kSecond; };
  f.check.RepHours[10] = {{TShortString("A"), TShortString("a"), at(0, 5)}, {TShortString("C"), TShortString("c"), at(3, 40)},
                          {TShortString("X"), TShortString("x"), at(7, 10)}, {TShortString("B"), TShortString("b"), at(10, 0)},
                          {TShortString("E"), TShortString("e"), at(13, 30)}};
  f.check.Compares(10);

  EXPECT_EQ(Rows(f.check), (std::vector<std::string>{"A white 0", "C yellow 2", "X red -1", "B white 1",
                                                     "D green 3", "E white 4"}));
  const std::vector<TDateTime> times = {at(0, 5), at(3, 40), at(7, 10), at(10, 0), -1.0, at(13, 30)};
  ASSERT_EQ(f.check.Logs.size(), times.size());
  for (std::size_t i = 0; i < times.size(); ++i) EXPECT_EQ(f.check.Logs[i].AirTime, times[i]) << i;
  EXPECT_EQ(f.check.Logs[2].Artist.str(), "x");

  // C was moved out of the working list; the cursor ended past its last line.
  std::string left;
  for (const TCListItem& line : f.check.CList) left += line.Title.str();
  EXPECT_EQ(left, "ABDE");
  EXPECT_EQ(f.check.Place, 4);
  EXPECT_TRUE(f.box.shown.empty());
  // The hour lists are only read.
  EXPECT_EQ(f.check.HistHours[10].size(), 5u);
  EXPECT_EQ(f.check.RepHours[10].size(), 5u);
}

TEST(Compares, EdgeCases) {
  struct Case {
    const char* what;
    const char* playlist;
    const char* aired;
    std::vector<std::string> rows;
  };
  const Case cases[] = {
      {"nothing aired: every line green in list order", "A B C", "", {"A green 0", "B green 1", "C green 2"}},
      {"one line aired twice: in place, then moved", "A B", "A A", {"A white 0", "B green 1", "A yellow 0"}},
      {"a line twice in the list, aired once: the second is marked aired, never green", "A B A", "A",
       {"A white 0", "B green 1"}},
      {"first match wins over the line at the cursor", "A B A", "A A", {"A white 0", "B green 1", "A yellow 0"}},
      // The cursor still stands on an aired line when the aired items run out: only the
      // last pass of the cursor lists the lines after it.
      {"the last song moved, a line that never aired after the cursor", "A B A C", "A A",
       {"A white 0", "B green 1", "A yellow 0", "C green 3"}},
      {"a swap, then the last song moved: the lines after the cursor", "A B A C D", "B A A",
       {"B yellow 1", "A white 0", "A yellow 0", "C green 3", "D green 4"}},
      {"lines passed over are not aired: the song counts as in place", "A B C", "C",
       {"A green 0", "B green 1", "C white 2"}},
      {"a swap", "A B C", "B A C", {"B yellow 1", "A white 0", "C white 2"}},
      {"all in place", "A B C", "A B C", {"A white 0", "B white 1", "C white 2"}},
      {"by hand at the end", "A", "A Z", {"A white 0", "Z red -1"}},
      {"played backwards", "A B C", "C B A", {"C yellow 2", "B yellow 1", "A white 0"}},
  };
  for (const Case& c : cases) {
    TCheckWithFakes f;
    Fill(f.check, 7, c.playlist, c.aired);
    f.check.Compares(7);
    EXPECT_EQ(Rows(f.check), c.rows) << c.what;
    EXPECT_TRUE(f.box.shown.empty()) << c.what;
  }
}

TEST(Compares, SongsDifferByEveryStoredByte) {
  struct Case {
    const char* title;
    const char* artist;
    bool same;
  };
  const Case cases[] = {
      {"Song", "Band", true},   {"song", "Band", false}, {"Song ", "Band", false},
      {" Song", "Band", false}, {"Song", "band", false}, {"Song", "Band ", false},
  };
  for (const Case& c : cases) {
    TCheckWithFakes f;
    f.check.HistHours[3] = {{TShortString("Song"), TShortString("Band"), 0}};
    f.check.RepHours[3] = {{TShortString(c.title), TShortString(c.artist), kTen}};
    f.check.Compares(3);
    const std::vector<std::string> expected =
        c.same ? std::vector<std::string>{"Song white 0"}
               : std::vector<std::string>{"Song green 0", std::string(c.title) + " red -1"};
    EXPECT_EQ(Rows(f.check), expected) << '"' << c.title << "\" / \"" << c.artist << '"';
  }
}

TEST(Compares, TitlesCutTo64BytesMatchWhenTheirFirst64BytesDo) {
  const std::string base(64, 'x');
  TCheckWithFakes f;
  f.check.HistHours[0] = {{TShortString(base + "planned"), TShortString("a"), 0}};
  f.check.RepHours[0] = {{TShortString(base + "aired long after the cut"), TShortString("a"), 0.0}};
  f.check.Compares(0);
  EXPECT_EQ(Rows(f.check), std::vector<std::string>{base + " white 0"});
}

TEST(Compares, AnHourWithoutPlaylistWarnsAndListsItsAiredItemsInRed) {
  TCheckWithFakes f;
  Fill(f.check, 5, "", "P Q");
  f.check.Compares(5);
  ASSERT_EQ(f.box.shown.size(), 1u);
  EXPECT_EQ(f.box.shown[0].text, "Принятый плейлист на этот час отсутствует");
  EXPECT_EQ(f.box.shown[0].kind, TMsgKind::Warning);
  EXPECT_EQ(Rows(f.check), (std::vector<std::string>{"P red -1", "Q red -1"}));

  // Every time the hour is compared, and for an hour with nothing at all, with no rows.
  f.check.Compares(5);
  f.check.Compares(6);
  EXPECT_EQ(f.box.shown.size(), 3u);
  EXPECT_TRUE(f.check.Logs.empty());
}

TEST(Compares, SongPlannedForOneHourAndAiredInTheNext) {
  TCheckWithFakes f;
  Fill(f.check, 8, "A B", "A");
  Fill(f.check, 9, "C", "B C");
  f.check.Compares(8);
  EXPECT_EQ(Rows(f.check), (std::vector<std::string>{"A white 0", "B green 1"}));
  f.check.Compares(9);
  EXPECT_EQ(Rows(f.check), (std::vector<std::string>{"B red -1", "C white 0"}));
}

TEST(Compares, EachCallReplacesTheResultOfTheLast) {
  TCheckWithFakes f;
  Fill(f.check, 1, "A B C D", "D");
  Fill(f.check, 2, "E", "E");
  f.check.Compares(1);
  EXPECT_EQ(f.check.Logs.size(), 4u);
  f.check.Compares(2);
  EXPECT_EQ(Rows(f.check), std::vector<std::string>{"E white 0"});
  EXPECT_EQ(f.check.CList.size(), 1u);
}

TEST(Compares, RefusesAnHourOutsideTheDayBeforeChangingAnything) {
  TCheckWithFakes f;
  Fill(f.check, 0, "A B", "B");
  f.check.Compares(0);
  const auto rows = Rows(f.check);
  for (int hour : {-1, 24, 1000}) {
    EXPECT_THROW(f.check.Compares(hour), std::out_of_range) << hour;
    EXPECT_EQ(Rows(f.check), rows) << hour;
    EXPECT_EQ(f.check.CList.size(), 2u) << hour;
  }
  EXPECT_TRUE(f.box.shown.empty());
}

TEST(CompareHelpers, ILikeMoveItKeepsTheCursorOnItsLine) {
  TCheckWithFakes f;
  for (const char* t : {"A", "B", "C", "D"}) f.check.CList.push_back({TShortString(t), TShortString(), 0, true});
  f.check.Place = 2;  // on C
  f.check.ILikeMoveIt(0);
  EXPECT_EQ(f.check.Place, 1);
  EXPECT_EQ(f.check.CList[std::size_t(f.check.Place)].Title.str(), "C");
  f.check.ILikeMoveIt(2);  // D, after the cursor
  EXPECT_EQ(f.check.Place, 1);
  EXPECT_EQ(f.check.CList.size(), 2u);
  EXPECT_THROW(f.check.ILikeMoveIt(2), std::out_of_range);
  EXPECT_THROW(f.check.ILikeMoveIt(-1), std::out_of_range);
}

TEST(CompareHelpers, GetNextPlaceStaysAtTheEndOfTheList) {
  TCheckWithFakes f;
  f.check.CList.push_back({TShortString("A"), TShortString(), 0, false});
  f.check.Place = -1;
  f.check.GetNextPlace();
  EXPECT_EQ(f.check.Place, 1);
  EXPECT_EQ(f.check.Logs.size(), 1u);
  f.check.GetNextPlace();
  EXPECT_EQ(f.check.Place, 1);
  EXPECT_EQ(f.check.Logs.size(), 1u);
}

}  // namespace
}  // namespace spv::app
