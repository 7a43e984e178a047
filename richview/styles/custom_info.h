#pragma once
// TCustomRVInfo: what text, paragraph and list styles have in common.

#include "platform/text.h"

namespace quorix {

class TCustomRVInfo {
 public:
  TCustomRVInfo() = default;
  TCustomRVInfo(const TCustomRVInfo&) = default;
  TCustomRVInfo& operator=(const TCustomRVInfo&) = default;
  virtual ~TCustomRVInfo() = default;

  // Copies the properties of this base; descendants extend it for their own.
  virtual void Assign(const TCustomRVInfo& source) {
    BaseStyleNo = source.BaseStyleNo;
    StyleName = source.StyleName;
    Standard = source.Standard;
    StyleTemplateId = source.StyleTemplateId;
  }
  virtual UnicodeString GetDisplayName() const { return StyleName; }

  int BaseStyleNo = -1;
  UnicodeString StyleName;
  bool Standard = true;
  int StyleTemplateId = -1;
};

}  // namespace quorix
