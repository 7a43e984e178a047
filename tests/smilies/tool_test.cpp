// quorix-smilies-tool run as a program: exit status and the one line it writes
// for each kind of bad input.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/smilies/smilies_test_support.h"

namespace quorix {
namespace {

using test_support::Bytes;
using test_support::TTempWorkDir;

struct TToolRun {
  int exitCode = -1;
  std::string out;
  std::string err;
};

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string ShellQuoted(const std::string& s) {
  std::string out = "'";
  for (char c : s) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

// Runs the tool in the working directory; its output goes to files beside the list.
TToolRun RunTool(const std::vector<std::string>& args) {
  std::string command = ShellQuoted(QUORIX_SMILIES_TOOL);
  for (const auto& a : args) command += " " + ShellQuoted(a);
  command += " >tool-stdout 2>tool-stderr </dev/null";
  const int status = std::system(command.c_str());
  TToolRun run;
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.out = ReadFile("tool-stdout");
  run.err = ReadFile("tool-stderr");
  return run;
}

struct TBadListCase {
  const char* name;
  std::string list;  // empty: no list file at all
  std::vector<std::pair<std::string, std::size_t>> pictures;
  std::string stderrLine;
};

std::vector<TBadListCase> BadListCases() {
  const std::string head = "width=200\nheight=150\n";
  return {
      {"missing list", "", {}, "Smilies_serv.txt: the list file is missing\n"},
      {"empty list", "\n", {}, "Smilies_serv.txt: the list is empty; its first line must contain \"width=\"\n"},
      {"bad width", "width=abc\nheight=150\n", {}, "Smilies_serv.txt:1: width value \"abc\" is not an integer\n"},
      {"no width key",
       "// size\nheight=150\n",
       {},
       "Smilies_serv.txt:2: the first line must contain \"width=\" but reads \"height=150\"\n"},
      {"no height line", "width=200\n", {}, "Smilies_serv.txt: no height line after the width line\n"},
      {"unreadable picture",
       head + "dir.gif|(x)\n",
       {},
       "Smilies_serv.txt:3: picture file \"dir.gif\" is a directory\n"},
      {"missing picture", head + "\n// c\nb.gif|(y)\n", {}, "Smilies_serv.txt:5: picture file \"b.gif\" not found\n"},
      {"too large",
       head + "\n// c\n\n\nbig smile.gif|(x)\n",
       {{"bigsmile.gif", 500001}},
       "Smilies_serv.txt:7: picture file \"big smile.gif\" (read as \"bigsmile.gif\") is larger than 500000 bytes "
       "(500001 bytes)\n"},
      {"missing bar",
       head + "a.gif (x)\n",
       {{"a.gif", 1}},
       "Smilies_serv.txt:3: smiley line \"a.gif (x)\" has no \"|\" between picture file name and code\n"},
      {"17-character group name",
       head + "[abcdefghijklmnopq]\n",
       {},
       "Smilies_serv.txt:3: group name \"abcdefghijklmnopq\" has 17 characters, at most 16 are allowed\n"},
      {"33-unit code",
       head + "a.gif|(" + std::string(33, 'c') + ")\n",
       {{"a.gif", 1}},
       "Smilies_serv.txt:3: code \"" + std::string(33, 'c') + "\" has 33 characters, at most 32 are allowed\n"},
      {"wrong extension",
       head + "a.jpeg|(x)\n",
       {{"a.jpeg", 1}},
       "Smilies_serv.txt:3: picture file \"a.jpeg\" does not end in \"gif\" or \"jpg\"\n"},
  };
}

TEST(SmiliesToolTest, BadListsGetOneLineAndExitStatus1) {
  for (const TBadListCase& c : BadListCases()) {
    SCOPED_TRACE(c.name);
    TTempWorkDir dir;
    if (!c.list.empty()) dir.WriteList(c.list);
    for (const auto& [name, size] : c.pictures) dir.WritePicture(name, size);
    std::filesystem::create_directory("dir.gif");
    const TToolRun check = RunTool({"check"});
    EXPECT_EQ(check.exitCode, 1);
    EXPECT_EQ(check.err, c.stderrLine);
    EXPECT_EQ(check.out, "");
    const TToolRun pack = RunTool({"pack", "."});
    EXPECT_EQ(pack.exitCode, 1);
    EXPECT_EQ(pack.err, c.stderrLine);
  }
}

TEST(SmiliesToolTest, CheckSummarisesAndPackWritesThePackage) {
  TTempWorkDir dir;
  std::filesystem::create_directory("set");
  dir.Write("set/Smilies_serv.txt", "width=200\nheight=150\na.gif|(x)\n");
  dir.Write("set/a.gif", "0123456789");
  const TToolRun check = RunTool({"check", "set"});
  EXPECT_EQ(check.exitCode, 0);
  EXPECT_EQ(check.out, "ok: 1 smiley in 1 group, 32 bytes\n");
  EXPECT_EQ(check.err, "");
  const TToolRun pack = RunTool({"pack", "set"});
  EXPECT_EQ(pack.exitCode, 0);
  EXPECT_EQ(pack.out, Bytes({0x0A, 0x00, 0xC8, 0x00, 0x96, 0x00, 0x01, 0x01, 0x30, 0x00, 0x01,
                             0x00, 0x09, 0x00, 0x01, 0x78, 0x00, 0x00, 0x0A, 0x00, 0x00, 0x00}) +
                          "0123456789");
}

TEST(SmiliesToolTest, TheShippedMinimalSampleChecks) {
  TTempWorkDir dir;
  const TToolRun check = RunTool({"check", std::string(QUORIX_SAMPLES_DIR) + "/minimal"});
  EXPECT_EQ(check.exitCode, 0);
  EXPECT_EQ(check.out.rfind("ok: 6 smilies in 2 groups, ", 0), 0u) << check.out;
  EXPECT_EQ(check.err, "");
}

TEST(SmiliesToolTest, PackWritesTheStoreOfAFailedBuildToo) {
  TTempWorkDir dir;
  dir.WriteList("width=200\nheight=150\na.gif|(x)\nb.gif|(y)\n");
  dir.Write("a.gif", "0123456789");
  const TToolRun pack = RunTool({"pack"});
  EXPECT_EQ(pack.exitCode, 1);
  ASSERT_EQ(pack.out.size(), 1000000u);
  EXPECT_EQ(pack.out.substr(0, 20), Bytes({0x09, 0x00, 0x01, 0x78, 0x00, 0x00, 0x0A, 0x00, 0x00, 0x00}) + "0123456789");
  EXPECT_EQ(pack.out.find_first_not_of('\0', 20), std::string::npos);
}

TEST(SmiliesToolTest, WarningsGoToStandardErrorWithTheirLine) {
  TTempWorkDir dir;
  std::string list = "width=200\nheight=150\n";
  for (int i = 1; i <= 11; ++i) list += "[g" + std::to_string(i) + "]\n";
  dir.WriteList(list);
  const TToolRun check = RunTool({"check"});
  EXPECT_EQ(check.exitCode, 0);
  EXPECT_EQ(check.out, "ok: 0 smilies in 10 groups, 61 bytes\n");
  EXPECT_EQ(check.err,
            "Smilies_serv.txt:13: warning: group line \"[g11]\" ignored: a list holds at most 10 groups; the smilies "
            "below it join group \"g10\"\n");
}

TEST(SmiliesToolTest, CommandLineErrors) {
  TTempWorkDir dir;
  struct Case {
    std::vector<std::string> args;
    int exitCode;
    std::string err;
  };
  const Case cases[] = {
      {{"pack", "no-such-dir"},
       1,
       "quorix-smilies-tool: cannot change to directory \"no-such-dir\": No such file or directory\n"},
      {{"frobnicate"}, 2, "quorix-smilies-tool: unknown command \"frobnicate\" (see --help)\n"},
      {{"check", "a", "b"}, 2, "quorix-smilies-tool: check takes at most one argument, DIR (see --help)\n"},
      {{"pack", "--fast"}, 2, "quorix-smilies-tool: unknown option \"--fast\" for pack (see --help)\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args[0]);
    const TToolRun run = RunTool(c.args);
    EXPECT_EQ(run.exitCode, c.exitCode);
    EXPECT_EQ(run.err, c.err);
  }
  EXPECT_EQ(RunTool({}).exitCode, 2);
  const TToolRun help = RunTool({"--help"});
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_NE(help.out.find("pack [DIR]"), std::string::npos);
  const TToolRun version = RunTool({"--version"});
  EXPECT_EQ(version.exitCode, 0);
  EXPECT_EQ(version.out, std::string("quorix-smilies-tool ") + QUORIX_VERSION + "\n");
}

}  // namespace
}  // namespace quorix
