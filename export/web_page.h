#pragma once

#include "export/export_model.h"

#include <array>
#include <cstdint>
#include <string>

// What the web page shows beside the model, in the scene's own axes and
// units (plan x, height, stored plan y); the page scales them to the model's
// metres.
struct TWebPage
{
    std::string Title; // the drawing's folder name, as bytes
    int64_t Faces = 0; // the model's faces, for the page's line
    // The window's first picture: eye, the point it looks at, vertical field
    // of view in degrees.
    std::array<double, 3> Eye{};
    std::array<double, 3> Target{};
    double FieldOfView = 0;
    // The picture's point light: place, ambient and diffuse intensity, and
    // linear attenuation per unit of distance.
    std::array<double, 3> Light{};
    double LightAmbient = 0;
    double LightDiffuse = 0;
    double LightAttenuation = 0;
    double MetresPerUnit = 0.001; // as the model was exported with
};

// From this many triangles on, the page warns that it may be slow.
inline constexpr int64_t LargePageTriangles = 500000;

// One self-contained HTML file that shows model, embedded as the .glb the
// export writes, with three.js: from the drawing's view, in its colours, with
// orbit controls, view buttons and a check box per layer. Names go into the
// page as JSON data only. The same model and page give the same bytes.
std::string WebPageBytes(const TExportModel& model, const TWebPage& page);

// The bytes as base64 (RFC 4648, padded).
std::string Base64(std::string_view bytes);
