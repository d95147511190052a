#pragma once

// The four zero suppression switches of a dimension style's unit code
// (DIMZIN, DIMALTZ, DIMTZIN, DIMALTTZ): the low two bits say whether zero
// feet and zero inches are written, 4 drops leading zeros, 8 trailing ones.
struct DimZeroSuppression {
  bool feet = true;
  bool inches = true;
  bool leading = false;
  bool trailing = false;

  static DimZeroSuppression FromCode(int code);
  int Code() const;
};

// The unit formats of the unit lists, by position (the unit variable less 1).
enum DimUnitFormat { kDimScientific, kDimDecimal, kDimEngineering, kDimArchitectural, kDimFractional };

// Which zero switches a unit format offers: leading and trailing zeros for
// all but architectural units, zero feet and inches for units with feet.
bool OffersLeadingTrailing(int unitFormat);
bool OffersFeetInches(int unitFormat);

// Whether a list position or value lies within low..high.
inline bool InRange(int value, int low, int high) { return value >= low && value <= high; }
