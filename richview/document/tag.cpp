#include "richview/document/tag.h"

#include <atomic>
#include <cstring>

namespace quorix {

namespace {
std::atomic<int> g_liveStrings{0};
}

TRVTag::TagString::TagString(std::string_view s) : chars(std::make_unique<char[]>(s.size() + 1)) {
  std::memcpy(chars.get(), s.data(), s.size());
  chars[s.size()] = '\0';
  ++g_liveStrings;
}

TRVTag::TagString::~TagString() { --g_liveStrings; }

TRVTag TRVTag::FromString(std::string_view s) {
  TRVTag tag;
  if (!s.empty()) tag.str_ = std::make_unique<TagString>(s);
  return tag;
}

TRVTag TRVTag::Clone() const {
  if (str_) return FromString(str_->chars.get());
  return TRVTag(value_);
}

bool TRVTag::SameAs(const TRVTag& other) const {
  if (str_ || other.str_) return str_ && other.str_ && std::strcmp(String(), other.String()) == 0;
  return value_ == other.value_;
}

int TRVTag::LiveStrings() { return g_liveStrings.load(); }

}  // namespace quorix
