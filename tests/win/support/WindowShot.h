#pragma once
#include <windows.h>

#include <filesystem>
#include <functional>
#include <string>

namespace spv::test {

// Lets the thread's pending messages run, so that windows have painted.
void PumpMessages(int milliseconds = 50);
// Pumps until `done` holds; false when it did not within a generous time (ten seconds).
bool PumpUntil(const std::function<bool()>& done);

// Saves what the screen shows of a window (frame included) as <screenshot folder>/<name>.png,
// for people to look at. The folder is SPV_SHOT_DIR (the build tree's screenshots folder).
// Returns the file written.
std::filesystem::path SaveWindowPng(HWND window, const std::string& name);
// The same for a rectangle of the screen, whatever windows show there (a hint over a frame).
std::filesystem::path SaveScreenPng(const RECT& screenRect, const std::string& name);

}  // namespace spv::test
