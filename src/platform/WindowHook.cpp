#include "platform/WindowHook.h"

#include "platform/Forms.h"
#include "platform/SysUtils.h"

#include <algorithm>
#include <vector>

namespace spv::platform {
namespace {
constexpr wchar_t kChainProp[] = L"Spv.Hooks";
}

// The hooks of one window, the newest last, and the procedure that was there before them.
struct TWindowHook::TChain {
  WNDPROC Original = nullptr;
  std::vector<TWindowHook*> Hooks;
};

TWindowHook::TWindowHook(HWND window, THandler handler) : Window_(window), Handler_(std::move(handler)) {
  if (!IsWindow(window)) throw Exception(std::string("Cannot take over the messages of a window that does not exist"));
  auto* chain = static_cast<TChain*>(GetPropW(window, kChainProp));
  if (!chain) {
    auto owned = std::make_unique<TChain>();
    if (!SetPropW(window, kChainProp, owned.get())) RaiseLastOSError("Taking over a window's messages");
    owned->Original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HookProc)));
    chain = owned.release();
  }
  chain->Hooks.push_back(this);
}

TWindowHook::~TWindowHook() {
  if (!Window_) return;
  auto* chain = static_cast<TChain*>(GetPropW(Window_, kChainProp));
  if (!chain) return;
  chain->Hooks.erase(std::remove(chain->Hooks.begin(), chain->Hooks.end(), this), chain->Hooks.end());
  // Put the saved procedure back, unless someone took the window over after us: then our
  // procedure stays as a plain pass-through until the window goes.
  if (chain->Hooks.empty() &&
      GetWindowLongPtrW(Window_, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&HookProc)) {
    SetWindowLongPtrW(Window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(chain->Original));
    RemovePropW(Window_, kChainProp);
    delete chain;
  }
}

void TWindowHook::CallPrevious(TMessage& m) const {
  if (!Window_) return;
  auto* chain = static_cast<TChain*>(GetPropW(Window_, kChainProp));
  if (!chain) return;
  auto it = std::find(chain->Hooks.begin(), chain->Hooks.end(), this);
  if (it != chain->Hooks.end() && it != chain->Hooks.begin()) {
    (*(it - 1))->Handler_(m);
    return;
  }
  m.Result = CallWindowProcW(chain->Original, Window_, m.Msg, m.WParam, m.LParam);
}

LRESULT CALLBACK TWindowHook::HookProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* chain = static_cast<TChain*>(GetPropW(window, kChainProp));
  if (!chain) return DefWindowProcW(window, msg, wParam, lParam);
  TMessage m{msg, wParam, lParam, 0};
  const WNDPROC original = chain->Original;
  if (chain->Hooks.empty()) {
    m.Result = CallWindowProcW(original, window, msg, wParam, lParam);
  } else {
    try {
      chain->Hooks.back()->Handler_(m);
    } catch (const std::exception& e) {
      Application().HandleException(e);
    }
  }
  if (msg == WM_NCDESTROY) {
    // The window is gone: every hook on it ends here.
    if (auto* still = static_cast<TChain*>(GetPropW(window, kChainProp))) {
      for (TWindowHook* h : still->Hooks) h->Window_ = nullptr;
      SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(still->Original));
      RemovePropW(window, kChainProp);
      delete still;
    }
  }
  return m.Result;
}

}  // namespace spv::platform
