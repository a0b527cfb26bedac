#pragma once

#include "model/material.h"

#include <cstdint>
#include <vector>

// One vertex of a face: plan x, height, plan y, and w (always 1).
struct TPtVertex
{
    float X = 0;
    float Y = 0;
    float Z = 0;
    float W = 1;
};

using TPt = std::vector<TPtVertex>;

// One face of the model: its vertices in order and the values of the
// material entry that colours it.
class TPGon
{
public:
    TPt Vertices;
    int32_t VertexCount = 0;
    float Material4 = 0;
    float Material5 = 0;
    float Color[3] = {0, 0, 0};
    float Material6 = 0;
    float Material7 = 0;

    // Takes the seven entry values and starts the vertex list afresh.
    void SetMaterial(const TMaterialEntry& entry);
    void AddVertex(float x, float y, float z);
};

// Appends a new face coloured by entry and returns it for its vertices.
TPGon& AppendFace(const TMaterialEntry& entry);

// Releases every face, last to first, and their origins.
void ReleaseFaces();
