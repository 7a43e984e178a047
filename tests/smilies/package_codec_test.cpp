#include "smilies/package_codec.h"

#include <gtest/gtest.h>

#include "tests/smilies/smilies_test_support.h"

namespace quorix {
namespace {

using test_support::Bytes;

TEST(PackageCodecTest, IntegerWriters) {
  struct Case {
    RawByteString encoded;
    RawByteString expected;
  };
  const Case cases[] = {
      {EncodeByte(0), Bytes({0x00})},
      {EncodeByte(255), Bytes({0xFF})},
      {EncodeByte(256), Bytes({0x00})},  // out of range becomes 0, not the low byte
      {EncodeByte(-1), Bytes({0x00})},
      {EncodeByte(300), Bytes({0x00})},
      {EncodeWord(200), Bytes({0xC8, 0x00})},
      {EncodeWord(65535), Bytes({0xFF, 0xFF})},
      {EncodeWord(70000), Bytes({0x70, 0x11})},  // low 16 bits, no range check
      {EncodeWord(-1), Bytes({0xFF, 0xFF})},
      {EncodeInt32(500000), Bytes({0x20, 0xA1, 0x07, 0x00})},
      {EncodeInt32(-1), Bytes({0xFF, 0xFF, 0xFF, 0xFF})},
      {EncodeInt32(INT32_MIN), Bytes({0x00, 0x00, 0x00, 0x80})},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(cases[i].encoded, cases[i].expected) << "case " << i;
}

TEST(PackageCodecTest, ShortBytesCutsAt255) {
  EXPECT_EQ(EncodeShortBytes(""), Bytes({0x00}));
  EXPECT_EQ(EncodeShortBytes(std::string("\0\x01", 2)), Bytes({0x02, 0x00, 0x01}));
  RawByteString input;
  for (int i = 0; i < 300; ++i) input += static_cast<char>(i);
  const RawByteString encoded = EncodeShortBytes(input);
  ASSERT_EQ(encoded.size(), 256u);
  EXPECT_EQ(encoded[0], '\xFF');
  EXPECT_EQ(encoded.substr(1), input.substr(0, 255));
  EXPECT_EQ(EncodeShortBytes(input.substr(0, 255)), encoded);
}

TEST(PackageCodecTest, ShortTextStoresRawCodeUnits) {
  EXPECT_EQ(EncodeShortText(u"0"), Bytes({0x01, 0x30, 0x00}));
  EXPECT_EQ(EncodeShortText(u""), Bytes({0x00}));
  EXPECT_EQ(EncodeShortText(u"\u0416\U0001F600"), Bytes({0x03, 0x16, 0x04, 0x3D, 0xD8, 0x00, 0xDE}));
  const RawByteString long300 = EncodeShortText(UnicodeString(300, u'a'));
  ASSERT_EQ(long300.size(), 511u);
  EXPECT_EQ(long300[0], '\xFF');
  // The cut counts code units: a pair straddling unit 255 loses its low half.
  UnicodeString straddling(254, u'a');
  straddling += u"\U0001F600";
  const RawByteString cut = EncodeShortText(straddling);
  ASSERT_EQ(cut.size(), 511u);
  EXPECT_EQ(cut.substr(509), Bytes({0x3D, 0xD8}));
}

TEST(PackageCodecTest, IntegerReadersTakeFromTheFront) {
  struct Case {
    RawByteString input;
    int (*take)(RawByteString&);
    int expected;
    RawByteString rest;
  };
  auto takeInt32 = [](RawByteString& s) { return static_cast<int>(TakeInt32(s)); };
  const Case cases[] = {
      {Bytes({}), TakeByte, 0, Bytes({})},
      {Bytes({0xFE, 0x01}), TakeByte, 254, Bytes({0x01})},
      {Bytes({0x07}), TakeWord, 0, Bytes({0x07})},  // too short: nothing removed
      {Bytes({0xFF, 0xFF, 0x09}), TakeWord, 65535, Bytes({0x09})},
      {Bytes({0x01, 0x02, 0x03}), takeInt32, 0, Bytes({0x01, 0x02, 0x03})},
      {Bytes({0xFF, 0xFF, 0xFF, 0xFF}), takeInt32, -1, Bytes({})},
      {Bytes({0x20, 0xA1, 0x07, 0x00, 0x55}), takeInt32, 500000, Bytes({0x55})},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    RawByteString s = cases[i].input;
    EXPECT_EQ(cases[i].take(s), cases[i].expected) << "case " << i;
    EXPECT_EQ(s, cases[i].rest) << "case " << i;
  }
}

TEST(PackageCodecTest, TakeShortText) {
  struct Case {
    RawByteString input;
    UnicodeString expected;
    RawByteString rest;
  };
  const Case cases[] = {
      {Bytes({}), u"", Bytes({})},
      {Bytes({0x03, 0x41, 0x00, 0x42, 0x00}), u"", Bytes({0x03, 0x41, 0x00, 0x42, 0x00})},  // 7 needed
      {Bytes({0x00, 0x7F}), u"", Bytes({0x7F})},  // an empty text still takes its count byte
      {Bytes({0x02, 0x41, 0x00, 0x16, 0x04, 0x99}), u"A\u0416", Bytes({0x99})},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    RawByteString s = cases[i].input;
    EXPECT_EQ(TakeShortText(s), cases[i].expected) << "case " << i;
    EXPECT_EQ(s, cases[i].rest) << "case " << i;
  }
}

TEST(PackageCodecTest, TakeBlock) {
  struct Case {
    RawByteString input;
    RawByteString expected;
    RawByteString rest;
  };
  const Case cases[] = {
      {Bytes({0x05}), Bytes({}), Bytes({0x05})},
      {Bytes({0x05, 0x00, 0xAA, 0xBB}), Bytes({0xAA, 0xBB}), Bytes({})},  // short: what there is
      {Bytes({0x00, 0x00, 0x7F}), Bytes({}), Bytes({0x7F})},
      {Bytes({0x02, 0x00, 0xAA, 0xBB}), Bytes({0xAA, 0xBB}), Bytes({})},  // L = n + 2
      {Bytes({0x01, 0x00, 0xAA, 0xBB}), Bytes({0xAA}), Bytes({0xBB})},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    RawByteString s = cases[i].input;
    EXPECT_EQ(TakeBlock(s), cases[i].expected) << "case " << i;
    EXPECT_EQ(s, cases[i].rest) << "case " << i;
  }
}

TEST(PackageCodecTest, WritersAndReadersAgree) {
  RawByteString s = EncodeWord(12345) + EncodeShortText(u"код") + EncodeInt32(-7) + EncodeByte(9);
  EXPECT_EQ(TakeWord(s), 12345);
  EXPECT_EQ(TakeShortText(s), u"код");
  EXPECT_EQ(TakeInt32(s), -7);
  EXPECT_EQ(TakeByte(s), 9);
  EXPECT_TRUE(s.empty());
}

}  // namespace
}  // namespace quorix
