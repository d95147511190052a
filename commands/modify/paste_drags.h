#pragma once

#include <cstdint>

#include "commands/drag_at_cursor.h"
#include "display/drag_object.h"
#include "entities/mtext.h"

class FcInsert;

// The previews of a paste: the block reference or the text being placed,
// not yet in the drawing, drawn whole for the cursor.

// The reference's insertion point follows the cursor; once it is placed,
// the reference turns about it towards the cursor.
class FcDragInsert : public FcDragObject {
 public:
  enum Stage : std::int32_t { kMoving = 0, kRotating = 1 };

  explicit FcDragInsert(FcInsert& insert) : insert_(insert) { mode = 1; }
  void DrawFull(FcGraph* drawing, FcDisplaySurface* surface, const FcPoint2d& point) override;

  const FcInsert& GetInsert() const { return insert_; }
  std::int32_t stage = kMoving;

 private:
  FcInsert& insert_;
};

// The text's insertion point follows the cursor.
using FcDragPasteText = FcDragAtCursor<FcMText>;
