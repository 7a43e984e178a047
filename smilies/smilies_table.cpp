#include "smilies/smilies_table.h"

#include "pictures/gif_image.h"
#include "pictures/jpeg_image.h"

namespace quorix {

TSmileyEntry::TSmileyEntry() = default;
TSmileyEntry::~TSmileyEntry() = default;
TSmileyEntry::TSmileyEntry(TSmileyEntry&&) noexcept = default;
TSmileyEntry& TSmileyEntry::operator=(TSmileyEntry&&) noexcept = default;

int PanelWidth = 0;
int PanelHeight = 0;
int GroupCount = 0;
std::array<AnsiString, GroupNameSlots> GroupNames;
int SmileyCount = 0;
std::array<TSmileyEntry, SmileySlots> Smilies;
TDisplayState DisplayState = None;

}  // namespace quorix
