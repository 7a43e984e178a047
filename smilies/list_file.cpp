#include "smilies/list_file.h"

#include <algorithm>

namespace quorix {

namespace {

bool IsSpaceOrControl(char16_t c) { return c <= 32; }

std::u16string_view TrimSpaceAndControls(std::u16string_view s) {
  while (!s.empty() && IsSpaceOrControl(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsSpaceOrControl(s.back())) s.remove_suffix(1);
  return s;
}

// The comment step alone: what the user wrote, without the comment.
std::u16string_view CutComment(std::u16string_view line) {
  const std::size_t comment = line.find(u"//");
  if (comment == std::u16string_view::npos) return line;
  return TrimSpaceAndControls(line.substr(0, comment));
}

UnicodeString RemoveSpaces(std::u16string_view s) {
  UnicodeString out(s);
  std::erase(out, u' ');
  return out;
}

}  // namespace

UnicodeString CleanListLine(std::u16string_view line) { return RemoveSpaces(CutComment(line)); }

std::vector<TListLine> CleanListLines(const std::vector<UnicodeString>& lines) {
  std::vector<TListLine> cleaned;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::u16string_view written = CutComment(lines[i]);
    UnicodeString text = RemoveSpaces(written);
    if (text.empty()) continue;
    cleaned.push_back(TListLine{std::move(text), UnicodeString(written), static_cast<int>(i + 1)});
  }
  return cleaned;
}

bool IsGroupLine(std::u16string_view line) { return line.size() >= 2 && line.front() == u'[' && line.back() == u']'; }

UnicodeString GroupLineName(std::u16string_view line) { return UnicodeString(line.substr(1, line.size() - 2)); }

TSmileyLineParts SplitSmileyLine(std::u16string_view line) {
  TSmileyLineParts parts;
  const std::size_t bar = line.find(u'|');
  if (bar == std::u16string_view::npos) return parts;
  parts.HasBar = true;
  parts.FileName = UnicodeString(line.substr(0, bar));
  // The code starts two characters after the "|" and stops before the line's
  // last character; "a.gif|" and "a.gif|x" leave nothing between them.
  const std::size_t start = bar + 2;
  if (line.size() > start + 1) parts.Code = UnicodeString(line.substr(start, line.size() - 1 - start));
  return parts;
}

int PictureKindOf(std::u16string_view fileName) {
  const std::u16string_view tail = fileName.substr(fileName.size() - std::min<std::size_t>(fileName.size(), 3));
  const UnicodeString kind = LowerCase(tail);
  if (kind == u"gif") return PictureKindGIF;
  if (kind == u"jpg") return PictureKindJPEG;
  return -1;
}

}  // namespace quorix
