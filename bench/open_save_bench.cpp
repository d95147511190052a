#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

#include "bench/child_step.h"
#include "database/graph.h"
#include "entities/line.h"
#include "files/drawing_file.h"

// Saving and opening a drawing of a million lines in each file kind, with
// the throughput and the peak memory of each step, each in a child process
// of its own: the open's peak is not hidden behind the drawing that was
// built to be saved.

namespace {

constexpr int kLineCount = 1'000'000;

void FillWithLines(FcGraph& graph, int count) {
  std::mt19937_64 random(11);
  std::uniform_real_distribution<double> coordinate(-10000.0, 10000.0);
  for (int i = 0; i < count; ++i) {
    auto* line = new FcLine;
    line->SetStartPoint({coordinate(random), coordinate(random)});
    line->SetEndPoint({coordinate(random), coordinate(random)});
    graph.AddEntity(line, false);
  }
}

const char* KindName(FcFileKind kind) {
  switch (kind) {
    case FcFileKind::kAsciiDxf: return "ASCII DXF";
    case FcFileKind::kBinaryDxf: return "binary DXF";
    default: return "DWG";
  }
}

void Report(const char* step, FcFileKind kind, const StepFigures& figures, std::int64_t fileBytes) {
  const double megabytes = static_cast<double>(fileBytes) / 1e6;
  std::printf("%-4s %-10s %7.2f s %8.1f MB/s   file %7.1f MB   peak %7.1f MB = %.2f x file\n", step, KindName(kind),
              figures.seconds, megabytes / figures.seconds, megabytes, static_cast<double>(figures.peakBytes) / 1e6,
              static_cast<double>(figures.peakBytes) / static_cast<double>(fileBytes));
  std::fflush(stdout);
}

void SaveAndOpen(benchmark::State& state, FcFileKind kind) {
  const std::filesystem::path path = std::filesystem::temp_directory_path() /
                                     (std::string("kovra_open_save_bench") + (kind == FcFileKind::kDwg ? ".dwg" : ".dxf"));
  for (auto _ : state) {
    std::filesystem::remove(path);
    // The drawing is built outside the timed part of the save.
    const StepFigures save = RunInChild([&](StepFigures& figures) {
      FcGraph graph;
      FillWithLines(graph, kLineCount);
      const auto start = std::chrono::steady_clock::now();
      const bool saved = SaveDrawing(graph, path.string(), kind, false, false) == FcSaveResult::kDone;
      figures.seconds = SecondsSince(start);
      return saved;
    });
    if (!save.ok) {
      state.SkipWithError("the drawing could not be saved");
      return;
    }
    const StepFigures open = RunInChild([&](StepFigures& figures) {
      const auto start = std::chrono::steady_clock::now();
      FcGraph graph;
      std::uint8_t skipped = 0;
      const bool opened = OpenDrawing(graph, path.string(), false, &skipped) == FcOpenResult::kDone;
      figures.seconds = SecondsSince(start);
      return opened;
    });
    if (!open.ok) {
      state.SkipWithError("the drawing could not be opened");
      return;
    }
    const auto bytes = static_cast<std::int64_t>(std::filesystem::file_size(path));
    Report("save", kind, save, bytes);
    Report("open", kind, open, bytes);
    state.SetIterationTime(open.seconds);
    state.counters["file_MB"] = static_cast<double>(bytes) / 1e6;
    state.counters["open_MBps"] = static_cast<double>(bytes) / 1e6 / open.seconds;
    state.counters["open_peak_x_file"] = static_cast<double>(open.peakBytes) / static_cast<double>(bytes);
  }
  std::error_code error;
  std::filesystem::remove(path, error);
}

void AsciiDxf(benchmark::State& state) { SaveAndOpen(state, FcFileKind::kAsciiDxf); }
void BinaryDxf(benchmark::State& state) { SaveAndOpen(state, FcFileKind::kBinaryDxf); }
void Dwg(benchmark::State& state) { SaveAndOpen(state, FcFileKind::kDwg); }

BENCHMARK(AsciiDxf)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);
BENCHMARK(BinaryDxf)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);
BENCHMARK(Dwg)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

}  // namespace
