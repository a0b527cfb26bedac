// Times the export of generated grids of rooms on top of loading them: the
// triangles filed by layer, kind and material, then each file's bytes, then
// writing them. Each step is timed as CPU time of the process (user and
// system) in three runs, the fastest counting, so that other work on the
// machine disturbs the figures less.
//
//   kv_export_bench [n...]   grids of n by n rooms (default: 100 300)

#include "bench/model/bench_drawings.h"
#include "common/output_file.h"
#include "export/export_model.h"
#include "export/gltf_file.h"
#include "export/obj_file.h"
#include "input/input_tables.h"
#include "input/material_files.h"
#include "input/scene_loader.h"
#include "model/build_record.h"
#include "model/model_tables.h"
#include "model/polygon.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>

namespace
{

enum Step
{
    Loading,
    Filing,
    GlbMaking,
    GlbWrite,
    GltfMaking,
    GltfWrite,
    ObjMaking,
    ObjWrite,
    StepCount
};
using TTimes = std::array<double, StepCount>;

double CpuMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

template <class F> double Milliseconds(F&& f)
{
    const double start = CpuMilliseconds();
    f();
    return CpuMilliseconds() - start;
}

TTimes RunGrid(const std::filesystem::path& folder, size_t& triangles, size_t& glbSize)
{
    TTimes times{};
    const std::string drawing = (folder / "temp.txt").string();
    ReleaseFaces();
    TBuildRecord record;
    times[Loading] = Milliseconds([&] { SceneLoader(drawing, &record); });
    TExportModel model;
    times[Filing] = Milliseconds(
        [&]
        {
            model = BuildExportModel(PolygonList, record.FaceOrigins, record.LayerNames, MaterialTable,
                                     BackgroundColor, 0.001);
        });
    std::string bytes;
    times[GlbMaking] = Milliseconds([&] { bytes = GltfBytes(model, true); });
    times[GlbWrite] = Milliseconds([&] { WriteOutputFile((folder / "grid.glb").string(), bytes); });
    glbSize = bytes.size();
    times[GltfMaking] = Milliseconds([&] { bytes = GltfBytes(model, false); });
    times[GltfWrite] = Milliseconds([&] { WriteOutputFile((folder / "grid.gltf").string(), bytes); });
    times[ObjMaking] = Milliseconds([&] { bytes = ObjText(model, "grid.mtl") + MtlText(model); });
    times[ObjWrite] = Milliseconds([&] { WriteOutputFile((folder / "grid.obj").string(), bytes); });
    triangles = static_cast<size_t>(model.Triangles);
    return times;
}

void BenchGrid(int n, const std::filesystem::path& folder)
{
    WriteOutputFile((folder / "temp.txt").string(), GridOfRooms(n));
    size_t triangles = 0, glbSize = 0;
    TTimes best = RunGrid(folder, triangles, glbSize);
    for (int run = 1; run < 3; ++run)
    {
        const TTimes times = RunGrid(folder, triangles, glbSize);
        for (int step = 0; step < StepCount; ++step)
            best[step] = std::min(best[step], times[step]);
    }
    std::printf("| grid of rooms %d × %d | %zu | %zu | %.1f | %.1f | %.1f + %.1f | %.1f + %.1f | %.1f + %.1f "
                "| %.1f |\n",
                n, n, PolygonList.size(), triangles, best[Loading], best[Filing], best[GlbMaking],
                best[GlbWrite], best[GltfMaking], best[GltfWrite], best[ObjMaking], best[ObjWrite],
                static_cast<double>(glbSize) / 1e6);
}

} // namespace

int main(int argc, char** argv)
{
    char pattern[] = "/tmp/kv_export_bench_XXXXXX";
    if (!mkdtemp(pattern))
        return 1;
    const std::filesystem::path folder = pattern;
    LoadMaterial("examples/house/material.txt");
    LoadMaterial2("examples/house/material2.txt");
    std::printf("CPU ms, fastest of three runs; \"a + b\": making the bytes + writing the file\n");
    std::printf("| drawing | faces | triangles | loading | filing | .glb | .gltf | .obj | .glb MB |\n");
    std::printf("|---|---|---|---|---|---|---|---|---|\n");
    if (argc == 1)
    {
        BenchGrid(100, folder);
        BenchGrid(300, folder);
    }
    for (int i = 1; i < argc; ++i)
        BenchGrid(std::atoi(argv[i]), folder);
    std::filesystem::remove_all(folder);
    return 0;
}
