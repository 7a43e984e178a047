#include "richview/layout/line_break.h"

#include <gtest/gtest.h>

#include <string>

namespace quorix {
namespace {

TEST(LineBreakClassTest, CodeUnitsTakeTheTablesClass) {
  struct Case {
    char16_t c;
    TRVLineBreakClass expected;
  };
  const Case cases[] = {
      {u'a', rvlbAL},     {u' ', rvlbAL},     {u'\n', rvlbAL},    {u'$', rvlbGL},     {u'(', rvlbOP},
      {u')', rvlbCL},     {u'-', rvlbHY},     {u'5', rvlbNU},     {u'%', rvlbPO},     {u'+', rvlbPR},
      {0x00AD, rvlbBA},   {0x200B, rvlbZW},   {0x0301, rvlbCM},   {0x4E2D, rvlbID},   {0xFF10, rvlbID},
      {0xFF19, rvlbID},   {0x0BE6, rvlbAL},   {0x0BE7, rvlbNU},   {0xD83D, rvlbAL},   {0xDE00, rvlbAL},
      {0x2014, rvlbB2},   {0x2026, rvlbIN},   {0x0000, rvlbCM},   {0xFFFB, rvlbCM},   {0xFFE6, rvlbPR},
  };
  for (const Case& c : cases)
    EXPECT_EQ(RVU_GetLineBreakClass(c.c), c.expected) << std::hex << static_cast<int>(c.c);
}

TEST(LineBreakClassTest, PairTableAsPrinted) {
  EXPECT_EQ(RVU_GetBreakAction(rvlbAL, rvlbOP), rvbaDirect);
  EXPECT_EQ(RVU_GetBreakAction(rvlbAL, rvlbGL), rvbaIndirect);
  EXPECT_EQ(RVU_GetBreakAction(rvlbGL, rvlbAL), rvbaIndirect);
  EXPECT_EQ(RVU_GetBreakAction(rvlbOP, rvlbAL), rvbaProhibited);
  EXPECT_EQ(RVU_GetBreakAction(rvlbOP, rvlbCM), rvbaIndirect);
  // The system's table differs from today's Unicode here: a hyphen before a digit breaks.
  EXPECT_EQ(RVU_GetBreakAction(rvlbHY, rvlbNU), rvbaDirect);
  EXPECT_EQ(RVU_GetBreakAction(rvlbB2, rvlbB2), rvbaProhibited);
  EXPECT_EQ(RVU_GetBreakAction(rvlbZW, rvlbCL), rvbaDirect);
  EXPECT_EQ(RVU_GetBreakAction(rvlbZW, rvlbZW), rvbaProhibited);
}

TEST(FindLineBreakTest, LastCharacterToKeep) {
  struct Case {
    const char* name;
    std::u16string text;
    int index;  // the first character that does not fit
    bool atEnd;
    int expected;
  };
  const Case cases[] = {
      {"break at the space, which stays for the formatter to drop", u"abc def", 5, false, 3},
      {"a dollar sign between letters offers no break", u"ab$cd", 3, false, -1},
      {"nor right after it", u"ab$cd", 2, false, -1},
      {"a letter before ( breaks directly", u"ab(cd", 3, false, 1},
      {"no break right after (", u"ab(cd", 4, false, 1},
      {"after a hyphen", u"ab-cd", 4, false, 2},
      {"between ideographs", u"\u4E2D\u6587\u5B57", 2, false, 1},
      {"one word: none", u"abcdefgh", 5, false, -1},
      {"a final space backs up by one", u"ab cd ", 5, true, 2},
      {"a final space backing up to nothing", u"a ", 1, true, -1},
      {"a space that does not fit, not the last character, ends the line", u"abcd e", 4, false, 3},
      {"the spaces after a break stay on the line", u"ab   cd", 6, false, 4},
      {"a combining mark is never a break", u"abe\u0301c", 4, false, -1},
      {"nor the inside of a surrogate pair", u"ab\U0001F600c", 3, false, -1},
      {"no character fits", u"abc", 0, false, -1},
  };
  for (const Case& c : cases) EXPECT_EQ(RVU_FindLineBreak(c.text, c.index, c.atEnd), c.expected) << c.name;
}

}  // namespace
}  // namespace quorix
