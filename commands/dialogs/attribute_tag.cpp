#include "commands/dialogs/attribute_tag.h"

std::string AttributeTagNote(const std::string& tag) {
  if (tag.empty()) return "Null Tag not allowed!";
  if (tag.find(' ') != std::string::npos) return "Invalid blank is in Tag!";
  return {};
}
