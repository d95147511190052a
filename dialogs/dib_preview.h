#pragma once

#include <QImage>
#include <QSize>

class CDib;

// A 24-bit picture (rows bottom-up) as an image reduced to fit the box,
// keeping its proportions; a null image for any other picture.
QImage PreviewImage(const CDib& picture, const QSize& box);
