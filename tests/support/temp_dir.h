#pragma once
// A unique temporary directory for one test, removed with everything in it
// when the object goes.

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>

namespace quorix::test {

class TempDir {
 public:
  TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "quorix-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot create a temporary directory");
    path_ = pattern;
  }
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  // The full path of name inside the directory.
  std::string File(std::string_view name) const { return (path_ / std::string(name)).string(); }
  // Writes bytes to name (subdirectories are created) and returns its full path.
  std::string Write(std::string_view name, std::string_view bytes) const {
    const std::filesystem::path p = path_ / std::string(name);
    std::filesystem::create_directories(p.parent_path());
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + p.string());
    return p.string();
  }

 private:
  std::filesystem::path path_;
};

}  // namespace quorix::test
