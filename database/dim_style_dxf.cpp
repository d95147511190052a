#include <array>
#include <span>
#include <variant>
#include <utility>

#include "database/dim_style.h"
#include "core/resbuf.h"
#include "database/object_record_parts.h"
#include "filers/filer.h"

namespace {

using RealField = double FcDimVars::*;
using ShortField = std::int16_t FcDimVars::*;
using ByteField = std::uint8_t FcDimVars::*;
using TextField = FcFixedText FcDimVars::*;

// A variable of the record with its group code; the writer goes through
// the rows in the record's order and the reader finds a code among them.
struct DxfField {
  std::int16_t code;
  std::variant<RealField, ShortField, ByteField, TextField> field;
};

using V = FcDimVars;

// Up to and including DIMSAH; the arrow block handles follow.
constexpr std::array kLineFields = {
    DxfField{176, &V::dimclrd}, DxfField{371, &V::dimlwd}, DxfField{46, &V::dimdle},   DxfField{43, &V::dimdli},
    DxfField{281, &V::dimsd1},  DxfField{282, &V::dimsd2}, DxfField{177, &V::dimclre}, DxfField{372, &V::dimlwe},
    DxfField{44, &V::dimexe},   DxfField{42, &V::dimexo},  DxfField{75, &V::dimse1},   DxfField{76, &V::dimse2},
    DxfField{173, &V::dimsah},
};

// The arrow sizes; the text style handle follows.
constexpr std::array kArrowFields = {
    DxfField{41, &V::dimasz},
    DxfField{141, &V::dimcen},
    DxfField{142, &V::dimtsz},
};

constexpr std::array kTextFields = {
    DxfField{178, &V::dimclrt},  DxfField{140, &V::dimtxt},   DxfField{146, &V::dimtfac},  DxfField{147, &V::dimgap},
    DxfField{145, &V::dimtvp},   DxfField{77, &V::dimtad},    DxfField{280, &V::dimjust},  DxfField{74, &V::dimtoh},
    DxfField{73, &V::dimtih},    DxfField{289, &V::dimatfit}, DxfField{174, &V::dimtix},   DxfField{175, &V::dimsoxd},
    DxfField{279, &V::dimtmove}, DxfField{40, &V::dimscale},  DxfField{288, &V::dimupt},   DxfField{172, &V::dimtofl},
    DxfField{277, &V::dimlunit}, DxfField{271, &V::dimdec},   DxfField{276, &V::dimfrac},  DxfField{278, &V::dimdsep},
    DxfField{45, &V::dimrnd},    DxfField{3, &V::dimpost},    DxfField{144, &V::dimlfac},  DxfField{78, &V::dimzin},
    DxfField{275, &V::dimaunit}, DxfField{179, &V::dimadec},  DxfField{79, &V::dimazin},   DxfField{170, &V::dimalt},
    DxfField{273, &V::dimaltu},  DxfField{171, &V::dimaltd},  DxfField{143, &V::dimaltf},  DxfField{148, &V::dimaltrnd},
    DxfField{4, &V::dimapost},   DxfField{285, &V::dimaltz},  DxfField{71, &V::dimtol},    DxfField{72, &V::dimlim},
    DxfField{272, &V::dimtdec},  DxfField{47, &V::dimtp},     DxfField{48, &V::dimtm},     DxfField{283, &V::dimtolj},
    DxfField{284, &V::dimtzin},  DxfField{274, &V::dimalttd}, DxfField{286, &V::dimalttz},
};

// The handle groups of the arrow blocks and the text style.
struct HandleGroup {
  std::int16_t code;
  FcHandle FcDimVars::*handle;
};
constexpr std::array kHandleGroups = {
    HandleGroup{340, &V::dimtxstyHandle}, HandleGroup{341, &V::dimldrblkHandle}, HandleGroup{342, &V::dimblkHandle},
    HandleGroup{343, &V::dimblk1Handle},  HandleGroup{344, &V::dimblk2Handle},
};

// The retired fit group, mapped onto DIMATFIT and DIMTMOVE.
constexpr std::int16_t kOldFitGroup = 287;

void WriteFields(FcFiler& filer, const FcDimVars& vars, std::span<const DxfField> fields) {
  for (const DxfField& row : fields) {
    std::visit(
        [&](auto field) {
          using Field = decltype(field);
          if constexpr (std::is_same_v<Field, RealField>) {
            filer.WriteReal(row.code, vars.*field);
          } else if constexpr (std::is_same_v<Field, TextField>) {
            filer.WriteString(row.code, (vars.*field).str());
          } else {
            filer.WriteInt(row.code, vars.*field);
          }
        },
        row.field);
  }
}

// Stores the group in the variable of its code; false when no row has it.
bool ReadField(const FcResBuf& group, FcDimVars& vars, std::span<const DxfField> fields) {
  for (const DxfField& row : fields) {
    if (row.code != group.type) continue;
    std::visit(
        [&](auto field) {
          using Field = decltype(field);
          if constexpr (std::is_same_v<Field, RealField>) {
            vars.*field = group.realValue;
          } else if constexpr (std::is_same_v<Field, TextField>) {
            vars.*field = group.text;
          } else if constexpr (std::is_same_v<Field, ShortField>) {
            vars.*field = static_cast<std::int16_t>(group.intValue);
          } else {
            vars.*field = static_cast<std::uint8_t>(group.intValue);
          }
        },
        row.field);
    return true;
  }
  return false;
}

void WriteHandleIfSet(FcFiler& filer, std::int16_t code, FcHandle handle) {
  if (handle != 0) filer.WriteHandle(code, handle);
}

}  // namespace

