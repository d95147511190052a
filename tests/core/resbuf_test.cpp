#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "core/resbuf.h"

namespace {

int Length(const FcResBuf* list) {
  int n = 0;
  for (; list != nullptr; list = list->next) {
    ++n;
  }
  return n;
}

}  // namespace

TEST(ResBufTest, BuildTakesTheValueEachCodeCallsFor) {
  const std::uint64_t handle = 0x1234567890ABULL;
  FcResBuf* list = BuildResBufList(kResTypeGroup0String, "SECTION", 5, handle, 1002, "{", 1070, 5,
                                   kResTypeShort, 0x18000, kResTypeLong, -70000, 1040, 2.5,
                                   kResTypePoint2d, 1.0, 2.0, kResTypeAngle, 0.75, 5006, 1000,
                                   "after", 0);
  ASSERT_EQ(Length(list), 11);
  const FcResBuf* n = list;
  EXPECT_EQ(n->type, 0);
  EXPECT_STREQ(n->text, "SECTION");
  n = n->next;
  EXPECT_EQ(n->type, 5);
  EXPECT_EQ(n->handle, handle);  // a handle although 5 lies in the string range
  EXPECT_EQ(n->text, nullptr);
  n = n->next;
  EXPECT_STREQ(n->text, "{");
  n = n->next;
  EXPECT_EQ(n->intValue, 5);
  n = n->next;
  EXPECT_EQ(n->intValue, -32768);  // low 16 bits, sign-extended
  n = n->next;
  EXPECT_EQ(n->intValue, -70000);
  n = n->next;
  EXPECT_EQ(n->realValue, 2.5);
  n = n->next;
  EXPECT_EQ(n->x, 1.0);
  EXPECT_EQ(n->y, 2.0);
  n = n->next;
  EXPECT_EQ(n->realValue, 0.75);
  n = n->next;
  EXPECT_EQ(n->type, 5006);  // no value: the next argument is the next code
  n = n->next;
  EXPECT_EQ(n->type, 1000);
  EXPECT_STREQ(n->text, "after");
  EXPECT_EQ(FreeResBufList(list), kStatusDone);
}

TEST(ResBufTest, EmptyListsAndFreeingNothing) {
  EXPECT_EQ(BuildResBufList(0), nullptr);
  EXPECT_EQ(CopyResBufList(nullptr), nullptr);
  EXPECT_EQ(FreeResBufList(nullptr), kStatusDone);
  FcResBuf* node = NewResBuf(kResTypeGroup0String);
  ASSERT_NE(node, nullptr);
  EXPECT_EQ(node->type, 0);
  EXPECT_EQ(node->text, nullptr);
  FreeResBufList(node);
}

TEST(ResBufTest, SetStringReusesOrReplacesTheBuffer) {
  FcResBuf node;
  ASSERT_TRUE(node.SetString(nullptr));
  EXPECT_EQ(node.text, nullptr);
  ASSERT_TRUE(node.SetString(""));
  EXPECT_EQ(node.text, nullptr);

  ASSERT_TRUE(node.SetString("abc"));
  char* buffer = node.text;
  ASSERT_TRUE(node.SetString("xy"));
  EXPECT_EQ(node.text, buffer);
  EXPECT_STREQ(node.text, "xy");
  ASSERT_TRUE(node.SetString(""));
  EXPECT_EQ(node.text, buffer);
  EXPECT_STREQ(node.text, "");
  ASSERT_TRUE(node.SetString("longer text"));
  EXPECT_STREQ(node.text, "longer text");
}

TEST(ResBufTest, CopyIsDeep) {
  FcResBuf* source = BuildResBufList(1000, "DSTYLE", 1002, "{", 1070, 140, 1040, 0.18, 1002, "}", 0);
  source->next->next->next->z = 4.0;
  FcResBuf* copy = CopyResBufList(source);
  ASSERT_EQ(Length(copy), 5);
  EXPECT_NE(copy->text, source->text);
  FreeResBufList(source);
  EXPECT_STREQ(copy->text, "DSTYLE");
  EXPECT_EQ(copy->next->next->type, 1070);
  EXPECT_EQ(copy->next->next->intValue, 140);
  EXPECT_EQ(copy->next->next->next->realValue, 0.18);
  EXPECT_EQ(copy->next->next->next->z, 4.0);
  EXPECT_STREQ(copy->next->next->next->next->text, "}");
  FreeResBufList(copy);
}
