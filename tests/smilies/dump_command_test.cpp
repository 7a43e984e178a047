// quorix-smilies-tool dump run as a program: the smilies table as JSON.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <nlohmann/json.hpp>
#include <string>

#include "platform/files.h"
#include "tests/support/temp_dir.h"

namespace quorix {
namespace {

// The smallest GIF: one white pixel.
const std::string kGif1x1("GIF89a\x01\x00\x01\x00\x80\x00\x00\xFF\xFF\xFF\x00\x00\x00"
                          "\x2C\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00\x3B",
                          35);

struct TDump {
  int ExitCode = -1;
  nlohmann::json Json;
};

TDump Dump(const test::TempDir& dir) {
  const std::string out = dir.File("dump.json");
  const std::string command = std::string("'") + QUORIX_SMILIES_TOOL + "' dump '" + dir.Path().string() + "' >'" +
                              out + "' 2>/dev/null </dev/null";
  const int status = std::system(command.c_str());
  TDump dump;
  dump.ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  std::string text;
  ReadWholeFile(out, text);
  dump.Json = nlohmann::json::parse(text, nullptr, false);
  return dump;
}

TEST(DumpCommandTest, PrintsTheTableTheReaderMade) {
  test::TempDir dir;
  // UTF-8 with a mark, so the Cyrillic name does not depend on the code page.
  dir.Write("Smilies_serv.txt",
            "\xEF\xBB\xBFwidth=250\nheight=120\n[Лица]\nsmile.gif|(:-))\n[Other]\nwink.gif|(;))\n");
  dir.Write("smile.gif", kGif1x1);
  dir.Write("wink.gif", kGif1x1);
  const TDump dump = Dump(dir);
  EXPECT_EQ(dump.ExitCode, 0);
  const nlohmann::json expected = nlohmann::json::parse(R"json({
    "displayState": "Shown", "buildSucceeded": true, "panelWidth": 250, "panelHeight": 120,
    "groups": ["Лица", "Other"],
    "smilies": [
      {"code": ":-)", "group": 0, "kind": 0, "width": 1, "height": 1, "frames": 1},
      {"code": ";)", "group": 1, "kind": 0, "width": 1, "height": 1, "frames": 1}
    ]})json");
  EXPECT_EQ(dump.Json, expected) << dump.Json.dump(2);
}

TEST(DumpCommandTest, ADamagedSetAndAFailedBuild) {
  test::TempDir dir;
  dir.Write("Smilies_serv.txt", "width=250\nheight=120\nbad.gif|(x)\n");
  dir.Write("bad.gif", "0123456789");
  TDump dump = Dump(dir);
  EXPECT_EQ(dump.ExitCode, 0);
  EXPECT_EQ(dump.Json["displayState"], "Damaged");
  EXPECT_EQ(dump.Json["panelWidth"], 300);
  EXPECT_EQ(dump.Json["panelHeight"], 100);
  EXPECT_EQ(dump.Json["groups"].size(), 1u);
  EXPECT_TRUE(dump.Json["smilies"].empty());

  // No list at all: the build fails, the empty store reads as an empty set.
  test::TempDir empty;
  dump = Dump(empty);
  EXPECT_EQ(dump.ExitCode, 1);
  EXPECT_EQ(dump.Json["buildSucceeded"], false);
  EXPECT_EQ(dump.Json["displayState"], "Shown");
  EXPECT_EQ(dump.Json["panelWidth"], 100);
  EXPECT_EQ(dump.Json["groups"], nlohmann::json::array({""}));
}

TEST(DumpCommandTest, AJpegOfNoBytesIsAnEmptyPicture) {
  test::TempDir dir;
  dir.Write("Smilies_serv.txt", "width=250\nheight=120\nempty.jpg|(e)\n");
  dir.Write("empty.jpg", "");
  const TDump dump = Dump(dir);
  ASSERT_EQ(dump.Json["smilies"].size(), 1u);
  const nlohmann::json& e = dump.Json["smilies"][0];
  EXPECT_EQ(e["kind"], 1);
  // A JPEG of no bytes loads as an empty picture.
  EXPECT_EQ(e["width"], 0);
  EXPECT_EQ(e["frames"], 1);
}

}  // namespace
}  // namespace quorix
