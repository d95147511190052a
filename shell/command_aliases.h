#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

// A view's pending command-line pieces; the front is taken first.
using CommandQueue = std::deque<std::string>;

// Alias names and expansions longer than this are cut.
inline constexpr std::size_t kMaxAliasText = 511;

// How many times in a row a caller may start the first piece of a
// multi-piece expansion as a command again before it starts the piece as a
// plain name; this ends aliases that expand into themselves.
inline constexpr int kMaxAliasRestarts = 16;

struct AliasEntry {
  std::string expansion;
  std::string alias;
};

struct AliasTable {
  std::vector<AliasEntry> entries;
};

// The program's one table, filled at start-up from "CmdAlias.txt".
AliasTable& ProgramAliases();

inline constexpr const char* kAliasFileName = "CmdAlias.txt";

// Empties the table, then reads "alias=expansion" lines from the file. A
// file that cannot be opened leaves the table empty, without a message.
void LoadAliasFile(AliasTable& table, const std::string& path);
void AddAlias(AliasTable& table, std::string_view expansion, std::string_view alias);

// Rewrites a command name into queued pieces at the front of the queue: a
// leading "_" is dropped and the rest queued as it stands; otherwise the
// first alias of that name (any case) gives the text, else the name itself,
// which is cut into pieces. True when the number of pieces is not one: the
// caller then starts the front piece as a command again (at most
// kMaxAliasRestarts times in a row). With one piece, the caller goes on with
// it as the command name.
bool ExpandAlias(std::string_view name, const AliasTable& table, CommandQueue& queue);

// Cuts a macro into pieces. Leading "^C"/"^c" pairs become "^C" pieces and
// then replace the whole queue together with the rest; without them the
// pieces go in front of what is waiting.
void SplitMacro(std::string_view text, CommandQueue& queue);

// The piece rules of both splitters: blanks outside double quotes separate
// pieces, double quotes toggle quoting and are dropped, backslash-quote is a
// literal quote, empty pieces are dropped.
std::vector<std::string> SplitPieces(std::string_view text);
