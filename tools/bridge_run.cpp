#include "tools/bridge_run.h"

#include "common/errors.h"
#include "common/output_file.h"
#include "dxf/block_expand.h"
#include "dxf/default_materials.h"
#include "dxf/drawing_units.h"
#include "dxf/dxf_read.h"
#include "dxf/interchange_writer.h"
#include "dxf/plan_summary.h"
#include "dxf/regular_file.h"
#include "tools/command_line.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <ostream>

namespace
{

bool Exists(const std::string& path)
{
    struct stat status;
    return stat(path.c_str(), &status) == 0;
}

// Creates the output folder when it is missing; refuses a temp.txt that
// the bridge did not write unless forced.
void PrepareFolder(const std::string& folder, bool force)
{
    struct stat status;
    if (stat(folder.c_str(), &status) != 0)
    {
        if (mkdir(folder.c_str(), 0777) != 0)
            throw DxfError("cannot create the folder " + folder + ": " + std::strerror(errno));
        return;
    }
    if (!S_ISDIR(status.st_mode))
        throw DxfError(folder + " exists and is not a folder");
    std::string temp = folder + "/temp.txt";
    if (force || !Exists(temp))
        return;
    std::string start = ReadRegularFile(temp, std::strlen(BridgeMark));
    if (start != BridgeMark)
        throw DxfError(temp +
                       " was not written by kestrelview-dxf; it is left as it is (--force overwrites it)");
}

void PrintSummary(std::ostream& out, const std::string& temp, const TDrawingUnit& unit,
                  const std::vector<TSkipCount>& kinds, const TPlanDrawing& plan,
                  const TInterchange& interchange, const TTextEncoder& encoder, const TBridgeOptions& options)
{
    out << "kestrelview-dxf: " << options.Plan << " -> " << temp << "\n";
    out << "unit: " << unit.Description << "\n";
    PrintExtent(out, interchange.Extent, unit);
    out << "layers: " << plan.Layers.size() << "\n";
    PrintLayers(out, interchange.Layers, options.WallHeight);
    out << "segments: " << interchange.Segments << " (straight " << interchange.Straight << ", arc chords "
        << interchange.Segments - interchange.Straight << ")\n";
    out << "texts: " << interchange.Texts << "\n";
    if (options.WallHeight)
        out << "marks added: " << interchange.MarksAdded << " (walls " << *options.WallHeight << " m high)\n";
    if (!kinds.empty())
    {
        out << "skipped, kinds that are not converted:";
        for (const TSkipCount& skip : kinds)
            out << " " << skip.Count << " " << skip.What;
        out << "\n";
    }
    for (const TSkipCount& skip : plan.Skipped)
        out << "skipped: " << skip.Count << " " << skip.What << "\n";
    if (interchange.EmptyTexts)
        out << "skipped: " << interchange.EmptyTexts << " text empty once converted\n";
    if (encoder.Unconvertible)
        out << "characters Shift-JIS cannot hold, written as \"?\": " << encoder.Unconvertible << "\n";
    PrintView(out, interchange.View);
}

} // namespace

int RunBridge(const TBridgeOptions& options, std::ostream& out, std::ostream& err)
{
    try
    {
        TDxfDrawing drawing = ReadDxfFile(options.Plan);
        TPlanDrawing plan = ExpandDrawing(drawing, options.Layers);
        TDrawingUnit unit = ChooseDrawingUnit(options.Unit, drawing.Units);
        TTextEncoder encoder(drawing.Version, drawing.CodePage);
        TInterchangeOptions interchangeOptions;
        interchangeOptions.SourceName = options.Plan;
        interchangeOptions.UnitScale = unit.Millimetres;
        interchangeOptions.WallHeight = options.WallHeight;
        interchangeOptions.View = options.View;
        TInterchange interchange = WriteInterchange(plan, encoder, interchangeOptions);

        std::string folder = OutputFolder(options);
        PrepareFolder(folder, options.Force);
        std::string temp = folder + "/temp.txt";
        WriteOutputFile(temp, interchange.Bytes);
        // The user's own colours stay: the tables are written only when missing.
        if (!Exists(folder + "/material.txt"))
            WriteOutputFile(folder + "/material.txt", DefaultMaterialText());
        if (!Exists(folder + "/material2.txt"))
            WriteOutputFile(folder + "/material2.txt", DefaultMaterial2Text());
        PrintSummary(out, temp, unit, drawing.Skipped, plan, interchange, encoder, options);
    }
    catch (const DxfError& error)
    {
        err << "kestrelview-dxf: " << error.what() << "\n";
        return ExitFailed;
    }
    catch (const ProgramError& error)
    {
        err << "kestrelview-dxf: " << error.what() << "\n";
        return ExitFailed;
    }
    catch (const std::bad_alloc&)
    {
        err << "kestrelview-dxf: not enough memory to convert " << options.Plan << "\n";
        return ExitFailed;
    }
    catch (const std::exception& error)
    {
        err << "kestrelview-dxf: cannot convert " << options.Plan << ": " << error.what() << "\n";
        return ExitFailed;
    }
    return ExitSucceeded;
}
