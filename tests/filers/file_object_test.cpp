#include <gtest/gtest.h>

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <fstream>
#include <string>

#include "filers/file_object.h"
#include "tests/support/temp_dir.h"

namespace {

constexpr std::int64_t kLength = std::int64_t{24} << 20;

char ByteAt(std::int64_t offset) { return static_cast<char>('a' + (offset * 7 + offset / 4096) % 26); }

std::string WritePattern(const TempDir& dir) {
  const std::string path = dir.path() + "pattern.bin";
  std::string bytes(static_cast<std::size_t>(kLength), '\0');
  for (std::int64_t i = 0; i < kLength; ++i) bytes[static_cast<std::size_t>(i)] = ByteAt(i);
  std::ofstream(path, std::ios::binary) << bytes;
  return path;
}

// The first byte at or after offset that differs from the pattern, or -1.
std::int64_t FirstWrongByte(const FcFile& file, std::int64_t offset) {
  for (std::int64_t i = offset; i < file.GetLength(); ++i) {
    if (file.Data()[i] != ByteAt(i)) return i;
  }
  return -1;
}

bool PageIsResident(const char* address) {
  const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
  const std::uintptr_t start = (reinterpret_cast<std::uintptr_t>(address) + page - 1) / page * page;
  unsigned char resident = 0;
  return mincore(reinterpret_cast<void*>(start), page, &resident) == 0 && (resident & 1) != 0;
}

// A forward reader of a large file gives the memory of the bytes far behind
// it back, and every way back to them (a seek, a set position, taking the
// bytes) finds them as the file holds them.
TEST(FileObjectTest, ReleasedBytesComeBackWhenTheReaderStepsBack) {
  TempDir dir;
  const std::string path = WritePattern(dir);
  const std::int64_t ends[] = {kLength - 1, kLength * 3 / 4};
  for (const std::int64_t end : ends) {
    SCOPED_TRACE(end);
    FcFile file;
    ASSERT_TRUE(file.Open(path, kFcOpenRead));
    ASSERT_EQ(file.GetLength(), kLength);
    file.SetPosition(end);
    file.ReleaseBehind();
    EXPECT_FALSE(PageIsResident(file.Data() + 1));
    EXPECT_TRUE(PageIsResident(file.Data() + end - 4096));
    EXPECT_EQ(FirstWrongByte(file, end), -1);

    file.SetPosition(end - 1000);
    EXPECT_EQ(FirstWrongByte(file, end - 1000), -1);
    ASSERT_EQ(file.Seek(100, FcSeekOrigin::kBegin), 100);
    EXPECT_EQ(FirstWrongByte(file, 100), -1);
    // Released again, then taken whole.
    file.SetPosition(end);
    file.ReleaseBehind();
    const std::vector<char> taken = file.TakeBytes();
    ASSERT_EQ(static_cast<std::int64_t>(taken.size()), kLength);
    const FcFile whole{std::vector<char>(taken)};
    EXPECT_EQ(FirstWrongByte(whole, 0), -1);
  }
}

// Files that cannot read their bytes again keep them all.
TEST(FileObjectTest, MemoryAndWritableFilesKeepTheirBytes) {
  TempDir dir;
  const std::string path = WritePattern(dir);
  FcFile writable;
  ASSERT_TRUE(writable.Open(path, kFcOpenReadWrite));
  FcFile source;
  ASSERT_TRUE(source.Open(path, kFcOpenRead));
  FcFile memory(source.TakeBytes());
  for (FcFile* file : {&writable, &memory}) {
    file->SetPosition(kLength - 1);
    file->ReleaseBehind();
    EXPECT_TRUE(PageIsResident(file->Data() + 1));
    EXPECT_EQ(FirstWrongByte(*file, 0), -1);
  }
}

}  // namespace
