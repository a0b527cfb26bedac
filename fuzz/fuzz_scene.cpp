// Feeds arbitrary bytes to the interchange reader as the contents of
// "temp.txt" and builds the model from what it reads, as SceneLoader does.
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
        std::vector<LayerSlot> slots =
            ReadSceneText(std::string_view(reinterpret_cast<const char*>(data), size));
        BuildModel(slots, MaterialTable);
    }
    catch (const ProgramError&)
    {
        // The reader's own failures are expected answers to bad input.
    }
    ResetModelTables();
    return 0;
}
