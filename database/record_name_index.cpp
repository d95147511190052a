#include "database/record_name_index.h"

#include <algorithm>

std::string FoldedName(std::string_view name) {
  std::string key(name);
  std::transform(key.begin(), key.end(), key.begin(),
                 [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; });
  return key;
}

void RecordNameIndex::Invalidate() {
  valid_ = false;
  firstAt_.clear();
  keys_.clear();
}

void RecordNameIndex::Build(int count, const NameAt& nameAt) {
  Invalidate();
  keys_.reserve(static_cast<std::size_t>(count));
  valid_ = true;
  for (int i = 0; i < count; ++i) Appended(i, nameAt(i));
  buildWork_ += static_cast<std::size_t>(count);
}

int RecordNameIndex::Find(std::string_view name) const {
  const auto hit = firstAt_.find(FoldedName(name));
  return hit != firstAt_.end() ? hit->second : -1;
}

void RecordNameIndex::Appended(int position, std::string_view name) {
  if (!valid_) return;
  if (position != static_cast<int>(keys_.size())) {
    Invalidate();
    return;
  }
  keys_.push_back(FoldedName(name));
  if (!keys_.back().empty()) firstAt_.emplace(keys_.back(), position);
}

void RecordNameIndex::Renamed(int position, std::string_view name) {
  if (!valid_) return;
  if (position < 0 || position + 1 != static_cast<int>(keys_.size())) {
    Invalidate();
    return;
  }
  std::string key = FoldedName(name);
  std::string& old = keys_[static_cast<std::size_t>(position)];
  if (key == old) return;
  if (!old.empty()) {
    // The last record held its old name alone, or another record holds it
    // first and keeps it.
    const auto held = firstAt_.find(old);
    if (held != firstAt_.end() && held->second == position) firstAt_.erase(held);
  }
  old = std::move(key);
  if (!old.empty()) firstAt_.emplace(old, position);
}
