#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tools/skingen/ProgramSkin.h"

using namespace bs;

namespace {

const std::string kFolder = std::string(SPV_SOURCE_DIR) + "/resources/skin/";

std::vector<std::uint8_t> BmpBytes(const TbsSkinBitmap& b) {
  TMemoryStream s;
  WriteBitmapFile(s, b);
  return s.Bytes();
}

const TbsSkinBitmap& File(const skingen::TProgramSkin& skin, const std::string& name) {
  for (const auto& f : skin.Files)
    if (f.Name == name) return f.Bitmap;
  throw std::runtime_error("no file " + name);
}

bool SameArea(const TImage& img, const TRect& a, const TRect& b) {
  for (int y = 0; y < a.Height(); ++y)
    if (std::memcmp(&img.At(a.Left, a.Top + y), &img.At(b.Left, b.Top + y), std::size_t(a.Width()) * 3) != 0)
      return false;
  return true;
}

}  // namespace

TEST(SkinGenerator, TheCommittedFolderIsWhatTheGeneratorDraws) {
  skingen::TProgramSkin skin;
  skingen::BuildProgramSkin(skin);
  ASSERT_EQ(skin.Files.size(), 10u);
  for (const auto& f : skin.Files)
    EXPECT_EQ(ReadFileBytes(kFolder + f.Name), BmpBytes(f.Bitmap)) << f.Name << ": run the regenerate-skin target";
  TbsMemIniFile ini;
  skin.Description.SaveToIni(ini);
  const std::string text = ini.Text();
  EXPECT_EQ(ReadFileBytes(kFolder + "skin.ini"), std::vector<std::uint8_t>(text.begin(), text.end()));

  skingen::TProgramSkin again;
  skingen::BuildProgramSkin(again);
  for (std::size_t i = 0; i < skin.Files.size(); ++i)
    EXPECT_EQ(BmpBytes(skin.Files[i].Bitmap), BmpBytes(again.Files[i].Bitmap)) << "the generator is deterministic";
}

TEST(SkinGenerator, StatesOfAControlArePlainlyDifferent) {
  skingen::TProgramSkin skin;
  skingen::BuildProgramSkin(skin);
  const TImage& controls = File(skin, "controls.bmp").Image;
  const auto& d = skin.Description;
  auto control = [&](const char* name) -> const TbsDataSkinControl& { return *d.SkinControls[std::size_t(d.FindSkinControl(name))]; };
  const auto& button = dynamic_cast<const TbsDataSkinButtonControl&>(control("button"));
  const TRect states[] = {button.SkinRect, button.ActiveSkinRect, button.DownSkinRect, button.DisabledSkinRect};
  for (int i = 0; i < 4; ++i)
    for (int j = i + 1; j < 4; ++j) EXPECT_FALSE(SameArea(controls, states[i], states[j])) << i << " and " << j;
  const auto& edit = dynamic_cast<const TbsDataSkinEditControl&>(control("edit"));
  EXPECT_FALSE(SameArea(controls, edit.SkinRect, edit.ActiveSkinRect)) << "a focused edit looks focused";
  const auto& tab = dynamic_cast<const TbsDataSkinTabControl&>(control("tab"));
  const TRect tabs[] = {tab.TabRect, tab.ActiveTabRect, tab.FocusTabRect, tab.MouseInTabRect};
  for (int i = 0; i < 4; ++i)
    for (int j = i + 1; j < 4; ++j) EXPECT_FALSE(SameArea(controls, tabs[i], tabs[j])) << "tab " << i << " and " << j;
}

TEST(SkinGenerator, MasksGiveTheShapesCleanCorners) {
  skingen::TProgramSkin skin;
  skingen::BuildProgramSkin(skin);
  const TPixel black{0, 0, 0}, white{255, 255, 255};
  for (const char* name : {"framemask.bmp", "pwmask.bmp", "hintmask.bmp", "buttonmask.bmp"}) {
    const TbsSkinBitmap& m = File(skin, name);
    EXPECT_EQ(m.BitCount, 1) << name;
    const int w = m.Width(), h = m.Height();
    for (auto [x, y] : {std::pair{0, 0}, std::pair{w - 1, 0}, std::pair{0, h - 1}, std::pair{w - 1, h - 1}})
      EXPECT_EQ(m.Image.At(x, y), white) << name << " corner " << x << "," << y;
    EXPECT_EQ(m.Image.At(w / 2, h / 2), black) << name;
    EXPECT_EQ(m.Image.At(w / 2, 0), black) << name << ": edges stay inside";
    EXPECT_EQ(m.Image.At(0, h / 2), black) << name;
  }
}
