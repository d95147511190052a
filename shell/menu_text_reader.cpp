#include "shell/menu_text_reader.h"

#include <cctype>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "database/object.h"

namespace {

constexpr std::string_view kBlanks = " \t\r\n\f\v";

std::string_view Trim(std::string_view text) {
  std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

std::string Cut(std::string_view text, std::size_t limit) { return std::string(text.substr(0, limit)); }

bool StartsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

std::string_view DropUnderscore(std::string_view word) {
  return !word.empty() && word.front() == '_' ? word.substr(1) : word;
}

// Drops the quotes around a title or label (its first and last characters).
std::string_view Unquote(std::string_view piece) {
  return piece.size() >= 2 ? piece.substr(1, piece.size() - 2) : std::string_view();
}

bool ParseInt(std::string_view text, std::int32_t* value) {
  if (text.empty()) return false;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), *value);
  return error == std::errc() && end == text.data() + text.size();
}

// "ID [text] macro": the ID runs to the first bracket, the text to the next.
struct LineParts {
  std::string_view id;
  std::string_view text;
  std::string_view macro;
};

LineParts SplitLine(std::string_view line) {
  LineParts parts;
  std::size_t open = line.find_first_of("[]");
  parts.id = Trim(line.substr(0, open));
  if (open == std::string_view::npos) return parts;
  std::string_view rest = line.substr(open + 1);
  std::size_t close = rest.find_first_of("[]");
  parts.text = Trim(rest.substr(0, close));
  if (close != std::string_view::npos) parts.macro = Trim(rest.substr(close + 1));
  return parts;
}

std::vector<std::string_view> SplitTrimmed(std::string_view text, char separator) {
  std::vector<std::string_view> pieces;
  for (;;) {
    std::size_t at = text.find(separator);
    pieces.push_back(Trim(text.substr(0, at)));
    if (at == std::string_view::npos) return pieces;
    text = text.substr(at + 1);
  }
}

// The part inside the parentheses of `word(...)`, when the word before them
// (without a leading "_", any case) is the one wanted.
bool CallArguments(std::string_view text, std::string_view word, std::string_view* arguments) {
  std::size_t open = text.find('(');
  if (open == std::string_view::npos || !EqualsNoCase(DropUnderscore(Trim(text.substr(0, open))), word)) return false;
  std::string_view inside = text.substr(open + 1);
  std::size_t close = inside.rfind(')');
  *arguments = close == std::string_view::npos ? inside : inside.substr(0, close);
  return true;
}

bool ParseDock(std::string_view word, std::int32_t* dock) {
  struct DockWord {
    std::string_view word;
    ToolBarDock dock;
  };
  static constexpr DockWord kDocks[] = {{"Floating", ToolBarDock::kFloating}, {"Top", ToolBarDock::kTop},
                                        {"Bottom", ToolBarDock::kBottom},     {"Left", ToolBarDock::kLeft},
                                        {"Right", ToolBarDock::kRight}};
  for (const DockWord& entry : kDocks) {
    if (!EqualsNoCase(DropUnderscore(word), entry.word)) continue;
    *dock = static_cast<std::int32_t>(entry.dock);
    return true;
  }
  return false;
}

bool IsNamedKeyCode(std::uint16_t code) {
  return code == kKeyBack || code == kKeyEscape || (code >= kKeyLeft && code <= kKeyDown) || code == kKeyInsert ||
         code == kKeyDelete || (code >= kKeyNumpad0 && code <= kKeyNumpad0 + 9) || (code >= kKeyF1 && code <= kKeyF1 + 11);
}

