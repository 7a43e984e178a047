#include "smilies/package_reader.h"

#include <algorithm>
#include <cstdint>

#include "pictures/gif_image.h"
#include "pictures/jpeg_image.h"
#include "platform/errors.h"
#include "platform/streams.h"
#include "smilies/package_builder.h"
#include "smilies/package_codec.h"
#include "smilies/smilies_table.h"

namespace quorix {

namespace {

constexpr std::size_t kGroupNameUnits = 16;
constexpr std::size_t kCodeUnits = 32;

// Raised inside the reader for a package it cannot read; never leaves it.
class EDamagedPackage : public Exception {
 public:
  using Exception::Exception;
};

AnsiString ToTableText(UnicodeString text, std::size_t maxUnits) {
  if (text.size() > maxUnits) text.resize(maxUnits);
  return UnicodeToAnsi(text);
}

void ReadHeader(RawByteString& header) {
  PanelWidth = std::clamp(TakeWord(header), MinPanelWidth, MaxPanelWidth);
  PanelHeight = std::clamp(TakeWord(header), MinPanelHeight, MaxPanelHeight);
  GroupCount = std::clamp(TakeByte(header), 1, MaxGroupCount);
  for (int i = 0; i < GroupCount; ++i) {
    GroupNames[static_cast<std::size_t>(i)] = ToTableText(TakeShortText(header), kGroupNameUnits);
  }
  SmileyCount = std::min(TakeWord(header), MaxSmileyCount);
}

void ReleasePictures() {
  for (TSmileyEntry& entry : Smilies) {
    entry.Gif.reset();
    entry.Jpeg.reset();
  }
}

void LoadPicture(TSmileyEntry& entry, std::string_view bytes) {
  TMemoryStream stream{std::string(bytes)};
  stream.SetPosition(0);
  if (entry.Kind == SmileyKindGif) {
    entry.Gif = std::make_unique<TGIFImage>();
    entry.Gif->LoadFromStream(stream);
  } else if (entry.Kind == SmileyKindJpeg) {
    entry.Jpeg = std::make_unique<TJPEGImage>();
    entry.Jpeg->LoadFromStream(stream);
  }
}

// Reads one record at pos of the store (the package without its header) into
// entry and returns the position of the next record.
std::size_t ReadRecord(std::string_view store, std::size_t pos, TSmileyEntry& entry) {
  if (pos >= store.size()) throw EDamagedPackage("record length beyond the end of the package");
  const std::size_t length = static_cast<std::uint8_t>(store[pos]);
  // A body that would reach past the end is damage too: nothing past the end is read.
  if (store.size() - pos - 1 < length) throw EDamagedPackage("record body beyond the end of the package");
  RawByteString body(store.substr(pos + 1, length));
  pos += 1 + length;

  const int group = TakeByte(body);
  entry.Group = static_cast<std::uint8_t>(group < GroupCount ? group : 0);
  entry.Code = ToTableText(TakeShortText(body), kCodeUnits);
  entry.Kind = static_cast<std::uint8_t>(TakeByte(body));
  const std::int32_t size = TakeInt32(body);
  // The builder never writes a negative size; such a record cannot be followed.
  if (size < 0) throw EDamagedPackage("negative picture size");
  const auto pictureSize = static_cast<std::size_t>(size);
  if (pictureSize <= MaxPictureSize) {
    if (store.size() - pos < pictureSize) throw EDamagedPackage("picture beyond the end of the package");
    LoadPicture(entry, store.substr(pos, pictureSize));
  }
  // Past the picture, whether or not it was loaded. A position beyond the end is
  // only a fault if another record is to be read there.
  return pos + pictureSize;
}

}  // namespace

void ReadSmiliesPackage() {
  try {
    RawByteString header = TakeBlock(SmiliesPackage);
    ReadHeader(header);
    ReleasePictures();
    const std::string_view store = SmiliesPackage;
    std::size_t pos = 0;
    for (int k = 0; k < SmileyCount; ++k) pos = ReadRecord(store, pos, Smilies[static_cast<std::size_t>(k)]);
    DisplayState = Shown;
  } catch (...) {
    // Pictures already loaded and group names already read stay until the next read.
    PanelWidth = 300;
    PanelHeight = 100;
    GroupCount = 1;
    SmileyCount = 0;
    DisplayState = Damaged;
  }
}

}  // namespace quorix
