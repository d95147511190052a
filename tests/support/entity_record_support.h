#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "core/data_array.h"
#include "core/point2d.h"
#include "core/resbuf.h"
#include "database/entity.h"
#include "database/graph.h"
#include "filers/file_object.h"
#include "filers/filer.h"
#include "filers/filer_dwg.h"
#include "platform/recording_frame_link.h"
#include "tests/support/object_test_support.h"
#include "tests/support/point_expect.h"

// Shared by the tests of the simple entity classes: records written and
// read back through memory filers, listings, grips and DWG data bits.

inline CIntArray Indices(std::initializer_list<int> values) {
  CIntArray indices;
  for (int value : values) indices.Add(value);
  return indices;
}

inline std::vector<FcPoint2d> GripsOf(FcEntity& entity) {
  FcPoint2dArray grips;
  entity.GetGripPoints(grips);
  return {grips.data, grips.data + grips.count};
}

// Every common property away from its default, in the drawing.
inline void GiveCommonProperties(FcEntity& entity, FcGraph& graph) {
  graph.TakeHandle(entity);
  entity.SetLayer(graph.FindOrCreateLayer("Walls"));
  entity.SetLinetype(graph.GetOrCreateLinetype("DASHED"));
  entity.SetColor(3);
  entity.SetLinetypeScale(2.5);
  entity.SetInvisible(1);
}

inline void ExpectSameCommonProperties(const FcEntity& read, const FcEntity& written) {
  EXPECT_EQ(read.GetHandle(), written.GetHandle());
  EXPECT_EQ(read.GetColor(), written.GetColor());
  EXPECT_EQ(read.GetLinetypeScale(), written.GetLinetypeScale());
  EXPECT_EQ(read.GetInvisible(), written.GetInvisible());
  EXPECT_EQ(read.GetLinetype(), written.GetLinetype());
}

// The entity written as a DXF record of the kind (text in `written`) and
// read back into a new entity of its class; null when either side failed or
// the reader did not stop at the next record.
template <typename Entity>
std::unique_ptr<Entity> DxfRoundTrip(Entity& entity, FcFileKind kind, FcGraph& graph,
                                     std::string* written = nullptr) {
  FcFiler filer;
  StartMemory(filer, kind, &graph);
  if (entity.WriteDxf(filer) != kFcStatusOk) return nullptr;
  filer.WriteString(0, "EOF");
  if (written != nullptr) *written = Contents(filer);
  filer.Seek(0, FcSeekOrigin::kBegin);
  FcResBuf group;
  if (!filer.ReadGroup(group)) return nullptr;
  auto read = std::make_unique<Entity>();
  if (read->ReadDxf(filer) != kFcStatusOk) return nullptr;
  if (!filer.ReadGroup(group) || group.type != 0) return nullptr;
  return read;
}

// The entity read from ASCII DXF groups that follow its group 0; the
// reader's result.
template <typename Entity>
int ReadFromGroups(Entity& entity, const std::vector<std::pair<int, std::string>>& groups,
                   FcGraph& graph) {
  FcFiler filer;
  StartReading(filer, Groups(groups), FcFileKind::kAsciiDxf, &graph);
  return entity.ReadDxf(filer);
}

// The entity written as a whole DWG record and read back into a new entity
// of its class; null when either side failed or the type differs.
template <typename Entity>
std::unique_ptr<Entity> DwgRoundTrip(Entity& entity, FcGraph& graph) {
  FcFilerDwg filer;
  StartMemory(filer, FcFileKind::kDwg, &graph);
  filer.WriteRawByte(0);
  const FcHandle handle = entity.GetHandle();
  if (entity.WriteDwg(filer, handle - 1, handle + 1, 0, 0, 0) != kFcStatusOk) return nullptr;
  std::int64_t size = 0;
  std::int16_t type = 0;
  const std::int64_t offset = filer.SeekObject(handle, size, type);
  if (offset <= 0 || type != entity.GetDwgType()) return nullptr;
  auto read = std::make_unique<Entity>();
  read->SetHandle(handle);
  FcHandle previous = 0, next = 0, extra1 = 0, extra2 = 0, extra3 = 0;
  if (read->ReadDwg(filer, size, offset, previous, next, extra1, extra2, extra3) != kFcStatusOk) {
    return nullptr;
  }
  return read;
}

// What a writer puts into a bit stream, padded to whole bytes.
inline std::vector<char> DwgBits(const std::function<void(FcFilerDwg&)>& write) {
  FcFilerDwg writer;
  writer.AttachFile(std::make_unique<FcFile>(), FcFileKind::kDwg);
  write(writer);
  while (writer.GetBitsWritten() % 8 != 0) writer.WriteBit(0);
  return writer.DetachFile()->TakeBytes();
}

// ReadDwgData of the entity over the first `length` bytes, as a file of the
// version gives them.
inline int ReadDwgDataPrefix(FcEntity& entity, const std::vector<char>& bytes, std::size_t length,
                             std::int32_t version) {
  FcFilerDwg reader;
  reader.SetVersion(version);
  reader.AttachFile(std::make_unique<FcFile>(std::vector<char>(bytes.begin(), bytes.begin() + length)),
                    FcFileKind::kDwg);
  return entity.ReadDwgData(reader);
}

// Records the command history while a test lists entities.
class EntityListTest : public testing::Test {
 protected:
  void SetUp() override { SetFrameLink(&link); }
  void TearDown() override { SetFrameLink(nullptr); }

  // The last `count` lines the entity lists, on the drawing's current layer.
  std::vector<std::string> OwnLines(FcEntity& entity, std::size_t count) {
    entity.SetLayer(graph.GetCurrentLayer());
    link.Clear();
    entity.List();
    const std::vector<std::string> lines = link.HistoryLines();
    if (lines.size() < count) return lines;
    return {lines.end() - static_cast<std::ptrdiff_t>(count), lines.end()};
  }

  RecordingFrameLink link;
  FcGraph graph;
};
