#pragma once
// ERichViewError and the fixed messages the rich view raises it with.

#include <string>

#include "platform/errors.h"

namespace quorix {

class ERichViewError : public Exception {
 public:
  using Exception::Exception;
};

inline constexpr const char* errRVItemRangeError = "Can't get or set this kind of information for this item";
inline constexpr const char* errRVUnicode = "Can't perform Unicode operation";
inline constexpr const char* errRVTagsTypesMismatch = "Can't assign RichView to RichView - tags types mismatch";
inline constexpr const char* errRVTypesMismatch =
    "Can't register RichView item type - this StyleNo is already registered";
inline constexpr const char* errRVNil = "Parameter can't be NIL";
inline constexpr const char* errRVCPByCP = "Invalid checkpoint data";

// "Invalid checkpoint index - %d"
inline std::string errRVNoSuchCP(int index) { return "Invalid checkpoint index - " + std::to_string(index); }

}  // namespace quorix
