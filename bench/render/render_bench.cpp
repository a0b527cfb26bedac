// Time of one render pass over scenes of walls seen from the reader's default
// view: the first render of the process (which also sets up the software
// rasterizer) and later renders of 0 to 100,000 faces. Then the example house
// and a 100 by 100 grid of rooms in the window's picture and in a 1600 by
// 1200 one with 4 samples a pixel. And the draw list of grids of rooms, and
// what the window redraws after a layer check box or the cut height.
#include "bench/model/bench_drawings.h"
#include "input/input_tables.h"
#include "input/material_files.h"
#include "input/scene_loader.h"
#include "model/layers.h"
#include "model/model_tables.h"
#include "model/polygon.h"
#include "render/camera.h"
#include "render/drag_list.h"
#include "render/navigation.h"
#include "render/render_view.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>

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
        DrawPolygon& face = state.DrawList.Faces.emplace_back();
        for (int c = 0; c < 3; ++c)
        {
            face.FaceColor[c] = 0.3f + 0.2f * float(c);
            face.ShadeColor[c] = face.FaceColor[c] * 2 / 3;
        }
        std::vector<std::array<float, 3>>& vertices = state.DrawList.Vertices;
        const float left = float(x), right = float(x + spacing * 0.8), depth = float(z);
        face.FirstVertex = int32_t(vertices.size());
        vertices.insert(vertices.end(), {{left, 0, depth}, {right, 0, depth}, {right, 2400, depth}});
        if (i % 4 != 0)
            vertices.push_back({left, 2400, depth});
        face.VertexCount = int32_t(vertices.size()) - face.FirstVertex;
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
    bench.counters["faces"] = double(scene.DrawList.Faces.size());
}
BENCHMARK(BM_Render)
    ->Arg(0)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The scene the start sequence makes of a drawing file, coloured by the
// example house's materials; record keeps where each face came from.
TRenderState DrawingScene(const std::string& drawing, TBuildRecord* record = nullptr)
{
    const std::string house = KV_SOURCE_DIR "/examples/house/";
    LoadMaterial(house + "material.txt");
    LoadMaterial2(house + "material2.txt");
    ReleaseFaces();
    SceneLoader(drawing, record);
    TRenderState state;
    DeriveCamera(ViewParameters, state.Camera);
    BuildDrawList(PolygonList, state.DrawList);
    TakeEyePoint(ViewParameters, state.Camera);
    state.BackColor = BackgroundColor;
    return state;
}

// The scene of an n by n grid of rooms.
TRenderState GridScene(int n, TBuildRecord* record = nullptr)
{
    const std::string path = "kv_render_bench_grid.txt";
    std::ofstream(path, std::ios::binary) << GridOfRooms(n);
    TRenderState state = DrawingScene(path, record);
    std::remove(path.c_str());
    return state;
}

// The house, or an n by n grid of rooms; record keeps where each face came
// from.
TRenderState Drawing(int which, TBuildRecord* record = nullptr)
{
    return which == 0 ? DrawingScene(KV_SOURCE_DIR "/examples/house/temp.txt", record)
                      : GridScene(which, record);
}

// A picture of the size the window shows: 0 its first 400 by 300, 1 800 by
// 600.
void SizePicture(bool large, TPicture& picture, TRenderState& scene)
{
    if (!large)
        return;
    picture.Width = 800;
    picture.Height = 600;
    picture.Pixels.resize(size_t(800) * 600);
    scene.AspectRatio = 800 / 600.0;
}

// The draw list of an n by n grid of rooms, made afresh from the loaded faces.
void BM_BuildDrawList(benchmark::State& bench)
{
    TRenderState scene = GridScene(int(bench.range(0)));
    for (auto _ : bench)
        BuildDrawList(PolygonList, scene.DrawList);
    bench.counters["faces"] = double(PolygonList.size());
}
BENCHMARK(BM_BuildDrawList)->Arg(100)->Arg(300)->Unit(benchmark::kMillisecond)->UseRealTime();

