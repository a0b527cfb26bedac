#pragma once

#include <QPixmap>

// The 16 by 16 images of the two shading buttons, drawn here rather than
// shipped as files.

// A plain white square, for flat shading.
QPixmap FlatButtonImage();

// Grey running diagonally from black at the top left corner to nearly white
// at the bottom right corner, for smooth shading.
QPixmap GradButtonImage();
