#pragma once

#include <string_view>

#include "shell/menu_model.h"

// Ids the window handles itself rather than by a macro; such items and
// buttons take no id from the counter.
inline constexpr int kRecentFilesCommandId = 57616;

// The fixed id of an ID name (any case); 0 when it has none.
int FixedMenuCommandId(std::string_view id_name);

// Numbers the menus and toolbars as the window shows them: command items in
// menu order from first_id, then per toolbar that has buttons one id for the
// bar itself and one per button; fills every help string's ids. Recent-files
// slots and separators keep 0. Returns the next free id.
int AssignMenuCommandIds(FcInterface& menus, int first_id);
