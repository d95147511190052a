#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "database/select_filter.h"

class FcGraph;
class QSettings;

// A selection condition: entity types, layers, linetypes and colours, each
// list restricting only when it is not empty. Names compare without regard
// to case; the type "polyline" stands for both polyline forms, and the
// linetype names "ByLayer" and "ByBlock" for entities without an own
// linetype and with the ByBlock marker.
class FcEntSelectFilter : public FcSelectFilter {
 public:
  bool Accepts(const FcEntity* entity) const override;
  // Empties the four lists and takes the other's when it is one of these.
  void CopyFrom(const FcSelectFilter& other) override;

  // False when an equal entry (without regard to case for names) is
  // listed already; nothing is added then.
  bool AddType(std::string_view name);
  bool AddLayer(std::string_view name);
  bool AddLinetype(std::string_view name);
  bool AddColor(std::int16_t color);
  void Clear();

  const std::vector<std::string>& GetTypes() const { return types_; }
  const std::vector<std::string>& GetLayers() const { return layers_; }
  const std::vector<std::string>& GetLinetypes() const { return linetypes_; }
  const std::vector<std::int16_t>& GetColors() const { return colors_; }

  // The condition kept under "SelectConditions/<name>" of the settings
  // store, replacing what was saved under that name. False, with nothing
  // written, for a name that is empty or holds a slash or backslash (it
  // would reach other conditions' keys), or when the store cannot be
  // written.
  bool SaveToRegistry(QSettings& store, std::string_view name) const;
  // Replaces the lists with the saved ones. Each list ends at the first
  // entry that is missing or unusable (an empty or over-long name, a
  // colour outside 0 to 256). False for an unusable name; a name never
  // saved gives four empty lists.
  bool LoadFromRegistry(QSettings& store, std::string_view name);

 private:
  std::vector<std::string> types_;
  std::vector<std::string> layers_;
  std::vector<std::string> linetypes_;
  std::vector<std::int16_t> colors_;
};

// While it lasts, the drawing's picks and selections take only entities of
// the named types; the filter the drawing had comes back after it.
class FcTypeFilterScope {
 public:
  FcTypeFilterScope(FcGraph& graph, std::initializer_list<std::string_view> types);
  ~FcTypeFilterScope();
  FcTypeFilterScope(const FcTypeFilterScope&) = delete;
  FcTypeFilterScope& operator=(const FcTypeFilterScope&) = delete;

 private:
  FcGraph& graph_;
  FcSelectFilter* previous_;
  FcEntSelectFilter filter_;
};
