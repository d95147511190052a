#include "filers/dwg_sections.h"

#include <span>
#include <string_view>

namespace {

constexpr std::uint8_t kLocatorSentinel[16] = {0x95, 0xA0, 0x4E, 0x28, 0x99, 0x82, 0x1A, 0xE5,
                                               0x5E, 0x41, 0xE0, 0x5F, 0x9D, 0x3A, 0x4D, 0x00};
constexpr std::uint8_t kSecondHeaderStart[16] = {0xD4, 0x7B, 0x21, 0xCE, 0x28, 0x93, 0x9F, 0xBF,
                                                 0x53, 0x24, 0x40, 0x09, 0x12, 0x3C, 0xAA, 0x01};
constexpr std::uint8_t kSecondHeaderEnd[16] = {0x2B, 0x84, 0xDE, 0x31, 0xD7, 0x6C, 0x60, 0x40,
                                               0xAC, 0xDB, 0xBF, 0xF6, 0xED, 0xC3, 0x55, 0xFE};
constexpr int kSecondHeaderZeros = 119;

// The first 19 bytes of the file header; the preview address at 0x0D is
// patched when the preview section is written.
constexpr std::uint8_t kFileHeaderStart[19] = {'A', 'C', '1', '0', '1', '5', 0, 0, 0, 0,
                                               0,   6,   1,   0,   0,   0,   0, 0x17, 0x06};

constexpr std::uint8_t kAuxHeader[123] = {
    0xFF, 0x77, 0x01, 0x17, 0x00, 0x06, 0x00, 0x08, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0x05,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x16, 0x00, 0x2E, 0x00, 0x16, 0x00, 0x2E, 0x00, 0x04,
    0x00, 0x65, 0x05, 0x05, 0x00, 0x93, 0x08, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xCA,
    0x6F, 0x25, 0x00, 0x9D, 0x8E, 0xE7, 0x00, 0xCA, 0x6F, 0x25, 0x00, 0xEB, 0xD9, 0xE7, 0x00, 0x44,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x03, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x08, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};

constexpr std::uint8_t kFixedSection[45] = {
    0xA7, 0x62, 0x25, 0x00, 0xF6, 0xAF, 0x25, 0x02, 0x3B, 0x04, 0x00, 0x00, 0x04, 0x32, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x64, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x00};

constexpr int kPreviewHeaderDataSize = 128;
// The overall size of a preview section without picture: the size field
// itself and the entry count.
constexpr std::uint32_t kEmptyPreviewSize = 5;

// A map section is closed once it holds more than this many bytes, so that
// each stays small enough for its own CRC.
constexpr std::int64_t kMapSectionLimit = 2020;

// The locator CRC is XORed with a constant for the number of records.
std::uint16_t LocatorCrcMask(int count) {
  switch (count) {
    case 3:
      return 0xA598;
    case 4:
      return 0x8101;
    case 5:
      return 0x3CC4;
    default:
      return 0x8461;
  }
}

void WriteBytes(FcFilerDwg& filer, std::span<const std::uint8_t> bytes) {
  for (std::uint8_t byte : bytes) filer.WriteRawByte(byte);
}

void WriteZeros(FcFilerDwg& filer, int count) {
  for (int i = 0; i < count; ++i) filer.WriteRawByte(0);
}

void WriteBigEndianShort(FcFilerDwg& filer, std::uint16_t value) {
  filer.WriteRawByte(static_cast<std::uint8_t>(value >> 8));
  filer.WriteRawByte(static_cast<std::uint8_t>(value));
}

bool ReadBigEndianShort(FcFilerDwg& filer, std::uint16_t& value) {
  std::uint8_t high = 0;
  std::uint8_t low = 0;
  if (!filer.ReadRawChar(high) || !filer.ReadRawChar(low)) return false;
  value = static_cast<std::uint16_t>((high << 8) | low);
  return true;
}

std::int64_t FileLength(const FcFilerDwg& filer) {
  const FcFile* file = filer.GetFile();
  return file != nullptr ? file->GetLength() : 0;
}

std::int64_t Position(const FcFilerDwg& filer) { return filer.GetFile()->GetPosition(); }

// Writes the value at the place and comes back to where the writer was.
void PatchLong(FcFilerDwg& filer, std::int64_t place, std::uint32_t value) {
  const std::int64_t back = Position(filer);
  filer.Seek(place, FcSeekOrigin::kBegin);
  filer.WriteRawLong(value);
  filer.Seek(back, FcSeekOrigin::kBegin);
}

bool LiesWithinFile(const DwgSectionLocator& locator, std::int64_t length) {
  const auto address = static_cast<std::uint32_t>(locator.address);
  const auto size = static_cast<std::uint32_t>(locator.size);
  return static_cast<std::int64_t>(address) + static_cast<std::int64_t>(size) <= length;
}

// Reads one map section starting at the position into the map; false on a
// short or malformed section. more is set while the section held entries.
bool ReadObjectMapSection(FcFilerDwg& filer, bool& more) {
  const std::int64_t start = Position(filer);
  std::uint16_t size = 0;
  if (!ReadBigEndianShort(filer, size) || size < 2) return false;
  const std::int64_t dataEnd = Position(filer) + size - 2;
  if (dataEnd + 2 > FileLength(filer)) return false;
  more = size > 2;
  FcObjectMap& map = filer.GetObjectMap();
  if (more) map.Reserve(size / 4u);
  FcHandle handle = 0;
  std::int64_t offset = 0;
  while (Position(filer) < dataEnd) {
    std::uint64_t handleStep = 0;
    std::int32_t offsetStep = 0;
    if (!filer.ReadUnsignedModularChar(handleStep) || !filer.ReadModularChar(offsetStep)) return false;
    handle += handleStep;
    // The offset is a 32-bit number in the file, and the record it names
    // must lie inside the file.
    offset = static_cast<std::int32_t>(static_cast<std::uint32_t>(offset) + static_cast<std::uint32_t>(offsetStep));
    if (offset <= 0 || offset >= FileLength(filer)) return false;
    map.Insert(handle, offset);
  }
  // An entry that ran into the CRC leaves the section malformed.
  if (Position(filer) != dataEnd) return false;
  const std::uint16_t crc = filer.CrcOfRange(FcFilerDwg::kObjectCrcSeed, start, dataEnd);
  std::uint16_t stored = 0;
  return ReadBigEndianShort(filer, stored) && stored == crc;
}

// Patches the size of the section that started at the position and writes
// its CRC after it.
void CloseObjectMapSection(FcFilerDwg& filer, std::int64_t start) {
  const std::int64_t end = Position(filer);
  filer.Seek(start, FcSeekOrigin::kBegin);
  WriteBigEndianShort(filer, static_cast<std::uint16_t>(end - start));
  filer.Seek(end, FcSeekOrigin::kBegin);
  WriteBigEndianShort(filer, filer.CrcOfRange(FcFilerDwg::kObjectCrcSeed, start, end));
}

}  // namespace

