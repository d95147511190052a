#include "filers/dwg_section_frame.h"

#include <limits>

#include "filers/filer_dwg.h"

namespace {

void WriteSentinel(FcFilerDwg& filer, const DwgSentinel& sentinel) {
  for (const std::uint8_t byte : sentinel) filer.WriteRawByte(byte);
}

}  // namespace

void WriteDwgSectionFrame(FcFilerDwg& filer, const DwgSentinel& startSentinel, const DwgSentinel& endSentinel,
                          DwgSectionLocator& locator, const std::function<void()>& writeData) {
  FcFile* file = filer.GetFile();
  const std::int64_t address = file->GetPosition();
  WriteSentinel(filer, startSentinel);
  const std::int64_t sizePosition = file->GetPosition();
  filer.WriteRawLong(0);
  const std::uint32_t startBits = filer.GetBitsWritten();
  writeData();
  while ((filer.GetBitsWritten() - startBits) % 8 != 0) filer.WriteBit(0);
  const std::int64_t end = file->GetPosition();
  filer.Seek(sizePosition, FcSeekOrigin::kBegin);
  filer.WriteRawLong(static_cast<std::uint32_t>(end - sizePosition - 4));
  filer.Seek(end, FcSeekOrigin::kBegin);
  filer.WriteRawShort(filer.CrcOfRange(FcFilerDwg::kObjectCrcSeed, sizePosition, end));
  WriteSentinel(filer, endSentinel);
  locator.address = static_cast<std::int32_t>(address);
  locator.size = static_cast<std::int32_t>(file->GetPosition() - address);
}

int ReadDwgSectionFrame(FcFilerDwg& filer, const DwgSectionLocator& locator, const DwgSentinel& startSentinel,
                        const DwgSentinel& endSentinel, const std::function<bool(std::int64_t dataEnd)>& readData) {
  FcFile* file = filer.GetFile();
  if (file == nullptr || filer.Seek(locator.address, FcSeekOrigin::kBegin) != locator.address ||
      !filer.CheckSentinel(startSentinel))
    return 2;
  const std::int64_t sizePosition = file->GetPosition();
  std::uint32_t size = 0;
  // A locator cannot describe a section of 2 GiB or more.
  if (!filer.ReadRawLong(size) || size > static_cast<std::uint32_t>(std::numeric_limits<std::int32_t>::max()))
    return 2;
  const std::int64_t end = sizePosition + 4 + static_cast<std::int64_t>(size);
  if (end > file->GetLength() || !readData(end)) return 2;
  std::uint16_t crc = 0;
  if (filer.Seek(end, FcSeekOrigin::kBegin) != end || !filer.ReadAlignedShort(crc) ||
      crc != filer.CrcOfRange(FcFilerDwg::kObjectCrcSeed, sizePosition, end) || !filer.CheckSentinel(endSentinel))
    return 2;
  return 0;
}
