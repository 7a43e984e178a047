#pragma once
// The text the layout and painting benchmarks share: paragraphs of words of
// 1 to 10 letters, the same every run.

#include <string>
#include <vector>

namespace quorix::bench {

inline std::vector<std::u16string> MakeParagraphs(int Count, int Length) {
  std::vector<std::u16string> paragraphs;
  unsigned seed = 2024;
  auto next = [&] { return (seed = seed * 1103515245u + 12345u) >> 16; };
  for (int p = 0; p < Count; ++p) {
    std::u16string text;
    while (static_cast<int>(text.size()) < Length) {
      if (!text.empty()) text += u' ';
      const int length = 1 + static_cast<int>(next() % 10);
      for (int i = 0; i < length; ++i) text += static_cast<char16_t>(u'a' + next() % 26);
    }
    text.resize(static_cast<std::size_t>(Length));
    paragraphs.push_back(std::move(text));
  }
  return paragraphs;
}

}  // namespace quorix::bench