FcDwgVersionResult ReadDwgVersion(FcFilerDwg& filer, FcDwgSections& sections) {
  char version[6] = {};
  if (filer.Seek(0, FcSeekOrigin::kBegin) != 0) return FcDwgVersionResult::kNotDwg;
  for (char& c : version) {
    std::uint8_t byte = 0;
    if (!filer.ReadRawChar(byte)) return FcDwgVersionResult::kNotDwg;
    c = static_cast<char>(byte);
  }
  if (version[0] != 'A' || version[1] != 'C') return FcDwgVersionResult::kNotDwg;
  const std::string_view release(version, sizeof version);
  if (release == "AC1012") {
    filer.SetVersion(FcFilerDwg::kVersionR13);
  } else if (release == "AC1014") {
    filer.SetVersion(FcFilerDwg::kVersionR14);
  } else if (release == "AC1015") {
    filer.SetVersion(FcFilerDwg::kVersion2000);
  } else {
    return FcDwgVersionResult::kOtherRelease;
  }
  filer.SetKind(FcFileKind::kDwg);
  filer.Seek(kDwgPreviewAddressOffset, FcSeekOrigin::kBegin);
  return filer.ReadRawLong(sections.previewAddress) ? FcDwgVersionResult::kRead : FcDwgVersionResult::kNotDwg;
}

