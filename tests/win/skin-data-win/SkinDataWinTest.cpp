#include "skin/resources/bsSkinDataWin.h"

#include "platform/FormReader.h"
#include "skin/resources/bszlibcompress.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace bs {
namespace {

using spv::platform::TFormReader;

struct Heard {
  std::string form;
  unsigned msg;
  TbsSkinData* data;
  bool changing, empty;
  friend bool operator==(const Heard&, const Heard&) = default;
};
std::vector<Heard> Log;

// A form that writes down the skin messages it receives, with the holder's state then.
class TSkinForm : public spv::platform::TForm {
 public:
  TSkinForm() : TForm(nullptr) {}
  std::string_view ClassName() const override { return "TSkinForm"; }

 protected:
  void WndProc(spv::platform::TMessage& m) override {
    if (m.Msg == WM_SKIN_BEFORE_CHANGE || m.Msg == WM_SKIN_CHANGED || m.Msg == WM_SKIN_AFTER_CHANGE ||
        m.Msg == WM_SKIN_STRINGS_CHANGED) {
      TbsSkinData* data = TbsSkinData::FromMessage(m.WParam, m.LParam);
      Log.push_back({Name(), m.Msg, data, data && data->IsChanging, data && data->IsEmpty});
    }
    TForm::WndProc(m);
  }
};

// A stored skin with no pictures and an empty description list, named `name`.
std::string StoredSkinHex(const std::string& name) {
  TMemoryStream plain;
  plain.WriteInt32(3);
  for (int i = 0; i < 3; ++i) plain.WriteByte(1);
  plain.WriteInt32(0);
  const std::string text = "[VERSION]\r\nskinname=" + name +
                           "\r\n[PICTURES]\r\n[FORMINFO]\r\n[SKINOBJECTS]\r\ncount=0\r\n[SKINCONTROLS]\r\ncount=0\r\n";
  plain.WriteBuffer(text.data(), text.size());
  TMemoryStream packed;
  CompressStream(plain, packed);
  std::string hex;
  char digits[3];
  for (std::uint8_t b : packed.Bytes()) {
    std::snprintf(digits, sizeof digits, "%02X", b);
    hex += digits;
  }
  return hex;
}

// The holder is written before the stored skin it refers to: the reference can only be
// resolved once the whole description has been read.
std::string Description(const std::string& hex) {
  return "object Main: TSkinForm\n"
         "  object bsSkinData1: TbsSkinData\n"
         "    EnableSkinEffects = False\n"
         "    CompressedStoredSkin = bsCompressedStoredSkin1\n"
         "  end\n"
         "  object bsCompressedStoredSkin1: TbsCompressedStoredSkin\n"
         "    FileName = 'skin.ini'\n"
         "    CompressedData = {" + hex + "}\n"
         "  end\n"
         "end\n";
}

struct SkinDataWinTest : ::testing::Test {
  TSkinForm other;
  SkinDataWinTest() {
    RegisterSkinDataClasses();
    spv::platform::TClassRegistry::Instance().Register("TSkinForm", [](spv::platform::TComponent*) -> spv::platform::TComponent* {
      return new TSkinForm;
    });
    other.SetName("Other");  // created before the owner form: second in the broadcast all the same
    Log.clear();
  }
};

TEST_F(SkinDataWinTest, ReadingTheDescriptionLoadsTheSkinAndTellsEveryFormOwnerFirst) {
  TSkinForm main;
  TFormReader::ReadInto(main, Description(StoredSkinHex("Test skin")));
  auto* data = dynamic_cast<TbsSkinData*>(main.FindComponent("bsSkinData1"));
  auto* stored = dynamic_cast<TbsCompressedStoredSkin*>(main.FindComponent("bsCompressedStoredSkin1"));
  ASSERT_TRUE(data && stored);
  EXPECT_EQ(data->CompressedStoredSkin(), stored);
  EXPECT_EQ(stored->FileName, "skin.ini");
  EXPECT_FALSE(stored->IsEmpty());
  EXPECT_FALSE(data->IsEmpty);
  EXPECT_FALSE(data->IsChanging);
  EXPECT_FALSE(data->EnableSkinEffects);
  EXPECT_EQ(data->SkinName, "Test skin");
  EXPECT_EQ(Log, (std::vector<Heard>{
                     {"Main", WM_SKIN_BEFORE_CHANGE, data, true, true},
                     {"Other", WM_SKIN_BEFORE_CHANGE, data, true, true},
                     {"Main", WM_SKIN_CHANGED, data, true, false},
                     {"Other", WM_SKIN_CHANGED, data, true, false},
                     {"Main", WM_SKIN_AFTER_CHANGE, data, false, false},
                     {"Other", WM_SKIN_AFTER_CHANGE, data, false, false},
                 }));
}

TEST_F(SkinDataWinTest, FreeingTheStoredSkinClearsTheReferenceAndKeepsTheSkin) {
  TSkinForm main;
  TFormReader::ReadInto(main, Description(StoredSkinHex("Kept")));
  auto* data = dynamic_cast<TbsSkinData*>(main.FindComponent("bsSkinData1"));
  ASSERT_NE(data, nullptr);
  delete main.FindComponent("bsCompressedStoredSkin1");
  EXPECT_EQ(data->CompressedStoredSkin(), nullptr);
  EXPECT_FALSE(data->IsEmpty);
  EXPECT_EQ(data->SkinName, "Kept");
}

TEST_F(SkinDataWinTest, AnEmptyBlockLoadsNothingAndSaysNothing) {
  TSkinForm main;
  TFormReader::ReadInto(main, Description(""));
  auto* data = dynamic_cast<TbsSkinData*>(main.FindComponent("bsSkinData1"));
  ASSERT_NE(data, nullptr);
  EXPECT_NE(data->CompressedStoredSkin(), nullptr);
  EXPECT_TRUE(data->IsEmpty);
  EXPECT_TRUE(Log.empty());
}

TEST_F(SkinDataWinTest, ABrokenBlockFailsTheReadingAndLeavesTheSkinEmpty) {
  TSkinForm main;
  EXPECT_THROW(TFormReader::ReadInto(main, Description("78DA0102030405")), std::exception);
  auto* data = dynamic_cast<TbsSkinData*>(main.FindComponent("bsSkinData1"));
  ASSERT_NE(data, nullptr);
  EXPECT_TRUE(data->IsEmpty);
  EXPECT_FALSE(data->IsChanging);
  ASSERT_EQ(Log.size(), 2u);  // the change began, and never completed
  EXPECT_EQ(Log[0].msg, WM_SKIN_BEFORE_CHANGE);
  EXPECT_EQ(Log[1].msg, WM_SKIN_BEFORE_CHANGE);
}

TEST_F(SkinDataWinTest, AStringTableIsReadAndAnnounced) {
  TSkinForm main;
  TFormReader::ReadInto(main,
                        "object Main: TSkinForm\n"
                        "  object bsSkinData1: TbsSkinData\n"
                        "    ResourceStrData = Strings1\n"
                        "  end\n"
                        "  object Strings1: TbsResourceStrData\n"
                        "    CharSet = 204\n"
                        "    ResStrings = ('MSG_BTN_OK=Да' 'MSG_CAP_ERROR=Ошибка')\n"
                        "  end\n"
                        "end\n");
  auto* data = dynamic_cast<TbsSkinData*>(main.FindComponent("bsSkinData1"));
  ASSERT_TRUE(data && data->ResourceStrData());
  EXPECT_EQ(data->ResourceStrData()->CharSet, 204);
  // Texts are kept as Windows-1251 bytes, as the skin library compares and draws them.
  EXPECT_EQ(data->ResourceStrData()->GetResStr("msg_cap_error"), "\xCE\xF8\xE8\xE1\xEA\xE0");
  ASSERT_EQ(Log.size(), 2u);
  EXPECT_EQ(Log[0], (Heard{"Main", WM_SKIN_STRINGS_CHANGED, data, false, true}));
  EXPECT_EQ(Log[1].form, "Other");
  delete data->ResourceStrData();
  EXPECT_EQ(data->ResourceStrData(), nullptr);
}

}  // namespace
}  // namespace bs
