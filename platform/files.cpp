#include "platform/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <memory>

namespace quorix {

namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

}  // namespace

ReadFileResult ReadWholeFile(const std::string& path, std::string& buffer, std::size_t maxSize,
                             std::size_t* fileSize) {
  buffer.clear();
  if (fileSize) *fileSize = 0;
  if (path.empty()) return ReadFileResult::CannotOpen;
  // Opened without blocking so that a name that turns out to be a FIFO or a
  // device cannot stall the caller; only regular files are read.
  int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return ReadFileResult::CannotOpen;
  struct stat st {};
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return ReadFileResult::CannotOpen;
  }
  std::unique_ptr<std::FILE, FileCloser> f(::fdopen(fd, "rb"));
  if (!f) {
    ::close(fd);
    return ReadFileResult::ReadError;
  }
  const auto size = static_cast<std::size_t>(st.st_size);
  if (fileSize) *fileSize = size;
  if (size > maxSize) return ReadFileResult::TooLarge;
  buffer.resize(size);
  std::size_t got = size == 0 ? 0 : std::fread(buffer.data(), 1, size, f.get());
  if (got != size || std::ferror(f.get())) {
    buffer.clear();
    return ReadFileResult::ReadError;
  }
  return ReadFileResult::Ok;
}

std::vector<UnicodeString> SplitLines(std::u16string_view text) {
  std::vector<UnicodeString> lines;
  std::size_t start = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    char16_t c = text[i];
    if (c == u'\r' || c == u'\n') {
      lines.emplace_back(text.substr(start, i - start));
      if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
      ++i;
      start = i;
    } else {
      ++i;
    }
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

UnicodeString DecodeTextFile(std::string_view bytes, int codePage, TextFileEncoding* encoding) {
  auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
  auto utf16 = [&](std::size_t from, bool littleEndian) {
    UnicodeString out;
    out.reserve((bytes.size() - from) / 2);
    for (std::size_t i = from; i + 1 < bytes.size(); i += 2) {
      unsigned lo = littleEndian ? byte(i) : byte(i + 1);
      unsigned hi = littleEndian ? byte(i + 1) : byte(i);
      out += static_cast<char16_t>(lo | (hi << 8));
    }
    return out;
  };
  TextFileEncoding enc = TextFileEncoding::Ansi;
  UnicodeString text;
  if (bytes.size() >= 2 && byte(0) == 0xFF && byte(1) == 0xFE) {
    enc = TextFileEncoding::Utf16LE;
    text = utf16(2, true);
  } else if (bytes.size() >= 2 && byte(0) == 0xFE && byte(1) == 0xFF) {
    enc = TextFileEncoding::Utf16BE;
    text = utf16(2, false);
  } else if (bytes.size() >= 3 && byte(0) == 0xEF && byte(1) == 0xBB && byte(2) == 0xBF) {
    enc = TextFileEncoding::Utf8;
    text = Utf8ToUtf16(bytes.substr(3));
  } else {
    text = AnsiToUnicode(bytes, codePage);
  }
  if (encoding) *encoding = enc;
  return text;
}

bool ReadTextFileLines(const std::string& path, std::vector<UnicodeString>& lines, TextFileEncoding* encoding) {
  lines.clear();
  std::string bytes;
  if (ReadWholeFile(path, bytes) != ReadFileResult::Ok) return false;
  lines = SplitLines(DecodeTextFile(bytes, SystemCodePage(), encoding));
  return true;
}

}  // namespace quorix
