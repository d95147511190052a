#pragma once

#include <optional>
#include <string>
#include <string_view>

class FcGraph;
struct FcResBuf;

// A typed name as the variable commands take and show it: ASCII letters
// upper-cased.
std::string ToUpperAscii(std::string_view name);

// Shows the current drawing's variable of that name (given in upper case)
// and, unless it is read-only, asks for a new value and stores it.
// False when the drawing knows no such variable; true otherwise, whatever
// the user answered.
bool EditSystemVariable(const std::string& upperName);

// A variable's value as the user reads it; none for one without a value.
std::optional<std::string> ShownSysVarValue(FcGraph& graph, const FcResBuf& value);
// Asks with the prompt for a new value of the variable type (points in the
// current UCS, kept in world coordinates); true with it in answer when one
// was given.
bool AskSysVarValue(FcGraph& graph, const std::string& prompt, int type, FcResBuf& answer);

// One undo step holding the variable's present value, under the item name,
// to be taken before the variable changes. False, after the history line
// that says so, when the step cannot be made.
bool RecordSysVarUndo(FcGraph& graph, std::string_view name, std::string_view itemName = "setvar");
