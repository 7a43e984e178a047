#pragma once
// Style templates, an editor feature: named sets of properties that styles
// follow. The style sheet only keeps the collection.

#include <memory>

#include "platform/text.h"
#include "richview/styles/collection.h"

namespace quorix {

class TRVStyleTemplate {
 public:
  UnicodeString Name;
  int Id = -1;
  int ParentId = -1;
};

class TRVStyleTemplateCollection : public TRVCollection<TRVStyleTemplate> {
 public:
  TRVStyleTemplate& Add() { return Append(std::make_unique<TRVStyleTemplate>()); }
};

}  // namespace quorix
