#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "skin/resources/bsSkinData.h"
#include "skin/resources/bsSkinDataStrings.h"

using namespace bs;

namespace {

const char* const kText =
    "[VERSION]\r\nskinname=Tiny\r\n[PICTURES]\r\npicture=\r\n[FORMINFO]\r\nborderwidth=3\r\n"
    "[SKINOBJECTS]\r\ncount=1\r\n0=caption1:caption\r\n[SKINCONTROLS]\r\ncount=1\r\n0=button:button\r\n";

TbsSkinBitmap Solid(int w, int h, int bits, TPixel p) {
  TbsSkinBitmap b;
  b.Image.SetSize(w, h);
  b.BitCount = bits;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.Image.At(x, y) = p;
  return b;
}

// A decompressed stored-skin stream put together field by field.
struct TStreamBuilder {
  TMemoryStream S;
  TStreamBuilder& Int(std::int32_t v) { S.WriteInt32(v); return *this; }
  TStreamBuilder& Flag(std::uint8_t v) { S.WriteByte(v); return *this; }
  TStreamBuilder& Bmp(const TbsSkinBitmap& b) { WriteBitmapFile(S, b); return *this; }
  TStreamBuilder& Text(const std::string& t) { S.WriteBuffer(t.data(), t.size()); return *this; }
};

// Records the skin messages in order, with the state the skin had when each was sent.
class TRecordingSkin : public TbsSkinDataCore {
 public:
  struct TSent { unsigned Msg; bool Empty, Changing; };
  std::vector<TSent> Sent;

 protected:
  void BroadcastSkinMessage(unsigned msg) override { Sent.push_back({msg, IsEmpty, IsChanging}); }
};

TbsCompressedStoredSkinCore Stored(TMemoryStream& plain) {
  TbsCompressedStoredSkinCore stored;
  CompressStream(plain, stored.CompressedData);
  return stored;
}

}  // namespace

TEST(StoredSkin, LayoutsOfTheDecompressedStream) {
  const TbsSkinBitmap red = Solid(3, 2, 24, {0, 0, 255}), mask = Solid(3, 2, 1, {0, 0, 0});
  struct Case {
    const char* Name;
    TStreamBuilder Stream;
    bool Picture, Inactive, Mask;
    std::size_t Active;
  };
  std::vector<Case> cases;
  cases.push_back({"no pictures at all", {}, false, false, false, 0});
  cases.back().Stream.Int(3).Flag(1).Flag(1).Flag(1).Int(0).Text(kText);
  cases.push_back({"frame, mask and two active pictures", {}, true, false, true, 2});
  cases.back().Stream.Int(3).Flag(0).Bmp(red).Flag(1).Flag(0).Bmp(mask).Int(2).Bmp(red).Bmp(mask).Text(kText);
  cases.push_back({"any non-zero flag means empty", {}, false, false, false, 1});
  cases.back().Stream.Int(3).Flag(7).Flag(255).Flag(2).Int(1).Bmp(mask).Text(kText);
  cases.push_back({"version 2 carries two more flagged bitmaps", {}, true, true, false, 1});
  cases.back().Stream.Int(2).Flag(0).Bmp(red).Flag(0).Bmp(red).Flag(1).Flag(0).Bmp(mask).Flag(1).Int(1).Bmp(red).Text(kText);
  cases.push_back({"a negative count is none", {}, false, false, false, 0});
  cases.back().Stream.Int(1).Flag(1).Flag(1).Flag(1).Int(-5).Text(kText);
  for (Case& c : cases) {
    TRecordingSkin skin;
    c.Stream.S.SetPosition(0);
    ASSERT_NO_THROW(skin.LoadFromStoredSkinStream(c.Stream.S)) << c.Name;
    EXPECT_FALSE(skin.IsEmpty) << c.Name;
    EXPECT_EQ(!skin.Picture.Empty(), c.Picture) << c.Name;
    EXPECT_EQ(!skin.InactivePicture.Empty(), c.Inactive) << c.Name;
    EXPECT_EQ(!skin.MaskPicture.Empty(), c.Mask) << c.Name;
    EXPECT_EQ(skin.ActivePictures.size(), c.Active) << c.Name;
    EXPECT_EQ(skin.SkinName, "Tiny") << c.Name << ": the text starts right after the pictures";
    EXPECT_EQ(skin.FormInfo.BorderWidth, 3) << c.Name;
    EXPECT_EQ(skin.SkinControls.size(), 1u) << c.Name;
  }
}

