#include "platform/streams.h"

#include <algorithm>
#include <cstring>

namespace quorix {

TMemoryStream& TMemoryStream::operator=(TMemoryStream&& other) noexcept {
  if (this == &other) return *this;
  isView_ = other.isView_;
  pos_ = other.pos_;
  if (isView_) {
    owned_.clear();
    view_ = other.view_;
  } else {
    owned_ = std::move(other.owned_);
    view_ = owned_;
  }
  other.Clear();
  return *this;
}

std::size_t TMemoryStream::Read(void* buffer, std::size_t count) {
  std::size_t n = std::min(count, view_.size() - pos_);
  if (n) std::memcpy(buffer, view_.data() + pos_, n);
  pos_ += n;
  return n;
}

std::size_t TMemoryStream::Write(const void* buffer, std::size_t count) {
  if (isView_ || count == 0) return 0;
  if (pos_ + count > owned_.size()) owned_.resize(pos_ + count);
  std::memcpy(owned_.data() + pos_, buffer, count);
  pos_ += count;
  view_ = owned_;
  return count;
}

std::int64_t TMemoryStream::Seek(std::int64_t offset, TSeekOrigin origin) {
  std::int64_t base = 0;
  if (origin == TSeekOrigin::soCurrent) base = static_cast<std::int64_t>(pos_);
  if (origin == TSeekOrigin::soEnd) base = Size();
  std::int64_t target = std::clamp<std::int64_t>(base + offset, 0, Size());
  pos_ = static_cast<std::size_t>(target);
  return target;
}

void TMemoryStream::Clear() {
  owned_.clear();
  view_ = {};
  pos_ = 0;
  isView_ = false;
}

}  // namespace quorix
