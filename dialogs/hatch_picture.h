#pragma once

#include <QPixmap>
#include <string>

// A pattern's picture, size pixels square: its own lines over a one-unit
// square for the patterns that have a picture, the default picture for
// the rest and for no pattern.
QPixmap HatchPicture(const std::string& pattern, int size);
