#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <vector>

#include "core/data_array.h"

namespace {

std::vector<int> Elements(const CIntArray& array) {
  return std::vector<int>(array.data, array.data + array.count);
}

template <typename T>
std::vector<T> Elements(const CDataArray<T>& array) {
  return std::vector<T>(array.items, array.items + array.count);
}

}  // namespace

TEST(FcPoint2dArrayTest, AddGrowsBeforeTheBufferFills) {
  FcPoint2dArray points;
  EXPECT_EQ(points.data, nullptr);
  std::vector<int> capacities;
  for (int i = 0; i < 17; ++i) {
    ASSERT_TRUE(points.AddXY(i, -i));
    capacities.push_back(points.capacity);
  }
  EXPECT_EQ(capacities[0], 16);
  EXPECT_EQ(capacities[14], 16);
  EXPECT_EQ(capacities[15], 32);  // count 15 + 1 reaches 16
  ASSERT_EQ(points.count, 17);
  for (int i = 0; i < 17; ++i) {
    EXPECT_EQ(points[i].x, i);
    EXPECT_EQ(points[i].y, -i);
  }
  // New slots beyond the count are zero.
  EXPECT_EQ(points.data[20].x, 0.0);
  EXPECT_EQ(points.data[31].y, 0.0);
}

TEST(FcPoint2dArrayTest, GrowSteps) {
  struct Case {
    int count;
    int capacity;
    int request;
    int expected;
  };
  const Case cases[] = {
      {0, 0, 40, 56},   // larger than the step: request + 16
      {0, 0, 16, 16},   // a request of exactly 16 still grows by 16
      {0, 0, 17, 33},
      {3, 16, 12, 16},  // 15 < 16: room enough
      {3, 16, 13, 32},  // 16 reaches the capacity
      {0, 0, 0, 16},    // an empty array has no spare slot
  };
  for (const Case& c : cases) {
    FcPoint2dArray points;
    if (c.capacity > 0) {
      ASSERT_TRUE(points.Grow(1));
      ASSERT_EQ(points.capacity, c.capacity);
    }
    points.count = c.count;
    EXPECT_TRUE(points.Grow(c.request));
    EXPECT_EQ(points.capacity, c.expected) << c.count << " + " << c.request;
  }
}

TEST(FcPoint2dArrayTest, AppendAssignAndRemoveAll) {
  FcPoint2dArray a;
  FcPoint2dArray b;
  a.AddXY(1, 2);
  b.AddXY(3, 4);
  b.AddXY(5, 6);
  ASSERT_TRUE(a.Append(b));
  ASSERT_EQ(a.count, 3);
  EXPECT_EQ(a[2].x, 5.0);

  ASSERT_TRUE(a.Append(a));  // doubling itself reads the grown buffer
  ASSERT_EQ(a.count, 6);
  EXPECT_EQ(a[3].x, 1.0);
  EXPECT_EQ(a[5].y, 6.0);

  ASSERT_TRUE(a.Assign(b));
  ASSERT_EQ(a.count, 2);
  EXPECT_EQ(a[0].x, 3.0);

  FcPoint2dArray moved(std::move(a));
  EXPECT_EQ(a.data, nullptr);
  EXPECT_EQ(moved.count, 2);

  moved.RemoveAll();
  EXPECT_EQ(moved.data, nullptr);
  EXPECT_EQ(moved.count, 0);
  EXPECT_EQ(moved.capacity, 0);
}

TEST(FcPoint2dArrayTest, GrowBeyondIntRangeFailsAndKeepsThePoints) {
  FcPoint2dArray points;
  points.AddXY(7, 8);
  EXPECT_FALSE(points.Grow(INT_MAX));
  EXPECT_EQ(points.count, 1);
  EXPECT_EQ(points.capacity, 16);
  EXPECT_EQ(points[0].x, 7.0);
}

TEST(CIntArrayTest, AddAndFind) {
  CIntArray values;
  EXPECT_EQ(values.Find(0), -1);
  for (int v : {5, 9, 5, 2}) {
    ASSERT_TRUE(values.Add(v));
  }
  EXPECT_EQ(values.capacity, 16);
  EXPECT_EQ(values.Find(5), 0);
  EXPECT_EQ(values.Find(2), 3);
  EXPECT_EQ(values.Find(4), -1);
}

TEST(CIntArrayTest, SortIsDescendingWithinTheRange) {
  struct Case {
    std::vector<int> input;
    int first;
    int last;
    std::vector<int> expected;
  };
  const Case cases[] = {
      {{3, 1, 2, 3}, 0, 3, {3, 3, 2, 1}},
      {{1, 2, 3, 4, 5}, 1, 3, {1, 4, 3, 2, 5}},
      {{1, 2, 3}, 2, 2, {1, 2, 3}},   // first == last
      {{1, 2, 3}, 2, 0, {1, 2, 3}},   // first > last
      {{1, 2, 3}, -1, 2, {1, 2, 3}},  // outside the elements
      {{1, 2, 3}, 0, 3, {1, 2, 3}},
  };
  for (const Case& c : cases) {
    CIntArray values;
    for (int v : c.input) {
      values.Add(v);
    }
    values.Sort(c.first, c.last);
    EXPECT_EQ(Elements(values), c.expected) << c.first << ".." << c.last;
  }
}

TEST(CDataArrayTest, GrowAndSetSize) {
  struct Case {
    int growBy;
    int request;
    int expected;
  };
  const Case cases[] = {{16, 20, 36}, {16, 3, 16}, {1024, 1, 1024}, {1024, 2000, 3024}};
  for (const Case& c : cases) {
    CDataArray<double> array;
    array.growBy = c.growBy;
    ASSERT_TRUE(array.Grow(c.request));
    EXPECT_EQ(array.capacity, c.expected) << c.growBy << "/" << c.request;
  }

  CDataArray<short> shorts;
  ASSERT_TRUE(shorts.SetSize(20));
  EXPECT_EQ(shorts.count, 21);
  EXPECT_EQ(shorts.capacity, 37);
  EXPECT_EQ(shorts[20], 0);
  ASSERT_TRUE(shorts.SetSize(5));  // already there: nothing changes
  EXPECT_EQ(shorts.count, 21);
  EXPECT_FALSE(shorts.SetSize(INT_MAX));
  EXPECT_EQ(shorts.count, 21);
}

TEST(CDataArrayTest, RemoveCopyAndFill) {
  CDataArray<std::uint64_t> handles;
  for (std::uint64_t h : {7u, 3u, 7u, 9u, 7u}) {
    ASSERT_TRUE(handles.Add(h));
  }
  handles.Remove(7);
  EXPECT_EQ(Elements(handles), (std::vector<std::uint64_t>{3, 9}));
  handles.Remove(42);
  EXPECT_EQ(handles.count, 2);

  CDataArray<std::uint64_t> copy;
  copy.Add(1);
  ASSERT_TRUE(copy.Copy(handles));
  EXPECT_EQ(Elements(copy), Elements(handles));
  CDataArray<std::uint64_t> empty;
  ASSERT_TRUE(copy.Copy(empty));
  EXPECT_EQ(copy.count, 0);
  EXPECT_EQ(copy.items, nullptr);

  CDataArray<unsigned char> bytes;
  bytes.Add(1);
  bytes.Fill(0xAB);
  for (int i = 0; i < bytes.capacity; ++i) {
    EXPECT_EQ(bytes.items[i], 0xAB);
  }
}
