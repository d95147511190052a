#include "commands/dialogs/dim_zero_suppression.h"

DimZeroSuppression DimZeroSuppression::FromCode(int code) {
  DimZeroSuppression zeros;
  const int feetInches = code & 3;
  zeros.feet = feetInches == 0 || feetInches == 3;
  zeros.inches = feetInches == 0 || feetInches == 2;
  zeros.leading = (code & 4) != 0;
  zeros.trailing = (code & 8) != 0;
  return zeros;
}

int DimZeroSuppression::Code() const {
  int code = feet ? (inches ? 0 : 3) : (inches ? 2 : 1);
  if (leading) code += 4;
  if (trailing) code += 8;
  return code;
}

bool OffersLeadingTrailing(int unitFormat) { return unitFormat != kDimArchitectural; }

bool OffersFeetInches(int unitFormat) { return unitFormat == kDimEngineering || unitFormat == kDimArchitectural; }
