#pragma once

// The decimal and list separators of numbers the user sees and types. The
// program settings set them at start-up; file formats never use them.
struct NumberSeparators {
  char decimal = '.';
  char list = ',';
};

NumberSeparators GetNumberSeparators();
void SetNumberSeparators(NumberSeparators separators);
