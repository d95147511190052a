#pragma once

#include <cstdint>

#include "core/handle.h"

class FcFilerDwg;

// What the object bracket of the DWG stream needs of the object whose
// record it frames. The drawing's objects implement it, so that the stream
// stays below the database.
class FcDwgRecord {
 public:
  virtual FcHandle GetDwgHandle() const = 0;
  virtual std::int16_t GetDwgType() const = 0;
  // The object's extended data in its DWG form, closed by BS 0.
  virtual void WriteDwgExtendedData(FcFilerDwg& filer) = 0;
  // The extension dictionary, written as a record of its own right after
  // the object; null when the object has none.
  virtual FcDwgRecord* GetExtensionDictionary() = 0;
  // Writes the object's whole record, bracket included.
  virtual void WriteDwg(FcFilerDwg& filer) = 0;

 protected:
  ~FcDwgRecord() = default;
};
