#pragma once
// The commands of quorix-smilies-tool. Each takes the arguments after its name
// and returns the process's exit status.

#include <string>
#include <string_view>
#include <vector>

namespace quorix::tool {

inline constexpr char ToolName[] = "quorix-smilies-tool";

constexpr int ExitOk = 0;
constexpr int ExitFailure = 1;  // the work failed: a bad list, a missing directory, ...
constexpr int ExitUsage = 2;    // the command line was wrong

using TCommandArgs = std::vector<std::string>;

// "quorix-smilies-tool: MESSAGE (see --help)" on stderr; returns ExitUsage.
int UsageError(std::string_view message);
// "quorix-smilies-tool: MESSAGE" on stderr; returns ExitFailure.
int ToolFailure(std::string_view message);

// pack [DIR]: the package bytes on standard output.
int RunPackCommand(const TCommandArgs& args);
// check [DIR]: a one-line summary of the build.
int RunCheckCommand(const TCommandArgs& args);
// dump [DIR]: build, read back as the viewer does, print the smilies table as JSON.
int RunDumpCommand(const TCommandArgs& args);

}  // namespace quorix::tool
