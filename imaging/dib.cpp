#include "imaging/dib.h"

#include <utility>

#include "imaging/dib_pixels.h"

namespace {

std::optional<CPalette> DibPaletteFromColourTable(const std::uint8_t* block, const DibLayout& layout) {
  if (layout.TableEntries() == 0) return std::nullopt;
  CPalette palette;
  palette.entries = DibColorTable(block, layout);
  return palette;
}

}  // namespace

void CDib::Free() {
  memory_.clear();
  memory_.shrink_to_fit();
  layout_ = DibLayout{};
  palette_.reset();
}

std::uint8_t* CDib::GetBits(int* bit_count, int* stride) {
  return const_cast<std::uint8_t*>(std::as_const(*this).GetBits(bit_count, stride));
}

const std::uint8_t* CDib::GetBits(int* bit_count, int* stride) const {
  if (bit_count) *bit_count = layout_.bit_count;
  if (stride) *stride = static_cast<int>(layout_.stride);
  return IsEmpty() ? nullptr : memory_.data() + layout_.BitsOffset();
}

bool CDib::CreatePalette() {
  palette_.reset();
  if (IsEmpty()) return false;
  palette_ = DibPaletteFromColourTable(memory_.data(), layout_);
  return palette_.has_value();
}

bool CDib::SetMemory(std::vector<std::uint8_t> block, std::string* error) {
  if (block.empty()) {
    if (error) *error = "There is no bitmap data.";
    return false;
  }
  DibLayout layout;
  if (!ParseDib(block, &layout, error)) return false;
  Take(std::move(block), layout);
  return true;
}

void CDib::Take(std::vector<std::uint8_t> block, const DibLayout& layout) {
  memory_ = std::move(block);
  layout_ = layout;
  CreatePalette();
}

bool CDib::CreateBlank(int bit_count, int width, int height) {
  return SetMemory(CreateDibHeader(bit_count, width, height));
}

bool CDib::CopyFrom(const CDib& other) {
  if (&other == this) return !IsEmpty();
  Free();
  if (other.IsEmpty()) return false;
  Take(other.memory_, other.layout_);
  return true;
}
