#include "core/number_separators.h"

#include <atomic>

namespace {
std::atomic<char> g_decimal{'.'};
std::atomic<char> g_list{','};
}  // namespace

NumberSeparators GetNumberSeparators() { return {g_decimal.load(), g_list.load()}; }

void SetNumberSeparators(NumberSeparators separators) {
  g_decimal.store(separators.decimal);
  g_list.store(separators.list);
}
