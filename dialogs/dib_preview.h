#pragma once

#include <QImage>
#include <QSize>

class CDib;
class CPaintBox;
class QWidget;

// A 24-bit picture (rows bottom-up) as an image of its own size; a null
// image for any other picture.
QImage DibImage(const CDib& picture);

// The same image reduced to fit the box, keeping its proportions.
QImage PreviewImage(const CDib& picture, const QSize& box);

// A square preview box named "preview" that draws the picture its owner
// keeps, centred; nothing while the picture is null.
CPaintBox* NewPreviewBox(int side, const QImage* picture, QWidget* parent);
