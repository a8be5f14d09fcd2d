#include "platform/ExtCtrls.h"
#include "platform/FormReader.h"
#include "platform/Forms.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace spv::platform {
namespace {

std::vector<std::string> Log;

enum TMode { mdOne, mdTwo };
constexpr TEnumName<TMode> kModes[] = {{"mdOne", mdOne}, {"mdTwo", mdTwo}};
constexpr TEnumName<unsigned> kFlags[] = {{"fA", 1}, {"fB", 2}, {"fC", 4}};

// A component with a property of every kind, logging each one as it is applied.
class TRecorder : public TComponent {
 public:
  using TComponent::TComponent;
  std::string_view ClassName() const override { return "TRecorder"; }

  std::int64_t Count = 0;
  std::wstring Title;
  unsigned Flags = 0;
  TMode Mode = mdOne;
  TColor Tint = 0;
  std::vector<std::uint8_t> Data;
  std::vector<TValue> Items;
  bool On = false;
  TRecorder* Link = nullptr;
  TNotifyEvent OnPing;

  bool ReadProperty(const TStoredProperty& p, TFormReader& reader) override {
    Log.push_back(Name() + "." + p.Name + (Loading() ? "" : " (not loading!)"));
    if (SameIdent(p.Name, "Count")) Count = p.Integer();
    else if (SameIdent(p.Name, "Title")) Title = p.String();
    else if (SameIdent(p.Name, "Flags")) Flags = p.Flags(kFlags);
    else if (SameIdent(p.Name, "Mode")) Mode = p.Enum<TMode>(kModes);
    else if (SameIdent(p.Name, "Tint")) Tint = p.Color();
    else if (SameIdent(p.Name, "Data")) Data = p.Binary();
    else if (SameIdent(p.Name, "Items")) Items = p.List();
    else if (SameIdent(p.Name, "On")) On = p.Boolean();
    else if (SameIdent(p.Name, "OnPing")) OnPing = reader.Method(p);
    else if (SameIdent(p.Name, "Link"))
      reader.ResolveReference<TRecorder>(p, [this](TRecorder* r) {
        Link = r;
        Log.push_back(Name() + ".Link := " + (r ? r->Name() + " titled " + WideToUtf8(r->Title) : "nil"));
      });
    else return TComponent::ReadProperty(p, reader);
    return true;
  }
  void Loaded() override {
    TComponent::Loaded();
    Log.push_back(Name() + " loaded, link " + (Link ? Link->Name() : "nil"));
  }
};

class TTestForm : public TForm {
 public:
  std::string_view ClassName() const override { return "TTestForm"; }
  int Pings = 0;
  TTestForm() : TForm(nullptr) { PublishMethod("Pinged", [this](TObject*) { ++Pings; }); }
};

struct FormReaderTest : ::testing::Test {
  FormReaderTest() {
    RegisterPlatformClasses();
    TClassRegistry::Instance().Register<TRecorder>("TRecorder");
    Log.clear();
  }
};

constexpr char kDescription[] = R"(object TestForm1: TTestForm
  Caption = 'Форма'
  object First: TRecorder
    Count = -12
    Link = Second  // named before it exists
    Title = 'It''s ' + 'joined'#33#1046
    Flags = [fA, fC]
    Mode = mdTwo
    Tint = clBtnFace
    Data = {78DA 0003
            ff}
    Items = ('one' 2 three)
    On = True
    OnPing = Pinged
  end
  object Second: TRecorder
    Count = $1F
    Title = 'second'
  end
  object Panel1: TPanel
    Align = alTop
    Height = 30
    object Inner: TPanel
      Caption = 'inner'
      Font.Style = [fsBold, fsItalic]
      Font.Height = -14
      Font.Name = 'Arial'
      Font.Color = clRed
    end
  end
end
)";

TEST_F(FormReaderTest, AppliesPropertiesInStreamOrderAndResolvesReferencesAfterReading) {
  TTestForm form;
  TFormReader::ReadInto(form, kDescription);

  EXPECT_EQ(Log, (std::vector<std::string>{
                     "First.Count", "First.Link", "First.Title", "First.Flags", "First.Mode", "First.Tint", "First.Data",
                     "First.Items", "First.On", "First.OnPing", "Second.Count", "Second.Title",
                     // the reference is set when Second exists with all its properties
                     "First.Link := Second titled second",
                     // and Loaded comes after every reference, in creation order
                     "First loaded, link Second", "Second loaded, link nil"}));
  for (int i = 0; i < form.ComponentCount(); ++i) EXPECT_FALSE(form.Components(i)->Loading());
  EXPECT_FALSE(form.Loading());
}

