#pragma once
// A temporary directory that is the working directory while it lives, as the
// viewer and the builder read "Smilies_serv.txt" from there; removed with
// everything in it when it goes.

#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

namespace quorix::bench {

class TWorkingDir {
 public:
  explicit TWorkingDir(const std::string& prefix) : previous_(std::filesystem::current_path()) {
    std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
    if (!mkdtemp(pattern.data())) std::abort();
    path_ = pattern;
    std::filesystem::current_path(path_);
  }
  TWorkingDir(const TWorkingDir&) = delete;
  TWorkingDir& operator=(const TWorkingDir&) = delete;
  ~TWorkingDir() {
    std::filesystem::current_path(previous_);
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }

  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path previous_;
  std::filesystem::path path_;
};

}  // namespace quorix::bench
