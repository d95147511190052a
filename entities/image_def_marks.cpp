#include "entities/image_def_marks.h"

#include <unordered_set>
#include <vector>

#include "database/dictionary.h"
#include "entities/raster_image.h"

void MarkImageDefs(FcDictionary& dictionary) {
  std::unordered_set<const FcDictionary*> seen{&dictionary};
  std::vector<FcDictionary*> pending{&dictionary};
  while (!pending.empty()) {
    FcDictionary* current = pending.back();
    pending.pop_back();
    for (int i = 0; i < current->GetEntryCount(); ++i) {
      FcObject* object = current->GetEntry(i).object;
      if (auto* definition = dynamic_cast<FcRasterImageDef*>(object)) definition->SetWriteMark(true);
      auto* nested = dynamic_cast<FcDictionary*>(object);
      if (nested != nullptr && seen.insert(nested).second) pending.push_back(nested);
    }
  }
}
