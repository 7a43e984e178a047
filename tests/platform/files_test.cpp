#include "platform/files.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace quorix {
namespace {

class TempDir {
 public:
  TempDir() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "quorix-files-XXXXXX").string();
    path_ = mkdtemp(tmpl.data());
  }
  ~TempDir() { std::filesystem::remove_all(path_); }
  std::string File(const std::string& name, const std::string& bytes) const {
    std::string p = path_ + "/" + name;
    std::ofstream(p, std::ios::binary) << bytes;
    return p;
  }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

TEST(ReadWholeFileTest, ReadsBytesAndReportsFailures) {
  TempDir dir;
  std::string buffer = "old content";
  const std::string bytes("a\0b\xFF", 4);
  EXPECT_EQ(ReadWholeFile(dir.File("x.bin", bytes), buffer), ReadFileResult::Ok);
  EXPECT_EQ(buffer, bytes);
  EXPECT_EQ(ReadWholeFile(dir.File("empty", ""), buffer), ReadFileResult::Ok);
  EXPECT_TRUE(buffer.empty());
  EXPECT_EQ(ReadWholeFile(dir.Path() + "/missing", buffer), ReadFileResult::CannotOpen);
  EXPECT_EQ(ReadWholeFile(dir.Path(), buffer), ReadFileResult::CannotOpen);
  EXPECT_EQ(ReadWholeFile("", buffer), ReadFileResult::CannotOpen);
  // A FIFO is not a file to read: refused at once instead of blocking.
  const std::string fifo = dir.Path() + "/fifo";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(ReadWholeFile(fifo, buffer), ReadFileResult::CannotOpen);
}

TEST(ReadWholeFileTest, TooLargeFileIsNotRead) {
  TempDir dir;
  std::string buffer;
  std::size_t size = 0;
  EXPECT_EQ(ReadWholeFile(dir.File("big", std::string(11, 'x')), buffer, 10, &size), ReadFileResult::TooLarge);
  EXPECT_EQ(size, 11u);
  EXPECT_TRUE(buffer.empty());
  EXPECT_EQ(ReadWholeFile(dir.File("fits", std::string(10, 'x')), buffer, 10, &size), ReadFileResult::Ok);
}

TEST(SplitLinesTest, AllLineEnds) {
  using V = std::vector<UnicodeString>;
  EXPECT_EQ(SplitLines(u"a\r\nb\nc\rd"), (V{u"a", u"b", u"c", u"d"}));
  EXPECT_EQ(SplitLines(u"a\n"), (V{u"a"}));
  EXPECT_EQ(SplitLines(u"a\n\nb"), (V{u"a", u"", u"b"}));
  EXPECT_EQ(SplitLines(u"\r\n"), (V{u""}));
  EXPECT_EQ(SplitLines(u""), V{});
  EXPECT_EQ(SplitLines(u"a\n\r"), (V{u"a", u""}));  // LF then a lone CR: two line ends
}

TEST(DecodeTextFileTest, ByteOrderMarksSelectTheEncoding) {
  struct Case {
    std::string bytes;
    TextFileEncoding encoding;
  };
  const Case cases[] = {
      {std::string("\xFF\xFE\x16\x04\x31\x00", 6), TextFileEncoding::Utf16LE},
      {std::string("\xFE\xFF\x04\x16\x00\x31", 6), TextFileEncoding::Utf16BE},
      {"\xEF\xBB\xBF\xD0\x96\x31", TextFileEncoding::Utf8},
      {"\xC6\x31", TextFileEncoding::Ansi},  // Ж1 in Windows-1251
  };
  for (const auto& c : cases) {
    TextFileEncoding enc{};
    EXPECT_EQ(DecodeTextFile(c.bytes, 1251, &enc), u"\u04161");
    EXPECT_EQ(enc, c.encoding);
  }
  // An odd trailing byte of UTF-16 text is dropped.
  EXPECT_EQ(DecodeTextFile(std::string("\xFF\xFE\x41\x00\x42", 5), 1251), u"A");
}

}  // namespace
}  // namespace quorix
