#pragma once

#include <QIcon>
#include <QPixmap>

#include <string>

namespace lexoria {

// Reads a JPEG, GIF, BMP or ICO picture (an icon's first image). Throws
// FileError naming the path and the reason when the file is missing, empty,
// cut short or no picture Qt can read.
QPixmap readPicture(const std::string& path);

// Reads every image of an icon file, each checked as readPicture checks.
QIcon readIcon(const std::string& path);

}  // namespace lexoria
