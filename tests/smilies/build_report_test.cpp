// What a build tells on the side: counts, the failing line and its reason, and
// the lines it ignored.

#include <gtest/gtest.h>

#include "smilies/package_builder.h"
#include "tests/smilies/smilies_test_support.h"

namespace quorix {
namespace {

using test_support::TTempWorkDir;

TEST(BuildReportTest, SuccessCountsSmiliesGroupsAndBytes) {
  TTempWorkDir dir;
  dir.WriteList("width=600\nheight=150\na.gif|(x)\n[Two]\na.gif|(y)\na.gif|(z)\n");
  dir.WritePicture("a.gif", 10);
  TSmiliesBuildReport report;
  report.Reason = "stale";
  ASSERT_TRUE(BuildSmiliesPackage(&report));
  EXPECT_EQ(report.Failure, TSmiliesBuildFailure::None);
  EXPECT_EQ(report.LineNo, 0);
  EXPECT_EQ(report.Reason, "");
  EXPECT_EQ(report.PanelWidth, 500);
  EXPECT_EQ(report.PanelHeight, 150);
  EXPECT_EQ(report.GroupCount, 2);
  EXPECT_EQ(report.SmileyCount, 3);
  EXPECT_EQ(report.PackageBytes, SmiliesPackage.size());
  EXPECT_EQ(report.PackageBytes, 2u + 7 + 3 + 7 + 3 * (10 + 10));
  EXPECT_TRUE(report.Warnings.empty());
}

TEST(BuildReportTest, IgnoredLinesAreWarnedAtTheirLineNumbers) {
  TTempWorkDir dir;
  std::string list = "width=200\n\nheight=150\n";                          // lines 1-3
  for (int i = 1; i <= 10; ++i) list += "[g" + std::to_string(i) + "]\n";  // lines 4-13
  list += "// the next group is one too many\n[Extra]\n";                  // lines 14-15
  for (int i = 0; i < 999; ++i) list += "a.gif|(x)\n";                     // lines 16-1014
  list += "b.gif|(y)\n[Late]\n\nc.gif|(z)\n";                              // lines 1015-1018
  dir.WriteList(list);
  dir.WritePicture("a.gif", 1);
  TSmiliesBuildReport report;
  ASSERT_TRUE(BuildSmiliesPackage(&report));
  EXPECT_EQ(report.SmileyCount, 999);
  EXPECT_EQ(report.GroupCount, 10);
  ASSERT_EQ(report.Warnings.size(), 3u);
  EXPECT_EQ(report.Warnings[0].LineNo, 15);
  EXPECT_EQ(report.Warnings[0].Text,
            "group line \"[Extra]\" ignored: a list holds at most 10 groups; the smilies below it join group \"g10\"");
  EXPECT_EQ(report.Warnings[1].LineNo, 1015);
  EXPECT_EQ(report.Warnings[1].Text,
            "2 smiley lines ignored, from here to line 1018: a list holds at most 999 smilies");
  EXPECT_EQ(report.Warnings[2].LineNo, 1016);
}

TEST(BuildReportTest, ReasonsQuoteWhatTheUserWrote) {
  struct Case {
    std::string line;  // the third line of the list
    std::string reason;
  };
  const Case cases[] = {
      {"big smile.gif | (x)  // note", "picture file \"big smile.gif\" (read as \"bigsmile.gif\") not found"},
      {"\tsmile.gif|(x)", "picture file \"\\tsmile.gif\" not found"},
      {"smile.gif (x)", "smiley line \"smile.gif (x)\" has no \"|\" between picture file name and code"},
      {"[Очень длинное имя группы]",
       "group name \"Очень длинное имя группы\" has 21 characters without its spaces, at most 16 are allowed"},
  };
  for (const Case& c : cases) {
    TTempWorkDir dir;
    dir.WriteList("\xEF\xBB\xBFwidth=200\nheight=150\n" + c.line + "\n");
    TSmiliesBuildReport report;
    EXPECT_FALSE(BuildSmiliesPackage(&report));
    EXPECT_EQ(report.LineNo, 3);
    EXPECT_EQ(report.Reason, c.reason);
  }
}

}  // namespace
}  // namespace quorix
