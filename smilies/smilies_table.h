#pragma once
// The smilies table: what the package reader made of the package, and what the
// viewer window shows. Module-level state, written only by ReadSmiliesPackage()
// and read by the window.

#include <array>
#include <cstdint>
#include <memory>

#include "platform/text.h"

namespace quorix {

class TGIFImage;
class TJPEGImage;

enum TDisplayState { None, Shown, Damaged };

// The table's fixed sizes: ten group name slots and one smiley slot more than
// the 999 smilies a package can hold.
constexpr int GroupNameSlots = 10;
constexpr int SmileySlots = 1000;

// Picture kinds of an entry; any other value means the entry has no picture.
constexpr std::uint8_t SmileyKindGif = 0;
constexpr std::uint8_t SmileyKindJpeg = 1;

struct TSmileyEntry {
  TSmileyEntry();
  ~TSmileyEntry();
  TSmileyEntry(TSmileyEntry&&) noexcept;
  TSmileyEntry& operator=(TSmileyEntry&&) noexcept;

  AnsiString Code;  // 8-bit text in the system code page, at most 32 characters
  std::uint8_t Group = 0;
  std::uint8_t Kind = 0;
  // At most one of the two is set; both belong to the entry.
  std::unique_ptr<TGIFImage> Gif;
  std::unique_ptr<TJPEGImage> Jpeg;
};

extern int PanelWidth;   // 100..500 after a read
extern int PanelHeight;  // 100..300 after a read
extern int GroupCount;   // 1..10 after a read
// Slot i holds the name of group i (8-bit text); slots from GroupCount on hold
// leftovers of earlier reads.
extern std::array<AnsiString, GroupNameSlots> GroupNames;
extern int SmileyCount;  // 0..999: the valid entries at the start of Smilies
extern std::array<TSmileyEntry, SmileySlots> Smilies;
extern TDisplayState DisplayState;  // None until the first read

}  // namespace quorix
