#include "richview/document/tag.h"

#include <atomic>
#include <cstring>

namespace quorix {

namespace {
std::atomic<int> g_liveStrings{0};
}

void TRVTag::StringDeleter::operator()(char* s) const {
  --g_liveStrings;
  delete[] s;
}

TRVTag TRVTag::FromString(std::string_view s) {
  TRVTag tag;
  if (s.empty()) return tag;
  auto* buffer = new char[s.size() + 1];  // owned by str_ from the next line on
  tag.str_.reset(buffer);
  ++g_liveStrings;
  std::memcpy(buffer, s.data(), s.size());
  buffer[s.size()] = '\0';
  return tag;
}

TRVTag TRVTag::Clone() const {
  if (str_) return FromString(str_.get());
  return TRVTag(value_);
}

bool TRVTag::SameAs(const TRVTag& other) const {
  if (str_ || other.str_) return str_ && other.str_ && std::strcmp(str_.get(), other.str_.get()) == 0;
  return value_ == other.value_;
}

int TRVTag::LiveStrings() { return g_liveStrings.load(); }

}  // namespace quorix
