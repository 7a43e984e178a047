// The package reader: the smilies table it makes of packages written out byte
// by byte here, including the damaged ones and the stores a build leaves.

#include "smilies/package_reader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "pictures/gif_image.h"
#include "pictures/jpeg_image.h"
#include "platform/text.h"
#include "smilies/package_builder.h"
#include "smilies/package_codec.h"
#include "smilies/smilies_table.h"
#include "tests/pictures/jpeg_test_util.h"
#include "tests/support/temp_dir.h"

namespace quorix {
namespace {

// The smallest GIF: one white pixel.
const std::string kGif1x1("GIF89a\x01\x00\x01\x00\x80\x00\x00\xFF\xFF\xFF\x00\x00\x00"
                          "\x2C\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00\x3B",
                          35);

std::string GreyJpeg(int width, int height) {
  quorix::testing::JpegSpec spec;
  spec.Width = width;
  spec.Height = height;
  spec.Grayscale = true;
  return quorix::testing::EncodeJpeg(spec);
}

RawByteString Header(int width, int height, int groupByte, const std::vector<std::u16string>& names, int count) {
  RawByteString body = EncodeWord(width) + EncodeWord(height) + EncodeByte(groupByte);
  for (const auto& n : names) body += EncodeShortText(n);
  body += EncodeWord(count);
  return EncodeWord(static_cast<int>(body.size())) + body;
}

RawByteString Record(int group, const std::u16string& code, int kind, std::int32_t size, const std::string& picture) {
  return EncodeShortBytes(EncodeByte(group) + EncodeShortText(code) + EncodeByte(kind) + EncodeInt32(size)) +
         picture;
}

RawByteString Record(int group, const std::u16string& code, int kind, const std::string& picture) {
  return Record(group, code, kind, static_cast<std::int32_t>(picture.size()), picture);
}

class PackageReaderTest : public ::testing::Test {
 protected:
  void SetUp() override { SetSystemCodePage(1251); }

  static void Read(const RawByteString& package) {
    SmiliesPackage = package;
    ReadSmiliesPackage();
  }

