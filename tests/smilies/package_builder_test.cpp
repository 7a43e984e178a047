#include "smilies/package_builder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "tests/smilies/smilies_test_support.h"

namespace quorix {
namespace {

using test_support::Bytes;
using test_support::ParsePackage;
using test_support::TParsedPackage;
using test_support::TTempWorkDir;

struct TPicture {
  std::string name;
  std::size_t size;
};

void Prepare(const TTempWorkDir& dir, const std::string& list, const std::vector<TPicture>& pictures) {
  dir.WriteList(list);
  for (const auto& p : pictures) dir.WritePicture(p.name, p.size);
}

class PackageBuilderTest : public ::testing::Test {
 protected:
  TTempWorkDir dir_;
};

TEST_F(PackageBuilderTest, PacksTheThreeLineExampleExactly) {
  dir_.WriteList("width=200\r\nheight=150\r\na.gif|(x)\r\n");
  dir_.Write("a.gif", "0123456789");
  ASSERT_TRUE(BuildSmiliesPackage());
  const RawByteString expected = Bytes({0x0A, 0x00, 0xC8, 0x00, 0x96, 0x00, 0x01, 0x01, 0x30, 0x00, 0x01, 0x00,  //
                                        0x09, 0x00, 0x01, 0x78, 0x00, 0x00, 0x0A, 0x00, 0x00, 0x00}) +
                                 "0123456789";
  EXPECT_EQ(SmiliesPackage, expected);
}

TEST_F(PackageBuilderTest, NothingAfterTheHeightLineGivesANineBytePackage) {
  dir_.WriteList("width=300\nheight=200\n\n// no smilies yet\n");
  ASSERT_TRUE(BuildSmiliesPackage());
  EXPECT_EQ(SmiliesPackage, Bytes({0x07, 0x00, 0x2C, 0x01, 0xC8, 0x00, 0x00, 0x00, 0x00}));
}

struct TRecordExpectation {
  int group;
  UnicodeString code;
  int kind;
};

const char kHead[] = "width=200\nheight=150\n";

std::string Lines(const std::string& line, int count) {
  std::string out;
  for (int i = 0; i < count; ++i) out += line + "\n";
  return out;
}

// "[g1]", a smiley with code "1", "[g2]", ...
std::string GroupLines(int count) {
  std::string out;
  for (int i = 1; i <= count; ++i) out += "[g" + std::to_string(i) + "]\na.gif|(" + std::to_string(i) + ")\n";
  return out;
}

std::vector<UnicodeString> GroupNames(int count) {
  std::vector<UnicodeString> names;
  for (int i = 1; i <= count; ++i) names.push_back(u"g" + Utf8ToUtf16(std::to_string(i)));
  return names;
}

// The records of GroupLines(smilies) when only the first `groups` groups count:
// the smilies past them join the last group that did.
std::vector<TRecordExpectation> SmiliesInGroups(int smilies, int groups) {
  std::vector<TRecordExpectation> records;
  for (int i = 1; i <= smilies; ++i) records.push_back({std::min(i, groups) - 1, Utf8ToUtf16(std::to_string(i)), 0});
  return records;
}

TEST(PackageBuilderPanelTest, WidthAndHeightLines) {
  struct Case {
    std::string list;
    int width;
    int height;
  };
  const Case cases[] = {
      {"Width=50\nheight=150\n", 100, 150},  {"width=9999\nheight=150\n", 500, 150},
      {"width=200\nheight=301\n", 200, 300}, {"width=200\nheight=0\n", 200, 100},
      {"width=-5\nHEIGHT=+250\n", 100, 250}, {"maxwidth=250\npanelheight=120\n", 250, 120},
      {"width=500\nheight=300\n", 500, 300}, {"  width = 200 // panel size\n\n  // a note\nheight=150\n", 200, 150},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.list);
    TTempWorkDir dir;
    dir.WriteList(c.list);
    ASSERT_TRUE(BuildSmiliesPackage());
    const TParsedPackage p = ParsePackage(SmiliesPackage);
    EXPECT_TRUE(p.WellFormed);
    EXPECT_EQ(p.Width, c.width);
    EXPECT_EQ(p.Height, c.height);
  }
}

// Lists after the width and height lines; "a.gif" (1 byte) is always there.
struct TContentCase {
  const char* name;
  std::string body;
  std::vector<TPicture> pictures;
  std::vector<UnicodeString> groups;
  std::vector<TRecordExpectation> records;
};

std::vector<TContentCase> ContentCases() {
  return {
      {"group line first: no group 0", "[One]\na.gif|(x)\n", {}, {u"One"}, {{0, u"x", 0}}},
      {"smiley first: group 0", "a.gif|(x)\n[One]\na.gif|(y)\n", {}, {u"0", u"One"}, {{0, u"x", 0}, {1, u"y", 0}}},
      {"empty group name", "[]\na.gif|(x)\n", {}, {u""}, {{0, u"x", 0}}},
      {"16-character group name", "[abcdefghijklmnop]\n", {}, {u"abcdefghijklmnop"}, {}},
      {"kind test ignores case",
       "smile.GIF|(:-))\nphoto.JPG|[ph]\n",
       {{"smile.GIF", 3}, {"photo.JPG", 4}},
       {u"0"},
       {{0, u":-)", 0}, {0, u"ph", 1}}},
      {"code drops first and last character", "a.gif|(abc)def\n", {}, {u"0"}, {{0, u"abc)de", 0}}},
      {"codes and names keep their case", "[MiXed]\na.gif|<AbC>\n", {}, {u"MiXed"}, {{0, u"AbC", 0}}},
      {"spaces removed from file names", "big smile.gif|(x)\n", {{"bigsmile.gif", 1}}, {u"0"}, {{0, u"x", 0}}},
      {"32-unit code", "a.gif|(" + std::string(32, 'c') + ")\n", {}, {u"0"}, {{0, UnicodeString(32, u'c'), 0}}},
      {"picture of exactly 500000 bytes", "max.gif|(x)\n", {{"max.gif", 500000}}, {u"0"}, {{0, u"x", 0}}},
      {"empty code and empty picture", "empty.gif|()\n", {{"empty.gif", 0}}, {u"0"}, {{0, u"", 0}}},
      {"a lone [ is no group line", "[g]\n[.gif|()\n", {{"[.gif", 1}}, {u"g"}, {{0, u"", 0}}},
      {"eleventh group ignored, its smilies join the tenth",
       GroupLines(11),
       {},
       GroupNames(10),
       SmiliesInGroups(11, 10)},
      {"an ignored group line is not examined",
       GroupLines(10) + "[" + std::string(40, 'x') + "]\n",
       {},
       GroupNames(10),
       SmiliesInGroups(10, 10)},
  };
}

TEST(PackageBuilderContentTest, ListsThatPack) {
  for (const TContentCase& c : ContentCases()) {
    SCOPED_TRACE(c.name);
    TTempWorkDir dir;
    Prepare(dir, kHead + c.body, c.pictures);
    dir.WritePicture("a.gif", 1);
    ASSERT_TRUE(BuildSmiliesPackage());
    const TParsedPackage p = ParsePackage(SmiliesPackage);
    ASSERT_TRUE(p.WellFormed);
    EXPECT_EQ(p.Groups, c.groups);
    ASSERT_EQ(p.Records.size(), c.records.size());
    for (std::size_t i = 0; i < c.records.size(); ++i) {
      EXPECT_EQ(p.Records[i].Group, c.records[i].group) << "record " << i;
      EXPECT_EQ(p.Records[i].Code, c.records[i].code) << "record " << i;
      EXPECT_EQ(p.Records[i].Kind, c.records[i].kind) << "record " << i;
    }
  }
}

TEST_F(PackageBuilderTest, PicturesAreCopiedUnchanged) {
  dir_.WriteList(std::string(kHead) + "a.gif|(a)\nb.jpg|(b)\na.gif|(c)\n");
  const std::string a("GIF89a\0\x01\xFF", 9);
  const std::string b = "\xFF\xD8\xFF\xE0 jpeg";
  dir_.Write("a.gif", a);
  dir_.Write("b.jpg", b);
  ASSERT_TRUE(BuildSmiliesPackage());
  const TParsedPackage p = ParsePackage(SmiliesPackage);
  ASSERT_TRUE(p.WellFormed);
  ASSERT_EQ(p.Records.size(), 3u);
  EXPECT_EQ(p.Records[0].Picture, a);
  EXPECT_EQ(p.Records[1].Picture, b);
  EXPECT_EQ(p.Records[2].Picture, a);
}

TEST_F(PackageBuilderTest, The1000thSmileyLineIsSkippedUnexamined) {
  std::string list = kHead;
  for (int i = 0; i < 999; ++i) list += "a.gif|(" + std::to_string(i) + ")\n";
  list += "missing.png\n\tno bar at all\n";  // would each fail the build if examined
  Prepare(dir_, list, {{"a.gif", 2}});
  ASSERT_TRUE(BuildSmiliesPackage());
  const TParsedPackage p = ParsePackage(SmiliesPackage);
  ASSERT_TRUE(p.WellFormed);
  EXPECT_EQ(p.SmileyCount, 999);
  EXPECT_EQ(p.Records.back().Code, u"998");
}

// A failure before the records start leaves the store empty; after that, the
// records packed so far at the start of the working capacity.
struct TFailureCase {
  const char* name;
  std::string list;
  std::vector<TPicture> pictures;
  TSmiliesBuildFailure failure;
  int lineNo;              // as the user sees it: blank and comment lines count
  int recordsBefore = -1;  // -1: the store stays empty
};

std::vector<TFailureCase> FailureCases() {
  using F = TSmiliesBuildFailure;
  const std::string head = kHead;
  return {
      {"missing list", "", {}, F::ListUnreadable, 0},  // the list file is removed below
      {"empty list", "", {}, F::ListEmpty, 0},
      {"only comments", "// nothing\n\n   \n", {}, F::ListEmpty, 0},
      {"no height line", "width=200\n", {}, F::HeightLineMissing, 0},
      {"height line first", "height=150\nwidth=200\n", {}, F::WidthKeyMissing, 1},
      {"width without a value", "\n\nwidth=\nheight=150\n", {}, F::WidthNotInteger, 3},
      {"width not an integer", "width=abc\nheight=150\n", {}, F::WidthNotInteger, 1},
      {"width out of 32 bits", "width=99999999999\nheight=150\n", {}, F::WidthNotInteger, 1},
      {"height key missing", "width=200\n// c\nhight=150\n", {}, F::HeightKeyMissing, 3},
      {"height not an integer", "width=200\nheight=1.5\n", {}, F::HeightNotInteger, 2},
      {"17-character group name", head + "[abcdefghijklmnopq]\n", {}, F::GroupNameTooLong, 3, 0},
      {"missing picture", head + "a.gif|(x)\n\n// c\nb.gif|(y)\n", {{"a.gif", 5}}, F::PictureUnreadable, 6, 1},
      {"picture is a directory", head + "dir.gif|(x)\n", {}, F::PictureUnreadable, 3, 0},
      {"no bar", head + "a.gif(x)\n", {{"a.gif", 1}}, F::SmileyLineWithoutBar, 3, 0},
      {"a tab alone is a smiley line", head + "\t\n", {}, F::SmileyLineWithoutBar, 3, 0},
      {"nothing before the bar", head + "|(x)\n", {}, F::PictureUnreadable, 3, 0},
      {"500001 bytes", head + "a.gif|(x)\nb.gif|(y)\n", {{"a.gif", 1}, {"b.gif", 500001}}, F::PictureTooLarge, 4, 1},
      {"33-unit code", head + "a.gif|(" + std::string(33, 'c') + ")\n", {{"a.gif", 1}}, F::CodeTooLong, 3, 0},
      {"jpeg extension", head + "a.jpeg|(x)\n", {{"a.jpeg", 1}}, F::PictureKindUnknown, 3, 0},
      {"png extension", head + "a.png|(x)\n", {{"a.png", 1}}, F::PictureKindUnknown, 3, 0},
      {"reading comes before the kind", head + "a.png|(x)\n", {}, F::PictureUnreadable, 3, 0},
      {"spaces leave names", head + "big smile.gif|(x)\n", {{"big smile.gif", 1}}, F::PictureUnreadable, 3, 0},
  };
}

bool AllZero(std::string_view bytes) {
  return std::all_of(bytes.begin(), bytes.end(), [](char c) { return c == 0; });
}

TEST_F(PackageBuilderTest, ListsThatFail) {
  for (const TFailureCase& c : FailureCases()) {
    SCOPED_TRACE(c.name);
    TTempWorkDir caseDir;
    Prepare(caseDir, c.list, c.pictures);
    if (c.failure == TSmiliesBuildFailure::ListUnreadable) std::filesystem::remove("Smilies_serv.txt");
    std::filesystem::create_directory("dir.gif");
    TSmiliesBuildReport report;
    EXPECT_FALSE(BuildSmiliesPackage(&report));
    EXPECT_EQ(report.Failure, c.failure);
    EXPECT_EQ(report.LineNo, c.lineNo);
    EXPECT_FALSE(report.Reason.empty());
    EXPECT_EQ(report.PackageBytes, SmiliesPackage.size());
    if (c.recordsBefore < 0) {
      EXPECT_TRUE(SmiliesPackage.empty());
      continue;
    }
    ASSERT_EQ(SmiliesPackage.size(), PackageCapacityStep);
    EXPECT_EQ(report.SmileyCount, c.recordsBefore);
    // Each record packed here is a 10-byte head for a one-character code and
    // the picture; the rest of the working capacity is zero bytes.
    std::size_t used = 0;
    for (int i = 0; i < c.recordsBefore; ++i) used += 10 + c.pictures[static_cast<std::size_t>(i)].size;
    EXPECT_TRUE(AllZero(std::string_view(SmiliesPackage).substr(used)));
    if (used > 0) {
      EXPECT_EQ(SmiliesPackage[0], '\x09');
    }
  }
}

TEST_F(PackageBuilderTest, AFailedBuildEmptiesTheStoreOfTheBuildBefore) {
  Prepare(dir_, std::string(kHead) + "a.gif|(x)\n", {{"a.gif", 3}});
  ASSERT_TRUE(BuildSmiliesPackage());
  ASSERT_FALSE(SmiliesPackage.empty());
  dir_.WriteList("height=150\n");
  EXPECT_FALSE(BuildSmiliesPackage());
  EXPECT_TRUE(SmiliesPackage.empty());
}

// 21 pictures of 500000 bytes pass the 10485760-byte limit at the 21st. The
// store grows only when a record does not fit, to its end plus 1000000, so
// every second record enlarges it; the tail stays zero even though the build
// before filled a store of that size with other bytes.
TEST_F(PackageBuilderTest, GrowthRuleAndZeroTailAfterALateFailure) {
  dir_.WriteList(std::string(kHead) + Lines("fill.gif|(f)", 28));
  dir_.WritePicture("fill.gif", 350000, '\xAA');
  ASSERT_TRUE(BuildSmiliesPackage());
  ASSERT_GT(SmiliesPackage.size(), 9000000u);

  dir_.WriteList(std::string(kHead) + Lines("p.gif|(x)", 21));
  dir_.WritePicture("p.gif", MaxPictureSize, 'P');
  TSmiliesBuildReport report;
  EXPECT_FALSE(BuildSmiliesPackage(&report));
  EXPECT_EQ(report.Failure, TSmiliesBuildFailure::PackageTooLarge);
  EXPECT_EQ(report.LineNo, 23);
  EXPECT_EQ(report.SmileyCount, 20);

  constexpr std::size_t record = 10 + MaxPictureSize;
  EXPECT_EQ(SmiliesPackage.size(), 20 * record + PackageCapacityStep);
  const std::string_view store = SmiliesPackage;
  for (std::size_t i = 0; i < 20; ++i) {
    EXPECT_EQ(store.substr(i * record, 10), Bytes({0x09, 0x00, 0x01, 0x78, 0x00, 0x00, 0x20, 0xA1, 0x07, 0x00}));
    EXPECT_EQ(store.substr(i * record + 10, MaxPictureSize), std::string(MaxPictureSize, 'P'));
  }
  EXPECT_TRUE(AllZero(store.substr(20 * record)));
}

TEST_F(PackageBuilderTest, RecordsUpToTheLimitPack) {
  // 20 records of 500010 bytes and one that ends exactly at 10485760.
  constexpr std::size_t record = 10 + MaxPictureSize;
  const std::size_t lastPicture = MaxRecordsSize - 20 * record - 10;
  dir_.WriteList(std::string(kHead) + Lines("p.gif|(x)", 20) + "q.gif|(y)\n");
  dir_.WritePicture("p.gif", MaxPictureSize);
  dir_.WritePicture("q.gif", lastPicture);
  TSmiliesBuildReport report;
  ASSERT_TRUE(BuildSmiliesPackage(&report));
  EXPECT_EQ(SmiliesPackage.size(), 2 + 10 + MaxRecordsSize);  // header of group "0" and the records
  EXPECT_EQ(report.PackageBytes, SmiliesPackage.size());
  EXPECT_EQ(report.SmileyCount, 21);
}

}  // namespace
}  // namespace quorix
