#pragma once

#include "model/records.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

// The texts that tell a view shown in the window: as the companion's options,
// as the texts a drawing could carry, in the status line and in the mode
// line. Positions are given in the drawing's terms: plan x and y as the host
// writes them, heights in metres.

// The shortest decimal text that the companion's options and the drawing's
// texts store back as stored, when read as a number and multiplied by scale
// (1000 for heights): "1.6" for a stored height of 1600. Fixed notation
// while it stays short.
std::string StoredValueText(float stored, double scale);

// What else the options say besides the view.
struct TPictureOptions
{
    std::optional<std::array<int, 2>> Size; // none: the window's 400 by 300 picture
    bool Orthographic = false;
    bool Flat = false;
    std::vector<int> HiddenLayers; // layer slots, group * 16 + layer
    std::optional<float> Cut;      // as the model stores heights
};

// The companion's options that draw view as shown: "--eye=X,Y,H
// --target=X,Y,H --fov=F", then "--size=WxH", "--ortho" and "--flat" as
// picture asks, a "--hide-layer=G/L" for each hidden layer and "--cut=H". The "=" form keeps a negative value
// from reading as an option.
std::string CompanionOptions(const TViewParameters& view, const TPictureOptions& picture);

// The texts a drawing could carry to give view: where to put "v,H,F" and
// "f,H". The orthographic projection has none, and the line says so.
std::string DrawingTextsLine(const TViewParameters& view, bool orthographic);

// The status line while the view moves: eye, target and field of view, to
// the drawing unit, the centimetre and the degree.
std::string ViewStatus(const TViewParameters& view);

// The mode line: orbit or walk, perspective or orthographic.
std::string ModeLine(bool walking, bool orthographic);
