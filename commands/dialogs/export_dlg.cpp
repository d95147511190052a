#include "commands/dialogs/export_dlg.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "commands/dialogs/area_window.h"
#include "core/paths.h"
#include "database/object.h"
#include "export/export_device.h"
#include "export/hpgl_export.h"
#include "export/pdf_export.h"
#include "export/svg_export.h"

namespace {

constexpr int kTypeCount = 5;
constexpr int kUnitsCount = 3;
constexpr const char* kExtensions[kTypeCount] = {".plt", ".pdf", ".svg", ".svgz", ".eps"};

// Rows: units; columns: HPGL, PDF, SVG, compressed SVG, EPS.
constexpr double kDeviceUnits[kUnitsCount][kTypeCount] = {
    {1.0, 1.0, 1.0, 1.0, 1.0},
    {1016.0, 72.0, 1.0, 1.0, 72.0},
    {40.0, 2.834645669291339, 1.0, 1.0, 2.834645669291339},
};

// Output sizes stay well inside the integers the display surface computes
// its device rectangle with.
constexpr double kMaxExportPixels = INT_MAX / 2.0;

double RoundForUnits(double value, int units) {
  if (units == CExportDlg::kUnitsPixel) return std::floor(value + 0.5);
  return std::floor(value * 10000.0 + 0.5) / 10000.0;
}

}  // namespace

double CExportDlg::DeviceUnitsPerUnit(int units, int type) {
  if (units < 0 || units >= kUnitsCount || type < 0 || type >= kTypeCount) return 1.0;
  return kDeviceUnits[units][type];
}

std::string CExportDlg::Extension(int type) {
  if (type < 0 || type >= kTypeCount) return {};
  return kExtensions[type];
}

int CExportDlg::TypeOfPath(const std::string& path) {
  const std::string extension = PathExtension(path);
  for (int type = 0; type < kTypeCount; ++type)
    if (EqualsNoCase(extension, kExtensions[type])) return type;
  return -1;
}

std::string CExportDlg::BrowseName(const std::string& name, int type) {
  if (name.empty()) return {};
  return PathWithoutExtension(PathFileName(name), Extension(type));
}

void CExportDlg::OnInitDialog() { InitFrom(LoadExportDlgSettings()); }

void CExportDlg::InitFrom(const std::optional<ExportDlgSettings>& stored) {
  m_dWidth = 800.0;
  m_dHeight = 600.0;
  m_nUnits = kUnitsPixel;
  m_nType = kTypeHpgl;
  if (!m_bFirstShow) {
    // Back from a window pick: the picked corners are the window.
    SelectArea(kAreaWindow);
  } else {
    SelectArea(stored ? stored->area.value_or(kAreaDisplay) : kAreaDisplay);
    if (stored && stored->window) {
      const std::array<double, 4>& corners = *stored->window;
      m_ptWindow[0] = {corners[0], corners[1]};
      m_ptWindow[1] = {corners[2], corners[3]};
    } else {
      CopyDisplayToWindow();
    }
  }
  if (stored) {
    if (stored->type) m_nType = std::clamp(*stored->type, 0, kTypeCount - 1);
    if (stored->units) m_nUnits = std::clamp(*stored->units, 0, kUnitsCount - 1);
    if (stored->width) m_dWidth = *stored->width;
    if (stored->height) m_dHeight = *stored->height;
  }
  ReplaceExtension();
}

void CExportDlg::SelectArea(int area) {
  m_nArea = static_cast<short>(std::clamp(area, static_cast<int>(kAreaDisplay), static_cast<int>(kAreaLimits)));
  m_pWindow = AreaWindow(*this, m_nArea);
}

void CExportDlg::SelectType(int type) {
  if (type < 0 || type >= kTypeCount) return;
  m_nType = type;
  ReplaceExtension();
  ApplyUnitsRule();
}

void CExportDlg::SelectUnits(int units) {
  if (units < 0 || units >= kUnitsCount || units == m_nUnits) return;
  const double factor = DeviceUnitsPerUnit(m_nUnits, m_nType) / DeviceUnitsPerUnit(units, m_nType);
  m_dWidth = RoundForUnits(m_dWidth * factor, units);
  m_dHeight = RoundForUnits(m_dHeight * factor, units);
  m_nUnits = units;
}

void CExportDlg::TakeChosenFile(const std::string& path) {
  m_strFileName = path;
  const int type = TypeOfPath(path);
  if (type >= 0) m_nType = type;
  ApplyUnitsRule();
}

std::string CExportDlg::Accept() {
  if (m_strFileName.empty()) return "Please choose the file to export to.";
  const double perUnit = DeviceUnitsPerUnit(m_nUnits, m_nType);
  const std::unique_ptr<FcExportDevice> device = MakeExportDevice(m_nType);
  std::string refusal = CheckExportSize(m_dWidth * perUnit, m_dHeight * perUnit, device != nullptr ? device->scale : 1.0);
  if (!refusal.empty()) return refusal;
  // A store that cannot be written loses the choices, not the export.
  SaveExportDlgSettings(Settings());
  m_dWidth *= perUnit;
  m_dHeight *= perUnit;
  return {};
}

ExportDlgSettings CExportDlg::Settings() const {
  ExportDlgSettings settings;
  settings.area = m_nArea;
  settings.window = std::array<double, 4>{m_ptWindow[0].x, m_ptWindow[0].y, m_ptWindow[1].x, m_ptWindow[1].y};
  settings.type = m_nType;
  settings.units = m_nUnits;
  settings.width = m_dWidth;
  settings.height = m_dHeight;
  return settings;
}

void CExportDlg::ApplyUnitsRule() {
  if (!UnitsEnabled()) m_nUnits = kUnitsPixel;
}

void CExportDlg::ReplaceExtension() {
  if (m_strFileName.empty()) return;
  m_strFileName = PathWithoutExtension(m_strFileName, Extension(m_nType));
}

void CExportDlg::CopyDisplayToWindow() {
  m_ptWindow[0] = m_ptDisplay[0];
  m_ptWindow[1] = m_ptDisplay[1];
}

std::unique_ptr<FcExportDevice> MakeExportDevice(int type) {
  switch (type) {
    case CExportDlg::kTypeHpgl:
      return std::make_unique<FcHPGLExportDevice>();
    case CExportDlg::kTypePdf:
      return std::make_unique<FcPDFExportDevice>();
    case CExportDlg::kTypeSvg:
    case CExportDlg::kTypeSvgz: {
      auto device = std::make_unique<FcSVGExportDevice>();
      device->compressed = type == CExportDlg::kTypeSvgz;
      return device;
    }
    case CExportDlg::kTypeEps:
      return std::make_unique<FcEpsExportDevice>();
    default:
      return nullptr;
  }
}

std::optional<int> ExportPixels(double deviceUnits, double scale) {
  const double pixels = scale * deviceUnits + 0.5;
  if (!std::isfinite(pixels) || !(pixels >= 1.0) || pixels > kMaxExportPixels) return std::nullopt;
  return static_cast<int>(pixels);
}

std::string CheckExportSize(double width, double height, double scale) {
  if (!(width > 0.0) || !(height > 0.0)) return "The width and the height must be numbers greater than 0.";
  if (!ExportPixels(width, scale) || !ExportPixels(height, scale)) return "The size is too large to export.";
  return {};
}
