#pragma once

#include <memory>
#include <string>

#include "core/resbuf.h"
#include "database/dictionary.h"
#include "database/graph.h"
#include "database/layout.h"
#include "database/mline_style.h"
#include "database/object_factory.h"
#include "database/sort_ents_table.h"
#include "filers/filer.h"
#include "filers/filer_dwg.h"
#include "tests/support/object_test_support.h"


// Reads the record whose group 0 is next into the object: the result of
// its reader, or -1 when the record is of another kind.
inline int ReadRecord(FcFiler& filer, FcObject& object) {
  FcResBuf group;
  if (!filer.ReadGroup(group) || group.type != 0 || group.text == nullptr ||
      object.GetRecordName() != group.text)
    return -1;
  return object.ReadDxf(filer);
}

// Reads the records that follow a dictionary's own up to 0 "ENDSEC" as the
// objects section does: each made by its record name, read and linked by
// handle; records nobody takes are deleted. The entries never linked go at
// the end. False when a record fails or the section does not end.
inline bool ReadAndLinkRecords(FcFiler& filer, FcDictionary& root) {
  FcResBuf group;
  while (filer.ReadGroup(group)) {
    if (group.type != 0 || group.text == nullptr) return false;
    if (std::string(group.text) == "ENDSEC") {
      root.RemoveUnresolved(true);
      return true;
    }
    std::unique_ptr<FcObject> object(CreateObjectByName(group.text));
    if (object == nullptr || object->ReadDxf(filer) != 0) return false;
    if (root.LinkObject(object.get())) object.release();
  }
  return false;
}

// A DWG memory file with the object's record (and those it writes after
// it) behind one leading byte, so that no record sits at offset 0.
inline void WriteDwgRecords(FcFilerDwg& filer, FcGraph& graph, FcObject& object) {
  StartMemory(filer, FcFileKind::kDwg, &graph);
  filer.WriteRawByte(0);
  object.WriteDwg(filer);
}

// Writes the dictionary and everything it holds in the DXF form, then
// reads it back into read as the objects section would. False when
// anything fails.
inline bool DxfRoundTrip(FcDictionary& written, FcFileKind kind, FcGraph& graph, FcDictionary& read) {
  FcFiler filer;
  StartMemory(filer, kind, &graph);
  if (written.WriteDxf(filer) != 0) return false;
  filer.WriteString(0, "ENDSEC");
  filer.Seek(0, FcSeekOrigin::kBegin);
  return ReadRecord(filer, read) == 0 && ReadAndLinkRecords(filer, read);
}

// The same through DWG records; the filer keeps the records written. The
// result of the dictionary's reader.
inline int DwgRoundTrip(FcDictionary& written, FcGraph& graph, FcFilerDwg& filer, FcDictionary& read) {
  WriteDwgRecords(filer, graph, written);
  read.SetHandle(written.GetHandle());
  return read.ReadDwg(filer);
}

// Flips one bit of the byte before the CRC of the last record written and
// points the other filer at the result, with the same object map.
inline void StartDamagedCopy(const FcFilerDwg& filer, FcFilerDwg& other, FcGraph* graph) {
  std::string bytes = Contents(filer);
  bytes[bytes.size() - 3] ^= 0x10;
  StartReading(other, bytes, FcFileKind::kDwg, graph);
  for (const FcObjectMapEntry& entry : filer.GetObjectMap().Entries())
    other.GetObjectMap().Insert(entry.handle, entry.offset);
}
