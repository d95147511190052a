#pragma once

#include <optional>
#include <string_view>

class FcGraph;

// A question for a whole number from low to high. The prompt is the head,
// the current value and ">".
struct RangeQuestion {
  const char* promptHead;
  int low;
  int high;
  const char* refusal;
};

// Asks until the answer is a number of the range; a number outside prints
// the refusal and asks again. Enter keeps the current value when
// enterKeeps (asking again, without a word, when that is outside too) and
// otherwise ends the asking, as any other answer does. Nothing when the
// asking ended.
std::optional<int> AskNumberInRange(const RangeQuestion& question, int current, bool enterKeeps);

// A whole-number variable of the drawing; 0 when it has none of that name.
int ShortSysVar(FcGraph& graph, std::string_view name);
// Stores it through the drawing's rule for the variable.
void SetShortSysVar(FcGraph& graph, std::string_view name, int value);

// CECOLOR takes a colour number from 0 (ByBlock) to 256 (ByLayer); any
// other number leaves it, without a word.
void SetCurrentColor(FcGraph& graph, int color);
