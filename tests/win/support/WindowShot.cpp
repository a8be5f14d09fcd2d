#include "WindowShot.h"

#include "base/Png.h"

#include <chrono>
#include <cstdlib>
#include <stdexcept>
#include <vector>

namespace spv::test {

void PumpMessages(int milliseconds) {
  const DWORD end = GetTickCount() + DWORD(milliseconds);
  do {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    Sleep(5);
  } while (LONG(GetTickCount() - end) < 0);
}

bool PumpUntil(const std::function<bool()>& done) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    PumpMessages(10);
  }
  return true;
}

std::filesystem::path SaveWindowPng(HWND window, const std::string& name) {
  // Raised but not activated, so that an inactive window keeps its inactive look.
  SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW | SWP_NOACTIVATE);
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  PumpMessages(150);

  RECT r;
  GetWindowRect(window, &r);
  return SaveScreenPng(r, name);
}

std::filesystem::path SaveScreenPng(const RECT& r, const std::string& name) {
  const int width = r.right - r.left, height = r.bottom - r.top;
  if (width <= 0 || height <= 0) throw std::runtime_error("SaveScreenPng: the rectangle has no size");

  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;  // top-down
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 24;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HBITMAP dib = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC mem = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(mem, dib);
  BitBlt(mem, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
  GdiFlush();

  const int stride = (3 * width + 3) & ~3;
  std::vector<std::uint8_t> pixels(static_cast<const std::uint8_t*>(bits),
                                   static_cast<const std::uint8_t*>(bits) + std::size_t(stride) * height);
  SelectObject(mem, old);
  DeleteDC(mem);
  DeleteObject(dib);
  ReleaseDC(nullptr, screen);

  const char* dir = std::getenv("SPV_SHOT_DIR");
  std::filesystem::path folder = dir && *dir ? dir : ".";
  std::filesystem::create_directories(folder);
  std::filesystem::path file = folder / (name + ".png");
  spv::base::WritePng(file, width, height, stride, pixels);
  return file;
}

}  // namespace spv::test
