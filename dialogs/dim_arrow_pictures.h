#pragma once

#include <QIcon>

// The picture of a built-in arrowhead in the arrow lists, by its position
// in them (0 closed filled to 19 none): the arrow at the right end of a
// short dimension line, 13 pixels square. A null icon for any other
// position, so user blocks show their name only.
QIcon DimArrowPicture(int position);
