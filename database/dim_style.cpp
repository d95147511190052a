#include "database/dim_style.h"

#include <new>

#include "core/resbuf.h"
#include "database/block.h"
#include "database/graph.h"
#include "database/text_style.h"
#include "filers/filer.h"

namespace {

// The integer item that names a variable in an override list.
constexpr int kOverrideCodeGroup = 1070;

}  // namespace

FcDimStyle::FcDimStyle() {
  SetRecordName("DIMSTYLE");
  SetDwgType(kDwgType);
}

FcObject* FcDimStyle::Create() { return new (std::nothrow) FcDimStyle(); }

void FcDimStyle::SetName(std::string_view name) {
  name_ = name;
  NoteRecordRenamed(*this);
}

const FcResBuf* FcDimStyle::FindOverride(int groupCode) const {
  const FcResBuf* item = overrides_;
  while (item != nullptr && item->type != kOverrideCodeGroup) item = item->next;
  while (item != nullptr && item->next != nullptr) {
    if (item->intValue == groupCode) return item->next;
    item = item->next->next;
  }
  return nullptr;
}

double FcDimStyle::EffectiveReal(int groupCode, double own) const {
  const FcResBuf* value = FindOverride(groupCode);
  return value != nullptr ? value->realValue : own;
}

std::int16_t FcDimStyle::EffectiveShort(int groupCode, std::int16_t own) const {
  const FcResBuf* value = FindOverride(groupCode);
  return value != nullptr ? static_cast<std::int16_t>(value->intValue) : own;
}

std::uint8_t FcDimStyle::EffectiveByte(int groupCode, std::uint8_t own) const {
  const FcResBuf* value = FindOverride(groupCode);
  return value != nullptr ? static_cast<std::uint8_t>(value->intValue) : own;
}

std::int16_t FcDimStyle::GetDimClrd() const { return EffectiveShort(176, dimclrd); }
double FcDimStyle::GetDimAsz() const { return EffectiveReal(41, dimasz); }
double FcDimStyle::GetDimCen() const { return EffectiveReal(141, dimcen); }
double FcDimStyle::GetDimScale() const { return EffectiveReal(40, dimscale); }

FcHandle FcDimStyle::GetDimTxSty() const {
  const FcResBuf* value = FindOverride(340);
  return value != nullptr ? value->handle : dimtxstyHandle;
}

std::int16_t FcDimStyle::GetDimClrt() const { return EffectiveShort(178, dimclrt); }
double FcDimStyle::GetDimTxt() const { return EffectiveReal(140, dimtxt); }
double FcDimStyle::GetDimgap() const { return EffectiveReal(147, dimgap); }
std::uint8_t FcDimStyle::GetDimtad() const { return EffectiveByte(77, dimtad); }
std::uint8_t FcDimStyle::GetDimsd1() const { return EffectiveByte(281, dimsd1); }
std::uint8_t FcDimStyle::GetDimsd2() const { return EffectiveByte(282, dimsd2); }
std::int16_t FcDimStyle::GetDimatfit() const { return EffectiveShort(289, dimatfit); }
std::uint8_t FcDimStyle::GetDimjust() const { return EffectiveByte(280, dimjust); }
std::int16_t FcDimStyle::GetDimtmove() const { return EffectiveShort(279, dimtmove); }
double FcDimStyle::GetDimexe() const { return EffectiveReal(44, dimexe); }
double FcDimStyle::GetDimexo() const { return EffectiveReal(42, dimexo); }
std::int16_t FcDimStyle::GetDimclre() const { return EffectiveShort(177, dimclre); }
std::uint8_t FcDimStyle::GetDimse1() const { return EffectiveByte(75, dimse1); }
std::uint8_t FcDimStyle::GetDimse2() const { return EffectiveByte(76, dimse2); }

std::string FcDimStyle::GetDimpost() const {
  const FcResBuf* value = FindOverride(3);
  if (value == nullptr) return dimpost.str();
  return value->text != nullptr ? value->text : "";
}

