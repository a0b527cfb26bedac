// The window's findings panel opening on 10,000 findings (the open ends of a
// star of 10,000 segments): the rows made, the table's model filled, the
// panel shown and painted, under the offscreen platform. And a change of the
// severity filter on the open panel.
#include "app/side_panel.h"
#include "bench/model/bench_drawings.h"
#include "check/plan_check.h"
#include "input/input_tables.h"
#include "input/scene_loader.h"
#include "model/build_model.h"
#include "model/polygon.h"

#include <benchmark/benchmark.h>

#include <QApplication>

namespace
{

struct TStarFindings
{
    TBuildRecord Record;
    std::vector<TFinding> Findings;
};

const TStarFindings& StarFindings()
{
    static const TStarFindings star = []
    {
        TStarFindings made;
        ReleaseFaces();
        std::vector<LayerSlot> layerSlots = ReadSceneText(Star(10000), &made.Record);
        BuildModel(layerSlots, MaterialTable, &made.Record);
        made.Findings = CheckPlan(made.Record);
        return made;
    }();
    return star;
}

void Paint(TSidePanel& panel)
{
    panel.show();
    panel.repaint();
    QApplication::processEvents();
}

void BM_FindingsPanelOpens(benchmark::State& bench)
{
    const TStarFindings& star = StarFindings();
    for (auto _ : bench)
    {
        TSidePanel panel(nullptr);
        panel.resize(600, 500);
        panel.ShowFindings(star.Findings, star.Record);
        Paint(panel);
    }
    bench.counters["findings"] = double(star.Findings.size());
}
BENCHMARK(BM_FindingsPanelOpens)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_FindingsFilterChanges(benchmark::State& bench)
{
    const TStarFindings& star = StarFindings();
    TSidePanel panel(nullptr);
    panel.resize(600, 500);
    panel.ShowFindings(star.Findings, star.Record);
    Paint(panel);
    int filter = 0;
    for (auto _ : bench)
    {
        panel.SeverityFilter.setCurrentIndex(filter = filter == 0 ? 2 : 0);
        panel.ShowFindings(star.Findings, star.Record);
        Paint(panel);
    }
}
BENCHMARK(BM_FindingsFilterChanges)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