TEST(StoredSkin, ALoadIsAnnouncedAroundTheChange) {
  TStreamBuilder b;
  b.Int(3).Flag(1).Flag(1).Flag(1).Int(0).Text(kText);
  auto stored = Stored(b.S);
  TRecordingSkin skin;
  skin.LoadFromStoredSkin(stored);
  ASSERT_EQ(skin.Sent.size(), 3u);
  EXPECT_EQ(skin.Sent[0].Msg, WM_SKIN_BEFORE_CHANGE);
  EXPECT_TRUE(skin.Sent[0].Empty && skin.Sent[0].Changing);
  EXPECT_EQ(skin.Sent[1].Msg, WM_SKIN_CHANGED);
  EXPECT_TRUE(!skin.Sent[1].Empty && skin.Sent[1].Changing);
  EXPECT_EQ(skin.Sent[2].Msg, WM_SKIN_AFTER_CHANGE);
  EXPECT_TRUE(!skin.Sent[2].Empty && !skin.Sent[2].Changing);
  EXPECT_EQ(WM_SKIN_BEFORE_CHANGE, 1225u);
  EXPECT_EQ(WM_SKIN_AFTER_CHANGE, 1227u);
  EXPECT_EQ(WM_SKIN_STRINGS_CHANGED, 1274u);

  // A stored skin without data changes nothing and says nothing.
  TbsCompressedStoredSkinCore none;
  EXPECT_TRUE(none.IsEmpty());
  skin.Sent.clear();
  skin.LoadFromStoredSkin(none);
  EXPECT_TRUE(skin.Sent.empty());
  EXPECT_FALSE(skin.IsEmpty);
}

TEST(StoredSkin, RejectedAndBrokenStreamsLeaveTheSkinClearedAndEmpty) {
  const TbsSkinBitmap red = Solid(3, 2, 24, {0, 0, 255});
  struct Case { const char* Name; TStreamBuilder Stream; bool Throws; };
  std::vector<Case> cases;
  cases.push_back({"a later version", {}, false});
  cases.back().Stream.Int(4).Flag(0).Bmp(red).Flag(1).Flag(1).Int(0).Text(kText);
  cases.push_back({"a bitmap that is not BM", {}, true});
  cases.back().Stream.Int(3).Flag(0).Text("XM").Text(std::string(60, '\0'));
  cases.push_back({"a stream that ends inside a bitmap", {}, true});
  cases.back().Stream.Int(3).Flag(0).Bmp(red);
  cases.back().Stream.S.Bytes().resize(30);
  cases.push_back({"more active pictures than the stream holds", {}, true});
  cases.back().Stream.Int(3).Flag(1).Flag(1).Flag(1).Int(2000000000).Bmp(red);
  cases.push_back({"a rect without its fields", {}, true});
  cases.back().Stream.Int(3).Flag(1).Flag(1).Flag(1).Int(0).Text("[FORMINFO]\r\nclientrect=1,2\r\n");
  cases.push_back({"no version", {}, true});
  cases.back().Stream.Text("ab");
  for (Case& c : cases) {
    TRecordingSkin skin;
    TStreamBuilder good;
    good.Int(3).Flag(0).Bmp(red).Flag(1).Flag(1).Int(1).Bmp(red).Text(kText);
    good.S.SetPosition(0);
    skin.LoadFromStoredSkinStream(good.S);
    ASSERT_FALSE(skin.IsEmpty);
    skin.Sent.clear();
    c.Stream.S.SetPosition(0);
    if (c.Throws) EXPECT_ANY_THROW(skin.LoadFromStoredSkinStream(c.Stream.S)) << c.Name;
    else EXPECT_NO_THROW(skin.LoadFromStoredSkinStream(c.Stream.S)) << c.Name;
    EXPECT_TRUE(skin.IsEmpty) << c.Name;
    EXPECT_FALSE(skin.IsChanging) << c.Name << ": frames must paint their own look again";
    EXPECT_TRUE(skin.Picture.Empty()) << c.Name;
    EXPECT_TRUE(skin.ActivePictures.empty()) << c.Name;
    EXPECT_TRUE(skin.SkinControls.empty()) << c.Name;
    ASSERT_EQ(skin.Sent.size(), 1u) << c.Name << ": only the announcement before the change";
    EXPECT_EQ(skin.Sent[0].Msg, WM_SKIN_BEFORE_CHANGE);
  }
}