std::uint8_t FcDimStyle::GetDimtol() const { return EffectiveByte(71, dimtol); }
std::uint8_t FcDimStyle::GetDimalt() const { return EffectiveByte(170, dimalt); }
std::int16_t FcDimStyle::GetDimfrac() const { return EffectiveShort(276, dimfrac); }
double FcDimStyle::GetDimtfac() const { return EffectiveReal(146, dimtfac); }
std::uint8_t FcDimStyle::GetDimtolj() const { return EffectiveByte(283, dimtolj); }

void FcDimStyle::SetTextStyle(std::string_view name) {
  if (graph_ == nullptr) return;
  const FcTextStyle* style = graph_->GetTextStyleList().Find(name);
  if (style == nullptr) return;
  dimtxsty = style->GetName();
  dimtxstyHandle = style->GetHandle();
}

void FcDimStyle::BindBlock(std::string_view name, FcFixedText& field, FcHandle& handle) {
  const FcBlock* block = graph_ != nullptr && !name.empty() ? graph_->GetBlockList().FindByName(name) : nullptr;
  field = block != nullptr ? std::string_view(block->GetName()) : std::string_view();
  handle = block != nullptr ? block->GetHandle() : 0;
}

void FcDimStyle::SetDimblk(std::string_view name) { BindBlock(name, dimblk, dimblkHandle); }
void FcDimStyle::SetDimblk1(std::string_view name) { BindBlock(name, dimblk1, dimblk1Handle); }
void FcDimStyle::SetDimblk2(std::string_view name) { BindBlock(name, dimblk2, dimblk2Handle); }
void FcDimStyle::SetDimldrblk(std::string_view name) { BindBlock(name, dimldrblk, dimldrblkHandle); }

void FcDimStyle::SetDimclrd(std::int16_t colour) {
  if (colour >= 0 && colour <= 256) dimclrd = colour;
}

void FcDimStyle::SetDefaults() {
  static_cast<FcDimVars&>(*this) = FcDimVars();
  SetDimblk("");
  SetDimblk1("");
  SetDimblk2("");
  SetDimldrblk("");
  SetTextStyle("standard");
}

void FcDimStyle::SetIso25Defaults() {
  SetDefaults();
  dimdli = 3.75;
  dimexe = 1.25;
  dimasz = 2.5;
  dimcen = 2.5;
  dimtxt = 2.5;
  dimgap = 0.625;
  dimtad = 1;
  dimtoh = 0;
  dimtih = 0;
  dimtofl = 1;
  dimlunit = 2;
  dimzin = 8;
  dimaltu = 2;
  dimaltd = 4;
  dimaltf = 1.0 / 25.4;
  dimalttd = 4;
}

void FcDimStyle::CopyVariables(const FcDimStyle& other) {
  FcObject::Copy(other);
  const FcFixedText ownTextStyle = dimtxsty;
  const FcHandle ownTextStyleHandle = dimtxstyHandle;
  static_cast<FcDimVars&>(*this) = other;
  SetDimblk(other.dimblk.str());
  SetDimblk1(other.dimblk1.str());
  SetDimblk2(other.dimblk2.str());
  SetDimldrblk(other.dimldrblk.str());
  dimtxsty = ownTextStyle;
  dimtxstyHandle = ownTextStyleHandle;
  SetTextStyle(other.dimtxsty.str());
}

void FcDimStyle::MarkBlocksReferenced() {
  if (graph_ == nullptr) return;
  for (const FcHandle handle : {dimblkHandle, dimblk1Handle, dimblk2Handle, dimldrblkHandle}) {
    if (FcBlock* block = graph_->GetBlockList().FindByHandle(handle)) block->SetUnreferenced(false);
  }
  if (FcTextStyle* style = graph_->GetTextStyleList().FindByHandle(dimtxstyHandle)) style->SetUnreferenced(false);
}

