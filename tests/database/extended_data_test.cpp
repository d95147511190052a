#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/resbuf.h"
#include "database/app_id.h"
#include "database/extended_data.h"
#include "database/graph.h"
#include "filers/filer.h"
#include "filers/filer_dwg.h"
#include "tests/support/object_test_support.h"

namespace {

// One item of every kind the block keeps, as a chain.
FcResBuf* EveryKind() {
  FcResBuf* chain = BuildResBufList(1000, "text", 1002, "{", 1003, "LAYER1", 1005, std::uint64_t{0x1A2B},
                                    1010, 1.5, -2.25, 1041, 0.125, 1070, -7, 1071, -100000, 1002, "}", 0);
  for (FcResBuf* item = chain; item != nullptr; item = item->next) {
    if (item->type == 1010) item->z = 9.0;
  }
  return chain;
}

std::vector<std::string> Describe(const FcResBuf* chain) {
  std::vector<std::string> items;
  for (; chain != nullptr; chain = chain->next) {
    items.push_back(std::to_string(chain->type) + ":" + (chain->text ? chain->text : "") + ":" +
                    std::to_string(chain->handle) + ":" + std::to_string(chain->x) + "," +
                    std::to_string(chain->y) + "," + std::to_string(chain->z) + ":" +
                    std::to_string(chain->realValue) + ":" + std::to_string(chain->intValue));
  }
  return items;
}

class ExtendedDataTest : public testing::Test {
 protected:
  FcGraph graph;
  FcAppID* app = graph.AddAppId("KOVRA_TEST");
};

TEST_F(ExtendedDataTest, DxfRoundTripKeepsEveryItemButThePointsZ) {
  for (const FcFileKind kind : {FcFileKind::kAsciiDxf, FcFileKind::kBinaryDxf}) {
    FcExtendDataList list;
    list.GetForApp(app)->SetChain(EveryKind());
    FcFiler filer;
    StartMemory(filer, kind, &graph);
    list.WriteDxf(filer);
    filer.WriteString(0, "NEXT");
    filer.Seek(0, FcSeekOrigin::kBegin);

    FcExtendData read;
    ASSERT_TRUE(read.ReadDxf(filer));
    EXPECT_EQ(read.application, app);
    FcResBuf* expected = EveryKind();
    for (FcResBuf* item = expected; item != nullptr; item = item->next) {
      if (item->type == 1010) item->z = 0.0;
    }
    EXPECT_EQ(Describe(read.head), Describe(expected));
    FreeResBufList(expected);
    FcResBuf next;
    ASSERT_TRUE(filer.ReadGroup(next));
    EXPECT_EQ(next.type, 0);
  }
}

TEST_F(ExtendedDataTest, DxfBlocksAreSplitAtEach1001AndEndAtForeignGroups) {
  const FcHandle seed = graph.GetHandleSeed();
  FcFiler filer;
  StartReading(filer,
               Groups({{1001, "kovra_test"}, {1070, "1"}, {999, "note"}, {1001, "KOVRA_TEST"},
                       {1070, "2"}, {1004, "00FF"}, {1070, "3"}, {1001, "NEWAPP"}, {1000, "x"},
                       {0, "ENDSEC"}}),
               FcFileKind::kAsciiDxf, &graph);
  FcExtendData first;
  ASSERT_TRUE(first.ReadDxf(filer));
  FcExtendData second;
  ASSERT_TRUE(second.ReadDxf(filer));
  EXPECT_EQ(first.application, app);
  EXPECT_EQ(second.application, app);
  EXPECT_EQ(Describe(first.head).size(), 1u);
  EXPECT_EQ(Describe(second.head).size(), 1u);

  // The chunk ended the block: what follows it belongs to no block.
  FcResBuf group;
  ASSERT_TRUE(filer.ReadGroup(group));
  EXPECT_EQ(group.type, 1004);
  ASSERT_TRUE(filer.ReadGroup(group));

  FcExtendData third;
  ASSERT_TRUE(third.ReadDxf(filer));
  ASSERT_NE(third.application, nullptr);
  EXPECT_EQ(third.application->GetName(), "NEWAPP");
  EXPECT_EQ(third.application->GetHandle(), seed);
  EXPECT_EQ(graph.GetHandleSeed(), seed + 1);

  FcExtendData broken;
  EXPECT_FALSE(broken.ReadDxf(filer));
}

TEST_F(ExtendedDataTest, ListLookupsAndRemoval) {
  FcAppID* other = graph.AddAppId("OTHER");
  FcExtendDataList list;
  FcExtendData* first = list.GetForApp(app);
  EXPECT_EQ(list.GetForApp(app), first);
  EXPECT_EQ(list.GetForApp(nullptr), nullptr);
  auto second = std::make_unique<FcExtendData>();
  second->application = app;
  list.Add(std::move(second));
  list.GetForApp(other);
  EXPECT_EQ(list.GetCount(), 3);
  EXPECT_EQ(list.FindByAppName("kovra_TEST"), first);
  EXPECT_EQ(list.FindByAppHandle(other->GetHandle())->application, other);
  list.RemoveApp(app->GetHandle());
  EXPECT_EQ(list.GetCount(), 2);
  EXPECT_EQ(list.GetAt(0)->application, app);
  EXPECT_EQ(list.FindByAppName("nothing"), nullptr);
}

// Writes extended data as an object record holds it, and gives the filer
// back positioned for reading it.
class DwgRecordFixture : public ExtendedDataTest {
 protected:
  void StartRecord() {
    // A fresh stream each time: a stream left in the middle of a byte by a
    // read would shift what is written next.
    stream = std::make_unique<FcFilerDwg>();
    StartMemory(filer(), FcFileKind::kDwg, &graph);
    filer().WriteRawByte(0);
  }
  FcFilerDwg& filer() { return *stream; }
  void EndRecord() {
    while (filer().GetBitsWritten() % 8 != 0) filer().WriteBit(0);
    end = filer().GetFile()->GetPosition();
    filer().WriteRawShort(0);  // stands for the CRC that follows a record
    filer().Seek(1, FcSeekOrigin::kBegin);
  }
  void WriteRecord(const FcExtendDataList& list) {
    StartRecord();
    list.WriteDwg(filer());
    EndRecord();
  }
  std::unique_ptr<FcFilerDwg> stream;
  std::int64_t end = 0;
};

TEST_F(DwgRecordFixture, DwgRoundTripKeepsEveryItem) {
  FcExtendDataList list;
  list.GetForApp(app)->SetChain(EveryKind());
  // A 1003 item read from DWG holds a handle.
  for (FcResBuf* item = list.GetAt(0)->head; item != nullptr; item = item->next) {
    if (item->type == 1003) {
      item->SetString("");
      item->handle = 0x0102030405060708;
    }
  }
  list.GetForApp(graph.AddAppId("EMPTY"));
  WriteRecord(list);

  FcExtendData read;
  EXPECT_EQ(read.ReadDwg(filer(), end), FcXdataResult::kBlock);
  EXPECT_EQ(read.application, app);
  EXPECT_EQ(Describe(read.head), Describe(list.GetAt(0)->head));
  // The empty block wrote nothing: the section ends here.
  FcExtendData last;
  EXPECT_EQ(last.ReadDwg(filer(), end), FcXdataResult::kEnd);
}

TEST_F(DwgRecordFixture, DwgTextLongerThanALengthByteIsCut) {
  FcExtendDataList list;
  const std::string longText(300, 'k');
  list.GetForApp(app)->SetChain(BuildResBufList(1000, longText.c_str(), 0));
  WriteRecord(list);
  FcExtendData read;
  ASSERT_EQ(read.ReadDwg(filer(), end), FcXdataResult::kBlock);
  EXPECT_EQ(std::string(read.head->text), longText.substr(0, 255));
}

// Hand-built sections: BS size, H application, then the packed bytes.
TEST_F(DwgRecordFixture, MalformedDwgBlocksAreRefused) {
  struct Case {
    const char* name;
    std::int16_t size;
    FcHandle application;
    std::vector<std::uint8_t> bytes;
    FcXdataResult result;
  };
  const Case cases[] = {
      {"unknown application", 1, 0x7FFF, {70, 1, 0}, FcXdataResult::kNoApplication},
      {"item overruns the size", 2, 0, {70, 1, 0}, FcXdataResult::kSizeError},
      {"size past the record", 40, 0, {70, 1, 0}, FcXdataResult::kSizeError},
      {"application code inside", 1, 0, {1}, FcXdataResult::kCodeError},
      {"code outside the series", 1, 0, {200}, FcXdataResult::kUnknownCode},
      {"chunk kept to its length", 4, 0, {4, 2, 0xAB, 0xCD}, FcXdataResult::kBlock},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    StartRecord();
    filer().WriteBitShort(c.size);
    filer().WriteHandleRef(5, 0, c.application != 0 ? c.application : app->GetHandle());
    for (const std::uint8_t byte : c.bytes) filer().WriteRawByte(byte);
    filer().WriteBitShort(0);
    EndRecord();
    FcExtendData read;
    EXPECT_EQ(read.ReadDwg(filer(), end), c.result);
  }
}

TEST_F(ExtendedDataTest, CopyToAnotherDrawingRegistersTheApplication) {
  FcExtendDataList list;
  list.GetForApp(app)->SetChain(BuildResBufList(1000, "a", 0));
  list.AddNew();
  FcGraph target;
  const FcHandle seed = target.GetHandleSeed();
  FcExtendDataList copy;
  EXPECT_EQ(copy.CopyFromOtherGraph(list, target), 2);
  FcAppID* registered = target.GetAppIdList().FindByName("KOVRA_TEST");
  ASSERT_NE(registered, nullptr);
  EXPECT_EQ(registered->GetHandle(), seed);
  EXPECT_EQ(copy.GetAt(0)->application, registered);
  EXPECT_STREQ(copy.GetAt(0)->head->text, "a");
  EXPECT_EQ(copy.GetAt(1)->application, nullptr);

  FcExtendDataList same;
  EXPECT_EQ(same.Copy(list), 2);
  EXPECT_EQ(same.GetAt(0)->application, app);
  EXPECT_NE(same.GetAt(0)->head, list.GetAt(0)->head);
}

}  // namespace
