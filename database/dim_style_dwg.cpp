#include <vector>

#include "database/dim_style.h"
#include "database/graph.h"
#include "filers/filer_dwg.h"

namespace {

// Makes the reads of one record's variables, each a call that fills a
// field and tells whether the stream held it, so that a record reads as
// one list in the order of its layout.
class VariableReads {
 public:
  explicit VariableReads(FcFilerDwg& filer) : filer_(filer) {}

  auto Real(double& field) const {
    return [this, &field] { return filer_.ReadBitDouble(field); };
  }
  auto Bit(std::uint8_t& field) const {
    return [this, &field] { return filer_.ReadBit(field); };
  }
  auto Short(std::int16_t& field) const {
    return [this, &field] { return filer_.ReadBitShort(field); };
  }
  auto Char(std::uint8_t& field) const {
    return [this, &field] { return filer_.ReadRawChar(field); };
  }
  // A bit-short kept in a byte field.
  auto ShortToByte(std::uint8_t& field) const {
    return [this, &field] {
      std::int16_t value = 0;
      if (!filer_.ReadBitShort(value)) return false;
      field = static_cast<std::uint8_t>(value);
      return true;
    };
  }
  // A raw char kept in a 16-bit field.
  auto CharToShort(std::int16_t& field) const {
    return [this, &field] {
      std::uint8_t value = 0;
      if (!filer_.ReadRawChar(value)) return false;
      field = value;
      return true;
    };
  }
  auto Text(FcFixedText& field) const {
    return [this, &field] {
      std::string text;
      if (!filer_.ReadText(text)) return false;
      field = text;
      return true;
    };
  }

 private:
  FcFilerDwg& filer_;
};

// Release 2000 control objects of this table count, in a byte after the
// entries, further handles that follow the entry handles; the table does
// not keep them.
bool SkipExtraHandleCount(FcFilerDwg& filer) {
  std::uint8_t extra = 0;
  return filer.GetVersion() < FcFilerDwg::kVersion2000 || filer.ReadRawChar(extra);
}

// Every read of the group in order; false at the first that fails.
template <typename... Reads>
bool All(Reads... reads) {
  return (reads() && ...);
}

}  // namespace

int FcDimStyle::WriteDwg(FcFilerDwg& filer) {
  BeginDwgObject(filer);
  filer.WriteBitLong(0);
  filer.WriteText(GetName());
  filer.WriteBit(unreferenced_ == 0 ? 1 : 0);
  filer.WriteBitShort(0);
  filer.WriteBit(0);
  filer.WriteText(dimpost.str());
  filer.WriteText(dimapost.str());
  for (const double value : {dimscale, dimasz, dimexo, dimdli, dimexe, dimrnd, dimdle, dimtp, dimtm})
    filer.WriteBitDouble(value);
  for (const std::uint8_t flag : {dimtol, dimlim, dimtih, dimtoh, dimse1, dimse2}) filer.WriteBit(flag);
  for (const std::int16_t value : {std::int16_t{dimtad}, dimzin, dimazin}) filer.WriteBitShort(value);
  for (const double value : {dimtxt, dimcen, dimtsz, dimaltf, dimlfac, dimtvp, dimtfac, dimgap, dimaltrnd})
    filer.WriteBitDouble(value);
  filer.WriteBit(dimalt);
  filer.WriteBitShort(dimaltd);
  for (const std::uint8_t flag : {dimtofl, dimsah, dimtix, dimsoxd}) filer.WriteBit(flag);
  for (const std::int16_t value : {dimclrd, dimclre, dimclrt, dimadec, dimdec, dimtdec, dimaltu, dimalttd, dimaunit,
                                   dimfrac, dimlunit, dimdsep, dimtmove})
    filer.WriteBitShort(value);
  filer.WriteBitShort(dimjust);
  filer.WriteBit(dimsd1);
  filer.WriteBit(dimsd2);
  for (const std::int16_t value : {std::int16_t{dimtolj}, std::int16_t{dimtzin}, dimaltz, std::int16_t{dimalttz}})
    filer.WriteBitShort(value);
  filer.WriteBit(dimupt);
  // Older readers know only the full fit; DIMATFIT is not kept in DWG.
  filer.WriteBitShort(3);
  filer.WriteBitShort(dimlwd);
  filer.WriteBitShort(dimlwe);
  filer.WriteBit(0);
  filer.SetDataBitSize(filer.GetBitsWritten());
  filer.WriteHandleRef(4, 0, GetOwner() != nullptr ? GetOwner()->GetHandle() : 0);
  filer.WriteHandleRef(3, 0, 0);
  filer.WriteHandleRef(5, 0, 0);
  for (const FcHandle handle : {dimtxstyHandle, dimldrblkHandle, dimblkHandle, dimblk1Handle, dimblk2Handle})
    filer.WriteHandleRef(5, 0, handle);
  EndDwgObject(filer);
  return kFcStatusOk;
}

