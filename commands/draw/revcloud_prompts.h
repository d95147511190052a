#pragma once

// The revision cloud's option prompts. Both keep the program's cloud
// settings and answer 5100, or the status of a prompt that was not
// answered with a value or Enter (the settings then stay).

// The minimum and maximum arc length, shown and typed as the stored ones
// times DIMSCALE, shown with the decimals given.
int PromptRevCloudArcLengths(int decimals);
// Normal (0) or Calligraphy (1).
int PromptRevCloudStyle();
