#pragma once

#include "render/picture.h"

#include <string>

// How WritePicture chooses the file format.
enum class TPictureFormat
{
    ByName, // PNG when the name ends in ".png", BMP otherwise
    Bmp,    // BMP whatever the name
};

// Writes the picture as an uncompressed 24-bit BMP of its size, or as a PNG
// when format says so, through WriteOutputFile: path is used as the bytes
// given, and a failed write never damages an existing file.
// Raises the file-create error naming path when the file cannot be written.
void WritePicture(const TPicture& picture, const std::string& path,
                  TPictureFormat format = TPictureFormat::ByName);
