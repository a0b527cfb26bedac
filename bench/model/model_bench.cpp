// Times the model build phase by phase on generated drawings, and the whole
// opening of the drawing's file (SceneLoader) with its peak memory. Each
// measurement runs once, cold, in a process of its own.
//
//   kv_model_bench [name...]   names: grid10 grid30 grid100 grid300 star
//                              identical polyline ring oracle30
//                              check300 checkpolyline checkstar

#include "bench/model/bench_drawings.h"
#include "check/plan_check.h"
#include "input/input_tables.h"
#include "input/material_files.h"
#include "input/scene_loader.h"
#include "model/build_model.h"
#include "model/heights_walls.h"
#include "model/model_tables.h"
#include "model/outline_filters.h"
#include "model/polygon.h"
#include "model/slabs.h"
#include "reference/model_oracle.h"

#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace
{

using Clock = std::chrono::steady_clock;

struct BenchCase
{
    const char* Name;
    std::function<std::string()> Make;
};

double Milliseconds(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// Adds the time f takes to total.
template <class F> void Timed(double& total, F&& f)
{
    Clock::time_point start = Clock::now();
    f();
    total += Milliseconds(start, Clock::now());
}

enum Phase
{
    Reading,
    Heights,
    Walls,
    Index,
    Traces,
    Duplicates,
    Chords,
    Flatness,
    Faces,
    PhaseCount
};
const char* const PhaseNames[PhaseCount] = {"read",  "heights", "walls",    "index", "traces",
                                            "dupl.", "chords",  "flatness", "faces"};

size_t SegmentCount(const std::vector<LayerSlot>& slots)
{
    size_t count = 0;
    for (const LayerSlot& slot : slots)
        count += slot.Segments.size();
    return count;
}

// The steps of SceneLoader after the file is in memory, each timed on its own.
void RunPhases(const std::string& text)
{
    double times[PhaseCount] = {};
    std::vector<LayerSlot> slots;
    Timed(times[Reading], [&] { slots = ReadSceneText(text); });
    Timed(times[Heights], [&] { AssignHeights(slots); });
    Timed(times[Walls], [&] { AppendWallFaces(slots, MaterialTable); });
    for (const LayerSlot& slot : slots)
    {
        TraceIndex index;
        Timed(times[Index], [&] { BuildTraceIndex(index, slot.Segments); });
        Timed(times[Traces], [&] { TraceSlotOutlines(slot.Segments, index); });
        Timed(times[Duplicates], [&] { RemoveDuplicateOutlines(); });
        Timed(times[Chords], [&] { RemoveDividedOutlines(slot.Segments, index); });
        Timed(times[Flatness], [&] { TestOutlineFlatness(); });
        Timed(times[Faces], [&] { AppendSlabFaces(slot.Segments, MaterialTable); });
    }
    double total = 0;
    for (double t : times)
        total += t;
    std::printf("%8zu %8zu |", SegmentCount(slots), PolygonList.size());
    for (double t : times)
        std::printf(" %8.1f", t);
    std::printf(" | %8.1f", total);
}

// The whole opening of the drawing as the program does it.
void RunSceneLoader(const std::string& path)
{
    Clock::time_point start = Clock::now();
    SceneLoader(path);
    std::printf(" | %8.1f", Milliseconds(start, Clock::now()));
}

// The plain scanning build against the indexed one on the same slots.
void RunOracle(const std::string& text)
{
    std::vector<LayerSlot> slots = ReadSceneText(text);
    std::vector<LayerSlot> copy = slots;
    double plain = 0, indexed = 0;
    Timed(plain, [&] { OracleBuildModel(copy, MaterialTable); });
    size_t plainFaces = PolygonList.size();
    ResetModelTables();
    Timed(indexed, [&] { BuildModel(slots, MaterialTable); });
    std::printf("plain build %.1f ms, indexed build %.1f ms: %.0f times faster (%zu and %zu faces)", plain,
                indexed, plain / indexed, plainFaces, PolygonList.size());
}

// Runs f in a child process and returns the child's peak resident memory in MB.
double InChild(const std::function<void()>& f)
{
    std::fflush(stdout);
    pid_t child = fork();
    if (child == 0)
    {
        f();
        std::fflush(stdout);
        _exit(0);
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        std::printf(" (failed)");
    return double(usage.ru_maxrss) / 1024;
}

// Adds the processor time f takes to total: steadier than the clock on a
// shared machine.
template <class F> void CpuTimed(double& total, F&& f)
{
    timespec start{}, end{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &start);
    f();
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &end);
    total += double(end.tv_sec - start.tv_sec) * 1e3 + double(end.tv_nsec - start.tv_nsec) / 1e6;
}

// The opening of the drawing as the window does it, against the opening as
// the plan check needs it (origins kept) followed by the check, each in a
// fresh process; processor times.
void RunCheck(const std::string& text)
{
    std::string path = "/tmp/kv_model_bench_" + std::to_string(getpid()) + ".txt";
    std::ofstream(path, std::ios::binary) << text;
    // Times the children hand back: plain opening, kept opening, check, findings.
    auto* times = static_cast<double*>(
        mmap(nullptr, 4 * sizeof(double), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0));
    InChild([&] { CpuTimed(times[0], [&] { SceneLoader(path); }); });
    InChild(
        [&]
        {
            TBuildRecord record;
            std::vector<TFinding> findings;
            CpuTimed(times[1], [&] { SceneLoader(path, &record); });
            CpuTimed(times[2], [&] { findings = CheckPlan(record); });
            times[3] = double(findings.size());
        });
    std::printf("loader %.1f ms; keeping origins %.1f ms, then the check %.1f ms (%.0f findings): %+.0f%%",
                times[0], times[1], times[2], times[3], 100 * (times[1] + times[2] - times[0]) / times[0]);
    munmap(times, 4 * sizeof(double));
    std::remove(path.c_str());
}

void PrintHeader()
{
    std::printf("%-10s %8s %8s |", "drawing", "segments", "faces");
    for (const char* name : PhaseNames)
        std::printf(" %8s", name);
    std::printf(" | %8s | %8s | %s\n", "sum", "loader", "peak MB");
}

void RunCase(const BenchCase& c)
{
    std::string path = "/tmp/kv_model_bench_" + std::to_string(getpid()) + ".txt";
    {
        std::ofstream(path, std::ios::binary) << c.Make();
    }
    std::printf("%-10s ", c.Name);
    InChild([&] { RunPhases(c.Make()); });
    double peak = InChild([&] { RunSceneLoader(path); });
    std::printf(" | %7.1f\n", peak);
    std::remove(path.c_str());
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<BenchCase> cases = {
        {"grid10", [] { return GridOfRooms(10); }},
        {"grid30", [] { return GridOfRooms(30); }},
        {"grid100", [] { return GridOfRooms(100); }},
        {"grid300", [] { return GridOfRooms(300); }},
        {"star", [] { return Star(5000); }},
        {"identical", [] { return IdenticalSegments(10000); }},
        {"polyline", [] { return OpenPolyline(100000); }},
        {"ring", [] { return Ring(10000); }},
    };
    auto wanted = [&](const char* name)
    {
        if (argc == 1)
            return true;
        for (int i = 1; i < argc; ++i)
            if (std::strcmp(argv[i], name) == 0)
                return true;
        return false;
    };
    std::printf("times in ms; sum = the phases; loader = SceneLoader on the file, in a fresh process\n");
    PrintHeader();
    for (const BenchCase& c : cases)
        if (wanted(c.Name))
            RunCase(c);
    if (wanted("oracle30"))
    {
        std::printf("grid30     ");
        InChild([] { RunOracle(GridOfRooms(30)); });
        std::printf("\n");
    }
    const BenchCase checked[] = {
        {"check300", [] { return GridOfRooms(300); }},
        {"checkpolyline", [] { return OpenPolyline(100000); }},
        {"checkstar", [] { return Star(5000); }},
    };
    for (const BenchCase& c : checked)
        if (wanted(c.Name))
        {
            std::printf("%-13s ", c.Name);
            RunCheck(c.Make());
            std::printf("\n");
        }
    return 0;
}