TEST(StoredSkin, ClearSkinAndPictureIndexes) {
  TStreamBuilder b;
  const TbsSkinBitmap red = Solid(3, 2, 24, {0, 0, 255});
  b.Int(3).Flag(0).Bmp(red).Flag(1).Flag(1).Int(2).Bmp(red).Bmp(red)
      .Text("[PICTURES]\r\npicture=f.bmp\r\ninactivepicture=i.bmp\r\nmask=m.bmp\r\n"
            "[POPUPWINDOW]\r\nwindowpictureindex=0\r\n[SKINCOLORS]\r\ncbtnface=255\r\n");
  b.S.SetPosition(0);
  TbsSkinDataCore skin;
  skin.LoadFromStoredSkinStream(b.S);
  EXPECT_NE(skin.ActivePicture(1), nullptr);
  for (int bad : {-1, 2, 8, INT32_MIN}) EXPECT_EQ(skin.ActivePicture(bad), nullptr) << bad;
  EXPECT_EQ(skin.SkinColors.cBtnFace, 255);
  EXPECT_EQ(skin.PopupWindow.WindowPictureIndex, 0);
  skin.ClearSkin();
  EXPECT_TRUE(skin.IsEmpty);
  EXPECT_TRUE(skin.Picture.Empty());
  EXPECT_TRUE(skin.ActivePictures.empty());
  EXPECT_TRUE(skin.ActivePictureNames.empty());
  EXPECT_EQ(skin.PopupWindow.WindowPictureIndex, -1);
  EXPECT_EQ(skin.SkinColors.cBtnFace, SystemColor(15));
  EXPECT_TRUE(skin.PictureName.empty() && skin.MaskPictureName.empty());
  EXPECT_EQ(skin.InactivePictureName, "i.bmp") << "kept until the next load overwrites it";
}

class PackingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Dir = std::filesystem::temp_directory_path() /
          ("skindata-pack-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::remove_all(Dir);
    std::filesystem::create_directories(Dir);
    SaveBitmapToFile(Path("f.bmp"), Solid(5, 4, 24, {10, 20, 30}));
    SaveBitmapToFile(Path("m.bmp"), Solid(5, 4, 1, {0, 0, 0}));
    SaveBitmapToFile(Path("a.bmp"), Solid(2, 2, 24, {1, 2, 3}));
  }
  void TearDown() override { std::filesystem::remove_all(Dir); }
  std::string Path(const char* name) const { return (Dir / name).string(); }
  void WriteIni(const std::string& text) const {
    WriteFileBytes(Path("skin.ini"), std::vector<std::uint8_t>(text.begin(), text.end()));
  }
  std::filesystem::path Dir;
};

