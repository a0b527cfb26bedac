#pragma once

#include "model/material.h"
#include "model/outline_trace.h"
#include "model/records.h"
#include "model/trace_index.h"

// The steps of BuildSlabs for one slot, in the order it runs them; separate
// so that each can be timed.

// Empties OutlineList and traces from every segment, first from end 1 to
// end 2 for all segments, then from end 2 to end 1.
void TraceSlotOutlines(const TTxy& segments, const TraceIndex& index);

// Of outlines made of the same segments only the first in list order stays:
// an outline discards every other of its size that holds all its segments.
void RemoveDuplicateOutlines();

// Discards every outline of more than three points that a segment of the
// slot divides: one joining two of its points that are not neighbours.
void RemoveDividedOutlines(const TTxy& segments, const TraceIndex& index);

// Works out TopPlanar and BottomPlanar of outlines of more than three points:
// false where the normals at two successive corners disagree.
void TestOutlineFlatness();

// Appends the top face, and the bottom face where it differs and is flat, of
// every remaining outline whose top is flat.
void AppendSlabFaces(const TTxy& segments, const TMaterialTable& materials);
