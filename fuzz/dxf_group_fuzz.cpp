#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/resbuf.h"
#include "filers/filer.h"

namespace {

// Reads every group; each group, read again after stepping back, must come
// back with the same code and end at the same place.
void ReadGroups(const std::uint8_t* data, std::size_t size, FcFileKind kind) {
  FcFiler filer;
  filer.AttachFile(std::make_unique<FcFile>(std::vector<char>(data, data + size)), kind);
  FcResBuf node;
  filer.SetMark();
  while (filer.ReadGroup(node)) {
    const std::int16_t code = node.type;
    const std::int64_t end = filer.GetFile()->GetPosition();
    filer.UnreadGroup();
    if (!filer.ReadGroup(node) || node.type != code || filer.GetFile()->GetPosition() != end) {
      __builtin_trap();
    }
  }
  filer.SeekToMark();
  std::string line;
  while (filer.ReadLine(line)) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ReadGroups(data, size, FcFileKind::kAsciiDxf);
  ReadGroups(data, size, FcFileKind::kBinaryDxf);
  return 0;
}
