#include "skin/dialogs/bsSkinShellRules.h"

#include <gtest/gtest.h>

namespace bs {
namespace {

TEST(ChooserClientExtent, RememberedSizeOr280RaisedToTheFramesMinimum) {
  struct TCase {
    int Remembered, Minimum, Expected;
  };
  for (const TCase& c : {TCase{0, 0, 280}, TCase{-5, 0, 280}, TCase{400, 0, 400}, TCase{150, 0, 150},
                         TCase{0, 320, 320}, TCase{150, 200, 200}, TCase{500, 200, 500}}) {
    EXPECT_EQ(ChooserClientExtent(c.Remembered, c.Minimum), c.Expected) << c.Remembered << " / " << c.Minimum;
  }
}

TEST(SpecialFolderOfRoot, NamesOfTheSetAndPaths) {
  EXPECT_EQ(SpecialFolderOfRoot(L"rfDesktop"), 0);
  EXPECT_EQ(SpecialFolderOfRoot(L"RFMYCOMPUTER"), 0x11);
  EXPECT_EQ(SpecialFolderOfRoot(L"rfNetwork"), 0x12);
  EXPECT_EQ(SpecialFolderOfRoot(L"rfRecycleBin"), 0x0A);
  EXPECT_EQ(SpecialFolderOfRoot(L"rfAppData"), 0x1A);
  EXPECT_EQ(SpecialFolderOfRoot(L"C:\\Quorvane"), std::nullopt);
  EXPECT_EQ(SpecialFolderOfRoot(L""), std::nullopt);
  EXPECT_EQ(SpecialFolderOfRoot(L"rfDesktopX"), std::nullopt);
}

TEST(CompleteRootPath, ADriveGetsItsBackslash) {
  EXPECT_EQ(CompleteRootPath(L"C:"), L"C:\\");
  EXPECT_EQ(CompleteRootPath(L"C:\\"), L"C:\\");
  EXPECT_EQ(CompleteRootPath(L"D:\\Base"), L"D:\\Base");
  EXPECT_EQ(CompleteRootPath(L""), L"");
}

TEST(CleanShellName, OnlyANumberedUnreadableNameLosesItsQuestionMarks) {
  EXPECT_EQ(CleanShellName(L"?1?2 Docs?"), L"12 Docs");
  EXPECT_EQ(CleanShellName(L"?"), L"?");
  EXPECT_EQ(CleanShellName(L"?a?b"), L"?a?b");
  EXPECT_EQ(CleanShellName(L"Why?"), L"Why?");
  EXPECT_EQ(CleanShellName(L"Плейлисты"), L"Плейлисты");
}

TEST(IsFolderItem, AZipFileIsOpenedButADirectoryNamedZipIsAFolder) {
  struct TCase {
    bool ShellFolder, FileSystem;
    const wchar_t* Path;
    bool Directory, Expected;
  };
  for (const TCase& c : {TCase{true, true, L"C:\\a\\songs.zip", false, false},
                         TCase{true, true, L"C:\\a\\SONGS.ZIP", false, false},
                         TCase{true, true, L"C:\\a\\music.zip", true, true},
                         TCase{true, true, L"C:\\a\\music", true, true},
                         TCase{true, false, L"", false, true},
                         TCase{true, true, L"C:\\a\\zip", false, true},
                         TCase{false, true, L"C:\\a\\notes.txt", false, false}}) {
    EXPECT_EQ(IsFolderItem(c.ShellFolder, c.FileSystem, c.Path, c.Directory), c.Expected) << c.Path;
  }
}

TEST(TreeScrollBarsShown, EachBarOnlyWhenThereIsSomethingToScroll) {
  struct TCase {
    TbsTreeScrollState State;
    bool Vertical, Horizontal;
  };
  auto state = [](int vmax, int visible, int count, int hmax, int width, bool shown = true) {
    TbsTreeScrollState s;
    s.VertMax = vmax;
    s.VisibleCount = visible;
    s.ItemCount = count;
    s.HorzMax = hmax;
    s.TreeWidth = width;
    s.TreeVisible = shown;
    return s;
  };
  for (const TCase& c : {TCase{state(0, 13, 5, 100, 260), false, false},
                         TCase{state(12, 13, 13, 100, 260), false, false},
                         TCase{state(40, 13, 41, 100, 260), true, false},
                         TCase{state(40, 13, 41, 300, 260), true, true},
                         TCase{state(5, 13, 6, 300, 260), false, true},
                         TCase{state(40, 13, 30, 100, 260), false, false},
                         TCase{state(40, 13, 41, 300, 260, false), false, false}}) {
    const TbsTreeScrollBars b = TreeScrollBarsShown(c.State);
    EXPECT_EQ(b.Vertical, c.Vertical) << c.State.VertMax << " " << c.State.VisibleCount << " " << c.State.ItemCount;
    EXPECT_EQ(b.Horizontal, c.Horizontal) << c.State.HorzMax << " " << c.State.TreeWidth;
    EXPECT_EQ(b.HorizontalBoth, b.Vertical);
  }
}

TEST(NewFolderPath, UnderASelectedFolderOnADriveOnly) {
  EXPECT_EQ(NewFolderPath(L"C:\\Base", L"New Folder"), L"C:\\Base\\New Folder");
  EXPECT_EQ(NewFolderPath(L"C:\\", L"New Folder"), L"C:\\New Folder");
  EXPECT_EQ(NewFolderPath(L"", L"New Folder"), L"");
  EXPECT_EQ(NewFolderPath(L"My Computer", L"New Folder"), L"");
  EXPECT_EQ(NewFolderPath(L"\\\\server\\share", L"New Folder"), L"");
}

}  // namespace
}  // namespace bs
