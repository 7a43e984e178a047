#pragma once
// A document for the tests: TCustomRVData with the answers a control would
// give (style sheet, options, flags, palette) and a log of item actions.

#include <string>
#include <vector>

#include "richview/document/rv_data.h"
#include "richview/styles/rv_style.h"

namespace quorix::test {

class TestData : public TCustomRVData {
 public:
  explicit TestData(TRVStyle* style = nullptr, TRVOptions options = {}) : Style(style), Options(options) {}
  ~TestData() override { Clear(); }

  TRVStyle* GetRVStyle() const override { return Style; }
  TRVOptions GetOptions() const override { return Options; }
  void SetOptions(TRVOptions options) override { Options = options; }
  TRVFlags GetFlags() const override { return Flags; }
  void SetFlags(TRVFlags flags) override { Flags = flags; }
  HPALETTE GetRVPalette() override { return Palette; }
  const TRVLogPalette* GetRVLogPalette() override { return HasLogPalette ? &LogPalette : nullptr; }
  TRVPaletteAction GetDoInPaletteMode() override { return PaletteMode; }

  void ItemAction(TRVItemAction action, TCustomRVItemInfo* item, TRVRawByteString& text,
                  TCustomRVData*) override {
    Actions.push_back({action, item, text, GetState().Contains(rvstClearing)});
    if (action == rviaInserting && !ReplaceInsertedText.empty()) text = ReplaceInsertedText;
  }

  struct Action {
    TRVItemAction What;
    TCustomRVItemInfo* Item;
    TRVRawByteString Text;
    bool WhileClearing;
  };

  void SetState(TRVState flag, bool on) {
    if (on)
      FState.Include(flag);
    else
      FState.Exclude(flag);
  }

  TRVStyle* Style;
  TRVOptions Options;
  TRVFlags Flags;
  HPALETTE Palette = 0;
  bool HasLogPalette = false;
  TRVLogPalette LogPalette;
  TRVPaletteAction PaletteMode = rvpaDoNothing;
  std::vector<Action> Actions;
  TRVRawByteString ReplaceInsertedText;
};

// A document that presents itself as formatted, allows animation as told and
// records jumps and hints, as the control's document does.
class FormattedTestData : public TestData {
 public:
  using TestData::TestData;
  // Only compared and handed on, never used as a formatted document: the
  // formatted document class belongs to the layout.
  TCustomRVFormattedData* AsFormattedData() override { return reinterpret_cast<TCustomRVFormattedData*>(this); }
  bool AllowAnimation() override { return Animate; }
  void InsertAnimator(std::unique_ptr<TRVAnimator>&) override { ++InsertedAnimators; }
  void DoJump(int jumpNo) override { Jumps.push_back(jumpNo); }
  UnicodeString GetItemHint(TCustomRVData*, int itemNo, const UnicodeString&) override {
    return u"hint " + UnicodeString(1, static_cast<char16_t>(u'0' + itemNo));
  }
  void SetControlHint(const UnicodeString& hint) override { Hints.push_back(hint); }

  bool Animate = true;
  int InsertedAnimators = 0;
  std::vector<int> Jumps;
  std::vector<UnicodeString> Hints;
};

}  // namespace quorix::test