  static void ExpectDamagedDefaults() {
    EXPECT_EQ(DisplayState, Damaged);
    EXPECT_EQ(PanelWidth, 300);
    EXPECT_EQ(PanelHeight, 100);
    EXPECT_EQ(GroupCount, 1);
    EXPECT_EQ(SmileyCount, 0);
  }
};

TEST_F(PackageReaderTest, TheExamplePackage) {
  // width=200, height=150, a.gif|(x) with a.gif of 10 bytes that are no GIF.
  const RawByteString head("\x0A\x00\xC8\x00\x96\x00\x01\x01\x30\x00\x01\x00", 12);
  const RawByteString record("\x09\x00\x01\x78\x00\x00\x0A\x00\x00\x00", 10);
  Read(head + record + "0123456789");
  ExpectDamagedDefaults();
  EXPECT_EQ(GroupNames[0], "0");
  EXPECT_EQ(Smilies[0].Code, "x");  // read before its picture failed
  ASSERT_NE(Smilies[0].Gif, nullptr);    // the picture is stored before it loads
  EXPECT_TRUE(Smilies[0].Gif->GetEmpty());

  // The same package with a picture that decodes.
  const RawByteString record35("\x09\x00\x01\x78\x00\x00\x23\x00\x00\x00", 10);
  Read(RawByteString("\x0A\x00\xC8\x00\x96\x00\x01\x01\x30\x00\x01\x00", 12) + record35 + kGif1x1);
  EXPECT_EQ(DisplayState, Shown);
  EXPECT_EQ(PanelWidth, 200);
  EXPECT_EQ(PanelHeight, 150);
  EXPECT_EQ(GroupCount, 1);
  EXPECT_EQ(GroupNames[0], "0");
  EXPECT_EQ(SmileyCount, 1);
  EXPECT_EQ(Smilies[0].Code, "x");
  EXPECT_EQ(Smilies[0].Group, 0);
  EXPECT_EQ(Smilies[0].Kind, SmileyKindGif);
  ASSERT_NE(Smilies[0].Gif, nullptr);
  EXPECT_EQ(Smilies[0].Gif->GetWidth(), 1);
  EXPECT_EQ(Smilies[0].Jpeg, nullptr);
  // The header block is gone from the store; the records are left.
  EXPECT_EQ(SmiliesPackage, record35 + kGif1x1);
}

TEST_F(PackageReaderTest, AnEmptyStoreIsAnEmptyShownSet) {
  GroupNames[0] = "left over";
  Read("");
  EXPECT_EQ(DisplayState, Shown);
  EXPECT_EQ(PanelWidth, 100);
  EXPECT_EQ(PanelHeight, 100);
  EXPECT_EQ(GroupCount, 1);
  EXPECT_EQ(GroupNames[0], "");
  EXPECT_EQ(SmileyCount, 0);
}

TEST_F(PackageReaderTest, HeaderValuesAreClamped) {
  Read(Header(50, 9999, 1, {u"g"}, 0));
  EXPECT_EQ(PanelWidth, 100);
  EXPECT_EQ(PanelHeight, 300);
  Read(Header(9999, 50, 1, {u"g"}, 0));
  EXPECT_EQ(PanelWidth, 500);
  EXPECT_EQ(PanelHeight, 100);
  EXPECT_EQ(DisplayState, Shown);
}

TEST_F(PackageReaderTest, ZeroGroupsReadAsOneWhoseNameTakesTheCountsLowByte) {
  // The builder's 9-byte package of a list with nothing after the height line.
  Read(RawByteString("\x07\x00\xC8\x00\x96\x00\x00\x00\x00", 9));
  EXPECT_EQ(DisplayState, Shown);
  EXPECT_EQ(GroupCount, 1);
  EXPECT_EQ(GroupNames[0], "");
  EXPECT_EQ(SmileyCount, 0);
}

TEST_F(PackageReaderTest, TwelveGroupsReadAsTenAndTheCountComesFromTheEleventhName) {
  std::vector<std::u16string> names;
  for (int i = 0; i < 10; ++i) names.push_back(u"g" + std::u16string(1, static_cast<char16_t>(u'0' + i)));
  names.push_back(u"");  // 00: with the next name's 00, the count read is 0
  names.push_back(u"");
  Read(Header(200, 150, 12, names, 1) + Record(0, u"x", 2, ""));
  EXPECT_EQ(DisplayState, Shown);
  EXPECT_EQ(GroupCount, 10);
  EXPECT_EQ(GroupNames[9], "g9");
  EXPECT_EQ(SmileyCount, 0);
}

TEST_F(PackageReaderTest, AtMost999RecordsAreRead) {
  Smilies[999].Code = "slot 1000";
  RawByteString records;
  for (int k = 0; k < 1000; ++k) records += Record(0, u"s" + Utf8ToUtf16(std::to_string(k)), 2, "");
  Read(Header(200, 150, 1, {u"g"}, 5000) + records);
  EXPECT_EQ(DisplayState, Shown);
  EXPECT_EQ(SmileyCount, 999);
  EXPECT_EQ(Smilies[998].Code, "s998");
  EXPECT_EQ(Smilies[999].Code, "slot 1000");
}

TEST_F(PackageReaderTest, RecordFields) {
  Read(Header(200, 150, 3, {u"a", u"b", u"c"}, 4) +
       Record(7, u"out of range", 0, kGif1x1) +  // group 7 of 3: group 0
       Record(2, u":-)", 2, "ignored") +          // kind 2: an entry without a picture
       Record(1, u"big", 0, 600000, std::string(600000, '\0')) +
       Record(1, u"next", 1, GreyJpeg(5, 3)));
  EXPECT_EQ(DisplayState, Shown);
  ASSERT_EQ(SmileyCount, 4);
  EXPECT_EQ(Smilies[0].Group, 0);
  EXPECT_NE(Smilies[0].Gif, nullptr);
  EXPECT_EQ(Smilies[1].Group, 2);
  EXPECT_EQ(Smilies[1].Kind, 2);
  EXPECT_EQ(Smilies[1].Gif, nullptr);
  EXPECT_EQ(Smilies[1].Jpeg, nullptr);
  // Over 500000 bytes: no picture, and the next record is read past them.
  EXPECT_EQ(Smilies[2].Code, "big");
  EXPECT_EQ(Smilies[2].Gif, nullptr);
  EXPECT_EQ(Smilies[3].Code, "next");
  EXPECT_EQ(Smilies[3].Kind, SmileyKindJpeg);
  ASSERT_NE(Smilies[3].Jpeg, nullptr);
  EXPECT_EQ(Smilies[3].Jpeg->GetWidth(), 5);
  EXPECT_EQ(Smilies[3].Jpeg->GetHeight(), 3);
  EXPECT_EQ(Smilies[3].Gif, nullptr);
}

TEST_F(PackageReaderTest, TextsAreCutAndConvertedToTheSystemCodePage) {
  Read(Header(200, 150, 2, {u"Анимация", u"ABCDEFGHIJKLMNOPQRST"}, 2) +
       Record(0, u"☺ ещё", 2, "") + Record(1, std::u16string(40, u'c'), 2, ""));
  EXPECT_EQ(GroupNames[0], UnicodeToAnsi(u"Анимация", 1251));
  EXPECT_EQ(GroupNames[0].size(), 8u);
  EXPECT_EQ(GroupNames[1], "ABCDEFGHIJKLMNOP");
  EXPECT_EQ(Smilies[0].Code, "? " + UnicodeToAnsi(u"ещё", 1251));
  EXPECT_EQ(Smilies[1].Code, std::string(32, 'c'));
}

TEST_F(PackageReaderTest, MoreRecordsClaimedThanStoredIsDamageAndKeepsWhatWasLoaded) {
  Read(Header(200, 150, 1, {u"g"}, 3) + Record(0, u"a", 0, kGif1x1) + Record(0, u"b", 2, ""));
  ExpectDamagedDefaults();
  EXPECT_NE(Smilies[0].Gif, nullptr);  // released by the next read only
  EXPECT_EQ(GroupNames[0], "g");
  Read(Header(200, 150, 1, {u"g"}, 1) + Record(0, u"a", 2, ""));
  EXPECT_EQ(DisplayState, Shown);
  EXPECT_EQ(Smilies[0].Gif, nullptr);
}

// What the reader must not do is read past the end of the store.
TEST_F(PackageReaderTest, RecordsReachingPastTheEndAreDamage) {
  const RawByteString head = Header(200, 150, 1, {u"g"}, 1);
  // A body of 200 bytes over 10.
  Read(head + RawByteString("\xC8", 1) + std::string(10, '\0'));
  ExpectDamagedDefaults();
  // A picture of 100 bytes over 35, whatever its kind.
  Read(head + Record(0, u"a", 0, 100, kGif1x1));
  ExpectDamagedDefaults();
  Read(head + Record(0, u"a", 2, 100, "short"));
  ExpectDamagedDefaults();
  // A negative size.
  Read(head + Record(0, u"a", 2, -1, ""));
  ExpectDamagedDefaults();
  // A large size on the last record reads nothing and is fine.
  Read(head + Record(0, u"a", 0, 600000, ""));
  EXPECT_EQ(DisplayState, Shown);
}

TEST_F(PackageReaderTest, AJpegWhoseHeaderCannotBeReadIsDamage) {
  Read(Header(200, 150, 1, {u"g"}, 1) + Record(0, u"a", 1, "not a jpeg"));
  ExpectDamagedDefaults();
}

TEST_F(PackageReaderTest, ASecondReadWithoutABuildTakesTheRecordsAsTheHeader) {
  Read(Header(200, 150, 1, {u"0"}, 1) + Record(0, u"x", 0, kGif1x1));
  ASSERT_EQ(DisplayState, Shown);
  // The store now starts 09 00 (length 9, group 0): a 9-byte header of
  // 01 78 | 00 00 | 23 | 00 00 00 47 gives width 0x7801, height 0, 35 groups.
  ReadSmiliesPackage();
  EXPECT_EQ(DisplayState, Shown);
  EXPECT_EQ(PanelWidth, 500);
  EXPECT_EQ(PanelHeight, 100);
  EXPECT_EQ(GroupCount, 10);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(GroupNames[static_cast<std::size_t>(i)], "") << i;
  EXPECT_EQ(SmileyCount, 0);
}

TEST_F(PackageReaderTest, AStoreLeftByAFailedBuildIsReadLikeAnyOther) {
  test::TempDir dir;
  dir.Write("Smilies_serv.txt", "width=200\nheight=150\na.gif|(x)\nmissing.gif|(y)\n");
  dir.Write("a.gif", kGif1x1);
  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path(dir.Path());
  const bool built = BuildSmiliesPackage();
  std::filesystem::current_path(previous);
  ASSERT_FALSE(built);
  ASSERT_GE(SmiliesPackage.size(), 1000000u);  // the record, then the zero-filled capacity
  ReadSmiliesPackage();
  // Same bytes at the front as in the second read above.
  EXPECT_EQ(DisplayState, Shown);
  EXPECT_EQ(PanelWidth, 500);
  EXPECT_EQ(PanelHeight, 100);
  EXPECT_EQ(GroupCount, 10);
  EXPECT_EQ(SmileyCount, 0);
}

}  // namespace
}  // namespace quorix
