// Enter belongs to the button the focus says: the focused button, else the window's default
// button. Every control that can take the focus moves it, skinned or not, and the default
// button shows that it is the one again.

#include "skin/controls/bsSkinBoxCtrls.h"
#include "skin/controls/bsSkinCtrls.h"
#include "skin/controls/bsSkinGrids.h"
#include "skin/controls/bsSkinTabs.h"
#include "skin/dialogs/bsSkinTreeView.h"

#include "SkinTestForm.h"
#include "platform/MaskEdit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

namespace bs {
namespace {

using namespace spv::platform;
using test::SamePixels;
using test::TSkinnedForm;

// Keys reach the window through the application's handling, which moves the focus on Tab.
void PumpApplication() {
  const DWORD end = GetTickCount() + 40;
  do {
    Application().ProcessMessages();
    Sleep(5);
  } while (LONG(GetTickCount() - end) < 0);
}

// What the screen shows of a control, once its paints are done.
TbsFBitmap Shot(TWinControl& control) {
  spv::test::PumpMessages();
  return test::Grab(control.Handle());
}

TEST(SkinButtonFocus, TabbingFromTheCancelButtonIntoAnyControlGivesEnterBackToTheDefault) {
  struct Case {
    const char* what;
    std::function<TWinControl*(TForm&, TbsSkinData*)> make;
    bool enterReachesButtons;  // the control hands Enter to the window's buttons
  } cases[] = {
      {"the skinned tree view",
       [](TForm& f, TbsSkinData* skin) {
         auto* t = new TbsSkinCustomTreeView(&f);
         t->SetSkinData(skin);
         return t;
       },
       true},
      {"the skinned tab control",
       [](TForm& f, TbsSkinData* skin) {
         auto* t = new TbsSkinTabControl(&f);
         t->SetSkinData(skin);
         for (const wchar_t* text : {L"0", L"1", L"2"}) t->AddTab(text);
         return t;
       },
       false},
      {"the skinned grid",
       [](TForm& f, TbsSkinData* skin) {
         auto* g = new TbsSkinStringGrid(&f);
         g->SetSkinData(skin);
         return g;
       },
       true},
      {"the skinned edit",
       [](TForm& f, TbsSkinData* skin) {
         auto* e = new TbsSkinEdit(&f);
         e->SetSkinData(skin);
         return e;
       },
       true},
      {"a plain edit of the platform", [](TForm& f, TbsSkinData*) { return new TCustomMaskEdit(&f); }, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto form = std::make_unique<TSkinnedForm>();
    form->SetClientSize(420, 200);
    auto* skin = new TbsSkinData(form.get());
    test::LoadProgramSkin(*skin);
    std::vector<TObject*> clicks;
    // In the order of the tab stops: a skinned edit to start from, OK, Cancel, the control.
    auto* start = new TbsSkinEdit(form.get());
    start->SetParent(form.get());
    start->SetBounds(10, 10, 150, 20);
    start->SetSkinData(skin);
    auto button = [&](int left, const wchar_t* caption) {
      auto* b = new TbsSkinButton(form.get());
      b->SetParent(form.get());
      b->SetBounds(left, 40, 80, 25);
      b->SetCaption(caption);
      b->OnClick = [&clicks](TObject* sender) { clicks.push_back(sender); };
      b->SetSkinData(skin);
      return b;
    };
    TbsSkinButton* ok = button(10, L"OK");
    TbsSkinButton* cancel = button(100, L"Отмена");
    ok->SetDefault(true);
    cancel->Cancel = true;
    TWinControl* control = c.make(*form, skin);
    control->SetParent(form.get());
    control->SetBounds(10, 80, 300, 100);
    form->Show();
    SetForegroundWindow(form->Handle());
    start->SetFocus();
    // With the focus in an edit, OK is the lit default and Cancel a plain button.
    ASSERT_TRUE(start->Focused() && ok->DefaultActive() && ok->MouseOver());
    const TbsFBitmap okLit = Shot(*ok), cancelPlain = Shot(*cancel);

    test::TypeKey(VK_TAB, {}, PumpApplication);
    test::TypeKey(VK_TAB, {}, PumpApplication);
    if (!cancel->Focused()) {
      ADD_FAILURE() << "Tab did not reach Cancel";
      continue;
    }
    EXPECT_TRUE(cancel->DefaultActive());
    EXPECT_FALSE(ok->DefaultActive());
    EXPECT_FALSE(SamePixels(Shot(*ok), okLit)) << "OK has given up its highlight";

    test::TypeKey(VK_TAB, {}, PumpApplication);
    if (GetFocus() != control->Handle()) {
      ADD_FAILURE() << "Tab did not reach the control";
      continue;
    }
    EXPECT_TRUE(ok->DefaultActive());
    EXPECT_FALSE(cancel->DefaultActive());
    EXPECT_TRUE(ok->MouseOver()) << "the default button is lit again";
    EXPECT_TRUE(SamePixels(Shot(*ok), okLit)) << "OK shows it is the one Enter presses";
    EXPECT_TRUE(SamePixels(Shot(*cancel), cancelPlain)) << "Cancel is a plain button again";

    test::TypeKey(VK_RETURN, {}, PumpApplication);
    const auto clicksOf = [&](TObject* b) { return std::count(clicks.begin(), clicks.end(), b); };
    EXPECT_EQ(clicksOf(cancel), 0);
    EXPECT_EQ(clicksOf(ok), c.enterReachesButtons ? 1 : 0);
  }
}

}  // namespace
}  // namespace bs
