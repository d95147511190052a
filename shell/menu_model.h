#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// The loaded menu file: menus, toolbars, status-bar help texts and keyboard
// accelerators, as read from the text form (.mnu) or its compiled copy
// (.mnp). Widget-free; window/menu_builder turns it into Qt menus.

// Longest texts kept; longer ones are cut by the text reader and refused by
// the compiled reader, which only ever reads what the writer wrote.
inline constexpr std::size_t kMaxMenuName = 63;    // ID, group, popup and section names
inline constexpr std::size_t kMaxMenuLabel = 127;  // labels and toolbar titles
inline constexpr std::size_t kMaxButtonText = 511;
inline constexpr std::size_t kMaxMenuMacro = 4095;

// Deeper submenus than this are refused: every walk over the tree recurses.
inline constexpr int kMaxMenuDepth = 16;

enum class MenuItemKind : std::int32_t { kCommand = 0, kRecentFiles = 1, kPopup = 2, kSeparator = 3 };

class FcMenuItem {
 public:
  MenuItemKind kind = MenuItemKind::kCommand;
  int command_id = 0;  // given by AssignMenuCommandIds
  std::string id_name;
  std::string popup_name;  // the "**" name of a top-level menu
  std::string label;       // "&" marks the mnemonic, a tab the accelerator text
  std::string macro;
  FcMenuItem* parent = nullptr;
  std::vector<std::unique_ptr<FcMenuItem>> children;
  int first_id = 0;  // the ids given inside this subtree
  int last_id = 0;

  // Appends a new child and makes this item a popup.
  FcMenuItem& AddChild();
  void ClearChildren();

  // Depth-first, in order: the first command item of that ID name (any case).
  const FcMenuItem* FindCommandByName(std::string_view id_name) const;

  // The persistent contents, children included; ids are made again at build.
  bool SameContent(const FcMenuItem& other) const;
};

enum class ToolButtonKind : std::int32_t { kButton = 0, kSeparator = 3 };

struct FcToolBtn {
  ToolButtonKind kind = ToolButtonKind::kButton;
  int command_id = 0;
  std::string id_name;
  std::string label;  // the tooltip
  std::string small_bitmap;
  std::string large_bitmap;
  std::string macro;

  bool operator==(const FcToolBtn& other) const {
    return kind == other.kind && id_name == other.id_name && label == other.label &&
           small_bitmap == other.small_bitmap && large_bitmap == other.large_bitmap && macro == other.macro;
  }
};

enum class ToolBarDock : std::int32_t { kFloating = 0, kLeft = 1, kTop = 2, kRight = 3, kBottom = 4 };

struct FcToolItem {
  std::string id_name;
  std::string title;
  std::string section_name;  // the "**" name in the file
  std::int32_t dock = static_cast<std::int32_t>(ToolBarDock::kTop);
  std::int32_t x = 0;
  std::int32_t y = 0;
  bool shown = true;
  std::int32_t rows = 0;
  std::vector<FcToolBtn> buttons;
  int control_bar_id = 0;  // runtime: given by AssignMenuCommandIds
  int first_id = 0;
  int last_id = 0;

  bool operator==(const FcToolItem& other) const {
    return id_name == other.id_name && title == other.title && section_name == other.section_name &&
           dock == other.dock && x == other.x && y == other.y && shown == other.shown && rows == other.rows &&
           buttons == other.buttons;
  }
};

struct FcHelpStr {
  std::string id_name;
  std::string text;
  std::vector<int> ids;  // runtime: the command ids carrying that ID name

  bool operator==(const FcHelpStr& other) const { return id_name == other.id_name && text == other.text; }
};

// Windows virtual-key codes, the key numbers of the file format.
inline constexpr std::uint16_t kKeyBack = 0x08;
inline constexpr std::uint16_t kKeyEscape = 0x1B;
inline constexpr std::uint16_t kKeyLeft = 0x25;
inline constexpr std::uint16_t kKeyUp = 0x26;
inline constexpr std::uint16_t kKeyRight = 0x27;
inline constexpr std::uint16_t kKeyDown = 0x28;
inline constexpr std::uint16_t kKeyInsert = 0x2D;
inline constexpr std::uint16_t kKeyDelete = 0x2E;
inline constexpr std::uint16_t kKeyNumpad0 = 0x60;
inline constexpr std::uint16_t kKeyF1 = 0x70;

struct FcAccelerator {
  std::string id_name;  // only used to find the macro while reading
  bool control = false;
  bool shift = false;
  std::uint16_t key = 0;
  std::string macro;

  bool operator==(const FcAccelerator& other) const {
    return control == other.control && shift == other.shift && key == other.key && macro == other.macro;
  }
};

class FcInterface {
 public:
  std::string group_name;
  FcMenuItem root;  // its children are the top-level menus
  std::vector<FcToolItem> toolbars;       // in file order
  std::vector<FcHelpStr> help_strings;    // the last line of the file first
  std::vector<FcAccelerator> accelerators;  // the last line of the file first
  std::string path;
  bool loaded_from_compiled = false;

  // Empties menus, toolbars, help strings and accelerators; group and path stay.
  void Clear();

  // Lookups by the ids AssignMenuCommandIds gave.
  bool GetCommandMacro(int id, std::string* macro) const;
  bool GetAccelMacro(bool control, bool shift, std::uint16_t key, std::string* macro) const;
  bool GetHelpString(int id, std::string* text) const;
  bool FindButton(int id, std::string* label) const;

  // The persistent contents (group name, menus, toolbars, help strings and
  // accelerators in list order).
  bool SameContent(const FcInterface& other) const;
};
