// How long a whole paint of the skinned frame of a full-HD window takes: the border strips
// built from the skin's picture, the objects drawn into them, the strips blitted, as the
// paint request (message 48203) does it into the window's own device context.
#include "skin/frame/bsSkinForm.h"

#include "resources/ProgramSkin.h"
#include "support/BenchTiming.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

using namespace spv::platform;

using spv::bench::Pump;

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

  HDC dc = GetWindowDC(form->Handle());
  std::vector<double> ms;
  ms.reserve(std::size_t(paints));
  for (int i = 0; i < paints + 5; ++i) {
    const double t0 = spv::bench::NowMs();
    const LRESULT answer = SendMessageW(form->Handle(), 48203, WPARAM(dc), 16802);
    GdiFlush();
    const double t1 = spv::bench::NowMs();
    if (answer != 16802) {
      std::fprintf(stderr, "the paint request was answered %lld\n", static_cast<long long>(answer));
      return 1;
    }
    if (i >= 5) ms.push_back(t1 - t0);
  }
  ReleaseDC(form->Handle(), dc);

  const spv::bench::TStats s = spv::bench::Stats(ms);
  std::printf("skinned frame paint, 1920 x 1080, %d paints: median %.3f ms, min %.3f ms, max %.3f ms\n", paints,
              s.Median, s.Min, s.Max);
  return 0;
}
