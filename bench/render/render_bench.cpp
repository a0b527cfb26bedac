// Time of one render pass over scenes of walls seen from the reader's default
// view: the first render of the process (which also sets up the software
// rasterizer) and later renders of 0 to 100,000 faces.
#include "render/camera.h"
#include "render/render_view.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace
{

bool RenderedBefore = false;

// count upright wall faces, four corners each, on a grid 16000 wide around
// the default target; every fourth one a triangle.
TRenderState WallScene(int count)
{
    TRenderState state;
    TViewParameters view;
    DeriveCamera(view, state.Camera);
    TakeEyePoint(view, state.Camera);
    state.BackColor = {255, 255, 255};
    const int side = int(std::ceil(std::sqrt(double(count))));
    const double spacing = 16000.0 / side;
    for (int i = 0; i < count; ++i)
    {
        const double x = (i % side) * spacing - 8000;
        const double z = (i / side) * spacing - 8000;
        DrawPolygon& face = state.DrawList.emplace_back();
        for (int c = 0; c < 3; ++c)
        {
            face.FaceColor[c] = 0.3 + 0.2 * c;
            face.ShadeColor[c] = face.FaceColor[c] * 2 / 3;
        }
        face.VertexList = {{x, 0, z}, {x + spacing * 0.8, 0, z}, {x + spacing * 0.8, 2400, z}};
        if (i % 4 != 0)
            face.VertexList.push_back({x, 2400, z});
    }
    return state;
}

void BM_FirstRenderOfProcess(benchmark::State& bench)
{
    if (RenderedBefore)
    {
        bench.SkipWithError("only the first benchmark of the process measures a first render");
        return;
    }
    const TRenderState scene = WallScene(1000);
    TPicture picture;
    TGLCanvasContext context;
    for (auto _ : bench)
        RenderView(context, picture, scene);
    RenderedBefore = true;
}
BENCHMARK(BM_FirstRenderOfProcess)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Render(benchmark::State& bench)
{
    const TRenderState scene = WallScene(int(bench.range(0)));
    TPicture picture;
    TGLCanvasContext context;
    RenderView(context, picture, scene);
    RenderedBefore = true;
    for (auto _ : bench)
        RenderView(context, picture, scene);
    bench.counters["faces"] = double(scene.DrawList.size());
}
BENCHMARK(BM_Render)
    ->Arg(0)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace
