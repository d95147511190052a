#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// The name index of a table of records: for every non-empty name, ASCII
// case folded, the first position that holds it. While valid it is exact,
// so that a miss needs no scan; it stays valid as records are appended and
// as the last record is named, which is how readers and look-ups that make
// a missing record fill a table. Any other change drops it, and the next
// look-up builds it again.
class RecordNameIndex {
 public:
  using NameAt = std::function<std::string_view(int)>;

  bool IsValid() const { return valid_; }
  void Invalidate();
  // Builds the index of count records.
  void Build(int count, const NameAt& nameAt);
  // The first position with the name, -1 for none; only for a valid index
  // and a non-empty name.
  int Find(std::string_view name) const;
  // The record at position, the last one, was appended.
  void Appended(int position, std::string_view name);
  // The record at position took the name; position -1 when the table does
  // not know where the record is.
  void Renamed(int position, std::string_view name);

  // Records visited to build the index, for tests that guard against
  // look-ups that grow with the table.
  std::size_t GetBuildWork() const { return buildWork_; }

 private:
  std::unordered_map<std::string, int> firstAt_;
  // The key each position was indexed under.
  std::vector<std::string> keys_;
  bool valid_ = false;
  std::size_t buildWork_ = 0;
};

// The name with ASCII letters upper-cased: the key under which tables find
// names without regard to case.
std::string FoldedName(std::string_view name);
