#pragma once
// Streams as pictures load from them: a position, a size, reads and writes.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quorix {

enum class TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream {
 public:
  virtual ~TStream() = default;
  // Reads up to count bytes; returns how many were read (0 at the end).
  virtual std::size_t Read(void* buffer, std::size_t count) = 0;
  virtual std::size_t Write(const void* buffer, std::size_t count) = 0;
  // Moves the position (clamped to 0 .. Size()) and returns the new one.
  virtual std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) = 0;
  virtual std::int64_t Size() const = 0;

  std::int64_t Position() { return Seek(0, TSeekOrigin::soCurrent); }
  void SetPosition(std::int64_t pos) { Seek(pos, TSeekOrigin::soBeginning); }
  std::int64_t Remaining() { return Size() - Position(); }
};

// A stream over bytes held in memory. It may own its bytes or read a view of
// bytes owned elsewhere (a view stream cannot be written).
class TMemoryStream : public TStream {
 public:
  TMemoryStream() = default;
  explicit TMemoryStream(std::string bytes) : owned_(std::move(bytes)), view_(owned_) {}
  static TMemoryStream View(std::string_view bytes) {
    TMemoryStream s;
    s.view_ = bytes;
    s.isView_ = true;
    return s;
  }
  TMemoryStream(TMemoryStream&& other) noexcept { *this = std::move(other); }
  TMemoryStream& operator=(TMemoryStream&& other) noexcept;
  TMemoryStream(const TMemoryStream&) = delete;
  TMemoryStream& operator=(const TMemoryStream&) = delete;

  std::size_t Read(void* buffer, std::size_t count) override;
  std::size_t Write(const void* buffer, std::size_t count) override;
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
  std::int64_t Size() const override { return static_cast<std::int64_t>(view_.size()); }

  // The bytes of the stream and the part from the current position on.
  std::string_view Bytes() const { return view_; }
  std::string_view RemainingBytes() const { return view_.substr(pos_); }
  void Clear();

 private:
  std::string owned_;
  std::string_view view_;
  std::size_t pos_ = 0;
  bool isView_ = false;
};

}  // namespace quorix
