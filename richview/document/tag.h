#pragma once
// TRVTag, the caller's tag of an item or checkpoint: a 32-bit value, or a
// zero-terminated 8-bit string that the tag owns. The owning form is what a
// document with rvoTagsArePChars keeps: the string is released exactly once,
// when the item (or checkpoint) goes or the tag is replaced, and never while
// it is still in use. A tag is moved, never copied implicitly; Clone makes an
// independent copy (a new string for a string tag).

#include <cstdint>
#include <memory>
#include <string_view>

namespace quorix {

class TRVTag {
 public:
  TRVTag() = default;
  // An integer tag; 0 means no tag.
  TRVTag(std::int32_t value) : value_(value) {}  // NOLINT: tags are written as plain numbers
  // A string tag holding a copy of s, as the string-duplication routine makes
  // one; an empty string gives no tag at all (that routine's answer for "").
  static TRVTag FromString(std::string_view s);

  TRVTag(TRVTag&&) noexcept = default;
  TRVTag& operator=(TRVTag&&) noexcept = default;
  TRVTag(const TRVTag&) = delete;
  TRVTag& operator=(const TRVTag&) = delete;

  TRVTag Clone() const;

  bool IsEmpty() const { return !str_ && value_ == 0; }
  bool IsString() const { return str_ != nullptr; }
  // The integer of an integer tag (0 for a string tag).
  std::int32_t Value() const { return str_ ? 0 : value_; }
  // The string of a string tag; nullptr for an integer tag.
  const char* String() const { return str_ ? str_->chars.get() : nullptr; }
  // Same value: equal integers, or strings of equal content.
  bool SameAs(const TRVTag& other) const;

  // Number of tag strings alive in the process (a leak and ownership check).
  static int LiveStrings();

 private:
  struct TagString {
    explicit TagString(std::string_view s);
    ~TagString();
    TagString(const TagString&) = delete;
    TagString& operator=(const TagString&) = delete;
    std::unique_ptr<char[]> chars;  // zero-terminated
  };
  std::int32_t value_ = 0;
  std::unique_ptr<TagString> str_;
};

}  // namespace quorix
