#include "dxf/plan_summary.h"

#include <ostream>

void PrintExtent(std::ostream& out, const TPlanExtent& extent, const TDrawingUnit& unit)
{
    out << "extent: ";
    if (!extent.Finite)
        out << "not finite, a coordinate is beyond what Kestrelview holds\n";
    else if (extent.Empty())
        out << "none, no segments\n";
    else
    {
        double width = extent.MaxX - extent.MinX, depth = extent.MaxY - extent.MinY;
        double metres = unit.Millimetres / 1000;
        out << width << " x " << depth << " " << unit.Name;
        if (unit.Millimetres != 1000)
            out << " (" << width * metres << " x " << depth * metres << " m)";
        out << "\n";
    }
}

void PrintLayers(std::ostream& out, const std::vector<TLayerSummary>& layers,
                 std::optional<double> wallHeight)
{
    for (const TLayerSummary& layer : layers)
    {
        out << "  " << layer.Name << ": ";
        if (layer.Segments == 0)
        {
            out << "no segments\n";
            continue;
        }
        out << layer.Segments << (layer.Segments == 1 ? " segment, " : " segments, ");
        if (layer.Heights == TLayerHeights::Marked)
            out << "height texts on their ends\n";
        else if (layer.Heights == TLayerHeights::Added)
            out << "walls " << *wallHeight << " m high (--wall-height)\n";
        else
            out << "slabs only, no height text on their ends"
                << (wallHeight ? "" : " (--wall-height H gives walls)") << "\n";
    }
}

void PrintView(std::ostream& out, const TPlanView& view)
{
    out << "view: " << view.Description << "\n";
}
