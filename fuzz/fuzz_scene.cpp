// Feeds arbitrary bytes to the interchange reader as the contents of
// "temp.txt" and builds the model from what it reads, as SceneLoader does;
// then builds it again keeping the origins, which must give the same faces
// and one origin each, and runs the plan check on that.
#include "check/plan_check.h"
#include "common/errors.h"
#include "input/input_tables.h"
#include "input/material_files.h"
#include "input/scene_loader.h"
#include "model/build_model.h"
#include "model/model_tables.h"
#include "model/polygon.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // A table with a distinct colour per entry, as after reading the material files.
    static bool materialsSet = []
    {
        for (int i = 0; i < MaterialEntryCount; ++i)
            MaterialTable[i] = {i / 81.0f, 0.5f, 1 - i / 81.0f, 0.5f, 0.5f, 0, 0};
        return true;
    }();
    (void)materialsSet;

    ResetSceneState();
    try
    {
        std::string_view text(reinterpret_cast<const char*>(data), size);
        std::vector<LayerSlot> slots = ReadSceneText(text);
        BuildModel(slots, MaterialTable);
        size_t faces = PolygonList.size();
        ResetModelTables();
        TBuildRecord record;
        slots = ReadSceneText(text, &record);
        BuildModel(slots, MaterialTable, &record);
        if (PolygonList.size() != faces || record.FaceOrigins.size() != faces)
            __builtin_trap();
        CheckPlan(record);
    }
    catch (const ProgramError&)
    {
        // The reader's own failures are expected answers to bad input.
    }
    ResetModelTables();
    return 0;
}
