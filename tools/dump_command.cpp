// dump [DIR]: build the package as pack does, read it back as the viewer does,
// and print the smilies table as JSON.

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <nlohmann/json.hpp>
#include <string>

#include "pictures/gif_image.h"
#include "pictures/jpeg_image.h"
#include "platform/text.h"
#include "smilies/package_builder.h"
#include "smilies/package_reader.h"
#include "smilies/smilies_table.h"
#include "tools/commands.h"

namespace quorix::tool {

namespace {

const char* DisplayStateName(TDisplayState state) {
  switch (state) {
    case Shown:
      return "Shown";
    case Damaged:
      return "Damaged";
    case None:
      break;
  }
  return "None";
}

// Table texts are 8-bit text in the system code page; JSON is UTF-8.
std::string TableTextToUtf8(const AnsiString& text) { return Utf16ToUtf8(AnsiToUnicode(text)); }

nlohmann::ordered_json EntryJson(const TSmileyEntry& entry) {
  nlohmann::ordered_json j;
  j["code"] = TableTextToUtf8(entry.Code);
  j["group"] = entry.Group;
  j["kind"] = entry.Kind;
  if (entry.Gif) {
    j["width"] = entry.Gif->GetWidth();
    j["height"] = entry.Gif->GetHeight();
    j["frames"] = entry.Gif->GetCount();
  } else if (entry.Jpeg) {
    j["width"] = entry.Jpeg->GetWidth();
    j["height"] = entry.Jpeg->GetHeight();
    j["frames"] = 1;
  }
  return j;
}

}  // namespace

int RunDumpCommand(const TCommandArgs& args) {
  if (args.size() > 1) return UsageError("dump takes at most one argument, DIR");
  if (!args.empty() && args[0].size() > 1 && args[0][0] == '-') {
    return UsageError("unknown option \"" + args[0] + "\" for dump");
  }
  const std::string dir = args.empty() ? "." : args[0];
  // The builder reads the list by its bare name, as the viewer does.
  if (chdir(dir.c_str()) != 0) {
    return ToolFailure("cannot change to directory \"" + dir + "\": " + std::strerror(errno));
  }

  const bool built = BuildSmiliesPackage();
  ReadSmiliesPackage();

  nlohmann::ordered_json out;
  out["displayState"] = DisplayStateName(DisplayState);
  out["buildSucceeded"] = built;
  out["panelWidth"] = PanelWidth;
  out["panelHeight"] = PanelHeight;
  out["groups"] = nlohmann::ordered_json::array();
  for (int i = 0; i < GroupCount; ++i) out["groups"].push_back(TableTextToUtf8(GroupNames[static_cast<std::size_t>(i)]));
  out["smilies"] = nlohmann::ordered_json::array();
  for (int k = 0; k < SmileyCount; ++k) out["smilies"].push_back(EntryJson(Smilies[static_cast<std::size_t>(k)]));

  // Texts that do not decode are replaced rather than failing the dump.
  const std::string text = out.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
  if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() || std::fflush(stdout) != 0) {
    return ToolFailure("cannot write the table to standard output");
  }
  // As pack and check: a list that does not pack is a failure, even though the
  // table of what the reader made of it was printed.
  return built ? ExitOk : ExitFailure;
}

}  // namespace quorix::tool
