#pragma once

#include "check/finding.h"
#include "model/build_record.h"
#include "model/layers.h"
#include "model/material.h"
#include "model/polygon.h"

#include <QPainter>
#include <QPointF>

#include <optional>
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
// The segments and slabs of hidden layers are left out; the findings all
// stay. Returns the bytes of an SVG file, or of a PNG file when svg is
// false. Needs a QGuiApplication.
std::string DrawPlan(const std::vector<TPGon>& faces, const TBuildRecord& record,
                     const TMaterialTable& materials, const std::vector<TFinding>& findings, int width,
                     int height, bool svg, const THiddenLayers& hidden = {});

// How the window's plan view shows the plan.
struct TPlanLook
{
    THiddenLayers Hidden; // their segments and slabs are left out
    // The fitted plan is zoomed by Zoom about the picture's top left corner,
    // then moved by PanX, PanY pixels.
    double Zoom = 1;
    double PanX = 0;
    double PanY = 0;
    std::optional<size_t> Picked; // the finding ringed, by its place in findings
};

// The plan as DrawPlan draws it, without the key (a list beside the view
// takes its place), so that every warning is numbered as in the list of
// findings, onto painter's picture of width by height, as look shows it.
void PaintPlan(QPainter& painter, const std::vector<TPGon>& faces, const TBuildRecord& record,
               const TMaterialTable& materials, const std::vector<TFinding>& findings, int width, int height,
               const TPlanLook& look);

// PaintPlan of the model in the module tables, which record describes.
void PaintModelPlan(QPainter& painter, const TBuildRecord& record, const std::vector<TFinding>& findings,
                    int width, int height, const TPlanLook& look);

// Where each finding's place (NaN for one that has none) lies in what
// PaintPlan paints with the same arguments.
std::vector<QPointF> FindingPlaces(const TBuildRecord& record, const std::vector<TFinding>& findings,
                                   int width, int height, const TPlanLook& look);

// Zooms look by factor, within limits, about the picture point at, which
// stays in place.
void ZoomPlanAt(TPlanLook& look, double factor, QPointF at);

// Moves look so that the finding lies in the middle of the picture, unless
// it lies well inside already.
void BringIntoView(TPlanLook& look, const TBuildRecord& record, const std::vector<TFinding>& findings,
                   size_t finding, int width, int height);
