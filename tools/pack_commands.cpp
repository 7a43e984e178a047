// pack and check: build the smilies package from a list directory.

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "smilies/list_file.h"
#include "smilies/package_builder.h"
#include "tools/commands.h"

namespace quorix::tool {

namespace {

// The optional DIR argument; false (with the exit status set) when the command
// line is wrong.
bool TakeDirectoryArgument(std::string_view command, const TCommandArgs& args, std::string& dir, int& exitCode) {
  if (args.size() > 1) {
    exitCode = UsageError(std::string(command) + " takes at most one argument, DIR");
    return false;
  }
  if (!args.empty() && args[0].size() > 1 && args[0][0] == '-') {
    exitCode = UsageError("unknown option \"" + args[0] + "\" for " + std::string(command));
    return false;
  }
  dir = args.empty() ? "." : args[0];
  return true;
}

// The builder reads the list by its bare name, so the list's directory becomes
// the working directory.
bool EnterDirectory(const std::string& dir, int& exitCode) {
  if (chdir(dir.c_str()) == 0) return true;
  exitCode = ToolFailure("cannot change to directory \"" + dir + "\": " + std::strerror(errno));
  return false;
}

std::string LinePrefix(int lineNo) {
  std::string prefix = SmiliesListFileName;
  if (lineNo > 0) {
    prefix += ':';
    prefix += std::to_string(lineNo);
  }
  return prefix + ": ";
}

void PrintWarnings(const TSmiliesBuildReport& report) {
  for (const TSmiliesBuildWarning& w : report.Warnings) {
    std::fprintf(stderr, "%swarning: %s\n", LinePrefix(w.LineNo).c_str(), w.Text.c_str());
  }
}

void PrintFailure(const TSmiliesBuildReport& report) {
  std::fprintf(stderr, "%s%s\n", LinePrefix(report.LineNo).c_str(), report.Reason.c_str());
}

std::string Counted(long long n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

// Runs the build in DIR; false when the command line or the directory is wrong.
bool BuildIn(std::string_view command, const TCommandArgs& args, TSmiliesBuildReport& report, bool& built,
             int& exitCode) {
  std::string dir;
  if (!TakeDirectoryArgument(command, args, dir, exitCode)) return false;
  if (!EnterDirectory(dir, exitCode)) return false;
  built = BuildSmiliesPackage(&report);
  PrintWarnings(report);
  return true;
}

}  // namespace

int RunPackCommand(const TCommandArgs& args) {
  TSmiliesBuildReport report;
  bool built = false;
  int exitCode = ExitOk;
  if (!BuildIn("pack", args, report, built, exitCode)) return exitCode;
  // The bytes the store holds, whether the build succeeded or not: a failed
  // build's store is what the viewer's reader would see.
  const std::size_t written = std::fwrite(SmiliesPackage.data(), 1, SmiliesPackage.size(), stdout);
  const bool writeFailed = written != SmiliesPackage.size() || std::fflush(stdout) != 0;
  if (!built) {
    PrintFailure(report);
    return ExitFailure;
  }
  if (writeFailed) return ToolFailure("cannot write the package to standard output");
  return ExitOk;
}

int RunCheckCommand(const TCommandArgs& args) {
  TSmiliesBuildReport report;
  bool built = false;
  int exitCode = ExitOk;
  if (!BuildIn("check", args, report, built, exitCode)) return exitCode;
  if (!built) {
    PrintFailure(report);
    return ExitFailure;
  }
  std::printf("ok: %s in %s, %s\n", Counted(report.SmileyCount, "smiley", "smilies").c_str(),
              Counted(report.GroupCount, "group", "groups").c_str(),
              Counted(static_cast<long long>(report.PackageBytes), "byte", "bytes").c_str());
  return ExitOk;
}

}  // namespace quorix::tool
