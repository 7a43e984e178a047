#include "platform/types.h"

#include <gtest/gtest.h>

#include "platform/sets.h"

namespace quorix {
namespace {

TEST(MulDivTest, RoundsToNearestWithWideIntermediate) {
  struct Case {
    int a, b, c, expected;
  };
  const Case cases[] = {
      {10, 80, 40, 20},       {30, 80, 40, 60},        {7, 1, 2, 4},   {-7, 1, 2, -4},
      {5, 1, 3, 2},           {4, 1, 3, 1},            {2, 2, 3, 1},   {1, 1, 3, 0},
      {20, 96, 96, 20},       {100000, 100000, 100000, 100000},  // 10^10 needs 64 bits
      {-13, 2, 3, -9},        {13, 2, -3, -9},         {1, 1, 0, -1},
  };
  for (const auto& c : cases) EXPECT_EQ(MulDiv(c.a, c.b, c.c), c.expected) << c.a << "*" << c.b << "/" << c.c;
}

TEST(IntDivTest, TruncatesTowardZero) {
  EXPECT_EQ(IntDiv(7, 2), 3);
  EXPECT_EQ(IntDiv(-7, 2), -3);
  EXPECT_EQ(IntDiv(-1, 2), 0);
}

TEST(ColorTest, RedIsTheLowByteAndSystemColoursResolve) {
  EXPECT_EQ(RGB(0x12, 0x34, 0x56), 0x563412);
  EXPECT_EQ(GetRValue(clRed), 255);
  EXPECT_FALSE(IsSystemColor(clNone));
  EXPECT_TRUE(IsSystemColor(clBtnFace));
  EXPECT_FALSE(IsSystemColor(ColorToRGB(clBtnFace)));
  EXPECT_EQ(ColorToRGB(clRed), clRed);
}

TEST(RectTest, IntersectAndUnion) {
  TRect r;
  EXPECT_TRUE(IntersectRect(r, Rect(0, 0, 10, 10), Rect(5, 5, 20, 20)));
  EXPECT_EQ(r, Rect(5, 5, 10, 10));
  EXPECT_FALSE(IntersectRect(r, Rect(0, 0, 10, 10), Rect(10, 0, 20, 10)));
  EXPECT_TRUE(r.IsEmpty());
  EXPECT_EQ(UnionRect(Rect(0, 0, 0, 0), Rect(1, 2, 3, 4)), Rect(1, 2, 3, 4));
  EXPECT_EQ(UnionRect(Rect(0, 0, 2, 2), Rect(1, 1, 3, 4)), Rect(0, 0, 3, 4));
}

enum TestFlag { tfA, tfB, tfC };

TEST(SetTest, IncludeExcludeAndAlgebra) {
  TSet<TestFlag, 8> s{tfA, tfC};
  EXPECT_TRUE(s.Contains(tfA));
  EXPECT_FALSE(s.Contains(tfB));
  s.Exclude(tfA).Include(tfB);
  EXPECT_EQ(s, (TSet<TestFlag, 8>{tfB, tfC}));
  EXPECT_EQ((s - TSet<TestFlag, 8>{tfC}).ToMask(), 2u);
  EXPECT_TRUE((s * TSet<TestFlag, 8>{tfA}).Empty());
}

}  // namespace
}  // namespace quorix
