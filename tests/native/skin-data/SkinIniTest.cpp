#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "skin/resources/bsSkinDataIni.h"

using namespace bs;

TEST(SkinIni, LinesAreTrimmedSplitAndMatchedWithoutCase) {
  const TbsMemIniFile ini(
      "lost=before any section\r\n"
      "[Alpha]\n"
      "   key one  =  value with blanks  \t\r"
      ";key two=comment\n"
      "  ;key three=indented comment\n"
      "no equals sign here\n"
      "empty=\n"
      "a=b=c\n"
      "\x01\x02 ctrl = x \x1f\n"
      "[  Beta  ]\n"
      "K=1\n");
  struct Case { const char* Section; const char* Key; std::optional<std::string> Value; };
  const Case cases[] = {
      {"alpha", "key one", "value with blanks"},
      {"ALPHA", "KEY ONE", "value with blanks"},
      {"Alpha", "key two", std::nullopt},
      {"Alpha", ";key two", std::nullopt},
      {"Alpha", "key three", std::nullopt},
      {"Alpha", "no equals sign here", std::nullopt},
      {"Alpha", "empty", ""},
      {"Alpha", "a", "b=c"},
      {"Alpha", "ctrl", "x"},
      {"Alpha", "lost", std::nullopt},
      {"beta", "k", "1"},
  };
  for (const Case& c : cases) EXPECT_EQ(ini.Value(c.Section, c.Key), c.Value) << c.Section << "/" << c.Key;
  EXPECT_FALSE(ini.SectionExists("Gamma"));
}

TEST(SkinIni, TheLaterSectionAndTheLaterKeyWin) {
  const TbsMemIniFile ini(
      "[FORMINFO]\nborderwidth=1\nonlyfirst=1\n"
      "[other]\nx=1\n"
      "[forminfo]\nborderwidth=2\nborderwidth=3\n");
  EXPECT_EQ(ini.ReadInteger("FORMINFO", "borderwidth", 0), 3);
  EXPECT_FALSE(ini.Value("FORMINFO", "onlyfirst")) << "the earlier section is never read";
  EXPECT_EQ(ini.ReadInteger("other", "x", 0), 1);
}

TEST(SkinIni, LineEndsAndTheEndOfTheText) {
  const std::string text = std::string("[s]\r\na=1\rb=2\nc=3\r\n\r\nd=4") + '\0' + "e=5\n";
  const TbsMemIniFile ini(text);
  EXPECT_EQ(ini.ReadString("s", "a", ""), "1");
  EXPECT_EQ(ini.ReadString("s", "b", ""), "2");
  EXPECT_EQ(ini.ReadString("s", "c", ""), "3");
  EXPECT_EQ(ini.ReadString("s", "d", ""), "4");
  EXPECT_FALSE(ini.Value("s", "e")) << "a NUL ends the text";
  EXPECT_EQ(SplitSkinLines("a\r\nb\rc\n\nd").size(), 5u);
}

