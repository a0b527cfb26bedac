// The window's start on the example house against a reload of it (F5): the
// start from reading the files to the first picture, with a context of its
// own as every start has; the reload reading the files again into fresh
// tables, then drawing with the context the window keeps.
#include "input/input_tables.h"
#include "model/model_tables.h"
#include "render/render_view.h"
#include "start/start_sequence.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace
{

void EnterHouse()
{
    std::filesystem::current_path(KV_SOURCE_DIR "/examples/house");
}

void BM_StartSequence(benchmark::State& bench)
{
    EnterHouse();
    for (auto _ : bench)
    {
        TStartState state;
        TBuildRecord record;
        RunStartSequence(state, &record);
    }
}
BENCHMARK(BM_StartSequence)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Reload(benchmark::State& bench)
{
    EnterHouse();
    TStartState state;
    TBuildRecord record;
    RunStartSequence(state, &record);
    for (auto _ : bench)
    {
        if (ReloadDrawing(state, record))
            bench.SkipWithError("the house did not read");
        RenderView(state.Context, state.Picture, state.Render);
    }
}
BENCHMARK(BM_Reload)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
