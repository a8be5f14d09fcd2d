#pragma once
// Components: objects with an owner that frees them, a name, and notification of removal, so
// that a component holding a reference to another can let go of it in time.

#include "platform/SysUtils.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace spv::platform {

class TFormReader;
struct TStoredProperty;

class TObject {
 public:
  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject() = default;
  // The class name as form descriptions write it ("TPanel").
  virtual std::string_view ClassName() const { return "TObject"; }
};

using TNotifyEvent = std::function<void(TObject* sender)>;

enum class TOperation { opInsert, opRemove };

// Component state flags; a set of them is a plain bit mask.
enum TComponentStateFlag : unsigned {
  csLoading = 1u << 0,     // being read from a form description; Loaded() ends it
  csReading = 1u << 1,     // its own properties are being read
  csDestroying = 1u << 2,  // its destructor has begun
  csDesigning = 1u << 3,   // never set by this program; kept for components that test it
};
using TComponentState = unsigned;

class TComponent : public TObject {
 public:
  // The owner, when given, takes the component over: it frees it when it is itself freed.
  explicit TComponent(TComponent* owner = nullptr);
  ~TComponent() override;
  std::string_view ClassName() const override { return "TComponent"; }

  TComponent* Owner() const { return Owner_; }
  int ComponentCount() const { return int(Components_.size()); }
  TComponent* Components(int index) const;
  int ComponentIndex() const;
  // The owned component of that name (names compare without regard to ASCII case), or null.
  TComponent* FindComponent(std::string_view name) const;

  const std::string& Name() const { return Name_; }
  // A name is empty or an identifier, unique among the owner's components.
  virtual void SetName(std::string_view name);

  // A number for the program's own use.
  std::int64_t Tag = 0;

  TComponentState ComponentState() const { return State_; }
  bool Loading() const { return (State_ & csLoading) != 0; }
  bool Destroying() const { return (State_ & csDestroying) != 0; }

  // Asks `other` to call this->Notification(other, opRemove) when it is freed, although this
  // component does not own it. Both sides forget each other on either destruction.
  void FreeNotification(TComponent* other);
  void RemoveFreeNotification(TComponent* other);

  void InsertComponent(TComponent* component);
  void RemoveComponent(TComponent* component);
  // Frees every owned component, the last created first.
  void DestroyComponents();

  // Called by the form reader: state while reading, then Loaded once every reference of the
  // whole description has been resolved.
  void SetLoadingState(bool loading);
  virtual void Loaded();
  // A description nests this component inside `parent`; a control becomes its child. Called
  // before the component's own properties are read.
  virtual void SetParentComponent(TComponent* parent);

  // Applies one property of a form description. Returns false for a name the class does not
  // know, so that a descendant handles its own names first and then asks its base.
  virtual bool ReadProperty(const TStoredProperty& property, TFormReader& reader);

  // Methods of this component by name, for event properties of descriptions it is the root of
  // ("OnClick = SBExecClick").
  void PublishMethod(std::string name, TNotifyEvent method);
  const TNotifyEvent* FindMethod(std::string_view name) const;

 protected:
  // Another component is being inserted into or removed from this one, or a component this one
  // asked for free notification is being freed. A reference to it must be cleared now.
  virtual void Notification(TComponent* component, TOperation operation);
  // Marks csDestroying on this component and every owned one; called first by destructors.
  void BeginDestroy();

 private:
  void Unlink(TComponent* other);

  TComponent* Owner_ = nullptr;
  std::vector<TComponent*> Components_;
  std::vector<TComponent*> FreeNotifies_;
  std::string Name_;
  TComponentState State_ = 0;
  std::vector<std::pair<std::string, TNotifyEvent>> Methods_;
};

// Compares identifiers the way descriptions and FindComponent do: ASCII letters without case.
bool SameIdent(std::string_view a, std::string_view b);
bool IsValidIdent(std::string_view name);

// The classes a form description may name. A factory creates an instance with its owner.
class TClassRegistry {
 public:
  using Factory = std::function<TComponent*(TComponent* owner)>;
  static TClassRegistry& Instance();

  void Register(std::string className, Factory factory);
  template <typename T>
  void Register(std::string className) {
    Register(std::move(className), [](TComponent* owner) -> TComponent* { return new T(owner); });
  }
  // Null when the class is not registered.
  const Factory* Find(std::string_view className) const;

 private:
  std::vector<std::pair<std::string, Factory>> Classes_;
};

// Registers the classes of this library once; readers call it before the first description.
void RegisterPlatformClasses();

}  // namespace spv::platform
