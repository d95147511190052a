#include "commands/dialogs/linetype_table_copy.h"

#include "database/graph.h"
#include "database/linetype.h"

namespace {

// Far above any handle a drawing hands out.
constexpr FcHandle kFirstStandIn = FcHandle{1} << 62;

bool IsStandIn(FcHandle handle) { return handle >= kFirstStandIn; }

std::unique_ptr<FcLineType> CopyOf(const FcLineType& record) {
  auto copy = std::make_unique<FcLineType>();
  copy->CopyFrom(record);
  return copy;
}

}  // namespace

bool IsLinetypeMarkerName(std::string_view name) {
  return EqualsNoCase(name, "ByLayer") || EqualsNoCase(name, "ByBlock");
}

CLinetypeTableCopy::CLinetypeTableCopy() : nextStandIn_(kFirstStandIn) {}
CLinetypeTableCopy::~CLinetypeTableCopy() = default;

void CLinetypeTableCopy::Load(const FcGraph& graph) {
  records_.clear();
  written_.clear();
  reloaded_ = false;
  const FcLinetypeList& table = graph.GetLinetypeList();
  for (int i = 0; i < table.GetCount(); ++i) records_.push_back(CopyOf(*table.GetAt(i)));
}

int CLinetypeTableCopy::FindByName(std::string_view name) const {
  for (int i = 0; i < GetCount(); ++i)
    if (EqualsNoCase(GetAt(i).GetName(), name)) return i;
  return -1;
}

const FcLineType* CLinetypeTableCopy::FindByHandle(FcHandle handle) const {
  for (const auto& record : records_)
    if (record->GetHandle() == handle) return record.get();
  return nullptr;
}

void CLinetypeTableCopy::Reload(int index, const FcLineType& loaded) {
  FcLineType& record = GetAt(index);
  const FcHandle handle = record.GetHandle();
  record.CopyFrom(loaded);
  record.SetHandle(handle);
  reloaded_ = true;
}

void CLinetypeTableCopy::Append(const FcLineType& loaded) {
  records_.push_back(CopyOf(loaded));
  records_.back()->SetHandle(nextStandIn_++);
}

void CLinetypeTableCopy::WriteBack(FcGraph& graph) {
  FcLinetypeList& table = graph.GetLinetypeList();
  for (const auto& record : records_) {
    const FcHandle handle = record->GetHandle();
    FcLineType* target = IsStandIn(handle) ? nullptr : table.FindByHandle(handle);
    if (target == nullptr) {
      target = table.AddNew();
      if (target == nullptr) continue;
      graph.TakeHandle(*target);
    }
    const FcHandle real = target->GetHandle();
    target->CopyFrom(*record);
    target->SetHandle(real);
    record->SetHandle(real);
    written_[handle] = real;
  }
}

FcHandle CLinetypeTableCopy::RealHandle(FcHandle handle) const {
  const auto found = written_.find(handle);
  return found != written_.end() ? found->second : handle;
}
