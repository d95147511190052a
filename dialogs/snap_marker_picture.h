#pragma once

#include <QColor>
#include <QPixmap>

// The marker of one object snap kind, as the drawing windows draw it,
// centred in a transparent square picture.
QPixmap SnapMarkerPicture(int kind, int side, const QColor& ink);
