#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>

#include "core/point2d.h"
#include "shell/modal_dialog.h"

class FcExportDevice;

// What the export dialog remembers between runs; a value that is missing
// or cannot be read is empty.
struct ExportDlgSettings {
  std::optional<int> area;
  // Corner 1 x, y, corner 2 x, y; only when all four were read.
  std::optional<std::array<double, 4>> window;
  std::optional<int> type;
  std::optional<int> units;
  std::optional<double> width;
  std::optional<double> height;
};

// The "ExportCfg" section of the dialog store; nothing when the section
// does not exist. Saving answers false when the store cannot be written.
std::optional<ExportDlgSettings> LoadExportDlgSettings();
bool SaveExportDlgSettings(const ExportDlgSettings& settings);

// The export dialog's data: the export file, its format, the part of the
// drawing and the size of the output. The command fills the candidate
// windows and the file name and reads the rest back after OK, when the
// size is in the device units of the chosen format. The handlers are the
// dialog's behaviour; the widget only shows the members and calls them.
class CExportDlg : public CModalDialog {
 public:
  // The end code of "Pick Window <": the command asks for two corners and
  // runs the dialog again.
  static constexpr int kPickWindow = 6;

  enum Area : short { kAreaDisplay = 1, kAreaWindow = 2, kAreaExtents = 3, kAreaLimits = 4 };
  enum Type : int { kTypeHpgl = 0, kTypePdf = 1, kTypeSvg = 2, kTypeSvgz = 3, kTypeEps = 4 };
  enum Units : int { kUnitsPixel = 0, kUnitsInch = 1, kUnitsMm = 2 };

  // The browse dialog's file types, one per type in the type list's order.
  static constexpr const char* kBrowseFilter =
      "HPGL file(*.plt)|*.plt|Adobe PDF file(*.pdf)|*.pdf|Scalable vector graphics(*.svg)|*.svg|"
      "Compressed Scalable vector graphics(*.svgz)|*.svgz|Encapsulated PostScript(*.eps)|*.eps||";

  CExportDlg() = default;
  // m_pWindow points into the object itself.
  CExportDlg(const CExportDlg&) = delete;
  CExportDlg& operator=(const CExportDlg&) = delete;

  // Device units per unit of size; 1 for a units or type index out of range.
  static double DeviceUnitsPerUnit(int units, int type);
  // ".plt", ".pdf", ".svg", ".svgz", ".eps"; empty out of range.
  static std::string Extension(int type);
  // The type a file extension stands for (without regard to case), or -1.
  static int TypeOfPath(const std::string& path);
  // The name the browse dialog's name box shows once the user picks the
  // type: the typed name without its folder, with the type's extension; no
  // name stays none.
  static std::string BrowseName(const std::string& name, int type);

  // Every showing starts here: the defaults, then the stored settings.
  void OnInitDialog();
  // As OnInitDialog with the settings given (nothing: no stored section).
  void InitFrom(const std::optional<ExportDlgSettings>& stored);

  // The radio buttons; a code out of 1 to 4 is brought into it.
  void SelectArea(int area);
  // A new type: the file name takes its extension and the units rule runs.
  void SelectType(int type);
  // Converts the size (as typed) from the present units into the new ones.
  void SelectUnits(int units);
  // The file the browse dialog chose; a known extension selects its type.
  void TakeChosenFile(const std::string& path);
  // SVG has no units: its list shows "Pixel" and cannot be changed.
  bool UnitsEnabled() const { return m_nType != kTypeSvg && m_nType != kTypeSvgz; }

  // OK: empty when the values are accepted, which stores them and turns
  // the size into device units; else the message that says what is wrong,
  // and nothing changes.
  std::string Accept();

  // The members as they would be stored.
  ExportDlgSettings Settings() const;

  int m_nUnits = -1;
  double m_dWidth = 0.0;
  double m_dHeight = 0.0;
  std::string m_strFileName;
  int m_nType = -1;
  bool m_bFirstShow = false;
  short m_nArea = kAreaDisplay;
  // Lower-left then upper-right.
  FcPoint2d m_ptWindow[2];
  FcPoint2d m_ptDisplay[2];
  FcPoint2d m_ptExtents[2];
  FcPoint2d m_ptLimits[2];
  // One of the four windows above: the one to export.
  FcPoint2d* m_pWindow = nullptr;

 private:
  void ApplyUnitsRule();
  void ReplaceExtension();
  void CopyDisplayToWindow();
};

// The device that writes the dialog's type (HPGL, PDF, SVG, compressed SVG,
// EPS); null for an index out of range.
std::unique_ptr<FcExportDevice> MakeExportDevice(int type);

// Output pixels for a size in device units at the device's scale: nothing
// for a size that is not positive, not finite or too large for a surface.
std::optional<int> ExportPixels(double deviceUnits, double scale);

// Empty when both sizes (device units) give output pixels at the scale,
// else the message that says what is wrong with them.
std::string CheckExportSize(double width, double height, double scale);
