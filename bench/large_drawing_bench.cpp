#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "bench/child_step.h"
#include "database/graph.h"
#include "display/display_surface.h"
#include "export/pdf_export.h"
#include "export/svg_export.h"
#include "filers/file_object.h"
#include "files/drawing_file.h"
#include "platform/program_settings.h"
#include "window/screen_device.h"

// Open, save, regen, redraw and export of a large mixed drawing: a grid of
// cells, each with a line, a circle, an arc, a five-vertex lightweight
// polyline and a short text, and a nested block reference in every tenth
// cell (bench/make_mixed_drawing.py). The full grid is 400 by 290 cells,
// about 80 MB and 590,000 entities; the quarter grid of 200 by 145 cells
// shows whether the times grow with the entities and no faster. Every step
// runs in a child process for its peak memory and is set against the time
// ezdxf's readfile takes on the same file.
//
// The files are made once in the build folder and kept; delete them to
// make them again (the ezdxf time is kept beside them too).

namespace {

constexpr double kCellSize = 10.0;  // as the generator lays the cells out

struct Grid {
  int columns;
  int rows;
};

constexpr Grid kGrids[] = {{400, 290}, {200, 145}};

std::string FileStem(const Grid& grid) {
  return std::string(KOVRA_BENCH_DATA_DIR) + "/mixed_" + std::to_string(grid.columns) + "x" +
         std::to_string(grid.rows);
}

bool MakeAsciiDxf(const Grid& grid, const std::string& path) {
  if (std::filesystem::exists(path)) return true;
  const std::string command = "/usr/bin/python3 '" KOVRA_BENCH_SOURCE_DIR "/make_mixed_drawing.py' '" + path + "' " +
                              std::to_string(grid.columns) + " " + std::to_string(grid.rows);
  std::printf("writing %s with ezdxf...\n", path.c_str());
  std::fflush(stdout);
  return std::system(command.c_str()) == 0 && std::filesystem::exists(path);
}

bool OpenInto(FcGraph& graph, const std::string& path) {
  return OpenDrawing(graph, path, false, nullptr) == FcOpenResult::kDone;
}

// The other kinds are written by the program from the ASCII file.
bool MakeCopy(const std::string& from, const std::string& to, FcFileKind kind) {
  if (std::filesystem::exists(to)) return true;
  return RunInChild([&](StepFigures&) {
           FcGraph graph;
           return OpenInto(graph, from) && SaveDrawing(graph, to, kind, false, false) == FcSaveResult::kDone;
         }).ok;
}

// ezdxf's readfile, timed once in a child python and kept in a file.
double EzdxfSeconds(const std::string& dxf) {
  const std::string kept = dxf + ".ezdxf_seconds";
  double seconds = 0.0;
  if (std::ifstream in(kept); in >> seconds && seconds > 0.0) return seconds;
  std::printf("timing ezdxf readfile of %s...\n", dxf.c_str());
  std::fflush(stdout);
  const std::string command = "/usr/bin/python3 -c \"import sys, time, ezdxf; t = time.perf_counter(); "
                              "ezdxf.readfile(sys.argv[1]); print(time.perf_counter() - t)\" '" +
                              dxf + "' > '" + kept + "'";
  if (std::system(command.c_str()) != 0) return 0.0;
  std::ifstream in(kept);
  in >> seconds;
  return seconds;
}

struct Files {
  bool ok = false;
  std::string ascii;
  std::string binary;
  std::string dwg;
  std::int64_t asciiBytes = 0;
  double ezdxfSeconds = 0.0;
};

// The fonts and support files are found where the program finds them
// beside itself: the source tree holds the same folders.
void UseProgramFolders() {
  ProgramSettings& settings = GetProgramSettings();
  settings.program_directory = KOVRA_BENCH_SOURCE_DIR "/../";
  settings.search_path = BuildSearchPath("", settings.program_directory);
}

const Files& FilesOf(int gridIndex) {
  static Files files[std::size(kGrids)];
  static const bool foldersSet = (UseProgramFolders(), true);
  (void)foldersSet;
  Files& made = files[gridIndex];
  if (made.ok) return made;
  const Grid& grid = kGrids[gridIndex];
  const std::string stem = FileStem(grid);
  made.ascii = stem + ".dxf";
  made.binary = stem + "_binary.dxf";
  made.dwg = stem + ".dwg";
  made.ok = MakeAsciiDxf(grid, made.ascii) && MakeCopy(made.ascii, made.binary, FcFileKind::kBinaryDxf) &&
            MakeCopy(made.ascii, made.dwg, FcFileKind::kDwg);
  if (!made.ok) return made;
  made.asciiBytes = static_cast<std::int64_t>(std::filesystem::file_size(made.ascii));
  made.ezdxfSeconds = EzdxfSeconds(made.ascii);
  return made;
}

void Report(benchmark::State& state, const char* step, const Files& files, const StepFigures& figures) {
  const double fileBytes = static_cast<double>(files.asciiBytes);
  std::printf("%-22s %-7s %7.3f s (processor %7.3f s)   peak %7.1f MB = %5.2f x ASCII file   ezdxf %6.2f s = %6.1f x this\n",
              step, state.range(0) == 0 ? "full" : "quarter", figures.seconds, figures.processorSeconds,
              static_cast<double>(figures.peakBytes) / 1e6, static_cast<double>(figures.peakBytes) / fileBytes,
              files.ezdxfSeconds, figures.seconds > 0.0 ? files.ezdxfSeconds / figures.seconds : 0.0);
  std::fflush(stdout);
  state.SetIterationTime(std::max(figures.seconds, 1e-9));
  state.counters["processor_s"] = figures.processorSeconds;
  state.counters["peak_MB"] = static_cast<double>(figures.peakBytes) / 1e6;
  state.counters["peak_x_file"] = static_cast<double>(figures.peakBytes) / fileBytes;
  state.counters["ezdxf_x"] = files.ezdxfSeconds / std::max(figures.seconds, 1e-9);
}

// A step readies what it works on, times the part measured into the
// figures (StepClock) and says whether it succeeded; it runs in a child
// process.
using Step = std::function<bool(const Files& files, StepFigures& figures)>;

void RunStep(benchmark::State& state, const char* name, const Step& step) {
  const Files& files = FilesOf(static_cast<int>(state.range(0)));
  if (!files.ok) {
    state.SkipWithError("the sample drawings could not be written");
    return;
  }
  for (auto _ : state) {
    const StepFigures figures = RunInChild([&](StepFigures& timed) { return step(files, timed); });
    if (!figures.ok) {
      state.SkipWithError("the step failed");
      return;
    }
    Report(state, name, files, figures);
  }
}

bool TimeOpen(const std::string& path, StepFigures& figures) {
  const StepClock clock;
  FcGraph graph;
  const bool opened = OpenInto(graph, path);
  clock.Stop(figures);
  return opened;
}

// The drawing on a 1024 x 768 screen device, zoomed to the whole grid.
std::unique_ptr<FcGraph> OpenOnScreen(const std::string& path, int gridIndex) {
  SetScreenDeviceFactory(MakeScreenDevice);
  auto graph = std::make_unique<FcGraph>();
  SetScreenDeviceFactory(nullptr);
  if (!OpenInto(*graph, path)) return nullptr;
  graph->GetDisplaySurface()->Resize(1024, 768);
  const Grid& grid = kGrids[gridIndex];
  graph->GetDisplaySurface()->ZoomWindow({0.0, 0.0}, {grid.columns * kCellSize, grid.rows * kCellSize});
  return graph;
}

void ScanBytes(benchmark::State& state) {
  RunStep(state, "byte scan", [](const Files& files, StepFigures& figures) {
    const StepClock clock;
    FcFile file;
    if (!file.Open(files.ascii, kFcOpenRead)) return false;
    const char* data = file.Data();
    benchmark::DoNotOptimize(std::count(data, data + file.GetLength(), '\n'));
    clock.Stop(figures);
    return true;
  });
}

void EzdxfReadfile(benchmark::State& state) {
  const Files& files = FilesOf(static_cast<int>(state.range(0)));
  if (!files.ok || files.ezdxfSeconds <= 0.0) {
    state.SkipWithError("ezdxf could not read the sample drawing");
    return;
  }
  for (auto _ : state) Report(state, "ezdxf readfile", files, StepFigures{true, files.ezdxfSeconds, 0});
}

void OpenAsciiDxf(benchmark::State& state) {
  RunStep(state, "open ASCII DXF", [](const Files& files, StepFigures& figures) { return TimeOpen(files.ascii, figures); });
}

void OpenBinaryDxf(benchmark::State& state) {
  RunStep(state, "open binary DXF", [](const Files& files, StepFigures& figures) { return TimeOpen(files.binary, figures); });
}

void OpenDwg(benchmark::State& state) {
  RunStep(state, "open DWG", [](const Files& files, StepFigures& figures) { return TimeOpen(files.dwg, figures); });
}

void SaveDwg(benchmark::State& state) {
  RunStep(state, "save DWG", [](const Files& files, StepFigures& figures) {
    FcGraph graph;
    if (!OpenInto(graph, files.ascii)) return false;
    const std::string path = files.dwg + ".saved.dwg";
    const StepClock clock;
    const bool saved = SaveDrawing(graph, path, FcFileKind::kDwg, false, false) == FcSaveResult::kDone;
    clock.Stop(figures);
    std::error_code error;
    std::filesystem::remove(path, error);
    return saved;
  });
}

// A regen of the drawing on the screen, or a redraw after one.
bool TimeOnScreen(const Files& files, int gridIndex, bool redraw, StepFigures& figures) {
  std::unique_ptr<FcGraph> graph = OpenOnScreen(files.ascii, gridIndex);
  if (graph == nullptr) return false;
  if (redraw) graph->Regen();
  const StepClock clock;
  if (redraw) {
    graph->Redraw();
  } else {
    graph->Regen();
  }
  clock.Stop(figures);
  return true;
}

void Regen(benchmark::State& state) {
  const int gridIndex = static_cast<int>(state.range(0));
  RunStep(state, "regen", [gridIndex](const Files& files, StepFigures& figures) {
    return TimeOnScreen(files, gridIndex, false, figures);
  });
}

void Redraw(benchmark::State& state) {
  const int gridIndex = static_cast<int>(state.range(0));
  RunStep(state, "redraw", [gridIndex](const Files& files, StepFigures& figures) {
    return TimeOnScreen(files, gridIndex, true, figures);
  });
}

// The grid's extents at one output unit per drawing unit, 1000 device
// units to the output unit; withOpen times the ASCII open before it too.
bool TimeExport(const Files& files, int gridIndex, std::unique_ptr<FcDisplayDevice> device, const char* extension,
                StepFigures& figures, bool withOpen = false) {
  std::optional<StepClock> openClock;
  if (withOpen) openClock.emplace();
  FcGraph graph;
  if (!OpenInto(graph, files.ascii)) return false;
  const Grid& grid = kGrids[gridIndex];
  const double width = grid.columns * kCellSize;
  const double height = grid.rows * kCellSize;
  const std::string path = files.ascii + ".export." + extension;
  const StepClock exportClock;
  const bool exported = graph.ExportWindow({0.0, 0.0}, {width, height}, std::move(device),
                                           static_cast<int>(width * 1000), static_cast<int>(height * 1000), path);
  (openClock ? *openClock : exportClock).Stop(figures);
  std::error_code error;
  std::printf("  %s file of the export: %.1f MB\n", extension,
              static_cast<double>(std::filesystem::file_size(path, error)) / 1e6);
  std::fflush(stdout);
  return exported;
}

void ExportPdf(benchmark::State& state) {
  const int gridIndex = static_cast<int>(state.range(0));
  RunStep(state, "export PDF", [gridIndex](const Files& files, StepFigures& figures) {
    return TimeExport(files, gridIndex, std::make_unique<FcPDFExportDevice>(), "pdf", figures);
  });
}

void ExportSvg(benchmark::State& state) {
  const int gridIndex = static_cast<int>(state.range(0));
  RunStep(state, "export SVG", [gridIndex](const Files& files, StepFigures& figures) {
    return TimeExport(files, gridIndex, std::make_unique<FcSVGExportDevice>(), "svg", figures);
  });
}

void ExportSvgz(benchmark::State& state) {
  const int gridIndex = static_cast<int>(state.range(0));
  RunStep(state, "export SVGZ", [gridIndex](const Files& files, StepFigures& figures) {
    auto device = std::make_unique<FcSVGExportDevice>();
    device->compressed = true;
    return TimeExport(files, gridIndex, std::move(device), "svgz", figures);
  });
}

// What a user waits for from opening the file to having its PDF.
void OpenAndExportPdf(benchmark::State& state) {
  const int gridIndex = static_cast<int>(state.range(0));
  RunStep(state, "open + export PDF", [gridIndex](const Files& files, StepFigures& figures) {
    return TimeExport(files, gridIndex, std::make_unique<FcPDFExportDevice>(), "pdf", figures, true);
  });
}

void OnBothGrids(benchmark::internal::Benchmark* benchmark) {
  benchmark->Arg(0)->Arg(1)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
}

BENCHMARK(ScanBytes)->Apply(OnBothGrids);
BENCHMARK(EzdxfReadfile)->Apply(OnBothGrids);
BENCHMARK(OpenAsciiDxf)->Apply(OnBothGrids);
BENCHMARK(OpenBinaryDxf)->Apply(OnBothGrids);
BENCHMARK(SaveDwg)->Apply(OnBothGrids);
BENCHMARK(OpenDwg)->Apply(OnBothGrids);
BENCHMARK(Regen)->Apply(OnBothGrids);
BENCHMARK(Redraw)->Apply(OnBothGrids);
BENCHMARK(ExportPdf)->Apply(OnBothGrids);
BENCHMARK(ExportSvg)->Apply(OnBothGrids);
BENCHMARK(ExportSvgz)->Apply(OnBothGrids);
BENCHMARK(OpenAndExportPdf)->Apply(OnBothGrids);

}  // namespace