TEST_F(PackingTest, AFolderPacksIntoTheLayoutAndLoadsBack) {
  const std::string text =
      "[VERSION]\nskinname=P\n[PICTURES]\npicture=f.bmp\ninactivepicture=\nmask=m.bmp\n"
      "activepicturescount=2\n0=a.bmp\n1=a.bmp\n[FORMINFO]\n[SKINOBJECTS]\n[SKINCONTROLS]\ncount=1\n0=button:button\n";
  WriteIni(text);
  TbsCompressedStoredSkinCore stored;
  stored.LoadFromSkinFile(Path("skin.ini"));
  ASSERT_FALSE(stored.IsEmpty());
  EXPECT_EQ(stored.FileName, "skin.ini");
  EXPECT_EQ(stored.CompressedData.Bytes()[0], 0x78);
  EXPECT_EQ(stored.CompressedData.Bytes()[1], 0xDA);

  TMemoryStream plain;
  stored.DecompressTo(plain);
  const auto& bytes = plain.Bytes();
  const std::size_t frame = BitmapFileSize(Solid(5, 4, 24, {}));
  ASSERT_GT(bytes.size(), 5 + frame + 1);
  EXPECT_EQ(bytes[0], 3);
  EXPECT_EQ(bytes[4], 0) << "the frame picture follows";
  EXPECT_EQ(bytes[5 + frame], 1) << "an empty inactive picture is the flag 1 and no bitmap";
  // The description follows the pictures line by line, each ended by CR LF.
  const std::string tail(bytes.end() - std::ptrdiff_t(std::string("0=button:button\r\n").size()), bytes.end());
  EXPECT_EQ(tail, "0=button:button\r\n");

  TbsSkinDataCore skin;
  skin.LoadFromStoredSkin(stored);
  EXPECT_EQ(skin.Picture.Width(), 5);
  EXPECT_EQ(skin.MaskPicture.BitCount, 1);
  EXPECT_EQ(skin.ActivePictures.size(), 2u);
  EXPECT_EQ(skin.ActivePictures[1].Image.At(1, 1), (TPixel{1, 2, 3}));

  stored.SaveToCompressedFile(Path("skin.pack"));
  TbsCompressedStoredSkinCore again;
  again.LoadFromCompressedFile(Path("skin.pack"));
  EXPECT_EQ(again.CompressedData.Bytes(), stored.CompressedData.Bytes());
  EXPECT_EQ(again.CompressedFileName, "skin.pack");
}

TEST_F(PackingTest, FailedPackingKeepsTheDataItHad) {
  WriteIni("[VERSION]\n[PICTURES]\n[FORMINFO]\n[SKINOBJECTS]\n[SKINCONTROLS]\n");
  TbsCompressedStoredSkinCore stored;
  stored.LoadFromSkinFile(Path("skin.ini"));
  const auto before = stored.CompressedData.Bytes();
  ASSERT_FALSE(before.empty());

  WriteIni("[VERSION]\n[PICTURES]\n[FORMINFO]\n[SKINOBJECTS]\n");  // no [SKINCONTROLS]
  stored.LoadFromSkinFile(Path("skin.ini"));
  EXPECT_EQ(stored.CompressedData.Bytes(), before);

  WriteIni("[VERSION]\n[PICTURES]\npicture=missing.bmp\n[FORMINFO]\n[SKINOBJECTS]\n[SKINCONTROLS]\n");
  EXPECT_THROW(stored.LoadFromSkinFile(Path("skin.ini")), EStreamError);
  EXPECT_EQ(stored.CompressedData.Bytes(), before) << "a failed packing loses nothing";
}

TEST_F(PackingTest, CompressedFilesOfALaterVersionGiveNoData) {
  auto write = [&](std::int32_t version, std::int32_t count, std::size_t bytes) {
    TMemoryStream f;
    f.WriteInt32(version);
    f.WriteInt32(count);
    f.WriteBuffer(std::string(bytes, 'z').data(), bytes);
    WriteFileBytes(Path("c.pack"), f.Bytes());
  };
  TbsCompressedStoredSkinCore stored;
  write(4, 3, 3);
  stored.LoadFromCompressedFile(Path("c.pack"));
  EXPECT_TRUE(stored.IsEmpty());
  write(3, 3, 3);
  stored.LoadFromCompressedFile(Path("c.pack"));
  EXPECT_EQ(stored.CompressedData.Bytes().size(), 3u);
  write(3, 10, 3);
  EXPECT_THROW(stored.LoadFromCompressedFile(Path("c.pack")), EStreamError) << "a count beyond the file";
  EXPECT_TRUE(stored.IsEmpty());
  write(3, -1, 0);
  EXPECT_THROW(stored.LoadFromCompressedFile(Path("c.pack")), EStreamError);
}

