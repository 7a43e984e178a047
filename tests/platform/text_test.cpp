#include "platform/text.h"

#include <gtest/gtest.h>

namespace quorix {
namespace {

TEST(CodePageTest, Cp1251RoundTripsCyrillic) {
  const UnicodeString text = u"Привет, мир!";
  const AnsiString ansi = UnicodeToAnsi(text, 1251);
  ASSERT_EQ(ansi.size(), text.size());
  EXPECT_EQ(static_cast<unsigned char>(ansi[0]), 0xCF);  // П
  EXPECT_EQ(AnsiToUnicode(ansi, 1251), text);
}

TEST(CodePageTest, UnmappableCharactersBecomeTheDefaultCharacter) {
  // A CJK character and a supplementary character (one surrogate pair) each
  // become one "?".
  EXPECT_EQ(UnicodeToAnsi(u"a\u4E2Db\U0001F600c", 1251), "a?b?c");
  EXPECT_EQ(UnicodeToAnsi(u"\u0416", 1252), "?");
}

TEST(CodePageTest, SystemCodePageDefaultsTo1251) {
  // The test runner does not set QUORIX_CODEPAGE.
  EXPECT_EQ(SystemCodePage(), 1251);
  EXPECT_EQ(AnsiToUnicode("\xC0"), u"\u0410");
}

TEST(CodePageTest, UnknownCodePageConvertsNothing) {
  EXPECT_FALSE(IsCodePageSupported(99999));
  EXPECT_EQ(UnicodeToAnsi(u"abc", 99999), "");
  EXPECT_TRUE(IsCodePageSupported(1252));
}

TEST(CodePageTest, MultiByteCodePagesGoThroughIconv) {
  const UnicodeString text = u"\u65E5\u672C";
  const AnsiString sjis = UnicodeToAnsi(text, 932);
  EXPECT_EQ(sjis.size(), 4u);
  EXPECT_EQ(AnsiToUnicode(sjis, 932), text);
}

TEST(Utf8Test, RoundTripAndInvalidInput) {
  const UnicodeString text = u"a\u00E9\u0416\u4E2D\U0001F600";
  EXPECT_EQ(Utf8ToUtf16(Utf16ToUtf8(text)), text);
  EXPECT_EQ(Utf8ToUtf16("a\xFF" "b"), u"a\uFFFDb");
  EXPECT_EQ(Utf8ToUtf16("\xE2\x82"), u"\uFFFD\uFFFD");  // cut short
  EXPECT_EQ(Utf16ToUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
}

TEST(CaseTest, AsciiLatinAndCyrillic) {
  EXPECT_EQ(LowerCase(u"WiDTH=Ж\u00C9"), u"width=ж\u00E9");
  EXPECT_EQ(UpperCase(u"gif\u0451"), u"GIF\u0401");
}

TEST(StrToIntTest, AcceptsOptionalSignAndDigitsOnly) {
  struct Case {
    std::u16string text;
    bool ok;
    int value;
  };
  const Case cases[] = {
      {u"200", true, 200},   {u"-5", true, -5},  {u"+7", true, 7},
      {u"", false, 0},       {u"-", false, 0},   {u"abc", false, 0},
      {u"12a", false, 0},    {u" 1", false, 0},  {u"2147483647", true, 2147483647},
      {u"2147483648", false, 0}, {u"-2147483648", true, -2147483647 - 1},
      {u"99999999999999999999", false, 0},
  };
  for (const auto& c : cases) {
    int v = 0;
    EXPECT_EQ(TryStrToInt(c.text, v), c.ok) << Utf16ToUtf8(c.text);
    if (c.ok) {
      EXPECT_EQ(v, c.value);
    }
  }
}

}  // namespace
}  // namespace quorix
