#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "commands/dialogs/linetype_table_copy.h"
#include "core/handle.h"
#include "shell/modal_dialog.h"

class FcGraph;
class FcLayer;
class FcLineType;

// The layer manager. The command sets m_pGraph and calls Load; the dialog
// then edits a working copy of the layer table only, and Apply writes it
// into the drawing after OK, so that Cancel leaves the drawing as it was.
// The editing calls answer the message the user sees when they refuse, or
// an empty text.
class CLayerSetDlg : public CModalDialog {
 public:
  // What Apply leaves in m_nRegen.
  static constexpr int kRefreshNone = 0;
  static constexpr int kRefreshLayerDisplay = 1;
  static constexpr int kRefreshRegen = 2;

  static constexpr const char* kDuplicateName = "There is the same name layer!\nThe layer name must be unique!";

  // One entry of the colour list of "Details".
  struct ColorChoice {
    short color;
    std::string text;
  };
  // One entry of the linetype list of "Details".
  struct LinetypeChoice {
    FcHandle handle;
    std::string name;
  };

  CLayerSetDlg();
  ~CLayerSetDlg() override;

  FcGraph* m_pGraph = nullptr;
  int m_nRegen = kRefreshNone;
  // The linetypes layers may take, with those the user loads meanwhile.
  CLinetypeTableCopy m_linetypes;

  // Copies the drawing's layers, sorted by name without regard to case,
  // finds the current one, and copies the linetypes.
  void Load();

  // Every working layer in list order, deleted ones included (they carry
  // the deletion mark and have no row).
  const std::vector<std::unique_ptr<FcLayer>>& Layers() const { return m_layers; }
  FcLayer* CurrentLayer() const { return m_pCurLayer; }
  std::string CurrentLabel() const;
  // The layer New copies: the one last shown in "Details", at first the
  // current one.
  FcLayer* DetailLayer() const { return m_pDetailLayer; }
  void ShowDetails(FcLayer* layer) { m_pDetailLayer = layer; }

  // A new layer "LayerN" with the properties of the detail layer.
  FcLayer* NewLayer();
  std::string MakeCurrent(FcLayer& layer);
  std::string Rename(FcLayer& layer, std::string_view name);
  std::string Delete(FcLayer& layer);
  std::string SetOn(FcLayer& layer, bool on);
  std::string SetFrozen(FcLayer& layer, bool frozen);
  // Locking the current layer is allowed; the answer is the warning.
  std::string SetLocked(FcLayer& layer, bool locked);
  void SetPlottable(FcLayer& layer, bool plottable);
  // Colours outside 1 to 255 are not taken.
  void SetColor(FcLayer& layer, short color);
  void SetLinetype(FcLayer& layer, FcHandle linetype);

  static bool IsLayerZero(const FcLayer& layer);
  static std::string ColorText(short color);
  // "Red" to "White", then one entry per working layer with a colour of 8
  // or more, then "Others..." (kOtherColors).
  static constexpr short kOtherColors = 1000;
  std::vector<ColorChoice> ColorChoices() const;
  // The linetypes but the ByLayer and ByBlock markers.
  std::vector<LinetypeChoice> LinetypeChoices() const;
  // "Continuous" for none or a handle the drawing lacks.
  std::string LinetypeName(FcHandle handle) const;

  // Writes the linetypes and the layers into the drawing and sets m_nRegen.
  void Apply();

 private:
  bool IsCurrent(const FcLayer& layer) const;
  bool NameTaken(std::string_view name, const FcLayer* except) const;
  // The drawing's layer of the working layer's handle, or null.
  FcLayer* DrawingLayer(const FcLayer& layer) const;
  void RaiseRefresh(const FcLayer& from, const FcLayer& to);

  std::vector<std::unique_ptr<FcLayer>> m_layers;
  FcLayer* m_pCurLayer = nullptr;
  FcLayer* m_pDetailLayer = nullptr;
};
