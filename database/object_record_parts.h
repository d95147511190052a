#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

#include "core/handle.h"

class FcFiler;
class FcFilerDwg;
class FcObject;
struct FcDwgRecordPlace;
struct FcResBuf;

// Pieces of the DXF and DWG records that the objects held in dictionaries
// (dictionaries, layouts, plot settings, multiline styles, draw-order
// tables, placeholders) write and read alike.

// The owner's handle, 0 without an owner.
FcHandle OwnerHandleOf(const FcObject& object);

// 102 "{ACAD_REACTORS", 330 the handle, 102 "}".
void WriteReactorGroups(FcFiler& filer, FcHandle owner);
// The common groups of the object and, when it has an owner, its reactor
// bracket naming the owner.
void WriteCommonGroupsWithReactors(FcObject& object, FcFiler& filer);

// Ends the data of a DWG record that has its owner as its one reactor:
// the data size, the owner with the code (relative to the object's own
// handle for 6 and above), the owner again as the reactor, no extension
// dictionary.
void WriteDwgOwnerHandles(FcObject& object, FcFilerDwg& filer, std::uint8_t ownerCode);

// Reads the next group; true when it is the subclass marker in any case.
bool ReadMarkerNoCase(FcFiler& filer, std::string_view marker);

// Takes one group of a record's own: 0 to go on, any other value ends the
// read with that result.
using RecordGroupReader = std::function<int(const FcResBuf& group)>;

// Hands every group to the reader up to the 0 or 100 that starts the next
// record or subclass, which is handed back. 0; 1 when a group cannot be
// read; otherwise what the reader returned.
int ReadDxfGroups(FcFiler& filer, const RecordGroupReader& take);
// ReadDxfGroups, with every 1001 read as extended data of the object
// wherever it stands; 2 when extended data fails.
int ReadDxfGroupsWithXdata(FcObject& object, FcFiler& filer, const RecordGroupReader& take);
// The rest of a record whose own groups have ended: ReadDxfGroupsWithXdata
// passing over every other group.
int ReadDxfTail(FcObject& object, FcFiler& filer);

// The bytes that remain of an object's record from the current position,
// never more than the file holds. Counts read from a record are checked
// against it before anything is reserved.
std::int64_t RecordBytesLeft(const FcFilerDwg& filer, const FcDwgRecordPlace& place);
// True when n items of at least bytesEach bytes fit in what is left.
bool CountFitsRecord(const FcFilerDwg& filer, const FcDwgRecordPlace& place, std::int64_t n,
                     std::int64_t bytesEach);
// The bytes that remain of the file from the current position.
std::int64_t FileBytesLeft(const FcFiler& filer);