int FcDimStyle::WriteDxf(FcFiler& filer) {
  filer.WriteString(0, "DIMSTYLE");
  filer.WriteHandle(105, GetHandle());
  filer.WriteHandle(330, GetOwner() != nullptr ? GetOwner()->GetHandle() : 0);
  filer.WriteString(100, "AcDbSymbolTableRecord");
  filer.WriteString(100, "AcDbDimStyleTableRecord");
  filer.WriteString(2, GetName());
  filer.WriteInt(70, 0);
  WriteFields(filer, *this, kLineFields);
  if (dimsah != 0) {
    WriteHandleIfSet(filer, 343, dimblk1Handle);
    WriteHandleIfSet(filer, 344, dimblk2Handle);
  } else {
    WriteHandleIfSet(filer, 342, dimblkHandle);
  }
  WriteHandleIfSet(filer, 341, dimldrblkHandle);
  WriteFields(filer, *this, kArrowFields);
  filer.WriteHandle(340, dimtxstyHandle);
  WriteFields(filer, *this, kTextFields);
  return kFcStatusOk;
}

void FcDimStyle::SetDxfValue(const FcResBuf& group) {
  switch (group.type) {
    case 70:
      SetXrefDependent((group.intValue & kXrefDependentFlag) != 0);
      return;
    case 176:
      SetDimclrd(static_cast<std::int16_t>(group.intValue));
      return;
    case kOldFitGroup:
      SetOldFit(group.intValue);
      return;
    default:
      break;
  }
  for (const HandleGroup& row : kHandleGroups) {
    if (row.code != group.type) continue;
    this->*row.handle = group.handle;
    return;
  }
  if (ReadField(group, *this, kLineFields) || ReadField(group, *this, kArrowFields)) return;
  ReadField(group, *this, kTextFields);
}

int FcDimStyle::ReadDxf(FcFiler& filer) {
  const int common = FcObject::ReadDxf(filer);
  if (common != kFcStatusOk) return common;
  if (!ReadMarkerNoCase(filer, "AcDbSymbolTableRecord") || !ReadMarkerNoCase(filer, "AcDbDimStyleTableRecord"))
    return kFcStatusEnd;
  dimblk = dimblk1 = dimblk2 = dimldrblk = dimtxsty = "";
  dimblkHandle = dimblk1Handle = dimblk2Handle = dimldrblkHandle = dimtxstyHandle = 0;
  bool haveName = false;
  FcResBuf group;
  while (filer.ReadGroup(group)) {
    switch (group.type) {
      case 0:
      case 100:
        filer.UnreadGroup();
        return haveName ? kFcStatusOk : kFcStatusEnd;
      case 2:
        SetName(group.text != nullptr ? group.text : "");
        haveName = true;
        break;
      case 1001:
        filer.UnreadGroup();
        if (ReadXdata(filer) != kFcStatusOk) return kFcStatusReadError;
        break;
      default:
        SetDxfValue(group);
        break;
    }
  }
  return kFcStatusEnd;
}

int FcDimStyleList::WriteDxf(FcFiler& filer) {
  filer.WriteString(0, "TABLE");
  filer.WriteString(2, "DIMSTYLE");
  filer.WriteHandle(5, GetHandle());
  filer.WriteHandle(330, 0);
  filer.WriteString(100, "AcDbSymbolTable");
  filer.WriteInt(70, GetCount());
  filer.WriteString(100, "AcDbDimStyleTable");
  filer.WriteInt(71, GetCount());
  for (int i = 0; i < GetCount(); ++i) filer.WriteHandle(340, GetAt(i)->GetHandle());
  for (int i = 0; i < GetCount(); ++i) {
    FcDimStyle* style = GetAt(i);
    style->WriteDxf(filer);
    const FcExtendDataList& xdata = std::as_const(*style).GetXdata();
    for (int block = 0; block < xdata.GetCount(); ++block) {
      if (xdata.GetAt(block)->WriteDxf(filer) != 0) break;
    }
    filer.StepProgress(1);
  }
  filer.WriteString(0, "ENDTAB");
  return kFcStatusOk;
}

int FcDimStyleList::ReadDxf(FcFiler& filer) {
  return ReadDxfTable(
      filer, "DIMSTYLE", [this, &filer] { return NewStyleForReading(filer); },
      [](const FcObject& record) {
        const auto& style = static_cast<const FcDimStyle&>(record);
        return !style.GetName().empty() && !style.IsXrefDependent();
      });
}
