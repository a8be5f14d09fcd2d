#pragma once
// What the window gives the check, recorded so that a test can see what the check asked of it.

#include "app/Check.h"

#include <set>
#include <string>
#include <vector>

namespace spv::app::test {

struct TRecordedBox : TMessageBox {
  struct Shown {
    std::string text;
    TMsgKind kind;
  };
  std::vector<Shown> shown;
  void Show(std::string_view text, TMsgKind kind) override { shown.push_back({std::string(text), kind}); }
};

// Progress calls and pumps in the order they came, as "caption:...", "value:N", "show", "pump:N".
struct TRecordedProgress : TProgressDialog, TMessagePump {
  std::vector<std::string> events;
  void SetLabelCaption(std::string_view caption) override { events.push_back("caption:" + std::string(caption)); }
  void SetValue(int value) override { events.push_back("value:" + std::to_string(value)); }
  void Show() override { events.push_back("show"); }
  void PumpAndSleep(int milliseconds) override { events.push_back("pump:" + std::to_string(milliseconds)); }
};

// A file system of the listed folders and files, paths spelt exactly as the check asks.
struct TListedFiles : TFileSystem {
  std::set<std::string> folders, files;
  bool DirectoryExists(const std::string& path) const override { return folders.count(path) != 0; }
  bool FileExists(const std::string& path) const override { return files.count(path) != 0; }
};

struct TCheckWithFakes {
  TRecordedBox box;
  TRecordedProgress progress;
  TListedFiles fs;
  TPlaylistCheck check{box, progress, progress, fs};
};

}  // namespace spv::app::test
