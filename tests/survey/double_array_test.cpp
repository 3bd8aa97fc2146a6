// CDoubleArray: the capacity rule, zero filling, insertion and removal, and
// the behaviour outside the array.
#include "survey/double_array.h"

#include <gtest/gtest.h>

#include <functional>
#include <iterator>
#include <set>
#include <tuple>
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
  // Size, grow-by, capacity afterwards.
  const std::tuple<int, int, int> steps[] = {
      {10, 5, 10},   // larger of 10 and 0 + 5
      {12, -1, 15},  // larger of 12 and 10 + 5
      {3, -1, 15},   // shrinking keeps the storage
      {0, -1, 0},    // size 0 frees it
  };
  for (const auto& [size, growBy, capacity] : steps) {
    ASSERT_TRUE(array.SetSize(size, growBy));
    EXPECT_EQ(array.GetSize(), size);
    EXPECT_EQ(array.GetCapacity(), capacity) << "size " << size;
  }

  // Growing back over dropped elements brings zeros, not the old values.
  array = Make({1, 2, 3, 4, 5});
  array.SetSize(2);
  array.SetSize(5);
  EXPECT_EQ(Values(array), (std::vector<double>{1, 2, 0, 0, 0}));
}

TEST(DoubleArray, AddingOneByOneStaysLinear) {
  CDoubleArray array;
  std::set<int> capacities;
  for (int i = 0; i < 100000; ++i) {
    ASSERT_EQ(array.Add(i), i);
    capacities.insert(array.GetCapacity());
  }
  EXPECT_LE(capacities.size(), 20u);  // doubling, not one step per element
  for (int i = 0; i < 100000; i += 997) ASSERT_EQ(array[i], i);
}

TEST(DoubleArray, ChangesInsideAndOutsideTheArray) {
  using A = CDoubleArray;
  struct Case {
    std::vector<double> start;
    std::function<bool(A&)> change;  // true when it returned what it should
    std::vector<double> result;
  };
  const CDoubleArray pair = Make({8, 9});
  // Inserting beyond the end grows the array with zeros; removing takes only
  // what lies in the array.
  const Case cases[] = {
      {{1, 2, 3}, [](A& a) { return a.InsertAt(1, 9.0, 3); }, {1, 9, 9, 9, 2, 3}},
      {{1, 2}, [](A& a) { return a.InsertAt(5, 9.0, 2); }, {1, 2, 0, 0, 0, 9, 9}},
      {{1, 2, 3}, [&](A& a) { return a.InsertAt(5, pair); }, {1, 2, 3, 0, 0, 8, 9}},
      {{1, 2}, [](A& a) { return a.InsertAt(1, a); }, {1, 1, 2, 2}},
      {{1, 2, 3, 4}, [](A& a) { return a.RemoveAt(1, 2) == 2; }, {1, 4}},
      {{1, 2, 3, 4}, [](A& a) { return a.RemoveAt(3, 5) == 1; }, {1, 2, 3}},
      {{1, 2, 3, 4}, [](A& a) { return a.RemoveAt(4, 1) == 0; }, {1, 2, 3, 4}},
      {{1, 2, 3}, [](A& a) { return a.SetAtGrow(5, 1.5); }, {1, 2, 3, 0, 0, 1.5}},
      // Outside the array, or beyond the size limit, nothing changes.
      {{1, 2, 3}, [](A& a) { return a.GetAt(-1) == 0 && a.GetAt(3) == 0; }, {1, 2, 3}},
      {{1, 2, 3}, [](A& a) { return !a.SetAt(3, 7) && !a.SetAt(-1, 7); }, {1, 2, 3}},
      {{1, 2, 3}, [](A& a) { return !a.SetSize(-1) && !a.SetSize(A::kMaxSize + 1); }, {1, 2, 3}},
      {{1, 2, 3},
       [](A& a) {
         return !a.InsertAt(-1, 1.0) && !a.InsertAt(1, 1.0, -2) && !a.InsertAt(A::kMaxSize, 1.0);
       },
       {1, 2, 3}},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    CDoubleArray array = Make(cases[i].start);
    EXPECT_TRUE(cases[i].change(array)) << "case " << i;
    EXPECT_EQ(Values(array), cases[i].result) << "case " << i;
  }
}

TEST(DoubleArray, CopiesAreIndependentAndAccessOutsideStops) {
  CDoubleArray original = Make({1, 2, 3});
  CDoubleArray copy = original;
  copy[0] = 9;
  EXPECT_EQ(original[0], 1);
  EXPECT_DEATH(original[3] = 1, "outside");
  EXPECT_DEATH(original.ElementAt(-1) = 1, "outside");
}

}  // namespace
}  // namespace kestrel
