#include "commands/dialogs/tolerance_symbols.h"

#include <algorithm>
#include <array>

namespace tolerance_symbol {
namespace {

constexpr std::array kCharacteristics{kPosition,     kConcentricity, kSymmetry,       kParallelism,   kPerpendicularity,
                                      kAngularity,   kCylindricity,  kFlatness,       kCircularity,   kStraightness,
                                      kSurfaceProfile, kLineProfile, kCircularRunout, kTotalRunout};
constexpr std::array kConditions{kMaximumMaterial, kLeastMaterial, kRegardlessOfSize};

bool IsSymbol(int symbol) {
  return std::ranges::find(kCharacteristics, symbol) != kCharacteristics.end() ||
         std::ranges::find(kConditions, symbol) != kConditions.end() || symbol == kProjectedZone ||
         symbol == kDiameter;
}

}  // namespace

std::span<const int> Characteristics() { return kCharacteristics; }
std::span<const int> MaterialConditions() { return kConditions; }

int FromLetter(char letter) {
  const int symbol = static_cast<unsigned char>(letter);
  return IsSymbol(symbol) ? symbol : kBlank;
}

std::string Code(int symbol) {
  if (!IsSymbol(symbol)) return {};
  return std::string("{\\Fgdt;") + static_cast<char>(symbol) + "}";
}

}  // namespace tolerance_symbol