bool ReadSectionLocators(FcFilerDwg& filer, FcDwgSections& sections) {
  if (filer.Seek(kDwgLocatorTableOffset, FcSeekOrigin::kBegin) != kDwgLocatorTableOffset) return false;
  std::uint32_t count = 0;
  if (!filer.ReadRawLong(count) || count < 3 || count > kDwgMaxLocators) return false;
  sections.count = static_cast<std::uint8_t>(count);
  if (filer.GetVersion() == FcFilerDwg::kVersionR13 && count >= 4) filer.SetVersion(FcFilerDwg::kVersionR13Late);
  sections.locatorTablePosition = Position(filer);
  for (std::uint32_t i = 0; i < count; ++i) {
    DwgSectionLocator& locator = sections.locators[i];
    std::uint32_t address = 0;
    std::uint32_t size = 0;
    if (!filer.ReadRawChar(locator.number) || !filer.ReadRawLong(address) || !filer.ReadRawLong(size)) return false;
    locator.address = static_cast<std::int32_t>(address);
    locator.size = static_cast<std::int32_t>(size);
  }
  sections.locatorCrcPosition = Position(filer);
  const std::uint16_t crc =
      filer.CrcOfRange(0, 0, sections.locatorCrcPosition) ^ LocatorCrcMask(static_cast<int>(count));
  std::uint16_t stored = 0;
  if (!filer.ReadAlignedShort(stored) || stored != crc || !filer.CheckSentinel(kLocatorSentinel)) return false;
  const std::int64_t length = FileLength(filer);
  for (int record : {kDwgHeaderVariablesRecord, kDwgClassesRecord, kDwgObjectMapRecord}) {
    if (!LiesWithinFile(sections.locators[static_cast<std::size_t>(record)], length)) return false;
  }
  return true;
}

bool ReadObjectMap(FcFilerDwg& filer, const FcDwgSections& sections) {
  const std::int64_t address = static_cast<std::uint32_t>(sections.locators[kDwgObjectMapRecord].address);
  if (filer.Seek(address, FcSeekOrigin::kBegin) != address) return false;
  // Every section takes at least four bytes, so the loop ends with the file.
  for (bool more = true; more;) {
    if (!ReadObjectMapSection(filer, more)) return false;
  }
  filer.SetProgressTotal(filer.GetObjectMap().Entries().size() + 6);
  return true;
}

bool CheckObjectRecords(FcFilerDwg& filer) {
  const std::int64_t length = FileLength(filer);
  for (const FcObjectMapEntry& entry : filer.GetObjectMap().Entries()) {
    std::int32_t size = 0;
    if (filer.Seek(entry.offset, FcSeekOrigin::kBegin) != entry.offset || !filer.ReadModularShort(size)) return false;
    const std::int64_t end = Position(filer) + size;
    if (end + 2 > length) return false;
    const std::uint16_t crc = filer.CrcOfRange(FcFilerDwg::kObjectCrcSeed, entry.offset, end);
    std::uint16_t stored = 0;
    if (filer.Seek(end, FcSeekOrigin::kBegin) != end || !filer.ReadAlignedShort(stored) || stored != crc) return false;
  }
  return true;
}

void WriteDwgFileHeader(FcFilerDwg& filer, FcDwgSections& sections, std::uint16_t dwgCodePage) {
  WriteBytes(filer, kFileHeaderStart);
  filer.WriteRawShort(dwgCodePage);
  filer.WriteRawLong(kDwgMaxLocators);
  sections.count = kDwgMaxLocators;
  sections.locatorTablePosition = Position(filer);
  for (int i = 0; i < kDwgMaxLocators; ++i) {
    DwgSectionLocator& locator = sections.locators[static_cast<std::size_t>(i)];
    locator = {static_cast<std::uint8_t>(i), 0, 0};
    filer.WriteRawByte(locator.number);
    filer.WriteRawLong(0);
    filer.WriteRawLong(0);
  }
  sections.locatorCrcPosition = Position(filer);
  filer.WriteRawShort(0);
  WriteBytes(filer, kLocatorSentinel);
}

void WriteDwgAuxHeader(FcFilerDwg& filer, FcDwgSections& sections) {
  DwgSectionLocator& locator = sections.locators[kDwgAuxHeaderRecord];
  locator.address = static_cast<std::int32_t>(Position(filer));
  WriteBytes(filer, kAuxHeader);
  locator.size = sizeof kAuxHeader;
}

