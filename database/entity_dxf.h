#pragma once

#include <cstdint>
#include <string_view>

#include "core/point2d.h"
#include "database/entity.h"

class FcFiler;
struct FcResBuf;

// Reads one group of the class's own: 0 to go on, any other value ends the
// record's read with that result.
using EntityGroupReader = FcGroupReaderRef;

// The DXF reader every entity class runs: the common groups, the class's
// subclass marker (any case), then the class's groups up to the next group
// 0 or 100, which is put back for the caller. Groups 6, 8, 62 and 1001 are
// taken here wherever they stand; the class sees every other group. A
// record without any subclass marker is read by its group codes alone.
// 0 read; 1 a failure of the common reader, a missing marker or the end of
// the data; 2 bad extended data; 3 a linetype the drawing does not have;
// otherwise what the class's reader returned.
int ReadEntityDxf(FcEntity& entity, FcFiler& filer, std::string_view subclassMarker,
                  EntityGroupReader readOwnGroup);

// The next subclass of a record that ReadEntityDxf has begun: its marker
// (any case), then its groups as there. A record that ends instead (group
// 0, put back) is taken as read, which is how a record without subclass
// markers, read whole by ReadEntityDxf, comes here. The results of
// ReadEntityDxf.
int ReadEntitySubclassDxf(FcEntity& entity, FcFiler& filer, std::string_view subclassMarker,
                          EntityGroupReader readOwnGroup);

// A point as the group pair code (x) and code + 10 (y).
void WriteDxfPoint(FcFiler& filer, std::int16_t code, const FcPoint2d& point);
