#pragma once

#include <cstddef>
#include <vector>

#include "core/handle.h"

class FcEntity;
class FcFilerDwg;
class FcGraph;

// The plain entities of a large DWG file, decoded ahead on several threads.
// Such a record's decoding depends only on its bytes and on tables that
// stay unchanged while model space is read, so each thread decodes a share
// of the object map's records into entities of their own. The chain reader
// then takes them in its own order and adds them to the drawing on its one
// thread, exactly as it would have read them itself; a record not decoded
// here (another kind, a failed read, a handle the map holds twice) it reads
// as before. Entities never taken are deleted with the prefetch.
class FcDwgEntityPrefetch {
 public:
  // An entity with the links and extra handles its record gave.
  struct Decoded {
    FcEntity* entity = nullptr;
    FcHandle previous = 0;
    FcHandle next = 0;
    FcHandle extra1 = 0;
    FcHandle extra2 = 0;
    FcHandle extra3 = 0;
  };

  FcDwgEntityPrefetch() = default;
  ~FcDwgEntityPrefetch();
  FcDwgEntityPrefetch(const FcDwgEntityPrefetch&) = delete;
  FcDwgEntityPrefetch& operator=(const FcDwgEntityPrefetch&) = delete;

  // Decodes the records that no chain has passed yet, on the filer's
  // number of threads; nothing on one thread. The drawing's tables must
  // be read and must not change until every entity has been taken.
  void Decode(FcFilerDwg& filer, FcGraph& graph);
  // Hands over the entity decoded from the record the filer's map finds for
  // the handle; false when there is none. The caller finishes it
  // (FcEntity::FinishDecodedAhead) when it adds it to the drawing.
  bool Take(const FcFilerDwg& filer, FcHandle handle, Decoded& decoded);

 private:
  // By object map index; an empty slot holds no entity.
  std::vector<Decoded> slots_;
};

// The threads a read of that many records uses when the filer leaves the
// choice to the machine: one for a small file, where starting threads
// costs more than it gains.
int ChooseDwgDecodeThreads(std::size_t records);
