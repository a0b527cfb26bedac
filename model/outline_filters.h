#pragma once

#include "model/records.h"
#include "model/trace_index.h"

// The filters BuildSlabs runs over OutlineList after the traces, in this order.

// Of outlines made of the same segments only the first in list order stays:
// an outline discards every other of its size that holds all its segments.
void RemoveDuplicateOutlines();

// Discards every outline of more than three points that a segment of the
// slot divides: one joining two of its points that are not neighbours.
void RemoveDividedOutlines(const TTxy& segments, const TraceIndex& index);

// Works out TopPlanar and BottomPlanar of outlines of more than three points:
// false where the normals at two successive corners disagree.
void TestOutlineFlatness();
