#include "shell/command_aliases.h"

#include <cstdio>
#include <memory>

#include "database/object.h"
#include "platform/file_system.h"

namespace {

constexpr std::string_view kBlanks = " \t\r\n\f\v";

std::string_view Trim(std::string_view text) {
  std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  std::size_t last = text.find_last_not_of(kBlanks);
  return text.substr(first, last - first + 1);
}

void InsertAtFront(CommandQueue& queue, const std::vector<std::string>& pieces) {
  queue.insert(queue.begin(), pieces.begin(), pieces.end());
}

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

AliasTable& ProgramAliases() {
  static AliasTable table;
  return table;
}

void AddAlias(AliasTable& table, std::string_view expansion, std::string_view alias) {
  table.entries.push_back(
      AliasEntry{std::string(expansion.substr(0, kMaxAliasText)), std::string(alias.substr(0, kMaxAliasText))});
}

void LoadAliasFile(AliasTable& table, const std::string& path) {
  table.entries.clear();
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  if (!file) return;
  for (std::string line = ReadTextLine(file.get()); !line.empty(); line = ReadTextLine(file.get())) {
    std::string_view trimmed = Trim(line);
    if (trimmed.empty() || trimmed.front() == ';') continue;
    std::size_t equals = trimmed.find('=');
    if (equals == std::string_view::npos || equals == 0) continue;
    AddAlias(table, trimmed.substr(equals + 1), trimmed.substr(0, equals));
  }
}

std::vector<std::string> SplitPieces(std::string_view text) {
  std::vector<std::string> pieces;
  std::string piece;
  bool quoting = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == ' ' && !quoting) {
      if (!piece.empty()) pieces.push_back(std::move(piece));
      piece.clear();
    } else if (c == '"') {
      quoting = !quoting;
    } else if (c == '\\' && i + 1 < text.size() && text[i + 1] == '"') {
      piece += '"';
      ++i;
    } else {
      piece += c;
    }
  }
  if (!piece.empty()) pieces.push_back(std::move(piece));
  return pieces;
}

bool ExpandAlias(std::string_view name, const AliasTable& table, CommandQueue& queue) {
  if (!name.empty() && name.front() == '_') {
    queue.emplace_front(name.substr(1));
    return false;
  }
  std::string_view working = name;
  for (const AliasEntry& entry : table.entries) {
    if (EqualsNoCase(entry.alias, name)) {
      working = entry.expansion;
      break;
    }
  }
  std::vector<std::string> pieces = SplitPieces(working);
  InsertAtFront(queue, pieces);
  return pieces.size() != 1;
}

void SplitMacro(std::string_view text, CommandQueue& queue) {
  std::vector<std::string> pieces;
  std::size_t pos = 0;
  while (text.size() - pos >= 2 && text[pos] == '^' && (text[pos + 1] == 'C' || text[pos + 1] == 'c')) {
    pieces.emplace_back("^C");
    pos += 2;
  }
  bool cancels = !pieces.empty();
  std::vector<std::string> rest = SplitPieces(text.substr(pos));
  pieces.insert(pieces.end(), rest.begin(), rest.end());
  if (!cancels) {
    InsertAtFront(queue, pieces);
    return;
  }
  queue.assign(pieces.begin(), pieces.end());
}