bool ParseKeyName(std::string_view name, std::uint16_t* key) {
  struct NamedKey {
    std::string_view name;
    std::uint16_t key;
  };
  static constexpr NamedKey kKeys[] = {{"INSERT", kKeyInsert}, {"DELETE", kKeyDelete}, {"ESCAPE", kKeyEscape},
                                       {"UP", kKeyUp},         {"DOWN", kKeyDown},     {"LEFT", kKeyLeft},
                                       {"RIGHT", kKeyRight},   {"BACK", kKeyBack}};
  for (const NamedKey& entry : kKeys) {
    if (!EqualsNoCase(name, entry.name)) continue;
    *key = entry.key;
    return true;
  }
  std::int32_t number = 0;
  if (name.size() >= 2 && (name[0] == 'F' || name[0] == 'f') && ParseInt(name.substr(1), &number) && number >= 1 &&
      number <= 12 && name[1] != '+' && name[1] != '-') {
    *key = static_cast<std::uint16_t>(kKeyF1 + number - 1);
    return true;
  }
  if (name.size() == 7 && EqualsNoCase(name.substr(0, 6), "NUMPAD") && name[6] >= '0' && name[6] <= '9') {
    *key = static_cast<std::uint16_t>(kKeyNumpad0 + (name[6] - '0'));
    return true;
  }
  if (name.size() != 1) return false;
  std::uint16_t code = static_cast<std::uint16_t>(std::toupper(static_cast<unsigned char>(name[0])));
  // A character whose code is also a named key ("-" is Insert's code, "{"
  // F12's) would bind that key instead.
  if (code <= ' ' || code > '~' || IsNamedKeyCode(code)) return false;
  *key = code;
  return true;
}

// Without Ctrl or Shift a key would be taken from typing at the command line.
bool AllowedWithoutModifier(std::uint16_t key) {
  return key == kKeyInsert || key == kKeyDelete || (key >= kKeyNumpad0 && key <= kKeyNumpad0 + 9) ||
         key == kKeyF1 + 4 || key == kKeyF1 + 11;
}

// Splits at "+" outside double quotes, so that the key "+" can be named.
std::vector<std::string_view> SplitKeyText(std::string_view text) {
  std::vector<std::string_view> parts;
  bool quoted = false;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '"') quoted = !quoted;
    if (text[i] != '+' || quoted) continue;
    parts.push_back(Trim(text.substr(start, i - start)));
    start = i + 1;
  }
  parts.push_back(Trim(text.substr(start)));
  return parts;
}

struct MenuLine {
  int number;
  std::string_view text;
};

// Collects the file's problems; the first one makes the message.
class ProblemReport {
 public:
  explicit ProblemReport(const std::string& path) : path_(path) {}
  void Add(int line, std::string_view reason) {
    if (count_++ == 0) first_ = path_ + ", line " + std::to_string(line) + ": " + std::string(reason);
  }
  std::string Message() const {
    if (count_ <= 1) return first_;
    return first_ + " (and " + std::to_string(count_ - 1) + " more problems)";
  }

 private:
  const std::string& path_;
  std::string first_;
  int count_ = 0;
};

std::vector<MenuLine> MenuLines(std::string_view text, ProblemReport& report) {
  std::vector<MenuLine> lines;
  int number = 0;
  while (!text.empty()) {
    std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    ++number;
    std::string_view trimmed = Trim(line);
    if (trimmed.empty() || StartsWith(trimmed, "//")) continue;
    if (trimmed.find('\0') != std::string_view::npos) {
      report.Add(number, "the line holds a NUL byte");
      continue;
    }
    if (trimmed.size() > kMaxMenuMacro) {
      report.Add(number, "the line is longer than " + std::to_string(kMaxMenuMacro) + " characters");
      continue;
    }
    lines.push_back({number, trimmed});
  }
  return lines;
}

// Separators and recent-files slots are only their kind, as the compiled
// file keeps them.
void MakeBare(FcMenuItem& item, MenuItemKind kind) {
  item.kind = kind;
  item.id_name.clear();
  item.label.clear();
  item.macro.clear();
}

bool IsSectionLine(std::string_view line) { return StartsWith(line, "***"); }
bool IsNameLine(std::string_view line) { return StartsWith(line, "**") && !IsSectionLine(line); }

