#pragma once

#include <span>
#include <string>

// The pictures of a feature control frame. A symbol is known by the letter
// that stands for it in the GDT symbol font, so a picture and its code in a
// tolerance text never disagree; the blank picture is written as nothing.
// No identifier equals a standard end code, so a picker can end with one.
namespace tolerance_symbol {

constexpr int kBlank = ' ';
constexpr int kPosition = 'j';
constexpr int kConcentricity = 'r';
constexpr int kSymmetry = 'i';
constexpr int kParallelism = 'f';
constexpr int kPerpendicularity = 'b';
constexpr int kAngularity = 'a';
constexpr int kCylindricity = 'g';
constexpr int kFlatness = 'c';
constexpr int kCircularity = 'e';
constexpr int kStraightness = 'u';
constexpr int kSurfaceProfile = 'd';
constexpr int kLineProfile = 'k';
constexpr int kCircularRunout = 'h';
constexpr int kTotalRunout = 't';
constexpr int kMaximumMaterial = 'm';
constexpr int kLeastMaterial = 'l';
constexpr int kRegardlessOfSize = 's';
constexpr int kProjectedZone = 'p';
constexpr int kDiameter = 'n';

// The fourteen characteristics in the symbol picker's order.
std::span<const int> Characteristics();
// The three material conditions in the condition picker's order.
std::span<const int> MaterialConditions();

// The symbol a code letter stands for; a letter of no symbol gives the blank.
int FromLetter(char letter);
// "{\Fgdt;j}" for the position; nothing for the blank.
std::string Code(int symbol);

}  // namespace tolerance_symbol
