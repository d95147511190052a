#pragma once

class FcEntity;

// A select condition that the selection command puts in the drawing for the
// duration of one selection; the drawing's selection operations ask it
// about every entity they would select.
class FcSelectFilter {
 public:
  virtual ~FcSelectFilter() = default;
  virtual bool Accepts(const FcEntity* entity) const = 0;
  virtual void CopyFrom(const FcSelectFilter& other) = 0;
};
