#pragma once

#include "model/records.h"

#include <cstdint>
#include <vector>

// The ambient light colour an "al" text sets. Stored for the host; nothing draws with it.
struct TAmbientLight
{
    float Red = 0.5f;
    float Green = 0.5f;
    float Blue = 0.5f;
};

// A light an "sl" or "sls" text adds. Stored for the host; nothing draws with it.
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

// What the drawing's annotations set besides the model. Reset by every
// SceneLoader call and kept until the next.
extern TViewParameters ViewParameters;
extern TAmbientLight AmbientLight;
extern std::vector<LightSource> LightList;

// Puts ViewParameters, AmbientLight and LightList back to the values every
// reading of the interchange file starts from.
void ResetSceneState();
