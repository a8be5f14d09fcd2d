// How long a whole paint of the skinned frame of a full-HD window takes: the border strips
// built from the skin's picture, the objects drawn into them, the strips blitted, as the
// paint request (message 48203) does it into the window's own device context.
#include "skin/frame/bsSkinForm.h"

#include "resources/ProgramSkin.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

using namespace spv::platform;

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

}  // namespace

int main(int argc, char** argv) {
  const int paints = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
  auto form = std::make_unique<TForm>();
  auto* skin = new bs::TbsSkinData(form.get());
  const auto block = spv::ProgramSkinBlock();
  skin->LoadFromCompressedData(block.data(), block.size());
  auto* frame = new bs::TbsSkinForm(form.get());
  frame->SetSkinData(skin);
  form->SetCaption(L"Spinvolt: a full-HD frame");
  form->SetBounds(0, 0, 1920, 1080);
  form->Show();
  Pump();
  RECT r;
  GetWindowRect(form->Handle(), &r);
  if (!frame->Skinned() || r.right - r.left != 1920 || r.bottom - r.top != 1080) {
    std::fprintf(stderr, "the skinned 1920 x 1080 window could not be made\n");
    return 1;
  }

  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  HDC dc = GetWindowDC(form->Handle());
  std::vector<double> ms;
  ms.reserve(std::size_t(paints));
  for (int i = 0; i < paints + 5; ++i) {
    LARGE_INTEGER t0, t1;
    QueryPerformanceCounter(&t0);
    const LRESULT answer = SendMessageW(form->Handle(), 48203, WPARAM(dc), 16802);
    GdiFlush();
    QueryPerformanceCounter(&t1);
    if (answer != 16802) {
      std::fprintf(stderr, "the paint request was answered %lld\n", static_cast<long long>(answer));
      return 1;
    }
    if (i >= 5) ms.push_back(double(t1.QuadPart - t0.QuadPart) * 1000.0 / double(frequency.QuadPart));
  }
  ReleaseDC(form->Handle(), dc);

  std::sort(ms.begin(), ms.end());
  const double median = ms.size() % 2 ? ms[ms.size() / 2] : (ms[ms.size() / 2 - 1] + ms[ms.size() / 2]) / 2;
  std::printf("skinned frame paint, 1920 x 1080, %d paints: median %.3f ms, min %.3f ms, max %.3f ms\n", paints,
              median, ms.front(), ms.back());
  return 0;
}
