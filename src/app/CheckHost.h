#pragma once
// What the check needs of the window around it. The main window supplies its skinned message
// box, its progress dialog and its message pump; a console tool supplies its own.

#include <string>
#include <string_view>

namespace spv::app {

enum class TMsgKind { Warning, Error };

// The window's message box `Msg`. The check only ever asks for a box with the single button
// OK and help context 0, and waits until it is closed.
class TMessageBox {
 public:
  virtual ~TMessageBox() = default;
  virtual void Show(std::string_view text, TMsgKind kind) = 0;
};

// The window's progress dialog `Process`. A value of 100 closes a shown dialog; showing it
// while it is shown does nothing.
class TProgressDialog {
 public:
  virtual ~TProgressDialog() = default;
  virtual void SetLabelCaption(std::string_view caption) = 0;
  virtual void SetValue(int value) = 0;
  virtual void Show() = 0;
};

// Handles every window message pending for the program's thread, then sleeps the given
// number of milliseconds. Without a window there is nothing to handle and no reason to sleep.
class TMessagePump {
 public:
  virtual ~TMessagePump() = default;
  virtual void PumpAndSleep(int milliseconds) = 0;
};

// The existence tests of the run command; paths are UTF-8.
class TFileSystem {
 public:
  virtual ~TFileSystem() = default;
  virtual bool DirectoryExists(const std::string& path) const = 0;
  virtual bool FileExists(const std::string& path) const = 0;
};

// The machine's own file system.
class TLocalFileSystem final : public TFileSystem {
 public:
  bool DirectoryExists(const std::string& path) const override;
  bool FileExists(const std::string& path) const override;
};

}  // namespace spv::app
