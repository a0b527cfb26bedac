#pragma once

#include "model/records.h"

#include <cstdint>
#include <vector>

// A seeded random drawing of one to three layer slots (the other slots
// empty), made to hit the awkward cases of height assignment and of the
// outline walk: rings on a lattice with shared corners and T-junctions,
// duplicate, reversed and zero-length segments, doubled dead ends, ends moved
// by just under or just over the tolerance, collinear segments leaving one
// point (equal Turns), crowded points, figure-eights, rings of about 100
// segments, marks on some corners only and repeated marks, and coordinates
// or heights that are huge, infinite or NaN, zeros drawn as -0, and lattices
// on the edges of the point index's cells.
std::vector<LayerSlot> RandomDrawing(uint32_t seed);

// The seeds a test runs, first to first + count - 1: KV_MODEL_FIRST_SEED
// (default 1) and KV_MODEL_SEEDS (default 300, 150 under the sanitizers).
struct TSeedRange
{
    uint32_t First = 1;
    uint32_t Count = 0;
};
TSeedRange SeedRange();
