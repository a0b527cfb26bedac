#pragma once

#include <string>

// Interchange files of drawings that stress the model build, every segment
// on layer 0 and every mark reading "3,0" (walls from 0 to 3000).

// An n by n grid of 1000-unit rooms: each wall its own segment, a mark on
// every grid point, so every room becomes four walls and two slabs.
std::string GridOfRooms(int n);

// Segments from one centre point out to a circle, drawn alternately outwards
// and inwards; marks at the centre and the outer ends.
std::string Star(int segments);

// The same segment drawn again and again, marks at both ends.
std::string IdenticalSegments(int segments);

// A zigzag line of segments that never closes, a mark on every corner.
std::string OpenPolyline(int segments);

// One closed ring of segments round a circle, a mark on every corner.
std::string Ring(int segments);
