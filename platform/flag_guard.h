#pragma once
// Sets a flag for the lifetime of the guard and clears it however the scope
// ends: the re-entrance guards of formatting and scroll-bar updates.

namespace quorix {

class TFlagGuard {
 public:
  explicit TFlagGuard(bool& flag) : flag_(flag) { flag_ = true; }
  TFlagGuard(const TFlagGuard&) = delete;
  TFlagGuard& operator=(const TFlagGuard&) = delete;
  ~TFlagGuard() { flag_ = false; }

 private:
  bool& flag_;
};

}  // namespace quorix
