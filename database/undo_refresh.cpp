#include "database/undo_refresh.h"

void RefreshAfterUndo(FcGraph&, FcUndoRefresh) {}

void RedrawUndoneEntities(FcGraph&, const FcEntitySets&) {}
