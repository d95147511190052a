#pragma once

#include "core/number_separators.h"

// Sets the program's separators for one test and puts the previous ones
// back afterwards, so that no other test sees them.
class SeparatorsGuard {
 public:
  explicit SeparatorsGuard(NumberSeparators separators) : saved_(GetNumberSeparators()) {
    SetNumberSeparators(separators);
  }
  ~SeparatorsGuard() { SetNumberSeparators(saved_); }
  SeparatorsGuard(const SeparatorsGuard&) = delete;
  SeparatorsGuard& operator=(const SeparatorsGuard&) = delete;

 private:
  NumberSeparators saved_;
};