int Depth(const FcMenuItem* item) {
  int depth = 0;
  for (; item->parent; item = item->parent) ++depth;
  return depth;
}

class MenuTextReader {
 public:
  MenuTextReader(FcInterface& menus, std::vector<MenuLine> lines, ProblemReport& report)
      : menus_(menus), lines_(std::move(lines)), report_(report) {}

  void Read() {
    while (next_ < lines_.size()) {
      std::string_view line = lines_[next_].text;
      if (StartsWith(line, "***MENUGROUP")) {
        menus_.group_name = Cut(line.size() > 13 ? Trim(line.substr(13)) : std::string_view(), kMaxMenuName);
        ++next_;
      } else if (StartsWith(line, "***POP")) {
        ReadPopup();
      } else if (EqualsNoCase(line, "***TOOLBARS")) {
        ++next_;
        ReadToolBars();
      } else if (EqualsNoCase(line, "***HELPSTRINGS")) {
        ++next_;
        ReadHelpStrings();
      } else if (EqualsNoCase(line, "***ACCELERATORS")) {
        ++next_;
        ReadAccelerators();
      } else {
        ++next_;
      }
    }
    ResolveAccelerators();
  }

 private:
  bool AtSectionEnd() const { return next_ >= lines_.size() || IsSectionLine(lines_[next_].text); }
  const MenuLine& Take() { return lines_[next_++]; }

  void SkipSection() {
    while (!AtSectionEnd()) ++next_;
  }

  void ReadPopup() {
    const MenuLine& header = Take();
    std::int32_t number = 0;
    if (!ParseInt(Trim(header.text.substr(6)), &number) || number < 1 || number > 499) {
      report_.Add(header.number, "a menu number must lie between 1 and 499; the menu is left out");
      SkipSection();
      return;
    }
    if (AtSectionEnd() || !IsNameLine(lines_[next_].text)) {
      report_.Add(header.number, "the menu has no \"**\" name line");
      SkipSection();
      return;
    }
    FcMenuItem& menu = menus_.root.AddChild();
    menu.popup_name = Cut(lines_[next_].text.substr(2), kMaxMenuName);
    ++next_;
    if (AtSectionEnd()) {
      report_.Add(header.number, "the menu ends before its title line");
      return;
    }
    ParseMenuItemLine(menu, Take().text);
    menu.kind = MenuItemKind::kPopup;
    FcMenuItem* parent = &menu;
    while (!AtSectionEnd()) {
      const MenuLine& line = Take();
      FcMenuItem& item = parent->AddChild();
      int change = ParseMenuItemLine(item, line.text);
      if (change > 0 && Depth(&item) >= kMaxMenuDepth) {
        report_.Add(line.number, "submenus nest deeper than " + std::to_string(kMaxMenuDepth) + " levels");
        item.kind = MenuItemKind::kCommand;
        change = 0;
      }
      if (change > 0) parent = &item;
      for (; change < 0 && parent->parent; ++change) parent = parent->parent;
    }
  }

  void ReadToolBars() {
    while (next_ < lines_.size() && IsNameLine(lines_[next_].text)) {
      const MenuLine& name = Take();
      FcToolItem& toolbar = menus_.toolbars.emplace_back();
      toolbar.section_name = Cut(name.text.substr(2), kMaxMenuName);
      if (next_ >= lines_.size() || StartsWith(lines_[next_].text, "**")) {
        report_.Add(name.number, "the toolbar has no toolbar line");
        continue;
      }
      const MenuLine& line = Take();
      if (!ParseToolBarLine(toolbar, line.text)) report_.Add(line.number, "the toolbar line does not parse");
      while (next_ < lines_.size() && !StartsWith(lines_[next_].text, "**")) {
        const MenuLine& button_line = Take();
        FcToolBtn button;
        if (ParseToolButtonLine(button, button_line.text))
          toolbar.buttons.push_back(std::move(button));
        else
          report_.Add(button_line.number, "the button line does not parse");
      }
    }
  }

  void ReadHelpStrings() {
    while (!AtSectionEnd()) {
      const MenuLine& line = Take();
      FcHelpStr help;
      if (ParseHelpLine(help, line.text))
        menus_.help_strings.insert(menus_.help_strings.begin(), std::move(help));
      else
        report_.Add(line.number, "the help line needs an ID and a text");
    }
  }

  void ReadAccelerators() {
    while (!AtSectionEnd()) {
      const MenuLine& line = Take();
      FcAccelerator accelerator;
      if (ParseAcceleratorLine(accelerator, line.text))
        accelerators_.push_back({line.number, std::move(accelerator)});
      else
        report_.Add(line.number, "the accelerator line does not parse");
    }
  }

  // An accelerator naming an item by its ID runs that item's macro; one
  // that finds none would do nothing and is dropped.
  void ResolveAccelerators() {
    for (auto& [number, accelerator] : accelerators_) {
      if (accelerator.macro.empty() && !accelerator.id_name.empty()) accelerator.macro = MacroOf(accelerator.id_name);
      if (accelerator.macro.empty()) {
        report_.Add(number, "the accelerator names no menu item or button with a macro");
        continue;
      }
      menus_.accelerators.insert(menus_.accelerators.begin(), std::move(accelerator));
    }
  }

  std::string MacroOf(std::string_view id_name) const {
    if (const FcMenuItem* item = menus_.root.FindCommandByName(id_name)) return item->macro;
    for (const FcToolItem& toolbar : menus_.toolbars)
      for (const FcToolBtn& button : toolbar.buttons)
        if (button.kind == ToolButtonKind::kButton && EqualsNoCase(button.id_name, id_name)) return button.macro;
    return {};
  }

  struct PendingAccelerator {
    int line;
    FcAccelerator accelerator;
  };

  FcInterface& menus_;
  std::vector<MenuLine> lines_;
  ProblemReport& report_;
  std::size_t next_ = 0;
  std::vector<PendingAccelerator> accelerators_;
};

}  // namespace

int ParseMenuItemLine(FcMenuItem& item, std::string_view line) {
  LineParts parts = SplitLine(line);
  item.kind = MenuItemKind::kCommand;
  item.id_name = Cut(parts.id, kMaxMenuName);
  int change = 0;
  std::string_view text = parts.text;
  bool closed = false;
  for (;;) {
    if (StartsWith(text, "<-")) {
      --change;
      closed = true;
      text = text.substr(2);
    } else if (StartsWith(text, "->") && !closed) {
      item.kind = MenuItemKind::kPopup;
      change = 1;
      text = text.substr(2);
      break;
    } else {
      break;
    }
  }
  if (text == "--" || EqualsNoCase(item.id_name, "ID_MRU")) {
    MakeBare(item, text == "--" ? MenuItemKind::kSeparator : MenuItemKind::kRecentFiles);
    return change;
  }
  std::string label;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 't') {
      label += '\t';
      ++i;
    } else {
      label += text[i];
    }
  }
  item.label = Cut(label, kMaxMenuLabel);
  // A popup runs nothing, and the compiled file keeps no macro for it.
  if (item.kind == MenuItemKind::kCommand) item.macro = Cut(parts.macro, kMaxMenuMacro);
  return change;
}

bool ParseToolBarLine(FcToolItem& toolbar, std::string_view line) {
  LineParts parts = SplitLine(line);
  toolbar.id_name = Cut(parts.id, kMaxMenuName);
  std::string_view arguments;
  if (parts.text.empty() || !CallArguments(parts.text, "Toolbar", &arguments)) return false;
  std::vector<std::string_view> pieces = SplitTrimmed(arguments, ',');
  toolbar.title = Cut(Unquote(pieces[0]), kMaxMenuLabel);
  if (pieces.size() < 6 || !ParseDock(pieces[1], &toolbar.dock)) return false;
  toolbar.shown = EqualsNoCase(DropUnderscore(pieces[2]), "Show");
  return ParseInt(pieces[3], &toolbar.x) && ParseInt(pieces[4], &toolbar.y) && ParseInt(pieces[5], &toolbar.rows);
}

bool ParseToolButtonLine(FcToolBtn& button, std::string_view line) {
  LineParts parts = SplitLine(line);
  if (parts.text.empty()) return false;
  if (parts.text == "--") {
    button = FcToolBtn();
    button.kind = ToolButtonKind::kSeparator;
    return true;
  }
  button.kind = ToolButtonKind::kButton;
  button.id_name = Cut(parts.id, kMaxMenuName);
  button.macro = Cut(parts.macro, kMaxMenuMacro);
  std::string_view arguments;
  if (!CallArguments(parts.text, "Button", &arguments)) return false;
  std::vector<std::string_view> pieces = SplitTrimmed(arguments, ',');
  if (pieces.size() < 2 || Unquote(pieces[0]).empty() || pieces[1].empty()) return false;
  button.label = Cut(Unquote(pieces[0]), kMaxButtonText);
  button.small_bitmap = Cut(pieces[1], kMaxButtonText);
  button.large_bitmap = pieces.size() > 2 && !pieces[2].empty() ? Cut(pieces[2], kMaxButtonText) : button.small_bitmap;
  return true;
}

bool ParseHelpLine(FcHelpStr& help, std::string_view line) {
  LineParts parts = SplitLine(line);
  help.id_name = Cut(parts.id, kMaxMenuName);
  help.text = Cut(parts.text, kMaxMenuMacro);
  return !help.id_name.empty() && !help.text.empty();
}

bool ParseAcceleratorLine(FcAccelerator& accelerator, std::string_view line) {
  LineParts parts = SplitLine(line);
  accelerator.id_name = Cut(parts.id, kMaxMenuName);
  accelerator.macro = Cut(parts.macro, kMaxMenuMacro);
  if (parts.text.empty() || (parts.id.empty() && parts.macro.empty())) return false;
  std::vector<std::string_view> key_parts = SplitKeyText(parts.text);
  if (key_parts.size() > 3) return false;
  bool has_key = false;
  for (std::string_view part : key_parts) {
    if (EqualsNoCase(part, "CONTROL")) {
      accelerator.control = true;
    } else if (EqualsNoCase(part, "SHIFT")) {
      accelerator.shift = true;
    } else {
      if (has_key || part.size() < 2 || part.front() != '"' || part.back() != '"') return false;
      if (!ParseKeyName(Unquote(part), &accelerator.key)) return false;
      has_key = true;
    }
  }
  if (!has_key) return false;
  return accelerator.control || accelerator.shift || AllowedWithoutModifier(accelerator.key);
}

MenuReadResult ReadMenuText(FcInterface& menus, std::string_view text, const std::string& path) {
  MenuReadResult result;
  result.opened = true;
  menus.path = path;
  menus.loaded_from_compiled = false;
  ProblemReport report(path);
  MenuTextReader(menus, MenuLines(text, report), report).Read();
  result.message = report.Message();
  return result;
}

MenuReadResult ReadMenuFile(FcInterface& menus, const std::string& path) {
  std::error_code error;
  std::uintmax_t size = std::filesystem::file_size(path, error);
  std::ifstream file(path, std::ios::binary);
  if (error || !file) return {};
  if (size > kMaxMenuFileSize) return {true, path + ": the menu file is larger than 16 MB and was not read"};
  std::string text(static_cast<std::size_t>(size), '\0');
  if (!file.read(text.data(), static_cast<std::streamsize>(text.size()))) return {true, path + ": the menu file cannot be read"};
  return ReadMenuText(menus, text, path);
}
