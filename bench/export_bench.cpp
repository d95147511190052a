#include <benchmark/benchmark.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <random>
#include <string>

#include "core/point2d.h"
#include "display/display_surface.h"
#include "export/export_device.h"
#include "export/hpgl_export.h"
#include "export/pdf_export.h"
#include "display/primitive_builders.h"
#include "export/svg_export.h"
#include "display/view_transform.h"

namespace {

constexpr int kEntities = 100000;
constexpr double kWorldWidth = 1000.0;
constexpr double kWorldHeight = 750.0;

// A surface of lines and arcs in all colours over a 1000 by 750 window,
// exported at one device unit per thousandth of a world unit.
std::unique_ptr<FcDisplaySurface> MakeSurface(std::unique_ptr<FcExportDevice> device) {
  auto surface = std::make_unique<FcDisplaySurface>(nullptr);
  surface->SetDevice(std::move(device));
  surface->SetDeviceSize(static_cast<int>(kWorldWidth * 1000), static_cast<int>(kWorldHeight * 1000));
  FcViewTransform& view = *surface->GetView();
  view.x1 = kWorldWidth;
  view.y1 = kWorldHeight;
  view.Update();
  std::mt19937_64 random(11);
  std::uniform_real_distribution<double> x(0.0, kWorldWidth);
  std::uniform_real_distribution<double> y(0.0, kWorldHeight);
  std::uniform_real_distribution<double> radius(0.5, 20.0);
  std::uniform_real_distribution<double> angle(0.0, kTwoPi);
  for (FcHandle handle = 1; handle <= kEntities; ++handle) {
    surface->currentColorIndex = static_cast<std::int16_t>(1 + handle % 255);
    if (handle % 2 == 0) {
      AddLineToSurface(surface.get(), {x(random), y(random)}, {x(random), y(random)}, 0, handle);
    } else {
      const double start = angle(random);
      AddArcToSurface(surface.get(), {x(random), y(random)}, radius(random), start, start + angle(random), handle, 0);
    }
  }
  return surface;
}

void ExportFormat(benchmark::State& state, const std::string& extension,
                  const std::function<std::unique_ptr<FcExportDevice>()>& make) {
  const std::string path = (std::filesystem::temp_directory_path() / ("kovra_export_bench." + extension)).string();
  std::uintmax_t bytes = 0;
  for (auto _ : state) {
    state.PauseTiming();
    std::unique_ptr<FcDisplaySurface> surface = MakeSurface(make());
    state.ResumeTiming();
    surface->Export(path);
    state.PauseTiming();
    if (!static_cast<FcExportDevice*>(surface->GetDevice())->Succeeded()) state.SkipWithError("export failed");
    std::error_code error;
    bytes = std::filesystem::file_size(path, error);
    std::filesystem::remove(path, error);
    state.ResumeTiming();
  }
  state.counters["file_bytes"] = static_cast<double>(bytes);
}

void BM_ExportEps(benchmark::State& state) {
  ExportFormat(state, "eps", [] { return std::make_unique<FcEpsExportDevice>(); });
}
void BM_ExportHpgl(benchmark::State& state) {
  ExportFormat(state, "plt", [] { return std::make_unique<FcHPGLExportDevice>(); });
}
void BM_ExportSvg(benchmark::State& state) {
  ExportFormat(state, "svg", [] { return std::make_unique<FcSVGExportDevice>(); });
}
void BM_ExportSvgz(benchmark::State& state) {
  ExportFormat(state, "svgz", [] {
    auto device = std::make_unique<FcSVGExportDevice>();
    device->compressed = true;
    return device;
  });
}
void BM_ExportPdf(benchmark::State& state) {
  ExportFormat(state, "pdf", [] { return std::make_unique<FcPDFExportDevice>(); });
}

BENCHMARK(BM_ExportEps)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ExportHpgl)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ExportSvg)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ExportSvgz)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ExportPdf)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
