#include "commands/command_families.h"

#include <span>

#include "commands/block/block_commands.h"
#include "commands/dimension/dimension_commands.h"
#include "commands/draw/draw_commands.h"
#include "commands/file/file_commands.h"
#include "commands/hatch/hatch_commands.h"
#include "commands/inquiry/inquiry_commands.h"
#include "commands/modify/entity_editor.h"
#include "commands/modify/modify_commands.h"
#include "commands/settings/settings_commands.h"
#include "commands/text/text_commands.h"
#include "commands/view/view_commands.h"

namespace {

using FamilyRows = std::span<const CommandRow> (*)();

// Registration order decides only the search order, and no name is in two
// rows.
constexpr FamilyRows kFamilies[] = {
    FileCommandRows, InquiryCommandRows, SettingsCommandRows, ViewCommandRows,  DrawCommandRows,
    TextCommandRows, HatchCommandRows,   ModifyCommandRows,   BlockCommandRows, DimensionCommandRows,
};

void Register(CommandList& list, CommandListKind kind) {
  for (FamilyRows rows : kFamilies)
    for (const CommandRow& row : rows())
      if (row.list == kind) AddCommand(list, row.name, row.function);
}

}  // namespace

std::vector<CommandRow> CommandTable() {
  std::vector<CommandRow> table;
  for (FamilyRows rows : kFamilies) table.insert(table.end(), rows().begin(), rows().end());
  return table;
}

void RegisterAppCommands() { Register(ApplicationCommands(), CommandListKind::kApplication); }

void RegisterDrawCommands() {
  Register(DrawingCommands(), CommandListKind::kDrawing);
  InstallEntityEditor();
}
