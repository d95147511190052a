#include "display/drag_object.h"

int FcDragObject::Draw(FcDisplaySurface*, const FcPoint2d&) { return 0; }

void FcDragObject::DrawFull(FcGraph*, FcDisplaySurface*, const FcPoint2d&) {}

bool FcDragObject::DrawTest(FcGraph*, FcDisplaySurface*, const FcPoint2d&, int) { return false; }
