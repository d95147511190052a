#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "core/resbuf.h"
#include "database/app_id.h"
#include "database/dictionary.h"
#include "database/graph.h"
#include "database/object.h"
#include "filers/filer.h"
#include "filers/filer_dwg.h"
#include "tests/support/object_test_support.h"

namespace {

// The smallest object with a record of its own: the common parts and
// nothing else.
class PlainObject : public FcObject {
 public:
  PlainObject() { SetRecordName("PLAIN"); SetDwgType(501); }

  int WriteDwg(FcFilerDwg& filer) override {
    BeginDwgObject(filer);
    filer.SetDataBitSize(filer.GetBitsWritten());
    EndDwgObject(filer);
    return kFcStatusOk;
  }
  int ReadDwg(FcFilerDwg& filer) override {
    FcDwgRecordPlace place;
    if (!ReadDwgObjectStart(filer, GetDwgType(), place)) return kFcStatusReadError;
    return ReadDwgObjectEnd(filer, place) ? kFcStatusOk : kFcStatusReadError;
  }
};

TEST(ObjectTest, WritesTheCommonGroups) {
  FcGraph graph;
  PlainObject owner;
  owner.SetHandle(0x1F);
  PlainObject object;
  object.SetHandle(0x2A);
  FcFiler alone;
  StartMemory(alone, FcFileKind::kAsciiDxf, &graph);
  object.WriteDxf(alone);
  EXPECT_EQ(Contents(alone), Groups({{0, "PLAIN"}, {5, "2A"}, {330, "0"}}));

  auto* dictionary = new FcDictionary();
  dictionary->SetHandle(0x30);
  object.SetExtDictionary(dictionary);
  object.SetOwner(&owner);
  EXPECT_EQ(dictionary->GetOwner(), &object);
  EXPECT_EQ(object.GetExtDictionaryHandle(), 0x30u);
  FcFiler full;
  StartMemory(full, FcFileKind::kAsciiDxf, &graph);
  object.WriteDxf(full);
  EXPECT_EQ(Contents(full), Groups({{0, "PLAIN"},
                                    {5, "2A"},
                                    {102, "{ACAD_XDICTIONARY"},
                                    {360, "30"},
                                    {102, "}"},
                                    {330, "1F"}}));
}

struct CommonReadCase {
  const char* name;
  std::vector<std::pair<int, std::string>> groups;
  int status;
  FcHandle handle;
  FcHandle xdictionary;
};

TEST(ObjectTest, ReadsTheCommonGroups) {
  const CommonReadCase cases[] = {
      {"handle then marker", {{5, "2A"}, {330, "1"}, {100, "AcDbX"}}, kFcStatusOk, 0x2A, 0},
      {"handle of group 105", {{105, "2B"}, {100, "AcDbX"}}, kFcStatusOk, 0x2B, 0},
      {"dictionary bracket",
       {{5, "2A"}, {102, "{acad_xdictionary"}, {360, "77"}, {102, "}"}, {100, "AcDbX"}},
       kFcStatusOk, 0x2A, 0x77},
      {"other brackets passed over",
       {{5, "2A"}, {102, "{ACAD_REACTORS"}, {360, "77"}, {102, "}"}, {100, "AcDbX"}},
       kFcStatusOk, 0x2A, 0},
      {"marker before handle", {{100, "AcDbX"}, {5, "2A"}}, kFcStatusStructure, 0, 0},
      {"next record before marker", {{5, "2A"}, {0, "LINE"}}, kFcStatusNoSubclass, 0x2A, 0},
      {"end of input before marker", {{5, "2A"}}, kFcStatusReadError, 0x2A, 0},
  };
  for (const CommonReadCase& c : cases) {
    SCOPED_TRACE(c.name);
    FcGraph graph;
    FcFiler filer;
    StartReading(filer, Groups(c.groups), FcFileKind::kAsciiDxf, &graph);
    PlainObject object;
    EXPECT_EQ(object.ReadDxf(filer), c.status);
    EXPECT_EQ(object.GetHandle(), c.handle);
    EXPECT_EQ(object.GetExtDictionaryHandle(), c.xdictionary);
    if (c.status != kFcStatusOk) continue;
    FcResBuf next;
    ASSERT_TRUE(filer.ReadGroup(next));
    EXPECT_EQ(next.type, 100);
  }
}

TEST(ObjectTest, AHandleReadRaisesTheSeedPastIt) {
  FcGraph graph;
  const FcHandle seed = graph.GetHandleSeed();
  const struct {
    FcHandle read;
    FcHandle seedAfter;
  } cases[] = {{seed - 1, seed}, {seed, seed + 1}, {seed + 0x100, seed + 0x101}};
  for (const auto& c : cases) {
    graph.GetHandleSeed() = seed;
    char hex[20];
    std::snprintf(hex, sizeof hex, "%llX", static_cast<unsigned long long>(c.read));
    FcFiler filer;
    StartReading(filer, Groups({{5, hex}, {100, "AcDbX"}}), FcFileKind::kAsciiDxf, &graph);
    PlainObject object;
    ASSERT_EQ(object.ReadDxf(filer), kFcStatusOk);
    EXPECT_EQ(graph.GetHandleSeed(), c.seedAfter) << hex;
  }
  FcHandle top = 5;
  RaiseHandleSeed(top, ~FcHandle{0});
  EXPECT_EQ(top, ~FcHandle{0});
  // At the end of the range the seed stops instead of coming round to 0
  // ("no handle") and the first handles of the drawing.
  EXPECT_EQ(TakeHandle(top), ~FcHandle{0});
  EXPECT_EQ(TakeHandle(top), ~FcHandle{0});
  EXPECT_EQ(top, ~FcHandle{0});
}

TEST(ObjectTest, CommonGroupsRoundTripInBothDxfForms) {
  for (const FcFileKind kind : {FcFileKind::kAsciiDxf, FcFileKind::kBinaryDxf}) {
    FcGraph graph;
    FcAppID* app = graph.AddAppId("ROUNDTRIP");
    PlainObject object;
    object.SetHandle(graph.GetHandleSeed() + 5);
    object.SetExtDictionaryHandle(0x99);
    FcExtendData* block = object.GetXdata().GetForApp(app);
    block->SetChain(BuildResBufList(1000, "kept", 0));

    FcFiler filer;
    StartMemory(filer, kind, &graph);
    object.WriteDxf(filer);
    object.GetXdata().WriteDxf(filer);
    filer.WriteString(100, "AcDbX");
    filer.Seek(0, FcSeekOrigin::kBegin);

    FcResBuf group0;
    ASSERT_TRUE(filer.ReadGroup(group0));
    PlainObject read;
    ASSERT_EQ(read.ReadDxf(filer), kFcStatusOk);
    EXPECT_EQ(read.GetHandle(), object.GetHandle());
    EXPECT_EQ(graph.GetHandleSeed(), object.GetHandle() + 1);
    ASSERT_EQ(read.GetXdata().GetCount(), 1);
    EXPECT_EQ(read.GetXdata().GetAt(0)->application, app);
    EXPECT_STREQ(read.GetXdata().GetAt(0)->head->text, "kept");
  }
}

TEST(ObjectTest, CopyTakesTheRecordAndADeepCopyOfTheXdata) {
  FcGraph graph;
  FcAppID* app = graph.AddAppId("COPIED");
  PlainObject source;
  source.SetHandle(0x51);
  source.SetDwgType(77);
  source.GetXdata().GetForApp(app)->SetChain(BuildResBufList(1070, 5, 0));
  PlainObject target;
  EXPECT_EQ(target.Copy(source), 1);
  EXPECT_EQ(target.GetHandle(), 0x51u);
  EXPECT_EQ(target.GetDwgType(), 77);
  ASSERT_EQ(target.GetXdata().GetCount(), 1);
  EXPECT_NE(target.GetXdata().GetAt(0)->head, source.GetXdata().GetAt(0)->head);

  FcGraph other;
  PlainObject elsewhere;
  elsewhere.SetHandle(0x3);
  EXPECT_EQ(elsewhere.CopyFromOtherGraph(source, other), 1);
  EXPECT_EQ(elsewhere.GetHandle(), 0x3u);
  ASSERT_NE(elsewhere.GetXdata().GetAt(0)->application, nullptr);
  EXPECT_EQ(elsewhere.GetXdata().GetAt(0)->application, other.GetAppIdList().FindByName("copied"));
}

// Objects without extended data keep none of its storage; a copy of one
// must still clear what the target had.
TEST(ObjectTest, CopyOfAnObjectWithoutXdataClearsTheTargets) {
  FcGraph graph;
  FcAppID* app = graph.AddAppId("OLD");
  const PlainObject bare;
  EXPECT_EQ(bare.GetXdata().GetCount(), 0);
  EXPECT_EQ(bare.GetExtDictionary(), nullptr);
  EXPECT_EQ(bare.GetExtDictionaryHandle(), 0u);
  for (const bool otherGraph : {false, true}) {
    SCOPED_TRACE(otherGraph);
    PlainObject target;
    target.GetXdata().GetForApp(app)->SetChain(BuildResBufList(1070, 5, 0));
    target.SetExtDictionaryHandle(0x44);
    EXPECT_EQ(otherGraph ? target.CopyFromOtherGraph(bare, graph) : target.Copy(bare), 0);
    EXPECT_EQ(target.GetXdata().GetCount(), 0);
    EXPECT_EQ(target.GetExtDictionaryHandle(), 0x44u);
  }
}

TEST(ObjectTest, ResolveOwnerAttachesOnlyTheNamedDictionary) {
  PlainObject object;
  object.SetExtDictionaryHandle(0x40);
  PlainObject impostor;
  impostor.SetHandle(0x40);
  EXPECT_FALSE(object.ResolveOwner(&impostor));
  EXPECT_FALSE(object.ResolveOwner(nullptr));

  auto* other = new FcDictionary();
  other->SetHandle(0x41);
  EXPECT_FALSE(object.ResolveOwner(other));
  delete other;

  auto* dictionary = new FcDictionary();
  dictionary->SetHandle(0x40);
  EXPECT_TRUE(object.ResolveOwner(dictionary));
  EXPECT_EQ(object.GetExtDictionary(), dictionary);
  EXPECT_EQ(dictionary->GetOwner(), &object);
}

// A record whose xdata holds a binary chunk in one block and plain values
// in another: the chunk's block goes, the other stays.
TEST(ObjectTest, DwgXdataDropsABlockWithABinaryChunk) {
  FcGraph graph;
  FcAppID* chunky = graph.AddAppId("CHUNKY");
  FcAppID* plain = graph.AddAppId("PLAIN");
  PlainObject object;
  object.SetHandle(0x60);
  object.GetXdata().GetForApp(chunky)->SetChain(BuildResBufList(1004, "AB", 1070, 1, 0));
  object.GetXdata().GetForApp(plain)->SetChain(BuildResBufList(1071, 123456, 0));

  FcFilerDwg filer;
  StartMemory(filer, FcFileKind::kDwg, &graph);
  filer.WriteRawByte(0);  // a record at offset 0 cannot be found
  object.WriteDwg(filer);

  PlainObject read;
  read.SetHandle(0x60);
  ASSERT_EQ(read.ReadDwg(filer), kFcStatusOk);
  ASSERT_EQ(read.GetXdata().GetCount(), 1);
  EXPECT_EQ(read.GetXdata().GetAt(0)->application, plain);
  EXPECT_EQ(read.GetXdata().GetAt(0)->head->intValue, 123456);

  PlainObject stranger;
  stranger.SetHandle(0x61);
  EXPECT_EQ(stranger.ReadDwg(filer), kFcStatusReadError);
}

}  // namespace
