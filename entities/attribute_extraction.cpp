#include "entities/attribute_extraction.h"

#include "database/block.h"
#include "database/entity_sets.h"
#include "entities/attribute.h"
#include "entities/insert.h"

namespace {

int ExtractAtDepth(const FcEntitySets& entities, int level, const FcMatrix2d& matrix, FcAttributeSink& sink,
                   int depth) {
  int written = 0;
  for (int i = 0; i < entities.GetCount(); ++i) {
    const auto* insert = dynamic_cast<const FcInsert*>(entities.GetAt(i));
    if (insert == nullptr || insert->GetEntitiesFollow() == 0) continue;
    sink.ClearFields();
    FcPoint2d at = insert->GetInsertionPoint();
    TransformPoint(matrix, at);
    bool first = true;
    for (int k = i + 1; k < entities.GetCount(); ++k) {
      const auto* attribute = dynamic_cast<const FcAttribute*>(entities.GetAt(k));
      if (attribute == nullptr) break;
      sink.FillFields(first, *attribute, level, at.x, at.y, *insert);
      first = false;
    }
    if (sink.WriteRecord()) ++written;
  }
  if (depth >= kMaxInsertNesting) return written;
  for (const FcEntity* entity : entities) {
    const auto* insert = dynamic_cast<const FcInsert*>(entity);
    const FcBlock* block = insert != nullptr ? insert->GetBlockRecord() : nullptr;
    if (block == nullptr) continue;
    FcMatrix2d nested;
    ComposeMatrices(nested, insert->CellMatrix(0, 0), matrix);
    written += ExtractAtDepth(block->GetEntities(), level + 1, nested, sink, depth + 1);
  }
  return written;
}

}  // namespace

int ExtractAttributes(const FcEntitySets& entities, int level, const FcMatrix2d& matrix, FcAttributeSink& sink) {
  return ExtractAtDepth(entities, level, matrix, sink, 0);
}