void FcDimStyle::ResolveBlock(FcFixedText& field, FcHandle& handle) {
  const FcBlock* block = graph_ != nullptr ? graph_->GetBlockList().FindByHandle(handle) : nullptr;
  if (block != nullptr) {
    field = block->GetName();
    return;
  }
  BindBlock(field.str(), field, handle);
}

void FcDimStyle::ResolveBlocks() {
  ResolveBlock(dimblk, dimblkHandle);
  ResolveBlock(dimblk1, dimblk1Handle);
  ResolveBlock(dimblk2, dimblk2Handle);
  ResolveBlock(dimldrblk, dimldrblkHandle);
  const FcTextStyleList* styles = graph_ != nullptr ? &graph_->GetTextStyleList() : nullptr;
  const FcTextStyle* byHandle =
      styles != nullptr && dimtxstyHandle != 0 ? styles->FindByHandle(dimtxstyHandle) : nullptr;
  if (byHandle != nullptr) {
    dimtxsty = byHandle->GetName();
    return;
  }
  const FcTextStyle* byName = styles != nullptr && !dimtxsty.empty() ? styles->Find(dimtxsty.str()) : nullptr;
  if (byName != nullptr) {
    dimtxstyHandle = byName->GetHandle();
    return;
  }
  SetTextStyle("standard");
}

void FcDimStyle::SetOldFit(int fit) {
  static constexpr std::int16_t kFitToAtfitAndMove[6][2] = {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {3, 1}, {3, 2}};
  if (fit < 0 || fit > 5) return;
  dimatfit = kFitToAtfitAndMove[fit][0];
  dimtmove = kFitToAtfitAndMove[fit][1];
}

FcDimStyleList::FcDimStyleList() : FcSymbolList(kDwgType, 8, GrowthRule::kBeforeFull) { SetRecordName("DIMSTYLE"); }

std::string_view FcDimStyleList::RecordName(const FcObject& record) const {
  return static_cast<const FcDimStyle&>(record).GetName();
}

void FcDimStyleList::Add(std::unique_ptr<FcDimStyle> style) {
  if (style == nullptr) return;
  style->SetGraph(graph_);
  AppendRecord(std::move(style));
}

FcDimStyle* FcDimStyleList::AddNew() {
  std::unique_ptr<FcDimStyle> style(new (std::nothrow) FcDimStyle());
  if (style == nullptr) return nullptr;
  style->SetGraph(graph_);
  style->SetDefaults();
  FcDimStyle* added = style.get();
  Add(std::move(style));
  return added;
}

std::unique_ptr<FcDimStyle> FcDimStyleList::RemoveByHandle(FcHandle handle) {
  for (int i = 0; i < GetCount(); ++i) {
    if (GetAt(i)->GetHandle() != handle) continue;
    if (current_ == GetAt(i)) current_ = nullptr;
    std::unique_ptr<FcObject> taken = TakeRecordAt(i);
    taken->SetOwner(nullptr);
    return std::unique_ptr<FcDimStyle>(static_cast<FcDimStyle*>(taken.release()));
  }
  return nullptr;
}

void FcDimStyleList::RemoveAll() {
  current_ = nullptr;
  FcSymbolList::RemoveAll();
}

int FcDimStyleList::ResolveBlockNames() {
  for (int i = 0; i < GetCount(); ++i) GetAt(i)->ResolveBlocks();
  return GetCount();
}

void FcDimStyleList::ClearReferenceMarks() {
  const bool single = GetCount() == 1;
  for (int i = 0; i < GetCount(); ++i) GetAt(i)->SetUnreferenced(!single);
}

std::unique_ptr<FcDimStyle> FcDimStyleList::NewStyleForReading(FcFiler& filer) {
  std::unique_ptr<FcDimStyle> style(new (std::nothrow) FcDimStyle());
  if (style == nullptr) return nullptr;
  FcGraph* graph = graph_ != nullptr ? graph_ : filer.GetGraph();
  style->SetOwner(this);
  style->SetGraph(graph);
  if (graph != nullptr) style->CopyFromSysVars(graph->GetSysVars());
  return style;
}
