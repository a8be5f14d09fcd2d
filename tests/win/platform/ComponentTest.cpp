#include "platform/Classes.h"
#include "platform/SysUtils.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace spv::platform {
namespace {

// Writes its name into a log when it is destroyed, with what it saw of its owner then.
class TProbe : public TComponent {
 public:
  TProbe(TComponent* owner, std::string name, std::vector<std::string>* log) : TComponent(owner), Log_(log) {
    SetName(name);
  }
  ~TProbe() override {
    BeginDestroy();
    Log_->push_back(Name() + (Owner() && Owner()->Destroying() ? " (owner destroying)" : ""));
  }

 private:
  std::vector<std::string>* Log_;
};

// Holds a reference to another component and lets go of it when that one goes.
class TLinker : public TComponent {
 public:
  using TComponent::TComponent;
  TComponent* Target = nullptr;
  bool Free = true;
  void SetTarget(TComponent* target) {
    Target = target;
    if (target && Free) FreeNotification(target);
  }
  int Removals = 0;

 protected:
  void Notification(TComponent* component, TOperation operation) override {
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove) {
      ++Removals;
      if (component == Target) Target = nullptr;
    }
  }
};

TEST(ComponentTest, OwnerFreesItsComponentsLastCreatedFirst) {
  std::vector<std::string> log;
  auto* owner = new TComponent;
  new TProbe(owner, "First", &log);
  auto* second = new TProbe(owner, "Second", &log);
  new TProbe(second, "Grandchild", &log);
  new TProbe(owner, "Third", &log);
  ASSERT_EQ(owner->ComponentCount(), 3);
  EXPECT_EQ(owner->FindComponent("second"), second);  // names compare without case
  delete owner;
  // A component's own destructor runs before it frees what it owns.
  EXPECT_EQ(log, (std::vector<std::string>{"Third (owner destroying)", "Second (owner destroying)",
                                           "Grandchild (owner destroying)", "First (owner destroying)"}));
}

TEST(ComponentTest, FreeingOneComponentTakesItOutOfItsOwner) {
  std::vector<std::string> log;
  TComponent owner;
  auto* a = new TProbe(&owner, "A", &log);
  auto* b = new TProbe(&owner, "B", &log);
  delete a;
  ASSERT_EQ(owner.ComponentCount(), 1);
  EXPECT_EQ(owner.Components(0), b);
  EXPECT_EQ(b->ComponentIndex(), 0);
  EXPECT_EQ(log, std::vector<std::string>{"A"});
  EXPECT_THROW(owner.Components(1), Exception);
}

TEST(ComponentTest, ReferencesAreClearedWhenTheTargetIsFreed) {
  // A reference across owners needs free notification; between siblings the owner passes the
  // removal on by itself.
  struct Case {
    const char* name;
    bool sameOwner;
    bool freeNotification;
  };
  for (const Case c : {Case{"across owners", false, true}, Case{"siblings", true, false}, Case{"siblings with free notification", true, true}}) {
    SCOPED_TRACE(c.name);
    TComponent left, right;
    auto* linker = new TLinker(&left);
    linker->Free = c.freeNotification;
    auto* target = new TComponent(c.sameOwner ? &left : &right);
    linker->SetTarget(target);
    delete target;
    EXPECT_EQ(linker->Target, nullptr);
  }
}

TEST(ComponentTest, RemovedFreeNotificationIsNotCalled) {
  TComponent left, right;
  auto* linker = new TLinker(&left);
  auto* target = new TComponent(&right);
  linker->SetTarget(target);
  linker->RemoveFreeNotification(target);
  const int before = linker->Removals;
  delete target;
  EXPECT_EQ(linker->Removals, before);
  EXPECT_EQ(linker->Target, target);  // it asked not to be told
}

TEST(ComponentTest, FreeNotificationWorksBothWays) {
  // The link is mutual: the target hears of the linker's end, and so drops it from its list.
  TComponent left, right;
  auto* linker = new TLinker(&left);
  auto* target = new TLinker(&right);
  linker->SetTarget(target);
  ASSERT_EQ(target->Removals, 0);
  delete linker;
  EXPECT_EQ(target->Removals, 1);
}

TEST(ComponentTest, NamesAreIdentifiersUniqueWithinTheOwner) {
  TComponent owner;
  auto* a = new TComponent(&owner);
  a->SetName("Panel1");
  auto* b = new TComponent(&owner);
  for (const char* bad : {"1Panel", "Panel 1", "Пан", "Panel-1"}) {
    SCOPED_TRACE(bad);
    EXPECT_THROW(b->SetName(bad), Exception);
  }
  EXPECT_THROW(b->SetName("PANEL1"), Exception);
  b->SetName("_Panel2");
  EXPECT_EQ(b->Name(), "_Panel2");
  a->SetName("");  // unnamed is allowed, and many may be
  b->SetName("");
  EXPECT_EQ(owner.FindComponent(""), nullptr);
}

TEST(ComponentTest, MovingToAnotherOwnerChangesWhoFreesIt) {
  std::vector<std::string> log;
  auto first = std::make_unique<TComponent>();
  TComponent second;
  auto* probe = new TProbe(first.get(), "Moved", &log);
  second.InsertComponent(probe);
  EXPECT_EQ(first->ComponentCount(), 0);
  first.reset();
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(probe->Owner(), &second);
}

}  // namespace
}  // namespace spv::platform
