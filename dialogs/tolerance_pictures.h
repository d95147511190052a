#pragma once

#include <QPixmap>

class QToolButton;
class QWidget;

// The 30 x 27 picture of a tolerance symbol (a tolerance_symbol
// identifier), black on white; inverted, white on black, for the current
// one of a picker. The blank gives an empty picture.
QPixmap TolerancePicture(int symbol, bool inverted = false);

// A flat picture box showing a symbol; a click on it is its handler's.
QToolButton* NewPictureBox(const QString& name, int symbol, QWidget* parent);
// Shows the symbol in the box and keeps it as the box's "symbol" property.
void ShowPicture(QToolButton* box, int symbol, bool inverted = false);
