#pragma once

#include <string>

// The note the attribute dialogs show under a tag that cannot be taken
// (empty, or with a blank inside); empty when it can.
std::string AttributeTagNote(const std::string& tag);
