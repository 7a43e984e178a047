#pragma once
// Paragraph styles: indents, spacing, alignment, line spacing, border,
// background and tab stops, and the style sheet's collection of them.

#include <memory>

#include "platform/sets.h"
#include "richview/styles/borders.h"
#include "richview/styles/collection.h"
#include "richview/styles/custom_info.h"
#include "richview/styles/style_types.h"
#include "richview/styles/tab_infos.h"

namespace quorix {

class TParaInfos;
class TRVStyle;

// The properties of a paragraph style, for comparing styles and for recording
// which ones differ from a template.
enum TRVParaInfoProperty {
  rvpiFirstIndent,
  rvpiLeftIndent,
  rvpiRightIndent,
  rvpiSpaceBefore,
  rvpiSpaceAfter,
  rvpiAlignment,
  rvpiNextParaNo,
  rvpiDefStyleNo,
  rvpiLineSpacing,
  rvpiLineSpacingType,
  rvpiBackground,
  rvpiBorder,
  rvpiNoWrap,
  rvpiReadOnly,
  rvpiStyleProtect,
  rvpiDoNotWantReturns,
  rvpiKeepLinesTogether,
  rvpiKeepWithNext,
  rvpiWidowOrphanControl,
  rvpiBiDiMode,
  rvpiTabs,
  rvpiCount_  // not a property: the number of them
};
using TRVParaInfoProperties = TSet<TRVParaInfoProperty, 64>;

class TCustomRVParaInfo : public TCustomRVInfo {
 public:
  explicit TCustomRVParaInfo(TParaInfos* collection = nullptr);

  void Assign(const TCustomRVInfo& source) override;
  virtual bool IsEqual(const TCustomRVParaInfo& Value, const TRVParaInfoProperties& IgnoreList) const;
  // True when the style adds space between lines.
  bool ExtraLineSpacing() const;

  TParaInfos* GetCollection() const { return collection_; }
  int GetIndex() const;

  int FirstIndent = 0;
  int LeftIndent = 0;
  int RightIndent = 0;
  int SpaceBefore = 0;
  int SpaceAfter = 0;
  TRVAlignment Alignment = rvaLeft;
  int LineSpacing = 100;
  TRVLineSpacingType LineSpacingType = rvlsPercent;
  TRVParaOptions Options;
  TRVBiDiMode BiDiMode = rvbdUnspecified;
  TRVBorder Border;
  TRVBackgroundRect Background;
  TRVTabInfos Tabs;

 protected:
  TParaInfos* collection_ = nullptr;
};

class TParaInfo : public TCustomRVParaInfo {
 public:
  explicit TParaInfo(TParaInfos* collection = nullptr) : TCustomRVParaInfo(collection) {}

  void Assign(const TCustomRVInfo& source) override;
  bool IsEqual(const TCustomRVParaInfo& Value, const TRVParaInfoProperties& IgnoreList) const override;

  int NextParaNo = -1;
  int DefStyleNo = -1;
  TRVParaInfoProperties ModifiedProperties1;
  TRVParaInfoProperties ModifiedProperties2;
};

// A paragraph-style class: makes a new style of that class in a collection.
using TParaInfoClass = std::unique_ptr<TParaInfo> (*)(TParaInfos* collection);

class TParaInfos : public TRVCollection<TParaInfo> {
 public:
  explicit TParaInfos(TRVStyle* owner = nullptr) : owner_(owner) {}

  TRVStyle* GetOwner() const { return owner_; }
  // Appends a style with the defaults (of the owner's paragraph-style class).
  TParaInfo& Add();
  // The style at Index; the invalid style for an index out of range.
  TParaInfo& GetItem(int Index) const;
  TParaInfo& operator[](int Index) const { return GetItem(Index); }
  void SetItem(int Index, const TParaInfo& Value);

  // BaseStyle when it already matches, else the first other style that
  // matches and equals BaseStyle otherwise, else -1.
  int FindStyleWithAlignment(int BaseStyle, TRVAlignment Alignment) const;
  int FindSuchStyle(int BaseStyle, const TParaInfo& Style, const TRVParaInfoProperties& Mask) const;

  // The style answered for paragraph numbers that do not exist: style 0 with
  // indents and spacing 1 and a red frame. Made on first use.
  TParaInfo& GetInvalidItem() const;
  void SetInvalidItem(const TParaInfo& Value);

 private:
  std::unique_ptr<TParaInfo> NewStyle();
  TRVStyle* owner_ = nullptr;
  mutable std::unique_ptr<TParaInfo> invalid_;
};

}  // namespace quorix
