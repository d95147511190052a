#include "database/dwg_entity_prefetch.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <memory>
#include <system_error>
#include <thread>

#include "database/entity.h"
#include "database/graph.h"
#include "database/layer.h"
#include "database/linetype.h"
#include "database/text_style.h"
#include "filers/filer_dwg.h"
#include "platform/thread_slot.h"

namespace {

// Below this many records the threads cost more than they save.
constexpr std::size_t kMinRecordsForThreads = 20000;
// A thread's allocator asks the system for its memory a page at a time,
// and each such call holds up every other thread's page faults: beyond
// four threads they wait more than they decode.
constexpr unsigned kMaxThreads = 4;
// Records a thread takes at a time: large enough to keep the shared
// counter cold, small enough to balance uneven records.
constexpr std::size_t kRecordsPerShare = 4096;

// The entity kinds whose decoding reads nothing of the drawing but the
// layer, linetype, text style and block tables, and that own no records of
// their own.
bool IsPlainEntityType(int type) {
  switch (type) {
    case 1:   // TEXT
    case 7:   // INSERT
    case 17:  // ARC
    case 18:  // CIRCLE
    case 19:  // LINE
    case 27:  // POINT
    case 28:  // 3DFACE
    case 31:  // SOLID
    case 32:  // TRACE
    case 35:  // ELLIPSE
    case 40:  // RAY
    case 41:  // XLINE
    case 77:  // LWPOLYLINE
      return true;
    default:
      return false;
  }
}

// The tables build their lookup indexes on first use; built here, on one
// thread, they are only read while the records are decoded.
void BuildLookupIndexes(FcGraph& graph) {
  graph.GetLayerList().FindByHandle(0);
  graph.GetLinetypeList().FindByHandle(0);
  graph.GetLinetypeList().FindByName("Continuous");
  graph.GetTextStyleList().FindByHandle(0);
}

// The record at the map entry, as the chain reader's seek finds it: its
// size from its offset up to its CRC and its type; false when it cannot be
// read.
bool ReadRecordHead(FcFilerDwg& filer, const FcObjectMapEntry& entry, std::int64_t& size, std::int16_t& type) {
  if (filer.Seek(entry.offset, FcSeekOrigin::kBegin) != entry.offset) return false;
  std::int32_t recordSize = 0;
  if (!filer.ReadModularShort(recordSize)) return false;
  size = recordSize + (filer.GetFile()->GetPosition() - entry.offset);
  return filer.ReadBitShort(type);
}

// The entity of a plain entity's record, read as the chain reader reads it
// after its seek; empty for another kind or a record that does not read.
FcDwgEntityPrefetch::Decoded DecodeRecord(FcFilerDwg& filer, FcGraph& graph, const FcObjectMapEntry& entry) {
  FcDwgEntityPrefetch::Decoded decoded;
  std::int64_t size = 0;
  std::int16_t type = 0;
  if (!ReadRecordHead(filer, entry, size, type) || !IsPlainEntityType(type)) return decoded;
  std::unique_ptr<FcObject> object(graph.CreateObjectByDwgType(type));
  auto* entity = dynamic_cast<FcEntity*>(object.get());
  if (entity == nullptr) return decoded;
  entity->SetHandle(entry.handle);
  if (entity->ReadDwg(filer, size, entry.offset, decoded.previous, decoded.next, decoded.extra1, decoded.extra2,
                      decoded.extra3) != kFcStatusOk) {
    return {};
  }
  object.release();
  decoded.entity = entity;
  return decoded;
}

}  // namespace

int ChooseDwgDecodeThreads(std::size_t records) {
  if (records < kMinRecordsForThreads) return 1;
  return static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, kMaxThreads));
}

FcDwgEntityPrefetch::~FcDwgEntityPrefetch() {
  for (const Decoded& slot : slots_) delete slot.entity;
}

void FcDwgEntityPrefetch::Decode(FcFilerDwg& filer, FcGraph& graph) {
  const std::vector<FcObjectMapEntry>& entries = filer.GetObjectMap().Entries();
  const int threads = filer.GetDecodeThreads() > 0 ? filer.GetDecodeThreads() : ChooseDwgDecodeThreads(entries.size());
  if (threads <= 1 || entries.empty()) return;
  BuildLookupIndexes(graph);
  slots_.assign(entries.size(), Decoded{});
  const ThreadSlot callerSlot = CurrentThreadSlot();
  std::atomic<std::size_t> nextShare{0};
  const auto work = [&] {
    CurrentThreadSlot() = callerSlot;
    FcFilerDwg reader;
    reader.ReadAlongside(filer);
    for (;;) {
      const std::size_t begin = nextShare.fetch_add(kRecordsPerShare);
      if (begin >= entries.size()) return;
      const std::size_t end = std::min(begin + kRecordsPerShare, entries.size());
      for (std::size_t i = begin; i < end; ++i) {
        // Records of the block definitions are read already; between equal
        // handles the chain reader's own search decides.
        if (filer.WasVisited(i) || !filer.GetObjectMap().IsOnly(i)) continue;
        // A record that fails here, even by running out of memory, is left
        // to the chain reader, which meets the failure where one thread
        // would.
        try {
          slots_[i] = DecodeRecord(reader, graph, entries[i]);
        } catch (const std::exception&) {
          slots_[i] = {};
        }
      }
    }
  };
  std::vector<std::thread> helpers;
  helpers.reserve(static_cast<std::size_t>(threads - 1));
  // Fewer threads than asked only take longer: the shares go to those
  // that run.
  try {
    for (int i = 1; i < threads; ++i) helpers.emplace_back(work);
  } catch (const std::system_error&) {
  }
  work();
  for (std::thread& helper : helpers) helper.join();
}

bool FcDwgEntityPrefetch::Take(const FcFilerDwg& filer, FcHandle handle, Decoded& decoded) {
  if (slots_.empty()) return false;
  const std::size_t index = filer.GetObjectMap().FindIndex(handle);
  if (index >= slots_.size() || slots_[index].entity == nullptr) return false;
  decoded = slots_[index];
  slots_[index] = Decoded{};
  return true;
}
