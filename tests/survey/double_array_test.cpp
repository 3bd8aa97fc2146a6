// CDoubleArray: the capacity rule, zero filling, insertion and removal, and
// the behaviour outside the array.
#include "survey/double_array.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

namespace kestrel {
namespace {

CDoubleArray Make(const std::vector<double>& values) {
  CDoubleArray array;
  for (double v : values) array.Add(v);
  return array;
}

std::vector<double> Values(const CDoubleArray& array) { return {array.begin(), array.end()}; }

TEST(DoubleArray, SetSizeFollowsTheCapacityRule) {
  CDoubleArray array;
  struct Step {
    int size, growBy, capacity;
  };
  const Step steps[] = {
      {10, 5, 10},                // larger of 10 and 0 + 5
      {12, -1, 15},               // larger of 12 and 10 + 5
      {40, -1, 40}, {3, -1, 40},  // shrinking keeps the storage
      {0, -1, 0},                 // size 0 frees it
  };
  for (const Step& s : steps) {
    ASSERT_TRUE(array.SetSize(s.size, s.growBy));
    EXPECT_EQ(array.GetSize(), s.size);
    EXPECT_EQ(array.GetCapacity(), s.capacity) << "size " << s.size;
  }
  EXPECT_EQ(array.GetData(), nullptr);

  // Growing back over dropped elements brings zeros, not the old values.
  array = Make({1, 2, 3, 4, 5});
  array.SetSize(2);
  array.SetSize(5);
  EXPECT_EQ(Values(array), (std::vector<double>{1, 2, 0, 0, 0}));
  array.SetSize(2);
  array.FreeExtra();
  EXPECT_EQ(array.GetCapacity(), 2);
  EXPECT_EQ(Values(array), (std::vector<double>{1, 2}));
}

TEST(DoubleArray, AddingOneByOneStaysLinear) {
  CDoubleArray stepped;
  stepped.SetSize(0, 3);
  for (int i = 0; i < 10; ++i) stepped.Add(i);
  EXPECT_EQ(stepped.GetCapacity(), 12);  // 3, 6, 9, 12

  CDoubleArray array;
  std::set<int> capacities;
  for (int i = 0; i < 100000; ++i) {
    ASSERT_EQ(array.Add(i), i);
    capacities.insert(array.GetCapacity());
  }
  EXPECT_LE(capacities.size(), 20u);  // doubling, not one step per element
  for (int i = 0; i < 100000; i += 997) ASSERT_EQ(array[i], i);
}

TEST(DoubleArray, InsertCopies) {
  struct Case {
    std::vector<double> start;
    int index;
    int count;
    std::vector<double> result;
  };
  const Case cases[] = {
      {{1, 2, 3}, 1, 3, {1, 9, 9, 9, 2, 3}},
      {{1, 2, 3}, 3, 2, {1, 2, 3, 9, 9}},
      {{1, 2}, 5, 2, {1, 2, 0, 0, 0, 9, 9}},  // beyond the end: grows with zeros
      {{1, 2}, 1, 0, {1, 2}},
      {{}, 0, 2, {9, 9}},
  };
  for (const Case& c : cases) {
    CDoubleArray array = Make(c.start);
    EXPECT_TRUE(array.InsertAt(c.index, 9.0, c.count));
    EXPECT_EQ(Values(array), c.result) << "at " << c.index << " x" << c.count;
  }
}

TEST(DoubleArray, InsertArray) {
  struct Case {
    std::vector<double> start, other;
    int index;
    std::vector<double> result;
  };
  const Case cases[] = {
      {{1, 2, 3}, {8, 9}, 1, {1, 8, 9, 2, 3}},
      {{1, 2, 3}, {8, 9}, 5, {1, 2, 3, 0, 0, 8, 9}},
      {{1, 2, 3}, {}, 1, {1, 2, 3}},
  };
  for (const Case& c : cases) {
    CDoubleArray array = Make(c.start);
    EXPECT_TRUE(array.InsertAt(c.index, Make(c.other)));
    EXPECT_EQ(Values(array), c.result) << "at " << c.index;
  }
  CDoubleArray self = Make({1, 2});
  EXPECT_TRUE(self.InsertAt(1, self));
  EXPECT_EQ(Values(self), (std::vector<double>{1, 1, 2, 2}));
}

TEST(DoubleArray, RemoveAt) {
  struct Case {
    int index, count, removed;
    std::vector<double> result;
  };
  const Case cases[] = {
      {1, 2, 2, {1, 4}},
      {3, 5, 1, {1, 2, 3}},  // only what lies in the array
      {4, 1, 0, {1, 2, 3, 4}},
      {-1, 1, 0, {1, 2, 3, 4}},
  };
  for (const Case& c : cases) {
    CDoubleArray array = Make({1, 2, 3, 4});
    EXPECT_EQ(array.RemoveAt(c.index, c.count), c.removed);
    EXPECT_EQ(Values(array), c.result) << "at " << c.index << " x" << c.count;
  }
}

TEST(DoubleArray, OutsideTheArray) {
  CDoubleArray array = Make({1, 2, 3});
  EXPECT_EQ(array.GetAt(-1), 0);
  EXPECT_EQ(array.GetAt(3), 0);
  EXPECT_FALSE(array.SetAt(3, 7));
  EXPECT_FALSE(array.SetAt(-1, 7));
  EXPECT_TRUE(array.SetAtGrow(5, 1.5));
  EXPECT_EQ(Values(array), (std::vector<double>{1, 2, 3, 0, 0, 1.5}));

  // Requests that are negative or beyond the limit change nothing.
  EXPECT_FALSE(array.SetSize(-1));
  EXPECT_FALSE(array.SetSize(CDoubleArray::kMaxSize + 1));
  EXPECT_FALSE(array.SetAtGrow(CDoubleArray::kMaxSize, 1));
  EXPECT_FALSE(array.SetAtGrow(-1, 1));
  EXPECT_FALSE(array.InsertAt(-1, 1.0));
  EXPECT_FALSE(array.InsertAt(1, 1.0, -2));
  EXPECT_FALSE(array.InsertAt(CDoubleArray::kMaxSize, 1.0));
  EXPECT_EQ(array.GetSize(), 6);

  EXPECT_DEATH(array[6] = 1, "outside");
  EXPECT_DEATH(array.ElementAt(-1) = 1, "outside");
}

TEST(DoubleArray, CopiesAreIndependent) {
  CDoubleArray original = Make({1, 2, 3});
  CDoubleArray copy = original;
  copy[0] = 9;
  EXPECT_EQ(original[0], 1);
  CDoubleArray moved = std::move(copy);
  EXPECT_EQ(Values(moved), (std::vector<double>{9, 2, 3}));
  EXPECT_TRUE(copy.IsEmpty());  // NOLINT(bugprone-use-after-move): moved-from is empty
}

}  // namespace
}  // namespace kestrel
