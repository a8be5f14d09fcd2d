#include "platform/Classes.h"

#include "platform/FormReader.h"
#include "platform/SysUtils.h"

#include <algorithm>

namespace spv::platform {
namespace {

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

void Erase(std::vector<TComponent*>& list, TComponent* item) {
  list.erase(std::remove(list.begin(), list.end(), item), list.end());
}

}  // namespace

bool SameIdent(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

bool IsValidIdent(std::string_view name) {
  auto alpha = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; };
  if (name.empty() || !alpha(name[0])) return false;
  return std::all_of(name.begin(), name.end(), [&](char c) { return alpha(c) || (c >= '0' && c <= '9'); });
}

TComponent::TComponent(TComponent* owner) {
  if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() {
  BeginDestroy();
  DestroyComponents();
  while (!FreeNotifies_.empty()) {
    TComponent* other = FreeNotifies_.back();
    FreeNotifies_.pop_back();
    Erase(other->FreeNotifies_, this);
    other->Notification(this, TOperation::opRemove);
  }
  if (Owner_) Owner_->RemoveComponent(this);
}

void TComponent::BeginDestroy() {
  if (Destroying()) return;
  State_ |= csDestroying;
  for (TComponent* c : Components_) c->BeginDestroy();
}

TComponent* TComponent::Components(int index) const {
  if (index < 0 || index >= ComponentCount())
    throw Exception("Component index " + std::to_string(index) + " out of range (" + std::to_string(ComponentCount()) + " components)");
  return Components_[std::size_t(index)];
}

int TComponent::ComponentIndex() const {
  if (!Owner_) return -1;
  const auto& list = Owner_->Components_;
  return int(std::find(list.begin(), list.end(), this) - list.begin());
}

TComponent* TComponent::FindComponent(std::string_view name) const {
  if (name.empty()) return nullptr;
  for (TComponent* c : Components_)
    if (SameIdent(c->Name_, name)) return c;
  return nullptr;
}

void TComponent::SetName(std::string_view name) {
  if (name == Name_) return;
  if (!name.empty() && !IsValidIdent(name)) throw Exception("\"" + std::string(name) + "\" is not a valid component name");
  if (Owner_ && !name.empty()) {
    const TComponent* same = Owner_->FindComponent(name);
    if (same && same != this) throw Exception("A component named " + std::string(name) + " already exists");
  }
  Name_ = name;
}

void TComponent::FreeNotification(TComponent* other) {
  if (!other || other == this) return;
  if (std::find(other->FreeNotifies_.begin(), other->FreeNotifies_.end(), this) == other->FreeNotifies_.end()) {
    other->FreeNotifies_.push_back(this);
    FreeNotifies_.push_back(other);
  }
}

void TComponent::RemoveFreeNotification(TComponent* other) {
  if (!other) return;
  Unlink(other);
}

void TComponent::Unlink(TComponent* other) {
  Erase(FreeNotifies_, other);
  Erase(other->FreeNotifies_, this);
}

void TComponent::InsertComponent(TComponent* component) {
  if (!component) return;
  if (component->Owner_) component->Owner_->RemoveComponent(component);
  if (!component->Name_.empty() && FindComponent(component->Name_))
    throw Exception("A component named " + component->Name_ + " already exists");
  Components_.push_back(component);
  component->Owner_ = this;
  Notification(component, TOperation::opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
  if (!component || component->Owner_ != this) return;
  Notification(component, TOperation::opRemove);
  Erase(Components_, component);
  component->Owner_ = nullptr;
}

void TComponent::DestroyComponents() {
  // Each destructor takes its component out of the list and tells the rest.
  while (!Components_.empty()) delete Components_.back();
}

void TComponent::Notification(TComponent* component, TOperation operation) {
  if (operation == TOperation::opRemove) Unlink(component);
  // The owner passes every removal on, so that siblings drop references to each other.
  for (std::size_t i = 0; i < Components_.size(); ++i)
    if (Components_[i] != component) Components_[i]->Notification(component, operation);
}

void TComponent::SetLoadingState(bool loading) {
  if (loading) State_ |= csLoading | csReading;
  else State_ &= ~(csLoading | csReading);
}

void TComponent::SetParentComponent(TComponent*) {}

void TComponent::Loaded() { State_ &= ~(csLoading | csReading); }

bool TComponent::ReadProperty(const TStoredProperty& property, TFormReader&) {
  if (SameIdent(property.Name, "Tag")) {
    Tag = property.Integer();
    return true;
  }
  return false;
}

void TComponent::PublishMethod(std::string name, TNotifyEvent method) {
  for (auto& [n, m] : Methods_)
    if (SameIdent(n, name)) {
      m = std::move(method);
      return;
    }
  Methods_.emplace_back(std::move(name), std::move(method));
}

const TNotifyEvent* TComponent::FindMethod(std::string_view name) const {
  for (const auto& [n, m] : Methods_)
    if (SameIdent(n, name)) return &m;
  return nullptr;
}

TClassRegistry& TClassRegistry::Instance() {
  static TClassRegistry registry;
  return registry;
}

void TClassRegistry::Register(std::string className, Factory factory) {
  for (auto& [n, f] : Classes_)
    if (SameIdent(n, className)) {
      f = std::move(factory);
      return;
    }
  Classes_.emplace_back(std::move(className), std::move(factory));
}

const TClassRegistry::Factory* TClassRegistry::Find(std::string_view className) const {
  for (const auto& [n, f] : Classes_)
    if (SameIdent(n, className)) return &f;
  return nullptr;
}

}  // namespace spv::platform
