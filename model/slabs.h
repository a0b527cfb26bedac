#pragma once

#include "model/build_record.h"
#include "model/material.h"
#include "model/outline_trace.h"
#include "model/records.h"

#include <cstdint>

// The number of slab faces an outline gives: none when it was discarded or
// its top is not flat; the top face; and the bottom face too where the
// bottom differs from the top and is flat.
int SlabFaceCount(const TMyPolyPoints& outline);

// Appends the slab faces of every outline, top face first.
void AppendSlabFaces(const TTxy& segments, const TMaterialTable& materials);

// Appends the slab faces of one slot's closed rings of segments: traces the
// outlines, filters them, then appends their faces. With a record, the
// segments are those of slot number `slot` of its Slots: the origins of the
// slab faces (lines from the slot's SegmentLines), the slot's index of
// segment ends and its closed and unflat outlines are kept there too.
void BuildSlabs(const TTxy& segments, const TMaterialTable& materials, TBuildRecord* record = nullptr,
                int32_t slot = 0);
