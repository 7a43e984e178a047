#include "platform/streams.h"

#include <gtest/gtest.h>

namespace quorix {
namespace {

TEST(MemoryStreamTest, ReadSeekAndWrite) {
  TMemoryStream s(std::string("abcdef"));
  char buf[4] = {};
  EXPECT_EQ(s.Read(buf, 4), 4u);
  EXPECT_EQ(std::string(buf, 4), "abcd");
  EXPECT_EQ(s.Read(buf, 4), 2u);
  EXPECT_EQ(s.Read(buf, 4), 0u);
  EXPECT_EQ(s.Seek(-100, TSeekOrigin::soCurrent), 0);
  EXPECT_EQ(s.Seek(100, TSeekOrigin::soBeginning), 6);
  s.SetPosition(4);
  EXPECT_EQ(s.Write("XYZ", 3), 3u);
  EXPECT_EQ(s.Bytes(), "abcdXYZ");
  EXPECT_EQ(s.Remaining(), 0);
}

TEST(MemoryStreamTest, ViewReadsWithoutCopyingAndCannotWrite) {
  const std::string bytes = "hello";
  TMemoryStream s = TMemoryStream::View(bytes);
  EXPECT_EQ(s.Bytes().data(), bytes.data());
  EXPECT_EQ(s.Write("x", 1), 0u);
  s.SetPosition(2);
  EXPECT_EQ(s.RemainingBytes(), "llo");
  TMemoryStream moved = std::move(s);
  EXPECT_EQ(moved.RemainingBytes(), "llo");
}

}  // namespace
}  // namespace quorix
