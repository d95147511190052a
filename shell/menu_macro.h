#pragma once

#include <string>
#include <string_view>

// The command a menu, toolbar or accelerator macro starts: the first piece
// after its cancels, without the transparent "'" mark, with its alias
// expanded (a "_" prefix takes the name as it stands). Empty when the
// macro holds only cancels.
std::string MacroCommandName(std::string_view macro);

// Without a drawing window only the application commands can run: runs
// the one the macro starts and answers its status, or kCommandNotHandled
// when the macro starts a drawing command (or none).
int RunMacroWithoutDrawing(std::string_view macro);
