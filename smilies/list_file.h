#pragma once
// The smilies list file "Smilies_serv.txt": cleaning its lines and reading the
// parts of group and smiley lines.

#include <string_view>
#include <vector>

#include "platform/text.h"

namespace quorix {

inline constexpr char SmiliesListFileName[] = "Smilies_serv.txt";

// One line that survived cleaning.
struct TListLine {
  UnicodeString Text;     // cleaned: comment cut, ends trimmed, spaces removed
  UnicodeString Written;  // the same line before its spaces were removed, for messages
  int LineNo = 0;         // 1-based number of the line in the file as the user sees it
};

// Cuts a "//" comment (then trims characters up to U+0020 from both ends of
// what is left) and removes every space. Other whitespace, such as a tab,
// survives unless that trim took it.
UnicodeString CleanListLine(std::u16string_view line);

// Cleans every line and drops those left empty, keeping each survivor's
// original line number.
std::vector<TListLine> CleanListLines(const std::vector<UnicodeString>& lines);

// "[name]": at least two characters, "[" first and "]" last.
bool IsGroupLine(std::u16string_view line);
UnicodeString GroupLineName(std::u16string_view line);

// The parts of a smiley line name|DcodeD.
struct TSmileyLineParts {
  bool HasBar = false;
  UnicodeString FileName;  // the text before the first "|" (empty without one)
  UnicodeString Code;      // after the "|", without the character that follows it and the line's last one
};
TSmileyLineParts SplitSmileyLine(std::u16string_view line);

// Picture kinds as the package stores them.
constexpr int PictureKindGIF = 0;
constexpr int PictureKindJPEG = 1;
// The kind named by the last three characters of the file name (any letter
// case), or -1 for anything but "gif" and "jpg".
int PictureKindOf(std::u16string_view fileName);

}  // namespace quorix
