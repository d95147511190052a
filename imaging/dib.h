#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "imaging/dib_layout.h"
#include "imaging/palette.h"

class FcFile;

// One picture as a packed device-independent bitmap (header, colour table,
// rows bottom-up) together with the palette made from its colour table.
// Every block the picture takes is checked first, so the header always
// matches the data behind it. Operations that fail leave the picture as it
// was (CopyFrom excepted, which empties it first).
class CDib {
 public:
  CDib() = default;
  CDib(const CDib&) = delete;
  CDib& operator=(const CDib&) = delete;

  void Free();
  bool IsEmpty() const { return memory_.empty(); }
  // From the header; 0 when empty.
  int GetWidth() const { return layout_.width; }
  int GetHeight() const { return layout_.height; }
  // The first stored (bottom) row, with the bit count and the row stride;
  // null and zeros when empty.
  std::uint8_t* GetBits(int* bit_count, int* stride);
  const std::uint8_t* GetBits(int* bit_count, int* stride) const;
  // The packed DIB: header, colour masks, colour table and rows.
  const std::vector<std::uint8_t>& GetMemory() const { return memory_; }
  // The palette, null when the picture has no colour table.
  const CPalette* GetPalette() const { return palette_ ? &*palette_ : nullptr; }

  // Rebuilds the palette from the colour table; true when one was made.
  bool CreatePalette();
  // Takes the packed DIB. An empty or inconsistent block gives false (with
  // the reason) and leaves the picture as it was.
  bool SetMemory(std::vector<std::uint8_t> block, std::string* error = nullptr);
  // A zeroed picture; the bit count is rounded up to 1, 4, 8 or 24.
  bool CreateBlank(int bit_count, int width, int height);
  // Empties this picture, then copies the other's; false when that is empty.
  bool CopyFrom(const CDib& other);
  // Stretches the picture to the size by taking the nearest source pixel
  // (true at once for the current size). Compressed pictures are refused.
  bool Scale(int width, int height);
  // Converts to 1, 4, 8, 16, 24 or 32 bits (true at once when the picture
  // has that bit count already). Compressed pictures are refused.
  bool ConvertBitCount(int bit_count);
  // Brightness, contrast (50 neutral) and fade (0 none) from 0 to 100,
  // larger and smaller values taken as the nearest end; the fade colour is
  // an RGB value with red in the low byte. Only 24-bit pictures.
  bool AdjustImage(int brightness, int contrast, int fade, std::uint32_t fade_colour);

  // BMP files. Reading needs a 40-byte information header and a file
  // header that agrees with the data; the file's bytes are checked before
  // anything is taken. False with the reason.
  bool Load(const std::string& path, std::string* error = nullptr);
  bool ReadFile(FcFile& file, std::string* error = nullptr);
  // Writes the 14-byte file header, then the packed DIB. Only pictures with
  // a 40-byte header are written; false when the file refuses the bytes.
  bool WriteFile(FcFile& file);
  // Reads the picture from the file when loading, else writes it there.
  bool Serialize(FcFile& file, bool loading);

 private:
  // Takes a block already checked, with its layout.
  void Take(std::vector<std::uint8_t> block, const DibLayout& layout);

  std::vector<std::uint8_t> memory_;
  DibLayout layout_;
  std::optional<CPalette> palette_;
};

// The picture converted to the bit count, mapping every pixel to the
// nearest colour of the target's table. The target table: black and white
// for 1 bit; for 4 bits the palette's first 16 entries, else the source's
// table when it has 4 bits, else DefaultPalette16; for 8 bits the palette's
// entries, else the source's table when it has 8 bits, else an octree
// palette of at most 236 colours, else HalftonePalette. Empty on failure.
std::vector<std::uint8_t> ConvertDibBitCount(const std::vector<std::uint8_t>& dib, int bit_count,
                                             const CPalette* palette);

// The picture stretched to the size in the same format, each target pixel
// taking the source pixel under its centre. Empty on failure.
std::vector<std::uint8_t> ScaleDib(const std::vector<std::uint8_t>& dib, int width, int height);
