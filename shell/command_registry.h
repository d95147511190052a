#pragma once

#include <forward_list>
#include <string>
#include <string_view>

// A command handler: no arguments, a status (5100 done, 1 not handled,
// -6001 close the drawing window, or a prompt's status passed through).
using CommandFunc = int (*)();

inline constexpr int kCommandNotHandled = 1;
inline constexpr int kCloseDrawing = -6001;

// AddCommand's answer: added, or why the list stayed as it was.
enum class FcAddCommandResult { kDone, kNoMemory, kBadArgument, kDuplicate };

struct CommandNode {
  std::string name;
  CommandFunc function = nullptr;
};

// New names go to the front, so a search meets the most recently added name
// first.
using CommandList = std::forward_list<CommandNode>;

// The two lists of the program, filled once at start-up on the window thread
// from the command families' rows and only read afterwards.
CommandList& ApplicationCommands();
CommandList& DrawingCommands();

// Names compare without regard to case.
FcAddCommandResult AddCommand(CommandList& list, std::string_view name, CommandFunc function);
// The handler registered under the name (any case); null when none is.
CommandFunc FindCommand(const CommandList& list, std::string_view name);
void FreeCommandList(CommandList& list);

// On the window thread: the handler's status, or kCommandNotHandled when the
// application list holds no such name.
int RunApplicationCommand(std::string_view name);

// On the command thread: the drawing command of that name; when there is
// none, or its handler answers kCommandNotHandled, the upper-cased name is
// tried as a system variable (EditSystemVariable). kStatusDone or the
// handler's status; kCommandNotHandled when neither knows the name.
int RunDrawingCommand(std::string_view name);

// Window thread: takes the front piece of the command queue of the current
// drawing's view as an argument of the running application command; false
// when nothing waits there.
bool PopCommandArgument(std::string& argument);

// The name under which the calling thread's running command was looked up;
// empty outside a command. Lets one handler serve several names.
const std::string& CurrentCommandName();

