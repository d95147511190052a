#pragma once

#include "core/matrix2d.h"

class FcAttribute;
class FcEntitySets;
class FcInsert;

// Where the attribute walk hands each block reference and its attributes:
// the extraction file's writer fills one line per reference.
class FcAttributeSink {
 public:
  virtual ~FcAttributeSink() = default;
  // Before each block reference.
  virtual void ClearFields() = 0;
  // Once per attribute of the reference; the block columns only with all
  // set (the first attribute). x and y are the insertion point in the
  // walked set's coordinates; level counts the blocks around the reference.
  virtual int FillFields(bool all, const FcAttribute& attribute, int level, double x, double y,
                         const FcInsert& reference) = 0;
  // True when a line was written for the reference.
  virtual bool WriteRecord() = 0;
};

// Hands every block reference that carries attributes to the sink, those of
// the set first and then, block by block, those nested in the blocks the
// set's references draw (one level deeper, their points taken through the
// references). The number of lines written. Nesting past the drawable
// depth is not walked.
int ExtractAttributes(const FcEntitySets& entities, int level, const FcMatrix2d& matrix, FcAttributeSink& sink);
