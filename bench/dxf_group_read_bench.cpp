#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <random>
#include <string>

#include "core/resbuf.h"
#include "filers/filer.h"

namespace {

constexpr std::int64_t kTargetBytes = std::int64_t{80} << 20;

// An ASCII DXF of lines and texts as the program writes them, made once in
// the temporary folder and removed when the process ends.
class SampleDrawing {
 public:
  SampleDrawing() {
    path_ = (std::filesystem::temp_directory_path() / "kovra_dxf_group_read_bench.dxf").string();
    FcFiler filer;
    if (!filer.Open(path_, kFcOpenCreate | kFcOpenWrite, FcFileKind::kAsciiDxf)) {
      return;
    }
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> coordinate(-10000.0, 10000.0);
    filer.WriteString(0, "SECTION");
    filer.WriteString(2, "ENTITIES");
    for (std::uint64_t handle = 0x100; filer.GetFile()->GetLength() < kTargetBytes; ++handle) {
      const bool text = handle % 8 == 0;
      filer.WriteString(0, text ? "TEXT" : "LINE");
      filer.WriteHandle(5, handle);
      filer.WriteHandle(330, 0x1F);
      filer.WriteString(100, "AcDbEntity");
      filer.WriteString(8, "Walls");
      filer.WriteInt(62, static_cast<std::int32_t>(handle % 256));
      filer.WriteString(100, text ? "AcDbText" : "AcDbLine");
      for (const std::int16_t code : {10, 11}) {
        filer.WriteReal(code, coordinate(random));
        filer.WriteReal(static_cast<std::int16_t>(code + 10), coordinate(random));
        filer.WriteReal(static_cast<std::int16_t>(code + 20), 0.0);
        if (text) {
          break;
        }
      }
      if (text) {
        filer.WriteReal(40, 2.5);
        filer.WriteString(1, "Room 12 - kitchen and dining");
        filer.WriteReal(50, 37.5);
        filer.WriteInt(72, 1);
      }
    }
    filer.WriteString(0, "ENDSEC");
    filer.WriteString(0, "EOF");
    ok_ = filer.Close();
    bytes_ = static_cast<std::int64_t>(std::filesystem::file_size(path_));
  }
  ~SampleDrawing() {
    std::error_code error;
    std::filesystem::remove(path_, error);
  }

  bool ok() const { return ok_; }
  const std::string& path() const { return path_; }
  std::int64_t bytes() const { return bytes_; }

 private:
  std::string path_;
  bool ok_ = false;
  std::int64_t bytes_ = 0;
};

const SampleDrawing& Sample() {
  static const SampleDrawing sample;
  return sample;
}

// The floor: loading the file and looking at every byte once.
void ScanFileBytes(benchmark::State& state) {
  const SampleDrawing& sample = Sample();
  if (!sample.ok()) {
    state.SkipWithError("the sample drawing could not be written");
    return;
  }
  for (auto _ : state) {
    FcFile file;
    file.Open(sample.path(), kFcOpenRead);
    const char* data = file.Data();
    benchmark::DoNotOptimize(std::count(data, data + file.GetLength(), '\n'));
  }
  state.SetBytesProcessed(state.iterations() * sample.bytes());
}

void ReadAllGroups(benchmark::State& state) {
  const SampleDrawing& sample = Sample();
  if (!sample.ok()) {
    state.SkipWithError("the sample drawing could not be written");
    return;
  }
  std::int64_t groups = 0;
  for (auto _ : state) {
    FcFiler filer;
    filer.Open(sample.path(), kFcOpenRead, FcFileKind::kAsciiDxf);
    FcResBuf node;
    groups = 0;
    while (filer.ReadGroup(node)) {
      ++groups;
    }
    benchmark::DoNotOptimize(node.x);
  }
  state.SetBytesProcessed(state.iterations() * sample.bytes());
  state.counters["groups"] = static_cast<double>(groups);
}

BENCHMARK(ScanFileBytes)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(ReadAllGroups)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
