// Time to convert a DXF of 100,000 LINE entities (a grid of rooms on four
// layers, written by the benchmark): reading alone, and the whole bridge run
// from the file to temp.txt and the material tables, with and without walls.
#include "dxf/dxf_read.h"
#include "tools/bridge_run.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

namespace
{

const int LineCount = 100'000;

std::string Folder()
{
    static std::string folder = []
    {
        char name[] = "/tmp/kv_dxf_bench_XXXXXX";
        return std::string(mkdtemp(name));
    }();
    return folder;
}

// An R12 ASCII DXF: a header naming millimetres, then the lines.
std::string PlanPath()
{
    static std::string path = []
    {
        std::ostringstream dxf;
        dxf << "0\nSECTION\n2\nHEADER\n9\n$INSUNITS\n70\n4\n0\nENDSEC\n0\nSECTION\n2\nENTITIES\n";
        for (int i = 0; i < LineCount; i++)
        {
            int room = i / 2;
            int column = room % 224;
            int row = room / 224;
            double x = column * 3000.0;
            double y = row * 3000.0;
            bool across = i % 2 == 0;
            dxf << "0\nLINE\n8\nLayer" << room % 4 << "\n10\n"
                << x << "\n20\n"
                << y << "\n11\n"
                << (across ? x + 3000 : x) << "\n21\n"
                << (across ? y : y + 3000) << "\n";
        }
        dxf << "0\nENDSEC\n0\nEOF\n";
        std::string file = Folder() + "/plan.dxf";
        std::ofstream(file) << dxf.str();
        return file;
    }();
    return path;
}

void BM_ReadDxf(benchmark::State& state)
{
    std::string path = PlanPath(); // written before the clock runs
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadDxfFile(path).Entities.size());
}

void BM_ConvertDxf(benchmark::State& state)
{
    TBridgeOptions options;
    options.Plan = PlanPath();
    options.Folder = Folder() + "/out";
    if (state.range(0))
        options.WallHeight = 2.4;
    std::ostringstream out;
    std::ostringstream err;
    for (auto _ : state)
        if (RunBridge(options, out, err) != 0)
            state.SkipWithError(err.str().c_str());
}

} // namespace

BENCHMARK(BM_ReadDxf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ConvertDxf)->Arg(0)->Arg(1)->ArgName("wall_height")->Unit(benchmark::kMillisecond);
