#pragma once

#include "render/camera.h"
#include "render/draw_list.h"

#include <array>
#include <vector>

// A lighter draw list for the pictures drawn while the view moves: four-sided
// faces of one colour that meet along a whole side and together make a
// four-sided face again (the rooms of a row, a wall cut at every joint) are
// drawn as that one face, and each face carries a sphere round it, so that
// faces out of the picture can be left out. The full list is drawn again
// once the view stops.
struct TDragList
{
    TDrawList List;
    // Per face of List: the centre (x, y, z) and radius of a sphere holding it.
    std::vector<std::array<float, 4>> Spheres;
};

TDragList BuildDragList(const TDrawList& full);

// The faces of drag that may show in the picture of camera, with the
// projection's width over height and its kind; faces whose sphere lies
// wholly outside the picture's sides, or before the near plane of the
// perspective, are left out.
void FacesInView(const TDragList& drag, const TCamera& camera, double aspect, bool orthographic,
                 std::vector<DrawPolygon>& faces);
