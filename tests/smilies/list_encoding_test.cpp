// The list file reads the same in every encoding it may come in.

#include <gtest/gtest.h>

#include "smilies/package_builder.h"
#include "tests/smilies/smilies_test_support.h"

namespace quorix {
namespace {

using test_support::ParsePackage;
using test_support::TTempWorkDir;

std::string Utf16Bytes(std::u16string_view text, bool littleEndian) {
  std::string out = littleEndian ? "\xFF\xFE" : "\xFE\xFF";
  for (char16_t c : text) {
    const char lo = static_cast<char>(c & 0xFF);
    const char hi = static_cast<char>(c >> 8);
    out += littleEndian ? std::string{lo, hi} : std::string{hi, lo};
  }
  return out;
}

UnicodeString ListWithLineEnd(std::u16string_view lineEnd) {
  UnicodeString list;
  for (std::u16string_view line :
       {u"width=200", u"height=150 // Размер", u"[Смайлы]", u"a.gif|(улыбка)", u"[Животные]", u"b.gif|(кот)"}) {
    list += line;
    list += lineEnd;
  }
  return list;
}

class ListEncodingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previousCodePage_ = SystemCodePage();
    SetSystemCodePage(1251);  // lists without a byte-order mark are in the system code page
    dir_.Write("a.gif", "AAAA");
    dir_.Write("b.gif", "BB");
  }
  void TearDown() override { SetSystemCodePage(previousCodePage_); }

  RawByteString Pack(const std::string& listBytes) {
    dir_.WriteList(listBytes);
    EXPECT_TRUE(BuildSmiliesPackage());
    return SmiliesPackage;
  }

  TTempWorkDir dir_;
  int previousCodePage_ = 0;
};

TEST_F(ListEncodingTest, EveryEncodingPacksTheSameUtf16Names) {
  const RawByteString utf16le = Pack(Utf16Bytes(ListWithLineEnd(u"\r\n"), true));
  const auto p = ParsePackage(utf16le);
  ASSERT_TRUE(p.WellFormed);
  EXPECT_EQ(p.Groups, (std::vector<UnicodeString>{u"Смайлы", u"Животные"}));
  ASSERT_EQ(p.Records.size(), 2u);
  EXPECT_EQ(p.Records[0].Code, u"улыбка");
  EXPECT_EQ(p.Records[1].Code, u"кот");
  EXPECT_EQ(p.Records[1].Group, 1);

  EXPECT_EQ(Pack(Utf16Bytes(ListWithLineEnd(u"\n"), false)), utf16le) << "UTF-16 BE";
  EXPECT_EQ(Pack("\xEF\xBB\xBF" + Utf16ToUtf8(ListWithLineEnd(u"\r"))), utf16le) << "UTF-8 with BOM";
  EXPECT_EQ(Pack(UnicodeToAnsi(ListWithLineEnd(u"\r\n"), 1251)), utf16le) << "Windows-1251";
}

}  // namespace
}  // namespace quorix
