// Feeds arbitrary bytes to the DXF bridge as a DXF file: read with dxflib,
// blocks expanded, the interchange file written with walls on every layer.
#include "dxf/block_expand.h"
#include "dxf/dxf_read.h"
#include "dxf/dxf_text.h"
#include "dxf/interchange_writer.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    try
    {
        TDxfDrawing drawing =
            ReadDxfBytes(std::string(reinterpret_cast<const char*>(data), size), "fuzz.dxf");
        TPlanDrawing plan = ExpandDrawing(drawing, {});
        TTextEncoder encoder(drawing.Version, drawing.CodePage);
        TInterchangeOptions options;
        options.WallHeight = 2.4;
        WriteInterchange(plan, encoder, options);
    }
    catch (const DxfError&)
    {
        // A clear refusal is an expected answer to bad input.
    }
    return 0;
}
