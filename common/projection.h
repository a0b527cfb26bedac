#pragma once

// The picture's perspective keeps what lies between these distances from the
// eye, along the line of sight, in model units.
inline constexpr double NearPlane = 500;
inline constexpr double FarPlane = 50000;
