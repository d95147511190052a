#pragma once

#include <QIcon>
#include <QSize>
#include <QString>

// The image of a toolbar button. A bitmap name with a "." is an image file
// (BMP, or any format Qt reads), tried as written, then in the menu file's
// folder, then along the search path, scaled to the size with its light
// grey left see-through; any other name is one of the program's own drawn
// images ("ICON_LINE_16" and "ICON_LINE_24" are the same drawing at two
// sizes). A name neither finds is shown as the first letters of the
// button's label.
QIcon MenuButtonIcon(const QString& bitmap_name, const QString& label, QSize size, const QString& menu_folder);