int FcDimStyle::ReadDwgVariables2000(FcFilerDwg& filer) {
  std::int16_t ignoredShort = 0;
  std::uint8_t ignoredBit = 0;
  const VariableReads r(filer);
  const bool read =
      All(r.Text(dimpost), r.Text(dimapost), r.Real(dimscale), r.Real(dimasz), r.Real(dimexo), r.Real(dimdli),
          r.Real(dimexe), r.Real(dimrnd), r.Real(dimdle), r.Real(dimtp), r.Real(dimtm), r.Bit(dimtol), r.Bit(dimlim),
          r.Bit(dimtih), r.Bit(dimtoh), r.Bit(dimse1), r.Bit(dimse2), r.ShortToByte(dimtad), r.Short(dimzin),
          r.Short(dimazin), r.Real(dimtxt), r.Real(dimcen), r.Real(dimtsz), r.Real(dimaltf), r.Real(dimlfac),
          r.Real(dimtvp), r.Real(dimtfac), r.Real(dimgap), r.Real(dimaltrnd), r.Bit(dimalt), r.ShortToByte(dimaltd),
          r.Bit(dimtofl), r.Bit(dimsah), r.Bit(dimtix), r.Bit(dimsoxd)) &&
      All(r.Short(dimclrd), r.Short(dimclre), r.Short(dimclrt), r.Short(dimadec), r.Short(dimdec), r.Short(dimtdec),
          r.Short(dimaltu), r.Short(dimalttd), r.Short(dimaunit), r.Short(dimfrac), r.Short(dimlunit), r.Short(dimdsep),
          r.Short(dimtmove), r.ShortToByte(dimjust), r.Bit(dimsd1), r.Bit(dimsd2), r.ShortToByte(dimtolj),
          r.ShortToByte(dimtzin), r.Short(dimaltz), r.ShortToByte(dimalttz), r.Bit(dimupt), r.Short(ignoredShort),
          r.Short(dimlwd), r.Short(dimlwe), r.Bit(ignoredBit));
  return read ? kFcStatusOk : kFcStatusReadError;
}

int FcDimStyle::ReadDwgVariablesR14(FcFilerDwg& filer) {
  std::uint8_t fit = 0;
  std::uint8_t ignoredBit = 0;
  const VariableReads r(filer);
  const bool read =
      All(r.Bit(dimtol), r.Bit(dimlim), r.Bit(dimtih), r.Bit(dimtoh), r.Bit(dimse1), r.Bit(dimse2), r.Bit(dimalt),
          r.Bit(dimtofl), r.Bit(dimsah), r.Bit(dimtix), r.Bit(dimsoxd), r.Char(dimaltd), r.CharToShort(dimzin),
          r.Bit(dimsd1), r.Bit(dimsd2), r.Char(dimtolj), r.Char(dimjust), r.Char(fit), r.Bit(dimupt), r.Char(dimtzin),
          r.CharToShort(dimaltz), r.Char(dimalttz), r.Char(dimtad), r.Short(dimlunit), r.Short(dimaunit),
          r.Short(dimdec), r.Short(dimtdec), r.Short(dimaltu), r.Short(dimalttd)) &&
      All(r.Real(dimscale), r.Real(dimasz), r.Real(dimexo), r.Real(dimdli), r.Real(dimexe), r.Real(dimrnd),
          r.Real(dimdle), r.Real(dimtp), r.Real(dimtm), r.Real(dimtxt), r.Real(dimcen), r.Real(dimtsz), r.Real(dimaltf),
          r.Real(dimlfac), r.Real(dimtvp), r.Real(dimtfac), r.Real(dimgap), r.Text(dimpost), r.Text(dimapost),
          r.Text(dimblk), r.Text(dimblk1), r.Text(dimblk2), r.Short(dimclrd), r.Short(dimclre), r.Short(dimclrt),
          r.Bit(ignoredBit));
  if (!read) return kFcStatusReadError;
  SetOldFit(fit);
  return kFcStatusOk;
}

