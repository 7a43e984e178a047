#pragma once
// quorix-smilies-tool gif-info FILE: the frames of one GIF, as our decoder
// loads them, as JSON on standard output.

#include <string>
#include <vector>

namespace quorix::tool {

// args: the arguments after the command name (one FILE). Returns the exit
// status: 0 done, 1 the file cannot be read or does not load, 2 usage.
int RunGifInfo(const std::vector<std::string>& args);

}  // namespace quorix::tool
