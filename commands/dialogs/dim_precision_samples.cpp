#include "commands/dialogs/dim_precision_samples.h"

#include "commands/dialogs/dim_zero_suppression.h"

namespace {

constexpr int kSamples = 9;

// Position 0, then head, separator, n zeros and tail for n = 1 to 8.
std::vector<std::string> Decimals(const std::string& first, const std::string& head, char separator,
                                  const std::string& tail) {
  std::vector<std::string> samples{first};
  for (int n = 1; n < kSamples; ++n) samples.push_back(head + separator + std::string(n, '0') + tail);
  return samples;
}

// Position 0, then head, " 1/2^n" and tail.
std::vector<std::string> Fractions(const std::string& first, const std::string& head, const std::string& tail) {
  std::vector<std::string> samples{first};
  for (int n = 1; n < kSamples; ++n) samples.push_back(head + " 1/" + std::to_string(1 << n) + tail);
  return samples;
}

}  // namespace

std::vector<std::string> PrecisionSamples(int unitFormat, char separator) {
  switch (unitFormat) {
    case kDimScientific: return Decimals("0E+01", "0", separator, "E+01");
    case kDimEngineering: return Decimals("0'-0\"", "0'-0", separator, "\"");
    case kDimArchitectural: return Fractions("0'-0\"", "0'-0", "\"");
    case kDimFractional: return Fractions("0", "0", "");
    default: return Decimals("0", "0", separator, "");
  }
}

std::vector<std::string> AnglePrecisionSamples(int angleFormat, char separator) {
  switch (angleFormat) {
    case 1: {
      std::vector<std::string> samples{"0d", "0d00'", "0d00'00\""};
      for (int n = 1; n < kSamples - 2; ++n) samples.push_back("0d00'00." + std::string(n, '0') + "\"");
      return samples;
    }
    case 2: return Decimals("0g", "0", separator, "g");
    case 3: return Decimals("0r", "0", separator, "r");
    default: return Decimals("0", "0", separator, "");
  }
}