// Arguments: 0 the house, 1 the grid; 0 the window's picture, 1 1600 by 1200
// with 4 samples.
void BM_Picture(benchmark::State& bench)
{
    TRenderState scene = Drawing(bench.range(0) == 1 ? 100 : 0);
    TPicture picture;
    TGLCanvasContext context;
    if (bench.range(1) == 1)
    {
        picture.Width = 1600;
        picture.Height = 1200;
        picture.Pixels.resize(size_t(1600) * 1200);
        scene.AspectRatio = 1600 / 1200.0;
        context.Samples = 4;
    }
    RenderView(context, picture, scene);
    RenderedBefore = true;
    for (auto _ : bench)
        RenderView(context, picture, scene);
    bench.counters["faces"] = double(scene.DrawList.Faces.size());
}
BENCHMARK(BM_Picture)
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->ArgNames({"grid", "large"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The lighter list drawn while the view moves, made from the full list of
// an n by n grid of rooms.
void BM_BuildDragList(benchmark::State& bench)
{
    const TRenderState scene = GridScene(int(bench.range(0)));
    TDragList drag;
    for (auto _ : bench)
        drag = BuildDragList(scene.DrawList);
    bench.counters["faces"] = double(scene.DrawList.Faces.size());
    bench.counters["dragFaces"] = double(drag.List.Faces.size());
}
BENCHMARK(BM_BuildDragList)->Arg(100)->Arg(300)->Unit(benchmark::kMillisecond)->UseRealTime();

// A drag replayed as the window sees it: each frame the pointer has moved a
// little, the eye turns 2 degrees about the target and rises or sinks by
// one, and the picture is drawn as the window draws it while the view moves:
// a model of more than 10,000 faces from its lighter list, the faces in
// view only. Arguments: the drawing (0 the house, 100 or 300 a grid of
// rooms), the view the drag starts from (0 the drawing's, 1 framed as F
// frames it), the picture (0 the window's 400 by 300, 1 800 by 600, 2 1280
// by 800) and the list (0 as the window, 1 the full list).
void BM_Drag(benchmark::State& bench)
{
    TRenderState scene = Drawing(int(bench.range(0)));
    const int sizes[][2] = {{400, 300}, {800, 600}, {1280, 800}};
    TPicture picture;
    picture.Width = sizes[bench.range(2)][0];
    picture.Height = sizes[bench.range(2)][1];
    picture.Pixels.resize(size_t(picture.Width) * size_t(picture.Height));
    if (bench.range(2) > 0)
        scene.AspectRatio = double(picture.Width) / picture.Height;
    TViewParameters start = ViewParameters;
    if (bench.range(1) == 1)
        FrameModel(start, scene.DrawList, scene.AspectRatio, false);
    const bool light = bench.range(3) == 0 && scene.DrawList.Faces.size() > 10000;
    const TDragList drag = light ? BuildDragList(scene.DrawList) : TDragList{};
    std::vector<DrawPolygon> inView;
    TGLCanvasContext context;
    RenderView(context, picture, scene);
    RenderedBefore = true;
    TViewParameters view = start;
    int frame = 0;
    for (auto _ : bench)
    {
        TurnAboutTarget(view, 2);
        RaiseAboutTarget(view, frame++ % 20 < 10 ? 1 : -1);
        TViewParameters derived = view;
        DeriveCamera(derived, scene.Camera);
        TakeEyePoint(derived, scene.Camera);
        if (!light)
        {
            RenderView(context, picture, scene);
            continue;
        }
        FacesInView(drag, scene.Camera, scene.AspectRatio, false, inView);
        RenderFaces(context, picture, scene, drag.List, inView);
    }
    bench.counters["faces"] = double((light ? drag.List : scene.DrawList).Faces.size());
}
BENCHMARK(BM_Drag)
    ->ArgsProduct({{0, 100, 300}, {0, 1}, {0, 1, 2}, {0, 1}})
    ->ArgNames({"drawing", "framed", "size", "full"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// What the window does when a layer's check box is clicked: the draw list
// made again with the layer left out, and a render. The layer hidden holds no
// face, so that every face is still listed and drawn: the most a click costs.
// Arguments: 0 the house, 1 the 100 by 100 grid; the picture as in
// SizePicture.
void BM_LayerToggle(benchmark::State& bench)
{
    TBuildRecord record;
    TRenderState scene = Drawing(bench.range(0) == 1 ? 100 : 0, &record);
    TPicture picture;
    SizePicture(bench.range(1) == 1, picture, scene);
    TGLCanvasContext context;
    RenderView(context, picture, scene);
    RenderedBefore = true;
    THiddenLayers hidden;
    hidden.set(LayerSlotCount - 1);
    for (auto _ : bench)
    {
        BuildDrawList(PolygonList, record.FaceOrigins, hidden, scene.DrawList);
        RenderView(context, picture, scene);
    }
    bench.counters["faces"] = double(scene.DrawList.Faces.size());
}
BENCHMARK(BM_LayerToggle)
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->ArgNames({"grid", "800x600"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// A render cut at half the model's height, as after a move of the cut
// height's slider, against the same render uncut.
void BM_CutHeight(benchmark::State& bench)
{
    TRenderState scene = Drawing(bench.range(0) == 1 ? 100 : 0);
    TPicture picture;
    SizePicture(bench.range(1) == 1, picture, scene);
    if (bench.range(2) == 1)
        scene.CutHeight = 1500;
    TGLCanvasContext context;
    RenderView(context, picture, scene);
    RenderedBefore = true;
    for (auto _ : bench)
        RenderView(context, picture, scene);
}
BENCHMARK(BM_CutHeight)
    ->ArgsProduct({{0, 1}, {0, 1}, {0, 1}})
    ->ArgNames({"grid", "800x600", "cut"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace
