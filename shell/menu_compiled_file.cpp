#include "shell/menu_compiled_file.h"

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string_view>

#include "shell/menu_text_reader.h"

namespace {

class CompiledWriter {
 public:
  void Int(std::int32_t value) {
    auto bits = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8) bytes_ += static_cast<char>((bits >> shift) & 0xFF);
  }
  void Word(std::uint16_t value) {
    bytes_ += static_cast<char>(value & 0xFF);
    bytes_ += static_cast<char>(value >> 8);
  }
  void Byte(bool value) { bytes_ += static_cast<char>(value ? 1 : 0); }
  void String(const std::string& text) {
    // A NUL inside would end the string early and shift every later field.
    bytes_.append(text.c_str(), std::strlen(text.c_str()));
    bytes_ += '\0';
  }
  void Count(std::size_t count) { Int(static_cast<std::int32_t>(count)); }

  void Item(const FcMenuItem& item) {
    Int(static_cast<std::int32_t>(item.kind));
    if (item.kind != MenuItemKind::kCommand && item.kind != MenuItemKind::kPopup) return;
    String(item.id_name);
    String(item.popup_name);
    String(item.label);
    if (item.kind == MenuItemKind::kCommand) {
      String(item.macro);
      return;
    }
    Count(item.children.size());
    for (const auto& child : item.children) Item(*child);
  }

  void ToolBar(const FcToolItem& toolbar) {
    String(toolbar.id_name);
    String(toolbar.title);
    String(toolbar.section_name);
    Int(toolbar.dock);
    Int(toolbar.x);
    Int(toolbar.y);
    Byte(toolbar.shown);
    Int(toolbar.rows);
    Count(toolbar.buttons.size());
    for (const FcToolBtn& button : toolbar.buttons) {
      Int(static_cast<std::int32_t>(button.kind));
      if (button.kind != ToolButtonKind::kButton) continue;
      String(button.id_name);
      String(button.label);
      String(button.small_bitmap);
      String(button.large_bitmap);
      String(button.macro);
    }
  }

  const std::string& bytes() const { return bytes_; }

 private:
  std::string bytes_;
};

// Every read is checked against the bytes left; the first refusal stops
// the reading and is kept as the message.
class CompiledReader {
 public:
  CompiledReader(std::string_view bytes, const std::string& path) : bytes_(bytes), path_(path) {}

  bool Fail(std::string_view reason) {
    if (message_.empty()) message_ = path_ + ", byte " + std::to_string(at_) + ": " + std::string(reason);
    return false;
  }
  const std::string& message() const { return message_; }
  bool AtEnd() const { return at_ == bytes_.size(); }

  bool Int(std::int32_t* value) {
    if (bytes_.size() - at_ < 4) return Fail("the file ends inside a number");
    std::uint32_t bits = 0;
    for (int i = 0; i < 4; ++i) bits |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes_[at_ + i])) << (8 * i);
    at_ += 4;
    *value = static_cast<std::int32_t>(bits);
    return true;
  }
  bool Word(std::uint16_t* value) {
    if (bytes_.size() - at_ < 2) return Fail("the file ends inside a key code");
    *value = static_cast<std::uint16_t>(static_cast<unsigned char>(bytes_[at_]) |
                                        static_cast<unsigned char>(bytes_[at_ + 1]) << 8);
    at_ += 2;
    return true;
  }
  bool Byte(bool* value) {
    if (bytes_.size() - at_ < 1) return Fail("the file ends inside a flag");
    *value = bytes_[at_++] != 0;
    return true;
  }
  bool String(std::string* text, std::size_t limit, bool required) {
    std::size_t end = bytes_.find('\0', at_);
    if (end == std::string_view::npos) return Fail("the file ends inside a text");
    if (end - at_ > limit) return Fail("a text is longer than its field");
    if (required && end == at_) return Fail("a name or text is empty");
    text->assign(bytes_.substr(at_, end - at_));
    at_ = end + 1;
    return true;
  }
  // A count no larger than the records of smallest_record bytes that fit in
  // what is left, so a forged count cannot make the reader allocate.
  bool Count(std::int32_t* count, std::size_t smallest_record) {
    if (!Int(count)) return false;
    if (*count < 0 || static_cast<std::size_t>(*count) > (bytes_.size() - at_) / smallest_record)
      return Fail("a count is larger than the file holds");
    return true;
  }

  bool Item(FcMenuItem& item, int depth) {
    std::int32_t kind = 0;
    if (!Int(&kind)) return false;
    if (kind < 0 || kind > 3) return Fail("unknown menu item kind");
    item.kind = static_cast<MenuItemKind>(kind);
    if (item.kind != MenuItemKind::kCommand && item.kind != MenuItemKind::kPopup) return true;
    if (!String(&item.id_name, kMaxMenuName, false) || !String(&item.popup_name, kMaxMenuName, false) ||
        !String(&item.label, kMaxMenuLabel, false))
      return false;
    if (item.kind == MenuItemKind::kCommand) return String(&item.macro, kMaxMenuMacro, false);
    if (depth >= kMaxMenuDepth) return Fail("submenus nest too deep");
    std::int32_t count = 0;
    if (!Count(&count, 4)) return false;
    for (std::int32_t i = 0; i < count; ++i)
      if (!Item(item.AddChild(), depth + 1)) return false;
    item.kind = MenuItemKind::kPopup;
    return true;
  }

  bool ToolBar(FcToolItem& toolbar) {
    std::int32_t count = 0;
    if (!String(&toolbar.id_name, kMaxMenuName, true) || !String(&toolbar.title, kMaxMenuLabel, true) ||
        !String(&toolbar.section_name, kMaxMenuName, true) || !Int(&toolbar.dock) || !Int(&toolbar.x) ||
        !Int(&toolbar.y) || !Byte(&toolbar.shown) || !Int(&toolbar.rows) || !Count(&count, 4))
      return false;
    for (std::int32_t i = 0; i < count; ++i) {
      FcToolBtn& button = toolbar.buttons.emplace_back();
      std::int32_t kind = 0;
      if (!Int(&kind)) return false;
      if (kind == static_cast<std::int32_t>(ToolButtonKind::kSeparator)) {
        button.kind = ToolButtonKind::kSeparator;
        continue;
      }
      if (kind != static_cast<std::int32_t>(ToolButtonKind::kButton)) return Fail("unknown button kind");
      if (!String(&button.id_name, kMaxMenuName, true) || !String(&button.label, kMaxButtonText, false) ||
          !String(&button.small_bitmap, kMaxButtonText, true) || !String(&button.large_bitmap, kMaxButtonText, false) ||
          !String(&button.macro, kMaxMenuMacro, false))
        return false;
    }
    return true;
  }

  bool Read(FcInterface& menus) {
    std::string magic;
    if (!String(&magic, 64, true) || magic != kCompiledMenuMagic) return Fail("not a compiled menu file");
    if (!String(&menus.group_name, kMaxMenuName, false) || !Item(menus.root, 0)) return false;
    std::int32_t count = 0;
    if (!Count(&count, 1)) return false;
    for (std::int32_t i = 0; i < count; ++i)
      if (!ToolBar(menus.toolbars.emplace_back())) return false;
    if (!Count(&count, 4)) return false;
    for (std::int32_t i = 0; i < count; ++i) {
      FcHelpStr& help = menus.help_strings.emplace_back();
      if (!String(&help.id_name, kMaxMenuName, true) || !String(&help.text, kMaxMenuMacro, true)) return false;
    }
    if (!Count(&count, 5)) return false;
    for (std::int32_t i = 0; i < count; ++i) {
      FcAccelerator& accelerator = menus.accelerators.emplace_back();
      if (!Byte(&accelerator.control) || !Byte(&accelerator.shift) || !Word(&accelerator.key) ||
          !String(&accelerator.macro, kMaxMenuMacro, true))
        return false;
    }
    return AtEnd() || Fail("bytes follow the last accelerator");
  }

 private:
  std::string_view bytes_;
  const std::string& path_;
  std::size_t at_ = 0;
  std::string message_;
};

}  // namespace

bool WriteCompiledMenu(const FcInterface& menus, const std::string& path) {
  CompiledWriter writer;
  writer.String(kCompiledMenuMagic);
  writer.String(menus.group_name);
  writer.Item(menus.root);
  writer.Count(menus.toolbars.size());
  for (const FcToolItem& toolbar : menus.toolbars) writer.ToolBar(toolbar);
  writer.Count(menus.help_strings.size());
  for (const FcHelpStr& help : menus.help_strings) {
    writer.String(help.id_name);
    writer.String(help.text);
  }
  writer.Count(menus.accelerators.size());
  for (const FcAccelerator& accelerator : menus.accelerators) {
    writer.Byte(accelerator.control);
    writer.Byte(accelerator.shift);
    writer.Word(accelerator.key);
    writer.String(accelerator.macro);
  }
  std::string temporary = path + ".part";
  {
    std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
    if (!file) return false;
    file.write(writer.bytes().data(), static_cast<std::streamsize>(writer.bytes().size()));
    file.flush();
    if (!file) {
      file.close();
      std::filesystem::remove(temporary);
      return false;
    }
  }
  std::error_code error;
  std::filesystem::rename(temporary, path, error);
  if (!error) return true;
  std::filesystem::remove(temporary, error);
  return false;
}

std::string ReadCompiledMenu(FcInterface& menus, const std::string& path) {
  std::error_code error;
  std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error) return path + ": the compiled menu file cannot be opened";
  if (size > kMaxMenuFileSize) return path + ": the compiled menu file is larger than 16 MB";
  std::ifstream file(path, std::ios::binary);
  std::string bytes(static_cast<std::size_t>(size), '\0');
  if (!file || !file.read(bytes.data(), static_cast<std::streamsize>(bytes.size())))
    return path + ": the compiled menu file cannot be read";
  CompiledReader reader(bytes, path);
  if (!reader.Read(menus)) return reader.message();
  menus.path = path;
  menus.loaded_from_compiled = true;
  return {};
}