TEST_F(FormReaderTest, ReadsEveryKindOfValue) {
  TTestForm form;
  TFormReader::ReadInto(form, kDescription);
  auto* first = dynamic_cast<TRecorder*>(form.FindComponent("First"));
  auto* second = dynamic_cast<TRecorder*>(form.FindComponent("Second"));
  ASSERT_TRUE(first && second);
  EXPECT_EQ(form.Name(), "TestForm1");
  EXPECT_EQ(form.Caption(), L"Форма");
  EXPECT_EQ(first->Count, -12);
  EXPECT_EQ(second->Count, 31);
  EXPECT_EQ(first->Title, L"It's joined!\u0416");
  EXPECT_EQ(first->Flags, 5u);
  EXPECT_EQ(first->Mode, mdTwo);
  EXPECT_EQ(first->Tint, clBtnFace);
  EXPECT_EQ(first->Data, (std::vector<std::uint8_t>{0x78, 0xDA, 0x00, 0x03, 0xFF}));
  ASSERT_EQ(first->Items.size(), 3u);
  EXPECT_EQ(first->Items[0].String, L"one");
  EXPECT_EQ(first->Items[1].Int, 2);
  EXPECT_EQ(first->Items[2].Ident, "three");
  EXPECT_TRUE(first->On);
  ASSERT_TRUE(first->OnPing);
  first->OnPing(first);
  EXPECT_EQ(form.Pings, 1);
}

TEST_F(FormReaderTest, NestedControlsBecomeChildrenOfTheirEnclosingControl) {
  TTestForm form;
  TFormReader::ReadInto(form, kDescription);
  auto* panel = dynamic_cast<TPanel*>(form.FindComponent("Panel1"));
  auto* inner = dynamic_cast<TPanel*>(form.FindComponent("Inner"));
  ASSERT_TRUE(panel && inner);
  EXPECT_EQ(panel->Parent(), &form);
  EXPECT_EQ(inner->Parent(), panel);
  EXPECT_EQ(inner->Owner(), &form);  // every component of a description belongs to the root
  EXPECT_EQ(panel->Width(), form.ClientWidth());  // aligned once loaded
  EXPECT_EQ(inner->Font().Name(), L"Arial");
  EXPECT_EQ(inner->Font().Height(), -14);
  EXPECT_EQ(inner->Font().Style(), TFontStyles(fsBold | fsItalic));
  EXPECT_EQ(inner->Font().Color(), clRed);
  EXPECT_FALSE(inner->ParentFont());
  EXPECT_TRUE(panel->ParentFont());
}

TEST_F(FormReaderTest, CreatesTheRootFromTheRegistry) {
  const auto root = TFormReader::Create("object Holder: TComponent\n  object Tick: TTimer\n    Interval = 250\n  end\nend\n");
  ASSERT_EQ(root->ComponentCount(), 1);
  auto* timer = dynamic_cast<TTimer*>(root->Components(0));
  ASSERT_NE(timer, nullptr);
  EXPECT_EQ(timer->Interval(), 250u);
}

TEST_F(FormReaderTest, ErrorsNameTheirLine) {
  struct Case {
    const char* text;
    int line;
    const char* says;
  };
  const Case cases[] = {
      {"object F: TTestForm\n  Bogus = 1\nend", 2, "TTestForm has no property Bogus"},
      {"object F: TTestForm\n\n  object X: TNoSuchClass\n  end\nend", 3, "class TNoSuchClass is not registered"},
      {"object F: TTestForm\n  object R: TRecorder\n    Count = 'ten'\n  end\nend", 3, "Count takes an integer, not a string"},
      {"object F: TTestForm\n  object R: TRecorder\n    Mode = mdThree\n  end\nend", 3, "'mdThree' is not a value of Mode"},
      {"object F: TTestForm\n  object R: TRecorder\n    Flags = [fA, fZ]\n  end\nend", 3, "'fZ' is not an element of Flags"},
      {"object F: TTestForm\n  Caption = 'open\nend", 2, "a string is not closed"},
      {"object F: TTestForm\n  object R: TRecorder\n    Data = {ABC}\n  end\nend", 3, "odd number of digits"},
      {"object F: TTestForm\n  object R: TRecorder\n\n    Link = Nowhere\n  end\nend", 4, "no component named Nowhere"},
      {"object F: TTestForm\n  object R: TRecorder\n    OnPing = Missing\n  end\nend", 3, "TTestForm has no method Missing"},
      {"object F: TTestForm\n  object R: TRecorder\n  end\n  object R: TRecorder\n  end\nend", 4, "a component named R already exists"},
      {"object F: TTestForm\n  object R: TRecorder\n  end\n", 4, "'end' missing"},
      {"object F: TForm\nend", 1, "the description is of TForm, not of TTestForm"},
      {"object F: TTestForm\n  object R: TRecorder\n    Link = F\n  end\nend", 3, "does not fit property Link"},
      {"object F: TTestForm\n  Left = 99999999999\nend", 2, "Left = 99999999999 is out of range"},
      {"object F: TTestForm\n  Left = 99999999999999999999\nend", 2, "number out of range"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    TTestForm form;
    try {
      TFormReader::ReadInto(form, c.text);
      ADD_FAILURE() << "no error";
    } catch (const EReadError& e) {
      EXPECT_EQ(e.Line(), c.line) << e.what();
      EXPECT_NE(std::string(e.what()).find(c.says), std::string::npos) << e.what();
      EXPECT_EQ(std::string(e.what()).rfind("Line " + std::to_string(c.line) + ": ", 0), 0u) << e.what();
    }
    EXPECT_FALSE(form.Loading());
  }
}

}  // namespace
}  // namespace spv::platform
