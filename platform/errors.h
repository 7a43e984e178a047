#pragma once
// The platform's base exception class and the list-index error.

#include <stdexcept>
#include <string>

namespace quorix {

class Exception : public std::runtime_error {
 public:
  explicit Exception(const std::string& message) : std::runtime_error(message) {}
};

// Raised by lists for an index out of range: "List index out of bounds (%d)".
class EListError : public Exception {
 public:
  explicit EListError(int index)
      : Exception("List index out of bounds (" + std::to_string(index) + ")"), Index(index) {}
  int Index;
};

}  // namespace quorix
