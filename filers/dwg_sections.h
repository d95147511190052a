#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "filers/filer_dwg.h"

// The directories and fixed parts of a DWG file around its records: the
// file header with its section locators, the object map, the preview
// section and the fixed blocks of a release 2000 file. Readers take every
// address and size from the file and check it against the file's length
// before they follow it.

// The locator records by number.
inline constexpr int kDwgHeaderVariablesRecord = 0;
inline constexpr int kDwgClassesRecord = 1;
inline constexpr int kDwgObjectMapRecord = 2;
inline constexpr int kDwgFixedSectionRecord = 3;
inline constexpr int kDwgSecondHeaderTailRecord = 4;
inline constexpr int kDwgAuxHeaderRecord = 5;
inline constexpr int kDwgMaxLocators = 6;

// Where the file header keeps the preview address, the code page and the
// locator table.
inline constexpr std::int64_t kDwgPreviewAddressOffset = 0x0D;
inline constexpr std::int64_t kDwgCodePageOffset = 0x13;
inline constexpr std::int64_t kDwgLocatorTableOffset = 0x15;

inline constexpr std::uint8_t kDwgPreviewStartSentinel[16] = {0x1F, 0x25, 0x6D, 0x07, 0xD4, 0x36, 0x28, 0x28,
                                                              0x9D, 0x57, 0xCA, 0x3F, 0x9D, 0x44, 0x10, 0x2B};
inline constexpr std::uint8_t kDwgPreviewEndSentinel[16] = {0xE0, 0xDA, 0x92, 0xF8, 0x2B, 0xC9, 0xD7, 0xD7,
                                                            0x62, 0xA8, 0x35, 0xC0, 0x62, 0xBB, 0xEF, 0xD4};

// The section directory of one file being read or written, with the places
// the writer patches at the end.
struct FcDwgSections {
  std::array<DwgSectionLocator, kDwgMaxLocators> locators{};
  std::uint8_t count = 0;
  std::uint32_t previewAddress = 0;
  std::int64_t locatorTablePosition = kDwgLocatorTableOffset + 4;
  std::int64_t locatorCrcPosition = 0;
};

// Results of ReadDwgVersion.
enum class FcDwgVersionResult {
  kRead = 0,          // the filer's version and kind are set
  kOtherRelease = 1,  // an "AC" file of a release not read here
  kNotDwg = 2,        // shorter than the header, or not starting with "AC"
};

// Reads the release and the preview address.
FcDwgVersionResult ReadDwgVersion(FcFilerDwg& filer, FcDwgSections& sections);
// Reads the locator table, checks its count, CRC and sentinel and that the
// sections read later (header variables, classes, object map) lie within
// the file. An R13 file with four or more locators becomes version 1.
bool ReadSectionLocators(FcFilerDwg& filer, FcDwgSections& sections);
// Reads the object map into the filer's map: false when a section's CRC
// differs, a section runs past the file or an entry's offset lies outside
// the file. Sets the reading progress to the map's size.
bool ReadObjectMap(FcFilerDwg& filer, const FcDwgSections& sections);
// Checks every record the map lists before any is parsed: its size must
// keep it inside the file and its CRC must match. False at the first one
// that fails.
bool CheckObjectRecords(FcFilerDwg& filer);

// The writer's parts, in file order; each records its locator where it has
// one. They raise FcFileException when the file refuses the bytes.
void WriteDwgFileHeader(FcFilerDwg& filer, FcDwgSections& sections, std::uint16_t dwgCodePage);
void WriteDwgAuxHeader(FcFilerDwg& filer, FcDwgSections& sections);
// The preview as a packed device-independent bitmap, or null for a preview
// section without picture.
void WriteDwgPreviewImage(FcFilerDwg& filer, const std::vector<std::uint8_t>* dib);
void WriteDwgObjectMap(FcFilerDwg& filer, FcDwgSections& sections);
void WriteDwgFixedSection(FcFilerDwg& filer, FcDwgSections& sections);
// The second file header and the four zero bytes of locator 4 after it.
void WriteDwgSecondHeader(FcFilerDwg& filer, FcDwgSections& sections);
// Rewrites the locator table and its CRC in the file header.
void WriteDwgSectionLocators(FcFilerDwg& filer, const FcDwgSections& sections);
