#pragma once

#include <atomic>
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

// A short name held by very many objects at once (the record name of every
// object, the layer name of every entity): each distinct text is stored
// once and shared, so that a name costs each holder one pointer instead of
// a string of its own. The shared texts are counted and freed with their
// last holder. Safe to make, copy and drop on several threads at once.
class FcSharedName {
 public:
  // The empty name.
  FcSharedName();
  FcSharedName(std::string_view text);
  FcSharedName(const std::string& text) : FcSharedName(std::string_view(text)) {}
  FcSharedName(const char* text) : FcSharedName(text != nullptr ? std::string_view(text) : std::string_view()) {}
  FcSharedName(const FcSharedName& other);
  FcSharedName& operator=(const FcSharedName& other);
  // The moved-from name is left empty.
  FcSharedName(FcSharedName&& other) noexcept;
  FcSharedName& operator=(FcSharedName&& other) noexcept {
    std::swap(entry_, other.entry_);
    return *this;
  }
  ~FcSharedName();

  const std::string& str() const { return entry_->text; }
  const char* c_str() const { return entry_->text.c_str(); }
  std::size_t size() const { return entry_->text.size(); }
  bool empty() const { return entry_->text.empty(); }

  friend bool operator==(const FcSharedName& a, const FcSharedName& b) { return a.entry_ == b.entry_; }
  friend bool operator==(const FcSharedName& a, std::string_view b) { return a.str() == b; }
  friend bool operator==(const FcSharedName& a, const char* b) {
    return a.str() == (b != nullptr ? std::string_view(b) : std::string_view());
  }

  // The number of distinct texts held now, for tests that show a text is
  // freed with its last holder.
  static std::size_t CountShared();

  // One shared text; public only for the pool that keeps them.
  struct Entry {
    std::string text;
    std::atomic<std::size_t> holders{0};
  };

 private:
  explicit FcSharedName(Entry* entry) : entry_(entry) {}
  void Release();

  Entry* entry_;
};
