// How long the skinned string grid takes to show a full-HD screen of text, the main window's
// way (five columns, a header row, rows 16 high, whole-row selection, the program's skin):
// a whole paint; a scroll by one row, which should cost no more than a whole paint; and, in a
// grid of 100,000 rows, a jump to the last page against a jump to the second row, which should
// cost the same whatever the number of rows before the end.
#include "skin/controls/bsSkinGrids.h"

#include "platform/Forms.h"
#include "resources/ProgramSkin.h"
#include "support/BenchTiming.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace spv::platform;

using spv::bench::Pump;

// Runs `step` (which changes what the grid shows) and the paint it causes, `times` times after
// a few warm-up runs; the milliseconds of each, to the picture on the display, the program
// idling between steps.
std::vector<double> Time(bs::TbsSkinStringGrid& grid, int times, const std::function<void(int)>& step) {
  std::vector<double> ms;
  for (int i = 0; i < times + 5; ++i) {
    const double t0 = spv::bench::NowMs();
    step(i);
    UpdateWindow(grid.Handle());
    spv::bench::WaitForDisplay();
    const double t1 = spv::bench::NowMs();
    if (i >= 5) ms.push_back(t1 - t0);
    spv::bench::IdleBetweenSteps();
  }
  return ms;
}

void Report(const char* what, const std::vector<double>& ms) {
  const spv::bench::TStats s = spv::bench::Stats(ms);
  std::printf("%-44s median %7.3f ms, min %7.3f ms, max %7.3f ms (%zu runs)\n", what, s.Median, s.Min, s.Max, ms.size());
}

bs::TbsSkinStringGrid* AddGrid(TForm& form, bs::TbsSkinData* skin, int rows) {
  auto* g = new bs::TbsSkinStringGrid(&form);
  g->SetParent(&form);
  g->SetBounds(0, 0, 1920, 1080);
  g->SetUseSkinCellHeight(false);
  g->SetDefaultRowHeight(16);
  g->SetFixedCols(0);
  g->SetRowCount(rows);
  g->SetOptions(bs::goFixedVertLine | bs::goFixedHorzLine | bs::goVertLine | bs::goHorzLine | bs::goRowSelect);
  const int widths[] = {90, 700, 600, 230, 295};
  for (int i = 0; i < 5; ++i) g->SetColWidths(i, widths[i]);
  g->SetGridLineColor(clWindowText);
  const char* header[] = {"No", "Performer", "Title", "Time", "Place"};
  for (int i = 0; i < 5; ++i) g->SetCellText(i, 0, header[i]);
  for (int r = 1; r < rows; ++r) {
    g->SetCellText(0, r, std::to_string(r));
    g->SetCellText(1, r, "The performer of the song number " + std::to_string(r) + ", with the band");
    g->SetCellText(2, r, "A song about the spring, the summer and the autumn, part " + std::to_string(r));
    g->SetCellText(3, r, "12:" + std::to_string(10 + r % 50) + ":00");
    g->SetCellText(4, r, std::to_string(r * 3 % 41) + " of 40");
  }
  g->SetSkinData(skin);
  return g;
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
  auto form = std::make_unique<TForm>();
  form->SetBorderStyle(TFormBorderStyle::bsNone);
  form->SetBounds(0, 0, 1920, 1080);
  auto* skin = new bs::TbsSkinData(form.get());
  const auto block = spv::ProgramSkinBlock();
  skin->LoadFromCompressedData(block.data(), block.size());

  bs::TbsSkinStringGrid* screen = AddGrid(*form, skin, 1000);
  form->Show();
  Pump();
  if (!screen->Skinned() || screen->ClientWidth() != 1920 || screen->ClientHeight() != 1080) {
    std::fprintf(stderr, "the skinned 1920 x 1080 grid could not be made\n");
    return 1;
  }
  std::printf("a 1920 x 1080 grid of %d rows of 5 columns on screen\n", screen->VisibleRowCount() + 1);
  Report("whole paint", Time(*screen, runs, [&](int) { screen->Invalidate(); }));
  Report("scroll by one row (down, then up)", Time(*screen, runs, [&](int i) {
    screen->SetFirstVisibleCell(0, screen->FirstVisibleCell().Y + (i % 2 ? -1 : 1));
  }));
  Report("current row one down (the wheel)", Time(*screen, runs, [&](int i) {
    SendMessageW(screen->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(short(i % 2 ? 120 : -120))), 0);
  }));
  Report("1,000 rows: first row to last page, back", Time(*screen, runs, [&](int i) {
    screen->SetFirstVisibleCell(0, i % 2 ? 1 : 1000);
  }));
  screen->SetVisible(false);

  bs::TbsSkinStringGrid* big = AddGrid(*form, skin, 100000);
  Pump();
  Report("100,000 rows: first row to second, back", Time(*big, runs, [&](int i) {
    big->SetFirstVisibleCell(0, i % 2 ? 1 : 2);
  }));
  Report("100,000 rows: first row to last page, back", Time(*big, runs, [&](int i) {
    big->SetFirstVisibleCell(0, i % 2 ? 1 : 100000);
  }));
  Report("100,000 rows: the End and Home keys", Time(*big, runs, [&](int i) {
    SendMessageW(big->Handle(), WM_KEYDOWN, i % 2 ? VK_HOME : VK_END, 0);
  }));
  return 0;
}
