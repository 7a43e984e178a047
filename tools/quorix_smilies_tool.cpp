// quorix-smilies-tool: the smilies library on the command line, for people who
// prepare smilies sets and for tests.

#include <cstdio>
#include <string>
#include <string_view>

#include "tools/commands.h"
#include "tools/gif_info_command.h"

namespace quorix::tool {

namespace {

struct TCommand {
  std::string_view Name;
  std::string_view Arguments;
  std::string_view Summary;
  int (*Run)(const TCommandArgs& args);
};

// A new command is one line here and its own file.
constexpr TCommand Commands[] = {
    {"check", "[DIR]", "build the package from DIR/Smilies_serv.txt and tell how it went", RunCheckCommand},
    {"pack", "[DIR]", "build the package and write its bytes to standard output", RunPackCommand},
    {"gif-info", "FILE", "describe the frames of one GIF as our decoder loads them, as JSON", RunGifInfo},
};

void PrintUsage(std::FILE* out) {
  std::fprintf(out, "Usage: %s COMMAND [ARGUMENTS]\n       %s --help | --version\n\nCommands:\n", ToolName, ToolName);
  for (const TCommand& c : Commands) {
    const std::string call = std::string(c.Name) + " " + std::string(c.Arguments);
    std::fprintf(out, "  %-14s %.*s\n", call.c_str(), static_cast<int>(c.Summary.size()), c.Summary.data());
  }
  std::fprintf(out,
               "\nDIR is the directory that holds Smilies_serv.txt and its pictures; it defaults to the\n"
               "current directory. Problems go to standard error, one per line, as\n"
               "Smilies_serv.txt:LINE: reason (warnings as Smilies_serv.txt:LINE: warning: ...).\n"
               "Exit status: 0 the list was packed, 1 it was not, 2 a usage error.\n");
}

}  // namespace

int UsageError(std::string_view message) {
  std::fprintf(stderr, "%s: %.*s (see --help)\n", ToolName, static_cast<int>(message.size()), message.data());
  return ExitUsage;
}

int ToolFailure(std::string_view message) {
  std::fprintf(stderr, "%s: %.*s\n", ToolName, static_cast<int>(message.size()), message.data());
  return ExitFailure;
}

int Main(int argc, char** argv) {
  if (argc < 2) {
    PrintUsage(stderr);
    return ExitUsage;
  }
  const std::string_view first = argv[1];
  if (first == "--help" || first == "-h") {
    PrintUsage(stdout);
    return ExitOk;
  }
  if (first == "--version") {
    std::printf("%s %s\n", ToolName, QUORIX_VERSION);
    return ExitOk;
  }
  for (const TCommand& c : Commands) {
    if (c.Name == first) return c.Run(TCommandArgs(argv + 2, argv + argc));
  }
  return UsageError("unknown command \"" + std::string(first) + "\"");
}

}  // namespace quorix::tool

int main(int argc, char** argv) { return quorix::tool::Main(argc, argv); }
