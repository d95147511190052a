#include "imaging/octree_palette.h"

#include <array>
#include <memory>

#include "imaging/dib_pixels.h"

namespace {

struct OctreeNode {
  bool is_leaf = false;
  std::uint32_t pixel_count = 0;
  // Wide enough for 2^28 pixels of 255.
  std::uint64_t red_sum = 0;
  std::uint64_t green_sum = 0;
  std::uint64_t blue_sum = 0;
  std::array<std::unique_ptr<OctreeNode>, 8> children;
  OctreeNode* next = nullptr;  // in its level's reducible list
};

class Octree {
 public:
  explicit Octree(int colour_bits) : colourBits_(colour_bits) {}

  void OctreeAddColor(const PaletteEntry& colour) {
    std::unique_ptr<OctreeNode>* slot = &root_;
    for (int level = 0;; ++level) {
      if (!*slot) CreateNode(*slot, level);
      OctreeNode* node = slot->get();
      if (node->is_leaf) {
        ++node->pixel_count;
        node->red_sum += colour.red;
        node->green_sum += colour.green;
        node->blue_sum += colour.blue;
        return;
      }
      const int bit = 7 - level;
      const int index = ((colour.red >> bit) & 1) * 4 + ((colour.green >> bit) & 1) * 2 + ((colour.blue >> bit) & 1);
      slot = &node->children[index];
    }
  }

  // The head of the deepest non-empty reducible list becomes a leaf that
  // holds its children's pixels.
  void OctreeReduce() {
    int level = colourBits_ - 1;
    while (level > 0 && !reducible_[level]) --level;
    OctreeNode* node = reducible_[level];
    reducible_[level] = node->next;
    int children = 0;
    for (std::unique_ptr<OctreeNode>& child : node->children) {
      if (!child) continue;
      node->pixel_count += child->pixel_count;
      node->red_sum += child->red_sum;
      node->green_sum += child->green_sum;
      node->blue_sum += child->blue_sum;
      child.reset();
      ++children;
    }
    node->is_leaf = true;
    leafCount_ -= children - 1;
  }

  int leaf_count() const { return leafCount_; }

  void OctreeCollectColors(std::vector<PaletteEntry>& entries) const { Collect(root_.get(), entries); }

 private:
  void CreateNode(std::unique_ptr<OctreeNode>& slot, int level) {
    slot = std::make_unique<OctreeNode>();
    if (level == colourBits_) {
      slot->is_leaf = true;
      ++leafCount_;
      return;
    }
    slot->next = reducible_[level];
    reducible_[level] = slot.get();
  }

  static void Collect(const OctreeNode* node, std::vector<PaletteEntry>& entries) {
    if (!node) return;
    if (node->is_leaf) {
      entries.push_back({static_cast<std::uint8_t>(node->red_sum / node->pixel_count),
                         static_cast<std::uint8_t>(node->green_sum / node->pixel_count),
                         static_cast<std::uint8_t>(node->blue_sum / node->pixel_count), 0});
      return;
    }
    for (const std::unique_ptr<OctreeNode>& child : node->children) Collect(child.get(), entries);
  }

  int colourBits_;
  int leafCount_ = 0;
  std::unique_ptr<OctreeNode> root_;
  std::array<OctreeNode*, 9> reducible_{};
};

}  // namespace

std::optional<CPalette> BuildOctreePalette(const std::uint8_t* block, const DibLayout& layout, int max_colours,
                                           int colour_bits) {
  if (layout.IsCompressed() || max_colours < 1 || colour_bits < 0 || colour_bits > 8) return std::nullopt;
  const DibPixelDecoder decoder(block, layout);
  Octree tree(colour_bits);
  const std::uint8_t* row = block + layout.BitsOffset();
  for (std::int32_t y = 0; y < layout.height; ++y, row += layout.stride) {
    for (std::int32_t x = 0; x < layout.width; ++x) {
      tree.OctreeAddColor(decoder.Decode(ReadPixelValue(row, layout.bit_count, static_cast<std::size_t>(x))));
      while (tree.leaf_count() > max_colours) tree.OctreeReduce();
    }
  }
  CPalette palette;
  tree.OctreeCollectColors(palette.entries);
  return palette;
}

std::optional<CPalette> CreateDibPalette(const std::vector<std::uint8_t>& dib, int max_colours, int colour_bits) {
  DibLayout layout;
  if (!ParseDib(dib, &layout, nullptr)) return std::nullopt;
  return BuildOctreePalette(dib.data(), layout, max_colours, colour_bits);
}
