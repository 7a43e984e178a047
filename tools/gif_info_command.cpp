#include "tools/gif_info_command.h"

#include <zlib.h>

#include <cstdint>
#include <cstdio>
#include <exception>
#include <nlohmann/json.hpp>
#include <string>

#include "pictures/gif_image.h"
#include "platform/files.h"
#include "platform/streams.h"

namespace quorix::tool {

namespace {

constexpr char kToolName[] = "quorix-smilies-tool";

int Fail(int status, const std::string& message) {
  std::fprintf(stderr, "%s: %s\n", kToolName, message.c_str());
  return status;
}

// The CRC-32 of n zero bytes, by doubling: the indices that a frame does not
// store are 0, and a frame may declare billions of them.
uLong CrcOfZeros(std::uint64_t n) {
  const unsigned char zero = 0;
  uLong result = crc32(0L, Z_NULL, 0);
  uLong block = crc32(0L, &zero, 1);
  std::uint64_t blockLength = 1;
  while (n != 0) {
    if (n & 1) result = crc32_combine(result, block, static_cast<z_off_t>(blockLength));
    block = crc32_combine(block, block, static_cast<z_off_t>(blockLength));
    blockLength *= 2;
    n >>= 1;
  }
  return result;
}

// The CRC-32 of all Width x Height indices of the frame, one byte each, rows
// top to bottom.
uLong IndicesCrc32(const TGIFFrame& frame) {
  const auto stored = frame.StoredIndices();
  uLong crc = crc32_z(0L, stored.data(), stored.size());
  const std::uint64_t rest = frame.PixelCount() - stored.size();
  if (rest != 0) crc = crc32_combine(crc, CrcOfZeros(rest), static_cast<z_off_t>(rest));
  return crc;
}

nlohmann::json FrameJson(const TGIFFrame& frame) {
  const TGIFGraphicControlExtension* gce = frame.ControlExtension();
  return {
      {"left", frame.Left},
      {"top", frame.Top},
      {"width", frame.Width},
      {"height", frame.Height},
      {"interlaced", frame.Interlaced()},
      {"localColorTable", frame.LocalColorTable().size()},
      {"hasControlExtension", gce != nullptr},
      {"delay", gce ? gce->GetDelay() : 0},
      {"disposal", gce ? static_cast<int>(gce->GetDisposal()) : 0},
      {"transparent", frame.GetTransparent()},
      {"transparentIndex", gce ? gce->GetTransparentColorIndex() : 0},
      {"empty", frame.GetEmpty()},
      {"indicesCrc32", static_cast<std::uint32_t>(IndicesCrc32(frame))},
  };
}

}  // namespace

int RunGifInfo(const std::vector<std::string>& args) {
  if (args.size() != 1) return Fail(2, "gif-info takes one FILE (see --help)");
  const std::string& path = args[0];
  std::string bytes;
  if (ReadWholeFile(path, bytes) != ReadFileResult::Ok) return Fail(1, "cannot read " + path);
  TGIFImage gif;
  try {
    TMemoryStream stream = TMemoryStream::View(bytes);
    gif.LoadFromStream(stream);
  } catch (const std::exception& e) {
    return Fail(1, path + ": " + e.what());
  }
  nlohmann::json frames = nlohmann::json::array();
  for (int i = 0; i < gif.GetCount(); ++i) frames.push_back(FrameJson(gif.GetFrame(i)));
  const nlohmann::json info = {{"width", gif.GetWidth()}, {"height", gif.GetHeight()}, {"frames", frames}};
  std::printf("%s\n", info.dump(2).c_str());
  return 0;
}

}  // namespace quorix::tool