int FcDimStyle::ReadDwg(FcFilerDwg& filer) {
  FcDwgRecordPlace place;
  std::int32_t reactors = 0;
  std::string name;
  bool dependent = false;
  if (!ReadDwgObjectStart(filer, kDwgType, place) || !ReadDwgReactorCount(filer, place, reactors) ||
      !ReadDwgRecordName(filer, name, dependent))
    return kFcStatusReadError;
  SetName(name);
  if (dependent) {
    SetXrefDependent(true);
    return kFcStatusOk;
  }
  const bool release2000 = filer.GetVersion() >= FcFilerDwg::kVersion2000;
  const int variables = release2000 ? ReadDwgVariables2000(filer) : ReadDwgVariablesR14(filer);
  if (variables != kFcStatusOk || !ReadDwgRecordOwnerHandles(filer, place, reactors)) return kFcStatusReadError;
  if (dimscale == 0.0) dimscale = 1.0;
  FcHandle xrefBlock = 0;
  if (!filer.ReadHandleRef(xrefBlock, 0) || !ReadHandleWithCode(filer, 5, dimtxstyHandle)) return kFcStatusReadError;
  if (release2000 && !(ReadHandleWithCode(filer, 5, dimldrblkHandle) && ReadHandleWithCode(filer, 5, dimblkHandle) &&
                       ReadHandleWithCode(filer, 5, dimblk1Handle) && ReadHandleWithCode(filer, 5, dimblk2Handle)))
    return kFcStatusReadError;
  return ReadDwgObjectEnd(filer, place) ? kFcStatusOk : kFcStatusReadError;
}

int FcDimStyleList::WriteDwg(FcFilerDwg& filer) {
  BeginDwgObject(filer);
  filer.WriteBitLong(0);
  filer.WriteBitLong(GetCount());
  filer.WriteRawByte(0);
  filer.SetDataBitSize(filer.GetBitsWritten());
  filer.WriteHandleRef(4, 0, 0);
  filer.WriteHandleRef(3, 0, 0);
  WriteRecordHandles(filer, 0);
  EndDwgObject(filer);
  WriteDwgRecords(filer);
  return kFcStatusOk;
}

int FcDimStyleList::ReadDwg(FcFilerDwg& filer) {
  RemoveAll();
  if (const FcGraph* graph = filer.GetGraph()) {
    if (const FcHandle control = graph->GetSysVars().HeaderHandles.dimStyleControl) SetHandle(control);
  }
  FcDwgRecordPlace place;
  std::int32_t reactors = 0;
  std::int32_t count = 0;
  std::vector<FcHandle> handles;
  if (!ReadDwgObjectStart(filer, kDwgType, place) || !ReadDwgReactorCount(filer, place, reactors) ||
      !filer.ReadBitLong(count) || count < 0 || count > place.size || !SkipExtraHandleCount(filer) ||
      !ReadDwgRecordOwnerHandles(filer, place, reactors) ||
      !ReadDwgEntryHandles(filer, place, count, EntryRule::kOwnedOnly, handles) || !ReadDwgObjectEnd(filer, place))
    return kFcStatusReadError;
  Grow(static_cast<int>(handles.size()));
  return ReadDwgRecords(
      filer, handles, [this, &filer] { return NewStyleForReading(filer); },
      [](const FcObject& record) { return !static_cast<const FcDimStyle&>(record).GetName().empty(); });
}