TEST(ResourceStrings, TheBuiltInTableAndItsLookup) {
  const TbsResourceStrDataCore strings;
  EXPECT_EQ(strings.ResStrings.size(), 118u);
  EXPECT_EQ(strings.CharSet, 1);
  struct Case { const char* Name; const char* Text; };
  const Case cases[] = {
      {"MI_MINCAPTION", "Mi&nimize"}, {"MI_MAXCAPTION", "Ma&ximize"}, {"MI_CLOSECAPTION", "&Close"},
      {"MI_RESTORECAPTION", "&Restore"}, {"MI_MINTOTRAYCAPTION", "Minimize to &Tray"}, {"MI_ROLLUPCAPTION", "Ro&llUp"},
      {"MINBUTTON_HINT", "Minimize"}, {"MAXBUTTON_HINT", "Maximize"}, {"CLOSEBUTTON_HINT", "Close"},
      {"TRAYBUTTON_HINT", "Minimize to Tray"}, {"ROLLUPBUTTON_HINT", "Roll Up"}, {"MENUBUTTON_HINT", "System menu"},
      {"EDIT_UNDO", "Undo"}, {"EDIT_COPY", "Copy"}, {"EDIT_CUT", "Cut"}, {"EDIT_PASTE", "Paste"},
      {"EDIT_DELETE", "Delete"}, {"EDIT_SELECTALL", "Select All"}, {"MSG_BTN_YES", "&Yes"}, {"MSG_BTN_NO", "&No"},
      {"MSG_BTN_OK", "OK"}, {"MSG_BTN_CANCEL", "Cancel"}, {"MSG_BTN_ABORT", "&Abort"}, {"MSG_BTN_RETRY", "&Retry"},
      {"MSG_BTN_IGNORE", "&Ignore"}, {"MSG_BTN_ALL", "&All"}, {"MSG_BTN_NOTOALL", "N&oToAll"},
      {"MSG_BTN_YESTOALL", "&YesToAll"}, {"MSG_BTN_HELP", "&Help"}, {"MSG_BTN_NEWFOLDER_HINT", "Create New Folder"},
      {"MSG_NEWFOLDER", "New Folder"}, {"MSG_CAP_WARNING", "Warning"}, {"MSG_CAP_ERROR", "Error"},
      {"MSG_CAP_INFORMATION", "Information"}, {"MSG_CAP_CONFIRM", "Confirm"},
      {"MSG_CAP_SHOWFLAG", "Do not display this message again"},
  };
  for (const Case& c : cases) EXPECT_EQ(strings.GetResStr(c.Name), c.Text) << c.Name;
  EXPECT_EQ(strings.GetResStr("msg_btn_ok"), "OK") << "names match without case";
  EXPECT_EQ(strings.GetResStr("MSG_BTN"), "");
  EXPECT_EQ(strings.GetResStr(""), "");
  // Every line is NAME=text with a name of its own.
  std::set<std::string> names;
  for (const std::string& line : strings.ResStrings) {
    const auto eq = line.find('=');
    ASSERT_NE(eq, std::string::npos) << line;
    EXPECT_TRUE(names.insert(line.substr(0, eq)).second) << line;
  }
  TbsResourceStrDataCore edited;
  edited.ResStrings = {"A=first", "a=second", "B==x"};
  EXPECT_EQ(edited.GetResStr("A"), "first");
  EXPECT_EQ(edited.GetResStr("b"), "=x");
}
