#pragma once

#include "database/object.h"

class FcFiler;
struct FcResBuf;

// The common groups of an object record after its group 0: the handle, the
// extension-dictionary bracket and extended data, up to the first subclass
// marker. The results of FcObject::ReadDxf, except that on success the
// marker stays in group instead of being put back for the next read, so
// that a reader of the record's own groups can go on from it. A record
// that ends before any marker gives 5, its next group 0 put back.
int ReadObjectDxfGroups(FcObject& object, FcFiler& filer, FcResBuf& group);
