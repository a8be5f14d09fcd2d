// Loading the program's skin from the block it carries: inflating, reading the eleven
// bitmaps and the description. The program does this once while its main window is made.

#include <benchmark/benchmark.h>

#include "resources/ProgramSkin.h"
#include "skin/resources/bsSkinData.h"

static void BM_LoadProgramSkin(benchmark::State& state) {
  const auto block = spv::ProgramSkinBlock();
  for (auto _ : state) {
    bs::TbsSkinDataCore skin;
    skin.LoadFromCompressedData(block.data(), block.size());
    benchmark::DoNotOptimize(skin.SkinControls.data());
  }
}
BENCHMARK(BM_LoadProgramSkin)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

// What a control does at every paint: find its description by name.
static void BM_FindSkinControl(benchmark::State& state) {
  const auto block = spv::ProgramSkinBlock();
  bs::TbsSkinDataCore skin;
  skin.LoadFromCompressedData(block.data(), block.size());
  for (auto _ : state) benchmark::DoNotOptimize(skin.FindSkinControl("resizetoolpanel"));
}
BENCHMARK(BM_FindSkinControl);
