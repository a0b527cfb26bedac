#pragma once

#include "model/material.h"
#include "model/records.h"

#include <array>

#include <cstdint>
#include <vector>

// The ambient light colour an "al" text sets. Kept, and shown in the
// companion's JSON; nothing draws with it.
struct TAmbientLight
{
    float Red = 0.5f;
    float Green = 0.5f;
    float Blue = 0.5f;
};

// A light an "sl" or "sls" text adds. Kept, and shown in the companion's
// JSON; nothing draws with it.
struct LightSource
{
    float X = 0;
    float Height = 0;
    float Y = 0;
    float Unused = 0;
    float Red = 0.5f;
    float Green = 0.5f;
    float Blue = 0.5f;
    float Distance = 0;
    uint8_t Flag = 0;
};

// The module-level tables the readers fill. They live for the whole run:
// filled at start and only read afterwards.

// The colours of the 81 line type and colour combinations and the picture's
// background. All zero until the material files are read.
extern TMaterialTable MaterialTable;
extern std::array<int32_t, 3> BackgroundColor;

// What the drawing's annotations set besides the model. Reset by every
// SceneLoader call and kept until the next.
extern TViewParameters ViewParameters;
extern TAmbientLight AmbientLight;
extern std::vector<LightSource> LightList;

// Puts ViewParameters, AmbientLight and LightList back to the values every
// reading of the interchange file starts from.
void ResetSceneState();

// Puts the material table and background back to their start-of-run zeros.
void ClearMaterials();

// Puts every table above back to its start.
void ResetInputTables();
