#pragma once
// Reading files: a whole file into a byte buffer, and a text file into lines.

#include <cstddef>
#include <string>
#include <vector>

#include "platform/text.h"

namespace quorix {

enum class ReadFileResult {
  Ok,
  CannotOpen,  // missing, a directory, no permission
  TooLarge,    // larger than the limit the caller gave; nothing was read
  ReadError,
};

// Reads the whole file at path (UTF-8 on this platform) into buffer, replacing
// its content but keeping its capacity, so that one buffer serves many files.
// With maxSize set, a larger file is not read: the result is TooLarge and
// fileSize tells its size.
ReadFileResult ReadWholeFile(const std::string& path, std::string& buffer, std::size_t maxSize = SIZE_MAX,
                             std::size_t* fileSize = nullptr);

// Text file encodings, as the byte-order mark selects them.
enum class TextFileEncoding { Ansi, Utf8, Utf16LE, Utf16BE };

// Splits decoded text into lines at CR LF, LF or CR. A final line end does not
// start another line; an empty text has no lines.
std::vector<UnicodeString> SplitLines(std::u16string_view text);

// Decodes the bytes of a text file: a UTF-16 LE, UTF-16 BE or UTF-8 byte-order
// mark selects that encoding (the mark is dropped), otherwise the bytes are 8-bit
// text in codePage. An odd trailing byte of UTF-16 text is dropped.
UnicodeString DecodeTextFile(std::string_view bytes, int codePage, TextFileEncoding* encoding = nullptr);

// Reads a text file into lines (DecodeTextFile + SplitLines, the system code page
// for files without a mark). False when the file cannot be opened or read.
bool ReadTextFileLines(const std::string& path, std::vector<UnicodeString>& lines,
                       TextFileEncoding* encoding = nullptr);

}  // namespace quorix
