#pragma once
// COM for the window layer: the apartment the shell's objects need on the user-interface
// thread, and an owning pointer to an interface.

#include <windows.h>

#include <objbase.h>

#include <utility>

namespace spv::platform {

// Enters the single-threaded apartment with OLE (the shell's context menus use the clipboard
// and drag and drop) on the calling thread, once; it is left when the thread ends. Raises
// Exception when the thread is already in an apartment of another kind.
void InitializeCom();

// Holds one reference to a COM interface and releases it.
template <typename T>
class TComPtr {
 public:
  TComPtr() = default;
  // Takes over a reference the caller already holds.
  explicit TComPtr(T* p) : P_(p) {}
  TComPtr(const TComPtr& other) : P_(other.P_) {
    if (P_) P_->AddRef();
  }
  TComPtr(TComPtr&& other) noexcept : P_(std::exchange(other.P_, nullptr)) {}
  TComPtr& operator=(TComPtr other) noexcept {
    std::swap(P_, other.P_);
    return *this;
  }
  ~TComPtr() { Reset(); }

  T* Get() const { return P_; }
  T* operator->() const { return P_; }
  explicit operator bool() const { return P_ != nullptr; }
  void Reset() {
    if (P_) std::exchange(P_, nullptr)->Release();
  }
  // For a call that hands out a new reference: the old one is released first.
  T** Receive() {
    Reset();
    return &P_;
  }
  void** ReceiveVoid() { return reinterpret_cast<void**>(Receive()); }
  // Another interface of the same object, or empty.
  template <typename U>
  TComPtr<U> As(REFIID iid) const {
    TComPtr<U> other;
    if (P_) P_->QueryInterface(iid, other.ReceiveVoid());
    return other;
  }

 private:
  T* P_ = nullptr;
};

}  // namespace spv::platform
