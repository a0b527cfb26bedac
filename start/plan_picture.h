#pragma once

#include "check/finding.h"
#include "model/build_record.h"
#include "model/material.h"
#include "model/polygon.h"

#include <string>
#include <vector>

// The plan picture's size when none is asked for.
inline constexpr int PlanWidth = 1200;
inline constexpr int PlanHeight = 900;

// The plan seen from above, fitted with a margin into a picture of width by
// height with true proportions: segments that became walls in their face
// colour, the others in grey dashes, every line made to stand out from the
// white ground; slabs filled lightly. Warnings get red circles numbered as in
// the list of findings (moved aside where they would overlap), notes small
// marks in their kind's colour. Under the plan a key counts the notes by kind
// and lists each numbered warning with its kind, layer and temp.txt line, in
// columns; warnings it has no room for are counted and marked small. faces
// are the model the record describes, materials the table it was built with.
// Returns the bytes of an SVG file, or of a PNG file when svg is false. Needs
// a QGuiApplication.
std::string DrawPlan(const std::vector<TPGon>& faces, const TBuildRecord& record,
                     const TMaterialTable& materials, const std::vector<TFinding>& findings, int width,
                     int height, bool svg);