TEST(SkinIni, IntegerSyntax) {
  struct Case { const char* Text; std::optional<int> Value; };
  const Case cases[] = {
      {"0", 0}, {"42", 42}, {"-7", -7}, {"+5", 5}, {"0x1F", 31}, {"0X1f", 31}, {"$FF", 255},
      {"0xFF00000F", int(0xFF00000F)}, {"-$10", -16}, {"2147483647", 2147483647}, {"-2147483648", INT32_MIN},
      {"2147483648", std::nullopt}, {"0x100000000", std::nullopt}, {"", std::nullopt}, {"12a", std::nullopt},
      {"1 2", std::nullopt}, {"0x", std::nullopt}, {"$", std::nullopt}, {"-", std::nullopt}, {"1.5", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseSkinInteger(c.Text), c.Value) << c.Text;
  const TbsMemIniFile ini("[s]\nbad=abc\n");
  EXPECT_EQ(ini.ReadInteger("s", "bad", 9), 9);
  EXPECT_EQ(ini.ReadInteger("s", "absent", -1), -1);
}

TEST(SkinIni, RectsAndPointsKeepOnlyTheirDigits) {
  struct Case { const char* Text; TRect Value; };
  const Case cases[] = {
      {"1,2,3,4", {1, 2, 3, 4}},
      {"0, 0,10,-5", {0, 0, 10, 5}},
      {" 4 , 24 , 175 , 128 ", {4, 24, 175, 128}},
      {"a1b,2x,3;,4px", {1, 2, 3, 4}},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseRectText(c.Text), c.Value) << c.Text;
  EXPECT_EQ(ParsePointText("52, -28"), (TPoint{52, 28}));
  for (const char* bad : {"", "1,2,3", "1,,3,4", "1,2,3,4,5", "1,2,3,4,", "99999999999,0,0,0", "x,y,z,w"})
    EXPECT_THROW(ParseRectText(bad), ESkinValueError) << bad;
  for (const char* bad : {"", "1", "1,2,3", ","}) EXPECT_THROW(ParsePointText(bad), ESkinValueError) << bad;

  const TbsMemIniFile ini("[s]\nr=1,2,3,4\np=5,6\nempty=\n");
  EXPECT_EQ(ReadRectKey(ini, "s", "absent"), TRect{});
  EXPECT_EQ(ReadPointKey(ini, "s", "absent"), TPoint{});
  EXPECT_EQ(ReadRectKey(ini, "s", "r"), (TRect{1, 2, 3, 4}));
  EXPECT_THROW(ReadRectKey(ini, "s", "empty"), ESkinValueError) << "an empty value has no digits";
}

TEST(SkinIni, WordsAndFlags) {
  const TbsMemIniFile ini(
      "[s]\none=1\ntwo=2\nminus=-1\nword=yes\n"
      "bi=fsbold,fsitalic\nupper=FSBOLD\nall=fsstrikeout fsunderline+fsitalic;fsbold\n"
      "c=tacenter\nl=taleftjustify\nr=tarightjustify\nx=middle\n"
      "e1=iedarkness\ne5=ieinvert\nebad=blur\n"
      "m6=mkpush\nmbad=mkPush\n"
      "k1=cmclose\nk3=cmsysmenu\nkwrong=cmRollUp\nktray=cmminimizetotray\n");
  EXPECT_TRUE(ReadFlagKey(ini, "s", "one"));
  for (const char* k : {"two", "minus", "word", "absent"}) EXPECT_FALSE(ReadFlagKey(ini, "s", k)) << k;

  EXPECT_EQ(ReadFontStyleKey(ini, "s", "bi"), (TFontStyles{true, true, false, false}));
  EXPECT_EQ(ReadFontStyleKey(ini, "s", "upper"), TFontStyles{}) << "the words are case-sensitive";
  EXPECT_EQ(ReadFontStyleKey(ini, "s", "all"), (TFontStyles{true, true, true, true}));
  EXPECT_EQ(ReadFontStyleKey(ini, "s", "absent"), TFontStyles{});

  struct AlignCase { const char* Key; TAlignment Value; };
  for (const AlignCase& c : {AlignCase{"c", TAlignment::taCenter}, AlignCase{"l", TAlignment::taLeftJustify},
                             AlignCase{"r", TAlignment::taRightJustify}, AlignCase{"x", TAlignment::taRightJustify},
                             AlignCase{"absent", TAlignment::taCenter}})
    EXPECT_EQ(ReadAlignmentKey(ini, "s", c.Key), c.Value) << c.Key;

  EXPECT_EQ(ReadEffectKey(ini, "s", "absent"), TbsInactiveEffect::Brightness);
  EXPECT_EQ(ReadEffectKey(ini, "s", "e1"), TbsInactiveEffect::Darkness);
  EXPECT_EQ(ReadEffectKey(ini, "s", "e5"), TbsInactiveEffect::Invert);
  EXPECT_EQ(ReadEffectKey(ini, "s", "ebad"), TbsInactiveEffect::Grayscale);
  EXPECT_EQ(ReadMorphKindKey(ini, "s", "m6"), TbsMorphKind::mkPush);
  EXPECT_EQ(ReadMorphKindKey(ini, "s", "mbad"), TbsMorphKind::mkDefault);
  EXPECT_EQ(ReadCommandKey(ini, "s", "absent"), TbsStdCommand::cmDefault);
  EXPECT_EQ(ReadCommandKey(ini, "s", "k1"), TbsStdCommand::cmClose);
  EXPECT_EQ(ReadCommandKey(ini, "s", "k3"), TbsStdCommand::cmSysMenu);
  EXPECT_EQ(ReadCommandKey(ini, "s", "kwrong"), TbsStdCommand::cmMinimizeToTray);
  EXPECT_EQ(ReadCommandKey(ini, "s", "ktray"), TbsStdCommand::cmMinimizeToTray);
}

TEST(SkinIni, NameListsStopAtTheirCount) {
  const TbsMemIniFile ini("[p]\nactivepicturescount=3\n0=a.bmp\n2=c.bmp\n3=d.bmp\n[q]\nactivepicturescount=2000000000\n0=x\n");
  EXPECT_EQ(ReadNameListKey(ini, "p", "activepictures"), (std::vector<std::string>{"a.bmp", "", "c.bmp"}));
  EXPECT_TRUE(ReadNameListKey(ini, "absent", "activepictures").empty());
  // A count far beyond the keys written names nothing more and does not run on.
  const auto huge = ReadNameListKey(ini, "q", "activepictures");
  ASSERT_FALSE(huge.empty());
  EXPECT_EQ(huge[0], "x");
  EXPECT_LE(huge.size(), std::size_t(1) << 16);
}

TEST(SkinIni, WritersProduceTheSyntaxTheReadersRead) {
  TbsMemIniFile ini;
  WriteRectKey(ini, "s", "r", {-1, 2, 30, 400});
  WritePointKey(ini, "s", "p", {7, 8});
  WriteFlagKey(ini, "s", "f", true);
  WriteFontStyleKey(ini, "s", "fs", {true, false, true, true});
  WriteAlignmentKey(ini, "s", "a", TAlignment::taRightJustify);
  WriteMorphKindKey(ini, "s", "m", TbsMorphKind::mkLeftSlide);
  WriteEffectKey(ini, "s", "e", TbsInactiveEffect::SplitBlur);
  WriteCommandKey(ini, "s", "c", TbsStdCommand::cmMinimizeToTray);
  WriteNameListKey(ini, "s", "n", {"x", "y"});
  EXPECT_EQ(ini.ReadString("s", "r", ""), "-1,2,30,400");
  EXPECT_EQ(ini.ReadString("s", "fs", ""), "fsbold,fsunderline,fsstrikeout");
  EXPECT_EQ(ini.ReadString("s", "a", ""), "tarightjustify");
  EXPECT_EQ(ini.ReadString("s", "c", ""), "cmminimizetotray");
  const TbsMemIniFile back(ini.Text());
  EXPECT_EQ(ReadPointKey(back, "s", "p"), (TPoint{7, 8}));
  EXPECT_TRUE(ReadFlagKey(back, "s", "f"));
  EXPECT_EQ(ReadFontStyleKey(back, "s", "fs"), (TFontStyles{true, false, true, true}));
  EXPECT_EQ(ReadAlignmentKey(back, "s", "a"), TAlignment::taRightJustify);
  EXPECT_EQ(ReadMorphKindKey(back, "s", "m"), TbsMorphKind::mkLeftSlide);
  EXPECT_EQ(ReadEffectKey(back, "s", "e"), TbsInactiveEffect::SplitBlur);
  EXPECT_EQ(ReadNameListKey(back, "s", "n"), (std::vector<std::string>{"x", "y"}));
  ini.EraseSection("S");
  EXPECT_FALSE(ini.SectionExists("s"));
}
