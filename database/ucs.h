#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "core/point2d.h"
#include "database/symbol_list.h"

// A user coordinate system: origin and axis directions, kept as the
// drawing's current UCS has them.
class FcUCS : public FcObject {
 public:
  static constexpr DwgObjectType kDwgType = 63;

  FcUCS();
  static FcObject* Create();

  int WriteDwg(FcFilerDwg& filer) override;
  int WriteDxf(FcFiler& filer) override;
  int ReadDwg(FcFilerDwg& filer) override;
  int ReadDxf(FcFiler& filer) override;

  // Name, origin and axes; the xref-dependent flag stays.
  void CopyFrom(const FcUCS& other);

  const std::string& GetName() const { return name_; }
  void SetName(std::string_view name);
  const FcPoint2d& GetOrigin() const { return origin_; }
  void SetOrigin(const FcPoint2d& origin) { origin_ = origin; }
  const FcPoint2d& GetXAxis() const { return xAxis_; }
  void SetXAxis(const FcPoint2d& axis) { xAxis_ = axis; }
  const FcPoint2d& GetYAxis() const { return yAxis_; }
  void SetYAxis(const FcPoint2d& axis) { yAxis_ = axis; }
  bool IsXrefDependent() const { return xrefDependent_; }
  void SetXrefDependent(bool xrefDependent) { xrefDependent_ = xrefDependent; }

 private:
  std::string name_;
  FcPoint2d origin_{0.0, 0.0};
  FcPoint2d xAxis_{1.0, 0.0};
  FcPoint2d yAxis_{0.0, 1.0};
  bool xrefDependent_ = false;
};

// The named UCS table of a drawing, and the list of previous UCSs (which is
// never written to files).
class FcUCSList : public FcSymbolList {
 public:
  static constexpr DwgObjectType kDwgType = 62;

  FcUCSList();

  FcUCS* GetAt(int index) const { return static_cast<FcUCS*>(GetRecordAt(index)); }
  // A default record appended without a handle.
  FcUCS* AddNew();
  FcUCS* AddNamed(std::string_view name);
  // The first record of that name by the multibyte-aware comparison.
  FcUCS* FindByName(std::string_view name) const;
  // Deletes the record FindByName finds; false when there is none. The
  // last record moves into its slot.
  bool RemoveNamed(std::string_view name);
  // Deletes the last record; nothing for an empty table.
  void RemoveLast();

  int WriteDxf(FcFiler& filer) override;
  // Entered after the group 0 "TABLE" and its name.
  int ReadDxf(FcFiler& filer) override;
  int ReadDwg(FcFilerDwg& filer) override;

 protected:
  std::string_view RecordName(const FcObject& record) const override;

 private:
  std::unique_ptr<FcObject> MakeRecord();
  // -1 when no record has the name.
  int IndexOfName(std::string_view name) const;
  // Records without a name and xref-dependent ones are dropped on reading.
  static bool KeepRecord(const FcObject& record);
};
