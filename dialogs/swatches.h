#pragma once

#include <QIcon>

// A square of the colour number's colour with a dark edge; colour 7 is
// white above the diagonal and black below it, as it shows on either
// background.
QIcon ColorSwatch(int color, int size = 16);
