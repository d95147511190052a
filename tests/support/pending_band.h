#pragma once

#include <string>
#include <vector>

#include "shell/testing/scripted_view.h"

// Types the lines, each answered once the command asks again, and gives
// the rubber band of the prompt the command then waits at, as Band; null
// when it waits at none or shows no band of that type. Esc ends the
// command after the look.
template <typename Band, typename Look>
void LookAtPendingBand(ScriptedView& script, const std::vector<std::string>& typed, Look look) {
  for (const std::string& line : typed) {
    script.Type(line);
    if (!script.WaitForPromptOrIdle()) break;
  }
  script.OnWindowThread([&] {
    const Band* band =
        script.IsWaitingForInput() ? dynamic_cast<const Band*>(script.View().GetInputRequest().dragObject) : nullptr;
    look(band);
    return 0;
  });
  script.PressEsc();
  script.WaitUntilIdle();
}