void WriteDwgPreviewImage(FcFilerDwg& filer, const std::vector<std::uint8_t>* dib) {
  const std::int64_t start = Position(filer);
  PatchLong(filer, kDwgPreviewAddressOffset, static_cast<std::uint32_t>(start));
  WriteBytes(filer, kDwgPreviewStartSentinel);
  if (dib == nullptr || dib->empty()) {
    filer.WriteRawLong(kEmptyPreviewSize);
    filer.WriteRawByte(0);
    WriteBytes(filer, kDwgPreviewEndSentinel);
    return;
  }
  const std::int64_t sizeField = Position(filer);
  filer.WriteRawLong(0);
  filer.WriteRawByte(2);
  filer.WriteRawByte(1);
  const std::int64_t headerStartField = Position(filer);
  filer.WriteRawLong(0);
  filer.WriteRawLong(kPreviewHeaderDataSize);
  filer.WriteRawByte(2);
  const std::int64_t bitmapStartField = Position(filer);
  filer.WriteRawLong(0);
  filer.WriteRawLong(0);
  PatchLong(filer, headerStartField, static_cast<std::uint32_t>(Position(filer)));
  WriteZeros(filer, kPreviewHeaderDataSize);
  PatchLong(filer, bitmapStartField, static_cast<std::uint32_t>(Position(filer)));
  WriteBytes(filer, *dib);
  PatchLong(filer, bitmapStartField + 4, static_cast<std::uint32_t>(dib->size()));
  PatchLong(filer, sizeField, static_cast<std::uint32_t>(Position(filer) - sizeField));
  WriteBytes(filer, kDwgPreviewEndSentinel);
}

void WriteDwgObjectMap(FcFilerDwg& filer, FcDwgSections& sections) {
  DwgSectionLocator& locator = sections.locators[kDwgObjectMapRecord];
  locator.address = static_cast<std::int32_t>(Position(filer));
  std::int64_t start = Position(filer);
  filer.WriteRawShort(0);
  FcHandle lastHandle = 0;
  std::int64_t lastOffset = 0;
  for (const FcObjectMapEntry& entry : filer.GetObjectMap().Entries()) {
    filer.WriteUnsignedModularChar(entry.handle - lastHandle);
    filer.WriteModularChar(static_cast<std::int32_t>(entry.offset - lastOffset));
    if (Position(filer) - start > kMapSectionLimit) {
      CloseObjectMapSection(filer, start);
      start = Position(filer);
      filer.WriteRawShort(0);
      lastHandle = 0;
      lastOffset = 0;
    } else {
      lastHandle = entry.handle;
      lastOffset = entry.offset;
    }
  }
  CloseObjectMapSection(filer, start);
  start = Position(filer);
  filer.WriteRawShort(0);
  CloseObjectMapSection(filer, start);
  locator.size = static_cast<std::int32_t>(Position(filer) - locator.address);
}

void WriteDwgFixedSection(FcFilerDwg& filer, FcDwgSections& sections) {
  DwgSectionLocator& locator = sections.locators[kDwgFixedSectionRecord];
  locator.address = static_cast<std::int32_t>(Position(filer));
  filer.WriteRawLong(0);
  filer.WriteRawLong(sizeof kFixedSection);
  WriteBytes(filer, kFixedSection);
  locator.size = static_cast<std::int32_t>(Position(filer) - locator.address);
}

void WriteDwgSecondHeader(FcFilerDwg& filer, FcDwgSections& sections) {
  WriteBytes(filer, kSecondHeaderStart);
  WriteZeros(filer, kSecondHeaderZeros);
  WriteBytes(filer, kSecondHeaderEnd);
  DwgSectionLocator& locator = sections.locators[kDwgSecondHeaderTailRecord];
  locator.address = static_cast<std::int32_t>(Position(filer));
  filer.WriteRawLong(0);
  locator.size = 4;
}

void WriteDwgSectionLocators(FcFilerDwg& filer, const FcDwgSections& sections) {
  const std::int64_t back = Position(filer);
  filer.Seek(sections.locatorTablePosition, FcSeekOrigin::kBegin);
  for (int i = 0; i < sections.count; ++i) {
    const DwgSectionLocator& locator = sections.locators[static_cast<std::size_t>(i)];
    filer.WriteRawByte(static_cast<std::uint8_t>(i));
    filer.WriteRawLong(static_cast<std::uint32_t>(locator.address));
    filer.WriteRawLong(static_cast<std::uint32_t>(locator.size));
  }
  const std::uint16_t crc = filer.CrcOfRange(0, 0, sections.locatorCrcPosition) ^ LocatorCrcMask(sections.count);
  filer.Seek(sections.locatorCrcPosition, FcSeekOrigin::kBegin);
  filer.WriteRawShort(crc);
  filer.Seek(back, FcSeekOrigin::kBegin);
}
