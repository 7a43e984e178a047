// libFuzzer target: the package reader on any bytes as the package store.
// Whatever the bytes, the reader must not fail, must not read past the store,
// and must leave a table within its limits.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "smilies/package_builder.h"
#include "smilies/package_reader.h"
#include "smilies/smilies_table.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quorix;
  SmiliesPackage.assign(reinterpret_cast<const char*>(data), size);
  ReadSmiliesPackage();
  const bool withinLimits = PanelWidth >= 100 && PanelWidth <= 500 && PanelHeight >= 100 && PanelHeight <= 300 &&
                            GroupCount >= 1 && GroupCount <= 10 && SmileyCount >= 0 && SmileyCount <= 999 &&
                            (DisplayState == Shown || DisplayState == Damaged);
  if (!withinLimits) std::abort();
  for (int k = 0; k < SmileyCount; ++k) {
    const TSmileyEntry& e = Smilies[static_cast<std::size_t>(k)];
    if (e.Group >= GroupCount || e.Code.size() > 32 * 3 || (e.Gif && e.Jpeg)) std::abort();
  }
  return 0;
}
