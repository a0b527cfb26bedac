#pragma once

#include "model/material.h"
#include "model/outline_trace.h"
#include "model/polygon.h"
#include "model/records.h"

#include <string>
#include <vector>

// A table whose entries all differ, so a face shows which entry coloured it.
TMaterialTable TestMaterials();

SegmentRecord Segment(float x1, float y1, float x2, float y2, int32_t material = 1);

// Moves the faces built so far out of PolygonList, leaving it empty.
std::vector<TPGon> TakeFaces();

// Empty when both lists hold the same faces to the bit, else the first difference.
std::string CompareFaces(const std::vector<TPGon>& expected, const std::vector<TPGon>& actual);

// The same for outline lists: points, links, Count and both flags.
std::string CompareOutlines(const std::vector<TMyPolyPoints>& expected,
                            const std::vector<TMyPolyPoints>& actual);

// One implementation of the two scanning steps: the indexed one or the plain one.
struct ModelBuilder
{
    const char* Name;
    void (*AssignHeights)(std::vector<LayerSlot>& slots);
    void (*BuildSlabs)(const TTxy& segments, const TMaterialTable& materials);
};
extern const ModelBuilder IndexedBuilder;
extern const ModelBuilder PlainBuilder;
