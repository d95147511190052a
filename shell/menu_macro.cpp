#include "shell/menu_macro.h"

#include "shell/command_aliases.h"
#include "shell/command_registry.h"

std::string MacroCommandName(std::string_view macro) {
  CommandQueue queue;
  SplitMacro(macro, queue);
  while (!queue.empty() && queue.front() == "^C") queue.pop_front();
  if (queue.empty()) return {};
  std::string name = std::move(queue.front());
  while (name.starts_with('\'')) name.erase(0, 1);
  CommandQueue expanded;
  ExpandAlias(name, ProgramAliases(), expanded);
  return expanded.empty() ? std::string() : expanded.front();
}

int RunMacroWithoutDrawing(std::string_view macro) {
  const std::string name = MacroCommandName(macro);
  if (name.empty()) return kCommandNotHandled;
  return RunApplicationCommand(name);
}
