#pragma once
// Helpers for the smilies tests: a temporary working directory, byte literals
// and a package parsed back with the codec's readers.

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>
#include <vector>

#include "platform/text.h"
#include "smilies/package_codec.h"

namespace quorix::test_support {

// A fresh directory that is the working directory while the object lives.
class TTempWorkDir {
 public:
  TTempWorkDir() : previous_(std::filesystem::current_path()) {
    std::string pattern = (std::filesystem::temp_directory_path() / "quorix-smilies-XXXXXX").string();
    if (!mkdtemp(pattern.data())) std::abort();
    path_ = pattern;
    std::filesystem::current_path(path_);
  }
  ~TTempWorkDir() {
    std::filesystem::current_path(previous_);
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TTempWorkDir(const TTempWorkDir&) = delete;
  TTempWorkDir& operator=(const TTempWorkDir&) = delete;

  const std::filesystem::path& Path() const { return path_; }

  void Write(const std::string& name, const std::string& bytes) const {
    std::ofstream(path_ / name, std::ios::binary) << bytes;
  }
  // The list file as the bytes given (ASCII lists read the same in any encoding).
  void WriteList(const std::string& bytes) const { Write("Smilies_serv.txt", bytes); }
  // A picture of n bytes whose content tells pictures apart.
  void WritePicture(const std::string& name, std::size_t n, char fill = 'P') const {
    Write(name, std::string(n, fill));
  }

 private:
  std::filesystem::path previous_;
  std::filesystem::path path_;
};

inline RawByteString Bytes(std::initializer_list<int> values) {
  RawByteString out;
  for (int v : values) out += static_cast<char>(v);
  return out;
}

// The package as the reader will see it, taken apart with the codec.
struct TParsedPackage {
  struct Record {
    int Group = 0;
    UnicodeString Code;
    int Kind = 0;
    RawByteString Picture;
  };
  int Width = 0;
  int Height = 0;
  std::vector<UnicodeString> Groups;
  int SmileyCount = 0;
  std::vector<Record> Records;
  bool WellFormed = false;  // every byte accounted for, counts agreeing
};

inline TParsedPackage ParsePackage(RawByteString package) {
  TParsedPackage p;
  RawByteString header = TakeBlock(package);
  p.Width = TakeWord(header);
  p.Height = TakeWord(header);
  const int groupCount = TakeByte(header);
  for (int i = 0; i < groupCount; ++i) p.Groups.push_back(TakeShortText(header));
  p.SmileyCount = TakeWord(header);
  bool ok = header.empty();
  for (int i = 0; i < p.SmileyCount && ok; ++i) {
    const std::size_t length = static_cast<unsigned char>(package.empty() ? 0 : package[0]);
    RawByteString body = package.substr(1, length);
    package.erase(0, std::min(package.size(), 1 + length));
    TParsedPackage::Record r;
    r.Group = TakeByte(body);
    r.Code = TakeShortText(body);
    r.Kind = TakeByte(body);
    const auto size = static_cast<std::size_t>(TakeInt32(body));
    ok = body.empty() && package.size() >= size;
    r.Picture = package.substr(0, size);
    package.erase(0, std::min(package.size(), size));
    p.Records.push_back(std::move(r));
  }
  p.WellFormed = ok && package.empty();
  return p;
}

}  // namespace quorix::test_support
