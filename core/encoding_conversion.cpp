#include "core/encoding_conversion.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <map>
#include <utility>

namespace {

class Descriptor {
 public:
  Descriptor(const std::string& from, const std::string& to) : handle_(iconv_open(to.c_str(), from.c_str())) {}
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  ~Descriptor() {
    if (valid()) iconv_close(handle_);
  }
  bool valid() const { return handle_ != reinterpret_cast<iconv_t>(-1); }
  iconv_t get() const { return handle_; }

 private:
  iconv_t handle_;
};

// Text is converted run by run while fonts are drawn, and a descriptor
// holds shift state, so each thread keeps its own, opened once per pair.
iconv_t DescriptorFor(const char* from, const char* to) {
  thread_local std::map<std::pair<std::string, std::string>, Descriptor> descriptors;
  std::pair<std::string, std::string> key(from, to);
  auto [it, added] = descriptors.try_emplace(key, key.first, key.second);
  return it->second.valid() ? it->second.get() : nullptr;
}

}  // namespace

std::optional<std::string> ConvertEncoding(std::string_view text, const char* from, const char* to,
                                           const UnconvertibleInput& unconvertible) {
  iconv_t cd = DescriptorFor(from, to);
  if (cd == nullptr) return std::nullopt;
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  std::string output;
  output.reserve(text.size() * 2);
  char* in = const_cast<char*>(text.data());
  std::size_t inLeft = text.size();
  char buffer[4096];
  for (;;) {
    char* out = buffer;
    std::size_t outLeft = sizeof buffer;
    const bool atEnd = inLeft == 0;
    const std::size_t result =
        atEnd ? iconv(cd, nullptr, nullptr, &out, &outLeft) : iconv(cd, &in, &inLeft, &out, &outLeft);
    const int error = errno;
    output.append(buffer, static_cast<std::size_t>(out - buffer));
    if (result != static_cast<std::size_t>(-1)) {
      if (atEnd) return output;
      continue;
    }
    if (error == E2BIG) continue;
    if (atEnd) return output;
    const std::size_t skipped = std::clamp<std::size_t>(unconvertible({in, inLeft}, output), 1, inLeft);
    in += skipped;
    inLeft -= skipped;
  }
}
