#pragma once

// Whether the window system Qt will open the window on can be reached. Qt
// aborts the program when it cannot connect to the display; checking first
// lets the program say so and end normally.
bool WindowSystemReachable();
